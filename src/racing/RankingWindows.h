#pragma once
// What the two ranking windows share: their colours, the default photo, a bird's first photo in
// a picture, and the look and columns of their lists.

#include <QPixmap>
#include <initializer_list>
#include <utility>

#include "Dc.h"
#include "Records.h"

class CPictureBox;
class ListView;
class QFont;

inline constexpr COLORREF kRankingHeadingColour = RGB(63, 172, 255);
inline constexpr COLORREF kRankingListTextColour = RGB(0, 0, 255);

// Bitmap 192 at 214 × 148 pixels: shown for a bird without a photograph.
QPixmap RankingDefaultPhoto();

// Shows the bird's first photograph stretched to the picture, or the default photo when it has
// none, and repaints the picture.
void ShowFirstPhoto(CPictureBox* picture, const PigeonRecord& bird, const QPixmap& fallback);

struct RankingColumn {
    const char16_t* heading;
    int width;
    // A bird's ring and name: the column widens to its longest text as far as the list has
    // room, and a text still too long is cut so that the ring's end, which tells the birds
    // apart, still shows (ElideBirdText), with the whole text as the cell's tooltip.
    bool bird = false;
};
// Grid lines, whole-row selection, the font and the columns; blue text unless `plainText`.
void SetUpRankingList(ListView* list, const QFont& font, std::initializer_list<RankingColumn> columns,
                      bool plainText = false);
