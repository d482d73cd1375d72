#pragma once
// Preview tab 3: the bird's partners (the loaded loft's pairs in which it is the male or the
// female), with the number of partners and of their young, and the young of the chosen pair.

#include <QFont>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CPanelPodgladuTab3 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 196;
    static constexpr int kPartnerList = 1150;
    static constexpr int kOffspringList = 1149;
    static constexpr int kFamilyTreeButton = 1176;
    static constexpr int kEditButton = 1127;
    static constexpr int kPrintButton = 1177;
    static constexpr int kYoungCountLabel = 1185;
    static constexpr int kPartnerCountLabel = 1186;

    explicit CPanelPodgladuTab3(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Lists the partners of the bird of that id (-1: none).
    void ShowPigeon(int id);
    void OnPartnerChanged();
    void OnOffspringClick();
    void OnPrintOffspring();
    void OnFamilyTree();
    void OnEditPigeon();
    // Appends the row of one young bird.
    void AddOffspringRow(int pigeonId);

    // Line k of the partner list stands for pair k.
    const std::vector<PairRecord>& PartnerPairs() const { return partnerPairs_; }
    int SelectedPartner() const { return selectedPartner_; }
    int SelectedOffspring() const { return selectedOffspring_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    // The young bird of the selected row of the selected pair; null when there is none.
    const YoungRecord* SelectedYoung() const;

    QFont countFont_;
    std::vector<PairRecord> partnerPairs_;
    int selectedOffspring_ = -1;
    int selectedPartner_ = -1;
};
