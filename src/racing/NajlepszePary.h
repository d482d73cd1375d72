#pragma once
// "Najlepsze Pary w Gołębniku": the loaded loft's breeding pairs ranked by the average position
// of their young that have raced; a click on a pair shows its parents and those young, a click
// on a young bird its photo and description. Reads only; writes nothing.

#include <QFont>
#include <QPixmap>
#include <vector>

#include "Dialog.h"
#include "Rankings.h"

class CNajlepszePary : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 247;
    static constexpr int kPairList = 1038;
    static constexpr int kYoungList = 1190;
    static constexpr int kMalePhoto = 1198;
    static constexpr int kMaleLabel = 1199;
    static constexpr int kFemalePhoto = 1061;
    static constexpr int kFemaleLabel = 1200;
    static constexpr int kYoungPhoto = 1201;
    static constexpr int kYoungLabel = 1202;
    static constexpr int kYoungDescriptionLabel = 1174;

    explicit CNajlepszePary(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnPairClick();
    void OnYoungClick();

    const std::vector<PairRecord>& Ranking() const { return ranking_; }
    int ChosenPair() const { return chosenPair_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    void AddPairRow(int rank, const PairRecord& pair);
    void AddYoungRow(const PigeonRecord& bird);

    QFont headingFont_, textFont_, listFont_;
    std::vector<PairRecord> ranking_;
    int chosenPair_ = -1;
    QPixmap defaultPhoto_;
};
