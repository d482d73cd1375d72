// The racing tools of the "Narzędzia" menu and their neighbours: the rankings of best pigeons
// and best pairs, the flight-results import window, the distance and speed calculators, a bird's
// speed in four units and the union's branch directory.
#include "DialogTemplate.h"

namespace {
using namespace style;

constexpr int kRuleBitmap = 147;       // the soft rule under a heading
constexpr int kSeparatorBitmap = 145;  // the upright line between columns

ControlTemplate Heading(int id, const char16_t* text, int x, int y, int width) {
    return {.kind = ControlKind::TransparentLabel, .id = id, .text = text,
            .rect = {x, y, width, 13}, .style = VCenter};
}
ControlTemplate Rule(int x, int y) {
    return {.kind = ControlKind::Bitmap, .rect = {x, y, 99, 1}, .resource = kRuleBitmap};
}
ControlTemplate Separator(int x, int y) {
    return {.kind = ControlKind::Bitmap, .rect = {x, y, 1, 148}, .resource = kSeparatorBitmap};
}
ControlTemplate Photo(int id, int x, int y) {
    return {.kind = ControlKind::PictureBox, .id = id, .rect = {x, y, 143, 91}, .style = Border};
}
ControlTemplate Text(int id, const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::TransparentLabel, .id = id, .text = text, .rect = rect};
}
constexpr Flags kListStyle = Border | Report | ShowSelAlways | SingleSelect;

// Best pigeons: the ranking on the left, the chosen bird's results with its three figures in the
// middle, its photo and texts on the right.
const DialogTemplate kBestPigeons{
    .id = 235,
    .caption = u"Najlepsze lotniki ",
    .style = Caption | SysMenu,
    .width = 694,
    .height = 330,
    .controls = {
        Heading(1193, u"Najlepsze lotniki", 7, 42, 126),
        Rule(7, 57),
        {.kind = ControlKind::ListView, .id = 1190, .rect = {7, 62, 126, 260}, .style = kListStyle},
        Separator(137, 42),
        Heading(1194, u"Wyniki lotowe wybranego gołębia", 143, 42, 384),
        Rule(143, 57),
        {.kind = ControlKind::ListView, .id = 1152, .rect = {143, 62, 384, 200},
         .style = kListStyle},
        {.kind = ControlKind::GroupBox, .text = u"Śr. Pozycja", .rect = {143, 268, 124, 54}},
        {.kind = ControlKind::TransparentLabel, .id = 1181, .rect = {147, 280, 116, 38},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Konkursy", .rect = {273, 268, 124, 54}},
        {.kind = ControlKind::TransparentLabel, .id = 1182, .rect = {277, 280, 116, 38},
         .style = Center | VCenter},
        {.kind = ControlKind::GroupBox, .text = u"Najlepszy Konk.", .rect = {403, 268, 124, 54}},
        {.kind = ControlKind::TransparentLabel, .id = 1187, .rect = {407, 280, 116, 38},
         .style = Center | VCenter},
        Separator(531, 42),
        Heading(1192, u"Podgląd Zdjęć", 537, 42, 150),
        Rule(537, 57),
        Photo(1060, 537, 62),
        Heading(1191, u"Informacje nt. gołębia", 537, 160, 150),
        Rule(537, 175),
        Text(1020, u"", {537, 180, 150, 24}),
        Text(1130, u"", {537, 206, 150, 12}),
        Text(1412, u"", {537, 220, 150, 102}),
    }};

// Best pairs: the pair ranking on the left, the chosen pair's parents in the middle, their raced
// young with the chosen young's photo and texts on the right.
const DialogTemplate kBestPairs{
    .id = 247,
    .caption = u"Najlepsze Pary w Gołębniku",
    .style = Caption | SysMenu,
    .width = 678,
    .height = 326,
    .controls = {
        Heading(1197, u"Najlepsze pary w gołębniku", 7, 42, 218),
        Rule(7, 57),
        {.kind = ControlKind::ListView, .id = 1038, .rect = {7, 62, 218, 256}, .style = kListStyle},
        Separator(229, 42),
        Heading(1196, u"Informacje Ojca", 235, 42, 150),
        Rule(235, 57),
        Photo(1198, 235, 62),
        Text(1199, u"", {235, 156, 150, 22}),
        Heading(1194, u"Informacje Matki", 235, 182, 150),
        Rule(235, 197),
        Photo(1061, 235, 202),
        Text(1200, u"", {235, 296, 150, 22}),
        Separator(389, 42),
        Heading(1195, u"Lista potomstwa pary", 395, 42, 276),
        Rule(395, 57),
        {.kind = ControlKind::ListView, .id = 1190, .rect = {395, 62, 276, 140},
         .style = kListStyle},
        Photo(1201, 395, 208),
        {.kind = ControlKind::TransparentLabel, .id = 1202, .text = u"Wybierz gołębia z listy",
         .rect = {542, 208, 129, 28}},
        Text(1174, u"Opis gołębia jest niedostępny", {542, 240, 129, 78}),
    }};

// The results import window: the file choice above, the results list below.
const DialogTemplate kImportFlightResults{
    .id = 259,
    .caption = u"Import wyników z listy konkursowej",
    .style = Caption | SysMenu,
    .width = 516,
    .height = 300,
    .controls = {
        {.kind = ControlKind::GroupBox, .text = u"Ładuj plik z wynikami ", .rect = {7, 7, 502, 34}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {14, 20, 316, 13}, .style = Border},
        {.kind = ControlKind::PushButton, .id = 1226, .text = u"...", .rect = {334, 20, 20, 13}},
        {.kind = ControlKind::PushButton, .id = 1100, .text = u"Przetwarzaj wyniki z pliku",
         .rect = {360, 20, 142, 13}},
        {.kind = ControlKind::GroupBox, .text = u"Wczytane wyniki ", .rect = {7, 46, 502, 226}},
        {.kind = ControlKind::ListView, .id = 1227, .rect = {14, 58, 488, 207},
         .style = Border | Report | ShowSelAlways},
        {.kind = ControlKind::PushButton, .id = 1225, .text = u"Dodaj wyniki do lotu",
         .rect = {359, 278, 150, 15}},
    }};

// One row of a point's coordinates: its label and the degrees, minutes and seconds fields.
void AddCoordinateRow(std::vector<ControlTemplate>& controls, const char16_t* label, int y,
                      int degrees) {
    controls.push_back({.kind = ControlKind::Label, .text = label, .rect = {14, y + 2, 44, 8}});
    const char16_t* units[] = {u"°", u"'", u"''"};
    for (int i = 0; i < 3; ++i) {
        const int x = 60 + i * 58;
        controls.push_back({.kind = ControlKind::Edit, .id = degrees + i, .rect = {x, y, 42, 12},
                            .style = Border | Right});
        controls.push_back({.kind = ControlKind::Label, .text = units[i],
                            .rect = {x + 44, y + 1, 10, 8}});
    }
}

std::vector<ControlTemplate> DistanceCalculatorControls() {
    std::vector<ControlTemplate> controls;
    controls.push_back(
        {.kind = ControlKind::GroupBox, .text = u"Współrzędne 1 punktu", .rect = {7, 7, 236, 48}});
    AddCoordinateRow(controls, u"Szerokość", 19, 1404);
    AddCoordinateRow(controls, u"Dlugość", 36, 1397);
    controls.push_back(
        {.kind = ControlKind::GroupBox, .text = u"Współrzędne 2 punktu", .rect = {7, 60, 236, 48}});
    AddCoordinateRow(controls, u"Szerokość", 72, 1407);
    AddCoordinateRow(controls, u"Dlugość", 89, 1400);
    controls.push_back({.kind = ControlKind::Label, .text = u"Odległość między punktami wynosi",
                        .rect = {7, 118, 122, 8}});
    controls.push_back({.kind = ControlKind::Edit, .id = 1403, .rect = {130, 116, 88, 12},
                        .style = Border | ReadOnly | Right});
    controls.push_back({.kind = ControlKind::Label, .text = u"km", .rect = {222, 118, 20, 8}});
    controls.push_back({.kind = ControlKind::FlatButton, .id = 1099, .text = u"Oblicz...",
                        .rect = {7, 136, 236, 16}, .style = DefaultButton});
    return controls;
}

const DialogTemplate kDistanceCalculator{
    .id = 228,
    .caption = u"Kalkulator odległości geograficznych",
    .style = Caption | SysMenu,
    .width = 250,
    .height = 159,
    .controls = DistanceCalculatorControls()};

const DialogTemplate kSpeedCalculator{
    .id = 246,
    .caption = u"Kalkulator prędkości gołębi",
    .style = Caption | SysMenu,
    .width = 226,
    .height = 122,
    .controls = {
        {.kind = ControlKind::GroupBox, .text = u"Oblicz prędkość gołębia", .rect = {7, 7, 212, 108}},
        {.kind = ControlKind::Label, .text = u"Czas lotu(Godzin/Minut/Sekund)",
         .rect = {14, 22, 112, 8}},
        {.kind = ControlKind::Edit, .id = 1217, .rect = {128, 20, 24, 12},
         .style = Border | Number | Right},
        {.kind = ControlKind::Label, .text = u":", .rect = {154, 22, 4, 8}},
        {.kind = ControlKind::Edit, .id = 1218, .rect = {160, 20, 24, 12},
         .style = Border | Number | Right},
        {.kind = ControlKind::Label, .text = u":", .rect = {186, 22, 4, 8}},
        {.kind = ControlKind::Edit, .id = 1219, .rect = {192, 20, 20, 12},
         .style = Border | Number | Right},
        {.kind = ControlKind::Label, .text = u"Odleglosc(w kilometrach)", .rect = {14, 40, 112, 8}},
        {.kind = ControlKind::Edit, .id = 1115, .rect = {128, 38, 84, 12}, .style = Border | Right},
        {.kind = ControlKind::Label, .text = u"Szybkość(w km/h)", .rect = {14, 58, 112, 8}},
        {.kind = ControlKind::Edit, .id = 1037, .rect = {128, 56, 84, 12},
         .style = Border | Disabled | Right},
        {.kind = ControlKind::Label, .text = u"Szybkość(w m/s)", .rect = {14, 76, 112, 8}},
        {.kind = ControlKind::Edit, .id = 1160, .rect = {128, 74, 84, 12},
         .style = Border | Disabled | Right},
        {.kind = ControlKind::PushButton, .id = 1220, .text = u"OBLICZ", .rect = {14, 94, 198, 15},
         .style = DefaultButton},
    }};

// A bird's speed in four units, one group box each.
std::vector<ControlTemplate> BirdSpeedControls() {
    struct Unit {
        const char16_t* name;
        int id;
    };
    const Unit units[] = {{u"m/s", 1270}, {u"m/min", 1251}, {u"km/h", 1252}, {u"km/min", 1253}};
    std::vector<ControlTemplate> controls;
    for (int i = 0; i < 4; ++i) {
        const int x = 7 + i * 94;
        controls.push_back(
            {.kind = ControlKind::GroupBox, .text = units[i].name, .rect = {x, 7, 90, 44}});
        controls.push_back({.kind = ControlKind::TransparentLabel, .id = units[i].id,
                            .rect = {x + 3, 18, 84, 28}, .style = Center | VCenter});
    }
    return controls;
}

const DialogTemplate kBirdSpeed{
    .id = 240,
    .caption = u"Prędkość Gołębia",
    .style = Caption | SysMenu,
    .width = 384,
    .height = 58,
    .controls = BirdSpeedControls()};

// The branch directory: the search line in a frame under the painted header, the matches below.
const DialogTemplate kBranchDirectory{
    .id = 189,
    .caption = u"Spis oddziałów PZHGP",
    .style = Caption | SysMenu,
    .width = 330,
    .height = 252,
    .controls = {
        {.kind = ControlKind::Frame, .rect = {7, 42, 316, 24}},
        {.kind = ControlKind::Edit, .id = 1244, .rect = {12, 47, 200, 14}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"Pokaż informacje",
         .rect = {218, 47, 100, 14}, .style = DefaultButton},
        {.kind = ControlKind::Edit, .id = 1037, .rect = {7, 72, 316, 173},
         .style = Border | Multiline | VScroll | ReadOnly},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kBestPigeons);
    AddDialogTemplate(kBestPairs);
    AddDialogTemplate(kImportFlightResults);
    AddDialogTemplate(kDistanceCalculator);
    AddDialogTemplate(kSpeedCalculator);
    AddDialogTemplate(kBirdSpeed);
    AddDialogTemplate(kBranchDirectory);
}
