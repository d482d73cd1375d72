// The owner-drawn menu: item sizes and their packed data, the mnemonic search, the look
// settings, and the pixels of the band, the selection, the marks and the pressed bar item.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include "BufferedDC.h"
#include "ColorHls.h"
#include "MenuXP.h"
#include "Settings.h"
#include "menu/MainMenu.h"
#include "menu/MenuBuilder.h"

namespace {

COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

QFontMetrics MenuMetrics() { return QFontMetrics(*StockFont(DEFAULT_GUI_FONT)); }

int ExpectedItemHeight() {
    const int h = MenuMetrics().height();
    return h + 2 > 16 ? h + 6 : 20;
}

// A window with the main menu, made owner-drawn as the main window does it.
struct MenuWindow {
    MenuWindow() {
        bar = BuildMenuBar(MainMenu(), &window, nullptr);
        CMenuXP::EnableForWindow(&window, true);
        CMenuXP::AttachToWindowMenus(&window);
        CMenuXP::UpdateMenuBar(&window);
    }
    QMenu* Popup(int index) { return bar->actions()[index]->menu(); }
    QWidget window;
    QMenuBar* bar = nullptr;
};

// Paints one item alone on a white image.
QImage Paint(const MenuDrawItem& item, int width = 120) {
    QImage image(width, item.rect.bottom, QImage::Format_ARGB32);
    image.fill(Qt::white);
    Dc dc(&image);
    EXPECT_TRUE(CMenuXP::DrawItem(dc, item));
    return image;
}

class MenuLookTest : public ::testing::Test {
protected:
    void TearDown() override {
        settings::SetProfileInt("MenuXP", "ShowGradient", 1);
        settings::SetProfileInt("MenuXP", "GradientStart", 0xE4C4B4);
        settings::SetProfileInt("MenuXP", "GradientEnd", 0xFFFFFF);
        settings::SetProfileInt("MenuXP", "GradientWidth", 30);
        CMenuXP::SetDisplayDepth(0);
        CMenuXP::ReloadLookSettings();
    }
    MenuDrawItem PopupItem(unsigned state = 0) {
        MenuDrawItem item;
        item.rect = Rect(0, 0, 120, 20);
        item.state = state;
        item.itemData = PackMenuItemData(20, 0, 60);
        item.commandId = 4242;
        return item;
    }
};

}  // namespace

TEST(MenuXP, PopupItemsCarryTheMenusWidestLabelAndOneHeight) {
    MenuWindow w;
    QMenu* menu = w.Popup(2);  // "Lista Gołębi"
    CMenuXP::InitMenuPopup(&w.window, menu, true, false);
    const QFontMetrics metrics = MenuMetrics();
    int widest = 0;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) widest = std::max(widest, metrics.horizontalAdvance(action->text()));
    for (QAction* action : menu->actions()) {
        const MenuItemData data = CMenuXP::ActionItemData(action);
        if (action->isSeparator()) {
            EXPECT_EQ(data, static_cast<MenuItemData>(metrics.height() / 2 + 2));
        } else {
            EXPECT_EQ(ItemDataHeight(data), ExpectedItemHeight()) << action->text().toStdString();
            EXPECT_EQ(ItemDataLabelWidth(data), widest);
            EXPECT_EQ(CMenuXP::MeasureItem(data), QSize(widest + 42, ExpectedItemHeight()));
        }
    }
    // Converted once: the texts live in the tables, by command id or by submenu.
    EXPECT_EQ(CMenuXP::ItemText(kCmdAddPigeon, nullptr), QString::fromUtf16(u"Dodaj nowego gołębia"));
    QMenu* ild = nullptr;
    for (QAction* action : menu->actions()) if (action->menu()) ild = action->menu();
    ASSERT_NE(ild, nullptr);
    EXPECT_EQ(CMenuXP::ItemText(0, ild), QString::fromUtf16(u"Indywidualna lista druku(ILD)"));
    EXPECT_TRUE(CMenuXP::IsOwnerDrawMenu(menu));
}

TEST(MenuXP, MenuBarItemsAreTheirTextWideAndTheBarTakesTheItemHeight) {
    MenuWindow w;
    QAction* first = w.bar->actions()[0];
    const MenuItemData data = CMenuXP::ActionItemData(first);
    EXPECT_EQ(data & 0xFFFF, 0u);
    EXPECT_EQ(ItemDataLabelWidth(data), MenuMetrics().horizontalAdvance(QStringLiteral("Baza Danych")));
    EXPECT_EQ(CMenuXP::MeasureItem(data).width(), ItemDataLabelWidth(data) + 4);
    EXPECT_EQ(w.bar->sizeHint().height(), ExpectedItemHeight());
}

TEST(MenuXP, AcceleratorsWiderThan255PixelsAreKeptWhole) {
    QWidget window;
    QMenu menu(&window);
    menu.addAction(QStringLiteral("A\t") + QString(60, QLatin1Char('W')))->setData(1);
    menu.addAction(QStringLiteral("Longer label"))->setData(2);
    CMenuXP::InitMenuPopup(&window, &menu, true, false);
    const QFontMetrics metrics = MenuMetrics();
    const int accel = metrics.horizontalAdvance(QString(60, QLatin1Char('W')));
    ASSERT_GT(accel, 255);
    for (QAction* action : menu.actions()) {
        const MenuItemData data = CMenuXP::ActionItemData(action);
        EXPECT_EQ(ItemDataAccelWidth(data), accel);
        EXPECT_EQ((data >> 8) & 0xFF, static_cast<MenuItemData>(accel & 0xFF));
        EXPECT_EQ(CMenuXP::MeasureItem(data).width(),
                  metrics.horizontalAdvance(QStringLiteral("Longer label")) + accel + 42);
    }
}

TEST(MenuXP, NothingIsConvertedForAWindowWithoutTheProperty) {
    QWidget window;
    QMenu menu(&window);
    menu.addAction(QStringLiteral("X"))->setData(3);
    CMenuXP::InitMenuPopup(&window, &menu, CMenuXP::IsEnabledForWindow(&window), false);
    EXPECT_FALSE(CMenuXP::IsOwnerDrawMenu(&menu));
    CMenuXP::EnableForWindow(&window, true);
    EXPECT_TRUE(CMenuXP::IsEnabledForWindow(&window));
    CMenuXP::EnableForWindow(&window, false);
    EXPECT_FALSE(CMenuXP::IsEnabledForWindow(&window));
}

TEST(MenuXP, MnemonicSearch) {
    const std::vector<QString> labels = {QStringLiteral("Pl&ik"), QStringLiteral("&&Bez"),
                                         QStringLiteral("Koniec&"), QStringLiteral("&Bis"),
                                         QString::fromUtf16(u"&łódź"), QStringLiteral("&Inny")};
    struct Case { QChar typed; int expected; };
    for (const Case& c : {Case{u'i', 0}, Case{u'I', 0}, Case{u'b', 3}, Case{u'k', -1},
                          Case{u'Ł', 4}, Case{u'ł', 4}, Case{u'z', -1}}) {
        EXPECT_EQ(CMenuXP::FindMnemonic(labels, c.typed), c.expected) << QString(c.typed).toStdString();
    }

    QWidget window;
    QMenu menu(&window);
    menu.addAction(QStringLiteral("&Alfa"))->setData(11);
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Beta"))->setData(12);
    CMenuXP::InitMenuPopup(&window, &menu, true, false);
    EXPECT_EQ(CMenuXP::MenuChar(&menu, u'b', 0), (2u << 16) | 2u);  // separators count
    EXPECT_EQ(CMenuXP::MenuChar(&menu, u'b', MF_POPUP), (2u << 16) | 2u);
    EXPECT_EQ(CMenuXP::MenuChar(&menu, u'b', MF_POPUP | MF_SYSMENU), 0u);
    EXPECT_EQ(CMenuXP::MenuChar(&menu, u'b', 0x400), 0u);
    EXPECT_EQ(CMenuXP::MenuChar(&menu, u'q', 0), 0u);
}

TEST(MenuXP, ADoubledAmpersandShowsOneAndASingleOneIsNotShown) {
    // The bar measures its items by the text as shown ...
    QWidget window;
    QMenuBar bar(&window);
    QAction* both = bar.addAction(QStringLiteral("R&&D &Mx"));
    both->setData(4903);  // its text is kept by command id: not under 0, which other items use
    CMenuXP::InitMenuPopup(&window, &bar, true, true);
    EXPECT_EQ(ItemDataLabelWidth(CMenuXP::ActionItemData(both)),
              MenuMetrics().horizontalAdvance(QStringLiteral("R&D Mx")));

    // ... and a popup item paints exactly that text.
    QMenu menu(&window);
    menu.addAction(QStringLiteral("R&&D &Mx"))->setData(4901);
    CMenuXP::InitMenuPopup(&window, &menu, true, false);
    EXPECT_EQ(ItemDataLabelWidth(CMenuXP::ActionItemData(menu.actions()[0])),
              MenuMetrics().horizontalAdvance(QStringLiteral("R&D Mx")));
    MenuDrawItem item;
    item.rect = Rect(0, 0, 160, 20);
    item.state = ODS_NOACCEL;
    item.itemData = PackMenuItemData(20, 0, 60);
    item.commandId = 4901;
    const QImage shown = Paint(item, 160);
    item.commandId = 4902;  // no text
    QImage expected = Paint(item, 160);
    {
        QPainter painter(&expected);
        painter.setFont(*StockFont(DEFAULT_GUI_FONT));
        painter.setPen(ToQColor(GetSysColor(SysColor::WindowText)));
        painter.drawText(QRect(30, 0, 130, 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QStringLiteral("R&D Mx"));
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(MenuLookTest, BandRunsFromTheStartColourToTheEndColour) {
    CMenuXP::ReloadLookSettings();
    const QImage image = Paint(PopupItem());
    // 75 strips over 30 pixels: the first two are empty, so the band starts at step 2 and
    // ends at step 74.
    EXPECT_EQ(At(image, 0, 10), RGB(182, 197, 228));
    EXPECT_EQ(At(image, 29, 10), RGB(254, 254, 254));
    EXPECT_EQ(At(image, 60, 2), RGB(255, 255, 255));
}

TEST_F(MenuLookTest, FlatBandWithoutGradientOrOnAnEightBitDisplay) {
    const COLORREF face = GetSysColor(SysColor::ButtonFace);
    for (int round = 0; round < 2; ++round) {
        if (round == 0) settings::SetProfileInt("MenuXP", "ShowGradient", 0);
        else CMenuXP::SetDisplayDepth(8);
        CMenuXP::ReloadLookSettings();
        const QImage image = Paint(PopupItem());
        EXPECT_EQ(At(image, 21, 10), AdjustColorHls(face, 20, 0)) << round;
        EXPECT_EQ(At(image, 22, 10), AdjustColorHls(face, 75, 0)) << round;
        settings::SetProfileInt("MenuXP", "ShowGradient", 1);
    }
}

TEST_F(MenuLookTest, MinusOneColoursTakeTheButtonFaceTints) {
    settings::SetProfileInt("MenuXP", "GradientStart", -1);
    settings::SetProfileInt("MenuXP", "GradientEnd", -1);
    settings::SetProfileInt("MenuXP", "GradientWidth", 40);
    CMenuXP::ReloadLookSettings();
    const COLORREF face = GetSysColor(SysColor::ButtonFace);
    EXPECT_EQ(CMenuXP::Look().gradientStart, AdjustColorHls(face, 20, 0));
    EXPECT_EQ(CMenuXP::Look().gradientEnd, AdjustColorHls(face, 75, 0));
    const QImage image = Paint(PopupItem());
    EXPECT_EQ(At(image, 0, 5), AdjustColorHls(face, 20, 0));
    EXPECT_EQ(At(image, 100, 5), AdjustColorHls(face, 75, 0));
}

TEST_F(MenuLookTest, SelectionIsFramedInTheHighlightColour) {
    CMenuXP::ReloadLookSettings();
    const COLORREF highlight = GetSysColor(SysColor::Highlight);
    QImage image = Paint(PopupItem(ODS_SELECTED));
    EXPECT_EQ(At(image, 0, 10), highlight);
    EXPECT_EQ(At(image, 119, 10), highlight);
    EXPECT_EQ(At(image, 1, 10), RGB(181, 196, 228));  // step 1 of 75 over 120 pixels
    // Without the gradient selection: one fill of the paled highlight.
    settings::SetProfileInt("MenuEx", "ShowGradientSel", 0);
    CMenuXP::ReloadLookSettings();
    image = Paint(PopupItem(ODS_SELECTED));
    settings::SetProfileInt("MenuEx", "ShowGradientSel", 1);
    EXPECT_EQ(At(image, 60, 10), AdjustColorHls(highlight, 70, -57));
}

TEST_F(MenuLookTest, CheckedRadioItemGetsABoxAndADot) {
    CMenuXP::ReloadLookSettings();
    MenuDrawItem item = PopupItem(ODS_CHECKED);
    item.type = MFT_RADIOCHECK;
    const QImage image = Paint(item);
    const COLORREF box = AdjustColorHls(GetSysColor(SysColor::Highlight), 70, -57);
    EXPECT_EQ(At(image, 1, 1), GetSysColor(SysColor::Highlight));
    EXPECT_EQ(At(image, 3, 3), box);
    const int x = (5 + 20) / 2, y = 10;
    EXPECT_EQ(At(image, x - 1, y), GetSysColor(SysColor::WindowText));
    EXPECT_EQ(At(image, x + 1, y + 2), box);  // the one pixel left in the box colour
}

TEST_F(MenuLookTest, PressedBarItemCastsItsShadowIntoTheRightStrip) {
    CMenuXP::ReloadLookSettings();
    MenuDrawItem item;
    item.rect = Rect(0, 0, 60, 20);
    item.state = ODS_SELECTED;
    item.itemData = PackMenuBarItemData(56);
    const QImage image = Paint(item, 60);
    const COLORREF face = GetSysColor(SysColor::ButtonFace);
    const int f = GetR(face);
    EXPECT_EQ(At(image, 0, 0), GetSysColor(SysColor::DarkShadow));
    EXPECT_EQ(At(image, 20, 10), AdjustColorHls(face, 20, 0));
    // Column right - 1 (x = 0): rows from top + 6 at 93 %.
    EXPECT_EQ(GetR(At(image, 59, 5)), f);
    EXPECT_EQ(GetR(At(image, 59, 6)), f * 93 / 100);
    // Column right - 3 (x = 2): i = 1 uses e = 1, i = 2 uses e = 2.
    EXPECT_EQ(GetR(At(image, 57, 5)), f * 88 / 100);
    EXPECT_EQ(GetR(At(image, 57, 6)), f * 83 / 100);
    EXPECT_EQ(GetR(At(image, 57, 10)), f * 83 / 100);
}

TEST(MenuXP, CommandImagesAreDrawnBesideTheirItems) {
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(qRgb(192, 192, 192));
    for (int y = 4; y < 12; ++y) strip.setPixel(16 + 8, y, qRgb(200, 0, 0));
    auto images = CImageList::FromStrip(strip, 16, RGB(192, 192, 192));
    ASSERT_EQ(images->Count(), 2);
    EXPECT_EQ(qAlpha(images->Image(1).pixel(0, 0)), 0);
    CMenuXP::SetCommandImage(777, images, 1);
    MenuDrawItem item;
    item.rect = Rect(0, 0, 120, 20);
    item.itemData = PackMenuItemData(20, 0, 60);
    item.commandId = 777;
    const QImage image = Paint(item);
    EXPECT_EQ(At(image, 3 + 8, 3 + 4), RGB(200, 0, 0));   // image at offset 3
    item.state = ODS_SELECTED;
    const QImage selected = Paint(item);
    EXPECT_EQ(At(selected, 2 + 8, 2 + 4), RGB(200, 0, 0));  // raised to offset 2 ...
    EXPECT_EQ(At(selected, 4 + 8, 4 + 8),                  // ... over its silhouette at 4
              AdjustColorHls(GetSysColor(SysColor::Highlight), 50, -66));
    item.state = ODS_GRAYED | ODS_DISABLED;
    const QImage disabled = Paint(item);
    EXPECT_EQ(At(disabled, 3 + 8, 3 + 4), AdjustColorHls(GetSysColor(SysColor::ButtonFace), -27, 0));
}

TEST(MenuXP, TypedMnemonicRunsTheCommandOfAnOpenMenu) {
    const std::vector<MenuItemDef> table = {
        {MenuItemKind::Popup, 0, u"&Plik",
         {{MenuItemKind::Command, 7, u"&Otwórz", {}}, {MenuItemKind::Separator, 0, u"", {}},
          {MenuItemKind::Command, 8, u"&Zamknij", {}}}}};
    QWidget window;
    std::vector<int> fired;
    QMenuBar* bar = BuildMenuBar(table, &window, [&](int id) { fired.push_back(id); });
    CMenuXP::EnableForWindow(&window, true);
    CMenuXP::AttachToWindowMenus(&window);
    CMenuXP::UpdateMenuBar(&window);
    window.show();
    QMenu* menu = bar->actions()[0]->menu();
    menu->popup(QPoint(0, 20));
    ASSERT_TRUE(CMenuXP::IsOwnerDrawMenu(menu));  // converted as it opened
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QCoreApplication::sendEvent(menu, &key);
    EXPECT_EQ(fired, std::vector<int>{8});
}


namespace {

// Collects what of a widget is painted.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

// The main menu's window, shown and active.
struct ShownMenuWindow : MenuWindow {
    ShownMenuWindow() {
        window.resize(600, 200);
        window.show();
        window.activateWindow();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&window); }
};

}  // namespace

TEST(MenuXP, ABarItemLetGoByTheKeyboardLosesItsHighlightWhenTheMouseLeaves) {
    ShownMenuWindow w;
    ASSERT_TRUE(w.Ready());
    QAction* first = w.bar->actions()[0];
    const QRect item = w.bar->actionGeometry(first);
    QTest::mouseClick(w.bar, Qt::LeftButton, Qt::NoModifier, item.center());
    ASSERT_TRUE(w.Popup(0)->isVisible());
    // Escape closes the menu and leaves the item selected for the keyboard; a second one
    // ends keyboard navigation.
    QTest::keyClick(w.Popup(0), Qt::Key_Escape);
    ASSERT_FALSE(w.Popup(0)->isVisible());
    EXPECT_EQ(w.bar->activeAction(), first);
    QTest::keyClick(w.bar, Qt::Key_Escape);
    EXPECT_EQ(w.bar->activeAction(), nullptr);
    // The mouse passes over the item and goes on into the window.
    QMouseEvent move(QEvent::MouseMove, QPointF(item.center()), QPointF(w.bar->mapToGlobal(item.center())),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.bar, &move);
    EXPECT_EQ(w.bar->activeAction(), first);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w.bar, &leave);
    EXPECT_EQ(w.bar->activeAction(), nullptr);
    // Keyboard navigation itself still keeps its item whatever the mouse does.
    QTest::mouseClick(w.bar, Qt::LeftButton, Qt::NoModifier, item.center());
    ASSERT_TRUE(w.Popup(0)->isVisible());
    QTest::keyClick(w.Popup(0), Qt::Key_Escape);
    QTest::keyClick(w.bar, Qt::Key_Right);
    EXPECT_EQ(w.bar->activeAction(), w.bar->actions()[1]);
    QTest::keyClick(w.bar, Qt::Key_Escape);
    EXPECT_EQ(w.bar->activeAction(), nullptr);
}

TEST(MenuXP, TheBarIsRepaintedWhenItsWindowTurnsActiveOrInactive) {
    ShownMenuWindow w;
    ASSERT_TRUE(w.Ready());
    QWidget other;
    other.setGeometry(700, 300, 100, 100);
    other.show();
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    w.bar->installEventFilter(&recorder);
    const QRect items = w.bar->actionGeometry(w.bar->actions()[0])
                            .united(w.bar->actionGeometry(w.bar->actions()[1]));
    for (QWidget* active : {&other, static_cast<QWidget*>(&w.window)}) {
        recorder.painted = QRegion();
        active->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(active));
        QTest::qWait(20);
        // Items are painted grey in an inactive window and in the menu text colour in an
        // active one: every item is painted again when that changes.
        EXPECT_EQ(w.bar->isActiveWindow(), active == &w.window);
        EXPECT_TRUE((QRegion(items) - recorder.painted).isEmpty()) << (active == &w.window);
    }
}
