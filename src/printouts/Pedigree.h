#pragma once
// A bird's pedigree page: one of seven HTML templates kept in data/pedigrees/ of the install
// folder, with its placeholder words replaced by the bird, up to 30 of its ancestors and the
// choices of the pedigree window (breeder, logo, background, note lines per generation).

#include <array>
#include <vector>

#include "Records.h"

class CDataStore;

// The bird and its ancestors in heap order: slot 0 is the bird, ancestors 2k+1 and 2k+2 the father
// and the mother of slot k, so generation g fills ancestors 2^g-1 .. 2^(g+1)-2, father's side first.
inline constexpr int kPedigreeSlotCount = 31;
inline constexpr int kPedigreeGenerations = 5;
using PedigreeAncestors = std::array<PigeonRecord, kPedigreeSlotCount>;

// Slot of position `position` of generation `generation`.
constexpr int PedigreeSlot(int generation, int position) {
    return (1 << generation) - 1 + position;
}

// The seven layouts: template file and thumbnail (both under data/pedigrees/) and the text the
// pedigree window offers.
struct PedigreeLayout {
    const char16_t* templateFile;
    const char16_t* thumbnailFile;
    const char16_t* windowText;
};
inline constexpr int kPedigreeLayoutCount = 7;
extern const std::array<PedigreeLayout, kPedigreeLayoutCount> kPedigreeLayouts;

// Backgrounds the window offers: none, the user's own picture, or one of the six bundled ones.
inline constexpr int kNoBackground = 0;
inline constexpr int kOwnBackground = 1;
inline constexpr int kBackgroundChoiceCount = 8;

struct PedigreeChoices {
    int layout = 4;
    const PersonRecord* breeder = nullptr;   // the address block; none leaves it blank
    Text logoPath;                           // empty: no logo
    int background = kNoBackground;
    Text ownBackgroundPath;
    std::array<int, kPedigreeGenerations> noteLines{12, 8, 6, 4, 2};   // -1: the whole note
};

// Places of the pedigree files in the install folder.
Text PedigreeFolder();                          // <install>/data/pedigrees
Text PedigreeTemplatePath(int layout);
Text PedigreeThumbnailPath(int layout);
Text PedigreePreviewPath();                     // <install>/data/pedigrees/preview.html

// Copies ancestors 1..30 out of the store's birds from the parents of slot 0 onwards. A parent that
// is not recorded gives an empty record, whose own parents are then empty too.
void FillPedigreeAncestors(PedigreeAncestors& ancestors, const CDataStore& store);

// The placeholders of a pedigree template, in the order they are replaced, each with its text.
// The order matters where one placeholder begins another ("_POZIOM4_1" and "_POZIOM4_12",
// "_KOLOR_" and "_KOLOR_1_0"). Sets every slot's note-line limits from the choices first.
std::vector<std::pair<Text, Text>> PedigreePlaceholders(PedigreeAncestors& ancestors,
                                                        const PedigreeChoices& choices,
                                                        const CDataStore& store);

// Replaces every occurrence of each placeholder in turn, left to right.
Text FillPedigreeTemplate(Text page, PedigreeAncestors& ancestors, const PedigreeChoices& choices,
                          const CDataStore& store);

// Reads the chosen template (UTF-16 or UTF-8, PedigreeTemplateText.h), fills it and writes the
// page to `outputPath` (UTF-16 with its byte-order mark). NoTemplate when the template is missing
// or is not text in one of those forms, NotWritten when the page cannot be written; the file at
// `outputPath` is then left as it was.
enum class PedigreeResult { Written, NoTemplate, NotWritten };
PedigreeResult RenderPedigreePage(const Text& outputPath, PedigreeAncestors& ancestors,
                                  const PedigreeChoices& choices, const CDataStore& store);
