// Painting checked pixel by pixel on an image: colour byte order, rectangles that leave out
// their right and bottom edges, lines without their end point, 3-D edges, the line-by-line
// gradient, text placement by flags, and the font faces and sizes the windows ask for.
#include <gtest/gtest.h>

#include <QFile>
#include <QCoreApplication>
#include <QFontInfo>
#include <QTranslator>
#include <QFontMetrics>
#include <QImage>

#include "Dc.h"
#include "Fonts.h"

namespace {

COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

QImage White(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel that is not white (empty when none).
Rect InkBox(const QImage& image) {
    Rect box(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != RGB(255, 255, 255)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

TEST(ColourTest, RedIsTheLowByte) {
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x00332211u);
    EXPECT_EQ(RGB(105, 146, 229), 0xE59269u);  // the bird-count label's blue
    const COLORREF c = RGB(19, 126, 209);
    EXPECT_EQ(GetR(c), 19);
    EXPECT_EQ(GetG(c), 126);
    EXPECT_EQ(GetB(c), 209);
    EXPECT_EQ(ToQColor(c), QColor(19, 126, 209));
    EXPECT_EQ(FromQColor(QColor(19, 126, 209)), c);
}

TEST(DcTest, FilledRectangleLeavesOutItsRightAndBottomEdges) {
    QImage image = White(12, 12);
    {
        Dc dc(&image);
        dc.FillSolidRect(Rect(2, 3, 7, 9), RGB(200, 10, 20));
    }
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 9;
            EXPECT_EQ(At(image, x, y), inside ? RGB(200, 10, 20) : RGB(255, 255, 255))
                << "pixel " << x << "," << y;
        }
    EXPECT_TRUE(Rect(2, 3, 7, 9).Contains(6, 8));
    EXPECT_FALSE(Rect(2, 3, 7, 9).Contains(7, 8));  // a point on the right edge is outside
}

TEST(DcTest, RectangleFramesInsideAndLineStopsBeforeItsEnd) {
    QImage image = White(10, 10);
    {
        Dc dc(&image);
        dc.SetPen(RGB(0, 0, 255));
        dc.SetBrush(RGB(0, 255, 0));
        dc.Rectangle(Rect(1, 1, 6, 5));
        dc.MoveTo(0, 8);
        dc.LineTo(5, 8);
    }
    EXPECT_EQ(At(image, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(At(image, 5, 4), RGB(0, 0, 255));   // frame on the last column and row inside
    EXPECT_EQ(At(image, 6, 4), RGB(255, 255, 255));
    EXPECT_EQ(At(image, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(At(image, 3, 2), RGB(0, 255, 0));
    EXPECT_EQ(At(image, 4, 8), RGB(0, 0, 255));
    EXPECT_EQ(At(image, 5, 8), RGB(255, 255, 255));  // the end point is not drawn
}

TEST(DcTest, GradientStepsLineByLineFromTheNearEnd) {
    QImage image = White(4, 5);
    {
        Dc dc(&image);
        DrawGradientLines(dc, Rect(0, 1, 4, 4), RGB(10, 0, 0), RGB(0, 0, 0), 1);
        DrawGradientLines(dc, Rect(0, 4, 4, 4), RGB(50, 50, 50), RGB(0, 0, 0), 1);  // height 0
    }
    // Rows from the bottom up: 3, 6, 9 (the far end falls one short of A by the truncation).
    EXPECT_EQ(At(image, 0, 3), RGB(3, 0, 0));
    EXPECT_EQ(At(image, 3, 2), RGB(6, 0, 0));
    EXPECT_EQ(At(image, 2, 1), RGB(9, 0, 0));
    EXPECT_EQ(At(image, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(At(image, 0, 4), RGB(255, 255, 255));

    QImage columns = White(4, 2);
    {
        Dc dc(&columns);
        DrawGradientLines(dc, Rect(0, 0, 4, 2), RGB(0, 40, 8), RGB(40, 0, 8), 0);
    }
    EXPECT_EQ(At(columns, 3, 0), RGB(30, 10, 8));  // column nearest the right edge first
    EXPECT_EQ(At(columns, 0, 1), RGB(0, 40, 8));
}

TEST(DcTest, BumpEdgeOnThreeSidesLeavesTheBottomAlone) {
    QImage image = White(10, 10);
    Rect r(1, 1, 9, 9);
    {
        Dc dc(&image);
        dc.DrawEdge(r, EDGE_BUMP, BF_LEFT | BF_TOP | BF_RIGHT | BF_ADJUST);
    }
    EXPECT_EQ(At(image, 1, 5), GetSysColor(SysColor::Light));       // outer, raised
    EXPECT_EQ(At(image, 2, 5), GetSysColor(SysColor::DarkShadow));  // inner, sunken
    EXPECT_EQ(At(image, 8, 5), GetSysColor(SysColor::DarkShadow));
    EXPECT_EQ(At(image, 7, 5), GetSysColor(SysColor::Light));
    EXPECT_EQ(At(image, 5, 8), RGB(255, 255, 255));
    EXPECT_EQ(r, Rect(3, 3, 7, 9));
}

TEST(DcTest, TextIsPlacedByTheLayoutFlags) {
    const QFont font = Font(QStringLiteral("Tahoma"), 14, FW_BOLD);
    QImage centred = White(200, 40);
    {
        Dc dc(&centred);
        dc.SelectFont(font);
        dc.SetBkMode(TRANSPARENT);
        Rect r(0, 0, 200, 40);
        dc.DrawText(QStringLiteral("Lista Gołębi"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    const Rect ink = InkBox(centred);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR(ink.left + ink.right, 200, 4);
    EXPECT_NEAR(ink.top + ink.bottom, 40, 6);

    // Vertical centring needs a single line; with word breaks the text starts at the top.
    QImage top = White(200, 60);
    {
        Dc dc(&top);
        dc.SelectFont(font);
        dc.SetBkMode(TRANSPARENT);
        Rect r(0, 0, 200, 60);
        dc.DrawText(QStringLiteral("Lista"), r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
    }
    EXPECT_LT(InkBox(top).top, 6);
}

TEST(DcTest, MeasuringWrapsWordsWithoutDrawing) {
    QImage image = White(100, 100);
    Dc dc(&image);
    dc.SelectFont(Font(QStringLiteral("Tahoma"), 14));
    const int lineHeight = QFontMetrics(dc.GetFont()).height();
    const QString text = QStringLiteral("Najlepsze pary w gołębniku");
    Rect one(0, 0, 1000, 0);
    EXPECT_EQ(dc.DrawText(text, one, DT_CALCRECT), lineHeight);
    Rect narrow(0, 0, 70, 0);
    const int height = dc.DrawText(text, narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * lineHeight);
    EXPECT_EQ(narrow.bottom, height);
    EXPECT_LE(narrow.Width(), 80);
    Rect breaks(0, 0, 1000, 0);
    EXPECT_EQ(dc.DrawText(QStringLiteral("a\r\nb"), breaks, DT_CALCRECT), 2 * lineHeight);
    dc.Painter().end();
    EXPECT_TRUE(InkBox(image).IsEmpty());
}

TEST(DcTest, TextIsClippedToItsRectangleUnlessToldNotTo) {
    QImage clipped = White(100, 30), free = White(100, 30);
    for (auto [image, flags] : {std::pair{&clipped, DT_SINGLELINE}, {&free, DT_SINGLELINE | DT_NOCLIP}}) {
        Dc dc(image);
        dc.SelectFont(Font(QStringLiteral("Tahoma"), 16));
        dc.SetBkMode(TRANSPARENT);
        Rect r(0, 0, 20, 30);
        dc.DrawText(QStringLiteral("WWWWWW"), r, flags);
    }
    EXPECT_LE(InkBox(clipped).right, 20);
    EXPECT_GT(InkBox(free).right, 20);
}

TEST(FontTest, FacesMapToFreeFacesWithPolishLetters) {
    EXPECT_EQ(MapFontFace(QStringLiteral("Tahoma")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(MapFontFace(QStringLiteral("ms shell dlg")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(MapFontFace(QStringLiteral("Verdana")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(MapFontFace(QStringLiteral("Arial")), QStringLiteral("Arial"));
    // The faces really drawn, in both weights: not a fallback chosen by the system.
    EXPECT_EQ(QFontInfo(Font(QStringLiteral("Tahoma"), 28, FW_BOLD)).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(DialogFont(QStringLiteral("MS Shell Dlg"), 8)).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(Font(QStringLiteral("Verdana"), 16, FW_MEDIUM)).family(),
              QStringLiteral("DejaVu Sans"));
    // A plain Qt font that names the old face resolves the same way (the font configuration
    // the program installs), as pages in the web engine do.
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"))).family(), QStringLiteral("Liberation Sans"));
    // Capital accents fit the character cell: "Ś" has ink inside the line height.
    const QFontMetrics metrics(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    EXPECT_GE(metrics.ascent(), metrics.tightBoundingRect(QStringLiteral("ŚŻŁ")).height() -
                                    metrics.descent());
}

TEST(FontTest, QtsOwnDialogsSpeakPolish) {
    QTranslator* polish = fonts::LoadPolishTranslations(*QCoreApplication::instance());
    ASSERT_NE(polish, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Otwórz"));
    EXPECT_NE(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"),
              QStringLiteral("Print Preview"));
    // The other tests see Qt as it comes.
    QCoreApplication::removeTranslator(polish);
    delete polish;
}

TEST(FontTest, HeightIsTheCharacterCellAndWeightIsKept) {
    const QFont title = Font(QStringLiteral("Tahoma"), 28, FW_BOLD);
    const QFontMetrics metrics(title);
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 28, 1);
    EXPECT_TRUE(QFontInfo(title).bold());
    // Weight 500 draws with the regular face: the same widths as 400, narrower than bold.
    const QString sample = QStringLiteral("Lista Hodowli");
    const int medium = QFontMetrics(Font(QStringLiteral("Tahoma"), 24, FW_MEDIUM)).horizontalAdvance(sample);
    EXPECT_EQ(medium, QFontMetrics(Font(QStringLiteral("Tahoma"), 24, FW_NORMAL)).horizontalAdvance(sample));
    EXPECT_LT(medium, QFontMetrics(Font(QStringLiteral("Tahoma"), 24, FW_BOLD)).horizontalAdvance(sample));
    EXPECT_EQ(Font(QStringLiteral("Tahoma"), -11).pixelSize(), 11);  // negative: character height
    EXPECT_EQ(DialogFont(QStringLiteral("MS Shell Dlg"), 8).pixelSize(), 11);
}

}  // namespace
