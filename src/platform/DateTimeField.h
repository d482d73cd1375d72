#pragma once
// The field of a date-time picker: the day, month and year, or the hour, minute and second, typed
// part by part as they are written.

#include <QDateTimeEdit>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "StandardControls.h"

// Left with a text that is no whole date or time (by a click elsewhere, Tab or Enter), a plain
// date edit puts its last whole value back in silence, so a window would save a date the user
// never saw; this one keeps the text on show, and the picker reports it.
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
class DateTimeField : public QDateTimeEdit {
public:
    DateTimeField(QWidget* parent, DateTimePicker::Format format);

    // Called when typing leaves a text that is no whole value (the value does not change then).
    std::function<void()> onTyped;

    // The text on show is a whole value of the edit: not one typed here that makes none (a part
    // half typed, a day the month has not), nor one the edit itself refuses.
    bool ShowsWholeValue() const { return !halfTyped_ && hasAcceptableInput(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

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

    void ForgetTyping();
    // The month's name as the field shows it in a date.
    QString MonthName(int month) const;
    // The value a part's text stands for, if any.
    std::optional<int> ValueOf(const Part& part, const QString& text) const;
    QString TextOf(const Part& part, int value) const;
    // The part the text position lies in: the separators before it count the parts.
    int PartAt(int position) const;
    int PartAtCaret() const;
    // The parts' texts as they stand on show, one for each part.
    QStringList ShownParts() const;
    // The part the caret is in, starting its typing afresh when it is not the one typed last.
    int TypingPart();
    // Part `at` is done with `text`: the next part is shown selected, ready to be typed.
    void PartDone(QStringList& texts, int at, const QString& text);
    void TypeDigit(QChar digit);
    // The first letters of a month's name; a letter no month's name goes on with is refused.
    void TypeLetter(QChar letter);
    void TypeSeparator();
    // Puts the parts on show: as the whole value they make, when they make one, else as they are
    // (the field then holds no whole value and the picker says so). Then selects part `selected`.
    void Show(const QStringList& texts, int selected);
    void SelectPart(const QString& text, int part);

    std::vector<Part> parts_;
    QChar separator_;
    int typedPart_ = -1;   // the part the text below was typed into
    QString typed_;        // digits (or letters of a month's name) typed into it since
    bool movedOnByItself_ = false;  // the last key done its part, and the next one is shown
    bool applying_ = false;    // the value is being set from what was typed
    bool halfTyped_ = false;   // the text on show was typed here and makes no whole value
};
