#pragma once
// Reorders the birds of one category by up to five criteria and stores the new order, which is
// the order of the category's membership rows.

#include <array>
#include <vector>

#include "Dialog.h"
#include "Records.h"

// The entries of each criterion list, by position.
enum PigeonSortCriterion : int {
    SortNone = 0,
    SortRingAscending = 1,
    SortRingDescending = 2,
    SortYearAscending = 3,
    SortYearDescending = 4,
    SortCountryAscending = 5,
    SortCountryDescending = 6,
    SortSexFemalesFirst = 7,    // stored sex 2, then 1, then 0
    SortSexUnknownFirst = 8,    // stored sex 0, then 1, then 2
    SortColourAscending = 9,
    SortColourDescending = 10,
    SortEyeColourAscending = 11,
    SortEyeColourDescending = 12,
    SortBreedAscending = 13,
    SortBreedDescending = 14,
    SortLineAscending = 15,
    SortLineDescending = 16,
};

// A number at the start of a text: leading white space, an optional sign, then decimal digits
// up to the first other character; 0 when there are none.
long long LeadingInteger(const Text& text);

// Orders the birds by the criteria, one stable pass per criterion from the first to the last,
// so the last criterion set is the main key. Criteria outside 1..16 make no pass.
void SortPigeons(std::vector<PigeonRecord>& pigeons, const std::array<int, 5>& criteria);

class CSortujListeGolebi : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 243;
    static constexpr int kFirstCriterion = 1054;   // the five lists are 1054..1058

    explicit CSortujListeGolebi(QWidget* parent = nullptr);

    int categoryId = 0;
    // The category's birds in stored order, then in sorted order. A membership whose bird is
    // not loaded is carried as an empty record with that bird's id, so it keeps its place.
    std::vector<PigeonRecord> categoryPigeons;
    std::array<int, 5> criteria{-1, -1, -1, -1, -1};

    bool OnInitDialog() override;
    // Sorts and rewrites the category's membership rows in the new order in one transaction,
    // then closes with OK. When the rows cannot be written, the old order stays, the user is
    // told, and the window stays open.
    void OnSortList();
};
