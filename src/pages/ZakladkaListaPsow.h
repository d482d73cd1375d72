#pragma once
// The bird list page ("Lista Gołębi"): the birds of the current category of the current loft,
// one row per membership row of the category, in membership order.
//
// This is the page's first form: the list with one column of ring texts and the calls the main
// window makes. The configurable columns, the preview panel, the painted links and the bird
// commands are filled in by the bird register.

#include <map>

#include "Dialog.h"
#include "Records.h"

class CMainDialog;
class ListView;
class QLabel;

class CZakladkaListaPsow : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 129;
    static constexpr int kPigeonList = 1003;

    explicit CZakladkaListaPsow(QWidget* parent = nullptr);

    // Set by the main window once the page exists.
    CMainDialog* mainWindow = nullptr;
    QLabel* loftCountLabel = nullptr;       // the main window's label 1187
    QLabel* categoryCountLabel = nullptr;   // the main window's label 1188: "(rows)"

    // Which bird each row shows, and the membership row that puts it there.
    std::map<int, int> rowPigeonIds;
    std::map<int, int> rowMembershipIds;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    ListView* PigeonList() const;

    // Fills the list with the birds of one category, in membership order; loft index and
    // category id both -1 leave it empty. Always returns -1.
    int ShowCategory(int loftIndex, int categoryId);
    // Writes one bird's row; row -1 appends a row. Returns the row.
    int SetPigeonRow(int row, const PigeonRecord& pigeon);
    // Empties the list and forgets its rows, so no command can act on a bird that is no longer
    // shown.
    void EmptyList();

    // Fit the page to its size (the main window calls these when it is sized).
    void ComputeLayout();
    void MoveControls();

    // Commands reached from the main window's menu; the bird register fills them in.
    void AddPigeon() {}
    void EditPigeon() {}
    void DeletePigeon() {}
    void MovePigeon() {}
    void AddRingSeries() {}
    void AddToIld() {}
    void PrintIld() {}
    void RemoveFromIld() {}
    void PrintCategory() {}
    void SetupColumns() {}

private:
    Rect listRect_;
};
