// Writes of birds, lofts, categories and their membership, pairs and their young, flights and
// their results. Each write goes to pigeons.db at once; memory follows only when the database
// accepted the change, so a failed write leaves the containers exactly as they were.

#include <algorithm>

#include <utility>

#include "DataStore.h"
#include "DataStoreInternal.h"
#include "SharedRoutines.h"

using dsinternal::BoundStatement;
using dsinternal::IdReference;
using dsinternal::InsertRow;
using dsinternal::MaxReference;
using dsinternal::RunInTransaction;
using dsinternal::SqlDate;
using dsinternal::SqlRounded;

namespace {

// A column and the value written to it; keeping the two side by side means a statement's
// column list and its bound values can never drift apart.
struct ColumnValue {
    const char16_t* column;
    SqlValue value;
};

Text Placeholder(size_t index) { return u"?" + NumberText(static_cast<long long>(index)); }

std::vector<SqlValue> ValuesOf(const std::vector<ColumnValue>& items) {
    std::vector<SqlValue> values;
    values.reserve(items.size());
    for (const ColumnValue& item : items) values.push_back(item.value);
    return values;
}

// "INSERT INTO <table>(<a, b, …>) VALUES ( ?1, ?2, … );" — `head` is "INSERT INTO <table>(".
BoundStatement InsertStatement(const char16_t* head, const std::vector<ColumnValue>& items) {
    Text columns;
    Text marks;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            columns += u", ";
            marks += u", ";
        }
        columns += items[i].column;
        marks += Placeholder(i + 1);
    }
    return {Text(head) + columns + u") VALUES ( " + marks + u" );", ValuesOf(items)};
}

// "UPDATE <table> SET a = ?1, b = ?2, … WHERE id = ?n;"
BoundStatement UpdateStatement(const char16_t* opening, const std::vector<ColumnValue>& items,
                               int id) {
    Text sql = opening;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) sql += u", ";
        sql += Text(items[i].column) + u" = " + Placeholder(i + 1);
    }
    sql += u" WHERE id = " + Placeholder(items.size() + 1) + u";";
    std::vector<SqlValue> values = ValuesOf(items);
    values.push_back(SqlInt(id));
    return {sql, values};
}

// An update counts as written only when it reached its row: editing a row that is gone (deleted
// from another window meanwhile) must not look saved.
bool RunUpdate(const BoundStatement& statement) {
    dsinternal::ForgetIdFloors();
    SqlDatabase db(PigeonsDbPath());
    return db.ok() && db.Exec(statement.sql, statement.values) && db.Changes() > 0;
}

bool RunStatements(const std::vector<BoundStatement>& statements) {
    SqlDatabase db(PigeonsDbPath());
    return db.ok() && RunInTransaction(db, statements);
}

std::int64_t Insert(const char16_t* table, const BoundStatement& statement,
                    const std::vector<IdReference>& refs = {},
                    std::optional<std::int64_t> extraFloor = 0) {
    SqlDatabase db(PigeonsDbPath());
    if (!db.ok()) return 0;
    return InsertRow(db, table, statement.sql, statement.values, refs, extraFloor);
}

// Largest id that the other file's columns still hold (nullopt when it cannot be read).
std::optional<std::int64_t> ExtraFileFloor(const std::vector<IdReference>& refs) {
    return dsinternal::MaxReferenceInFile(ExtraDbPath(), refs);
}

// Rows everywhere that name a bird by its id.
const std::vector<IdReference>& PigeonReferences() {
    static const std::vector<IdReference> refs = {
        {u"pigeons", u"id_matki"},         {u"pigeons", u"id_ojca"},
        {u"kategoria_id", u"id_golebia"},  {u"dzieci", u"id_golebia"},
        {u"lotniki", u"id_golebia"},       {u"zdjecia", u"id_golebia"},
        {u"dokumenty", u"id_wlasciciela"}, {u"lekisuplementy", u"id_golebia"},
        {u"transakcje", u"id_golebia"},    {u"pary", u"id_samca"},
        {u"pary", u"id_samicy"},
    };
    return refs;
}

// Rows everywhere that name a loft by its id.
const std::vector<IdReference>& LoftReferences() {
    static const std::vector<IdReference> refs = {
        {u"kategoria", u"id_hodowli"},  {u"pigeons", u"id_hodowli"},
        {u"pary", u"id_hodowli"},       {u"dzieci", u"id_hodowli"},
        {u"loty", u"id_hodowli"},       {u"lotniki", u"id_hodowli"},
        {u"transakcje", u"id_hodowli"}, {u"zdjecia", u"id_hodowli"},
        {u"dokumenty", u"id_hodowli"},  {u"lekisuplementy", u"id_hodowli"},
    };
    return refs;
}

const std::vector<IdReference>& LoftReferencesInExtraFile() {
    static const std::vector<IdReference> refs = {
        {u"notatki", u"id_hodowli"},
        {u"sezonylegowe", u"id_hodowli"},
        {u"sezonylotowe", u"id_hodowli"},
    };
    return refs;
}

SqlValue SqlFloat(float value) { return SqlRounded(static_cast<double>(value)); }

template <typename Record>
typename std::vector<Record>::iterator FindById(std::vector<Record>& records, int id) {
    return std::find_if(records.begin(), records.end(),
                        [id](const Record& r) { return r.id == id; });
}

}  // namespace

// ---- birds -------------------------------------------------------------------------------------

namespace {

// The row of a new bird; DataF1, krotkiopis and notatkif are left to their own statements.
BoundStatement PigeonInsertStatement(const PigeonRecord& r) {
    return InsertStatement(
        u"INSERT INTO pigeons(",
        {
            {u"nazwa", SqlText(r.nazwa)},
            {u"id_hodowli", SqlInt(r.id_hodowli)},
            {u"id_matki", SqlInt(r.id_matki)},
            {u"id_ojca", SqlInt(r.id_ojca)},
            {u"id_wlasciciela", SqlInt(r.id_wlasciciela)},
            {u"id_hodowcy", SqlInt(r.id_hodowcy)},
            {u"id_rasy", SqlInt(r.id_rasy)},
            {u"id_linia", SqlInt(r.id_linia)},
            {u"id_koloroka", SqlInt(r.id_koloroka)},
            {u"plec", SqlInt(r.plec)},
            {u"id_statusu", SqlInt(r.id_statusu)},
            {u"id_koloru", SqlInt(r.id_koloru)},
            {u"ocena_ogolna", SqlInt(r.ocena_ogolna)},
            {u"ocena_zdrowia", SqlInt(r.ocena_zdrowia)},
            {u"ocena_upierzenia", SqlInt(r.ocena_upierzenia)},
            {u"ocena_lotowa", SqlInt(r.ocena_lotowa)},
            {u"nr_obraczki", SqlText(r.nr_obraczki)},
            {u"kraj", SqlText(r.kraj)},
            {u"oddzial", SqlText(r.oddzial)},
            {u"rocznik", SqlText(r.rocznik)},
            {u"genotyp", SqlText(r.genotyp)},
            {u"fenotyp", SqlText(r.fenotyp)},
            {u"notatkiogolne", SqlText(r.notatkiogolne)},
            {u"notatkicechywygladu", SqlText(r.notatkicechywygladu)},
            {u"notatkichoroby", SqlText(r.notatkichoroby)},
            {u"notatkiproblemy", SqlText(r.notatkiproblemy)},
            {u"NotatkaRodowodowa0", SqlText(r.NotatkaRodowodowa0)},
            {u"NotatkaRodowodowa1", SqlText(r.NotatkaRodowodowa1)},
            {u"NotatkaRodowodowa2", SqlText(r.NotatkaRodowodowa2)},
            {u"NotatkaRodowodowa3", SqlText(r.NotatkaRodowodowa3)},
            {u"NotatkaRodowodowa4", SqlText(r.NotatkaRodowodowa4)},
            {u"DataDodania", SqlDate(r.DataDodania)},
            {u"DataKupna", SqlDate(r.DataKupna)},
            {u"DataSprzedazy", SqlDate(r.DataSprzedazy)},
            {u"DataUrodzenia", SqlDate(r.DataUrodzenia)},
            {u"DataOdejscia", SqlDate(r.DataOdejscia)},
        });
}

}  // namespace

bool CDataStore::WritePigeon(WriteMode mode, PigeonRecord& record) {
    const PigeonRecord& r = record;
    if (mode == WriteMode::Insert) {
        const BoundStatement insert = PigeonInsertStatement(r);
        // The print list lives in the other file; a new bird must not inherit its entry there.
        const auto ildFloor = ExtraFileFloor({{u"ild", u"id_golebia"}});
        const std::int64_t id = Insert(u"pigeons", insert, PigeonReferences(), ildFloor);
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        pigeons[record.id] = record;
        CountBirdInLoft(record.id_hodowli, +1);
        return true;
    }
    if (record.id <= 0) return false;

    // notatkif is written only here, DataDodania only by the insert; krotkiopis and DataF1 have
    // statements of their own.
    const BoundStatement update = UpdateStatement(
        u"UPDATE pigeons SET ",
        {
            {u"nazwa", SqlText(r.nazwa)},
            {u"kraj", SqlText(r.kraj)},
            {u"oddzial", SqlText(r.oddzial)},
            {u"nr_obraczki", SqlText(r.nr_obraczki)},
            {u"rocznik", SqlText(r.rocznik)},
            {u"genotyp", SqlText(r.genotyp)},
            {u"fenotyp", SqlText(r.fenotyp)},
            {u"id_matki", SqlInt(r.id_matki)},
            {u"id_ojca", SqlInt(r.id_ojca)},
            {u"id_wlasciciela", SqlInt(r.id_wlasciciela)},
            {u"id_hodowcy", SqlInt(r.id_hodowcy)},
            {u"id_rasy", SqlInt(r.id_rasy)},
            {u"id_linia", SqlInt(r.id_linia)},
            {u"id_hodowli", SqlInt(r.id_hodowli)},
            {u"id_koloroka", SqlInt(r.id_koloroka)},
            {u"plec", SqlInt(r.plec)},
            {u"id_statusu", SqlInt(r.id_statusu)},
            {u"ocena_ogolna", SqlInt(r.ocena_ogolna)},
            {u"ocena_zdrowia", SqlInt(r.ocena_zdrowia)},
            {u"ocena_upierzenia", SqlInt(r.ocena_upierzenia)},
            {u"ocena_lotowa", SqlInt(r.ocena_lotowa)},
            {u"NotatkaRodowodowa0", SqlText(r.NotatkaRodowodowa0)},
            {u"NotatkaRodowodowa1", SqlText(r.NotatkaRodowodowa1)},
            {u"NotatkaRodowodowa2", SqlText(r.NotatkaRodowodowa2)},
            {u"NotatkaRodowodowa3", SqlText(r.NotatkaRodowodowa3)},
            {u"NotatkaRodowodowa4", SqlText(r.NotatkaRodowodowa4)},
            {u"id_koloru", SqlInt(r.id_koloru)},
            {u"notatkiogolne", SqlText(r.notatkiogolne)},
            {u"notatkicechywygladu", SqlText(r.notatkicechywygladu)},
            {u"notatkichoroby", SqlText(r.notatkichoroby)},
            {u"notatkiproblemy", SqlText(r.notatkiproblemy)},
            {u"notatkif", SqlText(r.notatkif)},
            {u"DataKupna", SqlDate(r.DataKupna)},
            {u"DataSprzedazy", SqlDate(r.DataSprzedazy)},
            {u"DataUrodzenia", SqlDate(r.DataUrodzenia)},
            {u"DataOdejscia", SqlDate(r.DataOdejscia)},
        },
        record.id);
    if (!RunUpdate(update)) return false;
    StoreUpdatedPigeon(record);
    return true;
}

bool CDataStore::DeletePigeon(int pigeonId) {
    if (!RunStatements({{u"DELETE FROM pigeons where id = ?1;", {SqlInt(pigeonId)}}})) {
        return false;
    }
    const auto it = pigeons.find(pigeonId);
    if (it != pigeons.end()) {
        CountBirdInLoft(it->second.id_hodowli, -1);
        pigeons.erase(it);
    }
    return true;
}

// The stored bird takes the written columns; what other rows give it (its photos, documents,
// treatments and flight statistics) and the columns this update does not write stay.
void CDataStore::StoreUpdatedPigeon(const PigeonRecord& record) {
    const auto it = pigeons.find(record.id);
    if (it == pigeons.end()) return;
    PigeonRecord& stored = it->second;
    if (stored.id_hodowli != record.id_hodowli) {
        CountBirdInLoft(stored.id_hodowli, -1);
        CountBirdInLoft(record.id_hodowli, +1);
    }
    PigeonRecord updated = record;
    updated.DataDodania = stored.DataDodania;
    updated.krotkiopis = stored.krotkiopis;
    updated.DataF1 = stored.DataF1;
    updated.photos = std::move(stored.photos);
    updated.documents = std::move(stored.documents);
    updated.treatments = std::move(stored.treatments);
    updated.flightCount = stored.flightCount;
    updated.positionSum = stored.positionSum;
    updated.speedSum = stored.speedSum;
    updated.bestPosition = stored.bestPosition;
    updated.bestPlace = std::move(stored.bestPlace);
    updated.averagePosition = stored.averagePosition;
    stored = std::move(updated);
}

void CDataStore::CountBirdInLoft(int loftId, int change) {
    const int index = FindLoftIndex(loftId);
    if (index < 0) return;
    lofts[index].pigeonCount = std::max(0, lofts[index].pigeonCount + change);
}

bool CDataStore::WritePigeonShortDescription(int pigeonId, const Text& description) {
    if (!RunUpdate({u"UPDATE pigeons SET krotkiopis  = ?1 WHERE id = ?2;",
                    {SqlText(description), SqlInt(pigeonId)}})) {
        return false;
    }
    if (const auto it = pigeons.find(pigeonId); it != pigeons.end()) {
        it->second.krotkiopis = description;
    }
    return true;
}

// A cleared date is stored as 0 and held as not set, as loading reads a stored 0.
bool CDataStore::WritePigeonRoofDate(int pigeonId, Time64 date) {
    const Time64 stored = date > 0 ? date : 0;
    if (!RunUpdate({u"UPDATE pigeons SET DataF1  = ?1 WHERE id = ?2;",
                    {SqlInt(stored), SqlInt(pigeonId)}})) {
        return false;
    }
    if (const auto it = pigeons.find(pigeonId); it != pigeons.end()) {
        it->second.DataF1 = stored > 0 ? stored : kNoDate;
    }
    return true;
}

// One bird is a purge of one; see DataStoreMaintenance.cpp.
bool CDataStore::DeletePigeonWithRows(int pigeonId) { return DeletePigeonsWithRows({pigeonId}); }

// ---- lofts and categories ------------------------------------------------------------------------

bool CDataStore::WriteLoft(WriteMode mode, LoftRecord& record) {
    if (mode == WriteMode::Insert) {
        const BoundStatement insert =
            InsertStatement(u"INSERT INTO hodowla(", {{u"nazwahodowli", SqlText(record.nazwahodowli)},
                                                      {u"opishodowli", SqlText(record.opishodowli)}});
        const auto floor = ExtraFileFloor(LoftReferencesInExtraFile());
        const std::int64_t id = Insert(u"hodowla", insert, LoftReferences(), floor);
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        lofts.push_back(record);
        return true;
    }
    if (mode == WriteMode::Delete) {
        // The loft's categories go with it, and so do their membership rows; its birds stay.
        const SqlValue id = SqlInt(record.id);
        const bool ok = RunStatements({
            {u"DELETE FROM kategoria_id WHERE id_kategorii IN "
             u"(SELECT id FROM kategoria WHERE id_hodowli = ?1);",
             {id}},
            {u"DELETE FROM kategoria WHERE id_hodowli = ?1;", {id}},
            {u"DELETE FROM hodowla WHERE id = ?1;", {id}},
        });
        if (!ok) return false;
        const auto it = FindById(lofts, record.id);
        if (it != lofts.end()) lofts.erase(it);
        return true;
    }
    if (record.id <= 0) return false;
    if (!RunUpdate(UpdateStatement(u"UPDATE hodowla SET ",
                                   {{u"nazwahodowli", SqlText(record.nazwahodowli)},
                                    {u"opishodowli", SqlText(record.opishodowli)}},
                                   record.id))) {
        return false;
    }
    // The loft's categories and bird count are not written here and stay.
    const auto it = FindById(lofts, record.id);
    if (it != lofts.end()) {
        it->nazwahodowli = record.nazwahodowli;
        it->opishodowli = record.opishodowli;
    }
    return true;
}

// A category lives in its loft's `categories`, in row order.
bool CDataStore::WriteCategory(WriteMode mode, CategoryRecord& record) {
    const auto loft = FindById(lofts, record.id_hodowli);
    if (mode == WriteMode::Insert) {
        const BoundStatement insert =
            InsertStatement(u"INSERT INTO kategoria (",
                            {{u"nazwakategorii", SqlText(record.nazwakategorii)},
                             {u"opiskategorii", SqlText(record.opiskategorii)},
                             {u"id_hodowli", SqlInt(record.id_hodowli)}});
        const std::int64_t id =
            Insert(u"kategoria", insert, {{u"kategoria_id", u"id_kategorii"}});
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        if (loft != lofts.end()) loft->categories.push_back(record);
        return true;
    }
    if (mode == WriteMode::Delete) {
        const SqlValue id = SqlInt(record.id);
        if (!RunStatements({
                {u"DELETE FROM kategoria_id WHERE id_kategorii = ?1;", {id}},
                {u"DELETE FROM kategoria WHERE id = ?1;", {id}},
            })) {
            return false;
        }
        if (loft != lofts.end()) {
            const auto it = FindById(loft->categories, record.id);
            if (it != loft->categories.end()) loft->categories.erase(it);
        }
        return true;
    }
    if (record.id <= 0) return false;
    if (!RunUpdate(UpdateStatement(u"UPDATE kategoria SET ",
                                   {{u"nazwakategorii", SqlText(record.nazwakategorii)},
                                    {u"opiskategorii", SqlText(record.opiskategorii)}},
                                   record.id))) {
        return false;
    }
    if (loft != lofts.end()) {
        const auto it = FindById(loft->categories, record.id);
        if (it != loft->categories.end()) {
            it->nazwakategorii = record.nazwakategorii;
            it->opiskategorii = record.opiskategorii;
        }
    }
    return true;
}

// The new row comes last in row-id order, which is the category's bird order.
bool CDataStore::AddPigeonToCategory(int categoryId, int pigeonId) {
    const BoundStatement insert = InsertStatement(
        u"INSERT INTO kategoria_id (",
        {{u"id_kategorii", SqlInt(categoryId)}, {u"id_golebia", SqlInt(pigeonId)}});
    return Insert(u"kategoria_id", insert) > 0;
}

// Every new bird and its membership row in one transaction: a series is written whole or not at
// all, so a failure half-way never leaves some numbers in the file without the rest.
bool CDataStore::AddNewPigeonsToCategory(int categoryId, std::vector<PigeonRecord>& records) {
    const auto ildFloor = ExtraFileFloor({{u"ild", u"id_golebia"}});
    if (!ildFloor) return false;
    SqlDatabase db(PigeonsDbPath());
    if (!db.ok()) return false;
    SqlTransaction tx(db);
    if (!tx.ok()) return false;
    std::vector<int> ids;
    ids.reserve(records.size());
    for (const PigeonRecord& record : records) {
        const BoundStatement insert = PigeonInsertStatement(record);
        if (!db.Exec(insert.sql, insert.values) || db.Changes() != 1) return false;
        std::int64_t id = db.LastInsertRowId();
        const auto floor = MaxReference(db, PigeonReferences());
        if (!floor || !dsinternal::MoveIdAbove(db, u"pigeons", id, std::max(*floor, *ildFloor)) ||
            !dsinternal::FitsRecordId(id))
            return false;
        const BoundStatement member = InsertStatement(
            u"INSERT INTO kategoria_id (",
            {{u"id_kategorii", SqlInt(categoryId)}, {u"id_golebia", SqlInt(id)}});
        if (!db.Exec(member.sql, member.values) || db.Changes() != 1) return false;
        ids.push_back(static_cast<int>(id));
    }
    if (!tx.Commit()) return false;
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].id = ids[i];
        pigeons[ids[i]] = records[i];
        CountBirdInLoft(records[i].id_hodowli, +1);
    }
    return true;
}

bool CDataStore::SwapCategoryMembers(int membershipA, int pigeonA, int membershipB, int pigeonB) {
    // Both or neither: a half-done swap would list one bird twice.
    // A row that is not there fails the swap, as every update that finds nothing does.
    const Text update = u"UPDATE kategoria_id SET id_golebia = ?1 WHERE id  = ?2;";
    SqlDatabase db(PigeonsDbPath());
    SqlTransaction tx(db);
    if (!tx.ok()) return false;
    for (const auto& [pigeon, membership] :
         {std::pair{pigeonB, membershipA}, std::pair{pigeonA, membershipB}}) {
        if (!db.Exec(update, {SqlInt(pigeon), SqlInt(membership)}) || db.Changes() != 1)
            return false;
    }
    return tx.Commit();
}

// New rows get ascending ids, and id order is the category's bird order.
bool CDataStore::RewriteCategoryOrder(int categoryId, const std::vector<int>& pigeonIds) {
    std::vector<BoundStatement> statements;
    statements.reserve(pigeonIds.size() + 1);
    statements.push_back(
        {u"DELETE FROM kategoria_id where id_kategorii = ?1;", {SqlInt(categoryId)}});
    for (const int pigeonId : pigeonIds) {
        statements.push_back({u"INSERT INTO kategoria_id (id_kategorii, id_golebia) VALUES ( ?1, ?2 );",
                              {SqlInt(categoryId), SqlInt(pigeonId)}});
    }
    return RunStatements(statements);
}

bool CDataStore::MovePigeonToCategory(int pigeonId, int fromCategoryId, int toCategoryId,
                                      int toLoftId, bool keepCopy) {
    SqlDatabase db(PigeonsDbPath());
    if (!db.ok()) return false;
    {
        SqlTransaction tx(db);
        if (!tx.ok()) return false;
        const bool alreadyThere =
            db.QueryInt64(u"SELECT count(*) FROM kategoria_id WHERE id_kategorii = ?1 AND "
                          u"id_golebia = ?2;",
                          {SqlInt(toCategoryId), SqlInt(pigeonId)}) > 0;
        if (!alreadyThere &&
            !db.Exec(u"INSERT INTO kategoria_id (id_kategorii, id_golebia) VALUES ( ?1, ?2 );",
                     {SqlInt(toCategoryId), SqlInt(pigeonId)})) {
            return false;
        }
        if (!db.Exec(u"UPDATE pigeons SET id_hodowli = ?1 WHERE id = ?2;",
                     {SqlInt(toLoftId), SqlInt(pigeonId)}) ||
            db.Changes() != 1) {  // no such bird: nothing may be written for it
            return false;
        }
        if (!keepCopy &&
            !db.Exec(u"DELETE FROM kategoria_id WHERE id_kategorii = ?1 AND id_golebia = ?2 ;",
                     {SqlInt(fromCategoryId), SqlInt(pigeonId)})) {
            return false;
        }
        if (!tx.Commit()) return false;
    }

    const auto bird = pigeons.find(pigeonId);
    if (bird != pigeons.end() && bird->second.id_hodowli != toLoftId) {
        CountBirdInLoft(bird->second.id_hodowli, -1);
        CountBirdInLoft(toLoftId, +1);
        bird->second.id_hodowli = toLoftId;
    }
    return true;
}

// Removes every membership row of the bird in that category (a bird added twice goes at once).
bool CDataStore::RemovePigeonFromCategory(int categoryId, int pigeonId) {
    return RunStatements({{u"DELETE FROM kategoria_id WHERE id_kategorii = ?1 AND id_golebia = ?2 ;",
                           {SqlInt(categoryId), SqlInt(pigeonId)}}});
}

// ---- pairs and young -----------------------------------------------------------------------------

// An update of a pair rewrites what the user edits; the loft, the date the pair was added and
// its young (rows of their own) stay as held.
void CDataStore::KeepInsertedPairFields(PairRecord& held, const PairRecord& written) {
    PairRecord updated = written;
    updated.id = held.id;
    updated.id_hodowli = held.id_hodowli;
    updated.DataDodania = held.DataDodania;
    updated.young = std::move(held.young);
    held = std::move(updated);
}

bool CDataStore::WritePair(WriteMode mode, PairRecord& record) {
    if (!CheckPair(mode, record).Kept()) return false;
    const PairRecord& r = record;
    if (mode == WriteMode::Insert) {
        const BoundStatement insert = InsertStatement(
            u"INSERT INTO pary(",
            {
                {u"uwagi", SqlText(r.uwagi)},
                {u"not_ojciec", SqlText(r.not_ojciec)},
                {u"not_matka", SqlText(r.not_matka)},
                {u"id_samca", SqlInt(r.id_samca)},
                {u"id_samicy", SqlInt(r.id_samicy)},
                {u"DataWylegu", SqlDate(r.DataWylegu)},
                {u"DataZlozeniaJaj", SqlDate(r.DataZlozeniaJaj)},
                {u"zlozonych", SqlInt(r.zlozonych)},
                {u"id_hodowli", SqlInt(r.id_hodowli)},
                {u"DataParowania", SqlDate(r.DataParowania)},
                {u"DataDodania", SqlDate(r.DataDodania)},
            });
        const std::int64_t id = Insert(u"pary", insert, {{u"dzieci", u"id_pary"}});
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        // A new pair has no young yet.
        PairRecord stored = record;
        stored.young.clear();
        pairs.push_back(stored);
        MirrorPairWrite(WriteMode::Insert, stored);
        return true;
    }
    if (mode == WriteMode::Delete) {
        // Every young row of the pair goes, also those that the passed record does not list.
        const SqlValue id = SqlInt(r.id);
        const bool ok = RunStatements({
            {u"DELETE FROM dzieci WHERE id_pary = ?1;", {id}},
            {u"DELETE FROM pary WHERE id = ?1;", {id}},
        });
        if (!ok) return false;
        const auto it = FindById(pairs, r.id);
        if (it != pairs.end()) pairs.erase(it);
        MirrorPairWrite(WriteMode::Delete, record);
        return true;
    }
    if (record.id <= 0) return false;
    // id_hodowli and DataDodania stay as inserted.
    const BoundStatement update = UpdateStatement(
        u"UPDATE pary SET ",
        {
            {u"uwagi", SqlText(r.uwagi)},
            {u"id_samca", SqlInt(r.id_samca)},
            {u"id_samicy", SqlInt(r.id_samicy)},
            {u"DataWylegu", SqlDate(r.DataWylegu)},
            {u"DataZlozeniaJaj", SqlDate(r.DataZlozeniaJaj)},
            {u"zlozonych", SqlInt(r.zlozonych)},
            {u"not_ojciec", SqlText(r.not_ojciec)},
            {u"not_matka", SqlText(r.not_matka)},
            {u"DataParowania", SqlDate(r.DataParowania)},
        },
        record.id);
    if (!RunUpdate(update)) return false;
    const auto it = FindById(pairs, record.id);
    if (it != pairs.end()) KeepInsertedPairFields(*it, record);
    MirrorPairWrite(mode, record);
    return true;
}

bool CDataStore::WriteYoung(WriteMode mode, YoungRecord& record) {
    const auto [cock, hen] = BirdsOfYoungsPair(mode, record);
    if (!CheckYoung(mode, record, cock, hen).Kept()) return false;
    const YoungRecord& r = record;
    if (mode == WriteMode::Insert) {
        const BoundStatement insert = InsertStatement(
            u"INSERT INTO dzieci(",
            {
                {u"uwagi", SqlText(r.uwagi)},
                {u"id_golebia", SqlInt(r.id_golebia)},
                {u"id_pary", SqlInt(r.id_pary)},
                {u"id_hodowli", SqlInt(r.id_hodowli)},
                {u"DataDodania", SqlDate(r.DataDodania)},
            });
        const std::int64_t id = Insert(u"dzieci", insert);
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        for (PairRecord& pair : pairs) {
            if (pair.id == record.id_pary) {
                pair.young.push_back(record);
            }
        }
        MirrorYoungWrite(WriteMode::Insert, record);
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!RunStatements({{u"DELETE FROM dzieci WHERE id = ?1;", {SqlInt(r.id)}}})) return false;
        for (PairRecord& pair : pairs) {
            const auto it = FindById(pair.young, r.id);
            if (it != pair.young.end()) pair.young.erase(it);
        }
        MirrorYoungWrite(WriteMode::Delete, record);
        return true;
    }
    if (record.id <= 0) return false;
    // Only the note and the young bird change; the pair, loft and date stay as inserted.
    const BoundStatement update = UpdateStatement(
        u"UPDATE dzieci SET ", {{u"uwagi", SqlText(r.uwagi)}, {u"id_golebia", SqlInt(r.id_golebia)}},
        r.id);
    if (!RunUpdate(update)) return false;
    for (PairRecord& pair : pairs) {
        for (YoungRecord& young : pair.young) {
            if (young.id != r.id) continue;
            young.uwagi = record.uwagi;
            young.id_golebia = record.id_golebia;
        }
    }
    MirrorYoungWrite(WriteMode::Update, record);
    return true;
}

// ---- flights and results -------------------------------------------------------------------------

namespace {

// The birds the results name.
std::vector<int> BirdsOf(const std::vector<FlightResultEntry>& results) {
    std::vector<int> ids;
    ids.reserve(results.size());
    for (const FlightResultEntry& result : results) ids.push_back(result.id_golebia);
    return ids;
}

// A flight's columns in the order both statements list them; the update leaves out `typ`, which
// stays as inserted.
std::vector<ColumnValue> FlightColumns(const FlightRecord& r, bool withType) {
    std::vector<ColumnValue> items = {
        {u"miejscowosc", SqlText(r.miejscowosc)},
        {u"pogodawmiejscuwypuszczenia", SqlText(r.pogodawmiejscuwypuszczenia)},
        {u"pogodalokalna", SqlText(r.pogodalokalna)},
        {u"notatki", SqlText(r.notatki)},
        {u"id_hodowli", SqlInt(r.id_hodowli)},
        {u"czasodlotu", SqlDate(r.czasodlotu)},
        {u"czas_pierwszego_w_konk", SqlDate(r.czas_pierwszego_w_konk)},
        {u"czas_ostatniego_w_konk", SqlDate(r.czas_ostatniego_w_konk)},
    };
    if (withType) items.push_back({u"typ", SqlInt(r.typ)});
    const std::vector<ColumnValue> rest = {
        {u"kategoria", SqlInt(r.kategoria)},
        {u"kategoria2", SqlInt(r.kategoria2)},
        {u"odleglosckm", SqlRounded(r.odleglosckm)},
        {u"odlegloscm", SqlInt(r.odlegloscm)},
        {u"liczba_hodowcow", SqlInt(r.liczba_hodowcow)},
        {u"golebi_oddzial", SqlInt(r.golebi_oddzial)},
        {u"golebi_sekcja", SqlInt(r.golebi_sekcja)},
        {u"konkursow_oddzial", SqlInt(r.konkursow_oddzial)},
        {u"konkursow_sekcja", SqlInt(r.konkursow_sekcja)},
        {u"wlozonychgolebi", SqlInt(r.wlozonychgolebi)},
        {u"iloscwkonkursie", SqlInt(r.iloscwkonkursie)},
        {u"DL_stopnie", SqlInt(r.DL_stopnie)},
        {u"DL_minuty", SqlInt(r.DL_minuty)},
        {u"DL_sekundy", SqlInt(r.DL_sekundy)},
        {u"SZ_stopnie", SqlInt(r.SZ_stopnie)},
        {u"SZ_minuty", SqlInt(r.SZ_minuty)},
        {u"SZ_sekundy", SqlInt(r.SZ_sekundy)},
        {u"czas_trwania_konkursu_g", SqlInt(r.czas_trwania_konkursu_g)},
        {u"czas_trwania_konkursu_m", SqlInt(r.czas_trwania_konkursu_m)},
        {u"czas_trwania_konkursu_s", SqlInt(r.czas_trwania_konkursu_s)},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

}  // namespace

bool CDataStore::WriteFlight(WriteMode mode, FlightRecord& record) {
    if (!CheckFlight(mode, record).Kept()) return false;
    const FlightRecord& r = record;
    if (mode == WriteMode::Insert) {
        const BoundStatement insert = InsertStatement(u"INSERT INTO loty(", FlightColumns(r, true));
        const std::int64_t id = Insert(u"loty", insert, {{u"lotniki", u"id_lotu"}});
        record.id = id > 0 ? static_cast<int>(id) : -1;
        if (id <= 0) return false;
        // A new flight has no results yet.
        FlightRecord stored = record;
        stored.entries.clear();
        stored.ocena = 0;
        flights.push_back(stored);
        allFlights.push_back(std::move(stored));
        return true;
    }
    if (mode == WriteMode::Delete) {
        // A flight's results go with it, so a later flight cannot show them.
        const SqlValue id = SqlInt(r.id);
        const bool ok = RunStatements({
            {u"DELETE FROM lotniki WHERE id_lotu = ?1;", {id}},
            {u"DELETE FROM loty WHERE id = ?1;", {id}},
        });
        if (!ok) return false;
        std::vector<int> flown;
        const auto it = FindById(flights, r.id);
        if (it != flights.end()) {
            flown = BirdsOf(it->entries);
            flights.erase(it);
        }
        const auto all = FindById(allFlights, r.id);
        if (all != allFlights.end()) allFlights.erase(all);
        RecountFlightStatistics(flown);
        return true;
    }
    if (record.id <= 0) return false;
    if (!RunUpdate(UpdateStatement(u"UPDATE loty SET ", FlightColumns(r, false), r.id))) {
        return false;
    }
    // The stored flight keeps its type (never rewritten), its `ocena` and its results.
    for (std::vector<FlightRecord>* list : {&flights, &allFlights}) {
        const auto it = FindById(*list, r.id);
        if (it == list->end()) continue;
        FlightRecord updated = record;
        updated.typ = it->typ;
        updated.ocena = it->ocena;
        updated.entries = std::move(it->entries);
        *it = std::move(updated);
    }
    // Its release, distance and place give its results' speeds and best place.
    if (const auto it = FindById(flights, r.id); it != flights.end()) {
        RecountFlightStatistics(BirdsOf(it->entries));
    }
    return true;
}

bool CDataStore::WriteFlightResult(WriteMode mode, FlightResultEntry& record,
                                   RecordOrigin origin) {
    if (!CheckFlightResult(mode, record, origin).Kept()) return false;
    const FlightResultEntry& r = record;
    if (mode == WriteMode::Insert) {
        const BoundStatement insert = InsertStatement(
            u"INSERT INTO lotniki(",
            {
                {u"notatki", SqlText(r.notatki)},
                {u"id_lotu", SqlInt(r.id_lotu)},
                {u"id_hodowli", SqlInt(r.id_hodowli)},
                {u"id_golebia", SqlInt(r.id_golebia)},
                {u"DataCzasPrzylotu", SqlDate(r.DataCzasPrzylotu)},
                {u"nr_konkursu", SqlInt(r.nr_konkursu)},
                {u"nr_konkursu_sekcja", SqlInt(r.nr_konkursu_sekcja)},
                {u"CoefficientOddzialowy", SqlFloat(r.CoefficientOddzialowy)},
                {u"CoefficientSekcyjny", SqlFloat(r.CoefficientSekcyjny)},
                {u"PunktyOddzial", SqlFloat(r.PunktyOddzial)},
                {u"PunktySekcja", SqlFloat(r.PunktySekcja)},
            });
        const std::int64_t id = Insert(u"lotniki", insert);
        record.id = id > 0 ? static_cast<int>(id) : -1;
        if (id <= 0) return false;
        for (FlightRecord& flight : flights) {
            if (flight.id == record.id_lotu) {
                flight.entries.push_back(record);
            }
        }
        CountAddedResult(record);
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!RunStatements({{u"DELETE FROM lotniki WHERE id = ?1;", {SqlInt(r.id)}}})) {
            return false;
        }
        std::vector<int> flown;
        for (FlightRecord& flight : flights) {
            std::erase_if(flight.entries, [&r, &flown](const FlightResultEntry& entry) {
                if (entry.id != r.id) return false;
                flown.push_back(entry.id_golebia);
                return true;
            });
        }
        RecountFlightStatistics(flown);
        return true;
    }
    if (record.id <= 0) return false;
    // The flight and loft of a result stay as inserted; its bird is the one the editor chose.
    const BoundStatement update = UpdateStatement(
        u"UPDATE lotniki SET ",
        {
            {u"notatki", SqlText(r.notatki)},
            {u"DataCzasPrzylotu", SqlDate(r.DataCzasPrzylotu)},
            {u"CoefficientOddzialowy", SqlFloat(r.CoefficientOddzialowy)},
            {u"CoefficientSekcyjny", SqlFloat(r.CoefficientSekcyjny)},
            {u"PunktyOddzial", SqlFloat(r.PunktyOddzial)},
            {u"PunktySekcja", SqlFloat(r.PunktySekcja)},
            {u"nr_konkursu_sekcja", SqlInt(r.nr_konkursu_sekcja)},
            {u"nr_konkursu", SqlInt(r.nr_konkursu)},
            {u"id_golebia", SqlInt(r.id_golebia)},
        },
        r.id);
    if (!RunUpdate(update)) return false;
    // The flight and loft of the stored result stay as inserted. Its bird may change: both the
    // bird it leaves and the bird it goes to are counted again.
    std::vector<int> flown;
    for (FlightRecord& flight : flights) {
        for (FlightResultEntry& entry : flight.entries) {
            if (entry.id != r.id) continue;
            const FlightResultEntry kept = entry;
            entry = record;
            entry.id_lotu = kept.id_lotu;
            entry.id_hodowli = kept.id_hodowli;
            flown.push_back(kept.id_golebia);
            flown.push_back(entry.id_golebia);
        }
    }
    RecountFlightStatistics(flown);
    return true;
}

void CDataStore::CountAddedResult(const FlightResultEntry& result) {
    // A load counts the last flight's results last, so a result appended to that flight only
    // adds to what was counted before: the import adds thousands of results this way.
    if (!flights.empty() && flights.back().id == result.id_lotu) {
        if (const auto bird = pigeons.find(result.id_golebia); bird != pigeons.end()) {
            dsinternal::CountResult(bird->second, result, flights.back());
        }
        return;
    }
    RecountFlightStatistics({result.id_golebia});
}

void CDataStore::RecountFlightStatistics(std::vector<int> pigeonIds) {
    std::sort(pigeonIds.begin(), pigeonIds.end());
    pigeonIds.erase(std::unique(pigeonIds.begin(), pigeonIds.end()), pigeonIds.end());
    bool anyBird = false;
    for (int id : pigeonIds) {
        const auto bird = pigeons.find(id);
        if (bird == pigeons.end()) continue;
        dsinternal::ClearFlightStatistics(bird->second);
        anyBird = true;
    }
    if (!anyBird) return;
    dsinternal::CountFlightResults(flights, [&](int id) -> PigeonRecord* {
        const auto at = std::lower_bound(pigeonIds.begin(), pigeonIds.end(), id);
        if (at == pigeonIds.end() || *at != id) return nullptr;
        const auto bird = pigeons.find(id);
        return bird == pigeons.end() ? nullptr : &bird->second;
    });
}
