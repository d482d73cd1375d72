#include "DateTimeField.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
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
    // A text dropped on the field would go through the edit's own mending, not the rules below.
    lineEdit()->setAcceptDrops(false);
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
    // Whatever part was selected or had the caret when the field was left (the last, after
    // Shift+Tab or after a whole date typed), a value typed now is a whole one from its start.
    // A click selects its own part once the button is released.
    if (event->reason() != Qt::MouseFocusReason) StartTyping();
}

void DateTimeField::StartTyping() {
    ForgetTyping();
    SelectPart(lineEdit()->text(), 0);
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
    const bool editable = isEnabled() && !isReadOnly();
    if (event->matches(QKeySequence::Paste)) {
        if (editable) Paste(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    const QChar c = plain && typed.size() == 1 ? typed.front() : QChar();
    if (!c.isNull() && c.isPrint() && editable) {
        if (c.isDigit()) TypeDigit(c);
        else if (IsSeparator(c)) TypeSeparator();
        else if (c.isLetter()) TypeLetter(c);
        // Any other character is no part of a date or time; the edit's own handling of it
        // could step or mend a part.
        event->accept();
        return;
    }
    ForgetTyping();
    QDateTimeEdit::keyPressEvent(event);
    // A key of the edit's own (an arrow that steps a part) may put a whole value back on show.
    if (lineEdit()->text() == textFromDateTime(dateTime())) halfTyped_ = false;
}

void DateTimeField::Paste(const QString& pasted) {
    const QString text = pasted.trimmed();
    if (text.isEmpty()) return;
    const auto all = [&text](bool (QChar::*is)() const) {
        return std::all_of(text.begin(), text.end(), [is](QChar c) { return (c.*is)(); });
    };
    const bool namePart = parts_[static_cast<std::size_t>(PartAtCaret())].look == Look::MonthName;
    if (all(&QChar::isDigit) || (namePart && all(&QChar::isLetter))) {
        // Digits alone, or a month's letters where its name is: into the part at the caret, as
        // typed.
        for (const QChar c : text) {
            if (c.isDigit()) {
                TypeDigit(c);
            } else if (!TypeLetter(c)) {
                QStringList texts = ShownParts();
                texts[PartAtCaret()] = text;
                ShowAsTyped(texts.join(separator_));
                return;
            }
        }
        return;
    }
    // A whole value: one piece for each part, each read as its typed digits or letters are.
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
    ForgetTyping();
    if (pieces.size() != static_cast<qsizetype>(parts_.size())) {
        ShowAsTyped(text);
        return;
    }
    QStringList texts;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const Part& part = parts_[i];
        const QString& p = pieces[static_cast<qsizetype>(i)];
        const bool digits = !p.isEmpty() && std::all_of(p.begin(), p.end(),
                                                        [](QChar c) { return c.isDigit(); });
        std::vector<int> months;
        if (!digits && !p.isEmpty() && part.look == Look::MonthName) {
            for (int month = 1; month <= 12; ++month) {
                if (MonthName(month).startsWith(p, Qt::CaseInsensitive)) months.push_back(month);
            }
        }
        if (digits) texts << DoneText(part, p);
        else if (months.size() == 1) texts << MonthName(months.front());
        else {
            ShowAsTyped(text);
            return;
        }
    }
    Show(texts, static_cast<int>(parts_.size()) - 1);
}

void DateTimeField::ForgetTyping() {
    typedPart_ = -1;
    typed_.clear();
    partDone_ = false;
    movedOnByItself_ = false;
    movedOn_ = {};
    overrun_ = Overrun::None;
}

bool DateTimeField::IsSeparator(QChar c) const {
    if (c == separator_) return true;
    if (separator_ == u':') return false;
    return c == u'.' || c == u',';
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
        movedOn_ = {};
        overrun_ = Overrun::None;
    }
    return at;
}

void DateTimeField::PartDone(QStringList& texts, int at, const QString& text) {
    const bool digits = !typed_.isEmpty() && typed_.front().isDigit();
    texts[at] = text;
    if (at + 1 < static_cast<int>(parts_.size())) {
        movedOn_ = digits ? MovedOn{at, typed_, texts[at + 1]} : MovedOn{};
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
    const int at = TypingPart();
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
    std::vector<int> months;
    for (int month = 1; month <= 12; ++month) {
        if (MonthName(month).startsWith(next, Qt::CaseInsensitive)) months.push_back(month);
    }
    if (months.empty()) return false;
    typed_ = next;
    movedOnByItself_ = false;
    movedOn_ = {};
    if (months.size() == 1) {
        PartDone(texts, at, MonthName(months.front()));
        return true;
    }
    texts[at] = next;
    Show(texts, at);
    return true;
}

void DateTimeField::TypeSeparator() {
    if (movedOnByItself_) {
        movedOnByItself_ = false;
        movedOn_ = {};
        return;
    }
    const int at = TypingPart();
    if (overrun_ == Overrun::Active) {
        ShowAsTyped(lineEdit()->text() + separator_);
        return;
    }
    QStringList texts = ShownParts();
    const Part& part = parts_[static_cast<std::size_t>(at)];
    const int last = static_cast<int>(parts_.size()) - 1;
    const bool digits = !typed_.isEmpty() && typed_.front().isDigit();
    int shown = std::min(at + 1, last);
    if (digits && movedOn_.part >= 0 && movedOn_.part + 1 == at) {
        // "055." or "60:": the part before took its digits and the field moved on, but the
        // separator says the digits since were that part's too. It shows them all, as typed
        // (no value), and the part they ran into gets back what it had, ready to be typed.
        texts[movedOn_.part] = movedOn_.digits + typed_;
        texts[at] = movedOn_.nextWas;
        shown = at;
    } else {
        if (digits && part.width == 2 && typed_.toInt() >= part.lowest) {
            // A part of fewer digits than it holds is done at its separator ("1." is the 1st);
            // a year is not.
            texts[at] = TextOf(part, typed_.toInt());
        }
        // No part follows the last: a digit typed after this separator is one of a part the
        // field does not have.
        if (at == last) overrun_ = Overrun::Pending;
    }
    const Overrun overrun = overrun_;
    typedPart_ = shown;
    typed_.clear();
    partDone_ = false;
    movedOn_ = {};
    Show(texts, shown);
    overrun_ = overrun;
}

void DateTimeField::Show(const QStringList& texts, int selected) {
    std::vector<int> values;
    bool whole = true;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const Part& part = parts_[i];
        const QString& text = texts[static_cast<qsizetype>(i)];
        const std::optional<int> value = ValueOf(part, text);
        const bool halfTyped =
            static_cast<int>(i) == typedPart_ && !typed_.isEmpty() && !partDone_;
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
    if (whole) halfTyped_ = false;  // also when the value was the one already held
    else ShowAsTyped(text);
    SelectPart(lineEdit()->text(), selected);
}

void DateTimeField::ShowAsTyped(const QString& text) {
    // Past the edit's own check and mending, which would refuse it or read it as another value
    // ("2" for an hour half typed as 02).
    QLineEdit* edit = lineEdit();
    const QValidator* validator = edit->validator();
    {
        const QSignalBlocker quiet(edit);
        edit->setValidator(nullptr);
        edit->setText(text);
        edit->setValidator(validator);
    }
    halfTyped_ = true;
    if (onTyped) onTyped();
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
