#include "ZarzadzajHodowcami.h"

#include "DodajEdytujHodowce.h"

CZarzadzajHodowcami::CZarzadzajHodowcami(QWidget* parent)
    : PersonManager(kTemplateId, {kPersonList, kNewButton, kDeleteButton}, u"Zarządzaj Hodowcami",
                    parent) {}

const PersonMap& CZarzadzajHodowcami::Persons() const { return TheDataStore().Breeders(); }

std::unique_ptr<PersonEditor> CZarzadzajHodowcami::MakeEditor() {
    return std::make_unique<CDodajEdytujHodowce>();
}

bool CZarzadzajHodowcami::WritePerson(WriteMode mode, PersonRecord& person) {
    return TheDataStore().WriteBreeder(mode, person);
}
