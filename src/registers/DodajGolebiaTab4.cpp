#include "DodajGolebiaTab4.h"

#include <QFileInfo>

#include "DataStore.h"
#include "ListView.h"

const char16_t* const CDodajGolebiaTab4::kOpenFilter =
    u"Dokumenty Microsoft Office (*.doc;*.xls)|*.doc; *.docx|Bitmap files (*.bmp)|*.bmp|PDF "
    u"(*.pdf)|*.pdf|TIFF files (*.tif;*.tiff)|*.tif; *.tiff|Wszystkie pliki|*.*; *.jpeg; *.bmp; "
    u"*.gif; *.tif; *.tiff|All Files (*.*)|*.*||";

CDodajGolebiaTab4::CDodajGolebiaTab4(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {
    // The chosen document follows the list by mouse and by keys.
    OnClicked(kDocumentList, [this] { OnSelectDocument(); });
    OnItemChanged(kDocumentList, [this] { OnSelectDocument(); });
    OnClicked(kAddDocument, [this] { OnAddDocument(); });
    OnClicked(kDeleteDocument, [this] { OnDeleteDocument(); });
    OnClicked(kOpenDocument, [this] { OnOpenDocument(); });
}

ListView* CDodajGolebiaTab4::DocumentList() const { return List(kDocumentList); }

bool CDodajGolebiaTab4::OnInitDialog() {
    CDodajGolebiaPage::OnInitDialog();
    if (ListView* list = DocumentList()) {
        list->SetGridLines(true);
        list->SetFullRowSelect(true);
        list->InsertColumn(0, std::u16string(u"..."), ListView::AlignLeft, 30);
        list->InsertColumn(1, std::u16string(u"Dokument"), ListView::AlignLeft, 300);
    }
    FillList();
    return true;
}

void CDodajGolebiaTab4::RecordReplaced() { FillList(); }

void CDodajGolebiaTab4::AppendRow(const DocumentRecord& document) {
    ListView* list = DocumentList();
    if (!list) return;
    const int row = list->InsertItem(list->GetItemCount(), std::u16string(u" "));
    list->SetItemText(row, 1, document.nazwa);
}

void CDodajGolebiaTab4::FillList() {
    if (ListView* list = DocumentList()) list->DeleteAllItems();
    for (const DocumentRecord& document : record_.documents) AppendRow(document);
    selectedDocument = -1;
}

void CDodajGolebiaTab4::OnSelectDocument() {
    const ListView* list = DocumentList();
    const int row = list ? list->FirstSelectedRow() : -1;
    selectedDocument = row >= 0 && row < static_cast<int>(record_.documents.size()) ? row : -1;
}

void CDodajGolebiaTab4::OnOpenDocument() {
    if (selectedDocument < 0 || selectedDocument >= static_cast<int>(record_.documents.size()))
        return;
    const Text path = record_.documents[selectedDocument].GetFilePath();
    if (!OpenDocument(QString::fromStdU16String(path))) {
        MessageBox(this, u"Nie udało się otworzyć dokumentu.", u"", MB_OK | MB_ICONERROR);
    }
}

void CDodajGolebiaTab4::OnAddDocument() {
    // A bird not saved yet has no row for the document to belong to.
    if (record_.id <= 0) return;
    const QString chosen = GetOpenFileName(this, QString::fromStdU16String(kOpenFilter));
    if (chosen.isEmpty()) return;
    const QFileInfo file(chosen);

    DocumentRecord document;
    document.id_hodowli = AttachmentLoftId();
    document.id_wlasciciela = record_.id;
    document.rodzaj = document.kategoria = document.subkategoria = 0;
    document.nazwa = document.opis1 = file.fileName().toStdU16String();
    document.rozszerzenie = file.suffix().toStdU16String();
    document.path = chosen.toStdU16String();
    CDataStore& store = TheDataStore();
    if (!store.AddDocument(document)) {
        MessageBox(this, u"Nie udało się dodać dokumentu. Sprawdź, czy plik można odczytać.", u"",
                   MB_OK | MB_ICONERROR);
        return;
    }
    document.GetFilePath();
    record_.documents.push_back(document);
    AppendRow(document);
}

void CDodajGolebiaTab4::OnDeleteDocument() {
    if (selectedDocument < 0 || selectedDocument >= static_cast<int>(record_.documents.size())) {
        MessageBox(this, u"Musisz wybrać dokument");
        return;
    }
    if (!TheDataStore().DeleteDocument(record_.documents[selectedDocument])) {
        MessageBox(this, u"Nie udało się usunąć dokumentu.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    record_.documents.erase(record_.documents.begin() + selectedDocument);
    FillList();
}
