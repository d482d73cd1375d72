#include "QXToolTip.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

// Timers of the event loop, by the tooltip's ids; window timers repeat until they are killed.
class QtTipTimers : public TipTimers {
public:
    explicit QtTipTimers(CQXToolTip* owner) : owner_(owner) {}
    void Start(int id, int milliseconds) override {
        QPointer<QTimer>& timer = timers_[id];
        if (!timer) {
            timer = new QTimer(owner_);
            QObject::connect(timer, &QTimer::timeout, owner_, [owner = owner_, id] { owner->OnTipTimer(id); });
        }
        timer->start(milliseconds);
    }
    void Kill(int id) override {
        const auto it = timers_.find(id);
        if (it != timers_.end() && it->second) it->second->stop();
    }

private:
    CQXToolTip* owner_;
    std::map<int, QPointer<QTimer>> timers_;
};

bool AnchorOnTop(int d) { return d >= 0 && d <= 2; }
bool AnchorOnBottom(int d) { return d >= 16 && d <= 18; }
bool AnchorOnLeft(int d) { return d >= 32 && d <= 34; }
bool AnchorVertical(int d) { return AnchorOnTop(d) || AnchorOnBottom(d); }

QImage Filled(QSize size, COLORREF color) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(ToQColor(color));
    return image;
}

}  // namespace

// ---- placement --------------------------------------------------------------------------------

TipPlacement ChooseTipPlacement(int direction, QPoint cursor, QSize body, const Rect& screen,
                                int anchorHeight, int m) {
    static constexpr int kValid[] = {0, 1, 2, 16, 17, 18, 32, 33, 34, 48, 49, 50};
    int d = std::find(std::begin(kValid), std::end(kValid), direction) != std::end(kValid) ? direction : 16;
    const int x = cursor.x(), y = cursor.y();
    const int W = body.width() + (AnchorVertical(d) ? 0 : anchorHeight);
    const int H = body.height() + (AnchorVertical(d) ? anchorHeight : 0);
    auto pastRight = [&](int v) { return v > screen.right; };
    auto pastLeft = [&](int v) { return v < screen.left; };
    auto pastBottom = [&](int v) { return v > screen.bottom; };
    auto pastTop = [&](int v) { return v < screen.top; };
    const int side = d & 0xF0;

    // Along the edge, horizontally.
    if (d == 0 || d == 16) {
        if (pastRight(x + W - m)) d = pastLeft(x - W + m) ? (d | 2) : d + 1;
    } else if (d == 1 || d == 17) {
        if (pastLeft(x - W + m)) d = pastRight(x + W - m) ? (side | 2) : side;
    } else if (d == 2 || d == 18) {
        if (m >= x - screen.left) d = side;
        else if (m >= screen.right - x) d = side | 1;
    } else if (d >= 32 && d <= 34) {
        if (pastRight(x + W)) d += 16;
    } else if (d >= 48 && d <= 50) {
        if (pastLeft(x - W)) d -= 16;
    }
    // Across, vertically.
    const int along = d & 0x0F;
    if (d <= 2) {
        if (pastBottom(y + H)) d += 16;
    } else if (d <= 18) {
        if (pastTop(y - H)) d -= 16;
    } else if (along == 0) {
        if (pastBottom(y + H - m)) d = pastTop(y - H + m) ? (d | 2) : d + 1;
    } else if (along == 1) {
        if (pastTop(y - H + m)) d = pastBottom(y + H - m) ? ((d & 0xF0) | 2) : (d & 0xF0);
    } else {
        if (m >= y - screen.top) d = d & 0xF0;
        else if (m >= screen.bottom - y) d = (d & 0xF0) | 1;
    }

    TipPlacement p;
    p.direction = d;
    p.window = QSize(W, H);
    int ax = 0, ay = 0;
    const int a = d & 0x0F;
    if (AnchorVertical(d)) {
        ay = AnchorOnTop(d) ? 0 : H;
        if (a == 0) ax = m;
        else if (a == 1) ax = W - m;
        else {
            ax = W / 2;
            const bool far = pastRight(x - ax + W), near = pastLeft(x - ax);
            if (far && !near) ax = x - (screen.right - W);
            else if (near && !far) ax = x - screen.left;
        }
        if ((a == 0 || a == 2) && pastLeft(x - ax)) ax = x - screen.left;
        if (a == 1 && pastRight(x + W - ax)) ax = x + W - screen.right;
    } else {
        ax = AnchorOnLeft(d) ? 0 : W;
        if (a == 0) ay = m;
        else if (a == 1) ay = H - m;
        else {
            ay = H / 2;
            const bool far = pastBottom(y - ay + H), near = pastTop(y - ay);
            if (far && !near) ay = y - (screen.bottom - H);
            else if (near && !far) ay = y - screen.top;
        }
        if ((a == 0 || a == 2) && pastTop(y - ay)) ay = y - screen.top;
        if (a == 1 && pastBottom(y + H - ay)) ay = y + H - screen.bottom;
    }
    p.anchor = QPoint(ax, ay);
    p.body = Rect(0, 0, body.width(), body.height());
    if (AnchorOnTop(d)) p.body.Offset(0, anchorHeight);
    if (AnchorOnLeft(d)) p.body.Offset(anchorHeight, 0);
    return p;
}

QPainterPath BuildBalloonPath(int d, QPoint anchor, QSize window, int cornerWidth,
                              int cornerHeight, int anchorWidth, int anchorHeight, int m) {
    QRect body(0, 0, window.width(), window.height());
    if (AnchorOnTop(d)) body.setTop(anchorHeight);
    else if (AnchorOnBottom(d)) body.setBottom(window.height() - anchorHeight - 1);
    else if (AnchorOnLeft(d)) body.setLeft(anchorHeight);
    else body.setRight(window.width() - anchorHeight - 1);
    // The region of a path holds the pixels left of and above its right and bottom lines, so
    // the body's path runs along the image's own edges: its frame is drawn on the last column
    // and row, not one past them.
    QPainterPath path;
    path.addRoundedRect(QRectF(body), cornerWidth / 2.0, cornerHeight / 2.0);
    if (anchorWidth > 0 && anchorHeight > 0) {
        const int a = d & 0x0F;
        const int size = AnchorVertical(d) ? window.width() : window.height();
        const int along = AnchorVertical(d) ? anchor.x() : anchor.y();
        int first = m, second = m + anchorWidth;
        if (a == 1) {
            first = size - m;
            second = size - m - anchorWidth;
        } else if (a == 2) {
            first = along - anchorWidth / 2;
            second = first + anchorWidth;
        }
        QPolygonF triangle;
        triangle << QPointF(anchor);
        if (AnchorOnTop(d)) triangle << QPointF(first, anchorHeight + 1) << QPointF(second, anchorHeight + 1);
        else if (AnchorOnBottom(d))
            triangle << QPointF(first, window.height() - anchorHeight - 1) << QPointF(second, window.height() - anchorHeight - 1);
        else if (AnchorOnLeft(d)) triangle << QPointF(anchorHeight + 1, first) << QPointF(anchorHeight + 1, second);
        else triangle << QPointF(window.width() - anchorHeight - 1, first) << QPointF(window.width() - anchorHeight - 1, second);
        QPainterPath anchorPath;
        anchorPath.addPolygon(triangle);
        anchorPath.closeSubpath();
        path = path.united(anchorPath);
    }
    return path;
}

QString ClipInfoText(const QString& text) {
    QString clipped = text;
    clipped.replace(QLatin1Char('<'), QLatin1Char('?'));
    if (clipped.size() > 25) clipped = clipped.left(21) + QStringLiteral(" ...");
    return clipped;
}

// ---- the window -------------------------------------------------------------------------------

CQXToolTip::CQXToolTip()
    : defaultStart_(markup::SystemColor(24)),
      defaultMiddle_(markup::SystemColor(24)),
      defaultEnd_(markup::SystemColor(24)),
      borderColor_(markup::SystemColor(23)),
      timers_(std::make_unique<QtTipTimers>(this)),
      cursorPos_([] { return QCursor::pos(); }),
      screenArea_([] {
          if (QScreen* screen = QGuiApplication::primaryScreen())
              return Rect::FromQRect(screen->virtualGeometry());
          return Rect(0, 0, 1024, 768);
      }) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    renderer_.SetHoverNotice([this](int) {
        if (redrawOnNotice_ && isVisible()) {
            shown_ = RenderTip(0);
            update();
        }
    });
}

CQXToolTip::~CQXToolTip() {
    DestroyTipWindow();
}

void CQXToolTip::SetTimers(std::unique_ptr<TipTimers> timers) {
    timers_ = std::move(timers);
}

void CQXToolTip::StartTimer(int id, int ms) { timers_->Start(id, ms); }
void CQXToolTip::KillTimer(int id) { timers_->Kill(id); }

bool CQXToolTip::CreateTipWindow(QWidget* parent, bool balloon) {
    parent_ = parent;
    setParent(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    created_ = true;
    ApplyBalloonStyle(balloon);
    qApp->installEventFilter(this);
    KillTimer(kAnimationTimer);
    StartTimer(kAnimationTimer, 100);
    return true;
}

void CQXToolTip::ApplyBalloonStyle(bool balloon) {
    cornerWidth_ = cornerHeight_ = balloon ? 16 : 0;
    marginX_ = balloon ? 12 : 3;
    marginY_ = balloon ? 12 : 1;
    anchorWidth_ = balloon ? 12 : 0;
    anchorHeight_ = balloon ? 16 : 0;
    anchorOffset_ = balloon ? 16 : 0;
}

void CQXToolTip::SetDefaultEffect(int effect, int granularity) {
    defaultEffect_ = static_cast<unsigned>(effect);
    defaultGranularity_ = static_cast<unsigned>(granularity);
}

void CQXToolTip::DestroyTipWindow() {
    if (!created_) return;
    HideTipNow();
    KillTimer(kAnimationTimer);
    qApp->removeEventFilter(this);
    created_ = false;
}

// ---- tools ------------------------------------------------------------------------------------

void CQXToolTip::AddTipTool(QWidget* window, const QString& text, const Rect* rect,
                            unsigned userValue) {
    if (!window) return;
    TipTool tool;
    tool.rect = rect ? *rect : Rect();
    tool.text = text;
    tool.userValue = userValue;
    // Moves within the tool must reach the event filter.
    window->setMouseTracking(true);
    StoreTipTool(window, tool);
}

void CQXToolTip::AddTipToolWithIcon(QWidget* window, const QString& text, int iconId,
                                    QSize iconSize, const Rect* rect, unsigned userValue) {
    AddTipTool(window,
               QStringLiteral("<table><tr><td><icon idres=%1 width=%2 height=%3></td><td>%4</td></tr></table>")
                   .arg(iconId).arg(iconSize.width()).arg(iconSize.height()).arg(text),
               rect, userValue);
}

void CQXToolTip::StoreTipTool(QWidget* window, const TipTool& tool) {
    auto it = tools_.find(window);
    if (it == tools_.end() || !it->second.window) {
        tools_[window] = ToolEntry{window, {tool}};
        return;
    }
    for (TipTool& stored : it->second.tools) {
        if (stored.rect == tool.rect) {
            stored = tool;
            return;
        }
    }
    it->second.tools.push_back(tool);
}

const std::vector<TipTool>* CQXToolTip::ToolsOf(QWidget* window) const {
    const auto it = tools_.find(window);
    return it == tools_.end() || !it->second.window ? nullptr : &it->second.tools;
}

bool CQXToolTip::FindToolInWindow(QWidget* window, QPoint screen, TipTool* tool) const {
    const std::vector<TipTool>* tools = ToolsOf(window);
    if (!tools || tools->empty()) return false;
    if (tools->size() == 1 && tools->front().rect.IsEmpty()) {
        if (tool) *tool = tools->front();
        return true;
    }
    QPoint local = window->mapFromGlobal(screen);
    // Tools of a scrolled view are placed in its content, not in its visible part.
    if (auto* view = qobject_cast<QAbstractScrollArea*>(window)) {
        local = view->viewport()->mapFromGlobal(screen) +
                QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
    }
    for (const TipTool& t : *tools) {
        const bool inside = t.rect.IsEmpty() ? window->rect().contains(local) : t.rect.Contains(local);
        if (inside) {
            if (tool) *tool = t;
            return true;
        }
    }
    return false;
}

QWidget* CQXToolTip::FindToolWindowAt(QPoint screen, TipTool* tool, bool requireTool) const {
    QWidget* under = QApplication::widgetAt(screen);
    // Outside the balloon's shape the tip's window is not there: what lies below it counts.
    if (under == this && parent_) {
        QWidget* main = parent_->window();
        under = main->childAt(main->mapFromGlobal(screen));
    }
    if (!under || under == this || !under->parentWidget()) return nullptr;
    // The parts of a combo box count as the combo box, a view's visible part as the view.
    QWidget* candidate = under;
    QWidget* owner = under->parentWidget();
    if (qobject_cast<QComboBox*>(owner)) candidate = owner;
    else if (auto* view = qobject_cast<QAbstractScrollArea*>(owner); view && view->viewport() == under)
        candidate = view;
    if (requireTool && !candidate->isEnabled()) return nullptr;
    const bool found = FindToolInWindow(candidate, screen, tool);
    return (found || !requireTool) ? candidate : nullptr;
}

// ---- relaying ---------------------------------------------------------------------------------

bool CQXToolTip::IsCursorOverTip(QPoint screen) const {
    return isVisible() && geometry().contains(screen) &&
           (mask().isEmpty() || mask().contains(screen - pos()));
}

void CQXToolTip::ForgetShownTool() {
    shownWindow_ = nullptr;
    shownTool_.rect = Rect();
}

void CQXToolTip::RelayMouseMove(QPoint screen) {
    if (!created_ || screen == lastPos_) return;
    lastPos_ = screen;
    if (windowInfoMode_) {
        TipTool tool;
        tool.text = BuildWindowInfoMarkup(screen);
        ForgetShownTool();
        RequestTipShow(this, tool, true);
        return;
    }
    if (IsCursorOverTip(screen) && !(shownTool_.behaviour & kTipTrack)) {
        if (shownTool_.behaviour & kTipKeepOnTip) StartAutoPopTimer();
        else BeginHideTip();
        return;
    }
    TipTool tool;
    QWidget* window = FindToolWindowAt(screen, &tool, true);
    if (!window) {
        ForgetShownTool();
        KillTimer(kShowTimer);
        BeginHideTip();
        return;
    }
    if (window == shownWindow_ && tool.rect == shownTool_.rect) {
        if (shownTool_.behaviour & kTipTrack) {
            StartAutoPopTimer();
            MoveTipWithCursor(screen);
            return;
        }
        if (shownTool_.behaviour & kTipKeepInTool) {
            StartAutoPopTimer();
            return;
        }
        if (!(shownTool_.behaviour & kTipMultiple)) {
            BeginHideTip();
            return;
        }
    }
    RequestTipShow(window, tool, true);
}

void CQXToolTip::RelayLeftButtonDown(QPoint screen) {
    if (!created_) return;
    if (IsCursorOverTip(screen)) renderer_.ClickHotArea(screen - pos());
    HideTipNow();
}

void CQXToolTip::OnActivateApp(bool active) {
    if (!active) HideTipNow();
}

bool CQXToolTip::eventFilter(QObject* watched, QEvent* event) {
    if (!created_) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationDeactivate) {
        OnActivateApp(false);
        return false;
    }
    // Only input events are looked at: other events (a deferred delete, say) also reach objects
    // whose widget part is already destroyed, where even a cast is undefined.
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !parent_ || (widget != this && widget->window() != parent_->window())) return false;
    switch (type) {
    case QEvent::MouseMove:
        RelayMouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
        RelayMouseMove(cursorPos_());
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) RelayLeftButtonDown(mouse->globalPosition().toPoint());
        else HideTipNow();
        break;
    }
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        HideTipNow();
        break;
    default:
        break;
    }
    return false;
}

// ---- showing and hiding -----------------------------------------------------------------------

void CQXToolTip::RequestTipShow(QWidget* window, const TipTool& tool, bool delay) {
    pendingShow_ = false;
    if (state_ == kAppearing || state_ == kShown) {
        KillTimer(kFadeInTimer);
        OnTipTimer(kHideTimer);
    }
    requestedWindow_ = window;
    requestedTool_ = tool;
    if (state_ != kHidden) {
        pendingShow_ = true;
        pendingShowDelayed_ = delay && initialDelay_ != 0;
        return;
    }
    if (delay && initialDelay_ != 0) StartTimer(kShowTimer, initialDelay_);
    else OnTipTimer(kShowTimer);
}

void CQXToolTip::MoveTipWithCursor(QPoint cursor) {
    move(cursor);
}

void CQXToolTip::BeginHideTip() {
    if (state_ == kAppearing) {
        KillTimer(kFadeInTimer);
        OnTipTimer(kHideTimer);
    } else if (state_ == kShown) {
        OnTipTimer(kHideTimer);
    }
}

void CQXToolTip::HideTipNow() {
    state_ = kHidden;
    for (int id : {kShowTimer, kHideTimer, kFadeInTimer, kFadeOutTimer}) KillTimer(id);
    if (isVisible()) {
        if (shownTool_.behaviour & kTipMultiple) ForgetShownTool();
        hide();
    }
}

void CQXToolTip::StartAutoPopTimer() {
    if (autoPopTime_ != 0 && !(shownTool_.behaviour & kTipNoAutoHide)) StartTimer(kHideTimer, autoPopTime_);
}

void CQXToolTip::OnTipTimer(int id) {
    switch (id) {
    case kShowTimer:
        KillTimer(kShowTimer);
        if (cursorPos_() != lastPos_) {
            BeginHideTip();
            return;
        }
        if (state_ != kHidden) return;
        state_ = kAppearing;
        PrepareTipDisplay(lastPos_);
        if (fadeInEnabled_ && fadeInStep_ != 0) {
            StartTimer(kFadeInTimer, fadeInStep_);
        } else {
            state_ = kShown;
            if (autoPopTime_ != 0 && !(requestedTool_.behaviour & kTipNoAutoHide))
                StartTimer(kHideTimer, autoPopTime_);
        }
        break;
    case kHideTimer:
        for (int t : {kShowTimer, kFadeInTimer, kHideTimer}) KillTimer(t);
        if (state_ == kDisappearing) return;
        state_ = kDisappearing;
        if (fadeOutEnabled_ && fadeOutStep_ != 0) {
            StartTimer(kFadeOutTimer, fadeOutStep_);
        } else {
            transparency_ = 100;
            OnTipTimer(kFadeOutTimer);
        }
        break;
    case kFadeInTimer:
        transparency_ = transparency_ <= 20 ? 0 : transparency_ - 20;
        if (transparency_ <= static_cast<int>(shownTool_.transparency)) {
            transparency_ = static_cast<int>(shownTool_.transparency);
            KillTimer(kFadeInTimer);
            state_ = kShown;
            StartAutoPopTimer();
        }
        shown_ = RenderTip(transparency_);
        update();
        break;
    case kFadeOutTimer:
        transparency_ = transparency_ >= 80 ? 100 : transparency_ + 20;
        if (transparency_ < 100) {
            shown_ = RenderTip(transparency_);
            update();
            break;
        }
        KillTimer(kFadeOutTimer);
        if (shownTool_.behaviour & kTipMultiple) ForgetShownTool();
        hide();
        state_ = kHidden;
        if (pendingShow_) {
            pendingShow_ = false;
            if (pendingShowDelayed_) StartTimer(kShowTimer, initialDelay_);
            else OnTipTimer(kShowTimer);
        }
        break;
    case kAnimationTimer:
        if (isVisible() && state_ == kShown && renderer_.AdvanceAnimations()) {
            shown_ = RenderTip(transparency_);
            update();
        }
        break;
    default:
        break;
    }
}

// ---- preparing and painting -------------------------------------------------------------------

void CQXToolTip::PrepareTipDisplay(QPoint cursor) {
    TipTool& tool = requestedTool_;
    if (!(tool.mask & kTipStyle)) tool.style = defaultStyle_;
    if (!(tool.mask & kTipEffect)) {
        tool.effect = defaultEffect_;
        tool.granularity = defaultGranularity_;
    }
    if (!(tool.mask & kTipColors)) {
        tool.startColor = defaultStart_;
        tool.middleColor = defaultMiddle_;
        tool.endColor = defaultEnd_;
    }
    if (!(tool.mask & kTipDirection)) tool.direction = defaultDirection_;
    if (!(tool.mask & kTipBehaviour)) tool.behaviour = defaultBehaviour_;
    if (!(tool.mask & kTipTransparency)) tool.transparency = defaultTransparency_;
    if (tool.text.isEmpty()) return;

    QImage scratch(1, 1, QImage::Format_ARGB32);
    QSize size;
    {
        Dc dc(&scratch);
        DcMarkupSurface surface(dc);
        size = renderer_.MeasureMarkup(surface, tool.text);
    }
    const QSize body(size.width() + 2 * marginX_, size.height() + 2 * marginY_);
    placement_ = ChooseTipPlacement(static_cast<int>(tool.direction), cursor, body, screenArea_(),
                                    anchorHeight_, anchorOffset_);
    textRect_ = Rect(placement_.body.left + marginX_, placement_.body.top + marginY_,
                     placement_.body.left + marginX_ + size.width(),
                     placement_.body.top + marginY_ + size.height());
    balloon_ = QRegion(BuildBalloonPath(placement_.direction, placement_.anchor, placement_.window,
                                        cornerWidth_, cornerHeight_, anchorWidth_, anchorHeight_,
                                        anchorOffset_)
                           .toFillPolygon()
                           .toPolygon());

    // The balloon's fill, once per showing; the anchor repeats the body's edge line.
    const QSize window = placement_.window;
    background_ = Filled(window, tool.startColor);
    {
        Dc dc(&background_);
        CEffectPainter& painter = renderer_.EffectPainter();
        const Rect& b = placement_.body;
        painter.FillEffect(dc, static_cast<int>(tool.effect), b, tool.startColor,
                           tool.middleColor, tool.endColor, static_cast<int>(tool.granularity), 5);
        const QImage source = background_.copy();
        const int d = placement_.direction;
        if (AnchorOnTop(d)) painter.TileBitmap(dc, 0, 0, window.width(), b.top, source, 0, b.top + 1, window.width(), 1);
        else if (AnchorOnBottom(d)) painter.TileBitmap(dc, 0, b.bottom, window.width(), window.height() - b.bottom, source, 0, b.bottom - 1, window.width(), 1);
        else if (AnchorOnLeft(d)) painter.TileBitmap(dc, 0, 0, b.left, window.height(), source, b.left + 1, 0, 1, window.height());
        else painter.TileBitmap(dc, b.right, 0, window.width() - b.right, window.height(), source, b.right - 1, 0, 1, window.height());
    }
    transparency_ = (fadeInEnabled_ && fadeInStep_ != 0) ? 100 : static_cast<int>(tool.transparency);

    QRegion region = balloon_;
    QSize full = window;
    if (shadowDx_ != 0 || shadowDy_ != 0) {
        region = region.united(region.translated(shadowDx_, shadowDy_));
        full += QSize(shadowDx_, shadowDy_);
    }
    const QPoint topLeft = cursor - placement_.anchor;

    // What lies behind the tip: the parent window's own picture where it reaches, the dialog
    // colour elsewhere.
    behind_ = Filled(full, GetSysColor(SysColor::ButtonFace));
    if (parent_) {
        QWidget* main = parent_->window();
        const QRect mainRect(main->mapToGlobal(QPoint(0, 0)), main->size());
        const QRect under = mainRect.intersected(QRect(topLeft, full));
        if (!under.isEmpty() && main->isVisible()) {
            QPainter p(&behind_);
            p.drawPixmap(under.topLeft() - topLeft,
                         main->grab(QRect(under.topLeft() - mainRect.topLeft(), under.size())));
        }
    }

    setMask(region);
    setGeometry(QRect(topLeft, full));
    shownWindow_ = requestedWindow_;
    shownTool_ = requestedTool_;
    shown_ = RenderTip(transparency_);
    show();
    raise();
    update();
}

QImage CQXToolTip::RenderTip(int transparency) {
    if (background_.isNull() || behind_.isNull()) return {};
    const int t = std::clamp(transparency, 0, 100);
    QImage tip = background_.copy();
    {
        Dc dc(&tip);
        DcMarkupSurface surface(dc);
        renderer_.DrawMarkup(surface, textRect_);
        if (borderWidth_ > 0 && borderHeight_ > 0) DrawTipBorder(dc.Painter(), balloon_);
    }
    QImage result = behind_.copy();
    Dc dc(&result);
    CEffectPainter& painter = renderer_.EffectPainter();
    if (shadowDx_ != 0 || shadowDy_ != 0) {
        const int c = MulDiv(255, 100 - shadowDarkness_, 100);
        const int g = c + (255 - c) * t / 100;
        QImage mask = Filled(tip.size(), RGB(255, 255, 255));
        {
            QPainter p(&mask);
            p.setClipRegion(balloon_);
            p.fillRect(mask.rect(), QColor(g, g, g));
        }
        painter.DrawShadow(dc, shadowDx_, shadowDy_, tip.width(), tip.height(), mask, softShadow_,
                           shadowBlurX_, shadowBlurY_);
    }
    dc.Painter().setClipRegion(balloon_);
    painter.BlendBitmap(dc, 0, 0, tip.width(), tip.height(), tip, 0, 0, 100 - t);
    return result;
}

void CQXToolTip::DrawTipBorder(QPainter& painter, const QRegion& region) {
    // The pixels of the region whose neighbour a border's width or height away lies outside.
    const QRegion inner = region & region.translated(borderWidth_, 0) &
                          region.translated(-borderWidth_, 0) & region.translated(0, borderHeight_) &
                          region.translated(0, -borderHeight_);
    const QRegion frame = region - inner;
    painter.save();
    painter.setClipRegion(frame);
    painter.fillRect(frame.boundingRect(), ToQColor(borderColor_));
    painter.restore();
}

void CQXToolTip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, shown_);
}

void CQXToolTip::mouseMoveEvent(QMouseEvent* event) {
    const QPoint local = event->position().toPoint();
    setCursor(renderer_.TrackHotArea(local) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// ---- window information -----------------------------------------------------------------------

QString CQXToolTip::BuildWindowInfoMarkup(QPoint screen) {
    auto row = [](const QString& label, const QString& value) {
        return QStringLiteral("<tr><td width=70 bgcolor=buttonface>%1</td><td width=130 bgcolor=window>%2</td></tr>")
            .arg(ClipInfoText(label), ClipInfoText(value));
    };
    auto hex = [](quintptr v) { return QStringLiteral("0x%1").arg(static_cast<unsigned>(v), 8, 16, QLatin1Char('0')).toUpper().replace(QStringLiteral("0X"), QStringLiteral("0x")); };
    QWidget* window = FindToolWindowAt(screen, nullptr, false);
    QWidget* owner = window ? window->parentWidget() : nullptr;
    QString m = QStringLiteral("<table><tr><td><font color=darkblue>Window</font><table border=1>");
    if (window) {
        const QRect r(window->mapToGlobal(QPoint(0, 0)), window->size());
        m += row(QStringLiteral("Class name"), QString::fromLatin1(window->metaObject()->className()).left(127));
        m += row(QStringLiteral("Title"), window->windowTitle().left(127));
        m += row(QStringLiteral("Handle"), hex(reinterpret_cast<quintptr>(window)));
        m += row(QStringLiteral("Control ID"), QString::number(window->property("controlId").toInt()));
        m += row(QStringLiteral("Styles"), hex(static_cast<quintptr>(window->windowFlags())));
        m += row(QStringLiteral("RECT"), QStringLiteral("(%1, %2)-(%3, %4)").arg(r.left()).arg(r.top()).arg(r.right() + 1).arg(r.bottom() + 1));
        m += row(QStringLiteral("Width"), QString::number(r.width()));
        m += row(QStringLiteral("Height"), QString::number(r.height()));
        m += row(QStringLiteral("Has Tooltip"), FindToolWindowAt(screen, nullptr, true) ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
    m += QStringLiteral("</table></td><td><font color=darkblue>Window Owner</font><table border=1>");
    m += row(QStringLiteral("Class name"), owner ? QString::fromLatin1(owner->metaObject()->className()) : QStringLiteral("N/A"));
    m += row(QStringLiteral("Title"), owner ? owner->windowTitle() : QStringLiteral("N/A"));
    m += row(QStringLiteral("Handle"), hex(reinterpret_cast<quintptr>(owner)));
    m += QStringLiteral("</table><br><font color=darkblue>Mouse Cursor</font><table border=1>");
    m += row(QStringLiteral("X"), QString::number(screen.x()));
    m += row(QStringLiteral("Y"), QString::number(screen.y()));
    m += QStringLiteral("</table></td></tr></table>");
    return m;
}
