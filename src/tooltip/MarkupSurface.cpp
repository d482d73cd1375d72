#include "MarkupSurface.h"

#include <QFontMetrics>
#include <algorithm>

void MarkupSurface::SetTextJustification(int extra, int breaks) {
    extra_ = breaks > 0 ? std::max(0, extra) : 0;
    breaks_ = breaks > 0 ? breaks : 0;
    used_ = 0;
}

int MarkupSurface::SpaceExtra(int spaceNumber) const {
    if (breaks_ <= 0 || spaceNumber >= breaks_) return 0;
    return extra_ / breaks_ + (spaceNumber < extra_ % breaks_ ? 1 : 0);
}

QSize MarkupSurface::TextExtent(const QString& text) const {
    QSize size = PlainExtent(text);
    int space = used_;
    for (const QChar c : text)
        if (c == QLatin1Char(' ')) size.rwidth() += SpaceExtra(space++);
    return size;
}

void MarkupSurface::TextOut(int x, int y, const QString& text) {
    if (extra_ == 0) {
        DrawPlainText(x, y, text);
        return;
    }
    // Word by word, each space widened by its share.
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype space = text.indexOf(QLatin1Char(' '), start);
        const qsizetype end = space < 0 ? text.size() : space + 1;
        const QString part = text.mid(start, end - start);
        DrawPlainText(x, y, part);
        x += PlainExtent(part).width();
        if (space >= 0) x += SpaceExtra(used_++);
        start = end;
    }
}

void DcMarkupSurface::SelectFont(const MarkupFont& font) {
    if (hasFont_ && font == selected_) return;
    QFont f = Font(font.face, font.height, font.weight, font.italic, font.underline);
    f.setStrikeOut(font.strikeOut);
    dc_.SelectFont(f);
    selected_ = font;
    hasFont_ = true;
}

MarkupTextMetrics DcMarkupSurface::Metrics() const {
    const QFontMetrics m(dc_.GetFont());
    return {m.height(), m.ascent(), m.descent()};
}

QSize DcMarkupSurface::PlainExtent(const QString& text) const {
    return dc_.GetTextExtent(text);
}

void DcMarkupSurface::DrawPlainText(int x, int y, const QString& text) {
    dc_.TextOut(x, y, text);
}
