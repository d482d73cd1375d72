// The benchmark's generated install folder holds what the program itself would have written:
// no date the program reads is NULL, and the folder loads with those dates not set.
#include "TestSupport.h"
#include "Workload.h"

namespace {

using BenchWorkloadTest = DataStoreTest;

TEST_F(BenchWorkloadTest, DatesNotGivenAreStoredAsNotSetAsTheProgramStoresThem) {
    std::string error;
    ASSERT_TRUE(GenerateInstallFolder(root_.string(), WorkloadSize{.birds = 400}, &error)) << error;

    const char* columns[][2] = {
        {"pigeons", "DataDodania"},    {"pigeons", "DataUrodzenia"},
        {"pigeons", "DataKupna"},      {"pigeons", "DataSprzedazy"},
        {"pigeons", "DataOdejscia"},   {"pary", "DataParowania"},
        {"pary", "DataZlozeniaJaj"},   {"pary", "DataWylegu"},
        {"pary", "DataDodania"},       {"dzieci", "DataDodania"},
        {"loty", "czasodlotu"},        {"loty", "czas_pierwszego_w_konk"},
        {"loty", "czas_ostatniego_w_konk"}, {"lotniki", "DataCzasPrzylotu"},
        {"lekisuplementy", "data_podania"}, {"transakcje", "data"},
    };
    for (const auto& [table, column] : columns) {
        EXPECT_GT(QueryInt(PigeonsDbPath(), std::string("SELECT count(*) FROM ") + table), 0) << table;
        EXPECT_EQ(QueryInt(PigeonsDbPath(), std::string("SELECT count(*) FROM ") + table +
                                                " WHERE " + column + " IS NULL"),
                  0)
            << table << '.' << column;
    }

    Reload(1);
    const PigeonRecord& bird = store_.Pigeons().begin()->second;
    EXPECT_EQ(bird.DataKupna, kNoDate);
    EXPECT_EQ(bird.DataSprzedazy, kNoDate);
    EXPECT_EQ(bird.DataOdejscia, kNoDate);
    EXPECT_GT(bird.DataUrodzenia, 0);
    ASSERT_FALSE(store_.Pairs().empty());
    EXPECT_EQ(store_.Pairs()[0].DataWylegu, kNoDate);
    ASSERT_FALSE(store_.Flights().empty());
    EXPECT_EQ(store_.Flights()[0].czas_pierwszego_w_konk, kNoDate);
}

}  // namespace
