// The help window and the about box. Both paint the program's banner across their top, with
// their picture at its left.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kHelpWindow{
    .id = 179,
    .caption = u"Ornivex 6 - Pomoc",
    .style = Caption | SysMenu | MaximizeBox | Resizable,
    .width = 520,
    .height = 380,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 178},
    }};

const DialogTemplate kAboutBox{
    .id = 176,
    .caption = u"O programie Ornivex",
    .style = Caption | SysMenu,
    .width = 300,
    .height = 170,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 177},
        {.kind = ControlKind::TransparentLabel, .id = 1270, .rect = {12, 58, 276, 96}},
        {.kind = ControlKind::HLine, .rect = {7, 160, 286, 2}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kHelpWindow);
    AddDialogTemplate(kAboutBox);
}
