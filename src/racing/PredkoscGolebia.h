#pragma once
// A bird's speed in four units ("Prędkość Gołębia"), opened from the preview panel's summary
// with the bird's average speed in metres per minute.

#include <QFont>

#include "Dialog.h"
#include "Records.h"

// The speed of `metresPerMinute` in m/s, m/min, km/h and km/min, as shown.
struct SpeedTexts {
    Text metresPerSecond, metresPerMinute, kilometresPerHour, kilometresPerMinute;
};
SpeedTexts SpeedInUnits(int metresPerMinute);

class CPredkoscGolebia : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 240;
    static constexpr int kMetresPerSecondLabel = 1270;
    static constexpr int kMetresPerMinuteLabel = 1251;
    static constexpr int kKilometresPerHourLabel = 1252;
    static constexpr int kKilometresPerMinuteLabel = 1253;

    explicit CPredkoscGolebia(QWidget* parent = nullptr);

    // Metres per minute; set before the modal run.
    int speed = 0;

    bool OnInitDialog() override;

private:
    QFont valueFont_;
};
