#pragma once
// Off-screen drawing and the scoped pen, brush and font guards that drawing code uses.
//
// CBufferedDC is a Dc of its own over an off-screen surface: everything drawn through it lands
// on the target in one copy when it goes out of scope, so hover changes repaint without
// flicker. The guards select a pen, brush or font for one scope and put back what was there.

#include <QImage>
#include <optional>

#include "Dc.h"

namespace detail {
// The surface a CBufferedDC draws on; a base of its own so that it exists before the Dc base
// opens its painter on it.
struct BufferedSurface {
    BufferedSurface(Dc& target, const Rect& rect);
    Dc* target;
    Rect area;
    QImage image;
};
}  // namespace detail

class CBufferedDC : private detail::BufferedSurface, public Dc {
public:
    // Draws the rectangle `rect` of `target` (in the target's coordinates); an empty rectangle
    // means the target's clip box, or its whole surface when it is not clipped.
    explicit CBufferedDC(Dc& target, const Rect& rect = Rect());
    // Copies the area to the same place on the target.
    ~CBufferedDC();
    CBufferedDC(const CBufferedDC&) = delete;
    CBufferedDC& operator=(const CBufferedDC&) = delete;

    const Rect& Area() const { return area; }
};

// Colour -1 (all bits set) stands for "none": no outline or a hollow brush.
inline constexpr COLORREF kNoColor = 0xFFFFFFFF;

// A solid one-pixel pen for the scope.
class CScopedPen {
public:
    CScopedPen(Dc& dc, COLORREF color);
    ~CScopedPen();
    CScopedPen(const CScopedPen&) = delete;
    CScopedPen& operator=(const CScopedPen&) = delete;
    void SetColor(COLORREF color);

private:
    struct PenState {
        std::optional<COLORREF> color;
        int width;
        Qt::PenStyle style;
    };
    Dc& dc_;
    PenState old_;
};

// A solid brush for the scope; kNoColor selects the hollow brush.
class CScopedBrush {
public:
    CScopedBrush(Dc& dc, COLORREF color);
    ~CScopedBrush();
    CScopedBrush(const CScopedBrush&) = delete;
    CScopedBrush& operator=(const CScopedBrush&) = delete;
    void SetColor(COLORREF color);

private:
    Dc& dc_;
    std::optional<COLORREF> old_;
};

// The selected font in bold (weight 700) or normal (weight 400) for the scope; nothing is
// replaced when the font already is what was asked for.
class CScopedBoldFont {
public:
    CScopedBoldFont(Dc& dc, bool bold);
    ~CScopedBoldFont();
    CScopedBoldFont(const CScopedBoldFont&) = delete;
    CScopedBoldFont& operator=(const CScopedBoldFont&) = delete;
    bool Replaced() const { return old_.has_value(); }

private:
    Dc& dc_;
    std::optional<QFont> old_;
};

// Stock fonts by their index.
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;
// The font of a stock index; nullopt for an index that is not a font.
std::optional<QFont> StockFont(int index);

// The text colour that CScopedStockFont leaves alone.
inline constexpr COLORREF kKeepTextColor = 0xFF000000;

// A stock font and, unless kKeepTextColor is given, a text colour for the scope.
class CScopedStockFont {
public:
    CScopedStockFont(Dc& dc, int stockIndex, COLORREF textColor = kKeepTextColor);
    ~CScopedStockFont();
    CScopedStockFont(const CScopedStockFont&) = delete;
    CScopedStockFont& operator=(const CScopedStockFont&) = delete;

private:
    Dc& dc_;
    std::optional<QFont> oldFont_;
    std::optional<COLORREF> oldTextColor_;
};
