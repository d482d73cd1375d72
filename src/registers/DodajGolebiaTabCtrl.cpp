#include "DodajGolebiaTabCtrl.h"

#include <QString>

#include "DodajGolebia.h"
#include "DodajGolebiaPage.h"
#include "DodajGolebiaTab1.h"
#include "DodajGolebiaTab2.h"
#include "DodajGolebiaTab3.h"
#include "DodajGolebiaTab4.h"
#include "DodajGolebiaTab5.h"
#include "DodajGolebiaTab6.h"
#include "Seams.h"

namespace {

struct TabEntry {
    const char16_t* caption;
    int templateId;
    // Told when the page's window cannot be made.
    const char16_t* pageFailure;
};

// Tabs in the order the user sees them.
constexpr TabEntry kTabs[CDodajGolebiaTabCtrl::kPageCount] = {
    {u"Dane gołębia", CDodajGolebiaTab1::kTemplateId, u"The First Dialog was not created"},
    {u"Notatki", CDodajGolebiaTab2::kTemplateId, u"The Second Dialog was not created"},
    {u"Dokumenty i multimedia", CDodajGolebiaTab4::kTemplateId, u"The Third Dialog was not created"},
    {u"Leczenie i Suplementacja", CDodajGolebiaTab5::kTemplateId,
     u"Nie udało się stworzyć zakładki leczenia."},
    {u"Album zdjęć", CDodajGolebiaTab3::kTemplateId, u"Nie udało się stworzyć zakładki."},
    {u"Notatki rodowodowe", CDodajGolebiaTab6::kTemplateId,
     u"Nie udało się stworzyć zakładki notatki rodowodowe"},
};

// The page shown under a tab.
CDodajGolebiaPage* MakePage(int tab, PigeonRecord& record) {
    switch (tab) {
    case 0: return new CDodajGolebiaTab1(record);
    case 1: return new CDodajGolebiaTab2(record);
    case 2: return new CDodajGolebiaTab4(record);
    case 3: return new CDodajGolebiaTab5(record);
    case 4: return new CDodajGolebiaTab3(record);
    case 5: return new CDodajGolebiaTab6(record);
    default: return new CDodajGolebiaPage(kTabs[tab].templateId, record);
    }
}

}  // namespace

CDodajGolebiaTabCtrl::CDodajGolebiaTabCtrl(QWidget* parent) : TabControl(parent) {}

CDodajGolebiaPage* CDodajGolebiaTabCtrl::PageAt(int tab) const {
    return tab >= 0 && tab < kPageCount ? pages_[tab] : nullptr;
}

bool CDodajGolebiaTabCtrl::CreatePage(CDodajGolebiaPage& page, int templateId) {
    if (!page.Template() || page.TemplateId() != templateId) return false;
    page.Create(editor_);
    page.hide();
    page.setEnabled(false);
    largestWidth_ = std::max(largestWidth_, page.width());
    largestHeight_ = std::max(largestHeight_, page.height());
    return true;
}

void CDodajGolebiaTabCtrl::CreatePages(CDodajGolebia& editor) {
    if (editor_) return;
    editor_ = &editor;

    for (int tab = 0; tab < kPageCount; ++tab) {
        if (InsertItem(tab, std::u16string(kTabs[tab].caption)) < 0) {
            MessageBox(editor_, QStringLiteral("InsertItem %1 failed").arg(tab));
        }
    }
    for (int tab = 0; tab < kPageCount; ++tab) {
        CDodajGolebiaPage* page = MakePage(tab, editor.record);
        pages_[tab] = page;
        if (tab == 0) tab1_ = static_cast<CDodajGolebiaTab1*>(page);
        if (!CreatePage(*page, kTabs[tab].templateId)) {
            // The page still belongs to the editor, so its controls are there to be read.
            page->setParent(editor_, Qt::Widget);
            page->hide();
            MessageBox(editor_, std::u16string(kTabs[tab].pageFailure));
        }
    }

    SetCurSel(0);
    current_ = 0;
    // Grow or shrink the strip so that its page area is exactly the largest page, keeping the
    // page area's top-left corner where it was.
    const QRect frame = geometry();
    const QRect area = DisplayRect();
    const int extraWidth = frame.width() - area.width();
    const int extraHeight = frame.height() - area.height();
    setGeometry(frame.x(), frame.y(), largestWidth_ + extraWidth, largestHeight_ + extraHeight);
    const QRect pageArea = DisplayRect();
    for (CDodajGolebiaPage* page : pages_) {
        page->setGeometry(pageArea);
        page->raise();
    }
    ShowPage(0, true);
}

void CDodajGolebiaTabCtrl::ShowPage(int tab, bool show) {
    CDodajGolebiaPage* page = PageAt(tab);
    if (!page) return;
    page->setEnabled(show);
    page->setVisible(show);
}

void CDodajGolebiaTabCtrl::OnSelChange() {
    const int chosen = GetCurSel();
    if (chosen == current_ || chosen < 0 || chosen >= kPageCount) return;
    ShowPage(current_, false);
    current_ = chosen;
    ShowPage(current_, true);
}

void CDodajGolebiaTabCtrl::SelectTab(int tab) {
    if (SetCurSel(tab) < 0 && GetCurSel() != tab) return;
    OnSelChange();
}
