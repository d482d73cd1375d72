#include "Schema.h"
#include "TestSupport.h"

namespace {

class WriteBirdsTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        SqlDatabase pigeonsDb(PigeonsDbPath());
        CreateTables(pigeonsDb, LoftTables());
        CreateTables(pigeonsDb, PigeonTables());
        SqlDatabase extraDb(ExtraDbPath());
        CreateTables(extraDb, ExtraTables());
    }

    long long Count(const std::string& sql) { return QueryInt(PigeonsDbPath(), sql); }

    PigeonRecord Bird(const std::string& ring) {
        PigeonRecord bird;
        bird.id_hodowli = 1;
        bird.nr_obraczki = U(ring);
        return bird;
    }
};

TEST_F(WriteBirdsTest, BirdInsertStoresEveryTextWholeAndLeavesLaterFieldsUnset) {
    PigeonRecord bird = Bird("0456");
    bird.nazwa = U("Bł'yskawica \"As\"");
    bird.kraj = U("PL");
    bird.NotatkaRodowodowa3 = U("ojciec: O'Brien\nmatka: Żaneta");
    bird.notatkif = U("not written by an insert");
    bird.plec = 2;
    bird.id_ojca = 7;
    bird.DataDodania = 1262300400;  // the other dates stay unset

    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    ASSERT_GT(bird.id, 0);
    const std::string where = " FROM pigeons WHERE id = " + std::to_string(bird.id);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT nazwa" + where), "Bł'yskawica \"As\"");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT NotatkaRodowodowa3" + where),
              "ojciec: O'Brien\nmatka: Żaneta");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT oddzial" + where), "");
    EXPECT_FALSE(QueryIsNull(PigeonsDbPath(), "SELECT oddzial" + where));
    EXPECT_EQ(Count("SELECT plec" + where), 2);
    EXPECT_EQ(Count("SELECT id_ojca" + where), 7);
    EXPECT_EQ(Count("SELECT DataDodania" + where), 1262300400);
    EXPECT_EQ(Count("SELECT DataUrodzenia" + where), -1);
    EXPECT_EQ(Count("SELECT DataOdejscia" + where), -1);
    EXPECT_TRUE(QueryIsNull(PigeonsDbPath(), "SELECT notatkif" + where));
    ASSERT_EQ(store_.Pigeons().count(bird.id), 1u);
    EXPECT_EQ(store_.Pigeons().at(bird.id).nazwa, bird.nazwa);
}

// The lookup behind the bird editor's question about a ring already worn: the whole ring, in the
// same loft, another bird than the one asked about.
TEST_F(WriteBirdsTest, AnotherBirdWearingTheWholeRingIsFoundInTheSameLoftOnly) {
    auto ring = [](int loft, const char* country, const char* branch, const char* year,
                   const char* number) {
        PigeonRecord bird;
        bird.id_hodowli = loft;
        bird.kraj = U(country);
        bird.oddzial = U(branch);
        bird.rocznik = U(year);
        bird.nr_obraczki = U(number);
        return bird;
    };
    PigeonRecord worn = ring(1, "PL", "0401", "2025", "4001");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, worn));
    PigeonRecord unringed = ring(1, "PL", "0401", "2025", "");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, unringed));
    PigeonRecord twin = worn;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, twin));

    EXPECT_EQ(store_.FindOtherPigeonWithRing(ring(1, "PL", "0401", "2025", "4001")),
              &store_.FindPigeon(worn.id));
    // The bird itself is not another bird; its twin is.
    const CDataStore& held = store_;
    EXPECT_EQ(held.FindOtherPigeonWithRing(held.FindPigeon(worn.id)), &held.FindPigeon(twin.id));
    EXPECT_EQ(held.FindOtherPigeonWithRing(held.FindPigeon(twin.id)), &held.FindPigeon(worn.id));
    for (const PigeonRecord& other : {ring(2, "PL", "0401", "2025", "4001"),   // another loft
                                      ring(1, "DV", "0401", "2025", "4001"),
                                      ring(1, "PL", "0402", "2025", "4001"),
                                      ring(1, "PL", "0401", "2024", "4001"),
                                      ring(1, "PL", "0401", "2025", "4002"),
                                      ring(1, "PL", "0401", "2025", "")}) {    // no number yet
        EXPECT_EQ(store_.FindOtherPigeonWithRing(other), nullptr) << S(other.GetRingNumber());
    }
}

// A ring typed again in other letters' case or with blanks around a part is the ring a breeder
// already gave; the stored text stays as it was typed.
TEST_F(WriteBirdsTest, AnotherBirdsRingIsFoundWhateverTheCaseAndEndBlanksOfItsParts) {
    auto ring = [](const char* country, const char* branch, const char* year, const char* number) {
        PigeonRecord bird;
        bird.id_hodowli = 1;
        bird.kraj = U(country);
        bird.oddzial = U(branch);
        bird.rocznik = U(year);
        bird.nr_obraczki = U(number);
        return bird;
    };
    PigeonRecord worn = ring("pl", "ąćęłńóśźż ćma", "2023", " pl-0108-23-0008");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, worn));
    EXPECT_EQ(QueryText(PigeonsDbPath(),
                        "SELECT nr_obraczki FROM pigeons WHERE id = " + std::to_string(worn.id)),
              " pl-0108-23-0008");
    PigeonRecord blanks = ring("PL", "", "", " \t ");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, blanks));

    const PigeonRecord typed = ring(" PL\t", "\tĄĆĘŁŃÓŚŹŻ ĆMA ", "2023 ", "PL-0108-23-0008\t");
    EXPECT_TRUE(typed.HasSameRing(worn));
    EXPECT_EQ(store_.FindOtherPigeonWithRing(typed), &store_.FindPigeon(worn.id));
    // Blanks inside a part, and other letters, still make another ring.
    for (const PigeonRecord& other : {ring("PL", "ĄĆĘŁŃÓŚŹŻĆMA", "2023", "PL-0108-23-0008"),
                                      ring("PL", "acelnoszz ćma", "2023", "PL-0108-23-0008"),
                                      ring("PL", "ąćęłńóśźż ćma", "2023", "PL 0108-23-0008")}) {
        EXPECT_FALSE(other.HasSameRing(worn)) << S(other.GetRingNumber());
        EXPECT_EQ(store_.FindOtherPigeonWithRing(other), nullptr) << S(other.GetRingNumber());
    }
    // A number of blanks only is no number: it is not the ring of a bird not yet ringed.
    EXPECT_EQ(store_.FindOtherPigeonWithRing(ring("PL", "", "", " ")), nullptr);
}

TEST_F(WriteBirdsTest, BirdUpdateKeepsAddedDateShortDescriptionAndRoofDate) {
    PigeonRecord bird = Bird("1");
    bird.DataDodania = 1000000;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    const std::string where = " WHERE id = " + std::to_string(bird.id);
    Exec(PigeonsDbPath(), "UPDATE pigeons SET krotkiopis = 'szybki', DataF1 = 5000" + where);

    bird.DataDodania = 2000000;
    bird.krotkiopis = U("changed in memory only");
    bird.notatkif = U("Dalsze uwagi: d'Artagnan");
    bird.id_hodowli = 3;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, bird));

    EXPECT_EQ(Count("SELECT DataDodania FROM pigeons" + where), 1000000);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT krotkiopis FROM pigeons" + where), "szybki");
    EXPECT_EQ(Count("SELECT DataF1 FROM pigeons" + where), 5000);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT notatkif FROM pigeons" + where),
              "Dalsze uwagi: d'Artagnan");
    EXPECT_EQ(Count("SELECT id_hodowli FROM pigeons" + where), 3);
    EXPECT_EQ(store_.Pigeons().at(bird.id).id_hodowli, 3);
}

TEST_F(WriteBirdsTest, FailedBirdWritesLeaveMemoryAlone) {
    PigeonRecord ghost = Bird("9");
    ghost.id = 42;  // no such row
    EXPECT_FALSE(store_.WritePigeon(WriteMode::Update, ghost));
    EXPECT_TRUE(store_.Pigeons().empty());

    Exec(PigeonsDbPath(), "DROP TABLE pigeons");
    PigeonRecord bird = Bird("1");
    EXPECT_FALSE(store_.WritePigeon(WriteMode::Insert, bird));
    EXPECT_EQ(bird.id, 0);
    EXPECT_TRUE(store_.Pigeons().empty());
}

TEST_F(WriteBirdsTest, NewBirdNeverTakesAnIdThatOtherRowsStillReferTo) {
    PigeonRecord first = Bird("1");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, first));
    ASSERT_TRUE(store_.AddPigeonToCategory(1, first.id));
    ASSERT_TRUE(store_.DeletePigeon(first.id));
    EXPECT_EQ(store_.Pigeons().count(first.id), 0u);
    EXPECT_EQ(Count("SELECT count(*) FROM kategoria_id"), 1);  // plain delete leaves the rest

    PigeonRecord second = Bird("2");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, second));
    EXPECT_GT(second.id, first.id);
    EXPECT_EQ(Count("SELECT count(*) FROM pigeons WHERE id = " + std::to_string(second.id)), 1);

    // The print list is in the other file and counts as well.
    Exec(ExtraDbPath(), "INSERT INTO ild(id_golebia) VALUES (" + std::to_string(second.id + 5) + ")");
    PigeonRecord third = Bird("3");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, third));
    EXPECT_EQ(third.id, second.id + 6);
    EXPECT_EQ(store_.Pigeons().at(third.id).nr_obraczki, U("3"));
}

TEST_F(WriteBirdsTest, DeletingBirdWithRowsClearsEveryMembershipAndPrintListEntry) {
    PigeonRecord bird = Bird("1");
    PigeonRecord other = Bird("2");
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, other));
    store_.AddPigeonToCategory(1, bird.id);
    store_.AddPigeonToCategory(2, bird.id);
    store_.AddPigeonToCategory(2, other.id);
    Exec(ExtraDbPath(), "INSERT INTO ild(id_golebia) VALUES (" + std::to_string(bird.id) + ")");

    ASSERT_TRUE(store_.DeletePigeonWithRows(bird.id));
    EXPECT_EQ(Count("SELECT count(*) FROM pigeons"), 1);
    EXPECT_EQ(Count("SELECT count(*) FROM kategoria_id"), 1);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM ild"), 0);
    EXPECT_EQ(store_.Pigeons().count(bird.id), 0u);
    EXPECT_EQ(store_.Pigeons().count(other.id), 1u);
}

TEST_F(WriteBirdsTest, LoftsRefuseDuplicateNamesAndTakeTheirCategoriesAlongWhenDeleted) {
    LoftRecord loft;
    loft.nazwahodowli = U("Gołębnik 'Pod Lipą'");
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    ASSERT_EQ(store_.Lofts().size(), 1u);
    EXPECT_EQ(store_.Lofts()[0].id, loft.id);

    LoftRecord twin;
    twin.nazwahodowli = loft.nazwahodowli;
    EXPECT_FALSE(store_.WriteLoft(WriteMode::Insert, twin));
    EXPECT_EQ(twin.id, 0);
    EXPECT_EQ(store_.Lofts().size(), 1u);

    CategoryRecord category;
    category.id_hodowli = loft.id;
    category.nazwakategorii = U("Młode");
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Insert, category));
    PigeonRecord bird = Bird("1");
    bird.id_hodowli = loft.id;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    store_.AddPigeonToCategory(category.id, bird.id);

    ASSERT_TRUE(store_.WriteLoft(WriteMode::Delete, loft));
    EXPECT_TRUE(store_.Lofts().empty());
    EXPECT_EQ(Count("SELECT count(*) FROM kategoria"), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM kategoria_id"), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM pigeons"), 1);  // birds stay

    // The old loft's bird still names it, so a new loft must not take its id.
    LoftRecord next;
    next.nazwahodowli = U("Nowa");
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, next));
    EXPECT_NE(next.id, loft.id);
}

TEST_F(WriteBirdsTest, CategoryMembershipAndDeleteThenAddInheritsNoBirds) {
    CategoryRecord category;
    category.id_hodowli = 1;
    category.nazwakategorii = U("Rozpłodowe d'élite");
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Insert, category));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT nazwakategorii FROM kategoria"),
              "Rozpłodowe d'élite");

    store_.AddPigeonToCategory(category.id, 5);
    store_.AddPigeonToCategory(category.id, 6);
    store_.AddPigeonToCategory(category.id, 5);
    ASSERT_EQ(store_.LoadCategoryMembers(category.id).size(), 3u);
    EXPECT_TRUE(store_.RemovePigeonFromCategory(category.id, 5));
    const auto members = store_.LoadCategoryMembers(category.id);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].pigeonId, 6);

    ASSERT_TRUE(store_.WriteCategory(WriteMode::Delete, category));
    CategoryRecord next;
    next.id_hodowli = 1;
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Insert, next));
    EXPECT_TRUE(store_.LoadCategoryMembers(next.id).empty());

    // A membership row left behind by an older version still keeps the id out of reach.
    Exec(PigeonsDbPath(), "INSERT INTO kategoria_id(id_kategorii, id_golebia) VALUES (" +
                              std::to_string(next.id + 1) + ", 9)");
    CategoryRecord third;
    third.id_hodowli = 1;
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Insert, third));
    EXPECT_TRUE(store_.LoadCategoryMembers(third.id).empty());
}

TEST_F(WriteBirdsTest, CategoryOrderSwapAndMoveReachTheFileWholeOrNotAtAll) {
    auto order = [&](int categoryId) {
        std::vector<int> ids;
        for (const CategoryMember& m : store_.LoadCategoryMembers(categoryId)) ids.push_back(m.pigeonId);
        return ids;
    };
    LoftRecord home, away;
    home.nazwahodowli = U("A");
    away.nazwahodowli = U("B");
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, home));
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, away));
    PigeonRecord b1 = Bird("1"), b2 = Bird("2"), b3 = Bird("3");
    for (PigeonRecord* b : {&b1, &b2, &b3}) {
        b->id_hodowli = home.id;
        ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, *b));
        store_.AddPigeonToCategory(1, b->id);
    }
    ASSERT_EQ(store_.Lofts().at(store_.FindLoftIndex(home.id)).pigeonCount, 3);

    ASSERT_TRUE(store_.RewriteCategoryOrder(1, {b3.id, b1.id, b2.id}));
    EXPECT_EQ(order(1), (std::vector<int>{b3.id, b1.id, b2.id}));

    // The rows keep their ids and trade their birds.
    const auto before = store_.LoadCategoryMembers(1);
    ASSERT_TRUE(store_.SwapCategoryMembers(before[0].rowId, b3.id, before[2].rowId, b2.id));
    const auto after = store_.LoadCategoryMembers(1);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].rowId, before[0].rowId);
    EXPECT_EQ(order(1), (std::vector<int>{b2.id, b1.id, b3.id}));

    // A copy into a category the bird is already in adds no second row; a move takes it out.
    store_.AddPigeonToCategory(2, b1.id);
    ASSERT_TRUE(store_.MovePigeonToCategory(b1.id, 1, 2, away.id, /*keepCopy=*/true));
    EXPECT_EQ(order(1), (std::vector<int>{b2.id, b1.id, b3.id}));
    EXPECT_EQ(order(2), std::vector<int>{b1.id});
    ASSERT_TRUE(store_.MovePigeonToCategory(b3.id, 1, 2, away.id, /*keepCopy=*/false));
    EXPECT_EQ(order(1), (std::vector<int>{b2.id, b1.id}));
    EXPECT_EQ(order(2), (std::vector<int>{b1.id, b3.id}));
    EXPECT_EQ(Count("SELECT id_hodowli FROM pigeons WHERE id = " + std::to_string(b3.id)), away.id);
    EXPECT_EQ(store_.Pigeons().at(b3.id).id_hodowli, away.id);
    EXPECT_EQ(store_.Lofts()[0].pigeonCount, 1);
    EXPECT_EQ(store_.Lofts()[1].pigeonCount, 2);

    // A refused row undoes the whole rewrite; a move whose bird update fails lists it nowhere new.
    Exec(PigeonsDbPath(), "CREATE TRIGGER refuse BEFORE INSERT ON kategoria_id WHEN NEW.id_golebia = " +
                              std::to_string(b2.id) + " BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(store_.RewriteCategoryOrder(1, {b1.id, b2.id}));
    EXPECT_EQ(order(1), (std::vector<int>{b2.id, b1.id}));
    Exec(PigeonsDbPath(), "DROP TABLE pigeons");
    EXPECT_FALSE(store_.MovePigeonToCategory(b2.id, 1, 3, away.id, false));
    EXPECT_EQ(order(1), (std::vector<int>{b2.id, b1.id}));
    EXPECT_TRUE(order(3).empty());
    EXPECT_EQ(store_.Pigeons().at(b2.id).id_hodowli, home.id);
    EXPECT_EQ(store_.Lofts()[1].pigeonCount, 2);
    Exec(PigeonsDbPath(), "DROP TABLE kategoria_id");
    EXPECT_FALSE(store_.SwapCategoryMembers(after[0].rowId, b2.id, after[1].rowId, b1.id));
}

TEST_F(WriteBirdsTest, PairsCarryTheirYoungAndTakeEveryYoungRowWhenDeleted) {
    PairRecord pair;
    pair.id_hodowli = 1;
    pair.id_samca = 10;
    pair.id_samicy = 11;
    pair.uwagi = U("para z '09");
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, pair));
    ASSERT_EQ(store_.Pairs().size(), 1u);

    YoungRecord young;
    young.id_pary = pair.id;
    young.id_hodowli = 1;
    young.id_golebia = 20;
    ASSERT_TRUE(store_.WriteYoung(WriteMode::Insert, young));
    ASSERT_EQ(store_.Pairs()[0].young.size(), 1u);
    EXPECT_EQ(store_.Pairs()[0].young[0].id, young.id);

    young.uwagi = U("słabe pióro");
    ASSERT_TRUE(store_.WriteYoung(WriteMode::Update, young));
    EXPECT_EQ(store_.Pairs()[0].young[0].uwagi, U("słabe pióro"));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT uwagi FROM dzieci"), "słabe pióro");

    // A young row that the record passed to the delete does not list goes as well.
    Exec(PigeonsDbPath(),
         "INSERT INTO dzieci(id_golebia, id_pary) VALUES (21, " + std::to_string(pair.id) + ")");
    PairRecord stale = pair;  // young list without either row
    ASSERT_TRUE(store_.WritePair(WriteMode::Delete, stale));
    EXPECT_TRUE(store_.Pairs().empty());
    EXPECT_EQ(Count("SELECT count(*) FROM dzieci"), 0);

    PairRecord next;
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, next));
    EXPECT_EQ(Count("SELECT count(*) FROM dzieci WHERE id_pary = " + std::to_string(next.id)), 0);
}

TEST_F(WriteBirdsTest, FlightsAndResultsRoundTripWithSixSignificantDigits) {
    FlightRecord flight;
    flight.id_hodowli = 1;
    flight.typ = 2;
    flight.miejscowosc = U("Łódź");
    flight.odleglosckm = 250.0;
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, flight));
    ASSERT_GT(flight.id, 0);
    ASSERT_EQ(store_.Flights().size(), 1u);  // the store holds the new flight itself
    EXPECT_EQ(store_.Flights()[0].id, flight.id);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT odleglosckm FROM loty"), "250");

    FlightResultEntry result;
    result.id_lotu = flight.id;
    result.id_golebia = 5;
    result.CoefficientOddzialowy = 12.3456789f;
    result.PunktyOddzial = 80.123456f;
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Insert, result));
    ASSERT_EQ(store_.Flights()[0].entries.size(), 1u);
    EXPECT_EQ(store_.Flights()[0].entries[0].id, result.id);
    EXPECT_DOUBLE_EQ(QueryDouble(PigeonsDbPath(), "SELECT CoefficientOddzialowy FROM lotniki"),
                     12.3457);
    EXPECT_DOUBLE_EQ(QueryDouble(PigeonsDbPath(), "SELECT PunktyOddzial FROM lotniki"), 80.1235);

    result.nr_konkursu = 3;
    result.notatki = U("wrócił o'świcie");
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, result));
    EXPECT_EQ(store_.Flights()[0].entries[0].nr_konkursu, 3);
    EXPECT_EQ(Count("SELECT nr_konkursu FROM lotniki"), 3);

    ASSERT_TRUE(store_.WriteFlight(WriteMode::Delete, flight));
    EXPECT_TRUE(store_.Flights().empty());
    EXPECT_EQ(Count("SELECT count(*) FROM lotniki"), 0);

    FlightRecord next;
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, next));
    EXPECT_EQ(Count("SELECT count(*) FROM lotniki WHERE id_lotu = " + std::to_string(next.id)), 0);

    Exec(PigeonsDbPath(), "DROP TABLE lotniki");
    FlightResultEntry lost;
    lost.id_lotu = next.id;
    EXPECT_FALSE(store_.WriteFlightResult(WriteMode::Insert, lost));
    EXPECT_EQ(lost.id, -1);
}

TEST_F(WriteBirdsTest, FlightUpdateWritesEveryColumnButTheType) {
    FlightRecord flight;
    flight.id_hodowli = 1;
    flight.typ = 2;
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, flight));

    FlightRecord changed = flight;
    changed.typ = 7;  // the type stays as inserted
    changed.miejscowosc = U("Hanower");
    changed.pogodawmiejscuwypuszczenia = U("słońce");
    changed.pogodalokalna = U("deszcz");
    changed.notatki = U("O'Brien's race");
    changed.czasodlotu = 1247641200;
    changed.czas_pierwszego_w_konk = 1247650000;
    changed.czas_ostatniego_w_konk = 1247660000;
    changed.kategoria = 3;
    changed.kategoria2 = 4;
    changed.odleglosckm = 612.345678;
    changed.odlegloscm = 120;
    changed.liczba_hodowcow = 5;
    changed.golebi_oddzial = 6;
    changed.golebi_sekcja = 7;
    changed.konkursow_oddzial = 8;
    changed.konkursow_sekcja = 9;
    changed.wlozonychgolebi = 10;
    changed.iloscwkonkursie = 11;
    changed.DL_stopnie = 12;
    changed.DL_minuty = 13;
    changed.DL_sekundy = 14;
    changed.SZ_stopnie = 15;
    changed.SZ_minuty = 16;
    changed.SZ_sekundy = 17;
    changed.czas_trwania_konkursu_g = 18;
    changed.czas_trwania_konkursu_m = 19;
    changed.czas_trwania_konkursu_s = 20;
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Update, changed));

    Reload(1);
    ASSERT_EQ(store_.Flights().size(), 1u);
    const FlightRecord& f = store_.Flights()[0];
    EXPECT_EQ(f.typ, 2);
    EXPECT_EQ(f.miejscowosc, changed.miejscowosc);
    EXPECT_EQ(f.pogodawmiejscuwypuszczenia, changed.pogodawmiejscuwypuszczenia);
    EXPECT_EQ(f.pogodalokalna, changed.pogodalokalna);
    EXPECT_EQ(f.notatki, changed.notatki);
    EXPECT_EQ(f.czasodlotu, changed.czasodlotu);
    EXPECT_EQ(f.czas_pierwszego_w_konk, changed.czas_pierwszego_w_konk);
    EXPECT_EQ(f.czas_ostatniego_w_konk, changed.czas_ostatniego_w_konk);
    EXPECT_EQ(f.kategoria, 3);
    EXPECT_EQ(f.kategoria2, 4);
    EXPECT_EQ(QueryDouble(PigeonsDbPath(), "SELECT odleglosckm FROM loty"), 612.346);
    const std::vector<int> numbers = {f.odlegloscm, f.liczba_hodowcow, f.golebi_oddzial,
                                      f.golebi_sekcja, f.konkursow_oddzial, f.konkursow_sekcja,
                                      f.wlozonychgolebi, f.iloscwkonkursie, f.DL_stopnie,
                                      f.DL_minuty, f.DL_sekundy, f.SZ_stopnie, f.SZ_minuty,
                                      f.SZ_sekundy, f.czas_trwania_konkursu_g,
                                      f.czas_trwania_konkursu_m, f.czas_trwania_konkursu_s};
    EXPECT_EQ(numbers, (std::vector<int>{120, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                         19, 20}));
}

}  // namespace
