#include "MenuXP.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <map>
#include <optional>

#include "BufferedDC.h"
#include "ColorHls.h"
#include "DialogTemplate.h"
#include "EffectPainter.h"
#include "Settings.h"

namespace {

const char kWindowProperty[] = "XPWndProp_MenuXP";
const char kItemDataProperty[] = "menuxp.itemData";
const char kOwnerDrawProperty[] = "menuxp.ownerDraw";

struct ImageRef {
    std::shared_ptr<CImageList> list;
    int index = 0;
};

// The four lookup tables. Submenus are keyed by their address; the guarded pointer tells
// whether the menu still exists, so entries of deleted menus can be dropped.
struct SubmenuText {
    QPointer<const QMenu> menu;
    QString text;
};
struct SubmenuImage {
    QPointer<const QMenu> menu;
    ImageRef image;
};
struct Tables {
    QHash<int, QString> commandTexts;
    std::map<const QMenu*, SubmenuText> submenuTexts;
    QHash<int, ImageRef> commandImages;
    std::map<const QMenu*, SubmenuImage> submenuImages;
};

Tables& TheTables() {
    static Tables tables;
    return tables;
}

std::optional<MenuLook>& LookCache() {
    static std::optional<MenuLook> look;
    return look;
}

int& DepthOverride() {
    static int depth = 0;
    return depth;
}

COLORREF ButtonFace() { return GetSysColor(SysColor::ButtonFace); }
COLORREF Highlight() { return GetSysColor(SysColor::Highlight); }
COLORREF MenuText() { return GetSysColor(SysColor::WindowText); }

int DisplayDepth() {
    if (DepthOverride() > 0) return DepthOverride();
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->depth();
    return 32;
}

QFont MenuFont() {
    return StockFont(DEFAULT_GUI_FONT).value_or(QFont());
}

QFont BoldFont(QFont font, bool bold) {
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// The label is the text before the first tab, the accelerator the text after it.
void SplitLabel(const QString& text, QString* label, QString* accel) {
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    *label = tab < 0 ? text : text.left(tab);
    *accel = tab < 0 ? QString() : text.mid(tab + 1);
}

// Qt keeps the item rectangles it measured; a style change makes it measure them again.
void RelayOut(QWidget* menu) {
    QEvent changed(QEvent::StyleChange);
    QCoreApplication::sendEvent(menu, &changed);
}

QList<QAction*> ActionsOf(QWidget* menu) {
    return menu ? menu->actions() : QList<QAction*>();
}

bool IsDefaultItem(const QWidget* menu, const QAction* action) {
    const auto* popup = qobject_cast<const QMenu*>(menu);
    return popup && popup->defaultAction() == action;
}

int CommandIdOf(const QAction* action) {
    return action->data().isValid() ? action->data().toInt() : 0;
}

// Draws a label with its mnemonic underlined in the Dc's font and text colour.
void DrawMenuText(Dc& dc, const QString& text, const Rect& rect, int alignment, bool hidePrefix) {
    QPainter& painter = dc.Painter();
    painter.save();
    painter.setFont(dc.GetFont());
    painter.setPen(ToQColor(dc.GetTextColor()));
    const int flags = alignment | Qt::AlignVCenter | Qt::TextSingleLine |
                      (hidePrefix ? Qt::TextHideMnemonic : Qt::TextShowMnemonic);
    painter.drawText(rect.ToQRect(), flags, text);
    painter.restore();
}

// The one-colour silhouette of an image: its visible pixels in `color`.
QImage Silhouette(const QImage& image, COLORREF color) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QColor c = ToQColor(color);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] = qAlpha(line[x]) ? qRgba(c.red(), c.green(), c.blue(), qAlpha(line[x])) : 0;
        }
    }
    return out;
}

// The soft shadow in the 4-pixel strip right of a pressed menu-bar item.
void DrawBarItemShadow(Dc& dc, const Rect& r) {
    const int height = r.Height();
    for (int x = 0; x <= 3; ++x) {
        const int column = r.right - 1 - x;
        const int c = x == 0 ? 2 : 1;
        for (int i = std::max(2 - x, 0); i < height - c - x; ++i) {
            int e = x;
            if (i == 0) e = 0;
            else if (i == 1) e = x >= 2 ? 1 : 0;
            else if (i == 2) e = x >= 2 ? 2 : x;
            const Rect pixel(column, r.top + 4 + i, column + 1, r.top + 5 + i);
            QImage area = GrabDcArea(dc, pixel);
            if (area.isNull()) return;
            const QRgb p = area.pixel(0, 0);
            const int f = 93 - 5 * e;
            area.setPixel(0, 0, qRgb(qRed(p) * f / 100, qGreen(p) * f / 100, qBlue(p) * f / 100));
            PutDcArea(dc, pixel.left, pixel.top, area);
        }
    }
}

// The check mark of a checked item without an image, on the box colour.
void DrawCheckMark(Dc& dc, int left, int top, COLORREF color) {
    QPainter& painter = dc.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor c = ToQColor(color);
    // Seven columns: down two steps from the left, then up four to the right, 3 pixels thick.
    const int x0 = left + 4, y0 = top + 6;
    static constexpr int kDrop[7] = {0, 1, 2, 1, 0, -1, -2};
    for (int i = 0; i < 7; ++i) painter.fillRect(x0 + i, y0 + kDrop[i], 1, 3, c);
    painter.restore();
}

}  // namespace

// ---- image lists ------------------------------------------------------------------------------

std::shared_ptr<CImageList> CImageList::FromStrip(const QImage& strip, int cellSize,
                                                  COLORREF maskColor) {
    auto list = std::make_shared<CImageList>();
    if (strip.isNull() || cellSize <= 0) return list;
    const QRgb mask = qRgb(GetR(maskColor), GetG(maskColor), GetB(maskColor)) & 0x00FFFFFF;
    for (int x = 0; x + cellSize <= strip.width(); x += cellSize) {
        QImage cell = strip.copy(x, 0, cellSize, std::min(cellSize, strip.height()))
                          .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < cell.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
            for (int c = 0; c < cell.width(); ++c)
                if ((line[c] & 0x00FFFFFF) == mask) line[c] = 0;
        }
        list->images_.push_back(cell);
    }
    return list;
}

QImage CImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return {};
    return images_[index];
}

// ---- item data --------------------------------------------------------------------------------

MenuItemData PackMenuItemData(int height, int accelWidth, int labelWidth) {
    return (static_cast<MenuItemData>(height) & 0xFF) |
           ((static_cast<MenuItemData>(accelWidth) & 0xFF) << 8) |
           ((static_cast<MenuItemData>(labelWidth) & 0xFFFF) << 16) |
           ((static_cast<MenuItemData>(std::max(0, accelWidth)) & 0xFFFFFFFF) << 32);
}

MenuItemData PackMenuBarItemData(int textWidth) {
    return (static_cast<MenuItemData>(textWidth) & 0xFFFF) << 16;
}

namespace CMenuXP {

// ---- the window's part ------------------------------------------------------------------------

void EnableForWindow(QWidget* window, bool enable) {
    if (!window) return;
    window->setProperty(kWindowProperty, enable ? QVariant(1) : QVariant());
}

bool IsEnabledForWindow(const QWidget* window) {
    return window && window->property(kWindowProperty).isValid();
}

void UpdateMenuBar(QWidget* window) {
    if (!IsEnabledForWindow(window)) return;
    if (auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        InitMenuPopup(window, bar, true, true);
    }
}

// ---- look -------------------------------------------------------------------------------------

const MenuLook& Look() {
    std::optional<MenuLook>& look = LookCache();
    if (!look) {
        MenuLook l;
        l.showGradient = settings::ProfileInt("MenuXP", "ShowGradient", 1) != 0;
        l.showGradientSel = settings::ProfileInt("MenuEx", "ShowGradientSel", 1) != 0;
        const int start = settings::ProfileInt("MenuXP", "GradientStart", 0xE4C4B4);
        const int end = settings::ProfileInt("MenuXP", "GradientEnd", 0xFFFFFF);
        l.gradientStart = start == -1 ? AdjustColorHls(ButtonFace(), 20, 0)
                                      : static_cast<COLORREF>(start);
        l.gradientEnd = end == -1 ? AdjustColorHls(ButtonFace(), 75, 0) : static_cast<COLORREF>(end);
        l.gradientWidth = settings::ProfileInt("MenuXP", "GradientWidth", 30);
        look = l;
    }
    return *look;
}

void ReloadLookSettings() { LookCache().reset(); }

void SetDisplayDepth(int bitsPerPixel) { DepthOverride() = bitsPerPixel; }

// ---- tables -----------------------------------------------------------------------------------

void SetCommandImage(int commandId, std::shared_ptr<CImageList> images, int index) {
    TheTables().commandImages[commandId] = ImageRef{std::move(images), index};
}

QString ItemText(int commandId, const QMenu* submenu) {
    Tables& t = TheTables();
    if (submenu) {
        const auto it = t.submenuTexts.find(submenu);
        return it != t.submenuTexts.end() && it->second.menu ? it->second.text : QString();
    }
    return t.commandTexts.value(commandId);
}

bool ItemImage(int commandId, const QMenu* submenu, QImage* image) {
    Tables& t = TheTables();
    const ImageRef* ref = nullptr;
    if (submenu) {
        const auto it = t.submenuImages.find(submenu);
        if (it != t.submenuImages.end() && it->second.menu) ref = &it->second.image;
    } else if (const auto it = t.commandImages.constFind(commandId); it != t.commandImages.cend()) {
        ref = &it.value();
    }
    if (!ref || !ref->list) return false;
    const QImage found = ref->list->Image(ref->index);
    if (found.isNull()) return false;
    if (image) *image = found;
    return true;
}

MenuItemData ActionItemData(const QAction* action) {
    return action ? action->property(kItemDataProperty).toULongLong() : 0;
}

bool IsOwnerDrawn(const QAction* action) {
    return action && action->property(kOwnerDrawProperty).toBool();
}

bool IsOwnerDrawMenu(const QWidget* menu) {
    if (!menu) return false;
    const QList<QAction*> actions = menu->actions();
    return !actions.isEmpty() && IsOwnerDrawn(actions.front());
}

// ---- converting and measuring -----------------------------------------------------------------

void InitMenuPopup(QWidget* owner, QWidget* menu, bool enabled, bool menuBarMode) {
    Q_UNUSED(owner);
    if (!enabled || !menu) return;
    Tables& tables = TheTables();
    // Entries of menus that no longer exist are dropped.
    std::erase_if(tables.submenuTexts, [](const auto& e) { return e.second.menu.isNull(); });
    std::erase_if(tables.submenuImages, [](const auto& e) { return e.second.menu.isNull(); });

    const QFont font = MenuFont();
    const QFontMetrics metrics(font);
    const int textHeight = metrics.height();
    const int itemHeight = textHeight + 2 > 16 ? textHeight + 6 : 20;
    const int separatorHeight = textHeight / 2 + 2;

    const QList<QAction*> actions = ActionsOf(menu);
    for (QAction* action : actions) {
        const QString text = action->text().left(255);
        if (!IsOwnerDrawn(action)) {
            action->setProperty(kOwnerDrawProperty, true);
            if (menuBarMode) {
                action->setProperty(kItemDataProperty,
                                    QVariant::fromValue<qulonglong>(PackMenuBarItemData(
                                        metrics.horizontalAdvance(WithoutMnemonic(text)))));
            }
            if (!action->isSeparator()) {
                if (QMenu* sub = action->menu()) {
                    tables.submenuTexts[sub] = SubmenuText{sub, text};
                } else {
                    tables.commandTexts[CommandIdOf(action)] = text;
                }
            }
        }
    }
    if (menuBarMode) {
        menu->setProperty("menuxp.barHeight", itemHeight);
        RelayOut(menu);
        return;
    }

    int widestLabel = 0, widestAccel = 0;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QString text = ItemText(CommandIdOf(action), action->menu());
        QString label, accel;
        SplitLabel(text, &label, &accel);
        const QFontMetrics m(BoldFont(font, IsDefaultItem(menu, action)));
        const QString shown = WithoutMnemonic(label);
        widestLabel = std::max(widestLabel, static_cast<int>(m.horizontalAdvance(shown)));
        if (!accel.isEmpty()) widestAccel = std::max(widestAccel, static_cast<int>(m.horizontalAdvance(accel)));
    }
    for (QAction* action : actions) {
        const MenuItemData data = action->isSeparator()
                                      ? static_cast<MenuItemData>(separatorHeight)
                                      : PackMenuItemData(itemHeight, widestAccel, widestLabel);
        action->setProperty(kItemDataProperty, QVariant::fromValue<qulonglong>(data));
    }
    RelayOut(menu);
}

QSize MeasureItem(MenuItemData itemData) {
    const int height = ItemDataHeight(itemData);
    const int label = ItemDataLabelWidth(itemData);
    if (height == 0) return QSize(label + 4, 0);
    return QSize(label + ItemDataAccelWidth(itemData) + 42, height);
}

// ---- mnemonics --------------------------------------------------------------------------------

int FindMnemonic(const std::vector<QString>& labels, QChar character) {
    const QString wanted = QString(character).toUpper();
    for (std::size_t item = 0; item < labels.size(); ++item) {
        const QString label = labels[item].toUpper();
        for (qsizetype i = label.size() - 2; i >= 0; --i) {
            if (label[i] != QLatin1Char('&') || label[i + 1] != wanted[0]) continue;
            if (i > 0 && label[i - 1] == QLatin1Char('&')) continue;
            return static_cast<int>(item);
        }
    }
    return -1;
}

unsigned MenuChar(const QMenu* menu, QChar character, unsigned flags) {
    if (!menu) return 0;
    if (flags != 0 && (!(flags & MF_POPUP) || (flags & MF_SYSMENU))) return 0;
    std::vector<QString> labels;
    for (const QAction* action : menu->actions()) {
        QString label, accel;
        SplitLabel(ItemText(CommandIdOf(action), action->menu()), &label, &accel);
        labels.push_back(action->isSeparator() ? QString() : label);
    }
    const int found = FindMnemonic(labels, character);
    return found < 0 ? 0u : (2u << 16) | static_cast<unsigned>(found);
}

// ---- painting ---------------------------------------------------------------------------------

void DrawMenuGradient(Dc& dc, COLORREF start, COLORREF end, const Rect& rect) {
    if (start == end) {
        dc.FillSolidRect(rect, start);
        return;
    }
    const int dr = GetR(end) - GetR(start), dg = GetG(end) - GetG(start),
              db = GetB(end) - GetB(start);
    const int n = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
    const float w = static_cast<float>(rect.right - rect.left) / n;
    int reached = rect.left;
    for (int t = 0; t < n; ++t) {
        const int from = rect.left + static_cast<int>(t * w);
        const int to = rect.left + static_cast<int>((t + 1) * w);
        if (to > from) {
            dc.FillSolidRect(Rect(from, rect.top, to, rect.bottom),
                             RGB(static_cast<int>(GetR(start) + static_cast<float>(t) * dr / n),
                                 static_cast<int>(GetG(start) + static_cast<float>(t) * dg / n),
                                 static_cast<int>(GetB(start) + static_cast<float>(t) * db / n)));
            reached = to;
        }
    }
    if (reached < rect.right) dc.FillSolidRect(Rect(reached, rect.top, rect.right, rect.bottom), end);
}

bool DrawItem(Dc& target, const MenuDrawItem& item) {
    if (item.ctlType != ODT_MENU) return false;
    const MenuLook& look = Look();
    const Rect& r = item.rect;
    const QString text = ItemText(item.commandId, item.submenu);
    QImage image;
    const bool hasImage = ItemImage(item.commandId, item.submenu, &image);

    CBufferedDC dc(target, r);
    CScopedStockFont stockFont(dc, DEFAULT_GUI_FONT);

    const bool selected = item.state & ODS_SELECTED;
    const bool menuBar = ItemDataHeight(item.itemData) == 0;
    const bool hot = item.state & ODS_HOTLIGHT;
    const bool inactive = item.state & ODS_INACTIVE;
    const bool noAccel = item.state & ODS_NOACCEL;
    const bool checked = item.state & ODS_CHECKED;
    const bool disabled = (item.state & ODS_GRAYED) && (item.state & ODS_DISABLED);
    const bool separator = item.type & MFT_SEPARATOR;
    const bool gradientMode = look.showGradient && DisplayDepth() > 8;
    const COLORREF face = ButtonFace();
    const COLORREF highlight = Highlight();

    // ---- background
    if (!menuBar && (!selected && (!hot || inactive))) {
        if (gradientMode) {
            const Rect band(r.left, r.top, r.left + look.gradientWidth, r.bottom);
            DrawMenuGradient(dc, look.gradientStart, look.gradientEnd, band);
            dc.FillSolidRect(Rect(band.right, r.top, r.right, r.bottom), look.gradientEnd);
        } else {
            dc.FillSolidRect(Rect(r.left, r.top, r.left + 22, r.bottom), AdjustColorHls(face, 20, 0));
            dc.FillSolidRect(Rect(r.left + 22, r.top, r.right, r.bottom), AdjustColorHls(face, 75, 0));
        }
    } else if (menuBar && ((!selected && !hot) || inactive)) {
        dc.FillSolidRect(r, face);
    } else if (!menuBar || !selected) {
        const COLORREF fill = disabled ? AdjustColorHls(face, 73, 0)
                                       : AdjustColorHls(highlight, 70, -57);
        CScopedPen pen(dc, highlight);
        CScopedBrush brush(dc, fill);
        if (!menuBar) {
            if (gradientMode && look.showGradientSel) {
                DrawMenuGradient(dc, disabled ? fill : look.gradientStart, look.gradientEnd, r);
                CScopedBrush hollow(dc, kNoColor);
                dc.Rectangle(r);
            } else {
                dc.Rectangle(r);
            }
        } else {
            dc.Rectangle(Rect(r.left, r.top, r.right - 4, r.bottom));
            dc.FillSolidRect(Rect(r.right - 4, r.top, r.right, r.bottom), face);
        }
    } else {
        // The pressed menu-bar item: a box with a soft shadow on its right.
        CScopedPen pen(dc, GetSysColor(SysColor::DarkShadow));
        CScopedBrush brush(dc, AdjustColorHls(face, 20, 0));
        dc.Rectangle(Rect(r.left, r.top, r.right - 4, r.bottom));
        dc.FillSolidRect(Rect(r.right - 4, r.top, r.right, r.bottom), face);
        DrawBarItemShadow(dc, r);
    }

    if (separator) {
        const int middle = (r.top + r.bottom) / 2;
        CScopedPen pen(dc, AdjustColorHls(face, -18, 0));
        dc.MoveTo(r.left + 30, middle);
        dc.LineTo(r.right - 1, middle);
        return true;
    }

    // ---- text
    QString label, accel;
    SplitLabel(text, &label, &accel);
    if (!label.isEmpty()) {
        const COLORREF color = inactive ? GetSysColor(SysColor::ButtonShadow)
                               : disabled ? AdjustColorHls(face, -18, 0)
                                          : MenuText();
        dc.SetTextColor(color);
        dc.SetBkMode(TRANSPARENT);
        if (menuBar) {
            DrawMenuText(dc, label, Rect(r.left, r.top, r.right - 4, r.bottom), Qt::AlignHCenter,
                         noAccel);
        } else {
            CScopedBoldFont bold(dc, item.state & ODS_DEFAULT);
            DrawMenuText(dc, label, Rect(r.left + 30, r.top, r.right, r.bottom), Qt::AlignLeft,
                         noAccel);
            if (!accel.isEmpty()) {
                DrawMenuText(dc, accel, Rect(r.left, r.top, r.right - 12, r.bottom),
                             Qt::AlignRight, noAccel);
            }
        }
    }
    if (menuBar) return true;

    // ---- check box, image, mark
    COLORREF boxColor = 0;
    if (checked) {
        boxColor = disabled   ? AdjustColorHls(face, 73, 0)
                   : selected ? AdjustColorHls(highlight, 50, -50)
                              : AdjustColorHls(highlight, 70, -57);
        CScopedPen pen(dc, highlight);
        CScopedBrush brush(dc, boxColor);
        dc.Rectangle(Rect(r.left + 1, r.top + 1, r.left + 20, r.bottom - 1));
    }
    if (hasImage) {
        QPainter& painter = dc.Painter();
        if (disabled || (selected && !checked)) {
            const bool raised = !disabled && selected;
            const int offset = raised ? 4 : 3;
            painter.drawImage(QPoint(r.left + offset, r.top + offset),
                              Silhouette(image, raised ? AdjustColorHls(highlight, 50, -66)
                                                       : AdjustColorHls(face, -27, 0)));
        }
        if (!disabled) {
            const int offset = (selected && !checked) ? 2 : 3;
            painter.drawImage(QPoint(r.left + offset, r.top + offset), image);
        }
    } else if (checked) {
        const int x = (r.left + 5 + r.left + 20) / 2;
        const int y = (r.top + r.bottom) / 2;
        if (item.type & MFT_RADIOCHECK) {
            const COLORREF dot = disabled ? AdjustColorHls(face, -27, 0) : MenuText();
            QPainter& painter = dc.Painter();
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(Qt::NoPen);
            painter.setBrush(ToQColor(dot));
            painter.drawEllipse(QRect(x - 4, y - 3, 7, 7));
            painter.restore();
            dc.FillSolidRect(Rect(x + 1, y + 2, x + 2, y + 3), boxColor);
        } else {
            DrawCheckMark(dc, r.left + 5, r.top + 3,
                          disabled ? AdjustColorHls(face, -27, 0) : MenuText());
        }
    }
    return true;
}

}  // namespace CMenuXP
