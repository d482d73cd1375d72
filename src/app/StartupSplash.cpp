#include "StartupSplash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include "Dialog.h"
#include "Resources.h"

namespace {
int g_splashEnabled = 0;
CStartupSplash* g_splash = nullptr;
// Set when the splash bitmap could not be loaded: later attempts in the same run show nothing.
bool g_splashFailed = false;
}  // namespace

int CStartupSplash::EnableSplash(int enable) {
    g_splashEnabled = enable;
    return g_splashEnabled;
}

CStartupSplash* CStartupSplash::Current() { return g_splash; }

bool CStartupSplash::ShowSplash(unsigned milliseconds, int bitmapId, CMainDialog* /*owner*/) {
    if (!g_splashEnabled || g_splash || g_splashFailed) return false;
    const QPixmap bitmap = LoadBitmap(bitmapId);
    if (bitmap.isNull()) {
        g_splashFailed = true;
        return false;
    }

    // The main window does not exist yet when the splash is shown, so it has no owner.
    auto* splash = new CStartupSplash(bitmap);
    const QSize size = bitmap.deviceIndependentSize().toSize();
    splash->resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        splash->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    splash->timer_.start(static_cast<int>(milliseconds), splash);
    return true;
}

CStartupSplash::CStartupSplash(const QPixmap& bitmap)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), bitmap_(bitmap) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    g_splash = this;
}

CStartupSplash::~CStartupSplash() {
    if (g_splash == this) g_splash = nullptr;
}

void CStartupSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, bitmap_);
}

void CStartupSplash::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) return;
    timer_.stop();
    close();
    if (QWidget* main = Dialog::MainWindow()) main->update();
}
