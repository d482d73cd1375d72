// Restoring the two database files from a backup folder: a damaged, cut, foreign or incomplete
// backup replaces nothing, a good one replaces both files whole, and a second file that cannot
// be written leaves both files in use exactly as they were, byte for byte. A process that ends
// in the middle of a restore leaves both files as they were or both restored, once the next
// start has looked at the db folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "../SmallDisk.h"
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

    // The restore's marker and copies, and the names it writes them under for a moment.
    bool NoKeptCopiesLeft() const {
        for (const auto& entry : fs::directory_iterator(ToFsPath(DbFolder()))) {
            if (entry.path().string().find("oxrestore") != std::string::npos) return false;
        }
        return true;
    }

    Text Marker() const { return JoinPath(DbFolder(), u"oxrestore-unfinished"); }
    Text FoldersNote() const { return JoinPath(DbFolder(), u"oxrestore-folders"); }
    bool Lies(const Text& path) const { return fs::exists(ToFsPath(path)); }

    // The files of before again, with nothing of a restore beside them.
    void PutBeforeBack(const std::vector<std::string>& before) {
        for (const auto& entry : fs::directory_iterator(ToFsPath(DbFolder()))) {
            const std::string name = entry.path().filename().string();
            if (name.find("oxrestore") != std::string::npos || name.find("-journal") != std::string::npos) {
                fs::remove(entry.path());
            }
        }
        // A file that was not there (no bytes) is not there again.
        const Text paths[] = {PigeonsDbPath(), ExtraDbPath()};
        for (size_t i = 0; i < 2; ++i) {
            if (before[i].empty()) {
                fs::remove(ToFsPath(paths[i]));
            } else {
                WriteBytes(ToFsPath(paths[i]), before[i]);
            }
        }
    }

    // What a finished restore leaves in both files, to compare with; then the files of before.
    std::vector<std::string> RestoredBytes() {
        const auto before = LiveBytes();
        EXPECT_TRUE(RestoreDatabaseFiles(backup_).ok());
        const auto restored = LiveBytes();
        PutBeforeBack(before);
        return restored;
    }

    // A start as the program makes it: what it found, and the marker closed once it is told.
    InterruptedRestore Start(const DbRestoreOptions& options = {}) {
        const InterruptedRestore found = FinishInterruptedRestore(options);
        std::string error;
        if (found.outcome == InterruptedRestore::PutBack) {
            EXPECT_TRUE(CloseInterruptedRestore(error, options)) << error;
        }
        return found;
    }

    // Runs `body` in a child process, which ends by SIGKILL wherever `body` sends it; the
    // parent waits for it.
    static void RunInChildUntilKilled(const std::function<void()>& body) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            body();
            _exit(3);  // never killed: the step was not reached
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child ended on its own with status " << WEXITSTATUS(status);
    }

    // The db folder on a disk of its own, sized to what its files take now and `room` more;
    // null (after a skip) where no disk can be mounted.
    std::unique_ptr<SmallDisk> DbFolderOnSmallDisk(unsigned long long room) {
        auto disk = std::make_unique<SmallDisk>(ToFsPath(DbFolder()), 64ull << 20);
        if (!disk->ok()) return nullptr;
        EXPECT_TRUE(disk->Resize(disk->Used() + room));
        return disk;
    }

    Text backup_;
};

// Rows that make a file grow by about `kilobytes`.
std::string Filler(int kilobytes) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(kilobytes) + ") INSERT INTO pigeons(nr_obraczki) SELECT hex(randomblob(500)) FROM n;";
}

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
    // Only the note that the pictures, documents and notes are still to come is left, until
    // the caller says they are in.
    EXPECT_TRUE(Lies(FoldersNote()));
    EXPECT_TRUE(FinishRestoreFolders());
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
        EXPECT_FALSE(fs::exists(ToFsPath(Marker())));
        EXPECT_EQ(asked.size(), static_cast<size_t>(failing + 1));
        EXPECT_TRUE(LiveBytes() == before);
        EXPECT_TRUE(NoKeptCopiesLeft());
    }
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(nr_obraczki) FROM pigeons;"),
              "w kopii,po kopii");
}

TEST_F(RestoreTest, AProcessKilledMidRestoreLeavesBothFilesOfBeforeOrBothRestored) {
    struct Case {
        const char* what;
        RestoreStep step;
        int occurrence;  // the how-manieth time the step is reached
        InterruptedRestore::Outcome atStart;
        bool restored;  // both files hold the backup afterwards (else both as before)
    };
    const std::vector<Case> cases = {
        {"copies kept, no marker yet", RestoreStep::CopiesKept, 1, InterruptedRestore::Nothing, false},
        {"marker written, nothing replaced", RestoreStep::MarkerWritten, 1, InterruptedRestore::PutBack, false},
        {"between the two files", RestoreStep::FileWritten, 1, InterruptedRestore::PutBack, false},
        {"both files in, marker still there", RestoreStep::FileWritten, 2, InterruptedRestore::PutBack, false},
        {"the folders' note written, marker still there", RestoreStep::FolderMarkerWritten, 1,
         InterruptedRestore::PutBack, false},
        {"marker gone, copies not yet", RestoreStep::MarkerRemoved, 1, InterruptedRestore::Nothing, true},
    };
    for (const bool extraExisted : {true, false}) {
        if (!extraExisted) fs::remove(ToFsPath(ExtraDbPath()));
        const auto before = LiveBytes();
        const auto restored = RestoredBytes();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE(extraExisted ? "both files there before" : "dodatkowe_informacje.db absent before");
            RunInChildUntilKilled([&] {
                DbRestoreOptions options;
                int seen = 0;
                options.reached = [&](RestoreStep step) {
                    if (step == c.step && ++seen == c.occurrence) kill(getpid(), SIGKILL);
                };
                RestoreDatabaseFiles(backup_, options);
            });
            if (c.step == RestoreStep::FileWritten && c.occurrence == 1) {
                // The moment this is all about: one file of the backup beside one of before.
                EXPECT_EQ(Bytes(ExtraDbPath()), before[1]);
                EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT group_concat(nr_obraczki) FROM pigeons;"), "w kopii");
            }
            InterruptedRestore start = FinishInterruptedRestore();
            EXPECT_EQ(start.outcome, c.atStart);
            EXPECT_TRUE(LiveBytes() == (c.restored ? restored : before));
            // Killed before its message, a start leaves the next one to put back and tell again.
            if (start.outcome == InterruptedRestore::PutBack) {
                EXPECT_EQ(FinishInterruptedRestore().outcome, InterruptedRestore::PutBack);
                std::string error;
                EXPECT_TRUE(CloseInterruptedRestore(error)) << error;
            }
            // Database in, folders not: every start says so until the folders are copied.
            EXPECT_EQ(start.foldersPending, c.restored);
            EXPECT_EQ(FinishInterruptedRestore().foldersPending, c.restored);
            EXPECT_TRUE(LiveBytes() == (c.restored ? restored : before));
            if (c.restored) {
                EXPECT_TRUE(FinishRestoreFolders());
            }
            EXPECT_TRUE(NoKeptCopiesLeft());
            EXPECT_EQ(FinishInterruptedRestore().outcome, InterruptedRestore::Nothing);
            PutBeforeBack(before);
        }
    }
}

TEST_F(RestoreTest, ANoteOfFoldersNotYetCopiedOutlivesALaterRestoreThatIsUndone) {
    // An earlier restore's pictures, documents and notes never all came in.
    ASSERT_TRUE(RestoreDatabaseFiles(backup_).ok());
    ASSERT_TRUE(Lies(FoldersNote()));
    const auto before = LiveBytes();

    // A restore that fails, and one cut short, are undone; the note stays for both.
    DbRestoreOptions options;
    options.failWrite = [&](const Text& live) { return live == ExtraDbPath(); };
    EXPECT_EQ(RestoreDatabaseFiles(backup_, options).fault, DbRestoreResult::CannotWrite);
    EXPECT_TRUE(Lies(FoldersNote()));
    RunInChildUntilKilled([&] {
        DbRestoreOptions killed;
        killed.reached = [](RestoreStep step) {
            if (step == RestoreStep::FolderMarkerWritten) kill(getpid(), SIGKILL);
        };
        RestoreDatabaseFiles(backup_, killed);
    });
    const InterruptedRestore start = Start();
    EXPECT_EQ(start.outcome, InterruptedRestore::PutBack);
    EXPECT_TRUE(start.foldersPending);
    EXPECT_TRUE(LiveBytes() == before);
}

// The flushes of a restore or a start, one of which fails as an I/O error would, and the names
// of the db folder as the disk holds them: a rename or removal in the folder reaches the disk
// only with the next flush of the folder that succeeds.
struct FailedFlush {
    explicit FailedFlush(int failing) : failing(failing) { durable = Names(); }

    static std::map<std::string, std::string> Names() {
        std::map<std::string, std::string> names;  // name -> bytes, for the restore's files
        for (const auto& entry : fs::directory_iterator(ToFsPath(DbFolder()))) {
            const std::string name = entry.path().filename().string();
            names[name] = name.find("oxrestore") != std::string::npos && entry.is_regular_file()
                              ? Bytes(FromUtf8(entry.path().string()))
                              : std::string();
        }
        return names;
    }

    void Into(DbRestoreOptions& options) {
        options.failFlush = [this](const Text& path) {
            const bool fails = ++seen == failing;
            if (path == DbFolder() && !fails) durable = Names();
            return fails;
        };
    }

    // The db folder as a power cut now would leave it: each marker as the disk holds it.
    void CutPower() const {
        const auto now = Names();
        for (const char* marker : {"oxrestore-unfinished", "oxrestore-folders"}) {
            const Text path = JoinPath(DbFolder(), FromUtf8(marker));
            const auto onDisk = durable.find(marker);
            if (onDisk == durable.end()) {
                fs::remove(ToFsPath(path));
            } else if (now.count(marker) == 0) {
                WriteBytes(ToFsPath(path), onDisk->second);
            }
        }
    }

    int failing;
    int seen = 0;
    std::map<std::string, std::string> durable;
};

TEST_F(RestoreTest, OneFailedFlushNeverBreaksTheRestoreNorTheStartAfterIt) {
    const auto before = LiveBytes();
    const auto restored = RestoredBytes();
    const auto bothKept = [&] {
        return Lies(KeptCopyPath(PigeonsDbPath())) && Lies(KeptCopyPath(ExtraDbPath()));
    };
    // The db folder as it is now, to try both of its futures: going on, and a power cut.
    const auto snapshot = [&] { return std::make_pair(FailedFlush::Names(), LiveBytes()); };
    const auto reset = [&](const std::pair<std::map<std::string, std::string>, std::vector<std::string>>& to) {
        PutBeforeBack(to.second);
        for (const auto& [name, bytes] : to.first) {
            if (name.find("oxrestore") != std::string::npos) {
                WriteBytes(ToFsPath(JoinPath(DbFolder(), FromUtf8(name))), bytes);
            }
        }
    };
    // A start, and the next, on whatever the db folder holds: a whole database every time, never
    // a refusal, and in the end nothing of the restore left. `expect` is what the files must be
    // (null: either, as long as both files agree).
    const auto startsFinish = [&](const std::vector<std::string>* expect) {
        const InterruptedRestore start = Start();
        EXPECT_NE(start.outcome, InterruptedRestore::NotPutBack) << start.detail;
        const auto now = LiveBytes();
        EXPECT_TRUE(now == before || now == restored) << "a mix of the two databases";
        if (expect) {
            EXPECT_TRUE(now == *expect);
        }
        EXPECT_EQ(start.foldersPending, now == restored);
        if (start.foldersPending) {
            EXPECT_TRUE(FinishRestoreFolders());
        }
        EXPECT_EQ(Start().outcome, InterruptedRestore::Nothing);
        EXPECT_TRUE(NoKeptCopiesLeft());
    };

    // The program ends after a failure. Whatever the disk holds, the marker's copies are there,
    // a start that cannot flush the folder either keeps them for the marker the disk may bring
    // back, and the next start finishes: on the folder as it is, and after a power cut.
    const auto programEnds = [&](const FailedFlush& failed, const std::vector<std::string>* expect) {
        const bool markerOnDisk = failed.durable.count("oxrestore-unfinished") > 0;
        if (Lies(Marker()) || markerOnDisk) {
            EXPECT_TRUE(bothKept());
        }
        if (!Lies(Marker()) && markerOnDisk) {
            DbRestoreOptions sick;
            sick.failFlush = [](const Text&) { return true; };
            EXPECT_EQ(FinishInterruptedRestore(sick).outcome, InterruptedRestore::Nothing);
            EXPECT_TRUE(bothKept());
        }
        const auto left = snapshot();
        {
            SCOPED_TRACE("the next start");
            startsFinish(expect);
        }
        reset(left);
        {
            SCOPED_TRACE("a power cut, then the next start");
            failed.CutPower();
            startsFinish(expect);
        }
        PutBeforeBack(before);
    };

    // A restore whose k-th flush fails.
    int flushes = 0;
    {
        DbRestoreOptions counting;
        counting.failFlush = [&](const Text&) { return ++flushes < 0; };
        ASSERT_TRUE(RestoreDatabaseFiles(backup_, counting).ok());
        PutBeforeBack(before);
    }
    ASSERT_GE(flushes, 8);
    for (int k = 1; k <= flushes; ++k) {
        SCOPED_TRACE("the restore's flush " + std::to_string(k) + " of " + std::to_string(flushes));
        FailedFlush failed(k);
        DbRestoreOptions options;
        failed.Into(options);
        const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
        EXPECT_FALSE(result.detail.empty());
        const auto now = LiveBytes();
        EXPECT_TRUE(now == before || now == restored) << "a mix of the two databases";
        if (result.unchanged) {
            EXPECT_TRUE(now == before);
        }
        if (!result.endProgram) {
            // "Nothing was changed" and the program goes on: nothing a later start would act on,
            // now or after a power cut.
            EXPECT_TRUE(result.unchanged);
            EXPECT_TRUE(NoKeptCopiesLeft());
            EXPECT_EQ(failed.durable.count("oxrestore-unfinished"), 0u);
            continue;
        }
        programEnds(failed, result.unchanged ? &before : nullptr);
    }

    // A start, after a restore cut short with one file in, whose k-th flush fails.
    const auto cutShort = [&] {
        RunInChildUntilKilled([&] {
            DbRestoreOptions options;
            options.reached = [](RestoreStep step) {
                if (step == RestoreStep::FileWritten) kill(getpid(), SIGKILL);
            };
            RestoreDatabaseFiles(backup_, options);
        });
    };
    flushes = 0;
    {
        cutShort();
        DbRestoreOptions counting;
        counting.failFlush = [&](const Text&) { return ++flushes < 0; };
        ASSERT_EQ(Start(counting).outcome, InterruptedRestore::PutBack);
        PutBeforeBack(before);
    }
    ASSERT_GE(flushes, 4);
    for (int k = 1; k <= flushes; ++k) {
        SCOPED_TRACE("the start's flush " + std::to_string(k) + " of " + std::to_string(flushes));
        cutShort();
        FailedFlush failed(k);
        DbRestoreOptions options;
        failed.Into(options);
        const InterruptedRestore start = FinishInterruptedRestore(options);
        std::string error;
        const bool closed =
            start.outcome == InterruptedRestore::PutBack && CloseInterruptedRestore(error, options);
        if (closed) {
            EXPECT_TRUE(LiveBytes() == before);
            EXPECT_TRUE(NoKeptCopiesLeft());
            EXPECT_EQ(failed.durable.count("oxrestore-unfinished"), 0u);
            PutBeforeBack(before);
            continue;
        }
        programEnds(failed, &before);
    }
}

TEST_F(RestoreTest, AMarkerThatCannotBeRemovedUndoesTheRestoreOrEndsTheProgram) {
    const auto before = LiveBytes();
    // Once: the restore is undone under its marker, which then goes; nothing changed.
    int asked = 0;
    DbRestoreOptions options;
    options.failMarkerRemoval = [&](const Text& marker) { return marker == Marker() && ++asked == 1; };
    DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
    EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
    EXPECT_EQ(S(result.file), S(Marker()));
    EXPECT_FALSE(result.endProgram);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());

    // Never: the files are put back, and the marker stays for the next start, which says so.
    options.failMarkerRemoval = [&](const Text& marker) { return marker == Marker(); };
    result = RestoreDatabaseFiles(backup_, options);
    EXPECT_TRUE(result.endProgram);
    EXPECT_TRUE(result.unchanged);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(Lies(Marker()));
    const InterruptedRestore start = Start();
    EXPECT_EQ(start.outcome, InterruptedRestore::PutBack);
    EXPECT_FALSE(start.foldersPending);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());

    // Both files in, the marker's removal not flushed, and a file that cannot go back: the copy
    // is reported kept, and a marker on disk says so to the next start.
    int flushes = 0;
    {
        DbRestoreOptions counting;
        std::vector<RestoreStep> steps;
        counting.reached = [&](RestoreStep step) { steps.push_back(step); };
        counting.failFlush = [&](const Text& path) {
            if (path == DbFolder() && !steps.empty() && steps.back() == RestoreStep::FolderMarkerWritten &&
                flushes == 0) {
                flushes = 1;
                return true;
            }
            return false;
        };
        counting.failPutBack = [&](const Text& live) { return live == ExtraDbPath(); };
        result = RestoreDatabaseFiles(backup_, counting);
    }
    ASSERT_EQ(flushes, 1);
    EXPECT_TRUE(result.endProgram);
    EXPECT_EQ(S(result.notPutBack), S(ExtraDbPath()));
    EXPECT_TRUE(Lies(Marker()));
    EXPECT_EQ(Bytes(result.keptCopy), before[1]);
    EXPECT_EQ(Start().outcome, InterruptedRestore::PutBack);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());
}

TEST_F(RestoreTest, AWriteThatFailsAfterItReachedTheFileIsPutBackToo) {
    const auto before = LiveBytes();
    for (const Text& failing : {PigeonsDbPath(), ExtraDbPath()}) {
        SCOPED_TRACE(S(failing));
        DbRestoreOptions options;
        options.failAfterWrite = [&](const Text& live) { return live == failing; };
        const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
        EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
        EXPECT_TRUE(result.diskFull);
        EXPECT_FALSE(result.endProgram);
        EXPECT_TRUE(LiveBytes() == before);
        EXPECT_TRUE(NoKeptCopiesLeft());
    }
}

TEST_F(RestoreTest, ARestoreKilledInsideTheWriteOfAFileIsPutBackWithoutItsJournal) {
    Exec(PigeonsDbPath(), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                          "INSERT INTO pigeons(nr_obraczki) SELECT 'przed ' || hex(zeroblob(250)) FROM n;");
    const auto before = LiveBytes();
    // The write into pigeons.db is cut short with pages of it in the file and its journal beside.
    const auto killedInsideTheWrite = [&] {
        RunInChildUntilKilled([&] {
            DbRestoreOptions options;
            options.reached = [&](RestoreStep step) {
                if (step != RestoreStep::MarkerWritten) return;
                SqlDatabase db(PigeonsDbPath());
                db.Exec(u"PRAGMA cache_size = 2;");
                db.Exec(u"BEGIN;");
                db.Exec(u"UPDATE pigeons SET nr_obraczki = 'w połowie ' || nr_obraczki;");
                for (int i = 0; i < 400; ++i) db.Exec(u"INSERT INTO pigeons(nr_obraczki) VALUES (?1);", {Text(2000, u'x')});
                kill(getpid(), SIGKILL);
            };
            RestoreDatabaseFiles(backup_, options);
        });
        ASSERT_TRUE(Lies(PigeonsDbPath() + u"-journal"));
    };
    killedInsideTheWrite();
    EXPECT_EQ(Start().outcome, InterruptedRestore::PutBack);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_FALSE(Lies(PigeonsDbPath() + u"-journal"));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "PRAGMA integrity_check;"), "ok");

    // Its kept copy is gone: the file and the journal that can still undo the write stay as they
    // are, and so does the marker, which the start names.
    killedInsideTheWrite();
    fs::remove(ToFsPath(KeptCopyPath(PigeonsDbPath())));
    const std::string cut = Bytes(PigeonsDbPath());
    const std::string journal = Bytes(PigeonsDbPath() + u"-journal");
    const InterruptedRestore start = FinishInterruptedRestore();
    EXPECT_EQ(start.outcome, InterruptedRestore::NotPutBack);
    EXPECT_TRUE(start.keptCopyMissing);
    EXPECT_EQ(S(start.file), S(PigeonsDbPath()));
    EXPECT_EQ(S(start.marker), S(Marker()));
    EXPECT_EQ(Bytes(PigeonsDbPath()), cut);
    EXPECT_EQ(Bytes(PigeonsDbPath() + u"-journal"), journal);
    EXPECT_TRUE(Lies(Marker()));
    // The user removes the marker, as told: the journal undoes the write as the file is opened.
    fs::remove(ToFsPath(Marker()));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM pigeons;"), 302);
}

TEST_F(RestoreTest, AFullDiskIsToldAsAFullDisk) {
    // The copy kept of pigeons.db lands on a device that is always full.
    const auto before = LiveBytes();
    fs::create_symlink("/dev/full", ToFsPath(KeptCopyPath(PigeonsDbPath())));
    const DbRestoreResult result = RestoreDatabaseFiles(backup_);
    EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
    EXPECT_EQ(S(result.file), S(PigeonsDbPath()));
    EXPECT_TRUE(result.diskFull) << result.detail;
    EXPECT_FALSE(result.endProgram);
    EXPECT_TRUE(LiveBytes() == before);
}

TEST_F(RestoreTest, AKeptCopyThatCannotBePutBackIsNeverRemoved) {
    // The second file cannot be written, and the first, already restored, cannot be put back.
    const auto before = LiveBytes();
    DbRestoreOptions options;
    options.failWrite = [&](const Text& live) { return live == ExtraDbPath(); };
    options.failPutBack = [&](const Text& live) { return live == PigeonsDbPath(); };
    const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
    EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
    EXPECT_EQ(S(result.notPutBack), S(PigeonsDbPath()));
    ASSERT_EQ(S(result.keptCopy), S(PigeonsDbPath() + u".oxrestore-keep"));
    EXPECT_EQ(Bytes(result.keptCopy), before[0]);
    EXPECT_TRUE(fs::exists(ToFsPath(Marker())));
    EXPECT_EQ(Bytes(ExtraDbPath()), before[1]);

    EXPECT_TRUE(result.endProgram);
    // A second restore must not overwrite the only copy of the database of before.
    const DbRestoreResult second = RestoreDatabaseFiles(backup_);
    EXPECT_EQ(second.fault, DbRestoreResult::Unfinished);
    EXPECT_EQ(S(second.file), S(Marker()));
    EXPECT_EQ(Bytes(result.keptCopy), before[0]);

    // The next start cannot put it back either: the copy and the marker stay, the file is named.
    InterruptedRestore start = FinishInterruptedRestore(options);
    EXPECT_EQ(start.outcome, InterruptedRestore::NotPutBack);
    EXPECT_EQ(S(start.file), S(PigeonsDbPath()));
    EXPECT_EQ(S(start.keptCopy), S(result.keptCopy));
    EXPECT_EQ(Bytes(start.keptCopy), before[0]);
    EXPECT_TRUE(fs::exists(ToFsPath(Marker())));

    // A start that can: both files as before, nothing of the restore left.
    start = Start();
    EXPECT_EQ(start.outcome, InterruptedRestore::PutBack);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());
}

TEST_F(RestoreTest, TheCopyKeptIsTheFileAsLastCommitted) {
    Exec(PigeonsDbPath(), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                          "INSERT INTO pigeons(nr_obraczki) SELECT 'przed ' || hex(zeroblob(250)) FROM n;");
    const long long birds = QueryInt(PigeonsDbPath(), "SELECT count(*) FROM pigeons;");
    // A writer killed in the middle of a large write leaves pages of it in the file and the
    // means to undo them in the journal beside it.
    RunInChildUntilKilled([&] {
        SqlDatabase db(PigeonsDbPath());
        db.Exec(u"PRAGMA cache_size = 2;");
        db.Exec(u"BEGIN;");
        if (!db.Exec(u"UPDATE pigeons SET nr_obraczki = 'w połowie ' || nr_obraczki;")) _exit(4);
        for (int i = 0; i < 400; ++i) {
            if (!db.Exec(u"INSERT INTO pigeons(nr_obraczki) VALUES (?1);", {Text(2000, u'x')})) {
                _exit(4);
            }
        }
        kill(getpid(), SIGKILL);
    });
    ASSERT_TRUE(fs::exists(ToFsPath(PigeonsDbPath() + u"-journal")));

    // The restore fails at the second file and puts the first back from its kept copy: that
    // copy must hold no half of the killed write.
    DbRestoreOptions options;
    options.failWrite = [&](const Text& live) { return live == ExtraDbPath(); };
    EXPECT_EQ(RestoreDatabaseFiles(backup_, options).fault, DbRestoreResult::CannotWrite);
    EXPECT_FALSE(fs::exists(ToFsPath(PigeonsDbPath() + u"-journal")));
    EXPECT_EQ(QueryText(PigeonsDbPath(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM pigeons;"), birds);

    // A file held by a writer cannot be brought to its last commit: the restore stops before
    // it keeps or writes anything.
    const auto before = LiveBytes();
    SqlDatabase writer(ExtraDbPath());
    ASSERT_TRUE(writer.Exec(u"BEGIN EXCLUSIVE;"));
    ASSERT_TRUE(writer.Exec(u"INSERT INTO klienci(imie) VALUES ('w trakcie');"));
    std::vector<RestoreStep> steps;
    options = {};
    options.reached = [&](RestoreStep step) { steps.push_back(step); };
    const DbRestoreResult held = RestoreDatabaseFiles(backup_, options);
    EXPECT_EQ(held.fault, DbRestoreResult::CannotWrite);
    EXPECT_EQ(S(held.file), S(ExtraDbPath()));
    EXPECT_FALSE(held.detail.empty());
    EXPECT_TRUE(steps.empty());
    writer.Exec(u"ROLLBACK;");
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());
}

// A restore that runs out of room undoes itself within the room the files had before it: the
// room its own failed write took (the grown file, its journal) is given back before a kept copy
// needs room beside the file. Whichever file runs out of room, and with more or less room left.
TEST_F(RestoreTest, ARestoreThatRunsOutOfRoomUndoesItselfWithinTheRoomTheFilesHad) {
    const std::string backupBirds = Bytes(InBackup(0));
    const std::string backupExtra = Bytes(InBackup(1));
    // The live files are big enough that a copy of one does not fit in the room the other's
    // failed write leaves.
    Exec(PigeonsDbPath(), Filler(300));
    Exec(ExtraDbPath(), "CREATE TABLE zapas(x);");
    Exec(ExtraDbPath(), "INSERT INTO zapas SELECT randomblob(600000);");
    for (const int big : {0, 1}) {
        // The backup's big file is the one that does not fit; the other fits.
        WriteBytes(ToFsPath(InBackup(0)), backupBirds);
        WriteBytes(ToFsPath(InBackup(1)), backupExtra);
        const Text grown = InBackup(big);
        Exec(grown, "CREATE TABLE wielka(x);");
        Exec(grown, "INSERT INTO wielka SELECT randomblob(6000000);");
        for (const unsigned long long room : {200ull << 10, 700ull << 10, 1500ull << 10, 3000ull << 10}) {
            SCOPED_TRACE("file " + std::to_string(big) + ", room " + std::to_string(room >> 10) + " kB");
            // Room for the kept copies and `room` more.
            const unsigned long long kept =
                fs::file_size(ToFsPath(PigeonsDbPath())) + fs::file_size(ToFsPath(ExtraDbPath())) + (16 << 10);
            const auto disk = DbFolderOnSmallDisk(kept + room);
            if (!disk) GTEST_SKIP() << "no small disk can be mounted here";
            const auto before = LiveBytes();
            const unsigned long long freeBefore = disk->Free();
            const DbRestoreResult result = RestoreDatabaseFiles(backup_);
            EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
            EXPECT_EQ(S(result.file), S(JoinPath(DbFolder(), DatabaseFileNames()[big])));
            EXPECT_TRUE(result.diskFull) << result.detail;
            EXPECT_FALSE(result.endProgram);
            EXPECT_TRUE(result.unchanged);
            EXPECT_TRUE(result.notPutBack.empty()) << S(result.notPutBack);
            EXPECT_TRUE(LiveBytes() == before);
            EXPECT_TRUE(NoKeptCopiesLeft());
            EXPECT_FALSE(Lies(PigeonsDbPath() + u"-journal"));
            EXPECT_FALSE(Lies(ExtraDbPath() + u"-journal"));
            EXPECT_EQ(disk->Free(), freeBefore);
        }
    }
}

// A start after a restore whose write filled the disk (the file grown, its journal beside it,
// no room left) puts both files back all the same.
TEST_F(RestoreTest, AStartOnADiskTheRestoreFilledPutsTheFilesBack) {
    Exec(PigeonsDbPath(), Filler(300));
    for (const Text& cut : {PigeonsDbPath(), ExtraDbPath()}) {
        SCOPED_TRACE(S(cut));
        const unsigned long long files =
            fs::file_size(ToFsPath(PigeonsDbPath())) + fs::file_size(ToFsPath(ExtraDbPath()));
        const auto disk = DbFolderOnSmallDisk(files + (400 << 10));
        if (!disk) GTEST_SKIP() << "no small disk can be mounted here";
        const auto before = LiveBytes();
        for (const Text& live : {PigeonsDbPath(), ExtraDbPath()}) {
            fs::copy_file(ToFsPath(live), ToFsPath(KeptCopyPath(live)));
        }
        WriteBytes(ToFsPath(Marker()), "pigeons.db kept\ndodatkowe_informacje.db kept\n");
        // The write that was cut: pages in the file and in its journal until the disk is full.
        {
            std::ofstream grow(ToFsPath(cut), std::ios::binary | std::ios::app);
            const std::string page(4096, '\x5a');
            for (int i = 0; i < 50 && grow.write(page.data(), page.size()); ++i) grow.flush();
            std::ofstream journal(ToFsPath(cut + u"-journal"), std::ios::binary);
            while (journal.write(page.data(), page.size()) && journal.flush()) {}
        }
        ASSERT_LT(disk->Free(), 8192u);
        // A start killed once it gave that room back, before the copy is in: the next start
        // finds the file absent and puts it back from its copy all the same.
        RunInChildUntilKilled([&] {
            DbRestoreOptions options;
            options.failFlush = [&](const Text& path) {
                if (path == DbFolder() && !Lies(cut)) kill(getpid(), SIGKILL);
                return false;
            };
            FinishInterruptedRestore(options);
        });
        ASSERT_FALSE(Lies(cut));
        const InterruptedRestore start = Start();
        EXPECT_EQ(start.outcome, InterruptedRestore::PutBack) << start.detail;
        EXPECT_TRUE(LiveBytes() == before);
        EXPECT_FALSE(Lies(cut + u"-journal"));
        EXPECT_TRUE(NoKeptCopiesLeft());
        EXPECT_EQ(QueryText(cut, "PRAGMA integrity_check;"), "ok");
    }
}

// The journal beside a file is the restore's half-written write: were its removal not on disk
// before the kept bytes are renamed in, a power cut between the two would leave it beside them,
// and the next open would play it into them.
TEST_F(RestoreTest, ThePutBackFlushesTheJournalsRemovalBeforeTheKeptCopyIsRenamedIn) {
    const auto before = LiveBytes();
    for (const Text& live : {PigeonsDbPath(), ExtraDbPath()}) {
        fs::copy_file(ToFsPath(live), ToFsPath(KeptCopyPath(live)));
    }
    WriteBytes(ToFsPath(Marker()), "pigeons.db kept\ndodatkowe_informacje.db kept\n");
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(nr_obraczki) VALUES ('z kopii');");
    WriteBytes(ToFsPath(PigeonsDbPath() + u"-journal"), std::string(4096, '\x5a'));
    // What each flush of the db folder makes durable.
    struct Flushed {
        bool journal;
        bool putBack;
    };
    std::vector<Flushed> flushes;
    DbRestoreOptions options;
    options.failFlush = [&](const Text& path) {
        if (path == DbFolder()) {
            flushes.push_back({Lies(PigeonsDbPath() + u"-journal"), Bytes(PigeonsDbPath()) == before[0]});
        }
        return false;
    };
    EXPECT_EQ(Start(options).outcome, InterruptedRestore::PutBack);
    EXPECT_TRUE(LiveBytes() == before);
    const auto journalGoneFileNotYetBack = [](const Flushed& f) { return !f.journal && !f.putBack; };
    EXPECT_TRUE(std::any_of(flushes.begin(), flushes.end(), journalGoneFileNotYetBack));
}

// A marker names each file it has a copy of; one it does not name is never taken for a file that
// was not there before (and removed): it is looked for as kept, and without a copy it stays.
TEST_F(RestoreTest, AFileTheMarkerDoesNotNameIsLeftAsItIs) {
    const std::string extra = Bytes(ExtraDbPath());
    const std::string birds = Bytes(PigeonsDbPath());
    fs::copy_file(ToFsPath(PigeonsDbPath()), ToFsPath(KeptCopyPath(PigeonsDbPath())));
    WriteBytes(ToFsPath(Marker()), "pigeons.db kept\n");
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(nr_obraczki) VALUES ('z kopii');");
    const InterruptedRestore start = FinishInterruptedRestore();
    EXPECT_EQ(start.outcome, InterruptedRestore::NotPutBack);
    EXPECT_EQ(S(start.file), S(ExtraDbPath()));
    EXPECT_TRUE(start.keptCopyMissing);
    ASSERT_TRUE(Lies(ExtraDbPath()));
    EXPECT_EQ(Bytes(ExtraDbPath()), extra);
    EXPECT_EQ(Bytes(PigeonsDbPath()), birds);
    EXPECT_TRUE(Lies(Marker()));
}

TEST_F(RestoreTest, TheFoldersNoteNamesTheBackupItWaitsFor) {
    ::FoldersNote note;
    EXPECT_FALSE(ReadFoldersNote(note));
    ASSERT_TRUE(RestoreDatabaseFiles(backup_).ok());
    ASSERT_TRUE(ReadFoldersNote(note));
    EXPECT_EQ(S(note.backupFolder), S(backup_));
    EXPECT_TRUE(note.databaseLoaded);
    EXPECT_TRUE(note.fullFolder.empty());
    ASSERT_TRUE(FinishRestoreFolders());

    // The folders alone, from another backup.
    const Text other = FromUtf8((root_ / "Inna kopia" / "OXKopiaDanych").string());
    std::string error;
    ASSERT_TRUE(BeginRestoreFolders(other, error)) << error;
    ASSERT_TRUE(NoteRestoreFoldersFull(JoinPath(DbFolder(), u"images")));
    ASSERT_TRUE(ReadFoldersNote(note));
    EXPECT_EQ(S(note.backupFolder), S(other));
    EXPECT_FALSE(note.databaseLoaded);
    EXPECT_EQ(S(note.fullFolder), S(JoinPath(DbFolder(), u"images")));

    // A restore beside that note that is undone leaves it as it was; one that is done makes it
    // stand for its own backup, whose folders come next.
    DbRestoreOptions options;
    options.failWrite = [&](const Text& live) { return live == ExtraDbPath(); };
    ASSERT_EQ(RestoreDatabaseFiles(backup_, options).fault, DbRestoreResult::CannotWrite);
    ASSERT_TRUE(ReadFoldersNote(note));
    EXPECT_EQ(S(note.backupFolder), S(other));
    EXPECT_FALSE(note.databaseLoaded);
    ASSERT_TRUE(RestoreDatabaseFiles(backup_).ok());
    ASSERT_TRUE(ReadFoldersNote(note));
    EXPECT_EQ(S(note.backupFolder), S(backup_));
    EXPECT_TRUE(note.databaseLoaded);
    EXPECT_TRUE(note.fullFolder.empty());
}

// A backup folder whose mark says its backup never finished is no backup: its files may be of
// two backups. The mark goes only when the backup says every file is in; a folder without one
// loads as before.
TEST_F(RestoreTest, ABackupFolderStillMarkedAsBeingWrittenIsNeverLoaded) {
    const auto before = LiveBytes();
    const Time64 began = 1765432100;
    std::string error;
    bool diskFull = false;
    ASSERT_TRUE(BeginBackup(backup_, began, error, diskFull)) << error;
    BackupMark mark;
    ASSERT_TRUE(ReadBackupMark(backup_, mark));
    EXPECT_EQ(mark.began, began);
    const DbRestoreResult refused = RestoreDatabaseFiles(backup_);
    EXPECT_EQ(refused.fault, DbRestoreResult::NotABackup);
    EXPECT_TRUE(refused.check.cutShort);
    EXPECT_EQ(refused.check.mark.began, began);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());
    EXPECT_FALSE(Lies(FoldersNote()));

    bool notOnDisk = false;
    ASSERT_TRUE(FinishBackup(backup_, error, notOnDisk)) << error;
    EXPECT_FALSE(ReadBackupMark(backup_, mark));
    EXPECT_TRUE(CheckBackupFolder(backup_).ok());
    EXPECT_TRUE(RestoreDatabaseFiles(backup_).ok());
}

TEST_F(RestoreTest, ABackupWhoseMarkCannotBeWrittenIsToldSoAndLeavesNoMark) {
    // The mark is written whole through a file of its own, here on a device that is always full.
    fs::create_symlink("/dev/full", ToFsPath(JoinPath(backup_, BackupMarkName()) + u".oxrestore-part"));
    std::string error;
    bool diskFull = false;
    EXPECT_FALSE(BeginBackup(backup_, 1765432100, error, diskFull));
    EXPECT_TRUE(diskFull) << error;
    BackupMark mark;
    EXPECT_FALSE(ReadBackupMark(backup_, mark));
    EXPECT_TRUE(CheckBackupFolder(backup_).ok());
}

// A put-back whose copy beside the file fails for another reason than room must leave the file
// and its journal as they are: only a full disk is a reason to remove the file first.
TEST_F(RestoreTest, APutBackThatFailsOtherwiseThanForRoomLeavesTheFileAsItIs) {
    for (const Text& live : {PigeonsDbPath(), ExtraDbPath()}) {
        fs::copy_file(ToFsPath(live), ToFsPath(KeptCopyPath(live)));
    }
    WriteBytes(ToFsPath(Marker()), "pigeons.db kept\ndodatkowe_informacje.db kept\n");
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(nr_obraczki) VALUES ('z kopii');");
    WriteBytes(ToFsPath(PigeonsDbPath() + u"-journal"), std::string(4096, '\x5a'));
    const std::string cut = Bytes(PigeonsDbPath());
    DbRestoreOptions options;
    options.failFlush = [](const Text& path) { return path == PigeonsDbPath() + u".oxrestore-back"; };
    const InterruptedRestore start = FinishInterruptedRestore(options);
    EXPECT_EQ(start.outcome, InterruptedRestore::NotPutBack);
    EXPECT_EQ(S(start.file), S(PigeonsDbPath()));
    EXPECT_FALSE(start.diskFull);
    ASSERT_TRUE(Lies(PigeonsDbPath()));
    EXPECT_EQ(Bytes(PigeonsDbPath()), cut);
    EXPECT_TRUE(Lies(PigeonsDbPath() + u"-journal"));
    EXPECT_TRUE(Lies(Marker()));
}

// The backup's first file is larger than the one in use, and the second file's write finds no
// room. The second file is held open by another program, so removing it gives back no room: its
// put-back finds room only once the first file is back, and is tried again then.
TEST_F(RestoreTest, APutBackThatFoundNoRoomIsTriedAgainOnceTheOtherFileIsBack) {
    Exec(ExtraDbPath(), "CREATE TABLE zapas(x);");
    Exec(ExtraDbPath(), "INSERT INTO zapas SELECT randomblob(600000);");
    Exec(InBackup(0), "CREATE TABLE wielka(x);");
    Exec(InBackup(0), "INSERT INTO wielka SELECT randomblob(1500000);");
    const unsigned long long kept =
        fs::file_size(ToFsPath(PigeonsDbPath())) + fs::file_size(ToFsPath(ExtraDbPath()));
    const auto disk = DbFolderOnSmallDisk(kept + fs::file_size(ToFsPath(InBackup(0))) + (200 << 10));
    if (!disk) GTEST_SKIP() << "no small disk can be mounted here";
    const auto before = LiveBytes();
    const int held = ::open(ToUtf8(ExtraDbPath()).c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    DbRestoreOptions options;
    options.failWrite = [](const Text& live) { return live == ExtraDbPath(); };
    const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
    ::close(held);
    EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
    EXPECT_TRUE(result.notPutBack.empty()) << S(result.notPutBack);
    EXPECT_FALSE(result.endProgram);
    EXPECT_TRUE(result.unchanged);
    EXPECT_TRUE(LiveBytes() == before);
    EXPECT_TRUE(NoKeptCopiesLeft());
}

// A copy of the pictures, documents and notes that takes the last byte of the db folder's disk
// must still leave the note saying the disk is full, after a restore of the database and after
// one of the folders alone.
TEST_F(RestoreTest, TheFoldersNoteCanSayTheDiskIsFullWhenTheCopyTookEveryByte) {
    const Text images = JoinPath(DbFolder(), u"images");
    for (const bool databaseToo : {true, false}) {
        SCOPED_TRACE(databaseToo ? "the database and the folders" : "the folders alone");
        const unsigned long long files =
            fs::file_size(ToFsPath(PigeonsDbPath())) + fs::file_size(ToFsPath(ExtraDbPath()));
        const auto disk = DbFolderOnSmallDisk(2 * files + (600 << 10));
        if (!disk) GTEST_SKIP() << "no small disk can be mounted here";
        std::string error;
        if (databaseToo) {
            ASSERT_TRUE(RestoreDatabaseFiles(backup_).ok());
        } else {
            ASSERT_TRUE(BeginRestoreFolders(backup_, error)) << error;
        }
        // The copy fills the disk to its last byte.
        {
            std::ofstream fill(ToFsPath(JoinPath(images, u"wielkie.jpg")), std::ios::binary);
            const std::string page(4096, '\x5a');
            while (fill.write(page.data(), page.size()) && fill.flush()) {}
        }
        std::ofstream(ToFsPath(JoinPath(images, u"reszta.jpg")), std::ios::binary) << 'x';
        ASSERT_LT(disk->Free(), 4096u);
        EXPECT_TRUE(NoteRestoreFoldersFull(images));
        ::FoldersNote note;
        ASSERT_TRUE(ReadFoldersNote(note));
        EXPECT_EQ(S(note.fullFolder), S(images));
        EXPECT_EQ(S(note.backupFolder), S(backup_));
        EXPECT_EQ(note.databaseLoaded, databaseToo);
        fs::remove(ToFsPath(JoinPath(images, u"wielkie.jpg")));
        fs::remove(ToFsPath(JoinPath(images, u"reszta.jpg")));
        EXPECT_TRUE(FinishRestoreFolders());
        EXPECT_TRUE(NoKeptCopiesLeft());
    }
}

}  // namespace

// A disk that takes no new file: whichever file of the restore finds none first (a kept copy,
// the marker, the journal SQLite makes beside a file it writes), the disk is told as full, and
// the files in use stay as they were.
TEST_F(RestoreTest, ARestoreOnADiskThatTakesNoNewFileSaysTheDiskIsFull) {
    const auto disk = DbFolderOnSmallDisk(8 << 20);
    if (!disk) GTEST_SKIP() << "no small disk can be mounted here";
    const auto before = LiveBytes();
    for (int spare = 0;; ++spare) {
        SCOPED_TRACE("files the disk takes: " + std::to_string(spare));
        ASSERT_LT(spare, 10) << "the restore never had the files it needs";
        ASSERT_TRUE(disk->LimitFiles(spare));
        const DbRestoreResult result = RestoreDatabaseFiles(backup_);
        if (result.ok()) break;
        EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
        EXPECT_EQ(result.detail, "na dysku zabrakło miejsca");
        EXPECT_TRUE(result.diskFull);
        EXPECT_TRUE(LiveBytes() == before);
    }
}

// Why a restore could not write is told in the program's own words, whichever way the db
// folder refuses: a disk that can only be read, a folder that may not be changed, a full disk,
// a disk that fails a write.
TEST_F(RestoreTest, ARestoreThatCannotWriteSaysWhyInTheProgramsOwnWords) {
    const std::string folder = ToFsPath(DbFolder()).string();
    struct Case {
        const char* what;
        std::string reason;
        // Makes the db folder refuse; false when this system cannot. Undone by `undo`.
        std::function<bool(std::unique_ptr<SmallDisk>&)> refuse;
        std::function<void()> undo;
        // What is restored: true for the database files, false for the folders alone.
        bool database = true;
        bool fullDisk = false;
    };
    const std::vector<Case> cases = {
        {"a disk that can only be read", "dysk jest tylko do odczytu",
         [&](std::unique_ptr<SmallDisk>& disk) {
             disk = DbFolderOnSmallDisk(4 << 20);
             return disk && ::mount("tmpfs", folder.c_str(), "tmpfs",
                                    MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
         },
         [] {}},
        {"a folder that may not be changed", "brak uprawnień",
         [&](std::unique_ptr<SmallDisk>&) {
             return std::system(("chattr +i '" + folder + "' 2>/dev/null").c_str()) == 0;
         },
         [&] { std::system(("chattr -i '" + folder + "'").c_str()); }},
        {"a full disk, the folders alone", "na dysku zabrakło miejsca",
         [&](std::unique_ptr<SmallDisk>& disk) {
             disk = DbFolderOnSmallDisk(64 << 10);
             if (!disk) return false;
             std::ofstream fill(ToFsPath(JoinPath(DbFolder(), u"wypelnienie.bin")), std::ios::binary);
             const std::string block(4096, 'x');
             while (fill.write(block.data(), block.size()) && fill.flush()) {}
             return disk->Free() == 0;
         },
         [] {}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<SmallDisk> disk;
        if (!c.refuse(disk)) {
            c.undo();
            std::cout << "skipped here: " << c.what << "\n";
            continue;
        }
        if (c.database) {
            const DbRestoreResult result = RestoreDatabaseFiles(backup_);
            EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
            EXPECT_EQ(result.detail, c.reason);
            EXPECT_EQ(result.diskFull, c.fullDisk);
        } else {
            std::string error;
            EXPECT_FALSE(BeginRestoreFolders(backup_, error));
            EXPECT_EQ(error, c.reason);
        }
        c.undo();
    }
    // A disk that fails to make a write durable.
    DbRestoreOptions options;
    options.failFlush = [](const Text&) { return true; };
    const DbRestoreResult result = RestoreDatabaseFiles(backup_, options);
    EXPECT_EQ(result.fault, DbRestoreResult::CannotWrite);
    EXPECT_EQ(result.detail, "dysk zgłosił błąd odczytu lub zapisu");
    EXPECT_FALSE(result.diskFull);
}
