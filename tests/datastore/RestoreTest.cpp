// Restoring the two database files from a backup folder: a damaged, cut, foreign or incomplete
// backup replaces nothing, a good one replaces both files whole, and a second file that cannot
// be written leaves both files in use exactly as they were, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DatabaseRestore.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(const Text& path) {
    std::ifstream in(ToFsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RestoreTest : public DataStoreTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DataStoreTest::SetUp());
        Reload(-1);  // every table of both files, as at the first start
        Exec(PigeonsDbPath(), "INSERT INTO hodowla(nazwahodowli) VALUES ('Dom');");
        Exec(PigeonsDbPath(), "INSERT INTO pigeons(nr_obraczki) VALUES ('w kopii');");
        Exec(ExtraDbPath(), "INSERT INTO klienci(imie) VALUES ('Jan');");
        // The backup lies in a folder whose name needs escaping in every way a path can.
        backup_ = FromUtf8((root_ / "Kopie Łódź #1 ?%" / "OXKopiaDanych").string());
        fs::create_directories(ToFsPath(backup_));
        for (const Text& name : DatabaseFileNames()) {
            ASSERT_TRUE(SqlSnapshotFile(JoinPath(DbFolder(), name), JoinPath(backup_, name)));
        }
        // After the backup the files in use move on.
        Exec(PigeonsDbPath(), "INSERT INTO pigeons(nr_obraczki) VALUES ('po kopii');");
        Exec(ExtraDbPath(), "INSERT INTO klienci(imie) VALUES ('Anna');");
    }

    Text InBackup(int file) const { return JoinPath(backup_, DatabaseFileNames()[file]); }

    // Both files in use, byte for byte.
    std::vector<std::string> LiveBytes() const { return {Bytes(PigeonsDbPath()), Bytes(ExtraDbPath())}; }

    bool NoKeptCopiesLeft() const {
        for (const auto& entry : fs::directory_iterator(ToFsPath(DbFolder()))) {
            if (entry.path().string().find(".oxrestore-keep") != std::string::npos) return false;
        }
        return true;
    }

    Text backup_;
};

TEST_F(RestoreTest, ABackupThatIsNotWholeOrNotOursReplacesNothing) {
    struct Case {
        const char* what;
        int file;                                  // 0 pigeons.db, 1 dodatkowe_informacje.db
        std::function<void(const Text&)> spoil;
        DbFileCheck::Fault fault;
    };
    const std::vector<Case> cases = {
        {"cut to half its size", 0,
         [](const Text& path) { fs::resize_file(ToFsPath(path), fs::file_size(ToFsPath(path)) / 2); },
         DbFileCheck::Damaged},
        {"a page overwritten", 0,
         [](const Text& path) {
             std::fstream file(ToFsPath(path), std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(2 * 4096);
             const std::string junk(4096, '\x7f');
             file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
         },
         DbFileCheck::Damaged},
        {"a text file", 1,
         [](const Text& path) { WriteBytes(ToFsPath(path), std::string(8192, 'x') + "\nnotatki\n"); },
         DbFileCheck::Damaged},
        {"a database of another program", 0,
         [](const Text& path) {
             fs::remove(ToFsPath(path));
             SqlDatabase db(path);
             ASSERT_TRUE(db.Exec(u"CREATE TABLE pigeons(id INTEGER PRIMARY KEY, nazwa TEXT);"));
         },
         DbFileCheck::NotOurs},
        {"one of the program's tables dropped", 1,
         [](const Text& path) {
             SqlDatabase db(path);
             ASSERT_TRUE(db.Exec(u"DROP TABLE hodowcy;"));
         },
         DbFileCheck::NotOurs},
        {"an empty file", 0, [](const Text& path) { WriteBytes(ToFsPath(path), ""); },
         DbFileCheck::NotOurs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string saved = Bytes(InBackup(c.file));
        c.spoil(InBackup(c.file));
        const auto before = LiveBytes();

        const DbRestoreResult result = RestoreDatabaseFiles(backup_);
        EXPECT_EQ(result.fault, DbRestoreResult::NotABackup);
        EXPECT_TRUE(result.check.missing.empty());
        EXPECT_EQ(result.check.damaged.fault, c.fault) << result.check.damaged.detail;
        EXPECT_EQ(S(result.check.damaged.file), S(InBackup(c.file)));
        EXPECT_EQ(CheckBackupFolder(backup_).damaged.fault, c.fault);
        EXPECT_TRUE(LiveBytes() == before);
        EXPECT_TRUE(NoKeptCopiesLeft());

        WriteBytes(ToFsPath(InBackup(c.file)), saved);
    }
    EXPECT_TRUE(CheckBackupFolder(backup_).ok());

    // One file without the other is no backup either; each missing file is named.
    const std::string extra = Bytes(InBackup(1));
    fs::remove(ToFsPath(InBackup(1)));
    const auto before = LiveBytes();
    DbRestoreResult result = RestoreDatabaseFiles(backup_);
    EXPECT_EQ(result.fault, DbRestoreResult::NotABackup);
    EXPECT_EQ(result.check.missing, std::vector<Text>{u"dodatkowe_informacje.db"});
    fs::remove(ToFsPath(InBackup(0)));
    EXPECT_EQ(CheckBackupFolder(backup_).missing, DatabaseFileNames());
    EXPECT_TRUE(LiveBytes() == before);
}

TEST_F(RestoreTest, AGoodBackupReplacesBothFilesWholeWithNothingOfTheirOldJournals) {
    // A journal caught beside the copy and a write-ahead log left beside a file in use belong
    // to no state of the restored files.
    WriteBytes(ToFsPath(InBackup(0) + u"-journal"), std::string(4096, '\x5a'));
    WriteBytes(ToFsPath(ExtraDbPath() + u"-wal"), std::string(4096, '\x5a'));

    const DbRestoreResult result = RestoreDatabaseFiles(backup_);
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(nr_obraczki) FROM pigeons;"), "w kopii");
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT group_concat(imie) FROM klienci;"), "Jan");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(QueryText(ExtraDbPath(), "PRAGMA integrity_check;"), "ok");
    EXPECT_FALSE(fs::exists(ToFsPath(ExtraDbPath() + u"-wal")));
    EXPECT_TRUE(NoKeptCopiesLeft());
    // The backup itself is only read.
    EXPECT_TRUE(fs::exists(ToFsPath(InBackup(0) + u"-journal")));
    Reload(-1);
    ASSERT_EQ(store_.Pigeons().size(), 1u);
    EXPECT_EQ(S(store_.Pigeons().begin()->second.nr_obraczki), "w kopii");
}

TEST_F(RestoreTest, BothFilesGoInTogetherOrNeitherDoes) {
    // The second file cannot be written (a full disk): the first, already restored, is put back
    // as it was. The first cannot be written: the second is never touched.
    for (int failing : {1, 0}) {
        SCOPED_TRACE(failing);
        const auto before = LiveBytes();
        DbRestoreOptions options;
        const Text failingFile = JoinPath(DbFolder(), DatabaseFileNames()[failing]);
        std::vector<Text> asked;
        options.failWrite = [&](const Text& live) {
            asked.push_back(live);
            return live == failingFile;
        };
        const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
        EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
        EXPECT_EQ(S(result.file), S(failingFile));
        EXPECT_FALSE(result.detail.empty());
        EXPECT_TRUE(result.notPutBack.empty());
        EXPECT_EQ(asked.size(), static_cast<size_t>(failing + 1));
        EXPECT_TRUE(LiveBytes() == before);
        EXPECT_TRUE(NoKeptCopiesLeft());
    }
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(nr_obraczki) FROM pigeons;"),
              "w kopii,po kopii");
}

}  // namespace
