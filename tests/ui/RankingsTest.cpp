// The rankings of best pigeons and best pairs over the loaded loft's results: who is ranked, in
// which order, and the figures shown for a chosen bird or pair.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <ostream>

#include "DataStore.h"
#include "ListView.h"
#include "NajlepszeGolebie.h"
#include "NajlepszePary.h"
#include "Rankings.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"
#include "WindowTestSupport.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

class RankingsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        release_ = *MakeLocalTime(10, 5, 2024, 8, 0, 0);
        loft_ = AddLoft(u"Gołębnik");
    }
    void TearDown() override {
        TheDataStore().LoadPigeonsDb(-1);
        WindowTest::TearDown();
    }

    int Bird(const Text& ring) {
        PigeonRecord bird;
        bird.id_hodowli = loft_;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = ring;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    // A flight of the loft, released at 8:00, with one result per (bird, position); each bird
    // arrives after `minutes`.
    int Flight(const Text& place, double km, int metres,
               std::vector<std::pair<int, int>> results, int minutes = 300, int loft = 0) {
        FlightRecord flight;
        flight.id_hodowli = loft ? loft : loft_;
        flight.miejscowosc = place;
        flight.pogodawmiejscuwypuszczenia = u"Słońce";
        flight.odleglosckm = km;
        flight.odlegloscm = metres;
        flight.czasodlotu = release_;
        EXPECT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        for (const auto& [bird, position] : results) {
            FlightResultEntry result;
            result.id_lotu = flight.id;
            result.id_hodowli = flight.id_hodowli;
            result.id_golebia = bird;
            result.nr_konkursu = position;
            result.DataCzasPrzylotu = release_ + minutes * 60;
            EXPECT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
        }
        return flight.id;
    }

    // `count` flights in which each bird takes the position given for it.
    void Flights(int count, std::vector<std::pair<int, int>> results) {
        for (int i = 0; i < count; ++i) Flight(u"Opole", 100, 0, results);
    }

    void Pair(int male, int female, std::vector<int> young) {
        PairRecord pair;
        pair.id_hodowli = loft_;
        pair.id_samca = male;
        pair.id_samicy = female;
        EXPECT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
        // Straight into the file: the store refuses a bird as a young twice, but files written
        // before it did may hold one, and the ranking counts what the file holds.
        for (int bird : young) {
            EXPECT_TRUE(TheDataStore().ExecSqlOnFile(
                PigeonsDbPath(), u"INSERT INTO dzieci(id_golebia, id_pary, id_hodowli) VALUES (?1, ?2, ?3);",
                {SqlInt(bird), SqlInt(pair.id), SqlInt(loft_)}));
        }
    }

    static QString Name(int bird) {
        return QString::fromStdU16String(TheDataStore().FindPigeon(bird).GetDisplayName());
    }

    Time64 release_ = 0;
    int loft_ = 0;
};

TEST_F(RankingsTest, BestPigeonsRanksBirdsOfMoreThanTenResultsByAveragePosition) {
    const int steady = Bird(u"1");
    const int tenOnly = Bird(u"2");
    const int leader = Bird(u"3");
    const int twin = Bird(u"4");
    Flights(10, {{steady, 5}, {tenOnly, 1}, {leader, 3}, {twin, 5}});
    // The eleventh result, in a flight of 300 km 500 m flown in 5 hours.
    Flight(u"Kalisz", 300, 500, {{steady, 0}, {leader, 3}, {twin, 5}});
    // Results in another loft's flight are not this loft's.
    Flight(u"Poznań", 50, 0, {{steady, 1}}, 60, AddLoft(u"Drugi"));
    TheDataStore().LoadPigeonsDb(loft_);
    ASSERT_TRUE(TheDataStore().WritePigeonShortDescription(steady, u"Pewny lotnik"));

    CNajlepszeGolebie window;
    window.Create(nullptr);
    ListView* ranking = window.List(CNajlepszeGolebie::kRankingList);
    EXPECT_EQ(ListColumn(ranking, 0), (QStringList{"1", "2", "3"}));
    // Equal averages (50 / 11 = 4 for both) keep the birds' order.
    EXPECT_EQ(ListColumn(ranking, 1), (QStringList{Name(leader), Name(steady), Name(twin)}));
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kDescriptionLabel),
              "Musisz wybrać gołębia, aby zobaczyć jego osiągnięcia lotowe.");

    ranking->SelectRow(1);
    window.Fire(CNajlepszeGolebie::kRankingList, Notification::Clicked);
    ListView* results = window.List(CNajlepszeGolebie::kResultList);
    ASSERT_EQ(results->GetItemCount(), 11);
    EXPECT_EQ(results->GetItemText(10, 1), "Kalisz");
    EXPECT_EQ(results->GetItemText(10, 2), "Słońce");
    EXPECT_EQ(results->GetItemText(10, 3), "0");
    // The flight's odd metres count: 300 500 m in 300 minutes.
    EXPECT_EQ(results->GetItemText(10, 4), "1001.67");
    EXPECT_EQ(results->GetItemText(10, 5), "13:00");
    EXPECT_EQ(results->GetItemText(0, 4), "333.333");
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kAveragePositionLabel), "4");   // 50 / 11
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kResultCountLabel), "11");
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kBestPositionLabel), "5");      // 0 is no place
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kBirdLabel), Name(steady));
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kDescriptionLabel), "Pewny lotnik");

    // A bird whose results all have position 0.
    window.ShowPigeonResults(tenOnly);
    EXPECT_EQ(results->GetItemCount(), 10);
    window.ShowPigeonResults(Bird(u"9"));
    EXPECT_EQ(results->GetItemCount(), 0);
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kAveragePositionLabel), "0");
    EXPECT_EQ(window.GetDlgItemText(CNajlepszeGolebie::kBestPositionLabel), "0");
}

TEST_F(RankingsTest, RankBestPigeonsTakesMoreThanTenResultsTruncatesAndKeepsIdOrderOnTies) {
    // Created in this order, so the ids run c < b < f < e < a < d while the rings run the other
    // way round for the tied birds.
    const int c = Bird(u"99"), b = Bird(u"11"), f = Bird(u"88"), e = Bird(u"22");
    const int a = Bird(u"33"), d = Bird(u"44");
    Flights(10, {{a, 5}, {b, 3}, {c, 3}, {d, 1}, {e, 2}, {f, 2}});
    TheDataStore().LoadPigeonsDb(loft_);
    EXPECT_TRUE(RankBestPigeons(TheDataStore()).empty()) << "ten results are not enough";

    // One more for all but d: e's 23 / 11 truncates to 2, tying with f.
    Flight(u"Brno", 200, 0, {{a, 5}, {b, 3}, {c, 3}, {e, 3}, {f, 2}});
    TheDataStore().LoadPigeonsDb(loft_);
    std::vector<int> ids, averages;
    for (const PigeonRecord& bird : RankBestPigeons(TheDataStore())) {
        ids.push_back(bird.id);
        averages.push_back(bird.averagePosition);
    }
    EXPECT_EQ(ids, (std::vector<int>{f, e, c, b, a}));
    EXPECT_EQ(averages, (std::vector<int>{2, 2, 3, 3, 5}));
}

TEST_F(RankingsTest, RankBestPairsTruncatesTowardZeroCountsRepeatedYoungAndKeepsPairOrderOnTies) {
    std::vector<int> males, females;
    for (int i = 0; i < 6; ++i) {
        females.push_back(Bird(u"F" + NumberText(i)));
    }
    // Males in reverse, so the males' ids fall as the pairs' ids rise.
    for (int i = 5; i >= 0; --i) males.insert(males.begin(), Bird(u"M" + NumberText(i)));
    const int y7a = Bird(u"101"), y7b = Bird(u"102"), y4 = Bird(u"103"), y5 = Bird(u"104");
    const int yMinus3 = Bird(u"105"), yMinus4 = Bird(u"106"), y10 = Bird(u"107"), y1 = Bird(u"108");
    const int unraced = Bird(u"109");
    Flight(u"Opole", 100, 0,
           {{y7a, 7}, {y7b, 7}, {y4, 4}, {y5, 5}, {yMinus3, -3}, {yMinus4, -4}, {y10, 10}, {y1, 1}});
    Pair(males[0], females[0], {y7a});                // 7
    Pair(males[1], females[1], {y7b, unraced});       // 7: the unraced young does not count
    Pair(males[2], females[2], {y4, y5});             // 9 / 2 = 4
    Pair(males[3], females[3], {yMinus3, yMinus4});   // -7 / 2 = -3, not -4
    Pair(males[4], females[4], {y10, y10, y1});       // (10 + 10 + 1) / 3 = 7
    Pair(males[5], females[5], {unraced});            // none raced
    TheDataStore().LoadPigeonsDb(loft_);

    std::vector<int> order, scores;
    for (const PairRecord& pair : RankBestPairs(TheDataStore())) {
        order.push_back(static_cast<int>(std::find(males.begin(), males.end(), pair.id_samca) -
                                         males.begin()));
        scores.push_back(pair.score);
    }
    EXPECT_EQ(order, (std::vector<int>{3, 2, 0, 1, 4, 5}));
    EXPECT_EQ(scores, (std::vector<int>{-3, 4, 7, 7, 7, kUnracedPairScore}));
}

TEST_F(RankingsTest, BestPairsMergesRecordsOfTheSameParentsAndRanksByRacedYoung) {
    const int m1 = Bird(u"11"), f1 = Bird(u"12"), m2 = Bird(u"21"), f2 = Bird(u"22");
    const int m3 = Bird(u"31"), f3 = Bird(u"32"), m4 = Bird(u"41"), f4 = Bird(u"42");
    const int y1 = Bird(u"101"), y2 = Bird(u"102"), y3 = Bird(u"103");
    const int y4 = Bird(u"104"), y5 = Bird(u"105"), idle = Bird(u"106");
    Flight(u"Opole", 100, 0, {{y1, 4}, {y2, 9}, {y4, 2}, {y5, -6}});
    Flight(u"Brno", 200, 0, {{y2, 7}});
    Pair(m1, f1, {y1, idle});
    Pair(m2, f2, {idle});        // no raced young
    Pair(m1, f1, {y2});          // the same parents again: one ranked pair with both young
    Pair(m3, f3, {y4});
    Pair(m4, f4, {y5});          // a position typed below zero
    Pair(f4, m4, {y3});          // other way round: another pair, no raced young
    TheDataStore().LoadPigeonsDb(loft_);
    ASSERT_TRUE(TheDataStore().WritePigeonShortDescription(y1, u"Szybki"));

    CNajlepszePary window;
    window.Create(nullptr);
    ListView* pairs = window.List(CNajlepszePary::kPairList);
    EXPECT_EQ(ListColumn(pairs, 0), (QStringList{"1", "2", "3", "4", "5"}));
    // Scores -6, 2, (4 + 8) / 2 = 6, then the two unraced pairs at 50000 in their order.
    EXPECT_EQ(ListColumn(pairs, 1), (QStringList{Name(m4), Name(m3), Name(m1), Name(m2), Name(f4)}));
    EXPECT_EQ(ListColumn(pairs, 2), (QStringList{Name(f4), Name(f3), Name(f1), Name(f2), Name(m4)}));
    std::vector<int> scores;
    for (const PairRecord& pair : window.Ranking()) scores.push_back(pair.score);
    EXPECT_EQ(scores, (std::vector<int>{-6, 2, 6, 50000, 50000}));

    // The young list before a pair is chosen changes nothing.
    window.Fire(CNajlepszePary::kYoungList, Notification::Clicked);
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kYoungLabel), "Wybierz gołębia z listy");

    pairs->SelectRow(2);
    window.Fire(CNajlepszePary::kPairList, Notification::Clicked);
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kMaleLabel), Name(m1));
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kFemaleLabel), Name(f1));
    ListView* young = window.List(CNajlepszePary::kYoungList);
    EXPECT_EQ(ListColumn(young, 0), (QStringList{Name(y1), Name(y2)}));
    EXPECT_EQ(ListColumn(young, 1), (QStringList{"1", "2"}));
    EXPECT_EQ(ListColumn(young, 2), (QStringList{"4", "8"}));
    // 100 km in 300 minutes, and that with 200 km in 300 minutes: 333.333 and 500.
    EXPECT_EQ(ListColumn(young, 3), (QStringList{"333.333", "500"}));

    young->SelectRow(0);
    window.Fire(CNajlepszePary::kYoungList, Notification::Clicked);
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kYoungLabel), Name(y1));
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kYoungDescriptionLabel), "Szybki");

    // An unraced pair lists no young.
    pairs->SelectRow(3);
    window.Fire(CNajlepszePary::kPairList, Notification::Clicked);
    EXPECT_EQ(young->GetItemCount(), 0);
    EXPECT_EQ(window.GetDlgItemText(CNajlepszePary::kMaleLabel), Name(m2));
}

}  // namespace

namespace {

// What a label shows within its own box, and its tooltip after a paint.
struct Shown {
    QString text, tip;
    bool fits = false;
};
Shown ShownIn(Dialog& window, int id) {
    auto* label = window.ItemAs<CTransparentStatic>(id);
    if (!label) return {};
    label->grab();  // paints, which sets the tooltip
    const QString text = label->ShownText();
    const QRect need = label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap, text);
    // The bounding box of whole lines may reach one pixel below the last line's spacing.
    return {text, label->toolTip(), need.height() <= label->contentsRect().height() + 1};
}

TEST_F(RankingsTest, LongRingsAndNamesEndInAnEllipsisWithinTheirLabels) {
    const Text longName = u"Sokół Wędrowny z Gór Sowich, wnuk Błyskawicy Śląskiej i Grzmiącego";
    auto named = [&](const Text& ring) {
        const int id = Bird(ring);
        PigeonRecord bird = TheDataStore().FindPigeon(id);
        bird.nazwa = longName;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
        return id;
    };
    const int male = named(u"1"), female = named(u"2"), young = named(u"3");
    Pair(male, female, {young});
    for (int i = 0; i < 11; ++i) Flight(u"Opole", 100, 0, {{young, 1}});
    TheDataStore().LoadPigeonsDb(loft_);
    TheDataStore().LoadExtraDb(loft_);

    CNajlepszePary pairs;
    pairs.Create(nullptr);
    pairs.show();
    pairs.List(CNajlepszePary::kPairList)->SelectRow(0);
    pairs.Fire(CNajlepszePary::kPairList, Notification::Clicked);
    pairs.List(CNajlepszePary::kYoungList)->SelectRow(0);
    pairs.Fire(CNajlepszePary::kYoungList, Notification::Clicked);
    CNajlepszeGolebie pigeons;
    pigeons.Create(nullptr);
    pigeons.show();
    pigeons.List(CNajlepszeGolebie::kRankingList)->SelectRow(0);
    pigeons.Fire(CNajlepszeGolebie::kRankingList, Notification::Clicked);

    const std::pair<Dialog*, int> labels[] = {{&pairs, CNajlepszePary::kMaleLabel},
                                              {&pairs, CNajlepszePary::kFemaleLabel},
                                              {&pairs, CNajlepszePary::kYoungLabel},
                                              {&pigeons, CNajlepszeGolebie::kBirdLabel}};
    for (const auto& [window, id] : labels) {
        const QString whole = window->GetDlgItemText(id);
        EXPECT_TRUE(whole.endsWith(QString::fromStdU16String(longName) + "]")) << id;
        const Shown shown = ShownIn(*window, id);
        EXPECT_TRUE(shown.text.endsWith(QChar(0x2026))) << id << ": " << shown.text.toStdString();
        EXPECT_TRUE(shown.fits) << id << ": " << shown.text.toStdString();
        EXPECT_EQ(shown.tip, whole) << id;
    }
}

// A bird's text cut to a width keeps what tells birds apart: the whole ring when there is room for
// it, else both ends of the ring.
TEST(ElideBirdText, KeepsTheRingWholeOrBothItsEnds) {
    const QFontMetrics metrics(Font(QStringLiteral("Tahoma"), 16, FW_NORMAL));
    const QString ring = QStringLiteral("PL 0123 2024 PL-012345");
    const QString named = ring + QStringLiteral(" [Żółtodzioby Syn Wielkopolskich Przestworzy]");
    const int ringWidth = metrics.horizontalAdvance(ring);
    const struct {
        QString text;
        int width;
        QString starts, ends;
    } cases[] = {
        {named, metrics.horizontalAdvance(named), named, named},        // fits: whole
        {named, ringWidth + 60, ring + QStringLiteral(" [Żó"), QStringLiteral("…")},
        {named, ringWidth - 10, QStringLiteral("PL 0"), QStringLiteral("012345")},
        {ring, ringWidth - 10, QStringLiteral("PL 0"), QStringLiteral("012345")},
    };
    for (const auto& c : cases) {
        const QString shown = ElideBirdText(c.text, metrics, c.width);
        EXPECT_TRUE(shown.startsWith(c.starts) && shown.endsWith(c.ends)) << shown.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(shown), c.width) << shown.toStdString();
        EXPECT_EQ(shown == c.text, c.width >= metrics.horizontalAdvance(c.text));
    }
}

// Birds of long rings alike at their start and long names alike at their end: the ranking lists
// widen their bird columns as far as they have room and show each ring's end, so every row reads
// differently; a cut text is whole in the cell's tooltip.
TEST_F(RankingsTest, LongRingsInTheRankingListsStillTellTheBirdsApart) {
    auto bird = [&](const Text& ring) {
        const int id = Bird(ring);
        ChangeBird(id, [](PigeonRecord& b) {
            b.rocznik = u"2024";
            b.nazwa = u"Żółtodzioby Syn Wielkopolskich Przestworzy";
        });
        return id;
    };
    std::vector<int> birds;
    for (const Text ring : {u"PL-012350", u"PL-012351", u"PL-012352", u"PL-012353"})
        birds.push_back(bird(ring));
    Flights(11, {{birds[0], 1}, {birds[1], 2}, {birds[2], 3}, {birds[3], 4}});
    Pair(birds[0], birds[1], {birds[2], birds[3]});
    Pair(birds[2], birds[3], {birds[0], birds[1]});
    TheDataStore().LoadPigeonsDb(loft_);
    TheDataStore().LoadExtraDb(loft_);

    CNajlepszeGolebie pigeons;
    pigeons.Create(nullptr);
    pigeons.show();
    CNajlepszePary pairs;
    pairs.Create(nullptr);
    pairs.show();
    pairs.List(CNajlepszePary::kPairList)->SelectRow(0);
    pairs.Fire(CNajlepszePary::kPairList, Notification::Clicked);
    const struct {
        ListView* list;
        int column;
        int given;
    } columns[] = {{pigeons.List(CNajlepszeGolebie::kRankingList), 1, 145},
                   {pairs.List(CNajlepszePary::kPairList), 1, 145},
                   {pairs.List(CNajlepszePary::kPairList), 2, 145},
                   {pairs.List(CNajlepszePary::kYoungList), 0, 160}};
    for (const auto& [list, column, given] : columns) {
        SCOPED_TRACE(column);
        ASSERT_GE(list->GetItemCount(), 2);
        EXPECT_GT(list->GetColumnWidth(column), given);   // widened into the list's room
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        QStringList shown;
        for (int row = 0; row < list->GetItemCount(); ++row) {
            const QString whole = list->GetItemText(row, column);
            const QString text = list->ShownCellText(row, column);
            EXPECT_NE(text, whole);
            EXPECT_TRUE(text.endsWith(whole.mid(whole.indexOf(QStringLiteral("PL-0")) + 3, 6)))
                << text.toStdString();
            EXPECT_EQ(list->CellToolTip(row, column), whole);
            shown << text;
        }
        EXPECT_EQ(shown.removeDuplicates(), 0) << shown.join(QLatin1Char('|')).toStdString();
    }
    // The tooltip comes up over a cut cell.
    ListView* ranking = pigeons.List(CNajlepszeGolebie::kRankingList);
    const QRect cell = ranking->visualRect(ranking->model()->index(1, 1));
    QHelpEvent help(QEvent::ToolTip, cell.center(), ranking->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(ranking->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), ranking->GetItemText(1, 1));
    QToolTip::hideText();
    // A number column is cut at its end as before, with no tooltip of its own.
    EXPECT_EQ(ranking->CellToolTip(1, 0), QString());
}

// The father's and the mother's labels are alike: a ring that needs both lines of its label
// (a number typed as the whole ring) is shown whole under either photo.
TEST_F(RankingsTest, BothParentsRingsWrapAlike) {
    auto ringed = [&] {
        const int id = Bird(u"PL-0196-21-01234");
        PigeonRecord bird = TheDataStore().FindPigeon(id);
        bird.oddzial = u"0196";
        bird.rocznik = u"2021";
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
        return id;
    };
    const int male = ringed(), female = ringed();
    Pair(male, female, {});
    TheDataStore().LoadPigeonsDb(loft_);
    CNajlepszePary pairs;
    pairs.Create(nullptr);
    pairs.show();
    pairs.List(CNajlepszePary::kPairList)->SelectRow(0);
    pairs.Fire(CNajlepszePary::kPairList, Notification::Clicked);
    for (int id : {CNajlepszePary::kMaleLabel, CNajlepszePary::kFemaleLabel}) {
        const Shown shown = ShownIn(pairs, id);
        EXPECT_EQ(shown.text, QStringLiteral("PL 0196 2021 PL-0196-21-01234")) << id;
        EXPECT_TRUE(shown.fits) << id;
        EXPECT_EQ(shown.tip, QString()) << id;
    }
}

}  // namespace
