#pragma once
// The pairing page ("Parowanie"). Pairs, young and breeding seasons belong to the breeding
// subsystem, which fills this page in: until then it is an empty page whose operations do
// nothing, except that its season combo box is there for the main window to fill.

#include "Dialog.h"

class ComboBox;

class CZakladkaEdycjaPtaka : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kPairList = 1038;
    static constexpr int kYoungList = 1039;
    static constexpr int kSeasonCombo = 1109;

    explicit CZakladkaEdycjaPtaka(QWidget* parent = nullptr);

    void OnOK() override {}
    void OnCancel() override {}

    // Entry 0 "Wszystkie Pary", then one entry per breeding season of the data store.
    ComboBox* SeasonCombo() const;

    void LayoutControls() {}
    void FillPairList(int seasonIndex) {}
    void AddPair() {}
    void EditPair() {}
    void DeletePair() {}
    void AddYoung() {}
    void EditYoung() {}
    void DeleteYoung() {}
    void AddBreedingSeason();
    void DeleteBreedingSeason() {}
    void PrintLitterCard() {}
    void ShowPairYoungResults() {}
};
