#pragma once
// The flight-results page of a pair's offspring: the pair's two birds with their first photos,
// then one row per offspring with its average and best contest position and average speed.

#include <vector>

#include "Records.h"

// Writes the flight-results page of a pair's offspring to `path` as UTF-16LE with a byte-order
// mark, replacing what was there only once the whole page is written. False when it could not.
bool BuildPairResultsHtml(const Text& path, const std::vector<PigeonRecord>& birds,
                          const PairRecord& pair);
