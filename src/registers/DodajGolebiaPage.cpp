#include "DodajGolebiaPage.h"

#include "DataStore.h"
#include "Globals.h"

CDodajGolebiaPage::CDodajGolebiaPage(int templateId, PigeonRecord& record, QWidget* parent)
    : Dialog(templateId, parent), record_(record) {}

int CDodajGolebiaPage::AttachmentLoftId() const {
    const CDataStore& store = TheDataStore();
    if (g_currentLoftIndex >= 0 && g_currentLoftIndex < static_cast<int>(store.lofts.size()))
        return store.lofts[g_currentLoftIndex].id;
    return record_.id_hodowli;
}
