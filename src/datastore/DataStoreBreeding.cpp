// Young birds of a pair written together with the parents they get from the pair, so that the
// pair's young list and the bird register never disagree about who the parents are.

#include "DataStore.h"
#include "DataStoreInternal.h"
#include "Lineage.h"
#include "SharedRoutines.h"

using dsinternal::SqlDate;

namespace {

// Gives the bird the pair's male and female; counts only when the bird's row was there.
bool WriteParents(SqlDatabase& db, int birdId, int fatherId, int motherId) {
    return db.Exec(u"UPDATE pigeons SET id_ojca = ?1, id_matki = ?2 WHERE id = ?3;",
                   {SqlInt(fatherId), SqlInt(motherId), SqlInt(birdId)}) &&
           db.Changes() == 1;
}

void SetParentsInMemory(PigeonMap& pigeons, int birdId, int fatherId, int motherId) {
    const auto it = pigeons.find(birdId);
    if (it == pigeons.end()) return;
    it->second.id_ojca = fatherId;
    it->second.id_matki = motherId;
}

}  // namespace

std::set<int> BirdsAndForebears(const PigeonMap& pigeons, const std::vector<int>& birdIds) {
    std::set<int> seen;
    std::vector<int> pending = birdIds;
    while (!pending.empty()) {
        const int id = pending.back();
        pending.pop_back();
        if (id <= 0 || !seen.insert(id).second) continue;
        const auto bird = pigeons.find(id);
        if (bird == pigeons.end()) continue;
        pending.push_back(bird->second.id_ojca);
        pending.push_back(bird->second.id_matki);
    }
    return seen;
}

bool CDataStore::AddYoungWithParents(YoungRecord& record, int fatherId, int motherId) {
    // A bird that is one of the pair or a forebear of one would become its own ancestor; one
    // that is a young already has other parents.
    if (!CheckYoung(WriteMode::Insert, record, fatherId, motherId).Kept()) return false;
    SqlDatabase db(PigeonsDbPath());
    SqlTransaction tx(db);
    if (!tx.ok() || !WriteParents(db, record.id_golebia, fatherId, motherId)) return false;
    if (!db.Exec(u"INSERT INTO dzieci(uwagi, id_golebia, id_pary, id_hodowli, DataDodania) "
                 u"VALUES ( ?1, ?2, ?3, ?4, ?5 );",
                 {SqlText(record.uwagi), SqlInt(record.id_golebia), SqlInt(record.id_pary),
                  SqlInt(record.id_hodowli), SqlDate(record.DataDodania)}) ||
        db.Changes() != 1) {
        return false;
    }
    const std::int64_t id = db.LastInsertRowId();
    if (!dsinternal::FitsRecordId(id) || !tx.Commit()) return false;

    record.id = static_cast<int>(id);
    SetParentsInMemory(pigeons, record.id_golebia, fatherId, motherId);
    for (PairRecord& pair : pairs) {
        if (pair.id == record.id_pary) {
            pair.young.push_back(record);
        }
    }
    MirrorYoungWrite(WriteMode::Insert, record);
    return true;
}

bool CDataStore::UpdateYoungWithParents(YoungRecord& record, int previousBirdId, int fatherId,
                                        int motherId) {
    const bool relinked = record.id_golebia != previousBirdId;
    if (relinked && !CheckYoung(WriteMode::Update, record, fatherId, motherId).Kept()) return false;
    SqlDatabase db(PigeonsDbPath());
    SqlTransaction tx(db);
    if (!tx.ok()) return false;
    if (!db.Exec(u"UPDATE dzieci SET uwagi = ?1, id_golebia = ?2 WHERE id = ?3;",
                 {SqlText(record.uwagi), SqlInt(record.id_golebia), SqlInt(record.id)}) ||
        db.Changes() != 1) {
        return false;
    }
    if (relinked && !WriteParents(db, record.id_golebia, fatherId, motherId)) return false;
    if (!tx.Commit()) return false;

    if (relinked) SetParentsInMemory(pigeons, record.id_golebia, fatherId, motherId);
    for (PairRecord& pair : pairs) {
        for (YoungRecord& young : pair.young) {
            if (young.id != record.id) continue;
            young.uwagi = record.uwagi;
            young.id_golebia = record.id_golebia;
        }
    }
    MirrorYoungWrite(WriteMode::Update, record);
    return true;
}

void CDataStore::MirrorPairWrite(WriteMode mode, const PairRecord& record) {
    if (mode == WriteMode::Insert) {
        allPairs.push_back(record);
        return;
    }
    const int id = record.id;
    for (auto it = allPairs.begin(); it != allPairs.end(); ++it) {
        if (it->id != id) continue;
        if (mode == WriteMode::Delete) {
            allPairs.erase(it);
            return;
        }
        KeepInsertedPairFields(*it, record);
        return;
    }
}

void CDataStore::MirrorYoungWrite(WriteMode mode, const YoungRecord& record) {
    for (PairRecord& pair : allPairs) {
        if (mode == WriteMode::Insert) {
            if (pair.id == record.id_pary) pair.young.push_back(record);
            continue;
        }
        for (auto it = pair.young.begin(); it != pair.young.end(); ++it) {
            if (it->id != record.id) continue;
            if (mode == WriteMode::Delete) {
                pair.young.erase(it);
            } else {
                // An update rewrites the notes and the bird only, as the file does.
                it->uwagi = record.uwagi;
                it->id_golebia = record.id_golebia;
            }
            break;
        }
    }
}
