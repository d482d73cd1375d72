#include "Fotoparowanie.h"

#include <QLabel>
#include <ctime>

#include "DataStore.h"
#include "DodajEdytujPare2.h"
#include "KeptTimeOfDay.h"
#include "ListView.h"
#include "PictureBox.h"
#include "Resources.h"
#include "Sex.h"
#include "StandardControls.h"

namespace {

constexpr int kDefaultPhotoBitmap = 192;
constexpr int kEyePhoto = 1;
constexpr char16_t kBadPairingDate[] = u"Nieprawidłowa data parowania.";

struct Side {
    int list;
    int boxes[3];   // the large eye photo, then the upper and lower small boxes
};

const Side kSides[2] = {
    {CFotoparowanie::kMaleList, {1214, 1216, 1217}},
    {CFotoparowanie::kFemaleList, {1215, 1220, 1221}},
};

}  // namespace

CFotoparowanie::CFotoparowanie(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (const Side& side : kSides) {
        for (int id : side.boxes) ReplaceItemWith<CPictureBox>(id);
    }
    OnClicked(kMaleList, [this] { OnMaleListClick(); });
    OnClicked(kFemaleList, [this] { OnFemaleListClick(); });
    OnClicked(kCreatePair, [this] { CreatePair(); });
    SetPickerMessage(kDatePicker, kBadPairingDate);
}

bool CFotoparowanie::OnInitDialog() {
    Dialog::OnInitDialog();
    defaultPhoto_ = LoadBitmap(kDefaultPhotoBitmap);
    if (!defaultPhoto_.isNull()) {
        defaultPhoto_ = defaultPhoto_.scaled(214, 148, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    for (const Side& side : kSides) {
        for (int id : side.boxes) {
            if (auto* box = ItemAs<CPictureBox>(id)) {
                box->displayMode = CPictureBox::kStretched;
                box->SetBitmap(defaultPhoto_);
                box->update();
            }
        }
    }
    CollectEyePhotoBirds();
    if (!males.empty()) ShowMalePhotos(males.front().id);
    if (!females.empty()) ShowFemalePhotos(females.front().id);
    for (const Side& side : kSides) {
        if (ListView* list = List(side.list)) {
            list->SetFullRowSelect(true);
            list->SetTextColor(RGB(0, 0, 255));
            list->InsertColumn(0, std::u16string(u"..."), ListView::AlignLeft, 30);
            list->InsertColumn(1, std::u16string(u"Gołąb"), ListView::AlignLeft, 210);
            list->InsertColumn(2, std::u16string(u"Opis"), ListView::AlignLeft, 120);
        }
    }
    for (const PigeonRecord& bird : males) AddRow(0, bird);
    for (const PigeonRecord& bird : females) AddRow(1, bird);
    if (auto* picker = DatePicker(kDatePicker)) picker->SetTime(static_cast<Time64>(CurrentTime()));
    // The label's box is shorter than the picker's but centred on the same line: its text is
    // centred too, so both read on one line.
    if (QLabel* label = Label(kDateLabel)) label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Photos are on show, but no bird is chosen until the user clicks a row.
    pair.id_samca = pair.id_samicy = -1;
    return true;
}

void CFotoparowanie::OnEraseBkgnd(Dc& dc) { dc.FillSolidRect(GetClientRect(), RGB(255, 255, 255)); }

// A bird is listed once for each of its eye photos, as the breeder filed them.
void CFotoparowanie::CollectEyePhotoBirds() {
    males.clear();
    females.clear();
    for (const auto& [id, bird] : TheDataStore().Pigeons()) {
        for (const PhotoRecord& photo : bird.photos) {
            if (photo.classify1 != kEyePhoto) continue;
            if (SexOf(bird) == Sex::Male) males.push_back(bird);
            if (SexOf(bird) == Sex::Female) females.push_back(bird);
        }
    }
}

void CFotoparowanie::ShowPhotos(int side, int id) {
    CPictureBox* boxes[3] = {};
    for (int k = 0; k < 3; ++k) {
        boxes[k] = ItemAs<CPictureBox>(kSides[side].boxes[k]);
        if (boxes[k]) {
            boxes[k]->SetBitmap(defaultPhoto_);
            boxes[k]->update();
        }
    }
    PigeonRecord bird = TheDataStore().FindPigeon(id);
    // The large box shows the last eye photo; the small ones the second and third photos.
    for (auto it = bird.photos.rbegin(); it != bird.photos.rend(); ++it) {
        if (it->classify1 != kEyePhoto) continue;
        if (boxes[0]) boxes[0]->LoadFromFile(it->GetEscapedFilePath());
        break;
    }
    for (size_t k = 1; k < 3 && k < bird.photos.size(); ++k) {
        if (boxes[k]) boxes[k]->LoadFromFile(bird.photos[k].GetEscapedFilePath());
    }
    for (CPictureBox* box : boxes) {
        if (box) box->update();
    }
}

void CFotoparowanie::AddRow(int side, const PigeonRecord& bird) {
    ListView* list = List(kSides[side].list);
    if (!list) return;
    const int row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    list->SetItemText(row, 1, bird.GetDisplayName());
    list->SetItemText(row, 2, bird.krotkiopis);
}

void CFotoparowanie::OnListClick(int side) {
    ListView* list = List(kSides[side].list);
    const auto& birds = side == 0 ? males : females;
    if (!list) return;
    const int row = list->FirstSelectedRow();
    // A click beside the rows keeps the earlier choice.
    if (row < 0 || row >= static_cast<int>(birds.size())) return;
    list->SelectRow(row);
    ShowPhotos(side, birds[row].id);
    (side == 0 ? pair.id_samca : pair.id_samicy) = birds[row].id;
}

void CFotoparowanie::CreatePair() {
    if (HasEnded() || !CheckDatePickers()) return;
    if (!PairMayBeStoredOrSay(*this, WriteMode::Insert, pair)) return;
    const DateTimePicker* picker = DatePicker(kDatePicker);
    Time64 paired = kNoDate;
    if (picker && picker->HasValue()) {
        const auto when = TimeOnPickedDate(*this, kDatePicker, kBadPairingDate);
        if (!when) return;
        paired = *when;
    }
    PairRecord made = pair;
    made.zlozonych = 0;
    made.DataParowania = made.DataDodania = paired;
    made.uwagi = made.not_ojciec = made.not_matka = u" ";
    made.DataWylegu = made.DataZlozeniaJaj = kNoDate;
    if (!TheDataStore().WritePair(WriteMode::Insert, made)) {
        MessageBox(this, u"Nie udało się zapisać pary.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    pair = made;
    EndDialog(IDOK);
}
