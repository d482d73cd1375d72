#include "Dc.h"

#include "DialogTemplate.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Fonts.h"
#include "Resources.h"

// ---- colours ----------------------------------------------------------------------------------

QColor ToQColor(COLORREF color) { return QColor(GetR(color), GetG(color), GetB(color)); }

COLORREF FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

COLORREF GetSysColor(SysColor which) {
    switch (which) {
    case SysColor::Window: return RGB(255, 255, 255);
    case SysColor::WindowText: return RGB(0, 0, 0);
    case SysColor::ButtonFace: return RGB(240, 240, 240);
    case SysColor::ButtonText: return RGB(0, 0, 0);
    case SysColor::ButtonShadow: return RGB(160, 160, 160);
    case SysColor::DarkShadow: return RGB(105, 105, 105);
    case SysColor::Light: return RGB(227, 227, 227);
    case SysColor::Highlight3D: return RGB(255, 255, 255);
    case SysColor::GrayText: return RGB(109, 109, 109);
    case SysColor::Highlight: return RGB(0, 120, 215);
    case SysColor::HighlightText: return RGB(255, 255, 255);
    }
    return RGB(0, 0, 0);
}

// ---- fonts ------------------------------------------------------------------------------------

namespace {

// Pixel size of the characters for a font whose character cell is `cellHeight` pixels high.
int PixelSizeForCell(const QFont& font, int cellHeight) {
    static QHash<QString, double> ratios;
    const QString key = font.family() + QLatin1Char('/') + QString::number(font.weight()) +
                        (font.italic() ? QLatin1String("i") : QLatin1String(""));
    auto it = ratios.constFind(key);
    if (it == ratios.constEnd()) {
        QFont probe(font);
        probe.setPixelSize(100);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        it = ratios.insert(key, cell > 0 ? 100.0 / cell : 1.0);
    }
    return std::max(1, static_cast<int>(std::lround(cellHeight * *it)));
}


// Lines of text to draw: paragraphs split at line breaks, each wrapped at spaces to `width`
// when wrapping. A word wider than the width stays whole on a line of its own.
QStringList LayOutLines(const QString& text, const QFontMetrics& metrics, int width, bool wrap) {
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = normal.split(QLatin1Char('\n'));
    if (!wrap) return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line;
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString candidate = i == 0 ? words[i] : line + QLatin1Char(' ') + words[i];
            if (i > 0 && !line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                lines << line;
                line = words[i];
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

}  // namespace

QString MapFontFace(const QString& face) { return fonts::MapFace(face); }

QFont Font(const QString& face, int height, int weight, bool italic, bool underline) {
    QFont font(MapFontFace(face));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight <= 0 ? FW_NORMAL : weight, 1, 1000)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setKerning(false);
    if (height > 0) font.setPixelSize(PixelSizeForCell(font, height));
    else if (height < 0) font.setPixelSize(-height);
    else font.setPixelSize(11);
    return font;
}

QFont DialogFont(const QString& face, int points) {
    QFont font(MapFontFace(face));
    font.setKerning(false);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

// ---- Dc ---------------------------------------------------------------------------------------

Dc::Dc(QPainter& painter) : painter_(&painter), font_(painter.font()) {
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

Dc::Dc(QPaintDevice* device) : own_(std::make_unique<QPainter>(device)) {
    painter_ = own_.get();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    font_ = painter_->font();
}

Dc::~Dc() = default;

void Dc::FillSolidRect(const Rect& rect, COLORREF color) {
    bkColor_ = color;  // filling sets the background colour, as text drawing expects
    if (rect.IsEmpty()) return;
    painter_->fillRect(rect.ToQRect(), ToQColor(color));
}

void Dc::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    FillSolidRect(Rect(x, y, x + width, y + height), color);
}

COLORREF Dc::SetTextColor(COLORREF color) {
    const COLORREF previous = textColor_;
    textColor_ = color;
    return previous;
}

int Dc::SetBkMode(int mode) {
    const int previous = bkMode_;
    bkMode_ = mode;
    return previous;
}

COLORREF Dc::SetBkColor(COLORREF color) {
    const COLORREF previous = bkColor_;
    bkColor_ = color;
    return previous;
}

QFont Dc::SelectFont(const QFont& font) {
    const QFont previous = font_;
    font_ = font;
    return previous;
}

int Dc::DrawText(const QString& rawText, Rect& rect, unsigned format) {
    const QString text = (format & DT_NOPREFIX) ? rawText : WithoutMnemonic(rawText);
    const QFontMetrics metrics(font_);
    const bool single = format & DT_SINGLELINE;
    QStringList lines;
    if (single) {
        QString line = text;
        line.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QString());
        lines << line;
    } else {
        lines = LayOutLines(text, metrics, rect.Width(), format & DT_WORDBREAK);
    }
    if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT)) {
        for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, rect.Width());
    }
    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }

    int y = rect.top;
    if (single && (format & DT_VCENTER)) y = rect.top + (rect.Height() - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM)) y = rect.bottom - lineHeight;

    painter_->save();
    if (!(format & DT_NOCLIP)) painter_->setClipRect(rect.ToQRect());
    painter_->setFont(font_);
    painter_->setPen(ToQColor(textColor_));
    for (const QString& line : lines) {
        const int width = metrics.horizontalAdvance(line);
        int x = rect.left;
        if (format & DT_CENTER) x = rect.left + (rect.Width() - width) / 2;
        else if (format & DT_RIGHT) x = rect.right - width;
        if (bkMode_ == OPAQUE) painter_->fillRect(QRect(x, y, width, lineHeight), ToQColor(bkColor_));
        painter_->drawText(QPoint(x, y + metrics.ascent()), line);
        y += lineHeight;
    }
    painter_->restore();
    return height;
}

int Dc::DrawText(const std::u16string& text, Rect& rect, unsigned format) {
    return DrawText(QString::fromStdU16String(text), rect, format);
}

void Dc::TextOut(int x, int y, const QString& text) {
    const QFontMetrics metrics(font_);
    if (bkMode_ == OPAQUE) {
        painter_->fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                           ToQColor(bkColor_));
    }
    painter_->save();
    painter_->setFont(font_);
    painter_->setPen(ToQColor(textColor_));
    painter_->drawText(QPoint(x, y + metrics.ascent()), text);
    painter_->restore();
}

QSize Dc::GetTextExtent(const QString& text) const {
    const QFontMetrics metrics(font_);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void Dc::SetPen(COLORREF color, int width, Qt::PenStyle style) {
    pen_ = color;
    penWidth_ = std::max(1, width);
    penStyle_ = style;
}

void Dc::SetNullPen() { pen_.reset(); }

void Dc::SetBrush(COLORREF color) { brush_ = color; }

void Dc::SetNullBrush() { brush_.reset(); }

void Dc::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void Dc::LineTo(int x, int y) {
    const QPoint from = position_;
    position_ = QPoint(x, y);
    if (!pen_ || from == position_) return;
    // The end point itself is not drawn: step back one pixel along the longer axis.
    const int dx = x - from.x(), dy = y - from.y();
    const int major = std::max(std::abs(dx), std::abs(dy));
    const QPointF end(x - static_cast<double>(dx) / major, y - static_cast<double>(dy) / major);
    QPen pen(ToQColor(*pen_), penWidth_, penStyle_);
    pen.setCapStyle(Qt::SquareCap);
    if (penWidth_ == 1) pen.setCosmetic(true);
    painter_->save();
    painter_->setPen(pen);
    painter_->drawLine(QPointF(from), end);
    painter_->restore();
}

void Dc::Rectangle(const Rect& rect) {
    if (rect.IsEmpty()) return;
    if (brush_) painter_->fillRect(rect.ToQRect(), ToQColor(*brush_));
    if (!pen_) return;
    painter_->save();
    QPen pen(ToQColor(*pen_), 1, penStyle_);
    pen.setCosmetic(true);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    for (int i = 0; i < penWidth_ && i * 2 < std::min(rect.Width(), rect.Height()); ++i) {
        painter_->drawRect(QRect(rect.left + i, rect.top + i, rect.Width() - 1 - 2 * i,
                                 rect.Height() - 1 - 2 * i));
    }
    painter_->restore();
}

void Dc::DrawFocusRect(const Rect& rect) {
    if (rect.IsEmpty()) return;
    painter_->save();
    QPen pen(QColor(0, 0, 0), 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    painter_->restore();
}

void Dc::DrawEdge(Rect& rect, unsigned edge, unsigned flags) {
    struct Ring {
        unsigned raised, sunken;
        SysColor raisedTopLeft, raisedBottomRight, sunkenTopLeft, sunkenBottomRight;
    };
    static const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, SysColor::Light, SysColor::DarkShadow,
         SysColor::ButtonShadow, SysColor::Highlight3D},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, SysColor::Highlight3D, SysColor::ButtonShadow,
         SysColor::DarkShadow, SysColor::Light},
    };
    Rect r = rect;
    for (const Ring& ring : rings) {
        if (r.IsEmpty()) break;
        const bool raised = edge & ring.raised, sunken = edge & ring.sunken;
        if (!raised && !sunken) continue;
        const QColor topLeft = ToQColor(GetSysColor(raised ? ring.raisedTopLeft : ring.sunkenTopLeft));
        const QColor bottomRight =
            ToQColor(GetSysColor(raised ? ring.raisedBottomRight : ring.sunkenBottomRight));
        if (flags & BF_LEFT) painter_->fillRect(QRect(r.left, r.top, 1, r.Height()), topLeft);
        if (flags & BF_TOP) painter_->fillRect(QRect(r.left, r.top, r.Width(), 1), topLeft);
        if (flags & BF_RIGHT) painter_->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), bottomRight);
        if (flags & BF_BOTTOM) painter_->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), bottomRight);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    }
    if ((flags & BF_MIDDLE) && !r.IsEmpty())
        painter_->fillRect(r.ToQRect(), ToQColor(GetSysColor(SysColor::ButtonFace)));
    if (flags & BF_ADJUST) rect = r;
}

bool Dc::DrawBitmap(int resourceId, int x, int y) {
    const QPixmap pixmap = LoadBitmap(resourceId);
    if (pixmap.isNull()) return false;
    DrawPixmap(pixmap, x, y);
    return true;
}

void Dc::DrawPixmap(const QPixmap& pixmap, int x, int y) { painter_->drawPixmap(x, y, pixmap); }

void Dc::StretchPixmap(const QPixmap& pixmap, const Rect& into) {
    painter_->drawPixmap(into.ToQRect(), pixmap);
}

bool Dc::DrawIcon(int resourceId, int x, int y, int size) {
    const QIcon icon = LoadIcon(resourceId);
    if (icon.isNull()) return false;
    painter_->drawPixmap(x, y, icon.pixmap(size, size));
    return true;
}

// ---- gradient ---------------------------------------------------------------------------------

void DrawGradientLines(Dc& dc, const Rect& rect, COLORREF a, COLORREF b, int vertical) {
    const int n = vertical ? rect.Height() : rect.Width();
    if (n < 1) return;
    const int av[3] = {GetR(a), GetG(a), GetB(a)};
    const int bv[3] = {GetR(b), GetG(b), GetB(b)};
    float step[3];
    for (int c = 0; c < 3; ++c) step[c] = static_cast<float>(std::abs(av[c] - bv[c])) / static_cast<float>(n);
    QPainter& painter = dc.Painter();
    for (int i = 1; i <= n; ++i) {
        int v[3];
        for (int c = 0; c < 3; ++c) {
            // The step is a float; the product is taken at double precision and truncated, so
            // a far end such as 3 × (10 / 3) lands one unit short of A.
            const int t = static_cast<int>(static_cast<double>(i) * static_cast<double>(step[c]));
            v[c] = bv[c] < av[c] ? bv[c] + t : bv[c] > av[c] ? bv[c] - t : av[c];
        }
        const QColor color(v[0], v[1], v[2]);
        if (vertical) painter.fillRect(QRect(rect.left, rect.bottom - i, rect.Width(), 1), color);
        else painter.fillRect(QRect(rect.right - i, rect.top, 1, rect.Height()), color);
    }
}
