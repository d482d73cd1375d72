#include "DodajGolebiaTab2.h"

CDodajGolebiaTab2::CDodajGolebiaTab2(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {
    OnClicked(kGeneralButton, [this] { ShowNote(kGeneral); });
    OnClicked(kAppearanceButton, [this] { ShowNote(kAppearance); });
    OnClicked(kProblemsButton, [this] { ShowNote(kProblems); });
    OnClicked(kIllnessesButton, [this] { ShowNote(kIllnesses); });
}

std::u16string& CDodajGolebiaTab2::Slot(int note) {
    switch (note) {
    case kAppearance: return appearanceNotes;
    case kProblems: return problemNotes;
    case kIllnesses: return illnessNotes;
    default: return generalNotes;
    }
}

void CDodajGolebiaTab2::ShowRecord(bool editMode) {
    if (!editMode) return;
    generalNotes = record_.notatkiogolne;
    appearanceNotes = record_.notatkicechywygladu;
    problemNotes = record_.notatkiproblemy;
    illnessNotes = record_.notatkichoroby;
    currentNote = kGeneral;
    noteText = generalNotes;
    SetItemText(kNoteEdit, noteText);
    SetItemText(kGenotype, record_.genotyp);
    SetItemText(kPhenotype, record_.fenotyp);
}

void CDodajGolebiaTab2::StoreCurrentNote() {
    noteText = ItemText(kNoteEdit);
    Slot(currentNote) = noteText;
}

void CDodajGolebiaTab2::ShowNote(int note) {
    if (note < kGeneral || note >= kNoteCount) return;
    StoreCurrentNote();
    currentNote = note;
    noteText = Slot(note);
    SetItemText(kNoteEdit, noteText);
}

bool CDodajGolebiaTab2::CollectInto(PigeonRecord& target) {
    // What was typed last counts even when the user never switched notes.
    StoreCurrentNote();
    target.notatkiogolne = generalNotes;
    target.notatkicechywygladu = appearanceNotes;
    target.notatkiproblemy = problemNotes;
    target.notatkichoroby = illnessNotes;
    target.genotyp = ItemText(kGenotype);
    target.fenotyp = ItemText(kPhenotype);
    return true;
}
