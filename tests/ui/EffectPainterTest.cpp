// The effect painter and its bitmap surface: pixels of gradients, textures, frames, blends,
// image transforms, shadows and image strips on small surfaces.

#include <gtest/gtest.h>

#include <QImage>

#include "EffectPainter.h"

namespace {

COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

QImage Canvas(int w, int h, QColor color = Qt::white) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

}  // namespace

TEST(DibSurface, StrideAndPaletteFollowTheDepth) {
    CDibSurface s;
    ASSERT_NE(s.Create(10, 10, 8), nullptr);
    EXPECT_EQ(s.GetStride(), 12);
    EXPECT_EQ(s.PaletteEntries(), 256);
    ASSERT_NE(s.Create(10, 10, 1), nullptr);
    EXPECT_EQ(s.GetStride(), 4);
    EXPECT_EQ(s.PaletteEntries(), 2);
    ASSERT_NE(s.Create(3, 2, 24), nullptr);
    EXPECT_EQ(s.GetStride(), 12);
    EXPECT_EQ(s.PaletteEntries(), 0);
    EXPECT_EQ(s.Create(0, 5, 8), nullptr);

    // Rows are kept bottom first; y of SetPixelIndex counts from the top.
    ASSERT_NE(s.Create(4, 3, 8), nullptr);
    s.SetPaletteEntry(7, 10, 20, 30);
    s.SetPaletteEntry(256 + 7, 1, 2, 3);  // only the low byte of the index counts
    s.SetPixelIndex(1, 0, 7);
    s.SetPixelIndex(9, 0, 7);             // outside: ignored
    EXPECT_EQ(s.GetBits()[2 * s.GetStride() + 1], 7);
    EXPECT_EQ(s.ToImage().pixel(1, 0) & 0xFFFFFF, 0x010203u);
    s.BlendPalette(RGB(255, 255, 255), 150);  // above 100 counts as 100
    EXPECT_EQ(s.PaletteEntry(7), 0xFFFFFFu);
}

TEST(EffectPainter, GradientOf32PixelsUsesEveryOtherBand) {
    QImage image = Canvas(32, 4);
    Dc dc(&image);
    CEffectPainter painter;
    painter.DrawGradient(dc, Rect(0, 0, 32, 4), RGB(0, 0, 0), RGB(255, 255, 255), true);
    for (int x = 0; x < 32; ++x) {
        const int k = 2 * x + 1;  // band 2x is empty, band 2x + 1 covers pixel x
        EXPECT_EQ(GetR(At(image, x, 2)), (k * 255) >> 6) << x;
    }
}

TEST(EffectPainter, CentredAndThreeColourGradientsMeetInTheMiddle) {
    QImage image = Canvas(64, 64);
    Dc dc(&image);
    CEffectPainter painter;
    painter.FillEffect(dc, kEffectHCGradient, Rect(0, 0, 64, 64), RGB(0, 0, 0), 0,
                       RGB(252, 252, 252), 0, 0);
    // 32 pixels per half: each edge pixel gets band 1 of 64 (band 0 is empty).
    EXPECT_EQ(At(image, 0, 5), RGB(3, 3, 3));
    EXPECT_EQ(At(image, 63, 5), RGB(3, 3, 3));
    EXPECT_GT(GetR(At(image, 31, 5)), 240);
    painter.FillEffect(dc, kEffect3VGradient, Rect(0, 0, 64, 64), RGB(200, 0, 0),
                       RGB(0, 200, 0), RGB(0, 0, 200), 0, 0);
    EXPECT_EQ(At(image, 5, 0), RGB(196, 3, 0));
    EXPECT_EQ(At(image, 5, 32), RGB(0, 196, 3));
    EXPECT_GT(GetB(At(image, 5, 63)), 190);
    painter.FillEffect(dc, 99, Rect(0, 0, 64, 64), RGB(1, 2, 3), 0, 0, 0, 0);  // unknown: solid
    EXPECT_EQ(At(image, 40, 40), RGB(1, 2, 3));
}

TEST(EffectPainter, TexturesStayInTheirRangeAndRepeat) {
    CEffectPainter painter;
    painter.FillDibEffect(QSize(40, 30), kEffectNoise, 10, 0, 0, 0, 0);
    const CDibSurface& s = painter.Surface();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_GE(s.PixelIndex(x, y), 118);
            ASSERT_LE(s.PixelIndex(x, y), 138);
        }

    // A shade from the end colour at the bottom to the start colour at the top.
    auto shade = [](CEffectPainter& p) {
        QImage image = Canvas(10, 64);
        Dc dc(&image);
        p.FillEffect(dc, kEffectHShade, Rect(0, 0, 10, 64), RGB(255, 0, 0), RGB(128, 0, 128),
                     RGB(0, 0, 255), 0, 0);
        return image;
    };
    CEffectPainter first, second;
    const QImage a = shade(first);
    EXPECT_EQ(a, shade(second));  // the noise is the same for every new painter
    EXPECT_EQ(At(a, 3, 63), RGB(0, 0, 255));
    EXPECT_GT(GetR(At(a, 3, 0)), 240);
    for (int y = 1; y < 64; ++y) EXPECT_GE(GetR(At(a, 3, y - 1)), GetR(At(a, 3, y))) << y;

    // Every texture fills its whole rectangle without touching anything around it.
    for (int effect = kEffectNoise; effect <= kEffectMetal; ++effect) {
        QImage image = Canvas(30, 30, Qt::green);
        Dc dc(&image);
        painter.FillEffect(dc, effect, Rect(5, 5, 25, 25), RGB(10, 20, 30), RGB(40, 50, 60),
                           RGB(70, 80, 90), 5, 10);
        EXPECT_EQ(At(image, 4, 4), RGB(0, 255, 0)) << effect;
        EXPECT_EQ(At(image, 25, 25), RGB(0, 255, 0)) << effect;
        EXPECT_NE(At(image, 15, 15), RGB(0, 255, 0)) << effect;
    }
}

TEST(EffectPainter, FramesAndDoubleLines) {
    QImage image = Canvas(20, 20);
    Dc dc(&image);
    CEffectPainter painter;
    painter.DrawFrame(dc, 2, 2, 12, 12, RGB(255, 0, 0), RGB(0, 0, 255), kBorderSolid, 1);
    EXPECT_EQ(At(image, 2, 7), RGB(255, 0, 0));    // left
    EXPECT_EQ(At(image, 7, 2), RGB(255, 0, 0));    // top
    EXPECT_EQ(At(image, 11, 7), RGB(0, 0, 255));   // right
    EXPECT_EQ(At(image, 7, 11), RGB(0, 0, 255));   // bottom
    EXPECT_EQ(At(image, 7, 7), RGB(255, 255, 255));
    painter.DrawFrame(dc, 0, 0, 20, 20, RGB(0, 0, 0), RGB(0, 0, 0), kBorderNone, 3);
    EXPECT_EQ(At(image, 0, 0), RGB(255, 255, 255));  // style 0 draws nothing

    painter.DrawLine(dc, 0, 15, 10, 15, RGB(0, 128, 0), kBorderDouble, 1);
    EXPECT_EQ(At(image, 5, 15), RGB(0, 128, 0));
    EXPECT_EQ(At(image, 5, 17), RGB(0, 128, 0));   // the second line 2 × width lower
    EXPECT_EQ(At(image, 5, 16), RGB(255, 255, 255));
}

TEST(EffectPainter, BlendsMixTheSourceOverTheTarget) {
    QImage source = Canvas(4, 4, QColor(200, 100, 0));
    for (int percent : {100, 0, 50}) {
        QImage target = Canvas(4, 4, QColor(0, 100, 200));
        Dc dc(&target);
        CEffectPainter painter;
        painter.BlendBitmap(dc, 0, 0, 4, 4, source, 0, 0, percent);
        const COLORREF expected = percent == 100 ? RGB(200, 100, 0)
                                  : percent == 0 ? RGB(0, 100, 200)
                                                 : RGB(100, 100, 100);
        EXPECT_EQ(At(target, 2, 2), expected) << percent;
    }
    QImage alpha(2, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(255, 0, 0, 255));
    alpha.setPixel(1, 0, qRgba(255, 0, 0, 0));
    QImage target = Canvas(2, 1, Qt::white);
    Dc dc(&target);
    CEffectPainter().AlphaBlendBitmap(dc, 0, 0, 2, 1, alpha, 0, 0);
    EXPECT_EQ(At(target, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(target, 1, 0), RGB(255, 255, 255));
}

TEST(EffectPainter, TransformGreysDarkensMasksAndInverts) {
    QImage bitmap(2, 1, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(100, 200, 50));
    bitmap.setPixel(1, 0, qRgb(255, 0, 255));  // the mask colour
    CEffectPainter painter;
    QImage out = painter.TransformBitmap(bitmap, 2, 1, kImageGray | kImageDarken, true,
                                         RGB(255, 0, 255), 0);
    const int grey = static_cast<int>(0.299 * 100 + 0.587 * 200 + 0.114 * 50);
    const int darker = static_cast<int>(grey * 0.75);
    EXPECT_EQ(out.pixel(0, 0), static_cast<QRgb>((darker << 16) | (darker << 8) | darker));
    EXPECT_EQ(out.pixel(1, 0), 0u);
    EXPECT_FALSE(painter.AlphaFlag());
    out = painter.TransformBitmap(bitmap, 2, 1, kImageInvert, true, RGB(255, 0, 255), 0);
    EXPECT_EQ(out.pixel(1, 0), 0x00FFFFFFu);
    QImage withAlpha(1, 1, QImage::Format_ARGB32);
    withAlpha.setPixel(0, 0, qRgba(1, 2, 3, 128));
    out = painter.TransformBitmap(withAlpha, 1, 1, kImageFlat, false, 0, RGB(9, 8, 7));
    EXPECT_TRUE(painter.AlphaFlag());
    EXPECT_EQ(out.pixel(0, 0), 0x80090807u);  // flat colour, alpha kept
}

TEST(EffectPainter, SoftShadowBlurIsMadeOddAndDarkensUnderTheMask) {
    auto shadowed = [](int blur) {
        QImage target = Canvas(30, 30, QColor(200, 200, 200));
        Dc dc(&target);
        QImage mask = Canvas(30, 30, Qt::black);
        CEffectPainter().DrawShadow(dc, 0, 0, 30, 30, mask, true, blur, blur);
        return target;
    };
    const QImage six = shadowed(6);
    EXPECT_EQ(six, shadowed(7));
    EXPECT_EQ(At(six, 15, 15), RGB(0, 0, 0));  // the middle lies wholly under the mask
    EXPECT_GT(GetR(At(six, 0, 0)), 100);       // the corner is mostly outside it
    EXPECT_LT(GetR(At(six, 0, 0)), 200);

    QImage target = Canvas(4, 4, QColor(200, 200, 200));
    Dc dc(&target);
    QImage mask = Canvas(4, 4, QColor(0, 0, 128));
    CEffectPainter().DrawShadow(dc, 0, 0, 4, 4, mask, false, 0, 0);
    EXPECT_EQ(GetR(At(target, 1, 1)), static_cast<int>(200 * (128 / 255.0)));
}

TEST(EffectPainter, BitmapsWithAMaskColourAndImageStripFrames) {
    QImage strip(30, 20, QImage::Format_RGB32);  // 3 × 2 frames of 10 × 10
    strip.fill(qRgb(255, 0, 255));
    for (int frame = 0; frame < 6; ++frame)
        strip.setPixel((frame % 3) * 10 + 5, (frame / 3) * 10 + 5, qRgb(frame * 40, 0, 0));
    CEffectPainter painter;
    for (int index : {5, 6}) {
        QImage target = Canvas(10, 10, Qt::white);
        Dc dc(&target);
        painter.DrawImageStripFrame(dc, 0, 0, 10, 10, strip, index, 10, 10, true,
                                    RGB(255, 0, 255), 0, false, 0, 0, 0, 0, 0);
        EXPECT_EQ(At(target, 0, 0), RGB(255, 255, 255)) << index;  // the mask colour is clear
        EXPECT_EQ(At(target, 5, 5), index == 5 ? RGB(200, 0, 0) : RGB(255, 255, 255)) << index;
    }
    // A shadowed image without a shadow flag is drawn at the shadow's place instead.
    QImage target = Canvas(12, 12, Qt::white);
    Dc dc(&target);
    painter.DrawBitmap(dc, 0, 0, 10, 10, strip.copy(0, 0, 10, 10), true, RGB(255, 0, 255),
                       kImageGray, true, 2, 2, 0, 0, 0);
    EXPECT_EQ(At(target, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(At(target, 7, 7), RGB(0, 0, 0));
}
