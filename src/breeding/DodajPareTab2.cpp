#include "DodajPareTab2.h"

#include "DataStore.h"
#include "TransparentStatic.h"

CDodajPareTab2::CDodajPareTab2(QWidget* parent) : Dialog(kTemplateId, parent) {
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});
    // A box holds two lines, the ring and the name. A name too long for its line ends in "…"
    // with the whole text as the tooltip, instead of wrapping onto a third line that only a
    // scroll bar would reach.
    for (int id : kBoxes) {
        auto* box = ReplaceItemWith<CTransparentStatic>(id);
        box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        box->setMargin(2);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setWordWrap(true);
        box->SetElided(true, ElidedText::StartsWithRing);
    }
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
