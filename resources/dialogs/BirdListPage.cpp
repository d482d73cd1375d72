// The bird list page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The list, the tab strip and the up/down buttons are placed by the page from its size; their
// rectangles here are only where they start. The action links down the left side are painted.
const DialogTemplate kBirdListPage{
    .id = 129,
    .style = Child,
    .width = 640,
    .height = 400,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1003, .rect = {160, 0, 450, 260},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes |
                  SingleSelect},
        // The heading over the painted links and a picture in each link's 30-pixel margin
        // (rows of 30 px from y 50): add, edit, delete, move, family tree, print, pedigree.
        {.kind = ControlKind::Bitmap, .rect = {5, 10, 125, 20}, .resource = 12900},
        {.kind = ControlKind::Bitmap, .rect = {8, 35, 11, 10}, .resource = 142},
        {.kind = ControlKind::Bitmap, .rect = {8, 54, 11, 10}, .resource = 12901},
        {.kind = ControlKind::Bitmap, .rect = {8, 72, 11, 10}, .resource = 187},
        {.kind = ControlKind::Bitmap, .rect = {8, 90, 11, 10}, .resource = 12902},
        {.kind = ControlKind::Bitmap, .rect = {8, 109, 11, 10}, .resource = 12903},
        {.kind = ControlKind::Bitmap, .rect = {8, 127, 11, 10}, .resource = 188},
        {.kind = ControlKind::Bitmap, .rect = {8, 146, 11, 10}, .resource = 12904},
        // Finding a bird by its ring number, in the third white panel (y 290 to 385 px).
        {.kind = ControlKind::TransparentLabel, .text = u"Szukaj gołębia po numerze obrączki",
         .rect = {10, 185, 130, 9}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {10, 198, 87, 14}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1131, .text = u"OK", .rect = {100, 198, 34, 14}},
        // The first photograph of the selected bird, in the photo panel (y 410 to 620 px).
        {.kind = ControlKind::PictureBox, .id = 1060, .rect = {7, 259, 130, 117}},
        // The preview panel's tab strip; the page gives it its picture.
        {.kind = ControlKind::Label, .id = 1151, .rect = {160, 265, 479, 14}},
        {.kind = ControlKind::FlatButton, .id = 1196, .text = u"/\\", .rect = {615, 74, 23, 19}},
        {.kind = ControlKind::FlatButton, .id = 1197, .text = u"\\/", .rect = {615, 99, 23, 19}},
        // The preview tabs by number; reached only through the tab strip.
        {.kind = ControlKind::PushButton, .id = 1099, .text = u"1", .rect = {0, 0, 10, 10},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = 1100, .text = u"2", .rect = {0, 0, 10, 10},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = 1101, .text = u"3", .rect = {0, 0, 10, 10},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = 1102, .text = u"4", .rect = {0, 0, 10, 10},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = 1103, .text = u"5", .rect = {0, 0, 10, 10},
         .style = Hidden | Disabled},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kBirdListPage); }
