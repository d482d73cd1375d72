#include "ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "Fonts.h"

namespace {
constexpr int kDataRole = Qt::UserRole + 1;

Qt::Alignment ColumnAlignment(int align) {
    switch (align) {
    case ListView::AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    case ListView::AlignCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
}  // namespace

ListView::ListView(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    setWordWrap(false);
    setShowGrid(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ApplyRowHeight();

    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item && item->column() == 0) emit ItemChanged(item->row());
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                std::vector<int> rows;
                for (const auto& range : selected)
                    for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
                for (const auto& range : deselected)
                    for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
                std::sort(rows.begin(), rows.end());
                rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
                for (int r : rows) emit ItemChanged(r);
            });
}

void ListView::SetView(View view) {
    view_ = view;
    ApplyViewLayout();
}

void ListView::ApplyViewLayout() {
    if (view_ == View::Report) {
        horizontalHeader()->show();
        horizontalHeader()->setStretchLastSection(false);
        return;
    }
    // List and small-icon views: one column of names, no header.
    if (columnCount() == 0) {
        insertColumn(0);
        columnAlign_.assign(1, AlignLeft);
    }
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void ListView::SetCheckBoxes(bool on) {
    checkBoxes_ = on;
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidgetItem* it = item(r, 0);
        if (!it) continue;
        if (on) {
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            if (!it->data(Qt::CheckStateRole).isValid()) it->setCheckState(Qt::Unchecked);
        } else {
            it->setFlags(it->flags() & ~Qt::ItemIsUserCheckable);
            it->setData(Qt::CheckStateRole, QVariant());
        }
    }
}

void ListView::SetGridLines(bool on) { setShowGrid(on); }

void ListView::SetFullRowSelect(bool) {
    // Rows are always selected whole: a selected row is what every window works with.
}

void ListView::SetSingleSelection(bool on) {
    setSelectionMode(on ? QAbstractItemView::SingleSelection
                        : QAbstractItemView::ExtendedSelection);
}

void ListView::SetColumnHeaderVisible(bool on) { horizontalHeader()->setVisible(on); }

void ListView::SetTextColor(COLORREF color) {
    QPalette p = palette();
    p.setColor(QPalette::Text, ToQColor(color));
    setPalette(p);
}

int ListView::InsertColumn(int column, const QString& heading, int align, int width) {
    if (view_ != View::Report && columnCount() == 1 && column == 0 &&
        horizontalHeaderItem(0) == nullptr) {
        // The list views' own single column takes the heading.
        setHorizontalHeaderItem(0, new QTableWidgetItem(heading));
        return 0;
    }
    column = std::clamp(column, 0, columnCount());
    insertColumn(column);
    columnAlign_.insert(columnAlign_.begin() + column, align);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(ColumnAlignment(align));
    setHorizontalHeaderItem(column, header);
    if (width < 0) width = fontMetrics().horizontalAdvance(heading) + 14;
    setColumnWidth(column, width);
    return column;
}

int ListView::InsertColumn(int column, const std::u16string& heading, int align, int width) {
    return InsertColumn(column, QString::fromStdU16String(heading), align, width);
}

bool ListView::DeleteColumn(int column) {
    if (column < 0 || column >= columnCount()) return false;
    removeColumn(column);
    if (column < static_cast<int>(columnAlign_.size()))
        columnAlign_.erase(columnAlign_.begin() + column);
    return true;
}

void ListView::SetColumnWidth(int column, int width) { setColumnWidth(column, width); }

int ListView::GetColumnWidth(int column) const { return columnWidth(column); }

QTableWidgetItem* ListView::MakeItem(int column, const QString& text) const {
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    const int align = column < static_cast<int>(columnAlign_.size()) && column > 0
                          ? columnAlign_[column]
                          : AlignLeft;
    it->setTextAlignment(ColumnAlignment(align));
    return it;
}

int ListView::InsertItem(int row, const QString& text) {
    if (columnCount() == 0) {
        insertColumn(0);
        columnAlign_.assign(1, AlignLeft);
    }
    row = std::clamp(row, 0, rowCount());
    const QSignalBlocker quiet(this);  // a new row is not a change of an existing one
    insertRow(row);
    QTableWidgetItem* it = MakeItem(0, text);
    if (checkBoxes_) {
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
    setItem(row, 0, it);
    return row;
}

int ListView::InsertItem(int row, const std::u16string& text) {
    return InsertItem(row, QString::fromStdU16String(text));
}

bool ListView::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
    if (QTableWidgetItem* it = item(row, column)) {
        it->setText(text);
    } else {
        setItem(row, column, MakeItem(column, text));
    }
    return true;
}

bool ListView::SetItemText(int row, int column, const std::u16string& text) {
    return SetItemText(row, column, QString::fromStdU16String(text));
}

QString ListView::GetItemText(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

std::u16string ListView::GetItemTextW(int row, int column) const {
    return GetItemText(row, column).toStdU16String();
}

bool ListView::DeleteItem(int row) {
    if (row < 0 || row >= rowCount()) return false;
    removeRow(row);
    return true;
}

void ListView::DeleteAllItems() {
    clearSelection();
    setRowCount(0);
    setCurrentItem(nullptr);
}

void ListView::SetItemImage(int row, const QIcon& icon) {
    if (QTableWidgetItem* it = item(row, 0)) it->setIcon(icon);
}

bool ListView::SetItemData(int row, std::int64_t data) {
    QTableWidgetItem* it = item(row, 0);
    if (!it) return false;
    const QSignalBlocker quiet(this);
    it->setData(kDataRole, QVariant::fromValue<qlonglong>(data));
    return true;
}

std::int64_t ListView::GetItemData(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it ? it->data(kDataRole).toLongLong() : 0;
}

bool ListView::GetCheck(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it && it->checkState() == Qt::Checked;
}

void ListView::SetCheck(int row, bool checked) {
    QTableWidgetItem* it = item(row, 0);
    if (!it || !checkBoxes_) return;
    it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int ListView::GetSelectionMark() const {
    const int row = currentRow();
    return row >= 0 && row < rowCount() ? row : -1;
}

int ListView::FirstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

bool ListView::IsRowSelected(int row) const {
    return row >= 0 && row < rowCount() && selectionModel()->isRowSelected(row, QModelIndex());
}

int ListView::GetSelectedCount() const {
    return static_cast<int>(selectionModel()->selectedRows().size());
}

void ListView::SelectRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::ClearRowSelection() { clearSelection(); }

void ListView::EnsureVisible(int row) {
    if (QTableWidgetItem* it = item(row, 0)) scrollToItem(it);
}

void ListView::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    // A click below the rows leaves nothing selected, in single-selection lists too.
    if (!index.isValid()) clearSelection();
    emit Click(index.isValid() ? index.row() : -1);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    emit DoubleClick(index.isValid() ? index.row() : -1);
}

void ListView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) ApplyRowHeight();
}

void ListView::ApplyRowHeight() {
    const int height = fonts::TextRowHeight(font());
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}
