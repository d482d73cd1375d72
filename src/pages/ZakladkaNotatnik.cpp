#include "ZakladkaNotatnik.h"

#include <QFileInfo>
#include <QUrl>

#include "DataStore.h"
#include "Globals.h"
#include "ListView.h"
#include "NowaNazwa.h"
#include "SharedRoutines.h"

namespace {

CDataStore& Store() { return TheDataStore(); }

QString NotePath(int noteId) { return QString::fromStdU16String(NoteFilePath(noteId)); }

// The page the editor shows while no note is open: a blank editor that takes no typing would
// look like a note that is broken.
QUrl NoNoteOpenPage() {
    const QString html = QStringLiteral(
                             "<html><head><meta charset=\"utf-8\"></head>"
                             "<body style=\"font-family: Tahoma; font-size: 13px; color: #606060\">"
                             "<p>%1</p></body></html>")
                             .arg(QString::fromStdU16String(CZakladkaNotatnik::kNoNoteOpenText));
    return QUrl(QStringLiteral("data:text/html;charset=utf-8,") +
                QString::fromLatin1(QUrl::toPercentEncoding(html)));
}

}  // namespace

CZakladkaNotatnik::CZakladkaNotatnik(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kNoteList, [this] { OnNoteClicked(); });
    OnClicked(kNewNote, [this] { NewNote(); });
    OnClicked(kDeleteNote, [this] { DeleteNote(); });
    OnClicked(kBold, [this] { editor_.ToggleBold(); });
    OnClicked(kItalic, [this] { editor_.ToggleItalic(); });
    OnClicked(kUnderline, [this] { editor_.ToggleUnderline(); });
    OnClicked(kHorizontalLine, [this] { editor_.InsertHorizontalLine(); });
    // "1" is the largest size (6), "5" the smallest (2).
    for (int id = kFontSize1; id <= kFontSize5; ++id) {
        const int size = 6 - (id - kFontSize1);
        OnClicked(id, [this, size] { editor_.SetFontSize(size); });
    }
    OnClicked(kPrint, [this] { editor_.Print(true); });
    // Saves a copy under a name the user picks; the note's own file is left as it is.
    OnClicked(kSave, [this] { editor_.SaveAs(); });
}

ListView* CZakladkaNotatnik::NoteList() const { return List(kNoteList); }

bool CZakladkaNotatnik::OnInitDialog() {
    Dialog::OnInitDialog();
    currentNote = -1;
    currentNoteId_ = 0;
    const Rect client = GetClientRect();
    editorRect_ = Rect(client.left + 250, client.top + 55, client.right - 30, client.bottom - 5);
    if (ListView* list = NoteList()) list->DeleteAllItems();
    for (const NoteRecord& note : Store().Notes()) AddNoteToList(-1, note.nazwa);
    editor_.Create(this, editorRect_.ToQRect(), 0);
    editor_.SetCharset(u"UTF-8");
    // Design mode comes with the first note shown: without a note, typing is not possible.
    firstShow_ = true;
    return true;
}

// The page leaves its background to the main window behind it.
void CZakladkaNotatnik::OnEraseBkgnd(Dc&) {}

void CZakladkaNotatnik::OnShowWindow(bool show) {
    if (!show || !firstShow_) return;
    firstShow_ = false;
    if (Store().Notes().empty()) return;
    currentNote = 0;
    currentNoteId_ = Store().Notes()[0].id;
    if (ListView* list = NoteList()) list->SelectRow(0);
    LoadNote(Store().Notes()[0]);
}

void CZakladkaNotatnik::AddNoteToList(int index, const std::u16string& name) {
    ListView* list = NoteList();
    if (!list) return;
    if (index == -1) {
        list->InsertItem(list->GetItemCount(), name);
    } else {
        list->SetItemText(index, 0, name);
    }
}

// A list that still showed another loft's notes would open, and on saving overwrite, the wrong
// note files, so the list always follows the notes that are loaded.
void CZakladkaNotatnik::FillNoteList() {
    ForgetCurrentNote();
    if (ListView* list = NoteList()) list->DeleteAllItems();
    for (const NoteRecord& note : Store().Notes()) AddNoteToList(-1, note.nazwa);
}

void CZakladkaNotatnik::PlaceEditor(int left, int top, int right, int bottom) {
    const int x = left + 240, y = top - 50;
    editorRect_ = Rect(x, y, x + (right - left - 250), y + (bottom - top - 100));
    if (editor_.parentWidget() == this) editor_.MoveTo(editorRect_.ToQRect());
}

int CZakladkaNotatnik::CurrentNoteIndex() const {
    if (currentNote < 0) return -1;
    const std::vector<NoteRecord>& notes = Store().Notes();
    if (currentNote < static_cast<int>(notes.size()) && notes[currentNote].id == currentNoteId_)
        return currentNote;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i].id == currentNoteId_) return static_cast<int>(i);
    }
    return -1;
}

// No note is edited any more: the editor says so and cannot be typed into.
void CZakladkaNotatnik::ForgetCurrentNote() {
    currentNote = -1;
    currentNoteId_ = 0;
    if (editor_.parentWidget() == this) editor_.Navigate(NoNoteOpenPage());
}

void CZakladkaNotatnik::LoadNote(const NoteRecord& note) {
    const QString path = NotePath(note.id);
    editor_.NewDocument();
    // A note whose file went missing is edited as an empty page and gets its file again when it
    // is saved.
    if (QFileInfo::exists(path)) editor_.Navigate(path);
    editor_.SetDesignMode(true);
}

bool CZakladkaNotatnik::SaveNote(const NoteRecord& note) {
    Text html;
    // A document that could not be read (still loading, failed) must not wipe out the file.
    if (!editor_.GetHtmlText(html)) return false;
    return WriteUnicodeFile(NoteFilePath(note.id), html);
}

bool CZakladkaNotatnik::SaveCurrentNote() {
    const int index = CurrentNoteIndex();
    if (index < 0) return false;
    return SaveNote(Store().Notes()[index]);
}

void CZakladkaNotatnik::OnNoteClicked() {
    SaveCurrentNote();
    ListView* list = NoteList();
    const int selected = list ? list->FirstSelectedRow() : -1;
    if (selected < 0 || selected >= static_cast<int>(Store().Notes().size())) {
        // The text stays on show, but belongs to no note any more: it can no longer be changed.
        currentNote = -1;
        currentNoteId_ = 0;
        editor_.SetDesignMode(false);
        return;
    }
    currentNote = selected;
    currentNoteId_ = Store().Notes()[selected].id;
    list->SelectRow(selected);
    LoadNote(Store().Notes()[selected]);
}

void CZakladkaNotatnik::NewNote() {
    SaveCurrentNote();
    // A note belongs to a loft; without one there is nowhere to keep it.
    const LoftRecord* loft = CurrentLoft();
    if (!loft) {
        MessageBox(this, std::u16string(kNoLoftText));
        return;
    }
    const int loftId = loft->id;

    CNowaNazwa dialog(this);
    if (dialog.DoModal() != IDOK) return;
    NoteRecord note;
    note.nazwa = dialog.name;
    note.id_hodowli = loftId;
    if (!Store().WriteNote(WriteMode::Insert, note) || note.id <= 0) return;
    WriteUnicodeFile(NoteFilePath(note.id), kNewNoteText);
    AddNoteToList(-1, note.nazwa);
}

void CZakladkaNotatnik::DeleteNote() {
    const int index = CurrentNoteIndex();
    if (index < 0) {
        MessageBox(this, std::u16string(kChooseNoteText));
        return;
    }
    NoteRecord note = Store().Notes()[index];
    if (!Store().WriteNote(WriteMode::Delete, note)) {
        // The row and its body both stay (see CDataStore::WriteNote): the note is still there.
        MessageBox(this, u"Nie udało się usunąć notatki.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    // The list keeps no note highlighted: none is open.
    if (ListView* list = NoteList()) list->DeleteItem(index);
    ForgetCurrentNote();
}
