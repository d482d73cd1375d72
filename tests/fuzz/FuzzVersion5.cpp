// Fuzz target: the reader of the previous version's data files. The first byte picks the kind of
// file (the bird list, the loft list, a bird, and a loft's birds, breedings, flights and notes),
// the rest is the file. Whatever the bytes, the parser must refuse or read without crashing or
// sizing anything by a count the file claims, and the dates it read must convert (or be refused)
// as the import converts them.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "V5Data.h"
#include "V5Import.h"

namespace {

void ConvertDates(const V5LoftRecord& loft) {
    for (const V5BreedingSeasonRecord& season : loft.breedingSeasons) {
        V5PairDate(season);
        V5LocalTime(season.date);
        for (const V5PairRecord& pair : season.pairs)
            for (const V5Date& date : pair.dates) V5LocalTime(date);
    }
    for (const V5FlightSeriesRecord& series : loft.flightSeries)
        for (const V5FlightRecord& flight : series.flights) {
            for (const V5Date& date : flight.dates) V5LocalTime(date);
            for (const V5FlightResultRecord& result : flight.results) V5LocalTime(result.arrival);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::vector<std::uint8_t> bytes(data + 1, data + size);
    V5LoftRecord loft;
    switch (data[0] % 7) {
    case 0: {
        std::vector<Text> ids;
        V5Data::ParseIds(bytes, ids);
        break;
    }
    case 1: {
        std::vector<std::string> names;
        V5Data::ParseLofts(bytes, names);
        break;
    }
    case 2: {
        V5PigeonRecord bird;
        V5Data::ParsePigeon(bytes, bird);
        break;
    }
    case 3: V5Data::ParseLoftPigeons(bytes, loft); break;
    case 4: V5Data::ParseBreedings(bytes, loft); break;
    case 5: V5Data::ParseFlights(bytes, loft); break;
    default: V5Data::ParseNotes(bytes, loft); break;
    }
    ConvertDates(loft);
    return 0;
}
