#include "TestSupport.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

class SharedRoutinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        root_ = fs::temp_directory_path() / ("ox-sr-" + std::to_string(rd()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        SetInstallPath(Text());
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Text PathOf(const std::string& name) const { return FromUtf8((root_ / name).string()); }
    std::string Bytes(const std::string& name) const {
        std::ifstream f(root_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    fs::path root_;
};

// Switches to a locale with a decimal comma for the test's scope; false when none is installed.
struct CommaLocale {
    bool active = (std::setlocale(LC_ALL, "pl_PL.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8")) &&
                  std::localeconv()->decimal_point[0] == ',';
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
};

// Reads local times in another zone for the test's scope, then goes back to the tests' own.
struct ScopedTimeZone {
    explicit ScopedTimeZone(const char* zone) {
        if (const char* current = std::getenv("TZ")) saved = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (saved) {
            setenv("TZ", saved->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    std::optional<std::string> saved;
};

}  // namespace

TEST(SharedRoutines, WidenAndNarrowKeepLengthAndLowByte) {
    const Text wide = WidenString(std::string("a\xB9\0z", 4));
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide[0], u'a');
    EXPECT_EQ(wide[1], u'\uFFB9');
    EXPECT_EQ(wide[2], u'\0');
    EXPECT_EQ(NarrowString(u"a\u0105b"), std::string("a\x05" "b"));
}

TEST(SharedRoutines, Utf8RoundTripAndMalformedInput) {
    const Text polish = u"Gołąb \u017Bółty \U0001F54A";
    EXPECT_EQ(FromUtf8(ToUtf8(polish)), polish);
    // A bad byte becomes U+FFFD and the rest of the text is kept.
    EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(FromUtf8("a\xE2" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(FromUtf8("ab\xC5"), u"ab\uFFFD");
    EXPECT_EQ(FromUtf8("\xC0\x80x"), u"\uFFFD\uFFFDx");   // overlong NUL
    EXPECT_EQ(FromUtf8("\xF7\xBF\xBF\xBF").front(), u'\uFFFD');  // beyond U+10FFFF
}

TEST(SharedRoutines, StripHtmlTags) {
    Text t = u"<b>word</b>";
    EXPECT_EQ(StripHtmlTags(t), u"word");
    t = u"no tags > here";
    EXPECT_EQ(StripHtmlTags(t), u"no tags > here");
    t = u"cut <here and more";
    EXPECT_EQ(StripHtmlTags(t), u"cut ");
    t = u"a > b <i>c</i> &amp;";
    EXPECT_EQ(StripHtmlTags(t), u"a > b c &amp;");
    t = u"next>text";  // a new text starts outside a tag
    EXPECT_EQ(StripHtmlTags(t), u"next>text");
}

TEST_F(SharedRoutinesTest, ReadUnicodeFile) {
    EXPECT_EQ(ReadUnicodeFile(PathOf("missing.html")), u"Error");
    WriteBytes(root_ / "empty", "");
    EXPECT_EQ(ReadUnicodeFile(PathOf("empty")), u"");
    WriteBytes(root_ / "bom", std::string("\xFF\xFE" "A\0\x05\x01", 6));
    EXPECT_EQ(ReadUnicodeFile(PathOf("bom")), u"\uFEFFA\u0105");
    WriteBytes(root_ / "nul", std::string("A\0\0\0B\0", 6));
    EXPECT_EQ(ReadUnicodeFile(PathOf("nul")), u"A");
    WriteBytes(root_ / "odd", std::string("A\0B", 3));
    EXPECT_EQ(ReadUnicodeFile(PathOf("odd")), u"A");
}

TEST_F(SharedRoutinesTest, WriteUnicodeFileWritesBomAndLittleEndian) {
    ASSERT_TRUE(WriteUnicodeFile(PathOf("note.html"), u"A\u0105"));
    EXPECT_EQ(Bytes("note.html"), std::string("\xFF\xFE" "A\0\x05\x01", 6));
    ASSERT_TRUE(WriteUnicodeFile(PathOf("note.html"), u"x"));  // replaces a longer file whole
    EXPECT_EQ(ReadUnicodeFile(PathOf("note.html")), u"\uFEFFx");
    EXPECT_FALSE(fs::exists(root_ / "note.html.tmp"));

    EXPECT_FALSE(WriteUnicodeFile(PathOf("no-such-folder/note.html"), u"x"));
    EXPECT_FALSE(fs::exists(root_ / "no-such-folder"));
}

TEST(SharedRoutines, JoinPathPutsOneSeparatorBetween) {
    EXPECT_EQ(JoinPath(u"/a", u"db"), u"/a/db");
    EXPECT_EQ(JoinPath(u"/a/", u"/db"), u"/a/db");
    EXPECT_EQ(JoinPath(u"/a//", u"db/x"), u"/a/db/x");
    EXPECT_EQ(JoinPath(u"/", u"db"), u"/db");
    EXPECT_EQ(JoinPath(u"", u"db"), u"db");
}

TEST_F(SharedRoutinesTest, InstallFolderAndPlacesUnderIt) {
    SetInstallPath(u"/srv/loft/");
    EXPECT_EQ(GetInstallPath(), u"/srv/loft");
    EXPECT_EQ(GetInstallPathEscaped(), u"/srv/loft/");
    EXPECT_EQ(PigeonsDbPath(), u"/srv/loft/db/pigeons.db");
    EXPECT_EQ(ExtraDbPath(), u"/srv/loft/db/dodatkowe_informacje.db");
    EXPECT_EQ(NoteFilePath(42), u"/srv/loft/db/notes/42.html");
    SetInstallPath(Text());
    EXPECT_EQ(GetInstallPath(), u"");
    EXPECT_EQ(GetInstallPathEscaped(), u"/");
    EXPECT_FALSE(EnsureDbFolders());

    SetInstallPath(FromUtf8(root_.string()));
    ASSERT_TRUE(EnsureDbFolders());
    for (const char* sub : {"db", "db/images", "db/documents", "db/notes"}) {
        EXPECT_TRUE(fs::is_directory(root_ / sub)) << sub;
    }
    EXPECT_TRUE(EnsureDbFolders());  // already there
}

TEST(SharedRoutines, FormatTimeInLocalTime) {
    EXPECT_EQ(FormatTime(kNoDate, "%d/%m/%y"), u"");
    EXPECT_EQ(FormatTime(-86400, "%d/%m/%y"), u"");
    EXPECT_EQ(FormatTime(1236250800, "%d/%m/%y"), u"05/03/09");  // noon, 5 March 2009
    EXPECT_EQ(FormatTime(1236250800, "%d/%m/%y, %H:%M"), u"05/03/09, 12:00");
    EXPECT_EQ(NumberText(-1234567890123LL), u"-1234567890123");
}

TEST(SharedRoutines, MakeLocalTimeAcrossDaylightSaving) {
    EXPECT_EQ(MakeLocalTime(5, 3, 2009, 12), std::optional<Time64>(1236250800));
    const auto summer = MakeLocalTime(15, 7, 2009, 14, 30);
    ASSERT_TRUE(summer.has_value());
    EXPECT_EQ(*summer, 1247661000);  // 12:30 UTC: summer time applied
    EXPECT_EQ(FormatTime(*summer, "%H:%M"), u"14:30");
    const auto parts = ToLocalDateTime(*summer);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->day, 15);
    EXPECT_EQ(parts->month, 7);
    EXPECT_EQ(parts->year, 2009);
    EXPECT_EQ(parts->hour, 14);
}

// The spring change skips 02:00-03:00 and the autumn one plays 02:00-03:00 twice: a typed time
// the clock skips is no time, a hidden one kept from another day moves on; the hour that comes
// twice is always its first, whatever the library guessed last; no part past its range is
// carried into the next.
TEST(SharedRoutines, MakeLocalTimeAtTheClockChangesAndPastAPartsRange) {
    EXPECT_FALSE(MakeLocalTime(31, 3, 2024, 2, 30, 0, SkippedTime::Refuse).has_value());
    EXPECT_EQ(MakeLocalTime(31, 3, 2024, 2, 30, 0), std::optional<Time64>(1711848600));  // 03:30
    EXPECT_EQ(MakeLocalTime(31, 3, 2024, 3, 30, 0, SkippedTime::Refuse),
              std::optional<Time64>(1711848600));
    for (const SkippedTime skipped : {SkippedTime::Refuse, SkippedTime::MoveOn}) {
        // Asked after a winter time and after a summer time, so the library's last guess differs.
        ASSERT_TRUE(MakeLocalTime(1, 12, 2024, 2, 30).has_value());
        EXPECT_EQ(MakeLocalTime(27, 10, 2024, 2, 30, 0, skipped), std::optional<Time64>(1729989000));
        ASSERT_TRUE(MakeLocalTime(1, 7, 2024, 2, 30).has_value());
        EXPECT_EQ(MakeLocalTime(27, 10, 2024, 2, 30, 0, skipped), std::optional<Time64>(1729989000));
    }
    EXPECT_FALSE(MakeLocalTime(15, 5, 2024, 24, 0, 0).has_value());
    EXPECT_FALSE(MakeLocalTime(15, 5, 2024, 12, 60, 0).has_value());
    EXPECT_FALSE(MakeLocalTime(15, 5, 2024, 12, 0, 60).has_value());
    EXPECT_FALSE(MakeLocalTime(15, 5, 2024, -1, 0, 0).has_value());
}

// The same rules in zones whose changes are not the Polish ones: a change the library marks
// oddly (winter time flagged as the summer one), a change of three hours or of half an hour, an
// offset that goes back with no summer time at all, a zone without changes, a day the clock
// skips whole. Each is asked after a winter and after a summer time, so the library's guess
// from the call before differs.
TEST(SharedRoutines, MakeLocalTimeInOtherZones) {
    struct Case {
        const char* zone;
        int day, month, year, hour, minute;
        SkippedTime skipped;
        std::optional<Time64> expected;
    };
    constexpr auto kMoveOn = SkippedTime::MoveOn;
    constexpr auto kRefuse = SkippedTime::Refuse;
    const Case cases[] = {
        {"Europe/Dublin", 31, 3, 2024, 1, 30, kMoveOn, 1711848600},    // 02:30 after the skip
        {"Europe/Dublin", 31, 3, 2024, 1, 30, kRefuse, std::nullopt},
        {"Europe/Dublin", 27, 10, 2024, 1, 30, kRefuse, 1729989000},   // the first 01:30
        {"Antarctica/Casey", 7, 10, 2018, 5, 0, kMoveOn, 1538859600},  // 08:00 after the skip
        {"Antarctica/Casey", 7, 10, 2018, 5, 0, kRefuse, std::nullopt},
        {"Antarctica/Casey", 11, 3, 2018, 2, 0, kMoveOn, 1520694000},  // the first 02:00
        {"Australia/Lord_Howe", 6, 10, 2024, 2, 15, kMoveOn, 1728143100},  // 02:45
        {"Australia/Lord_Howe", 7, 4, 2024, 1, 45, kRefuse, 1712414700},   // the first 01:45
        {"Europe/Moscow", 26, 10, 2014, 1, 30, kRefuse, 1414272600},       // the first 01:30
        {"Asia/Tokyo", 15, 7, 2024, 14, 30, kRefuse, 1721021400},
        {"Asia/Tokyo", 1, 1, 1970, 9, 0, kRefuse, 0},
        {"Asia/Tokyo", 1, 1, 1970, 8, 59, kMoveOn, std::nullopt},  // before 1970 in UTC
        {"Pacific/Apia", 30, 12, 2011, 12, 0, kMoveOn, std::nullopt},
    };
    for (const Case& c : cases) {
        const ScopedTimeZone zone(c.zone);
        for (const int before : {1, 7}) {
            ASSERT_TRUE(MakeLocalTime(1, before, c.year, 12).has_value());
            EXPECT_EQ(MakeLocalTime(c.day, c.month, c.year, c.hour, c.minute, 0, c.skipped),
                      c.expected)
                << c.zone << " " << c.day << "." << c.month << "." << c.year << " " << c.hour
                << ":" << c.minute << " after month " << before;
        }
    }
}

// What an editor's date and time fields start with: the local parts of the stored time, or the
// editor's own "unset" in every part for a time that is not set.
TEST(SharedRoutines, SplitTimeGivesEveryLocalPartOrUnsetOnes) {
    const auto parts = [](const LocalDateTime& t) {
        return std::array{t.day, t.month, t.year, t.hour, t.minute, t.second};
    };
    EXPECT_EQ(parts(SplitTime(*MakeLocalTime(15, 7, 2009, 14, 30, 45))),
              (std::array{15, 7, 2009, 14, 30, 45}));
    EXPECT_EQ(parts(SplitTime(*MakeLocalTime(31, 12, 2009, 23, 59, 59), -1)),
              (std::array{31, 12, 2009, 23, 59, 59}));
    EXPECT_EQ(parts(SplitTime(kNoDate)), (std::array{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(parts(SplitTime(-86400, -1)), (std::array{-1, -1, -1, -1, -1, -1}));
}

TEST(SharedRoutines, MakeLocalTimeRefusesDatesItCannotHold) {
    EXPECT_FALSE(MakeLocalTime(31, 12, 1969).has_value());
    EXPECT_FALSE(MakeLocalTime(1, 1, 1970).has_value());  // 23:00 UTC the day before
    EXPECT_FALSE(MakeLocalTime(31, 4, 2009).has_value());
    EXPECT_FALSE(MakeLocalTime(29, 2, 2009).has_value());
    EXPECT_FALSE(MakeLocalTime(1, 13, 2009).has_value());
    EXPECT_TRUE(MakeLocalTime(29, 2, 2008).has_value());
    EXPECT_FALSE(ToLocalDateTime(kNoDate).has_value());

    // The last day of the last year is kept whole and reads back as itself; a year past it
    // (a fifth digit typed by mistake) is refused rather than shown as a two-digit "99".
    const auto last = MakeLocalTime(31, 12, kLastDateYear, 23, 59, 59);
    ASSERT_TRUE(last.has_value());
    const auto back = ToLocalDateTime(*last);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->year, kLastDateYear);
    EXPECT_EQ(back->day, 31);
    EXPECT_TRUE(MakeLocalTime(1, 1, 2100).has_value());
    EXPECT_FALSE(MakeLocalTime(1, 1, kLastDateYear + 1).has_value());
    EXPECT_FALSE(MakeLocalTime(1, 12, 10000).has_value());
    EXPECT_FALSE(MakeLocalTime(1, 12, 99999).has_value());
}

// A season saved from 1/3 to 31/5 is stored at 01:01:01 of both days; what happens at any hour
// of those days belongs to it, the day before and the day after do not.
TEST(SharedRoutines, SeasonHoldsWholeCalendarDays) {
    SeasonRecord season;
    season.DATA_B = *MakeLocalTime(1, 3, 2026, 1, 1, 1);
    season.DATA_E = *MakeLocalTime(31, 5, 2026, 1, 1, 1);
    EXPECT_TRUE(IsInSeasonByDay(*MakeLocalTime(1, 3, 2026, 0, 0, 0), season));    // first, early
    EXPECT_TRUE(IsInSeasonByDay(*MakeLocalTime(31, 5, 2026, 23, 59, 59), season)); // last, late
    EXPECT_TRUE(IsInSeasonByDay(*MakeLocalTime(15, 4, 2026, 12), season));
    EXPECT_FALSE(IsInSeasonByDay(*MakeLocalTime(28, 2, 2026, 23, 59, 59), season));
    EXPECT_FALSE(IsInSeasonByDay(*MakeLocalTime(1, 6, 2026, 0, 0, 0), season));
    EXPECT_FALSE(IsInSeasonByDay(*MakeLocalTime(15, 4, 2025, 12), season));   // other year
    EXPECT_FALSE(IsInSeasonByDay(kNoDate, season));

    // A one-day season, and one whose end was never set.
    season.DATA_E = season.DATA_B;
    EXPECT_TRUE(IsInSeasonByDay(*MakeLocalTime(1, 3, 2026, 22), season));
    EXPECT_FALSE(IsInSeasonByDay(*MakeLocalTime(2, 3, 2026, 0, 0, 1), season));
    season.DATA_E = kNoDate;
    EXPECT_FALSE(IsInSeasonByDay(*MakeLocalTime(1, 3, 2026, 12), season));
}

// Both pages list through one filter: whole days at both ends of a season, every record for the
// "all" entry, and nothing for an index that names no season.
TEST(SharedRoutines, PairsAndFlightsInSeasonFollowOneFilter) {
    std::vector<SeasonRecord> seasons(2);
    seasons[0].DATA_B = *MakeLocalTime(1, 3, 2026, 1, 1, 1);
    seasons[0].DATA_E = *MakeLocalTime(31, 5, 2026, 1, 1, 1);
    seasons[1].DATA_B = *MakeLocalTime(1, 6, 2026, 1, 1, 1);
    seasons[1].DATA_E = *MakeLocalTime(30, 6, 2026, 1, 1, 1);
    const Time64 times[] = {
        *MakeLocalTime(28, 2, 2026, 23, 59, 59), *MakeLocalTime(1, 3, 2026, 0, 0, 0),
        *MakeLocalTime(31, 5, 2026, 23, 59, 59), *MakeLocalTime(1, 6, 2026, 0, 0, 0)};
    std::vector<PairRecord> pairs;
    std::vector<FlightRecord> flights;
    for (int i = 0; i < 4; ++i) {
        pairs.push_back({});
        pairs.back().id = i + 1;
        pairs.back().DataParowania = times[i];
        flights.push_back({});
        flights.back().id = i + 1;
        flights.back().czasodlotu = times[i];
    }
    const auto pairIds = [&](int season) {
        std::vector<int> ids;
        for (const PairRecord& pair : PairsInSeason(pairs, seasons, season)) ids.push_back(pair.id);
        return ids;
    };
    const auto flightIds = [&](int season) {
        std::vector<int> ids;
        for (const FlightRecord& flight : FlightsInSeason(flights, seasons, season)) {
            ids.push_back(flight.id);
        }
        return ids;
    };
    const auto check = [](const char* what, const auto& ids) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ids(0), (std::vector<int>{2, 3}));
        EXPECT_EQ(ids(1), (std::vector<int>{4}));
        EXPECT_EQ(ids(kAllSeasons), (std::vector<int>{1, 2, 3, 4}));
        for (int unknown : {2, 7, -2}) EXPECT_TRUE(ids(unknown).empty()) << unknown;
    };
    check("pairs", pairIds);
    check("flights", flightIds);
}

TEST(SharedRoutines, RoundSignificantIgnoresTheProcessLocale) {
    EXPECT_EQ(RoundSignificant(12.3456789), 12.3457);
    EXPECT_EQ(RoundSignificant(1234567.0), 1234570.0);
    EXPECT_EQ(RoundSignificant(0.000123456789), 0.000123457);
    CommaLocale locale;
    if (!locale.active) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(RoundSignificant(12.3456789), 12.3457);
}
