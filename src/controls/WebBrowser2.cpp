#include "WebBrowser2.h"

CWebBrowser2::CWebBrowser2(QWidget* parent) : Browser(parent) {}

bool CWebBrowser2::Create(QWidget* parent, const QRect& rect, int controlId) {
    if (!parent) return false;
    controlId_ = controlId;
    setParent(parent);
    MoveTo(rect);
    show();
    return true;
}

void CWebBrowser2::MoveTo(const QRect& rect) {
    setGeometry(rect);
    repaint();
}

void CWebBrowser2::Navigate(const Text& pathOrUrl) {
    Browser::Navigate(QString::fromStdU16String(pathOrUrl));
}

void CWebBrowser2::ExecWB(int command, int option) {
    switch (command) {
    case kPrint:
        Print(option != kDontPromptUser);
        break;
    case kPrintPreview:
        PrintPreview();
        break;
    default:
        break;
    }
}
