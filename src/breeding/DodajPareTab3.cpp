#include "DodajPareTab3.h"

#include "ListView.h"

CDodajPareTab3::CDodajPareTab3(QWidget* parent) : Dialog(kTemplateId, parent) {
    // Enter or Escape in the list must not save the pair or close the editor.
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

bool CDodajPareTab3::OnInitDialog() {
    Dialog::OnInitDialog();
    SetUpBirdFlightList(List(kResultList));
    return true;
}

void CDodajPareTab3::ShowPigeon(int id) {
    ListView* list = List(kResultList);
    if (list) list->DeleteAllItems();
    rows_ = CollectBirdFlightRows(id);
    for (const BirdFlightRow& row : rows_) AppendBirdFlightRow(list, row);
}
