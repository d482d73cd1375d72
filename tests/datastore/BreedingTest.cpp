// Young written with their parents (never a bird of the pair's own line), and the every-loft pair
// list kept in step with pair and young writes: after each step memory must equal what a reload
// of the files gives.
#include "Lineage.h"
#include "TestSupport.h"

namespace {

class BreedingTest : public DataStoreTest {
protected:
    int AddBird(const Text& ring, int loftId) {
        PigeonRecord bird;
        bird.nr_obraczki = ring;
        bird.id_hodowli = loftId;
        EXPECT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    // Pairs with their young as both lists hold them: id, birds, then each young's id, bird, notes.
    static std::vector<std::vector<long long>> Shape(const std::vector<PairRecord>& pairs) {
        std::vector<std::vector<long long>> shape;
        for (const PairRecord& pair : pairs) {
            std::vector<long long> row = {pair.id, pair.id_samca, pair.id_samicy, pair.zlozonych};
            for (const YoungRecord& young : pair.young) {
                row.insert(row.end(), {young.id, young.id_golebia, static_cast<long long>(young.uwagi.size())});
            }
            shape.push_back(row);
        }
        return shape;
    }

    void ExpectMemoryMatchesFiles(int loftId) {
        CDataStore fresh;
        fresh.LoadLofts();
        fresh.LoadPigeonsDb(loftId);
        EXPECT_EQ(Shape(store_.Pairs()), Shape(fresh.Pairs()));
        EXPECT_EQ(Shape(store_.AllPairs()), Shape(fresh.AllPairs()));
    }
};

TEST_F(BreedingTest, PairsAndYoungStayInStepWithTheFilesInBothLists) {
    Reload(-1);  // makes the tables
    LoftRecord loft{.nazwahodowli = u"A"}, other{.nazwahodowli = u"B"};
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, other));
    const int male = AddBird(u"1", loft.id), female = AddBird(u"2", loft.id);
    const int young = AddBird(u"3", loft.id), elsewhere = AddBird(u"4", other.id);
    Reload(loft.id);

    PairRecord pair{.id_hodowli = loft.id, .id_samca = male, .id_samicy = female};
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, pair));
    ExpectMemoryMatchesFiles(loft.id);

    // A young of this loft and one recorded from the other loft: the loaded loft's list holds
    // only its own, the every-loft list both.
    YoungRecord mine{.id_golebia = young, .id_pary = pair.id, .id_hodowli = loft.id, .uwagi = u"a"};
    YoungRecord theirs{.id_golebia = elsewhere, .id_pary = pair.id, .id_hodowli = other.id};
    ASSERT_TRUE(store_.AddYoungWithParents(mine, male, female));
    ASSERT_TRUE(store_.AddYoungWithParents(theirs, male, female));
    {
        // The every-loft list follows the writes themselves; the loaded loft's list, which
        // holds only that loft's young, is read again.
        CDataStore fresh;
        fresh.LoadLofts();
        fresh.LoadPigeonsDb(loft.id);
        EXPECT_EQ(Shape(store_.AllPairs()), Shape(fresh.AllPairs()));
    }
    Reload(loft.id);
    ExpectMemoryMatchesFiles(loft.id);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_ojca FROM pigeons WHERE id = " + std::to_string(elsewhere)), male);
    EXPECT_EQ(store_.Pigeons().at(elsewhere).id_matki, female);

    mine.uwagi = u"zmienione";
    ASSERT_TRUE(store_.UpdateYoungWithParents(mine, young, male, female));
    pair.zlozonych = 4;
    pair.young = store_.Pairs()[0].young;
    ASSERT_TRUE(store_.WritePair(WriteMode::Update, pair));
    ExpectMemoryMatchesFiles(loft.id);

    ASSERT_TRUE(store_.WriteYoung(WriteMode::Delete, mine));
    ExpectMemoryMatchesFiles(loft.id);
    ASSERT_TRUE(store_.WritePair(WriteMode::Delete, pair));
    ExpectMemoryMatchesFiles(loft.id);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT COUNT(*) FROM dzieci"), 0);
}

// A young whose bird is not in the file is refused whole: no row, no parents, nothing in memory.
TEST_F(BreedingTest, AYoungOfAMissingBirdWritesNothing) {
    Reload(-1);
    LoftRecord loft{.nazwahodowli = u"A"};
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    Reload(loft.id);
    PairRecord pair{.id_hodowli = loft.id, .id_samca = 1, .id_samicy = 2};
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, pair));
    YoungRecord young{.id_golebia = 999, .id_pary = pair.id, .id_hodowli = loft.id};
    EXPECT_FALSE(store_.AddYoungWithParents(young, 1, 2));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT COUNT(*) FROM dzieci"), 0);
    EXPECT_TRUE(store_.Pairs()[0].young.empty());
    EXPECT_TRUE(store_.AllPairs()[0].young.empty());
}

// A young that is the pair's male or female, or an ancestor of either, would become its own
// ancestor: the store refuses it before writing, in an add and in an edit that links it. The walk
// up the line stops at birds already seen, so parents that loop cannot hang it.
TEST_F(BreedingTest, AYoungThatIsThePairsBirdOrTheirAncestorWritesNothing) {
    Reload(-1);
    LoftRecord loft{.nazwahodowli = u"A"};
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    const int grandsire = AddBird(u"1", loft.id), female = AddBird(u"2", loft.id);
    const int male = AddBird(u"3", loft.id), young = AddBird(u"4", loft.id);
    PigeonRecord bird = store_.Pigeons().at(female);
    bird.id_ojca = grandsire;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, bird));
    bird = store_.Pigeons().at(male);
    bird.id_matki = female;  // the male descends from the female
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, bird));
    Reload(loft.id);
    EXPECT_EQ(BirdsAndForebears(store_.Pigeons(), {male}), (std::set<int>{male, female, grandsire}));
    EXPECT_EQ(BirdsAndForebears(store_.Pigeons(), {young, 0, -1}), std::set<int>{young});

    PairRecord pair{.id_hodowli = loft.id, .id_samca = male, .id_samicy = female};
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, pair));
    for (int refused : {male, female, grandsire}) {
        YoungRecord record{.id_golebia = refused, .id_pary = pair.id, .id_hodowli = loft.id};
        EXPECT_FALSE(store_.AddYoungWithParents(record, male, female)) << refused;
    }
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT COUNT(*) FROM dzieci"), 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT COUNT(*) FROM pigeons WHERE id_ojca = " +
                                            std::to_string(male)), 0);
    EXPECT_EQ(store_.Pigeons().at(grandsire).id_ojca, 0);

    YoungRecord record{.id_golebia = young, .id_pary = pair.id, .id_hodowli = loft.id};
    ASSERT_TRUE(store_.AddYoungWithParents(record, male, female));
    record.id_golebia = grandsire;
    EXPECT_FALSE(store_.UpdateYoungWithParents(record, young, male, female));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_golebia FROM dzieci"), young);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_ojca FROM pigeons WHERE id = " +
                                            std::to_string(grandsire)), 0);
    ExpectMemoryMatchesFiles(loft.id);

    // Parents already in a circle in the file: the walk still ends.
    bird = store_.Pigeons().at(grandsire);
    bird.id_ojca = male;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, bird));
    EXPECT_EQ(BirdsAndForebears(store_.Pigeons(), {female}), (std::set<int>{male, female, grandsire}));
}

}  // namespace
