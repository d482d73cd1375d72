#include "TransparentStatic.h"

#include <QPainter>
#include <QStyle>

CTransparentStatic::CTransparentStatic(QWidget* parent) : CTransparentStatic(QString(), parent) {}

CTransparentStatic::CTransparentStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
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
    QRect area = contentsRect();
    const int m = margin();
    area.adjust(m, m, -m, -m);
    int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (wordWrap()) flags |= Qt::TextWordWrap;
    style()->drawItemText(&painter, area, flags, colours, isEnabled(), text(),
                          QPalette::WindowText);
}
