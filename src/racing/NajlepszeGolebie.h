#pragma once
// "Najlepsze lotniki": the loaded loft's birds with more than ten results, best average position
// first; a click on a bird lists its results flight by flight with its average position, number
// of results and best position, its photo and its texts. Reads only; writes nothing.

#include <QFont>
#include <QPixmap>
#include <vector>

#include "Dialog.h"
#include "Rankings.h"

class CNajlepszeGolebie : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 235;
    static constexpr int kRankingList = 1190;
    static constexpr int kResultList = 1152;
    static constexpr int kAveragePositionLabel = 1181;
    static constexpr int kResultCountLabel = 1182;
    static constexpr int kBestPositionLabel = 1187;
    static constexpr int kPhoto = 1060;
    static constexpr int kBirdLabel = 1020;
    static constexpr int kSpareLabel = 1130;
    static constexpr int kDescriptionLabel = 1412;

    explicit CNajlepszeGolebie(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void FillRanking();
    void OnRankingClick();
    void ShowPigeonResults(int birdId);

    const std::vector<PigeonRecord>& Ranking() const { return ranking_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    void AddResultRow(const PigeonResultRow& row);

    std::vector<PigeonRecord> ranking_;
    std::vector<PigeonResultRow> resultRows_;
    QFont headingFont_, birdFont_, textFont_, listFont_, numberFont_;
    QPixmap defaultPhoto_;
};
