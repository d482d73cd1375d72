// The rules every pair, young, flight and result keeps: a refused write leaves both the file and
// memory exactly as they were and the check names the rule and the record in the way; the records
// next to a rule (a pair of one chosen bird, a bird's own result edited, a young moved after it
// was taken from its first pair, a release just before the first arrival) are still written.
#include <cmath>
#include <functional>

#include "TestSupport.h"

namespace {

class RecordRulesTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        Reload(-1);  // makes the tables
        LoftRecord loft{.nazwahodowli = u"A"};
        ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
        loft_ = loft.id;
        Reload(loft_);
    }

    int AddBird(const Text& ring, int motherId = 0) {
        PigeonRecord bird;
        bird.nr_obraczki = ring;
        bird.id_hodowli = loft_;
        bird.id_matki = motherId;
        EXPECT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }
    int AddPair(int cock, int hen) {
        PairRecord pair{.id_hodowli = loft_, .id_samca = cock, .id_samicy = hen};
        EXPECT_TRUE(store_.WritePair(WriteMode::Insert, pair));
        return pair.id;
    }
    YoungRecord AddYoung(int pairId, int bird) {
        const PairRecord& pair = PairOf(pairId);
        YoungRecord young{.id_golebia = bird, .id_pary = pairId, .id_hodowli = loft_};
        EXPECT_TRUE(store_.AddYoungWithParents(young, pair.id_samca, pair.id_samicy));
        return young;
    }
    int AddFlight() {
        FlightRecord flight;
        flight.id_hodowli = loft_;
        EXPECT_TRUE(store_.WriteFlight(WriteMode::Insert, flight));
        return flight.id;
    }
    FlightResultEntry AddResult(int flightId, int bird, Time64 arrival = kNoDate) {
        FlightResultEntry result;
        result.id_lotu = flightId;
        result.id_hodowli = loft_;
        result.id_golebia = bird;
        result.DataCzasPrzylotu = arrival;
        EXPECT_TRUE(store_.WriteFlightResult(WriteMode::Insert, result));
        return result;
    }
    const PairRecord& PairOf(int pairId) const {
        for (const PairRecord& pair : store_.AllPairs()) {
            if (pair.id == pairId) return pair;
        }
        static const PairRecord none;
        return none;
    }

    // Every row the rules concern, as the file holds it.
    std::vector<std::vector<long long>> FileRows() {
        std::vector<std::vector<long long>> rows;
        SqlDatabase db(PigeonsDbPath());
        for (const char16_t* sql :
             {u"SELECT id, id_samca, id_samicy, 0 FROM pary ORDER BY id",
              u"SELECT id, id_pary, id_golebia, length(uwagi) FROM dzieci ORDER BY id",
              u"SELECT id, id_lotu, id_golebia, length(notatki) FROM lotniki ORDER BY id",
              u"SELECT id, czasodlotu, odleglosckm, length(miejscowosc) FROM loty ORDER BY id",
              u"SELECT id, id_ojca, id_matki, 0 FROM pigeons ORDER BY id"}) {
            SqlStatement st = db.Prepare(sql);
            while (st.NextRow()) rows.push_back({st.Int(0), st.Int(1), st.Int(2), st.Int(3)});
            rows.push_back({});
        }
        return rows;
    }
    // The same as memory holds it: the loaded loft's pairs, every loft's pairs, the flights with
    // their releases and results, and the birds' parents and summed speeds.
    std::vector<std::vector<long long>> MemoryRows() const {
        std::vector<std::vector<long long>> rows;
        for (const auto* pairs : {&store_.Pairs(), &store_.AllPairs()}) {
            for (const PairRecord& pair : *pairs) {
                rows.push_back({pair.id, pair.id_samca, pair.id_samicy});
                for (const YoungRecord& y : pair.young) rows.push_back({y.id, y.id_golebia, (long long)y.uwagi.size()});
            }
        }
        for (const auto* flights : {&store_.Flights(), &store_.AllFlights()}) {
            for (const FlightRecord& flight : *flights) {
                rows.push_back({flight.id, flight.czasodlotu, (long long)flight.miejscowosc.size()});
                for (const FlightResultEntry& e : flight.entries) rows.push_back({flight.id, e.id, e.id_golebia});
            }
        }
        for (const auto& [id, bird] : store_.Pigeons()) {
            rows.push_back({id, bird.id_ojca, bird.id_matki, std::llround(bird.speedSum * 100)});
        }
        return rows;
    }

    // Runs a write that a rule must refuse: the check names the rule and the record in the way,
    // the write answers false, and neither the file nor memory changes.
    void ExpectRefused(const char* what, RuleCheck check, RecordRule rule, int otherId,
                       const std::function<bool()>& write) {
        EXPECT_EQ(check.rule, rule) << what;
        EXPECT_EQ(check.otherId, otherId) << what;
        const auto file = FileRows();
        const auto memory = MemoryRows();
        EXPECT_FALSE(write()) << what;
        EXPECT_EQ(FileRows(), file) << what;
        EXPECT_EQ(MemoryRows(), memory) << what;
    }

    int loft_ = 0;
};

TEST_F(RecordRulesTest, APairOfOneBirdOrWithItsYoungInItsLineIsRefused) {
    const int cock = AddBird(u"1"), hen = AddBird(u"2"), other = AddBird(u"3");
    const int pairId = AddPair(cock, hen);
    const YoungRecord young = AddYoung(pairId, AddBird(u"4"));
    const int grandchild = AddBird(u"5", young.id_golebia);

    PairRecord oneBird{.id_hodowli = loft_, .id_samca = other, .id_samicy = other};
    ExpectRefused("new pair of one bird", store_.CheckPair(WriteMode::Insert, oneBird),
                  RecordRule::PairOfOneBird, 0, [&] { return store_.WritePair(WriteMode::Insert, oneBird); });
    struct {
        const char* what;
        int cock, hen;
        RecordRule rule;
        int otherId;
    } const edits[] = {
        {"edited into a pair of one bird", cock, cock, RecordRule::PairOfOneBird, 0},
        {"its young as the hen", cock, young.id_golebia, RecordRule::PairYoungInItsLine, young.id},
        {"its young's child as the cock", grandchild, hen, RecordRule::PairYoungInItsLine, young.id},
    };
    for (const auto& edit : edits) {
        PairRecord edited = PairOf(pairId);
        edited.id_samca = edit.cock;
        edited.id_samicy = edit.hen;
        ExpectRefused(edit.what, store_.CheckPair(WriteMode::Update, edited), edit.rule, edit.otherId,
                      [&] { return store_.WritePair(WriteMode::Update, edited); });
    }

    // One bird chosen (the other not: 0 or -1) is a pair like any other; so is an edit that
    // keeps the birds.
    for (const auto& [c, h] : {std::pair{other, 0}, std::pair{0, other}, std::pair{-1, other}}) {
        PairRecord half{.id_hodowli = loft_, .id_samca = c, .id_samicy = h};
        EXPECT_TRUE(store_.CheckPair(WriteMode::Insert, half).Kept());
        EXPECT_TRUE(store_.WritePair(WriteMode::Insert, half)) << c << " " << h;
    }
    PairRecord notes = PairOf(pairId);
    notes.uwagi = u"dobra";
    EXPECT_TRUE(store_.WritePair(WriteMode::Update, notes));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM pary"), 4);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT uwagi FROM pary WHERE id = " + std::to_string(pairId)), "dobra");
}

TEST_F(RecordRulesTest, AYoungOfOnePairIsRefusedToAnotherUntilItLeavesTheFirst) {
    const int c1 = AddBird(u"1"), h1 = AddBird(u"2"), c2 = AddBird(u"3"), h2 = AddBird(u"4");
    const int first = AddPair(c1, h1), second = AddPair(c2, h2);
    const int bird = AddBird(u"10");
    YoungRecord mine = AddYoung(first, bird);
    YoungRecord theirs = AddYoung(second, AddBird(u"11"));
    EXPECT_EQ(store_.BirdsLinkedAsYoung(0), (std::set<int>{bird, theirs.id_golebia}));
    EXPECT_EQ(store_.BirdsLinkedAsYoung(mine.id), std::set<int>{theirs.id_golebia});

    YoungRecord again{.id_golebia = bird, .id_pary = second, .id_hodowli = loft_};
    ExpectRefused("with parents, to another pair", store_.CheckYoung(WriteMode::Insert, again, c2, h2),
                  RecordRule::YoungOfAnotherPair, first, [&] { return store_.AddYoungWithParents(again, c2, h2); });
    ExpectRefused("without parents, to another pair", store_.CheckYoung(WriteMode::Insert, again, c2, h2),
                  RecordRule::YoungOfAnotherPair, first, [&] { return store_.WriteYoung(WriteMode::Insert, again); });
    YoungRecord twice{.id_golebia = bird, .id_pary = first, .id_hodowli = loft_};
    ExpectRefused("twice to its own pair", store_.CheckYoung(WriteMode::Insert, twice, c1, h1),
                  RecordRule::YoungOfAnotherPair, first, [&] { return store_.WriteYoung(WriteMode::Insert, twice); });
    YoungRecord relinked = theirs;
    relinked.id_golebia = bird;
    ExpectRefused("relinked with parents", store_.CheckYoung(WriteMode::Update, relinked, c2, h2),
                  RecordRule::YoungOfAnotherPair, first,
                  [&] { return store_.UpdateYoungWithParents(relinked, theirs.id_golebia, c2, h2); });
    ExpectRefused("relinked without parents", store_.CheckYoung(WriteMode::Update, relinked, c2, h2),
                  RecordRule::YoungOfAnotherPair, first, [&] { return store_.WriteYoung(WriteMode::Update, relinked); });
    YoungRecord cock{.id_golebia = c2, .id_pary = second, .id_hodowli = loft_};
    ExpectRefused("its pair's cock, without parents", store_.CheckYoung(WriteMode::Insert, cock, c2, h2),
                  RecordRule::YoungIsPairBird, 0, [&] { return store_.WriteYoung(WriteMode::Insert, cock); });

    // Its own link stays editable.
    mine.uwagi = u"pierwsze";
    EXPECT_TRUE(store_.UpdateYoungWithParents(mine, bird, c1, h1));
    mine.uwagi = u"pierwsze z gniazda";
    EXPECT_TRUE(store_.WriteYoung(WriteMode::Update, mine));

    // Taken from the first pair, it becomes the second pair's young with that pair's parents.
    ASSERT_TRUE(store_.WriteYoung(WriteMode::Delete, mine));
    EXPECT_TRUE(store_.CheckYoung(WriteMode::Insert, again, c2, h2).Kept());
    ASSERT_TRUE(store_.AddYoungWithParents(again, c2, h2));
    const std::string id = std::to_string(bird);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_pary FROM dzieci WHERE id_golebia = " + id), second);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM dzieci WHERE id_golebia = " + id), 1);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_ojca FROM pigeons WHERE id = " + id), c2);
    EXPECT_EQ(store_.Pigeons().at(bird).id_matki, h2);
}

TEST_F(RecordRulesTest, ABirdHasOneResultInAFlightAndItsOwnStaysEditable) {
    const int a = AddBird(u"1"), b = AddBird(u"2"), c = AddBird(u"3");
    const int flight = AddFlight(), other = AddFlight();
    FlightResultEntry ofA = AddResult(flight, a);
    FlightResultEntry ofB = AddResult(flight, b);

    FlightResultEntry second;
    second.id_lotu = flight;
    second.id_hodowli = loft_;
    second.id_golebia = a;
    ExpectRefused("a second result", store_.CheckFlightResult(WriteMode::Insert, second),
                  RecordRule::BirdTwiceInFlight, ofA.id,
                  [&] { return store_.WriteFlightResult(WriteMode::Insert, second); });
    FlightResultEntry changed = ofB;
    changed.id_golebia = a;
    ExpectRefused("an edit naming a bird with a result", store_.CheckFlightResult(WriteMode::Update, changed),
                  RecordRule::BirdTwiceInFlight, ofA.id,
                  [&] { return store_.WriteFlightResult(WriteMode::Update, changed); });

    // The same bird in another flight, its own result edited, and another result edited to a
    // bird without one (the file takes the new bird) are all written.
    EXPECT_TRUE(AddResult(other, a).id > 0);
    ofA.notatki = u"wrócił";
    EXPECT_TRUE(store_.WriteFlightResult(WriteMode::Update, ofA));
    changed.id_golebia = c;
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, changed));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_golebia FROM lotniki WHERE id = " + std::to_string(ofB.id)), c);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT notatki FROM lotniki WHERE id = " + std::to_string(ofA.id)), "wrócił");
    const auto memory = MemoryRows();
    Reload(loft_);
    EXPECT_EQ(MemoryRows(), memory);
    // b has no result in the flight any more.
    EXPECT_TRUE(AddResult(flight, b).id > 0);

    // Two results of one bird that a file already holds: each stays editable while it keeps
    // its bird.
    Exec(PigeonsDbPath(), "INSERT INTO lotniki(id_lotu, id_hodowli, id_golebia) VALUES (" +
                              std::to_string(other) + ", " + std::to_string(loft_) + ", " + std::to_string(a) + ")");
    Reload(loft_);
    for (FlightResultEntry held : store_.Flights().at(1).entries) {
        held.notatki = u"stare";
        EXPECT_TRUE(store_.WriteFlightResult(WriteMode::Update, held)) << held.id;
    }
}

// A release moved to or after an arrival the flight holds would leave that bird without a
// speed, and its 0 would pull the bird's average down: refused by the earliest arrival. Results
// without an arrival are not compared, a release a second before the earliest arrival is taken,
// and a flight that a file holds with an arrival before its release stays editable while its
// release is kept.
TEST_F(RecordRulesTest, AFlightsReleaseIsEarlierThanEveryArrivalItHolds) {
    const Time64 release = 1715500800;
    const int a = AddBird(u"1"), b = AddBird(u"2"), c = AddBird(u"3");
    FlightRecord stored{.id_hodowli = loft_, .czasodlotu = release, .odleglosckm = 300};
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, stored));
    const int flight = stored.id;
    AddResult(flight, a, release + 7200);
    const FlightResultEntry earliest = AddResult(flight, b, release + 3600);
    AddResult(flight, c);  // not come home
    ASSERT_GT(store_.Pigeons().at(a).speedSum, 0.0f);

    for (const Time64 later : {release + 3600, release + 3601, release + 3 * 3600}) {
        FlightRecord moved = store_.Flights().at(0);
        moved.czasodlotu = later;
        moved.miejscowosc = u"Opole";
        ExpectRefused("a release at or after the arrivals", store_.CheckFlight(WriteMode::Update, moved),
                      RecordRule::ReleaseAfterArrival, earliest.id,
                      [&] { return store_.WriteFlight(WriteMode::Update, moved); });
    }

    FlightRecord beforeFirst = store_.Flights().at(0);
    beforeFirst.czasodlotu = release + 3599;
    EXPECT_TRUE(store_.CheckFlight(WriteMode::Update, beforeFirst).Kept());
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Update, beforeFirst));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT czasodlotu FROM loty WHERE id = " + std::to_string(flight)),
              release + 3599);

    // A file's flight released after its results' arrivals keeps its release on an edit.
    Exec(PigeonsDbPath(), "UPDATE loty SET czasodlotu = " + std::to_string(release + 9000));
    Reload(loft_);
    FlightRecord kept = store_.Flights().at(0);
    kept.miejscowosc = u"Nysa";
    EXPECT_TRUE(store_.WriteFlight(WriteMode::Update, kept));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT miejscowosc FROM loty"), "Nysa");
    kept.czasodlotu = release + 9001;
    EXPECT_EQ(store_.CheckFlight(WriteMode::Update, kept).rule, RecordRule::ReleaseAfterArrival);
    EXPECT_FALSE(store_.WriteFlight(WriteMode::Update, kept));
}

// Older files hold an empty arrival column as 0: that result has no arrival and never stands in
// the way of a release, as -1 does not.
TEST_F(RecordRulesTest, AStoredArrivalOfZeroIsNoArrivalForTheRelease) {
    const Time64 release = 1715500800;
    FlightRecord stored{.id_hodowli = loft_, .czasodlotu = release, .odleglosckm = 300};
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, stored));
    AddResult(stored.id, AddBird(u"1"), release + 3600);
    Exec(PigeonsDbPath(), "UPDATE lotniki SET DataCzasPrzylotu = 0");
    Reload(loft_);
    ASSERT_EQ(store_.Flights().at(0).entries.at(0).DataCzasPrzylotu, 0);

    FlightRecord moved = store_.Flights().at(0);
    moved.czasodlotu = release + 7200;
    EXPECT_TRUE(store_.CheckFlight(WriteMode::Update, moved).Kept());
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Update, moved));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT czasodlotu FROM loty"), release + 7200);
}

// A typed arrival at or before its flight's release gives the bird no time in the air: refused.
// What is not compared: a result without an arrival, a flight without a release, an edit that
// keeps the arrival a file holds, and a result copied from the breeder's old files.
TEST_F(RecordRulesTest, ATypedArrivalIsLaterThanItsFlightsRelease) {
    const Time64 release = 1715500800;
    const int a = AddBird(u"1"), b = AddBird(u"2"), c = AddBird(u"3");
    FlightRecord stored{.id_hodowli = loft_, .czasodlotu = release, .odleglosckm = 300};
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, stored));
    const int flight = stored.id;
    const auto arrivalOf = [&](int resultId) {
        return QueryInt(PigeonsDbPath(), "SELECT DataCzasPrzylotu FROM lotniki WHERE id = " +
                                             std::to_string(resultId));
    };

    for (const Time64 arrival : {release, release - 60}) {
        FlightResultEntry early{.id_lotu = flight, .id_hodowli = loft_, .id_golebia = a};
        early.DataCzasPrzylotu = arrival;
        ExpectRefused("an arrival at or before the release",
                      store_.CheckFlightResult(WriteMode::Insert, early),
                      RecordRule::ArrivalNotAfterRelease, 0,
                      [&] { return store_.WriteFlightResult(WriteMode::Insert, early); });
    }
    FlightResultEntry ofA = AddResult(flight, a, release + 1);
    AddResult(flight, b);  // not come home
    FlightResultEntry moved = ofA;
    moved.DataCzasPrzylotu = release;
    EXPECT_EQ(store_.CheckFlightResult(WriteMode::Update, moved).rule, RecordRule::ArrivalNotAfterRelease);
    EXPECT_FALSE(store_.WriteFlightResult(WriteMode::Update, moved));
    EXPECT_EQ(arrivalOf(ofA.id), release + 1);

    // A file's result that arrived at the release stays editable while its arrival is kept.
    Exec(PigeonsDbPath(), "UPDATE lotniki SET DataCzasPrzylotu = " + std::to_string(release) +
                              " WHERE id = " + std::to_string(ofA.id));
    Reload(loft_);
    FlightResultEntry held = store_.Flights().at(0).entries.at(0);
    held.notatki = u"zegar";
    EXPECT_TRUE(store_.WriteFlightResult(WriteMode::Update, held));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT notatki FROM lotniki WHERE id = " + std::to_string(ofA.id)), "zegar");

    // Copied from the old files, the same arrival is written as it is.
    FlightResultEntry copied{.id_lotu = flight, .id_hodowli = loft_, .id_golebia = c};
    copied.DataCzasPrzylotu = release;
    EXPECT_TRUE(store_.CheckFlightResult(WriteMode::Insert, copied, RecordOrigin::Copied).Kept());
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Insert, copied, RecordOrigin::Copied));
    EXPECT_EQ(arrivalOf(copied.id), release);

    // A flight without a release compares nothing.
    FlightRecord unreleased{.id_hodowli = loft_, .czasodlotu = kNoDate};
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, unreleased));
    EXPECT_GT(AddResult(unreleased.id, a, release).id, 0);
}

}  // namespace
