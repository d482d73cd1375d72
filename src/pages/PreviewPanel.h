#pragma once
// What the five tabs of the preview panel under the bird list share: the soft band that tabs 2
// to 5 paint at their top, the look of their labels and lists, the bird rows of the young and
// sibling lists, and how numbers are written.

#include <QFont>
#include <string>

#include "Dc.h"
#include "Records.h"

class QLabel;
class ListView;

// White with a band 80 pixels high that fades in and out at the top (tabs 2 to 5).
void PaintPreviewTabBackground(Dc& dc, int windowWidth);

// A label's font and, for the program's transparent labels, its text colour.
void SetLabelLook(QLabel* label, const QFont& font, COLORREF colour);

// Gives a list of birds (young of a pair, siblings) its looks and its columns "...", "Gołąb",
// "Płeć", "Konkursy" and "Opis" with these widths.
void SetUpBirdList(ListView* list, int birdWidth, int sexWidth);
// Appends the row of one bird: its text, sex, number of flight results and short description.
void AppendBirdRow(ListView* list, const PigeonRecord& bird);

// A floating value as text: at most six significant digits, no trailing zeros, exponent only
// for very large or small values (1233.5, 1234.57, 1500, 0). Never the locale's separator.
Text FloatText(double value);
