#include "ZakladkaEdycjaPtaka.h"

#include "DataStore.h"
#include "DodajEdytujPare2.h"
#include "DodajPsaDoPary.h"
#include "DodajSezon.h"
#include "DrukujKarteMiotu.h"
#include "Fotoparowanie.h"
#include "Globals.h"
#include "ListView.h"
#include "PageLinks.h"
#include "PairResultsPage.h"
#include "Places.h"
#include "PodgladHTML.h"
#include "RecordPage.h"
#include "Sex.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowHelpers.h"

namespace {

constexpr COLORREF kPairLinks = RGB(65, 117, 221);
constexpr COLORREF kYoungLinks = RGB(0, 146, 0);
constexpr char16_t kAllPairs[] = u"Wszystkie Pary";

const PageLink kLinks[CZakladkaEdycjaPtaka::kLinkCount] = {
    {u"Dodaj nową pare", {5, 180, 210, 210}, kPairLinks},
    {u"Parowanie według oka", {5, 210, 210, 240}, kPairLinks},
    {u"Edytuj parę", {5, 240, 210, 270}, kPairLinks},
    {u"Usuń pare", {5, 270, 210, 300}, kPairLinks},
    {u"Drukuj kartę parowania", {5, 300, 210, 330}, kPairLinks},
    {u"Dodaj młodego", {5, 395, 210, 425}, kYoungLinks},
    {u"Edytuj młodego", {5, 425, 210, 455}, kYoungLinks},
    {u"Usuń młodego", {5, 455, 210, 485}, kYoungLinks},
};

// White behind the pair links and behind the young links.
constexpr Rect kBackgrounds[] = {{5, 145, 210, 300}, {5, 360, 210, 485}};

// A full ring with a long name is wider than the widths below: those columns widen to it as far
// as the list has room.
const ListColumn kPairColumns[] = {
    {u"...", 30},           {u"Samiec ", 160, ColumnText::Bird}, {u"Samica", 160, ColumnText::Bird},
    {u"Data parowania", 130}, {u"Uwagi", 160},
};
const ListColumn kYoungColumns[] = {
    {u"...", 30}, {u"Obrączka Gołębia", 140, ColumnText::Bird}, {u"Płeć", 140}, {u"Uwagi", 180},
};

}  // namespace

CZakladkaEdycjaPtaka::CZakladkaEdycjaPtaka(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kPairList, [this] { OnPairClick(); });
    OnDoubleClick(kPairList, [this] { OnPairDoubleClick(); });
    OnClicked(kYoungList, [this] { OnYoungClick(); });
    OnClicked(kAddSeasonButton, [this] { AddBreedingSeason(); });
    OnClicked(kDeleteSeasonButton, [this] { DeleteBreedingSeason(); });
    OnSelChange(kSeasonCombo, [this] { OnSeasonChange(); });
    // Enter in the lists must not reach the main window's default command.
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

ComboBox* CZakladkaEdycjaPtaka::SeasonCombo() const { return Combo(kSeasonCombo); }
ListView* CZakladkaEdycjaPtaka::PairList() const { return List(kPairList); }
ListView* CZakladkaEdycjaPtaka::YoungList() const { return List(kYoungList); }

const PairRecord* CZakladkaEdycjaPtaka::SelectedPair() const {
    if (selectedPair_ < 0 || selectedPair_ >= static_cast<int>(shownPairs_.size())) return nullptr;
    return &shownPairs_[selectedPair_];
}

constexpr char16_t kChoosePair[] = u"Musisz wybrać parę z listy par";
constexpr char16_t kChooseYoung[] = u"Musisz wybrać młodego z listy młodych";

bool CZakladkaEdycjaPtaka::OnInitDialog() {
    Dialog::OnInitDialog();
    listFont_ = Font(QStringLiteral("Tahoma"), 16, FW_MEDIUM);
    SetUpRecordList(PairList(), listFont_, kPairColumns);
    SetUpRecordList(YoungList(), listFont_, kYoungColumns);
    for (int link = 0; link < kLinkCount; ++link) links_[link] = kLinks[link].rect;
    FillPairList(kAllSeasons);
    return true;
}

// ---- lists ------------------------------------------------------------------------------------

void CZakladkaEdycjaPtaka::FillPairList(int seasonIndex) {
    if (ListView* list = YoungList()) list->DeleteAllItems();
    if (ListView* list = PairList()) list->DeleteAllItems();
    const CDataStore& store = TheDataStore();
    shownPairs_ = PairsInSeason(store.Pairs(), store.BreedingSeasons(), seasonIndex);
    for (const PairRecord& pair : shownPairs_) SetPairRow(-1, pair);
    selectedPair_ = selectedYoung_ = -1;
}

void CZakladkaEdycjaPtaka::SetPairRow(int row, const PairRecord& pair) {
    ListView* list = PairList();
    if (!list) return;
    row = RecordRow(list, row);
    const CDataStore& store = TheDataStore();
    list->SetItemText(row, 1, store.FindPigeon(pair.id_samca).GetDisplayName());
    list->SetItemText(row, 2, store.FindPigeon(pair.id_samicy).GetDisplayName());
    list->SetItemText(row, 3, FormatTime(pair.DataParowania, "%d/%m/%y, %H:%M"));
    list->SetItemText(row, 4, pair.uwagi.substr(0, 30));
}

void CZakladkaEdycjaPtaka::SetYoungRow(int row, const YoungRecord& young) {
    ListView* list = YoungList();
    if (!list) return;
    row = RecordRow(list, row);
    const PigeonRecord& bird = TheDataStore().FindPigeon(young.id_golebia);
    list->SetItemText(row, 1, bird.GetDisplayName());
    list->SetItemText(row, 2, std::u16string(SexText(SexOf(bird), u"")));
    list->SetItemText(row, 3, young.uwagi);
}

void CZakladkaEdycjaPtaka::ShowYoungOfSelectedPair() {
    if (ListView* list = YoungList()) list->DeleteAllItems();
    selectedYoung_ = -1;
    if (const PairRecord* pair = SelectedPair()) {
        for (const YoungRecord& young : pair->young) SetYoungRow(-1, young);
    }
}

void CZakladkaEdycjaPtaka::OnSeasonChange() {
    if (const auto seasonIndex = ChosenSeasonIndex(SeasonCombo())) FillPairList(*seasonIndex);
}

void CZakladkaEdycjaPtaka::OnPairClick() {
    ListView* list = PairList();
    if (!list) return;
    selectedPair_ = list->FirstSelectedRow();
    if (selectedPair_ != -1) list->SelectRow(selectedPair_);
    ShowYoungOfSelectedPair();
}

void CZakladkaEdycjaPtaka::OnPairDoubleClick() {
    OnPairClick();
    EditPair();
}

void CZakladkaEdycjaPtaka::OnYoungClick() {
    ListView* list = YoungList();
    if (!list) return;
    selectedYoung_ = list->FirstSelectedRow();
    if (selectedYoung_ != -1) list->SelectRow(selectedYoung_);
}

// ---- layout and links -------------------------------------------------------------------------

void CZakladkaEdycjaPtaka::LayoutControls() {
    const Rect client = GetClientRect();
    const int w = client.Width();
    const int h = client.Height();
    if (ListView* list = PairList()) list->setGeometry(240, 0, w - 250, h / 2);
    if (ListView* list = YoungList()) list->setGeometry(240, h / 2 + 10, w - 250, h / 2 - 20);
    update();
}

void CZakladkaEdycjaPtaka::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    LayoutControls();
}

void CZakladkaEdycjaPtaka::OnEraseBkgnd(Dc& dc) {
    Dialog::OnEraseBkgnd(dc);
    for (const Rect& background : kBackgrounds) dc.FillSolidRect(background, RGB(255, 255, 255));
    PaintPageLinks(dc, kLinks, links_);
}

void CZakladkaEdycjaPtaka::OnLButtonDown(const QPoint& point) {
    OnPageClick(point);
    Dialog::OnLButtonDown(point);
}

void CZakladkaEdycjaPtaka::OnPageClick(const QPoint& point) {
    switch (LinkAt(links_, point)) {
        case kLinkAddPair: AddPair(); break;
        case kLinkPhotoPairing: PhotoPairing(); break;
        case kLinkEditPair: EditPair(); break;
        case kLinkDeletePair: DeletePair(); break;
        case kLinkPrintLitterCard: PrintLitterCard(); break;
        case kLinkAddYoung: AddYoung(); break;
        case kLinkEditYoung: EditYoung(); break;
        case kLinkDeleteYoung: DeleteYoung(); break;
        default: break;  // beside the links
    }
}

// ---- pairs ------------------------------------------------------------------------------------

// After a pair is added, edited or deleted the list shows every pair, and the chooser says so: a
// new pair merely appended to a season's list, or an edited one whose date moved, could lie
// outside that season, and a list left on a season after a deletion would name a filter it no
// longer follows.
void CZakladkaEdycjaPtaka::ShowEveryPair() {
    FillPairList(kAllSeasons);
    ChooseAllSeasons(SeasonCombo());
}

void CZakladkaEdycjaPtaka::AddPair() {
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;
    CDodajEdytujPare2 editor(this);
    editor.mode = EditorMode::Add;
    editor.pair.id_hodowli = loft->id;
    if (editor.DoModal() == IDOK && editor.pair.id > 0) ShowEveryPair();
}

void CZakladkaEdycjaPtaka::PhotoPairing() {
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;
    CFotoparowanie window(this);
    window.pair.id_hodowli = loft->id;
    if (window.DoModal() == IDOK && window.pair.id > 0) ShowEveryPair();
}

void CZakladkaEdycjaPtaka::EditPair() {
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;
    const PairRecord* shown = SelectedPair();
    if (!PresentOrSay(this, shown != nullptr, kChoosePair)) return;
    CDodajEdytujPare2 editor(this);
    editor.mode = EditorMode::Edit;
    editor.pair = *shown;
    editor.pair.id_hodowli = loft->id;
    if (editor.DoModal() == IDOK) ShowEveryPair();
}

void CZakladkaEdycjaPtaka::DeletePair() {
    if (!CurrentLoftOrSay(this)) return;
    if (!PresentOrSay(this, SelectedPair() != nullptr, kChoosePair)) return;
    if (!AskYesNo(this, u"Czy napewno usunąć wybraną parę?", u"Usuwanie pary")) return;
    PairRecord pair = shownPairs_[selectedPair_];
    if (!TheDataStore().WritePair(WriteMode::Delete, pair)) {
        MessageBox(this, u"Nie udało się usunąć pary.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    ShowEveryPair();
}

// ---- young ------------------------------------------------------------------------------------

void CZakladkaEdycjaPtaka::AddYoung() {
    const PairRecord* pair = SelectedPair();
    if (!PresentOrSay(this, pair != nullptr, u"Musisz wybrać parę do której chcesz dodać młodego"))
        return;
    CDodajPsaDoPary editor(this);
    editor.mode = EditorMode::Add;
    editor.pairId = pair->id;
    editor.fatherId = pair->id_samca;
    editor.motherId = pair->id_samicy;
    if (editor.DoModal() != IDOK || editor.young.id <= 0) return;
    SetYoungRow(-1, editor.young);
    shownPairs_[selectedPair_].young.push_back(editor.young);
}

const PairRecord* CZakladkaEdycjaPtaka::PairWithChosenYoungOrSay() {
    const PairRecord* pair = SelectedPair();
    if (!PresentOrSay(this, pair != nullptr, kChoosePair)) return nullptr;
    const bool young = selectedYoung_ >= 0 && selectedYoung_ < static_cast<int>(pair->young.size());
    return PresentOrSay(this, young, kChooseYoung) ? pair : nullptr;
}

void CZakladkaEdycjaPtaka::EditYoung() {
    const PairRecord* pair = PairWithChosenYoungOrSay();
    if (!pair) return;
    CDodajPsaDoPary editor(this);
    editor.mode = EditorMode::Edit;
    editor.pairId = pair->id;
    editor.fatherId = pair->id_samca;
    editor.motherId = pair->id_samicy;
    editor.young = pair->young[selectedYoung_];
    if (editor.DoModal() != IDOK) return;
    SetYoungRow(selectedYoung_, editor.young);
    shownPairs_[selectedPair_].young[selectedYoung_] = editor.young;
}

void CZakladkaEdycjaPtaka::DeleteYoung() {
    const PairRecord* pair = PairWithChosenYoungOrSay();
    if (!pair) return;
    if (!AskYesNo(this, u"Czy napewno usunąć wybranego młodego z listy?",
                  u"Usuwanie młodego z listy dzieci")) {
        return;
    }
    YoungRecord young = pair->young[selectedYoung_];
    if (!TheDataStore().WriteYoung(WriteMode::Delete, young)) {
        MessageBox(this, u"Nie udało się usunąć młodego z listy.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    if (ListView* list = YoungList()) list->DeleteItem(selectedYoung_);
    auto& kept = shownPairs_[selectedPair_].young;
    kept.erase(kept.begin() + selectedYoung_);
    selectedYoung_ = -1;
}

// ---- seasons ----------------------------------------------------------------------------------

void CZakladkaEdycjaPtaka::AddBreedingSeason() {
    if (CDodajSezon::AddSeason(SeasonKind::Breeding, this) != IDOK) return;
    // The new season comes last and the lists stay as they are, so the chosen entry (or none)
    // still says what the list shows.
    ComboBox* combo = SeasonCombo();
    FillSeasonCombo(combo, kAllPairs, TheDataStore().BreedingSeasons(),
                    combo ? combo->GetCurSel() : 0);
}

void CZakladkaEdycjaPtaka::DeleteBreedingSeason() {
    CDataStore& store = TheDataStore();
    DeleteChosenSeason(this, SeasonCombo(), store.BreedingSeasons(),
                       u"Czy napewno usunąć wybrany sezon lęgowy?", [&store](int index) {
                           return store.DeleteBreedingSeason(store.BreedingSeasons()[index].id);
                       });
}

// ---- the litter card --------------------------------------------------------------------------

void CZakladkaEdycjaPtaka::PrintLitterCard() {
    const PairRecord* pair = SelectedPair();
    if (!PresentOrSay(this, pair != nullptr, kChoosePair)) return;
    CDrukujKarteMiotu card(this);
    card.title = u"Karta Parowania";
    card.maleId = pair->id_samca;
    card.femaleId = pair->id_samicy;
    for (const YoungRecord& young : pair->young) card.youngIds.push_back(young.id_golebia);
    card.DoModal();
}

// ---- the offspring's results ------------------------------------------------------------------

void CZakladkaEdycjaPtaka::ShowPairYoungResults() {
    const PairRecord* pair = SelectedPair();
    if (!PresentOrSay(this, pair != nullptr, kChoosePair)) return;
    // Offspring of every loft: the birds whose father and mother are the pair's birds.
    std::vector<PigeonRecord> offspring;
    for (const auto& [id, bird] : TheDataStore().Pigeons()) {
        if (bird.id_ojca == pair->id_samca && bird.id_matki == pair->id_samicy) {
            offspring.push_back(bird);
        }
    }
    const Text path = places::OutputPage(QStringLiteral("wyniki.html")).toStdU16String();
    // A page that could not be written is not previewed: the file may hold another pair's.
    if (!BuildPairResultsHtml(path, offspring, *pair)) {
        MessageBox(this, u"Nie udało się zapisać wyników lotowych pary do pliku.");
        return;
    }
    CPodgladHTML preview(this);
    preview.path = path;
    preview.DoModal();
}
