#pragma once
// "Nowa notatka": asks for the name of a new note. OK takes the text as it is; a name of only
// blanks is refused with a message and the window stays open. Closing the window cancels.

#include <string>

#include "Dialog.h"

class CNowaNazwa : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 173;
    static constexpr int kNameEdit = 1020;

    explicit CNowaNazwa(QWidget* parent = nullptr);

    std::u16string name;

    bool OnInitDialog() override;
    void OnOK() override;
};
