#pragma once
// The union's branch directory ("Spis oddziałów PZHGP"): part of a branch's name or number is
// looked up in the directory the program carries, and every matching branch is listed with its
// district. Opened from the "Narzędzia" menu and, with the start page's search text, from the
// start page.

#include <string>

#include "Dialog.h"

class CSpisOddzialow : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 189;
    static constexpr int kSearchEdit = 1244;
    static constexpr int kSearchButton = 1099;
    static constexpr int kResultEdit = 1037;

    explicit CSpisOddzialow(QWidget* parent = nullptr);

    // Searched for as soon as the window shows, when not empty; set before the modal run.
    std::u16string presetSearch;

    // Lists the branches that contain the search field's text.
    void Search();

protected:
    void OnShowWindow(bool show) override;
    void OnEraseBkgnd(Dc& dc) override;
};
