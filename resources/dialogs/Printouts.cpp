// The printout windows: the pedigree print window, the family tree, the litter card and the
// list export. Each paints the program's header band over its top 36 units.
#include "DialogTemplate.h"

namespace {
using namespace style;

ControlTemplate Label(int id, const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::TransparentLabel, .id = id, .text = text, .rect = rect};
}
ControlTemplate Flat(int id, const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::FlatButton, .id = id, .text = text, .rect = rect};
}
ControlTemplate Check(int id, DuRect rect) {
    return {.kind = ControlKind::CheckBox, .id = id, .rect = rect};
}
ControlTemplate TextEdit(int id, DuRect rect, Flags extra = 0) {
    return {.kind = ControlKind::Edit, .id = id, .rect = rect, .style = Border | extra};
}
ControlTemplate Group(const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::GroupBox, .text = text, .rect = rect};
}
ControlTemplate DropList(int id, DuRect rect) {
    return {.kind = ControlKind::Combo, .id = id, .rect = rect, .style = DropDownList | VScroll};
}

std::vector<ControlTemplate> PedigreeControls() {
    std::vector<ControlTemplate> c = {
        Group(u"Wybierz szablon rodowodu", {7, 40, 172, 196}),
        // Square on screen, as the thumbnails are.
        {.kind = ControlKind::PictureBox, .id = 1060, .rect = {18, 53, 150, 138}, .style = Border},
        DropList(1168, {14, 200, 158, 120}),
        Flat(1167, u"Drukuj", {7, 244, 80, 18}),
        Flat(1169, u"Zapisz rodowód", {92, 244, 87, 18}),
        Group(u"Opcje druku", {186, 40, 207, 76}),
    };
    const std::pair<int, int> notes[] = {{1193, 1270}, {1189, 1251}, {1190, 1252}, {1191, 1253},
                                         {1192, 1254}};
    const char16_t* texts[] = {u"Drukuj notatki gołębia", u"Drukuj notatki 1 pokolenia",
                               u"Drukuj notatki 2 pokolenia", u"Drukuj notatki 3 pokolenia",
                               u"Drukuj notatki 4 pokolenia"};
    for (int i = 0; i < 5; ++i) {
        const int y = 52 + i * 12;
        c.push_back(Check(notes[i].first, {194, y, 10, 10}));
        c.push_back(Label(notes[i].second, texts[i], {207, y + 1, 180, 9}));
        if (i < 4) c.push_back({.kind = ControlKind::HLine, .rect = {194, y + 11, 190, 1}});
    }
    c.push_back(Group(u"Dane Hodowcy", {186, 120, 207, 30}));
    c.push_back(DropList(1194, {194, 132, 191, 120}));
    c.push_back(Group(u"Logo gołębnika", {186, 154, 207, 30}));
    c.push_back(TextEdit(1205, {194, 166, 165, 13}));
    c.push_back(Flat(1206, u"...", {363, 166, 22, 13}));
    c.push_back(Group(u"Tło rodowodu", {186, 188, 207, 46}));
    c.push_back(DropList(1224, {194, 200, 191, 120}));
    c.push_back(TextEdit(1208, {194, 216, 165, 13}));
    c.push_back(Flat(1207, u"...", {363, 216, 22, 13}));
    c.push_back(Group(u"Liczba wierszy w pokoleniu - 1/2/3/4/5 pok.", {186, 238, 207, 30}));
    for (int i = 0; i < 5; ++i) c.push_back(TextEdit(1231 + i, {194 + i * 39, 250, 34, 13}));
    return c;
}

const DialogTemplate kPedigreePrint{
    .id = 221,
    .caption = u"Wydruk Rodowodu",
    .style = Caption | SysMenu,
    .width = 400,
    .height = 274,
    .controls = PedigreeControls()};

// The bird at the top, its parents under it and its grandparents at the bottom; in each pair
// the mother stands left (bitmap 183 beside her), the father right (bitmap 182).
std::vector<ControlTemplate> FamilyTreeControls() {
    // An etched vertical line is drawn down the middle of its control: two units wide, centred
    // on x.
    auto v = [](int x, int y, int height) {
        return ControlTemplate{.kind = ControlKind::VLine, .rect = {x - 1, y, 2, height}};
    };
    auto h = [](int x, int y, int width) {
        return ControlTemplate{.kind = ControlKind::HLine, .rect = {x, y, width, 1}};
    };
    auto bird = [](int id, int centre, int y, int width, int sideBitmap) {
        return std::vector<ControlTemplate>{
            {.kind = ControlKind::Bitmap, .rect = {centre - width / 2 - 13, y + 9, 11, 10},
             .resource = sideBitmap},
            Flat(id, u"", {centre - width / 2, y, width, 28})};
    };
    std::vector<ControlTemplate> c = {
        {.kind = ControlKind::PictureBox, .id = 1146, .rect = {10, 42, 143, 91}, .style = Border},
        Flat(1148, u"", {170, 72, 120, 28}),
        v(230, 100, 40), h(117, 140, 226), v(117, 140, 30), v(343, 140, 30),
        v(117, 198, 24), v(343, 198, 24), h(60, 222, 114), h(286, 222, 114),
        v(60, 222, 34), v(174, 222, 34), v(286, 222, 34), v(400, 222, 34),
    };
    for (auto part : {bird(1100, 117, 170, 100, 183), bird(1101, 343, 170, 100, 182),
                      bird(1102, 60, 256, 80, 183), bird(1103, 174, 256, 80, 182),
                      bird(1104, 286, 256, 80, 183), bird(1105, 400, 256, 80, 182)}) {
        c.insert(c.end(), part.begin(), part.end());
    }
    const std::vector<ControlTemplate> panel = {
        {.kind = ControlKind::Bitmap, .rect = {448, 40, 2, 262}, .resource = 145},
        Label(1270, u"Podgląd Zdjęć", {456, 42, 144, 12}),
        {.kind = ControlKind::PictureBox, .id = 1125, .rect = {456, 56, 140, 88}, .style = Border},
        {.kind = ControlKind::PictureBox, .id = 1126, .rect = {456, 148, 140, 88}, .style = Border},
        {.kind = ControlKind::Bitmap, .rect = {456, 240, 140, 1}, .resource = 147},
        Label(1251, u"Informacje", {456, 244, 144, 12}),
        Label(1252, u"", {456, 258, 144, 24}),
        Label(1130, u"", {456, 284, 144, 10}),
        {.kind = ControlKind::TransparentLabel, .id = 1192, .rect = {456, 296, 144, 10},
         .style = Hidden},
    };
    c.insert(c.end(), panel.begin(), panel.end());
    return c;
}

const DialogTemplate kFamilyTree{
    .id = 172,
    .caption = u"Drzewo Genealogiczne ptaka",
    .style = Caption | SysMenu,
    .width = 606,
    .height = 310,
    .controls = FamilyTreeControls()};

// The print settings on the left, the four options under them, the two commands on the right.
const DialogTemplate kLitterCard{
    .id = 186,
    .caption = u"",
    .style = Caption | SysMenu,
    .width = 300,
    .height = 198,
    .controls = {
        Label(1252, u"Ustawienia Wydruku", {10, 42, 200, 10}),
        Label(1253, u"Czcionka", {10, 58, 62, 8}),
        TextEdit(1075, {75, 56, 90, 13}),
        Label(1254, u"Rozmiar czcionki", {10, 75, 62, 8}),
        TextEdit(1076, {75, 73, 40, 13}),
        Label(1261, u"Dolny margines", {10, 92, 62, 8}),
        TextEdit(1081, {75, 90, 40, 13}),
        Label(1255, u"Notatki do druku:", {10, 110, 120, 8}),
        Check(1077, {10, 122, 10, 10}),
        Label(1256, u"Pokaż zdjęć rodziców", {23, 123, 140, 8}),
        Check(1078, {10, 136, 10, 10}),
        Label(1257, u"Pokaż zdjęcia potomków", {23, 137, 140, 8}),
        Check(1079, {10, 150, 10, 10}),
        Label(1258, u"Pokaż notatki pary", {23, 151, 140, 8}),
        Check(1080, {10, 164, 10, 10}),
        Label(1260, u"Pokaż notatki potomków", {23, 165, 140, 8}),
        Flat(1072, u"Podgląd/Wydruk Raportu", {176, 120, 114, 18}),
        Flat(1071, u"Zapisz listę do pliku...", {176, 142, 114, 18}),
    }};

// The offered columns, the chosen ones in page order with their width, and the page settings.
const DialogTemplate kListExport{
    .id = 159,
    .caption = u"Eksport/Wydruk listy",
    .style = Caption | SysMenu,
    .width = 420,
    .height = 262,
    .controls = {
        Label(1270, u"Dostępne kolumny", {10, 42, 120, 8}),
        {.kind = ControlKind::ListBox, .id = 1069, .rect = {10, 52, 120, 150},
         .style = Notify | Border | VScroll},
        Flat(1013, u">>", {136, 100, 26, 16}),
        Flat(1024, u"<<", {136, 120, 26, 16}),
        Label(1251, u"Kolumny na wydruku", {168, 42, 112, 8}),
        {.kind = ControlKind::ListBox, .id = 1070, .rect = {168, 52, 112, 150},
         .style = Notify | Border | VScroll},
        Flat(1196, u"/\\", {284, 100, 20, 16}),
        Flat(1200, u"\\/", {284, 120, 20, 16}),
        Label(1262, u"Szer. kolumny w mm", {168, 209, 70, 8}),
        TextEdit(1201, {240, 207, 34, 13}, Number),
        Flat(1197, u"OK", {278, 206, 26, 15}),
        Label(1252, u"Ustawienia Wydruku", {314, 42, 100, 10}),
        Label(1253, u"Czcionka", {314, 56, 96, 8}),
        TextEdit(1075, {314, 65, 96, 13}),
        Label(1254, u"Rozmiar czcionki", {314, 82, 96, 8}),
        TextEdit(1076, {314, 91, 40, 13}),
        Label(1261, u"Dolny margines", {314, 108, 96, 8}),
        TextEdit(1081, {314, 117, 40, 13}),
        Label(1255, u"Notatki do druku:", {314, 136, 96, 8}),
        Check(1077, {314, 147, 10, 10}),
        Label(1256, u"Notatki ogólne", {327, 148, 86, 8}),
        Check(1078, {314, 160, 10, 10}),
        Label(1257, u"Notatki chorobowe", {327, 161, 86, 8}),
        Check(1079, {314, 173, 10, 10}),
        Label(1258, u"Notatki cechy wyglądu", {327, 174, 86, 8}),
        Check(1080, {314, 186, 10, 10}),
        Label(1260, u"Notatki problemy", {327, 187, 86, 8}),
        Flat(1072, u"Podgląd/Wydruk Raportu", {10, 234, 120, 18}),
        Flat(1071, u"Zapisz listę do pliku...", {136, 234, 120, 18}),
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kPedigreePrint);
    AddDialogTemplate(kFamilyTree);
    AddDialogTemplate(kLitterCard);
    AddDialogTemplate(kListExport);
}
