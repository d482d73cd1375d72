#pragma once
// The common form of the loft editor and the category editor: a name, a description, OK and
// "Anuluj". The caller sets the title and the fields, runs the window modally and, after OK,
// reads the fields back. A name of three characters or fewer is refused with a message and the
// window stays open.

#include <functional>
#include <string>

#include "Dialog.h"

class NameAndDescriptionDialog : public Dialog {
    Q_OBJECT
public:
    static constexpr int kNameEdit = 1008;
    static constexpr int kDescriptionEdit = 1009;
    static constexpr int kNameLabel = 1010;
    static constexpr int kDescriptionLabel = 1015;

    std::u16string title;        // window caption and header title
    std::u16string name;         // edit 1008
    std::u16string description;  // edit 1009
    // Set by a caller that refuses some names: the message for a refused name, empty when the
    // name may be used. A refused name keeps the window open.
    std::function<std::u16string(const std::u16string&)> refuseName;

    bool OnInitDialog() override;
    void OnOK() override;

protected:
    NameAndDescriptionDialog(int templateId, std::u16string nameCaption,
                             std::u16string refusal, QWidget* parent);
    void OnEraseBkgnd(Dc& dc) override;

private:
    std::u16string nameCaption_;
    std::u16string refusal_;
};
