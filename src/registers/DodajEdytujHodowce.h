#pragma once
// Adds or edits one fellow breeder (table `hodowcy`).

#include "PersonEditor.h"

class CDodajEdytujHodowce : public PersonEditor {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 139;
    static constexpr int kSaveButton = 1031;

    explicit CDodajEdytujHodowce(QWidget* parent = nullptr);
    void SaveBreeder() { Save(); }

protected:
    bool WritePerson(WriteMode mode, PersonRecord& person) override;
};
