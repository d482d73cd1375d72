// The transactions page of the main window and the transaction editor.
#include "DialogTemplate.h"

namespace {
using namespace style;

// The page: the list of the loft's transactions to the right of a column of painted links, with
// the group pictures and the small icons beside the links.
const DialogTemplate kTransactionsPage{
    .id = 149,
    .style = Child,
    .width = 595,
    .height = 334,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1046, .rect = {160, 0, 430, 320},
         .style = Report | Border | ShowSelAlways},
        {.kind = ControlKind::Bitmap, .rect = {1, 9, 125, 20}, .resource = 163},
        {.kind = ControlKind::Bitmap, .rect = {1, 143, 125, 20}, .resource = 164},
        {.kind = ControlKind::Bitmap, .rect = {8, 37, 10, 9}, .resource = 142},
        {.kind = ControlKind::Bitmap, .rect = {7, 167, 10, 9}, .resource = 142},
        {.kind = ControlKind::Bitmap, .rect = {8, 73, 10, 9}, .resource = 187},
        {.kind = ControlKind::Bitmap, .rect = {7, 186, 10, 9}, .resource = 189},
        {.kind = ControlKind::Bitmap, .rect = {8, 205, 10, 9}, .resource = 188},
    }};

// A thin rule under a caption.
ControlTemplate Rule(int x, int y) {
    return {.kind = ControlKind::Bitmap, .rect = {x, y, 99, 1}, .resource = 147};
}

// The editor: kind and date on top, client and bird searches side by side, then the amount
// with currency and subject beside the notes.
const DialogTemplate kTransactionEditor{
    .id = 150,
    .caption = u"TRANSAKCJA",
    .style = Caption | SysMenu,
    .width = 514,
    .height = 337,
    .controls = {
        {.kind = ControlKind::Bitmap, .rect = {0, 0, 45, 41}, .resource = 162},

        {.kind = ControlKind::TransparentLabel, .id = 1252, .text = u"RODZAJ TRANSAKCJI",
         .rect = {10, 46, 150, 10}},
        Rule(10, 56),
        {.kind = ControlKind::Combo, .id = 1047, .rect = {10, 60, 120, 60},
         .style = DropDownList | VScroll, .items = {u"Sprzedaż", u" Kupno", u" Inne"}},

        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"DATA TRANSAKCJI",
         .rect = {264, 46, 150, 10}},
        Rule(264, 56),
        {.kind = ControlKind::Edit, .id = 1053, .rect = {264, 60, 22, 13}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1256, .text = u"/", .rect = {288, 62, 6, 10}},
        {.kind = ControlKind::Edit, .id = 1054, .rect = {295, 60, 22, 13}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1257, .text = u"/", .rect = {319, 62, 6, 10}},
        {.kind = ControlKind::Edit, .id = 1055, .rect = {326, 60, 34, 13}, .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1045, .text = u"...", .rect = {364, 60, 20, 13}},

        {.kind = ControlKind::TransparentLabel, .id = 1255, .text = u"Szukaj Klienta",
         .rect = {10, 82, 150, 10}},
        Rule(10, 92),
        {.kind = ControlKind::Frame, .rect = {10, 96, 240, 100}},
        {.kind = ControlKind::Edit, .id = 1043, .rect = {16, 102, 110, 13}, .style = Border},
        {.kind = ControlKind::ListBox, .id = 1021, .rect = {16, 118, 110, 72},
         .style = Border | VScroll | Notify},
        {.kind = ControlKind::TransparentLabel, .id = 1270, .text = u"Wybiersz klienta z listy obok",
         .rect = {132, 102, 112, 28}},
        {.kind = ControlKind::TransparentLabel, .id = 1262, .text = u" ",
         .rect = {132, 134, 112, 40}},

        {.kind = ControlKind::TransparentLabel, .id = 1162, .text = u"Szukaj ptaka",
         .rect = {264, 82, 150, 10}},
        Rule(264, 92),
        {.kind = ControlKind::Frame, .rect = {264, 96, 240, 100}},
        {.kind = ControlKind::Edit, .id = 1191, .rect = {270, 102, 110, 13}, .style = Border},
        {.kind = ControlKind::ListBox, .id = 1000, .rect = {270, 118, 110, 72},
         .style = Border | VScroll | Notify},
        {.kind = ControlKind::TransparentLabel, .id = 1253, .text = u"Wybierz ptaka z listy obok",
         .rect = {386, 102, 112, 28}},
        {.kind = ControlKind::TransparentLabel, .id = 1263, .text = u" ",
         .rect = {386, 134, 112, 40}},

        {.kind = ControlKind::TransparentLabel, .id = 1258, .text = u"Kwota transakcji",
         .rect = {10, 204, 150, 10}},
        Rule(10, 214),
        {.kind = ControlKind::Frame, .rect = {10, 218, 240, 90}},
        {.kind = ControlKind::Edit, .id = 1048, .rect = {16, 224, 80, 13}, .style = Border},
        {.kind = ControlKind::Combo, .id = 1049, .rect = {100, 224, 50, 70},
         .style = DropDownList | VScroll, .items = {u"PLN", u"USD", u"EUR", u"FRA", u"JEN"}},
        {.kind = ControlKind::TransparentLabel, .id = 1260, .text = u"Przedmiot transakcji",
         .rect = {16, 246, 150, 10}},
        {.kind = ControlKind::Combo, .id = 1051, .rect = {16, 258, 110, 50},
         .style = DropDownList | VScroll, .items = {u"Zwierzę", u"Inna transakcja"}},
        {.kind = ControlKind::Edit, .id = 1052, .rect = {16, 280, 228, 13},
         .style = Border | Hidden | Disabled},

        {.kind = ControlKind::TransparentLabel, .id = 1254, .text = u"NOTATKI",
         .rect = {264, 204, 150, 10}},
        Rule(264, 214),
        {.kind = ControlKind::Edit, .id = 1050, .rect = {264, 218, 168, 113}, .style = Border},

        {.kind = ControlKind::FlatButton, .id = 1027, .text = u"Dodaj", .rect = {444, 295, 60, 16}},
        {.kind = ControlKind::FlatButton, .id = 2, .text = u"Zamknij", .rect = {444, 315, 60, 16}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kTransactionsPage);
    AddDialogTemplate(kTransactionEditor);
}
