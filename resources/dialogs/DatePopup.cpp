// The calendar popup that date fields open.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kDatePopup{
    .id = 197,
    .caption = u"",
    .style = Popup,
    .width = 116,
    .height = 99,
    .controls = {
        {.kind = ControlKind::MonthCalendar, .id = 1222, .rect = {0, 0, 116, 84},
         .style = NoToday},
        {.kind = ControlKind::PushButton, .id = 1, .text = u"OK", .rect = {0, 84, 54, 14},
         .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = 2, .text = u"Anuluj", .rect = {60, 84, 56, 14},
         .style = Flat},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kDatePopup); }
