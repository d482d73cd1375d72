#include "DataStoreInternal.h"

#include <algorithm>

#include "SharedRoutines.h"

namespace dsinternal {

std::int64_t MaxReference(SqlDatabase& db, const std::vector<IdReference>& refs) {
    std::int64_t result = 0;
    for (const IdReference& ref : refs) {
        const Text sql = Text(u"SELECT max(") + ref.column + u") FROM " + ref.table + u";";
        result = std::max(result, db.QueryInt64(sql, {}, 0));
    }
    return result;
}

bool MoveIdAbove(SqlDatabase& db, const char16_t* table, std::int64_t& newId, std::int64_t floor) {
    if (newId <= 0 || newId > floor) return true;
    const std::int64_t target = floor + 1;
    const Text sql = Text(u"UPDATE ") + table + u" SET id = ?1 WHERE id = ?2;";
    if (!db.Exec(sql, {SqlInt(target), SqlInt(newId)}) || db.Changes() != 1) return false;
    newId = target;
    return true;
}

std::int64_t InsertRow(SqlDatabase& db, const char16_t* table, const Text& sql,
                       const std::vector<SqlValue>& values, const std::vector<IdReference>& refs,
                       std::int64_t extraFloor) {
    SqlTransaction tx(db);
    if (!tx.ok()) return 0;
    if (!db.Exec(sql, values) || db.Changes() != 1) return 0;
    std::int64_t id = db.LastInsertRowId();
    if (!refs.empty() || extraFloor > 0) {
        const std::int64_t floor = std::max(MaxReference(db, refs), extraFloor);
        if (!MoveIdAbove(db, table, id, floor)) return 0;
    }
    if (!tx.Commit()) return 0;
    return id;
}

bool RunInTransaction(SqlDatabase& db, const std::vector<BoundStatement>& statements) {
    SqlTransaction tx(db);
    if (!tx.ok()) return false;
    for (const BoundStatement& st : statements) {
        if (!db.Exec(st.sql, st.values)) return false;
    }
    return tx.Commit();
}

SqlValue SqlRounded(double value) { return SqlReal(RoundSignificant(value, 6)); }

}  // namespace dsinternal
