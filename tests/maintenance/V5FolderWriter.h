#pragma once
// Writes folders in the previous version's file layout, for the reader's and the import's tests
// and for benchmarks. Values that the reader steps over are written as non-zero filler, so a
// reader that steps over too little or too much reads nonsense instead of zeros.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "V5Data.h"

namespace v5write {

using Bytes = std::vector<std::uint8_t>;

// The bytes of each kind of file.
Bytes IdsBytes(const std::vector<Text>& ids);
Bytes IdsBytes(double count, const std::vector<Text>& ids);  // a count of one's own
Bytes LoftsBytes(const std::vector<std::string>& byteNames);
Bytes PigeonBytes(const V5PigeonRecord& bird);
// A bird file whose first list claims `claimedFirst` entries and holds bird.firstList.
Bytes PigeonBytes(const V5PigeonRecord& bird, std::int32_t claimedFirst);
Bytes LoftPigeonsBytes(const V5LoftRecord& loft);
Bytes BreedingsBytes(const V5LoftRecord& loft);
Bytes FlightsBytes(const V5LoftRecord& loft);
Bytes NotesBytes(const V5LoftRecord& loft);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

// The whole folder: database/IDS with the birds' ids, a file per bird with an id, lofts.dat and
// each loft's four files.
void WriteFolder(const std::filesystem::path& folder, const std::vector<V5PigeonRecord>& birds,
                 const std::vector<V5LoftRecord>& lofts);

// A bird with an id, ring texts made from `n` and the given parents and sex.
V5PigeonRecord Bird(int n, const Text& fatherId = {}, const Text& motherId = {}, int sex = -1);
// A date as the files hold it.
V5Date Date(int day, int month, int year, int hour = 0, int minute = 0, int second = 0);

// A large folder for benchmarks: `birds` birds in one loft with ten groups, `pairs` pairs with
// two young each in one breeding season, and `flights` flights with `resultsPerFlight` results.
void WriteLargeFolder(const std::filesystem::path& folder, int birds = 10000, int pairs = 1000,
                      int flights = 200, int resultsPerFlight = 50);

}  // namespace v5write
