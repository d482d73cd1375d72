#pragma once
// The web browser as a child control of a window: created at a rectangle with a control id, it
// shows a file or URL and prints or previews what it shows.

#include <QRect>

#include "Browser.h"
#include "Records.h"

class CWebBrowser2 : public Browser {
    Q_OBJECT
public:
    explicit CWebBrowser2(QWidget* parent = nullptr);

    // Browser commands run on the page shown.
    enum Command { kPrint = 6, kPrintPreview = 7 };
    enum Option { kDefault = 0, kPromptUser = 1, kDontPromptUser = 2 };

    // Places the browser in `parent` at `rect` (pixels) and shows it; true when it stands there.
    bool Create(QWidget* parent, const QRect& rect, int controlId);
    int ControlId() const { return controlId_; }

    // Moves the browser and repaints it at once.
    void MoveTo(const QRect& rect);

    using Browser::Navigate;
    void Navigate(const Text& pathOrUrl);

    // kPrint prints (kDontPromptUser: straight to the default printer), kPrintPreview opens the
    // print preview. Other commands do nothing.
    void ExecWB(int command, int option);

private:
    int controlId_ = 0;
};
