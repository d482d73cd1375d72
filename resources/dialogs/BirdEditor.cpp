// The bird editor: the window with its tab strip and buttons, and the page of the bird's data.
// The further pages are in BirdEditorPages.cpp.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The window. The tab strip is resized to the largest page when the editor opens.
const DialogTemplate kBirdEditor{
    .id = 171,
    .caption = u"Dodaj nowego ptaka",
    .style = Caption | SysMenu,
    .width = 454,
    .height = 322,
    .controls = {
        {.kind = ControlKind::Bitmap, .id = -1, .rect = {0, 0, 45, 41}, .resource = 160},
        {.kind = ControlKind::Tab, .id = 1245, .rect = {6, 42, 442, 252}},
        {.kind = ControlKind::CheckBox, .id = 1055, .text = u"", .rect = {8, 302, 10, 10},
         .style = Hidden},
        {.kind = ControlKind::TransparentLabel, .id = 1270,
         .text = u"Nie zamykaj okna po dodaniu gołębia", .rect = {20, 303, 180, 9},
         .style = Hidden},
        {.kind = ControlKind::PushButton, .id = 1114, .text = u"?", .rect = {300, 300, 16, 15}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"Dodaj", .rect = {322, 300, 60, 15},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Zamknij", .rect = {388, 300, 60, 15}},
    }};

constexpr int kPageWidth = 440;
constexpr int kPageHeight = 232;

// A label of page 1 (no id of its own).
ControlTemplate PageLabel(const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::TransparentLabel, .text = text, .rect = rect};
}

// One lookup row of page 1: its label, the list and, with `button` != 0, the "..." button that
// opens the list's dictionary.
void AddLookupRow(std::vector<ControlTemplate>& c, const char16_t* label, int y, int combo,
                  Flags comboStyle, int button) {
    c.push_back(PageLabel(label, {5, y + 2, 62, 8}));
    c.push_back({.kind = ControlKind::Combo, .id = combo,
                 .rect = {68, y, button ? 130 : 146, 120}, .style = comboStyle | VScroll});
    if (button) {
        c.push_back({.kind = ControlKind::FlatButton, .id = button, .text = u"...",
                     .rect = {200, y, 14, 13}});
    }
}

// One rating list of page 1: " " for no rating, then 1 to 10. The label is as wide as its
// longest text, "Ocena Upierzenia", on one line; the list, which shows at most "10", takes the
// rest of the column.
void AddRatingRow(std::vector<ControlTemplate>& c, const char16_t* label, int y, int combo) {
    c.push_back(PageLabel(label, {220, y + 2, 61, 8}));
    c.push_back({.kind = ControlKind::Combo, .id = combo, .rect = {282, y, 36, 150},
                 .style = DropDownList | VScroll,
                 .items = {u" ", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"}});
}

// One date group of page 1: the box that says the date is set, day, month and year, and the
// calendar button.
void AddDateGroup(std::vector<ControlTemplate>& c, const char16_t* caption, int y, int box,
                  int day, int month, int year, int picker) {
    c.push_back({.kind = ControlKind::GroupBox, .text = caption, .rect = {220, y, 98, 31}});
    c.push_back({.kind = ControlKind::CheckBox, .id = box, .rect = {225, y + 14, 10, 10}});
    c.push_back({.kind = ControlKind::Edit, .id = day, .rect = {237, y + 12, 16, 13},
                 .style = Border | Number});
    c.push_back({.kind = ControlKind::Edit, .id = month, .rect = {255, y + 12, 16, 13},
                 .style = Border | Number});
    c.push_back({.kind = ControlKind::Edit, .id = year, .rect = {273, y + 12, 24, 13},
                 .style = Border | Number});
    c.push_back({.kind = ControlKind::FlatButton, .id = picker, .text = u"...",
                 .rect = {299, y + 12, 15, 13}});
}

std::vector<ControlTemplate> BirdDataControls() {
    std::vector<ControlTemplate> c;
    // Identity: name and the four parts of the ring.
    c.push_back(PageLabel(u"Nazwa gołębia", {5, 5, 62, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1191, .rect = {68, 3, 146, 13}, .style = Border});
    c.push_back(PageLabel(u"Kraj", {5, 20, 34, 8}));
    c.push_back(PageLabel(u"Oddzial", {42, 20, 45, 8}));
    c.push_back(PageLabel(u"Rocznik", {90, 20, 35, 8}));
    c.push_back(PageLabel(u"Nr. Obrączki", {128, 20, 86, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1095, .rect = {5, 29, 34, 13}, .style = Border});
    c.push_back({.kind = ControlKind::Edit, .id = 1160, .rect = {42, 29, 45, 13}, .style = Border});
    c.push_back({.kind = ControlKind::Edit, .id = 1036, .rect = {90, 29, 35, 13}, .style = Border});
    c.push_back({.kind = ControlKind::Edit, .id = 1019, .rect = {128, 29, 86, 13}, .style = Border});

    // Sex, and the cage number that is kept hidden.
    c.push_back(PageLabel(u"Płeć", {5, 49, 62, 8}));
    c.push_back({.kind = ControlKind::Combo, .id = 1186, .rect = {68, 47, 70, 60},
                 .style = DropDownList | VScroll, .items = {u"N/A", u"Samiec", u"Samica"}});
    c.push_back({.kind = ControlKind::TransparentLabel, .text = u"Nr. Klatki",
                 .rect = {142, 49, 30, 8}, .style = Hidden});
    c.push_back({.kind = ControlKind::Edit, .id = 1032, .rect = {172, 47, 42, 13},
                 .style = Border | Hidden});

    // Lookups.
    AddLookupRow(c, u"Barwa", 63, 1178, DropDownEdit, 1030);
    AddLookupRow(c, u"Rasa", 79, 1181, DropDownEdit, 1037);
    AddLookupRow(c, u"Linia", 95, 1182, DropDownEdit, 1039);
    AddLookupRow(c, u"Kolor oka", 111, 1183, DropDownEdit, 1040);
    AddLookupRow(c, u"Status gołębia", 127, 1008, DropDownList, 1038);
    AddLookupRow(c, u"Hodowca", 143, 1179, DropDownEdit, 0);
    AddLookupRow(c, u"Właściciel", 159, 1180, DropDownEdit, 0);

    // Marks that nothing reads yet.
    c.push_back({.kind = ControlKind::CheckBox, .id = 1193,
                 .text = u"Ukryj przy oknie wyboru gołębia", .rect = {5, 180, 209, 10}});
    c.push_back({.kind = ControlKind::CheckBox, .id = 1194, .text = u"Nie uwzględniaj przy wydruku",
                 .rect = {5, 193, 209, 10}});
    c.push_back({.kind = ControlKind::CheckBox, .id = 1195, .rect = {5, 206, 10, 10},
                 .style = Hidden});
    c.push_back({.kind = ControlKind::TransparentLabel, .text = u"Z wł hodowli",
                 .rect = {17, 207, 80, 8}, .style = Hidden});

    // Ratings and their mean.
    AddRatingRow(c, u"Ocena Zdrowia", 3, 1137);
    AddRatingRow(c, u"Ocena Upierzenia", 19, 1138);
    AddRatingRow(c, u"Ocena Lotowa", 35, 1139);
    AddRatingRow(c, u"Ocena Ogólna", 51, 1136);
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1143, .text = u"Ocena\r\nŚrednia",
                 .rect = {220, 68, 56, 18}});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1144, .text = u"-",
                 .rect = {282, 70, 36, 12}, .style = VCenter});

    // Dates.
    AddDateGroup(c, u"Data kupna", 90, 1056, 1057, 1058, 1059, 1025);
    AddDateGroup(c, u"Data sprzedaży", 123, 1060, 1420, 1421, 1422, 1026);
    AddDateGroup(c, u"Data wylęgu", 156, 1061, 1423, 1424, 1425, 1029);
    AddDateGroup(c, u"Odszedł", 189, 1062, 1426, 1427, 1428, 1017);

    // Pictures: the bird's first photo, its father and its mother.
    c.push_back(PageLabel(u"Podgląd zdjęć", {324, 3, 112, 8}));
    c.push_back({.kind = ControlKind::PictureBox, .id = 1246, .rect = {324, 12, 112, 76},
                 .style = Border});
    c.push_back({.kind = ControlKind::PictureBox, .id = 1247, .rect = {324, 93, 54, 40},
                 .style = Border});
    c.push_back({.kind = ControlKind::PictureBox, .id = 1248, .rect = {382, 93, 54, 40},
                 .style = Border});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1098,
                 .text = u"Informacje o ojcu gołębia", .rect = {324, 135, 54, 34}});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1099,
                 .text = u"Informacje o matce gołębia", .rect = {382, 135, 54, 34}});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1101, .text = u"Wybierz ojca",
                 .rect = {324, 171, 54, 14}});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1100, .text = u"Wybierz matkę",
                 .rect = {382, 171, 54, 14}});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1024, .text = u"<",
                 .rect = {324, 190, 14, 12}, .style = Hidden});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1023, .text = u">",
                 .rect = {422, 190, 14, 12}, .style = Hidden});
    return c;
}

const DialogTemplate kBirdDataPage{
    .id = 192,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = BirdDataControls()};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kBirdEditor);
    AddDialogTemplate(kBirdDataPage);
}
