#include "ImportujDaneZWersji5.h"

#include "DialogHeader.h"

CImportujDaneZWersji5::CImportujDaneZWersji5(QWidget* parent) : Dialog(kTemplateId, parent) {}

bool CImportujDaneZWersji5::OnInitDialog() {
    importPigeons = 1;
    importPairs = 1;
    importFlights = 0;
    Dialog::OnInitDialog();
    CheckDlgButton(kPigeonsBox, importPigeons);
    CheckDlgButton(kPairsBox, importPairs);
    CheckDlgButton(kFlightsBox, importFlights);
    return true;
}

void CImportujDaneZWersji5::OnOK() {
    importPigeons = IsDlgButtonChecked(kPigeonsBox) ? 1 : 0;
    importPairs = IsDlgButtonChecked(kPairsBox) ? 1 : 0;
    importFlights = IsDlgButtonChecked(kFlightsBox) ? 1 : 0;
    EndDialog(IDOK);
}

void CImportujDaneZWersji5::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Import Danych"));
}
