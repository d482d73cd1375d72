#include "DataStoreInternal.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "SharedRoutines.h"

namespace dsinternal {

namespace {

// Inside a batch, the largest id that other rows name is worked out once per table: the
// batch's inserts name rows that exist, so no later reference can lie above it, and the
// import stays linear instead of scanning every referring table after each of its rows.
struct FloorCache {
    unsigned long long batch = 0;
    std::map<Text, std::int64_t> floors;
};

FloorCache& Floors() {
    static FloorCache cache;
    const SqlBatch* active = SqlBatch::Active();
    const unsigned long long serial = active ? active->Serial() : 0;
    if (cache.batch != serial) {
        cache.batch = serial;
        cache.floors.clear();
    }
    return cache;
}

std::optional<std::int64_t> ReferenceFloor(SqlDatabase& db, const char16_t* table,
                                           const std::vector<IdReference>& refs) {
    if (refs.empty()) return 0;
    if (!db.InBatch()) return MaxReference(db, refs);
    FloorCache& cache = Floors();
    const auto found = cache.floors.find(table);
    if (found != cache.floors.end()) return found->second;
    const std::optional<std::int64_t> floor = MaxReference(db, refs);
    if (floor) cache.floors.emplace(table, *floor);
    return floor;
}

}  // namespace

void ForgetIdFloors() { Floors().floors.clear(); }

std::optional<std::int64_t> MaxReference(SqlDatabase& db, const std::vector<IdReference>& refs) {
    if (!db.ok()) return std::nullopt;
    std::int64_t result = 0;
    for (const IdReference& ref : refs) {
        SqlStatement exists =
            db.Prepare(u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1;");
        if (!exists.Bind({SqlText(ref.table)}) || !exists.NextRow()) return std::nullopt;
        if (exists.Int64(0) == 0) continue;
        // max() always gives one row (NULL over no rows); no row at all means the read failed.
        SqlStatement st =
            db.Prepare(Text(u"SELECT max(") + ref.column + u") FROM " + ref.table + u";");
        if (!st.ok() || !st.NextRow()) return std::nullopt;
        if (!st.IsNull(0)) result = std::max(result, st.Int64(0));
    }
    return result;
}

std::optional<std::int64_t> MaxReferenceInFile(const Text& path,
                                               const std::vector<IdReference>& refs) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(ToFsPath(path), ec);
    if (ec) return std::nullopt;
    if (refs.empty() || !exists) return 0;
    SqlDatabase db(path);
    return MaxReference(db, refs);
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
                       std::optional<std::int64_t> extraFloor) {
    if (!extraFloor) return 0;
    SqlTransaction tx(db);
    if (!tx.ok()) return 0;
    if (!db.Exec(sql, values) || db.Changes() != 1) return 0;
    std::int64_t id = db.LastInsertRowId();
    if (!refs.empty() || *extraFloor > 0) {
        const std::optional<std::int64_t> floor = ReferenceFloor(db, table, refs);
        if (!floor || !MoveIdAbove(db, table, id, std::max(*floor, *extraFloor))) return 0;
    }
    if (!FitsRecordId(id)) return 0;
    if (!tx.Commit()) return 0;
    return id;
}

bool RunInTransaction(SqlDatabase& db, const std::vector<BoundStatement>& statements) {
    ForgetIdFloors();  // deletions and updates may change what the floors were made of
    SqlTransaction tx(db);
    if (!tx.ok()) return false;
    for (const BoundStatement& st : statements) {
        if (!db.Exec(st.sql, st.values)) return false;
    }
    return tx.Commit();
}

SqlValue SqlRounded(double value) { return SqlReal(RoundSignificant(value, 6)); }

void ClearFlightStatistics(PigeonRecord& bird) {
    const PigeonRecord none;
    bird.flightCount = none.flightCount;
    bird.speedSum = none.speedSum;
    bird.averagePosition = none.averagePosition;
    bird.positionSum = none.positionSum;
    bird.bestPosition = none.bestPosition;
    bird.bestPlace = none.bestPlace;
}

void CountResult(PigeonRecord& bird, const FlightResultEntry& result, const FlightRecord& flight) {
    bird.flightCount += 1;
    bird.positionSum += result.nr_konkursu;
    bird.speedSum = bird.speedSum + flight.SpeedOf(result);
    // Strictly lower only: on equal positions the earlier flight's place stays.
    if (result.nr_konkursu < bird.bestPosition) {
        bird.bestPosition = result.nr_konkursu;
        bird.bestPlace = flight.miejscowosc;
    }
    bird.averagePosition = bird.positionSum / bird.flightCount;
}

}  // namespace dsinternal
