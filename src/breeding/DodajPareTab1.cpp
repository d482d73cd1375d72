#include "DodajPareTab1.h"

#include "DataStore.h"

// Keys inside a panel stay there: Enter and Escape in it neither save nor close the editor.
CDodajPareTab1::CDodajPareTab1(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

bool CDodajPareTab1::OnInitDialog() {
    Dialog::OnInitDialog();
    font_ = Font(QStringLiteral("Tahoma"), 18, FW_MEDIUM);
    return true;
}

void CDodajPareTab1::ShowPigeon(int id) {
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(id);
    const PersonRecord& breeder = store.FindBreeder(bird.id_hodowcy);
    SetItemText(kBreeder, breeder.imie + u" " + breeder.nazwisko);
    SetItemText(kBreed, CDataStore::FindName(store.breedNames, bird.id_rasy));
    SetItemText(kLine, CDataStore::FindName(store.lineNames, bird.id_linia));
    SetItemText(kColour, CDataStore::FindName(store.colourNames, bird.id_koloru));
    SetItemText(kDescription, bird.krotkiopis);
}
