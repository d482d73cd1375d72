#pragma once
// The combo box, list box, tab strip and date-time picker of the windows. Each keeps the
// behaviour the windows are written against: entries never become selected by being added,
// deleting the selected entry leaves nothing selected, and the "changed" signals fire only for
// the user's own changes, never for the program's.
//
// A combo box with an edit field is a choice of its entries that may be typed: after every
// change the user makes to the text, the choice is the entry the field shows (letter case and
// spaces around it aside), or none: an entry typed whole is chosen exactly as if picked from
// the list (SelChange), and a text that is no entry leaves nothing chosen. A list that completes
// what is typed (CAutoCompleteCombo) completes first, so the entry it completes to is the one
// chosen. An entry chosen from the list or by the program shows from its beginning, however
// long it is.

#include <QComboBox>
#include <QDateTime>
#include <QListWidget>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ElidingDelegate.h"
#include "SharedRoutines.h"

class QCheckBox;
class QListView;
class QTabBar;
class DateTimeField;

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    void SetSorted(bool on) { sorted_ = on; }
    // With an edit field or without; use this rather than setEditable, which leaves the
    // field's typing to Qt's own completion and to nothing of the above.
    void SetEditable(bool on);
    int AddString(const QString& text);               // index of the new entry
    int AddString(const std::u16string& text);
    int InsertString(int index, const QString& text); // -1 appends
    int InsertString(int index, const std::u16string& text);
    int DeleteString(int index);                      // entries left, or -1 for a bad index
    void ResetContent();
    int GetCount() const { return count(); }
    int GetCurSel() const { return currentIndex(); }
    int SetCurSel(int index);                         // -1 clears; returns -1 for a bad index
    QString GetLBText(int index) const { return itemText(index); }
    std::u16string GetLBTextW(int index) const { return itemText(index).toStdU16String(); }
    bool SetItemData(int index, std::int64_t data);
    std::int64_t GetItemData(int index) const;
    int FindStringExact(int start, const QString& text) const;  // case-insensitive; -1 none
    int SelectString(int start, const QString& prefix);         // selects first entry with prefix
    // The text shown: the edit field's for an editable combo, else the selected entry's.
    QString GetWindowText() const { return currentText(); }
    void SetWindowText(const QString& text);

    // The entry the field shows: for an editable combo the chosen entry when the text is its
    // text, else the first entry with that text (letter case and spaces around it aside), -1
    // for a blank text or one that is no entry; for any other combo the chosen entry.
    int EntryShown() const;
    // Makes the entry the field shows the choice, as if the user had picked it (SelChange when
    // that changes the choice). False when the field holds a text, not blank, that is no entry.
    bool TakeShownEntry();

signals:
    void SelChange(int index);      // the user chose an entry (-1: typed what is no entry)
    void EditChange();              // the user typed in the edit field

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Runs after the choice changed without notifying (the program's change, whose signals are
    // held back, or the list's own), for a kind that shows the choice somewhere of its own.
    virtual void ChoiceChangedQuietly();
    // A key pressed in the edit field, before the field handles it.
    virtual void OnEditKey(const QKeyEvent& /*event*/) {}
    // Runs on every change the user makes to the edit field's text, before the choice is taken
    // from what it then shows.
    virtual void OnEditUpdate() {}

private:
    void OnUserEdit();
    // Chooses `index` without a signal, leaving the edit field's text and caret as they are.
    void ChooseKeepingText(int index);

    bool sorted_ = false;
};

// The "simple" kind: an edit field over a list that is always shown, both inside the control's
// rectangle. It is a ComboBox to the windows (the same calls, the same notifications); a click
// in the list chooses the entry as choosing it from a drop-down would, Up and Down move the
// choice, and there is no drop-down.
class SimpleComboBox : public ComboBox {
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget* parent = nullptr);

    QListView* ListPart() const { return list_; }
    void showPopup() override {}

protected:
    void ChoiceChangedQuietly() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PlaceParts();

    QListView* list_ = nullptr;
};

class ListBoxControl : public QListWidget {
    Q_OBJECT
public:
    explicit ListBoxControl(QWidget* parent = nullptr);

    void SetSorted(bool on);
    int AddString(const QString& text);
    int AddString(const std::u16string& text);
    int InsertString(int index, const QString& text);   // -1 appends
    int InsertString(int index, const std::u16string& text);
    int DeleteString(int index);                        // entries left, or -1
    // Removes every entry; the entries added next are shown from the first.
    void ResetContent();
    int GetCount() const { return count(); }
    int GetCurSel() const;                              // -1 when nothing is selected
    int SetCurSel(int index);                           // -1 clears
    QString GetText(int index) const;
    std::u16string GetTextW(int index) const { return GetText(index).toStdU16String(); }
    bool SetItemData(int index, std::int64_t data);
    std::int64_t GetItemData(int index) const;
    int FindStringExact(int start, const QString& text) const;
    std::vector<int> GetSelItems() const;

    // How an entry too long for the list box is cut (at its end with "…" unless set). Once set,
    // an entry shown cut has its whole text as its tooltip.
    void SetElider(TextElider elider);
    // The entry's text as it is drawn at the list box's present width.
    QString ShownText(int index) const;
    // The whole text when the entry is shown cut and the list box has its own cut; else none.
    QString ItemToolTip(int index) const;

signals:
    void SelChange();
    void DoubleClick(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    std::vector<int> SelectionNow() const;
    bool sorted_ = false;
    TextElider elider_;
};

// A tab strip with a framed page area below it; the pages themselves are separate windows that
// the owner places over DisplayRect().
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    int InsertItem(int index, const QString& text);   // -1 appends
    int InsertItem(int index, const std::u16string& text);
    bool DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);                         // returns the previous one
    QString GetItemText(int index) const;
    // The page area below the strip, in the coordinates of the control's parent.
    QRect DisplayRect() const;
    QTabBar* Bar() const { return bar_; }

signals:
    void SelChange(int index);   // the user chose a tab

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
    bool programmatic_ = false;
};

// A date, a time of day or both, in local time; with ShowNone it carries a check box that
// clears the value.
class DateTimePicker : public QWidget {
    Q_OBJECT
public:
    enum class Format { ShortDate, LongDate, Time };
    explicit DateTimePicker(QWidget* parent = nullptr, Format format = Format::ShortDate,
                            bool showNone = false);

    // The value as a stored time; -1 when the check box is cleared. A negative time clears it.
    // While the picker shows the date and time of day SetTime last set, the value is that very
    // time (see UntouchedTime).
    Time64 GetTime() const;
    void SetTime(Time64 time);
    // The stored time SetTime last set, while the picker still shows the date and the time of
    // day it was set to; nullopt once either was changed, or when none was set. Local fields
    // read back do not always make the same instant: of an hour the clock plays twice they make
    // the first, and a time of day the window keeps out of sight may be one the clock skips.
    std::optional<Time64> UntouchedTime() const;
    // The value as local calendar fields (nullopt when cleared).
    std::optional<LocalDateTime> GetLocal() const;
    void SetLocal(const LocalDateTime& value);
    bool HasValue() const;
    // False while the field shows what is no whole date (or time of day) the program stores: a
    // half-typed or impossible text, or a day before 1970 or past the last year a date may have.
    // The value above is then the last whole one, not what the user sees. True without a value.
    bool ShowsStorableValue() const;
    void SetNone();
    // The field ready for a whole value typed afresh, from its first part.
    void StartTyping();
    QDateTime Value() const;
    void SetValue(const QDateTime& value);
    void SetParts(const QDate& date, const QTime& time);

signals:
    void Changed();   // the user changed the value or the check box

private:
    Format format_;
    // Kept apart: a local date and time held together would move a time the clock skips on
    // that day into the hour after, before the window could refuse it.
    QDate date_;
    QTime time_;
    // What SetTime last set: the stored time and the date and time of day it showed as.
    Time64 setTime_ = -1;
    QDate setDate_;
    QTime setClock_;
    QCheckBox* check_ = nullptr;
    DateTimeField* edit_ = nullptr;
};
