// The markup renderer: the parsers (tags, attributes, colours, lengths, entities, styles), the
// layout measured on a surface with fixed glyph advances (line breaking, alignment, tables with
// spans, images, links), drawing on a real surface, and a fuzz run over malformed texts.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <random>

#include "MarkupRenderer.h"
#include "Resources.h"

namespace {

// Every glyph is half the font height wide; ascent three quarters of the height.
class FixedSurface : public MarkupSurface {
public:
    void SelectFont(const MarkupFont& font) override { font_ = font; ++fontsSelected; }
    MarkupTextMetrics Metrics() const override {
        const int ascent = font_.height * 3 / 4;
        return {font_.height, ascent, font_.height - ascent};
    }
    QSize PlainExtent(const QString& text) const override {
        return QSize(static_cast<int>(text.size()) * Advance(), font_.height);
    }
    void DrawPlainText(int x, int y, const QString& text) override {
        drawn.push_back({x, y, text, font_});
    }
    int Advance() const { return std::max(1, font_.height / 2); }

    struct Run { int x, y; QString text; MarkupFont font; };
    std::vector<Run> drawn;
    int fontsSelected = 0;

private:
    MarkupFont font_;
};

// Measures and draws on the fixed surface; the runs drawn are kept.
struct Layout {
    explicit Layout(const QString& text, int maxWidth = 0, int drawWidth = -1) {
        renderer.SetMaxWidth(maxWidth);
        size = renderer.MeasureMarkup(surface, text);
        surface.drawn.clear();
        renderer.DrawMarkup(surface, Rect(0, 0, drawWidth < 0 ? size.width() : drawWidth, size.height()));
    }
    const FixedSurface::Run* Find(const QString& text) const {
        for (const auto& run : surface.drawn) if (run.text == text) return &run;
        return nullptr;
    }
    CMarkupRenderer renderer;
    FixedSurface surface;
    QSize size;
};

constexpr int kBody = 13;     // "body" is 10pt: 10 × 96 / 72
constexpr int kAdvance = 6;   // half of it

}  // namespace

TEST(Markup, ColoursByNameNumberAndHash) {
    CMarkupRenderer r;
    struct Case { const char* text; COLORREF expected; };
    const COLORREF fallback = RGB(1, 2, 3);
    for (const Case& c : {Case{"#ff0000", RGB(255, 0, 0)}, Case{"0xff0000", RGB(0, 0, 255)},
                          Case{"0x0000ff", RGB(255, 0, 0)}, Case{"#f00", fallback},
                          Case{"#gg0000", fallback}, Case{"", fallback},
                          Case{"darkseagreen", 0x8BBC8F}, Case{"gray", RGB(128, 128, 128)},
                          Case{"lightgrey", RGB(211, 211, 211)}, Case{"lightgray", fallback},
                          Case{"Red", fallback}, Case{"255", RGB(255, 0, 0)},
                          Case{"infobackground", RGB(255, 255, 225)},
                          Case{"#AbCdEf", RGB(0xAB, 0xCD, 0xEF)}, Case{"#0x1234", fallback},
                          Case{"# 12345", fallback}, Case{"#+12345", fallback},
                          Case{"#-12345", fallback}, Case{"#1234567", fallback}}) {
        EXPECT_EQ(r.ParseColor(QString::fromLatin1(c.text), fallback), c.expected) << c.text;
    }
    EXPECT_EQ(markup::ColorNames().size(), 168u);
    r.SetColorsEnabled(false);
    EXPECT_EQ(r.ParseColor(QStringLiteral("red"), fallback), GetSysColor(SysColor::ButtonShadow));
}

TEST(Markup, LengthsAndFontSizes) {
    CMarkupRenderer r;
    struct Case { const char* text; int fallback; bool font; int expected; };
    for (const Case& c : {Case{"3", 16, true, 12}, Case{"7", 16, true, 36}, Case{"8", 16, true, 8},
                          Case{"3px", 16, true, 3}, Case{"150%", 16, true, 24},
                          Case{"65%", 16, true, 10}, Case{"-2", 16, true, 10},
                          Case{"+2px", 16, false, 2}, Case{"10pt", 0, false, 13},
                          Case{"1in", 0, false, 96}, Case{"1cm", 0, false, 37},
                          Case{"2pc", 0, false, 32}, Case{"2em", 0, false, 32},
                          Case{"0x10", 0, false, 16}, Case{"010", 0, false, 8},
                          Case{"abc", 5, false, 0}, Case{"", 5, false, 5},
                          Case{"99999999999999px", 0, false, 100000}}) {
        EXPECT_EQ(r.ParseLength(QString::fromLatin1(c.text), c.fallback, c.font), c.expected) << c.text;
    }
}

TEST(Markup, StyleDeclarationsAndTheStylesheet) {
    CMarkupRenderer r;
    MarkupStyle s;
    r.ParseStyleDeclarations(QStringLiteral(
        "FONT-WEIGHT:Bold; font-style : italic;color:#00FF00; text-decoration: underline,overline;"
        "background-color: navy; border-style:dashed; text-align:center; vertical-align:top;"
        "font-family:\"Courier New\"; text-transform:capitalize; margin:5px; unknown:1"), s);
    EXPECT_EQ(s.fontWeight, 700);
    EXPECT_EQ(s.italic, 1);
    EXPECT_EQ(s.textColor, RGB(0, 255, 0));
    EXPECT_EQ(s.underline, 1);
    EXPECT_EQ(s.overline, 1);
    EXPECT_EQ(s.strikeOut, 0);
    EXPECT_EQ(s.backMode, 2);
    EXPECT_EQ(s.backColor, RGB(0, 0, 128));
    EXPECT_EQ(s.borderStyle, 2);
    EXPECT_EQ(s.borderWidth, 1);  // a style without a width gets width 1
    EXPECT_EQ(s.align, 1);
    EXPECT_EQ(s.verticalAlign, 0);
    EXPECT_EQ(s.faceName, QStringLiteral("courier new"));
    EXPECT_EQ(s.textTransform, 3);
    EXPECT_EQ(s.margin, 5);
    r.ParseStyleDeclarations(QStringLiteral("text-decoration:none; border-width:0; font-weight:wide"), s);
    EXPECT_EQ(s.underline + s.overline, 0);
    EXPECT_EQ(s.borderStyle, 0);
    EXPECT_EQ(s.fontWeight, 0);  // an unknown word is read as a number

    MarkupStyle h6;
    r.ApplyNamedStyle(QStringLiteral("H6"), h6);
    EXPECT_EQ(h6.fontHeight, 10);
    EXPECT_EQ(h6.textColor, RGB(0x62, 0x62, 0x62));
    MarkupStyle pre;
    r.ApplyNamedStyle(QStringLiteral("pre"), pre);
    EXPECT_EQ(pre.faceName, QStringLiteral("courier"));
    EXPECT_EQ(pre.backColor, RGB(0xfb, 0xed, 0xbb));
    const QString sheet = QStringLiteral("td {color:red} td {color:blue} broken { em {x:1}");
    r.SetStyleSheet(&sheet);
    MarkupStyle td;
    r.ApplyNamedStyle(QStringLiteral("td"), td);
    EXPECT_EQ(td.textColor, RGB(0, 0, 255));  // the later rule replaces the earlier
}

TEST(Markup, EntitiesAreDecodedInOnePass) {
    CMarkupRenderer r;
    struct Case { const char16_t* in; const char16_t* out; };
    for (const Case& c : {Case{u"&lt;b&gt;", u"<<b>"}, Case{u"&amp;lt;", u"&lt;"},
                          Case{u"&bull;&euro;&trade;", u"\u2022\u20AC\u2122"},
                          Case{u"a\r\nb\tc", u"a<br>b<t>c"}, Case{u"&unknown; &", u"&unknown; &"},
                          Case{u"&nbsp;&quot;&copy;", u" \"\u00A9"}}) {
        QString text = QString::fromUtf16(c.in);
        r.PreprocessMarkup(text);
        EXPECT_EQ(text, QString::fromUtf16(c.out)) << QString::fromUtf16(c.in).toStdString();
    }
}

TEST(Markup, TagsAttributesAndTheStyleStack) {
    QString style;
    bool closing = false;
    EXPECT_EQ(CMarkupRenderer::LookupTag(QStringLiteral("/bottom"), &style, &closing), kTagBottom);
    EXPECT_TRUE(closing);
    EXPECT_EQ(style, QStringLiteral("vcenter"));
    EXPECT_EQ(CMarkupRenderer::LookupTag(QStringLiteral("B"), &style, &closing), kTagNone);
    EXPECT_EQ(markup::Tags().size(), 40u);

    // "<<b>" shows "<b>"; bold doubles the weight up to 900; a non-matching close does nothing.
    Layout l(QStringLiteral("<<b>x<b>y<b>z</b>w</b><i>it</b>still"));
    ASSERT_NE(l.Find(QStringLiteral("<b>x")), nullptr);
    EXPECT_EQ(l.Find(QStringLiteral("y"))->font.weight, 800);
    EXPECT_EQ(l.Find(QStringLiteral("z"))->font.weight, 900);
    EXPECT_EQ(l.Find(QStringLiteral("w"))->font.weight, 800);
    EXPECT_TRUE(l.Find(QStringLiteral("still"))->font.italic);

    Layout f(QStringLiteral("<font face='Arial' size=5 color=red style=\"bi-b\">a</font><unknown>b"));
    EXPECT_EQ(f.Find(QStringLiteral("a"))->font.face, QStringLiteral("Arial"));
    EXPECT_EQ(f.Find(QStringLiteral("a"))->font.height, 18);
    EXPECT_EQ(f.Find(QStringLiteral("a"))->font.weight, 400);  // "-b" cleared it again
    EXPECT_TRUE(f.Find(QStringLiteral("a"))->font.italic);
    EXPECT_EQ(f.Find(QStringLiteral("b"))->font.height, kBody);

    MarkupImageAttributes image;
    CMarkupRenderer r;
    r.ParseImageAttributes(QStringLiteral("idres=185 width=50% height = 20 mask=#ff00ff style=gs"), image);
    EXPECT_EQ(image.idres, 185);
    EXPECT_EQ(image.width, 50);
    EXPECT_EQ(image.widthIsPercent, 1);
    EXPECT_EQ(image.height, 20);
    EXPECT_EQ(image.heightIsPercent, 0);
    EXPECT_EQ(image.hasMask, 1);
    EXPECT_EQ(image.style, kImageGray | kImageSoftShadow);
    EXPECT_EQ(image.hotstyle, image.style);
}

TEST(Markup, TableAttributesLimitBorders) {
    CMarkupRenderer r;
    MarkupStyle table;
    MarkupCellSpan span = r.ParseTableAttributes(
        QStringLiteral("border=3 borderstyle=dashed cellpadding=4 cellspacing=2 bgcolor=red colspan=3"),
        table, true);
    EXPECT_EQ(table.borderWidth, 1);
    EXPECT_EQ(table.borderStyle, 2);
    EXPECT_EQ(table.margin, 4);
    EXPECT_EQ(table.padding, 2);
    EXPECT_EQ(table.backEffect, 0);
    EXPECT_EQ(span.columns, 3);
    MarkupStyle cell;
    r.ParseTableAttributes(QStringLiteral("border=3 bgeffect=vgradient width=50%"), cell, false);
    EXPECT_EQ(cell.borderWidth, 1);
    EXPECT_EQ(cell.backEffect, 2);
    EXPECT_EQ(CMarkupRenderer::CountTableCells(QStringLiteral(
                  "<table><tr><td colspan=2>a</td><td><table><tr><td>x<td>y<td>z</tr></table></td></tr>"
                  "<tr><td>b</td></tr>")).columns, 3);
}

TEST(Markup, PlainTextMeasuresAsItsExtentPlusOne) {
    Layout l(QStringLiteral("Hello world"));
    EXPECT_EQ(l.size, QSize(11 * kAdvance + 1, kBody + 1));
    ASSERT_EQ(l.surface.drawn.size(), 1u);
    EXPECT_EQ(l.surface.drawn[0].font.face, QStringLiteral("verdana"));
    Layout empty(QStringLiteral("<b></b>"));
    EXPECT_EQ(empty.size, QSize(1, 1));
    EXPECT_TRUE(empty.renderer.Text().isEmpty());
}

TEST(Markup, BreaksRulesTabsAndCentring) {
    Layout br(QStringLiteral("a<br=3>b<br><br>c"));
    const auto* a = br.Find(QStringLiteral("a"));
    const auto* b = br.Find(QStringLiteral("b"));
    const auto* c = br.Find(QStringLiteral("c"));
    EXPECT_EQ(b->y - a->y, 3 * kBody);
    EXPECT_EQ(c->y - b->y, 2 * kBody);  // an empty line is one font height

    Layout tab(QStringLiteral("ab<t>c<t=2>d"));
    EXPECT_EQ(tab.Find(QStringLiteral("c"))->x, 32);
    EXPECT_EQ(tab.Find(QStringLiteral("d"))->x, 96);

    Layout centred(QStringLiteral("<center>ab</center><br>abcdefgh"), 0, 200);
    EXPECT_EQ(centred.Find(QStringLiteral("ab"))->x, (200 - 2 * kAdvance) / 2);

    Layout right(QStringLiteral("<right>ab</right>"), 0, 100);
    EXPECT_EQ(right.Find(QStringLiteral("ab"))->x, 100 - 2 * kAdvance);

    // A rule of 50 %: one pixel while measuring, half the section when drawn. Alone on its
    // line it does not widen the section; after text, the line grows by half its width.
    Layout alone(QStringLiteral("abcdefghij<br><hr width=50%>"));
    EXPECT_EQ(alone.size.width(), 10 * kAdvance + 1);
    EXPECT_EQ(alone.renderer.LineRecords()[1].percent, 50);
    EXPECT_EQ(alone.renderer.LineRecords()[1].height, 1 + 8);
    Layout after(QStringLiteral("abcdefghij<hr width=50%>"));
    EXPECT_EQ(after.size.width(), 61 + MulDiv(50, 61, 100) + 1);
}

TEST(Markup, WrappingAndJustifying) {
    // 10 glyphs fit a line of 60 pixels.
    Layout w(QStringLiteral("aaaa bbbb cccc"), 60);
    EXPECT_EQ(w.size.width(), 61);
    ASSERT_NE(w.Find(QStringLiteral("aaaa bbbb")), nullptr);
    EXPECT_EQ(w.Find(QStringLiteral("cccc"))->y, kBody);
    Layout word(QStringLiteral("abcdefghijklmnop"), 60);  // cut between characters
    EXPECT_NE(word.Find(QStringLiteral("abcdefghij")), nullptr);
    EXPECT_NE(word.Find(QStringLiteral("klmnop")), nullptr);
    Layout moved(QStringLiteral("ab <b>cdefghijkl</b>"), 60);  // moves whole to the next line
    EXPECT_EQ(moved.Find(QStringLiteral("cdefghijkl"))->x, 0);
    EXPECT_EQ(moved.Find(QStringLiteral("cdefghijkl"))->y, kBody);

    // A wrapped justified line spreads its free space over its spaces; the last line does not.
    Layout j(QStringLiteral("<justify>aa bb cc dd ee ff</justify>"), 66, 66);
    // "aa bb cc" (48 pixels) gets 18 more over its two spaces, drawn word by word.
    ASSERT_NE(j.Find(QStringLiteral("bb ")), nullptr);
    EXPECT_EQ(j.Find(QStringLiteral("bb "))->x, 3 * kAdvance + 9);
    EXPECT_EQ(j.Find(QStringLiteral("cc"))->x, 6 * kAdvance + 18);
    ASSERT_NE(j.Find(QStringLiteral("dd ee ff")), nullptr);
    EXPECT_EQ(j.Find(QStringLiteral("dd ee ff"))->x, 0);
    EXPECT_EQ(j.renderer.LineRecords()[0].justify, 1);
}

TEST(Markup, TablesShareFreeSpaceAndSpans) {
    // No fixed cell: the table stretches to the rectangle it is drawn into.
    Layout free(QStringLiteral("<table><tr><td>ab</td><td>cd</td></tr></table>"), 0, 200);
    const auto& layout = free.renderer.TableLayouts().at(0);
    EXPECT_EQ(layout.columnWidths[0] + layout.columnWidths[1] + 1, 200);
    EXPECT_EQ(free.Find(QStringLiteral("cd"))->x, layout.columnWidths[0] + 1 + 2);

    // All fixed: placed by its align instead (which its cells inherit).
    Layout fixed(QStringLiteral("<table align=right><tr><td width=20>a</td></tr></table>"), 0, 100);
    EXPECT_EQ(fixed.renderer.TableLayouts().at(0).columnWidths[0], 24);
    EXPECT_EQ(fixed.Find(QStringLiteral("a"))->x, 100 - 2 - kAdvance);
    Layout left(QStringLiteral("<table><tr><td width=20>a</td></tr></table>"), 0, 100);
    EXPECT_EQ(left.Find(QStringLiteral("a"))->x, 2);

    // A cell over two columns wider than both widens each by half the difference, the odd
    // pixel to the second.
    Layout span(QStringLiteral("<table><tr><td width=10>a</td><td width=10>b</td></tr>"
                               "<tr><td colspan=2 width=35>c</td></tr></table>"));
    const auto& s = span.renderer.TableLayouts().at(0);
    EXPECT_EQ(s.columnWidths[0], 14 + (39 - 28) / 2);
    EXPECT_EQ(s.columnWidths[1], 14 + (39 - 28) / 2 + 1);

    // A cell spanning two rows covers only its own column in the row below.
    Layout rows(QStringLiteral("<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td></tr></table>"));
    const auto& r = rows.renderer.TableLayouts().at(0);
    EXPECT_EQ(r.rows[1][0].colspan, -1);
    EXPECT_EQ(r.rows[1][1].colspan, 1);
    EXPECT_GT(rows.Find(QStringLiteral("c"))->x, rows.Find(QStringLiteral("a"))->x);

    // Spans past the grid are held to its edges; extra cells are skipped.
    Layout wild(QStringLiteral("<table><tr><td colspan=0 rowspan=99>a</td><td>b</td></tr>"
                               "<tr><td colspan=500>c</td><td>d</td><td>e</td></tr></table>"));
    const auto& g = wild.renderer.TableLayouts().at(0);
    EXPECT_EQ(g.rows[0][0].rowspan, 2);
    EXPECT_EQ(g.rows[0][0].colspan, 1);
}

TEST(Markup, ATableInsideACellKeepsItsOwnLayout) {
    Layout l(QStringLiteral("<table border=1><tr><td>x</td><td><table border=1><tr><td>in1</td>"
                            "<td>in2</td></tr></table></td></tr><tr><td>y</td><td>z</td></tr></table>"));
    ASSERT_EQ(l.renderer.TableLayouts().size(), 2u);
    const MarkupTableLayout& outer = l.renderer.TableLayouts()[0];
    const MarkupTableLayout& inner = l.renderer.TableLayouts()[1];
    ASSERT_EQ(outer.rowHeights.size(), 2u);
    ASSERT_EQ(outer.columnWidths.size(), 2u);
    ASSERT_EQ(inner.rowHeights.size(), 1u);
    ASSERT_EQ(inner.columnWidths.size(), 2u);
    // The inner cells are each as wide as their text plus padding; the outer cell holds both.
    EXPECT_GE(inner.columnWidths[0], 3 * kAdvance);
    EXPECT_GE(outer.columnWidths[1], inner.columnWidths[0] + inner.columnWidths[1]);
    EXPECT_GE(outer.rowHeights[0], inner.rowHeights[0]);
    EXPECT_GE(outer.rowHeights[1], kBody);

    // Every text is drawn, with room of its own: nothing overlaps.
    std::vector<QRect> boxes;
    for (const char* text : {"x", "in1", "in2", "y", "z"}) {
        const FixedSurface::Run* run = l.Find(QString::fromLatin1(text));
        ASSERT_NE(run, nullptr) << text;
        boxes.emplace_back(run->x, run->y, static_cast<int>(run->text.size()) * kAdvance, kBody);
    }
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_FALSE(boxes[a].intersects(boxes[b])) << a << " and " << b;
    // In their rows and columns: the inner pair beside "x", the second row below the first.
    EXPECT_EQ(boxes[1].y(), boxes[2].y());
    EXPECT_GT(boxes[1].x(), boxes[0].right());
    EXPECT_GT(boxes[3].y(), boxes[1].bottom());
    EXPECT_EQ(boxes[3].y(), boxes[4].y());
    EXPECT_GT(boxes[4].x(), boxes[0].right());
    EXPECT_LE(boxes[2].right(), l.size.width());
    EXPECT_LE(boxes[4].bottom(), l.size.height());
}

TEST(Markup, SizesAreHeldToWhatAScreenCanShow) {
    QString rules, wide, spaced;
    for (int i = 0; i < 5000; ++i) rules += QStringLiteral("<hr>");
    wide = QStringLiteral("<table><tr>");
    for (int i = 0; i < 1000; ++i) wide += QStringLiteral("<td width=99999999>a</td>");
    wide += QStringLiteral("</tr></table>");
    spaced = QStringLiteral("<table cellspacing=99999999 cellpadding=99999999>");
    for (int i = 0; i < 1000; ++i) spaced += QStringLiteral("<tr><td>a</td><td>b</td></tr>");
    spaced = QStringLiteral("<table><tr><td>") + spaced + QStringLiteral("</table></td><td>") +
             spaced + QStringLiteral("</table></td></tr></table>");
    for (const QString& text : {rules, wide, spaced, rules + QStringLiteral("abc<br>") + rules}) {
        Layout l(text);
        EXPECT_GT(l.size.width(), 1);
        EXPECT_LE(l.size.width(), 32768);
        EXPECT_LE(l.size.height(), 32768);
        int widest = 0, tallest = 0;
        for (const MarkupLineRecord& line : l.renderer.LineRecords()) widest = std::max(widest, line.width);
        EXPECT_LE(widest, 32767);
        for (const MarkupTableLayout& table : l.renderer.TableLayouts()) {
            for (const int width : table.columnWidths) widest = std::max(widest, width);
            for (const int height : table.rowHeights) tallest = std::max(tallest, height);
        }
        EXPECT_LE(widest, 65534);
        EXPECT_LE(tallest, 65534);
    }
}

namespace {

// The platform's fonts, counting the characters drawn.
class CountingSurface : public DcMarkupSurface {
public:
    using DcMarkupSurface::DcMarkupSurface;
    void DrawPlainText(int x, int y, const QString& text) override {
        drawn += text.size();
        DcMarkupSurface::DrawPlainText(x, y, text);
    }
    qsizetype drawn = 0;
};

}  // namespace

TEST(Markup, ALongWordWrapsInTimeProportionalToItsLength) {
    // 20,000 characters without a break at 37 pixels: thousands of lines cut between
    // characters. Measuring what is left of the word for every line took seconds.
    const QString word(20000, QLatin1Char('m'));
    QImage image(60, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    Dc dc(&image);
    CountingSurface surface(dc);
    CMarkupRenderer r;
    r.SetMaxWidth(37);
    QElapsedTimer timer;
    timer.start();
    const QSize size = r.MeasureMarkup(surface, word);
    r.DrawMarkup(surface, Rect(0, 0, size.width(), size.height()));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_LE(size.width(), 38);
    EXPECT_GT(r.LineRecords().size(), 1000u);
    for (const MarkupLineRecord& line : r.LineRecords()) ASSERT_LE(line.width, 37);
    EXPECT_EQ(surface.drawn, word.size());  // every character once, none lost at the cuts

    // The same on the fixed surface, with breaks: pieces end after the last break that fits.
    Layout words(QStringLiteral("aa bb-cc,dd ") + QString(50, QLatin1Char('e')), 37);
    EXPECT_NE(words.Find(QStringLiteral("aa bb-")), nullptr);
    EXPECT_NE(words.Find(QStringLiteral("cc,dd")), nullptr);
    EXPECT_NE(words.Find(QStringLiteral("eeeeee")), nullptr);
    qsizetype letters = 0;
    for (const auto& run : words.surface.drawn) letters += run.text.count(QLatin1Char('e'));
    EXPECT_EQ(letters, 50);
}

TEST(Markup, LinksRecordHotAreasEachDraw) {
    CMarkupRenderer r;
    FixedSurface surface;
    const QSize size = r.MeasureMarkup(surface, QStringLiteral("x <a href=\"http://a\">one</a> <a msg=m>two</a>"));
    for (int draw = 0; draw < 2; ++draw) r.DrawMarkup(surface, Rect(0, 0, size.width(), size.height()));
    ASSERT_EQ(r.HotAreas().size(), 2u);  // cleared at each draw, never doubled
    EXPECT_EQ(r.HotAreas()[0].linkIndex, 0);
    EXPECT_EQ(r.HotAreas()[0].linkKind, 1);
    EXPECT_EQ(r.HotAreas()[0].left, 2 * kAdvance);
    EXPECT_EQ(r.HotAreas()[1].linkTarget, QStringLiteral("m"));
    std::vector<int> notices;
    r.SetHoverNotice([&](int index) { notices.push_back(index); });
    EXPECT_TRUE(r.TrackHotArea(QPoint(2 * kAdvance + 1, 2)));
    EXPECT_FALSE(r.TrackHotArea(QPoint(0, 2)));
    EXPECT_EQ(notices, (std::vector<int>{0, -2}));
    // The hovered link takes the "a:hover" rule: underlined.
    r.SetHoveredLink(0);
    surface.drawn.clear();
    r.MeasureMarkup(surface, QStringLiteral("<a href=x>one</a><a href=y>two</a>"));
    r.DrawMarkup(surface, Rect(0, 0, 100, 20));
    EXPECT_TRUE(surface.drawn[0].font.underline);
    EXPECT_FALSE(surface.drawn[1].font.underline);
}

TEST(Markup, ImagesTakeTheirSizeAndShadowRoom) {
    // Bitmap 185 is the strip of 16 × 16 command images.
    const int stripWidth = LoadBitmap(185).width();
    Layout bmp(QStringLiteral("<bmp idres=185 width=50% height=16>x"));
    EXPECT_EQ(bmp.Find(QStringLiteral("x"))->x, MulDiv(stripWidth, 50, 100));
    Layout shadowed(QStringLiteral("<ilst idres=185 cx=16 index=3 style=s>x"));
    EXPECT_EQ(shadowed.Find(QStringLiteral("x"))->x, 16 + 4);
    Layout outside(QStringLiteral("<ilst idres=185 cx=16 index=17>x"));
    EXPECT_EQ(outside.Find(QStringLiteral("x"))->x, 0);
    Layout icon(QStringLiteral("<icon idres=128 width=0 height=0>x"));
    EXPECT_EQ(icon.Find(QStringLiteral("x"))->x, 32);
    EXPECT_EQ(icon.renderer.LineRecords()[0].height, 32 + (kBody - kBody * 3 / 4));
    Layout anim(QStringLiteral("<ilst idres=185 cx=16 index=15 speed=2>"));
    EXPECT_EQ(anim.renderer.Animations().size(), 1u);
}

TEST(Markup, DrawsOnARealSurface) {
    CMarkupRenderer r;
    QImage image(300, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    Dc dc(&image);
    DcMarkupSurface surface(dc);
    const QString text = QStringLiteral(
        "<table bgcolor=#00ff00 border=1><tr><td><font color=red>Żółw</font></td></tr></table>"
        "<hr size=2 color=blue>");
    const QSize size = r.MeasureMarkup(surface, text);
    r.DrawMarkup(surface, Rect(0, 0, size.width(), size.height()));
    EXPECT_EQ(FromQColor(image.pixelColor(2, 2)), RGB(0, 255, 0));
    bool red = false, blue = false;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red |= c.red() > 200 && c.green() < 80 && c.blue() < 80;
            blue |= c == QColor(0, 0, 255);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
}

TEST(Markup, MalformedTextsNeverCrashOrHang) {
    const QStringList pieces = {
        QStringLiteral("<b>"), QStringLiteral("</b>"), QStringLiteral("<table"), QStringLiteral("<table border=99999>"),
        QStringLiteral("</table>"), QStringLiteral("<tr>"), QStringLiteral("</tr>"), QStringLiteral("<td colspan=99999 rowspan=-5>"),
        QStringLiteral("</td>"), QStringLiteral("<br=999999999>"), QStringLiteral("<t=77777>"), QStringLiteral("<hr width=-50%>"),
        QStringLiteral("<font size=99999999>"), QStringLiteral("<font size=-9>"), QStringLiteral("<"), QStringLiteral(">"),
        QStringLiteral("&"), QStringLiteral("&lt;"), QStringLiteral("<<"), QStringLiteral("<a href=x>"), QStringLiteral("</a>"),
        QStringLiteral("<bmp idres=185 width=99999 height=-3>"), QStringLiteral("<ilst idres=185 cx=0 cy=-1 index=-4 speed=1>"),
        QStringLiteral("<icon idres=128 width=500%>"), QStringLiteral("word "), QStringLiteral("longlonglonglongword"),
        QStringLiteral("\n"), QStringLiteral("\t"), QStringLiteral("<span class=cpp-comment>"), QStringLiteral("<justify>"),
        QStringLiteral("<td width=-10 height=99999999>"), QStringLiteral("<table cellspacing=-3 cellpadding=-9>"),
        QStringLiteral("<font style=\"-\">"), QStringLiteral("<hr size=-1>"), QStringLiteral("<string idres=5>"),
        QStringLiteral("<table bgeffect=metal bgcolor=red border=2 borderstyle=double>"),
        QStringLiteral("<td bgeffect=hardbump bgcolor=#123456 valign=middle>"), QStringLiteral("<td bgeffect=99>"),
        QStringLiteral("<bmp idres=185 style=gsdl mask=red hotstyle=s>"), QStringLiteral("<table background=idres:185>"),
        QStringLiteral("<font bkgnd=yellow style=o>")};
    // Deep nesting is cut off instead of running out of stack.
    {
        QString nested;
        for (int i = 0; i < 5000; ++i) nested += QStringLiteral("<table><tr><td>x");
        CMarkupRenderer r;
        FixedSurface surface;
        const QSize size = r.MeasureMarkup(surface, nested);
        EXPECT_GT(size.height(), 1);
        r.DrawMarkup(surface, Rect(0, 0, size.width(), size.height()));
        EXPECT_EQ(r.TableLayouts().size(), 16u);
    }
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            if (random() % 5 == 0) {
                text += QChar(static_cast<char16_t>(random() % 128));
            } else {
                text += pieces[static_cast<int>(random() % pieces.size())];
            }
        }
        for (const int maxWidth : {0, 40}) {
            CMarkupRenderer r;
            r.SetMaxWidth(maxWidth);
            FixedSurface surface;
            const QSize size = r.MeasureMarkup(surface, text);
            ASSERT_GE(size.width(), 0) << text.toStdString();
            r.DrawMarkup(surface, Rect(0, 0, size.width(), std::min(size.height(), 2000)));
            r.DrawMarkup(surface, Rect(0, 0, 13, 7));  // another size than measured
        }
        // Every hundredth text is also painted for real, effects and images included.
        if (round % 100 == 0) {
            QImage image(160, 120, QImage::Format_ARGB32);
            image.fill(Qt::white);
            Dc dc(&image);
            DcMarkupSurface surface(dc);
            CMarkupRenderer r;
            const QSize size = r.MeasureMarkup(surface, text);
            r.DrawMarkup(surface, Rect(0, 0, std::min(size.width(), 4000), std::min(size.height(), 4000)));
        }
    }
}
