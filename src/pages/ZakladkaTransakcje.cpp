#include "ZakladkaTransakcje.h"

#include "DataStore.h"
#include "DodajZmienTransakcje.h"
#include "Globals.h"
#include "ListView.h"
#include "PageLinks.h"
#include "RecordPage.h"
#include "SharedRoutines.h"
#include "WindowHelpers.h"
#include "menu/MainMenu.h"

int g_selectedTransactionRow = -1;

namespace {

constexpr COLORREF kTransactionLinks = RGB(65, 117, 221);
constexpr COLORREF kClientLinks = RGB(0, 146, 0);

const PageLink kLinks[CZakladkaTransakcje::kLinkCount] = {
    {u"Dodaj transakcję", {5, 50, 210, 80}, kTransactionLinks},
    {u"Edytuj transakcję", {5, 80, 210, 110}, kTransactionLinks},
    {u"Usuń transakcję", {5, 110, 210, 140}, kTransactionLinks},
    {u"Dodaj klienta", {5, 265, 210, 295}, kClientLinks},
    {u"Zarządzaj klientami", {5, 295, 210, 325}, kClientLinks},
    {u"Wydruk raportu", {5, 325, 210, 355}, kClientLinks},
};

// The subject holds a bird's ring and name, or the text of another subject.
const ListColumn kColumns[] = {
    {u"...", 30},
    {u"Klient", 140},
    {u"Typ transakcji", 140},
    {u"Przedmiot sprzedaży", 150, ColumnText::Bird},
    {u"Kwota zapłaty", 150},
    {u"Data transakcji", 150},
    {u"Notatki", 110},
};

const char16_t* KindText(int kind) {
    switch (kind) {
        case 0: return u"Sprzedaż";
        case 1: return u"Kupno";
        case 2: return u"Inne";
        default: return nullptr;
    }
}

}  // namespace

CZakladkaTransakcje::CZakladkaTransakcje(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kTransactionList, [this] { OnListClick(); });
}

ListView* CZakladkaTransakcje::TransactionList() const { return List(kTransactionList); }

bool CZakladkaTransakcje::OnInitDialog() {
    Dialog::OnInitDialog();
    listFont_ = Font(QStringLiteral("Tahoma"), 16, FW_MEDIUM);
    SetUpRecordList(TransactionList(), listFont_, kColumns);
    FillTransactionList();
    return true;
}

void CZakladkaTransakcje::FillTransactionList() {
    ListView* list = TransactionList();
    if (!list) return;
    // Rows and the row map always describe the same transactions, so a fill starts afresh.
    list->DeleteAllItems();
    rowToId_.clear();
    int row = 0;
    for (const auto& [id, record] : TheDataStore().Transactions()) {
        rowToId_[row++] = id;
        SetTransactionRow(-1, record);
    }
    g_selectedTransactionRow = -1;
}

void CZakladkaTransakcje::SetTransactionRow(int row, const TransactionRecord& record) {
    ListView* list = TransactionList();
    if (!list) return;
    if (row == -1) {
        row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    } else {
        list->SetItemText(row, 0, QStringLiteral(" "));
    }
    const CDataStore& store = TheDataStore();
    const PersonRecord& client = store.FindClient(record.id_klienta);
    list->SetItemText(row, 1, client.imie + u" " + client.nazwisko);
    // A kind the program does not know leaves the cell as it was.
    if (const char16_t* kind = KindText(record.rodzajtransakcji)) {
        list->SetItemText(row, 2, std::u16string(kind));
    }
    list->SetItemText(row, 3, record.id_golebia != 0
                                  ? store.FindPigeon(record.id_golebia).GetDisplayName()
                                  : record.innyprzedmiottransakcji);
    list->SetItemText(row, 4, record.FormatPrice());
    list->SetItemText(row, 5, FormatTime(record.data, "%d/%m/%y, %H:%M"));
    list->SetItemText(row, 6, record.not1.substr(0, 15));
}

void CZakladkaTransakcje::LayoutControls() {
    for (int link = 0; link < kLinkCount; ++link) links_[link] = kLinks[link].rect;
    groups_ = {Rect(5, 50, 210, 140), Rect(5, 265, 210, 355)};
    const Rect client = GetClientRect();
    if (ListView* list = TransactionList()) {
        list->setGeometry(
            Rect(240, client.top, client.right - 25, client.bottom - 25).ToQRect());
    }
    update();
}

void CZakladkaTransakcje::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    // The list follows the page whenever the main window changes size.
    if (!links_[kLinkAdd].IsEmpty()) LayoutControls();
}

void CZakladkaTransakcje::OnEraseBkgnd(Dc& dc) {
    Dialog::OnEraseBkgnd(dc);
    for (const Rect& group : groups_) dc.FillSolidRect(group, RGB(255, 255, 255));
    PaintLinks(dc);
}

void CZakladkaTransakcje::PaintLinks(Dc& dc) { PaintPageLinks(dc, kLinks, links_); }

void CZakladkaTransakcje::OnLButtonDown(const QPoint& point) {
    OnPageClick(point);
    Dialog::OnLButtonDown(point);
}

void CZakladkaTransakcje::OnPageClick(const QPoint& point) {
    auto* mainWindow = qobject_cast<Dialog*>(parentWidget());
    // "Wydruk raportu" is painted like the other links but has no hit area.
    for (int link = kLinkAdd; link < kLinkReport; ++link) {
        if (!links_[link].Contains(point)) continue;
        switch (link) {
            case kLinkAdd: AddTransaction(); break;
            case kLinkEdit: EditTransaction(); break;
            case kLinkDelete: DeleteTransaction(); break;
            // The clients register is reached through the main window's commands.
            case kLinkAddClient:
                if (mainWindow) mainWindow->RunCommand(kCmdAddClient);
                break;
            case kLinkManageClients:
                if (mainWindow) mainWindow->RunCommand(kCmdManageClients);
                break;
            default: break;
        }
        return;
    }
}

void CZakladkaTransakcje::OnListClick() {
    ListView* list = TransactionList();
    if (!list) return;
    g_selectedTransactionRow = list->FirstSelectedRow();
    if (g_selectedTransactionRow != -1) list->SelectRow(g_selectedTransactionRow);
}

void CZakladkaTransakcje::AddTransaction() {
    CDataStore& store = TheDataStore();
    // A transaction belongs to a loft: without a current one there is nowhere to put it.
    if (!CurrentLoft()) {
        MessageBox(this, kNoLoftText);
        return;
    }
    CDodajZmienTransakcje editor;
    editor.mode = EditorMode::Add;
    if (editor.DoModal() != IDOK) return;
    const int id = editor.record.id;
    const auto stored = store.Transactions().find(id);
    if (id <= 0 || stored == store.Transactions().end()) return;
    ListView* list = TransactionList();
    if (!list) return;
    SetTransactionRow(-1, stored->second);
    rowToId_[list->GetItemCount() - 1] = id;
}

void CZakladkaTransakcje::EditTransaction() {
    if (g_selectedTransactionRow == -1) {
        MessageBox(this, u"Musisz wybrać transakcję na liście transakcji");
        return;
    }
    const auto entry = rowToId_.find(g_selectedTransactionRow);
    if (entry == rowToId_.end()) return;
    CDataStore& store = TheDataStore();
    const auto stored = store.Transactions().find(entry->second);
    if (stored == store.Transactions().end()) return;

    CDodajZmienTransakcje editor;
    editor.mode = EditorMode::Edit;
    editor.record = stored->second;
    if (editor.DoModal() != IDOK) return;
    // The row shows what the data store holds: a refused update leaves it as it was.
    const auto after = store.Transactions().find(entry->second);
    if (after != store.Transactions().end()) SetTransactionRow(g_selectedTransactionRow, after->second);
}

void CZakladkaTransakcje::DeleteTransaction() {
    if (g_selectedTransactionRow == -1) {
        MessageBox(this, u"Musisz wybrać transakcję do usunięcia z listy transakcji");
        return;
    }
    if (!AskYesNo(this, u"Czy napewno usunąć wybraną transakcje?", u"Usuwanie Transakcji")) return;
    const int row = g_selectedTransactionRow;
    const auto entry = rowToId_.find(row);
    if (entry == rowToId_.end()) return;
    CDataStore& store = TheDataStore();
    TransactionRecord record;
    if (const auto stored = store.Transactions().find(entry->second);
        stored != store.Transactions().end()) {
        record = stored->second;
    } else {
        record.id = entry->second;
    }
    if (!store.WriteTransaction(WriteMode::Delete, record)) return;

    ListView* list = TransactionList();
    if (list) list->DeleteItem(row);
    // Entry n names the transaction in row n again.
    std::map<int, int> shifted;
    for (const auto& [r, id] : rowToId_) {
        if (r < row) shifted[r] = id;
        else if (r > row) shifted[r - 1] = id;
    }
    rowToId_ = std::move(shifted);
    if (list) list->ClearRowSelection();
    g_selectedTransactionRow = -1;
}
