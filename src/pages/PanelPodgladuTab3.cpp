#include "PanelPodgladuTab3.h"

#include <QLabel>

#include "DataStore.h"
#include "DrukujKarteMiotu.h"
#include "DrzewoGenealogicznePsa.h"
#include "DodajGolebia.h"
#include "ListView.h"
#include "PreviewPanel.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowHelpers.h"

namespace {
constexpr COLORREF kCountColour = 0xD0665E;
}  // namespace

CPanelPodgladuTab3::CPanelPodgladuTab3(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kPartnerList, [this] { OnPartnerChanged(); });
    OnClicked(kOffspringList, [this] { OnOffspringClick(); });
    OnItemChanged(kOffspringList, [this] { OnOffspringClick(); });
    OnClicked(kFamilyTreeButton, [this] { OnFamilyTree(); });
    OnClicked(kEditButton, [this] { OnEditPigeon(); });
    OnClicked(kPrintButton, [this] { OnPrintOffspring(); });
}

bool CPanelPodgladuTab3::OnInitDialog() {
    Dialog::OnInitDialog();
    SetUpBirdList(List(kOffspringList), 190, 70);
    countFont_ = Font(QStringLiteral("Tahoma"), 30, FW_BOLD);
    for (int id : {kYoungCountLabel, kPartnerCountLabel}) {
        SetItemText(id, u"0");
        SetLabelLook(Label(id), countFont_, kCountColour);
    }
    selectedOffspring_ = -1;
    return true;
}

void CPanelPodgladuTab3::ShowPigeon(int id) {
    ListBoxControl* partners = ListBox(kPartnerList);
    if (partners) partners->ResetContent();
    partnerPairs_.clear();
    if (ListView* offspring = List(kOffspringList)) offspring->DeleteAllItems();
    selectedOffspring_ = -1;

    const CDataStore& store = TheDataStore();
    for (const PairRecord& pair : store.Pairs()) {
        if (pair.id_samca == id) partnerPairs_.push_back(pair);
        if (pair.id_samicy == id) partnerPairs_.push_back(pair);
    }
    size_t young = 0;
    for (const PairRecord& pair : partnerPairs_) {
        const int partnerId = pair.id_samicy == id ? pair.id_samca : pair.id_samicy;
        const Text line = u"[" + FormatTime(pair.DataParowania, "%Y") + u"] " +
                          store.FindPigeon(partnerId).GetDisplayName();
        if (partners) partners->AddString(line);
        young += pair.young.size();
    }
    SetItemText(kYoungCountLabel, NumberText(static_cast<long long>(young)));
    SetItemText(kPartnerCountLabel, NumberText(static_cast<long long>(partnerPairs_.size())));
    selectedPartner_ = -1;
}

void CPanelPodgladuTab3::OnPartnerChanged() {
    const ListBoxControl* partners = ListBox(kPartnerList);
    selectedPartner_ = partners ? partners->GetCurSel() : -1;
    if (selectedPartner_ >= static_cast<int>(partnerPairs_.size())) selectedPartner_ = -1;
    if (ListView* offspring = List(kOffspringList)) offspring->DeleteAllItems();
    selectedOffspring_ = -1;
    if (selectedPartner_ < 0) return;
    for (const YoungRecord& young : partnerPairs_[selectedPartner_].young)
        AddOffspringRow(young.id_golebia);
}

void CPanelPodgladuTab3::AddOffspringRow(int pigeonId) {
    AppendBirdRow(List(kOffspringList), TheDataStore().FindPigeon(pigeonId));
}

void CPanelPodgladuTab3::OnOffspringClick() {
    const ListView* offspring = List(kOffspringList);
    selectedOffspring_ = offspring ? offspring->FirstSelectedRow() : -1;
}

const YoungRecord* CPanelPodgladuTab3::SelectedYoung() const {
    if (selectedPartner_ < 0 || selectedPartner_ >= static_cast<int>(partnerPairs_.size()))
        return nullptr;
    const std::vector<YoungRecord>& young = partnerPairs_[selectedPartner_].young;
    if (selectedOffspring_ < 0 || selectedOffspring_ >= static_cast<int>(young.size()))
        return nullptr;
    return &young[selectedOffspring_];
}

void CPanelPodgladuTab3::OnPrintOffspring() {
    if (selectedPartner_ < 0 || selectedPartner_ >= static_cast<int>(partnerPairs_.size())) {
        MessageBox(this, u"Wybierz partnera z listy");
        return;
    }
    const PairRecord& pair = partnerPairs_[static_cast<size_t>(selectedPartner_)];
    CDrukujKarteMiotu card(this);
    card.title = u"Wydruk listy potomków";
    card.maleId = pair.id_samca;
    card.femaleId = pair.id_samicy;
    for (const YoungRecord& young : pair.young) card.youngIds.push_back(young.id_golebia);
    card.DoModal();
}

void CPanelPodgladuTab3::OnFamilyTree() {
    const YoungRecord* young = SelectedYoung();
    if (!young) {
        MessageBox(this, u"Musisz wybrać gołębia z listy potomków");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, young->id_golebia);
}

void CPanelPodgladuTab3::OnEditPigeon() {
    const YoungRecord* young = SelectedYoung();
    if (!young) return;
    const PigeonMap& pigeons = TheDataStore().Pigeons();
    const auto stored = pigeons.find(young->id_golebia);
    if (stored == pigeons.end()) return;
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = stored->second;
    editor.DoModal();
}

void CPanelPodgladuTab3::OnEraseBkgnd(Dc& dc) { PaintPreviewTabBackground(dc, width()); }
