#include "DateTimePicker.h"

#include <QCalendarWidget>
#include <QDate>

#include "Seams.h"

namespace {

// Stored dates begin in 1970 and end with the last year a date may have: the calendar offers
// nothing outside.
const QDate kFirstDay(1970, 1, 1);
const QDate kLastDay(kLastDateYear, 12, 31);

}  // namespace

CDateTimePicker::CDateTimePicker(QWidget* parent) : Dialog(IDD_DATE_POPUP, parent) {
    // The template has no caption; where the popup gets a title bar it names the program.
    setWindowTitle(ApplicationName());
    if (QCalendarWidget* calendar = Calendar(IDC_DATE_POPUP_CALENDAR)) {
        calendar->setMinimumDate(kFirstDay);
        calendar->setMaximumDate(kLastDay);
        // Digits typed over the days would make a date of their own: one outside the calendar's
        // years is silently moved to its first or last day, and OK pressed while the typed text
        // is still on show returns the earlier day. The popup picks by clicking; the day, month
        // and year fields beside its "..." button are where a date is typed.
        calendar->setDateEditEnabled(false);
    }
    OnClicked(IDOK, [this] { OnClickOk(); });
}

void CDateTimePicker::OnClickOk() {
    const QCalendarWidget* calendar = Calendar(IDC_DATE_POPUP_CALENDAR);
    if (!calendar) return;
    const QDate day = calendar->selectedDate();
    const auto time = MakeLocalTime(day.day(), day.month(), day.year(), 1, 1, 1);
    // A day that has no stored form keeps the popup open rather than returning a wrong date.
    if (!time) return;
    chosenTime = *time;
    OnOK();
}

std::optional<LocalDateTime> CDateTimePicker::ChosenDate() const {
    if (chosenTime <= 0) return std::nullopt;
    return ToLocalDateTime(chosenTime);
}

bool PickDateIntoFields(Dialog& dialog, int dayField, int monthField, int yearField) {
    CDateTimePicker picker(&dialog);
    if (picker.DoModal() != IDOK) return false;
    const auto chosen = picker.ChosenDate();
    if (!chosen) return false;
    dialog.SetDlgItemInt(dayField, chosen->day);
    dialog.SetDlgItemInt(monthField, chosen->month);
    dialog.SetDlgItemInt(yearField, chosen->year);
    return true;
}
