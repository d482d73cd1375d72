#pragma once
// What the five tabs of the preview panel under the bird list share: the soft band that tabs 2
// to 5 paint at their top and the bird rows of the young and sibling lists (labels and numbers
// get their looks from WindowHelpers.h).

#include <string>

#include "Dc.h"
#include "Records.h"

class ListView;

// White with a band 80 pixels high that fades in and out at the top (tabs 2 to 5).
void PaintPreviewTabBackground(Dc& dc, int windowWidth);

// Gives a list of birds (young of a pair, siblings) its looks and its columns "...", "Gołąb",
// "Płeć", "Konkursy" and "Opis" with these widths.
void SetUpBirdList(ListView* list, int birdWidth, int sexWidth);
// Appends the row of one bird: its text, sex, number of flight results and short description.
void AppendBirdRow(ListView* list, const PigeonRecord& bird);
