#include "WprowadzKodKoloru.h"

CWprowadzKodKoloru::CWprowadzKodKoloru(QWidget* parent) : Dialog(kTemplateId, parent) {}

bool CWprowadzKodKoloru::OnInitDialog() {
    Dialog::OnInitDialog();
    SetDlgItemInt(kCodeEdit, colourCode);
    return true;
}

void CWprowadzKodKoloru::OnOK() {
    if (!ReadUInt(kCodeEdit, colourCode)) return;
    EndDialog(IDOK);
}
