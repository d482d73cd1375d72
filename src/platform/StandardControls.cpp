#include "StandardControls.h"

#include <QCheckBox>
#include <QChildEvent>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QSignalBlocker>
#include <QTabBar>
#include <functional>
#include <optional>
#include <algorithm>

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
}  // namespace

// ---- ComboBox ---------------------------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setInsertPolicy(QComboBox::NoInsert);
    setItemDelegate(new TextRowDelegate(this));
    connect(this, &QComboBox::activated, this, &ComboBox::SelChange);
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
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            connect(edit, &QLineEdit::textEdited, this, &ComboBox::EditChange,
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
    setEditable(true);
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
    // The list shows the user's choice; the program's shows through ChoiceChangedQuietly.
    connect(this, &QComboBox::currentIndexChanged, list_, [this] { ChoiceChangedQuietly(); });
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
    setItemDelegate(new TextRowDelegate(this));
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

void ListBoxControl::ResetContent() { clear(); }

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

namespace {

// The field of a picker. Left with a text that is no whole date or time (by a click elsewhere,
// Tab or Enter), a plain date edit puts its last whole value back in silence, so a window would
// save a date the user never saw; this one keeps the text on show, and the picker reports it.
//
// It also takes a date or time typed as it is written. A plain date edit checks each digit
// against the parts not yet typed: with February on show, "30.4.2024" became 03.02.2024 and
// "29.2.2024" 28.02.2024; and once the digits fill a part it moves on by itself and takes the
// separator typed next as a move to the part after that, so "08:15:00" became 08:30:15. Here the
// digits of a day, month, year, hour, minute or second go into their own part alone, as typed;
// a part is done when its digits are full or no further digit could follow (an hour "8", a day
// "5"), or at its separator; a separator typed straight after a part was done by itself is the
// one already made, and is passed over. Only once every part is done is the whole checked: a
// date that does not exist (31.02) stays on show as typed and is refused like any other text
// that is no whole date. A month shown by its name takes its number or the first letters of
// its name, and a dot as well as a blank after it. And a click in a part selects the whole
// part, so the digits typed next replace it, as after Tab.
class PickerEdit : public QDateTimeEdit {
public:
    PickerEdit(QWidget* parent, DateTimePicker::Format format) : QDateTimeEdit(parent) {
        lineEdit()->installEventFilter(this);
        switch (format) {
        case DateTimePicker::Format::ShortDate:
            separator_ = u'.';
            parts_ = {{2, 1, 31}, {2, 1, 12}, {4, 1970, kLastDateYear}};
            break;
        case DateTimePicker::Format::LongDate:
            separator_ = u' ';
            parts_ = {{2, 1, 31, Look::Plain}, {2, 1, 12, Look::MonthName},
                      {4, 1970, kLastDateYear}};
            break;
        case DateTimePicker::Format::Time:
            separator_ = u':';
            parts_ = {{2, 0, 23}, {2, 0, 59}, {2, 0, 59}};
            break;
        }
        connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
            halfTyped_ = false;
            if (!applying_) ForgetTyping();
        });
    }

    // Called when typing leaves a text that is no whole value (the value does not change then).
    std::function<void()> onTyped;

    // The text on show is a whole value of the edit: not one typed here that makes none (a part
    // half typed, a day the month has not), nor one the edit itself refuses.
    bool ShowsWholeValue() const { return !halfTyped_ && hasAcceptableInput(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == lineEdit()) {
            if (event->type() == QEvent::MouseButtonPress) ForgetTyping();
            if (event->type() == QEvent::MouseButtonRelease) {
                // The text's own field places the caret first; then, after a click (not after a
                // drag that selected text of its own), the part under the caret is selected.
                lineEdit()->event(event);
                if (!lineEdit()->hasSelectedText()) {
                    SelectPart(lineEdit()->text(), PartAt(lineEdit()->cursorPosition()));
                }
                return true;
            }
        }
        return QDateTimeEdit::eventFilter(watched, event);
    }
    void focusInEvent(QFocusEvent* event) override {
        ForgetTyping();
        // The date edit's own handling rewrites the text from the last whole value.
        if (ShowsWholeValue()) QDateTimeEdit::focusInEvent(event);
        else QAbstractSpinBox::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        ForgetTyping();
        if (ShowsWholeValue()) {
            QDateTimeEdit::focusOutEvent(event);
            return;
        }
        // The text's own field ends its editing too, but without the edit's mending, which
        // would complete a half-typed time of day with zeros.
        QLineEdit* text = lineEdit();
        const QValidator* validator = text->validator();
        text->setValidator(nullptr);
        text->event(event);
        text->setValidator(validator);
        QWidget::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        // Enter goes on to the window's default button, which refuses the text.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !ShowsWholeValue()) {
            event->ignore();
            return;
        }
        // Shift pressed on its own for a ":" comes between a digit and the separator.
        if (IsModifierKey(event->key())) {
            QDateTimeEdit::keyPressEvent(event);
            return;
        }
        const QString typed = event->text();
        const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
        const QChar c = plain && typed.size() == 1 ? typed.front() : QChar();
        if (!c.isNull() && isEnabled() && !isReadOnly()) {
            if (c.isDigit()) {
                TypeDigit(c);
                event->accept();
                return;
            }
            if (c == separator_ || (separator_ == u' ' && c == u'.')) {
                TypeSeparator();
                event->accept();
                return;
            }
            if (c.isLetter()) {
                TypeLetter(c);
                event->accept();
                return;
            }
        }
        ForgetTyping();
        QDateTimeEdit::keyPressEvent(event);
    }

private:
    enum class Look {
        Padded,     // digits, with a leading zero below 10
        Plain,      // digits as they are
        MonthName,  // the month's name
    };
    struct Part {
        int width;    // digits of a whole part
        int lowest;   // least value a whole part may have
        int highest;  // greatest value; a digit that would go past it is refused
        Look look = Look::Padded;
    };

    static bool IsModifierKey(int key) {
        switch (key) {
        case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
        case Qt::Key_Meta: case Qt::Key_CapsLock: case Qt::Key_NumLock: return true;
        default: return false;
        }
    }

    void ForgetTyping() {
        typedPart_ = -1;
        typed_.clear();
        movedOnByItself_ = false;
    }

    // The month's name as the field shows it in a date.
    QString MonthName(int month) const {
        return locale().toString(QDate(2000, month, 1), QStringLiteral("MMMM"));
    }

    // The value a part's text stands for, if any.
    std::optional<int> ValueOf(const Part& part, const QString& text) const {
        if (part.look == Look::MonthName) {
            for (int month = 1; month <= 12; ++month) {
                if (text.compare(MonthName(month), Qt::CaseInsensitive) == 0) return month;
            }
            return std::nullopt;
        }
        bool number = false;
        const int value = text.toInt(&number);
        if (!number) return std::nullopt;
        return value;
    }

    QString TextOf(const Part& part, int value) const {
        switch (part.look) {
        case Look::Padded: return QStringLiteral("%1").arg(value, part.width, 10, QChar(u'0'));
        case Look::Plain: return QString::number(value);
        case Look::MonthName: return MonthName(value);
        }
        return {};
    }

    // The part the text position lies in: the separators before it count the parts.
    int PartAt(int position) const {
        const int before = static_cast<int>(lineEdit()->text().left(position).count(separator_));
        return std::min(before, static_cast<int>(parts_.size()) - 1);
    }
    int PartAtCaret() const {
        const QLineEdit* text = lineEdit();
        return PartAt(text->hasSelectedText() ? text->selectionStart() : text->cursorPosition());
    }

    // The parts' texts as they stand on show, one for each part.
    QStringList ShownParts() const {
        QStringList texts = lineEdit()->text().split(separator_);
        while (texts.size() < static_cast<qsizetype>(parts_.size())) texts << QString();
        while (texts.size() > static_cast<qsizetype>(parts_.size())) texts.removeLast();
        return texts;
    }

    // The part the caret is in, starting its typing afresh when it is not the one typed last.
    int TypingPart() {
        const int at = PartAtCaret();
        if (at != typedPart_) {
            typedPart_ = at;
            typed_.clear();
        }
        return at;
    }

    // Part `at` is done with `text`: the next part is shown selected, ready to be typed.
    void PartDone(QStringList& texts, int at, const QString& text) {
        texts[at] = text;
        typed_.clear();
        int shown = at;
        if (at + 1 < static_cast<int>(parts_.size())) {
            shown = at + 1;
            typedPart_ = shown;
            movedOnByItself_ = true;
        }
        Show(texts, shown);
    }

    void TypeDigit(QChar digit) {
        QStringList texts = ShownParts();
        const int at = TypingPart();
        const Part& part = parts_[static_cast<std::size_t>(at)];
        if (!typed_.isEmpty() && !typed_.front().isDigit()) typed_.clear();  // letters of a name
        const QString next = typed_ + digit;
        const int value = next.toInt();
        if (value > part.highest) return;  // no such day, month, year, hour or minute
        typed_ = next;
        movedOnByItself_ = false;
        if (next.size() == part.width || (part.width == 2 && value * 10 > part.highest)) {
            PartDone(texts, at, TextOf(part, value));
            return;
        }
        texts[at] = next;
        Show(texts, at);
    }

    // The first letters of a month's name; a letter no month's name goes on with is refused.
    void TypeLetter(QChar letter) {
        QStringList texts = ShownParts();
        const int at = TypingPart();
        const Part& part = parts_[static_cast<std::size_t>(at)];
        if (part.look != Look::MonthName) return;
        if (!typed_.isEmpty() && typed_.front().isDigit()) typed_.clear();
        const QString next = typed_ + letter;
        std::vector<int> months;
        for (int month = 1; month <= 12; ++month) {
            if (MonthName(month).startsWith(next, Qt::CaseInsensitive)) months.push_back(month);
        }
        if (months.empty()) return;
        typed_ = next;
        movedOnByItself_ = false;
        if (months.size() == 1) {
            PartDone(texts, at, MonthName(months.front()));
            return;
        }
        texts[at] = next;
        Show(texts, at);
    }

    void TypeSeparator() {
        if (movedOnByItself_) {
            movedOnByItself_ = false;
            return;
        }
        QStringList texts = ShownParts();
        const int at = TypingPart();
        const Part& part = parts_[static_cast<std::size_t>(at)];
        // A part of fewer digits than it holds is done at its separator ("1." is the 1st); a
        // year is not.
        if (!typed_.isEmpty() && typed_.front().isDigit() && part.width == 2 &&
            typed_.toInt() >= part.lowest) {
            texts[at] = TextOf(part, typed_.toInt());
        }
        const int shown = std::min(at + 1, static_cast<int>(parts_.size()) - 1);
        typedPart_ = shown;
        typed_.clear();
        Show(texts, shown);
    }

    // Puts the parts on show: as the whole value they make, when they make one, else as they are
    // (the field then holds no whole value and the picker says so). Then selects part `selected`.
    void Show(const QStringList& texts, int selected) {
        std::vector<int> values;
        bool whole = true;
        for (std::size_t i = 0; i < parts_.size(); ++i) {
            const Part& part = parts_[i];
            const QString& text = texts[static_cast<qsizetype>(i)];
            const std::optional<int> value = ValueOf(part, text);
            const bool halfTyped = static_cast<int>(i) == typedPart_ && !typed_.isEmpty();
            whole = whole && value && !halfTyped && *value >= part.lowest &&
                    *value <= part.highest && (part.look != Look::Padded || text.size() == part.width);
            values.push_back(value.value_or(0));
        }
        const QString text = texts.join(separator_);
        applying_ = true;
        if (whole && separator_ == u':') {
            setTime(QTime(values[0], values[1], values[2]));
        } else if (const QDate day(values[2], values[1], values[0]);
                   whole && day.isValid() && day >= minimumDate() && day <= maximumDate()) {
            setDate(day);
        } else {
            whole = false;
        }
        applying_ = false;
        if (whole) {
            halfTyped_ = false;  // also when the value was the one already held
        } else {
            // Past the edit's own check and mending, which would refuse it or read it as another
            // value ("2" for an hour half typed as 02).
            QLineEdit* edit = lineEdit();
            const QValidator* validator = edit->validator();
            const QSignalBlocker quiet(edit);
            edit->setValidator(nullptr);
            edit->setText(text);
            edit->setValidator(validator);
            halfTyped_ = true;
            if (onTyped) onTyped();
        }
        SelectPart(lineEdit()->text(), selected);
    }

    void SelectPart(const QString& text, int part) {
        int start = 0;
        for (int i = 0; i < part; ++i) {
            const qsizetype next = text.indexOf(separator_, start);
            if (next < 0) break;
            start = static_cast<int>(next) + 1;
        }
        qsizetype end = text.indexOf(separator_, start);
        if (end < 0) end = text.size();
        lineEdit()->setSelection(start, static_cast<int>(end) - start);
    }

    std::vector<Part> parts_;
    QChar separator_;
    int typedPart_ = -1;   // the part the text below was typed into
    QString typed_;        // digits (or letters of a month's name) typed into it since
    bool movedOnByItself_ = false;  // the last key done its part, and the next one is shown
    bool applying_ = false;    // the value is being set from what was typed
    bool halfTyped_ = false;   // the text on show was typed here and makes no whole value
};

}  // namespace

DateTimePicker::DateTimePicker(QWidget* parent, Format format, bool showNone)
    : QWidget(parent), format_(format), value_(QDateTime::currentDateTime()) {
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
    auto* edit = new PickerEdit(this, format);
    edit->onTyped = [this] { emit Changed(); };
    edit_ = edit;
    setFocusProxy(edit_);
    edit_->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    switch (format) {
    case Format::ShortDate: edit_->setDisplayFormat(QStringLiteral("dd.MM.yyyy")); break;
    case Format::LongDate: edit_->setDisplayFormat(QStringLiteral("d MMMM yyyy")); break;
    case Format::Time: edit_->setDisplayFormat(QStringLiteral("HH:mm:ss")); break;
    }
    edit_->setCalendarPopup(format != Format::Time);
    // No day before 1970 or past the last year a date may have can be set, typed or picked.
    edit_->setMinimumDate(QDate(1970, 1, 1));
    edit_->setMaximumDate(QDate(kLastDateYear, 12, 31));
    edit_->setDateTime(value_);
    layout->addWidget(edit_, 1);
    connect(edit_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& shown) {
        if (programmatic_) return;
        // The edit shows only some fields; the others keep their value.
        if (format_ == Format::Time) value_.setTime(shown.time());
        else value_.setDate(shown.date());
        emit Changed();
    });
}

bool DateTimePicker::HasValue() const { return !check_ || check_->isChecked(); }

bool DateTimePicker::ShowsStorableValue() const {
    if (!HasValue()) return true;
    if (!static_cast<const PickerEdit*>(edit_)->ShowsWholeValue()) return false;
    if (format_ == Format::Time) return true;
    // A value set from outside the field's range shows clamped to it: not the day kept.
    const QDate shown = edit_->date();
    if (shown != value_.date()) return false;
    return MakeLocalTime(shown.day(), shown.month(), shown.year(), 12).has_value();
}

void DateTimePicker::SetNone() {
    if (!check_) return;
    check_->setChecked(false);
    edit_->setEnabled(false);
}

QDateTime DateTimePicker::Value() const { return value_; }

void DateTimePicker::SetValue(const QDateTime& value) {
    value_ = value;
    programmatic_ = true;
    edit_->setDateTime(value);
    programmatic_ = false;
    if (check_) {
        check_->setChecked(true);
        edit_->setEnabled(true);
    }
}

std::optional<LocalDateTime> DateTimePicker::GetLocal() const {
    if (!HasValue()) return std::nullopt;
    LocalDateTime local;
    local.day = value_.date().day();
    local.month = value_.date().month();
    local.year = value_.date().year();
    local.hour = value_.time().hour();
    local.minute = value_.time().minute();
    local.second = value_.time().second();
    return local;
}

void DateTimePicker::SetLocal(const LocalDateTime& v) {
    SetValue(QDateTime(QDate(v.year, v.month, v.day), QTime(v.hour, v.minute, v.second)));
}

Time64 DateTimePicker::GetTime() const {
    const auto local = GetLocal();
    if (!local) return kNoDate;
    return MakeLocalTime(local->day, local->month, local->year, local->hour, local->minute,
                         local->second)
        .value_or(kNoDate);
}

void DateTimePicker::SetTime(Time64 time) {
    const auto local = time < 0 ? std::nullopt : ToLocalDateTime(time);
    if (!local) {
        SetNone();
        return;
    }
    SetLocal(*local);
}
