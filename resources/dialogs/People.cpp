// Breeders and clients: the two person editors and the two managers.
#include "DialogTemplate.h"

namespace {
using namespace style;

// What sets the two editors apart.
struct PersonEditorLook {
    int surnameLabel;
    int postcodeX, postcodeWidth;
    Flags countryStyle;
    int remarksHeight;
    Flags remarksStyle;
    int saveId;
    const char16_t* saveText;
    int height;
};

// Labels at x 12, fields at x 108, one row every 18 units from y 12.
std::vector<ControlTemplate> PersonEditorControls(const PersonEditorLook& look) {
    auto label = [](int id, const char16_t* text, int y, Flags flags = 0) {
        return ControlTemplate{.kind = ControlKind::Label, .id = id, .text = text,
                               .rect = {12, y + 2, 94, 8}, .style = flags};
    };
    auto edit = [](int id, int y) {
        return ControlTemplate{.kind = ControlKind::Edit, .id = id, .rect = {108, y, 186, 12},
                               .style = Border};
    };
    const int remarksY = 246;
    return {
        label(1270, u"Imię", 12),
        edit(1025, 12),
        label(look.surnameLabel, u"Nazwisko", 30),
        edit(1026, 30),
        label(1252, u"Miejscowość", 48),
        edit(1028, 48),
        label(1253, u"Ulica", 66),
        edit(1081, 66),
        label(1264, u"Kraj", 84),
        {.kind = ControlKind::Combo, .id = 1095, .rect = {108, 84, 186, 150},
         .style = look.countryStyle | VScroll},
        label(1265, u"Województwo", 102),
        {.kind = ControlKind::Combo, .id = 1096, .rect = {108, 102, 186, 150},
         .style = DropDownEdit | Sort | VScroll},
        label(1254, u"Nr.Domu/Mieszkania", 120),
        {.kind = ControlKind::Edit, .id = 1082, .rect = {108, 120, 42, 12}, .style = Border},
        {.kind = ControlKind::Label, .id = 1255, .text = u"Kod pocztowy:",
         .rect = {162, 122, 50, 8}},
        {.kind = ControlKind::Edit, .id = 1083,
         .rect = {look.postcodeX, 120, look.postcodeWidth, 12}, .style = Border},
        {.kind = ControlKind::Label, .id = 1256, .text = u"-", .rect = {255, 122, 8, 8},
         .style = Hidden},
        {.kind = ControlKind::Edit, .id = 1084, .rect = {264, 120, 30, 12},
         .style = Border | Hidden},
        label(1257, u"Telefon kontaktowy", 138),
        edit(1085, 138),
        label(1258, u"Telefon kontaktowy 2", 156),
        edit(1086, 156),
        label(1259, u"Telefon komórkowy", 174),
        edit(1087, 174),
        label(1260, u"Telefon komórkowy 2", 192),
        edit(1088, 192),
        label(1261, u"E-mail", 210),
        edit(1089, 210),
        label(1262, u"Strona WWW", 228),
        edit(1090, 228),
        label(1263, u"Uwagi", remarksY),
        {.kind = ControlKind::Edit, .id = 1091, .rect = {108, remarksY, 186, look.remarksHeight},
         .style = Border | look.remarksStyle},
        {.kind = ControlKind::FlatButton, .id = look.saveId, .text = look.saveText,
         .rect = {12, look.height - 22, 282, 16}, .style = DefaultButton},
    };
}

const DialogTemplate kBreederEditor{
    .id = 139,
    .caption = u"Dodaj/Edytuj Hodowcę",
    .style = Caption | SysMenu,
    .width = 310,
    .height = 305,
    .controls = PersonEditorControls({.surnameLabel = 1271,
                                      .postcodeX = 216,
                                      .postcodeWidth = 47,
                                      .countryStyle = DropDownList,
                                      .remarksHeight = 30,
                                      .remarksStyle = Multiline | VScroll | WantReturn,
                                      .saveId = 1031,
                                      .saveText = u"Dodaj Hodowcę",
                                      .height = 305})};

const DialogTemplate kClientEditor{
    .id = 137,
    .caption = u"Dodaj nowego klienta",
    .style = Caption | SysMenu,
    .width = 310,
    .height = 294,
    .controls = PersonEditorControls({.surnameLabel = 1251,
                                      .postcodeX = 215,
                                      .postcodeWidth = 37,
                                      .countryStyle = DropDownEdit | Sort,
                                      .remarksHeight = 12,
                                      .remarksStyle = 0,
                                      .saveId = 1027,
                                      .saveText = u"Dodaj klienta",
                                      .height = 294})};

// The managers: a picture in the top left corner, the list under the painted header and one row
// of buttons under the list.
struct PersonManagerLook {
    int listId;
    DuRect list;
    int newId;
    const char16_t* newText;
    int deleteId;
};

std::vector<ControlTemplate> PersonManagerControls(const PersonManagerLook& look) {
    const int y = look.list.y + look.list.height + 6;
    const int gap = 6;
    const int width = (look.list.width - 3 * gap) / 4;
    auto button = [&](int column, int id, const char16_t* text) {
        return ControlTemplate{.kind = ControlKind::FlatButton, .id = id, .text = text,
                               .rect = {look.list.x + column * (width + gap), y, width, 16}};
    };
    return {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 159},
        {.kind = ControlKind::ListView, .id = look.listId, .rect = look.list,
         .style = Border | Report | ShowSelAlways},
        button(0, look.newId, look.newText),
        button(1, 1031, u"Zmień"),
        button(2, look.deleteId, u"Usuń"),
        button(3, 1023, u"Zamknij"),
    };
}

const DialogTemplate kBreederManager{
    .id = 138,
    .caption = u"Zarządzaj Hodowcami",
    .style = Caption | SysMenu,
    .width = 421,
    .height = 306,
    .controls = PersonManagerControls({.listId = 1028,
                                       .list = {6, 54, 408, 222},
                                       .newId = 1029,
                                       .newText = u"Nowy Hodowca",
                                       .deleteId = 1030})};

const DialogTemplate kClientManager{
    .id = 136,
    .caption = u"Zarządzaj Klientami",
    .style = Caption | SysMenu,
    .width = 490,
    .height = 322,
    .controls = PersonManagerControls({.listId = 1021,
                                       .list = {6, 48, 474, 246},
                                       .newId = 1022,
                                       .newText = u"Nowy Klient",
                                       .deleteId = 1024})};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kBreederEditor);
    AddDialogTemplate(kClientEditor);
    AddDialogTemplate(kBreederManager);
    AddDialogTemplate(kClientManager);
}
