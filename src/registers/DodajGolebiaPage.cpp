#include "DodajGolebiaPage.h"

CDodajGolebiaPage::CDodajGolebiaPage(int templateId, PigeonRecord& record, QWidget* parent)
    : Dialog(templateId, parent), record_(record) {}
