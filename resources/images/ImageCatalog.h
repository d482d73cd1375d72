#pragma once
// What the program's own artwork holds: every bitmap by resource id with its size and the
// place that shows it. The files are drawn by the make_images tool (MakeImages.cpp) and
// compiled into the resource prefix ":/images" as "<id>.png"; the program icon is
// "icon-128-<size>.png".
//
// Pictures that a dialog template shows without an id of their own are named after the
// control that shows them (NamedBitmapCatalog).

#include <vector>

struct BitmapInfo {
    int id;
    int width;
    int height;
    const char* role;
};

struct NamedBitmapInfo {
    const char* name;  // file "<name>.png" under ":/images"
    int width;
    int height;
    const char* role;
};

const std::vector<BitmapInfo>& BitmapCatalog();
const std::vector<NamedBitmapInfo>& NamedBitmapCatalog();

// Icon 128, the program icon, comes in these square sizes.
constexpr int kProgramIconId = 128;
const std::vector<int>& ProgramIconSizes();

// The command strip, bitmap 185: 17 cells of 16 x 16 from the left, in a strip 278 pixels
// wide (the six columns after the last whole cell are unused), on the mask colour.
constexpr int kCommandStripId = 185;
constexpr int kCommandStripCells = 17;
constexpr int kCommandStripCellSize = 16;
constexpr int kCommandStripMaskRed = 192;
constexpr int kCommandStripMaskGreen = 192;
constexpr int kCommandStripMaskBlue = 192;
