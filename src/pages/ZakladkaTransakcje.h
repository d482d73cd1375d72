#pragma once
// The transactions page ("Transakcje"): the current loft's sales, purchases and other
// transactions in a list, beside a column of painted links that add, edit and delete them and
// lead to the clients register.

#include <QFont>
#include <array>
#include <map>

#include "Dialog.h"
#include "Records.h"

class ListView;

// The selected row of the transactions list, -1 when none.
extern int g_selectedTransactionRow;

class CZakladkaTransakcje : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 149;
    static constexpr int kTransactionList = 1046;

    // The painted links, in the order they are drawn.
    enum Link {
        kLinkAdd,
        kLinkEdit,
        kLinkDelete,
        kLinkAddClient,
        kLinkManageClients,
        kLinkReport,
        kLinkCount
    };

    explicit CZakladkaTransakcje(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    ListView* TransactionList() const;

    // Lists the loaded loft's transactions in ascending id; nothing is selected afterwards.
    void FillTransactionList();
    // Writes a transaction's row: -1 appends one, otherwise that row is rewritten.
    void SetTransactionRow(int row, const TransactionRecord& record);
    // Places the links and fits the list to the page.
    void LayoutControls();
    // Repaints the links (they are drawn with the page's background).
    void PaintLinks() { update(); }
    void PaintLinks(Dc& dc);

    // The commands of the page, its links and the "Transakcje" menu.
    void AddTransaction();
    void EditTransaction();
    void DeleteTransaction();
    // The monthly report has no printout: the command does nothing on purpose.
    void PrintMonthlyReport() {}

    // Runs the link under the point (page coordinates); "Wydruk raportu" has no hit area.
    void OnPageClick(const QPoint& point);
    void OnListClick();

    // The transaction id of each list row, from row 0.
    const std::map<int, int>& RowMap() const { return rowToId_; }
    Rect LinkRect(int link) const { return links_[link]; }

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnSize(int type, int width, int height) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    QFont listFont_;
    std::map<int, int> rowToId_;
    std::array<Rect, kLinkCount> links_{};
    std::array<Rect, 2> groups_{};
};
