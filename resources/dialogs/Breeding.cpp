// Breeding: the pairing page, the pair editor with its three panels, the young bird of a pair,
// photo pairing and the season editor (shared with the flights page).
#include "DialogTemplate.h"

namespace {
using namespace style;

ControlTemplate TextLabel(const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::Label, .text = text, .rect = rect};
}

// One date row of the season editor: its caption, day / month / year and the calendar button.
void AddSeasonDateRow(std::vector<ControlTemplate>& c, const char16_t* caption, int y, int day,
                      int picker) {
    c.push_back(TextLabel(caption, {7, y + 2, 92, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day, .rect = {100, y, 20, 13},
                 .style = Border | Number});
    c.push_back(TextLabel(u"/", {122, y + 2, 5, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day + 1, .rect = {128, y, 20, 13},
                 .style = Border | Number});
    c.push_back(TextLabel(u"/", {150, y + 2, 5, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = day + 2, .rect = {156, y, 30, 13},
                 .style = Border | Number});
    c.push_back({.kind = ControlKind::FlatButton, .id = picker, .text = u"...",
                 .rect = {190, y, 18, 13}});
}

std::vector<ControlTemplate> SeasonEditorControls() {
    std::vector<ControlTemplate> c;
    c.push_back(TextLabel(u"Nazwa", {7, 9, 60, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1020, .rect = {7, 19, 201, 13}, .style = Border});
    c.push_back(TextLabel(u"Opis", {7, 38, 60, 8}));
    c.push_back({.kind = ControlKind::Edit, .id = 1412, .rect = {7, 48, 201, 34},
                 .style = Border | Multiline | VScroll});
    AddSeasonDateRow(c, u"Data początkowa(D/M/R)", 90, 1110, 1113);
    AddSeasonDateRow(c, u"Data końcowa(D/M/R)", 108, 1114, 1117);
    c.push_back({.kind = ControlKind::FlatButton, .id = 1, .text = u"Dodaj sezon",
                 .rect = {90, 132, 60, 15}, .style = DefaultButton});
    c.push_back({.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj",
                 .rect = {154, 132, 54, 15}});
    return c;
}

const DialogTemplate kSeasonEditor{
    .id = 174,
    .caption = u"Dodaj nowy sezon",
    .style = Caption | SysMenu,
    .width = 215,
    .height = 154,
    .controls = SeasonEditorControls()};

// The pairing page. The lists are placed by the page when the main window lays it out; the
// links under the season buttons are painted by the page. The six numbered buttons are kept
// hidden and do nothing.
const DialogTemplate kPairingPage{
    .id = 131,
    .style = Child,
    .width = 640,
    .height = 360,
    .controls = {
        {.kind = ControlKind::Combo, .id = 1109, .rect = {7, 9, 130, 150},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1107, .text = u"Dodaj sezon lęgowy",
         .rect = {7, 27, 88, 14}},
        {.kind = ControlKind::FlatButton, .id = 1108, .text = u"Usuń", .rect = {98, 27, 39, 14}},
        {.kind = ControlKind::FlatButton, .id = 1142, .text = u"1", .rect = {7, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1143, .text = u"2", .rect = {21, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1106, .text = u"3", .rect = {35, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1110, .text = u"4", .rect = {49, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1111, .text = u"5", .rect = {63, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::FlatButton, .id = 1112, .text = u"6", .rect = {77, 60, 12, 12}, .style = Hidden},
        {.kind = ControlKind::ListView, .id = 1038, .rect = {160, 0, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
        {.kind = ControlKind::ListView, .id = 1039, .rect = {160, 180, 470, 170},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

// ---- the pair editor --------------------------------------------------------------------------

ControlTemplate Transparent(int id, const char16_t* text, DuRect rect, Flags flags = 0) {
    return {.kind = ControlKind::TransparentLabel, .id = id, .text = text, .rect = rect,
            .style = flags};
}

// One bird's column of the pair editor: its name, three photos and the button that chooses it.
// The panels go under the photos and the painted tab strip beside them.
void AddPairBird(std::vector<ControlTemplate>& c, int x, int nameLabel, const char16_t* caption,
                 int firstPhoto, int choose, const char16_t* chooseText) {
    c.push_back(Transparent(nameLabel, caption, {x, 2, 165, 29}));
    for (int k = 0; k < 3; ++k) {
        c.push_back({.kind = ControlKind::PictureBox, .id = firstPhoto + k,
                     .rect = {x + k * 50, 32, 47, 44}, .style = Border});
    }
    c.push_back({.kind = ControlKind::FlatButton, .id = choose, .text = chooseText,
                 .rect = {x, 278, 150, 15}});
}

std::vector<ControlTemplate> PairEditorControls() {
    std::vector<ControlTemplate> c;
    AddPairBird(c, 7, 1270, u"Obrączka samca", 1099, 1039, u"Wybierz samca");
    AddPairBird(c, 180, 1251, u"Obrączka samicy", 1102, 1040, u"Wybierz samicę");

    // The right-hand column: pairing date, eggs, the two dates and the notes.
    constexpr int x = 360;
    c.push_back(Transparent(1253, u"Data parowania", {x, 5, 170, 12}));
    c.push_back(Transparent(1254, u"Dzień / miesiąc / rok", {x, 20, 170, 9}));
    c.push_back({.kind = ControlKind::Edit, .id = 1053, .rect = {x, 31, 20, 13}, .style = Border | Number});
    c.push_back({.kind = ControlKind::Label, .text = u"/", .rect = {x + 22, 33, 5, 8}});
    c.push_back({.kind = ControlKind::Edit, .id = 1054, .rect = {x + 28, 31, 20, 13}, .style = Border | Number});
    c.push_back({.kind = ControlKind::Label, .text = u"/", .rect = {x + 50, 33, 5, 8}});
    c.push_back({.kind = ControlKind::Edit, .id = 1055, .rect = {x + 56, 31, 30, 13}, .style = Border | Number});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1025, .text = u"...", .rect = {x + 90, 31, 18, 13}});

    c.push_back({.kind = ControlKind::GroupBox, .text = u"Data złożenia jaj", .rect = {x, 52, 84, 30}});
    c.push_back({.kind = ControlKind::DateTimePicker, .id = 1204, .rect = {x + 4, 63, 76, 13},
                 .style = ShowNone});
    c.push_back({.kind = ControlKind::GroupBox, .text = u"Data wyklucia", .rect = {x + 88, 52, 84, 30}});
    c.push_back({.kind = ControlKind::DateTimePicker, .id = 1205, .rect = {x + 92, 63, 76, 13},
                 .style = ShowNone});
    c.push_back(Transparent(1255, u"Złożonych jaj", {x, 91, 60, 9}));
    c.push_back({.kind = ControlKind::Edit, .id = 1203, .rect = {x + 62, 89, 30, 13}, .style = Border | Number});

    c.push_back(Transparent(1252, u"NOTATKI PARY", {x, 110, 120, 12}));
    c.push_back({.kind = ControlKind::FlatButton, .id = 1106, .text = u"<<", .rect = {x + 128, 109, 20, 13}});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1107, .text = u">>", .rect = {x + 152, 109, 20, 13}});
    c.push_back({.kind = ControlKind::Edit, .id = 1043, .rect = {x, 126, 172, 144},
                 .style = Border | Multiline | VScroll | WantReturn});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1027, .text = u"Dodaj parę",
                 .rect = {x, 278, 172, 15}});

    // Kept out of sight: the hint labels, the "+" buttons, the notes button and the family trees.
    c.push_back(Transparent(1191, u"", {600, 5, 100, 12}, Hidden));
    c.push_back(Transparent(1192, u"", {600, 20, 100, 12}, Hidden));
    c.push_back(Transparent(1193, u"", {600, 35, 100, 40}, Hidden));
    c.push_back(Transparent(1194, u"", {600, 80, 100, 40}, Hidden));
    c.push_back({.kind = ControlKind::FlatButton, .id = 1041, .text = u"+", .rect = {600, 125, 12, 12}, .style = Hidden});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1042, .text = u"+", .rect = {615, 125, 12, 12}, .style = Hidden});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1105, .text = u"Notatki Pary", .rect = {600, 140, 60, 14}, .style = Hidden});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1108, .text = u"Drzewo genealogiczne ojca",
                 .rect = {600, 160, 100, 14}, .style = Hidden});
    c.push_back({.kind = ControlKind::FlatButton, .id = 1110, .text = u"Drzewo genealogiczne matki",
                 .rect = {600, 180, 100, 14}, .style = Hidden});
    return c;
}

const DialogTemplate kPairEditor{
    .id = 251,
    .caption = u"Parowanie ptaków",
    .style = Caption | SysMenu,
    .width = 540,
    .height = 300,
    .controls = PairEditorControls()};

// The three panels beside each bird: summary, pedigree, results. 150 x 190 dialog units.
const DialogTemplate kPairSummaryPanel{
    .id = 252,
    .style = Child,
    .width = 150,
    .height = 190,
    .controls = {
        Transparent(-1, u"Hodowca:", {4, 4, 40, 9}),
        Transparent(1212, u"", {46, 4, 100, 9}),
        Transparent(-1, u"Rasa:", {4, 16, 40, 9}),
        Transparent(1207, u"", {46, 16, 100, 9}),
        Transparent(-1, u"Linia:", {4, 28, 40, 9}),
        Transparent(1209, u"", {46, 28, 100, 9}),
        Transparent(-1, u"Kolor:", {4, 40, 40, 9}),
        Transparent(1210, u"", {46, 40, 100, 9}),
        Transparent(1211, u"", {4, 52, 142, 9}),
        Transparent(-1, u"Krótki opis:", {4, 62, 80, 9}),
        {.kind = ControlKind::Edit, .id = 1208, .rect = {4, 72, 142, 112},
         .style = Border | Multiline | VScroll | ReadOnly},
    }};

// Mother and father with their parents, each in a box marked with its sex (the panel shows
// them as framed labels that end a name too long for them in "…").
ControlTemplate PedigreeBox(int id, DuRect rect) {
    return {.kind = ControlKind::Edit, .id = id, .rect = rect,
            .style = Border | Multiline | ReadOnly};
}

ControlTemplate SexMark(int bitmap, int x, int y) {
    return {.kind = ControlKind::Bitmap, .rect = {x, y, 11, 10}, .resource = bitmap};
}

// Each box holds a ring and, under it, a name; the grandparents stand indented under their
// child, so the whole tree reads from top to bottom without scrolling.
const DialogTemplate kPairPedigreePanel{
    .id = 253,
    .style = Child,
    .width = 150,
    .height = 190,
    .controls = {
        Transparent(-1, u"Ojciec", {16, 2, 60, 9}),
        SexMark(182, 4, 19), PedigreeBox(1039, {16, 11, 132, 26}),
        SexMark(182, 18, 47), PedigreeBox(1041, {30, 39, 118, 26}),
        SexMark(183, 18, 75), PedigreeBox(1040, {30, 67, 118, 26}),
        Transparent(-1, u"Matka", {16, 96, 60, 9}),
        SexMark(183, 4, 113), PedigreeBox(1209, {16, 105, 132, 26}),
        SexMark(182, 18, 141), PedigreeBox(1038, {30, 133, 118, 26}),
        SexMark(183, 18, 169), PedigreeBox(1210, {30, 161, 118, 26}),
    }};

const DialogTemplate kPairResultsPanel{
    .id = 254,
    .style = Child,
    .width = 150,
    .height = 190,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1152, .rect = {0, 0, 150, 190},
         .style = Report | Border | ShowSelAlways | FullRowSelect | GridLines | CheckBoxes},
    }};

// ---- the young bird of a pair -----------------------------------------------------------------

ControlTemplate Rule(DuRect rect) {
    return {.kind = ControlKind::Bitmap, .rect = rect, .resource = 147};
}

const DialogTemplate kYoungEditor{
    .id = 148,
    .caption = u"Dodaj młodego do pary",
    .style = Caption | SysMenu,
    .width = 293,
    .height = 306,
    .controls = {
        Transparent(1270, u"G O Ł Ą B", {7, 61, 101, 14}),
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"...", .rect = {120, 66, 12, 12}},
        Rule({7, 79, 99, 1}),
        {.kind = ControlKind::PictureBox, .id = 1125, .rect = {6, 90, 42, 36}},
        {.kind = ControlKind::PictureBox, .id = 1126, .rect = {54, 90, 42, 36}},
        {.kind = ControlKind::PictureBox, .id = 1127, .rect = {102, 90, 42, 36}},
        Transparent(1191, u"", {6, 130, 147, 30}),
        Transparent(1044, u"", {6, 162, 138, 86}),
        Transparent(1252, u"DATA WYLĘGU", {157, 66, 119, 11}),
        Rule({156, 82, 99, 1}),
        {.kind = ControlKind::DateTimePicker, .id = 1175, .rect = {156, 90, 120, 12}},
        Transparent(1251, u"N O T A T K I ", {157, 126, 108, 12}),
        Rule({156, 139, 99, 1}),
        {.kind = ControlKind::Edit, .id = 1043, .rect = {156, 151, 126, 102},
         .style = Border | Multiline | VScroll | WantReturn},
        {.kind = ControlKind::FlatButton, .id = 1027, .text = u"Dodaj gołębia do pary",
         .rect = {6, 284, 280, 18}},
    }};

// ---- photo pairing ----------------------------------------------------------------------------

ControlTemplate Photo(int id, DuRect rect) {
    return {.kind = ControlKind::PictureBox, .id = id, .rect = rect, .style = Border};
}

const DialogTemplate kPhotoPairing{
    .id = 256,
    .caption = u"Parowanie według oka ",
    .style = Caption | SysMenu,
    .width = 557,
    .height = 318,
    .controls = {
        Photo(1216, {12, 12, 84, 72}),
        Photo(1217, {12, 90, 84, 72}),
        Photo(1214, {102, 12, 174, 150}),
        Photo(1215, {288, 12, 174, 150}),
        Photo(1220, {468, 12, 84, 72}),
        Photo(1221, {468, 90, 84, 72}),
        {.kind = ControlKind::GroupBox, .text = u"Lista samców", .rect = {6, 169, 270, 120}},
        {.kind = ControlKind::ListView, .id = 1219, .rect = {12, 180, 258, 102},
         .style = Report | Border | ShowSelAlways | SingleSelect},
        {.kind = ControlKind::GroupBox, .text = u"Lista samic", .rect = {282, 169, 270, 119}},
        {.kind = ControlKind::ListView, .id = 1150, .rect = {288, 180, 258, 102},
         .style = Report | Border | ShowSelAlways | SingleSelect},
        {.kind = ControlKind::FlatButton, .id = 1218, .text = u"Dodaj Parę", .rect = {6, 294, 138, 18}},
        Transparent(1223, u"Data parowania", {289, 297, 66, 12}),
        {.kind = ControlKind::DateTimePicker, .id = 1222, .rect = {360, 294, 144, 18},
         .style = LongDate},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kPairingPage);
    AddDialogTemplate(kPairEditor);
    AddDialogTemplate(kPairSummaryPanel);
    AddDialogTemplate(kPairPedigreePanel);
    AddDialogTemplate(kPairResultsPanel);
    AddDialogTemplate(kYoungEditor);
    AddDialogTemplate(kPhotoPairing);
    AddDialogTemplate(kSeasonEditor);
}
