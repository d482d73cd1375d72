// The notebook page of the main window and the window that names a new note.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The note list lies on the left under the page's picture; the formatting buttons run along
// the top, and the page places its editor under them, right of the list.
const DialogTemplate kNotebookPage{
    .id = 155,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 125, 20}, .resource = 157},
        {.kind = ControlKind::ListView, .id = 1080, .rect = {7, 30, 150, 320},
         .style = SmallIcon | Border | SingleSelect | ShowSelAlways},
        {.kind = ControlKind::FlatButton, .id = 1068, .text = u"Nowa notatka",
         .rect = {167, 12, 58, 15}},
        {.kind = ControlKind::FlatButton, .id = 1069, .text = u"Usuń Notatkę",
         .rect = {228, 12, 58, 15}},
        {.kind = ControlKind::VLine, .rect = {292, 10, 2, 19}},
        {.kind = ControlKind::FlatButton, .id = 1070, .text = u"B", .rect = {299, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1071, .text = u"I", .rect = {317, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1073, .text = u"U", .rect = {335, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1079, .text = u"__", .rect = {353, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1074, .text = u"1", .rect = {375, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1075, .text = u"2", .rect = {393, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1076, .text = u"3", .rect = {411, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1077, .text = u"4", .rect = {429, 12, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1078, .text = u"5", .rect = {447, 12, 16, 15}},
        {.kind = ControlKind::VLine, .rect = {470, 10, 2, 19}},
        {.kind = ControlKind::FlatButton, .id = 1231, .text = u"Drukuj",
         .rect = {477, 12, 50, 15}},
        {.kind = ControlKind::FlatButton, .id = 1232, .text = u"Zapisz",
         .rect = {530, 12, 50, 15}},
    }};

const DialogTemplate kNewNoteName{
    .id = 173,
    .caption = u"Nowa notatka",
    .style = Caption | SysMenu,
    .width = 200,
    .height = 62,
    .controls = {
        {.kind = ControlKind::Label, .text = u"Nazwa", .rect = {7, 7, 60, 8}},
        {.kind = ControlKind::Edit, .id = 1020, .rect = {7, 18, 186, 14}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"OK", .rect = {143, 40, 50, 15},
         .style = DefaultButton},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kNotebookPage);
    AddDialogTemplate(kNewNoteName);
}
