#pragma once
// Small routines the whole program shares: the install folder and the places under it,
// text conversions, tag stripping, reading UTF-16 files and local-time dates.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Records.h"

// ---- install folder -------------------------------------------------------------------------

// Where the install folder comes from. The window layer sets the folder it read from the
// "InstallPath" setting at start; tests set a folder of their own. Without a source the folder
// is empty.
using InstallPathSource = std::function<Text()>;
void SetInstallPathSource(InstallPathSource source);
void SetInstallPath(const Text& folder);  // a source that always returns `folder`

// The install folder as stored, without a trailing separator (empty when not set).
Text GetInstallPath();
// The install folder followed by one separator. Paths here use '/', which needs no escaping,
// so this is the form that is appended to without adding a separator.
Text GetInstallPathEscaped();

// Joins two path parts with exactly one '/' between them.
Text JoinPath(const Text& base, const Text& relative);

// Places under the install folder.
Text PigeonsDbPath();          // <install>/db/pigeons.db
Text ExtraDbPath();            // <install>/db/dodatkowe_informacje.db
Text DbFolder();               // <install>/db
Text ImagesFolder();           // <install>/db/images
Text DocumentsFolder();        // <install>/db/documents
Text NotesFolder();            // <install>/db/notes
Text NoteFilePath(int noteId); // <install>/db/notes/<id>.html
// Creates db/ and its images, documents and notes folders when missing; false on failure.
bool EnsureDbFolders();

// ---- text conversions ------------------------------------------------------------------------

// Byte to unit, sign-extending (0xB9 becomes U+FFB9); keeps the length.
Text WidenString(const std::string& narrow);
// Unit to its low byte (U+0105 becomes 0x05); keeps the length.
std::string NarrowString(const Text& wide);
// Proper UTF-8 conversions for file-system paths and messages.
std::string ToUtf8(const Text& text);
Text FromUtf8(const std::string& utf8);
std::filesystem::path ToFsPath(const Text& path);
// ASCII decimal of a number (never locale-dependent).
Text NumberText(long long value);

// The unit in lower case, for comparing texts a user types without regard to case: the letters
// of ASCII, Latin-1 and Latin Extended-A (every Polish one among them) and the long s; any other
// unit as it is.
char16_t FoldCase(char16_t unit);
// The text without the blanks (spaces and tabs) at its two ends.
std::u16string_view TrimBlanks(std::u16string_view text);
// Whether the two texts are one once the blanks at their ends are dropped and case is folded.
bool SameTextIgnoringCaseAndBlanks(std::u16string_view a, std::u16string_view b);

// Removes every complete tag; an unclosed tag ends the text. Returns `text`.
Text& StripHtmlTags(Text& text);

// The file's bytes as UTF-16LE units up to the first NUL unit; "Error" when it cannot be read.
Text ReadUnicodeFile(const Text& path);
// Writes text as UTF-16LE with the byte-order mark FF FE; through a temporary file, so a
// failed write never leaves a half-written file. False when the file could not be written.
bool WriteUnicodeFile(const Text& path, const Text& text);

// ---- time ------------------------------------------------------------------------------------

// Local time of `time` by a strftime format; empty for -1, any negative time or a time that
// cannot be converted.
Text FormatTime(Time64 time, const char* format);
Text FormatTime(Time64 time, const std::string& format);

// The last year a typed date may have. Every window shows a year with four digits and the
// files of earlier versions never held a date past 3000, so that year ends the range: a fifth
// digit typed by mistake (99999) is refused instead of being stored and shown as "99".
constexpr int kLastDateYear = 3000;

// What becomes of a time of day the clock skips (02:30 on the day of the spring change).
enum class SkippedTime {
    MoveOn,  // taken as the same time on the clock after the change (03:30): for a time of day
             // the user does not see and cannot be asked about (one read from an old file)
    Refuse,  // no such time: for a time the user typed, which must be stored as typed or refused
};

// Local time of day/month/year hour:minute:second. Dates before 1970, after kLastDateYear or that
// cannot be represented give nullopt, and so do a day the month has not and a part out of its
// range (hour 24, minute 60). An hour that comes twice (the autumn change) is its first.
std::optional<Time64> MakeLocalTime(int day, int month, int year, int hour = 0, int minute = 0,
                                    int second = 0, SkippedTime skipped = SkippedTime::MoveOn);

// A record's time taken to another day by an editor that shows only its date: the time of day
// it had, on that day (the first of an hour that comes twice). Where the clock skips that time
// of day on that day, the first time it shows after the skip (03:00 for 02:30 on the spring
// change), and `moved` says so. nullopt for a date MakeLocalTime refuses, or when the skip would
// leave the day.
struct TimeOfDayOnDate {
    Time64 time = kNoDate;
    bool moved = false;
};
std::optional<TimeOfDayOnDate> KeepTimeOfDay(int day, int month, int year, int hour, int minute,
                                             int second);

// Broken-down local time of a stored time (nullopt for negative or unconvertible times).
struct LocalDateTime {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
};
std::optional<LocalDateTime> ToLocalDateTime(Time64 time);
// The parts an editor's fields start with: those of ToLocalDateTime, or every part `unset` when
// the time is not set or cannot be converted.
LocalDateTime SplitTime(Time64 time, int unset = 0);

// Whether `when` belongs to the season: its local calendar day lies from the season's start day
// to its end day, both included, whatever the time of day of the three. Seasons are stored at
// 01:01:01 of their days, so comparing the times themselves would drop what happened early on
// the first day and later on the last. False for a time or bound that is not set.
bool IsInSeasonByDay(Time64 when, const SeasonRecord& season);

// The season chooser's index that stands for no season filter: every record is listed.
inline constexpr int kAllSeasons = -1;
// The pairs and the flights of season number `seasonIndex` of `seasons` (by day, as above: pairs
// by pairing time, flights by release time), in their order; every one for kAllSeasons and none
// for an index that names no season. Both pages filter through these.
std::vector<PairRecord> PairsInSeason(const std::vector<PairRecord>& pairs,
                                      const std::vector<SeasonRecord>& seasons, int seasonIndex);
std::vector<FlightRecord> FlightsInSeason(const std::vector<FlightRecord>& flights,
                                          const std::vector<SeasonRecord>& seasons,
                                          int seasonIndex);

// A double written with `significant` significant digits in general notation and read back:
// the rounding that stored coefficients, points and distances have always had.
double RoundSignificant(double value, int significant = 6);
