#pragma once
// Column setup of a bird's flight-results printout: the twin of CUstawKolumny on rows3.dat,
// which it reads itself when it opens. Widths are millimetres of the printout.

#include "UstawKolumny.h"

class CUstawKolumnyWynikiLotowe : public CUstawKolumny {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 250;

    explicit CUstawKolumnyWynikiLotowe(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    // Replaces columnCodes and columnWidths with the pairs of rows3.dat read in full (none when
    // the file is missing).
    void LoadLayout();

protected:
    std::vector<std::int32_t> OfferedCodes() const override;
    Text CodeText(std::int32_t code) const override;
    std::int32_t DefaultWidth() const override { return 25; }
    Text LayoutPath() const override;
};
