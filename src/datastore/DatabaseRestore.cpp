#include "DatabaseRestore.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "DataStoreInternal.h"
#include "Schema.h"
#include "SharedRoutines.h"
#include "Sqlite.h"
#include "SystemErrors.h"

namespace fs = std::filesystem;

namespace {

// A URI that opens the file read-only and as it lies: SQLite neither locks it nor looks for a
// journal beside it, so nothing left beside a copy is played back into it and nothing is created
// in the backup folder. Every byte outside the unreserved characters is percent-encoded, so a
// folder with Polish letters, '?', '#' or '%' in its name is read as named.
std::string AsIsUri(const Text& path) {
    std::string uri = "file:";
    for (const unsigned char c : ToUtf8(path)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '.' || c == '_' ||
                           c == '~' || c == '-';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri + "?immutable=1";
}

// Why SQLite failed on `db`, in the program's words.
std::string SqliteReason(sqlite3* db, int rc) {
    return db ? SqliteErrorReason(sqlite3_extended_errcode(db), sqlite3_system_errno(db))
              : SqliteErrorReason(rc, 0);
}

// Null (with the reason in `error`) when the file cannot be opened.
sqlite3* OpenAsIs(const Text& path, std::string& error) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(AsIsUri(path).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? SqliteReason(db, rc) : SystemErrorReason(ENOMEM);
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

std::vector<Text> RequiredTables(const Text& name) {
    std::vector<Text> tables;
    const auto add = [&](const std::vector<TableDefinition>& definitions) {
        for (const TableDefinition& table : definitions) tables.emplace_back(table.name);
    };
    if (name == DatabaseFileNames()[0]) {
        add(LoftTables());
        add(PigeonTables());
    } else {
        add(ExtraTables());
    }
    return tables;
}

bool Exists(const Text& path) {
    std::error_code ec;
    return fs::exists(ToFsPath(path), ec);
}

void Remove(const Text& path) {
    std::error_code ec;
    fs::remove(ToFsPath(path), ec);
}

// The names of the restore's own files in the db folder. Every one holds "oxrestore", so they
// are told from the data by name alone.
const char16_t kMarkerName[] = u"oxrestore-unfinished";
const char16_t kFoldersMarkerName[] = u"oxrestore-folders";  // the folders are still to come
const char16_t kKeepSuffix[] = u".oxrestore-keep";
const char16_t kBackSuffix[] = u".oxrestore-back";  // a kept copy on its way back in
const char16_t kPartSuffix[] = u".oxrestore-part";  // a marker before it is whole
// Room held on the db folder's disk for the rewrite of the folders' note.
const char16_t kRoomName[] = u"oxrestore-room";
constexpr size_t kRoomBytes = 64 * 1024;
// The mark of a backup that is being written, in the backup folder. Its one line says when the
// backup began, in seconds and then as a date for whoever reads the file.
const char16_t kBackupMarkName[] = u"oxbackup-unfinished";
const char kBeganWord[] = "began ";

// What the marker says of a file of the db folder: a copy of it is kept, or it was not there
// before the restore (putting it back then means removing what the restore wrote). A last line
// says that the folders' note was there before the restore began: it belongs to an earlier
// restore and stays when this one is undone.
const char kKeptWord[] = "kept";
const char kAbsentWord[] = "absent";
const char kFoldersPendingLine[] = "folders pending";
// The lines of the folders' note after its first: the backup folder, that the database files
// were kept (the folders alone were restored), and the folder a copy found no room in. A note
// of an earlier version holds its first line only.
const char kFromWord[] = "from ";
const char kDatabaseKeptLine[] = "database kept";
const char kFullWord[] = "full ";

FoldersNote NoteFor(const Text& backupFolder, bool databaseLoaded) {
    FoldersNote note;
    note.backupFolder = backupFolder;
    note.databaseLoaded = databaseLoaded;
    return note;
}

std::string FoldersNoteText(const FoldersNote& note) {
    std::string text = std::string(kFoldersPendingLine) + '\n';
    if (!note.backupFolder.empty()) text += kFromWord + ToUtf8(note.backupFolder) + '\n';
    if (!note.databaseLoaded) text += std::string(kDatabaseKeptLine) + '\n';
    if (!note.fullFolder.empty()) text += kFullWord + ToUtf8(note.fullFolder) + '\n';
    return text;
}

Text MarkerPath() { return JoinPath(DbFolder(), kMarkerName); }
Text FoldersMarkerPath() { return JoinPath(DbFolder(), kFoldersMarkerName); }
Text RoomPath() { return JoinPath(DbFolder(), kRoomName); }
Text BackupMarkPath(const Text& folder) { return JoinPath(folder, kBackupMarkName); }

// Why a step failed, as the messages tell it.
struct Why {
    std::string detail;
    bool diskFull = false;

    void System(int error) {
        detail = SystemErrorReason(error);
        diskFull = IsDiskFullError(error);
    }
    // SQLite failed on `db` while it wrote `file`.
    void Sqlite(sqlite3* db, int rc, const Text& file) {
        const int systemError = SqlSystemErrno(db, rc, file);
        detail = SqliteErrorReason(db ? sqlite3_extended_errcode(db) : rc, systemError);
        diskFull = IsSqliteDiskFull(rc, systemError);
    }
    void Full() { System(ENOSPC); }
};

// Writes the database file `source` over `live` through SQLite's online backup: all pages in one
// write transaction of `live`, which SQLite rolls back when anything fails, so `live` is either
// wholly the copy or unchanged.
bool WriteThroughBackup(const Text& source, const Text& live, Why& why) {
    sqlite3* from = OpenAsIs(source, why.detail);
    if (from == nullptr) return false;
    sqlite3* to = nullptr;
    bool written = false;
    const int rc =
        sqlite3_open_v2(ToUtf8(live).c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(to, 2000);
        written = SqlCopyAllPages(from, to);
        if (!written) why.Sqlite(to, sqlite3_extended_errcode(to), live);
    } else {
        why.Sqlite(to, rc, live);
    }
    sqlite3_close(from);
    if (sqlite3_close(to) != SQLITE_OK && written) {
        why.detail = "pliku nie dało się zamknąć";
        written = false;
    }
    return written;
}

// Brings a file in use to its last commit before its bytes are copied: opening it plays back a
// journal that a write which never finished left beside it. Without that the kept bytes would
// hold half a write, and the journal that could undo it is not kept. A file that is no sound
// database is kept as it lies: it is what the restore is for, and putting it back puts back
// what was there. Anything else (the file held by a writer, no access, an I/O error) fails.
bool BringToLastCommit(const Text& path, Why& why) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    }
    const int primary = rc & 0xff;
    const bool ok = rc == SQLITE_OK || primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
    if (!ok) why.Sqlite(db, rc, path);
    sqlite3_close(db);
    return ok;
}

// A file of the db folder on its way to being restored, with the copy kept of it until every
// file is in.
struct LiveFile {
    Text name;  // as the marker names it
    Text path;
    Text keep;
    bool existed = false;
};

std::vector<LiveFile> LiveFiles() {
    std::vector<LiveFile> files;
    for (const Text& name : DatabaseFileNames()) {
        LiveFile file;
        file.name = name;
        file.path = JoinPath(DbFolder(), name);
        file.keep = KeptCopyPath(file.path);
        files.push_back(file);
    }
    return files;
}

// What became of a marker that was to be removed. Only a removal that reached the disk frees
// the copies it names: a removal whose flush failed may be undone by a power cut.
enum class Removal { Gone, Present, Unsure };

// What became of a marker that was to be written.
enum class Writing { Written, NotWritten, Unsure };

// The steps of a restore and of the start that finishes one, each through the test seams.
class RestoreWork {
public:
    explicit RestoreWork(const DbRestoreOptions& options) : options_(options), files_(LiveFiles()) {}

    std::vector<LiveFile>& Files() { return files_; }

    // Makes a file's bytes (or a folder's entries) durable: fsync of the file or the folder
    // itself, which is what makes a rename or a removal in that folder survive a power cut.
    bool Flush(int fd, const Text& path, Why& why) const {
        if (options_.failFlush && options_.failFlush(path)) {
            why.System(EIO);
            return false;
        }
        if (::fsync(fd) != 0) {
            why.System(errno);
            return false;
        }
        return true;
    }

    bool FlushDbFolder(Why& why) const { return FlushFolder(DbFolder(), why); }

    bool FlushFolder(const Text& folder, Why& why) const {
        const int fd = ::open(ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            why.System(errno);
            return false;
        }
        const bool flushed = Flush(fd, folder, why);
        ::close(fd);
        return flushed;
    }

    // Writes `bytes` (or, with `from`, the bytes of that file) into `to`, replaced, and makes
    // them durable. Written by hand rather than by a library copy, so a full disk is told as
    // such and not as a short copy.
    bool WriteDurably(const Text& to, const std::string& bytes, const Text* from, Why& why) const {
        int in = -1;
        if (from != nullptr) {
            in = ::open(ToUtf8(*from).c_str(), O_RDONLY | O_CLOEXEC);
            if (in < 0) {
                why.System(errno);
                return false;
            }
        }
        const int out = ::open(ToUtf8(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out < 0) {
            why.System(errno);
            if (in >= 0) ::close(in);
            return false;
        }
        const auto writeAll = [&](const char* data, size_t size) {
            while (size > 0) {
                const ssize_t n = ::write(out, data, size);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) {
                    why.System(n < 0 ? errno : ENOSPC);
                    return false;
                }
                data += n;
                size -= static_cast<size_t>(n);
            }
            return true;
        };
        bool ok = true;
        if (in < 0) {
            ok = writeAll(bytes.data(), bytes.size());
        } else {
            std::vector<char> buffer(1 << 16);
            for (;;) {
                const ssize_t n = ::read(in, buffer.data(), buffer.size());
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) {
                    why.System(errno);
                    ok = false;
                }
                if (n <= 0 || !writeAll(buffer.data(), static_cast<size_t>(n))) {
                    ok = ok && n == 0;
                    break;
                }
            }
            ::close(in);
        }
        ok = ok && Flush(out, to, why);
        if (::close(out) != 0 && ok) {
            why.System(errno);
            ok = false;
        }
        return ok;
    }

    bool CopyDurably(const Text& from, const Text& to, Why& why) const {
        return WriteDurably(to, {}, &from, why);
    }

    // Writes a marker whole or not at all: into a file of its own first, then renamed.
    Writing WriteMarker(const Text& marker, const std::string& contents, Why& why,
                        const Text& folder = DbFolder()) const {
        const Text part = marker + kPartSuffix;
        if (!WriteDurably(part, contents, nullptr, why)) {
            Remove(part);
            return Writing::NotWritten;
        }
        std::error_code ec;
        fs::rename(ToFsPath(part), ToFsPath(marker), ec);
        if (ec) {
            why.System(ec.value());
            Remove(part);
            return Writing::NotWritten;
        }
        return FlushFolder(folder, why) ? Writing::Written : Writing::Unsure;
    }

    Removal RemoveMarker(const Text& marker, Why& why, const Text& folder = DbFolder()) const {
        if (options_.failMarkerRemoval && options_.failMarkerRemoval(marker)) {
            why.System(EIO);
            return Removal::Present;
        }
        std::error_code ec;
        fs::remove(ToFsPath(marker), ec);
        if (ec) {
            why.System(ec.value());
            return Exists(marker) ? Removal::Present : Removal::Unsure;
        }
        return FlushFolder(folder, why) ? Removal::Gone : Removal::Unsure;
    }

    // The marker's text: what it says of each file, and of the folders' note.
    std::string MarkerText(bool foldersPendingBefore) const {
        std::string text;
        for (const LiveFile& file : files_) {
            text += ToUtf8(file.name) + ' ' + (file.existed ? kKeptWord : kAbsentWord) + '\n';
        }
        if (foldersPendingBefore) text += std::string(kFoldersPendingLine) + '\n';
        return text;
    }

    // What the marker says of each file of the db folder; a file the marker does not name
    // counts as kept, so its copy is looked for and never taken for absent. True when it says
    // that the folders' note was there before the restore.
    bool ReadMarker() {
        for (LiveFile& file : files_) file.existed = true;
        std::ifstream in(ToFsPath(MarkerPath()), std::ios::binary);
        std::string line;
        bool foldersPendingBefore = false;
        while (std::getline(in, line)) {
            if (line == kFoldersPendingLine) foldersPendingBefore = true;
            std::istringstream words(line);
            std::string name;
            std::string state;
            words >> name >> state;
            for (LiveFile& file : files_) {
                if (ToUtf8(file.name) == name) file.existed = state != kAbsentWord;
            }
        }
        return foldersPendingBefore;
    }

    // Puts the kept bytes back in place of a file (or removes a file that was not there before).
    // The kept copy itself stays: it is copied, not moved, so a put-back cut short can be done
    // again from the start, and it is removed only once the marker is gone. Nothing beside the
    // file is touched before the bytes that replace it are on disk.
    bool PutBack(const LiveFile& file, Why& why, bool* keptCopyMissing = nullptr) const {
        if (options_.failPutBack && options_.failPutBack(file.path)) {
            why.Full();
            return false;
        }
        std::error_code ec;
        // A journal beside the file belongs to what the restore wrote; played into the kept
        // bytes it would spoil them.
        const auto removeCompanions = [&](bool flush) {
            bool removed = false;
            for (const char16_t* companion : {u"-journal", u"-wal", u"-shm"}) {
                const Text path = file.path + companion;
                if (!Exists(path)) continue;
                fs::remove(ToFsPath(path), ec);
                if (ec) {
                    why.System(ec.value());
                    return false;
                }
                removed = true;
            }
            return !removed || !flush || FlushDbFolder(why);
        };
        if (!file.existed) {
            // What the restore wrote goes first; its journal then has nothing to be played into.
            fs::remove(ToFsPath(file.path), ec);
            if (ec) {
                why.System(ec.value());
                return false;
            }
            return removeCompanions(false) && FlushDbFolder(why);
        }
        if (!Exists(file.keep)) {
            why.detail = "brakuje kopii pliku sprzed wczytywania";
            if (keptCopyMissing) *keptCopyMissing = true;
            return false;
        }
        const Text back = file.path + kBackSuffix;
        if (!CopyDurably(file.keep, back, why)) {
            Remove(back);
            if (!why.diskFull) return false;
            // No room beside the file: the room the restore's own write took (the file it grew,
            // its journal) is given back first. The kept copy is whole on disk and the marker
            // naming it stays until the file is back, so a put-back cut short from here on
            // starts again from the copy, with the file absent.
            why = {};
            if (!removeCompanions(false)) return false;
            fs::remove(ToFsPath(file.path), ec);
            if (ec) {
                why.System(ec.value());
                return false;
            }
            if (!FlushDbFolder(why) || !CopyDurably(file.keep, back, why)) {
                Remove(back);
                return false;
            }
        }
        if (!removeCompanions(true)) {
            Remove(back);
            return false;
        }
        fs::rename(ToFsPath(back), ToFsPath(file.path), ec);
        if (ec) {
            why.System(ec.value());
            Remove(back);
            return false;
        }
        return FlushDbFolder(why);
    }

    // A file that could not be put back, and why.
    struct PutBackFailure {
        size_t index = 0;
        Why why;
        bool keptCopyMissing = false;
    };

    // Puts back the first `count` files, the last first: a file whose write failed for room
    // holds the room that write took, and its put-back gives it back before the others need it.
    // One that still finds no room is tried again once the others are back. The failures come
    // in the order of the files.
    std::vector<PutBackFailure> PutBackAll(size_t count) const {
        std::vector<PutBackFailure> failures;
        for (size_t j = count; j-- > 0;) {
            PutBackFailure failure{j, {}, false};
            if (!PutBack(files_[j], failure.why, &failure.keptCopyMissing)) failures.push_back(failure);
        }
        for (PutBackFailure& failure : failures) {
            if (!failure.why.diskFull) continue;
            Why again;
            if (PutBack(files_[failure.index], again, &failure.keptCopyMissing)) {
                failure.index = files_.size();  // put back after all
            } else {
                failure.why = again;
            }
        }
        std::erase_if(failures, [&](const PutBackFailure& f) { return f.index == files_.size(); });
        std::sort(failures.begin(), failures.end(),
                  [](const PutBackFailure& a, const PutBackFailure& b) { return a.index < b.index; });
        return failures;
    }

    // Removes the kept copies and whatever the restore wrote under a temporary name. Only for
    // copies that no marker on disk names.
    void DropKeeps() const {
        for (const LiveFile& file : files_) {
            Remove(file.keep);
            Remove(file.path + kBackSuffix);
        }
        Remove(MarkerPath() + kPartSuffix);
        Remove(FoldersMarkerPath() + kPartSuffix);
        Remove(RoomPath());
    }

    // Holds room for the rewrite of the folders' note; without it that rewrite is left to
    // whatever room the copy of the folders leaves. Best effort: a disk with no room for it now
    // fails the copy anyway, and the note as written still asks for the backup again.
    // It need not survive a power cut: a start removes it as a leftover.
    void HoldRoomForFoldersNote() const {
        std::ofstream room(ToFsPath(RoomPath()), std::ios::binary | std::ios::trunc);
        const std::string bytes(kRoomBytes, '\0');
        room.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        room.close();
        if (!room) Remove(RoomPath());
    }

private:
    const DbRestoreOptions& options_;
    std::vector<LiveFile> files_;
};

}  // namespace

const std::vector<Text>& DatabaseFileNames() {
    static const std::vector<Text> names = {u"pigeons.db", u"dodatkowe_informacje.db"};
    return names;
}

DbFileCheck CheckDatabaseFile(const Text& path, const Text& name) {
    DbFileCheck check;
    check.file = path;
    std::error_code ec;
    if (!fs::is_regular_file(ToFsPath(path), ec)) {
        check.fault = DbFileCheck::Missing;
        return check;
    }
    const auto fail = [&](DbFileCheck::Fault fault, std::string detail) {
        check.fault = fault;
        check.detail = std::move(detail);
        return check;
    };
    std::string error;
    sqlite3* raw = OpenAsIs(path, error);
    if (raw == nullptr) return fail(DbFileCheck::Damaged, error);
    struct Close {
        sqlite3* db;
        ~Close() { sqlite3_close(db); }
    } close{raw};

    {
        SqlStatement st(raw, u"PRAGMA quick_check;");
        if (!st.ok() || !st.NextRow()) {
            return fail(DbFileCheck::Damaged, SqliteReason(raw, sqlite3_errcode(raw)));
        }
        // SQLite's list of what it found is for a developer, not for the breeder.
        if (st.String(0) != u"ok") {
            return fail(DbFileCheck::Damaged, "sprawdzenie pliku wykazało uszkodzone dane");
        }
    }
    std::set<Text> tables;
    {
        SqlStatement st(raw, u"SELECT name FROM sqlite_master WHERE type = 'table';");
        while (st.NextRow()) tables.insert(st.String(0));
        if (sqlite3_errcode(raw) != SQLITE_OK && sqlite3_errcode(raw) != SQLITE_DONE) {
            return fail(DbFileCheck::Damaged, SqliteReason(raw, sqlite3_errcode(raw)));
        }
    }
    for (const Text& table : RequiredTables(name)) {
        if (tables.count(table) == 0) return fail(DbFileCheck::NotOurs, ToUtf8(table));
    }
    return check;
}

BackupFolderCheck CheckBackupFolder(const Text& folder) {
    BackupFolderCheck result;
    // A backup cut short may hold one file of it beside one of an earlier backup: each passes
    // its own check, but ids point at other birds.
    if (ReadBackupMark(folder, result.mark)) {
        result.cutShort = true;
        return result;
    }
    for (const Text& name : DatabaseFileNames()) {
        std::error_code ec;
        if (!fs::is_regular_file(ToFsPath(JoinPath(folder, name)), ec)) {
            result.missing.push_back(name);
        }
    }
    if (!result.missing.empty()) return result;
    for (const Text& name : DatabaseFileNames()) {
        result.damaged = CheckDatabaseFile(JoinPath(folder, name), name);
        if (!result.damaged.ok()) break;
    }
    return result;
}

DbRestoreResult RestoreDatabaseFiles(const Text& folder, const DbRestoreOptions& options) {
    DbRestoreResult result;
    result.check = CheckBackupFolder(folder);
    if (!result.check.ok()) {
        result.fault = DbRestoreResult::NotABackup;
        return result;
    }
    // The copies of an unfinished restore are the only copies of the database before it.
    if (Exists(MarkerPath())) {
        result.fault = DbRestoreResult::Unfinished;
        result.file = MarkerPath();
        return result;
    }
    const auto reached = [&](RestoreStep step) {
        if (options.reached) options.reached(step);
    };
    const auto cannotWrite = [&](const Text& file, const Why& why) {
        result.fault = DbRestoreResult::CannotWrite;
        result.file = file;
        result.detail = why.detail;
        result.diskFull = why.diskFull;
    };
    RestoreWork work(options);
    std::vector<LiveFile>& files = work.Files();
    // A note of an earlier restore whose folders were never all copied stays until a restore
    // copies them: undoing this one must not take it away.
    const bool foldersPendingBefore = Exists(FoldersMarkerPath());
    bool wroteFoldersMarker = false;
    Why why;

    // Undoes the restore while the marker is on disk: every file up to `last` goes back (that
    // one too: a write that failed may have reached the file), then the folders' note this
    // restore wrote, then the marker, and the kept copies only once the marker is gone for good.
    // A failure on the way leaves the marker (or a removal the disk may yet undo), and then the
    // program must end so that the next start finishes with the files unused.
    const auto undo = [&](size_t last) {
        const auto failures = work.PutBackAll(last + 1);
        if (!failures.empty()) {
            result.notPutBack = files[failures.front().index].path;
            result.keptCopy = files[failures.front().index].keep;
        }
        if (!result.notPutBack.empty()) {
            result.unchanged = false;
            result.endProgram = true;
            return;
        }
        Why removal;
        if (wroteFoldersMarker && work.RemoveMarker(FoldersMarkerPath(), removal) != Removal::Gone) {
            result.endProgram = true;
            return;
        }
        if (work.RemoveMarker(MarkerPath(), removal) != Removal::Gone) {
            result.endProgram = true;
            return;
        }
        work.DropKeeps();
    };

    // The program never keeps a write-ahead log: one beside a file is left over from elsewhere,
    // and SQLite would read it as part of the file the restore writes.
    for (LiveFile& file : files) {
        Remove(file.path + u"-wal");
        Remove(file.path + u"-shm");
        file.existed = Exists(file.path);
        if (!file.existed) continue;
        if (!BringToLastCommit(file.path, why) || !work.CopyDurably(file.path, file.keep, why)) {
            work.DropKeeps();
            cannotWrite(file.path, why);
            return result;
        }
    }
    // The copies must be whole on disk before the marker says they are there.
    if (!work.FlushDbFolder(why)) {
        work.DropKeeps();
        cannotWrite(DbFolder(), why);
        return result;
    }
    reached(RestoreStep::CopiesKept);
    switch (work.WriteMarker(MarkerPath(), work.MarkerText(foldersPendingBefore), why)) {
    case Writing::Written:
        break;
    case Writing::NotWritten:
        work.DropKeeps();
        cannotWrite(MarkerPath(), why);
        return result;
    case Writing::Unsure: {
        // The marker is in the folder, perhaps not yet on the disk: it goes first, and the
        // copies it names only once it is gone for good. Nothing else was touched.
        cannotWrite(DbFolder(), why);
        Why removal;
        if (work.RemoveMarker(MarkerPath(), removal) == Removal::Gone) {
            work.DropKeeps();
        } else {
            result.endProgram = true;
        }
        return result;
    }
    }
    reached(RestoreStep::MarkerWritten);

    for (size_t i = 0; i < files.size(); ++i) {
        LiveFile& file = files[i];
        const Text source = JoinPath(folder, DatabaseFileNames()[i]);
        bool written = false;
        if (options.failWrite && options.failWrite(file.path)) {
            why.Full();
        } else {
            written = WriteThroughBackup(source, file.path, why);
            if (written && options.failAfterWrite && options.failAfterWrite(file.path)) {
                why.Full();
                written = false;
            }
        }
        if (!written) {
            cannotWrite(file.path, why);
            undo(i);
            dsinternal::ForgetIdFloors();
            return result;
        }
        reached(RestoreStep::FileWritten);
    }

    // Both files are in. Before the marker goes, the note that the folders are still to come
    // goes on the disk, so that a start after a crash from here on knows that they may not
    // match the database yet.
    if (!foldersPendingBefore) {
        const Writing note =
            work.WriteMarker(FoldersMarkerPath(), FoldersNoteText(NoteFor(folder, true)), why);
        wroteFoldersMarker = note != Writing::NotWritten;
        if (note != Writing::Written) {
            cannotWrite(note == Writing::Unsure ? DbFolder() : FoldersMarkerPath(), why);
            undo(files.size() - 1);
            dsinternal::ForgetIdFloors();
            return result;
        }
    }
    reached(RestoreStep::FolderMarkerWritten);

    switch (work.RemoveMarker(MarkerPath(), why)) {
    case Removal::Gone:
        reached(RestoreStep::MarkerRemoved);
        work.DropKeeps();
        if (foldersPendingBefore) {
            // The earlier restore's note now stands for this backup, whose folders come next.
            // Kept as it was when it cannot be rewritten: it still asks for a backup again.
            Why note;
            work.WriteMarker(FoldersMarkerPath(), FoldersNoteText(NoteFor(folder, true)), note);
        }
        work.HoldRoomForFoldersNote();
        break;
    case Removal::Present:
        // While the marker lies there the next start would undo the restore: it is undone now.
        cannotWrite(MarkerPath(), why);
        undo(files.size() - 1);
        break;
    case Removal::Unsure: {
        // The disk may yet bring the marker back, and with it the files of before while the
        // folders are the backup's: the restore is undone, under a marker written anew.
        cannotWrite(DbFolder(), why);
        Why again;
        if (work.WriteMarker(MarkerPath(), work.MarkerText(foldersPendingBefore), again) ==
            Writing::Written) {
            undo(files.size() - 1);
        } else {
            // Both files are in, and the next start finds the marker (and puts back the files
            // of before) or the folders' note (and asks for the backup again): either way a
            // whole database. The copies stay for the marker the disk may still hold.
            result.unchanged = false;
            result.endProgram = true;
        }
        break;
    }
    }
    // Ids handed out from now on must be worked out from the files as they now are.
    dsinternal::ForgetIdFloors();
    return result;
}

bool BeginRestoreFolders(const Text& folder, std::string& error, const DbRestoreOptions& options) {
    const RestoreWork work(options);
    Why why;
    const FoldersNote note = NoteFor(folder, false);
    if (work.WriteMarker(FoldersMarkerPath(), FoldersNoteText(note), why) == Writing::NotWritten) {
        error = why.detail;
        return false;
    }
    work.HoldRoomForFoldersNote();
    return true;
}

bool NoteRestoreFoldersFull(const Text& fullFolder, const DbRestoreOptions& options) {
    FoldersNote note;
    if (!ReadFoldersNote(note)) return false;
    note.fullFolder = fullFolder;
    const RestoreWork work(options);
    Why why;
    // The room held for this is what the note is written into when the copy took the rest.
    Remove(RoomPath());
    return work.WriteMarker(FoldersMarkerPath(), FoldersNoteText(note), why) != Writing::NotWritten;
}

bool ReadFoldersNote(FoldersNote& note) {
    note = {};
    if (!Exists(FoldersMarkerPath())) return false;
    std::ifstream in(ToFsPath(FoldersMarkerPath()), std::ios::binary);
    const auto startsWith = [](const std::string& line, const char* word) {
        return line.rfind(word, 0) == 0;
    };
    std::string line;
    while (std::getline(in, line)) {
        if (startsWith(line, kFromWord)) {
            note.backupFolder = FromUtf8(line.substr(std::strlen(kFromWord)));
        } else if (line == kDatabaseKeptLine) {
            note.databaseLoaded = false;
        } else if (startsWith(line, kFullWord)) {
            note.fullFolder = FromUtf8(line.substr(std::strlen(kFullWord)));
        }
    }
    return true;
}

bool FinishRestoreFolders(const DbRestoreOptions& options) {
    const RestoreWork work(options);
    Why why;
    Remove(RoomPath());
    return work.RemoveMarker(FoldersMarkerPath(), why) == Removal::Gone;
}

InterruptedRestore FinishInterruptedRestore(const DbRestoreOptions& options) {
    InterruptedRestore result;
    RestoreWork work(options);
    if (!Exists(MarkerPath())) {
        // Copies without a marker are leftovers, once the marker's removal is on the disk: a
        // restore whose last flush failed may have left a marker that a power cut brings back.
        Why why;
        if (work.FlushDbFolder(why)) work.DropKeeps();
        result.foldersPending = ReadFoldersNote(result.folders);
        return result;
    }
    result.marker = MarkerPath();
    const bool foldersPendingBefore = work.ReadMarker();
    result.outcome = InterruptedRestore::PutBack;
    const auto failures = work.PutBackAll(work.Files().size());
    if (!failures.empty()) {
        const LiveFile& file = work.Files()[failures.front().index];
        result.outcome = InterruptedRestore::NotPutBack;
        result.file = file.path;
        result.keptCopy = file.keep;
        result.keptCopyMissing = failures.front().keptCopyMissing;
        result.detail = failures.front().why.detail;
        result.diskFull = failures.front().why.diskFull;
    }
    // The folders' note of the restore that was cut short goes with it: its folders were never
    // touched. One of an earlier restore stays.
    if (result.outcome == InterruptedRestore::PutBack && !foldersPendingBefore &&
        Exists(FoldersMarkerPath())) {
        Why why;
        if (work.RemoveMarker(FoldersMarkerPath(), why) != Removal::Gone) {
            result.outcome = InterruptedRestore::NotPutBack;
            result.file = FoldersMarkerPath();
            result.detail = why.detail;
            result.diskFull = why.diskFull;
        }
    }
    result.foldersPending = ReadFoldersNote(result.folders);
    dsinternal::ForgetIdFloors();
    return result;
}

bool CloseInterruptedRestore(std::string& error, const DbRestoreOptions& options) {
    const RestoreWork work(options);
    Why why;
    if (work.RemoveMarker(MarkerPath(), why) != Removal::Gone) {
        error = why.detail;
        return false;
    }
    work.DropKeeps();
    return true;
}

std::vector<Text> UnfinishedRestoreFiles() {
    std::vector<Text> found;
    if (!Exists(MarkerPath())) return found;
    found.push_back(MarkerPath());
    for (const LiveFile& file : LiveFiles()) {
        if (Exists(file.keep)) found.push_back(file.keep);
    }
    return found;
}

bool IsRestoreWorkingFile(const Text& name) {
    return (name.find(u"oxrestore") != Text::npos || name.find(u"oxbackup") != Text::npos) &&
           name.find(u'/') == Text::npos;
}

Text KeptCopyPath(const Text& liveFile) { return liveFile + kKeepSuffix; }

const Text& BackupMarkName() {
    static const Text name = kBackupMarkName;
    return name;
}

bool ReadBackupMark(const Text& folder, BackupMark& mark) {
    mark = {};
    std::error_code ec;
    if (!fs::exists(ToFsPath(BackupMarkPath(folder)), ec)) return false;
    std::ifstream in(ToFsPath(BackupMarkPath(folder)), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(kBeganWord, 0) != 0) continue;
        char* end = nullptr;
        const char* number = line.c_str() + std::strlen(kBeganWord);
        const long long seconds = std::strtoll(number, &end, 10);
        if (end != number && seconds > 0) mark.began = seconds;
    }
    return true;
}

namespace {

// The mark's text: when its backup began, if that is known.
std::string BackupMarkText(Time64 began) {
    if (began == kNoDate) return {};
    return kBeganWord + std::to_string(began) + ' ' +
           ToUtf8(FormatTime(began, "%Y-%m-%d %H:%M:%S")) + '\n';
}

}  // namespace

bool BeginBackup(const Text& folder, Time64 began, std::string& error, bool& diskFull) {
    const DbRestoreOptions none;
    const RestoreWork work(none);
    const bool markedBefore = Exists(BackupMarkPath(folder));
    Why why;
    const Writing written =
        work.WriteMarker(BackupMarkPath(folder), BackupMarkText(began), why, folder);
    diskFull = why.diskFull;
    if (written == Writing::Written) return true;
    // Not known to be on the disk, so nothing may be written after it. A mark of an earlier
    // backup cut short stays: that one is still cut short.
    error = why.detail;
    if (written == Writing::Unsure && !markedBefore) Remove(BackupMarkPath(folder));
    return false;
}

bool FinishBackup(const Text& folder, std::string& error, bool& notOnDisk,
                  const std::function<bool(const Text& folder)>& failFlush) {
    DbRestoreOptions options;
    options.failFlush = failFlush;
    const RestoreWork work(options);
    notOnDisk = true;
    // Every file and folder the backup wrote, on the disk before the mark goes: only then can
    // no power cut leave a folder without a mark that holds less than the backup. A flush of
    // the folder alone would not reach the files in its sub-folders.
    if (options.failFlush && options.failFlush(folder)) {
        error = SystemErrorReason(EIO);
        return false;
    }
    const int fd = ::open(ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorReason(errno);
        return false;
    }
    const bool synced = ::syncfs(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (!synced) {
        error = SystemErrorReason(syncError);
        return false;
    }
    notOnDisk = false;
    Why why;
    if (work.RemoveMarker(BackupMarkPath(folder), why, folder) != Removal::Gone) {
        error = why.detail;
        return false;
    }
    return true;
}

bool UndoBackupMark(const Text& folder, const BackupMark* earlier) {
    const DbRestoreOptions none;
    const RestoreWork work(none);
    Why why;
    if (earlier == nullptr) {
        return work.RemoveMarker(BackupMarkPath(folder), why, folder) == Removal::Gone;
    }
    // The folder is as the backup that was cut short there left it, and its mark says when
    // that one began, not when a later try that wrote nothing did.
    return work.WriteMarker(BackupMarkPath(folder), BackupMarkText(earlier->began), why, folder) ==
           Writing::Written;
}
