#pragma once
// The tab strip of the bird editor and its six pages. The pages are windows of the editor
// itself (not of the strip), laid over the strip's page area; the strip is sized to the largest
// page. Switching tabs only hides one page and shows another: no data moves.

#include <array>

#include "StandardControls.h"

class CDodajGolebia;
class CDodajGolebiaPage;
class CDodajGolebiaTab1;

class CDodajGolebiaTabCtrl : public TabControl {
    Q_OBJECT
public:
    static constexpr int kPageCount = 6;

    explicit CDodajGolebiaTabCtrl(QWidget* parent = nullptr);

    // Inserts the tabs and creates the pages as windows of `editor`, then fits the strip to
    // them and shows the first page. Runs once, when the editor opens.
    void CreatePages(CDodajGolebia& editor);
    // Creates one page from its template; false when it could not be made.
    bool CreatePage(CDodajGolebiaPage& page, int templateId);
    // The user chose another tab.
    void OnSelChange();
    // Brings a page to the front as if the user had chosen its tab.
    void SelectTab(int tab);

    int CurrentIndex() const { return current_; }
    // Pages in tab order (null before CreatePages).
    CDodajGolebiaPage* PageAt(int tab) const;
    CDodajGolebiaTab1* Tab1() const { return tab1_; }
    const std::array<CDodajGolebiaPage*, kPageCount>& Pages() const { return pages_; }

private:
    void ShowPage(int tab, bool show);

    CDodajGolebia* editor_ = nullptr;
    CDodajGolebiaTab1* tab1_ = nullptr;
    int current_ = 0;
    std::array<CDodajGolebiaPage*, kPageCount> pages_{};
    int largestWidth_ = 0;
    int largestHeight_ = 0;
};
