#pragma once
// Adds or edits one loft's name and description.

#include "NameAndDescriptionDialog.h"

class CDodajEdytujHodowle : public NameAndDescriptionDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 130;
    explicit CDodajEdytujHodowle(QWidget* parent = nullptr);
};
