#pragma once
// Where the program keeps its files: the install folder (the "InstallPath" setting, else
// $XDG_DATA_HOME/ornivex6) and the folder for the fixed output pages that the program writes
// before previewing them ($XDG_CACHE_HOME/ornivex6).

#include <QString>

namespace places {

// The install folder as configured now: the setting when set, else the default per-user data
// folder.
QString ConfiguredInstallFolder();
QString DefaultInstallFolder();

// Reads the configured install folder once and gives it to the data store for the whole run: the
// lock on the data, the database files and every file beside them stay in the folder the program
// started on, whatever becomes of the setting meanwhile.
void ConnectDataStore();
// The install folder the data store was given.
QString InstallFolder();

// Creates the install folder with db/ and its sub-folders; false when it cannot be created.
bool LayOutInstallFolder();

// Full path of one of the fixed output pages ("ox_lista.html", "ox_wyniki.html", "wyniki.html").
QString OutputPage(const QString& fileName);

// Joins two parts of a path with one '/'.
QString Join(const QString& base, const QString& relative);

// A file:// URL for a local path, as put into generated pages.
QString FileUrl(const QString& path);

}  // namespace places
