#pragma once
// The renderer of the tooltips' markup: a small HTML-like language of text runs and tags
// (bold, italic, fonts, colours, alignment, rules, breaks, tabs, images, links, tables) styled
// by a CSS-like stylesheet. It works in two passes over the same text: MeasureMarkup lays the
// text out and keeps one record per line and per table; DrawMarkup walks the text again, reads
// those records back in the same order and draws, recording the clickable link areas.
//
// The language and its parsers are in MarkupRenderer.cpp, layout and drawing in
// MarkupLayout.cpp. Malformed markup is drawn as well as it can be: every number is held to a
// sane range and nothing is read or written outside a table's grid.

#include <QImage>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "Dc.h"
#include "EffectPainter.h"
#include "MarkupSurface.h"
#include "MarkupTables.h"

struct MarkupStyle {
    QString tagName;
    int fontHeight = 16;
    int fontWeight = 400;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int overline = 0;
    QString faceName = QStringLiteral("Verdana");
    COLORREF textColor = 0;
    COLORREF backColor = 0xFFFFFF;
    COLORREF borderColorLight = 0;
    COLORREF borderColorDark = 0;
    COLORREF backMidColor = 0xFFFFFF;
    COLORREF backEndColor = 0xFFFFFF;
    int backMode = 1;     // 1 transparent, 2 opaque
    int backEffect = -1;  // BackgroundEffect
    QString backImage;
    int align = 0;          // 0 left, 1 center, 2 right, 3 justify
    int verticalAlign = 3;  // 0 top, 1 middle, 2 bottom, 3 baseline
    int borderStyle = 0;
    int borderWidth = 0;
    int width = 0;
    int height = 0;
    int reserved1 = 0;
    int reserved2 = 0;
    int textTransform = 0;  // 0 none, 1 upper, 2 lower, 3 capitalize
    int margin = 2;
    int padding = 0;
    int linkKind = 0;  // 0 none, 1 "href", 2 "msg"
    QString linkTarget;
};

struct MarkupHotArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    int linkKind = 0;
    int linkIndex = 0;
    QString linkTarget;
};

struct MarkupImageAttributes {
    int index = 0, idres = 0, iddll = 0, handle = 0;
    int cx = 0, cy = 0;
    int width = 100, height = 100;
    int speed = 0;
    int style = 0, hotstyle = 0;
    int hasMask = 0;
    int widthIsPercent = 1, heightIsPercent = 1;
    COLORREF maskColor = 0xFF00FF;
    QString file, srcdll;
};

struct MarkupAnimation {
    int frame = 0, frameCount = 0, ticks = 0, speed = 0;
};

struct MarkupLineRecord {
    int width = 0, height = 0, descent = 0, percent = 0, align = 0, breaks = 0, justify = 0;
};

struct MarkupCellRecord {
    int colspan = 0, rowspan = 0;  // -1, -1: covered by a spanning cell
    int contentWidth = 0, contentHeight = 0;
    int cellWidth = 0, cellHeight = 0;
    int fixed = 0;
};

struct MarkupTableLayout {
    std::vector<std::vector<MarkupCellRecord>> rows;
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<int> fixed;
};

struct MarkupCellSpan {
    int columns = 1;
    int rows = 1;
};

class CMarkupRenderer {
public:
    CMarkupRenderer();
    virtual ~CMarkupRenderer() = default;

    // ---- the language (MarkupRenderer.cpp)
    void SetStyleSheet(const QString* text);  // null: the default stylesheet
    void ApplyNamedStyle(const QString& name, MarkupStyle& style) const;
    void ParseStyleDeclarations(const QString& text, MarkupStyle& style) const;
    int ParseLength(const QString& text, int fallback, bool fontSize) const;
    COLORREF ParseColor(const QString& text, COLORREF fallback) const;
    COLORREF LookupColorName(const QString& name, COLORREF fallback) const;
    static int ParseFontStyle(const QString& text, int fallback);
    static int ParseFontWeight(const QString& text, int fallback);
    static int ParseHorizontalAlign(const QString& text, int fallback);
    static int ParseVerticalAlign(const QString& text, int fallback);
    static int ParseTextTransform(const QString& text, int fallback);
    int ParseBorderWidth(const QString& text, int current) const;
    static int ParseBorderStyle(const QString& text, int fallback);
    int ParseBackgroundEffect(const QString& text, int fallback) const;
    static int LookupTag(const QString& name, QString* styleName, bool* closing);
    // Entities to their texts, CR removed, line ends and tabs to "<br>" and "<t>".
    void PreprocessMarkup(QString& text) const;
    MarkupCellSpan ParseTableAttributes(const QString& attributes, MarkupStyle& style,
                                        bool isTable) const;
    void ParseImageAttributes(const QString& attributes, MarkupImageAttributes& image) const;
    // (widest row as a sum of colspans, number of rows)
    static MarkupCellSpan CountTableCells(const QString& tableText);
    // Splits off, from `start` on, the longest piece of `run` that fits `available` pixels and
    // moves `start` past it; see the .cpp.
    QString BreakTextToWidth(const QString& run, qsizetype& start, int available, bool lineStart,
                             int* width, int* height);
    static QString LoadResourceString(int id);
    static QString LoadResourceStringLine(int id, int line);

    // ---- links and animation
    int HitTestHotArea(QPoint point) const;
    void ActivateHotArea(int index);
    void ClickHotArea(QPoint point);
    // True when the point is over a link with a target: the owner shows the pointing hand.
    bool TrackHotArea(QPoint point);
    bool AdvanceAnimations();
    const std::vector<MarkupHotArea>& HotAreas() const { return hotAreas_; }
    int HoveredLink() const { return hoveredLink_; }
    void SetHoveredLink(int index) { hoveredLink_ = index; }
    // Told the new hovered link index (or -2) whenever it changes.
    void SetHoverNotice(std::function<void(int)> notice) { hoverNotice_ = std::move(notice); }
    // Told the target of a "msg" link when it is clicked; none is set in this program.
    void SetLinkOwner(std::function<void(const QString&)> owner) { linkOwner_ = std::move(owner); }
    static bool OpenLinkTarget(const QString& target);

    // ---- layout and drawing (MarkupLayout.cpp)
    QSize MeasureMarkup(MarkupSurface& surface, const QString& text);
    int DrawMarkup(MarkupSurface& surface, const Rect& rect);

    // ---- settings
    void SetMaxWidth(int width) { maxWidth_ = std::max(0, width); }
    int MaxWidth() const { return maxWidth_; }
    void SetColorsEnabled(bool on) { colorsEnabled_ = on; }
    CEffectPainter& EffectPainter() { return painter_; }

    // What the last passes kept, for the owner and for tests.
    const std::vector<MarkupLineRecord>& LineRecords() const { return lines_; }
    const std::vector<MarkupTableLayout>& TableLayouts() const { return tables_; }
    const std::vector<MarkupAnimation>& Animations() const { return animations_; }
    const MarkupStyle& CurrentStyle() const { return style_; }
    const QString& Text() const { return text_; }

protected:
    // Image sources; the program's resources, or a file. Tests may replace them.
    virtual QImage LoadBitmapResource(int id) const;
    virtual QImage LoadIconResource(int id, int width, int height) const;
    static QImage LoadImageFile(const QString& path);

private:
    using Attributes = std::vector<std::pair<QString, QString>>;
    static Attributes ParseAttributes(const QString& text);
    COLORREF Color(COLORREF color) const;
    void ResetStyle(MarkupStyle& style) const;
    int ImageStyleFromLetters(const QString& letters) const;

    // layout
    QSize RenderMarkupSections(Rect rect);
    QSize RenderPlainSection(const QString& text, const Rect& rect);
    QSize RenderTable(const QString& text, const Rect& rect);
    void RenderTableRow(const QString& text, const Rect& inner, MarkupTableLayout& layout,
                        int row, int spacing);
    void RenderTableCell(const QString& text, Rect rect, MarkupCellRecord& record);
    int StartLine(int x);
    void EndLine(int& x, int& y, int count, int& sectionWidth, int justify);
    void RecordHotArea(int left, int top, int right, int bottom);
    bool PushOrRestoreStyle(bool closing);
    void PushLevel(const QString& name);
    void PopLevel(const QString& name);
    void ApplyStyleToDC();
    void ApplyTagEffect(int id, const QString& params);
    int TextOffset(int height);
    int ObjectOffset(int height);
    void PlaceObject(int id, const QString& params, int& x, int& y, int& sectionWidth,
                     COLORREF shadowColor);
    void PlaceImage(int id, const MarkupImageAttributes& image, int& x, int& y,
                    int& sectionWidth, COLORREF shadowColor);
    void DrawBackgroundImage(const Rect& rect, const QString& source);

    // tables of the language
    std::map<QString, COLORREF> colorNames_;
    std::map<QString, QString> styleSheet_;
    QString styleSheetText_;
    COLORREF buttonShadow_;

    // settings
    int maxWidth_ = 0;
    int tabWidth_ = 32;
    int shadowDx_ = 4, shadowDy_ = 4;
    int shadowBlurX_ = 7, shadowBlurY_ = 7;
    int shadowDarkness_ = 50;
    bool softShadows_ = true;
    bool colorsEnabled_ = true;
    bool lineEndsBecomeMarkup_ = true;

    // pass state
    bool measure_ = true;
    MarkupSurface* surface_ = nullptr;
    QString text_;
    MarkupStyle style_;
    std::vector<MarkupStyle> stack_;
    MarkupTextMetrics metrics_;
    Rect section_;
    MarkupLineRecord line_;
    int lineRemaining_ = 0;      // draw pass: width of the line not drawn yet
    int breaksRemaining_ = 0;    // draw pass: spaces of the line not drawn yet
    std::vector<MarkupLineRecord> lines_;
    int lineIndex_ = 0;
    std::vector<MarkupTableLayout> tables_;
    int tableIndex_ = -1;
    int tableDepth_ = 0;
    int linkCounter_ = -1;
    int hoveredLink_ = -2;
    int animationIndex_ = -1;
    std::vector<MarkupHotArea> hotAreas_;
    std::vector<MarkupAnimation> animations_;

    std::function<void(int)> hoverNotice_;
    std::function<void(const QString&)> linkOwner_;
    CEffectPainter painter_;
};

// a × b ÷ c in 64 bits, rounded half away from zero; -1 for c = 0.
int MulDiv(int a, int b, int c);
