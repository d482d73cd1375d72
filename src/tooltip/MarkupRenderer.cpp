#include "MarkupRenderer.h"

#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "Resources.h"
#include "Shell.h"

namespace {

// Every length the markup can give is held within this range, so that sizes, loops and
// allocations stay bounded whatever the text says.
constexpr long long kLengthLimit = 100000;

int Clamp(long long v) {
    return static_cast<int>(std::clamp(v, -kLengthLimit, kLengthLimit));
}

bool IsNameStart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('.'); }

// The longest prefix of `text` read as an unsigned number in C notation (decimal, "0x"
// hexadecimal, a leading "0" octal); 0 when there is none.
long long ParseCNumber(const QString& text) {
    qsizetype i = 0;
    int base = 10;
    if (text.size() >= 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        base = 16;
        i = 2;
    } else if (!text.isEmpty() && text[0] == QLatin1Char('0')) {
        base = 8;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        const int digit = text[i].isDigit() ? text[i].digitValue()
                          : (base == 16 && text[i].toLower() >= QLatin1Char('a') &&
                             text[i].toLower() <= QLatin1Char('f'))
                              ? text[i].toLower().unicode() - 'a' + 10
                              : -1;
        if (digit < 0 || digit >= base) break;
        value = std::min(value * base + digit, 0xFFFFFFFFLL);
    }
    return value;
}

// The decimal prefix of a text (with its sign); 0 when there is none.
long long DecimalPrefix(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i].isDigit(); ++i)
        value = std::min(value * 10 + text[i].digitValue(), kLengthLimit * 10);
    return negative ? -value : value;
}

}  // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    long long q = product / c;
    const long long r = product % c;
    if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c))) q += ((product < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(std::clamp(q, static_cast<long long>(INT32_MIN), static_cast<long long>(INT32_MAX)));
}

// ---- construction and the stylesheet ----------------------------------------------------------

CMarkupRenderer::CMarkupRenderer() : buttonShadow_(GetSysColor(SysColor::ButtonShadow)) {
    for (const auto& [name, color] : markup::ColorNames()) colorNames_[name] = color;
    SetStyleSheet(nullptr);
}

void CMarkupRenderer::SetStyleSheet(const QString* text) {
    styleSheet_.clear();
    styleSheetText_ = text ? *text : markup::DefaultStyleSheet();
    const QString& s = styleSheetText_;
    qsizetype i = 0;
    while (i < s.size()) {
        while (i < s.size() && !IsNameStart(s[i])) ++i;
        if (i >= s.size()) break;
        const qsizetype start = i;
        while (i < s.size() && s[i] != QLatin1Char(' ') && s[i] != QLatin1Char('{')) ++i;
        const QString selector = s.mid(start, i - start).toLower();
        const qsizetype open = s.indexOf(QLatin1Char('{'), i);
        if (open < 0) break;
        const qsizetype close = s.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) break;
        styleSheet_[selector] = s.mid(open + 1, close - open - 1);
        i = close + 1;
    }
}

void CMarkupRenderer::ApplyNamedStyle(const QString& name, MarkupStyle& style) const {
    const auto it = styleSheet_.find(name.toLower());
    if (it != styleSheet_.end()) ParseStyleDeclarations(it->second, style);
}

COLORREF CMarkupRenderer::Color(COLORREF color) const {
    return colorsEnabled_ ? color : buttonShadow_;
}

void CMarkupRenderer::ResetStyle(MarkupStyle& style) const {
    const MarkupStyle fresh;
    const int width = style.width, height = style.height;
    const int r1 = style.reserved1, r2 = style.reserved2;
    style = fresh;
    style.width = width;
    style.height = height;
    style.reserved1 = r1;
    style.reserved2 = r2;
}

void CMarkupRenderer::ParseStyleDeclarations(const QString& rawText, MarkupStyle& style) const {
    const QString text = rawText.toLower();
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsNameStart(text[i])) ++i;
        if (i >= text.size()) break;
        const qsizetype start = i;
        while (i < text.size() && text[i] != QLatin1Char(' ') && text[i] != QLatin1Char(':')) ++i;
        const QString property = text.mid(start, i - start);
        while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
        if (i >= text.size() || text[i] != QLatin1Char(':')) continue;
        ++i;
        while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char(';'))) ++i;
        QString value;
        if (i < text.size() && text[i] == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
            value = text.mid(i + 1, (end < 0 ? text.size() : end) - i - 1);
            i = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            value = text.mid(i, (end < 0 ? text.size() : end) - i).trimmed();
            i = end < 0 ? text.size() : end + 1;
        }

        if (property == QLatin1String("font-size")) {
            style.fontHeight = ParseLength(value, style.fontHeight, true);
        } else if (property == QLatin1String("font-family")) {
            if (!value.isEmpty()) style.faceName = value;
        } else if (property == QLatin1String("font-style")) {
            style.italic = ParseFontStyle(value, style.italic);
        } else if (property == QLatin1String("font-weight")) {
            style.fontWeight = ParseFontWeight(value, style.fontWeight);
        } else if (property == QLatin1String("text-align")) {
            style.align = ParseHorizontalAlign(value, style.align);
        } else if (property == QLatin1String("text-transform")) {
            style.textTransform = ParseTextTransform(value, style.textTransform);
        } else if (property == QLatin1String("color")) {
            style.textColor = ParseColor(value, style.textColor);
        } else if (property == QLatin1String("background-color")) {
            if (value == QLatin1String("transparent") || !colorsEnabled_) {
                style.backMode = 1;
            } else {
                style.backMode = 2;
                style.backColor = ParseColor(value, style.backColor);
            }
        } else if (property == QLatin1String("text-decoration")) {
            const QStringList words = value.split(QRegularExpression(QStringLiteral("[ ,]")),
                                                  Qt::SkipEmptyParts);
            if (words.isEmpty()) style.underline = style.strikeOut = style.overline = 0;
            for (const QString& word : words) {
                if (word == QLatin1String("none")) style.underline = style.strikeOut = style.overline = 0;
                else if (word == QLatin1String("underline")) style.underline = 1;
                else if (word == QLatin1String("line-through")) style.strikeOut = 1;
                else if (word == QLatin1String("overline")) style.overline = 1;
            }
        } else if (property == QLatin1String("vertical-align")) {
            style.verticalAlign = ParseVerticalAlign(value, style.verticalAlign);
        } else if (property == QLatin1String("border-color")) {
            style.borderColorLight = style.borderColorDark = ParseColor(value, style.borderColorLight);
        } else if (property == QLatin1String("border-width") || property == QLatin1String("size")) {
            style.borderWidth = ParseBorderWidth(value, style.borderWidth);
            if (style.borderWidth == 0) style.borderStyle = 0;
            else if (style.borderStyle == 0) style.borderStyle = 1;
        } else if (property == QLatin1String("border-style")) {
            style.borderStyle = ParseBorderStyle(value, style.borderStyle);
            if (style.borderStyle != 0 && style.borderWidth == 0) style.borderWidth = 1;
        } else if (property == QLatin1String("margin")) {
            style.margin = ParseLength(value, style.margin, false);
        } else if (property == QLatin1String("padding")) {
            style.padding = ParseLength(value, style.padding, false);
        }
    }
}

// ---- values -----------------------------------------------------------------------------------

int CMarkupRenderer::ParseLength(const QString& rawText, int fallback, bool fontSize) const {
    QString text = rawText.trimmed();
    if (text.isEmpty()) return fallback;
    if (text.endsWith(QLatin1Char('%'))) {
        return Clamp(MulDiv(fallback, Clamp(DecimalPrefix(text.chopped(1))), 100));
    }
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) text.remove(0, 1);
    const long long number = DecimalPrefix(text);
    const QString unit = text.size() >= 2 ? text.right(2) : QString();
    const int fontHeight = surface_ ? metrics_.height : style_.fontHeight;
    const int dpi = surface_ ? surface_->PixelsPerInchY() : 96;
    if (unit == QLatin1String("px")) return Clamp(number);
    if (unit == QLatin1String("ex")) {
        const int x = surface_ ? surface_->PlainExtent(QStringLiteral("x")).height() : fontHeight;
        return Clamp(number * x);
    }
    if (unit == QLatin1String("em")) return Clamp(number * fontHeight);
    if (unit == QLatin1String("in")) return Clamp(number * dpi);
    if (unit == QLatin1String("cm")) return Clamp(static_cast<long long>(number * dpi * 0.39370078740157477));
    if (unit == QLatin1String("mm")) return Clamp(static_cast<long long>(number * dpi * 0.03937007874015748));
    if (unit == QLatin1String("pt")) return Clamp(number * dpi / 72);
    if (unit == QLatin1String("pc")) return Clamp(number * dpi / 6);
    const long long value = ParseCNumber(text);
    if (fontSize && value >= 1 && value <= 7) {
        static constexpr int kSizes[] = {8, 10, 12, 14, 18, 24, 36};
        return kSizes[value - 1];
    }
    return Clamp(value);
}

COLORREF CMarkupRenderer::ParseColor(const QString& rawText, COLORREF fallback) const {
    const QString text = rawText.trimmed();
    if (text.isEmpty()) return fallback;
    if (!colorsEnabled_) return buttonShadow_;
    if (text.startsWith(QLatin1Char('#'))) {
        // Exactly six hexadecimal digits: no sign, space or "0x" that a number parser would
        // let through.
        if (text.size() != 7) return fallback;
        unsigned rgb = 0;
        for (qsizetype i = 1; i < 7; ++i) {
            const char16_t c = text[i].unicode();
            const int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                              : c >= u'a' && c <= u'f' ? c - u'a' + 10
                              : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                       : -1;
            if (digit < 0) return fallback;
            rgb = rgb * 16 + static_cast<unsigned>(digit);
        }
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    if (text[0].isDigit()) return static_cast<COLORREF>(ParseCNumber(text)) & 0x00FFFFFF;
    return LookupColorName(text, fallback);
}

COLORREF CMarkupRenderer::LookupColorName(const QString& name, COLORREF fallback) const {
    const auto it = colorNames_.find(name);
    if (it == colorNames_.end()) return fallback;
    return Color(it->second);
}

int CMarkupRenderer::ParseFontStyle(const QString& t, int fallback) {
    if (t.isEmpty() || t == QLatin1String("normal")) return 0;
    if (t == QLatin1String("italic") || t == QLatin1String("oblique")) return 1;
    return fallback;
}

int CMarkupRenderer::ParseFontWeight(const QString& t, int fallback) {
    Q_UNUSED(fallback);
    if (t.isEmpty() || t == QLatin1String("normal")) return 400;
    if (t == QLatin1String("bold")) return 700;
    if (t == QLatin1String("bolder")) return 900;
    if (t == QLatin1String("lighter")) return 100;
    return Clamp(DecimalPrefix(t));
}

int CMarkupRenderer::ParseHorizontalAlign(const QString& t, int fallback) {
    if (t.isEmpty() || t == QLatin1String("left")) return 0;
    if (t == QLatin1String("center")) return 1;
    if (t == QLatin1String("right")) return 2;
    return fallback;
}

int CMarkupRenderer::ParseVerticalAlign(const QString& t, int fallback) {
    if (t.isEmpty() || t == QLatin1String("baseline")) return 3;
    if (t == QLatin1String("middle") || t == QLatin1String("vcenter")) return 1;
    if (t == QLatin1String("top")) return 0;
    if (t == QLatin1String("bottom")) return 2;
    return fallback;
}

int CMarkupRenderer::ParseTextTransform(const QString& t, int fallback) {
    if (t.isEmpty() || t == QLatin1String("none")) return 0;
    if (t == QLatin1String("uppercase")) return 1;
    if (t == QLatin1String("lowercase")) return 2;
    if (t == QLatin1String("capitalize")) return 3;
    return fallback;
}

int CMarkupRenderer::ParseBorderWidth(const QString& t, int current) const {
    if (t == QLatin1String("thin")) return current * 75 / 100;
    if (t == QLatin1String("thick")) return current * 125 / 100;
    if (t == QLatin1String("medium")) return current;
    return ParseLength(t, current, false);
}

int CMarkupRenderer::ParseBorderStyle(const QString& t, int fallback) {
    if (t.isEmpty() || t == QLatin1String("none")) return 0;
    if (t == QLatin1String("solid")) return 1;
    if (t == QLatin1String("dotted")) return 3;
    if (t == QLatin1String("dashed")) return 2;
    if (t == QLatin1String("double")) return 6;
    return fallback;
}

int CMarkupRenderer::ParseBackgroundEffect(const QString& t, int fallback) const {
    if (t.isEmpty()) return fallback;
    const auto& names = markup::EffectNames();
    const auto it = names.find(t);
    if (it != names.end()) return it->second;
    return ParseLength(t, fallback, false);
}

int CMarkupRenderer::LookupTag(const QString& rawName, QString* styleName, bool* closing) {
    QString name = rawName;
    const bool isClosing = name.startsWith(QLatin1Char('/'));
    if (isClosing) name.remove(0, 1);
    if (closing) *closing = isClosing;
    const auto& tags = markup::Tags();
    const auto it = tags.find(name);
    if (it == tags.end()) {
        if (styleName) styleName->clear();
        return kTagNone;
    }
    if (styleName) *styleName = it->second.styleName;
    return it->second.id;
}

void CMarkupRenderer::PreprocessMarkup(QString& text) const {
    // One pass from left to right: a decoded "&amp;" never starts another entity.
    QString out;
    out.reserve(text.size());
    const auto& entities = markup::Entities();
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == QLatin1Char('&')) {
            bool replaced = false;
            for (const auto& [entity, replacement] : entities) {
                if (QStringView(text).mid(i).startsWith(entity)) {
                    out += replacement;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
            if (replaced) continue;
        }
        const QChar c = text[i++];
        if (c == QLatin1Char('\r')) continue;
        if (c == QLatin1Char('\n')) {
            if (lineEndsBecomeMarkup_) out += QStringLiteral("<br>");
            continue;
        }
        if (c == QLatin1Char('\t')) {
            if (lineEndsBecomeMarkup_) out += QStringLiteral("<t>");
            continue;
        }
        out += c;
    }
    text = out;
}

CMarkupRenderer::Attributes CMarkupRenderer::ParseAttributes(const QString& text) {
    Attributes attributes;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsNameStart(text[i])) ++i;
        if (i >= text.size()) break;
        const qsizetype start = i;
        while (i < text.size() && text[i] != QLatin1Char(' ') && text[i] != QLatin1Char('=')) ++i;
        const QString name = text.mid(start, i - start);
        while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
        QString value;
        if (i < text.size() && text[i] == QLatin1Char('=')) {
            while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('='))) ++i;
            if (i < text.size() && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
                const QChar quote = text[i];
                const qsizetype end = text.indexOf(quote, i + 1);
                value = text.mid(i + 1, (end < 0 ? text.size() : end) - i - 1);
                i = end < 0 ? text.size() : end + 1;
            } else {
                const qsizetype end = text.indexOf(QLatin1Char(' '), i);
                value = text.mid(i, (end < 0 ? text.size() : end) - i);
                i = end < 0 ? text.size() : end;
            }
        }
        attributes.emplace_back(name, value);
    }
    return attributes;
}

MarkupCellSpan CMarkupRenderer::ParseTableAttributes(const QString& text, MarkupStyle& style,
                                                     bool isTable) const {
    MarkupCellSpan span;
    for (const auto& [name, value] : ParseAttributes(text)) {
        if (isTable && name == QLatin1String("cellpadding")) {
            style.margin = ParseLength(value, style.margin, false);
        } else if (isTable && name == QLatin1String("cellspacing")) {
            style.padding = ParseLength(value, style.padding, false);
        } else if (isTable && name == QLatin1String("background")) {
            style.backImage = value;
        } else if (name == QLatin1String("rowspan")) {
            span.rows = ParseLength(value, 1, false);
        } else if (name == QLatin1String("colspan")) {
            span.columns = ParseLength(value, 1, false);
        } else if (name == QLatin1String("border")) {
            style.borderWidth = ParseLength(value, style.borderWidth, false);
            if (style.borderWidth == 0) style.borderStyle = 0;
            else if (style.borderStyle == 0) style.borderStyle = 1;
        } else if (name == QLatin1String("borderstyle")) {
            style.borderStyle = ParseBorderStyle(value, style.borderStyle);
        } else if (name == QLatin1String("bordercolor")) {
            style.borderColorLight = style.borderColorDark = ParseColor(value, style.borderColorLight);
        } else if (name == QLatin1String("bordercolorlight")) {
            style.borderColorLight = ParseColor(value, style.borderColorLight);
        } else if (name == QLatin1String("bordercolordark")) {
            style.borderColorDark = ParseColor(value, style.borderColorDark);
        } else if (name == QLatin1String("bgcolor")) {
            if (!colorsEnabled_) continue;
            style.backColor = ParseColor(value, style.backColor);
            if (style.backEffect < 0) style.backEffect = 0;
        } else if (name == QLatin1String("bgmidcolor")) {
            if (colorsEnabled_) style.backMidColor = ParseColor(value, style.backMidColor);
        } else if (name == QLatin1String("bgendcolor")) {
            if (colorsEnabled_) style.backEndColor = ParseColor(value, style.backEndColor);
        } else if (name == QLatin1String("bgeffect")) {
            if (colorsEnabled_) style.backEffect = ParseBackgroundEffect(value, style.backEffect);
        } else if (name == QLatin1String("align")) {
            style.align = ParseHorizontalAlign(value, style.align);
        } else if (name == QLatin1String("valign")) {
            style.verticalAlign = ParseVerticalAlign(value, style.verticalAlign);
        } else if (name == QLatin1String("width")) {
            style.width = ParseLength(value, style.width, false);
        } else if (name == QLatin1String("height")) {
            style.height = ParseLength(value, style.height, false);
        }
    }
    if (style.borderStyle == 0 || style.borderWidth <= 0) {
        style.borderStyle = 0;
        style.borderWidth = 0;
    }
    if (style.borderStyle != kBorderSolid) style.borderWidth = std::min(style.borderWidth, 1);
    if (!isTable) style.borderWidth = std::min(style.borderWidth, 1);
    style.width = std::max(0, style.width);
    style.height = std::max(0, style.height);
    return span;
}

int CMarkupRenderer::ImageStyleFromLetters(const QString& letters) const {
    int flags = 0;
    for (const QChar c : letters) {
        if (c == QLatin1Char('g')) flags |= kImageGray;
        else if (c == QLatin1Char('d')) flags |= kImageDarken;
        else if (c == QLatin1Char('l')) flags |= kImageLighten;
        else if (c == QLatin1Char('s') && (shadowDx_ != 0 || shadowDy_ != 0))
            flags |= softShadows_ ? kImageSoftShadow : kImageShadow;
    }
    return flags;
}

void CMarkupRenderer::ParseImageAttributes(const QString& text, MarkupImageAttributes& image) const {
    auto size = [this](const QString& value, int& field, int& percent) {
        percent = value.trimmed().endsWith(QLatin1Char('%')) ? 1 : 0;
        field = percent ? Clamp(DecimalPrefix(value.trimmed().chopped(1))) : ParseLength(value, 0, false);
    };
    for (const auto& [name, value] : ParseAttributes(text)) {
        if (name == QLatin1String("index")) image.index = ParseLength(value, 0, false);
        else if (name == QLatin1String("idres")) image.idres = ParseLength(value, 0, false);
        else if (name == QLatin1String("iddll")) image.iddll = ParseLength(value, 0, false);
        else if (name == QLatin1String("handle")) image.handle = ParseLength(value, 0, false);
        else if (name == QLatin1String("cx")) image.cx = ParseLength(value, 0, false);
        else if (name == QLatin1String("cy")) image.cy = ParseLength(value, 0, false);
        else if (name == QLatin1String("width")) size(value, image.width, image.widthIsPercent);
        else if (name == QLatin1String("height")) size(value, image.height, image.heightIsPercent);
        else if (name == QLatin1String("speed")) image.speed = ParseLength(value, 0, false);
        else if (name == QLatin1String("file")) image.file = value;
        else if (name == QLatin1String("srcdll")) image.srcdll = value;
        else if (name == QLatin1String("mask")) {
            image.maskColor = ParseColor(value, image.maskColor);
            image.hasMask = 1;
        } else if (name == QLatin1String("style")) {
            image.style = image.hotstyle = ImageStyleFromLetters(value);
        } else if (name == QLatin1String("hotstyle")) {
            image.hotstyle = ImageStyleFromLetters(value);
        }
    }
}

// ---- tables -----------------------------------------------------------------------------------

namespace markup {

// The next `what` at or after `from` that is not the markup's escaped "<<"; -1 when none.
qsizetype FindTag(const QString& text, const QString& what, qsizetype from) {
    for (qsizetype i = text.indexOf(what, from); i >= 0; i = text.indexOf(what, i + 1)) {
        if (i > 0 && text[i - 1] == QLatin1Char('<')) continue;
        return i;
    }
    return -1;
}

// Where the element opened just before `from` ends: the position of its matching closing text,
// with nested elements of the same kind counted and nested tables skipped whole; the text's
// length when it never closes.
qsizetype FindElementEnd(const QString& text, qsizetype from, const QString& open,
                         const QString& close) {
    static const QString kTable = QStringLiteral("<table");
    const bool isTable = open == kTable;
    // The next opening, closing and nested-table texts, each searched again only once passed.
    qsizetype o = FindTag(text, open, from);
    qsizetype c = FindTag(text, close, from);
    qsizetype t = isTable ? -1 : FindTag(text, kTable, from);
    auto before = [](qsizetype a, qsizetype b) { return a >= 0 && (b < 0 || a < b); };
    int depth = 1;
    while (true) {
        if (t >= 0 && before(t, o) && before(t, c)) {
            const qsizetype end = FindElementEnd(text, t + 6, kTable, QStringLiteral("</table"));
            if (end >= text.size()) return text.size();
            const qsizetype i = end + 7;
            if (o >= 0 && o < i) o = FindTag(text, open, i);
            if (c >= 0 && c < i) c = FindTag(text, close, i);
            t = FindTag(text, kTable, i);
            continue;
        }
        if (before(o, c)) {
            ++depth;
            o = FindTag(text, open, o + open.size());
            continue;
        }
        if (c < 0) return text.size();
        if (--depth == 0) return c;
        c = FindTag(text, close, c + close.size());
    }
}

}  // namespace markup

MarkupCellSpan CMarkupRenderer::CountTableCells(const QString& table) {
    MarkupCellSpan size{0, 0};
    // The rows of this table only: its nested tables are skipped with their cells.
    qsizetype pos = table.startsWith(QLatin1String("<table")) ? 6 : 0;
    while (true) {
        const qsizetype tr = markup::FindTag(table, QStringLiteral("<tr"), pos);
        if (tr < 0) break;
        const qsizetype nested = markup::FindTag(table, QStringLiteral("<table"), pos);
        if (nested >= 0 && nested < tr) {
            const qsizetype end = markup::FindElementEnd(table, nested + 6, QStringLiteral("<table"),
                                                         QStringLiteral("</table"));
            pos = end + 7;
            continue;
        }
        const qsizetype rowEnd =
            markup::FindElementEnd(table, tr + 3, QStringLiteral("<tr"), QStringLiteral("</tr"));
        const QString row = table.mid(tr, rowEnd - tr);
        int columns = 0;
        qsizetype cellPos = 3;
        while (true) {
            const qsizetype td = markup::FindTag(row, QStringLiteral("<td"), cellPos);
            if (td < 0) break;
            const qsizetype tagEnd = row.indexOf(QLatin1Char('>'), td);
            const QString params = row.mid(td + 3, (tagEnd < 0 ? row.size() : tagEnd) - td - 3);
            int span = 1;
            for (const auto& [name, value] : ParseAttributes(params))
                if (name == QLatin1String("colspan")) span = Clamp(ParseCNumber(value.trimmed()));
            columns += std::clamp(span, 1, 256);
            cellPos = markup::FindElementEnd(row, td + 3, QStringLiteral("<td"), QStringLiteral("</td"));
        }
        size.columns = std::clamp(std::max(size.columns, columns), 0, 1024);
        size.rows = std::min(size.rows + 1, 4096);
        pos = rowEnd + 5;
    }
    return size;
}

// ---- line breaking ----------------------------------------------------------------------------

// The piece ends after the last space or punctuation mark that still fits; with none, a piece
// at the start of a line is cut between characters (at least one), elsewhere nothing is taken
// and the run goes on at the next line. Spaces around the cut are dropped. Only prefixes of the
// piece's own order of length are measured, so wrapping a long run costs in proportion to its
// length, never to its length times its lines.
QString CMarkupRenderer::BreakTextToWidth(const QString& run, qsizetype& start, int available,
                                          bool lineStart, int* width, int* height) {
    static const QString kBreaks = QStringLiteral(" -.,!:;)}]?");
    surface_->SetTextJustification(0, 0);
    const qsizetype rest = run.size() - start;
    auto extent = [&](qsizetype length) { return surface_->TextExtent(run.mid(start, length)); };

    // The longest prefix that fits: lengths doubling until one does not, then halving the gap.
    qsizetype good = 0, bad = -1;
    int goodWidth = 0;
    for (qsizetype length = std::min<qsizetype>(1, rest);; length = std::min(length * 2, rest)) {
        const QSize size = extent(length);
        *height = size.height();
        if (size.width() > available) {
            bad = length;
            break;
        }
        good = length;
        goodWidth = size.width();
        if (length >= rest) break;
    }
    if (bad < 0) {
        *width = goodWidth;
        const QString piece = run.mid(start);
        start = run.size();
        return piece;
    }
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        if (extent(middle).width() <= available) good = middle;
        else bad = middle;
    }

    qsizetype fits = 0;
    for (qsizetype i = good; i > 0; --i) {
        if (kBreaks.contains(run[start + i - 1])) {
            fits = i;
            break;
        }
    }
    QString piece;
    if (fits > 0) {
        piece = run.mid(start, fits);
        while (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
        start += fits;
        while (start < run.size() && run[start] == QLatin1Char(' ')) ++start;
    } else if (lineStart) {
        const qsizetype take = std::max<qsizetype>(good, 1);
        piece = run.mid(start, take);
        start += take;
    } else {
        *width = 0;
        return QString();
    }
    *width = surface_->TextExtent(piece).width();
    return piece;
}

// ---- resources --------------------------------------------------------------------------------

QString CMarkupRenderer::LoadResourceString(int id) {
    // The program keeps no string table: every id names an empty text.
    Q_UNUSED(id);
    return QString();
}

QString CMarkupRenderer::LoadResourceStringLine(int id, int line) {
    const QStringList lines = LoadResourceString(id).split(QLatin1Char('\n'));
    return line >= 0 && line < lines.size() ? lines[line] : QString();
}

QImage CMarkupRenderer::LoadBitmapResource(int id) const {
    return id > 0 ? LoadBitmap(id).toImage() : QImage();
}

QImage CMarkupRenderer::LoadIconResource(int id, int width, int height) const {
    if (id <= 0) return {};
    const QIcon icon = LoadIcon(id);
    if (icon.isNull()) return {};
    return icon.pixmap(QSize(width, height)).toImage().scaled(
        width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage CMarkupRenderer::LoadImageFile(const QString& path) {
    if (path.isEmpty() || !QFile::exists(path)) return {};
    return QImage(path);
}

// ---- links and animation ----------------------------------------------------------------------

int CMarkupRenderer::HitTestHotArea(QPoint p) const {
    for (std::size_t i = 0; i < hotAreas_.size(); ++i) {
        const MarkupHotArea& a = hotAreas_[i];
        if (p.x() >= a.left && p.x() < a.right && p.y() >= a.top && p.y() < a.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

bool CMarkupRenderer::OpenLinkTarget(const QString& target) {
    return shell::Open(target);
}

void CMarkupRenderer::ActivateHotArea(int index) {
    if (index < 0 || index >= static_cast<int>(hotAreas_.size())) return;
    const MarkupHotArea& area = hotAreas_[index];
    if (area.linkTarget.isEmpty()) return;
    if (area.linkKind == 1) OpenLinkTarget(area.linkTarget);
    else if (area.linkKind == 2 && linkOwner_) linkOwner_(area.linkTarget);
}

void CMarkupRenderer::ClickHotArea(QPoint point) {
    ActivateHotArea(HitTestHotArea(point));
}

bool CMarkupRenderer::TrackHotArea(QPoint point) {
    const int index = HitTestHotArea(point);
    if (index >= 0) {
        const MarkupHotArea& area = hotAreas_[index];
        if (area.linkIndex != hoveredLink_) {
            hoveredLink_ = area.linkIndex;
            if (hoverNotice_) hoverNotice_(hoveredLink_);
        }
        return !area.linkTarget.isEmpty();
    }
    if (hoveredLink_ != -2) {
        hoveredLink_ = -2;
        if (hoverNotice_) hoverNotice_(hoveredLink_);
    }
    return false;
}

bool CMarkupRenderer::AdvanceAnimations() {
    bool changed = false;
    for (MarkupAnimation& a : animations_) {
        if (a.frameCount <= 0) continue;
        if (++a.ticks >= a.speed) {
            a.ticks = 0;
            a.frame = (a.frame + 1) % a.frameCount;
            changed = true;
        }
    }
    return changed;
}
