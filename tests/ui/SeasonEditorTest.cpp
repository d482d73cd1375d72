// The season editor: what it stores for breeding and flight seasons, and what it refuses.
#include <gtest/gtest.h>

#include <ctime>

#include "DataStore.h"
#include "DodajSezon.h"
#include "Globals.h"
#include "SharedRoutines.h"
#include "WindowTestSupport.h"

namespace {

class SeasonEditorTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        loftId_ = AddLoft(u"Gołębnik");
        TheDataStore().LoadLofts();
        g_currentLoftIndex = TheDataStore().FindLoftIndex(loftId_);
    }

    // Opens the editor for `kind` and lets `act` play the user; returns how it ended.
    static int Run(SeasonKind kind, const std::function<void(CDodajSezon&)>& act) {
        seams::QueueModalHandler([&act](Dialog& dialog) {
            act(static_cast<CDodajSezon&>(dialog));
            return IDCANCEL;
        });
        return CDodajSezon::AddSeason(kind, nullptr);
    }

    static void Type(CDodajSezon& editor, const char16_t* name, const char16_t* start,
                     const char16_t* end) {
        editor.SetItemText(CDodajSezon::kName, name);
        const Text bounds[2] = {start, end};
        const int firstField[2] = {CDodajSezon::kStartDay, CDodajSezon::kEndDay};
        for (int b = 0; b < 2; ++b) {
            Text rest = bounds[b];
            for (int part = 0; part < 3; ++part) {
                const auto slash = rest.find(u'/');
                editor.SetItemText(firstField[b] + part, rest.substr(0, slash));
                rest = slash == Text::npos ? Text() : rest.substr(slash + 1);
            }
        }
    }

    // Seasons of both kinds as the file holds them.
    static std::pair<std::vector<SeasonRecord>, std::vector<SeasonRecord>> OnDisk() {
        CDataStore fresh;
        fresh.LoadExtraDb(-1);
        return {fresh.BreedingSeasons(), fresh.FlightSeasons()};
    }

    int loftId_ = 0;
};

TEST_F(SeasonEditorTest, OpensOnTheWholeCurrentYear) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QString year = QString::number(local.tm_year + 1900);
    Run(SeasonKind::Breeding, [&](CDodajSezon& editor) {
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kStartDay), "1");
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kStartMonth), "1");
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kStartYear), year);
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kEndDay), "31");
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kEndMonth), "12");
        EXPECT_EQ(editor.GetDlgItemText(CDodajSezon::kEndYear), year);
    });
}

// Each kind goes to its own table, bounds at 01:01:01 of their days in winter and summer alike,
// and is appended to its own vector with the id the file gave it.
TEST_F(SeasonEditorTest, StoresEachKindInItsOwnTableAtOneOClockOfItsDays) {
    EXPECT_EQ(Run(SeasonKind::Breeding,
                  [](CDodajSezon& e) {
                      Type(e, u"Lęgi 2026", u"15/1/2026", u"20/7/2026");
                      e.SetItemText(CDodajSezon::kDescription, u"zimowe łączenie");
                      e.RunCommand(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(Run(SeasonKind::Flight,
                  [](CDodajSezon& e) {
                      Type(e, u"Loty", u"1/5/2026", u"30/9/2026");
                      e.RunCommand(IDOK);
                  }),
              IDOK);

    const auto [breeding, flight] = OnDisk();
    ASSERT_EQ(breeding.size(), 1u);
    ASSERT_EQ(flight.size(), 1u);
    EXPECT_EQ(breeding[0].Nazwa, u"Lęgi 2026");
    EXPECT_EQ(breeding[0].id_hodowli, loftId_);
    EXPECT_EQ(breeding[0].DATA_B, *MakeLocalTime(15, 1, 2026, 1, 1, 1));  // winter
    EXPECT_EQ(breeding[0].DATA_E, *MakeLocalTime(20, 7, 2026, 1, 1, 1));  // summer
    EXPECT_EQ(FormatTime(breeding[0].DATA_B, "%d/%m/%Y %H:%M:%S"), u"15/01/2026 01:01:01");
    EXPECT_EQ(FormatTime(breeding[0].DATA_E, "%d/%m/%Y %H:%M:%S"), u"20/07/2026 01:01:01");
    EXPECT_EQ(flight[0].Nazwa, u"Loty");
    EXPECT_EQ(flight[0].DATA_E, *MakeLocalTime(30, 9, 2026, 1, 1, 1));

    const CDataStore& store = TheDataStore();
    ASSERT_EQ(store.BreedingSeasons().size(), 1u);
    ASSERT_EQ(store.FlightSeasons().size(), 1u);
    EXPECT_EQ(store.BreedingSeasons()[0].id, breeding[0].id);
    EXPECT_EQ(store.BreedingSeasons()[0].Opis, u"zimowe łączenie");
    EXPECT_EQ(store.FlightSeasons()[0].id, flight[0].id);
}

// What cannot make a sound season keeps the window open and writes nothing.
TEST_F(SeasonEditorTest, RefusesShortNamesImpossibleDatesAndAnEndBeforeTheStart) {
    struct Case {
        const char16_t* name;
        const char16_t* start;
        const char16_t* end;
        const char* message;
    };
    const Case refused[] = {
        {u"Lęg", u"1/1/2026", u"31/12/2026", "Wprowadź nazwę sezonu"},
        {u"Wiosna", u"31/2/2026", u"31/12/2026", "Nieprawidłowa data początkowa sezonu."},
        // A century year that is no leap year.
        {u"Wiosna", u"1/1/2100", u"29/2/2100", "Nieprawidłowa data końcowa sezonu."},
        {u"Wiosna", u"1/1/2026", u"1/13/2026", "Nieprawidłowa data końcowa sezonu."},
        // A fifth digit would be stored and shown as "99", which reads as 1999.
        {u"Wiosna", u"1/1/2026", u"1/12/99999", "Nieprawidłowa data końcowa sezonu."},
        {u"Wiosna", u"1/1/99999", u"1/12/99999", "Nieprawidłowa data początkowa sezonu."},
        // A box left empty or holding no number names its date as an impossible date does.
        {u"Wiosna", u"/1/2026", u"1/12/2026", "Nieprawidłowa data początkowa sezonu."},
        {u"Wiosna", u"1/1/2026", u"1/12/dwa", "Nieprawidłowa data końcowa sezonu."},
        {u"Wiosna", u"1/6/2026", u"31/5/2026",
         "Data końcowa sezonu jest wcześniejsza niż data początkowa."},
    };
    for (const Case& c : refused) {
        seams::ScriptMessageBoxAnswers({});
        bool stillOpen = false;
        Run(SeasonKind::Breeding, [&](CDodajSezon& e) {
            Type(e, c.name, c.start, c.end);
            e.RunCommand(IDOK);
            stillOpen = !e.HasEnded();
        });
        EXPECT_TRUE(stillOpen) << c.message;
        ASSERT_FALSE(MessageTexts().isEmpty());
        EXPECT_EQ(MessageTexts().back(), QString::fromUtf8(c.message));
    }
    // Four letters are enough, and a one-day season is a season.
    Run(SeasonKind::Breeding, [](CDodajSezon& e) {
        Type(e, u"Lęgi", u"1/6/2026", u"1/6/2026");
        e.RunCommand(IDOK);
    });
    const auto [breeding, flight] = OnDisk();
    ASSERT_EQ(breeding.size(), 1u);
    EXPECT_EQ(breeding[0].Nazwa, u"Lęgi");
    EXPECT_TRUE(flight.empty());
}

TEST_F(SeasonEditorTest, WithoutACurrentLoftSaysSoAndOpensNothing) {
    g_currentLoftIndex = -1;
    bool opened = false;
    EXPECT_EQ(Run(SeasonKind::Flight, [&](CDodajSezon&) { opened = true; }), IDCANCEL);
    EXPECT_FALSE(opened);
    EXPECT_EQ(MessageTexts(), QStringList{"Najpierw dodaj lub wybierz hodowlę."});
    EXPECT_TRUE(OnDisk().second.empty());
}

}  // namespace
