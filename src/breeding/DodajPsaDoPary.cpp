#include "DodajPsaDoPary.h"

#include <QLabel>
#include <ctime>

#include "DataStore.h"
#include "DialogHeader.h"
#include "Globals.h"
#include "PictureBox.h"
#include "Resources.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"
#include "WybierzPsaZListy.h"

namespace {
constexpr COLORREF kHeadingColour = RGB(63, 172, 255);
constexpr int kDefaultPhotoBitmap = 192;
}  // namespace

CDodajPsaDoPary::CDodajPsaDoPary(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (int k = 0; k < 3; ++k) ReplaceItemWith<CPictureBox>(kFirstPhoto + k);
    OnClicked(kChooseBird, [this] { ChooseYoungBird(); });
    OnClicked(kSave, [this] { SaveYoung(); });
}

bool CDodajPsaDoPary::OnInitDialog() {
    Dialog::OnInitDialog();
    if (mode == EditorMode::Edit) SetItemText(kNotes, young.uwagi);
    if (mode == EditorMode::Add) young.id_golebia = 0;
    openedBirdId_ = young.id_golebia;
    // The hatch date is the bird's own, kept by its register entry: the picker shows it and is
    // not for typing, since nothing here would store what was typed.
    if (auto* picker = DatePicker(kHatchDate)) picker->setEnabled(false);
    ShowYoungBird(mode == EditorMode::Edit ? young.id_golebia : -1);

    const QString tahoma = QStringLiteral("Tahoma");
    headingFont_ = Font(tahoma, 20, FW_BOLD);
    detailFont_ = Font(tahoma, 18, FW_MEDIUM);
    for (int id : {kBirdHeading, kNotesHeading, kDateHeading})
        SetLabelLook(Label(id), headingFont_, kHeadingColour);
    SetLabelLook(Label(kBirdName), headingFont_, RGB(0, 0, 0));
    // A long ring and name end in "…" rather than running under the colour below.
    if (auto* name = ItemAs<CTransparentStatic>(kBirdName))
        name->SetElided(true, ElidedText::StartsWithRing);
    SetLabelLook(Label(kBirdDetails), detailFont_, RGB(0, 0, 0));
    if (QLabel* details = Label(kBirdDetails)) {
        details->setWordWrap(true);
        details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    defaultPhoto_ = LoadBitmap(kDefaultPhotoBitmap);
    if (!defaultPhoto_.isNull()) {
        defaultPhoto_ = defaultPhoto_.scaled(214, 148, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    for (int k = 0; k < 3; ++k) {
        if (auto* box = ItemAs<CPictureBox>(kFirstPhoto + k)) box->displayMode = CPictureBox::kStretched;
    }
    ShowYoungPhotos(-1);
    if (mode == EditorMode::Edit) ShowYoungPhotos(young.id_golebia);
    // The typing starts in the notes. The bird button is too small to carry its dots and a focus
    // frame at once: focused first, it showed as an empty dotted square.
    if (QWidget* notes = Item(kNotes)) notes->setFocus();
    return true;
}

void CDodajPsaDoPary::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QStringLiteral("Dodaj młodego do pary"));
}

void CDodajPsaDoPary::ShowYoungBird(int id) {
    ShowHatchDate(id);
    if (id == -1) {
        SetItemText(kBirdName, u"Nie wybrano");
        SetItemText(kBirdDetails, u"Nie wybrano żadnego \nmłodego ptaka do pary.\n\nKliknij w "
                                  u"przycisk [...], aby dodać ptaka do pary.");
        return;
    }
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(id);
    SetItemText(kBirdName, bird.GetDisplayName());
    SetItemText(kBirdDetails, CDataStore::FindName(store.ColourNames(), bird.id_koloru) + u"\n\n" +
                                  bird.krotkiopis);
}

// The chosen bird's hatch date from the register; today while no bird or no date is known.
void CDodajPsaDoPary::ShowHatchDate(int id) {
    DateTimePicker* picker = DatePicker(kHatchDate);
    if (!picker) return;
    const Time64 hatched = id == -1 ? kNoDate : TheDataStore().FindPigeon(id).DataUrodzenia;
    picker->SetTime(hatched > 0 ? hatched : static_cast<Time64>(std::time(nullptr)));
}

void CDodajPsaDoPary::ShowYoungPhotos(int id) {
    if (id == -1) {
        for (int k = 0; k < 3; ++k) {
            if (auto* box = ItemAs<CPictureBox>(kFirstPhoto + k)) {
                box->SetBitmap(defaultPhoto_);
                box->update();
            }
        }
        return;
    }
    PigeonRecord bird = TheDataStore().FindPigeon(id);
    for (size_t k = 0; k < 3 && k < bird.photos.size(); ++k) {
        if (auto* box = ItemAs<CPictureBox>(kFirstPhoto + static_cast<int>(k))) {
            box->LoadFromFile(bird.photos[k].GetEscapedFilePath());
            box->update();
        }
    }
}

void CDodajPsaDoPary::ChooseYoungBird() {
    CWybierzPsaZListy chooser(this);
    chooser.filterMode = ChooserAllBirds;
    chooser.excludedWithForebears = {fatherId, motherId};
    // The young's own bird stays on offer when it is edited.
    chooser.excludedIds = TheDataStore().BirdsLinkedAsYoung(mode == EditorMode::Edit ? young.id : 0);
    const int answer = chooser.DoModal();
    // Back from the chooser the focus would return to the clicked button, whose frame covers its
    // dots: the typing goes on in the notes, as when the window opened.
    if (QWidget* notes = Item(kNotes)) notes->setFocus();
    if (answer != IDOK || chooser.chosenValid != 1) return;
    young.id_golebia = chooser.chosenId;
    ShowYoungBird(young.id_golebia);
    ShowYoungPhotos(-1);
    ShowYoungPhotos(young.id_golebia);
}

// The young gets the pair's birds as parents: one of them, or an ancestor of one, would become
// its own ancestor, and a bird that is the young of another pair has other parents already.
Text CDodajPsaDoPary::YoungRuleMessage(const RuleCheck& rule) const {
    switch (rule.rule) {
        case RecordRule::YoungIsPairBird:
            return u"Wybrany gołąb jest samcem lub samicą tej pary, więc nie może być jej młodym.";
        case RecordRule::YoungIsForebear:
            return u"Wybrany gołąb jest przodkiem samca lub samicy tej pary, więc nie może być jej "
                   u"młodym.";
        case RecordRule::YoungOfAnotherPair: break;
        default: return u"Nie udało się zapisać młodego.";
    }
    if (rule.otherId == pairId) return u"Wybrany gołąb jest już młodym tej pary.";
    const CDataStore& store = TheDataStore();
    const auto ring = [&](int birdId) -> Text {
        const PigeonRecord& bird = store.FindPigeon(birdId);
        return bird.id > 0 ? bird.GetRingNumber() : Text(u"nie wybrano");
    };
    PairRecord other;
    for (const PairRecord& pair : store.AllPairs()) {
        if (pair.id == rule.otherId) other = pair;
    }
    // Each ring on a line of its own, so that none is broken over two.
    return u"Wybrany gołąb jest już młodym innej pary:\nsamiec: " + ring(other.id_samca) +
           u"\nsamica: " + ring(other.id_samicy) +
           u"\n\nAby dodać go do tej pary, najpierw usuń go z młodych tamtej pary.";
}

void CDodajPsaDoPary::SaveYoung() {
    if (HasEnded() || !CheckDatePickers()) return;
    if (young.id_golebia == 0) {
        MessageBox(this, u"Wybierz gołębia");
        return;
    }
    CDataStore& store = TheDataStore();
    const WriteMode writeMode = mode == EditorMode::Add ? WriteMode::Insert : WriteMode::Update;
    const RuleCheck rule = store.CheckYoung(writeMode, young, fatherId, motherId);
    if (!rule.Kept()) {
        MessageBox(this, YoungRuleMessage(rule), u"", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    YoungRecord saved = young;
    saved.uwagi = ItemText(kNotes);
    saved.id_pary = pairId;
    if (const LoftRecord* loft = CurrentLoft()) saved.id_hodowli = loft->id;
    bool stored = false;
    if (mode == EditorMode::Add) {
        saved.DataDodania = static_cast<Time64>(std::time(nullptr));
        stored = store.AddYoungWithParents(saved, fatherId, motherId);
    } else {
        stored = store.UpdateYoungWithParents(saved, openedBirdId_, fatherId, motherId);
    }
    if (!stored) {
        MessageBox(this, u"Nie udało się zapisać młodego.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    young = saved;
    EndDialog(IDOK);
}
