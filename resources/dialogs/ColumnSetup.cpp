// The two column-setup windows: the bird list's columns and the flight-results printout's.
#include "DialogTemplate.h"

namespace {
using namespace style;

// Both windows share one layout under the painted header band. The font and check-box fields
// lie outside the visible part of the window and nothing uses them.
std::vector<ControlTemplate> ColumnSetupControls() {
    return {
        {.kind = ControlKind::TransparentLabel, .text = u"Dostępne dane", .rect = {10, 44, 130, 8}},
        {.kind = ControlKind::ListBox, .id = 1069, .rect = {10, 54, 130, 142},
         .style = Notify | Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1013, .text = u">>", .rect = {147, 96, 30, 16}},
        {.kind = ControlKind::FlatButton, .id = 1024, .text = u"<<", .rect = {147, 116, 30, 16}},
        {.kind = ControlKind::TransparentLabel, .text = u"Dane widoczne na liście",
         .rect = {184, 44, 130, 8}},
        {.kind = ControlKind::ListBox, .id = 1070, .rect = {184, 54, 112, 142},
         .style = Notify | Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1199, .text = u"/\\", .rect = {300, 96, 22, 16}},
        {.kind = ControlKind::FlatButton, .id = 1200, .text = u"\\/", .rect = {300, 116, 22, 16}},
        {.kind = ControlKind::TransparentLabel, .text = u"Szerokość kolumny",
         .rect = {184, 203, 68, 8}},
        {.kind = ControlKind::Edit, .id = 1081, .rect = {254, 201, 36, 13},
         .style = Border | Number},
        {.kind = ControlKind::FlatButton, .id = 1197, .text = u"OK", .rect = {294, 200, 28, 15}},
        {.kind = ControlKind::FlatButton, .id = 1071, .text = u"Zapisz zmiany",
         .rect = {184, 224, 80, 16}},
        {.kind = ControlKind::FlatButton, .id = 1072, .text = u"Anuluj", .rect = {268, 224, 54, 16}},
        {.kind = ControlKind::Edit, .id = 1075, .rect = {340, 54, 60, 13}, .style = Border},
        {.kind = ControlKind::Edit, .id = 1076, .rect = {340, 70, 60, 13}, .style = Border},
        {.kind = ControlKind::CheckBox, .id = 1077, .rect = {340, 86, 60, 10}},
        {.kind = ControlKind::CheckBox, .id = 1078, .rect = {340, 98, 60, 10}},
        {.kind = ControlKind::CheckBox, .id = 1079, .rect = {340, 110, 60, 10}},
        {.kind = ControlKind::CheckBox, .id = 1080, .rect = {340, 122, 60, 10}},
    };
}

const DialogTemplate kListColumnSetup{
    .id = 248,
    .caption = u"Konfiguracja kolumn",
    .style = Caption | SysMenu,
    .width = 330,
    .height = 248,
    .controls = ColumnSetupControls()};

const DialogTemplate kFlightResultColumnSetup{
    .id = 250,
    .caption = u"Konfiguracja kolumn",
    .style = Caption | SysMenu,
    .width = 330,
    .height = 248,
    .controls = ColumnSetupControls()};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kListColumnSetup);
    AddDialogTemplate(kFlightResultColumnSetup);
}
