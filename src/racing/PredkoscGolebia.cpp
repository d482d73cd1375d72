#include "PredkoscGolebia.h"

#include <QLabel>

#include "SharedRoutines.h"
#include "WindowHelpers.h"

SpeedTexts SpeedInUnits(int metresPerMinute) {
    // Converted in floating point: whole metres per second would show 59 m/min as 0 km/h.
    const double v = metresPerMinute;
    return {.metresPerSecond = FloatText(v / 60.0),
            .metresPerMinute = NumberText(metresPerMinute),
            .kilometresPerHour = FloatText(v * 0.06),
            .kilometresPerMinute = FloatText(v / 1000.0)};
}

CPredkoscGolebia::CPredkoscGolebia(QWidget* parent) : Dialog(kTemplateId, parent) {}

bool CPredkoscGolebia::OnInitDialog() {
    Dialog::OnInitDialog();
    valueFont_ = Font(QStringLiteral("Tahoma"), 30, FW_BOLD);
    const SpeedTexts texts = SpeedInUnits(speed);
    const std::pair<int, const Text*> labels[] = {
        {kMetresPerMinuteLabel, &texts.metresPerMinute},
        {kMetresPerSecondLabel, &texts.metresPerSecond},
        {kKilometresPerHourLabel, &texts.kilometresPerHour},
        {kKilometresPerMinuteLabel, &texts.kilometresPerMinute},
    };
    for (const auto& [id, text] : labels) {
        SetLabelLook(Label(id), valueFont_, RGB(94, 102, 208));
        SetItemText(id, *text);
    }
    return true;
}
