#include "MenuXPStyle.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "BufferedDC.h"
#include "MenuXP.h"

namespace {

int CommandIdOf(const QAction* action) {
    return action && action->data().isValid() ? action->data().toInt() : 0;
}

// The action an item option stands for while sizing: the same text (or any separator);
// every item of one menu carries the same sizes, so a twin caption gives the same answer.
QAction* ActionForOption(const QWidget* menu, const QStyleOptionMenuItem* option) {
    if (!menu) return nullptr;
    const bool separator = option->menuItemType == QStyleOptionMenuItem::Separator;
    for (QAction* action : menu->actions()) {
        if (separator ? action->isSeparator()
                      : (!action->isSeparator() &&
                         (action->text() == option->text ||
                          option->text.startsWith(action->text() + QLatin1Char('\t'))))) {
            return action;
        }
    }
    return nullptr;
}

QAction* ActionAt(const QWidget* widget, const QRect& rect) {
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) return menu->actionAt(rect.center());
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) return bar->actionAt(rect.center());
    return nullptr;
}

unsigned StateOf(const QStyleOptionMenuItem* option, const QWidget* widget, bool menuBar) {
    unsigned state = 0;
    const QStyle::State s = option->state;
    if (!(s & QStyle::State_Enabled)) state |= ODS_GRAYED | ODS_DISABLED;
    if (menuBar) {
        // A pressed bar item has its menu open; one the mouse is over is only hot.
        if ((s & QStyle::State_Selected) && (s & QStyle::State_Sunken)) state |= ODS_SELECTED;
        else if (s & QStyle::State_Selected) state |= ODS_HOTLIGHT;
        if (widget && !widget->isActiveWindow()) state |= ODS_INACTIVE;
    } else {
        if (s & QStyle::State_Selected) state |= ODS_SELECTED;
        if (option->checkType != QStyleOptionMenuItem::NotCheckable && option->checked) {
            state |= ODS_CHECKED;
        }
        if (option->menuItemType == QStyleOptionMenuItem::DefaultItem) state |= ODS_DEFAULT;
    }
    return state;
}

// The arrow of an item that opens a submenu, drawn by the style after the item itself.
void DrawSubmenuArrow(QPainter& painter, const QRect& rect, unsigned state) {
    const bool disabled = state & ODS_DISABLED;
    const QColor color = ToQColor(disabled ? GetSysColor(SysColor::GrayText)
                                           : GetSysColor(SysColor::WindowText));
    const int x = rect.right() - 10, y = rect.center().y();
    for (int i = 0; i < 4; ++i) painter.fillRect(x + i, y - 3 + i, 1, 7 - 2 * i, color);
}

// Serves typed mnemonics of the converted menus.
class MenuEvents : public QObject {
public:
    explicit MenuEvents(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu) return false;
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (text.size() == 1 && text[0].isPrint() && !text[0].isSpace() &&
                !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                CMenuXP::IsOwnerDrawMenu(menu)) {
                const unsigned result = CMenuXP::MenuChar(menu, text[0], MF_POPUP);
                if ((result >> 16) == 2) {
                    const QList<QAction*> actions = menu->actions();
                    const int position = static_cast<int>(result & 0xFFFF);
                    if (position < actions.size() && actions[position]->isEnabled()) {
                        menu->setActiveAction(actions[position]);
                        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                        QCoreApplication::sendEvent(menu, &enter);
                    }
                    return true;
                }
            }
        }
        return false;
    }
};

// Two things Qt's menu bar does not do for the items painted here.
class BarEvents : public QObject {
public:
    explicit BarEvents(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* bar = qobject_cast<QMenuBar*>(watched);
        if (!bar) return false;
        switch (event->type()) {
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            // The items are grey while the window is inactive; Qt repaints a widget on this
            // change only when its palette differs between the two states.
            bar->update();
            return false;
        case QEvent::KeyPress: {
            if (forwarding_) return false;
            // Leaving keyboard navigation hands the focus back to the widget that had it; when
            // none had, Qt leaves it on the bar, and a bar with the focus keeps the item the
            // mouse last touched highlighted after the mouse has left. The key is handled
            // first, then a bar that is no longer navigated lets the focus go.
            forwarding_ = true;
            QCoreApplication::sendEvent(bar, event);
            forwarding_ = false;
            if (bar->hasFocus() && !bar->activeAction() && !QApplication::activePopupWidget())
                bar->clearFocus();
            return true;
        }
        default:
            return false;
        }
    }

private:
    bool forwarding_ = false;
};

void AttachMenu(QWidget* window, QMenu* menu, CMenuXPStyle* style, MenuEvents* events) {
    menu->setStyle(style);
    menu->setFont(StockFont(DEFAULT_GUI_FONT).value_or(menu->font()));
    menu->installEventFilter(events);
    // Qt lays the items out right after this signal, so they are measured in time.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [window, menu] {
        CMenuXP::InitMenuPopup(window, menu, CMenuXP::IsEnabledForWindow(window), false);
    });
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) AttachMenu(window, sub, style, events);
    }
}

}  // namespace

CMenuXPStyle::CMenuXPStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int CMenuXPStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
    case PM_MenuDesktopFrameWidth:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int CMenuXPStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    // Alt alone moves the keyboard to the menu bar, as the program's users are used to.
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize CMenuXPStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && (type == CT_MenuItem || type == CT_MenuBarItem)) {
        const QAction* action = ActionForOption(widget, item);
        if (CMenuXP::IsOwnerDrawn(action)) {
            QSize measured = CMenuXP::MeasureItem(CMenuXP::ActionItemData(action));
            // Every owner-drawn item gets twice the menu font's average character on top of its
            // measured width, as room around the label; bar items take the bar's height.
            const QFontMetrics metrics(StockFont(DEFAULT_GUI_FONT).value_or(QFont()));
            measured.rwidth() += 2 * metrics.averageCharWidth();
            if (type == CT_MenuBarItem) measured.setHeight(widget->property("menuxp.barHeight").toInt());
            return measured;
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void CMenuXPStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && (element == CE_MenuItem || element == CE_MenuBarItem)) {
        const QAction* action = ActionAt(widget, option->rect);
        if (CMenuXP::IsOwnerDrawn(action)) {
            const bool menuBar = element == CE_MenuBarItem;
            MenuDrawItem draw;
            draw.rect = Rect::FromQRect(option->rect);
            draw.state = StateOf(item, widget, menuBar);
            draw.type = (action->isSeparator() ? MFT_SEPARATOR : 0u) |
                        (item->checkType == QStyleOptionMenuItem::Exclusive ? MFT_RADIOCHECK : 0u);
            draw.itemData = CMenuXP::ActionItemData(action);
            draw.commandId = CommandIdOf(action);
            draw.submenu = action->menu();
            Dc dc(*painter);
            if (CMenuXP::DrawItem(dc, draw)) {
                if (!menuBar && action->menu()) DrawSubmenuArrow(*painter, option->rect, draw.state);
                return;
            }
        }
    }
    if (element == CE_MenuBarEmptyArea) {
        painter->fillRect(option->rect, ToQColor(GetSysColor(SysColor::ButtonFace)));
        return;
    }
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, ToQColor(CMenuXP::Look().gradientEnd));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CMenuXPStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, ToQColor(GetSysColor(SysColor::ButtonFace)));
        return;
    case PE_PanelMenu:
        painter->fillRect(option->rect, ToQColor(CMenuXP::Look().gradientEnd));
        return;
    case PE_FrameMenu: {
        // A flat one-pixel frame in the 3-D shadow colour around the pop-up.
        painter->save();
        painter->setPen(ToQColor(GetSysColor(SysColor::ButtonShadow)));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

namespace CMenuXP {

void AttachToWindowMenus(QWidget* window) {
    auto* bar = window ? window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)
                       : nullptr;
    if (!bar) return;
    auto* style = new CMenuXPStyle;
    style->setParent(bar);
    auto* events = new MenuEvents(bar);
    bar->installEventFilter(new BarEvents(bar));
    bar->setStyle(style);
    bar->setFont(StockFont(DEFAULT_GUI_FONT).value_or(bar->font()));
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) AttachMenu(window, menu, style, events);
    }
}

}  // namespace CMenuXP
