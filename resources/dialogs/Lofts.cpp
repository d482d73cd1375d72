// Lofts, categories and the name dictionaries: the loft and category editors, the loft manager,
// the statuses window, the dictionary window and the colour-code prompt.
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

// The loft manager: lofts on the left, the chosen loft's categories on the right, each list with
// its buttons below. It has no OK or Cancel button; the close box ends it.
const DialogTemplate kLoftManager{
    .id = 154,
    .caption = u"Zarządzaj gołębnikami i kategoriami",
    .style = Caption | SysMenu,
    .width = 330,
    .height = 244,
    .controls = {
        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"Lista hodowli",
         .rect = {7, 44, 150, 9}},
        {.kind = ControlKind::ListBox, .id = 1006, .rect = {7, 55, 153, 130},
         .style = Border | VScroll},
        {.kind = ControlKind::TransparentLabel, .id = 1270, .text = u"Lista kategorii w hodowli",
         .rect = {170, 44, 150, 9}},
        {.kind = ControlKind::ListBox, .id = 1007, .rect = {170, 55, 153, 130},
         .style = Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1065, .text = u"Dodaj nowy gołębnik",
         .rect = {7, 191, 153, 14}},
        {.kind = ControlKind::FlatButton, .id = 1101, .text = u"Edycja wybranego gołębnika",
         .rect = {7, 207, 153, 14}},
        {.kind = ControlKind::FlatButton, .id = 1100, .text = u"Usuń wybrany gołębnik",
         .rect = {7, 223, 153, 14}},
        {.kind = ControlKind::FlatButton, .id = 1102, .text = u"(+) Dodaj kategorię",
         .rect = {170, 191, 153, 14}},
        {.kind = ControlKind::FlatButton, .id = 1104, .text = u"Edytuj wybraną",
         .rect = {170, 207, 75, 14}},
        {.kind = ControlKind::FlatButton, .id = 1103, .text = u"Usuń", .rect = {248, 207, 75, 14}},
    }};

// The statuses window and the dictionary window: a picture in the top left corner, a field with
// "Dodaj" beside it, the names, and the buttons below them.
const DialogTemplate kStatuses{
    .id = 140,
    .caption = u"Zarządzaj Statusami",
    .style = Caption | SysMenu,
    .width = 220,
    .height = 206,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 161},
        {.kind = ControlKind::Edit, .id = 1034, .rect = {7, 48, 144, 14}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1033, .text = u"Dodaj", .rect = {155, 48, 58, 14}},
        {.kind = ControlKind::ListBox, .id = 1035, .rect = {7, 67, 206, 110},
         .style = Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1116, .text = u"Usuń z listy",
         .rect = {7, 183, 206, 15}},
    }};

const DialogTemplate kDictionary{
    .id = 134,
    .caption = u" ",
    .style = Caption | SysMenu,
    .width = 220,
    .height = 224,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 161},
        {.kind = ControlKind::Edit, .id = 1020, .rect = {7, 48, 144, 14}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1013, .text = u"Dodaj", .rect = {155, 48, 58, 14}},
        {.kind = ControlKind::ListBox, .id = 1115, .rect = {7, 67, 206, 110},
         .style = Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1024, .text = u"Usuń z listy",
         .rect = {7, 183, 206, 15}},
        {.kind = ControlKind::FlatButton, .id = 1236, .text = u"Ustaw kod koloru",
         .rect = {7, 201, 206, 15}, .style = Hidden | Disabled},
    }};

const DialogTemplate kColourCode{
    .id = 262,
    .caption = u"Wprowadź kod koloru",
    .style = Caption | SysMenu,
    .width = 160,
    .height = 50,
    .controls = {
        {.kind = ControlKind::Edit, .id = 1036, .rect = {7, 7, 146, 14}, .style = Border},
        {.kind = ControlKind::PushButton, .id = 1, .text = u"OK", .rect = {47, 29, 50, 14},
         .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = 2, .text = u"Anuluj", .rect = {103, 29, 50, 14}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kLoftEditor);
    AddDialogTemplate(kCategoryEditor);
    AddDialogTemplate(kLoftManager);
    AddDialogTemplate(kStatuses);
    AddDialogTemplate(kDictionary);
    AddDialogTemplate(kColourCode);
}
