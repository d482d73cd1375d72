#pragma once
// The bird chooser: every bird, or the birds of one category of the current loft, narrowed by
// sex and by ring text. The bird editor uses it for the parents; the pair, young-bird and
// flight-result editors for their birds.
//
// The caller constructs it, sets filterMode, runs it modally and takes chosenId only when the
// result is OK and chosenValid is 1. "Wybierz" closes only with a bird highlighted; the list,
// whenever it is filled again, starts at its first row with no bird chosen.

#include <QFont>
#include <set>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Records.h"

// Which birds the chooser offers by sex.
enum ChooserFilterMode : int {
    ChooserAllBirds = -1,
    ChooserFemales = 0,   // females and birds whose sex is not given
    ChooserMales = 1,     // males and birds whose sex is not given
};

class CWybierzPsaZListy : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 144;
    static constexpr int kPigeonList = 1000;
    static constexpr int kRingEdit = 1191;
    static constexpr int kCategoryCombo = 1054;
    static constexpr int kEditButton = 1127;
    static constexpr int kFamilyTreeButton = 1126;
    static constexpr int kPedigreeButton = 1172;
    static constexpr int kNameLabel = 1169;
    static constexpr int kColourLabel = 1170;
    static constexpr int kDescriptionLabel = 1171;

    explicit CWybierzPsaZListy(QWidget* parent = nullptr);

    int filterMode = ChooserAllBirds;
    // A bird never offered: the bird whose parent is being chosen (-1 offers every bird).
    int excludedId = -1;
    // Birds never offered together with all their forebears: a pair's male and female when its
    // young is chosen, since a young that is either of them or their ancestor would become its
    // own ancestor.
    std::vector<int> excludedWithForebears;
    // Birds never offered, without their forebears: the birds that are already the young of a
    // pair when a young is chosen, since a bird is the young of one pair only.
    std::set<int> excludedIds;
    // Birds that pass the category and the sex filter, in list order.
    std::vector<PigeonRecord> candidates;
    // The candidates that pass the ring text: row i of the list is shown[i].
    std::vector<PigeonRecord> shown;
    int chosenId = -1;
    // 1 when chosenId holds a chosen bird, else 0.
    int chosenValid = 0;
    std::u16string ringText;

    bool OnInitDialog() override;
    void OnOK() override { OnChoose(); }

    // Candidates of one category (by id), or of every loft for -1.
    void FillCandidates(int categoryId);
    void OnRingTextChange();
    void OnCategoryChange();
    void OnSelectPigeon();
    void OnChoose();
    void OnEditPigeon();
    void OnFamilyTree();

private:
    bool Admits(const PigeonRecord& bird) const;
    void ShowRows();
    void ShowPigeonInfo(const PigeonRecord& bird);
    // No bird chosen, and "INFORMACJE" says so.
    void ShowNoBird();
    // The selected row when chosenId names a bird, else -1.
    int ActionRow() const;

    // excludedWithForebears and their forebears, taken when the candidates are filled.
    std::set<int> excludedLineage_;
    QFont nameFont_;
    QFont infoFont_;
};
