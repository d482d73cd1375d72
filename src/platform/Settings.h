#pragma once
// The program's settings: the install folders of this and the previous version and the profile
// sections of the menu, kept in an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME/ornivex6/ornivex6.ini).

#include <QString>
#include <QVariant>

namespace settings {

QString FilePath();

// Values of the keys "SOFTWARE\Ornivex 6" and "SOFTWARE\Ornivex 5": "InstallPath".
QString InstallPath();            // empty when not set
void SetInstallPath(const QString& folder);
QString Version5InstallPath();    // empty when not set

// Profile values, section and entry as the menu names them ("MenuXP", "ShowGradient").
int ProfileInt(const QString& section, const QString& entry, int fallback);
void SetProfileInt(const QString& section, const QString& entry, int value);

}  // namespace settings
