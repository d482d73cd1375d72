#pragma once
// The fixed lists of the person editors: countries and Polish voivodeships, each with a blank
// entry first. A person's `kraj` and `wojewodztwo` hold the position of the chosen entry as the
// editor's combo box shows it, so these texts and their order must never change.

#include <string>
#include <vector>

class ComboBox;

// " " and 193 countries, in the order the breeders' editor shows them.
const std::vector<std::u16string>& CountryNames();
// " " and the 16 voivodeships.
const std::vector<std::u16string>& VoivodeshipNames();

// The texts in the order a sorted combo box shows them: Polish collation, case ignored.
std::vector<std::u16string> InCollationOrder(std::vector<std::u16string> texts);

// Fills the combo box with the texts, in collation order when `sorted`, else as given.
void FillFixedList(ComboBox& combo, const std::vector<std::u16string>& texts, bool sorted);
