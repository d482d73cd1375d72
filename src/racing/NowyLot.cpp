#include "NowyLot.h"

#include <QPlainTextEdit>
#include <cmath>

#include "DataStore.h"
#include "DialogHeader.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

const char16_t* const kFlightTypeNames[4] = {
    u"Lot gołębi starych",
    u"Lot gołębi młodych",
    u"Lot treningowy gołębi młodych",
    u"Lot treningowy gołębi starych",
};

std::optional<Time64> TimeFromPickers(const DateTimePicker* date, const DateTimePicker* time) {
    if (!date || !time) return std::nullopt;
    // Both untouched since they were set to one stored time: that time, to the second. Rebuilt
    // from its fields, the second reading of the autumn's repeated hour would become the first.
    const auto keptDay = date->UntouchedTime();
    const auto keptClock = time->UntouchedTime();
    if (keptDay && keptClock && *keptDay == *keptClock && date->HasValue() && time->HasValue())
        return *keptDay;
    const auto day = date->GetLocal();
    const auto clock = time->GetLocal();
    if (!day || !clock) return std::nullopt;
    // The time was typed: one the clock skips is no time, not the hour after.
    return MakeLocalTime(day->day, day->month, day->year, clock->hour, clock->minute,
                         clock->second, SkippedTime::Refuse);
}

namespace {

// The whole-number fields and the members they fill.
struct IntField {
    int id;
    int FlightRecord::*member;
};

const IntField kIntFields[] = {
    {CNowyLot::kMetres, &FlightRecord::odlegloscm},
    {CNowyLot::kSectionBirds, &FlightRecord::golebi_sekcja},
    {CNowyLot::kBranchBirds, &FlightRecord::golebi_oddzial},
    {CNowyLot::kSectionContests, &FlightRecord::konkursow_sekcja},
    {CNowyLot::kBranchContests, &FlightRecord::konkursow_oddzial},
    {CNowyLot::kBasketed, &FlightRecord::wlozonychgolebi},
    {CNowyLot::kInContest, &FlightRecord::iloscwkonkursie},
    {CNowyLot::kBreeders, &FlightRecord::liczba_hodowcow},
    {CNowyLot::kHours, &FlightRecord::czas_trwania_konkursu_g},
    {CNowyLot::kMinutes, &FlightRecord::czas_trwania_konkursu_m},
    {CNowyLot::kSeconds, &FlightRecord::czas_trwania_konkursu_s},
    {CNowyLot::kLongitudeDegrees, &FlightRecord::DL_stopnie},
    {CNowyLot::kLongitudeMinutes, &FlightRecord::DL_minuty},
    {CNowyLot::kLongitudeSeconds, &FlightRecord::DL_sekundy},
    {CNowyLot::kLatitudeDegrees, &FlightRecord::SZ_stopnie},
    {CNowyLot::kLatitudeMinutes, &FlightRecord::SZ_minuty},
    {CNowyLot::kLatitudeSeconds, &FlightRecord::SZ_sekundy},
};

struct TextField {
    int id;
    Text FlightRecord::*member;
};

const TextField kTextFields[] = {
    {CNowyLot::kPlace, &FlightRecord::miejscowosc},
    {CNowyLot::kReleaseWeather, &FlightRecord::pogodawmiejscuwypuszczenia},
    {CNowyLot::kLocalWeather, &FlightRecord::pogodalokalna},
    {CNowyLot::kNotes, &FlightRecord::notatki},
};

// The three times of a flight, each set with a date picker and a time picker, and named in a
// refusal by the caption of their group.
struct TimeField {
    int dateId;
    int timeId;
    Time64 FlightRecord::*member;
    const char16_t* name;
};

const TimeField kTimeFields[] = {
    {CNowyLot::kFirstDate, CNowyLot::kFirstTime, &FlightRecord::czas_pierwszego_w_konk,
     u"Pierwszy gołąb w konkursie"},
    {CNowyLot::kLastDate, CNowyLot::kLastTime, &FlightRecord::czas_ostatniego_w_konk,
     u"Ostatni gołąb w konkursie"},
    {CNowyLot::kReleaseDate, CNowyLot::kReleaseTime, &FlightRecord::czasodlotu,
     u"Data i czas odlotu gołębi"},
};

std::u16string BadTimeMessage(const TimeField& field) {
    return u"Nieprawidłowa data lotu: „" + std::u16string(field.name) + u"”.";
}

// The metres field holds what is left over the whole kilometres: speeds add it to them.
constexpr int kMostMetres = 999;

// Names the stored result whose arrival a new release would not come before: its bird's ring and
// its arrival, the day as the flights list shows a flight's and the time as it shows an arrival.
std::u16string ReleaseAfterArrivalMessage(int flightId, int resultId) {
    const CDataStore& store = TheDataStore();
    std::u16string arrival;
    for (const FlightRecord& flight : store.Flights()) {
        if (flight.id != flightId) continue;
        for (const FlightResultEntry& entry : flight.entries) {
            if (entry.id != resultId) continue;
            arrival = store.FindPigeon(entry.id_golebia).GetRingNumber() + u", " +
                      FormatTime(entry.DataCzasPrzylotu, "%d/%m/%y, %H:%M:%S");
        }
    }
    return u"Odlot gołębi musi być wcześniejszy niż przylot gołębia, który już jest w wynikach "
           u"tego lotu: " + arrival + u".";
}

}  // namespace

CNowyLot::CNowyLot(QWidget* parent) : Dialog(kTemplateId, parent) {
    for (std::size_t i = 0; i < std::size(kTimeFields); ++i) {
        OnChanged(kTimeFields[i].dateId, [this, i] { keepUnset_[i] = false; });
        OnChanged(kTimeFields[i].timeId, [this, i] { keepUnset_[i] = false; });
        SetPickerMessage(kTimeFields[i].dateId, BadTimeMessage(kTimeFields[i]));
        SetPickerMessage(kTimeFields[i].timeId, BadTimeMessage(kTimeFields[i]));
    }
    SetChoiceName(kCategory1, u"Kategoria 1");
    SetChoiceName(kCategory2, u"Kategoria 2");
}

bool CNowyLot::OnInitDialog() {
    Dialog::OnInitDialog();
    // A new flight starts with empty fields; an edited one shows what it holds, its distance
    // in whole kilometres (the odd metres have their own field).
    if (mode == EditorMode::Edit) {
        for (const TextField& field : kTextFields) SetItemText(field.id, record.*field.member);
        for (const IntField& field : kIntFields) SetDlgItemInt(field.id, record.*field.member);
        SetDlgItemInt(kKilometres, static_cast<long long>(std::trunc(record.odleglosckm)));
    } else {
        for (const IntField& field : kIntFields) SetDlgItemInt(field.id, 0);
        SetDlgItemInt(kKilometres, 0);
    }

    setWindowTitle(QStringLiteral("Dodawanie nowego lotu"));
    if (ComboBox* types = Combo(kTypeCombo)) {
        types->ResetContent();
        for (const char16_t* name : kFlightTypeNames) types->AddString(std::u16string(name));
        types->SetCurSel(0);
    }
    if (mode != EditorMode::Edit) {
        // The first and last birds' times are seldom known when a flight is entered: left
        // untouched they stay unset, as an edit leaves them. The release is always written.
        keepUnset_[0] = keepUnset_[1] = true;
        // No category is chosen for a new flight.
        if (ComboBox* first = Combo(kCategory1)) first->SetCurSel(-1);
        if (ComboBox* second = Combo(kCategory2)) second->SetCurSel(-1);
        return true;
    }

    setWindowTitle(QStringLiteral("Edycja lotu"));
    for (std::size_t i = 0; i < std::size(kTimeFields); ++i) {
        const TimeField& field = kTimeFields[i];
        const Time64 when = record.*field.member;
        keepUnset_[i] = when <= 0;
        if (keepUnset_[i]) continue;
        if (DateTimePicker* date = DatePicker(field.dateId)) date->SetTime(when);
        if (DateTimePicker* time = DatePicker(field.timeId)) time->SetTime(when);
    }
    if (ComboBox* types = Combo(kTypeCombo)) types->SetCurSel(record.typ);
    if (ComboBox* first = Combo(kCategory1)) first->SetCurSel(record.kategoria);
    if (ComboBox* second = Combo(kCategory2)) second->SetCurSel(record.kategoria2);
    return true;
}

// A category is the position of the chosen entry, which is the one its field shows once
// CheckTypedChoices took it.
static int CategoryOf(const ComboBox* combo) { return combo ? combo->GetCurSel() : -1; }

void CNowyLot::OnOK() {
    if (saving_ || HasEnded() || !CheckDatePickers()) return;
    if (!CheckTypedChoices()) return;
    FlightRecord edited = record;
    // A field that holds no whole number is named to the user and nothing is written.
    int kilometres = 0;
    if (!ReadInt(kKilometres, kilometres)) return;
    for (const IntField& field : kIntFields) {
        if (!ReadInt(field.id, edited.*field.member)) return;
    }
    if (edited.odlegloscm < 0 || edited.odlegloscm > kMostMetres) {
        RefuseField(kMetres,
                    u"Metry odległości podaj od 0 do 999; pełne kilometry wpisz w polu „km”.");
        return;
    }
    for (const TextField& field : kTextFields) edited.*field.member = ItemText(field.id);

    for (std::size_t i = 0; i < std::size(kTimeFields); ++i) {
        const TimeField& field = kTimeFields[i];
        if (keepUnset_[i]) continue;
        const auto when = TimeFromPickers(DatePicker(field.dateId), DatePicker(field.timeId));
        if (!when) {
            RefuseField(field.dateId, BadTimeMessage(field));
            return;
        }
        edited.*field.member = *when;
    }
    const ComboBox* types = Combo(kTypeCombo);
    edited.typ = types ? types->GetCurSel() : 0;
    edited.kategoria = CategoryOf(Combo(kCategory1));
    edited.kategoria2 = CategoryOf(Combo(kCategory2));
    edited.odleglosckm = static_cast<double>(kilometres);
    // A release at or after an arrival gives that bird no speed: one of the two was typed wrong.
    const WriteMode writeMode = mode == EditorMode::Edit ? WriteMode::Update : WriteMode::Insert;
    const RuleCheck check = TheDataStore().CheckFlight(writeMode, edited);
    if (check.rule == RecordRule::ReleaseAfterArrival) {
        RefuseField(kReleaseDate, ReleaseAfterArrivalMessage(edited.id, check.otherId));
        return;
    }

    saving_ = true;
    const bool written = TheDataStore().WriteFlight(writeMode, edited);
    saving_ = false;
    if (!written) {
        MessageBox(this, u"Nie udało się zapisać lotu.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    record = edited;
    EndDialog(IDOK);
}

void CNowyLot::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, mode == EditorMode::Edit ? u"Edycja lotu" : u"Dodaj nowy lot");
}
