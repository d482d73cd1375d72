#pragma once
// Adds and removes the names of the statuses dictionary (table `statusy`).

#include "NameDictionaryDialog.h"

class CZarzadzajStatusami : public NameDictionaryDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 140;
    static constexpr int kNameEdit = 1034;
    static constexpr int kNameList = 1035;
    static constexpr int kAddButton = 1033;
    static constexpr int kRemoveButton = 1116;

    explicit CZarzadzajStatusami(QWidget* parent = nullptr);

protected:
    const NameMap& Names() const override;
    bool AddName(int loftId, const Text& name) override;
    bool DeleteName(int id) override;
};
