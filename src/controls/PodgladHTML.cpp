#include "PodgladHTML.h"

namespace {
constexpr int kButtonStrip = 35;  // height of the button row below the browser
}

CPodgladHTML::CPodgladHTML(QWidget* parent) : Dialog(IDD, parent) {
    // The page takes Escape while it has the focus: the window takes it first and closes.
    SetKeyPolicy({.escapeCancelsFirst = true});
    OnClicked(1231, [this] { Print(); });
    OnClicked(1232, [this] { PrintPreview(); });
    OnClicked(1078, [this] { EnableEditing(); });
    OnClicked(1169, [] {});  // "Zapisz jako" stays hidden and does nothing
}

bool CPodgladHTML::OnInitDialog() {
    Dialog::OnInitDialog();
    browser.Create(this, QRect(0, 0, width(), height() - kButtonStrip), 0);
    if (!path.empty()) browser.Navigate(path);
    LayOut(width(), height());
    return true;
}

void CPodgladHTML::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    LayOut(width, height);
}

void CPodgladHTML::LayOut(int width, int height) {
    const int centre = width / 2;
    const int strip = height - kButtonStrip;
    if (browser.parentWidget() == this) browser.MoveTo(QRect(0, 0, width, strip));
    if (QWidget* print = Item(1231)) print->setGeometry(centre - 110, strip + 5, 105, 25);
    if (QWidget* preview = Item(1232)) preview->setGeometry(centre + 5, strip + 5, 105, 25);
    if (QWidget* editing = Item(1078)) editing->setGeometry(width - 260, strip + 5, 250, 25);
}

void CPodgladHTML::Print() {
    browser.ExecWB(CWebBrowser2::kPrint, CWebBrowser2::kDontPromptUser);
}

void CPodgladHTML::PrintPreview() {
    browser.ExecWB(CWebBrowser2::kPrintPreview, CWebBrowser2::kDontPromptUser);
}

void CPodgladHTML::EnableEditing() { browser.SetDesignMode(true); }
