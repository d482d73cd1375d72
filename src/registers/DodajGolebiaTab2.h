#pragma once
// The bird editor's notes: four notes (general, appearance, problems, illnesses) shown one at a
// time in one edit. Switching notes keeps what was typed in each; the notes reach the record
// only when the editor is confirmed, with the texts beside "Genotyp" and "Fenotyp".

#include <string>

#include "DodajGolebiaPage.h"

class CDodajGolebiaTab2 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 193;
    static constexpr int kNoteEdit = 1369;
    static constexpr int kGeneralButton = 1099;
    static constexpr int kAppearanceButton = 1100;
    static constexpr int kProblemsButton = 1101;
    static constexpr int kIllnessesButton = 1102;
    static constexpr int kGenotype = 1036;
    static constexpr int kPhenotype = 1037;

    enum Note { kGeneral = 0, kAppearance = 1, kProblems = 2, kIllnesses = 3, kNoteCount = 4 };

    explicit CDodajGolebiaTab2(PigeonRecord& record, QWidget* parent = nullptr);

    // Which note the edit shows.
    int currentNote = kGeneral;
    std::u16string generalNotes;
    std::u16string appearanceNotes;
    std::u16string problemNotes;
    std::u16string illnessNotes;
    // The text of the edit as last taken.
    std::u16string noteText;

    void ShowRecord(bool editMode) override;
    bool CollectInto(PigeonRecord& target) override;

    // The edit's text into the slot of the note shown.
    void StoreCurrentNote();
    // Keeps the note shown and shows note `note` instead.
    void ShowNote(int note);

    std::u16string& Slot(int note);
};
