#include "DodajSerieObraczek.h"

#include "DataStore.h"
#include "DialogHeader.h"
#include "SharedRoutines.h"

CDodajSerieObraczek::CDodajSerieObraczek(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kAddButton, [this] { OnOK(); });
    SetDefID(kAddButton);
}

bool CDodajSerieObraczek::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(kCountryEdit, country);
    SetItemText(kBranchEdit, branch);
    SetItemText(kYearEdit, year);
    SetDlgItemInt(kFirstNumberEdit, firstNumber);
    SetDlgItemInt(kLastNumberEdit, lastNumber);
    return true;
}

void CDodajSerieObraczek::OnOK() {
    unsigned first = firstNumber;
    unsigned last = lastNumber;
    if (!ReadUInt(kFirstNumberEdit, first)) return;
    if (!ReadUInt(kLastNumberEdit, last)) return;
    country = ItemText(kCountryEdit);
    branch = ItemText(kBranchEdit);
    year = ItemText(kYearEdit);
    firstNumber = first;
    lastNumber = last;
    EndDialog(IDOK);
}

void CDodajSerieObraczek::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Dodaj serię obrączek"));
}

bool RingSeriesRangeAllowed(unsigned firstNumber, unsigned lastNumber) {
    // Unsigned difference: a last number below the first wraps round and is refused too.
    const unsigned d = lastNumber - firstNumber;
    return d > 0 && d < 100;
}

RingSeriesResult AddRingSeries(QWidget* parent, const CDodajSerieObraczek& series, int loftId,
                               int categoryId, std::vector<PigeonRecord>* created) {
    if (!RingSeriesRangeAllowed(series.firstNumber, series.lastNumber)) {
        MessageBox(parent, std::u16string(u"You can add only 100 rings in serie!"),
                   std::u16string(u"Error! Too much rings"), MB_OK);
        return RingSeriesResult::OutOfRange;
    }
    std::vector<PigeonRecord> birds;
    for (unsigned long long k = series.firstNumber; k <= series.lastNumber; ++k) {
        PigeonRecord bird;
        bird.id_hodowli = loftId;
        bird.kraj = series.country;
        bird.oddzial = series.branch;
        bird.rocznik = series.year;
        bird.nr_obraczki = NumberText(static_cast<long long>(k));
        birds.push_back(std::move(bird));
    }
    if (!TheDataStore().AddNewPigeonsToCategory(categoryId, birds)) return RingSeriesResult::Failed;
    if (created) *created = std::move(birds);
    return RingSeriesResult::Added;
}
