#pragma once
// A bird's short description: the caller sets description, runs the window and reads it back
// after OK (any text, the empty one included).

#include <string>

#include "Dialog.h"

class CUstawOpis : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 222;
    static constexpr int kDescriptionEdit = 1412;
    static constexpr int kHelpButton = 1099;

    explicit CUstawOpis(QWidget* parent = nullptr);

    std::u16string description;

    bool OnInitDialog() override;
    void OnOK() override;
};
