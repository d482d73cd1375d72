#pragma once
// A series of ring numbers: country, branch, year and the first and last number. The window
// only collects them; AddRingSeries makes the birds.

#include <string>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CDodajSerieObraczek : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 238;
    static constexpr int kCountryEdit = 1095;
    static constexpr int kBranchEdit = 1160;
    static constexpr int kYearEdit = 1036;
    static constexpr int kFirstNumberEdit = 1096;
    static constexpr int kLastNumberEdit = 1097;
    static constexpr int kAddButton = 1199;

    explicit CDodajSerieObraczek(QWidget* parent = nullptr);

    std::u16string country;
    std::u16string branch;
    std::u16string year;
    unsigned firstNumber = 0;
    unsigned lastNumber = 0;

    bool OnInitDialog() override;
    // Reads the fields and closes with OK; a number field that holds no whole number of 0 or
    // more is refused with a message and the window stays open.
    void OnOK() override;

protected:
    void OnEraseBkgnd(Dc& dc) override;
};

enum class RingSeriesResult {
    Added,
    OutOfRange,   // told to the user; nothing written
    Declined,     // the loft holds rings of the series and the user said not to add it
    Failed,       // the database refused; nothing written
};

// A series holds 2 to 100 numbers.
bool RingSeriesRangeAllowed(unsigned firstNumber, unsigned lastNumber);

// Makes one bird per number from the first to the last, ascending, in the loft, each with the
// series' country, branch and year and the number as its ring, and places them at the end of
// the category: every bird and membership in one transaction. A range outside 2 to 100 numbers
// is refused with the program's message. When birds of the loft already wear rings of the
// series, the user is asked once, naming them, whether to add the whole series. On Added,
// `created` (when given) receives the new birds in number order.
RingSeriesResult AddRingSeries(QWidget* parent, const CDodajSerieObraczek& series, int loftId,
                               int categoryId, std::vector<PigeonRecord>* created = nullptr);
