#pragma once
// The bird editor's pedigree notes: one note for each of four generations and the bird's own
// pedigree note. They reach the record only when the editor is confirmed.

#include <array>
#include <string>

#include "DodajGolebiaPage.h"

class CDodajGolebiaTab6 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 220;
    static constexpr int kGeneration1 = 1166;
    static constexpr int kGeneration2 = 1167;
    static constexpr int kGeneration3 = 1168;
    static constexpr int kGeneration4 = 1169;
    static constexpr int kBirdNote = 1170;

    explicit CDodajGolebiaTab6(PigeonRecord& record, QWidget* parent = nullptr);

    // The texts of the five edits: generations 1 to 4, then the bird's own note.
    std::array<std::u16string, 5> notes;

    void ShowRecord(bool editMode) override;
    bool CollectInto(PigeonRecord& target) override;
};
