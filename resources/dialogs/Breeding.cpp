// Breeding: the season editor (shared with the flights page).
#include "DialogTemplate.h"

namespace {
using namespace style;

ControlTemplate TextLabel(const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::Label, .text = text, .rect = rect};
}

// One date row of the season editor: its caption, day / month / year and the calendar button.
void AddSeasonDateRow(std::vector<ControlTemplate>& c, const char16_t* caption, int y, int day,
                      int picker) {
    c.push_back(TextLabel(caption, {7, y + 2, 92, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day, .rect = {100, y, 20, 13},
                 .style = Border | Number});
    c.push_back(TextLabel(u"/", {122, y + 2, 5, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day + 1, .rect = {128, y, 20, 13},
                 .style = Border | Number});
    c.push_back(TextLabel(u"/", {150, y + 2, 5, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day + 2, .rect = {156, y, 30, 13},
                 .style = Border | Number});
    c.push_back({.kind = ControlKind::FlatButton, .id = picker, .text = u"...",
                 .rect = {190, y, 18, 13}});
}

std::vector<ControlTemplate> SeasonEditorControls() {
    std::vector<ControlTemplate> c;
    c.push_back(TextLabel(u"Nazwa", {7, 9, 60, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1020, .rect = {7, 19, 201, 13}, .style = Border});
    c.push_back(TextLabel(u"Opis", {7, 38, 60, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1412, .rect = {7, 48, 201, 34},
                 .style = Border | Multiline | VScroll});
    AddSeasonDateRow(c, u"Data początkowa(D/M/R)", 90, 1110, 1113);
    AddSeasonDateRow(c, u"Data końcowa(D/M/R)", 108, 1114, 1117);
    c.push_back({.kind = ControlKind::FlatButton, .id = 1, .text = u"Dodaj sezon",
                 .rect = {90, 132, 60, 15}, .style = DefaultButton});
    c.push_back({.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj",
                 .rect = {154, 132, 54, 15}});
    return c;
}

const DialogTemplate kSeasonEditor{
    .id = 174,
    .caption = u"Dodaj nowy sezon",
    .style = Caption | SysMenu,
    .width = 215,
    .height = 154,
    .controls = SeasonEditorControls()};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kSeasonEditor); }
