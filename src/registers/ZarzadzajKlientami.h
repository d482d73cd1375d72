#pragma once
// The register of clients.

#include "PersonManager.h"

class CZarzadzajKlientami : public PersonManager {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 136;
    static constexpr int kPersonList = 1021;
    static constexpr int kNewButton = 1022;
    static constexpr int kDeleteButton = 1024;

    explicit CZarzadzajKlientami(QWidget* parent = nullptr);

    void AddClient() { AddPerson(); }
    void EditClient() { EditPerson(); }
    void DeleteClient() { DeletePerson(); }

protected:
    const PersonMap& Persons() const override;
    std::unique_ptr<PersonEditor> MakeEditor() override;
    bool WritePerson(WriteMode mode, PersonRecord& person) override;
};
