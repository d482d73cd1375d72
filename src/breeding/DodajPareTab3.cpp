#include "DodajPareTab3.h"

#include "ListView.h"

CDodajPareTab3::CDodajPareTab3(QWidget* parent) : Dialog(kTemplateId, parent) {
    // Enter or Escape in the list must not save the pair or close the editor.
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

bool CDodajPareTab3::OnInitDialog() {
    Dialog::OnInitDialog();
    ListView* list = List(kResultList);
    SetUpBirdFlightList(list);
    // The panel is far narrower than the widths the list is set up with: each column takes
    // what its heading and texts need, so every heading reads whole, and the list scrolls
    // sideways for the columns beyond the panel.
    if (list) {
        for (int column = 0; column < list->GetColumnCount(); ++column)
            list->SetColumnFit(column, ListView::ColumnFit::Always);
    }
    return true;
}

void CDodajPareTab3::ShowPigeon(int id) {
    ListView* list = List(kResultList);
    if (list) list->DeleteAllItems();
    rows_ = CollectBirdFlightRows(id);
    for (const BirdFlightRow& row : rows_) AppendBirdFlightRow(list, row);
}
