#pragma once
// The pair editor's results panel of one bird: its results in the loaded loft's flights.

#include <vector>

#include "BirdFlightRows.h"
#include "Dialog.h"

class CDodajPareTab3 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 254;
    static constexpr int kResultList = 1152;

    explicit CDodajPareTab3(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void ShowPigeon(int id);

    const std::vector<BirdFlightRow>& Rows() const { return rows_; }

private:
    std::vector<BirdFlightRow> rows_;
};
