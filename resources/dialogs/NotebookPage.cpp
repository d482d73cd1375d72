// The notebook page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kNotebookPage{
    .id = 155,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1080, .rect = {7, 30, 150, 320},
         .style = SmallIcon | Border | SingleSelect | ShowSelAlways},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kNotebookPage); }
