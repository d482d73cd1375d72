#include "TransparentStatic.h"

#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

CTransparentStatic::CTransparentStatic(QWidget* parent) : CTransparentStatic(QString(), parent) {}

CTransparentStatic::CTransparentStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
}

void CTransparentStatic::SetElided(bool on) {
    elided_ = on;
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
    if (!wordWrap()) return metrics.elidedText(full, Qt::ElideRight, area.width());
    if (metrics.boundingRect(area, Qt::TextWordWrap, full).height() <= area.height()) return full;
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
    QString shown;
    for (size_t n = 0; n < lines.size(); ++n) {
        const QTextLine& line = lines[n];
        if (n + 1 == lines.size()) {
            QString rest = full.mid(line.textStart());
            rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
            shown += metrics.elidedText(rest, Qt::ElideRight, area.width());
        } else {
            shown += full.mid(line.textStart(), line.textLength()).trimmed() + QLatin1Char('\n');
        }
    }
    layout.endLayout();
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
        // Only a cut text needs its whole self as a tooltip.
        const QString tip = shown == text() ? QString() : text();
        if (toolTip() != tip) setToolTip(tip);
    }
    style()->drawItemText(&painter, area, flags, colours, isEnabled(), shown,
                          QPalette::WindowText);
}
