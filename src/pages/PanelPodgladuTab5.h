#pragma once
// Preview tab 5: every result of the selected bird in the loaded loft's flights, one row per
// result, with the average and maximum speed, the average and best contest position and the
// number of results above the list. From the same rows it writes the report "Wyniki lotowe
// gołębia" with the columns chosen in rows3.dat, to preview and print or to save.

#include <QFont>
#include <vector>

#include "BirdFlightRows.h"
#include "Dialog.h"
#include "Records.h"

class ListView;

class CPanelPodgladuTab5 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 232;
    static constexpr int kAveragePositionLabel = 1181;
    static constexpr int kResultCountLabel = 1182;
    static constexpr int kMaximumSpeedLabel = 1183;
    static constexpr int kAverageSpeedLabel = 1184;
    static constexpr int kBestPositionLabel = 1185;
    static constexpr int kFlightList = 1152;
    static constexpr int kPrintButton = 1231;
    static constexpr int kSaveButton = 1232;
    static constexpr int kColumnsButton = 1202;

    explicit CPanelPodgladuTab5(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Lists the results of the bird of that id in the loaded loft's flights (-1: none).
    void ShowPigeon(int id);
    void AddFlightRow(const BirdFlightRow& row);

    // The text of one report cell, ready for the page: escaped, or "&nbsp;" when empty. The row
    // number counts from 1.
    static Text FlightCellText(const BirdFlightRow& row, int code, int rowNumber);
    // Writes the report of the rows shown to the file, as UTF-16LE with a byte-order mark,
    // replacing what was there only once the whole page is written. False when it could not be.
    bool BuildFlightsHtml(const Text& path) const;

    void OnPrint();
    void OnSave();
    void OnSetupColumns();

    const std::vector<BirdFlightRow>& Rows() const { return rows_; }
    int ShownPigeonId() const { return shownPigeonId_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    QFont numberFont_;
    std::vector<BirdFlightRow> rows_;
    int shownPigeonId_ = -1;
};
