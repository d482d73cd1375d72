#include "LeczenieSuplementacjaDodajZmien.h"

#include <ctime>

#include "DataStore.h"
#include "DateTimePicker.h"
#include "KeptTimeOfDay.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

namespace {

// A name of one letter is taken for a slip of the finger.
constexpr std::size_t kShortestName = 2;
constexpr char16_t kBadDate[] = u"Nieprawidłowa data podania.";

}  // namespace

CLeczenieSuplementacjaDodajZmien::CLeczenieSuplementacjaDodajZmien(QWidget* parent)
    : Dialog(kTemplateId, parent) {
    OnClicked(kPickDate, [this] { OnPickDate(); });
    SetChoiceName(kKind, u"Kategoria leku");
}

bool CLeczenieSuplementacjaDodajZmien::OnInitDialog() {
    const Time64 shown =
        mode == EditorMode::Edit ? treatment.data_podania : static_cast<Time64>(std::time(nullptr));
    // No stored date: the user types one, and it starts at midnight.
    const LocalDateTime parts = SplitTime(shown);
    day = parts.day, month = parts.month, year = parts.year;
    hour = parts.hour, minute = parts.minute, second = parts.second;

    Dialog::OnInitDialog();
    SetDlgItemInt(kDay, day);
    SetDlgItemInt(kMonth, month);
    SetDlgItemInt(kYear, year);
    if (mode == EditorMode::Edit) {
        SetItemText(kName, treatment.nazwa);
        SetItemText(kDose, treatment.dawka);
        SetItemText(kEffect, treatment.dzialanie);
        SetItemText(kNotes, treatment.uwagi);
        if (ComboBox* kind = Combo(kKind)) kind->SetCurSel(treatment.kategoria);
    }
    return true;
}

void CLeczenieSuplementacjaDodajZmien::OnPickDate() {
    PickDateIntoFields(*this, kDay, kMonth, kYear);
}

void CLeczenieSuplementacjaDodajZmien::OnOK() {
    if (HasEnded()) return;
    if (!ReadDateBoxes(kDay, kMonth, kYear, day, month, year, kBadDate)) return;
    const Text name = ItemText(kName);
    if (name.size() < kShortestName) {
        MessageBox(this, u"Wprowadź nazwę leku");
        return;
    }
    if (!CheckTypedChoices()) return;

    // The daylight-saving rule is the one in force on the day given, not on the day of saving:
    // a winter treatment saved in summer keeps its hour.
    const auto given = TimeOnTypedDate(*this, kDay, day, month, year, hour, minute, second, kBadDate,
                                       mode == EditorMode::Edit ? treatment.data_podania : kNoDate);
    if (!given) return;

    TreatmentRecord saved = treatment;
    saved.rodzaj = 0;
    saved.kategoria = Combo(kKind) ? Combo(kKind)->GetCurSel() : -1;
    saved.nazwa = name;
    saved.dawka = ItemText(kDose);
    saved.dzialanie = ItemText(kEffect);
    saved.uwagi = ItemText(kNotes);
    saved.data_podania = *given;

    const WriteMode write = mode == EditorMode::Edit ? WriteMode::Update : WriteMode::Insert;
    if (!TheDataStore().WriteTreatment(write, saved)) {
        // Closing now would let the caller show a treatment that was never stored.
        MessageBox(this, u"Nie udało się zapisać leczenia.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    treatment = saved;
    EndDialog(IDOK);
}
