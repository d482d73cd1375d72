#pragma once
// The calendar popup that the day, month and year fields of other windows open to pick a date.
// After OK it holds the chosen day as a stored time: 01:01:01 local time of that day, the form
// every date entered by day, month and year is kept in.

#include <optional>

#include "Dialog.h"
#include "SharedRoutines.h"

inline constexpr int IDD_DATE_POPUP = 197;
inline constexpr int IDC_DATE_POPUP_CALENDAR = 1222;

class CDateTimePicker : public Dialog {
    Q_OBJECT
public:
    explicit CDateTimePicker(QWidget* parent = nullptr);

    // 0 until a date was chosen with OK.
    Time64 chosenTime = 0;

    // The chosen day as local calendar fields; nullopt before OK.
    std::optional<LocalDateTime> ChosenDate() const;

    // Takes the calendar's selected day and closes with OK.
    void OnClickOk();
};

// Runs the calendar popup and, after OK, writes the chosen day, month and year as plain numbers
// into the three fields of `dialog`. False when no date was chosen.
bool PickDateIntoFields(Dialog& dialog, int dayField, int monthField, int yearField);
