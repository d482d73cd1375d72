#pragma once
// The help window: one of the help pages of the install folder (html/help/) in a browser under
// the program's banner. The caller sets the page and runs the window modally.

#include "Dialog.h"
#include "HtmlEditBrowser.h"
#include "Records.h"

class CPomoc : public Dialog {
    Q_OBJECT
public:
    enum { IDD = 179 };
    static constexpr const char16_t* kTitle = u"Pomoc programu Ornivex 6";

    explicit CPomoc(QWidget* parent = nullptr);

    Text page;  // path of the page shown; set before DoModal
    CHtmlEditBrowser browser;

    // Path of a help page in the install folder ("intro.html", "help.html").
    static Text HelpPagePath(const Text& fileName);
    // Opens the help window on that help page and returns when it is closed.
    static void ShowPage(const Text& fileName);

    bool OnInitDialog() override;
    void OnSize(int type, int width, int height) override;

protected:
    void OnEraseBkgnd(Dc& dc) override;
};
