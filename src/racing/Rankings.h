#pragma once
// The rankings of the loaded loft's racers: the birds with more than ten results by their
// average position, the breeding pairs by the average position of their raced young, and one
// bird's results flight by flight with its figures.

#include <vector>

#include "DataStore.h"

// Birds with more than ten results in the loaded loft, lowest average position first; birds
// with equal averages keep the bird map's (id) order.
std::vector<PigeonRecord> RankBestPigeons(const CDataStore& store);

// One result of a bird: its flight (without the flight's other results) and the result.
struct PigeonResultRow {
    FlightRecord flight;
    int position = 0;
    float speed = 0.0f;   // metres per minute
    Time64 arrival = kNoDate;
};

// A bird's results in the loaded loft's flights, in flight order, with their average position
// (truncated), their number and the best position above 0 (0 when there is none).
struct PigeonResults {
    std::vector<PigeonResultRow> rows;
    int averagePosition = 0;
    int count = 0;
    int bestPosition = 0;
};
PigeonResults CollectPigeonResults(const CDataStore& store, int birdId);

// The loaded loft's pairs, one per male and female, each with the young of every pair of those
// parents that have raced and a score: the average of those young's average positions
// (truncated), or 50000 without any. Lowest score first; equal scores keep the pairs' order.
inline constexpr int kUnracedPairScore = 50000;
std::vector<PairRecord> RankBestPairs(const CDataStore& store);
