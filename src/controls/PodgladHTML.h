#pragma once
// The HTML preview window: shows a page the program has just written (a printout, a report) and
// prints it straight to the printer, opens its print preview, or makes it editable in place
// (those edits are not saved anywhere).

#include "Dialog.h"
#include "HtmlEditBrowser.h"
#include "Records.h"

class CPodgladHTML : public Dialog {
    Q_OBJECT
public:
    enum { IDD = 161 };
    explicit CPodgladHTML(QWidget* parent = nullptr);

    Text path;                  // file path or URL shown; set before DoModal
    CHtmlEditBrowser browser;

    bool OnInitDialog() override;
    void OnSize(int type, int width, int height) override;

    void Print();
    void PrintPreview();
    void EnableEditing();

private:
    void LayOut(int width, int height);
};
