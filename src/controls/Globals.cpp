#include "Globals.h"

#include <QString>

#include "DataStore.h"
#include "Seams.h"
#include "WindowHelpers.h"

int g_currentLoftIndex = -1;
int g_currentCategoryIndex = -1;
int g_selectedPigeonRow = -1;

const LoftRecord* CurrentLoft() {
    const auto& lofts = TheDataStore().Lofts();
    if (g_currentLoftIndex < 0 || g_currentLoftIndex >= static_cast<int>(lofts.size())) {
        return nullptr;
    }
    return &lofts[static_cast<size_t>(g_currentLoftIndex)];
}

const CategoryRecord* CurrentCategory() {
    const LoftRecord* loft = CurrentLoft();
    if (!loft || g_currentCategoryIndex < 0 ||
        g_currentCategoryIndex >= static_cast<int>(loft->categories.size())) {
        return nullptr;
    }
    return &loft->categories[static_cast<size_t>(g_currentCategoryIndex)];
}

const LoftRecord* CurrentLoftOrSay(QWidget* parent) {
    const LoftRecord* loft = CurrentLoft();
    if (!loft) MessageBox(parent, QString::fromUtf16(kNoLoftText));
    return loft;
}

namespace {
QString UnreadableFileText(const char16_t* path) {
    return QStringLiteral("Nie można odczytać pliku bazy danych:\n") + QString::fromUtf16(path) +
           QStringLiteral("\nUżywa go inny program albo plik jest uszkodzony.");
}
}  // namespace

void TellFileUnreadable(QWidget* parent, const char16_t* path) {
    MessageBox(parent, UnreadableFileText(path), QString(), MB_OK | MB_ICONWARNING);
}

bool AskRetryUnreadableFile(QWidget* parent, const char16_t* path) {
    const QString text = UnreadableFileText(path) +
                         QStringLiteral("\n\nSpróbować ponownie? (\u201eNie\u201d kończy program.)");
    return AskYesNo(parent, text.toStdU16String(), u"", YesNoDefault::Yes, MB_ICONWARNING);
}
