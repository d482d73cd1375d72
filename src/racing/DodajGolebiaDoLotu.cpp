#include "DodajGolebiaDoLotu.h"

#include <QLabel>
#include <tuple>

#include "DataStore.h"
#include "DialogHeader.h"
#include "NowyLot.h"
#include "PictureBox.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"
#include "WybierzPsaZListy.h"

namespace {

constexpr int kDefaultPhotoBitmap = 192;
constexpr int kDefaultPhotoWidth = 214;
constexpr int kDefaultPhotoHeight = 148;
constexpr COLORREF kHeadingColour = RGB(0x5E, 0x66, 0xD0);
constexpr char16_t kBadArrival[] = u"Nieprawidłowa data przylotu.";
constexpr int kPhotoBoxes[] = {CDodajGolebiaDoLotu::kPhoto1, CDodajGolebiaDoLotu::kPhoto2,
                               CDodajGolebiaDoLotu::kPhoto3};

// The decimal fields and the entry's members they fill.
struct DecimalField {
    int id;
    float FlightResultEntry::*member;
};

const DecimalField kDecimalFields[] = {
    {CDodajGolebiaDoLotu::kBranchPoints, &FlightResultEntry::PunktyOddzial},
    {CDodajGolebiaDoLotu::kSectionPoints, &FlightResultEntry::PunktySekcja},
    {CDodajGolebiaDoLotu::kBranchCoefficient, &FlightResultEntry::CoefficientOddzialowy},
    {CDodajGolebiaDoLotu::kSectionCoefficient, &FlightResultEntry::CoefficientSekcyjny},
};

// The release of the flight with that id; kNoDate when it has none or there is no such flight.
Time64 ReleaseOf(int flightId) {
    for (const FlightRecord& flight : TheDataStore().Flights()) {
        if (flight.id == flightId) return flight.czasodlotu > 0 ? flight.czasodlotu : kNoDate;
    }
    return kNoDate;
}

void SetLabelLook(QLabel* label, const QFont& font) {
    if (!label) return;
    label->setFont(font);
    label->update();
}

}  // namespace

Text CoefficientText(int position, int contests) {
    if (contests <= 0) return u"0";
    // In floating point throughout: a large position times 1000 must not wrap around.
    return FloatText(static_cast<double>(position) * 1000.0 / static_cast<double>(contests));
}

CDodajGolebiaDoLotu::CDodajGolebiaDoLotu(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kChooseBird, [this] { OnChooseBird(); });
    OnKillFocus(kBranchPosition, [this] { OnLeaveBranchPosition(); });
    OnKillFocus(kSectionPosition, [this] { OnLeaveSectionPosition(); });
    OnChanged(kArrivalDate, [this] { keepUnsetArrival_ = false; });
    OnChanged(kArrivalTime, [this] { keepUnsetArrival_ = false; });
    SetPickerMessage(kArrivalDate, kBadArrival);
    SetPickerMessage(kArrivalTime, kBadArrival);
}

bool CDodajGolebiaDoLotu::OnInitDialog() {
    Dialog::OnInitDialog();
    if (mode == EditorMode::Edit) {
        SetItemText(kNotes, entry.notatki);
        SetDlgItemInt(kBranchPosition, entry.nr_konkursu);
        SetDlgItemInt(kSectionPosition, entry.nr_konkursu_sekcja);
        for (const DecimalField& field : kDecimalFields) {
            SetItemText(field.id, FloatText(entry.*field.member));
        }
    } else {
        entry.id_golebia = -1;
        SetDlgItemInt(kBranchPosition, 0);
        SetDlgItemInt(kSectionPosition, 0);
        for (const DecimalField& field : kDecimalFields) SetDlgItemText(field.id, "0.0");
    }

    nameFont_ = Font(QStringLiteral("Tahoma"), 20, FW_BOLD);
    infoFont_ = Font(QStringLiteral("Tahoma"), 18, FW_MEDIUM);
    SetLabelLook(Label(kBirdName), nameFont_);
    SetLabelLook(Label(kBirdHeading), nameFont_);
    SetLabelLook(Label(kBirdInfo), infoFont_);
    if (auto* heading = ItemAs<CTransparentStatic>(kBirdHeading)) heading->textColor = kHeadingColour;
    // One line in the large type: a long ring and name end in "…" with the whole text as the
    // tooltip, instead of being cut off mid-word.
    if (auto* name = ItemAs<CTransparentStatic>(kBirdName)) {
        name->setWordWrap(false);
        name->SetElided(true, ElidedText::StartsWithRing);
    }

    const QPixmap bitmap = LoadBitmap(kDefaultPhotoBitmap);
    if (!bitmap.isNull()) {
        defaultPhoto_ = bitmap.scaled(kDefaultPhotoWidth, kDefaultPhotoHeight,
                                      Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    for (int id : kPhotoBoxes) {
        if (auto* box = ItemAs<CPictureBox>(id)) box->displayMode = CPictureBox::kStretched;
    }

    if (mode == EditorMode::Edit) {
        ShowBird(entry.id_golebia);
        ShowPhotos(entry.id_golebia);
        keepUnsetArrival_ = entry.DataCzasPrzylotu <= 0;
        if (!keepUnsetArrival_) {
            if (DateTimePicker* date = DatePicker(kArrivalDate)) date->SetTime(entry.DataCzasPrzylotu);
            if (DateTimePicker* time = DatePicker(kArrivalTime)) time->SetTime(entry.DataCzasPrzylotu);
        }
    } else {
        ShowBird(-1);
        // Birds come home on the day of the release or after it, hardly ever years later: a new
        // arrival starts on the release day, at the time of day it is now, or a second after the
        // release while that time of day is not yet past it (an arrival that would be refused).
        const Time64 releaseTime = ReleaseOf(entry.id_lotu);
        const auto release = ToLocalDateTime(releaseTime);
        const auto now = ToLocalDateTime(static_cast<Time64>(CurrentTime()));
        DateTimePicker* date = DatePicker(kArrivalDate);
        if (release && now && date) {
            LocalDateTime start{release->day, release->month, release->year,
                                now->hour,    now->minute,    now->second};
            if (std::tie(now->hour, now->minute, now->second) <=
                std::tie(release->hour, release->minute, release->second)) {
                start = ToLocalDateTime(releaseTime + 1).value_or(*release);
            }
            // The time field is set from the same "now" as the comparison: the clock it read
            // when it was built may be a second behind, which could put the start at the release.
            if (DateTimePicker* time = DatePicker(kArrivalTime)) time->SetLocal(start);
            date->SetLocal(start);
        }
    }
    return true;
}

void CDodajGolebiaDoLotu::ShowBird(int birdId) {
    if (birdId == -1) {
        SetItemText(kBirdName, u"Nie wybrano");
        SetItemText(kBirdInfo, u"Nie wybrano żadnego \r\ngołębia lotowego.\r\n\r\n"
                               u"Kliknij w poniżej, aby dodać ptaka do lotu.");
        return;
    }
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(birdId);
    SetItemText(kBirdName, bird.GetDisplayName());
    SetItemText(kBirdInfo, CDataStore::FindName(store.ColourNames(), bird.id_koloru) + u"\r\n\r\n" +
                               bird.krotkiopis);
}

void CDodajGolebiaDoLotu::ShowPhotos(int birdId) {
    if (birdId == -1) {
        for (int id : kPhotoBoxes) {
            if (auto* box = ItemAs<CPictureBox>(id)) {
                box->SetBitmap(defaultPhoto_);
                box->update();
            }
        }
        return;
    }
    const PigeonRecord& bird = TheDataStore().FindPigeon(birdId);
    // A box beyond the bird's photos keeps what it showed.
    for (std::size_t k = 0; k < std::size(kPhotoBoxes) && k < bird.photos.size(); ++k) {
        if (auto* box = ItemAs<CPictureBox>(kPhotoBoxes[k])) {
            PhotoRecord photo = bird.photos[k];
            box->LoadFromFile(photo.GetEscapedFilePath());
            box->update();
        }
    }
}

void CDodajGolebiaDoLotu::OnChooseBird() {
    CWybierzPsaZListy chooser(this);
    chooser.filterMode = ChooserAllBirds;
    if (chooser.DoModal() != IDOK || chooser.chosenValid != 1) return;
    entry.id_golebia = chooser.chosenId;
    ShowBird(entry.id_golebia);
    ShowPhotos(-1);
    ShowPhotos(entry.id_golebia);
}

void CDodajGolebiaDoLotu::OnLeaveBranchPosition() {
    FillCoefficient(kBranchPosition, konkursow_oddzial, kBranchCoefficient);
}

void CDodajGolebiaDoLotu::OnLeaveSectionPosition() {
    FillCoefficient(kSectionPosition, konkursow_sekcja, kSectionCoefficient);
}

// Without a number of contests the coefficient stays as typed: the user may know it already.
void CDodajGolebiaDoLotu::FillCoefficient(int positionId, int contests, int coefficientId) {
    if (contests == 0 || HasEnded()) return;
    int position = 0;
    if (!ReadInt(positionId, position)) return;
    SetItemText(coefficientId, CoefficientText(position, contests));
}

void CDodajGolebiaDoLotu::OnOK() {
    if (saving_ || HasEnded() || !CheckDatePickers()) return;
    FlightResultEntry edited = entry;
    // A field that holds no number is named to the user and nothing is written.
    if (!ReadInt(kBranchPosition, edited.nr_konkursu) ||
        !ReadInt(kSectionPosition, edited.nr_konkursu_sekcja)) {
        return;
    }
    for (const DecimalField& field : kDecimalFields) {
        if (!ReadFloat(field.id, edited.*field.member)) return;
    }
    edited.notatki = ItemText(kNotes);
    if (edited.id_golebia <= 0) {
        MessageBox(this, u"Musisz wybrać gołębia");
        return;
    }
    const auto arrival = keepUnsetArrival_
                             ? std::optional<Time64>(entry.DataCzasPrzylotu)
                             : TimeFromPickers(DatePicker(kArrivalDate), DatePicker(kArrivalTime));
    if (!arrival) {
        RefuseField(kArrivalDate, kBadArrival);
        return;
    }
    edited.DataCzasPrzylotu = *arrival;
    // A bird has one result in a flight; its own result stays editable. An arrival that is not
    // after the release can only be a slip of typing, and gives no speed; a stored result keeps
    // what it has until its arrival is changed.
    const WriteMode writeMode = mode == EditorMode::Edit ? WriteMode::Update : WriteMode::Insert;
    switch (TheDataStore().CheckFlightResult(writeMode, edited).rule) {
        case RecordRule::BirdTwiceInFlight:
            MessageBox(this,
                       u"Gołąb " + TheDataStore().FindPigeon(edited.id_golebia).GetRingNumber() +
                           u" ma już wynik w tym locie.",
                       u"", MB_OK | MB_ICONEXCLAMATION);
            return;
        case RecordRule::ArrivalNotAfterRelease:
            RefuseField(kArrivalDate, u"Przylot gołębia musi być późniejszy niż odlot gołębi.");
            return;
        default: break;
    }

    saving_ = true;
    CDataStore& store = TheDataStore();
    const bool written = mode == EditorMode::Edit
                             ? store.WriteFlightResult(WriteMode::Update, edited)
                             : store.WriteFlightResult(WriteMode::Insert, edited);
    saving_ = false;
    if (!written) {
        MessageBox(this, u"Nie udało się zapisać wyniku gołębia.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    entry = edited;
    EndDialog(IDOK);
}

void CDodajGolebiaDoLotu::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc,
                      mode == EditorMode::Edit ? u"Edycja lotnika" : u"Dodaj gołębia do lotu");
}
