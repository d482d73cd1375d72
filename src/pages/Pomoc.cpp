#include "Pomoc.h"

#include "DialogHeader.h"
#include "SharedRoutines.h"

namespace {
constexpr int kBannerHeight = 65;
constexpr int kTitleInset = 70;  // the window's picture lies left of the title
}  // namespace

CPomoc::CPomoc(QWidget* parent) : Dialog(IDD, parent) {
    // The page takes Escape while it has the focus: the window takes it first and closes.
    SetKeyPolicy({.escapeCancelsFirst = true});
}

Text CPomoc::HelpPagePath(const Text& fileName) {
    return JoinPath(GetInstallPath(), u"html/help/" + fileName);
}

void CPomoc::ShowPage(const Text& fileName) {
    CPomoc help;
    help.page = HelpPagePath(fileName);
    help.DoModal();
}

bool CPomoc::OnInitDialog() {
    Dialog::OnInitDialog();
    browser.Create(this, QRect(0, kBannerHeight, width(), height() - kBannerHeight - 35), 0);
    if (!page.empty()) browser.Navigate(page);
    OnSize(SizeRestored, width(), height());
    return true;
}

void CPomoc::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    if (browser.parentWidget() != this) return;
    browser.MoveTo(QRect(10, 75, std::max(0, width - 20), std::max(0, height - 85)));
}

void CPomoc::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QString::fromUtf16(kTitle), kTitleInset);
}
