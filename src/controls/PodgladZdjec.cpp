#include "PodgladZdjec.h"

namespace {
constexpr int kButtonStrip = 35;  // height of the button row below the browser
}

CPodgladZdjec::CPodgladZdjec(QWidget* parent) : Dialog(IDD, parent) {
    // The page takes Escape while it has the focus: the window takes it first and closes.
    SetKeyPolicy({.escapeCancelsFirst = true});
    OnClicked(1391, [this] { ShowNextPhoto(); });
    OnClicked(1392, [this] { ShowPreviousPhoto(); });
}

bool CPodgladZdjec::OnInitDialog() {
    Dialog::OnInitDialog();
    browser.Create(this, QRect(0, 0, width(), height() - kButtonStrip), 0);
    if (!photos.empty()) {
        currentIndex = 0;
        ShowCurrentPhoto();
    }
    LayOut(width(), height());
    return true;
}

void CPodgladZdjec::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    LayOut(width, height);
}

void CPodgladZdjec::LayOut(int width, int height) {
    const int centre = width / 2;
    const int strip = height - kButtonStrip;
    if (browser.parentWidget() == this) browser.MoveTo(QRect(0, 0, width, strip));
    if (QWidget* previous = Item(1392)) previous->setGeometry(centre - 110, strip + 5, 105, 25);
    if (QWidget* next = Item(1391)) next->setGeometry(centre + 5, strip + 5, 105, 25);
}

// Without photos the buttons do nothing: there is no photo to step to.
void CPodgladZdjec::ShowNextPhoto() {
    const int count = static_cast<int>(photos.size());
    if (count == 0) return;
    currentIndex = currentIndex + 1 >= count ? 0 : currentIndex + 1;
    ShowCurrentPhoto();
}

void CPodgladZdjec::ShowPreviousPhoto() {
    const int count = static_cast<int>(photos.size());
    if (count == 0) return;
    currentIndex = currentIndex <= 0 || currentIndex >= count ? count - 1 : currentIndex - 1;
    ShowCurrentPhoto();
}

void CPodgladZdjec::ShowCurrentPhoto() {
    browser.Navigate(photos[static_cast<std::size_t>(currentIndex)].GetFilePath());
}
