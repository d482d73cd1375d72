#pragma once
// The flat look of the main window's menus: pop-up items with a gradient band on the left and
// 16 × 16 command images, selection boxes, check marks and radio dots, and a box with a soft
// shadow around the pressed menu-bar item.
//
// The menus stay real Qt menus: keyboard navigation, Alt with a letter on the menu bar and
// accessibility are Qt's. Inside an open pop-up a typed letter is answered by MenuChar, through
// the key filter that AttachToWindowMenus installs: the first item whose label marks that letter
// is chosen at once (nothing happens when that item is disabled); a letter no label marks goes
// on to Qt. This code measures and paints the items. A window takes part when it carries the
// property "XPWndProp_MenuXP". Converting a menu stores each item's text in the tables below and
// its measured size in the item's data; the style of MenuXPStyle.h asks MeasureItem and DrawItem
// for every item it sizes and paints.

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "Dc.h"

class QAction;
class QMenu;
class QWidget;

// A strip of equally sized images with one mask colour, cut into cells.
class CImageList {
public:
    // Cuts `strip` into cells of `cellSize`; pixels of `maskColor` become transparent.
    static std::shared_ptr<CImageList> FromStrip(const QImage& strip, int cellSize,
                                                 COLORREF maskColor);
    int Count() const { return static_cast<int>(images_.size()); }
    // The cell with transparency; a null image outside the list.
    QImage Image(int index) const;

private:
    std::vector<QImage> images_;
};

// Item states of drawing and the item types that matter to it.
inline constexpr unsigned ODS_SELECTED = 0x0001;
inline constexpr unsigned ODS_GRAYED = 0x0002;
inline constexpr unsigned ODS_DISABLED = 0x0004;
inline constexpr unsigned ODS_CHECKED = 0x0008;
inline constexpr unsigned ODS_DEFAULT = 0x0020;
inline constexpr unsigned ODS_HOTLIGHT = 0x0040;
inline constexpr unsigned ODS_INACTIVE = 0x0080;
inline constexpr unsigned ODS_NOACCEL = 0x0100;
inline constexpr unsigned MFT_RADIOCHECK = 0x0200;
inline constexpr unsigned MFT_SEPARATOR = 0x0800;
inline constexpr unsigned MF_POPUP = 0x0010;
inline constexpr unsigned MF_SYSMENU = 0x2000;
inline constexpr int ODT_MENU = 1;

// An item's measured size. The low 32 bits: bits 0-7 the item height, bits 8-15 the low byte
// of the menu's widest accelerator, bits 16-31 the widest label; a menu-bar item has its text
// width in bits 16-31 and a zero low byte. Bits 32-63 keep the whole accelerator width, which
// is what sizes and draws the item, so wide accelerators are never cut to 8 bits.
using MenuItemData = std::uint64_t;
MenuItemData PackMenuItemData(int height, int accelWidth, int labelWidth);
MenuItemData PackMenuBarItemData(int textWidth);
inline int ItemDataHeight(MenuItemData d) { return static_cast<int>(d & 0xFF); }
inline int ItemDataLabelWidth(MenuItemData d) { return static_cast<int>((d >> 16) & 0xFFFF); }
inline int ItemDataAccelWidth(MenuItemData d) { return static_cast<int>(d >> 32); }

// What painting one item needs: the item's rectangle, its ODS_ state, its MFT_ type, its data
// and its command id or submenu (the key of the text and image tables).
struct MenuDrawItem {
    int ctlType = ODT_MENU;
    Rect rect;
    unsigned state = 0;
    unsigned type = 0;
    MenuItemData itemData = 0;
    int commandId = 0;
    const QMenu* submenu = nullptr;
};

// The look settings, read from the profile sections "MenuXP" and "MenuEx" once per process.
struct MenuLook {
    bool showGradient = true;
    bool showGradientSel = true;
    COLORREF gradientStart = 0;
    COLORREF gradientEnd = 0;
    int gradientWidth = 30;
};

namespace CMenuXP {

void EnableForWindow(QWidget* window, bool enable);
bool IsEnabledForWindow(const QWidget* window);
// Converts the window's menu bar (when it has the property and a menu bar).
void UpdateMenuBar(QWidget* window);
// Converts and measures the items of a pop-up menu, or of a menu bar in menu-bar mode;
// `menu` is a QMenu or a QMenuBar. Does nothing when not enabled.
void InitMenuPopup(QWidget* owner, QWidget* menu, bool enabled, bool menuBarMode);
// The size of an item from its data: height from bits 0-7, width label + accelerator + 42,
// or the label + 4 for a menu-bar item.
QSize MeasureItem(MenuItemData itemData);
// Paints a menu item; false for anything that is not one.
bool DrawItem(Dc& dc, const MenuDrawItem& item);
bool IsOwnerDrawMenu(const QWidget* menu);
// The mnemonic search: the position of the first item whose label has "&" + the character
// in the low word and 2 (execute) in the high word; 0 for no match or flags it does not serve.
unsigned MenuChar(const QMenu* menu, QChar character, unsigned flags);
// The same search over labels: the index of the first match, -1 for none.
int FindMnemonic(const std::vector<QString>& labels, QChar character);
void SetCommandImage(int commandId, std::shared_ptr<CImageList> images, int index);

// The main window's part: installs the item painting on the window's menu bar and its menus,
// converts each pop-up before it shows (with the window's property deciding) and serves typed
// mnemonics through MenuChar.
void AttachToWindowMenus(QWidget* window);

// The stored text and image of an item: by command id, or by submenu for items that open one.
QString ItemText(int commandId, const QMenu* submenu);
bool ItemImage(int commandId, const QMenu* submenu, QImage* image);

// The look settings (read on first use) and the colour depth that decides gradient mode.
const MenuLook& Look();
void ReloadLookSettings();
void SetDisplayDepth(int bitsPerPixel);  // 0: the screen's own depth

// The data a converted item carries (0 when the action is not converted).
MenuItemData ActionItemData(const QAction* action);
bool IsOwnerDrawn(const QAction* action);

// The horizontal gradient of the band: strips of one colour each, as many as the largest
// channel difference.
void DrawMenuGradient(Dc& dc, COLORREF start, COLORREF end, const Rect& rect);

}  // namespace CMenuXP
