#include "TransparentStatic.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "WindowHelpers.h"

namespace {

// Where the ring at the start of a bird's text ends: at its name in brackets, at its first line
// break, or with the text.
qsizetype RingEnd(const QString& text) {
    qsizetype end = text.size();
    const QString ends[] = {QStringLiteral(" ["), QStringLiteral("\n"),
                            QString(QChar::LineSeparator)};
    for (const QString& after : ends) {
        const qsizetype at = text.indexOf(after);
        if (at >= 0 && at < end) end = at;
    }
    return end;
}

}  // namespace

CTransparentStatic::CTransparentStatic(QWidget* parent) : CTransparentStatic(QString(), parent) {}

CTransparentStatic::CTransparentStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
}

void CTransparentStatic::SetElided(bool on, ElidedText kind) {
    elided_ = on;
    kind_ = kind;
    update();
}

QRect CTransparentStatic::TextArea() const {
    QRect area = contentsRect();
    const int m = margin();
    return area.adjusted(m, m, -m, -m);
}

QString CTransparentStatic::ShownText() const {
    const QString full = text();
    if (!elided_) return full;
    const QRect area = TextArea();
    const QFontMetrics metrics(font());
    const qsizetype ringEnd = kind_ == ElidedText::StartsWithRing ? RingEnd(full) : 0;
    if (!wordWrap()) {
        // Each line of the text is cut on its own; lines below the label's foot are run on
        // after the last line that fits.
        QStringList lines = full.split(QRegularExpression(QStringLiteral("[\\n\\x{2028}]")));
        const int fitting =
            std::max(1, 1 + (area.height() - metrics.height()) / std::max(1, metrics.lineSpacing()));
        if (static_cast<int>(lines.size()) > fitting) {
            lines[fitting - 1] = lines.mid(fitting - 1).join(QLatin1Char(' '));
            lines.resize(fitting);
        }
        // The ring ends on the first line, run on or not; lines the text leaves free below take
        // the rest of a ring too wide for its line, broken at its spaces.
        const int spare = std::max(0, fitting - static_cast<int>(lines.size()));
        QStringList shown;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            if (n == 0 && ringEnd > 0) {
                shown << WrapKeepingRing(lines[n], ringEnd, metrics, area.width(), 1 + spare);
            } else {
                shown << metrics.elidedText(lines[n], Qt::ElideRight, area.width());
            }
        }
        return shown.join(QLatin1Char('\n'));
    }
    // The lines that fit stay as they wrap; the rest of the text is cut on the last of them.
    // A line break of the text must end its line in the layout too, which breaks only at a line
    // separator; the last line shown takes the rest of the text on one line.
    QString laidOut = full;
    laidOut.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    QTextLayout layout(laidOut, font());
    layout.beginLayout();
    // As many lines as the painter's own wrapping fits in the height, at least one.
    std::vector<QTextLine> lines;
    qreal used = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        if (!lines.empty() && std::ceil(used + line.height()) > area.height()) break;
        used += line.height();
        lines.push_back(line);
    }
    layout.endLayout();
    // A word wider than the label (a ring's number has no place to break) stands alone on a line
    // wider than the label, which the painter would slice at the label's edge.
    const bool wordTooWide = std::any_of(lines.begin(), lines.end(), [&](const QTextLine& line) {
        return line.naturalTextWidth() > area.width();
    });
    if (!wordTooWide &&
        metrics.boundingRect(area, Qt::TextWordWrap, full).height() <= area.height())
        return full;
    // A line too wide ends in "…", or, while it holds the ring, keeps the ring's end.
    const auto fit = [&](const QString& line, qsizetype start) {
        return start < ringEnd ? ElideKeepingRing(line, ringEnd - start, metrics, area.width())
                               : metrics.elidedText(line, Qt::ElideRight, area.width());
    };
    QString shown;
    for (size_t n = 0; n < lines.size(); ++n) {
        const qsizetype start = lines[n].textStart();
        if (n + 1 == lines.size()) {
            QString rest = full.mid(start);
            rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
            shown += fit(rest, start);
        } else {
            shown += fit(full.mid(start, lines[n].textLength()).trimmed(), start) + QLatin1Char('\n');
        }
    }
    return shown;
}

void CTransparentStatic::paintEvent(QPaintEvent* event) {
    if (!pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QPalette colours = palette();
    colours.setColor(QPalette::Active, QPalette::WindowText, ToQColor(textColor));
    colours.setColor(QPalette::Inactive, QPalette::WindowText, ToQColor(textColor));
    const QRect area = TextArea();
    int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (wordWrap()) flags |= Qt::TextWordWrap;
    const QString shown = ShownText();
    if (elided_) {
        // Only a cut text needs its whole self as a tooltip, not one broken onto more lines.
        const QString tip = SameWords(shown, text()) ? QString() : text();
        if (toolTip() != tip) setToolTip(tip);
    }
    style()->drawItemText(&painter, area, flags, colours, isEnabled(), shown,
                          QPalette::WindowText);
}
