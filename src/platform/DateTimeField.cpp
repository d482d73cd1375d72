#include "DateTimeField.h"

#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QWheelEvent>
#include <algorithm>

#include "DialogTemplate.h"
#include "SharedRoutines.h"

namespace {

bool IsModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
    case Qt::Key_Meta: case Qt::Key_CapsLock: case Qt::Key_NumLock: return true;
    default: return false;
    }
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

const QDate kFirstDay(1970, 1, 1);
const QDate kLastDay(kLastDateYear, 12, 31);

// The drop-down calendar of a date field, a popup window of its own. A click on the field's arrow
// while it is open closes it and does not open it again.
class CalendarDrop : public QFrame {
public:
    CalendarDrop(QWidget* field, std::function<QRect()> arrowOnScreen)
        : QFrame(field, Qt::Popup), arrowOnScreen_(std::move(arrowOnScreen)) {
        setObjectName(QStringLiteral("calendarDrop"));
        setFrameShape(QFrame::StyledPanel);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        calendar = new QCalendarWidget(this);
        UseCalendarLook(calendar);
        // Digits typed over the days would make a date of the calendar's own.
        calendar->setDateEditEnabled(false);
        calendar->setMinimumDate(kFirstDay);
        calendar->setMaximumDate(kLastDay);
        layout->addWidget(calendar);
    }

    QCalendarWidget* calendar = nullptr;

    // Grown, once shown and laid out, until every week row of the month shows whole. The
    // calendar's own size counts its bar and its rows of days but not the weekday headings set
    // between them, so its days were a row short and the view scrolled.
    void FitWeeks() {
        QTableView* days = Days();
        if (!days) return;
        const int needed = days->model()->rowCount() * days->verticalHeader()->minimumSectionSize();
        const int lacking = needed - days->viewport()->height();
        if (lacking > 0) resize(width(), height() + lacking);
    }

    // A view scrolled when the calendar was last open starts again at its first week.
    void ShowFirstWeek() {
        if (QTableView* days = Days()) days->scrollToTop();
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (arrowOnScreen_().contains(event->globalPosition().toPoint())) {
            setAttribute(Qt::WA_NoMouseReplay);
        }
        QFrame::mousePressEvent(event);
    }
    void hideEvent(QHideEvent* event) override {
        QFrame::hideEvent(event);
        parentWidget()->update();  // the arrow is drawn raised again
    }

private:
    QTableView* Days() const {
        return calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    }

    std::function<QRect()> arrowOnScreen_;
};

}  // namespace

DateTimeField::DateTimeField(QWidget* parent, DateTimePicker::Format format)
    : QAbstractSpinBox(parent) {
    setLocale(QLocale(QLocale::Polish, QLocale::Poland));
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
    // A date shows the arrow of its calendar where a time shows its step buttons.
    if (IsDate()) setButtonSymbols(QAbstractSpinBox::NoButtons);
    // Text comes in only by the keys and pastes read below.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QLineEdit* edit = lineEdit();
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!settingText_) EditedInPlace();
    });
    PlaceEdit();
}

// ---- the value on show ------------------------------------------------------------------------

std::optional<std::vector<int>> DateTimeField::ShownNumbers(const QString& text) const {
    const QStringList texts = text.split(separator_);
    if (texts.size() != static_cast<qsizetype>(parts_.size())) return std::nullopt;
    std::vector<int> numbers;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const Part& part = parts_[i];
        const QString& shown = texts[static_cast<qsizetype>(i)];
        const std::optional<int> value = ValueOf(part, shown);
        // Only a part written as the field writes it: "5" or "005" for a day are still typing.
        if (!value || *value < part.lowest || *value > part.highest ||
            TextOf(part, *value) != shown) {
            return std::nullopt;
        }
        numbers.push_back(*value);
    }
    return numbers;
}

std::optional<QDate> DateTimeField::ShownDate() const {
    if (!IsDate()) return std::nullopt;
    const auto numbers = ShownNumbers(lineEdit()->text());
    if (!numbers) return std::nullopt;
    const QDate day((*numbers)[2], (*numbers)[1], (*numbers)[0]);
    if (!day.isValid() || day < kFirstDay || day > kLastDay) return std::nullopt;
    return day;
}

std::optional<QTime> DateTimeField::ShownTime() const {
    if (IsDate()) return std::nullopt;
    const auto numbers = ShownNumbers(lineEdit()->text());
    if (!numbers) return std::nullopt;
    return QTime((*numbers)[0], (*numbers)[1], (*numbers)[2]);
}

bool DateTimeField::ShowsWholeValue() const {
    return IsDate() ? ShownDate().has_value() : ShownTime().has_value();
}

QString DateTimeField::TextOfNumbers(int a, int b, int c) const {
    return QStringList{TextOf(parts_[0], a), TextOf(parts_[1], b), TextOf(parts_[2], c)}
        .join(separator_);
}

void DateTimeField::ShowDate(const QDate& date) {
    ForgetTyping();
    // An invalid date shows its parts empty; one out of range shows as it is, and is no value.
    const QString text = date.isValid() ? TextOfNumbers(date.day(), date.month(), date.year())
                                        : QString(2, separator_);
    SetShown(text, false);
    lineEdit()->setCursorPosition(0);
}

void DateTimeField::ShowTime(const QTime& time) {
    ForgetTyping();
    const QString text = time.isValid() ? TextOfNumbers(time.hour(), time.minute(), time.second())
                                        : QString(2, separator_);
    SetShown(text, false);
    lineEdit()->setCursorPosition(0);
}

void DateTimeField::SetShown(const QString& text, bool byUser) {
    QLineEdit* edit = lineEdit();
    const bool changed = text != edit->text();
    if (text != edit->text()) {
        settingText_ = true;
        edit->setText(text);
        settingText_ = false;
    }
    if (byUser && changed && onEdited) onEdited();
}

void DateTimeField::EditedInPlace() {
    ForgetTyping();
    if (onEdited) onEdited();
}

QValidator::State DateTimeField::validate(QString& input, int&) const {
    // Never Invalid: the text's own edits (Backspace, Delete) are not undone, whatever they leave.
    return ShownNumbers(input) ? QValidator::Acceptable : QValidator::Intermediate;
}

void DateTimeField::fixup(QString&) const {
    // Nothing is mended: a text that is no whole value stays as it is.
}

// ---- steps --------------------------------------------------------------------------------------

QAbstractSpinBox::StepEnabled DateTimeField::stepEnabled() const {
    if (!Editable()) return StepNone;
    const QStringList texts = lineEdit()->text().split(separator_);
    if (texts.size() != static_cast<qsizetype>(parts_.size())) return StepNone;
    const int at = PartAtCaret();
    const Part& part = parts_[static_cast<std::size_t>(at)];
    const std::optional<int> value = ValueOf(part, texts[at]);
    if (!value) return StepNone;
    StepEnabled enabled = StepNone;
    if (*value < part.highest) enabled |= StepUpEnabled;
    if (*value > part.lowest) enabled |= StepDownEnabled;
    return enabled;
}

void DateTimeField::stepBy(int steps) {
    if (!Editable() || steps == 0) return;
    QStringList texts = lineEdit()->text().split(separator_);
    if (texts.size() != static_cast<qsizetype>(parts_.size())) return;
    const int at = PartAtCaret();
    const Part& part = parts_[static_cast<std::size_t>(at)];
    const std::optional<int> value = ValueOf(part, texts[at]);
    if (!value) return;
    const long long stepped = std::clamp(static_cast<long long>(*value) + steps,
                                         static_cast<long long>(part.lowest),
                                         static_cast<long long>(part.highest));
    texts[at] = TextOf(part, static_cast<int>(stepped));
    ForgetTyping();
    Show(texts, at);
}

void DateTimeField::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!Editable()) return;
    // A notch of the wheel is a step; a fine wheel's smaller turns add up to one.
    wheelTurned_ += event->angleDelta().y();
    const int steps = wheelTurned_ / QWheelEvent::DefaultDeltasPerStep;
    wheelTurned_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps == 0) return;
    QLineEdit* edit = lineEdit();
    ForgetTyping();
    SelectPart(PartAt(edit->cursorPositionAt(edit->mapFrom(this, event->position().toPoint()))));
    if (stepEnabled() & (steps > 0 ? StepUpEnabled : StepDownEnabled)) stepBy(steps);
}

// ---- keys, clicks and focus ---------------------------------------------------------------------

bool DateTimeField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonPress) ForgetTyping();
        if (event->type() == QEvent::MouseButtonRelease) {
            // The text's own field places the caret first; then, after a click (not after a
            // drag that selected text of its own), the part under the caret is selected.
            lineEdit()->event(event);
            if (!lineEdit()->hasSelectedText()) SelectPart(PartAt(lineEdit()->cursorPosition()));
            return true;
        }
    }
    return QAbstractSpinBox::eventFilter(watched, event);
}

void DateTimeField::focusInEvent(QFocusEvent* event) {
    ForgetTyping();
    QAbstractSpinBox::focusInEvent(event);
    // Whatever part was selected or had the caret when the field was left (the last, after
    // Shift+Tab or after a whole date typed), a value typed now is a whole one from its start.
    // A click selects its own part once the button is released.
    if (event->reason() != Qt::MouseFocusReason) StartTyping();
}

void DateTimeField::focusOutEvent(QFocusEvent* event) {
    // A part left half typed stays so: the text makes no value until it is typed whole.
    EndTyping();
    QAbstractSpinBox::focusOutEvent(event);
}

void DateTimeField::StartTyping() {
    ForgetTyping();
    SelectPart(0);
}

void DateTimeField::contextMenuEvent(QContextMenuEvent* event) {
    // The text's own menu, but its paste reads the text as typed keys.
    QMenu* menu = lineEdit()->createStandardContextMenu();
    // The menu's paste is known by the keys it names, whatever the language of its caption.
    const QString pasteKeys =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (!action->text().endsWith(pasteKeys)) continue;
        action->setObjectName(QStringLiteral("edit-paste"));
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this,
                [this] { Paste(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void DateTimeField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Enter goes on to the window's default button, which takes the value or refuses the text.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        EndTyping();
        event->ignore();
        return;
    }
    // Shift pressed on its own for a ":" comes between a digit and the separator.
    if (IsModifierKey(key)) {
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (IsDate() && ((key == Qt::Key_Down && modifiers == Qt::AltModifier) ||
                     (key == Qt::Key_F4 && modifiers == Qt::NoModifier))) {
        OpenCalendar();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (Editable()) Paste(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool plain = !(modifiers & ~Qt::ShiftModifier);
    const QChar c = plain && typed.size() == 1 ? typed.front() : QChar();
    if (!c.isNull() && c.isPrint()) {
        if (Editable()) {
            if (c.isDigit()) TypeDigit(c);
            else if (IsSeparator(c)) TypeSeparator();
            else if (c.isLetter()) TypeLetter(c);
        }
        // Any other character is no part of a date or time.
        event->accept();
        return;
    }
    if (modifiers == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            MoveToPart(key == Qt::Key_Left ? -1 : 1);
            event->accept();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const bool up = key == Qt::Key_Up || key == Qt::Key_PageUp;
            const int steps = (key == Qt::Key_Up || key == Qt::Key_Down) ? 1 : 10;
            if (stepEnabled() & (up ? StepUpEnabled : StepDownEnabled)) stepBy(up ? steps : -steps);
            event->accept();
            return;
        }
        default: break;
        }
    }
    // The text's own keys: Home, End, Backspace, Delete, Ctrl+arrows, Shift+arrows.
    ForgetTyping();
    QAbstractSpinBox::keyPressEvent(event);
}

void DateTimeField::MoveToPart(int by) {
    const int last = static_cast<int>(parts_.size()) - 1;
    int at = PartAtCaret();
    if (Typing()) {
        QStringList texts = ShownParts();
        if (!GiveBackRun(texts, at, true)) {
            if (movedOnByItself_ && by > 0) {
                // Right straight after a part done by itself: the field has moved on already,
                // as at a separator typed there.
                movedOnByItself_ = false;
                movedOn_.clear();
                return;
            }
            PadTyped(texts, at);
        }
        ForgetTyping();
        Show(texts, std::clamp(at + by, 0, last));
        return;
    }
    ForgetTyping();
    SelectPart(std::clamp(at + by, 0, last));
}

// ---- the calendar and the look ------------------------------------------------------------------

namespace {

QStyleOptionComboBox ComboLook(const QAbstractSpinBox* field, bool open) {
    QStyleOptionComboBox option;
    option.initFrom(field);
    option.editable = true;
    option.frame = field->hasFrame();
    option.subControls = QStyle::SC_All;
    if (open) {
        option.state |= QStyle::State_Sunken;
        option.activeSubControls = QStyle::SC_ComboBoxArrow;
    }
    return option;
}

}  // namespace

QRect DateTimeField::ArrowRect() const {
    const QStyleOptionComboBox option = ComboLook(this, false);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
}

void DateTimeField::PlaceEdit() {
    if (!IsDate()) return;  // the spin box's own place, beside its buttons
    const QStyleOptionComboBox option = ComboLook(this, false);
    lineEdit()->setGeometry(
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
}

void DateTimeField::resizeEvent(QResizeEvent* event) {
    QAbstractSpinBox::resizeEvent(event);
    PlaceEdit();
}

void DateTimeField::changeEvent(QEvent* event) {
    QAbstractSpinBox::changeEvent(event);
    // The spin box puts its text back where its buttons would leave room.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::LayoutDirectionChange)
        PlaceEdit();
}

void DateTimeField::paintEvent(QPaintEvent* event) {
    if (!IsDate()) {
        QAbstractSpinBox::paintEvent(event);
        return;
    }
    // Drawn as an editable combo box: the text, and the arrow that opens the calendar.
    QStylePainter painter(this);
    painter.drawComplexControl(QStyle::CC_ComboBox,
                               ComboLook(this, popup_ && popup_->isVisible()));
}

QSize DateTimeField::sizeHint() const {
    ensurePolished();
    // The widest text a whole value shows.
    QString widest = TextOfNumbers(parts_[0].highest, parts_[1].highest, parts_[2].highest);
    if (parts_[1].look == Look::MonthName) {
        for (int month = 1; month <= 12; ++month) {
            const QString text = TextOfNumbers(28, month, 2000);
            if (fontMetrics().horizontalAdvance(text) > fontMetrics().horizontalAdvance(widest))
                widest = text;
        }
    }
    const QSize text(fontMetrics().horizontalAdvance(widest + u' ') + 2,
                     lineEdit()->sizeHint().height());
    if (IsDate()) {
        const QStyleOptionComboBox option = ComboLook(this, false);
        return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

void DateTimeField::mousePressEvent(QMouseEvent* event) {
    if (IsDate() && event->button() == Qt::LeftButton &&
        ArrowRect().contains(event->position().toPoint())) {
        OpenCalendar();
        event->accept();
        return;
    }
    QAbstractSpinBox::mousePressEvent(event);
}

QDate DateTimeField::CalendarStart() const {
    if (const auto shown = ShownDate()) return *shown;
    // The month and year on show, when both are whole, on the day on show or the nearest the
    // month has; else today.
    const QStringList texts = lineEdit()->text().split(separator_);
    QDate start = QDate::currentDate();
    if (texts.size() == static_cast<qsizetype>(parts_.size())) {
        const auto whole = [&](std::size_t i) -> std::optional<int> {
            const std::optional<int> value = ValueOf(parts_[i], texts[static_cast<qsizetype>(i)]);
            if (!value || *value < parts_[i].lowest || *value > parts_[i].highest) return {};
            return value;
        };
        const auto day = whole(0), month = whole(1), year = whole(2);
        if (month && year) {
            const QDate first(*year, *month, 1);
            start = first.addDays(std::clamp(day.value_or(1), 1, first.daysInMonth()) - 1);
        }
    }
    return std::clamp(start, kFirstDay, kLastDay);
}

void DateTimeField::OpenCalendar() {
    if (!IsDate() || !Editable()) return;
    if (!popup_) {
        auto* drop = new CalendarDrop(this, [this] {
            const QRect arrow = ArrowRect();
            return QRect(mapToGlobal(arrow.topLeft()), arrow.size());
        });
        calendar_ = drop->calendar;
        connect(calendar_, &QCalendarWidget::clicked, this, &DateTimeField::PickDay);
        connect(calendar_, &QCalendarWidget::activated, this, &DateTimeField::PickDay);
        popup_ = drop;
    }
    calendar_->setSelectedDate(CalendarStart());
    auto* drop = static_cast<CalendarDrop*>(popup_);
    // Below the field, or above it where the screen ends.
    const auto place = [this, drop] {
        const QSize size = drop->size();
        QPoint at = mapToGlobal(QPoint(0, height()));
        if (const QScreen* shown = screen()) {
            const QRect room = shown->availableGeometry();
            if (at.y() + size.height() > room.bottom()) at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        }
        drop->move(at);
    };
    drop->adjustSize();
    place();
    drop->show();
    drop->FitWeeks();
    place();
    drop->ShowFirstWeek();
    calendar_->setFocus(Qt::PopupFocusReason);
    update();
}

void DateTimeField::PickDay(const QDate& day) {
    if (popup_) popup_->hide();
    if (!day.isValid() || day < kFirstDay || day > kLastDay) return;
    ForgetTyping();
    SetShown(TextOfNumbers(day.day(), day.month(), day.year()), true);
    SelectPart(0);
}

// ---- typing -------------------------------------------------------------------------------------

void DateTimeField::Paste(const QString& pasted) {
    const QString text = pasted.trimmed();
    if (text.isEmpty()) return;
    const int at = PartAtCaret();
    if (AllDigits(text)) {
        // Digits alone: into the part at the caret, as typed.
        for (const QChar c : text) TypeDigit(c);
        return;
    }
    if (parts_[static_cast<std::size_t>(at)].look == Look::MonthName &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); })) {
        // A month's name, or its first letters, where the month is: that part's text, and the
        // year is next as after the month typed.
        QStringList texts = ShownParts();
        const std::vector<int> months = MonthsNamed(text);
        ForgetTyping();
        texts[at] = months.size() == 1 ? MonthName(months.front()) : text;
        Show(texts, months.size() == 1 ? std::min(at + 1, static_cast<int>(parts_.size()) - 1) : at);
        return;
    }
    // A whole value, or its first parts: one piece for each part, each read as its typed digits
    // or letters are; the parts after the last piece as typing leaves them (a date's as they
    // were, a time's 00).
    QStringList pieces;
    QString piece;
    for (const QChar c : text) {
        if (IsSeparator(c)) {
            pieces << piece;
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces << piece;
    if (pieces.size() > static_cast<qsizetype>(parts_.size()) && pieces.back().isEmpty())
        pieces.removeLast();  // a separator after the last part adds nothing
    ForgetTyping();
    if (pieces.size() < 2 || pieces.size() > static_cast<qsizetype>(parts_.size())) {
        ShowAsTyped(text);
        return;
    }
    QStringList texts = ShownParts();
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const Part& part = parts_[i];
        const auto at = static_cast<qsizetype>(i);
        if (at >= pieces.size()) {
            if (!IsDate()) texts[at] = TextOf(part, 0);
            continue;
        }
        const QString& p = pieces[at];
        const std::vector<int> months =
            !p.isEmpty() && part.look == Look::MonthName ? MonthsNamed(p) : std::vector<int>{};
        if (AllDigits(p)) texts[at] = DoneText(part, p);
        else if (months.size() == 1) texts[at] = MonthName(months.front());
        else {
            ShowAsTyped(text);
            return;
        }
    }
    Show(texts, std::min(static_cast<int>(pieces.size()), static_cast<int>(parts_.size()) - 1));
}

void DateTimeField::ForgetTyping() {
    typedPart_ = -1;
    typed_.clear();
    partDone_ = false;
    movedOnByItself_ = false;
    movedOn_.clear();
    overrun_ = Overrun::None;
}

bool DateTimeField::IsSeparator(QChar c) const {
    // Every mark people put between the parts: the lists write dates as "01/05/24", and the
    // keypad's decimal key types a comma.
    if (c == separator_ || c == u'.' || c == u',' || c == u' ') return true;
    return IsDate() && (c == u'/' || c == u'-');
}

QString DateTimeField::MonthName(int month) const {
    return locale().toString(QDate(2000, month, 1), QStringLiteral("MMMM"));
}

std::vector<int> DateTimeField::MonthsNamed(const QString& text) const {
    std::vector<int> months;
    for (int month = 1; month <= 12; ++month) {
        if (MonthName(month).startsWith(text, Qt::CaseInsensitive) ||
            locale().standaloneMonthName(month).startsWith(text, Qt::CaseInsensitive)) {
            months.push_back(month);
        }
    }
    return months;
}

std::optional<int> DateTimeField::ValueOf(const Part& part, const QString& text) const {
    if (part.look == Look::MonthName) {
        for (int month = 1; month <= 12; ++month) {
            if (text.compare(MonthName(month), Qt::CaseInsensitive) == 0) return month;
        }
        return std::nullopt;
    }
    bool number = false;
    const int value = AllDigits(text) ? text.toInt(&number) : 0;
    if (!number) return std::nullopt;
    return value;
}

QString DateTimeField::DoneText(const Part& part, const QString& typed) const {
    bool number = false;
    const int value = typed.toInt(&number);
    const bool mayBe = number && typed.size() <= part.width && value >= part.lowest &&
                       value <= part.highest;
    return mayBe ? TextOf(part, value) : typed;
}

QString DateTimeField::TextOf(const Part& part, int value) const {
    switch (part.look) {
    case Look::Padded: return QStringLiteral("%1").arg(value, part.width, 10, QChar(u'0'));
    case Look::Plain: return QString::number(value);
    case Look::MonthName: return MonthName(value);
    }
    return {};
}

int DateTimeField::PartAt(int position) const {
    const int before = static_cast<int>(lineEdit()->text().left(position).count(separator_));
    return std::min(before, static_cast<int>(parts_.size()) - 1);
}

int DateTimeField::PartAtCaret() const {
    const QLineEdit* text = lineEdit();
    return PartAt(text->hasSelectedText() ? text->selectionStart() : text->cursorPosition());
}

QStringList DateTimeField::ShownParts() const {
    QStringList texts = lineEdit()->text().split(separator_);
    while (texts.size() < static_cast<qsizetype>(parts_.size())) texts << QString();
    while (texts.size() > static_cast<qsizetype>(parts_.size())) texts.removeLast();
    return texts;
}

int DateTimeField::TypingPart() {
    const int at = PartAtCaret();
    if (at != typedPart_) {
        typedPart_ = at;
        typed_.clear();
        partDone_ = false;
        movedOn_.clear();
        overrun_ = Overrun::None;
    }
    return at;
}

void DateTimeField::PartDone(QStringList& texts, int at, const QString& text) {
    const bool digits = !typed_.isEmpty() && typed_.front().isDigit();
    texts[at] = text;
    if (at + 1 < static_cast<int>(parts_.size())) {
        // Digits that ran on from the part before (typed straight after it was done) add to
        // the run; anything else starts one.
        if (!digits) {
            movedOn_.clear();
        } else {
            if (!movedOn_.empty() && movedOn_.back().part + 1 != at) movedOn_.clear();
            movedOn_.push_back({at, typed_, texts[at + 1],
                                typed_.size() == parts_[static_cast<std::size_t>(at)].width});
        }
        typedPart_ = at + 1;
        typed_.clear();
        partDone_ = false;
        movedOnByItself_ = true;
        Show(texts, at + 1);
        return;
    }
    // The last part keeps its digits: one typed after them is one too many, and shows so.
    partDone_ = true;
    Show(texts, at);
}

void DateTimeField::TypeDigit(QChar digit) {
    QStringList texts = ShownParts();
    const bool afresh = PartAtCaret() != typedPart_;
    const int at = TypingPart();
    // A time typed from its first part is a new time: the parts not typed are 00, not the
    // seconds of the clock when the window opened ("815" is 08:15:00).
    if (afresh && at == 0 && !IsDate() && overrun_ == Overrun::None) {
        for (std::size_t i = 1; i < parts_.size(); ++i)
            texts[static_cast<qsizetype>(i)] = TextOf(parts_[i], 0);
    }
    const Part& part = parts_[static_cast<std::size_t>(at)];
    if (overrun_ != Overrun::None) {
        QString text = lineEdit()->text();
        if (overrun_ == Overrun::Pending) text += separator_;
        overrun_ = Overrun::Active;
        ShowAsTyped(text + digit);
        return;
    }
    if (!typed_.isEmpty() && !typed_.front().isDigit()) typed_.clear();  // letters of a name
    typed_ += digit;
    movedOnByItself_ = false;
    if (partDone_ || typed_.size() > part.width) {
        texts[at] = typed_;
        Show(texts, at);
        return;
    }
    const int value = typed_.toInt();
    if (typed_.size() == part.width || (part.width == 2 && value * 10 > part.highest)) {
        PartDone(texts, at, DoneText(part, typed_));
        return;
    }
    texts[at] = typed_;
    Show(texts, at);
}

bool DateTimeField::TypeLetter(QChar letter) {
    QStringList texts = ShownParts();
    const int at = TypingPart();
    const Part& part = parts_[static_cast<std::size_t>(at)];
    if (part.look != Look::MonthName) return false;
    if (!typed_.isEmpty() && typed_.front().isDigit()) typed_.clear();
    const QString next = typed_ + letter;
    const std::vector<int> months = MonthsNamed(next);
    if (months.empty()) return false;
    typed_ = next;
    movedOnByItself_ = false;
    movedOn_.clear();
    if (months.size() == 1) {
        PartDone(texts, at, MonthName(months.front()));
        return true;
    }
    texts[at] = next;
    Show(texts, at);
    return true;
}

void DateTimeField::TypeSeparator() {
    int at = TypingPart();
    if (overrun_ == Overrun::Active) {
        ShowAsTyped(lineEdit()->text() + separator_);
        return;
    }
    QStringList texts = ShownParts();
    const int last = static_cast<int>(parts_.size()) - 1;
    int shown = std::min(at + 1, last);
    if (GiveBackRun(texts, at, true)) {
        // "055.", "60:", "45.": the digits since the run began were all that part's, shown as
        // typed (no value); the parts they ran into get back what they had, ready to be typed.
        shown = at + 1;
    } else if (movedOnByItself_) {
        // The part was done by itself and the field moved on: this separator is that move.
        movedOnByItself_ = false;
        movedOn_.clear();
        return;
    } else {
        PadTyped(texts, at);
        // No part follows the last: a digit typed after this separator is one of a part the
        // field does not have. A separator after a whole last part ends it as it is.
        if (at == last) overrun_ = Overrun::Pending;
    }
    const Overrun overrun = overrun_;
    typedPart_ = shown;
    typed_.clear();
    partDone_ = false;
    movedOnByItself_ = false;
    movedOn_.clear();
    Show(texts, shown);
    overrun_ = overrun;
}

bool DateTimeField::GiveBackRun(QStringList& texts, int& at, bool straightAfter) {
    if (movedOn_.empty() || movedOn_.back().part + 1 != at) return false;
    const auto ranOn = [this](int part) {
        return !movedOn_.empty() && movedOn_.back().part + 1 == part;
    };
    QString carry;
    if (movedOnByItself_) {
        // Nothing typed since the field moved on. Two parts each done by one digit no further
        // one could follow ("45."): the second digit is one the first part cannot take, and it
        // stays there. Where either part was full ("123." is 12.03) the move was the one meant.
        const std::size_t n = movedOn_.size();
        if (!straightAfter || n < 2 || movedOn_[n - 1].full || movedOn_[n - 2].full ||
            movedOn_[n - 2].part + 1 != movedOn_[n - 1].part) {
            return false;
        }
        const MovedOn done = movedOn_.back();
        movedOn_.pop_back();
        texts[at] = done.nextWas;
        at = done.part;
        carry = done.digits;
    } else {
        // Digits typed into the part after, not done: they were meant for the part before.
        const Part& part = parts_[static_cast<std::size_t>(at)];
        if (partDone_ || !AllDigits(typed_) || typed_.size() >= part.width) return false;
        carry = typed_;
    }
    // Back to where the run began: through parts done by one digit, not past a full one.
    for (;;) {
        const MovedOn done = movedOn_.back();
        movedOn_.pop_back();
        texts[at] = done.nextWas;
        at = done.part;
        carry = done.digits + carry;
        if (done.full || !ranOn(at) || movedOn_.back().full) break;
    }
    texts[at] = carry;
    return true;
}

void DateTimeField::PadTyped(QStringList& texts, int at) const {
    const Part& part = parts_[static_cast<std::size_t>(at)];
    if (AllDigits(typed_) && !partDone_ && part.width == 2 && typed_.size() < part.width &&
        typed_.toInt() >= part.lowest) {
        texts[at] = TextOf(part, typed_.toInt());
    }
}

bool DateTimeField::Typing() const {
    const int last = static_cast<int>(parts_.size()) - 1;
    return Editable() && typedPart_ >= 0 && PartAtCaret() == typedPart_ &&
           overrun_ == Overrun::None && lineEdit()->text().count(separator_) == last &&
           (movedOnByItself_ || (!typed_.isEmpty() && !partDone_));
}

void DateTimeField::EndTyping() {
    if (Typing() && !movedOnByItself_) {
        QStringList texts = ShownParts();
        int at = typedPart_;
        if (GiveBackRun(texts, at, false)) {
            ForgetTyping();
            Show(texts, at + 1);
        }
    }
    ForgetTyping();
}

void DateTimeField::Show(const QStringList& texts, int selected) {
    SetShown(texts.join(separator_), true);
    SelectPart(selected);
}

void DateTimeField::ShowAsTyped(const QString& text) { SetShown(text, true); }

void DateTimeField::SelectPart(int part) {
    const QString text = lineEdit()->text();
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
