#include "FlatButton.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QStringList>
#include <QVariant>

#include "BufferedDC.h"
#include "ColorHls.h"
#include "Dialog.h"
#include "WindowHelpers.h"

namespace {

// A hot (not pressed) face: a pale blue.
constexpr COLORREF kHotFill = 0xF0DFCA;
constexpr COLORREF kPressedText = RGB(240, 240, 240);

}  // namespace

CFlatButton::CFlatButton(QWidget* parent) : CFlatButton(QString(), parent) {}

CFlatButton::CFlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setMouseTracking(true);
    tracker_.Attach(this, kHoverInvalidate);
}

unsigned CFlatButton::ItemState() const {
    unsigned state = 0;
    if (isDown()) state |= ODS_SELECTED;
    if (!isEnabled()) state |= ODS_DISABLED;
    if (hasFocus()) state |= ODS_FOCUS;
    return state;
}

bool CFlatButton::IsDefaultOfParent() const {
    if (const auto* dialog = qobject_cast<const Dialog*>(parentWidget())) {
        const QVariant id = property("controlId");
        return id.isValid() && dialog->GetDefID() == id.toInt();
    }
    return isDefault();
}

void CFlatButton::SetElidedText(const QString& text, Qt::TextElideMode firstLine) {
    // Measured in the face's own font, less a character's room on either side.
    const QFontMetrics metrics(StockFont(DEFAULT_GUI_FONT).value_or(font()));
    const int room = width() - 2 * metrics.averageCharWidth();
    const QStringList lines = text.split(QLatin1Char('\n'));
    // A ring too wide for its line takes the lines the caption leaves free, broken at its spaces.
    // Half a line stays free, so the caption never touches the button's frame.
    const int line = std::max(1, metrics.lineSpacing());
    const int fitting = std::max(1, (height() - line / 2) / line);
    const int spare = std::max(0, fitting - static_cast<int>(lines.size()));
    QStringList cut;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (n == 0 && firstLine == Qt::ElideMiddle) {
            cut << WrapKeepingRing(lines[n], lines[n].size(), metrics, room, 1 + spare);
        } else {
            cut << metrics.elidedText(lines[n], n == 0 ? firstLine : Qt::ElideRight, room);
        }
    }
    const QString shown = cut.join(QLatin1Char('\n'));
    setText(shown);
    // A ring broken onto two lines is shown whole: only a cut text needs the tooltip.
    setToolTip(SameWords(shown, text) ? QString() : text);
}

void CFlatButton::DrawItem(Dc& target, const Rect& item, unsigned state) {
    CBufferedDC dc(target, item);
    CScopedStockFont font(dc, DEFAULT_GUI_FONT);
    CScopedPen pen(dc, kNoColor);
    CScopedBrush brush(dc, kNoColor);

    const bool pressed = state & ODS_SELECTED;
    const bool disabled = state & ODS_DISABLED;
    const bool focused = state & ODS_FOCUS;
    const bool hot = IsHot();

    if (!disabled && (hot || pressed)) {
        const COLORREF highlight = GetSysColor(SysColor::Highlight);
        pen.SetColor(highlight);
        brush.SetColor(pressed ? AdjustColorHls(highlight, 50, -50) : kHotFill);
    } else {
        brush.SetColor(RGB(255, 255, 255));
        pen.SetColor(GetSysColor(focused || IsDefaultOfParent() ? SysColor::DarkShadow
                                                                : SysColor::ButtonShadow));
    }
    if (disabled) dc.SetTextColor(GetSysColor(SysColor::GrayText));
    else if (pressed) dc.SetTextColor(kPressedText);
    else if (hot) dc.SetTextColor(RGB(0, 0, 0));
    else dc.SetTextColor(GetSysColor(SysColor::ButtonText));

    dc.Rectangle(item);
    dc.SetBkMode(TRANSPARENT);

    // The caption is placed by its unwrapped height, so a caption that wraps onto two lines is
    // centred as if it were one line high and simply runs on below. Captions are stored without
    // mnemonic marks, so an '&' in them is a character of its own.
    const QString caption = text();
    Rect measure(0, 0, item.Width(), 1000);
    const int textHeight = dc.DrawText(caption, measure, DT_CALCRECT | DT_NOPREFIX);
    Rect textRect(item.left, item.top + (item.Height() - textHeight) / 2, item.right, item.bottom);
    dc.DrawText(caption, textRect, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);

    if (focused) {
        Rect focus = item;
        focus.Deflate(2, 2);
        dc.DrawFocusRect(focus);
    }
}

void CFlatButton::paintEvent(QPaintEvent*) {
    Dc dc(this);
    DrawItem(dc, Rect(0, 0, width(), height()), ItemState());
}

void CFlatButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    tracker_.OnMouseMove();
}

void CFlatButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    tracker_.OnMouseMove();
}

void CFlatButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    tracker_.OnMouseLeave();
}
