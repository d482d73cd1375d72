#include "DataWyjsciaNaDach.h"

#include "KeptTimeOfDay.h"
#include "StandardControls.h"

namespace {

constexpr char16_t kBadRoofDate[] = u"Nieprawidłowa data wyjścia na dach.";

}  // namespace

CDataWyjsciaNaDach::CDataWyjsciaNaDach(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetPickerMessage(kDatePicker, kBadRoofDate);
}

bool CDataWyjsciaNaDach::OnInitDialog() {
    Dialog::OnInitDialog();
    // A negative value (not set) leaves the picker without a date.
    DatePicker(kDatePicker)->SetTime(roofDate);
    return true;
}

void CDataWyjsciaNaDach::OnOK() {
    if (!CheckDatePickers()) return;
    const DateTimePicker* picker = DatePicker(kDatePicker);
    // The stored form of "no date" here is 0; the list reads it back as not set.
    if (!picker->HasValue()) {
        roofDate = 0;
        EndDialog(IDOK);
        return;
    }
    const auto when = TimeOnPickedDate(*this, kDatePicker, kBadRoofDate);
    if (!when) return;
    roofDate = *when;
    EndDialog(IDOK);
}
