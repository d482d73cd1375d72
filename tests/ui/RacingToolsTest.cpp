// The racing tools: the distance and speed calculators, a bird's speed in four units (opened from
// the preview panel), the union's branch directory (also from the start page) and the results
// import window, each reached the way the user reaches it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>
#include <ostream>

#include "DataStore.h"
#include "Globals.h"
#include "Dialog.h"
#include "ImportujWynikiLotowe.h"
#include "KalkulatorOdleglosci.h"
#include "KalkulatorPredkosci.h"
#include "ListView.h"
#include "MainDialog.h"
#include "menu/MainMenu.h"
#include "PanelPodgladuTab1.h"
#include "PredkoscGolebia.h"
#include "SharedRoutines.h"
#include "SpisOddzialow.h"
#include "UnionBranchTable.h"
#include "WindowTestSupport.h"
#include "ZakladkaLotyGolebi.h"
#include "ZakladkaStartowa.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

class RacingToolsTest : public MainWindowTest {};

// ---- distance calculator --------------------------------------------------------------------

struct Point {
    double latitude[3];
    double longitude[3];
};

// Types both points into the calculator, presses "Oblicz..." and returns the result field.
QString Distance(CKalkulatorOdleglosci& calculator, const Point& one, const Point& two) {
    auto type = [&](int first, const double (&values)[3]) {
        for (int i = 0; i < 3; ++i)
            calculator.SetDlgItemText(first + i, QString::number(values[i]));
    };
    type(CKalkulatorOdleglosci::kLatitude1, one.latitude);
    type(CKalkulatorOdleglosci::kLongitude1, one.longitude);
    type(CKalkulatorOdleglosci::kLatitude2, two.latitude);
    type(CKalkulatorOdleglosci::kLongitude2, two.longitude);
    calculator.RunCommand(CKalkulatorOdleglosci::kCalculateButton);
    return calculator.GetDlgItemText(CKalkulatorOdleglosci::kResultEdit);
}

TEST_F(RacingToolsTest, DistanceCalculatorGivesGreatCircleKilometres) {
    CKalkulatorOdleglosci calculator;
    calculator.Create(nullptr);
    EXPECT_EQ(calculator.GetDlgItemText(CKalkulatorOdleglosci::kLatitude1), "0");

    // One degree of arc at radius 6367 km.
    EXPECT_EQ(Distance(calculator, {{0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {1, 0, 0}}), "111.125");
    EXPECT_EQ(Distance(calculator, {{0, 0, 0}, {0, 0, 0}}, {{0, 30, 0}, {0, 30, 0}}),
              "78.5768");
    // Minutes and seconds are sixtieths of a degree and of a minute.
    EXPECT_EQ(Distance(calculator, {{0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 30, 0}}), "55.5626");
    EXPECT_EQ(Distance(calculator, {{0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 0, 36}}), "1.11125");
    EXPECT_EQ(Distance(calculator, {{50, 3, 0}, {19, 56, 0}}, {{52, 13, 0}, {21, 1, 0}}),
              "252.336");   // Kraków to Warszawa
    EXPECT_EQ(Distance(calculator, {{50, 3, 0}, {19, 56, 0}}, {{50, 3, 0}, {19, 56, 0}}), "0");
    // Enter in a field computes and keeps the window open.
    calculator.SetDlgItemText(CKalkulatorOdleglosci::kLatitude2, QStringLiteral("51"));
    QTest::keyClick(calculator.Edit(CKalkulatorOdleglosci::kLatitude2), Qt::Key_Return);
    EXPECT_EQ(calculator.GetDlgItemText(CKalkulatorOdleglosci::kResultEdit), "111.125");   // one degree north
    EXPECT_FALSE(calculator.HasEnded());
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    // The other units scale the same arc.
    const double arc = CoordinateToRadians(1, 0, 0);
    EXPECT_NEAR(GreatCircleDistance(0, 0, 0, arc, 'S') / GreatCircleDistance(0, 0, 0, arc, 'K'),
                3956.0 / 6367.0, 1e-12);
    EXPECT_DOUBLE_EQ(GreatCircleDistance(0, 0, 0, arc, 'N'), GreatCircleDistance(0, 0, 0, arc, 'x'));
}

TEST_F(RacingToolsTest, DistanceCalculatorRefusesCoordinatesItCannotUse) {
    CKalkulatorOdleglosci calculator;
    calculator.Create(nullptr);
    const Point home{{50, 0, 0}, {20, 0, 0}};
    // Latitude past the pole, longitude past the date line, minutes and seconds of 60.
    const std::vector<std::pair<Point, QString>> wrong = {
        {{{90, 30, 0}, {20, 0, 0}}, "Współrzędne 2 punktu: szerokość musi leżeć między -90° a 90°."},
        {{{50, 0, 0}, {-181, 0, 0}}, "Współrzędne 2 punktu: długość musi leżeć między -180° a 180°."},
        {{{50, 60, 0}, {20, 0, 0}}, "Współrzędne 2 punktu: minuty i sekundy muszą leżeć między 0 a 59."},
        {{{50, 0, 0}, {20, 0, -1}}, "Współrzędne 2 punktu: minuty i sekundy muszą leżeć między 0 a 59."},
    };
    for (const auto& [point, message] : wrong) {
        seams::Reset();
        EXPECT_EQ(Distance(calculator, home, point), "") << message.toStdString();
        ASSERT_EQ(MessageTexts(), QStringList{message});
    }
    // The refused field is selected whole, so what is typed next replaces it.
    const auto* longitude = qobject_cast<QLineEdit*>(calculator.Item(CKalkulatorOdleglosci::kLongitude2));
    ASSERT_NE(longitude, nullptr);
    EXPECT_EQ(longitude->selectedText(), longitude->text());
    EXPECT_FALSE(longitude->text().isEmpty());
    // The edges themselves are fine.
    seams::Reset();
    EXPECT_EQ(Distance(calculator, {{-90, 0, 0}, {180, 0, 0}}, {{90, 0, 0}, {-180, 0, 0}}),
              "20002.5");   // half the circumference
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    // A field that holds no number shows no distance computed from the others.
    Distance(calculator, home, home);
    calculator.SetDlgItemText(CKalkulatorOdleglosci::kLongitude2 + 1, QStringLiteral("pół"));
    calculator.RunCommand(CKalkulatorOdleglosci::kCalculateButton);
    EXPECT_EQ(calculator.GetDlgItemText(CKalkulatorOdleglosci::kResultEdit), "");
    EXPECT_EQ(MessageTexts(), QStringList{"Wprowadź liczbę."});
}

// ---- speed calculator and a bird's speed -------------------------------------------------------

TEST_F(RacingToolsTest, SpeedCalculatorGivesMetresPerSecondAndKilometresPerHour) {
    CKalkulatorPredkosci calculator;
    calculator.Create(nullptr);
    auto speed = [&](const char* h, const char* m, const char* s, const char* km) {
        calculator.SetDlgItemText(CKalkulatorPredkosci::kHoursEdit, h);
        calculator.SetDlgItemText(CKalkulatorPredkosci::kMinutesEdit, m);
        calculator.SetDlgItemText(CKalkulatorPredkosci::kSecondsEdit, s);
        calculator.SetDlgItemText(CKalkulatorPredkosci::kDistanceEdit, km);
        calculator.RunCommand(CKalkulatorPredkosci::kCalculateButton);
        return QStringList{calculator.GetDlgItemText(CKalkulatorPredkosci::kMetresPerSecondEdit),
                           calculator.GetDlgItemText(CKalkulatorPredkosci::kKilometresPerHourEdit)};
    };
    EXPECT_EQ(speed("1", "0", "0", "60"), (QStringList{"16.7", "60"}));
    EXPECT_EQ(speed("5", "12", "30", "300.5"), (QStringList{"16", "57.7"}));
    EXPECT_EQ(speed("0", "0", "45", "0.5"), (QStringList{"11.1", "40"}));
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    // No time, or less than none: no speed, and the user is told why.
    EXPECT_EQ(speed("0", "0", "0", "60"), (QStringList{"", ""}));
    EXPECT_EQ(speed("0", "-1", "30", "60"), (QStringList{"", ""}));
    EXPECT_EQ(MessageTexts(), (QStringList{"Czas lotu musi być dłuższy niż zero sekund.",
                                           "Czas lotu musi być dłuższy niż zero sekund."}));
}

TEST_F(RacingToolsTest, BirdSpeedFromThePreviewPanelInFourUnits) {
    EXPECT_EQ(SpeedInUnits(1000).metresPerSecond, u"16.6667");
    EXPECT_EQ(SpeedInUnits(1000).kilometresPerHour, u"60");
    EXPECT_EQ(SpeedInUnits(1000).kilometresPerMinute, u"1");
    // Slow birds are not rounded down to nothing.
    EXPECT_EQ(SpeedInUnits(59).metresPerSecond, u"0.983333");
    EXPECT_EQ(SpeedInUnits(59).kilometresPerHour, u"3.54");
    EXPECT_EQ(SpeedInUnits(59).kilometresPerMinute, u"0.059");
    EXPECT_EQ(SpeedInUnits(0).kilometresPerHour, u"0");

    // A bird with two results of 1200 and 1000 m/min averages 1100.
    PigeonRecord bird;
    bird.nr_obraczki = u"1";
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
    // Two 100 km flights of the bird, flown at 1200 and 1000 m/min; a load counts them.
    for (int seconds : {5000, 6000}) {
        FlightRecord flight;
        flight.odleglosckm = 100;
        flight.czasodlotu = *MakeLocalTime(1, 6, 2024, 6);
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        FlightResultEntry result;
        result.id_lotu = flight.id;
        result.id_golebia = bird.id;
        result.nr_konkursu = 1;
        result.DataCzasPrzylotu = flight.czasodlotu + seconds;
        ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
    }
    ASSERT_TRUE(TheDataStore().LoadPigeonsDb(0));
    CPanelPodgladuTab1 tab;
    tab.Create(nullptr);
    tab.resize(900, 140);
    tab.ShowPigeon(bird.id);
    QStringList shown;
    seams::SetModalHandler([&](Dialog& dialog) {
        for (int id : {CPredkoscGolebia::kMetresPerMinuteLabel, CPredkoscGolebia::kMetresPerSecondLabel,
                       CPredkoscGolebia::kKilometresPerHourLabel,
                       CPredkoscGolebia::kKilometresPerMinuteLabel})
            shown << dialog.GetDlgItemText(id);
        return IDOK;
    });
    QTest::mouseClick(&tab, Qt::LeftButton, {}, QPoint(780, 40));
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CPredkoscGolebia::kTemplateId);
    EXPECT_EQ(shown, (QStringList{"1100", "18.3333", "66", "1.1"}));

    // Outside the box, or with no bird shown, nothing opens.
    QTest::mouseClick(&tab, Qt::LeftButton, {}, QPoint(700, 40));
    tab.ShowPigeon(-1);
    QTest::mouseClick(&tab, Qt::LeftButton, {}, QPoint(780, 40));
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
}

// ---- branch directory ----------------------------------------------------------------------------

QStringList Lines(const QString& text) {
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

TEST_F(RacingToolsTest, BranchTableHoldsEveryDistrictWithItsBranchesSpelledRight) {
    FillUnionBranchTable();
    const std::vector<UnionDistrict>& table = UnionBranchTable();
    ASSERT_EQ(table.size(), 38u);
    size_t total = 0;
    for (const UnionDistrict& district : table) {
        total += district.entries.size();
        for (const Text& entry : district.entries) {
            // No letter of the wrong code page is left.
            EXPECT_EQ(entry.find_first_of(u"¦¬±ˇ"), Text::npos) << ToUtf8(entry);
        }
    }
    EXPECT_EQ(total, 370u);
    EXPECT_EQ(table[10].name, u"KATOWICE");
    EXPECT_EQ(table[10].entries.size(), 52u);
    EXPECT_EQ(table[10].entries[24], u"0140   PIEKARY ŚL. - 1");
    // Runs of blanks and trailing blanks are part of the entries.
    EXPECT_EQ(table[6].entries[12], u"074    'KOCIEWIE' - STAROGARD GDAŃSKI - PELPLIN ");
    EXPECT_EQ(table[24].entries[4], u"0276   TOMASZÓW   MAZOWIECKI");
    // Filling again adds nothing.
    FillUnionBranchTable();
    EXPECT_EQ(UnionBranchTable().size(), 38u);
}

TEST_F(RacingToolsTest, BranchDirectorySearchesNamesAndNumbers) {
    auto search = [](const Text& text) {
        return Lines(QString::fromStdU16String(SearchUnionBranches(text)).replace("\r\n", "\n"));
    };
    FillUnionBranchTable();
    QStringList all = search(u"");
    ASSERT_EQ(all.size(), 370);
    EXPECT_EQ(all.first(), "07    - BIAŁA PODLASKA, Oddział: Biała Podlaska");
    EXPECT_EQ(all.last(), "0431   DRZONKÓW, Oddział: ZIELONA GÓRA");
    EXPECT_EQ(all.removeDuplicates(), 0);

    const QStringList seven = search(u"07");
    ASSERT_EQ(seven.size(), 10);
    EXPECT_EQ(seven.first(), "07    - BIAŁA PODLASKA, Oddział: Biała Podlaska");
    EXPECT_TRUE(seven.contains("070    PUCK, Oddział: GDAŃSK"));
    EXPECT_EQ(seven.last(), "0407   PŁOTY, Oddział: SZCZECIN");

    // District names are not searched; small Polish letters find the capitals.
    EXPECT_EQ(search(u"KATOWICE"), (QStringList{"0124   KATOWICE - 1, Oddział: KATOWICE",
                                                "0125   KATOWICE - 2, Oddział: KATOWICE"}));
    EXPECT_EQ(search(u"oświęcim"), QStringList{"026   - OŚWIĘCIM, Oddział: BIELSKO BIAŁA"});
    EXPECT_EQ(search(u"koźle").size(), 2);
    EXPECT_EQ(search(u"GRUDZIĄDZ"), QStringList{"0323   GRUDZIĄDZ, Oddział: TORUŃ"});
    EXPECT_TRUE(search(u"Warszawa Centrum").isEmpty());
}

TEST_F(RacingToolsTest, BranchDirectoryWindowAndItsSearchFromTheStartPage) {
    auto result = [](Dialog& dialog) {
        return dialog.MultiEdit(CSpisOddzialow::kResultEdit)->toPlainText();
    };
    QStringList shown;
    seams::SetModalHandler([&](Dialog& dialog) {
        shown << result(dialog);
        dialog.SetDlgItemText(CSpisOddzialow::kSearchEdit, QStringLiteral("łódź"));
        dialog.RunCommand(CSpisOddzialow::kSearchButton);
        shown << result(dialog);
        return IDCANCEL;
    });
    CSpisOddzialow().DoModal();
    CSpisOddzialow().DoModal();   // a second opening lists each match once
    // Enter in the search field searches instead of closing the window.
    seams::SetModalHandler([&](Dialog& dialog) {
        dialog.SetDlgItemText(CSpisOddzialow::kSearchEdit, QStringLiteral("łódź"));
        QTest::keyClick(dialog.Edit(CSpisOddzialow::kSearchEdit), Qt::Key_Return);
        EXPECT_FALSE(dialog.HasEnded());
        shown << result(dialog);
        return IDCANCEL;
    });
    CSpisOddzialow().DoModal();
    const QStringList expected{
        "Wpisz nazwę szukanego oddziału lub jego numer i kliknij w przycisk 'Pokaż informacje'",
        "0223   ŁÓDŹ, Oddział: ŁÓDŹ\n"};
    EXPECT_EQ(shown, expected + expected + QStringList{expected[1]});

    // From the start page: its text is searched at once; without text only the instruction shows.
    seams::Reset();
    shown.clear();
    seams::SetModalHandler([&](Dialog& dialog) {
        shown << dialog.GetDlgItemText(CSpisOddzialow::kSearchEdit) << result(dialog);
        return IDCANCEL;
    });
    CZakladkaStartowa start;
    start.Create(nullptr);
    start.SetItemText(CZakladkaStartowa::kBranchEdit, u"KATOWICE");
    start.RunCommand(CZakladkaStartowa::kSearchBranch);
    start.SetItemText(CZakladkaStartowa::kBranchEdit, u"");
    start.RunCommand(CZakladkaStartowa::kSearchBranch);
    ASSERT_EQ(seams::ModalRuns().size(), 2u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CSpisOddzialow::kTemplateId);
    EXPECT_EQ(shown, (QStringList{"KATOWICE",
                                  "0124   KATOWICE - 1, Oddział: KATOWICE\n"
                                  "0125   KATOWICE - 2, Oddział: KATOWICE\n",
                                  "", expected[0]}));
}

TEST_F(RacingToolsTest, ToolsMenuOpensTheCalculatorsDirectoryAndRankings) {
    CMainDialog& main = Open();
    for (int command : {kCmdSpeedCalculator, kCmdDistanceCalculator, kCmdBranchDirectory,
                        kCmdBestPigeons, kCmdBestPairs})
        main.RunCommand(command);
    QList<int> opened;
    for (const seams::ModalRun& run : seams::ModalRuns()) opened << run.templateId;
    EXPECT_EQ(opened, (QList<int>{246, 228, 189, 235, 247}));
}

// ---- results import window -----------------------------------------------------------------------

TEST_F(RacingToolsTest, ImportWindowAsksForAUnicodeFileAndImportsNothing) {
    CImportujWynikiLotowe window;
    window.Create(nullptr);
    ListView* list = window.List(CImportujWynikiLotowe::kResultList);
    ASSERT_NE(list, nullptr);
    QStringList headings;
    for (int c = 0; c < list->GetColumnCount(); ++c) headings << list->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headings, (QStringList{"...", "Obrączka gołębia", "Czas przylotu", "Nr. konkursu",
                                     "Coefficent", "Punkty", "Prędkość [m/min]"}));
    EXPECT_TRUE(list->HasCheckBoxes());

    // A chosen file, whatever it holds, brings the request; a cancelled choice brings nothing.
    seams::ScriptPaths({QStringLiteral("/tmp/wyniki.txt"), QString()});
    window.RunCommand(CImportujWynikiLotowe::kChooseFileButton);
    window.RunCommand(CImportujWynikiLotowe::kChooseFileButton);
    ASSERT_EQ(seams::ChooserCalls().size(), 2u);
    EXPECT_EQ(seams::ChooserCalls()[0].filter,
              "Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||");
    EXPECT_EQ(FileFilterForQt(seams::ChooserCalls()[0].filter),
              "Pliki tekstowe (*.txt);;Wszystkie pliki (*.*)");
    EXPECT_EQ(MessageTexts(), QStringList{"Wczytywany plik nie jest zapisany w formacie UNICODE. "
                                          "Zapisz plik jako UNICODE i wczytaj ponownie."});
    EXPECT_EQ(window.GetDlgItemText(CImportujWynikiLotowe::kFileEdit), "");

    // The two other buttons do nothing and the list stays empty.
    window.RunCommand(CImportujWynikiLotowe::kProcessButton);
    window.RunCommand(CImportujWynikiLotowe::kAddToFlightButton);
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_FALSE(window.HasEnded());
    EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);
}

TEST_F(RacingToolsTest, FlightsPageOpensTheImportWindowForAChosenFlight) {
    const int loft = AddLoft(u"Gołębnik");
    FlightRecord flight;
    flight.id_hodowli = loft;
    flight.miejscowosc = u"Opole";
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
    CDataStore& store = TheDataStore();
    store.LoadLofts();
    store.LoadPigeonsDb(loft);
    g_currentLoftIndex = store.FindLoftIndex(loft);
    CZakladkaLotyGolebi page;
    page.Create(nullptr);
    page.FillFlightList(-1);
    page.FlightList()->SelectRow(0);
    page.Fire(CZakladkaLotyGolebi::kFlightList, Notification::Clicked);
    page.ImportFlightResults();
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CImportujWynikiLotowe::kTemplateId);
    EXPECT_EQ(seams::ModalRuns()[0].caption, "Import wyników z listy konkursowej");
}

}  // namespace
