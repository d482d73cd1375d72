// The flights page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kFlightsPage{
    .id = 207,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::Combo, .id = 1162, .rect = {7, 20, 130, 150},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::ListView, .id = 1152, .rect = {160, 0, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
        {.kind = ControlKind::ListView, .id = 1153, .rect = {160, 180, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kFlightsPage); }
