#include "DodajGolebiaPage.h"

#include "DataStore.h"
#include "Globals.h"

CDodajGolebiaPage::CDodajGolebiaPage(int templateId, PigeonRecord& record, QWidget* parent)
    : Dialog(templateId, parent), record_(record) {}

int CDodajGolebiaPage::AttachmentLoftId() const {
    if (const LoftRecord* loft = CurrentLoft()) return loft->id;
    return record_.id_hodowli;
}
