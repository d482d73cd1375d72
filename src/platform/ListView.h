#pragma once
// The list control of the windows: rows of texts in columns (report view) or a single column of
// names (list and small-icon views), with an optional check box in column 0, grid lines and a
// number kept per row. Rows stay in the order they were inserted: the list never sorts itself,
// because the windows map a row index to a record by that order.

#include <QTableWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Dc.h"
#include "ElidingDelegate.h"

class ListView : public QTableWidget {
    Q_OBJECT
public:
    enum class View { Report, List, SmallIcon };
    enum ColumnAlign { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    explicit ListView(QWidget* parent = nullptr);

    // Looks.
    void SetView(View view);
    View GetView() const { return view_; }
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return checkBoxes_; }
    void SetGridLines(bool on);
    void SetFullRowSelect(bool on);
    void SetSingleSelection(bool on);
    void SetColumnHeaderVisible(bool on);
    void SetTextColor(COLORREF color);

    // Columns. `width` -1 fits the heading.
    int InsertColumn(int column, const QString& heading, int align = AlignLeft, int width = -1);
    int InsertColumn(int column, const std::u16string& heading, int align = AlignLeft,
                     int width = -1);
    bool DeleteColumn(int column);
    int GetColumnCount() const { return columnCount(); }
    void SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;

    // How a column's width follows its texts (heading and cells). Fixed: the width given stays.
    // WhenRoom: the column widens to its longest text as far as the list has room beside its
    // other columns, several such columns sharing the room; the width given stays the least it
    // takes, so a list with no room keeps the widths given. Always: the column is as wide as its
    // heading and longest text whatever width was given, and the list scrolls sideways when the
    // columns are wider than it. The list fits the columns again whenever rows are filled,
    // changed or removed and when it is resized.
    enum class ColumnFit { Fixed, WhenRoom, Always };
    void SetColumnFit(int column, ColumnFit fit);
    // How a text too long for its cell of that column is cut (at its end with "…" unless set):
    // given the text, the cell's font and the width the text has, the text to show. Once set,
    // a cell of the column that shows its text cut has the whole text as its tooltip.
    using CellElider = TextElider;
    void SetColumnElider(int column, CellElider elider);
    // The text the cell's tooltip shows: in a column given its cut, the whole text when the cell
    // shows it cut; else none.
    QString CellToolTip(int row, int column) const;
    // The cell's text as it is drawn at the column's present width.
    QString ShownCellText(int row, int column) const;
    // The width a column takes to show its heading whole (0 when the heading is hidden).
    int HeadingWidth(int column) const;
    // The width the cell takes to show its text whole (with its check box and icon).
    int CellWidth(int row, int column) const;

    // Rows. InsertItem puts a row at `row` (clamped to the end) and returns its index.
    int InsertItem(int row, const QString& text);
    int InsertItem(int row, const std::u16string& text);
    bool SetItemText(int row, int column, const QString& text);
    bool SetItemText(int row, int column, const std::u16string& text);
    QString GetItemText(int row, int column) const;
    std::u16string GetItemTextW(int row, int column) const;
    // Removes the row and leaves no row highlighted (the focus frame where the row was).
    bool DeleteItem(int row);
    // Removes every row; the rows inserted next are shown from the first.
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    void SetItemImage(int row, const QIcon& icon);

    // A number kept with each row (a record id, an index).
    bool SetItemData(int row, std::int64_t data);
    std::int64_t GetItemData(int row) const;  // 0 for a row without data or no such row

    // Check box of column 0.
    bool GetCheck(int row) const;
    void SetCheck(int row, bool checked);

    // Selection. The selection mark is the row last clicked or chosen (-1 none).
    int GetSelectionMark() const;
    int FirstSelectedRow() const;             // -1 when nothing is selected
    bool IsRowSelected(int row) const;
    int GetSelectedCount() const;
    void SelectRow(int row);                  // selects it alone and makes it the mark
    void ClearRowSelection();
    void EnsureVisible(int row);

signals:
    // A click in the list (on a row or on empty space; -1 then), after the selection moved; also
    // a row reached by the keyboard, which is chosen as a click chooses it, and a key that
    // changes the highlight where the focus frame stands (the first row highlighted, -1 none).
    void Click(int row);
    void DoubleClick(int row);
    // The selection or a check box of a row changed, by the user or by the program.
    void ItemChanged(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct ColumnSizing {
        ColumnFit fit = ColumnFit::Fixed;
        int given = 0;   // the width the program gave
        int widest = 0;  // the widest cell text of the column, as CellWidth measures it
        CellElider elider;  // none: the style's own cut at the end
        // What the style adds to a plain cell's text advance (-1: not measured yet).
        mutable int padding = -1;
    };

    QTableWidgetItem* MakeItem(int column, const QString& text) const;
    // The rows highlighted, in order.
    std::vector<int> SelectedRows() const;
    bool HasFittedColumns() const;
    // A cell of column `column` now holds text `width` wide (its old text was `oldWidth`).
    void CellChanged(int column, int width, int oldWidth);
    void MeasureColumn(int column);
    int RoomForColumns() const;
    void FitColumns();
    void ApplyRowHeight();
    void ApplyViewLayout();

    View view_ = View::Report;
    bool checkBoxes_ = false;
    std::vector<int> columnAlign_;
    std::vector<ColumnSizing> sizing_;  // column for column, like columnAlign_
    bool fitting_ = false;
    // What the columns were last fitted to (the room and each column's sizing): a row that
    // changes neither, as most rows of a large fill do, leaves the widths as they are.
    std::vector<int> lastFit_;
};
