#include "DateTimeField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>

#include "SharedRoutines.h"

namespace {

bool IsModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
    case Qt::Key_Meta: case Qt::Key_CapsLock: case Qt::Key_NumLock: return true;
    default: return false;
    }
}

}  // namespace

DateTimeField::DateTimeField(QWidget* parent, DateTimePicker::Format format)
    : QDateTimeEdit(parent) {
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

bool DateTimeField::eventFilter(QObject* watched, QEvent* event) {
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

void DateTimeField::focusInEvent(QFocusEvent* event) {
    ForgetTyping();
    // The date edit's own handling rewrites the text from the last whole value.
    if (ShowsWholeValue()) QDateTimeEdit::focusInEvent(event);
    else QAbstractSpinBox::focusInEvent(event);
}

void DateTimeField::focusOutEvent(QFocusEvent* event) {
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

void DateTimeField::keyPressEvent(QKeyEvent* event) {
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
    // A key of the edit's own (an arrow that steps a part) may put a whole value back on show.
    if (lineEdit()->text() == textFromDateTime(dateTime())) halfTyped_ = false;
}

void DateTimeField::ForgetTyping() {
    typedPart_ = -1;
    typed_.clear();
    movedOnByItself_ = false;
}

QString DateTimeField::MonthName(int month) const {
    return locale().toString(QDate(2000, month, 1), QStringLiteral("MMMM"));
}

std::optional<int> DateTimeField::ValueOf(const Part& part, const QString& text) const {
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
    }
    return at;
}

void DateTimeField::PartDone(QStringList& texts, int at, const QString& text) {
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

void DateTimeField::TypeDigit(QChar digit) {
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

void DateTimeField::TypeLetter(QChar letter) {
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

void DateTimeField::TypeSeparator() {
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

void DateTimeField::Show(const QStringList& texts, int selected) {
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

void DateTimeField::SelectPart(const QString& text, int part) {
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
