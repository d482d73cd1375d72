#pragma once
// Preview tab 4: the bird's brothers and sisters, either of its own brood (the pair among whose
// young it is) or every young of every pair of the same father and mother, in any loft.

#include <vector>

#include "Dialog.h"
#include "Records.h"

class CPanelPodgladuTab4 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 198;
    static constexpr int kSiblingList = 1179;
    static constexpr int kSourceCombo = 1178;
    static constexpr int kEditButton = 1099;
    static constexpr int kFamilyTreeButton = 1100;
    static constexpr int kPrintButton = 1101;
    // Entries of the source combo.
    static constexpr int kSameBrood = 0;
    static constexpr int kAllSiblings = 1;

    explicit CPanelPodgladuTab4(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Lists the siblings of the same brood of the bird of that id (-1: none).
    void ShowPigeon(int id);
    void OnSourceChanged();
    void OnSiblingClick();
    void OnEditPigeon();
    void OnFamilyTree();
    void OnPrintSiblings();
    void AddSiblingRow(int pigeonId);

    // The birds the sibling printout lists, in order: the young of the own pair (source 0) or
    // of every same-parents pair (source 1), the shown bird among them.
    std::vector<int> SiblingPrintIds() const;

    // Row k of the list is sibling id k.
    const std::vector<int>& SiblingIds() const { return siblingIds_; }
    const PairRecord& OwnPair() const { return ownPair_; }
    const std::vector<PairRecord>& SameParentsPairs() const { return sameParentsPairs_; }
    int SelectedRow() const { return selectedRow_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    // Lists every young of the pair except the shown bird.
    void ListYoungOf(const PairRecord& pair);
    // The bird of the selected row; 0 when no row is selected.
    int SelectedSiblingId() const;
    int Source() const;

    std::vector<int> siblingIds_;
    int shownPigeonId_ = -1;
    int selectedRow_ = -1;
    PairRecord ownPair_;
    std::vector<PairRecord> sameParentsPairs_;
};
