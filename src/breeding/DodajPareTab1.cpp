#include "DodajPareTab1.h"

#include "DataStore.h"
#include "TransparentStatic.h"

// Keys inside a panel stay there: Enter and Escape in it neither save nor close the editor.
CDodajPareTab1::CDodajPareTab1(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

bool CDodajPareTab1::OnInitDialog() {
    Dialog::OnInitDialog();
    font_ = Font(QStringLiteral("Tahoma"), 18, FW_MEDIUM);
    // A breeder's full name or a long breed or line is wider than the panel: one line ending in
    // "…", with the whole text as the tooltip, instead of a second line cut off under the row.
    for (int id : {kBreeder, kBreed, kLine, kColour}) {
        if (auto* label = ItemAs<CTransparentStatic>(id)) {
            label->setWordWrap(false);
            label->SetElided(true);
        }
    }
    return true;
}

void CDodajPareTab1::ShowPigeon(int id) {
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(id);
    const PersonRecord& breeder = store.FindBreeder(bird.id_hodowcy);
    SetItemText(kBreeder, breeder.imie + u" " + breeder.nazwisko);
    SetItemText(kBreed, CDataStore::FindName(store.BreedNames(), bird.id_rasy));
    SetItemText(kLine, CDataStore::FindName(store.LineNames(), bird.id_linia));
    SetItemText(kColour, CDataStore::FindName(store.ColourNames(), bird.id_koloru));
    SetItemText(kDescription, bird.krotkiopis);
}
