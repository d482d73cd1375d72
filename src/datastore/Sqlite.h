#pragma once
// A thin RAII layer over the SQLite C API: one connection per operation, statements that bind
// every value, and a transaction guard. Nothing here knows about the program's tables.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "Records.h"

struct sqlite3;
struct sqlite3_stmt;

// A value bound to a statement parameter.
using SqlValue = std::variant<std::monostate, std::int64_t, double, Text>;

inline SqlValue SqlInt(long long v) { return SqlValue(static_cast<std::int64_t>(v)); }
inline SqlValue SqlReal(double v) { return SqlValue(v); }
inline SqlValue SqlText(const Text& v) { return SqlValue(v); }

class SqlStatement {
public:
    SqlStatement() = default;
    // `errors`, when given, counts every failure of this statement (prepare, bind, step).
    SqlStatement(sqlite3* db, const Text& sql, int* errors = nullptr);
    ~SqlStatement();
    SqlStatement(SqlStatement&& other) noexcept;
    SqlStatement& operator=(SqlStatement&& other) noexcept;
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    // Binds parameters 1..n in order; false when a bind failed or the statement did not prepare.
    bool Bind(const std::vector<SqlValue>& values);
    // Steps once: true while a row is available.
    bool NextRow();
    // Steps a statement that returns no rows; true when it completed.
    bool Run();

    bool IsNull(int column) const;
    int Int(int column) const;
    std::int64_t Int64(int column) const;
    double Double(int column) const;
    Text String(int column) const;  // NULL gives an empty text

private:
    bool Failed();  // counts a failure; always false

    sqlite3_stmt* stmt_ = nullptr;
    int* errors_ = nullptr;
};

class SqlDatabase {
public:
    // Opens (and, when missing, creates) the file; a new file gets UTF-16 text encoding.
    // While a SqlBatch holds the file, the batch's connection is used instead (see below).
    explicit SqlDatabase(const Text& path);
    ~SqlDatabase();
    SqlDatabase(const SqlDatabase&) = delete;
    SqlDatabase& operator=(const SqlDatabase&) = delete;

    bool ok() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    SqlStatement Prepare(const Text& sql) const;
    // Prepares, binds and steps one statement once; true when it completed (or gave a row).
    bool Exec(const Text& sql, const std::vector<SqlValue>& values = {});
    // First column of the first row of a query; `fallback` when there is none.
    std::int64_t QueryInt64(const Text& sql, const std::vector<SqlValue>& values = {},
                            std::int64_t fallback = 0);
    std::int64_t LastInsertRowId() const;
    int Changes() const;
    std::string LastError() const;
    // True when this object uses a batch's connection rather than one of its own.
    bool InBatch() const { return !owned_; }
    // How many statements of this connection failed so far (a lock held too long, a damaged
    // file): a reader that must have everything or nothing checks it at the end.
    int Errors() const { return errors_; }

private:
    sqlite3* db_ = nullptr;
    bool owned_ = true;
    mutable int errors_ = 0;
};

// BEGIN on construction; ROLLBACK on destruction unless Commit() succeeded. Inside a transaction
// that is already open (a batch) it is a savepoint instead, so a failed write inside a batch
// undoes only itself and the batch decides about the rest.
class SqlTransaction {
public:
    explicit SqlTransaction(SqlDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;
    bool ok() const { return begun_; }
    bool Commit();

private:
    SqlDatabase& db_;
    bool begun_ = false;
    bool done_ = false;
    bool nested_ = false;
};

// A batch of writes over one or more database files: it opens one connection per file and one
// transaction on each, and while it lives every SqlDatabase opened on one of those paths shares
// that connection, so thousands of writes cost one open and one commit per file. Commit()
// commits the files in the order given; a batch that ends without a successful Commit() rolls
// every one of them back. One batch at a time.
class SqlBatch {
public:
    explicit SqlBatch(const std::vector<Text>& paths);
    ~SqlBatch();
    SqlBatch(const SqlBatch&) = delete;
    SqlBatch& operator=(const SqlBatch&) = delete;

    bool ok() const { return ok_; }
    bool Commit();

    // The open batch, or null; and its connection to a path (null when it does not hold it).
    static SqlBatch* Active();
    sqlite3* ConnectionFor(const Text& path) const;
    // Tells batches apart, for caches that must not outlive the batch they were made in.
    unsigned long long Serial() const { return serial_; }

private:
    struct File {
        Text path;
        sqlite3* db = nullptr;
    };
    std::vector<File> files_;
    bool ok_ = false;
    bool done_ = false;
    unsigned long long serial_ = 0;
};

// Copies the database file `source` into the new file `destination` as it stood at its last
// commit, through SQLite's online backup: a write transaction under way in another connection
// never leaves any of itself in the copy, and a commit in progress is waited for (a few busy
// timeouts at most). Nothing is created at `source`. False when no whole copy was made; the
// destination is then removed, and `systemError`, when given, says why by the system's error
// number (ENOSPC when the disk is full; 0 when the cause is none of the system's).
bool SqlSnapshotFile(const Text& source, const Text& destination, int* systemError = nullptr);

// Copies every page of `from`'s database into `to`'s through SQLite's online backup, all in one
// step: under one read transaction of the source (the copy is one committed state, never pages
// of two) and one write transaction of the destination (rolled back when anything fails). A
// source busy for a moment is tried twice more. True when the whole copy is in.
bool SqlCopyAllPages(sqlite3* from, sqlite3* to);

// The system's error number behind SQLite's failure on `db` (`rc` when `db` is null) while it
// wrote the database file `file`, 0 when it met none. SQLite gives the number of its last
// system call, and a file it could not make (the file, or the journal beside it) it tries once
// more to open read-only, which leaves "no such file": for that failure the folder of `file` is
// asked why a new file cannot be made there (a disk without a free inode is a full disk).
int SqlSystemErrno(sqlite3* db, int rc, const Text& file);
