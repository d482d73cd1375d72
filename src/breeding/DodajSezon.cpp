#include "DodajSezon.h"

#include <ctime>

#include "DataStore.h"
#include "DateTimePicker.h"
#include "Globals.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

namespace {

// Shorter names are taken for a slip of the finger.
constexpr std::size_t kShortestName = 4;
constexpr char16_t kBadStart[] = u"Nieprawidłowa data początkowa sezonu.";
constexpr char16_t kBadEnd[] = u"Nieprawidłowa data końcowa sezonu.";

}  // namespace

CDodajSezon::CDodajSezon(QWidget* parent) : CDodajSezon(SeasonKind::Breeding, parent) {}

CDodajSezon::CDodajSezon(SeasonKind kind_, QWidget* parent)
    : Dialog(kTemplateId, parent), kind(kind_) {
    OnClicked(IDOK, [this] { SaveSeason(); });
    OnClicked(kPickStart, [this] { OnPickStart(); });
    OnClicked(kPickEnd, [this] { OnPickEnd(); });
}

int CDodajSezon::AddSeason(SeasonKind kind, QWidget* parent) {
    if (!CurrentLoftOrSay(parent)) return IDCANCEL;
    CDodajSezon dialog(kind, parent);
    return dialog.DoModal();
}

bool CDodajSezon::OnInitDialog() {
    const int year = SplitTime(static_cast<Time64>(std::time(nullptr))).year;
    startDay = 1, startMonth = 1, startYear = year;
    endDay = 31, endMonth = 12, endYear = year;

    Dialog::OnInitDialog();
    SetDlgItemInt(kStartDay, startDay);
    SetDlgItemInt(kStartMonth, startMonth);
    SetDlgItemInt(kStartYear, startYear);
    SetDlgItemInt(kEndDay, endDay);
    SetDlgItemInt(kEndMonth, endMonth);
    SetDlgItemInt(kEndYear, endYear);
    return true;
}

void CDodajSezon::PickDate(int dayField) {
    PickDateIntoFields(*this, dayField, dayField + 1, dayField + 2);
}

void CDodajSezon::SaveSeason() {
    if (HasEnded()) return;
    if (!ReadDateBoxes(kStartDay, kStartMonth, kStartYear, startDay, startMonth, startYear,
                       kBadStart) ||
        !ReadDateBoxes(kEndDay, kEndMonth, kEndYear, endDay, endMonth, endYear, kBadEnd)) {
        return;
    }
    const Text name = ItemText(kName);
    if (name.size() < kShortestName) {
        MessageBox(this, u"Wprowadź nazwę sezonu");
        return;
    }
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;
    const int loftId = loft->id;

    // Both bounds at 01:01:01 of their day, with the daylight-saving rule of that day, so a
    // winter bound saved in summer does not slip into the day before.
    const auto start = MakeLocalTime(startDay, startMonth, startYear, 1, 1, 1);
    if (!start) {
        RefuseField(kStartDay, kBadStart);
        return;
    }
    const auto end = MakeLocalTime(endDay, endMonth, endYear, 1, 1, 1);
    if (!end) {
        RefuseField(kEndDay, kBadEnd);
        return;
    }
    if (*end < *start) {
        RefuseField(kEndDay, u"Data końcowa sezonu jest wcześniejsza niż data początkowa.");
        return;
    }

    SeasonRecord record;
    record.Nazwa = name;
    record.Opis = ItemText(kDescription);
    record.id_hodowli = loftId;
    record.DATA_B = *start;
    record.DATA_E = *end;

    CDataStore& store = TheDataStore();
    const bool stored = kind == SeasonKind::Breeding ? store.AddBreedingSeason(record)
                                                     : store.AddFlightSeason(record);
    if (!stored) {
        MessageBox(this, u"Nie udało się zapisać sezonu.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    season = record;
    EndDialog(IDOK);
}
