#pragma once
// The drawing toolbox of the markup renderer and the tooltip window: background fills with
// gradients and palette textures, frames and lines in pen styles, images drawn with colour
// transforms, alpha and shadows, and blending of whole areas for fading.
//
// Pixel work happens on 32-bit images whose pixels are 0xAARRGGBB; the "top byte" of a pixel
// is its alpha byte. Bitmaps without an alpha channel enter with a top byte of 0, so only
// images that carry real transparency take the alpha path. Operations that read back what is
// already drawn need a Dc painting on an image; on any other surface they draw nothing.

#include <QImage>
#include <cstdint>

#include "Dc.h"
#include "DibSurface.h"

// Flags of image drawing.
enum ImageStyle : int {
    kImageGray = 0x1,
    kImageDarken = 0x2,
    kImageLighten = 0x4,
    kImageFlat = 0x8,           // every pixel of the image becomes one colour
    kImageShadow = 0x100,
    kImageSoftShadow = 0x200,
    kImageInvert = 0x8000,
};

// Background effects: -1 transparent, 0 solid, 1-6 gradients, 7-15 textures.
enum BackgroundEffect : int {
    kEffectTransparent = -1,
    kEffectSolid = 0,
    kEffectHGradient = 1,
    kEffectVGradient = 2,
    kEffectHCGradient = 3,
    kEffectVCGradient = 4,
    kEffect3HGradient = 5,
    kEffect3VGradient = 6,
    kEffectNoise = 7,
    kEffectDiagShade = 8,
    kEffectHShade = 9,
    kEffectVShade = 10,
    kEffectHBump = 11,
    kEffectVBump = 12,
    kEffectSoftBump = 13,
    kEffectHardBump = 14,
    kEffectMetal = 15,
};

// Border and line styles.
enum BorderStyle : int {
    kBorderNone = 0,
    kBorderSolid = 1,
    kBorderDashed = 2,
    kBorderDotted = 3,
    kBorderDashDot = 4,
    kBorderDashDotDot = 5,
    kBorderDouble = 6,
};

// Pixel arithmetic on 0x00RRGGBB values; the top byte of the result is 0.
std::uint32_t GrayPixel(std::uint32_t pixel);
std::uint32_t InvertPixel(std::uint32_t pixel);
std::uint32_t DarkenPixel(std::uint32_t pixel, double factor);   // only for 0 <= f < 1
std::uint32_t LightenPixel(std::uint32_t pixel, double factor);  // only for 0 < f <= 1
std::uint32_t MixPixels(std::uint32_t p, double a, std::uint32_t q, double b);

// The noise of the texture fills: a generator of its own with the C library's range
// (0..32767), so that the same fill gives the same picture every time a painter is made.
class NoiseGenerator {
public:
    static constexpr int kMax = 32767;
    explicit NoiseGenerator(std::uint32_t seed = 1) : state_(seed) {}
    int Next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    void Seed(std::uint32_t seed) { state_ = seed; }

private:
    std::uint32_t state_;
};

class CEffectPainter {
public:
    virtual ~CEffectPainter() = default;

    static QSize GetBitmapSize(const QImage& bitmap);
    static QSize GetIconSize(const QImage& icon);
    static QImage ResizeIcon(const QImage& icon, int width, int height);

    void DrawGradient(Dc& dc, const Rect& rect, COLORREF color1, COLORREF color2,
                      bool horizontal);
    void FillEffect(Dc& dc, int effect, const Rect& rect, COLORREF start, COLORREF middle,
                    COLORREF end, int granularity, int blendPercent);
    // Paints one of the texture effects (7-15) into the painter's surface.
    void FillDibEffect(QSize size, int effect, int granularity, int blendPercent, COLORREF start,
                       COLORREF middle, COLORREF end);
    CDibSurface& Surface() { return surface_; }

    void TileBitmap(Dc& dc, int x, int y, int width, int height, const QImage& source,
                    int sourceX, int sourceY, int tileWidth, int tileHeight);
    void DrawFrame(Dc& dc, int left, int top, int right, int bottom, COLORREF first,
                   COLORREF second, int borderStyle, int width);
    void DrawFrameRect(Dc& dc, const Rect& rect, COLORREF first, COLORREF second,
                       int borderStyle, int width);
    void DrawLine(Dc& dc, int x1, int y1, int x2, int y2, COLORREF color, int borderStyle,
                  int width);

    // Mixes `percent` of the source area over the target area (100 and above: a plain copy).
    void BlendBitmap(Dc& dc, int x, int y, int width, int height, const QImage& source,
                     int sourceX, int sourceY, int percent);
    // Mixes the source over the target by each source pixel's own top byte.
    void AlphaBlendBitmap(Dc& dc, int x, int y, int width, int height, const QImage& source,
                          int sourceX, int sourceY);

    // A new 32-bit image with the style applied; see ImageStyle. Sets the alpha flag when a
    // pixel carries a top byte.
    QImage TransformBitmap(const QImage& bitmap, int width, int height, int flags, bool useMask,
                           COLORREF maskColor, COLORREF flatColor);
    // Darkens the target through a mask whose blue byte tells how much stays (255 all).
    void DrawShadow(Dc& dc, int x, int y, int width, int height, const QImage& mask, bool soft,
                    int blurX, int blurY);

    void DrawBitmap(Dc& dc, int x, int y, int width, int height, const QImage& bitmap,
                    bool useMask, COLORREF maskColor, int style, bool shadowed, int shadowDx,
                    int shadowDy, int blurX, int blurY, COLORREF shadowColor);
    void DrawIcon(Dc& dc, int x, int y, int width, int height, const QImage& icon, int style,
                  bool shadowed, int shadowDx, int shadowDy, int blurX, int blurY,
                  COLORREF shadowColor);
    void DrawImageStripFrame(Dc& dc, int x, int y, int width, int height, const QImage& strip,
                             int frameIndex, int frameWidth, int frameHeight, bool useMask,
                             COLORREF maskColor, int style, bool shadowed, int shadowDx,
                             int shadowDy, int blurX, int blurY, COLORREF shadowColor);

    bool AlphaFlag() const { return alpha_; }
    NoiseGenerator& Noise() { return noise_; }

private:
    int Rand() { return noise_.Next(); }
    void DrawImageWithShadow(Dc& dc, int x, int y, const QImage& image, const QImage& andMask,
                             const QImage& shadowMask, bool shadowed, bool softShadow,
                             int shadowDx, int shadowDy, int blurX, int blurY);

    CDibSurface surface_;
    bool alpha_ = false;
    NoiseGenerator noise_;
};

// The area of what a Dc has drawn, as a 32-bit image (top bytes 0); a null image when the Dc
// does not paint on an image. PutDcArea writes such an image back unblended.
QImage GrabDcArea(Dc& dc, const Rect& area);
void PutDcArea(Dc& dc, int x, int y, const QImage& image);
