// The transactions page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kTransactionsPage{
    .id = 149,
    .style = Child,
    .width = 595,
    .height = 334,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1046, .rect = {160, 0, 430, 320},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kTransactionsPage); }
