#include "NajlepszeGolebie.h"

#include <QLabel>

#include "DialogHeader.h"
#include "ListView.h"
#include "PictureBox.h"
#include "RankingWindows.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

CNajlepszeGolebie::CNajlepszeGolebie(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kRankingList, [this] { OnRankingClick(); });
}

bool CNajlepszeGolebie::OnInitDialog() {
    Dialog::OnInitDialog();
    const QString tahoma = QStringLiteral("Tahoma");
    headingFont_ = Font(tahoma, 20, FW_BOLD);
    birdFont_ = Font(tahoma, 18, FW_BOLD);
    textFont_ = Font(tahoma, 18, FW_NORMAL);
    listFont_ = Font(tahoma, 16, FW_NORMAL);
    numberFont_ = Font(tahoma, 26, FW_BOLD);
    for (int id : {1192, 1191, 1193, 1194}) SetLabelLook(Label(id), headingFont_, kRankingHeadingColour);
    for (int id : {kAveragePositionLabel, kResultCountLabel, kBestPositionLabel})
        SetLabelLook(Label(id), numberFont_, RGB(0, 0, 0));
    SetLabelLook(Label(kBirdLabel), birdFont_, RGB(0, 0, 0));
    SetLabelLook(Label(kSpareLabel), textFont_, RGB(0, 0, 0));
    SetLabelLook(Label(kDescriptionLabel), textFont_, RGB(0, 0, 0));
    for (int id : {kBirdLabel, kDescriptionLabel}) {
        if (QLabel* label = Label(id)) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
    }
    // A ring and name longer than their two lines end in "…" with the whole text as the tooltip;
    // a ring cut keeps its end, which tells the birds apart.
    if (auto* label = ItemAs<CTransparentStatic>(kBirdLabel))
        label->SetElided(true, ElidedText::StartsWithRing);

    SetItemText(kBirdLabel, u" ");
    SetItemText(kSpareLabel, u"");
    SetItemText(kDescriptionLabel, u"Musisz wybrać gołębia, aby zobaczyć jego osiągnięcia lotowe.");

    SetUpRankingList(List(kRankingList), listFont_, {{u"Nr.", 30}, {u"Gołąb", 145, true}}, true);
    SetUpRankingList(List(kResultList), listFont_,
                     {{u"...", 30},
                      {u"Miejscowość", 110},
                      {u"Pogoda", 100},
                      {u"Konkurs", 90},
                      {u"Prędkość [m/min]", 120},
                      {u"Czas przylotu", 120}});
    if (ListView* results = List(kResultList)) results->SetCheckBoxes(true);
    FillRanking();

    defaultPhoto_ = RankingDefaultPhoto();
    ShowFirstPhoto(ItemAs<CPictureBox>(kPhoto), PigeonRecord{}, defaultPhoto_);
    return true;
}

void CNajlepszeGolebie::FillRanking() {
    ranking_ = RankBestPigeons(TheDataStore());
    ListView* list = List(kRankingList);
    if (!list) return;
    list->DeleteAllItems();
    for (size_t i = 0; i < ranking_.size(); ++i) {
        const int row = list->InsertItem(list->GetItemCount(), NumberText(static_cast<long long>(i) + 1));
        list->SetItemText(row, 1, ranking_[i].GetDisplayName());
    }
}

void CNajlepszeGolebie::OnRankingClick() {
    if (ListView* results = List(kResultList)) results->DeleteAllItems();
    const ListView* list = List(kRankingList);
    const int row = list ? list->FirstSelectedRow() : -1;
    if (row < 0 || row >= static_cast<int>(ranking_.size())) return;
    const PigeonRecord& bird = ranking_[static_cast<size_t>(row)];
    ShowPigeonResults(bird.id);
    SetItemText(kBirdLabel, bird.GetDisplayName());
    SetItemText(kDescriptionLabel, bird.krotkiopis);
    ShowFirstPhoto(ItemAs<CPictureBox>(kPhoto), bird, defaultPhoto_);
}

void CNajlepszeGolebie::ShowPigeonResults(int birdId) {
    if (ListView* results = List(kResultList)) results->DeleteAllItems();
    PigeonResults results = CollectPigeonResults(TheDataStore(), birdId);
    resultRows_ = std::move(results.rows);
    for (const PigeonResultRow& row : resultRows_) AddResultRow(row);
    SetItemText(kAveragePositionLabel, NumberText(results.averagePosition));
    SetItemText(kResultCountLabel, NumberText(results.count));
    SetItemText(kBestPositionLabel, NumberText(results.bestPosition));
}

void CNajlepszeGolebie::AddResultRow(const PigeonResultRow& row) {
    ListView* list = List(kResultList);
    if (!list) return;
    const int n = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    list->SetItemText(n, 1, row.flight.miejscowosc);
    list->SetItemText(n, 2, row.flight.pogodawmiejscuwypuszczenia);
    list->SetItemText(n, 3, NumberText(row.position));
    list->SetItemText(n, 4, FloatText(row.speed));
    list->SetItemText(n, 5, FormatTime(row.arrival, "%H:%M"));
}

void CNajlepszeGolebie::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QStringLiteral("Najlepsze Lotniki w Gołebniku"));
}
