#include "NowaNazwa.h"

CNowaNazwa::CNowaNazwa(QWidget* parent) : Dialog(kTemplateId, parent) {}

bool CNowaNazwa::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(kNameEdit, name);
    return true;
}

void CNowaNazwa::OnOK() {
    name = ItemText(kNameEdit);
    Dialog::OnOK();
}
