#include "V5Data.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iconv.h>
#include <system_error>

#include "SharedRoutines.h"

namespace fs = std::filesystem;
using Kind = V5ReadError::Kind;

namespace {

// Smallest sizes in bytes, to tell whether a count of entries can fit in what is left.
constexpr std::size_t Bytes(int ints, int doubles = 0, int texts = 0, int dates = 0) {
    return static_cast<std::size_t>(ints) * 4 + static_cast<std::size_t>(doubles) * 8 +
           static_cast<std::size_t>(texts) * 4 + static_cast<std::size_t>(dates) * 24;
}

constexpr std::size_t kIdEntry = Bytes(0, 0, 1);
constexpr std::size_t kLoftNameEntry = Bytes(1);
constexpr std::size_t kFirstListEntry = Bytes(6, 0, 3, 1);
constexpr std::size_t kSecondListEntry = Bytes(8, 0, 5, 1);
constexpr std::size_t kMemberEntry = Bytes(11 + 4 + 5, 3, 1);
constexpr std::size_t kGroupEntry = Bytes(11 + 1, 3, 7);
constexpr std::size_t kYoungEntry = Bytes(3 + 9, 3 + 4, 2);
constexpr std::size_t kPairEntry = Bytes(5 + 4 + 4 + 1, 4, 2 + 6 + 1, 5);
constexpr std::size_t kSeasonEntry = Bytes(10 + 1 + 5 + 1, 5, 7, 3);
constexpr std::size_t kResultEntry = Bytes(13 + 9 + 2 + 4, 8, 4, 3);
constexpr std::size_t kFlightEntry = Bytes(8 + 7 + 9 + 7 + 1, 7 + 1, 11, 9);
constexpr std::size_t kSeriesEntry = Bytes(6 + 1 + 5 + 1, 5, 7, 5);
constexpr std::size_t kNoteEntry = Bytes(6 + 3, 3, 2);

// The longest byte name a loft may have, its zero byte included.
constexpr std::int32_t kMaxByteName = 32;
// A bird file's first list longer than this ends the reading of the file (what was read stays).
constexpr std::int32_t kMaxFirstList = 50;

// Reads values front to back. The first failure sticks: every later read gives zeros, so the
// parsers read on without checks and look at ok() where a loop would otherwise run on.
class Cursor {
public:
    explicit Cursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    bool ok() const { return failure_ == Kind::None; }
    Kind failure() const { return failure_; }
    std::size_t Left() const { return bytes_.size() - pos_; }

    std::int32_t Int() {
        std::uint32_t v = 0;
        if (Take(4)) {
            for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ - 4 + static_cast<size_t>(i)];
        }
        return static_cast<std::int32_t>(v);
    }
    double Double() {
        std::uint64_t v = 0;
        if (Take(8)) {
            for (int i = 7; i >= 0; --i) v = (v << 8) | bytes_[pos_ - 8 + static_cast<size_t>(i)];
        }
        double d = 0.0;
        std::memcpy(&d, &v, sizeof d);
        return d;
    }
    float Float() {
        const std::uint32_t v = static_cast<std::uint32_t>(Int());
        float f = 0.0f;
        std::memcpy(&f, &v, sizeof f);
        return f;
    }
    void SkipInts(int n) { Take(static_cast<std::size_t>(n) * 4); }
    void SkipDoubles(int n) { Take(static_cast<std::size_t>(n) * 8); }

    Text ReadText() {
        const std::int32_t count = Int();
        if (!ok()) return {};
        if (count < 0 || static_cast<std::size_t>(count) * 2 > Left()) return Fail(Kind::BadCount), Text();
        Text text;
        bool ended = false;
        for (std::int32_t i = 0; i < count; ++i) {
            const char16_t unit = static_cast<char16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
            pos_ += 2;
            if (unit == 0) ended = true;
            if (!ended) text.push_back(unit);
        }
        return text;
    }
    std::vector<Text> Texts(int n) {
        std::vector<Text> texts;
        for (int i = 0; i < n; ++i) texts.push_back(ReadText());
        return texts;
    }
    V5Date Date() {
        V5Date d;
        d.hour = Int();
        d.minute = Int();
        d.second = Int();
        d.day = Int();
        d.month = Int();
        d.year = Int();
        return d;
    }
    std::vector<V5Date> Dates(int n) {
        std::vector<V5Date> dates;
        for (int i = 0; i < n; ++i) dates.push_back(Date());
        return dates;
    }
    std::string ByteName() {
        const std::int32_t count = Int();
        if (!ok()) return {};
        if (count < 0) return Fail(Kind::BadCount), std::string();
        if (count > kMaxByteName) return Fail(Kind::NameTooLong), std::string();
        if (!Take(static_cast<std::size_t>(count))) return {};
        std::string name(reinterpret_cast<const char*>(bytes_.data() + pos_ - count),
                         static_cast<std::size_t>(count));
        return name.substr(0, name.find('\0'));
    }

    // A count of entries of at least `entryBytes` each; negative counts and counts whose
    // entries cannot fit in what is left fail.
    std::int32_t Count(std::size_t entryBytes) { return Fits(Int(), entryBytes); }
    // `count` when that many entries of `entryBytes` can follow; otherwise the reading fails.
    std::int32_t Fits(std::int32_t count, std::size_t entryBytes) {
        if (!ok()) return 0;
        if (count < 0 || static_cast<std::size_t>(count) * entryBytes > Left()) {
            Fail(Kind::BadCount);
            return 0;
        }
        return count;
    }

    void Fail(Kind kind) {
        if (failure_ == Kind::None) failure_ = kind;
    }

private:
    bool Take(std::size_t n) {
        if (!ok()) return false;
        if (n > Left()) {
            Fail(Kind::Truncated);
            return false;
        }
        pos_ += n;
        return true;
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
    Kind failure_ = Kind::None;
};

// What reading a file gave: its bytes, or that it is not there (missing or empty), or that it
// could not be read.
enum class FileState { Read, Absent, Unreadable };

FileState ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::error_code ec;
    if (!fs::exists(path, ec)) return ec ? FileState::Unreadable : FileState::Absent;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileState::Unreadable;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return FileState::Unreadable;
    return bytes.empty() ? FileState::Absent : FileState::Read;
}

// A name that can stand as one file name: not empty, no separator, no zero, not "." or "..".
bool UsableFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

}  // namespace

std::string CentralEuropeanToUtf8(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos) return {};
    iconv_t convert = iconv_open("UTF-8", "CP1250");
    if (convert == reinterpret_cast<iconv_t>(-1)) return {};
    // Every character of the code page takes at most three bytes in UTF-8.
    std::string out(bytes.size() * 3, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    const std::size_t done = iconv(convert, &in, &inLeft, &to, &toLeft);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) return {};
    out.resize(out.size() - toLeft);
    return out;
}

namespace {

// The name, among the ways the previous version's files can be named, under which the file
// exists. That version wrote 8-bit names (a bird's id cut to its characters' low bytes, a loft's
// byte name as it is); a folder copied from its system carries those bytes converted from the
// Central European code page to Unicode instead. `unicode`, when given, is tried first (a bird's
// id as this system writes it). When no file exists the first usable name is returned, which
// reads as a missing file.
std::string ExistingFileName(const std::function<fs::path(const std::string&)>& pathOf,
                             const std::string& bytes, const std::string& unicode = {}) {
    std::vector<std::string> names;
    for (const std::string& name : {unicode, bytes, CentralEuropeanToUtf8(bytes)}) {
        if (!name.empty() && UsableFileName(name) &&
            std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    std::error_code ec;
    for (const std::string& name : names) {
        if (fs::exists(pathOf(name), ec)) return name;
    }
    return names.empty() ? unicode : names.front();
}

V5PigeonListEntry ListEntry(Cursor& in, int numbers, int texts) {
    V5PigeonListEntry entry;
    for (int i = 0; i < numbers; ++i) entry.numbers.push_back(in.Int());
    entry.date = in.Date();
    entry.texts = in.Texts(texts);
    return entry;
}

}  // namespace

// ---- file names -------------------------------------------------------------------------------

fs::path V5Data::IdsFile(const fs::path& folder) { return folder / "database" / "IDS"; }

fs::path V5Data::LoftsFile(const fs::path& folder) { return folder / "database" / "lofts.dat"; }

fs::path V5Data::PigeonFile(const fs::path& folder, const Text& id) {
    return folder / "database" / "pigeons" / ToFsPath(id);
}

fs::path V5Data::PigeonFileByName(const fs::path& folder, const std::string& fileName) {
    return folder / "database" / "pigeons" / fs::path(fileName);
}

fs::path V5Data::LoftFile(const fs::path& folder, const std::string& byteName,
                          const char* extension) {
    // The name's bytes are used as they are: the file system holds the names as the previous
    // version wrote them.
    return folder / "database" / fs::path("loft_" + byteName + extension);
}

// ---- parsers ------------------------------------------------------------------------------------

Kind V5Data::ParseIds(const std::vector<std::uint8_t>& bytes, std::vector<Text>& ids) {
    Cursor in(bytes);
    // The count is a double; ids are read while their index is below it (2.5 reads three).
    const double count = in.Double();
    if (!in.ok()) return in.failure();
    if (!(count >= 0.0) || std::ceil(count) * kIdEntry > static_cast<double>(in.Left())) {
        return Kind::BadCount;
    }
    for (std::int64_t i = 0; static_cast<double>(i) < count && in.ok(); ++i) {
        ids.push_back(in.ReadText());
    }
    return in.failure();
}

Kind V5Data::ParseLofts(const std::vector<std::uint8_t>& bytes, std::vector<std::string>& names) {
    Cursor in(bytes);
    const std::int32_t count = in.Count(kLoftNameEntry);
    for (std::int32_t i = 0; i < count && in.ok(); ++i) names.push_back(in.ByteName());
    return in.failure();
}

Kind V5Data::ParsePigeon(const std::vector<std::uint8_t>& bytes, V5PigeonRecord& bird) {
    Cursor in(bytes);
    bird.id = in.ReadText();
    bird.motherId = in.ReadText();
    bird.fatherId = in.ReadText();
    in.SkipInts(11);
    in.SkipDoubles(8);
    in.SkipInts(1);
    for (std::int32_t& n : bird.numbers) n = in.Int();
    bird.sex = in.Int();
    in.SkipInts(24);
    for (V5Date& d : bird.dates) d = in.Date();

    bird.country = in.ReadText();
    bird.branch = in.ReadText();
    bird.year = in.ReadText();
    bird.ringNumber = in.ReadText();
    bird.otherTexts[0] = in.ReadText();
    bird.otherTexts[1] = in.ReadText();
    bird.generalNotes = in.ReadText();
    bird.diseaseNotes = in.ReadText();
    bird.appearanceNotes = in.ReadText();
    bird.problemNotes = in.ReadText();
    for (Text& note : bird.pedigreeNotes) note = in.ReadText();
    for (int i = 2; i <= 5; ++i) bird.otherTexts[static_cast<size_t>(i)] = in.ReadText();
    bird.name = in.ReadText();
    bird.otherTexts[6] = in.ReadText();
    bird.otherTexts[7] = in.ReadText();

    // A first list that claims more than 50 entries ends the file's reading here, whatever
    // follows the count (often nothing): the bird keeps what was read before it.
    const std::int32_t claimed = in.Int();
    if (!in.ok() || claimed > kMaxFirstList) return in.failure();
    const std::int32_t first = in.Fits(claimed, kFirstListEntry);
    for (std::int32_t i = 0; i < first && in.ok(); ++i) {
        bird.firstList.push_back(ListEntry(in, 6, 3));
    }
    const std::int32_t second = in.Count(kSecondListEntry);
    for (std::int32_t i = 0; i < second && in.ok(); ++i) {
        bird.secondList.push_back(ListEntry(in, 8, 5));
    }
    in.SkipInts(30);
    return in.failure();
}

Kind V5Data::ParseLoftPigeons(const std::vector<std::uint8_t>& bytes, V5LoftRecord& loft) {
    Cursor in(bytes);
    in.SkipInts(11);
    in.SkipDoubles(8);
    loft.texts = in.Texts(7);
    const std::int32_t groups = in.Count(kGroupEntry);
    for (std::int32_t g = 0; g < groups && in.ok(); ++g) {
        V5GroupRecord& group = loft.groups.emplace_back();
        in.SkipInts(11);
        in.SkipDoubles(3);
        group.texts = in.Texts(7);
        const std::int32_t members = in.Count(kMemberEntry);
        for (std::int32_t m = 0; m < members && in.ok(); ++m) {
            in.SkipInts(11 + 4);
            in.SkipDoubles(3);
            group.memberIds.push_back(in.ReadText());
            in.SkipInts(5);
        }
    }
    return in.failure();
}

Kind V5Data::ParseBreedings(const std::vector<std::uint8_t>& bytes, V5LoftRecord& loft) {
    Cursor in(bytes);
    const std::int32_t seasons = in.Count(kSeasonEntry);
    for (std::int32_t s = 0; s < seasons && in.ok(); ++s) {
        V5BreedingSeasonRecord& season = loft.breedingSeasons.emplace_back();
        in.SkipInts(10);
        in.SkipDoubles(5);
        season.texts = in.Texts(7);
        season.number = in.Int();
        season.date = in.Date();
        season.secondDate = in.Date();
        season.secondDate = in.Date();
        in.SkipInts(5);
        const std::int32_t pairs = in.Count(kPairEntry);
        for (std::int32_t p = 0; p < pairs && in.ok(); ++p) {
            V5PairRecord& pair = season.pairs.emplace_back();
            in.SkipInts(5 + 4);
            in.SkipDoubles(4);
            pair.cockId = in.ReadText();
            pair.henId = in.ReadText();
            pair.texts = in.Texts(6);
            pair.dates = in.Dates(5);
            pair.lastText = in.ReadText();
            in.SkipInts(4);
            const std::int32_t young = in.Count(kYoungEntry);
            for (std::int32_t y = 0; y < young && in.ok(); ++y) {
                V5YoungRecord& entry = pair.young.emplace_back();
                in.SkipInts(3);
                in.SkipDoubles(3);
                in.SkipInts(9);
                entry.pigeonId = in.ReadText();
                entry.notes = in.ReadText();
                in.SkipDoubles(4);
            }
        }
    }
    return in.failure();
}

Kind V5Data::ParseFlights(const std::vector<std::uint8_t>& bytes, V5LoftRecord& loft) {
    Cursor in(bytes);
    const std::int32_t seriesCount = in.Count(kSeriesEntry);
    for (std::int32_t s = 0; s < seriesCount && in.ok(); ++s) {
        V5FlightSeriesRecord& series = loft.flightSeries.emplace_back();
        in.SkipInts(6);
        in.SkipDoubles(5);
        series.number = in.Int();
        series.texts = in.Texts(7);
        series.dates = in.Dates(5);
        in.SkipInts(5);
        const std::int32_t flights = in.Count(kFlightEntry);
        for (std::int32_t f = 0; f < flights && in.ok(); ++f) {
            V5FlightRecord& flight = series.flights.emplace_back();
            in.SkipInts(8);
            in.SkipDoubles(7);
            in.SkipInts(7);
            flight.type = in.Int();
            flight.otherNumbers.push_back(in.Int());
            flight.breeders = in.Int();
            for (int i = 0; i < 6; ++i) flight.otherNumbers.push_back(in.Int());
            flight.distanceKm = in.Double();
            flight.distanceM = in.Int();
            flight.branchBirds = in.Int();
            flight.sectionBirds = in.Int();
            flight.sectionCompetitions = in.Int();
            flight.branchCompetitions = in.Int();
            flight.basketed = in.Int();
            flight.inCompetition = in.Int();
            flight.texts = in.Texts(11);
            flight.dates = in.Dates(9);
            const std::int32_t results = in.Count(kResultEntry);
            for (std::int32_t r = 0; r < results && in.ok(); ++r) {
                V5FlightResultRecord& result = flight.results.emplace_back();
                in.SkipInts(13);
                in.SkipDoubles(8);
                in.SkipInts(9);
                result.pigeonId = in.ReadText();
                result.notes = in.ReadText();
                result.otherTexts = in.Texts(2);
                result.arrival = in.Date();
                result.otherDates = in.Dates(2);
                result.branchPosition = in.Int();
                result.sectionPosition = in.Int();
                result.branchCoefficient = in.Float();
                result.sectionCoefficient = in.Float();
                result.branchPoints = in.Float();
                result.sectionPoints = in.Float();
            }
        }
    }
    return in.failure();
}

Kind V5Data::ParseNotes(const std::vector<std::uint8_t>& bytes, V5LoftRecord& loft) {
    Cursor in(bytes);
    const std::int32_t notes = in.Count(kNoteEntry);
    for (std::int32_t n = 0; n < notes && in.ok(); ++n) {
        V5NoteRecord& note = loft.notes.emplace_back();
        in.SkipInts(6);
        in.SkipDoubles(3);
        note.texts = in.Texts(2);
        in.SkipInts(3);
    }
    return in.failure();
}

// ---- loading the folder ---------------------------------------------------------------------------

namespace {

// Reads one file and hands its bytes to a parser; a missing or empty file gives nothing.
template <typename Parse>
V5ReadError ReadWith(const fs::path& path, Parse parse) {
    std::vector<std::uint8_t> bytes;
    switch (ReadFile(path, bytes)) {
        case FileState::Absent: return {};
        case FileState::Unreadable: return {Kind::Unreadable, path};
        case FileState::Read: break;
    }
    const Kind kind = parse(bytes);
    if (kind != Kind::None) return {kind, path};
    return {};
}

}  // namespace

V5ReadError V5Data::LoadAll(const fs::path& folder) {
    pigeons.clear();
    lofts.clear();
    pigeonIndex.clear();
    V5ReadError error = ReadIds(folder);
    if (!error) {
        std::vector<std::string> names;
        error = ReadWith(LoftsFile(folder), [&](const auto& bytes) { return ParseLofts(bytes, names); });
        for (const std::string& name : names) {
            if (error) break;
            if (!UsableFileName("loft_" + name)) error = {Kind::BadName, LoftsFile(folder)};
            lofts.emplace_back().byteName = name;
        }
        for (V5LoftRecord& loft : lofts) {
            if (error) break;
            error = ReadLoftFiles(folder, loft);
        }
    }
    if (error) {
        pigeons.clear();
        lofts.clear();
        pigeonIndex.clear();
    }
    return error;
}

V5ReadError V5Data::ReadIds(const fs::path& folder) {
    pigeons.clear();
    pigeonIndex.clear();
    std::vector<Text> ids;
    V5ReadError error =
        ReadWith(IdsFile(folder), [&](const auto& bytes) { return ParseIds(bytes, ids); });
    if (error) return error;
    for (const Text& id : ids) {
        V5PigeonRecord bird;
        bird.id = id;
        ReadPigeon(folder, bird, error);
        if (error) return error;
        // The bird file's own id is the one the lofts, pairs and flights name.
        pigeonIndex[bird.id] = pigeons.size();
        pigeons.push_back(std::move(bird));
    }
    return {};
}

int V5Data::ReadPigeon(const fs::path& folder, V5PigeonRecord& bird, V5ReadError& error) {
    if (bird.id.empty()) return -1;
    if (!UsableFileName(ToUtf8(bird.id))) {
        error = {Kind::BadName, IdsFile(folder)};
        return 1;
    }
    const std::string name =
        ExistingFileName([&](const std::string& n) { return PigeonFileByName(folder, n); },
                         NarrowString(bird.id), ToUtf8(bird.id));
    const fs::path path = PigeonFileByName(folder, name);
    error = ReadWith(path, [&](const auto& bytes) {
        bird.fileRead = true;
        return ParsePigeon(bytes, bird);
    });
    return 1;
}

V5ReadError V5Data::ReadLoftFiles(const fs::path& folder, V5LoftRecord& loft) {
    // The four files share one name; the .pigeons file tells which spelling the folder holds.
    const std::string name = ExistingFileName(
        [&](const std::string& n) { return LoftFile(folder, n, ".pigeons"); }, loft.byteName);
    V5ReadError error = ReadWith(LoftFile(folder, name, ".pigeons"),
                                 [&](const auto& bytes) { return ParseLoftPigeons(bytes, loft); });
    if (!error) {
        error = ReadWith(LoftFile(folder, name, ".breedings"),
                         [&](const auto& bytes) { return ParseBreedings(bytes, loft); });
    }
    if (!error) {
        error = ReadWith(LoftFile(folder, name, ".fly"),
                         [&](const auto& bytes) { return ParseFlights(bytes, loft); });
    }
    if (!error) {
        error = ReadWith(LoftFile(folder, name, ".notes"),
                         [&](const auto& bytes) { return ParseNotes(bytes, loft); });
    }
    return error;
}
