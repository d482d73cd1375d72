#pragma once
// The flights page ("Loty Gołębi"). Flights, results and flight seasons belong to the racing
// subsystem, which fills this page in: until then it is an empty page whose operations do
// nothing, except that its season combo box is there for the main window to fill.

#include "Dialog.h"

class ComboBox;

class CZakladkaLotyGolebi : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 207;
    static constexpr int kFlightList = 1152;
    static constexpr int kResultList = 1153;
    static constexpr int kSeasonCombo = 1162;

    explicit CZakladkaLotyGolebi(QWidget* parent = nullptr);

    void OnOK() override {}
    void OnCancel() override {}

    // Entry 0 "Wszystkie sezony", then one entry per flight season of the data store.
    ComboBox* SeasonCombo() const;

    void LayoutControls() {}
    void FillFlightList(int seasonIndex) {}
    void AddFlight(int unused) {}
    void EditFlight() {}
    void DeleteFlight() {}
    void AddFlightResult() {}
    void EditFlightResult() {}
    void DeleteFlightResult() {}
    void ImportFlightResults() {}
};
