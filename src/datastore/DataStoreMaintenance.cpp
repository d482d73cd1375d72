// Database maintenance: deleting birds with what they own (one bird or a whole purge), finding
// the birds that nothing names, running a statement typed in the SQL console, and batches of
// writes for the version-5 import.

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "DataStore.h"
#include "DataStoreInternal.h"
#include "SharedRoutines.h"

using dsinternal::BoundStatement;
using dsinternal::RunInTransaction;

DataStoreBatch::DataStoreBatch() : batch_({PigeonsDbPath(), ExtraDbPath()}) {}

// ---- deleting birds ------------------------------------------------------------------------------

bool CDataStore::DeletePigeonsWithRows(const std::vector<int>& pigeonIds) {
    if (pigeonIds.empty()) return true;
    SqlDatabase db(PigeonsDbPath());
    if (!db.ok()) return false;
    // The print list is in the other file; attaching it lets one transaction cover both files.
    if (!db.Exec(u"ATTACH DATABASE ?1 AS extra;", {SqlText(ExtraDbPath())})) return false;
    struct Detach {
        SqlDatabase& db;
        ~Detach() {
            db.Exec(u"DROP TABLE IF EXISTS temp.ox_doomed;");
            db.Exec(u"DETACH DATABASE extra;");
        }
    } detach{db};

    // The birds to delete are listed in a table of this connection only, so each statement
    // below handles all of them at once.
    if (!db.Exec(u"CREATE TEMP TABLE ox_doomed(id INTEGER PRIMARY KEY);")) return false;
    {
        SqlTransaction tx(db);
        if (!tx.ok()) return false;
        for (const int id : pigeonIds) {
            if (!db.Exec(u"INSERT OR IGNORE INTO temp.ox_doomed(id) VALUES (?1);", {SqlInt(id)})) {
                return false;
            }
        }
        if (!tx.Commit()) return false;
    }
    const bool hasIld =
        db.QueryInt64(u"SELECT count(*) FROM extra.sqlite_master WHERE type = 'table' AND "
                      u"name = 'ild';") > 0;

    // The stored files of the birds' photos and documents go once their rows are gone.
    std::vector<Text> files;
    const auto collect = [&](const Text& sql, auto attachment, const Text& folder) {
        SqlStatement st = db.Prepare(sql);
        while (st.NextRow()) {
            attachment.id = st.Int(0);
            attachment.rodzaj = st.Int(1);
            attachment.kategoria = st.Int(2);
            attachment.subkategoria = st.Int(3);
            attachment.rozszerzenie = st.String(4);
            files.push_back(JoinPath(folder, attachment.FileName()));
        }
    };
    collect(u"SELECT id, rodzaj, kategoria, subkategoria, rozszerzenie FROM zdjecia "
            u"WHERE id_golebia IN (SELECT id FROM temp.ox_doomed) ORDER BY id;",
            PhotoRecord{}, ImagesFolder());
    collect(u"SELECT id, rodzaj, kategoria, subkategoria, rozszerzenie FROM dokumenty "
            u"WHERE id_wlasciciela IN (SELECT id FROM temp.ox_doomed) ORDER BY id;",
            DocumentRecord{}, DocumentsFolder());

    std::vector<BoundStatement> statements = {
        {u"DELETE FROM lekisuplementy WHERE id_golebia IN (SELECT id FROM temp.ox_doomed);", {}},
        {u"DELETE FROM zdjecia WHERE id_golebia IN (SELECT id FROM temp.ox_doomed);", {}},
        {u"DELETE FROM dokumenty WHERE id_wlasciciela IN (SELECT id FROM temp.ox_doomed);", {}},
        {u"DELETE FROM kategoria_id WHERE id_golebia IN (SELECT id FROM temp.ox_doomed);", {}},
        {u"DELETE FROM pigeons WHERE id IN (SELECT id FROM temp.ox_doomed);", {}},
    };
    if (hasIld) {
        statements.push_back(
            {u"DELETE FROM extra.ild WHERE id_golebia IN (SELECT id FROM temp.ox_doomed);", {}});
    }
    if (!RunInTransaction(db, statements)) return false;

    for (const Text& file : files) {
        std::error_code ec;
        std::filesystem::remove(ToFsPath(file), ec);
    }
    for (const int id : pigeonIds) {
        const auto bird = pigeons.find(id);
        if (bird == pigeons.end()) continue;
        const int loft = FindLoftIndex(bird->second.id_hodowli);
        if (loft >= 0 && lofts[loft].pigeonCount > 0) --lofts[loft].pigeonCount;
        pigeons.erase(bird);
    }
    return true;
}

std::vector<int> CDataStore::PigeonsNamedNowhere() const {
    SqlDatabase db(PigeonsDbPath());
    std::set<int> keep;
    const auto collect = [&](const char16_t* sql) {
        SqlStatement st = db.Prepare(sql);
        while (st.NextRow()) {
            keep.insert(st.Int(0));
            if (!st.IsNull(1)) keep.insert(st.Int(1));
        }
    };
    // Every loft's memberships, pairs, young, results and transactions, as the file holds them
    // (the loaded loft's containers hold only that loft's pairs and flights).
    collect(u"SELECT id_golebia, NULL FROM kategoria_id;");
    collect(u"SELECT id_samca, id_samicy FROM pary;");
    collect(u"SELECT id_golebia, NULL FROM dzieci;");
    collect(u"SELECT id_golebia, NULL FROM lotniki;");
    collect(u"SELECT id_golebia, NULL FROM transakcje;");

    // Birds of the file that the map does not hold are not ours to delete, so they stay too.
    std::map<int, std::pair<int, int>> parents;
    {
        SqlStatement st = db.Prepare(u"SELECT id, id_ojca, id_matki FROM pigeons;");
        while (st.NextRow()) {
            const int id = st.Int(0);
            parents[id] = {st.Int(1), st.Int(2)};
            if (pigeons.count(id) == 0) keep.insert(id);
        }
    }
    // The ancestors of every bird that stays stay with it, however far back.
    std::vector<int> pending(keep.begin(), keep.end());
    while (!pending.empty()) {
        const int id = pending.back();
        pending.pop_back();
        const auto found = parents.find(id);
        if (found == parents.end()) continue;
        for (const int parent : {found->second.first, found->second.second}) {
            if (parent > 0 && keep.insert(parent).second) pending.push_back(parent);
        }
    }

    std::vector<int> result;
    for (const auto& [id, bird] : pigeons) {
        if (keep.count(id) == 0) result.push_back(id);
    }
    return result;
}

// ---- the SQL console ------------------------------------------------------------------------------

CDataStore::ConsoleResult CDataStore::RunConsoleStatement(const Text& path, const Text& sql) {
    ConsoleResult result;
    SqlDatabase db(path);
    if (!db.ok()) {
        result.error = "unable to open database file";
        return result;
    }
    dsinternal::ForgetIdFloors();
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    const int bytes = static_cast<int>(sql.size() * sizeof(char16_t));
    if (sqlite3_prepare16_v2(db.handle(), sql.c_str(), bytes, &stmt, &tail) != SQLITE_OK) {
        result.error = db.LastError();
        sqlite3_finalize(stmt);
        return result;
    }
    // A text of only blanks or comments prepares to no statement: there is nothing to run.
    if (stmt != nullptr) {
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            result.error = db.LastError();
            sqlite3_finalize(stmt);
            return result;
        }
        // A statement that only reads (a SELECT, a BEGIN that the closing of the file rolls
        // back) changes nothing; any other may have changed rows or dropped whole tables.
        result.changed = sqlite3_stmt_readonly(stmt) == 0;
        sqlite3_finalize(stmt);
    }
    // Whatever follows the first statement is not run; say so when it is more than blanks.
    if (tail != nullptr) {
        const auto* rest = static_cast<const char16_t*>(tail);
        const auto* end = sql.c_str() + sql.size();
        sqlite3_stmt* next = nullptr;
        const int restBytes = static_cast<int>((end - rest) * sizeof(char16_t));
        if (restBytes > 0 &&
            sqlite3_prepare16_v2(db.handle(), rest, restBytes, &next, nullptr) != SQLITE_OK) {
            result.restIgnored = true;  // something is there, even if it is not valid SQL
        } else if (next != nullptr) {
            result.restIgnored = true;
        }
        sqlite3_finalize(next);
    }
    result.ok = true;
    return result;
}
