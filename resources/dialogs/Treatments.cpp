// Treatments: the editor of one treatment, vaccination or supplement, and the flock's log.
#include "DialogTemplate.h"

namespace {
using namespace style;

ControlTemplate TextLabel(const char16_t* text, DuRect rect) {
    return {.kind = ControlKind::Label, .text = text, .rect = rect};
}

// The editor: the day of giving as day / month / year with its calendar button, the name, the
// kind and the dose side by side, what it does, and the notes.
const DialogTemplate kTreatmentEditor{
    .id = 214,
    .caption = u"Leczenie/Suplementacja",
    .style = Caption | SysMenu,
    .width = 260,
    .height = 222,
    .controls = {
        TextLabel(u"Data podania", {7, 7, 100, 8}),
        {.kind = ControlKind::Edit, .id = 1049, .rect = {7, 17, 20, 13}, .style = Border},
        TextLabel(u"/", {29, 19, 5, 8}),
        {.kind = ControlKind::Edit, .id = 1050, .rect = {35, 17, 20, 13}, .style = Border},
        TextLabel(u"/", {57, 19, 5, 8}),
        {.kind = ControlKind::Edit, .id = 1051, .rect = {63, 17, 30, 13}, .style = Border},
        {.kind = ControlKind::PushButton, .id = 1030, .text = u"...", .rect = {97, 17, 18, 13}},

        TextLabel(u"Nazwa leku/suplementu", {7, 36, 200, 8}),
        {.kind = ControlKind::Edit, .id = 1052, .rect = {7, 46, 246, 13}, .style = Border},

        TextLabel(u"Kategoria leku", {7, 65, 120, 8}),
        {.kind = ControlKind::Combo, .id = 1062, .rect = {7, 75, 120, 70},
         .style = DropDownEdit | VScroll, .items = {u" ", u"Szczepionka", u"Lek", u"Suplement"}},
        TextLabel(u"Podana dawka", {133, 65, 120, 8}),
        {.kind = ControlKind::Edit, .id = 1053, .rect = {133, 75, 120, 13}, .style = Border},

        TextLabel(u"Działanie", {7, 94, 200, 8}),
        {.kind = ControlKind::Edit, .id = 1055, .rect = {7, 104, 246, 13}, .style = Border},

        TextLabel(u"Uwagi", {7, 123, 200, 8}),
        {.kind = ControlKind::Edit, .id = 1054, .rect = {7, 133, 246, 60},
         .style = Border | Multiline | VScroll},

        {.kind = ControlKind::PushButton, .id = 1, .text = u"OK", .rect = {143, 201, 52, 14},
         .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = 2, .text = u"Anuluj", .rect = {201, 201, 52, 14}},
    }};

// The flock's log: every treatment given to the whole flock, with the buttons that change it.
// It closes with its close box.
const DialogTemplate kFlockTreatmentLog{
    .id = 260,
    .caption = u"Dziennik leczenia i suplementacji gołębi",
    .style = Caption | SysMenu,
    .width = 400,
    .height = 246,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1048, .rect = {7, 7, 386, 210},
         .style = Report | SingleSelect | ShowSelAlways | Border},
        {.kind = ControlKind::FlatButton, .id = 1013, .text = u"Dodaj", .rect = {7, 225, 60, 14}},
        {.kind = ControlKind::FlatButton, .id = 1014, .text = u"Edytuj", .rect = {72, 225, 60, 14}},
        {.kind = ControlKind::FlatButton, .id = 1015, .text = u"Usuń", .rect = {137, 225, 60, 14}},
    }};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kTreatmentEditor);
    AddDialogTemplate(kFlockTreatmentLog);
}
