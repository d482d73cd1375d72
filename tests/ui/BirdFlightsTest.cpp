// Preview tab 5: a bird's results in the loaded loft's flights with their speeds and the
// statistics above them, and the report written from the same rows: its bytes, the columns of
// rows3.dat, escaping, and where it goes (the fixed page previewed, or a file the user names).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "ColumnLayout.h"
#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "ListView.h"
#include "PanelPodgladuTab5.h"
#include "Places.h"
#include "PodgladHTML.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// The file's bytes: the byte-order mark, then the page as UTF-16LE.
struct ReportFile {
    bool hasBom = false;
    QString page;
};

ReportFile ReadReport(const QString& path) {
    QFile file(path);
    ReportFile report;
    if (!file.open(QIODevice::ReadOnly)) return report;
    const QByteArray bytes = file.readAll();
    report.hasBom = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                    static_cast<unsigned char>(bytes[1]) == 0xFE;
    const QByteArray body = bytes.mid(report.hasBom ? 2 : 0);
    std::u16string units(static_cast<size_t>(body.size() / 2), u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(body[2 * i]) |
                                         (static_cast<unsigned char>(body[2 * i + 1]) << 8));
    }
    report.page = QString::fromStdU16String(units);
    return report;
}

void WriteReportLayout(std::vector<std::pair<std::int32_t, std::int32_t>> columns) {
    ColumnLayoutFile layout;
    for (const auto& [code, width] : columns) {
        layout.codes.push_back(code);
        layout.widths[code] = width;
    }
    ASSERT_TRUE(layout.Write(FlightResultLayoutPath()));
}

class BirdFlightsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        release_ = *MakeLocalTime(10, 5, 2024, 8, 0, 0);
        loft_ = AddLoft(u"Gołębnik");
    }

    void TearDown() override {
        tab_.reset();
        QFile::remove(places::OutputPage(QStringLiteral("ox_wyniki.html")));
        WindowTest::TearDown();
        TheDataStore().LoadPigeonsDb(-1);
    }

    // A bird of the test's loft, in no category.
    int AddBird(const Text& ring, const Text& name = u"") {
        PigeonRecord bird;
        bird.id_hodowli = loft_;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = ring;
        bird.nazwa = name;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    int AddFlight(const Text& place, int km, int metres, int loft = 0) {
        FlightRecord flight;
        flight.id_hodowli = loft ? loft : loft_;
        flight.miejscowosc = place;
        flight.odleglosckm = km;
        flight.odlegloscm = metres;
        flight.czasodlotu = release_;
        flight.pogodawmiejscuwypuszczenia = u"";
        flight.pogodalokalna = u"Słonecznie";
        flight.iloscwkonkursie = 7;
        flight.golebi_oddzial = 120;
        EXPECT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        return flight.id;
    }

    void AddResult(int flight, int bird, Time64 arrival, int position, float points = 0,
                   float coefficient = 0, int loft = 0) {
        FlightResultEntry result;
        result.id_lotu = flight;
        result.id_golebia = bird;
        result.id_hodowli = loft ? loft : loft_;
        result.DataCzasPrzylotu = arrival;
        result.nr_konkursu = position;
        result.PunktyOddzial = points;
        result.CoefficientOddzialowy = coefficient;
        // As the files may hold it: an arrival at or before the release included.
        EXPECT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result, RecordOrigin::Copied));
    }

    CPanelPodgladuTab5& Tab() {
        if (!tab_) {
            TheDataStore().LoadPigeonsDb(loft_);
            tab_ = std::make_unique<CPanelPodgladuTab5>();
            tab_->Create(nullptr);
            tab_->resize(900, 430);
            tab_->show();
        }
        return *tab_;
    }

    ListView* List() { return Tab().List(CPanelPodgladuTab5::kFlightList); }
    QString Label(int id) { return Tab().GetDlgItemText(id); }

    Time64 release_ = 0;
    int loft_ = 0;
    std::unique_ptr<CPanelPodgladuTab5> tab_;
};

// ---- the list and its statistics ------------------------------------------------------------------

TEST_F(BirdFlightsTest, ListAndStatisticsOfTheBirdsResultsInTheLoadedLoft) {
    const int bird = AddBird(u"7");
    const int other = AddBird(u"8");
    const int idle = AddBird(u"9");
    const int opole = AddFlight(u"Opole", 25, 0);
    const int kalisz = AddFlight(u"Kalisz", 100, 500);
    const int brno = AddFlight(u"Brno", 50, 0);
    const int away = AddFlight(u"Poznań", 80, 0, AddLoft(u"Drugi"));
    AddResult(opole, bird, release_ + 1000, 12, 30.5f, 12.25f);   // 25 000 m in 1000 s
    AddResult(opole, other, release_ + 1200, 3);
    AddResult(kalisz, bird, release_, 0);                           // arrival at the release
    AddResult(brno, bird, release_ - 60, 5);                        // arrival before it
    AddResult(away, bird, release_ + 100, 1);                       // another loft's flight

    Tab().ShowPigeon(bird);
    EXPECT_EQ(ListColumn(List(), 1), (QStringList{"Opole", "Kalisz", "Brno"}));
    EXPECT_EQ(ListColumn(List(), 2), (QStringList{"10/05/24", "10/05/24", "10/05/24"}));
    EXPECT_EQ(ListColumn(List(), 3), (QStringList{"12", "0", "5"}));
    EXPECT_EQ(List()->GetItemText(0, 4), "30.5 ");
    EXPECT_EQ(List()->GetItemText(0, 5), "12.25 ");
    EXPECT_EQ(ListColumn(List(), 6), (QStringList{"1500", "0", "0"}));
    EXPECT_EQ(Label(CPanelPodgladuTab5::kResultCountLabel), "3");
    EXPECT_EQ(Label(CPanelPodgladuTab5::kBestPositionLabel), "5");       // 0 is no placing
    EXPECT_EQ(Label(CPanelPodgladuTab5::kAveragePositionLabel), "5");    // 17 / 3
    EXPECT_EQ(Label(CPanelPodgladuTab5::kMaximumSpeedLabel), "1500");
    EXPECT_EQ(Label(CPanelPodgladuTab5::kAverageSpeedLabel), "500");     // 1500 / 3 results
    EXPECT_LE(List()->HeadingWidth(6), List()->GetColumnWidth(6)) << "Prędkość m/min is cut";

    // With one result the average and the maximum agree.
    Tab().ShowPigeon(other);
    EXPECT_EQ(ListColumn(List(), 6), QStringList{"1250"});
    EXPECT_EQ(Label(CPanelPodgladuTab5::kMaximumSpeedLabel), "1250");
    EXPECT_EQ(Label(CPanelPodgladuTab5::kAverageSpeedLabel), "1250");
    EXPECT_EQ(Label(CPanelPodgladuTab5::kBestPositionLabel), "3");

    // No results: an empty list and zeros.
    Tab().ShowPigeon(idle);
    EXPECT_EQ(List()->GetItemCount(), 0);
    for (int id : {CPanelPodgladuTab5::kResultCountLabel, CPanelPodgladuTab5::kBestPositionLabel,
                   CPanelPodgladuTab5::kAveragePositionLabel, CPanelPodgladuTab5::kMaximumSpeedLabel,
                   CPanelPodgladuTab5::kAverageSpeedLabel}) {
        EXPECT_EQ(Label(id), "0") << id;
    }
}

// ---- the report -----------------------------------------------------------------------------------

TEST_F(BirdFlightsTest, ReportHasTheChosenColumnsInOrderWithEscapedTexts) {
    const int bird = AddBird(u"7", u"Ala & <Ola>");
    const int flight = AddFlight(u"Opole \"Rynek\" 'Stary'", 25, 0);
    AddResult(flight, bird, release_ + 1000, 12);
    WriteReportLayout({{0, 10}, {1, 40}, {7, 25}, {3, 30}});
    Tab().ShowPigeon(bird);
    const QString path = folder_.filePath(QStringLiteral("raport.html"));

    ASSERT_TRUE(Tab().BuildFlightsHtml(path.toStdU16String()));
    const ReportFile report = ReadReport(path);
    EXPECT_TRUE(report.hasBom);
    EXPECT_TRUE(report.page.startsWith("<html><style type=\"text/css\" media=\"print,screen\" >"
                                       "td { page-break-inside: auto; font-size: 10pt; "
                                       "font-family: Tahoma }"));
    EXPECT_TRUE(report.page.contains("if(tblHeight + rowHeight > 900)"));
    EXPECT_FALSE(report.page.contains("<img"));   // no photograph, no picture
    const qsizetype body = report.page.indexOf("</script><body>");
    ASSERT_GT(body, 0);
    EXPECT_EQ(report.page.mid(body + 15),
              "<h2>Wyniki lotowe gołębia: PL 0123 24 7 [Ala &amp; &lt;Ola&gt;]</h2><br clear=all>"
              "<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 "
              "style=\"table-layout:fixed; word-wrap: break-word; page-break-after: always;\" "
              "name=masterTbl id=masterTbl><thead><tr>"
              "<td style=\"width:10mm\" align=center bgcolor=#eeeeee><b>LP.</b></td>"
              "<td style=\"width:40mm\" align=center bgcolor=#eeeeee><b>Miejscowość</b></td>"
              "<td style=\"width:25mm\" align=center bgcolor=#eeeeee><b>Szybkość</b></td>"
              "<td style=\"width:30mm\" align=center bgcolor=#eeeeee><b>Pogoda</b></td>"
              "</tr></thead><tbody><tr valign=top>\r\n"
              "<td>&nbsp;1</td><td>&nbsp;Opole &quot;Rynek&quot; &#39;Stary&#39;</td>"
              "<td>&nbsp;1500</td><td>&nbsp;&nbsp;</td></tr>\r\n</table>");

    // A photograph goes above the title as a file URL of its stored copy.
    const QString source = folder_.filePath(QStringLiteral("zdjecie.png"));
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(source));
    PhotoRecord photo{.id_golebia = bird, .path = source.toStdU16String(), .rozszerzenie = u"png"};
    ASSERT_TRUE(TheDataStore().AddPhoto(photo));
    ASSERT_TRUE(Tab().BuildFlightsHtml(path.toStdU16String()));
    const QString url = places::FileUrl(QString::fromStdU16String(JoinPath(ImagesFolder(), photo.FileName())));
    EXPECT_TRUE(url.startsWith("file:///"));
    EXPECT_TRUE(ReadReport(path).page.contains(
        "</script><body><img align=left src='" + url + "' width=135 height=135><br><br><h2>"));
}

TEST_F(BirdFlightsTest, EveryColumnCodeHasItsCellText) {
    BirdFlightRow row;
    row.flight.miejscowosc = u"Opole";
    row.flight.odleglosckm = 25;
    row.flight.pogodawmiejscuwypuszczenia = u"Wiatr <5 m/s>";
    row.flight.pogodalokalna = u"";
    row.flight.iloscwkonkursie = 7;
    row.flight.golebi_oddzial = 120;
    row.speed = 1234.5678f;
    row.nr_konkursu = 12;
    row.PunktyOddzial = 30.5f;
    row.CoefficientOddzialowy = 12.25f;
    row.DataCzasPrzylotu = *MakeLocalTime(10, 5, 2024, 8, 16, 40);
    QStringList cells;
    for (int code = 0; code <= 12; ++code)
        cells << QString::fromStdU16String(CPanelPodgladuTab5::FlightCellText(row, code, 3));
    EXPECT_EQ(cells, (QStringList{"3", "Opole", "25 ", "Wiatr &lt;5 m/s&gt;", "&nbsp;", "7 ",
                                  "120 ", "1234.57", "12", "30.5 ", "12.25 ", "08:16", "&nbsp;"}));
    row.DataCzasPrzylotu = kNoDate;
    EXPECT_EQ(CPanelPodgladuTab5::FlightCellText(row, FlightResultColumnArrival, 1), u"&nbsp;");
}

TEST_F(BirdFlightsTest, ReportOfABirdWithoutResultsOrWithoutLayoutHasNoRows) {
    const int bird = AddBird(u"7");
    const QString path = folder_.filePath(QStringLiteral("pusty.html"));
    Tab().ShowPigeon(bird);
    // No rows3.dat yet: no columns.
    ASSERT_TRUE(Tab().BuildFlightsHtml(path.toStdU16String()));
    EXPECT_TRUE(ReadReport(path).page.endsWith("id=masterTbl><thead><tr></tr></thead><tbody></table>"));

    WriteReportLayout({{1, 40}, {8, 20}});
    ASSERT_TRUE(Tab().BuildFlightsHtml(path.toStdU16String()));
    const QString page = ReadReport(path).page;
    EXPECT_TRUE(page.contains("<h2>Wyniki lotowe gołębia: PL 0123 24 7</h2>"));
    EXPECT_TRUE(page.endsWith("<b>Miejsce w konk.</b></td></tr></thead><tbody></table>"));
}

// ---- printing and saving ----------------------------------------------------------------

TEST_F(BirdFlightsTest, PrintWritesTheFixedPageAndPreviewsItOnlyWhenWritten) {
    const int bird = AddBird(u"7", u"Ala");
    const int other = AddBird(u"8", u"Ola");
    WriteReportLayout({{1, 40}});
    const QString page = places::OutputPage(QStringLiteral("ox_wyniki.html"));
    Tab().ShowPigeon(bird);
    QString previewed;
    seams::QueueModalHandler([&](Dialog& window) {
        previewed = QString::fromStdU16String(static_cast<CPodgladHTML&>(window).path);
        return IDCANCEL;
    });
    Tab().Fire(CPanelPodgladuTab5::kPrintButton, Notification::Clicked);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CPodgladHTML::IDD);
    EXPECT_EQ(previewed, page);
    EXPECT_TRUE(ReadReport(page).hasBom);
    EXPECT_TRUE(ReadReport(page).page.contains("PL 0123 24 7 [Ala]"));

    // A page that cannot be written is reported and the earlier bird's page is not shown.
    const QString blocker = page + ".tmp";
    ASSERT_TRUE(QDir().mkpath(blocker + "/x"));
    Tab().ShowPigeon(other);
    Tab().Fire(CPanelPodgladuTab5::kPrintButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts(), QStringList{"Nie udało się zapisać wyników lotowych gołębia do pliku."});
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_TRUE(ReadReport(page).page.contains("[Ala]"));
    ASSERT_TRUE(QDir(blocker).removeRecursively());
}

TEST_F(BirdFlightsTest, SaveWritesWhereTheUserChoseAndReportsFailures) {
    const int bird = AddBird(u"7", u"Ala");
    WriteReportLayout({{1, 40}});
    Tab().ShowPigeon(bird);
    const QString chosen = folder_.filePath(QStringLiteral("wyniki Ali"));   // a new name

    seams::ScriptPaths({chosen, QString(), folder_.filePath(QStringLiteral("nie ma/raport.html"))});
    Tab().Fire(CPanelPodgladuTab5::kSaveButton, Notification::Clicked);
    ASSERT_EQ(seams::ChooserCalls().size(), 1u);
    EXPECT_EQ(seams::ChooserCalls()[0].kind, seams::ChooserCall::Save);
    EXPECT_EQ(seams::ChooserCalls()[0].filter, "Plik HTML");
    const ReportFile saved = ReadReport(chosen + ".html");
    EXPECT_TRUE(saved.hasBom);
    EXPECT_TRUE(saved.page.contains("PL 0123 24 7 [Ala]"));

    // Cancelled: nothing written, nothing said.
    Tab().Fire(CPanelPodgladuTab5::kSaveButton, Notification::Clicked);
    EXPECT_TRUE(MessageTexts().isEmpty());
    // A folder that is not there: the user is told.
    Tab().Fire(CPanelPodgladuTab5::kSaveButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts(), QStringList{"Nie udało się zapisać wyników lotowych gołębia do pliku."});
    EXPECT_TRUE(seams::ModalRuns().empty());
}

}  // namespace
