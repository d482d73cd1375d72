#pragma once
// The borderless picture shown for about a second while the main window is being built.
// At most one splash exists in the process; it closes itself when its timer fires.

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

class CMainDialog;

class CStartupSplash : public QWidget {
public:
    // Whether a splash may be shown at all (off until the application enables it). Returns
    // the flag stored.
    static int EnableSplash(int enable);
    // Shows bitmap `bitmapId` centred on the screen for `milliseconds`. False when the splash
    // is disabled, one was already made in this process, or the bitmap cannot be loaded.
    static bool ShowSplash(unsigned milliseconds, int bitmapId, CMainDialog* owner);
    // The splash on screen, or null.
    static CStartupSplash* Current();

    ~CStartupSplash() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    explicit CStartupSplash(const QPixmap& bitmap);

    QPixmap bitmap_;
    QBasicTimer timer_;
};
