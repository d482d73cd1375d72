#pragma once
// Column sets of the program's configurable lists and the small files that keep them:
// rows.dat (the bird list), rows2.dat (the list export) and rows3.dat (a bird's flight-results
// printout). Each file is a run of signed 32-bit little-endian numbers: the count of columns,
// then for each column, in display order, its code and its width.
//
// Also the codes of the bird-list columns and of the flight-result columns with their texts.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Records.h"

// ---- the layout file ---------------------------------------------------------------------------

struct ColumnLayoutFile {
    // Column codes in display order; the same code may appear more than once.
    std::vector<std::int32_t> codes;
    // Width per code (not per column): a code stored twice keeps the width read last.
    std::map<std::int32_t, std::int32_t> widths;

    // Width of a code; 0 for a code without one.
    std::int32_t WidthOf(std::int32_t code) const;

    // The file's bytes for these columns: count, then code and width of each (0 for a code
    // without a width).
    std::string Encode() const;
    // Reads the columns from a file's bytes. A file that ends early gives the pairs that are
    // there in full; a count below 0 counts as 0. False when the bytes held less than the
    // count announced (or not even a count).
    bool Decode(const std::string& bytes);

    // Replaces the columns with the file's. A missing or unreadable file leaves no columns.
    // False when the file could not be read or was cut short.
    bool Read(const Text& path);
    // Writes the whole file through a temporary file, so a failed write leaves the file that
    // was there. False when it could not be written.
    bool Write(const Text& path) const;
};

// Places of the three files, in the install folder.
Text ListLayoutPath();           // rows.dat: the bird list, widths in pixels
Text ExportLayoutPath();         // rows2.dat: the list export, widths in millimetres
Text FlightResultLayoutPath();   // rows3.dat: flight results printout, widths in millimetres

// ---- bird-list columns -------------------------------------------------------------------------

enum ListColumnCode : std::int32_t {
    ListColumnLp = 0,           // blank cell
    ListColumnName = 1,         // nazwa
    ListColumnSex = 2,
    ListColumnColour = 3,
    ListColumnNote = 4,         // blank cell
    ListColumnFather = 5,
    ListColumnMother = 6,
    ListColumnBreeder = 7,
    ListColumnOwner = 8,
    ListColumnBreed = 9,
    ListColumnNickname = 10,    // blank cell
    ListColumnPhoto = 11,
    ListColumnLine = 12,
    ListColumnRoofDate = 13,
    ListColumnCountry = 14,
    ListColumnBranch = 15,
    ListColumnRing = 16,
    ListColumnYear = 17,
    ListColumnStatus = 18,
    ListColumnRating = 19,
};
inline constexpr std::int32_t kListColumnCodeCount = 20;

// Header text of a bird-list column; empty for a code outside 0..19.
Text ListColumnTitle(std::int32_t code);
// The text under which the column setup offers a code (two codes read differently there);
// empty for a code outside 0..19.
Text ListColumnSetupTitle(std::int32_t code);
// Column text of the list export for a number 0..20; empty where it has none.
Text ExportColumnName(std::int32_t code);

// ---- flight-result columns ---------------------------------------------------------------------

enum FlightResultColumnCode : std::int32_t {
    FlightResultColumnLp = 0,
    FlightResultColumnPlace = 1,
    FlightResultColumnDistance = 2,
    FlightResultColumnWeather = 3,
    FlightResultColumnLocalWeather = 4,
    FlightResultColumnCompetitors = 5,
    FlightResultColumnBirds = 6,
    FlightResultColumnSpeed = 7,
    FlightResultColumnPosition = 8,
    FlightResultColumnPoints = 9,
    FlightResultColumnCoefficient = 10,
    FlightResultColumnArrival = 11,
};
inline constexpr std::int32_t kFlightResultColumnCodeCount = 12;

// Text of a flight-result column; empty for a code outside 0..11.
Text FlightResultColumnTitle(std::int32_t code);
