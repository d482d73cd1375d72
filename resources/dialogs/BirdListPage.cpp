// The bird list page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kBirdListPage{
    .id = 129,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1003, .rect = {160, 0, 450, 260},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kBirdListPage); }
