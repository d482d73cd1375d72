#include "Globals.h"

#include <QString>

#include "Seams.h"

int g_currentLoftIndex = -1;
int g_currentCategoryIndex = -1;
int g_selectedPigeonRow = -1;

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
    return MessageBox(parent,
                      UnreadableFileText(path) +
                          QStringLiteral("\n\nSpróbować ponownie? (\u201eNie\u201d kończy program.)"),
                      QString(), MB_YESNO | MB_ICONWARNING) == IDYES;
}
