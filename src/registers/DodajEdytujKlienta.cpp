#include "DodajEdytujKlienta.h"

CDodajEdytujKlienta::CDodajEdytujKlienta(QWidget* parent)
    : PersonEditor(kTemplateId, kSaveButton, parent) {}

bool CDodajEdytujKlienta::WritePerson(int mode, PersonRecord& person) {
    return TheDataStore().WriteClient(mode, person);
}
