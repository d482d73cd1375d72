#include "ZakladkaListaPsow.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <sstream>
#include <system_error>

#include "ColumnLayout.h"
#include "DataStore.h"
#include "DataWyjsciaNaDach.h"
#include "DodajGolebia.h"
#include "DodajSerieObraczek.h"
#include "DrukujRodowodGolebia.h"
#include "DrzewoGenealogicznePsa.h"
#include "EksportListyDoHTML.h"
#include "Globals.h"
#include "LoftAndCategoryEdits.h"
#include "ListView.h"
#include "PanelPodgladuTab1.h"
#include "PanelPodgladuTab2.h"
#include "PanelPodgladuTab3.h"
#include "PanelPodgladuTab4.h"
#include "PanelPodgladuTab5.h"
#include "PictureBox.h"
#include "PodgladZdjec.h"
#include "PrzeniesPsa.h"
#include "Resources.h"
#include "Sex.h"
#include "SharedRoutines.h"
#include "Sqlite.h"
#include "UstawKolumny.h"
#include "WindowHelpers.h"

namespace {

constexpr int kDefaultPhotoId = 193;
constexpr COLORREF kLinkTextColor = RGB(65, 117, 221);
constexpr COLORREF kPedigreeLinkFill = RGB(228, 236, 250);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The columns a list starts with before the user has chosen any (no rows.dat yet).
ColumnLayoutFile DefaultListColumns() {
    ColumnLayoutFile layout;
    const std::pair<std::int32_t, std::int32_t> columns[] = {
        {ListColumnCountry, 45}, {ListColumnBranch, 60}, {ListColumnYear, 60},
        {ListColumnRing, 90},    {ListColumnName, 150},  {ListColumnSex, 70},
        {ListColumnColour, 100}, {ListColumnRating, 60},
    };
    for (const auto& [code, width] : columns) {
        layout.codes.push_back(code);
        layout.widths[code] = width;
    }
    return layout;
}

Text PersonName(const PersonRecord& person) { return person.imie + u" " + person.nazwisko; }

// The mean of the ratings that were given (above 0), with at most two significant digits.
Text RatingText(const PigeonRecord& pigeon) {
    float sum = 0.0f;
    int count = 0;
    for (const int rating : {pigeon.ocena_zdrowia, pigeon.ocena_lotowa, pigeon.ocena_upierzenia}) {
        if (rating > 0) {
            sum += static_cast<float>(rating);
            ++count;
        }
    }
    if (count == 0) return u"-";
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(2) << sum / static_cast<float>(count);
    return FromUtf8(out.str());
}

// A text up to its first NUL character.
Text UpToNul(const Text& text) { return text.substr(0, text.find(u'\0')); }

}  // namespace

CZakladkaListaPsow::CZakladkaListaPsow(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kFindButton, [this] { FindByRing(); });
    OnClicked(kUpButton, [this] { MoveUp(); });
    OnClicked(kDownButton, [this] { MoveDown(); });
    for (int tab = 1; tab <= kPreviewTabCount; ++tab)
        OnClicked(kFirstTabButton + tab - 1, [this, tab] { ShowPreviewTab(tab); });
    OnDoubleClick(kPigeonList, [this] { OnDoubleClickPigeon(); });
    // Whatever moves the selection (a click, the arrow keys, a command) moves the selected bird.
    if (ListView* list = PigeonList()) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { OnSelectPigeon(); });
    }
}

ListView* CZakladkaListaPsow::PigeonList() const { return List(kPigeonList); }
CPictureBox* CZakladkaListaPsow::PhotoBox() const { return ItemAs<CPictureBox>(kPhoto); }

bool CZakladkaListaPsow::OnInitDialog() {
    previewExpanded = 0;
    Dialog::OnInitDialog();
    listFont_ = Font(QStringLiteral("Verdana"), 16, FW_MEDIUM);
    ReadColumnLayout();

    defaultPhoto_ = LoadBitmap(kDefaultPhotoId);
    if (!defaultPhoto_.isNull() && defaultPhoto_.size() != QSize(214, 148))
        defaultPhoto_ = defaultPhoto_.scaled(214, 148);
    if (CPictureBox* photo = PhotoBox()) photo->displayMode = CPictureBox::kStretched;
    ShowDefaultPhoto();

    if (QLabel* strip = Label(kTabStrip)) {
        strip->setPixmap(QPixmap(QStringLiteral(":/images/tabs-1151.png")));
        strip->setScaledContents(false);
    }
    previewTab1 = new CPanelPodgladuTab1(this);
    previewTab2 = new CPanelPodgladuTab2(this);
    previewTab3 = new CPanelPodgladuTab3(this);
    previewTab4 = new CPanelPodgladuTab4(this);
    previewTab5 = new CPanelPodgladuTab5(this);
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) {
        Dialog* preview = PreviewTab(tab);
        preview->Create(this);
        preview->setVisible(tab == 1);
    }
    TellPreviewTab(1, -1);
    return true;
}

// ---- the list -----------------------------------------------------------------------------------

void CZakladkaListaPsow::ReadColumnLayout() {
    ColumnLayoutFile layout;
    const Text path = ListLayoutPath();
    std::error_code error;
    if (std::filesystem::exists(ToFsPath(path), error)) {
        // A damaged file still gives every column it holds in full.
        layout.Read(path);
    } else {
        layout = DefaultListColumns();
    }
    columnCodes = layout.codes;
    columnWidths = layout.widths;

    ListView* list = PigeonList();
    if (!list) return;
    while (list->GetColumnCount() > 0) list->DeleteColumn(0);
    list->setFont(listFont_);
    list->SetFullRowSelect(true);
    list->SetGridLines(true);
    list->SetCheckBoxes(true);
    list->SetTextColor(RGB(0, 0, 255));
    list->InsertColumn(0, QStringLiteral("..."), ListView::AlignLeft, 30);
    for (size_t i = 0; i < columnCodes.size(); ++i) {
        const std::int32_t code = columnCodes[i];
        const auto width = columnWidths.find(code);
        const int pixels = width == columnWidths.end() ? 0 : (width->second & 0xFFFF);
        const int column = list->InsertColumn(static_cast<int>(i) + 1, ListColumnTitle(code),
                                              ListView::AlignLeft, pixels);
        // Birds of one loft differ at their ring's end: a column that shows a ring widens to it
        // as far as the list has room, and where it is still cut the ring keeps its end.
        if (code == ListColumnRing || code == ListColumnFather || code == ListColumnMother) {
            list->SetColumnFit(column, ListView::ColumnFit::WhenRoom);
            list->SetColumnElider(column, ElideBirdText);
        }
    }
}

void CZakladkaListaPsow::EmptyList() {
    g_selectedPigeonRow = -1;
    rowPigeonIds.clear();
    rowMembershipIds.clear();
    if (ListView* list = PigeonList()) list->DeleteAllItems();
    // Emptying the selection only empties tab 1; the other tabs would keep a bird the list may
    // no longer hold, and their edit buttons would open it.
    ClearPreview();
}

int CZakladkaListaPsow::ShowCategory(int loftIndex, int categoryId) {
    EmptyList();
    if (loftIndex == -1 && categoryId == -1) return -1;

    const CDataStore& store = TheDataStore();
    int n = 0;
    for (const CategoryMember& member : store.LoadCategoryMembers(categoryId)) {
        rowPigeonIds[n] = member.pigeonId;
        rowMembershipIds[n] = member.rowId;
        SetPigeonRow(-1, store.FindPigeon(member.pigeonId));
        ++n;
    }
    if (categoryCountLabel) categoryCountLabel->setText(QStringLiteral("(%1)").arg(n));
    // Every add, delete, move, copy and ring series ends in a new fill: the loft's count is
    // brought up to date with it.
    const std::vector<LoftRecord>& lofts = store.Lofts();
    if (loftCountLabel && loftIndex >= 0 && loftIndex < static_cast<int>(lofts.size()))
        loftCountLabel->setText(QStringLiteral("(%1)").arg(PigeonCountOfLoft(lofts[loftIndex].id)));
    return -1;
}

int CZakladkaListaPsow::SetPigeonRow(int row, const PigeonRecord& pigeon) {
    ListView* list = PigeonList();
    if (!list) return -1;
    if (row == -1) {
        row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    } else {
        list->SetItemText(row, 0, QStringLiteral(" "));
    }
    for (size_t i = 0; i < columnCodes.size(); ++i)
        list->SetItemText(row, static_cast<int>(i) + 1, CellText(pigeon, columnCodes[i]));
    return row;
}

Text CZakladkaListaPsow::GetCellText(int pigeonId, int columnCode) const {
    return CellText(TheDataStore().FindPigeon(pigeonId), columnCode);
}

Text CZakladkaListaPsow::CellText(const PigeonRecord& pigeon, int columnCode) {
    const CDataStore& store = TheDataStore();
    Text text;
    switch (columnCode) {
    case ListColumnName: text = pigeon.nazwa; break;
    case ListColumnSex:
        text = SexOf(pigeon) == Sex::Unknown ? u"N/A" : SexText(SexOf(pigeon), u"");
        break;
    case ListColumnColour: text = CDataStore::FindName(store.ColourNames(), pigeon.id_koloru); break;
    case ListColumnFather: text = store.FindPigeon(pigeon.id_ojca).GetDisplayName(); break;
    case ListColumnMother: text = store.FindPigeon(pigeon.id_matki).GetDisplayName(); break;
    case ListColumnBreeder: text = PersonName(store.FindBreeder(pigeon.id_hodowcy)); break;
    case ListColumnOwner: text = PersonName(store.FindClient(pigeon.id_wlasciciela)); break;
    case ListColumnBreed: text = CDataStore::FindName(store.BreedNames(), pigeon.id_rasy); break;
    case ListColumnPhoto: text = pigeon.photos.empty() ? u"Brak" : u"Jest"; break;
    case ListColumnLine: text = CDataStore::FindName(store.LineNames(), pigeon.id_linia); break;
    case ListColumnRoofDate: text = FormatTime(pigeon.DataF1, "%d/%m/%y"); break;
    case ListColumnCountry: text = pigeon.kraj; break;
    case ListColumnBranch: text = pigeon.oddzial; break;
    case ListColumnRing: text = pigeon.nr_obraczki; break;
    case ListColumnYear: text = pigeon.rocznik; break;
    case ListColumnStatus: text = CDataStore::FindName(store.StatusNames(), pigeon.id_statusu); break;
    case ListColumnRating: text = RatingText(pigeon); break;
    default: break;  // "LP.", "Notatka", "Przydomek" and unknown codes stay blank
    }
    // No cell is ever empty.
    if (text.empty()) text = u" ";
    return text;
}

// ---- selection ----------------------------------------------------------------------------------

bool CZakladkaListaPsow::HasSelection() const {
    const ListView* list = PigeonList();
    return list && g_selectedPigeonRow >= 0 && g_selectedPigeonRow < list->GetItemCount() &&
           rowPigeonIds.count(g_selectedPigeonRow) > 0;
}

bool CZakladkaListaPsow::HasSelectionOrSay() {
    if (HasSelection()) return true;
    MessageBox(this, u"Wybierz ptaka z listy");
    return false;
}

int CZakladkaListaPsow::SelectedPigeonId() const {
    return HasSelection() ? rowPigeonIds.at(g_selectedPigeonRow) : 0;
}

void CZakladkaListaPsow::ShowDefaultPhoto() {
    if (CPictureBox* photo = PhotoBox()) {
        photo->SetBitmap(defaultPhoto_);
        photo->update();
    }
}

Dialog* CZakladkaListaPsow::PreviewTab(int tab) const {
    switch (tab) {
    case 1: return previewTab1;
    case 2: return previewTab2;
    case 3: return previewTab3;
    case 4: return previewTab4;
    case 5: return previewTab5;
    default: return nullptr;
    }
}

void CZakladkaListaPsow::TellPreviewTab(int tab, int pigeonId) {
    previewPigeonIds_[tab - 1] = pigeonId;
    switch (tab) {
    case 1: if (previewTab1) previewTab1->ShowPigeon(pigeonId); break;
    case 2: if (previewTab2) previewTab2->ShowPigeon(pigeonId); break;
    case 3: if (previewTab3) previewTab3->ShowPigeon(pigeonId); break;
    case 4: if (previewTab4) previewTab4->ShowPigeon(pigeonId); break;
    case 5: if (previewTab5) previewTab5->ShowPigeon(pigeonId); break;
    default: break;
    }
}

void CZakladkaListaPsow::ClearPreview() {
    ShowDefaultPhoto();
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) TellPreviewTab(tab, -1);
    if (previewTab2) previewTab2->ShowNoPigeon();
}

void CZakladkaListaPsow::RefreshPreview() {
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) {
        if (previewPigeonIds_[tab - 1] != -1) TellPreviewTab(tab, previewPigeonIds_[tab - 1]);
    }
}

void CZakladkaListaPsow::OnSelectPigeon() {
    ListView* list = PigeonList();
    const int row = list ? list->FirstSelectedRow() : -1;
    const auto bird = rowPigeonIds.find(row);
    if (row < 0 || bird == rowPigeonIds.end()) {
        g_selectedPigeonRow = -1;
        ShowDefaultPhoto();
        TellPreviewTab(1, -1);
        return;
    }
    g_selectedPigeonRow = row;
    const int pigeonId = bird->second;
    const PigeonRecord& pigeon = TheDataStore().FindPigeon(pigeonId);
    CPictureBox* photo = PhotoBox();
    if (photo && !pigeon.photos.empty()) {
        PhotoRecord first = pigeon.photos.front();
        photo->LoadFromFile(first.GetEscapedFilePath());
        photo->update();
    } else {
        ShowDefaultPhoto();
    }
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) TellPreviewTab(tab, pigeonId);
}

void CZakladkaListaPsow::OnDoubleClickPigeon() {
    OnSelectPigeon();
    if (HasSelection()) EditPigeon();
}

// ---- layout, painting and clicks ----------------------------------------------------------------

void CZakladkaListaPsow::ComputeLayout() {
    const Rect client = GetClientRect();
    const int w = client.right;
    const int h = client.bottom;
    listTallRect_ = Rect(240, 0, w - 45, h - 160);
    listShortRect_ = Rect(240, 0, w - 45, h - 460);
    previewTab1Rect_ = Rect(240, h - 162, w - 45, h - 28);
    previewTabsRect_ = Rect(240, h - 458, w - 45, h - 28);
    tabStripRect_ = Rect(240, h - 22, 958, h);
    upRect_ = Rect(w - 40, 120, w - 5, 150);
    downRect_ = Rect(w - 40, 160, w - 5, 190);
}

void CZakladkaListaPsow::MoveControls() {
    if (ListView* list = PigeonList()) list->setGeometry(ListRect().ToQRect());
    if (QWidget* strip = Item(kTabStrip)) strip->setGeometry(tabStripRect_.ToQRect());
    if (QWidget* up = Item(kUpButton)) up->setGeometry(upRect_.ToQRect());
    if (QWidget* down = Item(kDownButton)) down->setGeometry(downRect_.ToQRect());
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) {
        if (Dialog* preview = PreviewTab(tab))
            preview->setGeometry((tab == 1 ? previewTab1Rect_ : previewTabsRect_).ToQRect());
    }
}

void CZakladkaListaPsow::ShowPreviewTab(int tab) {
    if (tab < 1 || tab > kPreviewTabCount) return;
    previewExpanded = tab == 1 ? 0 : 1;
    ComputeLayout();
    for (int other = 1; other <= kPreviewTabCount; ++other) {
        if (Dialog* preview = PreviewTab(other); preview && other != tab) preview->hide();
    }
    if (ListView* list = PigeonList()) list->setGeometry(ListRect().ToQRect());
    if (Dialog* preview = PreviewTab(tab)) {
        preview->setGeometry((tab == 1 ? previewTab1Rect_ : previewTabsRect_).ToQRect());
        preview->show();
    }
}

const std::vector<CZakladkaListaPsow::Link>& CZakladkaListaPsow::Links() {
    using Page = CZakladkaListaPsow;
    static const std::vector<Link> links = {
        {u"Dodaj gołębia", 50, 80, [](Page& page) { page.AddPigeon(); }},
        {u"Edytuj gołębia", 80, 110, [](Page& page) { page.EditPigeon(); }},
        {u"Usuń z listy", 110, 140, [](Page& page) { page.DeletePigeon(); }},
        {u"Przenieś do...", 140, 170, [](Page& page) { page.MovePigeon(); }},
        {u"Drzewo genealogiczne", 170, 200, [](Page& page) { page.ShowFamilyTree(); }},
        {u"Wydrukuj kategorie", 200, 230, [](Page& page) { page.PrintCategory(); }},
        {u"Drukuj Rodowód", 230, 260, [](Page& page) { page.PrintPedigree(); }},
    };
    return links;
}

void CZakladkaListaPsow::OnEraseBkgnd(Dc& dc) {
    Dialog::OnEraseBkgnd(dc);
    for (const Rect& panel : {Rect(5, 15, 210, 170), Rect(5, 170, 210, 260),
                              Rect(5, 290, 210, 385), kPhotoArea}) {
        dc.FillSolidRect(panel, kWhite);
    }
    const QFont previous = dc.SelectFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF previousColor = dc.SetTextColor(kLinkTextColor);
    for (const Link& link : Links()) {
        Rect row(5, link.top, 210, link.bottom);
        if (Text(link.text) == u"Drukuj Rodowód") dc.FillSolidRect(row, kPedigreeLinkFill);
        Rect text = row;
        text.left += 30;
        dc.DrawText(Text(link.text), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        dc.DrawEdge(row, BDR_RAISEDINNER, BF_BOTTOM);
    }
    dc.SetTextColor(previousColor);
    dc.SetBkMode(previousMode);
    dc.SelectFont(previous);
}

void CZakladkaListaPsow::OnLButtonDown(const QPoint& point) {
    const int h = GetClientRect().bottom;
    const int tabEdges[] = {240, 350, 530, 695, 825, 1025};
    for (int tab = 1; tab <= kPreviewTabCount; ++tab) {
        if (Rect(tabEdges[tab - 1], h - 22, tabEdges[tab], h).Contains(point)) ShowPreviewTab(tab);
    }
    for (const Link& link : Links()) {
        if (Rect(5, link.top, 210, link.bottom).Contains(point)) link.run(*this);
    }
    if (kPhotoArea.Contains(point)) ShowPhotos();
    Dialog::OnLButtonDown(point);
}

bool CZakladkaListaPsow::PreTranslateKey(QWidget* target, QKeyEvent* event) {
    if (event->key() == Qt::Key_F5) {
        EditRoofDate();
        return true;
    }
    return Dialog::PreTranslateKey(target, event);
}

// ---- commands -----------------------------------------------------------------------------------

void CZakladkaListaPsow::ShowCurrentCategory() {
    if (const CategoryRecord* category = CurrentCategory())
        ShowCategory(g_currentLoftIndex, category->id);
}

void CZakladkaListaPsow::AddPigeon() {
    if (!CurrentLoft() || !CurrentCategory()) {
        MessageBox(this, u"Nie można dodać gołębia do listy nie wybierając kategorii");
        return;
    }
    ListView* list = PigeonList();
    const int rowsBefore = list->GetItemCount();
    CDodajGolebia editor;
    editor.onBirdAdded = [this](const PigeonRecord& bird) { SetPigeonRow(-1, bird); };
    editor.showKeepOpenBox = 1;
    editor.mode = EditorMode::Add;
    if (editor.DoModal() == IDOK && editor.record.id <= 0)
        MessageBox(this, u"Błąd dodawania ptaka do hodowli");
    // The editor appended rows of its own; reading the category again maps each row to its
    // bird and its membership row.
    if (list->GetItemCount() > rowsBefore) ShowCurrentCategory();
}

void CZakladkaListaPsow::EditPigeon() {
    if (!HasSelectionOrSay()) return;
    const int row = g_selectedPigeonRow;
    const PigeonMap& pigeons = TheDataStore().Pigeons();
    const auto stored = pigeons.find(rowPigeonIds.at(row));
    if (stored == pigeons.end()) return;
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = stored->second;
    if (editor.DoModal() != IDOK) return;
    SetPigeonRow(row, editor.record);
    OnSelectPigeon();
}

void CZakladkaListaPsow::DeletePigeon() {
    if (!HasSelectionOrSay() || !CurrentLoft() || !CurrentCategory()) return;
    if (!AskYesNo(this, u"Czy napewno usunąć wybranego gołębia?", u"Czy usunąć?")) return;
    const int row = g_selectedPigeonRow;
    // The bird goes with everything that is only its own, or with nothing at all.
    if (!TheDataStore().DeletePigeonWithRows(rowPigeonIds.at(row))) return;
    PigeonList()->DeleteItem(row);
    g_selectedPigeonRow = -1;
    ShowCurrentCategory();
}

void CZakladkaListaPsow::MovePigeon() {
    if (!HasSelectionOrSay() || !CurrentLoft() || !CurrentCategory()) return;
    const int pigeonId = SelectedPigeonId();
    const int categoryId = CurrentCategory()->id;
    CPrzeniesPsa target;
    if (target.DoModal() != IDOK || target.targetIndex == -1) return;
    switch (MovePigeonToCategory(pigeonId, categoryId, target.targetIndex, target.keepCopy)) {
    case MoveOutcome::Moved:
    case MoveOutcome::Copied:
        break;
    case MoveOutcome::Nothing:
        // The bird stays where it is listed; the list is left as it stands.
        MessageBox(this, u"Gołąb jest już w wybranej kategorii.");
        return;
    case MoveOutcome::Failed:
        MessageBox(this, target.keepCopy ? u"Nie udało się skopiować gołębia do wybranej kategorii."
                                         : u"Nie udało się przenieść gołębia do wybranej kategorii.");
        return;
    }
    g_selectedPigeonRow = -1;
    ShowCurrentCategory();
}

bool CZakladkaListaPsow::SwapRows(int a, int b) {
    const int birdA = rowPigeonIds.at(a);
    const int birdB = rowPigeonIds.at(b);
    const int membershipA = rowMembershipIds.at(a);
    const int membershipB = rowMembershipIds.at(b);
    // The membership rows stay where they are and trade their birds, which is what changes
    // the stored order.
    if (!TheDataStore().SwapCategoryMembers(membershipA, birdA, membershipB, birdB)) return false;
    rowPigeonIds[a] = birdB;
    rowPigeonIds[b] = birdA;
    const CDataStore& store = TheDataStore();
    SetPigeonRow(a, store.FindPigeon(birdB));
    SetPigeonRow(b, store.FindPigeon(birdA));
    return true;
}

void CZakladkaListaPsow::MoveUp() {
    if (!HasSelectionOrSay()) return;
    const int row = g_selectedPigeonRow;
    if (row == 0) {
        MessageBox(this, u"Gołąb pierwszy na liście");
        return;
    }
    if (!SwapRows(row, row - 1)) return;
    PigeonList()->SelectRow(row - 1);
    PigeonList()->EnsureVisible(row - 1);
    g_selectedPigeonRow = row - 1;
}

void CZakladkaListaPsow::MoveDown() {
    if (!HasSelectionOrSay()) return;
    const int row = g_selectedPigeonRow;
    if (row + 1 == PigeonList()->GetItemCount()) {
        MessageBox(this, u"Gołąb jest ostatni na liście");
        return;
    }
    if (!SwapRows(row, row + 1)) return;
    PigeonList()->SelectRow(row + 1);
    PigeonList()->EnsureVisible(row + 1);
    g_selectedPigeonRow = row + 1;
}

void CZakladkaListaPsow::FindByRing() {
    searchRingText = ItemText(kRingEdit);
    const CDataStore& store = TheDataStore();
    int foundLoft = -1;
    int foundCategory = -1;
    int foundRow = -1;
    // Every loft and category in order; the last bird found wins.
    for (size_t i = 0; i < store.Lofts().size(); ++i) {
        const std::vector<CategoryRecord>& categories = store.Lofts()[i].categories;
        for (size_t j = 0; j < categories.size(); ++j) {
            const std::vector<CategoryMember> members = store.LoadCategoryMembers(categories[j].id);
            for (size_t n = 0; n < members.size(); ++n) {
                if (UpToNul(store.FindPigeon(members[n].pigeonId).nr_obraczki) == searchRingText) {
                    foundLoft = static_cast<int>(i);
                    foundCategory = static_cast<int>(j);
                    foundRow = static_cast<int>(n);
                }
            }
        }
    }
    if (foundRow < 0) {
        MessageBox(this, u"Nie znaleziono gołębia o podanym numerze obrączki", u"Nie znaleziono");
        return;
    }
    if (selectLoftAndCategory) {
        selectLoftAndCategory(foundCategory, foundLoft);
    } else {
        g_currentLoftIndex = foundLoft;
        g_currentCategoryIndex = foundCategory;
        ShowCurrentCategory();
    }
    ListView* list = PigeonList();
    if (foundRow >= list->GetItemCount()) return;
    list->SelectRow(foundRow);
    list->EnsureVisible(foundRow);
    g_selectedPigeonRow = foundRow;
}

void CZakladkaListaPsow::AddRingSeries() {
    const LoftRecord* loft = CurrentLoft();
    const CategoryRecord* category = CurrentCategory();
    if (!loft || !category) {
        MessageBox(this, u"You must select category from list of categories", u"Error");
        return;
    }
    const int loftId = loft->id;
    const int categoryId = category->id;
    CDodajSerieObraczek series;
    if (series.DoModal() != IDOK) return;
    ::AddRingSeries(this, series, loftId, categoryId);
    ShowCurrentCategory();
}

void CZakladkaListaPsow::EditRoofDate() {
    if (!HasSelectionOrSay()) return;
    const int row = g_selectedPigeonRow;
    const int pigeonId = rowPigeonIds.at(row);
    CDataStore& store = TheDataStore();
    if (!store.Pigeons().count(pigeonId)) return;
    CDataWyjsciaNaDach dialog;
    dialog.roofDate = store.Pigeons().at(pigeonId).DataF1;
    if (dialog.DoModal() != IDOK) return;
    if (!store.WritePigeonRoofDate(pigeonId, dialog.roofDate)) return;
    const auto bird = store.Pigeons().find(pigeonId);
    if (bird == store.Pigeons().end()) return;
    SetPigeonRow(row, bird->second);
}

void CZakladkaListaPsow::AddToIld() {
    if (HasSelectionOrSay()) TheDataStore().AddToIldList(SelectedPigeonId());
}

void CZakladkaListaPsow::RemoveFromIld() {
    if (HasSelectionOrSay()) TheDataStore().RemoveFromIldList(SelectedPigeonId());
}

void CZakladkaListaPsow::PrintCategory() {
    const CategoryRecord* category = CurrentCategory();
    if (!category) {
        MessageBox(this, kNoCategoryText);
        return;
    }
    CEksportListyDoHTML list(this);
    list.title = u"Drukuj Kategorie";
    for (const CategoryMember& member : TheDataStore().LoadCategoryMembers(category->id))
        list.birdIds.push_back(member.pigeonId);
    list.DoModal();
}

void CZakladkaListaPsow::PrintIld() {
    CEksportListyDoHTML list(this);
    list.title = u"Drukuj ILD";
    list.birdIds = TheDataStore().LoadIldList();
    list.DoModal();
}

void CZakladkaListaPsow::PrintPedigree() {
    if (!HasSelection()) {
        MessageBox(this, u"Musisz wybrać gołębia z listy, aby wydrukować jego rodowów");
        return;
    }
    CDrukujRodowodGolebia pedigree(this);
    pedigree.ancestors[0] = TheDataStore().FindPigeon(SelectedPigeonId());
    pedigree.DoModal();
}

void CZakladkaListaPsow::ShowFamilyTree() {
    if (!HasSelection()) {
        MessageBox(this, u"Wybierz ptaka z listy");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, SelectedPigeonId());
}

void CZakladkaListaPsow::ShowPhotos() {
    if (!HasSelection()) {
        MessageBox(this, u"Wybierz gołębia z listy, aby przeglądać zdjęcia");
        return;
    }
    const PigeonRecord& pigeon = TheDataStore().FindPigeon(SelectedPigeonId());
    if (pigeon.photos.empty()) {
        MessageBox(this, u"Wybrany gołąb nie posiada aktualnie żadnych zdjęć.");
        return;
    }
    CPodgladZdjec viewer;
    viewer.photos = pigeon.photos;
    viewer.DoModal();
}

void CZakladkaListaPsow::SetupColumns() {
    CUstawKolumny setup;
    setup.columnCodes = columnCodes;
    setup.columnWidths = columnWidths;
    setup.dialogTitle = u"Ustaw kolumny na liście gołębi";
    if (setup.DoModal() != IDOK) return;
    ReadColumnLayout();
    if (CurrentLoft() && CurrentCategory()) {
        g_selectedPigeonRow = -1;
        ShowCurrentCategory();
        return;
    }
    // No category to read again: the rows shown get the new columns in place.
    const CDataStore& store = TheDataStore();
    for (const auto& [row, pigeonId] : rowPigeonIds) SetPigeonRow(row, store.FindPigeon(pigeonId));
}
