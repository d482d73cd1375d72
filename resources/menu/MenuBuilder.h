#pragma once
// Turns a menu table (MainMenu.h) into Qt menus.

#include <QIcon>
#include <functional>
#include <vector>

#include "MainMenu.h"

class QAction;
class QMenuBar;
class QWidget;

// A menu bar with one menu per popup of `table`. Every command becomes an action whose data
// (QAction::data) is its id and whose trigger calls onCommand(id); a caption's '&' stays the
// mnemonic marker. Separators and nested popups keep their places.
QMenuBar* BuildMenuBar(const std::vector<MenuItemDef>& table, QWidget* parent,
                       std::function<void(int)> onCommand);

// The action of command `id` anywhere under the menu bar, or nullptr.
QAction* FindMenuAction(QMenuBar* menuBar, int id);

// Cell `index` (0 to 16) of the command strip, bitmap 185, with its mask colour
// RGB(192,192,192) made transparent; a null icon for an index outside the strip.
QIcon CommandStripIcon(int index);
