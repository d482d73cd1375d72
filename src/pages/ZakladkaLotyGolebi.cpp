#include "ZakladkaLotyGolebi.h"

#include "StandardControls.h"

CZakladkaLotyGolebi::CZakladkaLotyGolebi(QWidget* parent) : Dialog(kTemplateId, parent) {}

ComboBox* CZakladkaLotyGolebi::SeasonCombo() const { return Combo(kSeasonCombo); }
