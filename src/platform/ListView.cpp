#include "ListView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QtMath>
#include <algorithm>
#include <numeric>

#include "ElidingDelegate.h"
#include "Fonts.h"

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}  // namespace

namespace {

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
    setItemDelegate(new ElidingDelegate(this, [this](int column) -> const TextElider* {
        if (column < 0 || column >= static_cast<int>(sizing_.size())) return nullptr;
        return &sizing_[column].elider;
    }));
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
        sizing_.assign(1, ColumnSizing{.given = columnWidth(0)});
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

void ListView::SetGridLines(bool on) {
    setShowGrid(on);
    for (const ColumnSizing& sizing : sizing_) sizing.padding = -1;
}

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
        lastFit_.clear();
        return 0;
    }
    column = std::clamp(column, 0, columnCount());
    insertColumn(column);
    columnAlign_.insert(columnAlign_.begin() + column, align);
    sizing_.insert(sizing_.begin() + column, ColumnSizing{});
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(ColumnAlignment(align));
    setHorizontalHeaderItem(column, header);
    if (width < 0) width = fontMetrics().horizontalAdvance(heading) + 14;
    SetColumnWidth(column, width);
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
    if (column < static_cast<int>(sizing_.size())) sizing_.erase(sizing_.begin() + column);
    FitColumns();
    return true;
}

void ListView::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < static_cast<int>(sizing_.size())) sizing_[column].given = width;
    setColumnWidth(column, width);
    FitColumns();
}

void ListView::SetColumnFit(int column, ColumnFit fit) {
    if (column < 0 || column >= static_cast<int>(sizing_.size())) return;
    sizing_[column].fit = fit;
    MeasureColumn(column);
    if (fit == ColumnFit::Fixed) setColumnWidth(column, sizing_[column].given);
    FitColumns();
}

void ListView::SetColumnElider(int column, CellElider elider) {
    if (column < 0 || column >= static_cast<int>(sizing_.size())) return;
    sizing_[column].elider = std::move(elider);
    sizing_[column].padding = -1;
    viewport()->update();
}

QString ListView::CellToolTip(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        column >= static_cast<int>(sizing_.size()) || !sizing_[column].elider ||
        isColumnHidden(column))
        return QString();
    return CellWidth(row, column) > columnWidth(column) ? GetItemText(row, column) : QString();
}

QString ListView::ShownCellText(int row, int column) const {
    const QModelIndex index = model()->index(row, column);
    const auto* delegate = dynamic_cast<const ElidingDelegate*>(itemDelegateForIndex(index));
    if (!index.isValid() || !delegate) return GetItemText(row, column);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    // The grid line is drawn on the cell's right and bottom edges, outside the cell's face.
    if (showGrid()) option.rect.adjust(0, 0, -1, -1);
    return delegate->ShownText(option, index);
}

bool ListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid() && index.column() < static_cast<int>(sizing_.size()) &&
            sizing_[index.column()].elider) {
            const QString tip = CellToolTip(index.row(), index.column());
            if (tip.isEmpty()) QToolTip::hideText();
            else QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
            return true;
        }
    }
    return QTableWidget::viewportEvent(event);
}

int ListView::HeadingWidth(int column) const {
    if (horizontalHeader()->isHidden() || column < 0 || column >= columnCount()) return 0;
    return horizontalHeader()->sectionSizeHint(column);
}

int ListView::CellWidth(int row, int column) const {
    const QModelIndex index = model()->index(row, column);
    const QTableWidgetItem* cell = item(row, column);
    if (!index.isValid() || !cell) return 0;
    // A plain cell (text alone, in the list's font) is its text's advance and the margins the
    // style gives every such cell of the column: asking the style for each cell of a large
    // category's ring columns cost more than filling them.
    const bool plain = column < static_cast<int>(sizing_.size()) &&
                       cell->data(Qt::DecorationRole).isNull() &&
                       cell->data(Qt::FontRole).isNull() &&
                       !(cell->flags() & Qt::ItemIsUserCheckable);
    const QString text = cell->text();
    // The style lays the text out and rounds its natural width up; so does this.
    const auto advance = [&] { return qCeil(QFontMetricsF(font()).horizontalAdvance(text)); };
    if (plain && sizing_[column].padding >= 0) return advance() + sizing_[column].padding;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int width = itemDelegateForIndex(index)->sizeHint(option, index).width();
    // The grid line is drawn inside the cell, on its right edge.
    if (showGrid()) width += 1;
    // Measured once on a text without a line break, so the margins are all that is added.
    if (plain && !text.isEmpty() && !text.contains(QLatin1Char('\n')))
        sizing_[column].padding = width - advance();
    return width;
}

bool ListView::HasFittedColumns() const {
    return std::any_of(sizing_.begin(), sizing_.end(),
                       [](const ColumnSizing& c) { return c.fit != ColumnFit::Fixed; });
}

void ListView::MeasureColumn(int column) {
    ColumnSizing& sizing = sizing_[column];
    sizing.widest = 0;
    if (sizing.fit == ColumnFit::Fixed) return;
    for (int row = 0; row < rowCount(); ++row)
        sizing.widest = std::max(sizing.widest, CellWidth(row, column));
}

void ListView::CellChanged(int column, int width, int oldWidth) {
    if (column < 0 || column >= static_cast<int>(sizing_.size())) return;
    ColumnSizing& sizing = sizing_[column];
    if (sizing.fit == ColumnFit::Fixed) return;
    if (width > sizing.widest) {
        sizing.widest = width;
    } else if (oldWidth >= sizing.widest && width < oldWidth) {
        MeasureColumn(column);  // the widest text may have become shorter
    } else {
        return;
    }
    FitColumns();
}

// The width the columns can take without the list scrolling sideways.
int ListView::RoomForColumns() const {
    const QSize most = maximumViewportSize();
    int room = most.width();
    // Rows taller than the list bring the vertical scroll bar, which takes its width from the
    // columns (an always-shown bar is already left out of the size).
    if (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
        verticalHeader()->length() > most.height() &&
        !style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, verticalScrollBar())) {
        room -= verticalScrollBar()->sizeHint().width();
    }
    // A shown list knows its viewport exactly; it is narrower while a scroll bar is still shown.
    if (isVisible()) room = std::min(room, viewport()->width());
    return room;
}

void ListView::FitColumns() {
    if (fitting_ || !HasFittedColumns()) return;
    std::vector<int> fit{RoomForColumns(), columnCount()};
    for (int column = 0; column < columnCount() && column < static_cast<int>(sizing_.size());
         ++column) {
        const ColumnSizing& sizing = sizing_[column];
        fit.insert(fit.end(), {isColumnHidden(column) ? 1 : 0, static_cast<int>(sizing.fit),
                               sizing.given, sizing.widest,
                               sizing.fit == ColumnFit::Fixed ? columnWidth(column) : 0});
    }
    if (fit == lastFit_) return;
    lastFit_ = std::move(fit);
    fitting_ = true;
    int taken = 0;
    std::vector<int> widening;
    for (int column = 0; column < columnCount() && column < static_cast<int>(sizing_.size());
         ++column) {
        if (isColumnHidden(column)) continue;
        const ColumnSizing& sizing = sizing_[column];
        switch (sizing.fit) {
        case ColumnFit::Fixed:
            taken += columnWidth(column);
            break;
        case ColumnFit::Always: {
            const int width = std::max({HeadingWidth(column), sizing.widest, 1});
            setColumnWidth(column, width);
            taken += width;
            break;
        }
        case ColumnFit::WhenRoom:
            taken += sizing.given;
            widening.push_back(column);
            break;
        }
    }
    // The room left is shared out so that no column takes more than it needs and the columns
    // needing less get what they need first.
    const auto extra = [this](int column) {
        const ColumnSizing& sizing = sizing_[column];
        return std::max(0, std::max(HeadingWidth(column), sizing.widest) - sizing.given);
    };
    std::stable_sort(widening.begin(), widening.end(),
                     [&](int a, int b) { return extra(a) < extra(b); });
    int room = std::max(0, RoomForColumns() - taken);
    for (size_t k = 0; k < widening.size(); ++k) {
        const int column = widening[k];
        const int share = room / static_cast<int>(widening.size() - k);
        const int added = std::min(extra(column), share);
        setColumnWidth(column, sizing_[column].given + added);
        room -= added;
    }
    fitting_ = false;
}

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
        sizing_.assign(1, ColumnSizing{.given = columnWidth(0)});
    }
    row = std::clamp(row, 0, rowCount());
    {
        const QSignalBlocker quiet(this);  // a new row is not a change of an existing one
        insertRow(row);
        QTableWidgetItem* it = MakeItem(0, text);
        if (checkBoxes_) {
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            it->setCheckState(Qt::Unchecked);
        }
        setItem(row, 0, it);
    }
    if (HasFittedColumns()) {
        // The new row may bring the vertical scroll bar, narrowing the room.
        CellChanged(0, CellWidth(row, 0), 0);
        FitColumns();
    }
    return row;
}

int ListView::InsertItem(int row, const std::u16string& text) {
    return InsertItem(row, QString::fromStdU16String(text));
}

bool ListView::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
    const bool fitted = column < static_cast<int>(sizing_.size()) &&
                        sizing_[column].fit != ColumnFit::Fixed;
    const int oldWidth = fitted ? CellWidth(row, column) : 0;
    if (QTableWidgetItem* it = item(row, column)) {
        it->setText(text);
    } else {
        setItem(row, column, MakeItem(column, text));
    }
    if (fitted) CellChanged(column, CellWidth(row, column), oldWidth);
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
    // The row deleted was the one the window had chosen, and the window holds none after it: the
    // rows that stay keep no highlight. Left to itself the table would keep the other rows of a
    // several-row highlight, and a single-selection list would highlight the next row, so the
    // commands would refuse, or ignore, a highlight the user sees. The focus frame takes the
    // deleted row's place, so the arrows go on from there.
    clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    removeRow(row);
    if (rowCount() > 0) {
        selectionModel()->setCurrentIndex(model()->index(std::min(row, rowCount() - 1), 0),
                                          QItemSelectionModel::NoUpdate);
    }
    if (HasFittedColumns()) {
        for (int column = 0; column < static_cast<int>(sizing_.size()); ++column)
            MeasureColumn(column);
        FitColumns();
    }
    return true;
}

void ListView::DeleteAllItems() {
    clearSelection();
    setRowCount(0);
    setCurrentItem(nullptr);
    // The rows filled in next are other rows (another category, another flight): they are shown
    // from the first. The scroll bar keeps its old position until the table lays itself out
    // again, which is after the new rows are in, so it would open them where the old ones were
    // scrolled to.
    verticalScrollBar()->setValue(0);
    for (ColumnSizing& sizing : sizing_) sizing.widest = 0;
    FitColumns();
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

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // The list moves by rows: Home and End go to the first and the last row, where a table would
    // go to the first and the last column of the row.
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableWidget::moveCursor(action, modifiers);
}

std::vector<int> ListView::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListView::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    const std::vector<int> selectedBefore = SelectedRows();
    QTableWidget::keyPressEvent(event);
    // A row reached by the keyboard (arrows, pages, Home and End, a typed first letter) is chosen
    // exactly as a click chooses it, so a command then acts on the row the user sees highlighted.
    // A move that leaves the highlight behind (Ctrl with an arrow) chooses nothing.
    const int row = currentRow();
    if (row != before && IsRowSelected(row)) {
        emit Click(row);
        return;
    }
    // Keys that change the highlight where the focus frame is (Ctrl with Space after Ctrl with
    // an arrow, Ctrl+A) choose as a click does too: the windows then take the first row
    // highlighted, or none when no row is left highlighted.
    if (SelectedRows() != selectedBefore) emit Click(FirstSelectedRow());
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    emit DoubleClick(index.isValid() ? index.row() : -1);
}

void ListView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ApplyRowHeight();
        for (const ColumnSizing& sizing : sizing_) sizing.padding = -1;
        lastFit_.clear();
        if (HasFittedColumns()) {
            for (int column = 0; column < static_cast<int>(sizing_.size()); ++column)
                MeasureColumn(column);
            FitColumns();
        }
    }
}

// Also called when only the viewport changes size, as a scroll bar comes or goes.
void ListView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void ListView::ApplyRowHeight() {
    const int height = fonts::TextRowHeight(font());
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}
