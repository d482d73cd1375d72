#pragma once
// Helpers shared by the loaders and writers of CDataStore; not part of its interface.

#include <cstdint>
#include <optional>
#include <vector>

#include "Records.h"
#include "Sqlite.h"

namespace dsinternal {

// A column of another table that holds ids of the table being inserted into.
struct IdReference {
    const char16_t* table;
    const char16_t* column;
};

// The largest id that the given columns still hold (0 when none; a table the file does not
// have holds none). nullopt when a query failed (the file locked past the busy timeout, or
// damaged): the caller must then refuse the insert, since an unknown floor could hand out an id
// that rows elsewhere still name.
std::optional<std::int64_t> MaxReference(SqlDatabase& db, const std::vector<IdReference>& refs);

// The same over a file of its own (the other database file): 0 when the file does not exist.
std::optional<std::int64_t> MaxReferenceInFile(const Text& path,
                                               const std::vector<IdReference>& refs);

// SQLite gives a new row max(id)+1, so a row inserted after the newest one was deleted takes
// that id back, and with it whatever rows still point at the old one. When `newId` is not above
// `floor` (the largest id still referred to), the new row is moved to floor+1 and `newId`
// follows it. Must run inside the insert's transaction. False when the move failed.
bool MoveIdAbove(SqlDatabase& db, const char16_t* table, std::int64_t& newId, std::int64_t floor);

// Inside a batch, inserts work out each table's floor once (see DataStoreInternal.cpp); a write
// that may lower or raise what other rows name makes them work it out again.
void ForgetIdFloors();

// Records carry their ids as int: a row id past 2,147,483,647 would wrap negative, so an insert
// that would get one is refused.
inline bool FitsRecordId(std::int64_t id) { return id > 0 && id <= 2147483647; }

// Inserts one row and keeps its id clear of the given references and of `extraFloor` (see
// MoveIdAbove), all in one transaction. Returns the new id, or 0 when the database refused the
// row or a floor could not be read (an unknown `extraFloor` is nullopt).
std::int64_t InsertRow(SqlDatabase& db, const char16_t* table, const Text& sql,
                       const std::vector<SqlValue>& values,
                       const std::vector<IdReference>& refs = {},
                       std::optional<std::int64_t> extraFloor = 0);

// Runs the statements in one transaction; true when every one completed and the commit held.
struct BoundStatement {
    Text sql;
    std::vector<SqlValue> values;
};
bool RunInTransaction(SqlDatabase& db, const std::vector<BoundStatement>& statements);

// A date value for a statement: the stored 64-bit seconds (-1 = not set).
inline SqlValue SqlDate(Time64 t) { return SqlValue(static_cast<std::int64_t>(t)); }
// A float or double written as it always was: six significant digits.
SqlValue SqlRounded(double value);

// ---- a bird's flight statistics: one computation for the loader and the writers ----
// The statistics of a bird that has no result counted.
void ClearFlightStatistics(PigeonRecord& bird);
// One result of the flight, counted into its bird's statistics.
void CountResult(PigeonRecord& bird, const FlightResultEntry& result, const FlightRecord& flight);
// Counts every result the flights hold into the statistics of the bird `findBird` gives for it
// (null: the result is not counted). Flights are taken in list order and each flight's results
// in row order: on a tie for the best position the earlier flight's place stays, and the speeds
// are summed in one order, so the float sum comes out the same each time it is made.
template <typename FindBird>
void CountFlightResults(const std::vector<FlightRecord>& flights, FindBird&& findBird) {
    for (const FlightRecord& flight : flights) {
        for (const FlightResultEntry& result : flight.entries) {
            if (PigeonRecord* bird = findBird(result.id_golebia)) CountResult(*bird, result, flight);
        }
    }
}

}  // namespace dsinternal
