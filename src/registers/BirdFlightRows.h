#pragma once
// The results of one bird in the loaded loft's flights, as the preview panel and the pair editor
// list them.

#include <vector>

#include "Records.h"

class ListView;

// One result of the bird together with its flight.
struct BirdFlightRow {
    FlightRecord flight;        // a copy of the flight, without its results
    int nr_konkursu = 0;        // position in the branch contest
    float speed = 0.0f;         // metres per minute; 0 when the arrival is not after the release
    Time64 DataCzasPrzylotu = kNoDate;
    float PunktyOddzial = 0.0f;
    float CoefficientOddzialowy = 0.0f;
};

// Every result of the bird in the loaded loft's flights, flight by flight in list order.
std::vector<BirdFlightRow> CollectBirdFlightRows(int pigeonId);
// The looks and columns of a list of one bird's results, and one row of it.
void SetUpBirdFlightList(ListView* list);
void AppendBirdFlightRow(ListView* list, const BirdFlightRow& row);
