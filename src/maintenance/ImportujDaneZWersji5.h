#pragma once
// The choice of what to take over from the previous version's files: the birds with their lofts
// and categories (always taken), the breeding pairs and the flights.

#include "Dialog.h"

class CImportujDaneZWersji5 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 236;
    static constexpr int kPigeonsBox = 1193;
    static constexpr int kPairsBox = 1194;
    static constexpr int kFlightsBox = 1195;

    explicit CImportujDaneZWersji5(QWidget* parent = nullptr);

    // 0 or 1, as the boxes were when the window closed with OK.
    int importPigeons = 1;
    int importPairs = 1;
    int importFlights = 0;

    bool OnInitDialog() override;
    void OnOK() override;

protected:
    void OnEraseBkgnd(Dc& dc) override;
};
