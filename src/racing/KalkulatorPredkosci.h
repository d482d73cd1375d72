#pragma once
// The speed calculator: a flight time and a distance give the speed in metres per second and
// kilometres per hour.

#include "Dialog.h"

class CKalkulatorPredkosci : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 246;
    static constexpr int kHoursEdit = 1217;
    static constexpr int kMinutesEdit = 1218;
    static constexpr int kSecondsEdit = 1219;
    static constexpr int kDistanceEdit = 1115;
    static constexpr int kKilometresPerHourEdit = 1037;
    static constexpr int kMetresPerSecondEdit = 1160;
    static constexpr int kCalculateButton = 1220;

    explicit CKalkulatorPredkosci(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void Calculate();
};
