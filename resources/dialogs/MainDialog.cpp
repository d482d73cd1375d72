// The main window: the loft and category choosers with their counts over the page strip.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kMainDialog{
    .id = 102,
    .caption = u"Ornivex 6",
    .style = Caption | SysMenu | MinimizeBox | MaximizeBox,
    .width = 700,
    .height = 400,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1000, .rect = {7, 330, 60, 40},
         .style = Hidden | Report | Border},
        {.kind = ControlKind::PushButton, .id = 1004, .text = u"L", .rect = {7, 375, 20, 14},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = 1005, .text = u"E", .rect = {30, 375, 20, 14},
         .style = Hidden | Disabled},
        {.kind = ControlKind::Combo, .id = 1006, .rect = {234, 12, 138, 160},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::Combo, .id = 1007, .rect = {468, 12, 162, 160},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::TransparentLabel, .id = 1187, .text = u"", .rect = {379, 11, 84, 16},
         .style = VCenter},
        {.kind = ControlKind::TransparentLabel, .id = 1188, .text = u"", .rect = {637, 11, 60, 16},
         .style = VCenter},
        {.kind = ControlKind::HLine, .rect = {0, 0, 1497, 2}},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kMainDialog); }
