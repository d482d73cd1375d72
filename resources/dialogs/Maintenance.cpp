// Database maintenance: the SQL console, the pigeon-database management window and the choice
// of what to take over from the previous version's files.
#include "DialogTemplate.h"

namespace {
using namespace style;

// One statement on one of the two database files; no results are shown.
const DialogTemplate kSqlConsole{
    .id = 249,
    .caption = u"Konsola SQL",
    .style = Caption | SysMenu,
    .width = 300,
    .height = 170,
    .controls = {
        {.kind = ControlKind::Combo, .id = 1198, .rect = {7, 7, 150, 60},
         .style = DropDownList | VScroll,
         .items = {u"PIGEONS.DB", u"DODATKOWE_INFORMACJE.DB"}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {7, 25, 286, 118},
         .style = Border | Multiline | VScroll | WantReturn},
        {.kind = ControlKind::PushButton, .id = 1099, .text = u"SQL QUERY",
         .rect = {213, 149, 80, 14}},
    }};

// Every bird of the data store, with three actions below the list.
const DialogTemplate kManagePigeonDatabase{
    .id = 261,
    .caption = u"Zarządzaj bazą gołębi",
    .style = Caption | SysMenu,
    .width = 200,
    .height = 262,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1232, .rect = {7, 7, 186, 190},
         .style = Report | CheckBoxes | GridLines | FullRowSelect | Border | ShowSelAlways},
        {.kind = ControlKind::PushButton, .id = 1233, .text = u"Usuń gołębia z bazy",
         .rect = {7, 203, 186, 15}},
        {.kind = ControlKind::PushButton, .id = 1234, .text = u"Dodaj do aktualnej kategorii",
         .rect = {7, 221, 186, 15}},
        {.kind = ControlKind::PushButton, .id = 1235,
         .text = u"Usuń wszystkie gołębie spoza kategorii", .rect = {7, 239, 186, 15}},
    }};

// What to take over from the previous version; each box carries its text in a label beside it.
const DialogTemplate kImportVersion5{
    .id = 236,
    .caption = u"Importuj Dane z Programu OX 5",
    .style = Caption | SysMenu,
    .width = 230,
    .height = 140,
    .controls = {
        {.kind = ControlKind::CheckBox, .id = 1193, .rect = {14, 50, 10, 10}},
        {.kind = ControlKind::TransparentLabel, .id = 1270,
         .text = u"Wczytaj listę gołębi oraz kategorie", .rect = {28, 51, 190, 9}},
        {.kind = ControlKind::CheckBox, .id = 1194, .rect = {14, 66, 10, 10}},
        {.kind = ControlKind::TransparentLabel, .id = 1251, .text = u"Wczytaj pary lęgowe",
         .rect = {28, 67, 190, 9}},
        {.kind = ControlKind::CheckBox, .id = 1195, .text = u"Wczytaj loty gołębi",
         .rect = {14, 82, 10, 10}},
        {.kind = ControlKind::TransparentLabel, .id = 1252, .text = u"Wczytaj loty gołębi",
         .rect = {28, 83, 190, 9}},
        {.kind = ControlKind::FlatButton, .id = 1, .text = u"Importuj Dane z programu Ornivex 5",
         .rect = {40, 110, 150, 18}, .style = DefaultButton},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kSqlConsole);
    AddDialogTemplate(kManagePigeonDatabase);
    AddDialogTemplate(kImportVersion5);
}
