#include "ZakladkaEdycjaPtaka.h"

#include "StandardControls.h"

CZakladkaEdycjaPtaka::CZakladkaEdycjaPtaka(QWidget* parent) : Dialog(kTemplateId, parent) {}

ComboBox* CZakladkaEdycjaPtaka::SeasonCombo() const { return Combo(kSeasonCombo); }
