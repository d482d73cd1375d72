#include "Sqlite.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "SharedRoutines.h"
#include "SystemErrors.h"

namespace {

int ByteLength(const Text& text) { return static_cast<int>(text.size() * sizeof(char16_t)); }

}  // namespace

// ---- SqlStatement ------------------------------------------------------------------------------

SqlStatement::SqlStatement(sqlite3* db, const Text& sql, int* errors) : errors_(errors) {
    if (db == nullptr) {
        Failed();
        return;
    }
    if (sqlite3_prepare16_v2(db, sql.c_str(), ByteLength(sql), &stmt_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        Failed();
    }
}

bool SqlStatement::Failed() {
    if (errors_) ++*errors_;
    return false;
}

SqlStatement::~SqlStatement() { sqlite3_finalize(stmt_); }

SqlStatement::SqlStatement(SqlStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), errors_(other.errors_) {}

SqlStatement& SqlStatement::operator=(SqlStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        errors_ = other.errors_;
    }
    return *this;
}

bool SqlStatement::Bind(const std::vector<SqlValue>& values) {
    if (stmt_ == nullptr) return false;  // counted when it failed to prepare
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const SqlValue& v = values[i];
        int rc = SQLITE_OK;
        if (std::holds_alternative<std::monostate>(v)) {
            rc = sqlite3_bind_null(stmt_, index);
        } else if (const auto* n = std::get_if<std::int64_t>(&v)) {
            rc = sqlite3_bind_int64(stmt_, index, *n);
        } else if (const auto* d = std::get_if<double>(&v)) {
            rc = sqlite3_bind_double(stmt_, index, *d);
        } else {
            const Text& t = std::get<Text>(v);
            rc = sqlite3_bind_text16(stmt_, index, t.c_str(), ByteLength(t), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) return Failed();
    }
    return true;
}

bool SqlStatement::NextRow() {
    if (stmt_ == nullptr) return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Failed();
    return false;
}

bool SqlStatement::Run() {
    if (stmt_ == nullptr) return false;
    const int rc = sqlite3_step(stmt_);
    return rc == SQLITE_DONE || rc == SQLITE_ROW || Failed();
}

bool SqlStatement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int SqlStatement::Int(int column) const { return sqlite3_column_int(stmt_, column); }

std::int64_t SqlStatement::Int64(int column) const { return sqlite3_column_int64(stmt_, column); }

double SqlStatement::Double(int column) const { return sqlite3_column_double(stmt_, column); }

Text SqlStatement::String(int column) const {
    const void* data = sqlite3_column_text16(stmt_, column);
    if (data == nullptr) return Text();
    const int bytes = sqlite3_column_bytes16(stmt_, column);
    return Text(static_cast<const char16_t*>(data), static_cast<size_t>(bytes) / sizeof(char16_t));
}

// ---- SqlDatabase -------------------------------------------------------------------------------

namespace {

// The program reaches its files from one thread, and each connection lives within one operation,
// so SQLite's per-connection mutex only costs time (near a tenth of loading a large loft). The
// library takes the setting only before it starts; later calls change nothing.
void UseSingleThreadedConnections() {
    static const bool configured = sqlite3_config(SQLITE_CONFIG_MULTITHREAD) == SQLITE_OK;
    (void)configured;
}

sqlite3* OpenFile(const Text& path) {
    UseSingleThreadedConnections();
    sqlite3* db = nullptr;
    if (sqlite3_open16(path.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    // Another copy of a file (a backup being taken, a console) may hold a lock for a moment.
    sqlite3_busy_timeout(db, 2000);
    return db;
}

bool ExecPlain(sqlite3* db, const char* sql) {
    return db != nullptr && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqlBatch* g_activeBatch = nullptr;
unsigned long long g_batchSerial = 0;

}  // namespace

SqlDatabase::SqlDatabase(const Text& path) {
    if (g_activeBatch != nullptr) {
        if (sqlite3* shared = g_activeBatch->ConnectionFor(path)) {
            db_ = shared;
            owned_ = false;
            return;
        }
    }
    db_ = OpenFile(path);
}

SqlDatabase::~SqlDatabase() {
    if (owned_) sqlite3_close(db_);
}

SqlStatement SqlDatabase::Prepare(const Text& sql) const { return SqlStatement(db_, sql, &errors_); }

bool SqlDatabase::Exec(const Text& sql, const std::vector<SqlValue>& values) {
    SqlStatement st = Prepare(sql);
    return st.Bind(values) && st.Run();
}

std::int64_t SqlDatabase::QueryInt64(const Text& sql, const std::vector<SqlValue>& values,
                                     std::int64_t fallback) {
    SqlStatement st = Prepare(sql);
    if (!st.Bind(values) || !st.NextRow() || st.IsNull(0)) return fallback;
    return st.Int64(0);
}

std::int64_t SqlDatabase::LastInsertRowId() const {
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

int SqlDatabase::Changes() const { return db_ ? sqlite3_changes(db_) : 0; }

std::string SqlDatabase::LastError() const {
    return db_ ? std::string(sqlite3_errmsg(db_)) : std::string("database not open");
}

// ---- SqlTransaction ----------------------------------------------------------------------------

SqlTransaction::SqlTransaction(SqlDatabase& db) : db_(db) {
    if (!db_.ok()) return;
    nested_ = sqlite3_get_autocommit(db_.handle()) == 0;
    begun_ = db_.Exec(nested_ ? u"SAVEPOINT ox_nested;" : u"BEGIN IMMEDIATE;");
}

SqlTransaction::~SqlTransaction() {
    if (!begun_ || done_) return;
    if (nested_) {
        db_.Exec(u"ROLLBACK TO ox_nested;");
        db_.Exec(u"RELEASE ox_nested;");
    } else {
        db_.Exec(u"ROLLBACK;");
    }
}

bool SqlTransaction::Commit() {
    if (!begun_ || done_) return false;
    done_ = db_.Exec(nested_ ? u"RELEASE ox_nested;" : u"COMMIT;");
    return done_;
}

// ---- SqlBatch ----------------------------------------------------------------------------------

SqlBatch::SqlBatch(const std::vector<Text>& paths) {
    if (g_activeBatch != nullptr) return;  // one at a time: a second one stays unusable
    ok_ = true;
    for (const Text& path : paths) {
        File file{path, OpenFile(path)};
        if (!ExecPlain(file.db, "BEGIN IMMEDIATE;")) ok_ = false;
        files_.push_back(file);
    }
    if (!ok_) return;
    serial_ = ++g_batchSerial;
    g_activeBatch = this;
}

SqlBatch::~SqlBatch() {
    if (g_activeBatch == this) g_activeBatch = nullptr;
    for (File& file : files_) {
        if (!done_) ExecPlain(file.db, "ROLLBACK;");
        sqlite3_close(file.db);
    }
}

bool SqlBatch::Commit() {
    if (!ok_ || done_) return false;
    for (File& file : files_) {
        if (!ExecPlain(file.db, "COMMIT;")) return false;  // the rest roll back at the end
    }
    done_ = true;
    if (g_activeBatch == this) g_activeBatch = nullptr;
    return true;
}

SqlBatch* SqlBatch::Active() { return g_activeBatch; }

sqlite3* SqlBatch::ConnectionFor(const Text& path) const {
    for (const File& file : files_) {
        if (file.path == path) return file.db;
    }
    return nullptr;
}

bool SqlCopyAllPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (backup == nullptr) return false;
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < 3; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
    }
    return sqlite3_backup_finish(backup) == SQLITE_OK && rc == SQLITE_DONE;
}

bool SqlSnapshotFile(const Text& source, const Text& destination, int* systemError) {
    UseSingleThreadedConnections();
    const std::filesystem::path destinationPath = ToFsPath(destination);
    std::error_code ec;
    std::filesystem::remove(destinationPath, ec);
    // Why a call on `db` failed, as the system's error number: a full disk or a disk that takes
    // no new file (the copy or its journal) must be told as such, not as a copy that failed.
    int failure = 0;
    const auto failed = [&](sqlite3* db, int rc) {
        failure = SqliteSystemError(db != nullptr ? sqlite3_extended_errcode(db) : rc,
                                    SqlSystemErrno(db, rc, destination));
    };
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    bool copied = false;
    int rc = sqlite3_open_v2(ToUtf8(source).c_str(), &from, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        failed(from, rc);
    } else if ((rc = sqlite3_open_v2(ToUtf8(destination).c_str(), &to,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)) !=
               SQLITE_OK) {
        failed(to, rc);
    } else {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_busy_timeout(to, 2000);
        copied = SqlCopyAllPages(from, to);
        // The backup leaves what failed, reading the source or writing the copy, on the copy.
        if (!copied) failed(to, sqlite3_extended_errcode(to));
    }
    sqlite3_close(from);
    copied = sqlite3_close(to) == SQLITE_OK && copied;
    if (!copied) {
        std::filesystem::remove(destinationPath, ec);
        std::filesystem::remove(destinationPath.string() + "-journal", ec);
    }
    if (systemError != nullptr) *systemError = copied ? 0 : failure;
    return copied;
}

int SqlSystemErrno(sqlite3* db, int rc, const Text& file) {
    const int code = db != nullptr ? sqlite3_extended_errcode(db) : rc;
    const int error = db != nullptr ? sqlite3_system_errno(db) : 0;
    if ((code & 0xff) != SQLITE_CANTOPEN) return error;
    // A name no backup or restore carries, should it ever be left behind.
    const int made = WhyFileCannotBeMade(ToUtf8(file) + ".oxrestore-test");
    return made != 0 ? made : error;
}
