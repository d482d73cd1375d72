#include "DataWyjsciaNaDach.h"

#include "StandardControls.h"

CDataWyjsciaNaDach::CDataWyjsciaNaDach(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetPickerMessage(kDatePicker, u"Nieprawidłowa data wyjścia na dach.");
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
    roofDate = picker->HasValue() ? picker->GetTime() : 0;
    EndDialog(IDOK);
}
