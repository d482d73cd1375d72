#pragma once
// Small helpers that windows of every folder share: the look of a label and numbers written for
// display.

#include <QFont>
#include <QString>
#include <QStringList>

#include "Dc.h"
#include "Records.h"
#include "Seams.h"

#include <string>

class QFontMetrics;
class QLabel;
class QWidget;

// What an editor opened on a record does with it: makes a new one or changes the one given.
enum class EditorMode { Add, Edit };

// The answer Enter gives to a yes/no question.
enum class YesNoDefault { No, Yes };

// Asks a question with Yes and No; true when the user answers Yes. Before something is deleted
// or overwritten No is the default and the icon the exclamation mark; a question whose cautious
// answer is Yes (try again) makes Yes the default.
bool AskYesNo(QWidget* parent, const std::u16string& text, const std::u16string& caption,
              YesNoDefault enter = YesNoDefault::No, unsigned icon = MB_ICONEXCLAMATION);

// Opens a web address with the desktop's browser. When nothing could open it the user is told
// so, with the address to open by hand, and the answer is false.
bool OpenWebAddress(QWidget* parent, const QString& address);
// Starts the desktop's calculator. When there is none, or it could not be started, the user is
// told so, and the answer is false.
bool StartCalculatorOrSay(QWidget* parent);

// A label's font and, for the program's transparent labels, its text colour.
void SetLabelLook(QLabel* label, const QFont& font, COLORREF colour);

// A bird's display text (ring, then the name in brackets) cut to `width` so that birds can still
// be told apart: the ring stays whole and the name ends in "…" where cut; a ring too long on its
// own keeps both its ends ("PL 01…012345"), which tell birds apart, and loses the name.
QString ElideBirdText(const QString& text, const QFontMetrics& metrics, int width);
// The same cut for a text whose first `ringLength` characters are a ring (or the end of one) and
// the rest anything that follows it.
QString ElideKeepingRing(const QString& text, qsizetype ringLength, const QFontMetrics& metrics,
                         int width);
// The same text on at most `maxLines` lines of `width`: a text too wide for one line is broken at
// its spaces onto the lines there are, and what is left for the last line is cut as
// ElideKeepingRing cuts it (or at its end, past the ring). One line: ElideKeepingRing alone.
QStringList WrapKeepingRing(const QString& text, qsizetype ringLength, const QFontMetrics& metrics,
                            int width, int maxLines);

// Whether two texts differ at most in where their lines break (a line break for a space).
bool SameWords(const QString& a, const QString& b);

// A floating value as text: at most six significant digits, no trailing zeros, exponent only
// for very large or small values (1233.5, 1234.57, 1500, 0). Never the locale's separator.
Text FloatText(double value);
