#pragma once
// Adds or edits one client (table `klienci`).

#include "PersonEditor.h"

class CDodajEdytujKlienta : public PersonEditor {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 137;
    static constexpr int kSaveButton = 1027;

    explicit CDodajEdytujKlienta(QWidget* parent = nullptr);
    void SaveClient() { Save(); }

protected:
    bool WritePerson(WriteMode mode, PersonRecord& person) override;
};
