#include "DataStore.h"

#include "SharedRoutines.h"

CDataStore& TheDataStore() {
    static CDataStore store;
    return store;
}

// ---- lookups for display ----------------------------------------------------------------------
// A window that shows a missing parent, owner or breeder gets a blank record; the maps are never
// given phantom entries (those would be listed, counted and written back as if they were real).

namespace {

template <typename Map>
const typename Map::mapped_type& FindOrEmpty(const Map& map, int id) {
    static const typename Map::mapped_type empty{};
    const auto it = map.find(id);
    return it != map.end() ? it->second : empty;
}

}  // namespace

const PigeonRecord& CDataStore::FindPigeon(int id) const { return FindOrEmpty(pigeons, id); }

const PersonRecord& CDataStore::FindClient(int id) const { return FindOrEmpty(clients, id); }

const PersonRecord& CDataStore::FindBreeder(int id) const { return FindOrEmpty(breeders, id); }

const Text& CDataStore::FindName(const NameMap& names, int id) { return FindOrEmpty(names, id); }

int CDataStore::FindLoftIndex(int loftId) const {
    for (size_t i = 0; i < lofts.size(); ++i) {
        if (lofts[i].id == loftId) return static_cast<int>(i);
    }
    return -1;
}

const PigeonRecord* CDataStore::FindOtherPigeonWithRing(const PigeonRecord& bird) const {
    // A bird not yet ringed (no number, or blanks only) is told apart by nothing else, so it
    // matches nobody.
    if (TrimBlanks(bird.nr_obraczki).empty()) return nullptr;
    for (const auto& [id, other] : pigeons) {
        if (id != bird.id && other.id_hodowli == bird.id_hodowli && other.HasSameRing(bird)) {
            return &other;
        }
    }
    return nullptr;
}

// ---- statements of the windows ----------------------------------------------------------------

bool CDataStore::ExecSqlOnFile(const Text& path, const Text& sql) {
    return ExecSqlOnFile(path, sql, {});
}

bool CDataStore::ExecSqlOnFile(const Text& path, const Text& sql,
                               const std::vector<SqlValue>& values) {
    SqlDatabase db(path);
    if (!db.ok()) return false;
    // One statement, stepped once: a query's first row (if any) is discarded.
    return db.Exec(sql, values);
}

std::vector<CategoryMember> CDataStore::LoadCategoryMembers(int categoryId) const {
    std::vector<CategoryMember> members;
    SqlDatabase db(PigeonsDbPath());
    SqlStatement st = db.Prepare(
        u"SELECT id, id_kategorii, id_golebia FROM kategoria_id WHERE id_kategorii = ?1 "
        u"ORDER BY id;");
    if (!st.Bind({SqlInt(categoryId)})) return members;
    while (st.NextRow()) {
        members.push_back(CategoryMember{st.Int(0), st.Int(1), st.Int(2)});
    }
    return members;
}

std::vector<int> CDataStore::LoadIldList() const {
    std::vector<int> ids;
    SqlDatabase db(ExtraDbPath());
    SqlStatement st = db.Prepare(u"SELECT id_golebia FROM ild ORDER BY id;");
    while (st.NextRow()) ids.push_back(st.Int(0));
    return ids;
}

std::vector<IldEntry> CDataStore::LoadIldEntries() const {
    std::vector<IldEntry> entries;
    SqlDatabase db(ExtraDbPath());
    SqlStatement st = db.Prepare(u"SELECT id, id_golebia FROM ild ORDER BY id;");
    while (st.NextRow()) entries.push_back(IldEntry{st.Int(0), st.Int(1)});
    return entries;
}
