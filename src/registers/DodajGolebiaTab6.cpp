#include "DodajGolebiaTab6.h"

namespace {

// Each edit and the record's text it holds.
struct PedigreeNote {
    int edit;
    Text PigeonRecord::*member;
};
constexpr PedigreeNote kNotes[] = {
    {CDodajGolebiaTab6::kGeneration1, &PigeonRecord::NotatkaRodowodowa1},
    {CDodajGolebiaTab6::kGeneration2, &PigeonRecord::NotatkaRodowodowa2},
    {CDodajGolebiaTab6::kGeneration3, &PigeonRecord::NotatkaRodowodowa3},
    {CDodajGolebiaTab6::kGeneration4, &PigeonRecord::NotatkaRodowodowa4},
    {CDodajGolebiaTab6::kBirdNote, &PigeonRecord::NotatkaRodowodowa0},
};

}  // namespace

CDodajGolebiaTab6::CDodajGolebiaTab6(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {}

void CDodajGolebiaTab6::ShowRecord(bool editMode) {
    if (!editMode) return;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        notes[i] = record_.*kNotes[i].member;
        SetItemText(kNotes[i].edit, notes[i]);
    }
}

bool CDodajGolebiaTab6::CollectInto(PigeonRecord& target) {
    for (std::size_t i = 0; i < notes.size(); ++i) {
        notes[i] = ItemText(kNotes[i].edit);
        target.*kNotes[i].member = notes[i];
    }
    return true;
}
