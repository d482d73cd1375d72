#pragma once
// The field of a date-time picker: the day, month and year, or the hour, minute and second, typed
// part by part as they are written.

#include <QAbstractSpinBox>
#include <QDate>
#include <QStringList>
#include <QTime>
#include <functional>
#include <optional>
#include <vector>

#include "StandardControls.h"

class QCalendarWidget;
class QWidget;

// The field owns its text: nothing but the rules below turns what is on show into a value, and
// nothing puts an earlier value back. Its value is the text on show, read by those rules; a text
// that makes no whole date or time (a part half typed, 31.04, a month 13) is no value, and stays
// on show exactly as it is whatever comes next but typing: Tab, a click elsewhere, the window
// hidden and shown, a message box. (A date edit of the toolkit keeps a value of its own beside
// the text and ran its parser on every move of the caret or step, putting back the last whole
// value or parts of it; the window then saved a date nobody typed.)
//
// Typing. The digits of a day, month, year, hour, minute or second go into their own part alone,
// as typed; a part is done when its digits are full or no further digit could follow (an hour
// "8", a day "5"), or at its separator. Every mark people put between the parts separates them:
// in a date ".", ",", "/", "-" and a blank, in a time ":", ".", "," and a blank. A separator
// typed straight after a part was done by itself is the one already made, and is passed over.
// Digits typed before a separator belong to the part they began in, so a digit too many stays in
// its part ("055", "60") rather than running on into the next, also when the field is left
// instead ("12:60" then Tab) or the digit done a part of its own ("45."); a digit no value of its
// part can take stays on show as typed ("24", "32"). A separator after the last part adds nothing.
// A time typed from its first part is a new time: the parts after the last one typed are 00. A
// month shown by its name takes its number or the first letters of its name, as shown or on its
// own ("kwietnia", "kwiecień"). A paste is read by the same rules: a whole date or time as
// written (or its first parts), a month's name pasted where the month is as that part's text, or
// else the text stays on show as pasted.
//
// Moving. Tab and Shift+Tab leave the field wherever the caret is. Left and Right move to the part
// before or after, ending the part being typed as its separator would: Right straight after a
// part done by itself is passed over. A click selects the whole part under it. Typing starts from
// the first part whenever the field gets the focus by anything but a click (Tab, Shift+Tab, a
// window giving it back with a refusal, a window opening). Home, End, Backspace and Delete edit
// the text on show as in any line of text.
//
// Steps (Up, Down, Page Up, Page Down, the buttons of a time, the wheel) change the number of the
// part at the caret as it stands on show, within that part's range, and nothing else; the wheel
// steps the part under the pointer. A part that holds no number is not stepped.
//
// A date field has a drop-down calendar, every week of its month on show whole: a day picked there
// is the value, shown whole; closed by Esc or a click elsewhere it leaves the text as it was.
class DateTimeField : public QAbstractSpinBox {
    Q_OBJECT
public:
    DateTimeField(QWidget* parent, DateTimePicker::Format format);

    // Called whenever the user changed the text on show.
    std::function<void()> onEdited;

    // The whole date or time of day the text on show makes, if it makes one. A date before 1970
    // or past the last year a date may have is none.
    std::optional<QDate> ShownDate() const;
    std::optional<QTime> ShownTime() const;
    bool ShowsWholeValue() const;

    // Shows a value set by the program (an invalid or out-of-range one shows as no value).
    void ShowDate(const QDate& date);
    void ShowTime(const QTime& time);

    // Ready for a whole value typed afresh: the first part selected, nothing typed into it yet.
    void StartTyping();

    // Reads `text` as if its characters were typed over the field (the part at the caret, when
    // it holds no separator).
    void Paste(const QString& text);

    // The drop-down calendar, opened on the day on show (a date field only).
    void OpenCalendar();
    QWidget* CalendarPopup() const { return popup_; }

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

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
    // A part done by its digits alone, with the field moved on to the next one: should the
    // digits typed since end without a separator or move of their own, they were meant for it.
    struct MovedOn {
        int part = -1;
        QString digits;    // typed into it
        QString nextWas;   // the next part's text before digits went into it
        bool full = false; // done by its full digits (else by a digit no further one could follow)
    };

    bool IsDate() const { return separator_ != u':'; }
    bool Editable() const { return isEnabled() && !isReadOnly(); }
    // The three numbers of the text on show (day, month, year or hour, minute, second) when each
    // part shows its number as the field writes it, whatever the whole makes.
    std::optional<std::vector<int>> ShownNumbers(const QString& text) const;
    QString TextOfNumbers(int a, int b, int c) const;

    void ForgetTyping();
    bool IsSeparator(QChar c) const;
    // The month's name as the field shows it in a date.
    QString MonthName(int month) const;
    // The months whose name, as shown or on its own ("kwietnia", "kwiecień"), begins with `text`.
    std::vector<int> MonthsNamed(const QString& text) const;
    // The value a part's text stands for, if any (a number, or a month's whole name).
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
    // Left or Right: the part being typed is done as at its separator, and the part beside it
    // is selected.
    void MoveToPart(int by);
    // Whether the keys typed since the last part done by itself are still being read.
    bool Typing() const;
    // The digits typed since the field last moved on by itself, ended where the run of digits
    // they belong to began: the parts they ran into get back what they showed, and `at` becomes
    // the part the run began in. False when the part being typed is ended as it stands.
    // `straightAfter`: also when nothing was typed since the field moved on (at a separator,
    // Left or Right, which end the part as typed so far).
    bool GiveBackRun(QStringList& texts, int& at, bool straightAfter);
    // A part of one digit fewer than it holds, ended by its separator: "3" is 03.
    void PadTyped(QStringList& texts, int at) const;
    // The field is left, or Enter pressed: the digits typed last are read as at their separator,
    // but a part left half typed stays so.
    void EndTyping();
    // Puts the parts on show (no value while the part being typed is unfinished), then selects
    // part `selected`.
    void Show(const QStringList& texts, int selected);
    // Shows `text` as it is, the value being what it reads as (mostly none).
    void ShowAsTyped(const QString& text);
    // The one way text is put on show; its value is what it reads as. The user's changes are
    // reported.
    void SetShown(const QString& text, bool byUser);
    void SelectPart(int part);
    // The text's own edits (Backspace, Delete, cut, undo): the text is what they leave.
    void EditedInPlace();
    QRect ArrowRect() const;
    void PlaceEdit();
    QDate CalendarStart() const;
    void PickDay(const QDate& day);

    std::vector<Part> parts_;
    QChar separator_;
    int typedPart_ = -1;   // the part the text below was typed into
    QString typed_;        // digits (or letters of a month's name) typed into it since
    bool partDone_ = false;         // the last part is done, and a digit more is one too many
    bool movedOnByItself_ = false;  // the last key done its part, and the next one is shown
    // A separator typed in the last part, after which no part comes: the keys typed from there
    // on make no value, and show as typed.
    enum class Overrun { None, Pending, Active } overrun_ = Overrun::None;
    // The parts done by themselves since the last separator or move, in the order typed.
    std::vector<MovedOn> movedOn_;
    bool settingText_ = false; // the text is being put on show by the field itself
    int wheelTurned_ = 0;      // the wheel's turn not yet made a step
    QWidget* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};
