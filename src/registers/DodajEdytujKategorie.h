#pragma once
// Adds or edits one category's name and description.

#include "NameAndDescriptionDialog.h"

class CDodajEdytujKategorie : public NameAndDescriptionDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 215;
    explicit CDodajEdytujKategorie(QWidget* parent = nullptr);
};
