#pragma once
// Painting in the terms the windows are written in: colours as 0x00BBGGRR values, rectangles
// whose right and bottom edges are outside, text drawn by alignment flags into a rectangle,
// 3-D edges, one-pixel pens, gradients drawn line by line, bitmaps by resource id and fonts by
// face name, pixel cell height and weight.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// ---- colours ----------------------------------------------------------------------------------

using COLORREF = std::uint32_t;  // 0x00BBGGRR: red in the low byte

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetR(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetG(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetB(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

QColor ToQColor(COLORREF color);
COLORREF FromQColor(const QColor& color);

// The fixed colours of the windows' elements: the same on every desktop, whatever its theme.
enum class SysColor {
    Window,         // white
    WindowText,     // black
    ButtonFace,     // light grey of dialogs
    ButtonText,
    ButtonShadow,   // 3-D shadow
    DarkShadow,     // 3-D dark shadow
    Light,          // 3-D light
    Highlight3D,    // 3-D highlight (white)
    GrayText,
    Highlight,      // selection background
    HighlightText,
};
COLORREF GetSysColor(SysColor which);

// ---- rectangles -------------------------------------------------------------------------------

// left/top inside, right/bottom outside: a rectangle (0,0,10,5) covers 10 × 5 pixels.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static Rect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // A point on the right or bottom edge is outside.
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool Contains(const QPoint& p) const { return Contains(p.x(), p.y()); }
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Deflate(int dx, int dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
    void Inflate(int dx, int dy) { Deflate(-dx, -dy); }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// ---- text and edge flags ----------------------------------------------------------------------

// Text layout flags of Dc::DrawText.
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;      // only with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x0008;       // only with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_CALCRECT = 0x0400;     // measure only; the rectangle is adjusted
inline constexpr unsigned DT_NOPREFIX = 0x0800;     // '&' is an ordinary character
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Edges of Dc::DrawEdge: the outer and inner one-pixel rings, raised or sunken.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
// Sides and options of Dc::DrawEdge.
inline constexpr unsigned BF_LEFT = 0x1;
inline constexpr unsigned BF_TOP = 0x2;
inline constexpr unsigned BF_RIGHT = 0x4;
inline constexpr unsigned BF_BOTTOM = 0x8;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x800;   // fill the inside with the dialog face colour
inline constexpr unsigned BF_ADJUST = 0x2000;  // shrink the rectangle by the edge drawn

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Font weights.
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_BOLD = 700;

// ---- fonts ------------------------------------------------------------------------------------

// The face actually used for a face name (Fonts.h): "Tahoma" and "MS Shell Dlg" become Liberation
// Sans, "Verdana" becomes DejaVu Sans; other names pass unchanged.
QString MapFontFace(const QString& face);

// A font by face, height and weight. A positive height is the pixel height of the character
// cell (ascent + descent), a negative one the pixel height of the characters themselves; 0 gives
// the dialogs' ordinary size.
QFont Font(const QString& face, int height, int weight = FW_NORMAL, bool italic = false,
           bool underline = false);

// The dialogs' own font: the given face at the given point size, as pixels at 96 DPI.
QFont DialogFont(const QString& face, int points);

// ---- the painting surface ---------------------------------------------------------------------

class Dc {
public:
    // Paints through an existing painter.
    explicit Dc(QPainter& painter);
    // Opens its own painter on a widget, image or pixmap.
    explicit Dc(QPaintDevice* device);
    ~Dc();
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;

    QPainter& Painter() { return *painter_; }

    // Fills exactly the rectangle's pixels (right and bottom edge excluded).
    void FillSolidRect(const Rect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);

    // Text state.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return textColor_; }
    int SetBkMode(int mode);                 // TRANSPARENT or OPAQUE; returns the previous one
    COLORREF SetBkColor(COLORREF color);
    QFont SelectFont(const QFont& font);     // returns the previous font
    QFont GetFont() const { return font_; }

    // Draws text into the rectangle by DT_ flags; returns the height of the text. With
    // DT_CALCRECT nothing is drawn and the rectangle is set to the text's extent.
    int DrawText(const QString& text, Rect& rect, unsigned format);
    int DrawText(const std::u16string& text, Rect& rect, unsigned format);
    void TextOut(int x, int y, const QString& text);
    QSize GetTextExtent(const QString& text) const;

    // Pens and brushes: a solid one-pixel pen, a solid brush, or none.
    void SetPen(COLORREF color, int width = 1, Qt::PenStyle style = Qt::SolidLine);
    void SetNullPen();
    void SetBrush(COLORREF color);
    void SetNullBrush();
    // What is selected now (nullopt: no pen, hollow brush), so that it can be put back.
    std::optional<COLORREF> GetPenColor() const { return pen_; }
    int GetPenWidth() const { return penWidth_; }
    Qt::PenStyle GetPenStyle() const { return penStyle_; }
    std::optional<COLORREF> GetBrushColor() const { return brush_; }
    int GetBkMode() const { return bkMode_; }
    void MoveTo(int x, int y);
    // A line from the current position up to, not including, (x, y).
    void LineTo(int x, int y);
    // Outline with the pen inside the rectangle, inside filled with the brush.
    void Rectangle(const Rect& rect);
    void DrawFocusRect(const Rect& rect);

    void DrawEdge(Rect& rect, unsigned edge, unsigned flags);

    // Bitmaps at their own size, or stretched into a rectangle.
    bool DrawBitmap(int resourceId, int x, int y);
    void DrawPixmap(const QPixmap& pixmap, int x, int y);
    void StretchPixmap(const QPixmap& pixmap, const Rect& into);
    bool DrawIcon(int resourceId, int x, int y, int size = 32);

private:
    QPainter* painter_;
    std::unique_ptr<QPainter> own_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF bkColor_ = RGB(255, 255, 255);
    int bkMode_ = OPAQUE;
    QFont font_;
    std::optional<COLORREF> pen_ = RGB(0, 0, 0);
    int penWidth_ = 1;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    std::optional<COLORREF> brush_ = RGB(255, 255, 255);
    QPoint position_;
};

// Two-colour gradient drawn one line at a time: colour A at the far end, B at the near end.
// vertical = 1: rows from the bottom up; 0: columns from the right leftwards.
void DrawGradientLines(Dc& dc, const Rect& rect, COLORREF a, COLORREF b, int vertical);
