#pragma once
// The day a young bird first went out onto the loft roof. The caller sets roofDate, runs the
// window and, after OK, reads it back: 0 when the user cleared the date.

#include "Dialog.h"
#include "Records.h"

class CDataWyjsciaNaDach : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 241;
    static constexpr int kDatePicker = 1175;

    explicit CDataWyjsciaNaDach(QWidget* parent = nullptr);

    Time64 roofDate = kNoDate;

    bool OnInitDialog() override;
    void OnOK() override;
};
