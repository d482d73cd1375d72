#include "KalkulatorOdleglosci.h"
#include "WindowHelpers.h"

#include <cmath>


namespace {
constexpr double kMinutesToDegrees = 0.016666666666666666;
constexpr double kSecondsToDegrees = 0.0002777777777777778;
// The factor the calculator has always used, a hair off π/180.
constexpr double kDegreesToRadians = 0.0174532925239284;

struct Coordinate {
    double degrees = 0, minutes = 0, seconds = 0;
};
}  // namespace

double GreatCircleDistance(double latitude1, double longitude1, double latitude2,
                           double longitude2, char unit) {
    const double sinLatitude = std::sin((latitude2 - latitude1) * 0.5);
    const double sinLongitude = std::sin((longitude2 - longitude1) * 0.5);
    const double a = sinLatitude * sinLatitude +
                     std::cos(latitude1) * std::cos(latitude2) * sinLongitude * sinLongitude;
    const double c = 2.0 * std::atan2(std::sqrt(a), std::sqrt(1.0 - a));
    double radius = 3437.7;
    if (unit == 'K') radius = 6367.0;
    if (unit == 'S') radius = 3956.0;
    return c * radius;
}

double CoordinateToRadians(double degrees, double minutes, double seconds) {
    return (degrees + minutes * kMinutesToDegrees + seconds * kSecondsToDegrees) *
           kDegreesToRadians;
}

QString CoordinateProblem(double degrees, double minutes, double seconds, bool latitude) {
    if (minutes < 0 || minutes >= 60 || seconds < 0 || seconds >= 60)
        return QStringLiteral("minuty i sekundy muszą leżeć między 0 a 59");
    const double whole = degrees + minutes * kMinutesToDegrees + seconds * kSecondsToDegrees;
    const double limit = latitude ? 90.0 : 180.0;
    if (std::fabs(whole) > limit) {
        return latitude ? QStringLiteral("szerokość musi leżeć między -90° a 90°")
                        : QStringLiteral("długość musi leżeć między -180° a 180°");
    }
    return {};
}

CKalkulatorOdleglosci::CKalkulatorOdleglosci(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kCalculateButton, [this] { Calculate(); });
}

bool CKalkulatorOdleglosci::OnInitDialog() {
    Dialog::OnInitDialog();
    for (int first : {kLongitude1, kLatitude1, kLongitude2, kLatitude2}) {
        for (int i = 0; i < 3; ++i) SetItemText(first + i, u"0");
    }
    SetItemText(kResultEdit, u"0");
    return true;
}

void CKalkulatorOdleglosci::Calculate() {
    struct Field {
        int first;
        bool latitude;
        int point;
        Coordinate value;
    };
    Field fields[] = {{kLatitude1, true, 1, {}}, {kLongitude1, false, 1, {}},
                      {kLatitude2, true, 2, {}}, {kLongitude2, false, 2, {}}};
    // A field that holds no number has been refused with a message; a distance from the
    // remaining fields would be a wrong answer, so none is shown.
    for (Field& field : fields) {
        if (!ReadDouble(field.first, field.value.degrees) ||
            !ReadDouble(field.first + 1, field.value.minutes) ||
            !ReadDouble(field.first + 2, field.value.seconds)) {
            SetItemText(kResultEdit, u"");
            return;
        }
    }
    for (const Field& field : fields) {
        const QString problem = CoordinateProblem(field.value.degrees, field.value.minutes,
                                                  field.value.seconds, field.latitude);
        if (problem.isEmpty()) continue;
        SetItemText(kResultEdit, u"");
        RefuseField(field.first,
                    QStringLiteral("Współrzędne %1 punktu: %2.").arg(field.point).arg(problem));
        return;
    }
    auto radians = [](const Coordinate& c) {
        return CoordinateToRadians(c.degrees, c.minutes, c.seconds);
    };
    const double distance =
        GreatCircleDistance(radians(fields[0].value), radians(fields[1].value),
                            radians(fields[2].value), radians(fields[3].value), 'K');
    SetItemText(kResultEdit, FloatText(distance));
}
