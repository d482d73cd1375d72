#include "DrzewoGenealogicznePsa.h"

#include "BufferedDC.h"
#include "DataStore.h"
#include "DialogHeader.h"
#include "FlatButton.h"
#include "PictureBox.h"
#include "Resources.h"
#include "TransparentStatic.h"

namespace {

constexpr int kDefaultPhotoBitmap = 192;
constexpr COLORREF kHeadingColour = RGB(63, 172, 255);

// The first or second photograph of a bird; false when it has no such photograph or the file
// gives no picture.
bool LoadPhoto(CPictureBox* box, const PigeonRecord& bird, size_t index) {
    if (!box || bird.photos.size() <= index) return false;
    PhotoRecord photo = bird.photos[index];
    return box->LoadFromFile(photo.GetEscapedFilePath());
}

}  // namespace

CDrzewoGenealogicznePsa::CDrzewoGenealogicznePsa(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (int slot = 0; slot < 7; ++slot) OnClicked(kTreeButtons[slot], [this, slot] { ShowBird(slot); });
}

void CDrzewoGenealogicznePsa::ShowFor(QWidget* parent, int pigeonId) {
    CDrzewoGenealogicznePsa tree(parent);
    tree.birds[0].id = pigeonId;
    tree.DoModal();
}

bool CDrzewoGenealogicznePsa::OnInitDialog() {
    Dialog::OnInitDialog();
    headingFont_ = Font(QStringLiteral("Tahoma"), 20, FW_MEDIUM);
    ringFont_ = Font(QStringLiteral("Tahoma"), 18, FW_BOLD);
    for (int id : {1270, 1251}) {
        if (auto* heading = ItemAs<CTransparentStatic>(id)) {
            heading->setFont(headingFont_);
            heading->textColor = kHeadingColour;
        }
    }
    if (QWidget* ring = Item(kRingLabel)) ring->setFont(ringFont_);
    // The ring and the name each keep to their line, the colour to its one: a ring that wrapped
    // used to push the name out of sight. What does not fit ends in "…" with the whole text as
    // the tooltip.
    if (auto* ring = ItemAs<CTransparentStatic>(kRingLabel)) {
        ring->setWordWrap(false);
        ring->SetElided(true, ElidedText::StartsWithRing);
    }
    if (auto* colour = ItemAs<CTransparentStatic>(kColourLabel)) colour->SetElided(true);
    defaultPhoto_ = LoadBitmap(kDefaultPhotoBitmap).scaled(214, 148);
    for (int id : {kFirstPhoto, kSecondPhoto, kBirdPhoto}) {
        if (auto* box = ItemAs<CPictureBox>(id)) box->displayMode = CPictureBox::kStretched;
    }

    // The tree: each bird's mother before its father.
    const CDataStore& store = TheDataStore();
    birds[0] = store.FindPigeon(birds[0].id);
    for (int slot = 0; slot < 3; ++slot) {
        birds[static_cast<size_t>(2 * slot + 1)] = store.FindPigeon(birds[static_cast<size_t>(slot)].id_matki);
        birds[static_cast<size_t>(2 * slot + 2)] = store.FindPigeon(birds[static_cast<size_t>(slot)].id_ojca);
    }
    auto* own = ItemAs<CPictureBox>(kBirdPhoto);
    if (own && !LoadPhoto(own, birds[0], 0) && birds[0].photos.empty()) own->SetBitmap(defaultPhoto_);
    if (own) own->update();
    // Ring and name each keep to their line of the button (a wrapped name would run off its
    // foot); a ring is cut in its middle, so that its end still tells the birds apart.
    for (int slot = 0; slot < 7; ++slot) {
        if (auto* button = ItemAs<CFlatButton>(kTreeButtons[slot]))
            button->SetElidedText(QString::fromStdU16String(
                birds[static_cast<size_t>(slot)].GetRingNumberAndName()),
                Qt::ElideMiddle);
    }
    ShowBird(0);
    return true;
}

void CDrzewoGenealogicznePsa::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Drzewo genealogiczne gołębia"));
}

void CDrzewoGenealogicznePsa::ShowBird(int slot) {
    if (slot < 0 || slot >= 7) return;
    const PigeonRecord& bird = birds[static_cast<size_t>(slot)];
    auto* first = ItemAs<CPictureBox>(kFirstPhoto);
    auto* second = ItemAs<CPictureBox>(kSecondPhoto);
    for (CPictureBox* box : {first, second}) {
        if (box) box->SetBitmap(defaultPhoto_);
    }
    LoadPhoto(first, bird, 0);
    LoadPhoto(second, bird, 1);
    for (CPictureBox* box : {first, second}) {
        if (box) box->update();
    }
    SetItemText(kRingLabel, bird.GetRingNumberAndName());
    SetItemText(kColourLabel, CDataStore::FindName(TheDataStore().ColourNames(), bird.id_koloru));
}
