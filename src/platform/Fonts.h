#pragma once
// The faces the program's windows and pages were laid out for, and the free faces drawn in their
// place; Qt's own dialogs in Polish.
//
// "Tahoma" and "MS Shell Dlg" become Liberation Sans (widths close to the ones the layouts were
// made for, full Polish coverage), "Verdana" becomes DejaVu Sans. The same table feeds the
// widgets (MapFontFace) and the web engine (a fontconfig file the program hands it), so a page
// and a window name one face and draw the same one.

#include <QString>

class QCoreApplication;
class QFont;
class QTranslator;

namespace fonts {

// The face actually used for a face name; names without a substitute pass unchanged.
QString MapFace(const QString& face);

// A fontconfig file that reads `baseConfig` (the system's, or one the user set) and then makes
// every substituted face resolve to its substitute.
QString AliasConfig(const QString& baseConfig);

// Height of one row of text in a list: the font's line spacing, or more when the accents of
// capitals ("Ś", "Ż") or the descenders reach beyond it, plus a small margin.
int TextRowHeight(const QFont& font);

// Writes AliasConfig to the program's cache folder and points FONTCONFIG_FILE at it, so that
// everything that asks fontconfig (Qt and the web engine) resolves the same faces. Must run before
// the application object exists. False when the file cannot be written (the faces then fall back
// to the system's choice).
bool InstallAliases();

// Loads Qt's Polish texts for its own dialogs (file choosers, printing, print preview) and
// installs them in the application, which owns them; null when they are not installed.
QTranslator* LoadPolishTranslations(QCoreApplication& app);

}  // namespace fonts
