#pragma once
// Adds a season: a named period from a start day to an end day. One window serves breeding
// seasons (which filter the pairs) and flight seasons (which filter the flights); which kind it
// writes is chosen by `kind`. Seasons are only added, never edited.
//
// On OK the season has been stored and appended to its vector in the data store (`season`
// holds it, with its id), so the caller fills its season combo again from that vector.

#include "Dialog.h"
#include "Records.h"

// The kinds of season: stored in `sezonylegowe` and `sezonylotowe`.
enum class SeasonKind { Breeding, Flight };

class CDodajSezon : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 174;
    static constexpr int kStartDay = 1110;
    static constexpr int kStartMonth = 1111;
    static constexpr int kStartYear = 1112;
    static constexpr int kPickStart = 1113;
    static constexpr int kEndDay = 1114;
    static constexpr int kEndMonth = 1115;
    static constexpr int kEndYear = 1116;
    static constexpr int kPickEnd = 1117;
    static constexpr int kName = 1020;
    static constexpr int kDescription = 1412;

    explicit CDodajSezon(QWidget* parent = nullptr);
    CDodajSezon(SeasonKind kind, QWidget* parent);

    // Opens the window for a season of `kind` for the current loft. Without a current loft the
    // user is told so and nothing is opened. Returns IDOK when a season was stored.
    static int AddSeason(SeasonKind kind, QWidget* parent);

    SeasonKind kind = SeasonKind::Breeding;
    // Start and end as day, month, year, as last read from the fields.
    int startDay = 0, startMonth = 0, startYear = 0;
    int endDay = 0, endMonth = 0, endYear = 0;
    // The season stored by the last successful save.
    SeasonRecord season;

    bool OnInitDialog() override;
    void OnOK() override { SaveSeason(); }
    void SaveSeason();
    void OnPickStart() { PickDate(kStartDay); }
    void OnPickEnd() { PickDate(kEndDay); }

private:
    // Fills the day, month and year fields starting at `dayField` from the calendar popup.
    void PickDate(int dayField);
};
