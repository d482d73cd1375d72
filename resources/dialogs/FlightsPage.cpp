// The flights page of the main window, the flight editor and the editor of a bird's result.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The page: the season chooser with its two buttons above the painted links, the flights list
// and under it the chosen flight's results.
const DialogTemplate kFlightsPage{
    .id = 207,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::TransparentLabel, .id = 1250, .text = u"Sezon lotowy",
         .rect = {7, 7, 130, 10}},
        {.kind = ControlKind::Combo, .id = 1162, .rect = {7, 19, 130, 150},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1163, .text = u"Dodaj sezon lotowy",
         .rect = {7, 37, 92, 15}},
        {.kind = ControlKind::FlatButton, .id = 1164, .text = u"Usuń", .rect = {102, 37, 35, 15}},
        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"LOTY",
         .rect = {7, 80, 130, 11}},
        {.kind = ControlKind::TransparentLabel, .id = 1252, .text = u"GOŁĘBIE W LOCIE",
         .rect = {7, 193, 130, 11}},
        {.kind = ControlKind::ListView, .id = 1152, .rect = {160, 0, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
        {.kind = ControlKind::ListView, .id = 1153, .rect = {160, 180, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

ControlTemplate LabelAt(const char16_t* text, int x, int y, int width) {
    return {.kind = ControlKind::TransparentLabel, .text = text, .rect = {x, y, width, 9}};
}

ControlTemplate Number(int id, int x, int y, int width = 50) {
    return {.kind = ControlKind::Edit, .id = id, .rect = {x, y, width, 13}, .style = Border};
}

ControlTemplate Notes(int id, int x, int y, int width, int height) {
    return {.kind = ControlKind::Edit, .id = id, .rect = {x, y, width, height},
            .style = Border | Multiline | VScroll | WantReturn};
}

ControlTemplate DatePicker(int id, int x, int y, int width) {
    return {.kind = ControlKind::DateTimePicker, .id = id, .rect = {x, y, width, 13}};
}

ControlTemplate TimePicker(int id, int x, int y, int width) {
    return {.kind = ControlKind::DateTimePicker, .id = id, .rect = {x, y, width, 13},
            .style = TimeFormat | UpDown};
}

const std::vector<std::u16string> kCategories = {u" ", u"A", u"B", u"C", u"M", u"G", u"H"};

// The flight editor: where and when the birds were released on the left with the weather and
// notes, the contest's figures, times and the release place's coordinates on the right.
DialogTemplate FlightEditor() {
    DialogTemplate t{.id = 218, .caption = u"LOT", .style = Caption | SysMenu, .width = 470,
                     .height = 340};
    auto& c = t.controls;
    c.push_back({.kind = ControlKind::GroupBox, .text = u" Data i czas odlotu gołębi",
                 .rect = {10, 42, 220, 31}});
    c.push_back(DatePicker(1156, 18, 55, 110));
    c.push_back(TimePicker(1157, 134, 55, 88));
    c.push_back(LabelAt(u"Miejscowość", 10, 82, 62));
    c.push_back({.kind = ControlKind::Edit, .id = 1114, .rect = {75, 80, 155, 13},
                 .style = Border});
    c.push_back(LabelAt(u"Odległość", 10, 100, 62));
    c.push_back(Number(1115, 75, 98, 55));
    c.push_back(LabelAt(u"km", 133, 100, 14));
    c.push_back(Number(1129, 150, 98, 50));
    c.push_back(LabelAt(u"m", 203, 100, 10));
    c.push_back(LabelAt(u"Rodzaj lotu", 10, 118, 62));
    c.push_back({.kind = ControlKind::Combo, .id = 1042, .rect = {75, 116, 155, 80},
                 .style = DropDownList | VScroll});
    c.push_back(LabelAt(u"Kategoria 1", 10, 136, 62));
    c.push_back({.kind = ControlKind::Combo, .id = 1160, .rect = {75, 134, 40, 100},
                 .style = DropDownEdit | VScroll, .items = kCategories});
    c.push_back(LabelAt(u"Kategoria 2", 128, 136, 50));
    c.push_back({.kind = ControlKind::Combo, .id = 1161, .rect = {180, 134, 40, 100},
                 .style = DropDownEdit | VScroll, .items = kCategories});
    c.push_back(LabelAt(u"Pogoda w miejscu lotu", 10, 154, 220));
    c.push_back(Notes(1116, 10, 164, 220, 34));
    c.push_back(LabelAt(u"Pogoda lokalna", 10, 203, 220));
    c.push_back(Notes(1122, 10, 213, 220, 34));
    c.push_back(LabelAt(u"Uwagi", 10, 252, 220));
    c.push_back(Notes(1091, 10, 262, 220, 40));

    c.push_back({.kind = ControlKind::GroupBox, .text = u"Konkurs", .rect = {245, 42, 215, 114}});
    struct Row {
        const char16_t* text;
        int id;
    };
    const Row rows[] = {
        {u"Gołębi startujących w sekcji", 1118}, {u"Gołębi startujących w oddziele", 1119},
        {u"Liczba konkursów(Sekcja)", 1123},     {u"Liczba konkursów(Oddział)", 1124},
        {u"Włożonych", 1125},                    {u"W konkursie", 1200},
        {u"Liczba hodowców", 1143},
    };
    int y = 54;
    for (const Row& row : rows) {
        c.push_back(LabelAt(row.text, 253, y + 2, 140));
        c.push_back(Number(row.id, 400, y));
        y += 14;
    }
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Czas trwania konkursu(G:M:S)",
                 .rect = {245, 160, 215, 29}});
    c.push_back(Number(1126, 253, 172, 30));
    c.push_back(LabelAt(u":", 285, 174, 5));
    c.push_back(Number(1127, 292, 172, 30));
    c.push_back(LabelAt(u":", 324, 174, 5));
    c.push_back(Number(1128, 331, 172, 30));
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Pierwszy gołąb w konkursie",
                 .rect = {245, 192, 215, 29}});
    c.push_back(DatePicker(1155, 253, 204, 110));
    c.push_back(TimePicker(1154, 368, 204, 84));
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Ostatni gołąb w konkursie",
                 .rect = {245, 224, 215, 29}});
    c.push_back(DatePicker(1158, 253, 236, 110));
    c.push_back(TimePicker(1159, 368, 236, 84));
    c.push_back({.kind = ControlKind::GroupBox, .text = u"DŁUGOŚĆ/SZEROKOŚĆ GEOGRAFICZNA",
                 .rect = {245, 256, 215, 46}});
    const int coordinates[2][3] = {{1211, 1213, 1214}, {1212, 1215, 1216}};
    const char16_t* marks[3] = {u"°", u"'", u"''"};
    const char16_t* names[2] = {u"długość", u"szerokość"};
    for (int line = 0; line < 2; ++line) {
        const int top = 268 + line * 16;
        for (int part = 0; part < 3; ++part) {
            const int left = 253 + part * 42;
            c.push_back(Number(coordinates[line][part], left, top, 30));
            c.push_back(LabelAt(marks[part], left + 32, top + 2, 9));
        }
        c.push_back(LabelAt(names[line], 382, top + 2, 70));
    }
    c.push_back({.kind = ControlKind::TransparentLabel,
                 .text = u"Uzupełnij pola liczby konkursów w oddziele i sekcji, aby program "
                         u"automatycznie obliczał Twój coefficent",
                 .rect = {10, 312, 320, 20}, .style = MultiLineText});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1, .text = u"OK",
                 .rect = {345, 315, 55, 15}, .style = DefaultButton});
    c.push_back({.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj",
                 .rect = {405, 315, 55, 15}});
    return t;
}

// A row of two captioned numbers in a group of the result editor.
void NumberPair(std::vector<ControlTemplate>& c, const char16_t* group, int y, int firstLabel,
                int firstEdit, int secondLabel, int secondEdit) {
    c.push_back({.kind = ControlKind::GroupBox, .text = group, .rect = {215, y, 195, 30}});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = firstLabel, .text = u"Oddziałowy",
                 .rect = {221, y + 14, 45, 9}});
    c.push_back(Number(firstEdit, 268, y + 12, 40));
    c.push_back({.kind = ControlKind::TransparentLabel, .id = secondLabel, .text = u"Sekcyjny",
                 .rect = {314, y + 14, 40, 9}});
    c.push_back(Number(secondEdit, 356, y + 12, 46));
}

// The result editor: the bird with its photos on the left; arrival, positions, points,
// coefficients and notes on the right.
DialogTemplate ResultEditor() {
    DialogTemplate t{.id = 107, .caption = u"Gołąb lotowy", .style = Caption | SysMenu,
                     .width = 420, .height = 268};
    auto& c = t.controls;
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1270, .text = u"G O Ł Ą B",
                 .rect = {10, 42, 190, 12}});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1191, .text = u"",
                 .rect = {10, 56, 195, 12}});
    c.push_back({.kind = ControlKind::TransparentLabel, .id = 1044, .text = u"",
                 .rect = {10, 70, 195, 72}, .style = MultiLineText});
    c.push_back({.kind = ControlKind::PictureBox, .id = 1129, .rect = {10, 146, 143, 91}});
    c.push_back({.kind = ControlKind::PictureBox, .id = 1130, .rect = {158, 146, 47, 44}});
    c.push_back({.kind = ControlKind::PictureBox, .id = 1131, .rect = {158, 193, 47, 44}});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1099, .text = u"Wybierz Gołębia",
                 .rect = {10, 244, 100, 15}});

    c.push_back({.kind = ControlKind::GroupBox, .text = u"Data przylotu gołębia",
                 .rect = {215, 42, 95, 30}});
    c.push_back(DatePicker(1161, 221, 54, 83));
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Czas przylotu",
                 .rect = {315, 42, 95, 30}});
    c.push_back(TimePicker(1162, 321, 54, 83));
    NumberPair(c, u"Numer konkursu", 78, 1251, 1126, 1252, 1127);
    NumberPair(c, u"Punkty", 112, 1253, 1128, 1254, 1132);
    NumberPair(c, u"Coefficient", 146, 1255, 1122, 1256, 1125);
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Uwagi...", .rect = {215, 180, 195, 58}});
    c.push_back(Notes(1091, 221, 192, 183, 40));
    c.push_back({.kind = ControlKind::FlatButton, .id = 1, .text = u"OK",
                 .rect = {295, 244, 55, 15}, .style = DefaultButton});
    c.push_back({.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj",
                 .rect = {355, 244, 55, 15}});
    return t;
}

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kFlightsPage);
    AddDialogTemplate(FlightEditor());
    AddDialogTemplate(ResultEditor());
}
