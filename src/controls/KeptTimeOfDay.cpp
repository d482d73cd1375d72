#include "KeptTimeOfDay.h"

#include <QLineEdit>
#include <cstdio>

#include "Dialog.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowHelpers.h"

namespace {

// "02:30", or "02:30:15" where the seconds are not whole minutes.
Text ClockText(int hour, int minute, int second) {
    char text[16];
    if (second != 0) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    }
    return FromUtf8(text);
}

}  // namespace

std::optional<Time64> TimeOnTypedDate(Dialog& window, int dayBox, int day, int month, int year,
                                      int hour, int minute, int second,
                                      const std::u16string& badDate, Time64 stored) {
    if (const auto own = stored >= 0 ? ToLocalDateTime(stored) : std::nullopt;
        own && own->day == day && own->month == month && own->year == year &&
        own->hour == hour && own->minute == minute && own->second == second) {
        return stored;
    }
    const auto kept = KeepTimeOfDay(day, month, year, hour, minute, second);
    if (!kept) {
        window.RefuseField(dayBox, badDate);
        return std::nullopt;
    }
    if (!kept->moved) return kept->time;
    // The time of day is not on show, so it is not moved without the user's word.
    const LocalDateTime resumed = SplitTime(kept->time);
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, year);
    const Text question = u"Dnia " + FromUtf8(date) + u" zmiana czasu pomija godzinę " +
                          ClockText(hour, minute, second) + u".\nZapisać tę datę z godziną " +
                          ClockText(resumed.hour, resumed.minute, resumed.second) +
                          u", pierwszą po zmianie?";
    if (AskYesNo(&window, question, u"", YesNoDefault::Yes, MB_ICONQUESTION)) return kept->time;
    if (QWidget* box = window.Item(dayBox)) {
        box->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
        if (auto* picker = qobject_cast<DateTimePicker*>(box)) picker->StartTyping();
    }
    return std::nullopt;
}

std::optional<Time64> TimeOnPickedDate(Dialog& window, int picker, const std::u16string& badDate) {
    const DateTimePicker* field = window.DatePicker(picker);
    const auto shown = field ? field->GetLocal() : std::nullopt;
    if (!shown) {
        window.RefuseField(picker, badDate);
        return std::nullopt;
    }
    if (const auto untouched = field->UntouchedTime()) return *untouched;
    return TimeOnTypedDate(window, picker, shown->day, shown->month, shown->year, shown->hour,
                           shown->minute, shown->second, badDate);
}
