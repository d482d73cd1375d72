#pragma once
// The flight editor ("LOT"): adds a flight to the current loft or edits one — release date and
// time, place, distance, weather, the contest's figures and times, the release place's
// coordinates, the flight's type, two categories and notes.
//
// The caller sets `mode` and the record's `id_hodowli` (in edit mode the whole record), runs the
// window modally, and after OK reads the record, a new flight's id included. OK means the flight
// was written; a flight that could not be written keeps the window open.

#include <optional>

#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

class CNowyLot : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 218;
    static constexpr int kReleaseDate = 1156;
    static constexpr int kReleaseTime = 1157;
    static constexpr int kFirstDate = 1155;
    static constexpr int kFirstTime = 1154;
    static constexpr int kLastDate = 1158;
    static constexpr int kLastTime = 1159;
    static constexpr int kPlace = 1114;
    static constexpr int kKilometres = 1115;
    static constexpr int kMetres = 1129;
    static constexpr int kReleaseWeather = 1116;
    static constexpr int kLocalWeather = 1122;
    static constexpr int kNotes = 1091;
    static constexpr int kTypeCombo = 1042;
    static constexpr int kCategory1 = 1160;
    static constexpr int kCategory2 = 1161;
    // Whole-number fields (besides the kilometres), each stored in its own member.
    static constexpr int kSectionBirds = 1118;
    static constexpr int kBranchBirds = 1119;
    static constexpr int kSectionContests = 1123;
    static constexpr int kBranchContests = 1124;
    static constexpr int kBasketed = 1125;
    static constexpr int kInContest = 1200;
    static constexpr int kBreeders = 1143;
    static constexpr int kHours = 1126;
    static constexpr int kMinutes = 1127;
    static constexpr int kSeconds = 1128;
    static constexpr int kLongitudeDegrees = 1211;
    static constexpr int kLongitudeMinutes = 1213;
    static constexpr int kLongitudeSeconds = 1214;
    static constexpr int kLatitudeDegrees = 1212;
    static constexpr int kLatitudeMinutes = 1215;
    static constexpr int kLatitudeSeconds = 1216;


    explicit CNowyLot(QWidget* parent = nullptr);

    EditorMode mode = EditorMode::Add;
    FlightRecord record;

    bool OnInitDialog() override;
    // Reads the fields, writes the flight and closes with OK.
    void OnOK() override;

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    // A time the flight has not got (stored as 0 or less, or a new flight's first and last
    // birds' times) stays so unless its pickers are changed: the pickers cannot show "none" and
    // would otherwise invent one.
    bool keepUnset_[3] = {false, false, false};
    bool saving_ = false;
};

class DateTimePicker;

// The flight types, by `typ`.
extern const char16_t* const kFlightTypeNames[4];

// The time made of a date picker's day and a time picker's time of day, in local time; nullopt
// when either picker is missing or the day cannot be stored. Two pickers still showing the one
// stored time they were set to give that time back exactly.
std::optional<Time64> TimeFromPickers(const DateTimePicker* date, const DateTimePicker* time);
