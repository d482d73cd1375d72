#include "StandardControls.h"

#include <QCheckBox>
#include <QChildEvent>
#include <QHelpEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolTip>
#include <algorithm>

#include "DateTimeField.h"
#include "ElidingDelegate.h"
#include "Fonts.h"

namespace {
constexpr int kDataRole = Qt::UserRole + 1;

// Position at which `text` goes into a list kept in case-insensitive order.
template <class TextAt>
int SortedPosition(int count, const QString& text, TextAt textAt) {
    int low = 0, high = count;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (QString::compare(textAt(mid), text, Qt::CaseInsensitive) <= 0) low = mid + 1;
        else high = mid;
    }
    return low;
}

// First entry from start + 1 onwards (wrapping round) for which `match` holds; -1 when none.
template <class Match>
int SearchFrom(int start, int count, Match match) {
    if (count <= 0) return -1;
    const int first = (start < -1 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        if (match(i)) return i;
    }
    return -1;
}
// Rows of list boxes and drop-down lists as tall as their text with its accents.
class TextRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), fonts::TextRowHeight(option.font)));
        return size;
    }
};

// The list box's rows: as tall as their text, cut as the list box says. A list box with a cut
// of its own keeps its rows within its width, so that its entries are cut there instead of
// running past the edge.
class ListBoxDelegate : public ElidingDelegate {
public:
    ListBoxDelegate(ListBoxControl* list, const TextElider* elider)
        : ElidingDelegate(list, [elider](int) { return elider; }), list_(list), elider_(elider) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = ElidingDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), fonts::TextRowHeight(option.font)));
        if (*elider_) size.setWidth(std::min(size.width(), list_->viewport()->width()));
        return size;
    }

private:
    ListBoxControl* list_;
    const TextElider* elider_;
};
}  // namespace

// ---- ComboBox ---------------------------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setInsertPolicy(QComboBox::NoInsert);
    setItemDelegate(new TextRowDelegate(this));
    connect(this, &QComboBox::activated, this, &ComboBox::SelChange);
    // The edit field puts the caret after a text it is given, scrolling a long entry to its end;
    // a chosen entry is read from its beginning.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { ChoiceChangedQuietly(); });
    connect(this, &QComboBox::activated, this, [this] { ChoiceChangedQuietly(); });
}

void ComboBox::SetEditable(bool on) {
    setEditable(on);
    QLineEdit* edit = lineEdit();
    if (!on || !edit) return;
    // Qt's completer would change the text after the choice was made from it; a list that
    // completes does so itself (CAutoCompleteCombo).
    setCompleter(nullptr);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &ComboBox::OnUserEdit, Qt::UniqueConnection);
}

void ComboBox::ChoiceChangedQuietly() {
    if (QLineEdit* edit = lineEdit()) edit->setCursorPosition(0);
}

// Keys reach the edit field through the combo box, which has the focus (the field's own
// filters never see them), or, sent to the field itself, through this filter.
void ComboBox::keyPressEvent(QKeyEvent* event) {
    if (isEditable()) OnEditKey(*event);
    QComboBox::keyPressEvent(event);
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        OnEditKey(*static_cast<QKeyEvent*>(event));
    return QComboBox::eventFilter(watched, event);
}

void ComboBox::OnUserEdit() {
    const int before = currentIndex();
    OnEditUpdate();
    const int shown = EntryShown();
    if (shown != currentIndex()) ChooseKeepingText(shown);
    if (currentIndex() != before) emit SelChange(currentIndex());
    emit EditChange();
}

int ComboBox::EntryShown() const {
    if (!isEditable()) return currentIndex();
    const QString text = currentText().trimmed();
    const auto same = [&](int i) {
        return QString::compare(itemText(i).trimmed(), text, Qt::CaseInsensitive) == 0;
    };
    // Of two entries with one text, the one chosen stays chosen; so does a blank entry shown.
    const int current = currentIndex();
    if (current >= 0 && same(current)) return current;
    if (text.isEmpty()) return -1;
    return SearchFrom(-1, count(), same);
}

void ComboBox::ChooseKeepingText(int index) {
    QLineEdit* edit = lineEdit();
    if (!edit) return;
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = static_cast<int>(edit->selectedText().size());
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
    ChoiceChangedQuietly();
    if (edit->text() != text) edit->setText(text);
    if (selectionStart >= 0 && selectionLength > 0) {
        // Selected from the caret's side, so the caret stays where it was.
        if (cursor == selectionStart)
            edit->setSelection(selectionStart + selectionLength, -selectionLength);
        else
            edit->setSelection(selectionStart, selectionLength);
    } else {
        edit->setCursorPosition(cursor);
    }
}

bool ComboBox::TakeShownEntry() {
    if (!isEditable()) return true;
    const int shown = EntryShown();
    if (shown != currentIndex()) {
        ChooseKeepingText(shown);
        emit SelChange(shown);
    }
    return shown >= 0 || currentText().trimmed().isEmpty();
}

int ComboBox::AddString(const QString& text) {
    const int index = sorted_ ? SortedPosition(count(), text, [this](int i) { return itemText(i); })
                              : count();
    return InsertString(index, text);
}

int ComboBox::AddString(const std::u16string& text) {
    return AddString(QString::fromStdU16String(text));
}

int ComboBox::InsertString(int index, const QString& text) {
    if (index < 0 || index > count()) index = count();
    const int before = currentIndex();
    const QString editText = isEditable() ? currentText() : QString();
    const QSignalBlocker quiet(this);
    insertItem(index, text);
    // Adding an entry never selects it.
    if (before < 0) {
        setCurrentIndex(-1);
        if (isEditable()) setEditText(editText);
    }
    ChoiceChangedQuietly();
    return index;
}

int ComboBox::InsertString(int index, const std::u16string& text) {
    return InsertString(index, QString::fromStdU16String(text));
}

int ComboBox::DeleteString(int index) {
    if (index < 0 || index >= count()) return -1;
    const int before = currentIndex();
    const QString editText = isEditable() ? currentText() : QString();
    const QSignalBlocker quiet(this);
    removeItem(index);
    // Deleting the selected entry leaves nothing selected (not its neighbour).
    if (before == index) {
        setCurrentIndex(-1);
        if (isEditable()) setEditText(editText);
    }
    ChoiceChangedQuietly();
    return count();
}

void ComboBox::ResetContent() {
    {
        const QSignalBlocker quiet(this);
        clear();
        if (isEditable()) setEditText(QString());
    }
    ChoiceChangedQuietly();
}

int ComboBox::SetCurSel(int index) {
    const bool valid = index >= 0 && index < count();
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(valid ? index : -1);
    }
    ChoiceChangedQuietly();
    return valid ? index : -1;
}

bool ComboBox::SetItemData(int index, std::int64_t data) {
    if (index < 0 || index >= count()) return false;
    setItemData(index, QVariant::fromValue<qlonglong>(data), kDataRole);
    return true;
}

std::int64_t ComboBox::GetItemData(int index) const {
    return itemData(index, kDataRole).toLongLong();
}

int ComboBox::FindStringExact(int start, const QString& text) const {
    return SearchFrom(start, count(), [&](int i) {
        return QString::compare(itemText(i), text, Qt::CaseInsensitive) == 0;
    });
}

int ComboBox::SelectString(int start, const QString& prefix) {
    const int found = SearchFrom(start, count(), [&](int i) {
        return itemText(i).startsWith(prefix, Qt::CaseInsensitive);
    });
    if (found >= 0) SetCurSel(found);
    return found;
}

void ComboBox::SetWindowText(const QString& text) {
    if (isEditable()) {
        const QSignalBlocker quiet(this);
        setEditText(text);
        return;
    }
    SetCurSel(FindStringExact(-1, text));
}

bool ComboBox::event(QEvent* event) {
    // An edit field given by Qt's own setEditable still reports the user's typing.
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            connect(edit, &QLineEdit::textEdited, this, &ComboBox::OnUserEdit,
                    Qt::UniqueConnection);
        }
    }
    return QComboBox::event(event);
}

// ---- SimpleComboBox ---------------------------------------------------------------------------

namespace {
constexpr int kSimpleEditHeight = 21;  // the edit field, as tall as a closed drop-down
constexpr int kSimpleGap = 2;
}  // namespace

SimpleComboBox::SimpleComboBox(QWidget* parent) : ComboBox(parent) {
    SetEditable(true);
    list_ = new QListView(this);
    list_->setModel(model());
    list_->setItemDelegate(new TextRowDelegate(list_));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    // A click chooses the entry, as choosing it from a drop-down does.
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        setCurrentIndex(index.row());
        emit activated(index.row());
    });
    // Typing scrolls the list to the first entry that begins with the text.
    connect(this, &ComboBox::EditChange, list_, [this] {
        const QString text = currentText();
        if (text.isEmpty()) return;
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                list_->scrollTo(model()->index(i, modelColumn()), QAbstractItemView::PositionAtTop);
                break;
            }
        }
    });
}

void SimpleComboBox::ChoiceChangedQuietly() {
    ComboBox::ChoiceChangedQuietly();
    if (!list_) return;
    const int index = currentIndex();
    if (index < 0) {
        list_->clearSelection();
        list_->setCurrentIndex(QModelIndex());
    } else {
        list_->setCurrentIndex(model()->index(index, modelColumn()));
    }
}

void SimpleComboBox::PlaceParts() {
    if (!list_) return;  // events that arrive while the control is being made
    const int editHeight = std::min(height(), kSimpleEditHeight);
    if (QLineEdit* edit = lineEdit()) {
        edit->setFrame(true);
        edit->setGeometry(0, 0, width(), editHeight);
    }
    const int top = editHeight + kSimpleGap;
    list_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void SimpleComboBox::paintEvent(QPaintEvent*) {
    // The edit and the list draw themselves; the drop-down's own frame and arrow have no place.
}

void SimpleComboBox::resizeEvent(QResizeEvent* event) {
    ComboBox::resizeEvent(event);
    PlaceParts();
}

void SimpleComboBox::showEvent(QShowEvent* event) {
    ComboBox::showEvent(event);
    PlaceParts();
}

void SimpleComboBox::mousePressEvent(QMouseEvent* event) {
    // Between the edit and the list: nothing to open.
    event->accept();
}

bool SimpleComboBox::event(QEvent* event) {
    const bool handled = ComboBox::event(event);
    // The drop-down places its edit again after style and font changes.
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::LayoutRequest:
        PlaceParts();
        break;
    default:
        break;
    }
    return handled;
}

// ---- ListBoxControl ---------------------------------------------------------------------------

ListBoxControl::ListBoxControl(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setItemDelegate(new ListBoxDelegate(this, &elider_));
}

void ListBoxControl::SetElider(TextElider elider) {
    elider_ = std::move(elider);
    // The entries are cut to the width, so the list never scrolls sideways, and lays its rows
    // out again when its width changes.
    setHorizontalScrollBarPolicy(elider_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setResizeMode(elider_ ? QListView::Adjust : QListView::Fixed);
    scheduleDelayedItemsLayout();
    viewport()->update();
}

QString ListBoxControl::ShownText(int index) const {
    const QModelIndex at = model()->index(index, 0);
    const auto* delegate = dynamic_cast<const ElidingDelegate*>(itemDelegateForIndex(at));
    if (!at.isValid() || !delegate) return GetText(index);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(at);
    return delegate->ShownText(option, at);
}

QString ListBoxControl::ItemToolTip(int index) const {
    if (!elider_ || index < 0 || index >= count()) return QString();
    const QString text = GetText(index);
    return ShownText(index) != text ? text : QString();
}

bool ListBoxControl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && elider_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? ItemToolTip(index.row()) : QString();
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QListWidget::viewportEvent(event);
}

void ListBoxControl::SetSorted(bool on) { sorted_ = on; }

int ListBoxControl::AddString(const QString& text) {
    const int index =
        sorted_ ? SortedPosition(count(), text, [this](int i) { return item(i)->text(); })
                : count();
    return InsertString(index, text);
}

int ListBoxControl::AddString(const std::u16string& text) {
    return AddString(QString::fromStdU16String(text));
}

int ListBoxControl::InsertString(int index, const QString& text) {
    if (index < 0 || index > count()) index = count();
    insertItem(index, text);
    return index;
}

int ListBoxControl::InsertString(int index, const std::u16string& text) {
    return InsertString(index, QString::fromStdU16String(text));
}

int ListBoxControl::DeleteString(int index) {
    if (index < 0 || index >= count()) return -1;
    delete takeItem(index);
    return count();
}

void ListBoxControl::ResetContent() {
    clear();
    // The entries added next are other entries (another category, another search): they are
    // shown from the first. The scroll bar keeps its old position until the list lays itself
    // out again, which is after the new entries are in, so it would open them where the old
    // ones were scrolled to.
    verticalScrollBar()->setValue(0);
}

int ListBoxControl::GetCurSel() const {
    const auto selection = SelectionNow();
    return selection.empty() ? -1 : selection.front();
}

int ListBoxControl::SetCurSel(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentItem(nullptr);
        return -1;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}

QString ListBoxControl::GetText(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

bool ListBoxControl::SetItemData(int index, std::int64_t data) {
    QListWidgetItem* it = item(index);
    if (!it) return false;
    it->setData(kDataRole, QVariant::fromValue<qlonglong>(data));
    return true;
}

std::int64_t ListBoxControl::GetItemData(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->data(kDataRole).toLongLong() : 0;
}

int ListBoxControl::FindStringExact(int start, const QString& text) const {
    return SearchFrom(start, count(), [&](int i) {
        return QString::compare(item(i)->text(), text, Qt::CaseInsensitive) == 0;
    });
}

std::vector<int> ListBoxControl::GetSelItems() const { return SelectionNow(); }

std::vector<int> ListBoxControl::SelectionNow() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListBoxControl::mousePressEvent(QMouseEvent* event) {
    const auto before = SelectionNow();
    QListWidget::mousePressEvent(event);
    if (SelectionNow() != before) emit SelChange();
}

void ListBoxControl::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit DoubleClick(index.row());
}

void ListBoxControl::keyPressEvent(QKeyEvent* event) {
    const auto before = SelectionNow();
    QListWidget::keyPressEvent(event);
    if (SelectionNow() != before) emit SelChange();
}

// ---- TabControl -------------------------------------------------------------------------------

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setExpanding(false);
    bar_->setDrawBase(false);
    bar_->setUsesScrollButtons(true);
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        if (!programmatic_) emit SelChange(index);
    });
}

int TabControl::InsertItem(int index, const QString& text) {
    programmatic_ = true;
    const int at = bar_->insertTab(index < 0 ? bar_->count() : index, text);
    programmatic_ = false;
    return at;
}

int TabControl::InsertItem(int index, const std::u16string& text) {
    return InsertItem(index, QString::fromStdU16String(text));
}

bool TabControl::DeleteItem(int index) {
    if (index < 0 || index >= bar_->count()) return false;
    programmatic_ = true;
    bar_->removeTab(index);
    programmatic_ = false;
    return true;
}

void TabControl::DeleteAllItems() {
    programmatic_ = true;
    while (bar_->count() > 0) bar_->removeTab(0);
    programmatic_ = false;
}

int TabControl::GetItemCount() const { return bar_->count(); }

int TabControl::GetCurSel() const { return bar_->currentIndex(); }

int TabControl::SetCurSel(int index) {
    const int previous = bar_->currentIndex();
    if (index < 0 || index >= bar_->count()) return -1;
    programmatic_ = true;
    bar_->setCurrentIndex(index);
    programmatic_ = false;
    return previous;
}

QString TabControl::GetItemText(int index) const { return bar_->tabText(index); }

QRect TabControl::DisplayRect() const {
    const int top = bar_->sizeHint().height();
    return QRect(x() + 4, y() + top + 4, std::max(0, width() - 8),
                 std::max(0, height() - top - 8));
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = bar_->sizeHint().height();
    frame.rect = QRect(0, top - 1, width(), height() - top + 1);
    frame.tabBarSize = bar_->sizeHint();
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

// ---- DateTimePicker ---------------------------------------------------------------------------

DateTimePicker::DateTimePicker(QWidget* parent, Format format, bool showNone)
    : QWidget(parent), format_(format), date_(QDate::currentDate()), time_(QTime::currentTime()) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    if (showNone) {
        check_ = new QCheckBox(this);
        check_->setChecked(true);
        layout->addWidget(check_);
        connect(check_, &QCheckBox::clicked, this, [this](bool on) {
            edit_->setEnabled(on);
            emit Changed();
        });
    }
    edit_ = new DateTimeField(this, format);
    setFocusProxy(edit_);
    if (format == Format::Time) edit_->ShowTime(time_);
    else edit_->ShowDate(date_);
    layout->addWidget(edit_, 1);
    // The field's text is its value: a whole one is taken, else the last whole one is kept
    // and the picker says it is not on show.
    edit_->onEdited = [this] {
        if (format_ == Format::Time) {
            if (const auto shown = edit_->ShownTime()) time_ = *shown;
        } else if (const auto shown = edit_->ShownDate()) {
            date_ = *shown;
        }
        emit Changed();
    };
}

bool DateTimePicker::HasValue() const { return !check_ || check_->isChecked(); }

bool DateTimePicker::ShowsStorableValue() const {
    if (!HasValue()) return true;
    if (format_ == Format::Time) return edit_->ShownTime().has_value();
    const auto shown = edit_->ShownDate();
    return shown && MakeLocalTime(shown->day(), shown->month(), shown->year(), 12).has_value();
}

void DateTimePicker::SetNone() {
    if (!check_) return;
    check_->setChecked(false);
    edit_->setEnabled(false);
}

void DateTimePicker::StartTyping() { edit_->StartTyping(); }

QDateTime DateTimePicker::Value() const { return QDateTime(date_, time_); }

void DateTimePicker::SetValue(const QDateTime& value) {
    SetParts(value.date(), value.time());
}

void DateTimePicker::SetParts(const QDate& date, const QTime& time) {
    date_ = date;
    time_ = time;
    // The field shows only its own part; the other is any day or time it can show.
    if (format_ == Format::Time) edit_->ShowTime(time);
    else edit_->ShowDate(date);
    if (check_) {
        check_->setChecked(true);
        edit_->setEnabled(true);
    }
}

std::optional<LocalDateTime> DateTimePicker::GetLocal() const {
    if (!HasValue()) return std::nullopt;
    LocalDateTime local;
    local.day = date_.day();
    local.month = date_.month();
    local.year = date_.year();
    local.hour = time_.hour();
    local.minute = time_.minute();
    local.second = time_.second();
    return local;
}

void DateTimePicker::SetLocal(const LocalDateTime& v) {
    SetParts(QDate(v.year, v.month, v.day), QTime(v.hour, v.minute, v.second));
}

std::optional<Time64> DateTimePicker::UntouchedTime() const {
    // A text that makes no whole value leaves the last whole one behind, which is not on show.
    if (setTime_ < 0 || date_ != setDate_ || time_ != setClock_ || !ShowsStorableValue())
        return std::nullopt;
    return setTime_;
}

Time64 DateTimePicker::GetTime() const {
    const auto local = GetLocal();
    if (!local) return kNoDate;
    if (const auto untouched = UntouchedTime()) return *untouched;
    return MakeLocalTime(local->day, local->month, local->year, local->hour, local->minute,
                         local->second)
        .value_or(kNoDate);
}

void DateTimePicker::SetTime(Time64 time) {
    const auto local = time < 0 ? std::nullopt : ToLocalDateTime(time);
    if (!local) {
        setTime_ = -1;
        SetNone();
        return;
    }
    SetLocal(*local);
    setTime_ = time;
    setDate_ = date_;
    setClock_ = time_;
}
