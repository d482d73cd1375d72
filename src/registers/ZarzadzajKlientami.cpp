#include "ZarzadzajKlientami.h"

#include "DodajEdytujKlienta.h"

CZarzadzajKlientami::CZarzadzajKlientami(QWidget* parent)
    : PersonManager(kTemplateId, {kPersonList, kNewButton, kDeleteButton},
                    u"Zarządzaj listą klientów", parent) {}

const PersonMap& CZarzadzajKlientami::Persons() const { return TheDataStore().Clients(); }

std::unique_ptr<PersonEditor> CZarzadzajKlientami::MakeEditor() {
    return std::make_unique<CDodajEdytujKlienta>();
}

bool CZarzadzajKlientami::WritePerson(WriteMode mode, PersonRecord& person) {
    return TheDataStore().WriteClient(mode, person);
}
