#include "DodajGolebia.h"

#include <QString>
#include <ctime>

#include "DataStore.h"
#include "DialogHeader.h"
#include "DodajGolebiaPage.h"
#include "DodajGolebiaTab1.h"
#include "DodajGolebiaTabCtrl.h"
#include "Globals.h"
#include "WindowHelpers.h"

namespace {

constexpr int kHeaderTitleInset = 70;

}  // namespace

CDodajGolebia::CDodajGolebia(QWidget* parent) : Dialog(kTemplateId, parent) {
    tabCtrl_ = ReplaceItemWith<CDodajGolebiaTabCtrl>(kTabControl);
    OnSelChange(kTabControl, [this] { tabCtrl_->OnSelChange(); });
}

CDodajGolebiaTabCtrl* CDodajGolebia::TabCtrl() const { return tabCtrl_; }
CDodajGolebiaTab1* CDodajGolebia::Tab1() const { return tabCtrl_->Tab1(); }

namespace {
const char16_t kEditTitle[] = u"Edycja gołębia - ";
}

bool CDodajGolebia::HeaderNamesBird() const {
    // A bird added with a name while the window stays open is named in the header as well.
    return mode == EditorMode::Edit || !record.nazwa.empty();
}

std::u16string CDodajGolebia::HeaderTitle() const {
    return HeaderNamesBird() ? kEditTitle + record.GetDisplayName() : u"Dodaj nowego gołębia";
}

bool CDodajGolebia::OnInitDialog() {
    Dialog::OnInitDialog();
    const bool editing = mode == EditorMode::Edit;
    if (editing) setWindowTitle(QString::fromStdU16String(kEditTitle + record.GetDisplayName()));

    tabCtrl_->CreatePages(*this);
    for (CDodajGolebiaPage* page : tabCtrl_->Pages()) page->ShowRecord(editing);
    // The window opens in the bird's name, as every editor opens in its first field. The pages
    // come after the box and the buttons below them in the focus chain, so left to itself the
    // window opened on the box (whose first typed space ticked it) or on "?".
    if (QWidget* name = Tab1()->Item(CDodajGolebiaTab1::kName)) name->setFocus();
    if (editing) SetItemText(IDOK, u"Zapisz zmiany");

    if (showKeepOpenBox == 1) {
        for (int id : {kKeepOpenBox, kKeepOpenLabel}) {
            ShowItem(id, true);
            EnableItem(id, true);
        }
    }
    return true;
}

void CDodajGolebia::OnOK() {
    const bool saved = mode == EditorMode::Edit ? SaveChanges() : AddBird();
    if (!saved) return;
    // With the box ticked the window stays as it is, ready for the next bird.
    if (mode != EditorMode::Edit && IsDlgButtonChecked(kKeepOpenBox) == 1) {
        Invalidate();
        return;
    }
    EndDialog(IDOK);
}

void CDodajGolebia::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDodajGolebia::AddBird() {
    const LoftRecord* loft = CurrentLoft();
    const CategoryRecord* category = CurrentCategory();
    if (!loft || !category) {
        MessageBox(this, u"Nie można dodać gołębia do listy nie wybierając kategorii");
        return false;
    }
    PigeonRecord bird = record;
    if (!CollectPages(bird)) return false;
    bird.id_hodowli = loft->id;
    // The bird added before this one (window kept open) keeps the photos, documents and
    // treatments given to it meanwhile (the store holds them); the new bird starts without any.
    bird.photos.clear();
    bird.documents.clear();
    bird.treatments.clear();
    bird.id = 0;
    bird.DataDodania = static_cast<Time64>(std::time(nullptr));
    if (!RingMayBeSaved(bird)) return false;

    // The bird and its place in the category are written together: a bird that no category
    // holds would be lost to the user.
    std::vector<PigeonRecord> birds{bird};
    if (!TheDataStore().AddNewPigeonsToCategory(category->id, birds) || birds[0].id <= 0) {
        MessageBox(this, u"Błąd dodawania ptaka do hodowli");
        return false;
    }
    record = birds[0];
    // The pages that list attachments now show the new bird's (none yet).
    for (CDodajGolebiaPage* page : tabCtrl_->Pages()) page->RecordReplaced();
    if (onBirdAdded) onBirdAdded(record);
    return true;
}

bool CDodajGolebia::SaveChanges() {
    PigeonRecord bird = record;
    if (!CollectPages(bird)) return false;
    // A bird keeps its own loft; only a bird that has none joins the current one.
    if (bird.id_hodowli <= 0) {
        if (const LoftRecord* loft = CurrentLoft()) bird.id_hodowli = loft->id;
    }
    // A ring the bird already wore was settled when it was given; typed again in another case
    // or with other blanks around its parts it is still that ring.
    if (!bird.HasSameRing(record) && !RingMayBeSaved(bird)) return false;
    if (!TheDataStore().WritePigeon(WriteMode::Update, bird)) {
        MessageBox(this, u"Nie udało się zapisać zmian gołębia.");
        return false;
    }
    record = bird;
    return true;
}

// Two birds of one loft with one ring cannot be told apart in any list or chooser, so a ring
// another bird of the loft wears is saved only when the user says so.
bool CDodajGolebia::RingMayBeSaved(const PigeonRecord& bird) {
    const PigeonRecord* other = TheDataStore().FindOtherPigeonWithRing(bird);
    if (!other) return true;
    return AskYesNo(this,
                    u"W tej hodowli jest już gołąb o tej samej obrączce:\n" +
                        other->GetDisplayName() + u"\n\nCzy mimo to zapisać gołębia?",
                    u"Ta sama obrączka");
}

bool CDodajGolebia::CollectPages(PigeonRecord& bird) {
    const auto& pages = tabCtrl_->Pages();
    for (std::size_t tab = 0; tab < pages.size(); ++tab) {
        if (!pages[tab]->CollectInto(bird)) {
            // Show the page whose field was refused.
            tabCtrl_->SelectTab(static_cast<int>(tab));
            return false;
        }
    }
    return true;
}

void CDodajGolebia::OnEraseBkgnd(Dc& dc) {
    // A long ring keeps its end in the title, where rings of one loft differ.
    const qsizetype ringEnd =
        HeaderNamesBird()
            ? static_cast<qsizetype>(std::u16string(kEditTitle).size() + record.GetRingNumber().size())
            : -1;
    PaintDialogHeader(*this, dc, HeaderTitle(), kHeaderTitleInset, ringEnd);
}
