// The shared controls and drawing routines: the exact shades the colour routines give, the
// faces the flat button paints in each state, what the picture box shows in each mode, the
// date the calendar popup returns, the painted header, completion in the combo box, and the
// off-screen surface with its guards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "AutoCompleteCombo.h"
#include "BufferedDC.h"
#include "ColorHls.h"
#include "ControlKinds.h"
#include "DateTimePicker.h"
#include "DialogHeader.h"
#include "FlatButton.h"
#include "FolderChooser.h"
#include "PictureBox.h"
#include "Resources.h"
#include "Seams.h"
#include "StandardControls.h"
#include "TransparentStatic.h"

namespace {

using namespace style;

COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

QImage Render(QWidget& widget) { return widget.grab().toImage(); }

bool HasPixel(const QImage& image, const Rect& area, COLORREF color) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(image, x, y) == color) return true;
    return false;
}

// The pixel of the area that differs most from `background`: the full colour of smoothed text.
COLORREF InkFarthestFrom(const QImage& image, const Rect& area, COLORREF background) {
    COLORREF farthest = background;
    int distance = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = At(image, x, y);
            const int d = std::abs(GetR(c) - GetR(background)) +
                          std::abs(GetG(c) - GetG(background)) +
                          std::abs(GetB(c) - GetB(background));
            if (d > distance) {
                distance = d;
                farthest = c;
            }
        }
    return farthest;
}

const COLORREF kFace = GetSysColor(SysColor::ButtonFace);
const COLORREF kHighlight = GetSysColor(SysColor::Highlight);
const COLORREF kWhite = RGB(255, 255, 255);

// ---- colour routines --------------------------------------------------------------------------

TEST(ColorHlsTest, PacksHueLightnessAndSaturationByTruncation) {
    // Pure red's hue is exactly 360 degrees and stays so: it packs as 255, not 0.
    EXPECT_EQ(RgbToHls(RGB(255, 0, 0)), MakeHls(255, 127, 255));
    EXPECT_EQ(RgbToHls(RGB(0, 255, 0)), MakeHls(85, 127, 255));
    EXPECT_EQ(RgbToHls(RGB(0, 0, 255)), MakeHls(170, 127, 255));
    EXPECT_EQ(RgbToHls(RGB(0, 120, 215)), MakeHls(146, 107, 255));
    EXPECT_EQ(RgbToHls(RGB(200, 30, 60)), MakeHls(247, 115, 188));
    // Greys have neither hue nor saturation.
    EXPECT_EQ(RgbToHls(RGB(128, 128, 128)), MakeHls(0, 128, 0));
    EXPECT_EQ(RgbToHls(RGB(255, 255, 255)), MakeHls(0, 255, 0));
}

TEST(ColorHlsTest, ConvertsBackWithTheSameTruncation) {
    // Without saturation the hue does not matter: a grey of the lightness byte.
    EXPECT_EQ(HlsToRgb(MakeHls(0, 200, 0)), RGB(200, 200, 200));
    EXPECT_EQ(HlsToRgb(MakeHls(77, 200, 0)), RGB(200, 200, 200));
    // Round trips lose what the truncations lose.
    EXPECT_EQ(HlsToRgb(RgbToHls(RGB(255, 0, 0))), RGB(254, 0, 0));
    EXPECT_EQ(HlsToRgb(RgbToHls(RGB(0, 120, 215))), RGB(0, 120, 214));
    EXPECT_EQ(HlsToRgb(RgbToHls(RGB(200, 30, 60))), RGB(199, 30, 62));
}

TEST(ColorHlsTest, AdjustsLightnessAndSaturationByPercent) {
    const COLORREF base = RGB(200, 30, 60);
    // 0 leaves a component as it is: only the round trip's truncation shows.
    EXPECT_EQ(AdjustColorHls(base, 0, 0), HlsToRgb(RgbToHls(base)));
    // +100 lightness is full lightness, -100 none at all.
    EXPECT_EQ(HlsLightness(RgbToHls(AdjustColorHls(base, 100, 0))), 255);
    EXPECT_EQ(AdjustColorHls(base, 100, 0), kWhite);
    EXPECT_EQ(AdjustColorHls(base, -100, 0), RGB(0, 0, 0));
    // -100 saturation leaves the grey of the colour's lightness.
    EXPECT_EQ(AdjustColorHls(base, 0, -100), RGB(115, 115, 115));
    // The pressed flat button: half way to white, half the saturation of the highlight.
    EXPECT_EQ(AdjustColorHls(kHighlight, 50, -50), RGB(144, 185, 217));
    // Amounts past ±100 stay at the ends instead of wrapping round to another shade.
    EXPECT_EQ(AdjustColorHls(base, 150, 0), AdjustColorHls(base, 100, 0));
    EXPECT_EQ(AdjustColorHls(base, -150, 0), RGB(0, 0, 0));
}

// ---- off-screen surface and guards ------------------------------------------------------------

TEST(BufferedDcTest, DrawsOnlyInsideItsAreaAndOnlyWhenItEnds) {
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::red);
    {
        Dc dc(&target);
        {
            CBufferedDC buffered(dc, Rect(5, 6, 12, 10));
            buffered.FillSolidRect(Rect(0, 0, 20, 20), RGB(0, 0, 255));
            EXPECT_EQ(At(target, 8, 8), RGB(255, 0, 0));  // nothing reaches the target yet
        }
    }
    EXPECT_EQ(At(target, 5, 6), RGB(0, 0, 255));
    EXPECT_EQ(At(target, 11, 9), RGB(0, 0, 255));
    EXPECT_EQ(At(target, 4, 8), RGB(255, 0, 0));
    EXPECT_EQ(At(target, 12, 8), RGB(255, 0, 0));
    EXPECT_EQ(At(target, 8, 5), RGB(255, 0, 0));
    EXPECT_EQ(At(target, 8, 10), RGB(255, 0, 0));
}

TEST(BufferedDcTest, WithoutAnAreaItCoversTheTargetsClipBox) {
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    Dc dc(&target);
    dc.Painter().setClipRect(QRect(3, 4, 6, 5));
    CBufferedDC buffered(dc);
    EXPECT_EQ(buffered.Area(), Rect(3, 4, 9, 9));
}

TEST(GuardsTest, PutBackWhatTheyReplaced) {
    QImage image(4, 4, QImage::Format_RGB32);
    Dc dc(&image);
    dc.SetPen(RGB(1, 2, 3));
    dc.SetNullBrush();
    dc.SetTextColor(RGB(9, 9, 9));
    const QFont normal = Font(QStringLiteral("Tahoma"), 13, FW_NORMAL);
    dc.SelectFont(normal);
    {
        CScopedStockFont stock(dc, DEFAULT_GUI_FONT, RGB(7, 7, 7));
        CScopedBoldFont bold(dc, true);
        CScopedBoldFont again(dc, true);  // already bold: nothing to replace
        EXPECT_FALSE(again.Replaced());
        CScopedPen pen(dc, RGB(10, 20, 30));
        CScopedBrush brush(dc, RGB(40, 50, 60));
        pen.SetColor(RGB(11, 21, 31));
        brush.SetColor(kNoColor);
        EXPECT_EQ(dc.GetFont().weight(), QFont::Bold);
        EXPECT_EQ(dc.GetTextColor(), RGB(7, 7, 7));
        EXPECT_EQ(dc.GetPenColor(), RGB(11, 21, 31));
        EXPECT_FALSE(dc.GetBrushColor().has_value());
    }
    EXPECT_EQ(dc.GetPenColor(), RGB(1, 2, 3));
    EXPECT_FALSE(dc.GetBrushColor().has_value());
    EXPECT_EQ(dc.GetTextColor(), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetFont(), normal);
}

// ---- flat button ------------------------------------------------------------------------------

class FlatButtonTest : public ::testing::Test {
protected:
    FlatButtonTest() {
        parent_.resize(200, 100);
        button_ = new CFlatButton(QStringLiteral("IIII"), &parent_);
        button_->setGeometry(10, 10, 90, 30);
    }
    void Hover() {
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 10), button_->mapToGlobal(QPointF(20, 10)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button_, &move);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button_, &leave);
    }
    // Frame, fill and whether the text shows in the colour given.
    void ExpectFace(COLORREF frame, COLORREF fill, COLORREF text) {
        const QImage face = Render(*button_);
        EXPECT_EQ(At(face, 0, 0), frame);
        EXPECT_EQ(At(face, 89, 29), frame);
        EXPECT_EQ(At(face, 45, 0), frame);
        EXPECT_EQ(At(face, 3, 3), fill);
        EXPECT_EQ(At(face, 86, 26), fill);
        const COLORREF ink = InkFarthestFrom(face, Rect(20, 5, 70, 25), fill);
        EXPECT_NEAR(GetR(ink), GetR(text), 12);
        EXPECT_NEAR(GetG(ink), GetG(text), 12);
        EXPECT_NEAR(GetB(ink), GetB(text), 12);
    }

    QWidget parent_;
    CFlatButton* button_;
};

TEST_F(FlatButtonTest, PaintsEachStateInItsColours) {
    const COLORREF shadow = GetSysColor(SysColor::ButtonShadow);
    ExpectFace(shadow, kWhite, GetSysColor(SysColor::ButtonText));

    Hover();
    EXPECT_TRUE(button_->IsHot());
    ExpectFace(kHighlight, RGB(202, 223, 240), RGB(0, 0, 0));

    // Pressed: the lighter, paler highlight with light grey text, hot or not.
    button_->setDown(true);
    ExpectFace(kHighlight, RGB(144, 185, 217), RGB(240, 240, 240));
    Leave();
    EXPECT_FALSE(button_->IsHot());
    ExpectFace(kHighlight, RGB(144, 185, 217), RGB(240, 240, 240));
    button_->setDown(false);
    ExpectFace(shadow, kWhite, GetSysColor(SysColor::ButtonText));

    // Disabled wins over hot: white face, shadow frame, grey text.
    Hover();
    button_->setEnabled(false);
    ExpectFace(shadow, kWhite, GetSysColor(SysColor::GrayText));
}

TEST_F(FlatButtonTest, FocusGivesADarkFrameAndAFocusRectangleInside) {
    QImage image(90, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        Dc dc(&image);
        button_->DrawItem(dc, Rect(0, 0, 90, 30), ODS_FOCUS);
    }
    EXPECT_EQ(At(image, 0, 0), GetSysColor(SysColor::DarkShadow));
    EXPECT_EQ(At(image, 1, 1), kWhite);
    EXPECT_EQ(At(image, 2, 2), RGB(0, 0, 0));   // the dotted focus rectangle starts here
    EXPECT_EQ(At(image, 3, 3), kWhite);
}

const DialogTemplate kOwnControls{
    .id = 9401,
    .caption = u"Własne kontrolki",
    .width = 200,
    .height = 120,
    .controls = {
        {.kind = ControlKind::TransparentLabel, .id = 1010, .text = u"&Opis", .rect = {7, 70, 80, 20}},
        {.kind = ControlKind::PictureBox, .id = 1020, .rect = {100, 70, 40, 30}},
        {.kind = ControlKind::FlatButton, .id = IDOK, .text = u"OK", .rect = {90, 100, 50, 14},
         .style = DefaultButton},
        {.kind = ControlKind::FlatButton, .id = IDCANCEL, .text = u"Anuluj", .rect = {145, 100, 50, 14}},
    }};

// A dialog with the painted header, as most of the program's dialogs have.
class HeaderDialog : public Dialog {
public:
    explicit HeaderDialog(const QString& title, int inset, qsizetype ringEnd = -1)
        : Dialog(&kOwnControls), title_(title), inset_(inset), ringEnd_(ringEnd) {}
    void OnEraseBkgnd(Dc& dc) override { PaintDialogHeader(*this, dc, title_, inset_, ringEnd_); }

private:
    QString title_;
    int inset_;
    qsizetype ringEnd_;
};

class OwnControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterProgramControls(); }
};

TEST_F(OwnControlsTest, TemplatesBuildTheProgramsControlsAndTheDefaultButtonHasADarkFrame) {
    HeaderDialog dialog(QStringLiteral("Tytuł"), 40);
    auto* ok = qobject_cast<CFlatButton*>(dialog.Item(IDOK));
    auto* cancel = qobject_cast<CFlatButton*>(dialog.Item(IDCANCEL));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(qobject_cast<CTransparentStatic*>(dialog.Item(1010)), nullptr);
    ASSERT_NE(qobject_cast<CPictureBox*>(dialog.Item(1020)), nullptr);
    EXPECT_EQ(dialog.GetDlgItemText(1010), QStringLiteral("Opis"));

    // The default button keeps its dark frame while another control has the focus.
    EXPECT_TRUE(ok->IsDefaultOfParent());
    EXPECT_FALSE(cancel->IsDefaultOfParent());
    EXPECT_EQ(At(Render(*ok), 0, 0), GetSysColor(SysColor::DarkShadow));
    EXPECT_EQ(At(Render(*cancel), 0, 0), GetSysColor(SysColor::ButtonShadow));
    dialog.SetDefID(IDCANCEL);
    EXPECT_EQ(At(Render(*ok), 0, 0), GetSysColor(SysColor::ButtonShadow));
    EXPECT_EQ(At(Render(*cancel), 0, 0), GetSysColor(SysColor::DarkShadow));
}

// ---- header and transparent label -------------------------------------------------------------

TEST_F(OwnControlsTest, HeaderPaintsTheBandAndAWhiteTitleFromTheInset) {
    const QImage band = LoadBitmap(kHeaderBandBitmap).toImage();
    ASSERT_FALSE(band.isNull());
    HeaderDialog dialog(QStringLiteral("Dodaj nowego gołębia"), 70);
    dialog.ShowItem(1010, false);
    const QImage face = Render(dialog);
    ASSERT_GE(face.height(), 120);

    // Below the band the window is white.
    EXPECT_EQ(At(face, 5, band.height() + 2), kWhite);
    EXPECT_EQ(At(face, face.width() - 1, face.height() - 1), kWhite);
    // Left of the inset, and below the title's 58 pixels, the band shows untouched.
    for (int y = 0; y < band.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (x >= 70 && y < kHeaderTitleBottom) continue;
            ASSERT_EQ(At(face, x, y), At(band, x, y)) << x << "," << y;
        }
    }
    // The title: white ink over the band, on one line centred in the top 58 pixels.
    Rect ink(face.width(), face.height(), 0, 0);
    for (int y = 0; y < kHeaderTitleBottom; ++y)
        for (int x = 70; x < face.width(); ++x)
            if (At(face, x, y) != At(band, x, y)) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(HasPixel(face, ink, kWhite));
    EXPECT_LT(ink.left, 75);
    EXPECT_GT(ink.Width(), 150);
    EXPECT_LT(ink.Height(), 30);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, kHeaderTitleBottom / 2.0, 5.0);
}

TEST_F(OwnControlsTest, TransparentLabelWritesInItsColourOverThePaintedBackground) {
    HeaderDialog dialog(QString(), 40);
    auto* label = qobject_cast<CTransparentStatic*>(dialog.Item(1010));
    ASSERT_NE(label, nullptr);
    label->textColor = 0xE59269;
    label->setFont(Font(QStringLiteral("Tahoma"), 24, FW_BOLD));
    label->setText(QStringLiteral("IIIII"));
    const QImage face = Render(dialog);
    const Rect area = Rect::FromQRect(label->geometry());
    const COLORREF ink = InkFarthestFrom(face, area, kWhite);
    EXPECT_NEAR(GetR(ink), 0x69, 12);
    EXPECT_NEAR(GetG(ink), 0x92, 12);
    EXPECT_NEAR(GetB(ink), 0xE5, 12);
    // No fill of its own: the window's white shows between the letters.
    EXPECT_EQ(At(face, area.right - 2, area.bottom - 2), kWhite);
    EXPECT_FALSE(HasPixel(face, area, kFace));
}

TEST_F(OwnControlsTest, ATitleCutShortKeepsTheEndOfItsRing) {
    // Two birds whose long rings differ only in the last digit: cut at its end, the title of
    // one is the title of the other.
    const QString prefix = QStringLiteral("Edycja gołębia - PL 0457 Kalisz-Ostrów Wlkp. 23 1234");
    const auto face = [&](QChar last, qsizetype ringEnd) {
        HeaderDialog dialog(prefix + last + QStringLiteral(" [Błękitny]"), 70,
                            ringEnd < 0 ? -1 : prefix.size() + 1);
        dialog.ShowItem(1010, false);
        return Render(dialog).copy(0, 0, dialog.width(), kHeaderTitleBottom);
    };
    EXPECT_EQ(face(u'5', -1), face(u'6', -1));  // what the plain cut does to them
    EXPECT_NE(face(u'5', 1), face(u'6', 1));
}

TEST_F(OwnControlsTest, ALongTitleEndsShortOfTheRightEdge) {
    const QImage band = LoadBitmap(kHeaderBandBitmap).toImage();
    HeaderDialog dialog(QStringLiteral("Edycja gołębia - PL 0123 24 33333 [Żaneta Ślusarczyk "
                                       "Wielkopolska z Łęczycy]"),
                        70);
    dialog.ShowItem(1010, false);
    const QImage face = Render(dialog);
    // The last ten columns of the title's band stay the band's own.
    for (int y = 0; y < kHeaderTitleBottom; ++y)
        for (int x = face.width() - 10; x < face.width(); ++x)
            ASSERT_EQ(At(face, x, y), At(band, x, y)) << x << "," << y;
}

TEST_F(OwnControlsTest, ElidedLabelsCutLongTextsWithAnEllipsisAndKeepThemWhole) {
    const QString name = QStringLiteral("PL 0123 24 11111 [Śnieżnobiały Żuraw Łódzki z Łęczycy]");
    CTransparentStatic label(name);
    label.setFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    label.resize(120, QFontMetrics(label.font()).lineSpacing() + 2);
    label.SetElided(true);
    const QFontMetrics metrics(label.font());
    // One line: cut at the width, ending in the ellipsis.
    QString shown = label.ShownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(shown), 120);
    EXPECT_TRUE(name.startsWith(shown.chopped(1)));
    // Wrapping over three lines: whole lines first, the ellipsis on the third and last.
    label.setWordWrap(true);
    label.resize(120, 3 * metrics.lineSpacing() + 2);
    shown = label.ShownText();
    const QStringList lines = shown.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("PL 0123 24")));
    EXPECT_TRUE(lines[2].endsWith(QChar(0x2026)));
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 120);
    // A line break of the text ends its line: the ring stays whole on the first line, the name
    // is cut on the second.
    const QString ringAndName = QStringLiteral("PL 0446 2018 12345\nŚnieżnobiały Żuraw Łódzki");
    label.setText(ringAndName);
    label.resize(metrics.horizontalAdvance(QStringLiteral("PL 0446 2018 12345 ")),
                 2 * metrics.lineSpacing() + 2);
    const QStringList ringLines = label.ShownText().split(QLatin1Char('\n'));
    ASSERT_EQ(ringLines.size(), 2) << label.ShownText().toStdString();
    EXPECT_EQ(ringLines[0], QStringLiteral("PL 0446 2018 12345"));
    EXPECT_TRUE(ringLines[1].startsWith(QStringLiteral("Śnieżno"))) << ringLines[1].toStdString();
    EXPECT_TRUE(ringLines[1].endsWith(QChar(0x2026)));
    // A label that does not wrap cuts each line on its own, and a line below its foot runs on
    // after the last line that fits.
    label.setWordWrap(false);
    label.resize(metrics.horizontalAdvance(QStringLiteral("PL 0446 2018 12345 Śnieżno")),
                 metrics.height() + 2);
    shown = label.ShownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("PL 0446 2018 12345 Śn"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    label.resize(metrics.horizontalAdvance(QStringLiteral("PL 0446 2018")),
                 2 * metrics.lineSpacing() + 2);
    const QStringList cutLines = label.ShownText().split(QLatin1Char('\n'));
    ASSERT_EQ(cutLines.size(), 2) << label.ShownText().toStdString();
    EXPECT_TRUE(cutLines[0].startsWith(QStringLiteral("PL 04")) && cutLines[0].endsWith(QChar(0x2026)));
    EXPECT_TRUE(cutLines[1].startsWith(QStringLiteral("Śn")) && cutLines[1].endsWith(QChar(0x2026)));
    label.setWordWrap(true);
    label.setText(name);
    label.resize(120, 3 * metrics.lineSpacing() + 2);
    // The tooltip holds the whole text, once the label is drawn cut.
    label.show();
    Render(label);
    EXPECT_EQ(label.toolTip(), name);
    // A text that fits is shown whole, and needs no tooltip.
    label.setText(QStringLiteral("PL 24 1"));
    EXPECT_EQ(label.ShownText(), QStringLiteral("PL 24 1"));
    Render(label);
    EXPECT_TRUE(label.toolTip().isEmpty());
}

// A word wider than a wrapping label, in a text that has height enough: the painter would slice
// the word at the label's edge, so it ends in "…" on its own line and the lines around it stay.
TEST_F(OwnControlsTest, AWordWiderThanAWrappingLabelEndsInAnEllipsis) {
    CTransparentStatic label(QStringLiteral("Hodowla Konstantynopolitańczykowska z Łęczycy"));
    label.setFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    label.setWordWrap(true);
    label.SetElided(true);
    const QFontMetrics metrics(label.font());
    const int width = metrics.horizontalAdvance(QStringLiteral("Konstantynopolitańczykowska")) / 2;
    label.resize(width, 5 * metrics.lineSpacing() + 2);
    const QStringList lines = label.ShownText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3) << label.ShownText().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Hodowla"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Kon")) && lines[1].endsWith(QChar(0x2026)))
        << lines[1].toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("z Łęczycy"));
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), width);
}

// Birds whose long rings differ only at their end still differ in a narrow label: the ring keeps
// its end, on its one line or on the last line a wrapping label has room for, and the tooltip
// holds the whole text.
TEST_F(OwnControlsTest, ALabelShowingALongRingKeepsItsEnd) {
    const QString ring = QStringLiteral("PL 0457 Kalisz-Ostrów Wlkp. 23 12345");
    CTransparentStatic label;
    label.setFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    label.SetElided(true, ElidedText::StartsWithRing);
    const QFontMetrics metrics(label.font());
    const int width = metrics.horizontalAdvance(ring) / 2;
    const struct {
        QString text;
        bool wrap;
        int lines;
    } cases[] = {
        {ring + QStringLiteral(" [Błyskawica]"), false, 1},
        {ring + QStringLiteral(" [Błyskawica]"), true, 2},
        {ring + QStringLiteral("\nBłyskawica "), false, 2},  // the ring over the name
    };
    label.show();
    for (const auto& c : cases) {
        label.setText(c.text);
        label.setWordWrap(c.wrap);
        label.resize(width, c.lines * metrics.lineSpacing() + 2);
        Render(label);
        const QString shown = label.ShownText();
        const QStringList lines = shown.split(QLatin1Char('\n'));
        EXPECT_TRUE(shown.startsWith(QStringLiteral("PL 0457"))) << shown.toStdString();
        EXPECT_TRUE(lines[c.wrap ? lines.size() - 1 : 0].endsWith(QStringLiteral("12345")))
            << shown.toStdString();
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
        }
        EXPECT_EQ(label.toolTip(), c.text);
    }
}

// ---- picture box ------------------------------------------------------------------------------

class PictureBoxTest : public ::testing::Test {
protected:
    // An image whose columns have colours of their own: column x is RGB(x * 20, 100, 50).
    QString Columns(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) image.setPixelColor(x, y, QColor(x * 20, 100, 50));
        const QString path = dir_.filePath(QStringLiteral("kolumny%1x%2.png").arg(width).arg(height));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    static COLORREF Column(int x) { return RGB(x * 20, 100, 50); }

    QTemporaryDir dir_;
};

TEST_F(PictureBoxTest, PlacesThePictureByDisplayMode) {
    CPictureBox box;
    box.resize(8, 6);
    EXPECT_EQ(box.displayMode, CPictureBox::kNaturalCentred);
    ASSERT_TRUE(box.LoadFromFile(Columns(4, 2).toStdU16String()));
    EXPECT_FALSE(box.IsTransparent());

    QImage face = Render(box);  // centred: (8/2 - 4/2, 6/2 - 2/2)
    EXPECT_EQ(At(face, 2, 2), Column(0));
    EXPECT_EQ(At(face, 5, 3), Column(3));
    EXPECT_EQ(At(face, 1, 2), kFace);
    EXPECT_EQ(At(face, 6, 3), kFace);
    EXPECT_EQ(At(face, 3, 1), kFace);
    EXPECT_EQ(At(face, 3, 4), kFace);

    box.displayMode = CPictureBox::kNaturalTopLeft;
    face = Render(box);
    EXPECT_EQ(At(face, 0, 0), Column(0));
    EXPECT_EQ(At(face, 3, 1), Column(3));
    EXPECT_EQ(At(face, 4, 0), kFace);
    EXPECT_EQ(At(face, 0, 2), kFace);

    // Stretched: no face colour is left anywhere.
    QImage green(2, 2, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    box.SetBitmap(QPixmap::fromImage(green));
    box.displayMode = CPictureBox::kStretched;
    face = Render(box);
    EXPECT_EQ(At(face, 0, 0), RGB(0, 200, 0));
    EXPECT_EQ(At(face, 7, 5), RGB(0, 200, 0));
    EXPECT_EQ(At(face, 4, 3), RGB(0, 200, 0));

    box.displayMode = 7;  // no such mode: only the face
    face = Render(box);
    EXPECT_EQ(At(face, 4, 3), kFace);
}

TEST_F(PictureBoxTest, CentredPictureWiderThanTheBoxShowsItsMiddle) {
    CPictureBox box;
    box.resize(6, 6);
    ASSERT_TRUE(box.LoadFromFile(Columns(10, 2)));
    const QImage face = Render(box);  // x = 3 - 5 = -2, y = 3 - 1 = 2
    EXPECT_EQ(At(face, 0, 2), Column(2));
    EXPECT_EQ(At(face, 5, 3), Column(7));
    EXPECT_EQ(At(face, 0, 1), kFace);
}

TEST_F(PictureBoxTest, AFileThatIsNoPictureLeavesOnlyTheFace) {
    CPictureBox box;
    box.resize(6, 6);
    box.displayMode = CPictureBox::kStretched;
    ASSERT_TRUE(box.LoadFromFile(Columns(2, 2)));
    const QString bad = dir_.filePath(QStringLiteral("zdjęcie.jpg"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("to nie jest zdjęcie");
    file.close();

    EXPECT_FALSE(box.LoadFromFile(bad));  // the earlier picture is gone too
    EXPECT_FALSE(box.HasImage());
    EXPECT_TRUE(box.IsTransparent());
    EXPECT_FALSE(box.LoadFromFile(dir_.filePath(QStringLiteral("brak.png"))));
    const QImage face = Render(box);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(At(face, x, y), kFace);
}

// ---- calendar popup ---------------------------------------------------------------------------

class DatePickerTest : public ::testing::Test {
protected:
    void SetUp() override { seams::Reset(); }
    void TearDown() override { seams::Reset(); }

    // Runs the popup as its callers do, picking `day` and pressing `button`.
    static int Pick(CDateTimePicker& picker, QDate day, int button) {
        seams::QueueModalHandler([day, button](Dialog& d) {
            d.Calendar(IDC_DATE_POPUP_CALENDAR)->setSelectedDate(day);
            d.Button(button)->click();
            return 0;
        });
        return picker.DoModal();
    }
};

TEST_F(DatePickerTest, OkReturnsTheDayAtOneMinutePastOneLocalTime) {
    CDateTimePicker winter;
    EXPECT_EQ(winter.Calendar(IDC_DATE_POPUP_CALENDAR)->selectedDate(), QDate::currentDate());
    EXPECT_EQ(Pick(winter, QDate(2009, 3, 5), IDOK), IDOK);
    EXPECT_EQ(winter.chosenTime, 1236211261);  // 2009-03-05 01:01:01 CET
    const auto day = winter.ChosenDate();
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(day->day, 5);
    EXPECT_EQ(day->month, 3);
    EXPECT_EQ(day->year, 2009);

    CDateTimePicker summer;
    EXPECT_EQ(Pick(summer, QDate(2009, 7, 15), IDOK), IDOK);
    EXPECT_EQ(summer.chosenTime, 1247612461);  // 2009-07-15 01:01:01 CEST
    EXPECT_EQ(summer.ChosenDate()->day, 15);

    // The first day a stored date can have.
    CDateTimePicker first;
    EXPECT_EQ(Pick(first, QDate(1970, 1, 1), IDOK), IDOK);
    EXPECT_EQ(first.chosenTime, 61);
}

TEST_F(DatePickerTest, WeekdayHeadingsAreWholeTwoLetterNamesFromMonday) {
    CDateTimePicker picker;
    picker.show();
    QWidget* headings = picker.Calendar(IDC_DATE_POPUP_CALENDAR)
                            ->findChild<QWidget*>(QStringLiteral("weekdayHeadings"));
    ASSERT_NE(headings, nullptr);
    QStringList names;
    for (QLabel* label : headings->findChildren<QLabel*>()) {
        names << label->text();
        // Each name fits its column.
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    }
    EXPECT_EQ(names, (QStringList{"Pn", "Wt", "Śr", "Cz", "Pt", "So", "Nd"}));
}

TEST_F(DatePickerTest, CancelReturnsNothingAndDaysBefore1970CannotBeChosen) {
    CDateTimePicker cancelled;
    EXPECT_EQ(Pick(cancelled, QDate(2009, 3, 5), IDCANCEL), IDCANCEL);
    EXPECT_EQ(cancelled.chosenTime, 0);
    EXPECT_FALSE(cancelled.ChosenDate().has_value());

    CDateTimePicker early;
    EXPECT_EQ(Pick(early, QDate(1969, 12, 31), IDOK), IDOK);
    EXPECT_GT(early.chosenTime, 0);
}

// The popup names the program, and offers no day past the last year a date may have.
TEST_F(DatePickerTest, PopupIsTitledWithTheProgramAndEndsWithTheLastStorableYear) {
    CDateTimePicker picker;
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Ornivex 6"));
    EXPECT_EQ(picker.Calendar(IDC_DATE_POPUP_CALENDAR)->maximumDate(), QDate(kLastDateYear, 12, 31));
    EXPECT_EQ(Pick(picker, QDate(kLastDateYear, 12, 31), IDOK), IDOK);
    const auto day = picker.ChosenDate();
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(day->year, kLastDateYear);
}

// ---- completing combo box ---------------------------------------------------------------------

// Keys reach the field through the combo box, which holds the focus in a window, or straight.
class CompletingComboTest : public ::testing::TestWithParam<bool> {};

TEST_P(CompletingComboTest, CompletesTypedTextAndNeverRecompletesDeletions) {
    CAutoCompleteCombo combo;
    for (const char* text : {"Alfa", "Beta", "Bravo"}) combo.AddString(QString::fromUtf8(text));
    QStringList seenByOwner;
    QObject::connect(&combo, &ComboBox::EditChange,
                     [&] { seenByOwner << combo.lineEdit()->text(); });
    QLineEdit* edit = combo.lineEdit();
    QWidget* keys = GetParam() ? static_cast<QWidget*>(&combo) : edit;

    // The first entry that begins with the letter, all but the typed letter selected.
    QTest::keyClick(keys, Qt::Key_B);
    EXPECT_EQ(edit->text(), QStringLiteral("Beta"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("eta"));
    EXPECT_EQ(combo.GetCurSel(), 1);
    // The next letter replaces the completed tail.
    QTest::keyClick(keys, Qt::Key_R);
    EXPECT_EQ(edit->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("avo"));
    // Backspace removes the tail and nothing comes back.
    QTest::keyClick(keys, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("Br"));
    EXPECT_FALSE(combo.CompletionEnabled());
    // A letter that no entry goes on with stays as typed, the caret after it.
    QTest::keyClick(keys, Qt::Key_X);
    EXPECT_TRUE(combo.CompletionEnabled());
    EXPECT_EQ(edit->text(), QStringLiteral("Brx"));
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), 3);

    // The owner hears of each change with the completed text.
    EXPECT_EQ(seenByOwner,
              (QStringList{QStringLiteral("Beta"), QStringLiteral("Bravo"), QStringLiteral("Br"),
                           QStringLiteral("Brx")}));
}

INSTANTIATE_TEST_SUITE_P(KeysThroughTheComboOrTheField, CompletingComboTest, ::testing::Bool());

// ---- folder chooser ---------------------------------------------------------------------------

TEST(FolderChooserTest, GivesTheChosenFolderAndLeavesTheTextAloneOnCancel) {
    seams::Reset();
    seams::ScriptPaths({QStringLiteral("/home/hodowca/Kopie zapasowe"), QString()});
    std::u16string folder = u"poprzedni";
    EXPECT_TRUE(BrowseForFolder(folder, u"Wybierz folder kopii"));
    EXPECT_EQ(folder, u"/home/hodowca/Kopie zapasowe");
    folder = u"poprzedni";
    EXPECT_FALSE(BrowseForFolder(folder, u"Wybierz folder kopii"));
    EXPECT_EQ(folder, u"poprzedni");
    seams::Reset();
}

}  // namespace
