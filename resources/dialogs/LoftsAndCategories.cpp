// The loft and category editors.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The loft editor and the category editor share one layout under the painted header band.
std::vector<ControlTemplate> NameAndDescriptionControls() {
    return {
        {.kind = ControlKind::TransparentLabel, .id = 1010, .rect = {10, 44, 200, 9}},
        {.kind = ControlKind::Edit, .id = 1008, .rect = {10, 54, 240, 14}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1015, .rect = {10, 74, 200, 9}},
        {.kind = ControlKind::Edit, .id = 1009, .rect = {10, 84, 240, 54},
         .style = Border | Multiline | VScroll | WantReturn},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"OK", .rect = {138, 146, 54, 16},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj", .rect = {196, 146, 54, 16}},
    };
}

const DialogTemplate kLoftEditor{
    .id = 130,
    .caption = u"",
    .style = Caption | SysMenu,
    .width = 260,
    .height = 170,
    .controls = NameAndDescriptionControls()};

const DialogTemplate kCategoryEditor{
    .id = 215,
    .caption = u"",
    .style = Caption | SysMenu,
    .width = 260,
    .height = 170,
    .controls = NameAndDescriptionControls()};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kLoftEditor);
    AddDialogTemplate(kCategoryEditor);
}
