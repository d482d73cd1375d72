#include "DodajSerieObraczek.h"

#include "DataStore.h"
#include "DialogHeader.h"
#include "SharedRoutines.h"
#include "WindowHelpers.h"

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

namespace {

// How many of the birds already wearing a ring of the series the question names.
constexpr std::size_t kRingsNamed = 5;

// Two birds of one loft with one ring cannot be told apart in any list or chooser, so a series
// that holds rings the loft's birds already wear is added only when the user says so: once, for
// the whole series, before any bird is written. The rings are compared as the bird editor
// compares them.
bool SeriesMayBeAdded(QWidget* parent, const std::vector<PigeonRecord>& birds) {
    std::vector<const PigeonRecord*> wearers;
    for (const PigeonRecord& bird : birds) {
        if (const PigeonRecord* other = TheDataStore().FindOtherPigeonWithRing(bird)) {
            wearers.push_back(other);
        }
    }
    if (wearers.empty()) return true;
    std::u16string text;
    if (wearers.size() == 1) {
        text = u"W tej hodowli jest już gołąb o obrączce z tej serii:\n" +
               wearers.front()->GetDisplayName();
    } else {
        text = u"W tej hodowli są już gołębie o obrączkach z tej serii (" +
               NumberText(static_cast<long long>(wearers.size())) + u"):";
        for (std::size_t i = 0; i < wearers.size() && i < kRingsNamed; ++i) {
            text += u"\n" + wearers[i]->GetDisplayName();
        }
        if (wearers.size() > kRingsNamed) {
            text += u"\n… i jeszcze " +
                    NumberText(static_cast<long long>(wearers.size() - kRingsNamed));
        }
    }
    return AskYesNo(parent, text + u"\n\nCzy mimo to dodać całą serię?", u"Ta sama obrączka");
}

}  // namespace

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
    if (!SeriesMayBeAdded(parent, birds)) return RingSeriesResult::Declined;
    if (!TheDataStore().AddNewPigeonsToCategory(categoryId, birds)) return RingSeriesResult::Failed;
    if (created) *created = std::move(birds);
    return RingSeriesResult::Added;
}
