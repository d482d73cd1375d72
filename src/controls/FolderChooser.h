#pragma once
// Choosing a folder (for backups of the data folder and their restore), in the program's text
// type, on top of the platform's folder chooser.

#include <string>

class QWidget;

// Asks for a folder under `title`. True with `folder` set to the chosen folder's path; false
// when the user cancelled, in which case `folder` is left as it was.
bool BrowseForFolder(std::u16string& folder, const std::u16string& title,
                     QWidget* owner = nullptr);
