#include "PanelPodgladuTab2.h"

#include <QLabel>
#include <algorithm>

#include "DataStore.h"
#include "DialogTemplate.h"
#include "DodajGolebia.h"
#include "FlatButton.h"
#include "PictureBox.h"
#include "PreviewPanel.h"
#include "Resources.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

namespace {
constexpr int kDefaultPhotoBitmap = 192;
constexpr COLORREF kHeadingColour = 0xFFAC3F;
// What the photo panel is made of: hidden together when the tab is narrow.
constexpr int kPhotoPanelItems[] = {1270, 1251, 1252, 1130, 1192, 1184, 1183, 1125, 1126, 1127};
// The template's width of the panel's texts, and its margin right of them (dialog units).
constexpr int kPanelTextWidth = 145;
constexpr int kPanelRightMargin = 10;
}  // namespace

CPanelPodgladuTab2::CPanelPodgladuTab2(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        OnClicked(kSlotButtons[slot], [this, slot] { OnSlotClicked(slot); });
    OnClicked(kEditButton, [this] { OnEditPigeon(); });
}

bool CPanelPodgladuTab2::OnInitDialog() {
    Dialog::OnInitDialog();
    selectedPigeonId_ = -1;
    const QString tahoma = QStringLiteral("Tahoma");
    headingFont_ = Font(tahoma, 20, FW_MEDIUM);
    ringFont_ = Font(tahoma, 18, FW_BOLD);
    SetLabelLook(Label(kPhotoHeading), headingFont_, kHeadingColour);
    SetLabelLook(Label(kInfoHeading), headingFont_, kHeadingColour);
    if (QLabel* ring = Label(kRingLabel)) ring->setFont(ringFont_);
    // The ring and the name each keep to their line of the panel, the colour to its one line and
    // the description to its lines; what does not fit ends in "…" with the whole text as the
    // tooltip. The texts start at the panel's left edge, under the photographs and headings, as
    // they take the width the tab gives them (see OnSize).
    for (int id : {kRingLabel, kColourLabel, kDescriptionLabel}) {
        auto* label = ItemAs<CTransparentStatic>(id);
        if (!label) continue;
        if (id != kDescriptionLabel) label->setWordWrap(false);
        if (id == kRingLabel) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->SetElided(true, id == kRingLabel ? ElidedText::StartsWithRing : ElidedText::Plain);
    }
    defaultPhoto_ = LoadBitmap(kDefaultPhotoBitmap);
    if (!defaultPhoto_.isNull())
        defaultPhoto_ = defaultPhoto_.scaled(214, 148, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int id : {kFirstPhoto, kSecondPhoto, kHiddenPhoto}) {
        if (auto* box = ItemAs<CPictureBox>(id)) box->displayMode = CPictureBox::kStretched;
    }
    if (auto* hidden = ItemAs<CPictureBox>(kHiddenPhoto)) {
        hidden->SetBitmap(defaultPhoto_);
        hidden->update();
    }
    ShowPigeon(0);
    return true;
}

void CPanelPodgladuTab2::ShowPigeon(int id) {
    selectedPigeonId_ = id;
    if (id == -1) return;
    const CDataStore& store = TheDataStore();
    // A missing bird is an empty record with no parents, so the slots above it stay empty too.
    PigeonRecord bird = store.FindPigeon(id);
    const PigeonRecord& mother = store.FindPigeon(bird.id_matki);
    const PigeonRecord& father = store.FindPigeon(bird.id_ojca);
    pedigreeSlots_[kBird] = bird;
    pedigreeSlots_[kMother] = mother;
    pedigreeSlots_[kFather] = father;
    pedigreeSlots_[kMothersMother] = store.FindPigeon(mother.id_matki);
    pedigreeSlots_[kMothersFather] = store.FindPigeon(mother.id_ojca);
    pedigreeSlots_[kFathersMother] = store.FindPigeon(father.id_matki);
    pedigreeSlots_[kFathersFather] = store.FindPigeon(father.id_ojca);
    // Ring and name each keep to their line of the button (a name that wrapped ran onto the
    // button's frame); a ring is cut in its middle, so that its end still tells the birds apart.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (auto* button = ItemAs<CFlatButton>(kSlotButtons[slot]))
            button->SetElidedText(
                QString::fromStdU16String(pedigreeSlots_[slot].GetRingNumberAndName()),
                Qt::ElideMiddle);
    }
    ShowPhotoPanel(id);
}

void CPanelPodgladuTab2::ShowPhotoPanel(int id) {
    auto* first = ItemAs<CPictureBox>(kFirstPhoto);
    auto* second = ItemAs<CPictureBox>(kSecondPhoto);
    for (CPictureBox* box : {first, second}) {
        if (!box) continue;
        box->SetBitmap(defaultPhoto_);
        box->update();
    }
    const CDataStore& store = TheDataStore();
    PigeonRecord bird = store.FindPigeon(id);
    if (first && !bird.photos.empty()) {
        first->LoadFromFile(bird.photos[0].GetEscapedFilePath());
        first->update();
    }
    if (second && bird.photos.size() >= 2) {
        second->LoadFromFile(bird.photos[1].GetEscapedFilePath());
        second->update();
    }
    SetItemText(kRingLabel, bird.GetRingNumberAndName());
    SetItemText(kColourLabel, CDataStore::FindName(store.ColourNames(), bird.id_koloru));
    SetItemText(kDescriptionLabel, bird.krotkiopis);
}

void CPanelPodgladuTab2::OnSlotClicked(int slot) {
    if (slot < 0 || slot >= kSlotCount) return;
    const int id = pedigreeSlots_[slot].id;
    ShowPhotoPanel(id);
    selectedPigeonId_ = id;
}

void CPanelPodgladuTab2::OnEditPigeon() {
    if (selectedPigeonId_ <= 0) return;
    const PigeonMap& pigeons = TheDataStore().Pigeons();
    const auto stored = pigeons.find(selectedPigeonId_);
    if (stored == pigeons.end()) return;
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = stored->second;
    editor.DoModal();
}

void CPanelPodgladuTab2::OnEraseBkgnd(Dc& dc) { PaintPreviewTabBackground(dc, width()); }

void CPanelPodgladuTab2::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    // The panel's texts reach the tab's right edge, less the margin the template leaves there,
    // and are never narrower than in the template.
    for (int id : {kRingLabel, kColourLabel, kDescriptionLabel}) {
        if (QWidget* label = Item(id))
            label->resize(std::max(DuToPixelsX(kPanelTextWidth),
                                   width - DuToPixelsX(kPanelRightMargin) - label->x()),
                          label->height());
    }
    if (width == kPhotoPanelWidth) return;
    const bool show = width > kPhotoPanelWidth;
    for (int id : kPhotoPanelItems) ShowItem(id, show);
}
