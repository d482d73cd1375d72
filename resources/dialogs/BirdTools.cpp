// The bird chooser, the move/copy target, the sort window and the small bird dialogs.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The bird chooser.
const DialogTemplate kChoosePigeon{
    .id = 144,
    .caption = u"Wybór gołębia - wpisz nr. obrączki, aby szybciej odnaleźć gołębia",
    .style = Caption | SysMenu,
    .width = 330,
    .height = 252,
    .controls = {
        {.kind = ControlKind::Label, .text = u"Obrączka", .rect = {7, 8, 40, 8}},
        {.kind = ControlKind::Edit, .id = 1191, .rect = {50, 6, 100, 13}, .style = Border},
        {.kind = ControlKind::Combo, .id = 1054, .rect = {160, 6, 163, 120},
         .style = DropDownList | VScroll},
        {.kind = ControlKind::ListBox, .id = 1000, .rect = {7, 24, 316, 130},
         .style = Notify | Border | VScroll},
        {.kind = ControlKind::GroupBox, .text = u"INFORMACJE", .rect = {7, 158, 316, 64}},
        {.kind = ControlKind::TransparentLabel, .id = 1169, .rect = {14, 170, 302, 15}},
        {.kind = ControlKind::TransparentLabel, .id = 1170, .rect = {14, 187, 302, 10}},
        {.kind = ControlKind::TransparentLabel, .id = 1171, .rect = {14, 199, 302, 19}},
        {.kind = ControlKind::FlatButton, .id = 1127, .text = u"Edycja ptaka",
         .rect = {7, 229, 66, 16}},
        {.kind = ControlKind::FlatButton, .id = 1126, .text = u"Drzewo genealogiczne",
         .rect = {77, 229, 86, 16}},
        {.kind = ControlKind::FlatButton, .id = 1172, .text = u"Drukuj rodowód",
         .rect = {167, 229, 64, 16}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"Wybierz", .rect = {235, 229, 42, 16},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj", .rect = {281, 229, 42, 16}},
    }};

// Move or copy a bird to a category of any loft.
const DialogTemplate kMovePigeon{
    .id = 170,
    .caption = u"Przenieś/kopiuj do kategorii",
    .style = Caption | SysMenu,
    .width = 236,
    .height = 160,
    .controls = {
        {.kind = ControlKind::Label, .text = u"Wybierz kategorie", .rect = {7, 7, 150, 8}},
        {.kind = ControlKind::Combo, .id = 1007, .rect = {7, 18, 222, 98},
         .style = Simple | VScroll},
        {.kind = ControlKind::CheckBox, .id = 1106,
         .text = u"Pozostaw ptaka także w tej kategorii(kopiowanie)", .rect = {7, 121, 222, 10}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"OK", .rect = {121, 138, 52, 16},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj", .rect = {177, 138, 52, 16}},
    }};

// The entries of each sort criterion list, in PigeonSortCriterion order.
const std::vector<std::u16string> kSortCriteria = {
    u"Nie sortuj",
    u" Według obrączki rosnąco",
    u" Według obrączki malejąco",
    u" Według rocznika rosnąco",
    u" Według rocznika malejąco",
    u" Według kraju(A-Z)",
    u" Według kraju(Z-A)",
    u" Według płci(najpierw 1-0)",
    u" Według płci(najpierw 0-1)",
    u" Według koloru(A-Z)",
    u" Według koloru(Z-A)",
    u"Według koloru oka(A-Z)",
    u" Według koloru oka(Z-A)",
    u" Według rasy(A-Z)",
    u" Według rasy(Z-A)",
    u"Według lini(A-Z)",
    u"Według lini(Z-A)",
};

ControlTemplate CriterionLabel(int row, const char16_t* text) {
    return {.kind = ControlKind::Label, .text = text, .rect = {7, 9 + 18 * row, 80, 8}};
}

ControlTemplate CriterionList(int row, int id) {
    return {.kind = ControlKind::Combo, .id = id, .rect = {90, 7 + 18 * row, 150, 160},
            .style = DropDownList | VScroll, .items = kSortCriteria};
}

const DialogTemplate kSortPigeons{
    .id = 243,
    .caption = u"Sortuj liste gołębi",
    .style = Caption | SysMenu,
    .width = 248,
    .height = 124,
    .controls = {
        CriterionLabel(0, u"Pierwsze kryterium"),
        CriterionList(0, 1054),
        CriterionLabel(1, u"Drugie kryterium"),
        CriterionList(1, 1055),
        CriterionLabel(2, u"Trzecie kryterium"),
        CriterionList(2, 1056),
        CriterionLabel(3, u"Czwarte kryterium"),
        CriterionList(3, 1057),
        CriterionLabel(4, u"Piąte kryterium"),
        CriterionList(4, 1058),
        {.kind = ControlKind::PushButton, .id = 1, .text = u"Sortuj liste",
         .rect = {122, 102, 62, 15}, .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = 2, .text = u"Anuluj", .rect = {188, 102, 52, 15}},
    }};

// A bird's short description.
const DialogTemplate kSetDescription{
    .id = 222,
    .caption = u"Zmień opis",
    .style = Caption | SysMenu,
    .width = 250,
    .height = 114,
    .controls = {
        {.kind = ControlKind::GroupBox, .text = u"Opis gołębia...", .rect = {7, 5, 236, 82}},
        {.kind = ControlKind::Edit, .id = 1412, .rect = {14, 16, 222, 64},
         .style = Border | Multiline | VScroll | WantReturn},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"?", .rect = {7, 92, 16, 16}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"OK", .rect = {137, 92, 50, 16},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Anuluj", .rect = {191, 92, 52, 16}},
    }};

// The day a young bird first went out onto the loft roof.
const DialogTemplate kRoofDate{
    .id = 241,
    .caption = u"Data wyjścia na dach",
    .style = Caption | SysMenu,
    .width = 170,
    .height = 50,
    .controls = {
        {.kind = ControlKind::DateTimePicker, .id = 1175, .rect = {7, 7, 156, 14},
         .style = LongDate | ShowNone},
        {.kind = ControlKind::PushButton, .id = 1, .text = u"OK", .rect = {57, 29, 50, 14},
         .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = 2, .text = u"Anuluj", .rect = {113, 29, 50, 14}},
    }};

// A series of ring numbers; the window has no Cancel button, the close box cancels.
const DialogTemplate kRingSeries{
    .id = 238,
    .caption = u"Dodaj nową serie obrączek",
    .style = Caption | SysMenu,
    .width = 250,
    .height = 190,
    .controls = {
        {.kind = ControlKind::GroupBox, .text = u"Podstawowe informacje", .rect = {7, 44, 236, 62}},
        {.kind = ControlKind::TransparentLabel, .id = 1270, .text = u"Kraj", .rect = {14, 58, 62, 8}},
        {.kind = ControlKind::Edit, .id = 1095, .rect = {80, 56, 150, 13},
         .style = Border | UpperCase},
        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"Oddział",
         .rect = {14, 74, 62, 8}},
        {.kind = ControlKind::Edit, .id = 1160, .rect = {80, 72, 150, 13}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1252, .text = u"Rocznik",
         .rect = {14, 90, 62, 8}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {80, 88, 150, 13}, .style = Border},
        {.kind = ControlKind::GroupBox, .text = u"Obrączki", .rect = {7, 112, 236, 46}},
        {.kind = ControlKind::TransparentLabel, .id = 1253, .text = u"Numer startowy",
         .rect = {14, 126, 62, 8}},
        {.kind = ControlKind::Edit, .id = 1096, .rect = {80, 124, 150, 13}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1254, .text = u"Numer końcowy",
         .rect = {14, 142, 62, 8}},
        {.kind = ControlKind::Edit, .id = 1097, .rect = {80, 140, 150, 13}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1199, .text = u"Dodaj nową serię obrączek",
         .rect = {113, 166, 130, 16}, .style = DefaultButton},
    }};

// The individual print list.
const DialogTemplate kIldList{
    .id = 242,
    .caption = u"Lista ILD",
    .style = Caption | SysMenu,
    .width = 250,
    .height = 186,
    .controls = {
        {.kind = ControlKind::ListBox, .id = 1195, .rect = {7, 7, 236, 150},
         .style = Notify | Border | VScroll},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"Usuń gołębia z ILD",
         .rect = {7, 163, 114, 16}},
        {.kind = ControlKind::FlatButton, .id = 1100, .text = u"Usuń całą listę ILD",
         .rect = {129, 163, 114, 16}},
    }};

// The kind of a photograph: a small captionless popup of buttons.
const DialogTemplate kPhotoKind{
    .id = 255,
    .caption = u"",
    .style = Popup,
    .width = 140,
    .height = 98,
    .controls = {
        {.kind = ControlKind::FlatButton, .id = 1213, .text = u"Ogólne zdjęcie gołębia",
         .rect = {5, 5, 130, 16}},
        {.kind = ControlKind::FlatButton, .id = 1214, .text = u"Zdjęcie oka",
         .rect = {5, 23, 130, 16}},
        {.kind = ControlKind::FlatButton, .id = 1215, .text = u"Zdjęcie upierzenia",
         .rect = {5, 41, 130, 16}},
        {.kind = ControlKind::FlatButton, .id = 1216, .text = u"Zdjęcie do druku na rodowodzie",
         .rect = {5, 59, 130, 16}},
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"ANULUJ", .rect = {5, 77, 130, 16}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kChoosePigeon);
    AddDialogTemplate(kMovePigeon);
    AddDialogTemplate(kSortPigeons);
    AddDialogTemplate(kSetDescription);
    AddDialogTemplate(kRoofDate);
    AddDialogTemplate(kRingSeries);
    AddDialogTemplate(kIldList);
    AddDialogTemplate(kPhotoKind);
}
