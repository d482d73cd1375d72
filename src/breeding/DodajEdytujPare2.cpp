#include "DodajEdytujPare2.h"

#include <QLabel>
#include <algorithm>
#include <ctime>

#include "DataStore.h"
#include "DateTimePicker.h"
#include "DodajPareTab1.h"
#include "DodajPareTab2.h"
#include "DodajPareTab3.h"
#include "DrzewoGenealogicznePsa.h"
#include "KeptTimeOfDay.h"
#include "PictureBox.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"
#include "WybierzPsaZListy.h"

namespace {

constexpr COLORREF kMaleColour = RGB(63, 172, 255);
constexpr COLORREF kFemaleColour = RGB(255, 167, 242);
constexpr int kDefaultPhotoBitmap = 192;
constexpr int kTabStripBitmap = 253;
// The white face ends this far from the right edge; the dates and notes lie beyond it.
constexpr int kGreyColumnWidth = 290;

// What differs between the male's and the female's side of the editor.
struct Side {
    int nameLabel;
    int hintLabel;
    int firstPhoto;
    int tabLeft;       // the tab strip, client pixels
    QPoint panelAt;    // where the three panels sit
    ChooserFilterMode filter;
    const char16_t* hint;
};

const Side kSides[2] = {
    {CDodajEdytujPare2::kMaleName, CDodajEdytujPare2::kMaleHint,
     CDodajEdytujPare2::kFirstMalePhoto, 235, QPoint(10, 130), ChooserMales,
     u"Nie wybrano żadnego \r\nsamca do pary.\r\n\r\nKliknij w przycisk wybierz poniżej, aby "
     u"dodać ptaka do pary."},
    {CDodajEdytujPare2::kFemaleName, CDodajEdytujPare2::kFemaleHint,
     CDodajEdytujPare2::kFirstFemalePhoto, 495, QPoint(270, 130), ChooserFemales,
     u"Nie wybrano żadnej \r\nsamicy do pary.\r\n\r\nKliknij w przycisk wybierz poniżej, aby "
     u"dodać samicę do pary."},
};

// The tabs of a strip from the top: summary 105 pixels, pedigree and results 130 each.
constexpr int kTabTop = 80;
constexpr int kTabBottoms[3] = {185, 315, 445};

constexpr const char16_t* kNoteTitles[3] = {u"NOTATKI PARY", u"NOTATKI OJCA", u"NOTATKI MATKI"};

constexpr char16_t kBadPairingDate[] = u"Nieprawidłowa data parowania.";
constexpr char16_t kBadLayingDate[] = u"Nieprawidłowa data złożenia jaj.";
constexpr char16_t kBadHatchingDate[] = u"Nieprawidłowa data wyklucia.";

}  // namespace

CDodajEdytujPare2::CDodajEdytujPare2(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (int k = 0; k < 3; ++k) {
        ReplaceItemWith<CPictureBox>(kFirstMalePhoto + k);
        ReplaceItemWith<CPictureBox>(kFirstFemalePhoto + k);
    }
    OnClicked(kChooseMale, [this] { ChooseMale(); });
    OnClicked(kChooseFemale, [this] { ChooseFemale(); });
    OnClicked(kSave, [this] { SavePair(); });
    OnClicked(kPickDate, [this] { PickPairingDate(); });
    OnClicked(kNextNote, [this] { NextNote(); });
    OnClicked(kPreviousNote, [this] { PreviousNote(); });
    OnClicked(kFatherTree, [this] { ShowFatherTree(); });
    OnClicked(kMotherTree, [this] { ShowMotherTree(); });
    SetPickerMessage(kLayingDate, kBadLayingDate);
    SetPickerMessage(kHatchingDate, kBadHatchingDate);
}

bool CDodajEdytujPare2::OnInitDialog() {
    for (int bird = kMale; bird <= kFemale; ++bird) {
        summary_[bird] = new CDodajPareTab1(this);
        pedigree_[bird] = new CDodajPareTab2(this);
        results_[bird] = new CDodajPareTab3(this);
        for (Dialog* panel : std::initializer_list<Dialog*>{summary_[bird], pedigree_[bird],
                                                            results_[bird]}) {
            panel->Create(this);
            panel->move(kSides[bird].panelAt);
            panel->hide();
        }
        summary_[bird]->show();
    }
    noteIndex = 0;

    const Time64 shown =
        mode == EditorMode::Edit ? pair.DataParowania : static_cast<Time64>(std::time(nullptr));
    const LocalDateTime local = SplitTime(shown, -1);
    if (mode == EditorMode::Add) pair.id_samca = pair.id_samicy = 0;

    Dialog::OnInitDialog();
    SetDlgItemInt(kDay, local.day);
    SetDlgItemInt(kMonth, local.month);
    SetDlgItemInt(kYear, local.year);
    hour = local.hour, minute = local.minute, second = local.second;
    SetItemText(kNotes, pair.uwagi);
    SetDlgItemInt(kEggsLaid, pair.zlozonych);
    SetItemText(kNoteTitle, kNoteTitles[0]);

    defaultPhoto_ = LoadBitmap(kDefaultPhotoBitmap);
    if (!defaultPhoto_.isNull()) {
        defaultPhoto_ = defaultPhoto_.scaled(214, 148, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    for (int bird = kMale; bird <= kFemale; ++bird) {
        for (int k = 0; k < 3; ++k) {
            if (auto* box = ItemAs<CPictureBox>(kSides[bird].firstPhoto + k)) {
                box->displayMode = CPictureBox::kStretched;
            }
        }
        ShowBirdPhotos(static_cast<Bird>(bird), -1);
    }
    const QString tahoma = QStringLiteral("Tahoma");
    headingFont_ = Font(tahoma, 20, FW_BOLD);
    hintFont_ = Font(tahoma, 18, FW_MEDIUM);
    SetLabelLook(Label(kMaleName), headingFont_, kMaleColour);
    SetLabelLook(Label(kFemaleName), headingFont_, kFemaleColour);
    // Ring and name take two lines of the large type; a longer name ends in "…" on the second.
    for (int id : {kMaleName, kFemaleName}) {
        if (auto* label = ItemAs<CTransparentStatic>(id))
            label->SetElided(true, ElidedText::StartsWithRing);
    }
    SetLabelLook(Label(kNoteTitle), headingFont_, kMaleColour);
    SetLabelLook(Label(kDateTitle), headingFont_, kMaleColour);
    for (int id : {1191, 1192}) SetLabelLook(Label(id), headingFont_, RGB(0, 0, 0));
    for (int id : {kMaleHint, kFemaleHint}) SetLabelLook(Label(id), hintFont_, RGB(0, 0, 0));

    auto* laying = DatePicker(kLayingDate);
    auto* hatching = DatePicker(kHatchingDate);
    if (mode == EditorMode::Add) {
        ShowBirdName(kMale, -1);
        ShowBirdName(kFemale, -1);
        if (laying) laying->SetNone();
        if (hatching) hatching->SetNone();
        return true;
    }
    for (int bird = kMale; bird <= kFemale; ++bird) {
        const int id = BirdId(static_cast<Bird>(bird));
        ShowBirdName(static_cast<Bird>(bird), id);
        ShowBirdPhotos(static_cast<Bird>(bird), id);
        summary_[bird]->ShowPigeon(id);
    }
    // A stored 0 is what an empty date column loads as: both it and -1 mean "no date".
    const auto showDate = [](DateTimePicker* picker, Time64 value) {
        if (!picker) return;
        if (value > 0) {
            picker->SetTime(value);
        } else {
            picker->SetNone();
        }
    };
    showDate(hatching, pair.DataWylegu);
    showDate(laying, pair.DataZlozeniaJaj);
    SetDlgItemText(kSave, QStringLiteral("Zapisz zmiany"));
    return true;
}

// ---- the two birds ----------------------------------------------------------------------------

void CDodajEdytujPare2::ShowBirdName(Bird bird, int id) {
    if (id == -1) {
        SetItemText(kSides[bird].hintLabel, kSides[bird].hint);
        return;
    }
    SetItemText(kSides[bird].nameLabel, TheDataStore().FindPigeon(id).GetDisplayName());
}

void CDodajEdytujPare2::ShowBirdPhotos(Bird bird, int id) {
    if (id == -1) {
        for (int k = 0; k < 3; ++k) {
            if (auto* box = ItemAs<CPictureBox>(kSides[bird].firstPhoto + k)) {
                box->SetBitmap(defaultPhoto_);
                box->update();
            }
        }
        return;
    }
    PigeonRecord shown = TheDataStore().FindPigeon(id);
    for (size_t k = 0; k < 3 && k < shown.photos.size(); ++k) {
        if (auto* box = ItemAs<CPictureBox>(kSides[bird].firstPhoto + static_cast<int>(k))) {
            box->LoadFromFile(shown.photos[k].GetEscapedFilePath());
            box->update();
        }
    }
}

void CDodajEdytujPare2::ChooseBird(Bird bird) {
    CWybierzPsaZListy chooser(this);
    chooser.filterMode = kSides[bird].filter;
    if (chooser.DoModal() != IDOK || chooser.chosenValid != 1) return;
    const int id = chooser.chosenId;
    BirdId(bird) = id;
    ShowBirdName(bird, id);
    summary_[bird]->ShowPigeon(id);
    // The pedigree and results are filled when their tab is clicked.
    ShowPanel(bird, kSummary);
    ShowBirdPhotos(bird, -1);
    ShowBirdPhotos(bird, id);
}

void CDodajEdytujPare2::ShowPanel(Bird bird, Panel panel) {
    const int id = BirdId(bird);
    if (panel == kPedigree) pedigree_[bird]->ShowPigeon(id);
    if (panel == kResults) results_[bird]->ShowPigeon(id);
    summary_[bird]->setVisible(panel == kSummary);
    pedigree_[bird]->setVisible(panel == kPedigree);
    results_[bird]->setVisible(panel == kResults);
}

CDodajEdytujPare2::Panel CDodajEdytujPare2::ShownPanel(Bird bird) const {
    if (pedigree_[bird] && pedigree_[bird]->isVisibleTo(this)) return kPedigree;
    if (results_[bird] && results_[bird]->isVisibleTo(this)) return kResults;
    return kSummary;
}

void CDodajEdytujPare2::OnTabClick(const QPoint& point) {
    for (int bird = kMale; bird <= kFemale; ++bird) {
        int top = kTabTop;
        for (int panel = kSummary; panel <= kResults; ++panel) {
            const Rect tab(kSides[bird].tabLeft, top, kSides[bird].tabLeft + 30, kTabBottoms[panel]);
            if (tab.Contains(point)) ShowPanel(static_cast<Bird>(bird), static_cast<Panel>(panel));
            top = kTabBottoms[panel];
        }
    }
}

void CDodajEdytujPare2::OnLButtonDown(const QPoint& point) {
    OnTabClick(point);
    Dialog::OnLButtonDown(point);
}

void CDodajEdytujPare2::OnEraseBkgnd(Dc& dc) {
    Dialog::OnEraseBkgnd(dc);
    Rect white = GetClientRect();
    white.right -= kGreyColumnWidth;
    dc.FillSolidRect(white, RGB(255, 255, 255));
    for (const Side& side : kSides) dc.DrawBitmap(kTabStripBitmap, side.tabLeft, kTabTop);
}

// Both buttons are hidden in the window; they open the family tree of the bird chosen.
void CDodajEdytujPare2::ShowFatherTree() {
    if (pair.id_samca <= 0) {
        MessageBox(this, u"Wybierz samca do pary");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, pair.id_samca);
}

void CDodajEdytujPare2::ShowMotherTree() {
    if (pair.id_samicy <= 0) {
        MessageBox(this, u"Wybierz samice do pary");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, pair.id_samicy);
}

// ---- date and notes ---------------------------------------------------------------------------

// The time of day stays the one kept from the opening.
void CDodajEdytujPare2::PickPairingDate() { PickDateIntoFields(*this, kDay, kMonth, kYear); }

void CDodajEdytujPare2::StoreNote() {
    const Text text = ItemText(kNotes);
    switch (noteIndex) {
        case 1: pair.not_ojciec = text; break;
        case 2: pair.not_matka = text; break;
        default: pair.uwagi = text; break;
    }
}

void CDodajEdytujPare2::SwitchNote(int step) {
    StoreNote();
    noteIndex = ((noteIndex + step) % 3 + 3) % 3;
    SetItemText(kNoteTitle, kNoteTitles[noteIndex]);
    const Text* texts[3] = {&pair.uwagi, &pair.not_ojciec, &pair.not_matka};
    SetItemText(kNotes, *texts[noteIndex]);
}

// ---- saving -----------------------------------------------------------------------------------

bool PairMayBeStoredOrSay(Dialog& window, WriteMode mode, const PairRecord& pair) {
    if (pair.id_samca <= 0) {
        MessageBox(&window, u"Nie wybrano samca do pary");
        return false;
    }
    if (pair.id_samicy <= 0) {
        MessageBox(&window, u"Nie wybrano samicy do pary");
        return false;
    }
    const char16_t* refusal = nullptr;
    switch (TheDataStore().CheckPair(mode, pair).rule) {
        case RecordRule::Kept: return true;
        // A bird of unknown sex is offered on both sides, but one bird cannot pair with itself.
        case RecordRule::PairOfOneBird:
            refusal = u"Ten sam gołąb nie może być jednocześnie samcem i samicą pary.";
            break;
        // The young of the pair have its birds as parents: a young that became the male or the
        // female, or an ancestor of either, would be its own ancestor.
        case RecordRule::PairYoungInItsLine:
            refusal = u"Wybrany samiec lub samica jest młodym tej pary albo od niego pochodzi, "
                      u"więc nie może być jej rodzicem.";
            break;
        default: refusal = u"Nie udało się zapisać pary."; break;
    }
    MessageBox(&window, refusal, u"", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CDodajEdytujPare2::SavePair() {
    if (HasEnded() || !CheckDatePickers()) return;
    StoreNote();
    const WriteMode writeMode = mode == EditorMode::Edit ? WriteMode::Update : WriteMode::Insert;
    if (!PairMayBeStoredOrSay(*this, writeMode, pair)) return;
    int day = 0, month = 0, year = 0, eggs = 0;
    if (!ReadDateBoxes(kDay, kMonth, kYear, day, month, year, kBadPairingDate) ||
        !ReadInt(kEggsLaid, eggs)) {
        return;
    }
    // A stored pairing time that could not be read gives no time of day to keep: midnight.
    const auto paired = TimeOnTypedDate(*this, kDay, day, month, year, std::max(hour, 0),
                                        std::max(minute, 0), std::max(second, 0), kBadPairingDate,
                                        mode == EditorMode::Edit ? pair.DataParowania : kNoDate);
    if (!paired) return;

    PairRecord saved = pair;
    saved.DataParowania = *paired;
    // The update keeps the row's added date, so only a new pair takes it.
    if (mode == EditorMode::Add) saved.DataDodania = *paired;
    saved.zlozonych = eggs;
    // A ticked date that cannot be stored is named, not silently saved as no date; the time of
    // day each keeps out of sight is asked about as the pairing date's is.
    const struct {
        int picker;
        Time64 PairRecord::*member;
        const char16_t* message;
    } pickedDates[] = {{kLayingDate, &PairRecord::DataZlozeniaJaj, kBadLayingDate},
                       {kHatchingDate, &PairRecord::DataWylegu, kBadHatchingDate}};
    for (const auto& picked : pickedDates) {
        const DateTimePicker* picker = DatePicker(picked.picker);
        saved.*picked.member = kNoDate;
        if (!picker || !picker->HasValue()) continue;
        const auto when = TimeOnPickedDate(*this, picked.picker, picked.message);
        if (!when) return;
        saved.*picked.member = *when;
    }

    if (!TheDataStore().WritePair(writeMode, saved)) {
        // Closing now would let the page show a pair that was never stored.
        MessageBox(this, u"Nie udało się zapisać pary.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    pair = saved;
    EndDialog(IDOK);
}
