#include "FolderChooser.h"

#include <QString>

#include "Seams.h"

bool BrowseForFolder(std::u16string& folder, const std::u16string& title, QWidget* owner) {
    QString chosen;
    if (!BrowseForFolder(chosen, QString::fromStdU16String(title), owner)) return false;
    if (chosen.isEmpty()) return false;
    folder = chosen.toStdU16String();
    return true;
}
