#include "UstawOpis.h"

CUstawOpis::CUstawOpis(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kHelpButton, [this] {
        MessageBox(this,
                   std::u16string(u"W to pole wpisz krótki i jednoznaczny opis gołębia. \n Będzie "
                                  u"on używany przy wyborze ptaka do pary\n do lotu i w innych "
                                  u"miejscach, żeby\nułatwić jego identyfikacje"),
                   std::u16string(u"Objaśnienie"), MB_OK);
    });
}

bool CUstawOpis::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(kDescriptionEdit, description);
    return true;
}

void CUstawOpis::OnOK() {
    description = ItemText(kDescriptionEdit);
    EndDialog(IDOK);
}
