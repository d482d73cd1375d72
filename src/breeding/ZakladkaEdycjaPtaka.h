#pragma once
// The pairing page ("Parowanie"): the breeding seasons in a chooser that filters the current
// loft's pairs, the pairs in one list, the young of the chosen pair in another, and a column of
// painted links that add, edit and delete pairs and young and print a pair's litter card.
//
// The page keeps a snapshot of what it shows: `shownPairs` row for row, each pair with its young
// row for row in the young list. Editors write through the data store; the page then patches
// only the young row and the snapshot entry concerned, and only for records the store accepted.
// A pair added, edited or deleted makes the page list every pair again.

#include <QFont>
#include <array>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class ComboBox;
class ListView;

class CZakladkaEdycjaPtaka : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kPairList = 1038;
    static constexpr int kYoungList = 1039;
    static constexpr int kSeasonCombo = 1109;
    static constexpr int kAddSeasonButton = 1107;
    static constexpr int kDeleteSeasonButton = 1108;

    // The painted links, in the order they are drawn and hit-tested.
    enum Link {
        kLinkAddPair,
        kLinkPhotoPairing,
        kLinkEditPair,
        kLinkDeletePair,
        kLinkPrintLitterCard,
        kLinkAddYoung,
        kLinkEditYoung,
        kLinkDeleteYoung,
        kLinkCount
    };

    explicit CZakladkaEdycjaPtaka(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    // Enter and Escape on the page (in its lists too) neither close nor run anything.
    void OnOK() override {}
    void OnCancel() override {}

    // Entry 0 "Wszystkie Pary", then one entry per breeding season of the data store.
    ComboBox* SeasonCombo() const;
    ListView* PairList() const;
    ListView* YoungList() const;

    // The pairs shown, row for row, and the chosen pair (null when none) with its young.
    const std::vector<PairRecord>& ShownPairs() const { return shownPairs_; }
    const PairRecord* SelectedPair() const;
    int SelectedPairRow() const { return selectedPair_; }
    int SelectedYoungRow() const { return selectedYoung_; }

    // Lists every pair of the loaded loft (kAllSeasons), or those paired within breeding season
    // number `seasonIndex` of the data store (none for an index that names no season).
    void FillPairList(int seasonIndex);
    void SetPairRow(int row, const PairRecord& pair);
    void SetYoungRow(int row, const YoungRecord& young);
    void LayoutControls();
    Rect LinkRect(int link) const { return links_[link]; }

    // The commands of the page, its links and the "Parowanie" menu.
    void AddPair();
    void PhotoPairing();
    void EditPair();
    void DeletePair();
    void AddYoung();
    void EditYoung();
    void DeleteYoung();
    void AddBreedingSeason();
    void DeleteBreedingSeason();
    // The selected pair's litter card, through the printouts' window.
    void PrintLitterCard();
    void ShowPairYoungResults();

    void OnSeasonChange();
    void OnPairClick();
    void OnPairDoubleClick();
    void OnYoungClick();
    void OnPageClick(const QPoint& point);

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnSize(int type, int width, int height) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    // Shows the young of the chosen pair (none when no pair is chosen).
    void ShowYoungOfSelectedPair();
    // The chosen pair when one of its young is chosen too; otherwise says which is missing.
    const PairRecord* PairWithChosenYoungOrSay();
    // Lists every pair and sets the chooser to "Wszystkie Pary" (after an add, edit or deletion).
    void ShowEveryPair();

    QFont listFont_;
    std::vector<PairRecord> shownPairs_;
    int selectedPair_ = -1;
    int selectedYoung_ = -1;
    std::array<Rect, kLinkCount> links_{};
};
