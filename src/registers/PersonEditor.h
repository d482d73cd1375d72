#pragma once
// The common form of the breeder editor and the client editor: one person's names, address and
// contact data, a country and a voivodeship chosen from fixed lists, and one save button.
//
// Callers construct the window, set `mode` (to edit, they put the person into `record`), run it
// modally and, after OK, read `record` back: its id is then the stored row's id. The save button
// (and Enter) writes the person and closes the window with OK; Escape and the close box leave
// without writing.

#include "DataStore.h"
#include "Dialog.h"
#include "WindowHelpers.h"

class ComboBox;

class PersonEditor : public Dialog {
    Q_OBJECT
public:
    static constexpr int kCountryCombo = 1095;
    static constexpr int kVoivodeshipCombo = 1096;

    PersonRecord record;
    EditorMode mode = EditorMode::Add;

    bool OnInitDialog() override;
    // The save button: writes the person (insert or update) and closes with OK.
    void Save();

    int SaveButtonId() const { return saveId_; }
    ComboBox* CountryCombo() const;
    ComboBox* VoivodeshipCombo() const;

    bool PreTranslateKey(QWidget* target, QKeyEvent* event) override;

protected:
    PersonEditor(int templateId, int saveButtonId, QWidget* parent);
    virtual bool WritePerson(WriteMode mode, PersonRecord& person) = 0;

private:
    void FillCombo(int id, const std::vector<std::u16string>& texts);
    int saveId_;
};
