// A writer killed at any moment: a child process runs the store's multi-statement writes in a
// loop (new birds with their category places, a flight with its results, a bird with its rows in
// both files) and is killed at a random moment from a fixed seed. Afterwards both files must
// open, pass SQLite's integrity check, load, and hold every write whole or not at all.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "Schema.h"
#include "TestSupport.h"

namespace {

constexpr int kFlights = 40;
constexpr int kResultsPerFlight = 25;
constexpr int kSeededBirds = 40;
constexpr int kBatch = 5;  // new birds per write

class CrashSafetyTest : public DataStoreTest {
protected:
    // A loft with flights and their results, and birds placed in two categories and listed
    // for printing in the other file.
    void Seed() {
        SqlDatabase pigeonsDb(PigeonsDbPath());
        CreateTables(pigeonsDb, LoftTables());
        CreateTables(pigeonsDb, PigeonTables());
        SqlDatabase extraDb(ExtraDbPath());
        CreateTables(extraDb, ExtraTables());
        const auto run = [](SqlDatabase& db, const std::string& sql) {
            ASSERT_TRUE(db.Exec(FromUtf8(sql))) << sql << ": " << db.LastError();
        };
        run(pigeonsDb, "BEGIN");
        run(extraDb, "BEGIN");
        for (int f = 1; f <= kFlights; ++f) {
            run(pigeonsDb, "INSERT INTO loty(id, id_hodowli) VALUES (" + std::to_string(f) + ", 1)");
            for (int r = 0; r < kResultsPerFlight; ++r)
                run(pigeonsDb, "INSERT INTO lotniki(id_lotu, id_hodowli, id_golebia) VALUES (" +
                                   std::to_string(f) + ", 1, " + std::to_string(r + 1) + ")");
        }
        for (int b = 1; b <= kSeededBirds; ++b) {
            const std::string id = std::to_string(b);
            run(pigeonsDb, "INSERT INTO pigeons(id, id_hodowli, nazwa) VALUES (" + id + ", 1, 'seed')");
            for (const char* category : {"1", "2"})
                run(pigeonsDb, std::string("INSERT INTO kategoria_id(id_kategorii, id_golebia) VALUES (") +
                                   category + ", " + id + ")");
            run(extraDb, "INSERT INTO ild(id_golebia) VALUES (" + id + ")");
        }
        run(pigeonsDb, "COMMIT");
        run(extraDb, "COMMIT");
    }

    // The child: loads the loft, says it is ready, then writes until it is killed.
    [[noreturn]] static void WriteUntilKilled(int readyFd) {
        CDataStore store;
        store.LoadLofts();
        store.LoadPigeonsDb(1);
        store.LoadExtraDb(1);
        const char ready = 1;
        if (write(readyFd, &ready, 1) != 1) _exit(3);
        for (int round = 1; round <= kFlights; ++round) {
            std::vector<PigeonRecord> batch(kBatch);
            for (PigeonRecord& bird : batch) {
                bird.id_hodowli = 1;
                bird.nazwa = FromUtf8("batch " + std::to_string(round));
            }
            if (!store.AddNewPigeonsToCategory(3, batch)) _exit(4);
            FlightRecord flight;
            flight.id = round;
            if (!store.WriteFlight(WriteMode::Delete, flight)) _exit(5);
            if (!store.DeletePigeonWithRows(round)) _exit(6);
        }
        _exit(0);
    }

    std::string IntegrityOf(const Text& path) { return QueryText(path, "PRAGMA integrity_check"); }
};

TEST_F(CrashSafetyTest, WritesKilledAtRandomMomentsLeaveWholeWritesOrNone) {
    std::mt19937 random(20261209);
    int roundsWithWrites = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // A fresh install folder each round, so every kill starts from the same files.
        TearDown();
        SetUp();
        ASSERT_NO_FATAL_FAILURE(Seed());
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            WriteUntilKilled(pipeFds[1]);
        }
        close(pipeFds[1]);
        char ready = 0;
        ASSERT_EQ(read(pipeFds[0], &ready, 1), 1) << "the writer did not start";
        close(pipeFds[0]);
        // The window is wide enough that a writer slowed down by the sanitizers or a busy
        // machine still gets through some of its writes in most rounds.
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + random() % 400000));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "the writer failed on its own with status " << WEXITSTATUS(status);

        EXPECT_EQ(IntegrityOf(PigeonsDbPath()), "ok");
        EXPECT_EQ(IntegrityOf(ExtraDbPath()), "ok");
        const Text pigeons = PigeonsDbPath();
        // New birds: a batch is there with every bird and every category place, or not at all.
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM (SELECT nazwa FROM pigeons WHERE nazwa "
                                    "LIKE 'batch %' GROUP BY nazwa HAVING count(*) <> " +
                                        std::to_string(kBatch) + ")"),
                  0);
        const long long newBirds = QueryInt(pigeons, "SELECT count(*) FROM pigeons WHERE nazwa LIKE 'batch %'");
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM kategoria_id k JOIN pigeons p ON "
                                    "p.id = k.id_golebia WHERE k.id_kategorii = 3"),
                  newBirds);
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM kategoria_id WHERE id_kategorii = 3"), newBirds);
        // Flights: with all their results, or gone with all of them.
        const long long flights = QueryInt(pigeons, "SELECT count(*) FROM loty");
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM lotniki"), flights * kResultsPerFlight);
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM lotniki WHERE id_lotu NOT IN (SELECT id FROM loty)"), 0);
        // Seeded birds: with both category places and the print-list entry in the other file,
        // or gone from both files.
        const long long seeded = QueryInt(pigeons, "SELECT count(*) FROM pigeons WHERE nazwa = 'seed'");
        EXPECT_EQ(QueryInt(pigeons, "SELECT count(*) FROM kategoria_id WHERE id_kategorii IN (1, 2)"), seeded * 2);
        EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM ild"), seeded);
        EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT max(id_golebia) IS NULL OR min(id_golebia) = " +
                                              std::to_string(kSeededBirds - seeded + 1) + " FROM ild"),
                  1);

        // The loft loads as the program would after the crash.
        CDataStore reopened;
        reopened.LoadLofts();
        reopened.LoadPigeonsDb(1);
        reopened.LoadExtraDb(1);
        EXPECT_EQ(static_cast<long long>(reopened.Pigeons().size()), seeded + newBirds);
        EXPECT_EQ(static_cast<long long>(reopened.Flights().size()), flights);
        if (newBirds > 0 || flights < kFlights) ++roundsWithWrites;
    }
    // Kills that always came before the first write would prove nothing.
    EXPECT_GE(roundsWithWrites, 6);
}

}  // namespace
