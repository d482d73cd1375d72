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
// one already made, and is passed over. Digits typed before a separator belong to the part they
// began in, so a digit too many stays in its part ("055", "60") rather than running on into the
// next, and a digit no value of its part can take stays on show as typed ("24", "32"). Only once
// every part is done is the whole checked: a date that does not exist (31.02) or a part past its
// range stays on show as typed and is refused like any other text that is no whole date. A month
// shown by its name takes its number or the first letters of its name, and a dot as well as a
// blank after it; in a date a comma (the keypad's decimal key) separates as a dot does.
//
// Typing starts from the first part whenever the field gets the focus by anything but a click
// (Tab, Shift+Tab, a window giving it back with a refusal, a window opening); a click selects
// the whole part under it, so the digits typed next replace that part alone. A paste is read by
// the same rules: a whole date or time as written, or else the text stays on show as pasted.
class DateTimeField : public QDateTimeEdit {
public:
    DateTimeField(QWidget* parent, DateTimePicker::Format format);

    // Called when typing leaves a text that is no whole value (the value does not change then).
    std::function<void()> onTyped;

    // The text on show is a whole value of the edit: not one typed here that makes none (a part
    // half typed, a day the month has not), nor one the edit itself refuses.
    bool ShowsWholeValue() const { return !halfTyped_ && hasAcceptableInput(); }

    // Ready for a whole value typed afresh: the first part selected, nothing typed into it yet.
    void StartTyping();

    // Reads `text` as if its characters were typed over the field (the part at the caret, when
    // it holds no separator).
    void Paste(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
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
        int highest;  // greatest value a whole part may have
        Look look = Look::Padded;
    };
    // A part done by its digits alone, with the field moved on to the next one: should a
    // separator follow digits typed into that next part, they were meant for this one.
    struct MovedOn {
        int part = -1;
        QString digits;    // typed into it
        QString nextWas;   // the next part's text before digits went into it
    };

    void ForgetTyping();
    bool IsSeparator(QChar c) const;
    // The month's name as the field shows it in a date.
    QString MonthName(int month) const;
    // The value a part's text stands for, if any.
    std::optional<int> ValueOf(const Part& part, const QString& text) const;
    QString TextOf(const Part& part, int value) const;
    // The text a part shows for `typed` once it is done: its own form for a value it may have,
    // else the digits as typed.
    QString DoneText(const Part& part, const QString& typed) const;
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
    bool TypeLetter(QChar letter);
    void TypeSeparator();
    // Puts the parts on show: as the whole value they make, when they make one, else as they are
    // (the field then holds no whole value and the picker says so). Then selects part `selected`.
    void Show(const QStringList& texts, int selected);
    // Shows `text` as it is: no whole value.
    void ShowAsTyped(const QString& text);
    void SelectPart(const QString& text, int part);

    std::vector<Part> parts_;
    QChar separator_;
    int typedPart_ = -1;   // the part the text below was typed into
    QString typed_;        // digits (or letters of a month's name) typed into it since
    bool partDone_ = false;         // the last part is done, and a digit more is one too many
    bool movedOnByItself_ = false;  // the last key done its part, and the next one is shown
    // A separator typed in the last part, after which no part comes: the keys typed from there
    // on make no value, and show as typed.
    enum class Overrun { None, Pending, Active } overrun_ = Overrun::None;
    MovedOn movedOn_;
    bool applying_ = false;    // the value is being set from what was typed
    bool halfTyped_ = false;   // the text on show was typed here and makes no whole value
};
