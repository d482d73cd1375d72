#include "DodajEdytujHodowce.h"

CDodajEdytujHodowce::CDodajEdytujHodowce(QWidget* parent)
    : PersonEditor(kTemplateId, kSaveButton, parent) {}

bool CDodajEdytujHodowce::WritePerson(WriteMode mode, PersonRecord& person) {
    return TheDataStore().WriteBreeder(mode, person);
}
