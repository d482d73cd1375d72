#pragma once
// The individual print list: one row per entry of `ild`, in entry order, with buttons that
// remove the selected entry (its row with it) or, after a question, the whole list.

#include <vector>

#include "Dialog.h"

class CWyswietlListeGolebiILD : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 242;
    static constexpr int kList = 1195;
    static constexpr int kRemoveOneButton = 1099;
    static constexpr int kRemoveAllButton = 1100;

    explicit CWyswietlListeGolebiILD(QWidget* parent = nullptr);

    // The `ild.id` of each row, in row order.
    std::vector<int> ildRowIds;

    bool OnInitDialog() override;
    void FillList();
    void OnRemoveOne();
    void OnRemoveAll();
};
