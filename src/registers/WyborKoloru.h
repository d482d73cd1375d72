#pragma once
// Adds and removes the names of one of four dictionaries, chosen by the caller before the window
// runs; for colours it also stores a colour's numeric code.

#include "NameDictionaryDialog.h"

// Which dictionary CWyborKoloru manages.
enum DictionaryKind : int {
    DictionaryColours = 1,     // `kolory`
    DictionaryBreeds = 2,      // `gatunekrasa`
    DictionaryEyeColours = 3,  // `koloroka`
    DictionaryLines = 4,       // `linia`
};

class CWyborKoloru : public NameDictionaryDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 134;
    static constexpr int kNameEdit = 1020;
    static constexpr int kNameList = 1115;
    static constexpr int kAddButton = 1013;
    static constexpr int kRemoveButton = 1024;
    static constexpr int kColourCodeButton = 1236;

    explicit CWyborKoloru(QWidget* parent = nullptr);

    int kind = DictionaryColours;  // a DictionaryKind, set before the window runs

    bool OnInitDialog() override;
    // Colours only: asks for the chosen colour's code and stores it in the colours table.
    void OnSetColourCode();

protected:
    const NameMap& Names() const override;
    bool AddName(int loftId, const Text& name) override;
    bool DeleteName(int id) override;
};
