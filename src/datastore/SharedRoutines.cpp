#include "SharedRoutines.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

InstallPathSource& Source() {
    static InstallPathSource source;
    return source;
}

}  // namespace

// ---- install folder -------------------------------------------------------------------------

void SetInstallPathSource(InstallPathSource source) { Source() = std::move(source); }

void SetInstallPath(const Text& folder) {
    SetInstallPathSource([folder] { return folder; });
}

Text GetInstallPath() {
    Text folder = Source() ? Source()() : Text();
    while (folder.size() > 1 && folder.back() == u'/') folder.pop_back();
    return folder;
}

Text GetInstallPathEscaped() {
    Text folder = GetInstallPath();
    if (folder.empty() || folder.back() != u'/') folder.push_back(u'/');
    return folder;
}

Text JoinPath(const Text& base, const Text& relative) {
    if (base.empty()) return relative;
    size_t start = 0;
    while (start < relative.size() && relative[start] == u'/') ++start;
    Text result = base;
    while (result.size() > 1 && result.back() == u'/') result.pop_back();
    if (result != u"/") result.push_back(u'/');
    result.append(relative, start, Text::npos);
    return result;
}

Text DbFolder() { return JoinPath(GetInstallPath(), u"db"); }
Text PigeonsDbPath() { return JoinPath(DbFolder(), u"pigeons.db"); }
Text ExtraDbPath() { return JoinPath(DbFolder(), u"dodatkowe_informacje.db"); }
Text ImagesFolder() { return JoinPath(DbFolder(), u"images"); }
Text DocumentsFolder() { return JoinPath(DbFolder(), u"documents"); }
Text NotesFolder() { return JoinPath(DbFolder(), u"notes"); }
Text NoteFilePath(int noteId) { return JoinPath(NotesFolder(), NumberText(noteId) + u".html"); }

bool EnsureDbFolders() {
    if (GetInstallPath().empty()) return false;
    std::error_code ec;
    for (const Text& folder : {DbFolder(), ImagesFolder(), DocumentsFolder(), NotesFolder()}) {
        fs::create_directories(ToFsPath(folder), ec);
        if (!fs::is_directory(ToFsPath(folder), ec)) return false;
    }
    return true;
}

// ---- text conversions ------------------------------------------------------------------------

Text WidenString(const std::string& narrow) {
    Text wide(narrow.size(), u'\0');
    for (size_t i = 0; i < narrow.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(narrow[i])));
    }
    return wide;
}

std::string NarrowString(const Text& wide) {
    std::string narrow(wide.size(), '\0');
    for (size_t i = 0; i < wide.size(); ++i) narrow[i] = static_cast<char>(wide[i] & 0xFF);
    return narrow;
}

std::string ToUtf8(const Text& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Text FromUtf8(const std::string& utf8) {
    // Malformed input (a stray continuation byte, a lead byte 0xF8..0xFF, a cut-off or overlong
    // sequence, an encoded surrogate or a value above U+10FFFF) gives one U+FFFD per bad byte;
    // decoding goes on with the next byte, so the rest of the text is kept.
    Text out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        char32_t c = s[i];
        size_t len = 1;
        char32_t smallest = 0;
        if (c < 0x80) {
            out.push_back(static_cast<char16_t>(c));
            ++i;
            continue;
        } else if (c >= 0xC0 && c < 0xE0) {
            len = 2;
            c &= 0x1F;
            smallest = 0x80;
        } else if (c >= 0xE0 && c < 0xF0) {
            len = 3;
            c &= 0x0F;
            smallest = 0x800;
        } else if (c >= 0xF0 && c < 0xF8) {
            len = 4;
            c &= 0x07;
            smallest = 0x10000;
        } else {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        bool valid = i + len <= n;
        for (size_t k = 1; valid && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        if (valid && (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += len;
    }
    return out;
}

fs::path ToFsPath(const Text& path) { return fs::path(ToUtf8(path)); }

Text NumberText(long long value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Text(buffer, result.ptr);
}

char16_t FoldCase(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit + 0x20);
    // À to Þ, without the multiplication sign.
    if (unit >= 0x00C0 && unit <= 0x00DE && unit != 0x00D7) {
        return static_cast<char16_t>(unit + 0x20);
    }
    if (unit < 0x0100 || unit > 0x017F) return unit;
    // Latin Extended-A pairs each capital with the small letter after it, the capital at an even
    // unit up to U+0137 and from U+014A to U+0177, at an odd one from U+0139 to U+0148 and from
    // U+0179 to U+017E. İ and ı (U+0130, U+0131) have no simple lower case of each other and stay.
    if (unit == 0x0130 || unit == 0x0131) return unit;
    if (unit == 0x0178) return 0x00FF;  // Ÿ
    if (unit == 0x017F) return u's';    // ſ
    const bool evenCapitals = unit <= 0x0137 || (unit >= 0x014A && unit <= 0x0177);
    const bool oddCapitals =
        (unit >= 0x0139 && unit <= 0x0148) || (unit >= 0x0179 && unit <= 0x017E);
    if ((evenCapitals && unit % 2 == 0) || (oddCapitals && unit % 2 == 1)) {
        return static_cast<char16_t>(unit + 1);
    }
    return unit;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    const auto blank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameTextIgnoringCaseAndBlanks(std::u16string_view a, std::u16string_view b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

Text& StripHtmlTags(Text& text) {
    for (;;) {
        const size_t open = text.find(u'<');
        if (open == Text::npos) break;
        const size_t close = text.find(u'>', open);
        if (close == Text::npos) {
            text.erase(open);
            break;
        }
        text.erase(open, close - open + 1);
    }
    return text;
}

Text ReadUnicodeFile(const Text& path) {
    std::ifstream file(ToFsPath(path), std::ios::binary);
    if (!file) return u"Error";
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Text text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

bool WriteUnicodeFile(const Text& path, const Text& text) {
    const fs::path target = ToFsPath(path);
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        std::string bytes;
        bytes.reserve(2 + text.size() * 2);
        bytes.push_back(static_cast<char>(0xFF));
        bytes.push_back(static_cast<char>(0xFE));
        for (char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.flush();
        if (!file) {
            file.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

// ---- time ------------------------------------------------------------------------------------

Text FormatTime(Time64 time, const char* format) {
    if (time < 0 || format == nullptr) return Text();
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return Text();
    char buffer[128];
    // The formats in use print digits and separators only, so the time locale cannot change them.
    const size_t n = std::strftime(buffer, sizeof buffer, format, &local);
    if (n == 0) return Text();
    return FromUtf8(std::string(buffer, n));
}

Text FormatTime(Time64 time, const std::string& format) { return FormatTime(time, format.c_str()); }

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The clock reading day/month/year hour:minute:second as seconds counted like a UTC time, so a
// local time t reads as it on the clock exactly when t + (t's offset from UTC) equals it.
std::int64_t ClockSeconds(int day, int month, int year, int hour, int minute, int second) {
    const int y = month <= 2 ? year - 1 : year;  // years counted from March, leap day last
    const int era = y / 400;                     // y >= 1969: no negative division
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t days = std::int64_t{era} * 146097 + dayOfEra - 719468;  // since 1/1/1970
    return ((days * 24 + hour) * 60 + minute) * 60 + second;
}

// A clock reading repeats only shortly after the clock went back (by at most a few hours, where
// a zone changed its offset), and changes lie months apart: a day before a time, the offset in
// force is the one from before any change that makes its reading repeat or skip.
constexpr std::time_t kLongestClockChange = 24 * 60 * 60;

}  // namespace

std::optional<Time64> MakeLocalTime(int day, int month, int year, int hour, int minute, int second,
                                    SkippedTime skipped) {
    if (year < 1970 || year > kLastDateYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(month, year) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return std::nullopt;
    }
    const std::int64_t asked = ClockSeconds(day, month, year, hour, minute, second);
    // One question, with the summer-time flag left to the library (its cheapest: a forced flag
    // it cannot match sends it searching). Its guess where a reading comes twice or not at all
    // depends on the calls before, so only those cases are looked at further.
    std::tm local{};
    local.tm_mday = day;
    local.tm_mon = month - 1;
    local.tm_year = year - 1900;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t made = std::mktime(&local);
    if (made == static_cast<std::time_t>(-1)) return std::nullopt;
    const std::int64_t shown = made + local.tm_gmtoff;
    std::int64_t found = made;
    if (shown == asked) {
        // The clock shows this reading; if it went back shortly before, the same reading came
        // once before with the larger offset in force then, and that first one is the answer.
        const std::time_t dayBefore = made - kLongestClockChange;
        std::tm then{};
        if (localtime_r(&dayBefore, &then) != nullptr && then.tm_gmtoff > local.tm_gmtoff) {
            const std::time_t first = static_cast<std::time_t>(asked - then.tm_gmtoff);
            std::tm check{};
            if (localtime_r(&first, &check) != nullptr && first + check.tm_gmtoff == asked) {
                found = first;
            }
        }
    } else {
        // The date exists, so the clock skips this time of day. The library read it with the
        // offset of one side of the change: the answer is the reading with the offset before it,
        // which the clock after the change shows later by the size of the skip (02:30 -> 03:30).
        if (skipped == SkippedTime::Refuse) return std::nullopt;
        if (shown < asked) {
            found = asked - local.tm_gmtoff;
            const std::time_t after = static_cast<std::time_t>(found);
            if (localtime_r(&after, &local) == nullptr) return std::nullopt;
        }
        // A day the clock skips whole, or a skip over midnight, would move the time to another
        // day: no time of that day exists to keep.
        if (local.tm_mday != day || local.tm_mon != month - 1 || local.tm_year != year - 1900) {
            return std::nullopt;
        }
    }
    if (found < 0) return std::nullopt;
    return static_cast<Time64>(found);
}

std::optional<TimeOfDayOnDate> KeepTimeOfDay(int day, int month, int year, int hour, int minute,
                                             int second) {
    if (const auto kept = MakeLocalTime(day, month, year, hour, minute, second, SkippedTime::Refuse)) {
        return TimeOfDayOnDate{*kept, false};
    }
    const auto later = MakeLocalTime(day, month, year, hour, minute, second, SkippedTime::MoveOn);
    if (!later) return std::nullopt;
    // `later` lies less than the size of the skip after the change: the change is the earliest
    // moment of the day before `later` from which on the clock has the offset it has at `later`.
    const auto offsetAt = [](std::time_t t) -> std::optional<long> {
        std::tm local{};
        if (localtime_r(&t, &local) == nullptr) return std::nullopt;
        return local.tm_gmtoff;
    };
    const auto after = offsetAt(static_cast<std::time_t>(*later));
    if (!after) return std::nullopt;
    std::time_t before = static_cast<std::time_t>(*later) - kLongestClockChange;  // other offset
    std::time_t resumed = static_cast<std::time_t>(*later);                    // this offset
    while (resumed - before > 1) {
        const std::time_t middle = before + (resumed - before) / 2;
        (offsetAt(middle) == after ? resumed : before) = middle;
    }
    const auto shown = ToLocalDateTime(resumed);
    if (resumed < 0 || !shown || shown->day != day || shown->month != month || shown->year != year) {
        return std::nullopt;
    }
    return TimeOfDayOnDate{resumed, true};
}

std::optional<LocalDateTime> ToLocalDateTime(Time64 time) {
    if (time < 0) return std::nullopt;
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return std::nullopt;
    return LocalDateTime{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                         local.tm_hour, local.tm_min,     local.tm_sec};
}

LocalDateTime SplitTime(Time64 time, int unset) {
    return ToLocalDateTime(time).value_or(LocalDateTime{unset, unset, unset, unset, unset, unset});
}

bool IsInSeasonByDay(Time64 when, const SeasonRecord& season) {
    const auto day = ToLocalDateTime(when);
    const auto first = ToLocalDateTime(season.DATA_B);
    const auto last = ToLocalDateTime(season.DATA_E);
    if (!day || !first || !last) return false;
    const auto key = [](const LocalDateTime& d) { return (d.year * 100 + d.month) * 100 + d.day; };
    return key(*first) <= key(*day) && key(*day) <= key(*last);
}

namespace {
template <typename Record, typename When>
std::vector<Record> RecordsInSeason(const std::vector<Record>& records,
                                    const std::vector<SeasonRecord>& seasons, int seasonIndex,
                                    When when) {
    if (seasonIndex == kAllSeasons) return records;
    std::vector<Record> kept;
    if (seasonIndex < 0 || seasonIndex >= static_cast<int>(seasons.size())) return kept;
    const SeasonRecord& season = seasons[seasonIndex];
    for (const Record& record : records) {
        if (IsInSeasonByDay(when(record), season)) kept.push_back(record);
    }
    return kept;
}
}  // namespace

std::vector<PairRecord> PairsInSeason(const std::vector<PairRecord>& pairs,
                                      const std::vector<SeasonRecord>& seasons, int seasonIndex) {
    return RecordsInSeason(pairs, seasons, seasonIndex,
                           [](const PairRecord& pair) { return pair.DataParowania; });
}

std::vector<FlightRecord> FlightsInSeason(const std::vector<FlightRecord>& flights,
                                          const std::vector<SeasonRecord>& seasons,
                                          int seasonIndex) {
    return RecordsInSeason(flights, seasons, seasonIndex,
                           [](const FlightRecord& flight) { return flight.czasodlotu; });
}

double RoundSignificant(double value, int significant) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significant);
    double back = 0.0;
    std::from_chars(buffer, result.ptr, back);
    return back;
}
