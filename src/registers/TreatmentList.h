#pragma once
// The list of treatments shown by the bird editor's treatment page and by the flock's log: the
// same six columns, one row per treatment in the order of the treatments held.

#include <vector>

#include "Records.h"

class ListView;

// Grid lines, whole-row selection and the six columns.
void SetUpTreatmentList(ListView& list);
// Writes one treatment's row: `row` -1 appends a row, otherwise that row is rewritten whole.
void SetTreatmentRow(ListView& list, int row, const TreatmentRecord& treatment);
// The list shows exactly these treatments, in order.
void FillTreatmentList(ListView& list, const std::vector<TreatmentRecord>& treatments);
// The text of column "Rodzaj leku" for a kind; null for a kind the list does not name.
const char16_t* TreatmentKindText(int kind);
