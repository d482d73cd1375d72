#include "Rankings.h"

#include <algorithm>

namespace {
constexpr int kRankedAboveResults = 10;
}  // namespace

std::vector<PigeonRecord> RankBestPigeons(const CDataStore& store) {
    std::vector<PigeonRecord> ranking;
    for (const auto& [id, bird] : store.Pigeons()) {
        if (bird.flightCount > kRankedAboveResults) ranking.push_back(bird);
    }
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const PigeonRecord& a, const PigeonRecord& b) {
                         return a.averagePosition < b.averagePosition;
                     });
    return ranking;
}

PigeonResults CollectPigeonResults(const CDataStore& store, int birdId) {
    PigeonResults results;
    constexpr int kNoBest = 10000;
    int best = kNoBest;
    long long sum = 0;
    for (const FlightRecord& flight : store.Flights()) {
        for (const FlightResultEntry& entry : flight.entries) {
            if (entry.id_golebia != birdId) continue;
            PigeonResultRow row;
            row.flight = flight;
            row.flight.entries.clear();
            row.position = entry.nr_konkursu;
            row.speed = flight.SpeedOf(entry);
            row.arrival = entry.DataCzasPrzylotu;
            if (row.position > 0 && row.position < best) best = row.position;
            sum += row.position;
            results.rows.push_back(std::move(row));
        }
    }
    results.count = static_cast<int>(results.rows.size());
    results.bestPosition = best == kNoBest ? 0 : best;
    results.averagePosition = results.count ? static_cast<int>(sum / results.count) : 0;
    return results;
}

std::vector<PairRecord> RankBestPairs(const CDataStore& store) {
    auto sameParents = [](const PairRecord& a, const PairRecord& b) {
        return a.id_samca == b.id_samca && a.id_samicy == b.id_samicy;
    };
    // One pair per male and female: the first of them in the loft's order.
    std::vector<PairRecord> ranking;
    for (const PairRecord& pair : store.Pairs()) {
        const bool seen = std::any_of(ranking.begin(), ranking.end(),
                                      [&](const PairRecord& kept) { return sameParents(kept, pair); });
        if (!seen) ranking.push_back(pair);
    }
    for (PairRecord& pair : ranking) {
        pair.young.clear();
        long long sum = 0;
        // The young of every record of these parents count, each as often as it is listed.
        for (const PairRecord& record : store.Pairs()) {
            if (!sameParents(record, pair)) continue;
            for (const YoungRecord& young : record.young) {
                const PigeonRecord& bird = store.FindPigeon(young.id_golebia);
                if (bird.flightCount <= 0) continue;
                pair.young.push_back(young);
                sum += bird.averagePosition;
            }
        }
        // A signed division: a negative sum (negative positions typed in) stays negative
        // instead of wrapping round to a huge score.
        pair.score = pair.young.empty()
                         ? kUnracedPairScore
                         : static_cast<int>(sum / static_cast<long long>(pair.young.size()));
    }
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const PairRecord& a, const PairRecord& b) { return a.score < b.score; });
    return ranking;
}
