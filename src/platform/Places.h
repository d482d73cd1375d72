#pragma once
// Where the program keeps its files: the install folder (the "InstallPath" setting, else
// $XDG_DATA_HOME/ornivex6) and the folder for the fixed output pages that the program writes
// before previewing them ($XDG_CACHE_HOME/ornivex6).

#include <QString>

namespace places {

// The install folder: the setting when set, else the default per-user data folder.
QString InstallFolder();
QString DefaultInstallFolder();

// Makes the data store read its install folder from InstallFolder() on every call.
void ConnectDataStore();

// Creates the install folder with db/ and its sub-folders; false when it cannot be created.
bool LayOutInstallFolder();

// Full path of one of the fixed output pages ("ox_lista.html", "ox_wyniki.html", "wyniki.html").
QString OutputPage(const QString& fileName);

// Joins two parts of a path with one '/'.
QString Join(const QString& base, const QString& relative);

// A file:// URL for a local path, as put into generated pages.
QString FileUrl(const QString& path);

}  // namespace places
