// The rules that every stored pair, young, flight and flight result keeps. The write methods
// refuse a record that breaks one; the windows and the import ask first, to say why.

#include <algorithm>

#include "DataStore.h"
#include "Lineage.h"

namespace {

const YoungRecord* FindYoung(const std::vector<PairRecord>& pairs, int youngId) {
    for (const PairRecord& pair : pairs) {
        for (const YoungRecord& young : pair.young) {
            if (young.id == youngId) return &young;
        }
    }
    return nullptr;
}

const FlightResultEntry* FindResult(const std::vector<FlightRecord>& flights, int resultId) {
    for (const FlightRecord& flight : flights) {
        for (const FlightResultEntry& entry : flight.entries) {
            if (entry.id == resultId) return &entry;
        }
    }
    return nullptr;
}

}  // namespace

RuleCheck CDataStore::CheckPair(WriteMode mode, const PairRecord& record) const {
    if (mode == WriteMode::Delete) return {};
    if (record.id_samca > 0 && record.id_samca == record.id_samicy) {
        return {RecordRule::PairOfOneBird};
    }
    // A new pair has no young yet; an edited one keeps every young it holds in any loft, and
    // those have its birds as parents.
    if (mode != WriteMode::Update) return {};
    const auto held = std::find_if(allPairs.begin(), allPairs.end(),
                                   [&](const PairRecord& pair) { return pair.id == record.id; });
    if (held == allPairs.end()) return {};
    const std::set<int> line = BirdsAndForebears(pigeons, {record.id_samca, record.id_samicy});
    for (const YoungRecord& young : held->young) {
        if (young.id_golebia > 0 && line.count(young.id_golebia) != 0) {
            return {RecordRule::PairYoungInItsLine, young.id};
        }
    }
    return {};
}

RuleCheck CDataStore::CheckYoung(WriteMode mode, const YoungRecord& record, int fatherId,
                                 int motherId) const {
    const int bird = record.id_golebia;
    if (mode == WriteMode::Delete || bird <= 0) return {};
    if (mode == WriteMode::Update) {
        const YoungRecord* held = FindYoung(allPairs, record.id);
        if (held && held->id_golebia == bird) return {};
    }
    if (bird == fatherId || bird == motherId) return {RecordRule::YoungIsPairBird};
    if (BirdsAndForebears(pigeons, {fatherId, motherId}).count(bird) != 0) {
        return {RecordRule::YoungIsForebear};
    }
    // A bird has one father and one mother, so it is the young of one pair, and once only.
    for (const PairRecord& pair : allPairs) {
        for (const YoungRecord& young : pair.young) {
            const bool itself = mode == WriteMode::Update && young.id == record.id;
            if (!itself && young.id_golebia == bird) return {RecordRule::YoungOfAnotherPair, pair.id};
        }
    }
    return {};
}

RuleCheck CDataStore::CheckFlight(WriteMode mode, const FlightRecord& record) const {
    // A new flight has no results yet; a deleted one takes its results along.
    if (mode != WriteMode::Update || record.czasodlotu <= 0) return {};
    const auto held = std::find_if(flights.begin(), flights.end(), [&](const FlightRecord& flight) {
        return flight.id == record.id;
    });
    // A flight a file holds with an arrival at or before its release keeps it until the release
    // is changed, as a result keeps its arrival, so its other fields stay editable.
    if (held == flights.end() || held->czasodlotu == record.czasodlotu) return {};
    // A bird that arrives at the release itself has no time in the air and so no speed. A stored
    // 0 is an empty date column, not set like -1.
    const FlightResultEntry* earliest = nullptr;
    for (const FlightResultEntry& entry : held->entries) {
        if (entry.DataCzasPrzylotu <= 0) continue;
        if (!earliest || entry.DataCzasPrzylotu < earliest->DataCzasPrzylotu) earliest = &entry;
    }
    if (earliest && earliest->DataCzasPrzylotu <= record.czasodlotu) {
        return {RecordRule::ReleaseAfterArrival, earliest->id};
    }
    return {};
}

RuleCheck CDataStore::CheckFlightResult(WriteMode mode, const FlightResultEntry& record,
                                        RecordOrigin origin) const {
    if (mode == WriteMode::Delete) return {};
    // An edited result stays in the flight it was written to.
    const FlightResultEntry* held =
        mode == WriteMode::Update ? FindResult(flights, record.id) : nullptr;
    const int flightId = held ? held->id_lotu : record.id_lotu;
    const auto flight = std::find_if(flights.begin(), flights.end(),
                                     [&](const FlightRecord& f) { return f.id == flightId; });
    if (flight == flights.end()) return {};

    // An arrival at or before the release leaves the bird no time in the air, so no speed, and
    // its 0 would pull the bird's average down. A stored result keeps its arrival until it is
    // changed, and the import keeps what the old files hold.
    const Time64 arrival = record.DataCzasPrzylotu;
    const bool arrivalKept = held && held->DataCzasPrzylotu == arrival;
    if (origin == RecordOrigin::Typed && !arrivalKept && arrival > 0 && flight->czasodlotu > 0 &&
        arrival <= flight->czasodlotu) {
        return {RecordRule::ArrivalNotAfterRelease};
    }

    const int bird = record.id_golebia;
    if (bird <= 0 || (held && held->id_golebia == bird)) return {};
    for (const FlightResultEntry& entry : flight->entries) {
        const bool itself = mode == WriteMode::Update && entry.id == record.id;
        if (!itself && entry.id_golebia == bird) return {RecordRule::BirdTwiceInFlight, entry.id};
    }
    return {};
}

std::pair<int, int> CDataStore::BirdsOfYoungsPair(WriteMode mode, const YoungRecord& record) const {
    // An update keeps the young in the pair it was written to.
    const PairRecord* found = nullptr;
    for (const PairRecord& pair : allPairs) {
        const bool holds = std::any_of(pair.young.begin(), pair.young.end(),
                                       [&](const YoungRecord& young) { return young.id == record.id; });
        if (mode == WriteMode::Update && holds) {
            found = &pair;
            break;
        }
        if (!found && pair.id == record.id_pary) found = &pair;
    }
    return found ? std::pair{found->id_samca, found->id_samicy} : std::pair{0, 0};
}

std::set<int> CDataStore::BirdsLinkedAsYoung(int exceptYoungId) const {
    std::set<int> birds;
    for (const PairRecord& pair : allPairs) {
        for (const YoungRecord& young : pair.young) {
            if (young.id != exceptYoungId && young.id_golebia > 0) birds.insert(young.id_golebia);
        }
    }
    return birds;
}
