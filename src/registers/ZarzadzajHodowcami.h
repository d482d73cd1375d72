#pragma once
// The register of fellow breeders.

#include "PersonManager.h"

class CZarzadzajHodowcami : public PersonManager {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 138;
    static constexpr int kPersonList = 1028;
    static constexpr int kNewButton = 1029;
    static constexpr int kDeleteButton = 1030;

    explicit CZarzadzajHodowcami(QWidget* parent = nullptr);

    void AddBreeder() { AddPerson(); }
    void EditBreeder() { EditPerson(); }
    void DeleteBreeder() { DeletePerson(); }

protected:
    const PersonMap& Persons() const override;
    std::unique_ptr<PersonEditor> MakeEditor() override;
    bool WritePerson(WriteMode mode, PersonRecord& person) override;
};
