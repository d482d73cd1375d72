#pragma once
// The design the pairing page and the flights page share: a season chooser over a list of
// records (pairs, flights) whose chosen record's parts (young, results) fill a second list, the
// page keeping a snapshot of the records it lists row for row.

#include <QFont>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "Records.h"

class ComboBox;
class ListView;
class QWidget;

// What a list column holds, for how it fits a long text.
enum class ColumnText {
    Plain,  // stays `width` wide
    Place,  // a place name: wider than `width` when long, as far as the list has room
    Bird,   // a bird's ring (and name): the same, and when still cut, the ring keeps its end,
            // where the rings of one loft differ
};

struct ListColumn {
    const char16_t* heading;
    int width;
    ColumnText text = ColumnText::Plain;
};

// Blue text in the given font, grid lines, check boxes, whole rows selected, and the columns.
void SetUpRecordList(ListView* list, const QFont& font, std::span<const ListColumn> columns);

// Row -1 appends a row; any other row is kept and rewritten. Returns the row to fill.
int RecordRow(ListView* list, int row);

// Fills a season chooser: the "all" entry first, then one entry per season, so that entry k
// stands for element k - 1 of `seasons`. Selects `selected`: none when it is negative, the "all"
// entry when it lies past the last entry.
void FillSeasonCombo(ComboBox* combo, const char16_t* allEntry,
                     const std::vector<SeasonRecord>& seasons, int selected = 0);

// The season index the chooser's entry stands for (entry 0 is every season, entry k season k - 1),
// nullopt when no entry is chosen.
std::optional<int> ChosenSeasonIndex(const ComboBox* combo);
// Sets the chooser to its "all" entry, when it has one.
void ChooseAllSeasons(ComboBox* combo);

// Whether what a command needs is there; when not, the user is told `message`.
bool PresentOrSay(QWidget* page, bool present, const char16_t* message);

// Deletes the season the chooser names: the user is told when no loft is current or no season
// is chosen, and asked `question` first; `remove(index)` deletes season `index` of `seasons`
// through the data store, which drops it from its list too. On success the entry leaves the
// chooser and no entry is chosen.
void DeleteChosenSeason(QWidget* page, ComboBox* combo, const std::vector<SeasonRecord>& seasons,
                        const char16_t* question, const std::function<bool(int index)>& remove);
