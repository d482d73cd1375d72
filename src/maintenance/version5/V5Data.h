#pragma once
// The previous major version's data folder, read whole into memory. Its files have a fixed
// little-endian layout:
//   int32     a signed 32-bit integer; float and double are IEEE singles and doubles
//   text      int32 count of UTF-16 units (the terminating zero unit included), then the units;
//             the text is what precedes the first zero unit
//   date      six int32: hour, minute, second, day, month (1-12), year
//   byte name int32 byte count (the terminating zero byte included, at most 32), then the bytes
// Many values are read only to step over them. Nothing here writes anything or knows about the
// program's database files; the import (V5Import.h) turns what was read into records.
//
// The reader trusts no count: a list whose entries cannot fit in what is left of the file, a
// negative count, a text running past the end, a value cut off by the end of the file or a loft
// name longer than 32 bytes makes the whole load fail with the file and the reason. A file that
// is missing or empty holds nothing (an empty folder loads as no lofts and no birds).

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Records.h"

// A group of a loft (the import makes a category of it): its texts, the first being its name,
// and its members' bird ids in file order.
struct V5GroupRecord {
    std::vector<Text> texts;  // seven
    std::vector<Text> memberIds;
    const Text& Name() const { return texts.at(0); }
};

struct V5YoungRecord {
    Text pigeonId;
    Text notes;
};

struct V5PairRecord {
    Text cockId;
    Text henId;
    std::vector<Text> texts;  // six; the first is the pair's notes
    std::vector<V5Date> dates;  // five
    Text lastText;
    std::vector<V5YoungRecord> young;
};

struct V5BreedingSeasonRecord {
    std::vector<Text> texts;  // seven
    std::int32_t number = 0;
    V5Date date;        // the import takes the season's year from it
    V5Date secondDate;  // the file holds two more dates here; the later one is kept
    std::vector<V5PairRecord> pairs;
};

struct V5FlightResultRecord {
    Text pigeonId;
    Text notes;
    std::vector<Text> otherTexts;  // two
    V5Date arrival;
    std::vector<V5Date> otherDates;  // two
    std::int32_t branchPosition = 0;
    std::int32_t sectionPosition = 0;
    float branchCoefficient = 0.0f;
    float sectionCoefficient = 0.0f;
    float branchPoints = 0.0f;
    float sectionPoints = 0.0f;
};

struct V5FlightRecord {
    std::int32_t type = 0;
    std::int32_t breeders = 0;
    std::vector<std::int32_t> otherNumbers;  // seven
    double distanceKm = 0.0;
    std::int32_t distanceM = 0;
    std::int32_t branchBirds = 0;
    std::int32_t sectionBirds = 0;
    std::int32_t sectionCompetitions = 0;
    std::int32_t branchCompetitions = 0;
    std::int32_t basketed = 0;
    std::int32_t inCompetition = 0;
    // Eleven texts: release place, local weather, weather at the release point, notes, then
    // seven more.
    std::vector<Text> texts;
    // Nine dates: the release, the competition's duration (hour, minute, second), then seven more.
    std::vector<V5Date> dates;
    std::vector<V5FlightResultRecord> results;
};

struct V5FlightSeriesRecord {
    std::int32_t number = 0;
    std::vector<Text> texts;    // seven
    std::vector<V5Date> dates;  // five
    std::vector<V5FlightRecord> flights;
};

struct V5NoteRecord {
    std::vector<Text> texts;  // two
};

struct V5LoftRecord {
    std::string byteName;     // from lofts.dat; names the loft's four files
    std::vector<Text> texts;  // seven, from the head of the .pigeons file; the first is its name
    std::vector<V5GroupRecord> groups;
    std::vector<V5BreedingSeasonRecord> breedingSeasons;
    std::vector<V5FlightSeriesRecord> flightSeries;
    std::vector<V5NoteRecord> notes;
    Text DisplayName() const { return texts.empty() ? Text() : texts.front(); }
};

// Why a load failed, and in which file.
struct V5ReadError {
    enum Kind {
        None,
        Unreadable,   // the file exists but cannot be read
        Truncated,    // the file ends inside a value
        BadCount,     // a negative count, or more entries or units than the file can hold
        NameTooLong,  // a loft's byte name longer than 32 bytes
        BadName,      // a bird id or loft name that cannot name a file
    };
    Kind kind = None;
    std::filesystem::path file;
    explicit operator bool() const { return kind != None; }
};

class V5Data {
public:
    std::vector<V5PigeonRecord> pigeons;          // IDS order
    std::vector<V5LoftRecord> lofts;              // lofts.dat order
    std::map<Text, std::size_t> pigeonIndex;      // bird id (as its file gives it) -> index

    // Reads the whole folder (the one holding `database/`): the birds first, then the lofts
    // with their four files each. On failure the object is left empty and the error names the
    // file and the reason.
    V5ReadError LoadAll(const std::filesystem::path& folder);

    // The file names of the folder's layout.
    static std::filesystem::path IdsFile(const std::filesystem::path& folder);
    static std::filesystem::path LoftsFile(const std::filesystem::path& folder);
    // A bird's file under the id as this system spells it (UTF-8); the reader also finds it
    // under the 8-bit names of the previous version (see ReadPigeon).
    static std::filesystem::path PigeonFile(const std::filesystem::path& folder, const Text& id);
    static std::filesystem::path PigeonFileByName(const std::filesystem::path& folder,
                                                  const std::string& fileName);
    // `extension` is one of ".pigeons", ".breedings", ".fly", ".notes".
    static std::filesystem::path LoftFile(const std::filesystem::path& folder,
                                          const std::string& byteName, const char* extension);

    // The parsers of each file, on the file's bytes (for tests and fuzzing); each returns why
    // the bytes are not a whole file of its kind, or None.
    static V5ReadError::Kind ParseIds(const std::vector<std::uint8_t>& bytes,
                                      std::vector<Text>& ids);
    static V5ReadError::Kind ParseLofts(const std::vector<std::uint8_t>& bytes,
                                        std::vector<std::string>& byteNames);
    static V5ReadError::Kind ParsePigeon(const std::vector<std::uint8_t>& bytes,
                                         V5PigeonRecord& bird);
    static V5ReadError::Kind ParseLoftPigeons(const std::vector<std::uint8_t>& bytes,
                                              V5LoftRecord& loft);
    static V5ReadError::Kind ParseBreedings(const std::vector<std::uint8_t>& bytes,
                                            V5LoftRecord& loft);
    static V5ReadError::Kind ParseFlights(const std::vector<std::uint8_t>& bytes,
                                          V5LoftRecord& loft);
    static V5ReadError::Kind ParseNotes(const std::vector<std::uint8_t>& bytes, V5LoftRecord& loft);

private:
    V5ReadError ReadIds(const std::filesystem::path& folder);
    // -1 without reading anything when the bird's id is empty; 1 otherwise (its file read when
    // there is one). The file is looked for under the id in UTF-8, under the id cut to its
    // characters' low bytes (as the previous version named it) and under those bytes read in
    // the Central European code page (a folder copied from that version's system).
    int ReadPigeon(const std::filesystem::path& folder, V5PigeonRecord& bird, V5ReadError& error);
    V5ReadError ReadLoftFiles(const std::filesystem::path& folder, V5LoftRecord& loft);
};

// A name in the Windows code page for Central European languages (1250), in which the previous
// version wrote its loft names, as UTF-8: the name a folder copied to another system shows.
// Empty when a byte has no character in that code page (or is zero).
std::string CentralEuropeanToUtf8(const std::string& bytes);
