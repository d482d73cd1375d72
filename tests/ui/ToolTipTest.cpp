// The tooltip window: its state machine driven with fake timers (show after the delay, hide on
// leaving, on keys and on deactivation), placement at the screen's edges, the tool table, the
// balloon's picture and the main window's two tips.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QMenuBar>
#include <QTest>
#include <map>

#include "MainDialog.h"
#include "MenuXP.h"
#include "QXToolTip.h"
#include "WindowTestSupport.h"
#include "menu/MainMenu.h"

namespace {

// Timers that only record; the test fires them.
class FakeTimers : public TipTimers {
public:
    void Start(int id, int ms) override { running[id] = ms; ++starts[id]; }
    void Kill(int id) override { running.erase(id); }
    std::map<int, int> running;
    std::map<int, int> starts;
};

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        combo = new QComboBox(&window);
        combo->setGeometry(20, 20, 150, 24);
        other = new QComboBox(&window);
        other->setGeometry(200, 20, 150, 24);
        label = new QLabel(QStringLiteral("x"), &window);
        label->setGeometry(20, 100, 150, 24);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto fake = std::make_unique<FakeTimers>();
        timers = fake.get();
        tip.SetTimers(std::move(fake));
        tip.SetCursorSource([this] { return cursor; });
        tip.SetScreenArea([] { return Rect(0, 0, 1600, 1000); });
        tip.CreateTipWindow(&window, true);
        tip.SetDefaultEffect(2, 5);
        tip.AddTipToolWithIcon(combo, QStringLiteral("<b>Lista</b><br>tekst"), 128, QSize(0, 0), nullptr, 0);
    }
    QPoint Over(QWidget* w) { return w->mapToGlobal(w->rect().center()); }
    void MoveTo(QPoint p) {
        cursor = p;
        tip.RelayMouseMove(p);
    }
    bool Running(int id) const { return timers->running.count(id) == 1; }

    QWidget window;
    QComboBox* combo = nullptr;
    QComboBox* other = nullptr;
    QLabel* label = nullptr;
    CQXToolTip tip;
    FakeTimers* timers = nullptr;
    QPoint cursor;
};

}  // namespace

TEST_F(ToolTipTest, ShowsAfterTheDelayAndPopsAfterFiveSeconds) {
    MoveTo(Over(combo));
    ASSERT_TRUE(Running(CQXToolTip::kShowTimer));
    EXPECT_EQ(timers->running[CQXToolTip::kShowTimer], 500);
    EXPECT_FALSE(tip.isVisible());
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    EXPECT_EQ(tip.DisplayStateNow(), CQXToolTip::kShown);
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.ShownWindow(), combo);
    EXPECT_EQ(timers->running[CQXToolTip::kHideTimer], 5000);
    EXPECT_FALSE(Running(CQXToolTip::kShowTimer));
    // The anchor's tip sits at the cursor.
    EXPECT_EQ(tip.pos() + tip.Placement().anchor, Over(combo));
    tip.OnTipTimer(CQXToolTip::kHideTimer);
    EXPECT_EQ(tip.DisplayStateNow(), CQXToolTip::kHidden);
    EXPECT_FALSE(tip.isVisible());
}

TEST_F(ToolTipTest, SamePositionDoesNothingAndAMovedCursorAbandonsTheShow) {
    MoveTo(Over(combo));
    tip.RelayMouseMove(Over(combo));
    EXPECT_EQ(timers->starts[CQXToolTip::kShowTimer], 1);
    cursor += QPoint(3, 0);  // moved since, without a relayed move yet
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    EXPECT_EQ(tip.DisplayStateNow(), CQXToolTip::kHidden);
    EXPECT_FALSE(tip.isVisible());
}

TEST_F(ToolTipTest, MovingWithinTheShownComboHidesUntilTheMouseLeavesAndReturns) {
    MoveTo(Over(combo));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    ASSERT_TRUE(tip.isVisible());
    MoveTo(Over(combo) + QPoint(5, 0));
    EXPECT_FALSE(tip.isVisible());
    timers->starts.clear();
    MoveTo(Over(combo) + QPoint(10, 0));
    EXPECT_EQ(timers->starts[CQXToolTip::kShowTimer], 0);
    MoveTo(Over(label));  // no tool there: the shown tool is forgotten
    MoveTo(Over(combo));
    EXPECT_EQ(timers->starts[CQXToolTip::kShowTimer], 1);
}

TEST_F(ToolTipTest, KeysClicksAndDeactivationHideAtOnce) {
    for (int way = 0; way < 3; ++way) {
        MoveTo(Over(combo) + QPoint(way, 1));
        MoveTo(Over(label));
        MoveTo(Over(combo) + QPoint(way, 0));
        tip.OnTipTimer(CQXToolTip::kShowTimer);
        ASSERT_TRUE(tip.isVisible()) << way;
        if (way == 0) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(combo, &key);
        } else if (way == 1) {
            tip.RelayLeftButtonDown(Over(label));
        } else {
            tip.OnActivateApp(false);
        }
        EXPECT_FALSE(tip.isVisible()) << way;
        EXPECT_EQ(tip.DisplayStateNow(), CQXToolTip::kHidden) << way;
        EXPECT_TRUE(timers->running.count(CQXToolTip::kHideTimer) == 0) << way;
    }
}

TEST_F(ToolTipTest, DisabledWindowsAndWindowsWithoutToolsShowNothing) {
    MoveTo(Over(other));
    EXPECT_FALSE(Running(CQXToolTip::kShowTimer));
    combo->setEnabled(false);
    MoveTo(Over(combo));
    EXPECT_FALSE(Running(CQXToolTip::kShowTimer));
    combo->setEnabled(true);
    TipTool empty;
    tip.StoreTipTool(other, empty);  // a tool with no text is never shown
    MoveTo(Over(other));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    EXPECT_FALSE(tip.isVisible());
}

TEST_F(ToolTipTest, ToolsWithTheSameRectangleReplaceEachOther) {
    const Rect a(0, 0, 10, 10), b(10, 0, 20, 10);
    tip.AddTipTool(label, QStringLiteral("one"), &a, 1);
    tip.AddTipTool(label, QStringLiteral("two"), &b, 2);
    tip.AddTipTool(label, QStringLiteral("three"), &a, 3);
    const auto* tools = tip.ToolsOf(label);
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->size(), 2u);
    EXPECT_EQ((*tools)[0].text, QStringLiteral("three"));
    EXPECT_EQ((*tools)[1].userValue, 2u);
    // Only the part of the label under a tool's rectangle shows it.
    MoveTo(label->mapToGlobal(QPoint(15, 5)));
    EXPECT_TRUE(Running(CQXToolTip::kShowTimer));
    tip.HideTipNow();
    MoveTo(label->mapToGlobal(QPoint(100, 5)));
    EXPECT_FALSE(Running(CQXToolTip::kShowTimer));
}

TEST_F(ToolTipTest, ToolsOfAScrolledViewLieInItsContent) {
    auto* list = new QListWidget(&window);
    list->setGeometry(20, 150, 150, 60);
    for (int i = 0; i < 40; ++i) list->addItem(QStringLiteral("item %1").arg(i));
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->show();
    const Rect farDown(0, 300, 150, 340);
    tip.AddTipTool(list, QStringLiteral("far"), &farDown, 0);
    const QPoint inView = list->viewport()->mapToGlobal(QPoint(10, 20));
    MoveTo(inView);
    EXPECT_FALSE(Running(CQXToolTip::kShowTimer));
    list->verticalScrollBar()->setValue(290);
    ASSERT_EQ(list->verticalScrollBar()->value(), 290);
    MoveTo(inView + QPoint(1, 0));  // content row 310 now lies under the cursor
    EXPECT_TRUE(Running(CQXToolTip::kShowTimer));
}

TEST(ToolTipPlacement, FlipsAndShiftsAtTheScreenEdges) {
    const Rect screen(0, 0, 1000, 800);
    const QSize body(200, 100);
    struct Case { int direction; QPoint cursor; int expected; QPoint anchor; };
    // m = 16, anchor height 16: W = 200, H = 116 for top and bottom codes.
    for (const Case& c : {Case{16, {500, 400}, 16, {16, 116}},    // above the cursor, anchor near the left
                          Case{16, {900, 400}, 17, {184, 116}},   // near the right edge: anchor near the right
                          Case{16, {500, 50}, 0, {16, 0}},        // near the top: below the cursor
                          Case{0, {500, 750}, 16, {16, 116}},     // near the bottom: above it
                          Case{17, {50, 400}, 16, {16, 116}},     // near the left edge: anchor near the left
                          Case{2, {500, 400}, 2, {100, 0}},       // centred
                          Case{2, {950, 400}, 2, {150, 0}},       // centred, shifted to end at the edge
                          Case{48, {100, 400}, 32, {0, 16}},      // left of the cursor does not fit
                          Case{99, {500, 400}, 16, {16, 116}}}) { // an unknown code is the default
        const TipPlacement p = ChooseTipPlacement(c.direction, c.cursor, body, screen, 16, 16);
        EXPECT_EQ(p.direction, c.expected) << c.direction << " at " << c.cursor.x() << "," << c.cursor.y();
        EXPECT_EQ(p.anchor, c.anchor) << c.direction << " at " << c.cursor.x() << "," << c.cursor.y();
    }
    // Too wide for either side: centred on the cursor.
    const TipPlacement wide = ChooseTipPlacement(16, {500, 400}, QSize(990, 100), screen, 16, 16);
    EXPECT_EQ(wide.direction, 18);
    // Anchor on top: the body lies below the anchor.
    EXPECT_EQ(ChooseTipPlacement(0, {500, 400}, body, screen, 16, 16).body.top, 16);
}

TEST(ToolTipPlacement, WindowInformationValuesAreClipped) {
    EXPECT_EQ(ClipInfoText(QString(30, QLatin1Char('a'))), QString(21, QLatin1Char('a')) + QStringLiteral(" ..."));
    EXPECT_EQ(ClipInfoText(QStringLiteral("<b>")), QStringLiteral("?b>"));
    EXPECT_EQ(ClipInfoText(QString(25, QLatin1Char('b'))), QString(25, QLatin1Char('b')));
}

TEST_F(ToolTipTest, TheBalloonIsDrawnWithItsShadowAndFullyTransparentShowsOnlyWhatIsBehind) {
    MoveTo(Over(combo) + QPoint(0, 40));
    MoveTo(Over(combo));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    ASSERT_TRUE(tip.isVisible());
    const QImage opaque = tip.RenderTip(0);
    const Rect& text = tip.TextRect();
    const Rect& body = tip.Placement().body;
    // The body is the tooltip colour, framed; the markup (an icon and text) is inside it.
    EXPECT_EQ(FromQColor(opaque.pixelColor(body.left + 8, body.top + 3)), RGB(255, 255, 225));
    bool ink = false;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x) ink |= qGray(opaque.pixel(x, y)) < 100;
    EXPECT_TRUE(ink);
    // The shadow darkens what lies behind, right of the body.
    const QImage clear = tip.RenderTip(100);
    const QPoint shadow(body.right + 2, body.top + (body.bottom - body.top) / 2);
    EXPECT_LT(qGray(opaque.pixel(shadow)), qGray(clear.pixel(shadow)) + 1);
    EXPECT_LT(qGray(opaque.pixel(shadow)), 230);
    // At 100 % nothing of the tip is left: what lies behind shows, without a shadow.
    const QImage windowPicture = window.grab().toImage();
    for (const QPoint inTip : {QPoint(tip.Placement().anchor.x() + 4, body.top + 4), shadow}) {
        const QPoint inWindow = tip.pos() + inTip - window.mapToGlobal(QPoint(0, 0));
        ASSERT_TRUE(windowPicture.rect().contains(inWindow));
        EXPECT_EQ(clear.pixel(inTip), windowPicture.pixel(inWindow));
    }
    EXPECT_NE(opaque.pixel(body.left + 8, body.top + 3), clear.pixel(body.left + 8, body.top + 3));
}

TEST_F(ToolTipTest, TheFrameRunsAlongAllFourEdgesOfTheBalloonAboveAndBelowTheCursor) {
    const COLORREF frame = markup::SystemColor(23);
    for (const bool below : {false, true}) {
        const QPoint at = Over(combo) + QPoint(below ? 2 : 0, 0);
        // A screen whose top is just above the cursor leaves room only below it.
        tip.SetScreenArea([at, below] { return Rect(0, at.y() - (below ? 5 : 500), 1600, at.y() + 500); });
        MoveTo(at + QPoint(0, 1));
        MoveTo(Over(label));
        MoveTo(at);
        tip.OnTipTimer(CQXToolTip::kShowTimer);
        ASSERT_TRUE(tip.isVisible()) << below;
        const TipPlacement& p = tip.Placement();
        ASSERT_EQ(p.direction, below ? 0 : 16);
        const QImage image = tip.RenderTip(0);
        ASSERT_EQ(image.width(), p.window.width() + 6);  // and the shadow
        const Rect& b = p.body;
        const int middle = (b.top + b.bottom) / 2;
        const int x = b.right - 12;  // clear of the corners and of the anchor near the left
        ASSERT_GT(x, p.anchor.x() + 20);
        auto at_ = [&](int px, int py) { return FromQColor(image.pixelColor(px, py)); };
        EXPECT_EQ(at_(b.left, middle), frame) << below;
        EXPECT_EQ(at_(b.right - 1, middle), frame) << below;
        EXPECT_EQ(at_(x, b.top), frame) << below;
        EXPECT_EQ(at_(x, b.bottom - 1), frame) << below;
        // One pixel wide: inside it the balloon's fill.
        EXPECT_NE(at_(b.right - 2, middle), frame) << below;
        EXPECT_NE(at_(x, b.bottom - 2), frame) << below;
        tip.HideTipNow();
    }
}

namespace {

class MainWindowTipsTest : public MainWindowTest {};

}  // namespace

TEST_F(MainWindowTipsTest, ChoosersGetTheirBalloonTipsAndTheMenuItsImages) {
    CMainDialog& dialog = Open();  // the window sets itself up as it first shows
    CQXToolTip* tip = dialog.ToolTip();
    ASSERT_NE(tip, nullptr);
    const struct { int id; const char16_t* title; } choosers[] = {
        {CMainDialog::kLoftCombo, u"<b>Lista Hodowli</b>"},
        {CMainDialog::kCategoryCombo, u"<b>Lista Kategorii</b>"}};
    for (const auto& c : choosers) {
        const auto* tools = tip->ToolsOf(dialog.Item(c.id));
        ASSERT_NE(tools, nullptr) << c.id;
        ASSERT_EQ(tools->size(), 1u);
        EXPECT_TRUE(tools->front().rect.IsEmpty());
        EXPECT_TRUE(tools->front().text.startsWith(
            QStringLiteral("<table><tr><td><icon idres=128 width=0 height=0></td><td>") +
            QString::fromUtf16(c.title)))
            << tools->front().text.toStdString();
    }
    EXPECT_TRUE(CMenuXP::IsEnabledForWindow(&dialog));
    EXPECT_TRUE(CMenuXP::IsOwnerDrawMenu(dialog.MenuBar()));
    for (const MenuCommandImage& image : MainMenuCommandImages())
        EXPECT_TRUE(CMenuXP::ItemImage(image.commandId, nullptr, nullptr)) << image.commandId;
    EXPECT_FALSE(CMenuXP::ItemImage(kCmdExit, nullptr, nullptr));
}

TEST_F(ToolTipTest, BehaviourBitsKeepOrFollowTheTipAndANewToolReplacesTheShownOne) {
    TipTool keep;
    keep.text = QStringLiteral("keep");
    keep.mask = kTipBehaviour;
    keep.behaviour = kTipKeepInTool;
    tip.StoreTipTool(other, keep);
    MoveTo(Over(other));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    ASSERT_TRUE(tip.isVisible());
    timers->starts.clear();
    MoveTo(Over(other) + QPoint(-20, 0));  // within the tool: kept, auto-pop restarted
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(timers->starts[CQXToolTip::kHideTimer], 1);

    // Another tool while one shows: the shown tip goes and the new one waits for its delay.
    MoveTo(Over(combo));
    EXPECT_FALSE(tip.isVisible());
    EXPECT_TRUE(Running(CQXToolTip::kShowTimer));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    EXPECT_EQ(tip.ShownWindow(), combo);

    TipTool track = keep;
    track.behaviour = kTipTrack;
    tip.StoreTipTool(other, track);
    MoveTo(Over(other));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    const QPoint before = tip.pos();
    MoveTo(Over(other) + QPoint(7, 1));
    EXPECT_EQ(tip.pos(), Over(other) + QPoint(7, 1));  // the tip's corner follows the cursor
    EXPECT_NE(tip.pos(), before);
}

TEST_F(ToolTipTest, WindowInformationModeDescribesTheWindowUnderTheCursor) {
    tip.SetWindowInfoMode(true);
    const QString info = tip.BuildWindowInfoMarkup(Over(combo));
    EXPECT_TRUE(info.contains(QStringLiteral("<td width=130 bgcolor=window>QComboBox</td>")));
    EXPECT_TRUE(info.contains(QStringLiteral("Has Tooltip</td><td width=130 bgcolor=window>Yes")));
    EXPECT_TRUE(tip.BuildWindowInfoMarkup(Over(other)).contains(QStringLiteral(">No<")));
    MoveTo(Over(label));
    tip.OnTipTimer(CQXToolTip::kShowTimer);
    EXPECT_TRUE(tip.isVisible());  // every window has its information tip
}
