// The import of a version-5 folder into the database files, read back from the files: lofts,
// categories in member order, birds with parents and lofts, pairs with their date, flights and
// results, what is skipped, and that a refused write leaves the files as they were. Runs with
// TZ=Europe/Warsaw.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "TestSupport.h"
#include "V5Data.h"
#include "V5FolderWriter.h"
#include "V5Import.h"

namespace fs = std::filesystem;
using namespace v5write;

namespace {

class V5ImportTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        Reload(-1);  // the files get their tables, as at the program's start
    }

    // Two lofts; members, young and a result that name a bird that is not there; a bird that
    // IDS lists without a file; parents of which one is not there.
    V5Data Sample() {
        std::vector<V5PigeonRecord> birds = {Bird(1, u"V5-9", u"", 1), Bird(2, u"V5-1", u"V5-4", 0),
                                             Bird(3), Bird(4), Bird(6)};
        birds[1].name = u"Błyskawica";
        birds[3].generalNotes = u"<i>Ładny</i> ptak";
        birds[3].pedigreeNotes = {u"po ojcu", u"", u"", u"po prababce"};
        V5LoftRecord home;
        home.byteName = "Dom";
        home.texts = {u"Gołębnik Dom"};
        home.groups = {{{u"Lotniki"}, {u"V5-2", u"V5-1", u"V5-404"}}, {{u"Młode"}, {u"V5-3"}}};
        V5BreedingSeasonRecord season;
        season.date = Date(20, 1, 2008);
        V5PairRecord pair;
        pair.cockId = u"V5-1";
        pair.henId = u"V5-2";
        pair.texts = {u"Uwagi pary"};
        pair.young = {{u"V5-3", u"pierwsze"}, {u"V5-404", u"nieznane"}};
        season.pairs = {pair};
        home.breedingSeasons = {season};
        V5FlightRecord flight;
        flight.type = 2;
        flight.breeders = 31;
        flight.distanceKm = 345.25;
        flight.distanceM = 120;
        flight.branchBirds = 500;
        flight.sectionBirds = 80;
        flight.sectionCompetitions = 20;
        flight.branchCompetitions = 125;
        flight.basketed = 12;
        flight.inCompetition = 4;
        flight.texts = {u"Hannover", u"słonecznie", u"pochmurno", u"notatka"};
        flight.dates = {Date(17, 5, 2008, 7, 30, 0), Date(0, 0, 0, 2, 15, 45)};
        V5FlightResultRecord result;
        result.pigeonId = u"V5-2";
        result.notes = u"dobry";
        result.arrival = Date(17, 5, 2008, 12, 1, 2);
        result.branchPosition = 3;
        result.sectionPosition = 1;
        result.branchCoefficient = 0.6f;
        result.sectionCoefficient = 5.0f;
        result.branchPoints = 47.5f;
        result.sectionPoints = 19.25f;
        V5FlightResultRecord stranger = result;
        stranger.pigeonId = u"V5-404";
        flight.results = {result, stranger};
        home.flightSeries = {{0, {}, {}, {flight}}};
        V5LoftRecord allotment;
        allotment.byteName = "Dzialka";
        allotment.texts = {u"Działka"};
        allotment.groups = {{{u"Rezerwa"}, {u"V5-6", u"V5-4"}}};

        const fs::path folder = root_ / "v5";
        V5PigeonRecord withoutFile = Bird(5);
        WriteFolder(folder, birds, {home, allotment});
        std::vector<Text> ids;
        for (const V5PigeonRecord& b : birds) ids.push_back(b.id);
        ids.push_back(withoutFile.id);
        WriteFile(V5Data::IdsFile(folder), IdsBytes(ids));
        V5Data data;
        EXPECT_FALSE(data.LoadAll(folder));
        return data;
    }

    // The new id of a bird by its ring number.
    long long IdOfRing(const std::string& ring) {
        return QueryInt(PigeonsDbPath(), "SELECT id FROM pigeons WHERE nr_obraczki = '" + ring + "';");
    }
    long long Count(const std::string& table) {
        return QueryInt(PigeonsDbPath(), "SELECT count(*) FROM " + table + ";");
    }
};

TEST_F(V5ImportTest, EverythingArrivesInTheFiles) {
    const V5Data data = Sample();
    const V5ImportSummary s = ImportV5Data(data, {.pairs = true, .flights = true});
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(std::vector<int>({s.lofts, s.categories, s.pigeons, s.memberships, s.pairs, s.young,
                                s.flights, s.results}),
              std::vector<int>({2, 3, 5, 5, 1, 1, 1, 1}));
    EXPECT_EQ(std::vector<int>({s.skippedPigeons, s.skippedMemberships, s.skippedYoung,
                                s.skippedResults}),
              std::vector<int>({1, 1, 1, 1}));

    Reload(-1);
    ASSERT_EQ(store_.Lofts().size(), 2u);
    const LoftRecord home = store_.Lofts()[0];
    const LoftRecord allotment = store_.Lofts()[1];
    EXPECT_EQ(home.nazwahodowli, u"Gołębnik Dom");
    EXPECT_EQ(allotment.nazwahodowli, u"Działka");
    ASSERT_EQ(home.categories.size(), 2u);
    EXPECT_EQ(home.categories[0].nazwakategorii, u"Lotniki");
    EXPECT_EQ(home.categories[1].nazwakategorii, u"Młode");
    ASSERT_EQ(allotment.categories.size(), 1u);

    const long long b1 = IdOfRing("1001"), b2 = IdOfRing("1002"), b3 = IdOfRing("1003"),
                    b4 = IdOfRing("1004"), b6 = IdOfRing("1006");
    // Categories keep their group's member order; the unknown member left no row.
    std::vector<long long> members;
    for (const CategoryMember& m : store_.LoadCategoryMembers(home.categories[0].id))
        members.push_back(m.pigeonId);
    EXPECT_EQ(members, (std::vector<long long>{b2, b1}));
    members.clear();
    for (const CategoryMember& m : store_.LoadCategoryMembers(allotment.categories[0].id))
        members.push_back(m.pigeonId);
    EXPECT_EQ(members, (std::vector<long long>{b6, b4}));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM kategoria_id WHERE id_golebia = 0;"), 0);

    // Birds: texts, sex, parents (one not imported becomes 0), lofts from their groups.
    ASSERT_EQ(store_.Pigeons().size(), 5u);
    const PigeonRecord hen = store_.Pigeons().at(static_cast<int>(b2));
    EXPECT_EQ(std::tie(hen.kraj, hen.oddzial, hen.rocznik, hen.nr_obraczki, hen.nazwa),
              std::tie(u"PL", u"0102", u"2008", u"1002", u"Błyskawica"));
    EXPECT_EQ(hen.plec, 2);
    EXPECT_EQ(hen.id_ojca, b1);
    EXPECT_EQ(hen.id_matki, b4);
    EXPECT_EQ(hen.id_hodowli, home.id);
    const PigeonRecord cock = store_.Pigeons().at(static_cast<int>(b1));
    EXPECT_EQ(cock.plec, 1);
    EXPECT_EQ(cock.id_ojca, 0);
    EXPECT_EQ(store_.Pigeons().at(static_cast<int>(b3)).plec, 0);
    const PigeonRecord fourth = store_.Pigeons().at(static_cast<int>(b4));
    EXPECT_EQ(fourth.notatkiogolne, u"Ładny ptak");
    EXPECT_EQ(fourth.NotatkaRodowodowa1, u"po ojcu");
    EXPECT_EQ(fourth.NotatkaRodowodowa4, u"po prababce");
    EXPECT_EQ(fourth.id_hodowli, allotment.id);
    EXPECT_EQ(fourth.DataDodania, kNoDate);

    // The pair and its young, dated 1 March of the season's year, 01:01:01 local time.
    Reload(home.id);
    ASSERT_EQ(store_.Pairs().size(), 1u);
    const PairRecord& pair = store_.Pairs()[0];
    constexpr Time64 kFirstOfMarch2008 = 1204329661;  // 2008-03-01 01:01:01 +01:00
    EXPECT_EQ(std::tie(pair.id_samca, pair.id_samicy), std::make_tuple(int(b1), int(b2)));
    EXPECT_EQ(pair.uwagi, u"Uwagi pary");
    EXPECT_EQ(pair.DataParowania, kFirstOfMarch2008);
    EXPECT_EQ(pair.DataDodania, kFirstOfMarch2008);
    EXPECT_EQ(pair.DataWylegu, kNoDate);
    EXPECT_EQ(pair.zlozonych, 0);
    ASSERT_EQ(pair.young.size(), 1u);
    EXPECT_EQ(pair.young[0].id_golebia, b3);
    EXPECT_EQ(pair.young[0].id_hodowli, home.id);
    EXPECT_EQ(pair.young[0].DataDodania, kFirstOfMarch2008);
    EXPECT_EQ(pair.young[0].uwagi, u"pierwsze");

    // The flight and the one result whose bird came along.
    ASSERT_EQ(store_.Flights().size(), 1u);
    const FlightRecord& f = store_.Flights()[0];
    EXPECT_EQ(std::vector<int>({f.typ, f.liczba_hodowcow, f.odlegloscm, f.golebi_oddzial,
                                f.golebi_sekcja, f.konkursow_sekcja, f.konkursow_oddzial,
                                f.wlozonychgolebi, f.iloscwkonkursie, f.czas_trwania_konkursu_g,
                                f.czas_trwania_konkursu_m, f.czas_trwania_konkursu_s, f.DL_stopnie,
                                f.SZ_sekundy}),
              std::vector<int>({2, 31, 120, 500, 80, 20, 125, 12, 4, 2, 15, 45, 0, 0}));
    // The file keeps the distance as it came; the flights page reads whole kilometres of it.
    EXPECT_DOUBLE_EQ(QueryDouble(PigeonsDbPath(), "SELECT odleglosckm FROM loty;"), 345.25);
    EXPECT_EQ(std::tie(f.miejscowosc, f.pogodalokalna, f.pogodawmiejscuwypuszczenia, f.notatki),
              std::tie(u"Hannover", u"słonecznie", u"pochmurno", u"notatka"));
    EXPECT_EQ(FormatTime(f.czasodlotu, "%d.%m.%Y %H:%M:%S"), u"17.05.2008 07:30:00");
    ASSERT_EQ(f.entries.size(), 1u);
    const FlightResultEntry& r = f.entries[0];
    EXPECT_EQ(r.id_golebia, b2);
    EXPECT_EQ(std::tie(r.nr_konkursu, r.nr_konkursu_sekcja), std::make_tuple(3, 1));
    EXPECT_FLOAT_EQ(r.CoefficientOddzialowy, 0.6f);
    EXPECT_FLOAT_EQ(r.PunktySekcja, 19.25f);
    EXPECT_EQ(r.notatki, u"dobry");
    EXPECT_EQ(FormatTime(r.DataCzasPrzylotu, "%d.%m.%Y %H:%M:%S"), u"17.05.2008 12:01:02");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM lotniki WHERE id_golebia = 0;"), 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM dzieci WHERE id_golebia = 0;"), 0);
}

// Records of the old files that cannot be true are left out and listed in file order, and
// everything else arrives: a young twice in its pair, a young that is its pair's cock, a pair
// of one bird (with its young), a young of a second pair, a bird's second result in a flight.
TEST_F(V5ImportTest, RecordsThatCannotBeTrueAreLeftOutByNameAndTheRestArrives) {
    const fs::path folder = root_ / "v5";
    V5LoftRecord loft;
    loft.byteName = "Dom";
    loft.texts = {u"Dom"};
    V5BreedingSeasonRecord season;
    season.date = Date(20, 1, 2008);
    V5PairRecord first{.cockId = u"V5-1", .henId = u"V5-2"};
    first.young = {{u"V5-3", u"a"}, {u"V5-3", u"znowu"}, {u"V5-1", u"ojciec"}};
    V5PairRecord oneBird{.cockId = u"V5-5", .henId = u"V5-5"};
    oneBird.young = {{u"V5-4", u""}};
    V5PairRecord third{.cockId = u"V5-6", .henId = u"V5-2"};
    third.young = {{u"V5-3", u"drugiej pary"}, {u"V5-4", u""}};
    season.pairs = {first, oneBird, third};
    loft.breedingSeasons = {season};
    V5FlightRecord flight;
    flight.texts = {u"Hannover"};
    flight.dates = {Date(17, 5, 2008, 7, 30, 0), Date(0, 0, 0, 2, 0, 0)};
    V5FlightResultRecord result;
    result.pigeonId = u"V5-2";
    V5FlightResultRecord other = result;
    other.pigeonId = u"V5-3";
    flight.results = {result, other, result};
    loft.flightSeries = {{0, {}, {}, {flight}}};
    WriteFolder(folder, {Bird(1, u"", u"", 1), Bird(2, u"", u"", 2), Bird(3), Bird(4), Bird(5), Bird(6)},
                {loft});
    V5Data data;
    ASSERT_FALSE(data.LoadAll(folder));

    const V5ImportSummary s = ImportV5Data(data, {.pairs = true, .flights = true});
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(std::vector<int>({s.pigeons, s.pairs, s.young, s.flights, s.results}),
              std::vector<int>({6, 2, 2, 1, 2}));
    EXPECT_EQ(std::vector<int>({s.skippedPigeons, s.skippedYoung, s.skippedResults}),
              std::vector<int>({0, 0, 0}));
    std::vector<std::tuple<RecordRule, Text, Text, Text, Text, int>> leftOut;
    for (const V5LeftOutRecord& r : s.leftOut) {
        leftOut.emplace_back(r.rule, r.cockId, r.henId, r.pigeonId, r.flightPlace, r.youngAlong);
    }
    using T = decltype(leftOut)::value_type;
    EXPECT_EQ(leftOut, (decltype(leftOut){
                           T{RecordRule::YoungOfAnotherPair, u"V5-1", u"V5-2", u"V5-3", u"", 0},
                           T{RecordRule::YoungIsPairBird, u"V5-1", u"V5-2", u"V5-1", u"", 0},
                           T{RecordRule::PairOfOneBird, u"V5-5", u"V5-5", u"", u"", 1},
                           T{RecordRule::YoungOfAnotherPair, u"V5-6", u"V5-2", u"V5-3", u"", 0},
                           T{RecordRule::BirdTwiceInFlight, u"", u"", u"V5-2", u"Hannover", 0},
                       }));
    EXPECT_EQ(FormatTime(s.leftOut.back().flightRelease, "%d.%m.%Y %H:%M"), u"17.05.2008 07:30");

    // The files hold one link per young and one result per bird.
    const long long b1 = IdOfRing("1001"), b2 = IdOfRing("1002"), b3 = IdOfRing("1003"),
                    b4 = IdOfRing("1004"), b6 = IdOfRing("1006");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(id_samca || '-' || id_samicy, ' ') FROM pary"),
              std::to_string(b1) + "-" + std::to_string(b2) + " " + std::to_string(b6) + "-" + std::to_string(b2));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(id_golebia || ':' || uwagi, ' ') FROM dzieci"),
              std::to_string(b3) + ":a " + std::to_string(b4) + ":");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(id_golebia, ' ') FROM lotniki"),
              std::to_string(b2) + " " + std::to_string(b3));
}

// A result the old files hold with an arrival at or before its flight's release is the
// breeder's own record: it arrives as it is, with its positions and points, and is no reason to
// leave anything out.
TEST_F(V5ImportTest, ResultsArrivingAtOrBeforeTheReleaseArriveAsTheyAre) {
    const fs::path folder = root_ / "v5";
    V5LoftRecord loft;
    loft.byteName = "Dom";
    loft.texts = {u"Dom"};
    V5FlightRecord flight;
    flight.texts = {u"Hannover"};
    flight.dates = {Date(17, 5, 2008, 7, 30, 0), Date(0, 0, 0, 2, 0, 0)};
    V5FlightResultRecord atRelease;
    atRelease.pigeonId = u"V5-1";
    atRelease.arrival = Date(17, 5, 2008, 7, 30, 0);
    atRelease.branchPosition = 4;
    atRelease.branchPoints = 31.5f;
    V5FlightResultRecord before = atRelease;
    before.pigeonId = u"V5-2";
    before.arrival = Date(17, 5, 2008, 6, 0, 0);
    before.branchPosition = 9;
    before.branchPoints = 12.0f;
    flight.results = {atRelease, before};
    loft.flightSeries = {{0, {}, {}, {flight}}};
    WriteFolder(folder, {Bird(1), Bird(2)}, {loft});
    V5Data data;
    ASSERT_FALSE(data.LoadAll(folder));

    const V5ImportSummary s = ImportV5Data(data, {.pairs = true, .flights = true});
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.results, 2);
    EXPECT_TRUE(s.leftOut.empty());
    const Time64 release = V5LocalTime(Date(17, 5, 2008, 7, 30, 0));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT czasodlotu FROM loty;"), release);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(id_golebia || ':' || DataCzasPrzylotu || ':' || "
                                         "nr_konkursu || ':' || PunktyOddzial, ' ') FROM lotniki"),
              std::to_string(IdOfRing("1001")) + ":" + std::to_string(release) + ":4:31.5 " +
                  std::to_string(IdOfRing("1002")) + ":" + std::to_string(release - 5400) + ":9:12");
}

TEST_F(V5ImportTest, BirdFilesUnderTheOldNamesAndCutListsAreImported) {
    // "Łódź" as the previous version named files: each character cut to its low byte
    // (Ł -> 'A', ó -> 0xF3, ź -> 'z'), and as a copy from its system shows those bytes.
    const fs::path folder = root_ / "v5";
    WriteFolder(folder, {}, {});
    V5PigeonRecord lowBytes = Bird(1);
    lowBytes.id = u"PL-Łódź-1";
    V5PigeonRecord codePage = Bird(2);
    codePage.id = u"PL-Łódź-2";
    V5PigeonRecord cutList = Bird(3);
    cutList.name = u"Długa lista";
    V5PigeonRecord missing = Bird(4);
    missing.id = u"PL-Żuraw-4";
    WriteFile(V5Data::PigeonFileByName(folder, "PL-A\xF3" "dz-1"), PigeonBytes(lowBytes));
    WriteFile(V5Data::PigeonFileByName(folder, "PL-Aódz-2"), PigeonBytes(codePage));
    // A first list claiming more than 50 entries, with nothing after its count.
    const Bytes whole = PigeonBytes(cutList, 51);
    const std::size_t afterCount = 4 + 30 * 4;  // the second list's count and the closing numbers
    WriteFile(V5Data::PigeonFile(folder, cutList.id), Bytes(whole.begin(), whole.end() - afterCount));
    WriteFile(V5Data::IdsFile(folder),
              IdsBytes({lowBytes.id, missing.id, codePage.id, u"", cutList.id}));

    V5Data data;
    ASSERT_FALSE(data.LoadAll(folder));
    ASSERT_EQ(data.pigeons.size(), 5u);
    EXPECT_TRUE(data.pigeons[4].fileRead);
    EXPECT_EQ(data.pigeons[4].name, u"Długa lista");
    EXPECT_TRUE(data.pigeons[4].firstList.empty());
    const V5ImportSummary s = ImportV5Data(data, {});
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.pigeons, 3);
    EXPECT_GT(IdOfRing("1001"), 0);
    EXPECT_GT(IdOfRing("1002"), 0);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT nazwa FROM pigeons WHERE nr_obraczki = '1003';"),
              "Długa lista");
    // Every bird left out is named, in IDS order.
    EXPECT_EQ(s.skippedPigeons, 2);
    EXPECT_EQ(s.skippedPigeonIds, (std::vector<Text>{u"PL-Żuraw-4", u""}));
}

TEST_F(V5ImportTest, UntickedKindsAndUnrepresentableDates) {
    V5Data data = Sample();
    data.lofts[0].breedingSeasons[0].date.year = 1900;  // before what a stored date can hold
    const V5ImportSummary s = ImportV5Data(data, {});  // the window's defaults: no flights
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Count("loty"), 0);
    EXPECT_EQ(Count("lotniki"), 0);
    EXPECT_EQ(Count("pary"), 1);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT DataParowania FROM pary;"), -1);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT DataDodania FROM dzieci;"), -1);

    // A second run: the lofts' names are taken now, so they get the next free ones.
    ASSERT_TRUE(ImportV5Data(data, {.pairs = false, .flights = false}).ok);
    EXPECT_EQ(Count("pary"), 1);
    Reload(-1);
    std::vector<Text> names;
    for (const LoftRecord& loft : store_.Lofts()) names.push_back(loft.nazwahodowli);
    EXPECT_EQ(names, (std::vector<Text>{u"Gołębnik Dom", u"Działka", u"Gołębnik Dom (2)",
                                        u"Działka (2)"}));
}

TEST_F(V5ImportTest, ARefusedWriteLeavesTheFilesAsTheyWere) {
    LoftRecord old;
    old.nazwahodowli = u"Stary";
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, old));
    PigeonRecord bird;
    bird.nr_obraczki = u"stary";
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    // The database refuses the flight results, the very last thing the run writes.
    Exec(PigeonsDbPath(),
         "CREATE TRIGGER refuse AFTER INSERT ON lotniki BEGIN SELECT RAISE(ABORT, 'nie'); END;");

    const V5ImportSummary s = ImportV5Data(Sample(), {.pairs = true, .flights = true});
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(Count("hodowla"), 1);
    EXPECT_EQ(Count("kategoria"), 0);
    EXPECT_EQ(Count("pigeons"), 1);
    EXPECT_EQ(Count("kategoria_id"), 0);
    EXPECT_EQ(Count("pary"), 0);
    EXPECT_EQ(Count("loty"), 0);

    // Single edits after it go to the file at once, as always.
    LoftRecord next;
    next.nazwahodowli = u"Nowy";
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, next));
    EXPECT_EQ(Count("hodowla"), 2);
}

TEST_F(V5ImportTest, ABatchKeepsItsWritesUntilCommitted) {
    Exec(PigeonsDbPath(), "CREATE TRIGGER refuse BEFORE INSERT ON kategoria "
                          "WHEN NEW.nazwakategorii = 'zły' BEGIN SELECT RAISE(ABORT, 'nie'); END;");
    // What another program would see in the file: a connection of its own, outside the batch.
    const auto countOnDisk = [this](const char* table) {
        sqlite3* db = nullptr;
        sqlite3_open((root_ / "db" / "pigeons.db").c_str(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, (std::string("SELECT count(*) FROM ") + table).c_str(), -1, &st,
                           nullptr);
        const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    };
    const auto addCategory = [this](int loftId, const Text& name) {
        CategoryRecord category;
        category.id_hodowli = loftId;
        category.nazwakategorii = name;
        return store_.WriteCategory(WriteMode::Insert, category);
    };
    {
        DataStoreBatch batch;
        ASSERT_TRUE(batch.ok());
        LoftRecord loft;
        loft.nazwahodowli = u"W partii";
        ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
        EXPECT_EQ(countOnDisk("hodowla"), 0);
    }
    EXPECT_EQ(Count("hodowla"), 0);  // ended without Commit: rolled back

    DataStoreBatch batch;
    LoftRecord loft;
    loft.nazwahodowli = u"Zatwierdzony";
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    // A write the database refuses undoes only itself; the batch goes on.
    EXPECT_FALSE(addCategory(loft.id, u"zły"));
    EXPECT_TRUE(addCategory(loft.id, u"dobry"));
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(countOnDisk("hodowla"), 1);
    EXPECT_EQ(countOnDisk("kategoria"), 1);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT nazwakategorii FROM kategoria;"), "dobry");
}

}  // namespace
