#include "ZakladkaEdycjaPtaka.h"

#include "DataStore.h"
#include "DodajSezon.h"
#include "StandardControls.h"

CZakladkaEdycjaPtaka::CZakladkaEdycjaPtaka(QWidget* parent) : Dialog(kTemplateId, parent) {}

ComboBox* CZakladkaEdycjaPtaka::SeasonCombo() const { return Combo(kSeasonCombo); }

// The new season is appended to the store's vector; the chooser is filled again from it and
// keeps the entry that was chosen.
void CZakladkaEdycjaPtaka::AddBreedingSeason() {
    if (CDodajSezon::AddSeason(CDodajSezon::kBreedingSeason, this) != IDOK) return;
    ComboBox* combo = SeasonCombo();
    FillSeasonCombo(combo, u"Wszystkie Pary", TheDataStore().breedingSeasons,
                    combo ? combo->GetCurSel() : 0);
}
