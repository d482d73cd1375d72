#include "MenuBuilder.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QString>

namespace {

constexpr int kStripCell = 16;
constexpr int kStripCells = 17;

QString Caption(const char16_t* text) {
    return QString::fromUtf16(text);
}

void AddItems(QMenu* menu, const std::vector<MenuItemDef>& items,
              const std::function<void(int)>& onCommand) {
    for (const MenuItemDef& item : items) {
        switch (item.kind) {
        case MenuItemKind::Separator:
            menu->addSeparator();
            break;
        case MenuItemKind::Popup:
            AddItems(menu->addMenu(Caption(item.caption)), item.children, onCommand);
            break;
        case MenuItemKind::Command: {
            QAction* action = menu->addAction(Caption(item.caption));
            action->setData(item.id);
            // Qt would move actions it takes for "about" or "quit" on some desktops.
            action->setMenuRole(QAction::NoRole);
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, menu, [onCommand, id] {
                if (onCommand) onCommand(id);
            });
            break;
        }
        }
    }
}

QAction* FindIn(const QList<QAction*>& actions, int id) {
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindIn(sub->actions(), id)) return found;
        } else if (!action->isSeparator() && action->data().isValid() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

QMenuBar* BuildMenuBar(const std::vector<MenuItemDef>& table, QWidget* parent,
                       std::function<void(int)> onCommand) {
    auto* bar = new QMenuBar(parent);
    for (const MenuItemDef& popup : table) {
        if (popup.kind == MenuItemKind::Popup) {
            AddItems(bar->addMenu(Caption(popup.caption)), popup.children, onCommand);
        } else if (popup.kind == MenuItemKind::Command) {
            // A command straight on the bar: not used by menu 132, kept for completeness.
            QAction* action = bar->addAction(Caption(popup.caption));
            action->setData(popup.id);
            const int id = popup.id;
            QObject::connect(action, &QAction::triggered, bar, [onCommand, id] {
                if (onCommand) onCommand(id);
            });
        }
    }
    return bar;
}

QAction* FindMenuAction(QMenuBar* menuBar, int id) {
    return menuBar ? FindIn(menuBar->actions(), id) : nullptr;
}

QIcon CommandStripIcon(int index) {
    if (index < 0 || index >= kStripCells) return {};
    const QImage strip(QStringLiteral(":/images/185.png"));
    if (strip.width() < (index + 1) * kStripCell || strip.height() < kStripCell) return {};
    QImage cell = strip.copy(index * kStripCell, 0, kStripCell, kStripCell)
                      .convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = qRgb(192, 192, 192);
    for (int y = 0; y < cell.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == (mask & 0x00FFFFFF)) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QIcon(QPixmap::fromImage(cell));
}
