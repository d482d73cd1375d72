// The pairing page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kPairingPage{
    .id = 131,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::Combo, .id = 1109, .rect = {7, 20, 130, 150},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::ListView, .id = 1038, .rect = {160, 0, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
        {.kind = ControlKind::ListView, .id = 1039, .rect = {160, 180, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kPairingPage); }
