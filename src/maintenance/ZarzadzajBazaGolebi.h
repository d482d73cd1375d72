#pragma once
// Every bird of the data store in one list, with three actions: delete the selected bird (with
// what it owns), add it to the main window's current category, and purge every bird that
// nothing names any more.

#include <vector>

#include "Dialog.h"

class CZarzadzajBazaGolebi : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 261;
    static constexpr int kList = 1232;
    static constexpr int kDeleteButton = 1233;
    static constexpr int kAddToCategoryButton = 1234;
    static constexpr int kPurgeButton = 1235;

    explicit CZarzadzajBazaGolebi(QWidget* parent = nullptr);

    // The row clicked last (-1 for none) and the bird id of each row, in row order.
    int selectedRow = -1;
    std::vector<int> rowPigeonIds;

    bool OnInitDialog() override;
    void FillList();
    void OnListClick();
    void OnDeletePigeon();
    void OnAddToCategory();
    void OnPurge();

private:
    int SelectedPigeonId() const;
};
