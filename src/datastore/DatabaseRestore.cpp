#include "DatabaseRestore.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <set>
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

// A file of the db folder on its way to being restored, with the copy kept of it until every
// file is in.
struct LiveFile {
    Text path;
    Text keep;
    bool existed = false;
    bool written = false;
};

// Puts the kept bytes back in place of a restored file (or removes a file that was not there).
bool PutBack(const LiveFile& file) {
    Remove(file.path + u"-journal");
    std::error_code ec;
    if (!file.existed) return fs::remove(ToFsPath(file.path), ec) || !Exists(file.path);
    fs::rename(ToFsPath(file.keep), ToFsPath(file.path), ec);
    return !ec;
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

    std::vector<LiveFile> files;
    for (const Text& name : DatabaseFileNames()) {
        LiveFile file;
        file.path = JoinPath(DbFolder(), name);
        file.keep = file.path + u".oxrestore-keep";
        files.push_back(file);
    }
    const auto dropKeeps = [&] {
        for (const LiveFile& file : files) Remove(file.keep);
    };

    // The program never keeps a write-ahead log: one beside a file is left over from elsewhere,
    // and SQLite would read it as part of the file the restore writes.
    for (LiveFile& file : files) {
        Remove(file.path + u"-wal");
        Remove(file.path + u"-shm");
        file.existed = Exists(file.path);
        if (!file.existed) continue;
        {
            // Opening the file plays back a journal that a write which never finished left
            // beside it, so the copy kept below is the file as it was last committed.
            SqlDatabase db(file.path);
            db.QueryInt64(u"SELECT count(*) FROM sqlite_master;");
        }
        std::error_code ec;
        fs::copy_file(ToFsPath(file.path), ToFsPath(file.keep),
                      fs::copy_options::overwrite_existing, ec);
        if (ec) {
            dropKeeps();
            result.fault = DbRestoreResult::CannotWrite;
            result.file = file.path;
            result.detail = ec.message();
            return result;
        }
    }

    for (size_t i = 0; i < files.size(); ++i) {
        LiveFile& file = files[i];
        const Text source = JoinPath(folder, DatabaseFileNames()[i]);
        std::string error;
        if (options.failWrite && options.failWrite(file.path)) {
            error = sqlite3_errstr(SQLITE_FULL);
        } else {
            file.written = WriteThroughBackup(source, file.path, error);
        }
        if (file.written) continue;
        result.fault = DbRestoreResult::CannotWrite;
        result.file = file.path;
        result.detail = error;
        // The files go in together or not at all: what is already in goes back out.
        for (size_t j = 0; j < i; ++j) {
            if (files[j].written && !PutBack(files[j]) && result.notPutBack.empty()) {
                result.notPutBack = files[j].path;
            }
        }
        break;
    }
    dropKeeps();
    // Ids handed out from now on must be worked out from the restored files.
    dsinternal::ForgetIdFloors();
    return result;
}
