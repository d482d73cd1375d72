#include "DodajPareTab2.h"

#include "DataStore.h"

CDodajPareTab2::CDodajPareTab2(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
}

void CDodajPareTab2::ShowPigeon(int id) {
    if (id == -1) return;
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(id);
    const PigeonRecord& mother = store.FindPigeon(bird.id_matki);
    const PigeonRecord& father = store.FindPigeon(bird.id_ojca);
    ancestors = {mother,
                 father,
                 store.FindPigeon(mother.id_matki),
                 store.FindPigeon(mother.id_ojca),
                 store.FindPigeon(father.id_matki),
                 store.FindPigeon(father.id_ojca)};
    for (size_t slot = 0; slot < kBoxes.size(); ++slot) {
        SetItemText(kBoxes[slot], ancestors[slot].GetRingNumberAndName());
    }
}
