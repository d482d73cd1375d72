#include "BirdFlightRows.h"

#include <utility>

#include "DataStore.h"
#include "ListView.h"
#include "SharedRoutines.h"
#include "WindowHelpers.h"

namespace {
constexpr COLORREF kListTextColour = 0xFF0000;
}  // namespace

std::vector<BirdFlightRow> CollectBirdFlightRows(int pigeonId) {
    std::vector<BirdFlightRow> rows;
    for (const FlightRecord& flight : TheDataStore().Flights()) {
        for (const FlightResultEntry& result : flight.entries) {
            if (result.id_golebia != pigeonId) continue;
            BirdFlightRow row;
            row.flight = flight;
            row.flight.entries.clear();
            row.nr_konkursu = result.nr_konkursu;
            row.CoefficientOddzialowy = result.CoefficientOddzialowy;
            row.PunktyOddzial = result.PunktyOddzial;
            row.DataCzasPrzylotu = result.DataCzasPrzylotu;
            row.speed = flight.SpeedOf(result);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

void SetUpBirdFlightList(ListView* list) {
    if (!list) return;
    list->SetGridLines(true);
    list->SetFullRowSelect(true);
    list->SetTextColor(kListTextColour);
    const std::pair<const char16_t*, int> columns[] = {
        {u"...", 30},  {u"Miejscowość", 110}, {u"Data lotu", 100},       {u"Nr. Konk", 90},
        {u"Pkt.", 60}, {u"Coeff.", 70},       {u"Prędkość m/min", 70},
    };
    int column = 0;
    for (const auto& [heading, width] : columns)
        list->InsertColumn(column++, std::u16string(heading), ListView::AlignLeft, width);
    // The speed's heading is wider than the width it was given.
    list->SetColumnFit(6, ListView::ColumnFit::Always);
}

void AppendBirdFlightRow(ListView* list, const BirdFlightRow& row) {
    if (!list) return;
    const int n = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    list->SetItemText(n, 1, row.flight.miejscowosc);
    list->SetItemText(n, 2, FormatTime(row.flight.czasodlotu, "%d/%m/%y"));
    list->SetItemText(n, 3, NumberText(row.nr_konkursu));
    list->SetItemText(n, 4, FloatText(row.PunktyOddzial) + u" ");
    list->SetItemText(n, 5, FloatText(row.CoefficientOddzialowy) + u" ");
    list->SetItemText(n, 6, FloatText(row.speed));
}
