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
    SqlStatement(sqlite3* db, const Text& sql);
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
    sqlite3_stmt* stmt_ = nullptr;
};

class SqlDatabase {
public:
    // Opens (and, when missing, creates) the file; a new file gets UTF-16 text encoding.
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

private:
    sqlite3* db_ = nullptr;
};

// BEGIN on construction; ROLLBACK on destruction unless Commit() succeeded.
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
};
