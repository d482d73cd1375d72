#include "UstawKolumnyWynikiLotowe.h"

#include "ColumnLayout.h"

CUstawKolumnyWynikiLotowe::CUstawKolumnyWynikiLotowe(QWidget* parent)
    : CUstawKolumny(kTemplateId, parent) {}

bool CUstawKolumnyWynikiLotowe::OnInitDialog() {
    LoadLayout();
    Dialog::OnInitDialog();
    InitialiseLists();
    return true;
}

void CUstawKolumnyWynikiLotowe::LoadLayout() {
    ColumnLayoutFile layout;
    // A missing or damaged file gives the columns read in full; saving writes a sound one.
    layout.Read(FlightResultLayoutPath());
    columnCodes = layout.codes;
    columnWidths = layout.widths;
}

std::vector<std::int32_t> CUstawKolumnyWynikiLotowe::OfferedCodes() const {
    std::vector<std::int32_t> codes;
    for (std::int32_t code = 0; code < kFlightResultColumnCodeCount; ++code) codes.push_back(code);
    return codes;
}

Text CUstawKolumnyWynikiLotowe::CodeText(std::int32_t code) const {
    return FlightResultColumnTitle(code);
}

Text CUstawKolumnyWynikiLotowe::LayoutPath() const { return FlightResultLayoutPath(); }
