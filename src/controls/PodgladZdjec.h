#pragma once
// The photo viewer: steps through a bird's photos, going round from the last to the first and
// back.

#include <vector>

#include "Dialog.h"
#include "Records.h"
#include "WebBrowser2.h"

class CPodgladZdjec : public Dialog {
    Q_OBJECT
public:
    enum { IDD = 216 };
    explicit CPodgladZdjec(QWidget* parent = nullptr);

    int currentIndex = 0;
    std::vector<PhotoRecord> photos;  // a copy of the bird's photos, set before DoModal
    CWebBrowser2 browser;

    bool OnInitDialog() override;
    void OnSize(int type, int width, int height) override;

    void ShowNextPhoto();
    void ShowPreviousPhoto();

private:
    void ShowCurrentPhoto();
    void LayOut(int width, int height);
};
