#pragma once
// Asks for a colour's numeric code: a whole number of 0 or more.

#include "Dialog.h"

class CWprowadzKodKoloru : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 262;
    static constexpr int kCodeEdit = 1036;

    explicit CWprowadzKodKoloru(QWidget* parent = nullptr);

    unsigned colourCode = 0;  // edit 1036

    bool OnInitDialog() override;
    // Takes the code; text that is no such number is refused with a message and the window
    // stays open.
    void OnOK() override;
};
