#include "KalkulatorPredkosci.h"

#include <locale>
#include <sstream>

#include "Records.h"
#include "SharedRoutines.h"

namespace {
// Three significant digits, as the results have always been shown (14.2, 9.87, 60).
Text ThreeDigits(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(3);
    out << value;
    return FromUtf8(out.str());
}
}  // namespace

CKalkulatorPredkosci::CKalkulatorPredkosci(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kCalculateButton, [this] { Calculate(); });
}

bool CKalkulatorPredkosci::OnInitDialog() {
    Dialog::OnInitDialog();
    for (int id : {kHoursEdit, kMinutesEdit, kSecondsEdit, kDistanceEdit, kKilometresPerHourEdit,
                   kMetresPerSecondEdit}) {
        SetItemText(id, u"0");
    }
    return true;
}

void CKalkulatorPredkosci::Calculate() {
    int hours = 0, minutes = 0, seconds = 0;
    float kilometres = 0;
    // A refused field has shown its message; no speed is computed from the others.
    if (!ReadInt(kHoursEdit, hours) || !ReadInt(kMinutesEdit, minutes) ||
        !ReadInt(kSecondsEdit, seconds) || !ReadFloat(kDistanceEdit, kilometres)) {
        return;
    }
    const long long total = (static_cast<long long>(hours) * 60 + minutes) * 60 + seconds;
    if (total <= 0) {
        SetItemText(kMetresPerSecondEdit, u"");
        SetItemText(kKilometresPerHourEdit, u"");
        MessageBox(this, u"Czas lotu musi być dłuższy niż zero sekund.", u"",
                   MB_OK | MB_ICONWARNING);
        return;
    }
    const float metresPerSecond =
        MetresPerMinute(static_cast<double>(kilometres) * 1000.0, static_cast<double>(total)) /
        60.0f;
    SetItemText(kMetresPerSecondEdit, ThreeDigits(metresPerSecond));
    SetItemText(kKilometresPerHourEdit, ThreeDigits(static_cast<double>(metresPerSecond) * 3.6));
}
