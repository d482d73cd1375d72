#include "ZakladkaLotyGolebi.h"

#include "DataStore.h"
#include "DodajGolebiaDoLotu.h"
#include "DodajSezon.h"
#include "Globals.h"
#include "ImportujWynikiLotowe.h"
#include "ListView.h"
#include "NowyLot.h"
#include "PageLinks.h"
#include "RecordPage.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

namespace {

constexpr COLORREF kFlightLinks = RGB(0x41, 0x75, 0xDD);
constexpr COLORREF kResultLinks = RGB(0x00, 0x92, 0x00);

const PageLink kLinks[CZakladkaLotyGolebi::kLinkCount] = {
    {u"Dodaj Lot", {5, 155, 210, 185}, kFlightLinks},
    {u"Edytuj Lot", {5, 185, 210, 215}, kFlightLinks},
    {u"Usuń Lot", {5, 215, 210, 245}, kFlightLinks},
    {u"Drukuj Lot", {5, 245, 210, 275}, kFlightLinks},
    {u"Dodaj gołębia", {5, 340, 210, 370}, kResultLinks},
    {u"Edytuj gołębia", {5, 370, 210, 400}, kResultLinks},
    {u"Usuń gołębia", {5, 400, 210, 430}, kResultLinks},
};

const ListColumn kFlightColumns[] = {
    {u"...", 30},         {u"Miejscowość", 160, ColumnText::Place}, {u"Data lotu", 110},
    {u"Dystans", 90},     {u"Pogoda", 120},      {u"W konkursie(%, wł., w konk.", 190},
};

const ListColumn kResultColumns[] = {
    {u"...", 30},          {u"Obrączka gołębia", 140, ColumnText::Bird}, {u"Czas przylotu", 140},
    {u"Nr. konkursu", 110}, {u"Coefficent", 90},       {u"Punkty", 90},
    {u"Prędkość [m/min]", 130},
};

constexpr int kSeasonCaption = 1250;
constexpr int kFlightsHeading = 1251;
constexpr int kResultsHeading = 1252;

constexpr char16_t kChooseFlightFirst[] =
    u"Przed dodaniem gołębia do lotu musisz wybrać lot z listy powyżej";
constexpr char16_t kChooseFlight[] = u"Musisz wybrać lot z listy lotów";

}  // namespace

Text FlightDistanceText(const FlightRecord& flight) {
    return FloatText(flight.odleglosckm) + u" km";
}

Text FlightShareText(const FlightRecord& flight) {
    double percent = 0.0;
    if (flight.iloscwkonkursie > 0 && flight.wlozonychgolebi > 0) {
        percent = static_cast<double>(flight.iloscwkonkursie) /
                  static_cast<double>(flight.wlozonychgolebi) * 100.0;
    }
    return FloatText(percent) + u" % " + u"  (" + NumberText(flight.wlozonychgolebi) + u" / " +
           NumberText(flight.iloscwkonkursie) + u")";
}

Text ResultSpeedText(const FlightRecord& flight, const FlightResultEntry& result) {
    return FloatText(flight.SpeedOf(result)) + u" ";
}

CZakladkaLotyGolebi::CZakladkaLotyGolebi(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kFlightList, [this] { OnFlightClick(); });
    OnClicked(kResultList, [this] { OnResultClick(); });
    OnClicked(kAddSeasonButton, [this] { AddFlightSeason(); });
    OnClicked(kDeleteSeasonButton, [this] { DeleteFlightSeason(); });
    OnSelChange(kSeasonCombo, [this] { OnSeasonChange(); });
}

ComboBox* CZakladkaLotyGolebi::SeasonCombo() const { return Combo(kSeasonCombo); }
ListView* CZakladkaLotyGolebi::FlightList() const { return List(kFlightList); }
ListView* CZakladkaLotyGolebi::ResultList() const { return List(kResultList); }

bool CZakladkaLotyGolebi::OnInitDialog() {
    Dialog::OnInitDialog();
    listFont_ = Font(QStringLiteral("Tahoma"), 16, FW_MEDIUM);
    SetUpRecordList(FlightList(), listFont_, kFlightColumns);
    SetUpRecordList(ResultList(), listFont_, kResultColumns);
    headingFont_ = Font(QStringLiteral("Tahoma"), 14, FW_BOLD);
    for (int id : {kSeasonCaption, kFlightsHeading, kResultsHeading}) {
        if (auto* label = ItemAs<CTransparentStatic>(id)) {
            label->setFont(headingFont_);
            label->textColor = id == kResultsHeading ? kResultLinks : kFlightLinks;
        }
    }
    selectedResult_ = -1;
    return true;
}

FlightRecord* CZakladkaLotyGolebi::ChosenFlight() {
    if (selectedFlight_ < 0 || selectedFlight_ >= static_cast<int>(shownFlights_.size())) {
        return nullptr;
    }
    return &shownFlights_[selectedFlight_];
}

FlightResultEntry* CZakladkaLotyGolebi::ChosenResult() {
    FlightRecord* flight = ChosenFlight();
    if (!flight || selectedResult_ < 0 ||
        selectedResult_ >= static_cast<int>(flight->entries.size())) {
        return nullptr;
    }
    return &flight->entries[selectedResult_];
}

// ---- the lists ------------------------------------------------------------------------------

void CZakladkaLotyGolebi::FillFlightList(int seasonIndex) {
    if (ListView* list = FlightList()) list->DeleteAllItems();
    if (ListView* list = ResultList()) list->DeleteAllItems();
    const CDataStore& store = TheDataStore();
    shownFlights_ = FlightsInSeason(store.Flights(), store.FlightSeasons(), seasonIndex);
    for (const FlightRecord& flight : shownFlights_) SetFlightRow(-1, flight);
    selectedFlight_ = -1;
    selectedResult_ = -1;
}

void CZakladkaLotyGolebi::SetFlightRow(int row, const FlightRecord& flight) {
    ListView* list = FlightList();
    if (!list) return;
    row = RecordRow(list, row);
    list->SetItemText(row, 1, flight.miejscowosc);
    list->SetItemText(row, 2, FormatTime(flight.czasodlotu, "%d/%m/%y"));
    list->SetItemText(row, 3, FlightDistanceText(flight));
    list->SetItemText(row, 4, flight.pogodawmiejscuwypuszczenia);
    list->SetItemText(row, 5, FlightShareText(flight));
}

void CZakladkaLotyGolebi::SetResultRow(int row, const FlightResultEntry& result) {
    ListView* list = ResultList();
    const FlightRecord* flight = ChosenFlight();
    if (!list || !flight) return;
    row = RecordRow(list, row);
    list->SetItemText(row, 1, TheDataStore().FindPigeon(result.id_golebia).GetDisplayName());
    list->SetItemText(row, 2, FormatTime(result.DataCzasPrzylotu, "%H:%M:%S"));
    list->SetItemText(row, 3, NumberText(result.nr_konkursu) + u" ");
    list->SetItemText(row, 4, FloatText(result.CoefficientOddzialowy) + u" ");
    list->SetItemText(row, 5, FloatText(result.PunktyOddzial) + u" ");
    list->SetItemText(row, 6, ResultSpeedText(*flight, result));
}

void CZakladkaLotyGolebi::ShowResultsOfSelectedFlight() {
    ListView* results = ResultList();
    if (results) results->DeleteAllItems();
    selectedResult_ = -1;
    const FlightRecord* flight = ChosenFlight();
    if (!flight) return;
    for (const FlightResultEntry& result : flight->entries) {
        SetResultRow(-1, result);
    }
}

void CZakladkaLotyGolebi::ShowAllFlights() {
    FillFlightList(kAllSeasons);
    ChooseAllSeasons(SeasonCombo());
}

void CZakladkaLotyGolebi::LayoutControls() {
    for (int link = 0; link < kLinkCount; ++link) links_[link] = kLinks[link].rect;
    const Rect client = GetClientRect();
    const int middle = client.top + (client.bottom - client.top) / 2;
    if (ListView* list = FlightList()) {
        list->setGeometry(Rect(240, client.top, client.right - 10, middle).ToQRect());
    }
    if (ListView* list = ResultList()) {
        list->setGeometry(Rect(240, middle + 10, client.right - 10, client.bottom - 10).ToQRect());
    }
    update();
}

void CZakladkaLotyGolebi::OnEraseBkgnd(Dc& dc) {
    Dialog::OnEraseBkgnd(dc);
    PaintPageLinks(dc, kLinks, links_);
}

void CZakladkaLotyGolebi::OnLButtonDown(const QPoint& point) {
    OnPageClick(point);
    Dialog::OnLButtonDown(point);
}

void CZakladkaLotyGolebi::OnPageClick(const QPoint& point) {
    switch (LinkAt(links_, point)) {
        case kLinkAddFlight: AddFlight(); break;
        case kLinkEditFlight: EditFlight(); break;
        case kLinkDeleteFlight: DeleteFlight(); break;
        case kLinkAddResult: AddFlightResult(); break;
        case kLinkEditResult: EditFlightResult(); break;
        case kLinkDeleteResult: DeleteFlightResult(); break;
        default: break;  // "Drukuj Lot" has no printout
    }
}

void CZakladkaLotyGolebi::OnFlightClick() {
    ListView* list = FlightList();
    selectedFlight_ = list ? list->FirstSelectedRow() : -1;
    if (selectedFlight_ >= static_cast<int>(shownFlights_.size())) selectedFlight_ = -1;
    if (selectedFlight_ != -1 && list) list->SelectRow(selectedFlight_);
    ShowResultsOfSelectedFlight();
}

void CZakladkaLotyGolebi::OnResultClick() {
    ListView* list = ResultList();
    selectedResult_ = list ? list->FirstSelectedRow() : -1;
}

void CZakladkaLotyGolebi::OnSeasonChange() {
    if (const auto seasonIndex = ChosenSeasonIndex(SeasonCombo())) FillFlightList(*seasonIndex);
}

// ---- flights --------------------------------------------------------------------------------

void CZakladkaLotyGolebi::AddFlight() {
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;
    CNowyLot editor(this);
    editor.mode = EditorMode::Add;
    editor.record.id_hodowli = loft->id;
    // Nothing was added: the flight chosen stays chosen, with its results.
    if (editor.DoModal() != IDOK) return;
    // The data store holds the new flight; the lists show every flight again from there.
    ShowAllFlights();
}

void CZakladkaLotyGolebi::EditFlight() {
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft || !PresentOrSay(this, ChosenFlight(), kChooseFlight)) return;
    CNowyLot editor(this);
    editor.mode = EditorMode::Edit;
    editor.record = *ChosenFlight();
    editor.record.id_hodowli = loft->id;
    if (editor.DoModal() != IDOK) return;
    // The data store updated its flight; the lists show it again from there.
    ShowAllFlights();
    FlightFiguresChanged();
}

void CZakladkaLotyGolebi::DeleteFlight() {
    if (CurrentLoftOrSay(this) && PresentOrSay(this, ChosenFlight(), kChooseFlight) &&
        AskYesNo(this, u"Czy napewno usunąć wybrany lot?", u"Usuwanie lotu")) {
        // The flight's results go with it, in the same transaction.
        FlightRecord flight = *ChosenFlight();
        if (!TheDataStore().WriteFlight(WriteMode::Delete, flight)) {
            MessageBox(this, u"Nie udało się usunąć lotu.", u"", MB_OK | MB_ICONERROR);
            return;
        }
        FlightFiguresChanged();
    }
    ShowAllFlights();
}

// ---- results --------------------------------------------------------------------------------

void CZakladkaLotyGolebi::AddFlightResult() {
    const LoftRecord* loft = CurrentLoft();
    if (!loft || !ChosenFlight()) {
        MessageBox(this, std::u16string(kChooseFlightFirst));
        return;
    }
    FlightRecord& flight = *ChosenFlight();
    CDodajGolebiaDoLotu editor(this);
    editor.mode = EditorMode::Add;
    editor.entry.id_lotu = flight.id;
    editor.entry.id_hodowli = loft->id;
    editor.konkursow_oddzial = flight.konkursow_oddzial;
    editor.konkursow_sekcja = flight.konkursow_sekcja;
    if (editor.DoModal() != IDOK || editor.entry.id <= 0) return;
    // The data store has appended the result to its flight; the snapshot follows.
    flight.entries.push_back(editor.entry);
    SetResultRow(-1, editor.entry);
    FlightFiguresChanged();
}

void CZakladkaLotyGolebi::EditFlightResult() {
    const LoftRecord* loft = CurrentLoft();
    if (!loft || !ChosenResult()) {
        MessageBox(this, std::u16string(kChooseFlightFirst));
        return;
    }
    FlightRecord& flight = *ChosenFlight();
    CDodajGolebiaDoLotu editor(this);
    editor.mode = EditorMode::Edit;
    editor.entry = flight.entries[selectedResult_];
    editor.entry.id_lotu = flight.id;
    editor.entry.id_hodowli = loft->id;
    editor.konkursow_oddzial = flight.konkursow_oddzial;
    editor.konkursow_sekcja = flight.konkursow_sekcja;
    if (editor.DoModal() != IDOK) return;
    // The data store has updated its result; the snapshot follows.
    flight.entries[selectedResult_] = editor.entry;
    SetResultRow(selectedResult_, editor.entry);
    FlightFiguresChanged();
}

void CZakladkaLotyGolebi::DeleteFlightResult() {
    if (!CurrentLoftOrSay(this) ||
        !PresentOrSay(this, ChosenResult(), u"Należy wybrać gołębia z listy.") ||
        !AskYesNo(this, u"Czy napewno usunąć wybranego lotnika?", u"Usuwanie lotnika")) {
        return;
    }
    FlightRecord& flight = *ChosenFlight();
    FlightResultEntry result = *ChosenResult();
    CDataStore& store = TheDataStore();
    if (!store.WriteFlightResult(WriteMode::Delete, result)) {
        MessageBox(this, u"Nie udało się usunąć wyniku gołębia.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    // The data store dropped the result from its flight; the page's snapshot follows.
    flight.entries.erase(flight.entries.begin() + selectedResult_);
    if (ListView* list = ResultList()) list->DeleteItem(selectedResult_);
    selectedResult_ = -1;
    FlightFiguresChanged();
}

void CZakladkaLotyGolebi::FlightFiguresChanged() {
    if (onFlightFiguresChanged) onFlightFiguresChanged();
}

void CZakladkaLotyGolebi::ImportFlightResults() {
    if (!CurrentLoft() || !ChosenFlight()) {
        MessageBox(this, std::u16string(u"Wybierz lot, do którego chcesz dodać wyniki"));
        return;
    }
    CImportujWynikiLotowe().DoModal();
}

// ---- flight seasons -------------------------------------------------------------------------

void CZakladkaLotyGolebi::AddFlightSeason() {
    if (CDodajSezon::AddSeason(SeasonKind::Flight, this) != IDOK) return;
    // The new season comes last and the lists stay as they are, so the chosen entry (or none)
    // still says what the list shows.
    ComboBox* combo = SeasonCombo();
    FillSeasonCombo(combo, u"Wszystkie Loty", TheDataStore().FlightSeasons(),
                    combo ? combo->GetCurSel() : 0);
}

void CZakladkaLotyGolebi::DeleteFlightSeason() {
    CDataStore& store = TheDataStore();
    DeleteChosenSeason(this, SeasonCombo(), store.FlightSeasons(),
                       u"Czy napewno usunąć wybrany sezon lotowy?", [&store](int index) {
                           return store.DeleteFlightSeason(store.FlightSeasons()[index].id);
                       });
}
