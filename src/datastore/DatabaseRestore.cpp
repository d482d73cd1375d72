#include "DatabaseRestore.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

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

// Null (with SQLite's message in `error`) when the file cannot be opened.
sqlite3* OpenAsIs(const Text& path, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(AsIsUri(path).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
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

// Writes the database file `source` over `live` through SQLite's online backup: all pages in one
// write transaction of `live`, which SQLite rolls back when anything fails, so `live` is either
// wholly the copy or unchanged.
bool WriteThroughBackup(const Text& source, const Text& live, std::string& error) {
    sqlite3* from = OpenAsIs(source, error);
    if (from == nullptr) return false;
    sqlite3* to = nullptr;
    bool written = false;
    if (sqlite3_open_v2(ToUtf8(live).c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(to, 2000);
        written = SqlCopyAllPages(from, to);
        if (!written) error = sqlite3_errmsg(to);
    } else {
        error = to ? sqlite3_errmsg(to) : "out of memory";
    }
    sqlite3_close(from);
    if (sqlite3_close(to) != SQLITE_OK && written) {
        error = "the file could not be closed";
        written = false;
    }
    return written;
}

// The names of the restore's own files in the db folder. Every one holds "oxrestore", so they
// are told from the data by name alone.
const char16_t kMarkerName[] = u"oxrestore-unfinished";
const char16_t kKeepSuffix[] = u".oxrestore-keep";
const char16_t kBackSuffix[] = u".oxrestore-back";  // a kept copy on its way back in
const char16_t kPartSuffix[] = u".oxrestore-part";  // the marker before it is whole

// What the marker says of a file of the db folder: a copy of it is kept, or it was not there
// before the restore (putting it back then means removing what the restore wrote).
const char kKeptWord[] = "kept";
const char kAbsentWord[] = "absent";

Text MarkerPath() { return JoinPath(DbFolder(), kMarkerName); }

std::string SystemError(int error) { return std::strerror(error); }

// Makes a file's bytes (or a folder's entries) durable: fsync of the file or the folder itself,
// which is what makes a rename or a removal in that folder survive a power cut.
bool Sync(const Text& path, std::string& error) {
    const int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    if (!synced) error = SystemError(errno);
    ::close(fd);
    return synced;
}

bool SyncDbFolder(std::string& error) { return Sync(DbFolder(), error); }

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

// Brings a file in use to its last commit before its bytes are copied: opening it plays back a
// journal that a write which never finished left beside it. Without that the kept bytes would
// hold half a write, and the journal that could undo it is not kept. A file that is no sound
// database is kept as it lies: it is what the restore is for, and putting it back puts back
// what was there. Anything else (the file held by a writer, no access, an I/O error) fails.
bool BringToLastCommit(const Text& path, std::string& error) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    }
    const int primary = rc & 0xff;
    const bool ok = rc == SQLITE_OK || primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
    if (!ok) error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    return ok;
}

// Copies `from` to `to` (replaced) and makes the copy durable.
bool CopyDurably(const Text& from, const Text& to, std::string& error) {
    std::error_code ec;
    fs::copy_file(ToFsPath(from), ToFsPath(to), fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    return Sync(to, error);
}

// Writes the marker whole or not at all: into a file of its own first, then renamed.
bool WriteMarker(const std::vector<LiveFile>& files, std::string& error) {
    const Text part = MarkerPath() + kPartSuffix;
    {
        std::ofstream out(ToFsPath(part), std::ios::binary | std::ios::trunc);
        for (const LiveFile& file : files) {
            out << ToUtf8(file.name) << ' '
                << (file.existed ? kKeptWord : kAbsentWord) << '\n';
        }
        out.close();
        if (!out) {
            error = "the marker could not be written";
            Remove(part);
            return false;
        }
    }
    std::error_code ec;
    if (!Sync(part, error)) {
        Remove(part);
        return false;
    }
    fs::rename(ToFsPath(part), ToFsPath(MarkerPath()), ec);
    if (ec) {
        error = ec.message();
        Remove(part);
        return false;
    }
    return SyncDbFolder(error);
}

// Removes the marker for good: from then on the kept copies are leftovers.
bool RemoveMarker(std::string& error) {
    std::error_code ec;
    fs::remove(ToFsPath(MarkerPath()), ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    return SyncDbFolder(error);
}

// Puts the kept bytes back in place of a file (or removes a file that was not there before).
// The kept copy itself stays: it is copied, not moved, so a put-back cut short can be done
// again from the start, and it is removed only once the marker is gone.
bool PutBack(const LiveFile& file, const DbRestoreOptions& options, std::string& error) {
    if (options.failPutBack && options.failPutBack(file.path)) {
        error = sqlite3_errstr(SQLITE_FULL);
        return false;
    }
    // A journal beside the file belongs to what the restore wrote; played into the kept
    // bytes it would spoil them.
    for (const char16_t* companion : {u"-journal", u"-wal", u"-shm"}) Remove(file.path + companion);
    std::error_code ec;
    if (!file.existed) {
        fs::remove(ToFsPath(file.path), ec);
        if (ec) {
            error = ec.message();
            return false;
        }
        return SyncDbFolder(error);
    }
    if (!Exists(file.keep)) {
        error = "the kept copy is missing";
        return false;
    }
    const Text back = file.path + kBackSuffix;
    if (!CopyDurably(file.keep, back, error)) {
        Remove(back);
        return false;
    }
    fs::rename(ToFsPath(back), ToFsPath(file.path), ec);
    if (ec) {
        error = ec.message();
        Remove(back);
        return false;
    }
    return SyncDbFolder(error);
}

void DropKeeps(const std::vector<LiveFile>& files) {
    for (const LiveFile& file : files) {
        Remove(file.keep);
        Remove(file.path + kBackSuffix);
    }
}

// What the marker says of each file of the db folder; a file the marker does not name counts
// as kept, so its copy is looked for and never taken for absent.
void ReadMarker(std::vector<LiveFile>& files) {
    for (LiveFile& file : files) file.existed = true;
    std::ifstream in(ToFsPath(MarkerPath()), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name;
        std::string state;
        words >> name >> state;
        for (LiveFile& file : files) {
            if (ToUtf8(file.name) == name) {
                file.existed = state != kAbsentWord;
            }
        }
    }
}

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
        if (!st.ok()) return fail(DbFileCheck::Damaged, sqlite3_errmsg(raw));
        if (!st.NextRow()) return fail(DbFileCheck::Damaged, sqlite3_errmsg(raw));
        const Text verdict = st.String(0);
        if (verdict != u"ok") return fail(DbFileCheck::Damaged, ToUtf8(verdict));
    }
    std::set<Text> tables;
    {
        SqlStatement st(raw, u"SELECT name FROM sqlite_master WHERE type = 'table';");
        while (st.NextRow()) tables.insert(st.String(0));
        if (sqlite3_errcode(raw) != SQLITE_OK && sqlite3_errcode(raw) != SQLITE_DONE) {
            return fail(DbFileCheck::Damaged, sqlite3_errmsg(raw));
        }
    }
    for (const Text& table : RequiredTables(name)) {
        if (tables.count(table) == 0) return fail(DbFileCheck::NotOurs, ToUtf8(table));
    }
    return check;
}

BackupFolderCheck CheckBackupFolder(const Text& folder) {
    BackupFolderCheck result;
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
    const auto reached = [&](RestoreStep step) {
        if (options.reached) options.reached(step);
    };
    const auto cannotWrite = [&](const Text& file, std::string detail) {
        result.fault = DbRestoreResult::CannotWrite;
        result.file = file;
        result.detail = std::move(detail);
        return result;
    };
    // The copies of an unfinished restore are the only copies of the database before it.
    if (Exists(MarkerPath())) return cannotWrite(MarkerPath(), "an earlier restore is unfinished");

    std::vector<LiveFile> files = LiveFiles();
    std::string error;
    // The program never keeps a write-ahead log: one beside a file is left over from elsewhere,
    // and SQLite would read it as part of the file the restore writes.
    for (LiveFile& file : files) {
        Remove(file.path + u"-wal");
        Remove(file.path + u"-shm");
        file.existed = Exists(file.path);
        if (!file.existed) continue;
        if (!BringToLastCommit(file.path, error) || !CopyDurably(file.path, file.keep, error)) {
            DropKeeps(files);
            return cannotWrite(file.path, error);
        }
    }
    // The copies must be whole on disk before the marker says they are there.
    if (!SyncDbFolder(error)) {
        DropKeeps(files);
        return cannotWrite(DbFolder(), error);
    }
    reached(RestoreStep::CopiesKept);
    if (!WriteMarker(files, error)) {
        DropKeeps(files);
        return cannotWrite(MarkerPath(), error);
    }
    reached(RestoreStep::MarkerWritten);

    // The files go in together or not at all: every file up to the one that failed goes back
    // (that one too: a write whose close failed may have reached the file). A file not put back
    // keeps its copy and the marker, for the next start to try again.
    const auto putBackUpTo = [&](size_t last) {
        for (size_t j = 0; j <= last; ++j) {
            std::string putBackError;
            if (!PutBack(files[j], options, putBackError) && result.notPutBack.empty()) {
                result.notPutBack = files[j].path;
                result.keptCopy = files[j].keep;
            }
        }
        std::string markerError;
        if (result.notPutBack.empty() && RemoveMarker(markerError)) DropKeeps(files);
    };

    for (size_t i = 0; i < files.size(); ++i) {
        LiveFile& file = files[i];
        const Text source = JoinPath(folder, DatabaseFileNames()[i]);
        bool written = false;
        if (options.failWrite && options.failWrite(file.path)) {
            error = sqlite3_errstr(SQLITE_FULL);
        } else {
            written = WriteThroughBackup(source, file.path, error);
        }
        if (!written) {
            cannotWrite(file.path, error);
            putBackUpTo(i);
            break;
        }
        reached(RestoreStep::FileWritten);
    }
    if (result.ok()) {
        if (RemoveMarker(error)) {
            reached(RestoreStep::MarkerRemoved);
            DropKeeps(files);
        } else {
            // While the marker lies there the next start would undo the restore: it is undone
            // now, and said so.
            cannotWrite(MarkerPath(), error);
            putBackUpTo(files.size() - 1);
        }
    }
    // Ids handed out from now on must be worked out from the files as they now are.
    dsinternal::ForgetIdFloors();
    return result;
}

InterruptedRestore FinishInterruptedRestore(const DbRestoreOptions& options) {
    InterruptedRestore result;
    std::vector<LiveFile> files = LiveFiles();
    if (!Exists(MarkerPath())) {
        DropKeeps(files);
        Remove(MarkerPath() + kPartSuffix);
        return result;
    }
    ReadMarker(files);
    result.outcome = InterruptedRestore::PutBack;
    for (const LiveFile& file : files) {
        std::string error;
        if (!PutBack(file, options, error) && result.file.empty()) {
            result.outcome = InterruptedRestore::NotPutBack;
            result.file = file.path;
            result.keptCopy = file.keep;
            result.keptCopyMissing = file.existed && !Exists(file.keep);
            result.detail = error;
        }
    }
    if (result.outcome == InterruptedRestore::PutBack) {
        std::string error;
        if (RemoveMarker(error)) {
            DropKeeps(files);
        } else {
            result.outcome = InterruptedRestore::NotPutBack;
            result.file = MarkerPath();
            result.detail = error;
        }
    }
    dsinternal::ForgetIdFloors();
    return result;
}

bool IsRestoreWorkingFile(const Text& name) {
    return name.find(u"oxrestore") != Text::npos && name.find(u'/') == Text::npos;
}

Text KeptCopyPath(const Text& liveFile) { return liveFile + kKeepSuffix; }
