#pragma once
// Small helpers that windows of every folder share: the look of a label and numbers written for
// display.

#include <QFont>

#include "Dc.h"
#include "Records.h"

#include <string>

class QLabel;
class QWidget;

// Asks before something is deleted or overwritten: Yes and No, No the default, the exclamation
// icon. True when the user answers Yes.
bool AskYesNo(QWidget* parent, const std::u16string& text, const std::u16string& caption);

// A label's font and, for the program's transparent labels, its text colour.
void SetLabelLook(QLabel* label, const QFont& font, COLORREF colour);

// A floating value as text: at most six significant digits, no trailing zeros, exponent only
// for very large or small values (1233.5, 1234.57, 1500, 0). Never the locale's separator.
Text FloatText(double value);
