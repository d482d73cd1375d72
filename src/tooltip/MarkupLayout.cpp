// Layout and drawing of the markup: two passes over the same text, the measure pass keeping one
// record per line and per table, the draw pass reading them back in the same order.

#include <algorithm>

#include "MarkupRenderer.h"

namespace markup {
qsizetype FindTag(const QString& text, const QString& what, qsizetype from);
qsizetype FindElementEnd(const QString& text, qsizetype from, const QString& open,
                         const QString& close);
}  // namespace markup

namespace {

constexpr int kMaxLines = 1000;      // line breaks of one "br" tag, tab stops of one "t" tag
constexpr int kMaxFontHeight = 400;
constexpr int kMaxImageSide = 2048;
constexpr int kMaxTableDepth = 16;   // tables nested deeper are left out

// No screen shows more pixels than this across or down: every width and height the layout keeps
// (lines, rules, sections, cells, columns, rows, tables) is held to it, and every position to a
// range some hundreds of such screens wide, so that sums over many lines, rules, cells or nested
// tables never overflow.
constexpr int kMaxExtent = 32767;
constexpr long long kMaxPosition = 10000000;

int Extent(long long v) { return static_cast<int>(std::clamp(v, 0LL, static_cast<long long>(kMaxExtent))); }
int Position(long long v) { return static_cast<int>(std::clamp(v, -kMaxPosition, kMaxPosition)); }

// The count of a "br" or "t" tag: its parameter text without the first character ("=3").
int CountParameter(const CMarkupRenderer& renderer, const QString& params) {
    if (params.isEmpty()) return 1;
    return std::clamp(renderer.ParseLength(params.mid(1), 1, false), 1, kMaxLines);
}

QString Transform(const QString& run, int transform) {
    switch (transform) {
    case 1: return run.toUpper();
    case 2: return run.toLower();
    case 3: {
        QString out = run.toLower();
        for (qsizetype i = 0; i < out.size(); ++i) {
            const bool starts = i == 0 || out[i - 1] == QLatin1Char(' ');
            if (starts && out[i] >= QLatin1Char('a') && out[i] <= QLatin1Char('z')) out[i] = out[i].toUpper();
        }
        return out;
    }
    default: return run;
    }
}

int Spaces(const QString& text) { return static_cast<int>(text.count(QLatin1Char(' '))); }

// The parameter text of an element's first tag: what follows the tag name up to ">".
QString FirstTagParams(const QString& text, int nameLength) {
    const qsizetype end = text.indexOf(QLatin1Char('>'));
    QString params = text.mid(nameLength, (end < 0 ? text.size() : end) - nameLength);
    while (params.startsWith(QLatin1Char(' '))) params.remove(0, 1);
    return params;
}

}  // namespace

// ---- the two passes ---------------------------------------------------------------------------

QSize CMarkupRenderer::MeasureMarkup(MarkupSurface& surface, const QString& text) {
    surface_ = &surface;
    surface.SetTextJustification(0, 0);
    text_ = text;
    PreprocessMarkup(text_);
    QSize size(0, 0);
    if (text_.isEmpty()) {
        hotAreas_.clear();
        return size;
    }
    measure_ = true;
    tables_.clear();
    size = RenderMarkupSections(Rect(0, 0, maxWidth_, 0));
    if (size == QSize(0, 0)) text_.clear();
    if (maxWidth_ != 0 && size.width() > maxWidth_) size.setWidth(maxWidth_);
    surface_ = nullptr;
    return QSize(size.width() + 1, size.height() + 1);
}

int CMarkupRenderer::DrawMarkup(MarkupSurface& surface, const Rect& rect) {
    // Links never point at places of an earlier draw.
    hotAreas_.clear();
    if (text_.isEmpty()) return 0;
    measure_ = false;
    surface_ = &surface;
    RenderMarkupSections(rect);
    surface_ = nullptr;
    return 0;
}

QSize CMarkupRenderer::RenderMarkupSections(Rect rect) {
    if (measure_) {
        hotAreas_.clear();
        lines_.clear();
        animations_.clear();
    }
    lineIndex_ = 0;
    tableDepth_ = 0;
    tableIndex_ = linkCounter_ = animationIndex_ = -1;
    stack_.clear();
    ResetStyle(style_);
    ApplyNamedStyle(QStringLiteral("body"), style_);
    ApplyStyleToDC();

    QSize size(0, 0);
    qsizetype pos = 0;
    while (pos < text_.size()) {
        const qsizetype table = markup::FindTag(text_, QStringLiteral("<table"), pos);
        const qsizetype plainEnd = table < 0 ? text_.size() : table;
        auto add = [&](QSize piece) {
            size.setWidth(std::max(size.width(), piece.width()));
            size.setHeight(Extent(static_cast<long long>(size.height()) + piece.height()));
            if (!measure_) rect.top = Position(static_cast<long long>(rect.top) + piece.height());
        };
        if (plainEnd > pos) add(RenderPlainSection(text_.mid(pos, plainEnd - pos), rect));
        if (table < 0) break;
        const qsizetype end = markup::FindElementEnd(text_, table + 6, QStringLiteral("<table"),
                                                     QStringLiteral("</table"));
        add(RenderTable(text_.mid(table, end - table), rect));
        pos = end;
    }
    stack_.clear();
    return size;
}

// ---- style levels -----------------------------------------------------------------------------

void CMarkupRenderer::ApplyStyleToDC() {
    MarkupFont font;
    font.height = std::clamp(std::abs(style_.fontHeight), 1, kMaxFontHeight);
    font.weight = std::clamp(style_.fontWeight, 1, 1000);
    font.italic = style_.italic;
    font.underline = style_.underline;
    font.strikeOut = style_.strikeOut;
    font.face = style_.faceName;
    surface_->SelectFont(font);
    surface_->SetBkMode(style_.backMode == 2 ? OPAQUE : TRANSPARENT);
    surface_->SetTextColor(Color(style_.textColor));
    surface_->SetBkColor(Color(style_.backColor));
    metrics_ = surface_->Metrics();
}

bool CMarkupRenderer::PushOrRestoreStyle(bool closing) {
    bool changed = false;
    if (!closing) {
        stack_.push_back(style_);
        changed = true;
    } else if (!stack_.empty() && stack_.back().tagName == style_.tagName) {
        style_ = stack_.back();
        stack_.pop_back();
        changed = true;
    }
    style_.tagName.clear();
    return changed;
}

void CMarkupRenderer::PushLevel(const QString& name) {
    MarkupStyle saved = style_;
    saved.tagName = name;
    stack_.push_back(saved);
}

void CMarkupRenderer::PopLevel(const QString& name) {
    if (!stack_.empty() && stack_.back().tagName == name) {
        style_ = stack_.back();
        style_.tagName.clear();
        stack_.pop_back();
    }
    ApplyStyleToDC();
}

void CMarkupRenderer::ApplyTagEffect(int id, const QString& params) {
    switch (id) {
    case kTagBold:
        style_.fontWeight = std::min(style_.fontWeight * 2, 900);
        break;
    case kTagItalic:
        style_.italic = !style_.italic;
        break;
    case kTagUnderline:
        style_.underline = !style_.underline;
        break;
    case kTagStrikeOut:
        style_.strikeOut = !style_.strikeOut;
        break;
    case kTagFont:
        for (const auto& [name, value] : ParseAttributes(params)) {
            if (name == QLatin1String("face")) {
                if (!value.isEmpty()) style_.faceName = value;
            } else if (name == QLatin1String("size")) {
                style_.fontHeight = ParseLength(value, style_.fontHeight, true);
            } else if (name == QLatin1String("color")) {
                style_.textColor = ParseColor(value, style_.textColor);
            } else if (name == QLatin1String("style")) {
                bool clear = false;
                for (const QChar c : value) {
                    if (c == QLatin1Char('-')) {
                        clear = true;
                        continue;
                    }
                    const int set = clear ? 0 : 1;
                    if (c == QLatin1Char('b')) style_.fontWeight = clear ? 400 : 700;
                    else if (c == QLatin1Char('i')) style_.italic = set;
                    else if (c == QLatin1Char('u')) style_.underline = set;
                    else if (c == QLatin1Char('s')) style_.strikeOut = set;
                    else if (c == QLatin1Char('o')) style_.overline = set;
                    clear = false;
                }
            } else if (name == QLatin1String("weight")) {
                style_.fontWeight = ParseFontWeight(value, style_.fontWeight);
            } else if (name == QLatin1String("bkgnd")) {
                if (value == QLatin1String("transparent") || !colorsEnabled_) {
                    style_.backMode = 1;
                } else {
                    style_.backMode = 2;
                    style_.backColor = ParseColor(value, style_.backColor);
                }
            }
        }
        break;
    case kTagLeft: case kTagCenter: case kTagRight: case kTagJustify:
        style_.align = id - kTagLeft;
        break;
    case kTagBaseline: style_.verticalAlign = 3; break;
    case kTagTop: style_.verticalAlign = 0; break;
    case kTagVCenter: style_.verticalAlign = 1; break;
    case kTagBottom: style_.verticalAlign = 2; break;
    case kTagSpan:
        for (const auto& [name, value] : ParseAttributes(params))
            if (name == QLatin1String("class")) ApplyNamedStyle(QLatin1Char('.') + value, style_);
        break;
    case kTagLink:
        style_.linkKind = 2;
        style_.linkTarget.clear();
        for (const auto& [name, value] : ParseAttributes(params)) {
            if (name == QLatin1String("href")) {
                style_.linkKind = 1;
                style_.linkTarget = value;
            } else if (name == QLatin1String("msg")) {
                style_.linkKind = 2;
                style_.linkTarget = value;
            }
        }
        ++linkCounter_;
        ApplyNamedStyle(linkCounter_ == hoveredLink_ ? QStringLiteral("a:hover")
                                                     : QStringLiteral("a:link"),
                        style_);
        break;
    default:
        break;
    }
}

// ---- lines ------------------------------------------------------------------------------------

int CMarkupRenderer::StartLine(int x) {
    if (measure_) {
        line_ = MarkupLineRecord();
        line_.align = style_.align;
        if (lines_.size() < 1000000) lines_.push_back(line_);
        return x;
    }
    // The draw pass never reads past what the measure pass recorded.
    line_ = lineIndex_ >= 0 && lineIndex_ < static_cast<int>(lines_.size()) ? lines_[lineIndex_]
                                                                            : MarkupLineRecord();
    const int sectionWidth = section_.Width();
    line_.width = Extent(static_cast<long long>(line_.width) + MulDiv(sectionWidth, line_.percent, 100));
    lineRemaining_ = line_.width;
    breaksRemaining_ = line_.breaks;
    if (line_.align == 3 && line_.justify)
        surface_->SetTextJustification(sectionWidth - line_.width, line_.breaks);
    else
        surface_->SetTextJustification(0, 0);
    if (line_.align == 1) return section_.left + (sectionWidth - line_.width) / 2;
    if (line_.align == 2) return section_.left + sectionWidth - line_.width;
    return section_.left;
}

void CMarkupRenderer::EndLine(int& x, int& y, int count, int& sectionWidth, int justify) {
    line_.justify = justify;
    if (measure_) {
        if (line_.height == 0) line_.height = metrics_.height;
        line_.width = Extent(static_cast<long long>(x) - section_.left);
        sectionWidth = std::max(sectionWidth, line_.width);
        line_.height = Extent(static_cast<long long>(line_.height) + line_.descent);
        if (lineIndex_ >= 0 && lineIndex_ < static_cast<int>(lines_.size())) lines_[lineIndex_] = line_;
    }
    ++lineIndex_;
    y = Position(y + static_cast<long long>(line_.height) * std::clamp(count, 1, kMaxLines));
    x = StartLine(section_.left);
}

int CMarkupRenderer::TextOffset(int height) {
    if (measure_) {
        line_.height = std::max(line_.height, metrics_.ascent);
        line_.descent = std::max(line_.descent, height - metrics_.ascent);
        return 0;
    }
    switch (style_.verticalAlign) {
    case 0: return 0;
    case 1: return (line_.height - height) / 2;
    case 2: return line_.height - metrics_.ascent;
    default: return line_.height - line_.descent - metrics_.ascent;
    }
}

int CMarkupRenderer::ObjectOffset(int height) {
    if (measure_) {
        line_.height = std::max(line_.height, height);
        return 0;
    }
    switch (style_.verticalAlign) {
    case 0: return 0;
    case 1: return (line_.height - height) / 2;
    case 2: return line_.height - height;
    default: return line_.height - line_.descent - height;
    }
}

void CMarkupRenderer::RecordHotArea(int left, int top, int right, int bottom) {
    if (style_.linkKind == 0) return;
    hotAreas_.push_back({left, top, right, bottom, style_.linkKind, linkCounter_, style_.linkTarget});
}

// ---- plain sections ---------------------------------------------------------------------------

QSize CMarkupRenderer::RenderPlainSection(const QString& sectionText, const Rect& rect) {
    const COLORREF shadowColor = colorsEnabled_ ? RGB(MulDiv(255, shadowDarkness_, 100),
                                                      MulDiv(255, shadowDarkness_, 100),
                                                      MulDiv(255, shadowDarkness_, 100))
                                                : buttonShadow_;
    const QString text = QStringLiteral("<body>") + sectionText + QStringLiteral("</body>");
    section_ = rect;
    int sectionWidth = Extent(rect.Width());
    int x = StartLine(rect.left);
    int y = rect.top;
    int lineStartX = x;
    const int firstLine = lineIndex_;

    qsizetype pos = 0;
    while (pos < text.size()) {
        // The run: text up to the next tag, "<<" standing for one "<".
        QString run;
        while (pos < text.size()) {
            if (text[pos] == QLatin1Char('<')) {
                if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('<')) {
                    run += QLatin1Char('<');
                    pos += 2;
                    continue;
                }
                if (pos + 1 == text.size()) {
                    run += QLatin1Char('<');
                    ++pos;
                    continue;
                }
                break;
            }
            run += text[pos++];
        }
        // The tag: up to the next ">"; a "<" without one opens an empty tag.
        QString tag;
        bool hasTag = false;
        if (pos < text.size() && text[pos] == QLatin1Char('<')) {
            hasTag = true;
            const qsizetype end = text.indexOf(QLatin1Char('>'), pos + 1);
            if (end < 0) {
                ++pos;
            } else {
                tag = text.mid(pos + 1, end - pos - 1);
                pos = end + 1;
            }
        }

        run = Transform(run, style_.textTransform);
        // The run is cut into pieces by moving `start` on, never by copying what is left.
        qsizetype start = 0;
        while (start < run.size()) {
            surface_->SetTextJustification(0, 0);
            const int available = sectionWidth + rect.left - x;
            QString piece;
            int w = 0, height = 0;
            if (maxWidth_ != 0 && sectionWidth != 0) {
                piece = BreakTextToWidth(run, start, available, x == lineStartX, &w, &height);
            } else {
                piece = run.mid(start);
                start = run.size();
                const QSize extent = surface_->TextExtent(piece);
                w = extent.width();
                height = extent.height();
            }
            const int yOffset = TextOffset(height);
            if (measure_) {
                line_.align = style_.align;
                line_.breaks += Spaces(piece);
            } else if (w != 0) {
                if (w == lineRemaining_ && piece.endsWith(QLatin1Char(' '))) {
                    QString trimmed = piece;
                    while (trimmed.endsWith(QLatin1Char(' '))) trimmed.chop(1);
                    const int removed = w - surface_->PlainExtent(trimmed).width();
                    piece = trimmed;
                    breaksRemaining_ = Spaces(piece);
                    lineRemaining_ -= removed;
                }
                if (line_.align == 3 && line_.justify)
                    surface_->SetTextJustification(available - lineRemaining_, breaksRemaining_);
                lineRemaining_ -= w;
                w = surface_->TextExtent(piece).width();
                const int top = y + yOffset;
                RecordHotArea(x, top, x + w, top + height);
                surface_->TextOut(x, top, piece);
                breaksRemaining_ -= Spaces(piece);
                if (style_.overline && surface_->GetDc()) {
                    painter_.DrawLine(*surface_->GetDc(), x, top, x + w, top, Color(style_.textColor),
                                      kBorderSolid, style_.fontWeight >= 700 ? 2 : 1);
                }
            }
            x = Position(static_cast<long long>(x) + w);
            if (start < run.size()) {
                EndLine(x, y, 1, sectionWidth, 1);
                lineStartX = x;
            }
        }

        if (!hasTag) continue;
        // Name up to the first space or "=", parameters after it without leading spaces.
        qsizetype nameEnd = 0;
        while (nameEnd < tag.size() && tag[nameEnd] != QLatin1Char(' ') && tag[nameEnd] != QLatin1Char('='))
            ++nameEnd;
        const QString name = tag.left(nameEnd);
        QString params = tag.mid(nameEnd);
        while (params.startsWith(QLatin1Char(' '))) params.remove(0, 1);

        style_.tagName.clear();
        QString styleName;
        bool closing = false;
        const int id = LookupTag(name, &styleName, &closing);
        if (id == kTagNone) continue;
        if (!styleName.isEmpty()) {
            style_.tagName = styleName;
            if (PushOrRestoreStyle(closing)) {
                if (!closing) {
                    if (id == kTagNamedStyle) ApplyNamedStyle(name, style_);
                    else ApplyTagEffect(id, params);
                }
                ApplyStyleToDC();
            }
            continue;
        }
        if (closing) continue;
        const int before = lineIndex_;
        PlaceObject(id, params, x, y, sectionWidth, shadowColor);
        if (lineIndex_ != before) lineStartX = x;
    }
    if (x != lineStartX) EndLine(x, y, 1, sectionWidth, 0);
    surface_->SetTextJustification(0, 0);

    // The section's width: each line plus its rules' share of the widest line before it.
    int widest = sectionWidth;
    int widestSoFar = 0;
    for (int i = firstLine; i < lineIndex_ && i < static_cast<int>(lines_.size()); ++i) {
        const MarkupLineRecord& line = lines_[i];
        widestSoFar = std::max(widestSoFar, line.width);
        widest = std::max(widest, Extent(static_cast<long long>(line.width) +
                                         MulDiv(line.percent, widestSoFar, 100)));
    }
    return QSize(Extent(widest), Extent(static_cast<long long>(y) - rect.top));
}

// ---- objects ----------------------------------------------------------------------------------

void CMarkupRenderer::PlaceObject(int id, const QString& params, int& x, int& y,
                                  int& sectionWidth, COLORREF shadowColor) {
    switch (id) {
    case kTagRule: {
        MarkupStyle copy = style_;
        ApplyNamedStyle(QStringLiteral("hr"), copy);
        COLORREF color = copy.textColor;
        int thickness = 1;
        int width = 100;
        bool percent = true;
        for (const auto& [name, value] : ParseAttributes(params)) {
            if (name == QLatin1String("color")) color = ParseColor(value, color);
            else if (name == QLatin1String("size")) thickness = std::clamp(ParseLength(value, 1, false), 0, 1000);
            else if (name == QLatin1String("width")) {
                percent = value.trimmed().endsWith(QLatin1Char('%'));
                width = percent ? std::clamp(ParseLength(value.trimmed().chopped(1), 100, false), 0, 10000)
                                : std::clamp(ParseLength(value, 0, false), 0, kMaxExtent);
            }
        }
        if (measure_) {
            line_.height = std::max(line_.height, thickness + 8);
            line_.align = style_.align;
            if (percent) {
                // Past a hundred widths more rules on the line change nothing that shows.
                line_.percent = std::min(line_.percent + width, 100 * 100);
                x = Position(x + 1LL);
            } else {
                x = Position(static_cast<long long>(x) + width);
            }
        } else {
            const int drawn = percent ? Extent(MulDiv(section_.Width(), width, 100)) : width;
            if (Dc* dc = surface_->GetDc()) {
                painter_.DrawLine(*dc, x, y + line_.height / 2, x + drawn, y + line_.height / 2,
                                  Color(color), kBorderSolid, thickness);
            }
            x = Position(static_cast<long long>(x) + drawn);
        }
        break;
    }
    case kTagBreak:
        EndLine(x, y, CountParameter(*this, params), sectionWidth, 0);
        break;
    case kTagTab: {
        const int count = CountParameter(*this, params);
        const int from = x - section_.left;
        x = Position(section_.left + (from / tabWidth_ + 1LL) * tabWidth_ + (count - 1LL) * tabWidth_);
        break;
    }
    case kTagBitmap:
    case kTagIcon:
    case kTagImageStrip: {
        MarkupImageAttributes image;
        ParseImageAttributes(params, image);
        PlaceImage(id, image, x, y, sectionWidth, shadowColor);
        break;
    }
    case kTagString: {
        int resource = 0;
        for (const auto& [name, value] : ParseAttributes(params))
            if (name == QLatin1String("idres") || name == QLatin1String("iddll"))
                resource = ParseLength(value, 0, false);
        const QString text = LoadResourceString(resource);
        if (resource == 0 || text.isEmpty()) break;
        surface_->SetTextJustification(0, 0);
        const QSize extent = surface_->TextExtent(text);
        if (measure_) line_.align = style_.align;
        const int offset = TextOffset(extent.height());
        if (!measure_) {
            RecordHotArea(x, y + offset, x + extent.width(), y + offset + extent.height());
            surface_->TextOut(x, y + offset, text);
        }
        x = Position(static_cast<long long>(x) + extent.width());
        break;
    }
    default:
        break;
    }
}

void CMarkupRenderer::PlaceImage(int id, const MarkupImageAttributes& a, int& x, int& y,
                                 int& sectionWidth, COLORREF shadowColor) {
    QImage picture;
    bool isIcon = id == kTagIcon;
    int frameWidth = 0, frameHeight = 0;
    if (!a.file.isEmpty() && a.idres == 0) picture = LoadImageFile(a.file);
    // Images of other modules ("iddll", "srcdll") and callers' handles do not exist here.

    int w = 0, h = 0;
    if (id == kTagBitmap) {
        if (a.idres) picture = LoadBitmapResource(a.idres);
        const QSize own = CEffectPainter::GetBitmapSize(picture);
        w = a.widthIsPercent ? MulDiv(own.width(), a.width, 100) : a.width;
        h = a.heightIsPercent ? MulDiv(own.height(), a.height, 100) : a.height;
    } else if (id == kTagIcon) {
        // Sizes in percent are of the desktop's icon size; 0 asks for that size.
        int rw = a.widthIsPercent ? MulDiv(32, a.width, 100) : a.width;
        int rh = a.heightIsPercent ? MulDiv(32, a.height, 100) : a.height;
        rw = rw > 0 ? std::min(rw, kMaxImageSide) : 32;
        rh = rh > 0 ? std::min(rh, kMaxImageSide) : 32;
        if (a.idres) picture = LoadIconResource(a.idres, rw, rh);
        else if (!picture.isNull()) picture = CEffectPainter::ResizeIcon(picture, rw, rh);
        const QSize own = CEffectPainter::GetIconSize(picture);
        w = own.width();
        h = own.height();
    } else {
        if (a.idres) picture = LoadBitmapResource(a.idres);
        const QSize own = CEffectPainter::GetBitmapSize(picture);
        frameWidth = a.cx > 0 ? a.cx : a.cy;
        frameHeight = a.cy > 0 ? a.cy : a.cx;
        if (frameWidth <= 0) frameWidth = frameHeight = std::min(own.width(), own.height());
        if (frameWidth <= 0 || frameHeight <= 0) return;
        const int across = own.width() / frameWidth, down = own.height() / frameHeight;
        const int frames = across * down;
        w = a.widthIsPercent ? MulDiv(frameWidth, a.width, 100) : a.width;
        h = a.heightIsPercent ? MulDiv(frameHeight, a.height, 100) : a.height;
        int frame = a.index;
        if (a.speed > 0) {
            if (measure_) {
                animations_.push_back({a.index, frames, 0, a.speed});
                ++animationIndex_;
            } else if (++animationIndex_ < static_cast<int>(animations_.size())) {
                frame = animations_[animationIndex_].frame;
            }
        }
        if (frame < 0 || frame >= frames) return;
        isIcon = false;
        if (!measure_ && picture.isNull()) return;
        if (!measure_) {
            // Only the chosen frame is handed on.
            picture = picture.copy((frame % across) * frameWidth, (frame / across) * frameHeight,
                                   frameWidth, frameHeight);
        }
    }
    if (picture.isNull()) return;
    w = std::clamp(w, 0, kMaxImageSide);
    h = std::clamp(h, 0, kMaxImageSide);

    const bool shadowed = (a.style | a.hotstyle) & (kImageShadow | kImageSoftShadow);
    const int boxW = w + (shadowed ? shadowDx_ : 0);
    const int boxH = h + (shadowed ? shadowDy_ : 0);
    if (maxWidth_ != 0 && sectionWidth != 0 && boxW > section_.right - x) {
        EndLine(x, y, 1, sectionWidth, 1);
    }
    if (measure_) line_.align = style_.align;
    const int offset = ObjectOffset(id == kTagImageStrip ? boxH : h);
    if (!measure_ && w != 0 && h != 0) {
        RecordHotArea(x, y + offset, x + boxW, y + offset + boxH);
        int style = (style_.linkKind != 0 && linkCounter_ == hoveredLink_) ? a.hotstyle : a.style;
        if (!colorsEnabled_) style = (style & ~0xFF) | kImageFlat;
        if (Dc* dc = surface_->GetDc()) {
            if (isIcon) {
                painter_.DrawIcon(*dc, x, y + offset, w, h, picture, style, shadowed, shadowDx_,
                                  shadowDy_, shadowBlurX_, shadowBlurY_, shadowColor);
            } else {
                painter_.DrawBitmap(*dc, x, y + offset, w, h, picture, a.hasMask, a.maskColor,
                                    style, shadowed, shadowDx_, shadowDy_, shadowBlurX_,
                                    shadowBlurY_, shadowColor);
            }
        }
    }
    x = Position(static_cast<long long>(x) + boxW);
}

void CMarkupRenderer::DrawBackgroundImage(const Rect& rect, const QString& source) {
    if (!colorsEnabled_ || source.size() <= 5) return;
    Dc* dc = surface_->GetDc();
    if (!dc) return;
    const qsizetype colon = source.indexOf(QLatin1Char(':'));
    if (colon < 0) return;
    const QString kind = source.left(colon), value = source.mid(colon + 1);
    QImage picture;
    if (kind == QLatin1String("idres")) picture = LoadBitmapResource(ParseLength(value, 0, false));
    else if (kind == QLatin1String("file")) picture = LoadImageFile(value);
    if (picture.isNull()) return;
    painter_.TileBitmap(*dc, rect.left, rect.top, rect.Width(), rect.Height(), picture, 0, 0,
                        picture.width(), picture.height());
}

// ---- tables -----------------------------------------------------------------------------------

QSize CMarkupRenderer::RenderTable(const QString& text, const Rect& rect) {
    if (tableDepth_ >= kMaxTableDepth) return QSize(0, 0);
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    } depth(tableDepth_);
    // Nested tables move the running index on while this one is laid out: its own record is
    // the one taken here.
    const int index = ++tableIndex_;
    if (measure_) {
        const MarkupCellSpan count = CountTableCells(text);
        MarkupTableLayout layout;
        layout.rows.assign(count.rows, std::vector<MarkupCellRecord>(count.columns));
        layout.columnWidths.assign(count.columns, 0);
        layout.rowHeights.assign(count.rows, 0);
        layout.fixed.assign(count.columns, 0);
        tables_.push_back(std::move(layout));
    }
    MarkupTableLayout layout = index < static_cast<int>(tables_.size()) ? tables_[index]
                                                                         : MarkupTableLayout();
    const int columns = static_cast<int>(layout.columnWidths.size());
    const int rows = static_cast<int>(layout.rowHeights.size());

    PushLevel(QStringLiteral("table"));
    ApplyNamedStyle(QStringLiteral("table"), style_);
    ParseTableAttributes(FirstTagParams(text, 6), style_, true);
    ApplyStyleToDC();
    const int spacing = std::clamp(style_.padding, 0, 1000);
    const bool doubleBorder = style_.borderStyle == kBorderDouble;
    const int border = doubleBorder ? 6 : 2 * style_.borderWidth;
    auto sum = [](const std::vector<int>& v) {
        long long s = 0;
        for (int n : v) s += n;
        return s;
    };
    auto tableWidth = [&] {
        return Extent((columns + 1LL) * spacing + std::max(0, columns - 1) + sum(layout.columnWidths) + border);
    };
    auto tableHeight = [&] {
        return Extent((rows + 1LL) * spacing + std::max(0, rows - 1) + sum(layout.rowHeights) + border);
    };

    Rect tableRect(rect.left, rect.top, rect.left, rect.top);
    if (!measure_) {
        int width = tableWidth();
        if (width < rect.Width()) {
            int free = rect.Width() - width;
            int open = 0;
            for (int f : layout.fixed) open += f == 0;
            if (open > 0) {
                for (int c = 0; c < columns; ++c) {
                    if (layout.fixed[c]) continue;
                    const int share = free / open;
                    layout.columnWidths[c] += share;
                    free -= share;
                    --open;
                }
                width = tableWidth();
            } else if (style_.align == 1) {
                tableRect.Offset(free / 2, 0);
            } else if (style_.align == 2) {
                tableRect.Offset(free, 0);
            }
        }
        tableRect.right = tableRect.left + width;
        tableRect.bottom = tableRect.top + tableHeight();
        if (Dc* dc = surface_->GetDc()) {
            if (style_.backEffect < 0) {
                if (!style_.backImage.isEmpty()) DrawBackgroundImage(tableRect, style_.backImage);
            } else {
                painter_.FillEffect(*dc, style_.backEffect, tableRect, style_.backColor,
                                    style_.backMidColor, style_.backEndColor, 5, 0);
            }
            if (style_.borderWidth > 0) {
                painter_.DrawFrameRect(*dc, tableRect, Color(style_.borderColorLight),
                                       Color(style_.borderColorDark), style_.borderStyle,
                                       style_.borderWidth);
            }
        }
    }

    Rect inner = tableRect;
    if (!measure_) {
        const int inset = doubleBorder ? 3 : style_.borderWidth;
        inner.Deflate(inset, inset);
    }
    if (columns > 0 && rows > 0) {
        qsizetype pos = 6;
        for (int row = 0; row < rows; ++row) {
            qsizetype tr = markup::FindTag(text, QStringLiteral("<tr"), pos);
            // Rows of nested tables are not this table's.
            while (tr >= 0) {
                const qsizetype nested = markup::FindTag(text, QStringLiteral("<table"), pos);
                if (nested < 0 || nested > tr) break;
                pos = markup::FindElementEnd(text, nested + 6, QStringLiteral("<table"),
                                             QStringLiteral("</table")) + 7;
                tr = markup::FindTag(text, QStringLiteral("<tr"), pos);
            }
            if (tr < 0) break;
            const qsizetype end =
                markup::FindElementEnd(text, tr + 3, QStringLiteral("<tr"), QStringLiteral("</tr"));
            RenderTableRow(text.mid(tr, end - tr), inner, layout, row, spacing);
            pos = end + 5;
        }
    }

    if (measure_) {
        // Column widths: single cells first, then each wider span shares what it lacks.
        for (int span = 1; span <= columns; ++span) {
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    const MarkupCellRecord& cell = layout.rows[r][c];
                    if (cell.colspan != span) continue;
                    const int last = std::min(columns, c + span) - 1;
                    if (span == 1) {
                        layout.columnWidths[c] = std::max(layout.columnWidths[c], cell.cellWidth);
                        if (cell.fixed) layout.fixed[c] = 1;
                        continue;
                    }
                    long long have = 0;
                    for (int k = c; k <= last; ++k) {
                        if (cell.fixed) layout.fixed[k] = 1;
                        have += layout.columnWidths[k];
                    }
                    if (have < cell.cellWidth) {
                        const int n = last - c + 1;
                        const int diff = static_cast<int>(cell.cellWidth - have);
                        for (int k = c; k <= last; ++k) layout.columnWidths[k] += diff / n;
                        layout.columnWidths[last] += diff % n;
                    }
                }
            }
        }
        for (int span = 1; span <= rows; ++span) {
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    const MarkupCellRecord& cell = layout.rows[r][c];
                    if (cell.rowspan != span) continue;
                    const int last = std::min(rows, r + span) - 1;
                    if (span == 1) {
                        layout.rowHeights[r] = std::max(layout.rowHeights[r], cell.cellHeight);
                        continue;
                    }
                    long long have = 0;
                    for (int k = r; k <= last; ++k) have += layout.rowHeights[k];
                    if (have < cell.cellHeight) {
                        const int n = last - r + 1;
                        const int diff = static_cast<int>(cell.cellHeight - have);
                        for (int k = r; k <= last; ++k) layout.rowHeights[k] += diff / n;
                        layout.rowHeights[r] += diff % n;
                    }
                }
            }
        }
    }

    const QSize size = measure_ ? QSize(tableWidth(), tableHeight())
                                : QSize(tableRect.Width(), tableRect.Height());
    if (index < static_cast<int>(tables_.size())) tables_[index] = std::move(layout);
    PopLevel(QStringLiteral("table"));
    return size;
}

void CMarkupRenderer::RenderTableRow(const QString& text, const Rect& inner,
                                     MarkupTableLayout& layout, int row, int spacing) {
    PushLevel(QStringLiteral("tr"));
    ApplyNamedStyle(QStringLiteral("tr"), style_);
    ParseTableAttributes(FirstTagParams(text, 3), style_, false);
    ApplyStyleToDC();

    const int columns = static_cast<int>(layout.columnWidths.size());
    const int rows = static_cast<int>(layout.rowHeights.size());
    std::vector<MarkupCellRecord>& cells = layout.rows[row];
    int column = 0;
    qsizetype pos = 3;
    while (true) {
        const qsizetype td = markup::FindTag(text, QStringLiteral("<td"), pos);
        if (td < 0) break;
        const qsizetype end =
            markup::FindElementEnd(text, td + 3, QStringLiteral("<td"), QStringLiteral("</td"));
        pos = end;
        while (column < columns && cells[column].colspan < 0) ++column;
        // Cells beyond the last column have no place in the grid.
        if (column >= columns) continue;

        MarkupCellRecord& record = cells[column];
        Rect cellRect;
        if (!measure_) {
            const int colspan = std::clamp(record.colspan, 1, columns - column);
            const int rowspan = std::clamp(record.rowspan, 1, rows - row);
            int left = inner.left + spacing;
            for (int c = 0; c < column; ++c) left += spacing + layout.columnWidths[c] + 1;
            int right = left + (colspan - 1) * (spacing + 1);
            for (int c = column; c < column + colspan; ++c) right += layout.columnWidths[c];
            int top = inner.top + spacing;
            for (int r = 0; r < row; ++r) top += layout.rowHeights[r] + spacing + 1;
            int bottom = top + (rowspan - 1) * (spacing + 1);
            for (int r = row; r < row + rowspan; ++r) bottom += layout.rowHeights[r];
            cellRect = Rect(left, top, right, bottom);
        }
        RenderTableCell(text.mid(td, end - td), cellRect, record);
        // Spans reach at most to the grid's edges.
        const int colspan = std::clamp(record.colspan, 1, columns - column);
        const int rowspan = std::clamp(record.rowspan, 1, rows - row);
        if (measure_) {
            record.colspan = colspan;
            record.rowspan = rowspan;
            for (int c = column + 1; c < column + colspan; ++c) cells[c].colspan = cells[c].rowspan = -1;
            for (int r = row + 1; r < row + rowspan; ++r)
                layout.rows[r][column].colspan = layout.rows[r][column].rowspan = -1;
        }
        column += colspan;
    }
    PopLevel(QStringLiteral("tr"));
}

void CMarkupRenderer::RenderTableCell(const QString& text, Rect rect, MarkupCellRecord& record) {
    if (measure_) record.contentWidth = record.contentHeight = 0;
    PushLevel(QStringLiteral("td"));
    ApplyNamedStyle(QStringLiteral("td"), style_);
    style_.width = style_.height = style_.reserved1 = style_.reserved2 = 0;
    const MarkupCellSpan span = ParseTableAttributes(FirstTagParams(text, 3), style_, false);
    ApplyStyleToDC();

    const int inset = std::clamp(style_.margin, -1000, 1000) + style_.borderWidth;
    if (measure_) {
        record.colspan = span.columns < 1 ? 1 : span.columns;
        record.rowspan = span.rows < 1 ? 1 : span.rows;
        record.contentWidth = style_.width;
        record.contentHeight = 0;
        record.fixed = style_.width > 0;
        rect = Rect(rect.left, rect.top, rect.left + style_.width, rect.top);
    } else {
        if (Dc* dc = surface_->GetDc()) {
            if (style_.backEffect >= 0) {
                painter_.FillEffect(*dc, style_.backEffect, rect, style_.backColor,
                                    style_.backMidColor, style_.backEndColor, 5, 0);
            }
            painter_.DrawFrameRect(*dc, rect, Color(style_.borderColorDark),
                                   Color(style_.borderColorLight), style_.borderStyle, 1);
        }
        rect.Deflate(inset, inset);
        if (style_.verticalAlign == 1) rect.top += (rect.Height() - record.contentHeight) / 2;
        else if (style_.verticalAlign == 2) rect.top = rect.bottom - record.contentHeight;
    }

    // The content after the cell's own tag: plain sections and nested tables in turn.
    const qsizetype tagEnd = text.indexOf(QLatin1Char('>'));
    qsizetype pos = tagEnd < 0 ? text.size() : tagEnd + 1;
    while (pos < text.size()) {
        const qsizetype table = markup::FindTag(text, QStringLiteral("<table"), pos);
        const qsizetype plainEnd = table < 0 ? text.size() : table;
        auto add = [&](QSize piece) {
            rect.top = Position(static_cast<long long>(rect.top) + piece.height());
            if (measure_) {
                record.contentWidth = std::max(record.contentWidth, piece.width());
                record.contentHeight = std::min(record.contentHeight + piece.height(), 10000000);
            }
        };
        if (plainEnd > pos) {
            const Rect section = rect;
            add(RenderPlainSection(text.mid(pos, plainEnd - pos), section));
        }
        if (table < 0) break;
        const qsizetype end = markup::FindElementEnd(text, table + 6, QStringLiteral("<table"),
                                                     QStringLiteral("</table"));
        add(RenderTable(text.mid(table, end - table), rect));
        pos = end;
    }

    if (measure_) {
        const long long extra = 2LL * style_.borderWidth + 2LL * style_.margin;
        record.cellWidth = Extent(std::max(record.contentWidth, style_.width) + extra);
        record.cellHeight = Extent(std::max(record.contentHeight, style_.height) + extra);
    }
    PopLevel(QStringLiteral("td"));
}
