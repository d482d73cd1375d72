#include "NajlepszePary.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "DialogHeader.h"
#include "ListView.h"
#include "PictureBox.h"
#include "RankingWindows.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

CNajlepszePary::CNajlepszePary(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kPairList, [this] { OnPairClick(); });
    OnClicked(kYoungList, [this] { OnYoungClick(); });
}

bool CNajlepszePary::OnInitDialog() {
    Dialog::OnInitDialog();
    const QString tahoma = QStringLiteral("Tahoma");
    headingFont_ = Font(tahoma, 20, FW_BOLD);
    textFont_ = Font(tahoma, 18, FW_NORMAL);
    listFont_ = Font(tahoma, 16, FW_NORMAL);
    for (int id : {1194, 1196, 1195, 1197, kYoungLabel})
        SetLabelLook(Label(id), headingFont_, kRankingHeadingColour);
    for (int id : {kMaleLabel, kFemaleLabel}) SetLabelLook(Label(id), textFont_, RGB(0, 0, 0));
    for (int id : {kMaleLabel, kFemaleLabel, kYoungLabel, kYoungDescriptionLabel}) {
        if (QLabel* label = Label(id)) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
    }
    // A ring and name longer than the lines under the photo end in "…" with the whole text as
    // the tooltip, instead of running off the window's foot.
    for (int id : {kMaleLabel, kFemaleLabel, kYoungLabel})
        if (auto* label = ItemAs<CTransparentStatic>(id))
            label->SetElided(true, ElidedText::StartsWithRing);
    // The parents' labels hold two lines each. Their heights in dialog units round to pixels
    // differently, and the mother's came out a pixel short of two lines, so her ring was cut
    // where the father's wrapped: both get the same height, of two whole lines at least.
    QLabel* parents[] = {Label(kMaleLabel), Label(kFemaleLabel)};
    if (parents[0] && parents[1]) {
        const QFontMetrics metrics(textFont_);
        const int twoLines =
            std::max(2 * metrics.lineSpacing(),
                     metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap,
                                          QStringLiteral("Ąg\nĄg")).height()) +
            2 * parents[0]->margin();
        const int height = std::max({parents[0]->height(), parents[1]->height(), twoLines});
        for (QLabel* label : parents) label->resize(label->width(), height);
    }
    SetItemText(kMaleLabel, u" ");
    SetItemText(kFemaleLabel, u"");

    SetUpRankingList(List(kPairList), listFont_, {{u"Nr.", 30}, {u"Samiec", 145, true}, {u"Samica", 145, true}});
    SetUpRankingList(List(kYoungList), listFont_,
                     {{u"Gołąb", 160, true}, {u"Konkursy", 75}, {u"Śr. Pozycja", 85}, {u"Śr. Prędkość", 85}});

    defaultPhoto_ = RankingDefaultPhoto();
    for (int id : {kMalePhoto, kFemalePhoto, kYoungPhoto})
        ShowFirstPhoto(ItemAs<CPictureBox>(id), PigeonRecord{}, defaultPhoto_);

    ranking_ = RankBestPairs(TheDataStore());
    for (size_t i = 0; i < ranking_.size(); ++i) AddPairRow(static_cast<int>(i) + 1, ranking_[i]);
    chosenPair_ = -1;
    return true;
}

void CNajlepszePary::AddPairRow(int rank, const PairRecord& pair) {
    ListView* list = List(kPairList);
    if (!list) return;
    const CDataStore& store = TheDataStore();
    const int row = list->InsertItem(list->GetItemCount(), NumberText(rank));
    list->SetItemText(row, 1, store.FindPigeon(pair.id_samca).GetDisplayName());
    list->SetItemText(row, 2, store.FindPigeon(pair.id_samicy).GetDisplayName());
}

void CNajlepszePary::OnPairClick() {
    if (ListView* young = List(kYoungList)) young->DeleteAllItems();
    SetItemText(kMaleLabel, u"");
    SetItemText(kFemaleLabel, u"");
    const ListView* list = List(kPairList);
    const int row = list ? list->FirstSelectedRow() : -1;
    if (row < 0 || row >= static_cast<int>(ranking_.size())) {
        chosenPair_ = -1;
        return;
    }
    chosenPair_ = row;
    const CDataStore& store = TheDataStore();
    const PairRecord& pair = ranking_[static_cast<size_t>(row)];
    const PigeonRecord& male = store.FindPigeon(pair.id_samca);
    const PigeonRecord& female = store.FindPigeon(pair.id_samicy);
    SetItemText(kMaleLabel, male.GetDisplayName());
    SetItemText(kFemaleLabel, female.GetDisplayName());
    for (const YoungRecord& young : pair.young) AddYoungRow(store.FindPigeon(young.id_golebia));
    ShowFirstPhoto(ItemAs<CPictureBox>(kMalePhoto), male, defaultPhoto_);
    ShowFirstPhoto(ItemAs<CPictureBox>(kFemalePhoto), female, defaultPhoto_);
}

void CNajlepszePary::AddYoungRow(const PigeonRecord& bird) {
    ListView* list = List(kYoungList);
    if (!list) return;
    const int row = list->InsertItem(list->GetItemCount(), bird.GetDisplayName());
    list->SetItemText(row, 1, NumberText(bird.flightCount));
    list->SetItemText(row, 2, NumberText(bird.averagePosition));
    // Only raced young are listed, so the count is above 0.
    const float average =
        bird.flightCount > 0 ? bird.speedSum / static_cast<float>(bird.flightCount) : 0.0f;
    list->SetItemText(row, 3, FloatText(average));
}

void CNajlepszePary::OnYoungClick() {
    const ListView* list = List(kYoungList);
    const int row = list ? list->FirstSelectedRow() : -1;
    if (row < 0 || chosenPair_ < 0 || chosenPair_ >= static_cast<int>(ranking_.size())) return;
    const PairRecord& pair = ranking_[static_cast<size_t>(chosenPair_)];
    if (row >= static_cast<int>(pair.young.size())) return;
    const PigeonRecord& bird = TheDataStore().FindPigeon(pair.young[static_cast<size_t>(row)].id_golebia);
    SetItemText(kYoungLabel, bird.GetDisplayName());
    SetItemText(kYoungDescriptionLabel, bird.krotkiopis);
    ShowFirstPhoto(ItemAs<CPictureBox>(kYoungPhoto), bird, defaultPhoto_);
}

void CNajlepszePary::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QStringLiteral("Najlepsze Pary w Gołębniku"));
}
