// The five tabs of the preview panel under the bird list: summary, pedigree, partners and young,
// siblings, and the bird's flights. The bird list page moves each tab into the panel's place, so
// a tab shows only its top part when the panel is low (tab 1 is about 134 pixels high, tabs 2 to
// 5 about 430): what matters most lies at the top.
#include "DialogTemplate.h"

namespace {
using namespace style;

// Tab 1: the bird, its parents, its short description and its flight count and average speed.
// The "Śr. Prędk" box is where a click opens the bird's speed (pixels 755,10 to 810,65).
const DialogTemplate kPreviewTab1{
    .id = 180,
    .style = Child,
    .width = 626,
    .height = 176,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {4, 3, 32, 30}, .resource = 200},
        {.kind = ControlKind::Bitmap, .rect = {4, 38, 32, 30}, .resource = 201},
        {.kind = ControlKind::TransparentLabel, .id = 1121, .text = u"Nie wybrano gołębia z listy",
         .rect = {40, 3, 410, 15}, .style = VCenter},
        {.kind = ControlKind::TransparentLabel, .id = 1122, .text = u"Brak informacji o ojcu",
         .rect = {40, 19, 410, 13}, .style = VCenter},
        {.kind = ControlKind::TransparentLabel, .id = 1123, .text = u"Brak informacji o matce",
         .rect = {40, 32, 410, 13}, .style = VCenter},
        {.kind = ControlKind::TransparentLabel, .id = 1174, .text = u" ",
         .rect = {40, 47, 400, 30}},
        {.kind = ControlKind::FlatButton, .id = 1127, .text = u"...", .rect = {442, 47, 14, 12}},
        {.kind = ControlKind::GroupBox, .text = u"Konkursy", .rect = {459, 6, 40, 34}},
        {.kind = ControlKind::TransparentLabel, .id = 1186, .text = u"0", .rect = {461, 17, 36, 16},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Śr. Prędk", .rect = {503, 6, 37, 34}},
        {.kind = ControlKind::TransparentLabel, .id = 1184, .text = u"0", .rect = {505, 17, 33, 16},
         .style = Center | VCenter},
        {.kind = ControlKind::Bitmap, .rect = {546, 8, 32, 30}, .resource = 223},
        {.kind = ControlKind::FlatButton, .id = 1125, .text = u"Drzewo Genealogiczne",
         .rect = {459, 47, 81, 14}, .style = Hidden},
    }};

// Tab 2: three generations of seven buttons on the left, the photo panel of the bird whose
// button was pressed on the right (shown only when the tab is wide enough).
const DialogTemplate kPreviewTab2{
    .id = 194,
    .style = Child,
    .width = 560,
    .height = 280,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {6, 6, 32, 30}, .resource = 228},
        // The tree's lines: the bird down to its parents, each parent down to its own parents.
        {.kind = ControlKind::VLine, .rect = {198, 108, 2, 17}},
        {.kind = ControlKind::HLine, .rect = {105, 125, 194, 2}},
        {.kind = ControlKind::VLine, .rect = {105, 125, 2, 22}},
        {.kind = ControlKind::VLine, .rect = {297, 125, 2, 19}},
        {.kind = ControlKind::VLine, .rect = {105, 189, 2, 18}},
        {.kind = ControlKind::HLine, .rect = {51, 206, 98, 2}},
        {.kind = ControlKind::VLine, .rect = {51, 206, 2, 16}},
        {.kind = ControlKind::VLine, .rect = {147, 206, 2, 16}},
        {.kind = ControlKind::VLine, .rect = {297, 186, 2, 21}},
        {.kind = ControlKind::HLine, .rect = {249, 206, 98, 2}},
        {.kind = ControlKind::VLine, .rect = {249, 206, 2, 16}},
        {.kind = ControlKind::VLine, .rect = {345, 206, 2, 16}},
        {.kind = ControlKind::FlatButton, .id = 1148, .rect = {120, 66, 156, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1100, .rect = {30, 147, 150, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1101, .rect = {222, 144, 150, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1102, .rect = {6, 222, 90, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1103, .rect = {102, 222, 90, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1104, .rect = {204, 222, 90, 42},
         .style = MultiLineText},
        {.kind = ControlKind::FlatButton, .id = 1105, .rect = {300, 222, 90, 42},
         .style = MultiLineText},
        // Female and male signs at the corners of the mothers' and fathers' buttons.
        {.kind = ControlKind::Bitmap, .id = 1064, .rect = {30, 136, 11, 10}, .resource = 183},
        {.kind = ControlKind::Bitmap, .id = 1066, .rect = {6, 211, 11, 10}, .resource = 183},
        {.kind = ControlKind::Bitmap, .id = 1067, .rect = {204, 211, 11, 10}, .resource = 183},
        {.kind = ControlKind::Bitmap, .id = 1065, .rect = {222, 133, 11, 10}, .resource = 182},
        {.kind = ControlKind::Bitmap, .id = 1068, .rect = {102, 211, 11, 10}, .resource = 182},
        {.kind = ControlKind::Bitmap, .id = 1069, .rect = {300, 211, 11, 10}, .resource = 182},
        // The photo panel.
        {.kind = ControlKind::VLine, .rect = {398, 8, 2, 262}},
        {.kind = ControlKind::Bitmap, .rect = {400, 20, 1, 148}, .resource = 145},
        {.kind = ControlKind::TransparentLabel, .id = 1270, .text = u"Podgląd Zdjęć",
         .rect = {405, 6, 145, 14}, .style = VCenter},
        {.kind = ControlKind::Bitmap, .id = 1184, .rect = {405, 22, 99, 1}, .resource = 147},
        {.kind = ControlKind::PictureBox, .id = 1125, .rect = {405, 28, 66, 54}},
        {.kind = ControlKind::PictureBox, .id = 1126, .rect = {477, 28, 66, 54}},
        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"Informacje",
         .rect = {405, 90, 145, 14}, .style = VCenter},
        {.kind = ControlKind::Bitmap, .id = 1183, .rect = {405, 106, 99, 1}, .resource = 147},
        {.kind = ControlKind::HLine, .rect = {405, 108, 145, 2}},
        {.kind = ControlKind::TransparentLabel, .id = 1252, .rect = {405, 112, 145, 26},
         .style = Center},
        {.kind = ControlKind::TransparentLabel, .id = 1192, .text = u"Static",
         .rect = {405, 142, 145, 12}},
        {.kind = ControlKind::TransparentLabel, .id = 1130, .text = u"Static",
         .rect = {405, 158, 145, 60}},
        {.kind = ControlKind::PictureBox, .id = 1146, .rect = {405, 28, 66, 54}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1127, .text = u"Edycja ptaka",
         .rect = {405, 226, 80, 16}},
    }};

// Tab 3: the bird's partners in the loaded loft and the young of the chosen pair.
const DialogTemplate kPreviewTab3{
    .id = 196,
    .style = Child,
    .width = 610,
    .height = 266,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {6, 6, 32, 30}, .resource = 227},
        {.kind = ControlKind::GroupBox, .text = u"Lista Partnerów", .rect = {40, 4, 200, 196}},
        {.kind = ControlKind::ListBox, .id = 1150, .rect = {46, 16, 188, 178},
         .style = Notify | Border | VScroll},
        {.kind = ControlKind::GroupBox, .text = u"Potomstwo", .rect = {246, 4, 360, 196}},
        {.kind = ControlKind::ListView, .id = 1149, .rect = {252, 16, 348, 178},
         .style = Report | Border | SingleSelect | ShowSelAlways},
        {.kind = ControlKind::GroupBox, .text = u"Partnerów", .rect = {40, 204, 60, 40}},
        {.kind = ControlKind::TransparentLabel, .id = 1186, .text = u"0", .rect = {43, 215, 54, 24},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Potomków", .rect = {106, 204, 60, 40}},
        {.kind = ControlKind::TransparentLabel, .id = 1185, .text = u"0", .rect = {109, 215, 54, 24},
         .style = Center | VCenter},
        {.kind = ControlKind::FlatButton, .id = 1176, .text = u"Drzewo genealogiczne",
         .rect = {252, 206, 90, 16}},
        {.kind = ControlKind::FlatButton, .id = 1127, .text = u"Edycja gołębia",
         .rect = {348, 206, 80, 16}},
        {.kind = ControlKind::FlatButton, .id = 1177, .text = u"Zapisz/Drukuj listę",
         .rect = {434, 206, 90, 16}},
    }};

// Tab 4: brothers and sisters, of the same brood or of every pair of the same parents.
const DialogTemplate kPreviewTab4{
    .id = 198,
    .style = Child,
    .width = 512,
    .height = 278,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {6, 6, 32, 30}, .resource = 230},
        {.kind = ControlKind::Combo, .id = 1178, .rect = {40, 4, 200, 60},
         .style = DropDownList | VScroll,
         .items = {u"Wyświetl rodzeństwo z tego samego lęgu", u"Wyświetl całe rodzeństwo"}},
        {.kind = ControlKind::GroupBox, .text = u"Lista braci i sióstr", .rect = {40, 22, 466, 198}},
        {.kind = ControlKind::ListView, .id = 1179, .rect = {46, 34, 454, 180},
         .style = Report | Border | ShowSelAlways},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"Edytuj Gołębia",
         .rect = {40, 226, 80, 16}},
        {.kind = ControlKind::FlatButton, .id = 1100, .text = u"Drzewo Genealogiczne",
         .rect = {126, 226, 90, 16}},
        {.kind = ControlKind::FlatButton, .id = 1101, .text = u"Zapisz listę rodzeństwa",
         .rect = {222, 226, 100, 16}},
    }};

// Tab 5: the bird's results in the loaded loft's flights, their statistics and the report.
const DialogTemplate kPreviewTab5{
    .id = 232,
    .style = Child,
    .width = 530,
    .height = 266,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {6, 6, 32, 30}, .resource = 233},
        {.kind = ControlKind::GroupBox, .text = u"Średnia prędkość", .rect = {40, 2, 76, 36}},
        {.kind = ControlKind::TransparentLabel, .id = 1184, .text = u" ", .rect = {43, 13, 70, 21},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Maks. Prędkość", .rect = {120, 2, 76, 36}},
        {.kind = ControlKind::TransparentLabel, .id = 1183, .text = u" ", .rect = {123, 13, 70, 21},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Średni konkurs", .rect = {200, 2, 76, 36}},
        {.kind = ControlKind::TransparentLabel, .id = 1181, .text = u" ", .rect = {203, 13, 70, 21},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Liczba konk", .rect = {280, 2, 76, 36}},
        {.kind = ControlKind::TransparentLabel, .id = 1182, .text = u" ", .rect = {283, 13, 70, 21},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Najlepszy Konk", .rect = {360, 2, 76, 36}},
        {.kind = ControlKind::TransparentLabel, .id = 1185, .text = u" ", .rect = {363, 13, 70, 21},
         .style = Center | VCenter},
        {.kind = ControlKind::FlatButton, .id = 1202, .text = u"Ustaw kolumny\r\ndo wydruku",
         .rect = {444, 6, 80, 30}, .style = MultiLineText},
        {.kind = ControlKind::GroupBox, .text = u"Lista lotów gołębia", .rect = {40, 42, 484, 192}},
        {.kind = ControlKind::ListView, .id = 1152, .rect = {46, 54, 472, 174},
         .style = Report | Border | ShowSelAlways},
        {.kind = ControlKind::FlatButton, .id = 1231, .text = u"Drukuj listę lotów",
         .rect = {40, 238, 90, 16}},
        {.kind = ControlKind::FlatButton, .id = 1232, .text = u"Zapisz listę lotów",
         .rect = {136, 238, 90, 16}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kPreviewTab1);
    AddDialogTemplate(kPreviewTab2);
    AddDialogTemplate(kPreviewTab3);
    AddDialogTemplate(kPreviewTab4);
    AddDialogTemplate(kPreviewTab5);
}
