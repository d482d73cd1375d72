#include "DodajEdytujKlienta.h"

CDodajEdytujKlienta::CDodajEdytujKlienta(QWidget* parent)
    : PersonEditor(kTemplateId, kSaveButton, parent) {}

bool CDodajEdytujKlienta::WritePerson(WriteMode mode, PersonRecord& person) {
    return TheDataStore().WriteClient(mode, person);
}
