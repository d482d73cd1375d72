// The flights page with the flight and result editors: what reaches pigeons.db and
// dodatkowe_informacje.db, the page's snapshot and the data store staying in step (every stored
// flight and result exactly once), the texts of the rows (speeds, shares, coefficients), the
// season filter by whole days, and the messages of refused actions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>
#include <ostream>

#include "DataStore.h"
#include "Dialog.h"
#include "DodajGolebiaDoLotu.h"
#include "DodajSezon.h"
#include "Globals.h"
#include "MainDialog.h"
#include "NajlepszeGolebie.h"
#include "PanelPodgladuTab1.h"
#include "PanelPodgladuTab5.h"
#include "ZakladkaListaPsow.h"
#include "menu/MainMenu.h"
#include "ListView.h"
#include "NowyLot.h"
#include "RecordPage.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "Sqlite.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowTestSupport.h"
#include "WybierzPsaZListy.h"
#include "ZakladkaLotyGolebi.h"

// Texts show as text in failure messages.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using Page = CZakladkaLotyGolebi;
using FlightEditor = CNowyLot;
using ResultEditor = CDodajGolebiaDoLotu;

Time64 Local(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
    const auto time = MakeLocalTime(day, month, year, hour, minute, second);
    EXPECT_TRUE(time.has_value());
    return time.value_or(-1);
}

// Runs `fill` on a window of type T when it opens and answers with its end code.
template <class T>
seams::ModalHandler On(std::function<void(T&)> fill) {
    return [fill](Dialog& dialog) {
        auto* window = qobject_cast<T*>(&dialog);
        EXPECT_NE(window, nullptr);
        if (window) fill(*window);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    };
}

seams::ModalHandler ChooseBird(int id) {
    return [id](Dialog& dialog) {
        auto* chooser = qobject_cast<CWybierzPsaZListy*>(&dialog);
        EXPECT_NE(chooser, nullptr);
        if (!chooser) return IDCANCEL;
        EXPECT_EQ(chooser->filterMode, ChooserAllBirds);
        chooser->chosenId = id;
        chooser->chosenValid = 1;
        chooser->EndDialog(IDOK);
        return IDOK;
    };
}

void SetPickers(Dialog& dialog, int dateId, int timeId, Time64 when) {
    dialog.DatePicker(dateId)->SetTime(when);
    dialog.DatePicker(timeId)->SetTime(when);
}

class FlightsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik A");
        store.AddColour(loftId_, u"Niebieski");
        fast_ = AddBird(0, u"12345", u"Szybki", loftId_);
        slow_ = AddBird(0, u"12346", u"", loftId_);
        Load();
    }

    void TearDown() override {
        page_.reset();
        WindowTest::TearDown();
    }

    // Loads the loft as the main window does and opens the page on it.
    void Load() {
        CDataStore& store = TheDataStore();
        store.LoadLofts();
        store.LoadPigeonsDb(loftId_);
        store.LoadExtraDb(loftId_);
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        page_ = std::make_unique<Page>();
        page_->Create(nullptr);
        page_->resize(1000, 640);
        page_->LayoutControls();
        FillSeasonCombo(page_->SeasonCombo(), u"Wszystkie sezony", store.FlightSeasons());
        page_->FillFlightList(-1);
    }

    int StoreFlight(const Text& place, Time64 release, double km = 300, int metres = 0) {
        FlightRecord flight;
        flight.id_hodowli = loftId_;
        flight.miejscowosc = place;
        flight.czasodlotu = release;
        flight.odleglosckm = km;
        flight.odlegloscm = metres;
        EXPECT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        return flight.id;
    }

    int StoreResult(int flightId, int birdId, Time64 arrival, int position = 0) {
        FlightResultEntry result;
        result.id_lotu = flightId;
        result.id_hodowli = loftId_;
        result.id_golebia = birdId;
        result.DataCzasPrzylotu = arrival;
        result.nr_konkursu = position;
        // As the files may hold it: an arrival at or before the release included.
        EXPECT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result, RecordOrigin::Copied));
        return result.id;
    }

    int StoreSeason(const Text& name, Time64 start, Time64 end) {
        SeasonRecord season;
        season.id_hodowli = loftId_;
        season.Nazwa = name;
        season.DATA_B = start;
        season.DATA_E = end;
        EXPECT_TRUE(TheDataStore().AddFlightSeason(season));
        return season.id;
    }

    void ClickFlight(int row) {
        page_->FlightList()->SelectRow(row);
        page_->Fire(Page::kFlightList, Notification::Clicked);
    }
    void ClickResult(int row) {
        page_->ResultList()->SelectRow(row);
        page_->Fire(Page::kResultList, Notification::Clicked);
    }
    void ChooseSeason(int entry) {
        page_->SeasonCombo()->SetCurSel(entry);
        page_->Fire(Page::kSeasonCombo, Notification::SelChange);
    }
    QStringList Places() const { return ListColumn(page_->FlightList(), 1); }
    QStringList ResultRow(int row) const {
        QStringList cells;
        for (int column = 1; column < 7; ++column) cells << page_->ResultList()->GetItemText(row, column);
        return cells;
    }

    // What the files hold, read by a store of its own.
    std::vector<FlightRecord> FlightsOnDisk() const {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loftId_);
        return fresh.Flights();
    }
    static long long ResultRowsOnDisk() {
        SqlDatabase db(PigeonsDbPath());
        return db.QueryInt64(u"SELECT count(*) FROM lotniki");
    }

    // The stored results of a flight: in the page's snapshot and in the data store, by id.
    std::vector<int> SnapshotResultIds(int row) const {
        std::vector<int> ids;
        for (const FlightResultEntry& e : page_->ShownFlights().at(row).entries) ids.push_back(e.id);
        return ids;
    }
    static std::vector<int> StoreResultIds(int flightId) {
        std::vector<int> ids;
        for (const FlightRecord& flight : TheDataStore().Flights())
            if (flight.id == flightId)
                for (const FlightResultEntry& e : flight.entries) ids.push_back(e.id);
        return ids;
    }

    std::unique_ptr<Page> page_;
    int loftId_ = 0, fast_ = 0, slow_ = 0;
};

// ---- rows -------------------------------------------------------------------------------------

TEST_F(FlightsTest, RowsShowDistanceShareSpeedsAndResultFigures) {
    const Time64 release = Local(12, 5, 2024, 10, 0, 0);
    FlightRecord flight;
    flight.id_hodowli = loftId_;
    flight.miejscowosc = u"Opole";
    flight.pogodawmiejscuwypuszczenia = u"słonecznie";
    flight.czasodlotu = release;
    flight.odleglosckm = 300;
    flight.odlegloscm = 500;
    flight.wlozonychgolebi = 8;
    flight.iloscwkonkursie = 3;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
    FlightRecord empty;
    empty.id_hodowli = loftId_;
    empty.miejscowosc = u"Brzeg";
    empty.czasodlotu = release;
    empty.iloscwkonkursie = 5;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, empty));

    FlightResultEntry result;
    result.id_lotu = flight.id;
    result.id_hodowli = loftId_;
    result.id_golebia = fast_;
    result.DataCzasPrzylotu = Local(12, 5, 2024, 15, 0, 0);
    result.nr_konkursu = 3;
    result.CoefficientOddzialowy = 428.571f;
    result.PunktyOddzial = 12.5f;
    ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
    StoreResult(flight.id, slow_, release);          // arrived at the release: no speed
    StoreResult(flight.id, slow_ + 50, kNoDate);     // a bird that is gone, no arrival
    Load();

    EXPECT_EQ(Places(), (QStringList{"Opole", "Brzeg"}));
    ListView* flights = page_->FlightList();
    EXPECT_EQ(flights->GetItemText(0, 0), " ");
    EXPECT_EQ(flights->GetItemText(0, 2), "12/05/24");
    EXPECT_EQ(flights->GetItemText(0, 3), "300 km");
    EXPECT_EQ(flights->GetItemText(0, 4), "słonecznie");
    EXPECT_EQ(flights->GetItemText(0, 5), "37.5 %   (8 / 3)");
    EXPECT_EQ(flights->GetItemText(1, 5), "0 %   (0 / 5)");

    ClickFlight(0);
    // The odd 500 metres count: 300500 m in 5 hours.
    EXPECT_EQ(ResultRow(0), (QStringList{"PL 0123 24 12345 [Szybki]", "15:00:00", "3 ", "428.571 ",
                                         "12.5 ", "1001.67 "}));
    EXPECT_EQ(ResultRow(1).last(), "0 ");
    EXPECT_EQ(ResultRow(2), (QStringList{"   ", "", "0 ", "0 ", "0 ", "0 "}));
}

// A long place and full rings with names are wider than their columns were made for: on a page
// with room those columns widen to them, the others keep their widths, and a narrow page keeps
// the widths given.
TEST_F(FlightsTest, PlaceAndRingColumnsWidenToLongTextsWhenThePageHasRoom) {
    PigeonRecord bird = TheDataStore().Pigeons().at(fast_);
    bird.oddzial = u"0446";
    bird.rocznik = u"2018";
    bird.nazwa = u"Błękitny Książę Wielkopolski";
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    const int flightId = StoreFlight(u"Ostrów Wielkopolski - Wysocko Wielkie", Local(12, 5, 2024, 7));
    StoreFlight(u"Opole", Local(19, 5, 2024, 7));
    StoreResult(flightId, fast_, Local(12, 5, 2024, 13));
    StoreResult(flightId, slow_, Local(12, 5, 2024, 14));
    Load();
    page_->show();
    page_->resize(1400, 800);  // the page in a main window on a wide screen
    page_->LayoutControls();
    ClickFlight(0);
    const std::vector<int> flightWidths = {30, 160, 110, 90, 120, 190};
    const std::vector<int> resultWidths = {30, 140, 140, 110, 90, 90, 130};
    const QFontMetrics metrics(page_->FlightList()->font());
    ASSERT_GT(metrics.horizontalAdvance(page_->FlightList()->GetItemText(0, 1)), 160);
    ASSERT_GT(metrics.horizontalAdvance(page_->ResultList()->GetItemText(0, 1)), 140);
    ExpectColumnsShowWholeTexts(page_->FlightList(), flightWidths, {1});
    ExpectColumnsShowWholeTexts(page_->ResultList(), resultWidths, {1});
    for (int column = 2; column < 7; ++column)
        EXPECT_EQ(page_->ResultList()->GetColumnWidth(column), resultWidths[column]) << column;

    // The short flight's results are listed again: its rings are short, the column as given.
    ClickFlight(1);
    EXPECT_EQ(page_->ResultList()->GetColumnWidth(1), 140);
    ClickFlight(0);
    EXPECT_GT(page_->ResultList()->GetColumnWidth(1), 140);

    page_->resize(900, 640);
    page_->LayoutControls();
    QApplication::processEvents();
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(page_->FlightList()->GetColumnWidth(column), flightWidths[column]) << column;
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(page_->ResultList()->GetColumnWidth(column), resultWidths[column]) << column;
}

// Rings typed whole that differ only at their end: a result's ring too long for its column
// keeps that end, so the rows still tell the birds apart, and the whole text is the tooltip.
TEST_F(FlightsTest, ACutRingInTheResultsKeepsItsEnd) {
    std::vector<int> birds;
    for (const char16_t* ring : {u"PL-0138-2023-0045671", u"PL-0138-2023-0045672"}) {
        PigeonRecord bird;
        bird.kraj = u"PL";
        bird.oddzial = u"0138";
        bird.rocznik = u"2023";
        bird.nr_obraczki = ring;
        bird.nazwa = u"Błękitna Strzała";
        bird.id_hodowli = loftId_;
        ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        birds.push_back(bird.id);
    }
    const int flightId = StoreFlight(u"Opole", Local(12, 5, 2024, 7));
    StoreResult(flightId, birds[0], Local(12, 5, 2024, 13));
    StoreResult(flightId, birds[1], Local(12, 5, 2024, 14));
    Load();
    page_->show();
    ClickFlight(0);
    ListView* list = page_->ResultList();
    QStringList shown;
    for (int row = 0; row < 2; ++row) {
        const QString whole = list->GetItemText(row, 1);
        const QString text = list->ShownCellText(row, 1);
        ASSERT_NE(text, whole);
        EXPECT_TRUE(text.endsWith(QString::number(row + 1))) << text.toStdString();
        EXPECT_EQ(list->CellToolTip(row, 1), whole);
        shown << text;
    }
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(FlightsTest, CoefficientIsPositionPerThousandContestsInSixDigits) {
    EXPECT_EQ(CoefficientText(3, 7), u"428.571");
    EXPECT_EQ(CoefficientText(5, 10), u"500");
    EXPECT_EQ(CoefficientText(3, 0), u"0");
    EXPECT_EQ(CoefficientText(3, -4), u"0");
    // No wrap-around of position × 1000.
    EXPECT_EQ(CoefficientText(3000000, 7), u"4.28571e+08");
}

// ---- seasons ----------------------------------------------------------------------------------

TEST_F(FlightsTest, SeasonListsFlightsOfItsDaysAndDeletingOneKeepsTheOthersApart) {
    const int may = StoreSeason(u"Maj", Local(1, 5, 2024, 1, 1, 1), Local(31, 5, 2024, 1, 1, 1));
    StoreSeason(u"Czerwiec", Local(1, 6, 2024, 1, 1, 1), Local(30, 6, 2024, 1, 1, 1));
    StoreFlight(u"Przed", Local(30, 4, 2024, 23, 59, 0));
    StoreFlight(u"Pierwszy dzień", Local(1, 5, 2024, 0, 30, 0));
    StoreFlight(u"Ostatni dzień", Local(31, 5, 2024, 18, 0, 0));
    StoreFlight(u"Czerwcowy", Local(1, 6, 2024, 0, 30, 0));
    Load();

    ChooseSeason(1);
    EXPECT_EQ(Places(), (QStringList{"Pierwszy dzień", "Ostatni dzień"}));
    ChooseSeason(2);
    EXPECT_EQ(Places(), (QStringList{"Czerwcowy"}));
    ChooseSeason(0);
    EXPECT_EQ(Places().size(), 4);

    // "No" keeps the season; "Yes" deletes it from the file, memory and the chooser.
    page_->SeasonCombo()->SetCurSel(1);
    seams::ScriptMessageBoxAnswers({IDNO});
    page_->RunCommand(Page::kDeleteSeasonButton);
    EXPECT_EQ(TheDataStore().FlightSeasons().size(), 2u);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->RunCommand(Page::kDeleteSeasonButton);
    EXPECT_EQ(MessageTexts().last(), "Czy napewno usunąć wybrany sezon lotowy?");
    EXPECT_EQ(seams::MessageBoxCalls().back().caption, "Usuwanie sezonu");
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie sezony", "Czerwiec"}));
    CDataStore fresh;
    fresh.LoadExtraDb(loftId_);
    ASSERT_EQ(fresh.FlightSeasons().size(), 1u);
    EXPECT_NE(fresh.FlightSeasons()[0].id, may);
    ChooseSeason(1);
    EXPECT_EQ(Places(), (QStringList{"Czerwcowy"}));

    // The "all" entry is never deleted: the user is told to choose a season.
    page_->SeasonCombo()->SetCurSel(0);
    page_->RunCommand(Page::kDeleteSeasonButton);
    EXPECT_EQ(MessageTexts().last(), QString::fromUtf8("Musisz wybrać sezon z listy sezonów"));
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie sezony", "Czerwiec"}));
}

// Seasons are added for the current loft only, and deleted the same way, as on the pairing page.
TEST_F(FlightsTest, DeletingASeasonWithoutALoftSaysSoAndKeepsIt) {
    StoreSeason(u"Maj", Local(1, 5, 2024, 1, 1, 1), Local(31, 5, 2024, 1, 1, 1));
    Load();
    page_->SeasonCombo()->SetCurSel(1);
    g_currentLoftIndex = -1;
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->RunCommand(Page::kDeleteSeasonButton);
    EXPECT_EQ(MessageTexts(), QStringList{"Najpierw dodaj lub wybierz hodowlę."});
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie sezony", "Maj"}));
    CDataStore fresh;
    fresh.LoadExtraDb(loftId_);
    EXPECT_EQ(fresh.FlightSeasons().size(), 1u);
}

TEST_F(FlightsTest, NewSeasonIsOfferedLastAndTheChosenEntryStays) {
    StoreSeason(u"Maj", Local(1, 5, 2024, 1, 1, 1), Local(31, 5, 2024, 1, 1, 1));
    Load();
    ChooseSeason(1);
    seams::QueueModalHandler(On<CDodajSezon>([](CDodajSezon& editor) {
        EXPECT_EQ(editor.kind, SeasonKind::Flight);
        editor.SetItemText(CDodajSezon::kName, u"Lato 2024");
        editor.RunCommand(IDOK);
    }));
    page_->RunCommand(Page::kAddSeasonButton);
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie Loty", "Maj", "Lato 2024"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 1);
    CDataStore fresh;
    fresh.LoadExtraDb(loftId_);
    ASSERT_EQ(fresh.FlightSeasons().size(), 2u);
    EXPECT_EQ(fresh.FlightSeasons()[1].Nazwa, u"Lato 2024");

    // After a deletion no entry stands for the list, and a new season does not choose one.
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->RunCommand(Page::kDeleteSeasonButton);
    ASSERT_EQ(page_->SeasonCombo()->GetCurSel(), -1);
    seams::QueueModalHandler(On<CDodajSezon>([](CDodajSezon& editor) {
        editor.SetItemText(CDodajSezon::kName, u"Jesień 2024");
        editor.RunCommand(IDOK);
    }));
    page_->RunCommand(Page::kAddSeasonButton);
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()),
              (QStringList{"Wszystkie Loty", "Lato 2024", "Jesień 2024"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), -1);
}

// ---- flights ----------------------------------------------------------------------------------

TEST_F(FlightsTest, AddedFlightIsWrittenWithEveryFieldAndListedOnce) {
    StoreSeason(u"Maj", Local(1, 5, 2024, 1, 1, 1), Local(31, 5, 2024, 1, 1, 1));
    Load();
    ChooseSeason(1);
    const Time64 release = Local(3, 7, 2024, 6, 30, 15);
    seams::QueueModalHandler(On<FlightEditor>([&](FlightEditor& editor) {
        EXPECT_EQ(editor.Combo(FlightEditor::kTypeCombo)->GetCurSel(), 0);
        editor.SetItemText(FlightEditor::kPlace, u"Kłodzko");
        editor.SetDlgItemInt(FlightEditor::kKilometres, 250);
        editor.SetDlgItemInt(FlightEditor::kMetres, 730);
        editor.SetDlgItemInt(FlightEditor::kBasketed, 40);
        editor.SetDlgItemInt(FlightEditor::kInContest, 10);
        editor.SetDlgItemInt(FlightEditor::kBranchContests, 7);
        editor.SetDlgItemInt(FlightEditor::kLatitudeSeconds, 59);
        editor.SetItemText(FlightEditor::kReleaseWeather, u"wiatr\npołudniowy");
        editor.Combo(FlightEditor::kTypeCombo)->SetCurSel(2);
        SetPickers(editor, FlightEditor::kReleaseDate, FlightEditor::kReleaseTime, release);
        SetPickers(editor, FlightEditor::kFirstDate, FlightEditor::kFirstTime, release + 9000);
        editor.Fire(FlightEditor::kFirstTime, Notification::Changed);
        editor.RunCommand(IDOK);
    }));
    page_->AddFlight();

    const auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    const FlightRecord& saved = disk[0];
    EXPECT_EQ(saved.id_hodowli, loftId_);
    EXPECT_EQ(saved.miejscowosc, u"Kłodzko");
    EXPECT_EQ(saved.odleglosckm, 250.0);
    EXPECT_EQ(saved.odlegloscm, 730);
    EXPECT_EQ(saved.wlozonychgolebi, 40);
    EXPECT_EQ(saved.iloscwkonkursie, 10);
    EXPECT_EQ(saved.konkursow_oddzial, 7);
    EXPECT_EQ(saved.SZ_sekundy, 59);
    EXPECT_EQ(saved.pogodawmiejscuwypuszczenia, u"wiatr\npołudniowy");
    EXPECT_EQ(saved.typ, 2);
    EXPECT_EQ(saved.czasodlotu, release);
    EXPECT_EQ(saved.czas_pierwszego_w_konk, release + 9000);
    EXPECT_EQ(saved.czas_ostatniego_w_konk, kNoDate);  // left untouched: not the moment of adding
    EXPECT_EQ(saved.kategoria, -1);
    EXPECT_EQ(saved.kategoria2, -1);

    // Listed once, with every flight, and the chooser says so.
    ASSERT_EQ(TheDataStore().Flights().size(), 1u);
    EXPECT_EQ(Places(), (QStringList{"Kłodzko"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 0);

    // Cancel writes nothing.
    seams::QueueModalHandler([](Dialog&) { return IDCANCEL; });
    page_->AddFlight();
    EXPECT_EQ(FlightsOnDisk().size(), 1u);
    EXPECT_EQ(TheDataStore().Flights().size(), 1u);
}

// "Dodaj Lot" cancelled added nothing, so the page stays as it was: the season shown, the flight
// chosen with its results, and the commands acting on that flight.
TEST_F(FlightsTest, ACancelledNewFlightKeepsTheChosenFlightAndItsResults) {
    StoreSeason(u"Maj", Local(1, 5, 2024, 1, 1, 1), Local(31, 5, 2024, 1, 1, 1));
    StoreFlight(u"Opole", Local(4, 5, 2024, 8));
    const int nysa = StoreFlight(u"Nysa", Local(11, 5, 2024, 8));
    StoreFlight(u"Brzeg", Local(8, 6, 2024, 8));
    StoreResult(nysa, fast_, Local(11, 5, 2024, 12));
    StoreResult(nysa, slow_, Local(11, 5, 2024, 13));
    Load();
    ChooseSeason(1);
    ClickFlight(1);
    ASSERT_EQ(page_->ResultList()->GetItemCount(), 2);

    seams::QueueModalHandler(On<FlightEditor>([](FlightEditor& editor) {
        editor.SetItemText(FlightEditor::kPlace, u"Kłodzko");
        editor.RunCommand(IDCANCEL);
    }));
    const Rect add = page_->LinkRect(Page::kLinkAddFlight);
    page_->OnPageClick(QPoint(add.left + 40, add.top + 10));
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(FlightsOnDisk().size(), 3u);
    EXPECT_EQ(Places(), (QStringList{"Opole", "Nysa"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 1);
    EXPECT_EQ(page_->SelectedFlight(), 1);
    EXPECT_EQ(page_->FlightList()->FirstSelectedRow(), 1);
    EXPECT_EQ(ListColumn(page_->ResultList(), 1),
              (QStringList{"PL 0123 24 12345 [Szybki]", "PL 0123 24 12346"}));

    int edited = 0;
    seams::QueueModalHandler(On<FlightEditor>([&](FlightEditor& editor) {
        edited = editor.record.id;
        editor.RunCommand(IDCANCEL);
    }));
    page_->EditFlight();
    EXPECT_EQ(edited, nysa);
    EXPECT_TRUE(MessageTexts().isEmpty());
}

TEST_F(FlightsTest, EditedFlightKeepsItsResultsWholeKilometresAndUnsetTimes) {
    const int id = StoreFlight(u"Opole", Local(12, 5, 2024, 10), 300.7, 20);
    StoreResult(id, fast_, Local(12, 5, 2024, 15));
    Load();
    const Time64 unsetFirst = FlightsOnDisk().at(0).czas_pierwszego_w_konk;
    ASSERT_LE(unsetFirst, 0);
    ClickFlight(0);
    seams::QueueModalHandler(On<FlightEditor>([&](FlightEditor& editor) {
        // The last bird's time is entered; the first bird's stays unset.
        SetPickers(editor, FlightEditor::kLastDate, FlightEditor::kLastTime,
                   Local(12, 5, 2024, 16, 30));
        editor.Fire(FlightEditor::kLastTime, Notification::Changed);
        EXPECT_EQ(editor.windowTitle(), "Edycja lotu");
        EXPECT_EQ(editor.GetDlgItemText(FlightEditor::kKilometres), "300");
        EXPECT_EQ(editor.GetDlgItemText(FlightEditor::kMetres), "20");
        editor.SetItemText(FlightEditor::kPlace, u"Nysa");
        editor.Combo(FlightEditor::kCategory1)->SetCurSel(3);
        editor.RunCommand(IDOK);
    }));
    page_->EditFlight();

    const auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].miejscowosc, u"Nysa");
    EXPECT_EQ(disk[0].odleglosckm, 300.0);
    EXPECT_EQ(disk[0].kategoria, 3);
    EXPECT_EQ(disk[0].czasodlotu, Local(12, 5, 2024, 10));
    EXPECT_EQ(disk[0].czas_pierwszego_w_konk, unsetFirst);
    EXPECT_EQ(disk[0].czas_ostatniego_w_konk, Local(12, 5, 2024, 16, 30));
    ASSERT_EQ(TheDataStore().Flights().size(), 1u);
    EXPECT_EQ(TheDataStore().Flights()[0].miejscowosc, u"Nysa");
    EXPECT_EQ(StoreResultIds(id).size(), 1u);
    EXPECT_EQ(Places(), (QStringList{"Nysa"}));
    ClickFlight(0);
    EXPECT_EQ(page_->ResultList()->GetItemCount(), 1);
}

// The metres are what is left over the whole kilometres, and every speed adds them: a number
// outside 0-999 (or a time the editor cannot store) is refused by name and nothing is written.
TEST_F(FlightsTest, FlightEditorRefusesMetresOutsideAKilometreAndNamesABadTime) {
    const Time64 release = Local(12, 5, 2024, 10);
    const int id = StoreFlight(u"Opole", release, 300, 20);
    StoreResult(id, fast_, release + 1200);
    Load();
    const QString metres =
        QString::fromUtf8("Metry odległości podaj od 0 do 999; pełne kilometry wpisz w polu „km”.");
    // Each case types into the editor of the stored flight and presses OK.
    auto refused = [&](const std::function<void(FlightEditor&)>& type) {
        bool stillOpen = false;
        ClickFlight(0);
        seams::QueueModalHandler(On<FlightEditor>([&](FlightEditor& editor) {
            type(editor);
            editor.RunCommand(IDOK);
            stillOpen = !editor.HasEnded();
        }));
        page_->EditFlight();
        return stillOpen;
    };
    for (const char16_t* typed : {u"5003120", u"1000", u"-1"}) {
        EXPECT_TRUE(refused([&](FlightEditor& e) { e.SetItemText(FlightEditor::kMetres, typed); }));
        EXPECT_EQ(MessageTexts().last(), metres);
    }
    // A release in a year of five digits, and the first bird at a local time before 1970.
    EXPECT_TRUE(refused([](FlightEditor& e) {
        e.DatePicker(FlightEditor::kReleaseDate)->SetLocal({1, 12, 99999, 10, 0, 0});
    }));
    EXPECT_EQ(MessageTexts().last(),
              QString::fromUtf8("Nieprawidłowa data lotu: „Data i czas odlotu gołębi”."));
    EXPECT_TRUE(refused([](FlightEditor& e) {
        e.DatePicker(FlightEditor::kFirstDate)->SetLocal({1, 1, 1970, 0, 30, 0});
        e.DatePicker(FlightEditor::kFirstTime)->SetLocal({1, 1, 1970, 0, 30, 0});
        e.Fire(FlightEditor::kFirstTime, Notification::Changed);
    }));
    EXPECT_EQ(MessageTexts().last(),
              QString::fromUtf8("Nieprawidłowa data lotu: „Pierwszy gołąb w konkursie”."));
    // The pickers hold no day past the last year a date may have.
    seams::QueueModalHandler(On<FlightEditor>([](FlightEditor& e) {
        DateTimePicker* picker = e.DatePicker(FlightEditor::kReleaseDate);
        picker->SetLocal({31, 12, kLastDateYear, 10, 0, 0});
        EXPECT_TRUE(picker->ShowsStorableValue());
        picker->SetLocal({1, 1, kLastDateYear + 1, 10, 0, 0});
        EXPECT_FALSE(picker->ShowsStorableValue());
    }));
    ClickFlight(0);
    page_->EditFlight();

    const auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].odlegloscm, 20);
    EXPECT_EQ(disk[0].czasodlotu, release);
    EXPECT_EQ(TheDataStore().Flights().at(0).odlegloscm, 20);

    // 999 is the most a flight may have above its kilometres.
    ClickFlight(0);
    seams::QueueModalHandler(On<FlightEditor>([](FlightEditor& e) {
        e.SetItemText(FlightEditor::kMetres, u"999");
        e.RunCommand(IDOK);
    }));
    page_->EditFlight();
    EXPECT_EQ(FlightsOnDisk().at(0).odlegloscm, 999);
}

// A release moved to or after an arrival the flight holds would leave that bird without a speed:
// the editor names the earliest such arrival by its bird's ring, writes nothing and stays open
// with the release to correct; a release a second before that arrival is written.
TEST_F(FlightsTest, FlightEditorRefusesAReleaseAtOrAfterAStoredArrivalByTheEarliest) {
    const Time64 release = Local(12, 5, 2024, 10);
    const int id = StoreFlight(u"Opole", release);
    StoreResult(id, fast_, Local(12, 5, 2024, 15));
    StoreResult(id, slow_, Local(12, 5, 2024, 14, 5, 30));
    StoreResult(id, AddBird(0, u"12347", u"", loftId_), kNoDate);
    Load();
    ClickFlight(0);
    const auto edit = [&](Time64 newRelease) {
        bool stillOpen = false, focusOnRelease = false;
        seams::QueueModalHandler(On<FlightEditor>([&](FlightEditor& editor) {
            editor.SetItemText(FlightEditor::kPlace, u"Nysa");
            SetPickers(editor, FlightEditor::kReleaseDate, FlightEditor::kReleaseTime, newRelease);
            editor.RunCommand(IDOK);
            stillOpen = !editor.HasEnded();
            QWidget* picker = editor.Item(FlightEditor::kReleaseDate);
            focusOnRelease = editor.focusWidget() == picker || picker->isAncestorOf(editor.focusWidget());
        }));
        page_->EditFlight();
        return std::pair{stillOpen, focusOnRelease};
    };

    const QString refusal = QString::fromUtf8(
        "Odlot gołębi musi być wcześniejszy niż przylot gołębia, który już jest w wynikach tego "
        "lotu: PL 0123 24 12346, 12/05/24, 14:05:30.");
    for (const Time64 newRelease : {Local(12, 5, 2024, 14, 30), Local(12, 5, 2024, 14, 5, 30)}) {
        SCOPED_TRACE(newRelease);
        seams::Reset();
        EXPECT_EQ(edit(newRelease), (std::pair{true, true}));
        EXPECT_EQ(MessageTexts(), QStringList{refusal});
        ASSERT_EQ(FlightsOnDisk().size(), 1u);
        EXPECT_EQ(FlightsOnDisk()[0].czasodlotu, release);
        EXPECT_EQ(FlightsOnDisk()[0].miejscowosc, u"Opole");
        EXPECT_EQ(TheDataStore().Flights().at(0).czasodlotu, release);
        EXPECT_EQ(Places(), (QStringList{"Opole"}));
    }

    seams::Reset();
    EXPECT_EQ(edit(Local(12, 5, 2024, 14, 5, 29)).first, false);
    EXPECT_TRUE(MessageTexts().isEmpty());
    EXPECT_EQ(FlightsOnDisk().at(0).czasodlotu, Local(12, 5, 2024, 14, 5, 29));
    EXPECT_EQ(Places(), (QStringList{"Nysa"}));
}

TEST_F(FlightsTest, DeletedFlightTakesItsResultsFromTheFile) {
    const int opole = StoreFlight(u"Opole", Local(12, 5, 2024, 10));
    const int nysa = StoreFlight(u"Nysa", Local(19, 5, 2024, 10));
    StoreResult(opole, fast_, Local(12, 5, 2024, 15));
    StoreResult(opole, slow_, Local(12, 5, 2024, 16));
    StoreResult(nysa, fast_, Local(19, 5, 2024, 15));
    Load();

    ClickFlight(0);
    seams::ScriptMessageBoxAnswers({IDNO});
    page_->DeleteFlight();
    EXPECT_EQ(FlightsOnDisk().size(), 2u);

    ClickFlight(0);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteFlight();
    EXPECT_EQ(MessageTexts().last(), "Czy napewno usunąć wybrany lot?");
    const auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].id, nysa);
    EXPECT_EQ(ResultRowsOnDisk(), 1);
    EXPECT_EQ(Places(), (QStringList{"Nysa"}));
    EXPECT_EQ(TheDataStore().Flights().size(), 1u);
    EXPECT_EQ(page_->ResultList()->GetItemCount(), 0);
    EXPECT_EQ(page_->SelectedFlight(), -1);
}

// ---- results ----------------------------------------------------------------------------------

TEST_F(FlightsTest, ResultsAddedEditedAndDeletedAreStoredOnceInTheSnapshotStoreAndFile) {
    FlightRecord flight;
    flight.id_hodowli = loftId_;
    flight.miejscowosc = u"Opole";
    flight.czasodlotu = Local(12, 5, 2024, 10);
    flight.odleglosckm = 300;
    flight.konkursow_oddzial = 7;
    flight.konkursow_sekcja = 0;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
    Load();
    ClickFlight(0);

    QString birdName, coefficient, sectionCoefficient;
    seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
        EXPECT_EQ(editor.GetDlgItemText(ResultEditor::kBirdName), "Nie wybrano");
        seams::QueueModalHandler(ChooseBird(fast_));
        editor.RunCommand(ResultEditor::kChooseBird);
        birdName = editor.GetDlgItemText(ResultEditor::kBirdName);
        editor.SetDlgItemInt(ResultEditor::kBranchPosition, 3);
        editor.Fire(ResultEditor::kBranchPosition, Notification::KillFocus);
        coefficient = editor.GetDlgItemText(ResultEditor::kBranchCoefficient);
        // No section contests: the typed coefficient stays, and a decimal comma is read.
        editor.SetDlgItemText(ResultEditor::kSectionCoefficient, "5,5");
        editor.SetDlgItemInt(ResultEditor::kSectionPosition, 2);
        editor.Fire(ResultEditor::kSectionPosition, Notification::KillFocus);
        sectionCoefficient = editor.GetDlgItemText(ResultEditor::kSectionCoefficient);
        SetPickers(editor, ResultEditor::kArrivalDate, ResultEditor::kArrivalTime,
                   Local(12, 5, 2024, 15, 0, 0));
        editor.SetItemText(ResultEditor::kNotes, u"zmęczony");
        editor.RunCommand(IDOK);
    }));
    page_->AddFlightResult();
    EXPECT_EQ(birdName, "PL 0123 24 12345 [Szybki]");
    EXPECT_EQ(coefficient, "428.571");
    EXPECT_EQ(sectionCoefficient, "5,5");

    auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    ASSERT_EQ(disk[0].entries.size(), 1u);
    const FlightResultEntry saved = disk[0].entries[0];
    EXPECT_EQ(saved.id_golebia, fast_);
    EXPECT_EQ(saved.id_hodowli, loftId_);
    EXPECT_EQ(saved.nr_konkursu, 3);
    EXPECT_EQ(saved.nr_konkursu_sekcja, 2);
    EXPECT_FLOAT_EQ(saved.CoefficientOddzialowy, 428.571f);
    EXPECT_FLOAT_EQ(saved.CoefficientSekcyjny, 5.5f);
    EXPECT_EQ(saved.DataCzasPrzylotu, Local(12, 5, 2024, 15));
    EXPECT_EQ(saved.notatki, u"zmęczony");
    EXPECT_EQ(SnapshotResultIds(0), std::vector<int>{saved.id});
    EXPECT_EQ(StoreResultIds(flight.id), std::vector<int>{saved.id});
    EXPECT_EQ(ResultRow(0).last(), "1000 ");

    // Editing changes the one stored result everywhere.
    ClickResult(0);
    seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
        EXPECT_EQ(editor.GetDlgItemText(ResultEditor::kBranchCoefficient), "428.571");
        editor.SetDlgItemText(ResultEditor::kBranchPoints, "40.25");
        editor.RunCommand(IDOK);
    }));
    page_->EditFlightResult();
    disk = FlightsOnDisk();
    ASSERT_EQ(disk[0].entries.size(), 1u);
    EXPECT_FLOAT_EQ(disk[0].entries[0].PunktyOddzial, 40.25f);
    EXPECT_FLOAT_EQ(TheDataStore().Flights()[0].entries.at(0).PunktyOddzial, 40.25f);
    EXPECT_EQ(ResultRow(0).at(4), "40.25 ");
    ClickFlight(0);
    EXPECT_EQ(ResultRow(0).at(4), "40.25 ");

    // Deleting removes it from the file, the store and the snapshot: clicking the flight again
    // does not bring it back.
    ClickResult(0);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteFlightResult();
    EXPECT_EQ(MessageTexts().last(), "Czy napewno usunąć wybranego lotnika?");
    EXPECT_EQ(ResultRowsOnDisk(), 0);
    EXPECT_TRUE(StoreResultIds(flight.id).empty());
    ClickFlight(0);
    EXPECT_EQ(page_->ResultList()->GetItemCount(), 0);
    EXPECT_TRUE(SnapshotResultIds(0).empty());
}

// A bird has one result in a flight: a second one, or an edit that gives another result that
// bird, is refused by the bird's ring and writes nothing; a bird's own result stays editable, and
// an edit that names a bird without a result there stores that bird in the file.
TEST_F(FlightsTest, ABirdsSecondResultInAFlightIsRefusedByItsRing) {
    const int flight = StoreFlight(u"Opole", Local(12, 5, 2024, 10));
    const int fastResult = StoreResult(flight, fast_, Local(12, 5, 2024, 14));
    const int slowResult = StoreResult(flight, slow_, Local(12, 5, 2024, 15));
    const int third = AddBird(0, u"12347", u"Trzeci", loftId_);
    Load();
    ClickFlight(0);
    const QString twice = "Gołąb PL 0123 24 12345 ma już wynik w tym locie.";
    // Opens the editor (on `row` to edit), chooses `bird` and notes, presses OK.
    const auto enter = [&](int row, int bird, bool closes) {
        seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
            if (bird) {
                seams::QueueModalHandler(ChooseBird(bird));
                editor.RunCommand(ResultEditor::kChooseBird);
            }
            editor.SetItemText(ResultEditor::kNotes, u"wpis");
            editor.RunCommand(IDOK);
            EXPECT_EQ(editor.HasEnded(), closes) << row << " " << bird;
        }));
        if (row < 0) {
            page_->AddFlightResult();
        } else {
            ClickResult(row);
            page_->EditFlightResult();
        }
    };
    const auto birdsOnDisk = [&] {
        std::vector<int> birds;
        for (const FlightResultEntry& e : FlightsOnDisk().at(0).entries) birds.push_back(e.id_golebia);
        return birds;
    };

    enter(-1, fast_, false);
    enter(1, fast_, false);
    EXPECT_EQ(MessageTexts(), (QStringList{twice, twice}));
    EXPECT_EQ(birdsOnDisk(), (std::vector<int>{fast_, slow_}));
    EXPECT_EQ(SnapshotResultIds(0), (std::vector<int>{fastResult, slowResult}));
    EXPECT_EQ(StoreResultIds(flight), (std::vector<int>{fastResult, slowResult}));
    EXPECT_EQ(ListColumn(page_->ResultList(), 1),
              (QStringList{"PL 0123 24 12345 [Szybki]", "PL 0123 24 12346"}));

    enter(0, 0, true);       // its own result, the bird kept
    enter(1, third, true);   // another bird, without a result in the flight
    EXPECT_EQ(MessageTexts().size(), 2);
    EXPECT_EQ(birdsOnDisk(), (std::vector<int>{fast_, third}));
    EXPECT_EQ(FlightsOnDisk().at(0).entries.at(0).notatki, u"wpis");
    EXPECT_EQ(TheDataStore().Flights().at(0).entries.at(1).id_golebia, third);
    EXPECT_EQ(ListColumn(page_->ResultList(), 1).at(1), "PL 0123 24 12347 [Trzeci]");
    // The bird that gave its place up may have a result again.
    enter(-1, slow_, true);
    EXPECT_EQ(birdsOnDisk(), (std::vector<int>{fast_, third, slow_}));
}

TEST_F(FlightsTest, ResultEditorEndsALongBirdNameWithAnEllipsisAndTipsTheWholeOne) {
    PigeonRecord bird = TheDataStore().FindPigeon(fast_);
    bird.nazwa = u"Sokół Wędrowny z Gór Sowich i Bieszczadów";
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    const int flight = StoreFlight(u"Opole", Local(12, 5, 2024, 10));
    StoreResult(flight, fast_, Local(12, 5, 2024, 14));
    Load();
    ClickFlight(0);
    page_->ResultList()->SelectRow(0);
    page_->Fire(Page::kResultList, Notification::Clicked);

    const QString whole = QString::fromStdU16String(TheDataStore().FindPigeon(fast_).GetDisplayName());
    QString shown, tip;
    int spare = -1;
    seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
        auto* name = editor.ItemAs<CTransparentStatic>(ResultEditor::kBirdName);
        ASSERT_NE(name, nullptr);
        editor.show();
        name->grab();  // paints, which sets the tooltip
        shown = name->ShownText();
        tip = name->toolTip();
        spare = name->width() - name->fontMetrics().horizontalAdvance(shown);
        editor.RunCommand(IDCANCEL);
    }));
    page_->EditFlightResult();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_GE(spare, 0);
    EXPECT_EQ(tip, whole);
}

TEST_F(FlightsTest, RefusedResultsWriteNothingAndSayWhy) {
    const int id = StoreFlight(u"Opole", Local(12, 5, 2024, 10));
    Load();
    const QString chooseFlight = "Przed dodaniem gołębia do lotu musisz wybrać lot z listy powyżej";

    // No flight chosen, a flight but no result, the import without a flight; "Drukuj Lot" is
    // painted only.
    const Rect add = page_->LinkRect(Page::kLinkAddResult);
    page_->OnPageClick(QPoint(add.left + 40, add.top + 10));
    ClickFlight(0);
    page_->EditFlightResult();
    page_->FlightList()->ClearRowSelection();
    page_->Fire(Page::kFlightList, Notification::Clicked);
    page_->ImportFlightResults();
    const Rect print = page_->LinkRect(Page::kLinkPrintFlight);
    page_->OnPageClick(QPoint(print.left + 40, print.top + 10));
    EXPECT_EQ(MessageTexts(), (QStringList{chooseFlight, chooseFlight,
                                           "Wybierz lot, do którego chcesz dodać wyniki"}));

    // OK without a bird.
    ClickFlight(0);
    seams::QueueModalHandler(On<ResultEditor>([](ResultEditor& editor) {
        editor.RunCommand(IDOK);
        EXPECT_FALSE(editor.HasEnded());
    }));
    page_->AddFlightResult();
    EXPECT_EQ(MessageTexts().last(), "Musisz wybrać gołębia");

    // A write the file refuses: a message, and no row anywhere.
    TheDataStore().ExecSqlOnFile(PigeonsDbPath(), u"DROP TABLE lotniki;");
    seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
        seams::QueueModalHandler(ChooseBird(fast_));
        editor.RunCommand(ResultEditor::kChooseBird);
        SetPickers(editor, ResultEditor::kArrivalDate, ResultEditor::kArrivalTime,
                   Local(12, 5, 2024, 15));
        editor.RunCommand(IDOK);
        EXPECT_FALSE(editor.HasEnded());
    }));
    page_->AddFlightResult();
    EXPECT_EQ(MessageTexts().last(), "Nie udało się zapisać wyniku gołębia.");
    EXPECT_TRUE(SnapshotResultIds(0).empty());
    EXPECT_TRUE(StoreResultIds(id).empty());
    EXPECT_EQ(page_->ResultList()->GetItemCount(), 0);
}

// Ctrl with an arrow moves only the focus frame: the flight and the result highlighted stay the
// ones the commands act on. Ctrl with Space then takes the focus row into the highlight or out of
// it, and the commands follow what is highlighted.
TEST_F(FlightsTest, CommandsActOnTheHighlightedRowsWhereverCtrlWithAnArrowMovesTheFocus) {
    const int opole = StoreFlight(u"Opole", Local(4, 5, 2024, 8));
    const int nysa = StoreFlight(u"Nysa", Local(11, 5, 2024, 8));
    StoreResult(opole, fast_, Local(4, 5, 2024, 12));
    StoreResult(opole, slow_, Local(4, 5, 2024, 13));
    Load();
    page_->show();
    ListView* flights = page_->FlightList();
    ListView* results = page_->ResultList();
    const auto birdsOnDisk = [&] {
        std::vector<int> birds;
        for (const FlightRecord& flight : FlightsOnDisk())
            for (const FlightResultEntry& e : flight.entries) birds.push_back(e.id_golebia);
        return birds;
    };

    ClickListRow(flights, 0, 1);
    flights->setFocus();
    QTest::keyClick(flights, Qt::Key_Down, Qt::ControlModifier);
    ASSERT_EQ(flights->currentRow(), 1);
    ASSERT_EQ(flights->GetSelectedCount(), 1);
    ASSERT_TRUE(flights->IsRowSelected(0));
    EXPECT_EQ(page_->SelectedFlight(), 0);
    EXPECT_EQ(results->GetItemCount(), 2);   // Opole's results stay on show

    // The second result alone highlighted, the focus frame moved to it and back.
    ClickListRow(results, 0, 1);
    results->setFocus();
    QTest::keyClick(results, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(results->GetSelectedCount(), 1);
    ASSERT_TRUE(results->IsRowSelected(1));
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteFlightResult();
    EXPECT_EQ(birdsOnDisk(), std::vector<int>{fast_});

    // The last result taken out of the highlight: there is none to delete.
    ClickListRow(results, 0, 1);
    QTest::keyClick(results, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(results->GetSelectedCount(), 0);
    page_->DeleteFlightResult();
    EXPECT_EQ(MessageTexts().last(), "Należy wybrać gołębia z listy.");
    EXPECT_EQ(birdsOnDisk(), std::vector<int>{fast_});

    ClickListRow(flights, 0, 1);
    flights->setFocus();
    QTest::keyClick(flights, Qt::Key_Down, Qt::ControlModifier);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteFlight();
    const auto disk = FlightsOnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].id, nysa);
}

// ---- in the main window ---------------------------------------------------------------------

class FlightsInMainWindowTest : public MainWindowTest {};

TEST_F(FlightsInMainWindowTest, LotyCommandsActOnTheCurrentLoftsFlights) {
    const int north = AddLoft(u"Północ");
    const int south = AddLoft(u"Południe");
    for (const auto& [loft, place] : {std::pair{north, u"Opole"}, std::pair{south, u"Kalisz"}}) {
        FlightRecord flight;
        flight.id_hodowli = loft;
        flight.miejscowosc = place;
        flight.czasodlotu = Local(12, 5, 2024, 10);
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
    }
    Open();
    Page* page = dialog_->FlightsPage();
    EXPECT_EQ(ListColumn(page->FlightList(), 1), (QStringList{"Opole"}));

    dialog_->LoftCombo()->SetCurSel(1);
    dialog_->Fire(CMainDialog::kLoftCombo, Notification::SelChange);
    EXPECT_EQ(ListColumn(page->FlightList(), 1), (QStringList{"Kalisz"}));

    dialog_->RunCommand(kCmdAddFlightResult);
    EXPECT_EQ(MessageTexts().last(),
              "Przed dodaniem gołębia do lotu musisz wybrać lot z listy powyżej");
    seams::QueueModalHandler(On<FlightEditor>([](FlightEditor& editor) {
        editor.SetItemText(FlightEditor::kPlace, u"Konin");
        editor.RunCommand(IDOK);
    }));
    dialog_->RunCommand(kCmdAddFlight);
    EXPECT_EQ(ListColumn(page->FlightList(), 1), (QStringList{"Kalisz", "Konin"}));
    CDataStore fresh;
    fresh.LoadPigeonsDb(south);
    ASSERT_EQ(fresh.Flights().size(), 2u);
    EXPECT_EQ(fresh.Flights()[1].miejscowosc, u"Konin");
}

// A result entered or deleted on the flights page changes the bird's figures at once: in the
// preview under the bird list (summary and "Wyniki lotów") and in the best-pigeons ranking,
// without the loft being loaded again.
TEST_F(FlightsInMainWindowTest, ABirdsFiguresFollowItsResultsWithoutAReload) {
    const int loft = AddLoft(u"Gołębnik");
    const int bird = AddBird(AddCategory(loft, u"Lotne"), u"4001", u"As", loft);
    const Time64 release = Local(12, 5, 2024, 8);
    // Ten results at 500 m/min: one short of the ranking.
    for (int i = 0; i < 10; ++i) {
        FlightRecord flight{.id_hodowli = loft, .miejscowosc = u"Opole", .czasodlotu = release,
                            .odleglosckm = 100};
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        FlightResultEntry result{.nr_konkursu = 4, .DataCzasPrzylotu = release + 200 * 60,
                                 .id_lotu = flight.id, .id_hodowli = loft, .id_golebia = bird};
        ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
    }
    FlightRecord kalisz{.id_hodowli = loft, .miejscowosc = u"Kalisz", .czasodlotu = release,
                        .odleglosckm = 300};
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, kalisz));
    Open();
    CZakladkaListaPsow& birds = *dialog_->BirdListPage();
    ASSERT_EQ(birds.PigeonList()->GetItemCount(), 1);
    birds.PigeonList()->SelectRow(0);
    birds.OnSelectPigeon();
    auto shown = [&birds] {
        return QStringList{birds.previewTab1->GetDlgItemText(CPanelPodgladuTab1::kFlightCountLabel),
                           birds.previewTab1->GetDlgItemText(CPanelPodgladuTab1::kSpeedLabel),
                           birds.previewTab5->GetDlgItemText(CPanelPodgladuTab5::kResultCountLabel),
                           birds.previewTab5->GetDlgItemText(CPanelPodgladuTab5::kAverageSpeedLabel),
                           birds.previewTab5->GetDlgItemText(CPanelPodgladuTab5::kBestPositionLabel)};
    };
    auto ranked = [] {
        CNajlepszeGolebie window;
        window.Create(nullptr);
        return window.List(CNajlepszeGolebie::kRankingList)->GetItemCount();
    };
    EXPECT_EQ(shown(), (QStringList{"10", "500", "10", "500", "4"}));
    EXPECT_EQ(ranked(), 0);

    // The eleventh result, 300 km in 200 minutes, entered through the "Loty" menu.
    Page* page = dialog_->FlightsPage();
    page->FlightList()->SelectRow(10);
    page->Fire(Page::kFlightList, Notification::Clicked);
    seams::QueueModalHandler(On<ResultEditor>([&](ResultEditor& editor) {
        seams::QueueModalHandler(ChooseBird(bird));
        editor.RunCommand(ResultEditor::kChooseBird);
        editor.SetDlgItemInt(ResultEditor::kBranchPosition, 1);
        SetPickers(editor, ResultEditor::kArrivalDate, ResultEditor::kArrivalTime,
                   release + 200 * 60);
        editor.RunCommand(IDOK);
    }));
    dialog_->RunCommand(kCmdAddFlightResult);
    // (10 × 500 + 1500) / 11 m/min
    EXPECT_EQ(shown(), (QStringList{"11", "590", "11", "590.909", "1"}));
    EXPECT_EQ(ranked(), 1);

    page->ResultList()->SelectRow(0);
    page->Fire(Page::kResultList, Notification::Clicked);
    seams::ScriptMessageBoxAnswers({IDYES});
    dialog_->RunCommand(kCmdDeleteFlightResult);
    EXPECT_EQ(shown(), (QStringList{"10", "500", "10", "500", "4"}));
    EXPECT_EQ(ranked(), 0);
}

}  // namespace
