#pragma once
// The transactions page ("Transakcje"): the current loft's sales, purchases and other
// transactions. This first form carries the list and the calls the main window makes; the
// rows, the painted links and the commands come with the transaction register.

#include "Dialog.h"

class ListView;

class CZakladkaTransakcje : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 149;
    static constexpr int kTransactionList = 1046;

    explicit CZakladkaTransakcje(QWidget* parent = nullptr);

    void OnOK() override {}
    void OnCancel() override {}

    ListView* TransactionList() const;

    // Lists the loaded loft's transactions.
    void FillTransactionList();
    // Recomputes the page's layout and repaints its links.
    void LayoutControls() {}

    // Menu commands; the transaction register fills them in.
    void AddTransaction() {}
    void EditTransaction() {}
    void DeleteTransaction() {}
    // The monthly report has no printout: the command does nothing on purpose.
    void PrintMonthlyReport() {}
};
