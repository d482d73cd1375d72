#include "WybierzPsaZListy.h"

#include "DataStore.h"
#include "DodajGolebia.h"
#include "DrzewoGenealogicznePsa.h"
#include "Globals.h"
#include "Lineage.h"
#include "Sex.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

CWybierzPsaZListy::CWybierzPsaZListy(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kPigeonList, [this] { OnSelectPigeon(); });
    // A double-click on a bird chooses it, as OK does.
    OnDoubleClick(kPigeonList, [this] { OnChoose(); });
    OnChanged(kRingEdit, [this] { OnRingTextChange(); });
    OnSelChange(kCategoryCombo, [this] { OnCategoryChange(); });
    OnClicked(kEditButton, [this] { OnEditPigeon(); });
    OnClicked(kFamilyTreeButton, [this] { OnFamilyTree(); });
    OnClicked(kPedigreeButton, [] {});   // never had a use here
}

bool CWybierzPsaZListy::OnInitDialog() {
    Dialog::OnInitDialog();
    nameFont_ = Font(QStringLiteral("Tahoma"), 22, FW_BOLD);
    infoFont_ = Font(QStringLiteral("Tahoma"), 16, FW_MEDIUM);
    if (auto* name = ItemAs<CTransparentStatic>(kNameLabel)) {
        name->textColor = RGB(63, 172, 255);
        // One line in the large type: a long name ends in "…" instead of running under the colour.
        name->setWordWrap(false);
        name->SetElided(true, ElidedText::StartsWithRing);
    }
    if (QWidget* name = Item(kNameLabel)) name->setFont(nameFont_);
    if (QWidget* colour = Item(kColourLabel)) colour->setFont(infoFont_);
    if (QWidget* description = Item(kDescriptionLabel)) description->setFont(infoFont_);

    FillCandidates(-1);

    ComboBox* categories = Combo(kCategoryCombo);
    categories->ResetContent();
    categories->AddString(std::u16string(u"Wszystkie Gołębie"));
    if (const LoftRecord* loft = CurrentLoft()) {
        for (const CategoryRecord& category : loft->categories) {
            categories->AddString(category.nazwakategorii);
        }
    }
    categories->SetCurSel(0);

    SetItemText(kNameLabel, u"Nie wybrano gołębia");
    SetItemText(kColourLabel, u" ");
    SetItemText(kDescriptionLabel, u"Opis gołębia...");
    chosenId = -1;
    chosenValid = 0;
    return true;
}

bool CWybierzPsaZListy::Admits(const PigeonRecord& bird) const {
    if (excludedId > 0 && bird.id == excludedId) return false;
    if (excludedLineage_.count(bird.id) != 0) return false;
    if (excludedIds.count(bird.id) != 0) return false;
    switch (filterMode) {
    case ChooserFemales: return SexOf(bird) == Sex::Unknown || SexOf(bird) == Sex::Female;
    case ChooserMales: return SexOf(bird) == Sex::Unknown || SexOf(bird) == Sex::Male;
    default: return true;
    }
}

void CWybierzPsaZListy::FillCandidates(int categoryId) {
    candidates.clear();
    const CDataStore& store = TheDataStore();
    excludedLineage_ = BirdsAndForebears(store.Pigeons(), excludedWithForebears);
    if (categoryId == -1) {
        for (const auto& [id, bird] : store.Pigeons()) {
            if (id != 0 && Admits(bird)) candidates.push_back(bird);
        }
    } else {
        for (const CategoryMember& member : store.LoadCategoryMembers(categoryId)) {
            // A membership whose bird is gone offers nothing to choose.
            const auto it = store.Pigeons().find(member.pigeonId);
            if (it != store.Pigeons().end() && Admits(it->second)) candidates.push_back(it->second);
        }
    }
    shown = candidates;
    ShowRows();
}

void CWybierzPsaZListy::ShowRows() {
    ListBoxControl* list = ListBox(kPigeonList);
    // Birds of one loft differ at their ring's end: a cut entry keeps it.
    list->SetElider(ElideBirdText);
    list->ResetContent();
    for (const PigeonRecord& bird : shown) list->AddString(bird.GetDisplayName());
    // The rows are new and none is highlighted: no bird is chosen, and "INFORMACJE" no longer
    // shows the one chosen before, which the list may not even hold now.
    ShowNoBird();
}

void CWybierzPsaZListy::ShowNoBird() {
    chosenId = -1;
    chosenValid = 0;
    SetItemText(kNameLabel, u"Nie wybrano gołębia");
    SetItemText(kColourLabel, u" ");
    SetItemText(kDescriptionLabel, u" ");
}

void CWybierzPsaZListy::OnRingTextChange() {
    ringText = ItemText(kRingEdit);
    shown.clear();
    for (const PigeonRecord& bird : candidates) {
        if (bird.nr_obraczki.find(ringText) != Text::npos) shown.push_back(bird);
    }
    ShowRows();
}

void CWybierzPsaZListy::OnCategoryChange() {
    ShowNoBird();
    const int entry = Combo(kCategoryCombo)->GetCurSel();
    if (entry < 0) return;
    if (entry == 0) {
        FillCandidates(-1);
        return;
    }
    const LoftRecord* loft = CurrentLoft();
    if (!loft) return;
    const auto& categories = loft->categories;
    if (entry - 1 >= static_cast<int>(categories.size())) return;
    FillCandidates(categories[entry - 1].id);
}

void CWybierzPsaZListy::OnSelectPigeon() {
    const int row = ListBox(kPigeonList)->GetCurSel();
    if (row < 0 || row >= static_cast<int>(shown.size())) {
        ShowNoBird();
        return;
    }
    chosenId = shown[static_cast<size_t>(row)].id;
    chosenValid = 1;
    ShowPigeonInfo(shown[static_cast<size_t>(row)]);
}

void CWybierzPsaZListy::ShowPigeonInfo(const PigeonRecord& bird) {
    SetItemText(kNameLabel, bird.GetDisplayName());
    SetItemText(kColourLabel, CDataStore::FindName(TheDataStore().ColourNames(), bird.id_koloru));
    SetItemText(kDescriptionLabel, bird.krotkiopis);
}

void CWybierzPsaZListy::OnChoose() {
    ringText = ItemText(kRingEdit);
    const int row = ListBox(kPigeonList)->GetCurSel();
    // With no bird highlighted there is nothing to hand back: the user is asked for one rather
    // than the window closing as if a bird had been chosen.
    if (row < 0 || row >= static_cast<int>(shown.size())) {
        MessageBox(this, u"Należy wybrać gołębia z listy.");
        return;
    }
    chosenId = shown[static_cast<size_t>(row)].id;
    chosenValid = 1;
    candidates.clear();
    shown.clear();
    EndDialog(IDOK);
}

int CWybierzPsaZListy::ActionRow() const {
    const int row = ListBox(kPigeonList)->GetCurSel();
    if (chosenId <= 0 || row < 0 || row >= static_cast<int>(shown.size())) return -1;
    return row;
}

void CWybierzPsaZListy::OnEditPigeon() {
    const int row = ActionRow();
    if (row < 0) return;
    // The editor writes the bird itself when it is confirmed; the rows here stay as they were.
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = shown[static_cast<size_t>(row)];
    editor.DoModal();
}

void CWybierzPsaZListy::OnFamilyTree() {
    const int row = ActionRow();
    if (row < 0) return;
    CDrzewoGenealogicznePsa::ShowFor(this, shown[static_cast<size_t>(row)].id);
}
