#include "PanelPodgladuTab4.h"

#include "DataStore.h"
#include "DodajGolebia.h"
#include "DrzewoGenealogicznePsa.h"
#include "EksportListyDoHTML.h"
#include "ListView.h"
#include "PreviewPanel.h"
#include "StandardControls.h"

CPanelPodgladuTab4::CPanelPodgladuTab4(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kSourceCombo, [this] { OnSourceChanged(); });
    OnClicked(kSiblingList, [this] { OnSiblingClick(); });
    OnItemChanged(kSiblingList, [this] { OnSiblingClick(); });
    OnClicked(kEditButton, [this] { OnEditPigeon(); });
    OnClicked(kFamilyTreeButton, [this] { OnFamilyTree(); });
    OnClicked(kPrintButton, [this] { OnPrintSiblings(); });
}

bool CPanelPodgladuTab4::OnInitDialog() {
    Dialog::OnInitDialog();
    SetUpBirdList(List(kSiblingList), 210, 80);
    if (ComboBox* source = Combo(kSourceCombo)) source->SetCurSel(kSameBrood);
    selectedRow_ = -1;
    return true;
}

int CPanelPodgladuTab4::Source() const {
    const ComboBox* source = Combo(kSourceCombo);
    return source ? source->GetCurSel() : kSameBrood;
}

void CPanelPodgladuTab4::ShowPigeon(int id) {
    siblingIds_.clear();
    if (ListView* list = List(kSiblingList)) list->DeleteAllItems();
    sameParentsPairs_.clear();
    if (ComboBox* source = Combo(kSourceCombo)) source->SetCurSel(kSameBrood);
    ownPair_ = PairRecord();
    selectedRow_ = -1;
    shownPigeonId_ = id;

    const PigeonRecord& bird = TheDataStore().FindPigeon(id);
    // Without both parents a bird has no brood and no brothers or sisters to look for.
    if (bird.id_ojca <= 0 || bird.id_matki <= 0) return;
    for (const PairRecord& pair : TheDataStore().AllPairs()) {
        if (pair.id_samca == bird.id_ojca && pair.id_samicy == bird.id_matki)
            sameParentsPairs_.push_back(pair);
        for (const YoungRecord& young : pair.young) {
            if (young.id_golebia == id) ownPair_ = pair;
        }
    }
    ListYoungOf(ownPair_);
}

void CPanelPodgladuTab4::ListYoungOf(const PairRecord& pair) {
    for (const YoungRecord& young : pair.young) {
        if (young.id_golebia == shownPigeonId_) continue;
        AddSiblingRow(young.id_golebia);
        siblingIds_.push_back(young.id_golebia);
    }
}

void CPanelPodgladuTab4::OnSourceChanged() {
    siblingIds_.clear();
    if (ListView* list = List(kSiblingList)) list->DeleteAllItems();
    selectedRow_ = -1;
    if (Source() == kAllSiblings) {
        for (const PairRecord& pair : sameParentsPairs_) ListYoungOf(pair);
    } else {
        ListYoungOf(ownPair_);
    }
}

void CPanelPodgladuTab4::AddSiblingRow(int pigeonId) {
    AppendBirdRow(List(kSiblingList), TheDataStore().FindPigeon(pigeonId));
}

void CPanelPodgladuTab4::OnSiblingClick() {
    const ListView* list = List(kSiblingList);
    selectedRow_ = list ? list->FirstSelectedRow() : -1;
}

int CPanelPodgladuTab4::SelectedSiblingId() const {
    if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(siblingIds_.size())) return 0;
    return siblingIds_[selectedRow_];
}

void CPanelPodgladuTab4::OnEditPigeon() {
    const int id = SelectedSiblingId();
    if (id == 0) return;
    const PigeonMap& pigeons = TheDataStore().Pigeons();
    const auto stored = pigeons.find(id);
    if (stored == pigeons.end()) return;
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = stored->second;
    editor.DoModal();
}

void CPanelPodgladuTab4::OnFamilyTree() {
    if (SelectedSiblingId() == 0) {
        MessageBox(this, u"Musisz wybrać gołębia z listy rodzeństwa.");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, SelectedSiblingId());
}

std::vector<int> CPanelPodgladuTab4::SiblingPrintIds() const {
    std::vector<int> ids;
    auto addYoungOf = [&ids](const PairRecord& pair) {
        for (const YoungRecord& young : pair.young) ids.push_back(young.id_golebia);
    };
    if (Source() == kAllSiblings) {
        for (const PairRecord& pair : sameParentsPairs_) addYoungOf(pair);
    } else {
        addYoungOf(ownPair_);
    }
    return ids;
}

void CPanelPodgladuTab4::OnPrintSiblings() {
    if (shownPigeonId_ <= 0) return;
    CEksportListyDoHTML list(this);
    list.title = u"Wydruk rodzeństwa";
    list.birdIds = SiblingPrintIds();
    list.siblingBird = TheDataStore().FindPigeon(shownPigeonId_);
    list.DoModal();
}

void CPanelPodgladuTab4::OnEraseBkgnd(Dc& dc) { PaintPreviewTabBackground(dc, width()); }
