// The start page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The link pictures on the left: the five add links lie on picture 165, the help and web links
// on picture 166 and the auction link on picture 251; the page hit-tests the links itself.
// On the right: the welcome picture with the photo tip, the branch directory's search, and the
// calendar with its picture, which the page places and shows only on wide screens.
const DialogTemplate kStartPage{
    .id = 156,
    .style = Child,
    .fontFace = u"Microsoft Sans Serif",
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 28, 344, 127}, .resource = 165},
        {.kind = ControlKind::Bitmap, .rect = {0, 157, 344, 127}, .resource = 166},
        {.kind = ControlKind::Bitmap, .rect = {0, 292, 347, 53}, .resource = 251},
        {.kind = ControlKind::Bitmap, .rect = {380, 37, 245, 37}, .resource = 167},
        {.kind = ControlKind::TransparentLabel, .id = 1097,
         .text = u"Kliknięcie w miniaturę ptaka obok listy z ptakami włącza przeglądarke "
                 u"wsystkich jego zdjęć dodanych w programie.",
         .rect = {407, 92, 193, 40}},
        {.kind = ControlKind::FlatButton, .id = 1100, .text = u"<< Poprzednia",
         .rect = {407, 135, 60, 15}},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"Następna >>",
         .rect = {540, 135, 60, 15}},
        {.kind = ControlKind::Bitmap, .rect = {380, 160, 233, 25}, .resource = 234},
        {.kind = ControlKind::TransparentLabel, .id = 1182,
         .text = u"Wprowadź nazwę lub numer oddziału", .rect = {407, 190, 193, 12}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {407, 205, 130, 14}},
        {.kind = ControlKind::FlatButton, .id = 1101, .text = u"Szukaj oddziału",
         .rect = {540, 204, 60, 15}},
        {.kind = ControlKind::Bitmap, .id = 1132, .rect = {640, 31, 243, 29}, .resource = 169},
        {.kind = ControlKind::MonthCalendar, .id = 1222, .rect = {640, 62, 200, 100}},
    }};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kStartPage); }
