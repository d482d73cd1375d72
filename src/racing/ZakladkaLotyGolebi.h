#pragma once
// The flights page ("Loty Gołębi"): a chooser of flight seasons that filters the list of the
// current loft's flights, under it the results of the chosen flight, and a column of painted
// links that add, edit and delete flights and results.
//
// The page keeps a snapshot of the flights it lists (each with its results), row for row;
// every change goes through an editor and the data store, and the page then patches the
// snapshot and the row, or lists the flights again from the data store.

#include <QFont>
#include <array>
#include <functional>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class ComboBox;
class ListView;

class CZakladkaLotyGolebi : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 207;
    static constexpr int kFlightList = 1152;
    static constexpr int kResultList = 1153;
    static constexpr int kSeasonCombo = 1162;
    static constexpr int kAddSeasonButton = 1163;
    static constexpr int kDeleteSeasonButton = 1164;

    // The painted links, in the order they are drawn.
    enum Link {
        kLinkAddFlight,
        kLinkEditFlight,
        kLinkDeleteFlight,
        kLinkPrintFlight,
        kLinkAddResult,
        kLinkEditResult,
        kLinkDeleteResult,
        kLinkCount
    };

    explicit CZakladkaLotyGolebi(QWidget* parent = nullptr);

    // Called after a result, or a flight and so its results, was written: the birds' flight
    // figures changed, and the windows that show them show them again. Set by the main window.
    std::function<void()> onFlightFiguresChanged;

    bool OnInitDialog() override;
    // Enter and Escape never close the page.
    void OnOK() override {}
    void OnCancel() override {}

    // Entry 0 is the "all" entry, entry k stands for flight season k - 1 of the data store.
    ComboBox* SeasonCombo() const;
    ListView* FlightList() const;
    ListView* ResultList() const;

    // Lists every flight of the loaded loft (kAllSeasons), or those released on a day of flight
    // season `seasonIndex` (none for an index that names no season); nothing is selected
    // afterwards.
    void FillFlightList(int seasonIndex);
    // Places the links and fits both lists to the page.
    void LayoutControls();
    // Row -1 appends a row; any other row is rewritten.
    void SetFlightRow(int row, const FlightRecord& flight);
    void SetResultRow(int row, const FlightResultEntry& result);

    // The commands of the page, its links and the "Loty" menu.
    void AddFlight();
    void EditFlight();
    void DeleteFlight();
    void AddFlightResult();
    void EditFlightResult();
    void DeleteFlightResult();
    void ImportFlightResults();
    void AddFlightSeason();
    void DeleteFlightSeason();

    void OnFlightClick();
    void OnResultClick();
    void OnSeasonChange();
    // Runs the link under the point (page coordinates); "Drukuj Lot" is painted only.
    void OnPageClick(const QPoint& point);

    const std::vector<FlightRecord>& ShownFlights() const { return shownFlights_; }
    int SelectedFlight() const { return selectedFlight_; }
    int SelectedResult() const { return selectedResult_; }
    Rect LinkRect(int link) const { return links_[link]; }

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    // The flight and result chosen in the lists (in the snapshot), null when none.
    FlightRecord* ChosenFlight();
    FlightResultEntry* ChosenResult();
    // The list shows every flight again and the season chooser says so.
    void ShowAllFlights();
    void FlightFiguresChanged();
    void ShowResultsOfSelectedFlight();

    QFont listFont_;
    QFont headingFont_;
    std::vector<FlightRecord> shownFlights_;
    int selectedFlight_ = -1;
    int selectedResult_ = -1;
    std::array<Rect, kLinkCount> links_{};
};

// The texts of a flight's and a result's rows, by column (the speed through the one speed
// routine of the program).
Text FlightDistanceText(const FlightRecord& flight);
Text FlightShareText(const FlightRecord& flight);
Text ResultSpeedText(const FlightRecord& flight, const FlightResultEntry& result);
