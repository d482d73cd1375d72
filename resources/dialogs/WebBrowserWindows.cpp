// Windows that show a web page: the HTML preview of printouts and the photo viewer. Their
// browser is made by the window itself above the row of buttons, which the window lays out
// again whenever it is resized.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kHtmlPreview{
    .id = 161,
    .caption = u"Podgląd HTML",
    .style = Caption | SysMenu | MaximizeBox | Resizable,
    .width = 500,
    .height = 330,
    .controls = {
        {.kind = ControlKind::FlatButton, .id = 1231, .text = u"Drukuj",
         .rect = {177, 311, 70, 15}},
        {.kind = ControlKind::FlatButton, .id = 1232, .text = u"Podgląd Wydruku",
         .rect = {253, 311, 70, 15}},
        {.kind = ControlKind::FlatButton, .id = 1078, .text = u"Włącz tryb edycji",
         .rect = {327, 311, 166, 15}},
        {.kind = ControlKind::PushButton, .id = 1169, .text = u"Zapisz jako",
         .rect = {7, 311, 70, 15}, .style = Hidden | Disabled},
    }};

const DialogTemplate kPhotoViewer{
    .id = 216,
    .caption = u"Podgląd zdjęć...",
    .style = Caption | SysMenu | MaximizeBox | Resizable,
    .width = 400,
    .height = 300,
    .controls = {
        {.kind = ControlKind::PushButton, .id = 1392, .text = u"<< Poprzednie",
         .rect = {127, 281, 70, 15}},
        {.kind = ControlKind::PushButton, .id = 1391, .text = u" Następne >>",
         .rect = {203, 281, 70, 15}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kHtmlPreview);
    AddDialogTemplate(kPhotoViewer);
}
