#pragma once
// The geographic distance calculator ("Kalkulator odległości geograficznych"): the great-circle
// distance in kilometres between two points given in degrees, minutes and seconds.

#include <QString>

#include "Dialog.h"

// Great-circle distance (haversine) between two points given in radians, in the unit that the
// letter names: 'K' kilometres (radius 6367), 'S' statute miles (3956), otherwise nautical
// miles (3437.7).
double GreatCircleDistance(double latitude1, double longitude1, double latitude2,
                           double longitude2, char unit);

// An angle of degrees, minutes and seconds in radians.
double CoordinateToRadians(double degrees, double minutes, double seconds);

// Why a coordinate cannot be used (empty when it can): minutes and seconds lie in [0, 60) and
// the whole angle within ±90° for a latitude or ±180° for a longitude.
QString CoordinateProblem(double degrees, double minutes, double seconds, bool latitude);

class CKalkulatorOdleglosci : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 228;
    // The first field (degrees) of each coordinate; minutes and seconds follow it.
    static constexpr int kLongitude1 = 1397;
    static constexpr int kLatitude1 = 1404;
    static constexpr int kLongitude2 = 1400;
    static constexpr int kLatitude2 = 1407;
    static constexpr int kResultEdit = 1403;
    static constexpr int kCalculateButton = 1099;

    explicit CKalkulatorOdleglosci(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    // Reads the twelve fields and shows the distance, or says what is wrong with them.
    void Calculate();
};
