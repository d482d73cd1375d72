#pragma once
// The markup tooltip: a frameless top-level window that shows a tip written in the markup of
// MarkupRenderer.h when the mouse rests on a registered area ("tool") of a window. It draws a
// balloon (a rounded rectangle with a pointed anchor whose tip sits at the cursor), fills it
// with a background effect, draws the markup over it, frames it, casts a soft shadow and can
// fade in and out.
//
// An application-wide event filter feeds it the mouse moves, clicks, keys and activation
// changes of its parent's window. Its timers have fixed ids: 256 show after the
// initial delay, 257 hide (auto-pop), 258 fade-in step, 259 fade-out step, 260 animation tick.

#include <QImage>
#include <QPainterPath>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Dc.h"
#include "MarkupRenderer.h"

// One registered tool, and the record of the tip being shown.
struct TipTool {
    unsigned userValue = 0;
    Rect rect;  // in the tool window's client coordinates; empty: the whole window
    QString text;
    unsigned mask = 0;  // which optional fields below are set
    unsigned style = 0;
    unsigned direction = 0;
    unsigned effect = 0;
    unsigned behaviour = 0;
    unsigned granularity = 0;
    unsigned transparency = 0;
    COLORREF startColor = 0, middleColor = 0, endColor = 0;
};

// Mask bits of TipTool.
inline constexpr unsigned kTipStyle = 0x01;
inline constexpr unsigned kTipEffect = 0x02;
inline constexpr unsigned kTipColors = 0x04;
inline constexpr unsigned kTipDirection = 0x08;
inline constexpr unsigned kTipBehaviour = 0x10;
inline constexpr unsigned kTipTransparency = 0x20;

// Behaviour bits of a tool.
inline constexpr unsigned kTipMultiple = 0x01;     // show again at each move; forgotten when gone
inline constexpr unsigned kTipTrack = 0x02;        // follow the cursor
inline constexpr unsigned kTipKeepInTool = 0x04;   // keep while the mouse moves within the tool
inline constexpr unsigned kTipKeepOnTip = 0x08;    // keep while the cursor is over the tip
inline constexpr unsigned kTipNoAutoHide = 0x10;

// The place of a tip: the direction finally used, the anchor's tip relative to the window's
// top left, the window's size (without the shadow) and the body rectangle in it.
struct TipPlacement {
    int direction = 16;
    QPoint anchor;
    QSize window;
    Rect body;
};

// Chooses the side and place of the anchor so that the tip stays on the screen.
TipPlacement ChooseTipPlacement(int direction, QPoint cursor, QSize body, const Rect& screen,
                                int anchorHeight, int anchorOffset);
// The balloon: the rounded body and the anchor's triangle, in window coordinates.
QPainterPath BuildBalloonPath(int direction, QPoint anchor, QSize window, int cornerWidth,
                              int cornerHeight, int anchorWidth, int anchorHeight,
                              int anchorOffset);
// A value for the window-information table: "<" becomes "?", and more than 25 characters
// become the first 21 and " ...".
QString ClipInfoText(const QString& text);

// The timers of the tooltip, by id; tests replace them with fakes they fire by hand.
class TipTimers {
public:
    virtual ~TipTimers() = default;
    virtual void Start(int id, int milliseconds) = 0;
    virtual void Kill(int id) = 0;
};

class CQXToolTip : public QWidget {
    Q_OBJECT
public:
    enum TimerId { kShowTimer = 256, kHideTimer = 257, kFadeInTimer = 258, kFadeOutTimer = 259,
                   kAnimationTimer = 260 };
    enum DisplayState { kHidden = 0, kAppearing = 1, kShown = 2, kDisappearing = 3 };

    CQXToolTip();
    ~CQXToolTip() override;

    bool CreateTipWindow(QWidget* parent, bool balloon);
    void ApplyBalloonStyle(bool balloon);
    void SetDefaultEffect(int effect, int granularity);
    void SetWindowInfoMode(bool on) { windowInfoMode_ = on; }
    void AddTipTool(QWidget* window, const QString& text, const Rect* rect, unsigned userValue);
    void AddTipToolWithIcon(QWidget* window, const QString& text, int iconId, QSize iconSize,
                            const Rect* rect, unsigned userValue);
    void StoreTipTool(QWidget* window, const TipTool& tool);
    void DestroyTipWindow();

    // What the event filter relays, in screen coordinates.
    void RelayMouseMove(QPoint screen);
    void RelayLeftButtonDown(QPoint screen);
    void HideTipNow();
    void OnTipTimer(int id);
    void OnActivateApp(bool active);

    // Seams: the timers, the cursor position and the screen area.
    void SetTimers(std::unique_ptr<TipTimers> timers);
    void SetCursorSource(std::function<QPoint()> cursor) { cursorPos_ = std::move(cursor); }
    void SetScreenArea(std::function<Rect()> area) { screenArea_ = std::move(area); }

    // State, for the owner and for tests.
    int DisplayStateNow() const { return state_; }
    int Transparency() const { return transparency_; }
    const std::vector<TipTool>* ToolsOf(QWidget* window) const;
    QWidget* ShownWindow() const { return shownWindow_; }
    const TipPlacement& Placement() const { return placement_; }
    const Rect& TextRect() const { return textRect_; }
    CMarkupRenderer& Renderer() { return renderer_; }
    // The picture of the tip at a transparency, over the picture behind it.
    QImage RenderTip(int transparency);
    QString BuildWindowInfoMarkup(QPoint screen);

protected:
    // Frames the balloon's region inside its edge with the border colour and width.
    virtual void DrawTipBorder(QPainter& painter, const QRegion& region);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct ToolEntry {
        QPointer<QWidget> window;
        std::vector<TipTool> tools;
    };
    void RequestTipShow(QWidget* window, const TipTool& tool, bool delay);
    void BeginHideTip();
    void StartAutoPopTimer();
    void MoveTipWithCursor(QPoint cursor);
    void PrepareTipDisplay(QPoint cursor);
    bool IsCursorOverTip(QPoint screen) const;
    QWidget* FindToolWindowAt(QPoint screen, TipTool* tool, bool requireTool) const;
    bool FindToolInWindow(QWidget* window, QPoint screen, TipTool* tool) const;
    void ForgetShownTool();
    void StartTimer(int id, int ms);
    void KillTimer(int id);

    QPointer<QWidget> parent_;
    bool created_ = false;
    bool redrawOnNotice_ = true;
    bool windowInfoMode_ = false;
    QPoint lastPos_{0, 0};
    QPointer<QWidget> shownWindow_;
    TipTool shownTool_;
    QPointer<QWidget> requestedWindow_;
    TipTool requestedTool_;
    bool pendingShow_ = false;
    bool pendingShowDelayed_ = false;
    int state_ = kHidden;
    int transparency_ = 0;
    COLORREF defaultStart_, defaultMiddle_, defaultEnd_;
    COLORREF borderColor_;
    int borderWidth_ = 1, borderHeight_ = 1;
    int shadowDx_ = 6, shadowDy_ = 6;
    bool softShadow_ = true;
    int shadowBlurX_ = 7, shadowBlurY_ = 7;
    int shadowDarkness_ = 50;
    int autoPopTime_ = 5000;
    int initialDelay_ = 500;
    int fadeInStep_ = 0, fadeOutStep_ = 0;
    bool fadeInEnabled_ = true, fadeOutEnabled_ = true;
    unsigned defaultBehaviour_ = 0, defaultEffect_ = 0, defaultDirection_ = 16, defaultStyle_ = 0;
    unsigned defaultGranularity_ = 0, defaultTransparency_ = 0;
    int cornerWidth_ = 16, cornerHeight_ = 16;
    int marginX_ = 12, marginY_ = 12;
    int anchorWidth_ = 12, anchorHeight_ = 16, anchorOffset_ = 16;
    std::map<QWidget*, ToolEntry> tools_;

    // The tip being shown.
    TipPlacement placement_;
    Rect textRect_;
    QRegion balloon_;
    QImage background_;  // the balloon's fill, the window's size less the shadow
    QImage behind_;      // what lies behind the tip
    QImage shown_;       // the last picture painted

    std::unique_ptr<TipTimers> timers_;
    std::function<QPoint()> cursorPos_;
    std::function<Rect()> screenArea_;
    CMarkupRenderer renderer_;
};
