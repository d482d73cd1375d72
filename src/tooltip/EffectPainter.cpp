#include "EffectPainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// A colour value 0x00BBGGRR as a pixel 0x00RRGGBB, and back (the same swap).
std::uint32_t SwapRedBlue(std::uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

std::uint32_t Pack(int r, int g, int b) {
    return (static_cast<std::uint32_t>(std::clamp(r, 0, 255)) << 16) |
           (static_cast<std::uint32_t>(std::clamp(g, 0, 255)) << 8) |
           static_cast<std::uint32_t>(std::clamp(b, 0, 255));
}

// A 32-bit copy of the image in which the top byte is the alpha only for images that have an
// alpha channel; opaque bitmaps get a top byte of 0.
QImage ToPixels(const QImage& image) {
    QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    if (!image.hasAlphaChannel()) {
        for (int y = 0; y < pixels.height(); ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(pixels.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x) line[x] &= kRgbMask;
        }
    }
    return pixels;
}

Qt::PenStyle PenStyleFor(int borderStyle) {
    switch (borderStyle) {
    case kBorderDashed: return Qt::DashLine;
    case kBorderDotted: return Qt::DotLine;
    case kBorderDashDot: return Qt::DashDotLine;
    case kBorderDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

// The Dc's pen for the scope of one drawing call.
class PenScope {
public:
    explicit PenScope(Dc& dc)
        : dc_(dc), color_(dc.GetPenColor()), width_(dc.GetPenWidth()), style_(dc.GetPenStyle()) {}
    ~PenScope() {
        if (color_) dc_.SetPen(*color_, width_, style_);
        else dc_.SetNullPen();
    }

private:
    Dc& dc_;
    std::optional<COLORREF> color_;
    int width_;
    Qt::PenStyle style_;
};

// Average of the blue bytes over a box around each pixel, pixels outside counting as 255,
// as factors 0..1. Running sums keep the cost independent of the box size.
std::vector<double> BlurMask(const QImage& mask, int boxX, int boxY) {
    const int w = mask.width(), h = mask.height();
    const int rx = boxX / 2, ry = boxY / 2;
    const int pw = w + 2 * rx, ph = h + 2 * ry;
    // Summed-area table of the padded mask: sums[(y)*(pw+1)+x] over rows < y and columns < x.
    std::vector<long long> sums(static_cast<std::size_t>(pw + 1) * (ph + 1), 0);
    for (int y = 0; y < ph; ++y) {
        long long row = 0;
        for (int x = 0; x < pw; ++x) {
            const int mx = x - rx, my = y - ry;
            int blue = 255;
            if (mx >= 0 && my >= 0 && mx < w && my < h) {
                blue = static_cast<int>(mask.pixel(mx, my) & 0xFF);
            }
            row += blue;
            sums[static_cast<std::size_t>(y + 1) * (pw + 1) + x + 1] =
                sums[static_cast<std::size_t>(y) * (pw + 1) + x + 1] + row;
        }
    }
    std::vector<double> factors(static_cast<std::size_t>(w) * h, 1.0);
    const double area = static_cast<double>(boxX) * boxY * 255.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int x0 = x, y0 = y, x1 = x + boxX, y1 = y + boxY;  // in padded coordinates
            const long long total = sums[static_cast<std::size_t>(y1) * (pw + 1) + x1] -
                                    sums[static_cast<std::size_t>(y0) * (pw + 1) + x1] -
                                    sums[static_cast<std::size_t>(y1) * (pw + 1) + x0] +
                                    sums[static_cast<std::size_t>(y0) * (pw + 1) + x0];
            factors[static_cast<std::size_t>(y) * w + x] = total / area;
        }
    }
    return factors;
}

}  // namespace

// ---- pixels -----------------------------------------------------------------------------------

std::uint32_t GrayPixel(std::uint32_t p) {
    const int g = static_cast<int>(0.299 * Channel(p, 16) + 0.587 * Channel(p, 8) +
                                   0.114 * Channel(p, 0));
    return Pack(g, g, g);
}

std::uint32_t InvertPixel(std::uint32_t p) {
    return Pack(255 - Channel(p, 16), 255 - Channel(p, 8), 255 - Channel(p, 0));
}

std::uint32_t DarkenPixel(std::uint32_t p, double f) {
    if (f < 0 || f >= 1) return p & kRgbMask;
    return Pack(static_cast<int>(Channel(p, 16) * f), static_cast<int>(Channel(p, 8) * f),
                static_cast<int>(Channel(p, 0) * f));
}

std::uint32_t LightenPixel(std::uint32_t p, double f) {
    if (f <= 0 || f > 1) return p & kRgbMask;
    return Pack(std::min(255, static_cast<int>(Channel(p, 16) * (1 + f))),
                std::min(255, static_cast<int>(Channel(p, 8) * (1 + f))),
                std::min(255, static_cast<int>(Channel(p, 0) * (1 + f))));
}

std::uint32_t MixPixels(std::uint32_t p, double a, std::uint32_t q, double b) {
    return Pack(static_cast<int>(Channel(p, 16) * a + Channel(q, 16) * b),
                static_cast<int>(Channel(p, 8) * a + Channel(q, 8) * b),
                static_cast<int>(Channel(p, 0) * a + Channel(q, 0) * b));
}

// ---- reading and writing what a Dc has drawn --------------------------------------------------

QImage GrabDcArea(Dc& dc, const Rect& area) {
    QPainter& painter = dc.Painter();
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image || area.IsEmpty()) return {};
    const auto* image = static_cast<const QImage*>(device);
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || image->devicePixelRatio() != 1.0) return {};
    QImage out(area.Width(), area.Height(), QImage::Format_ARGB32);
    out.fill(0);
    const int dx = static_cast<int>(t.dx()), dy = static_cast<int>(t.dy());
    for (int y = 0; y < out.height(); ++y) {
        const int sy = area.top + y + dy;
        if (sy < 0 || sy >= image->height()) continue;
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int sx = area.left + x + dx;
            if (sx < 0 || sx >= image->width()) continue;
            line[x] = image->pixel(sx, sy) & kRgbMask;
        }
    }
    return out;
}

void PutDcArea(Dc& dc, int x, int y, const QImage& image) {
    if (image.isNull()) return;
    QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < opaque.height(); ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(opaque.scanLine(row));
        for (int col = 0; col < opaque.width(); ++col) line[col] |= 0xFF000000u;
    }
    QPainter& painter = dc.Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(x, y), opaque);
    painter.restore();
}

// ---- sizes ------------------------------------------------------------------------------------

QSize CEffectPainter::GetBitmapSize(const QImage& bitmap) {
    return bitmap.isNull() ? QSize(0, 0) : bitmap.size();
}

QSize CEffectPainter::GetIconSize(const QImage& icon) {
    return icon.isNull() ? QSize(0, 0) : icon.size();
}

QImage CEffectPainter::ResizeIcon(const QImage& icon, int width, int height) {
    if (icon.isNull() || width <= 0 || height <= 0) return {};
    return icon.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// ---- fills ------------------------------------------------------------------------------------

void CEffectPainter::DrawGradient(Dc& dc, const Rect& rect, COLORREF c1, COLORREF c2,
                                  bool horizontal) {
    const int start = horizontal ? rect.left : rect.top;
    const int length = horizontal ? rect.Width() : rect.Height();
    for (int k = 0; k < 64; ++k) {
        const int from = start + (k * length) / 64;
        const int to = start + ((k + 1) * length) / 64;
        if (to <= from) continue;
        const int r = ((64 - k) * GetR(c1) + k * GetR(c2)) >> 6;
        const int g = ((64 - k) * GetG(c1) + k * GetG(c2)) >> 6;
        const int b = ((64 - k) * GetB(c1) + k * GetB(c2)) >> 6;
        const Rect band = horizontal ? Rect(from, rect.top, to, rect.bottom)
                                     : Rect(rect.left, from, rect.right, to);
        dc.FillSolidRect(band, RGB(r, g, b));
    }
}

void CEffectPainter::FillEffect(Dc& dc, int effect, const Rect& rect, COLORREF start,
                                COLORREF middle, COLORREF end, int granularity,
                                int blendPercent) {
    if (rect.IsEmpty()) return;
    const int midX = rect.left + rect.Width() / 2;
    const int midY = rect.top + rect.Height() / 2;
    switch (effect) {
    case kEffectHGradient:
        DrawGradient(dc, rect, start, end, true);
        break;
    case kEffectVGradient:
        DrawGradient(dc, rect, start, end, false);
        break;
    case kEffectHCGradient:
        DrawGradient(dc, Rect(rect.left, rect.top, midX, rect.bottom), start, end, true);
        DrawGradient(dc, Rect(midX, rect.top, rect.right, rect.bottom), end, start, true);
        break;
    case kEffectVCGradient:
        DrawGradient(dc, Rect(rect.left, rect.top, rect.right, midY), start, end, false);
        DrawGradient(dc, Rect(rect.left, midY, rect.right, rect.bottom), end, start, false);
        break;
    case kEffect3HGradient:
        DrawGradient(dc, Rect(rect.left, rect.top, midX, rect.bottom), start, middle, true);
        DrawGradient(dc, Rect(midX, rect.top, rect.right, rect.bottom), middle, end, true);
        break;
    case kEffect3VGradient:
        DrawGradient(dc, Rect(rect.left, rect.top, rect.right, midY), start, middle, false);
        DrawGradient(dc, Rect(rect.left, midY, rect.right, rect.bottom), middle, end, false);
        break;
    default:
        if (effect >= kEffectNoise && effect <= kEffectMetal) {
            FillDibEffect(QSize(rect.Width(), rect.Height()), effect, granularity, blendPercent,
                          start, middle, end);
            surface_.Draw(dc, rect.left, rect.top);
        } else {
            dc.FillSolidRect(rect, start);
        }
        break;
    }
}

void CEffectPainter::FillDibEffect(QSize size, int effect, int granularity, int blendPercent,
                                   COLORREF start, COLORREF middle, COLORREF end) {
    const int w = size.width(), h = size.height();
    std::uint8_t* bits = surface_.Create(w, h, 8);
    if (!bits) return;

    // Indices 0..128 run from the end colour to the middle one, 128..255 on to the start colour.
    for (int i = 0; i <= 128; ++i) {
        surface_.SetPaletteEntry(i, (GetR(end) * (128 - i) + GetR(middle) * i) / 128,
                                 (GetG(end) * (128 - i) + GetG(middle) * i) / 128,
                                 (GetB(end) * (128 - i) + GetB(middle) * i) / 128);
    }
    for (int j = 1; j <= 128; ++j) {
        surface_.SetPaletteEntry(127 + j, (GetR(start) * j + GetR(middle) * (128 - j)) / 128,
                                 (GetG(start) * j + GetG(middle) * (128 - j)) / 128,
                                 (GetB(start) * j + GetB(middle) * (128 - j)) / 128);
    }
    surface_.BlendPalette(start, blendPercent);

    const int a = granularity & 0xFF;
    const int n = a == 0 ? 1 : 2 * a;
    const int c = NoiseGenerator::kMax / n;
    const int d = 255 - 2 * a;
    auto noise = [&] { return Rand() / c - a; };
    auto cube = [](int v) { return v * v * v / 16384; };
    auto shape = [a](int s) { return (s * (128 - a)) / 128 + 128; };
    const int stride = surface_.GetStride();
    auto at = [&](int r, int col) -> std::uint8_t& {
        return bits[static_cast<std::size_t>(r) * stride + col];
    };
    auto put = [&](int r, int col, int value) { at(r, col) = static_cast<std::uint8_t>(value); };

    switch (effect) {
    case kEffectNoise:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col) put(r, col, 128 + noise());
        break;
    case kEffectDiagShade:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col)
                put(r, col, a + (d / 2) * r / h + (d / 2) * (w - col) / w + noise());
        break;
    case kEffectHShade:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col) put(r, col, a + d * r / h + noise());
        break;
    case kEffectVShade:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col) put(r, col, a + d * (w - col) / w + noise());
        break;
    case kEffectHBump:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col)
                put(r, col, shape(cube(255 * r / h - 127)) + noise());
        break;
    case kEffectVBump:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col)
                put(r, col, shape(cube(255 * (w - col) / w - 127)) + noise());
        break;
    case kEffectSoftBump:
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col) {
                const int v = std::clamp(
                    shape(cube(255 * r / h - 127) + cube(255 * (w - col) / w - 127)), a, 255 - a);
                put(r, col, v + noise());
            }
        break;
    case kEffectHardBump: {
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col)
                put(r, col, cube(255 * r / h - 127) * (64 - a) * 2 / 128 + 128 + noise());
        const int g = std::min(w / 6, 16);
        if (g <= 0) break;
        for (int r = 0; r < h; ++r) {
            const long long dist = 2LL * r - h;
            const int k = static_cast<int>(g * dist * dist / (static_cast<long long>(h) * h));
            const int edge = std::max(0, g - k);
            for (int col = 0; col < edge && col < w; ++col)
                put(r, col, 255 - a - 128 * col / g + noise());
            for (int col = std::max(0, w - edge); col < w; ++col)
                put(r, col, a + 128 * (w - col) / g + noise());
        }
        break;
    }
    case kEffectMetal: {
        surface_.Clear(0);
        const int span = std::min(w, h);
        for (int streak = 0; streak < 200; ++streak) {
            const int x0 = Rand() % w;
            const int y0 = Rand() % h;
            const int length = span > 0 ? Rand() % span : 0;
            const int index = Rand() / 819;
            for (int i = 0; i < length / 2; ++i) {
                surface_.SetPixelIndex(x0 + i, y0 - i, index);
                surface_.SetPixelIndex(x0 + i + 1, y0 - i, index);
            }
        }
        const int range = (d - 40) / 2;
        for (int r = 0; r < h; ++r)
            for (int col = 0; col < w; ++col)
                put(r, col, at(r, col) + range * r / h + range * (w - col) / w + Rand() / c);
        break;
    }
    default:
        surface_.Clear(128);
        break;
    }
}

void CEffectPainter::TileBitmap(Dc& dc, int x, int y, int width, int height,
                                const QImage& source, int sourceX, int sourceY, int tileWidth,
                                int tileHeight) {
    if (source.isNull() || tileWidth <= 0 || tileHeight <= 0) return;
    QPainter& painter = dc.Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int ty = y; ty < y + height; ty += tileHeight) {
        const int th = std::min(tileHeight, y + height - ty);
        for (int tx = x; tx < x + width; tx += tileWidth) {
            const int tw = std::min(tileWidth, x + width - tx);
            painter.drawImage(QPoint(tx, ty), source, QRect(sourceX, sourceY, tw, th));
        }
    }
    painter.restore();
}

// ---- frames and lines -------------------------------------------------------------------------

void CEffectPainter::DrawFrame(Dc& dc, int left, int top, int right, int bottom,
                               COLORREF first, COLORREF second, int borderStyle, int width) {
    if (borderStyle == kBorderNone || width <= 0) return;
    PenScope keep(dc);
    const Qt::PenStyle style = PenStyleFor(borderStyle);
    auto path = [&](int inset) {
        const int l = left + inset, t = top + inset, r = right - 1 - inset, b = bottom - 1 - inset;
        dc.SetPen(first, width, style);
        dc.MoveTo(l, b);
        dc.LineTo(l, t);
        dc.LineTo(r, t);
        if (second != first) dc.SetPen(second, width, style);
        dc.LineTo(r, b);
        dc.LineTo(l, b);
    };
    const int half = width / 2;
    path(half);
    if (borderStyle == kBorderDouble) path(half + 2 * width);
}

void CEffectPainter::DrawFrameRect(Dc& dc, const Rect& rect, COLORREF first, COLORREF second,
                                   int borderStyle, int width) {
    DrawFrame(dc, rect.left, rect.top, rect.right, rect.bottom, first, second, borderStyle,
              width);
}

void CEffectPainter::DrawLine(Dc& dc, int x1, int y1, int x2, int y2, COLORREF color,
                              int borderStyle, int width) {
    if (borderStyle == kBorderNone || width <= 0) return;
    PenScope keep(dc);
    dc.SetPen(color, width, PenStyleFor(borderStyle));
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
    if (borderStyle == kBorderDouble) {
        const int dy = x1 != x2 ? 2 * width : 0;  // a line that is not vertical moves down
        const int dx = y1 != y2 ? 2 * width : 0;  // one that is not horizontal moves right
        dc.MoveTo(x1 + dx, y1 + dy);
        dc.LineTo(x2 + dx, y2 + dy);
    }
}

// ---- blending ---------------------------------------------------------------------------------

void CEffectPainter::BlendBitmap(Dc& dc, int x, int y, int width, int height,
                                 const QImage& source, int sourceX, int sourceY, int percent) {
    if (source.isNull() || width <= 0 || height <= 0) return;
    const QImage part = source.copy(sourceX, sourceY, width, height);
    if (percent >= 100) {
        PutDcArea(dc, x, y, part);
        return;
    }
    QImage target = GrabDcArea(dc, Rect(x, y, x + width, y + height));
    if (target.isNull()) return;
    const QImage src = part.convertToFormat(QImage::Format_ARGB32);
    const double a = percent * 0.01;
    for (int row = 0; row < height; ++row) {
        auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(row));
        const auto* s = reinterpret_cast<const std::uint32_t*>(src.constScanLine(row));
        for (int col = 0; col < width; ++col) t[col] = MixPixels(s[col], a, t[col], 1 - a);
    }
    PutDcArea(dc, x, y, target);
}

void CEffectPainter::AlphaBlendBitmap(Dc& dc, int x, int y, int width, int height,
                                      const QImage& source, int sourceX, int sourceY) {
    if (source.isNull() || width <= 0 || height <= 0) return;
    QImage target = GrabDcArea(dc, Rect(x, y, x + width, y + height));
    if (target.isNull()) return;
    const QImage src = source.copy(sourceX, sourceY, width, height)
                           .convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < height; ++row) {
        auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(row));
        const auto* s = reinterpret_cast<const std::uint32_t*>(src.constScanLine(row));
        for (int col = 0; col < width; ++col) {
            const double a = (s[col] >> 24) / 255.0;
            t[col] = MixPixels(s[col], a, t[col], 1 - a);
        }
    }
    PutDcArea(dc, x, y, target);
}

// ---- images -----------------------------------------------------------------------------------

QImage CEffectPainter::TransformBitmap(const QImage& bitmap, int width, int height, int flags,
                                       bool useMask, COLORREF maskColor, COLORREF flatColor) {
    if (bitmap.isNull() || width <= 0 || height <= 0) return {};
    QImage pixels = ToPixels(bitmap);
    if (pixels.size() != QSize(width, height)) {
        QImage sized(width, height, QImage::Format_ARGB32);
        sized.fill(0);
        for (int y = 0; y < std::min(height, pixels.height()); ++y)
            for (int x = 0; x < std::min(width, pixels.width()); ++x)
                sized.setPixel(x, y, pixels.pixel(x, y));
        pixels = sized;
    }
    const std::uint32_t mask = SwapRedBlue(maskColor);
    const std::uint32_t flat = SwapRedBlue(flatColor);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(pixels.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t d = line[x];
            const std::uint32_t top = d & 0xFF000000u;
            if (top) alpha_ = true;
            std::uint32_t e = 0;
            if (!(useMask && (d & kRgbMask) == mask)) {
                e = (flags & kImageGray) ? GrayPixel(d) : (d & kRgbMask);
                if (flags & kImageDarken) e = DarkenPixel(e, 0.75);
                if (flags & kImageLighten) e = LightenPixel(e, 0.25);
                if (flags & kImageFlat) e = flat;
            }
            line[x] = ((flags & kImageInvert) ? InvertPixel(e) : e) | top;
        }
    }
    return pixels;
}

void CEffectPainter::DrawShadow(Dc& dc, int x, int y, int width, int height, const QImage& mask,
                                bool soft, int blurX, int blurY) {
    if (mask.isNull() || width <= 0 || height <= 0) return;
    QImage target = GrabDcArea(dc, Rect(x, y, x + width, y + height));
    if (target.isNull()) return;
    if (!soft) {
        for (int row = 0; row < height; ++row) {
            auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(row));
            for (int col = 0; col < width; ++col) {
                const int blue = (col < mask.width() && row < mask.height())
                                     ? static_cast<int>(mask.pixel(col, row) & 0xFF)
                                     : 0;
                t[col] = DarkenPixel(t[col], blue / 255.0);
            }
        }
    } else {
        const int bx = blurX % 2 == 0 ? blurX + 1 : blurX;
        const int by = blurY % 2 == 0 ? blurY + 1 : blurY;
        QImage section(width, height, QImage::Format_RGB32);
        section.fill(Qt::white);
        if (width - bx > 0 && height - by > 0) {
            QPainter p(&section);
            p.drawImage(QRect(bx / 2, by / 2, width - bx, height - by), mask);
        }
        const std::vector<double> factors = BlurMask(section, std::max(1, bx), std::max(1, by));
        for (int row = 0; row < height; ++row) {
            auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(row));
            for (int col = 0; col < width; ++col)
                t[col] = DarkenPixel(t[col], factors[static_cast<std::size_t>(row) * width + col]);
        }
    }
    PutDcArea(dc, x, y, target);
}

void CEffectPainter::DrawImageWithShadow(Dc& dc, int x, int y, const QImage& image,
                                         const QImage& andMask, const QImage& shadowMask,
                                         bool shadowed, bool softShadow, int shadowDx,
                                         int shadowDy, int blurX, int blurY) {
    const int w = image.width(), h = image.height();
    if (shadowed) {
        if (!shadowMask.isNull()) {
            DrawShadow(dc, x + shadowDx, y + shadowDy, w, h, shadowMask, softShadow, blurX, blurY);
        } else {
            x += shadowDx;
            y += shadowDy;
        }
    }
    if (alpha_) {
        AlphaBlendBitmap(dc, x, y, w, h, image, 0, 0);
        return;
    }
    // The mask keeps what lies under the transparent parts, the image fills the rest.
    QImage target = GrabDcArea(dc, Rect(x, y, x + w, y + h));
    if (target.isNull()) return;
    for (int row = 0; row < h; ++row) {
        auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(row));
        const auto* m = reinterpret_cast<const std::uint32_t*>(andMask.constScanLine(row));
        const auto* s = reinterpret_cast<const std::uint32_t*>(image.constScanLine(row));
        for (int col = 0; col < w; ++col) t[col] = ((t[col] & m[col]) | s[col]) & kRgbMask;
    }
    PutDcArea(dc, x, y, target);
}

void CEffectPainter::DrawBitmap(Dc& dc, int x, int y, int width, int height, const QImage& bitmap,
                                bool useMask, COLORREF maskColor, int style, bool shadowed,
                                int shadowDx, int shadowDy, int blurX, int blurY,
                                COLORREF shadowColor) {
    alpha_ = false;
    if (bitmap.isNull() || width <= 0 || height <= 0) return;
    const QImage copy = bitmap.size() == QSize(width, height)
                            ? bitmap
                            : bitmap.scaled(width, height, Qt::IgnoreAspectRatio,
                                            Qt::FastTransformation);
    const QImage andMask = TransformBitmap(copy, width, height, kImageInvert | kImageFlat, useMask,
                                           maskColor, RGB(255, 255, 255));
    const QImage image = TransformBitmap(copy, width, height, style, useMask, maskColor,
                                         shadowColor);
    QImage shadowMask;
    if (shadowed && (style & (kImageShadow | kImageSoftShadow))) {
        shadowMask = TransformBitmap(copy, width, height, kImageInvert | kImageFlat, useMask,
                                     maskColor, ~shadowColor & kRgbMask);
    }
    DrawImageWithShadow(dc, x, y, image, andMask, shadowMask, shadowed,
                        style & kImageSoftShadow, shadowDx, shadowDy, blurX, blurY);
}

void CEffectPainter::DrawIcon(Dc& dc, int x, int y, int width, int height, const QImage& icon,
                              int style, bool shadowed, int shadowDx, int shadowDy, int blurX,
                              int blurY, COLORREF shadowColor) {
    alpha_ = false;
    if (icon.isNull() || width <= 0 || height <= 0) return;
    const QImage copy = GetIconSize(icon) == QSize(width, height)
                            ? icon.convertToFormat(QImage::Format_ARGB32)
                            : ResizeIcon(icon, width, height).convertToFormat(QImage::Format_ARGB32);
    // An icon's transparency is its alpha channel: the mask is white where the icon is clear.
    QImage andMask(width, height, QImage::Format_ARGB32);
    QImage shadowMask;
    const bool wantShadow = shadowed && (style & (kImageShadow | kImageSoftShadow));
    if (wantShadow) shadowMask = QImage(width, height, QImage::Format_ARGB32);
    const int sr = GetR(shadowColor), sg = GetG(shadowColor), sb = GetB(shadowColor);
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int alpha = qAlpha(copy.pixel(col, row));
            andMask.setPixel(col, row, alpha ? 0u : kRgbMask);
            if (wantShadow) {
                auto mix = [alpha](int c) { return 255 - (255 - c) * alpha / 255; };
                shadowMask.setPixel(col, row, Pack(mix(sr), mix(sg), mix(sb)));
            }
        }
    }
    const QImage image = TransformBitmap(copy, width, height, style, false, 0, shadowColor);
    DrawImageWithShadow(dc, x, y, image, andMask, shadowMask, shadowed,
                        style & kImageSoftShadow, shadowDx, shadowDy, blurX, blurY);
}

void CEffectPainter::DrawImageStripFrame(Dc& dc, int x, int y, int width, int height,
                                         const QImage& strip, int frameIndex, int frameWidth,
                                         int frameHeight, bool useMask, COLORREF maskColor,
                                         int style, bool shadowed, int shadowDx, int shadowDy,
                                         int blurX, int blurY, COLORREF shadowColor) {
    if (strip.isNull() || frameWidth <= 0 || frameHeight <= 0) return;
    const int across = strip.width() / frameWidth;
    const int down = strip.height() / frameHeight;
    if (across == 0 || down == 0 || frameIndex < 0 || frameIndex >= across * down) return;
    const QImage frame = strip.copy((frameIndex % across) * frameWidth,
                                    (frameIndex / across) * frameHeight, frameWidth, frameHeight);
    DrawBitmap(dc, x, y, width, height, frame, useMask, maskColor, style, shadowed, shadowDx,
               shadowDy, blurX, blurY, shadowColor);
}
