// The further pages of the bird editor: notes in four slots, the photo album, documents,
// treatments and pedigree notes. Every page is as large as the page of the bird's data.
#include "DialogTemplate.h"

namespace {
using namespace style;

constexpr int kPageWidth = 440;
constexpr int kPageHeight = 232;

// Notes: one edit that shows one of four notes at a time, chosen by the buttons above it.
const DialogTemplate kNotesPage{
    .id = 193,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = {
        {.kind = ControlKind::FlatButton, .id = 1099, .text = u"Notatki Ogólne",
         .rect = {5, 3, 80, 14}},
        {.kind = ControlKind::FlatButton, .id = 1100, .text = u"Cechy Wyglądu",
         .rect = {88, 3, 80, 14}},
        {.kind = ControlKind::FlatButton, .id = 1101, .text = u"Problemy", .rect = {171, 3, 80, 14}},
        {.kind = ControlKind::FlatButton, .id = 1102, .text = u"Choroby", .rect = {254, 3, 80, 14}},
        {.kind = ControlKind::Edit, .id = 1369, .rect = {5, 20, 430, 176},
         .style = Border | Multiline | WantReturn | VScroll},
        {.kind = ControlKind::TransparentLabel, .id = 1144, .text = u"Genotyp",
         .rect = {5, 205, 40, 8}},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {47, 203, 170, 13}, .style = Border},
        {.kind = ControlKind::TransparentLabel, .id = 1145, .text = u"Fenotyp",
         .rect = {223, 205, 40, 8}},
        {.kind = ControlKind::Edit, .id = 1037, .rect = {265, 203, 170, 13}, .style = Border},
    }};

// The photo album: the list of photos, the picture of the one chosen and how it is fitted.
const DialogTemplate kPhotosPage{
    .id = 195,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = {
        {.kind = ControlKind::Label, .id = 1251, .text = u"Lista zdjęć", .rect = {5, 3, 100, 8}},
        {.kind = ControlKind::ListView, .id = 1199, .rect = {5, 13, 100, 176},
         .style = List | SingleSelect | ShowSelAlways | Border},
        {.kind = ControlKind::PictureBox, .id = 1246, .rect = {112, 13, 323, 176},
         .style = Border},
        {.kind = ControlKind::FlatButton, .id = 1250, .text = u"Dodaj nowe zdjęcie",
         .rect = {5, 194, 100, 14}},
        {.kind = ControlKind::FlatButton, .id = 1248, .text = u"Usuń aktualne zdjęcie",
         .rect = {5, 211, 100, 14}},
        {.kind = ControlKind::Combo, .id = 1249, .rect = {112, 195, 100, 60},
         .style = DropDownList | VScroll,
         .items = {u"Normalny", u"Wyśrodkowany", u"Rozciągniety"}},
        {.kind = ControlKind::FlatButton, .id = 1212, .text = u"Ustaw kategorię zdjęcia",
         .rect = {335, 194, 100, 14}},
    }};

// Documents: the list of stored documents and the buttons that add, remove and open them.
const DialogTemplate kDocumentsPage{
    .id = 212,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1037, .rect = {5, 5, 430, 196},
         .style = Report | SingleSelect | ShowSelAlways | Border},
        {.kind = ControlKind::FlatButton, .id = 1061, .text = u"Dodaj nowy dokument",
         .rect = {5, 208, 100, 14}},
        {.kind = ControlKind::FlatButton, .id = 1062, .text = u"Usuń wybrany dokument",
         .rect = {110, 208, 100, 14}},
        {.kind = ControlKind::PushButton, .id = 1147, .text = u"Otwórz dokument",
         .rect = {335, 208, 100, 14}},
    }};

// Treatments, vaccinations and supplements of the bird.
const DialogTemplate kTreatmentsPage{
    .id = 213,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = {
        {.kind = ControlKind::ListView, .id = 1048, .rect = {5, 5, 430, 196},
         .style = Report | SingleSelect | ShowSelAlways | Border},
        {.kind = ControlKind::FlatButton, .id = 1013, .text = u"Dodaj", .rect = {5, 208, 60, 14}},
        {.kind = ControlKind::FlatButton, .id = 1014, .text = u"Edytuj", .rect = {70, 208, 60, 14}},
        {.kind = ControlKind::FlatButton, .id = 1015, .text = u"Usuń", .rect = {135, 208, 60, 14}},
    }};

// One pedigree note: a framed edit of several lines.
void AddPedigreeNote(std::vector<ControlTemplate>& c, const char16_t* caption, int edit, int x,
                     int y, int width) {
    c.push_back({.kind = ControlKind::GroupBox, .text = caption, .rect = {x, y, width, 74}});
    c.push_back({.kind = ControlKind::Edit, .id = edit, .rect = {x + 5, y + 11, width - 10, 58},
                 .style = Border | Multiline | VScroll});
}

std::vector<ControlTemplate> PedigreeNoteControls() {
    std::vector<ControlTemplate> c;
    AddPedigreeNote(c, u"Pierwsze pokolenie", 1166, 5, 3, 213);
    AddPedigreeNote(c, u"Drugie pokolenie", 1167, 222, 3, 213);
    AddPedigreeNote(c, u"Trzecie pokolenie", 1168, 5, 79, 213);
    AddPedigreeNote(c, u"Czwarte pokolenie", 1169, 222, 79, 213);
    AddPedigreeNote(c, u"Notatki gołębia", 1170, 5, 155, 430);
    return c;
}

const DialogTemplate kPedigreeNotesPage{
    .id = 220,
    .style = Child,
    .width = kPageWidth,
    .height = kPageHeight,
    .controls = PedigreeNoteControls()};

}  // namespace

DIALOG_AREA {
    AddDialogTemplate(kNotesPage);
    AddDialogTemplate(kPhotosPage);
    AddDialogTemplate(kDocumentsPage);
    AddDialogTemplate(kTreatmentsPage);
    AddDialogTemplate(kPedigreeNotesPage);
}
