#include "BufferedDC.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

// The target's clip box, or its whole surface when nothing clips it.
Rect TargetArea(Dc& target) {
    QPainter& painter = target.Painter();
    if (painter.hasClipping()) return Rect::FromQRect(painter.clipBoundingRect().toAlignedRect());
    const QPaintDevice* device = painter.device();
    if (!device) return Rect();
    return Rect(0, 0, device->width(), device->height());
}

}  // namespace

namespace detail {

BufferedSurface::BufferedSurface(Dc& targetDc, const Rect& rect)
    : target(&targetDc), area(rect.IsEmpty() ? TargetArea(targetDc) : rect) {
    // The surface reaches from the origin to the area's far corner, so drawing keeps using the
    // target's own coordinates.
    const QPaintDevice* device = targetDc.Painter().device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    const int width = std::max(1, area.right), height = std::max(1, area.bottom);
    image = QImage(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                   QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
}

}  // namespace detail

CBufferedDC::CBufferedDC(Dc& targetDc, const Rect& rect)
    : detail::BufferedSurface(targetDc, rect), Dc(&image) {
    // Nothing outside the area is drawn: the bands left of and above it are clipped away.
    Painter().setClipRect(area.ToQRect());
    SelectFont(targetDc.GetFont());
}

CBufferedDC::~CBufferedDC() {
    Painter().end();
    if (area.IsEmpty()) return;
    QPainter& painter = target->Painter();
    const qreal ratio = image.devicePixelRatio();
    const QRect source(static_cast<int>(area.left * ratio), static_cast<int>(area.top * ratio),
                       static_cast<int>(area.Width() * ratio),
                       static_cast<int>(area.Height() * ratio));
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(area.ToQRect(), image, source);
    painter.restore();
}

// ---- guards -----------------------------------------------------------------------------------

namespace {

void SelectPen(Dc& dc, COLORREF color) {
    if (color == kNoColor) dc.SetNullPen();
    else dc.SetPen(color, 1, Qt::SolidLine);
}

void SelectBrush(Dc& dc, COLORREF color) {
    if (color == kNoColor) dc.SetNullBrush();
    else dc.SetBrush(color);
}

}  // namespace

CScopedPen::CScopedPen(Dc& dc, COLORREF color)
    : dc_(dc), old_{dc.GetPenColor(), dc.GetPenWidth(), dc.GetPenStyle()} {
    SelectPen(dc_, color);
}

CScopedPen::~CScopedPen() {
    if (old_.color) dc_.SetPen(*old_.color, old_.width, old_.style);
    else dc_.SetNullPen();
}

void CScopedPen::SetColor(COLORREF color) { SelectPen(dc_, color); }

CScopedBrush::CScopedBrush(Dc& dc, COLORREF color) : dc_(dc), old_(dc.GetBrushColor()) {
    SelectBrush(dc_, color);
}

CScopedBrush::~CScopedBrush() {
    if (old_) dc_.SetBrush(*old_);
    else dc_.SetNullBrush();
}

void CScopedBrush::SetColor(COLORREF color) { SelectBrush(dc_, color); }

CScopedBoldFont::CScopedBoldFont(Dc& dc, bool bold) : dc_(dc) {
    QFont font = dc.GetFont();
    const bool isBold = font.weight() == FW_BOLD;
    if (bold == isBold) return;
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    old_ = dc_.SelectFont(font);
}

CScopedBoldFont::~CScopedBoldFont() {
    if (old_) dc_.SelectFont(*old_);
}

std::optional<QFont> StockFont(int index) {
    switch (index) {
    case ANSI_VAR_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT:
        return DialogFont(QStringLiteral("MS Shell Dlg"), 8);
    case SYSTEM_FONT:
        return Font(QStringLiteral("Tahoma"), 16, FW_BOLD);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setPixelSize(12);
        return font;
    }
    default:
        return std::nullopt;
    }
}

CScopedStockFont::CScopedStockFont(Dc& dc, int stockIndex, COLORREF textColor) : dc_(dc) {
    if (const auto font = StockFont(stockIndex)) oldFont_ = dc_.SelectFont(*font);
    if (textColor != kKeepTextColor) oldTextColor_ = dc_.SetTextColor(textColor);
}

CScopedStockFont::~CScopedStockFont() {
    if (oldFont_) dc_.SelectFont(*oldFont_);
    if (oldTextColor_) dc_.SetTextColor(*oldTextColor_);
}
