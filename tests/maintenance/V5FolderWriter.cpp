#include "V5FolderWriter.h"

#include <cstring>
#include <fstream>

#include "SharedRoutines.h"

namespace fs = std::filesystem;

namespace v5write {
namespace {

constexpr std::int32_t kFillerInt = 0x0BADF00D;
constexpr double kFillerDouble = -123.25;

class Out {
public:
    Bytes bytes;

    void Int(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void Double(double d) {
        std::uint64_t u = 0;
        std::memcpy(&u, &d, sizeof u);
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void Float(float f) {
        std::uint32_t u = 0;
        std::memcpy(&u, &f, sizeof u);
        Int(static_cast<std::int32_t>(u));
    }
    void Ints(int n) {
        for (int i = 0; i < n; ++i) Int(kFillerInt + i);
    }
    void Doubles(int n) {
        for (int i = 0; i < n; ++i) Double(kFillerDouble - i);
    }
    // The count includes the terminating zero unit.
    void Text16(const Text& t) {
        Int(static_cast<std::int32_t>(t.size() + 1));
        for (const char16_t unit : t) {
            bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        bytes.push_back(0);
        bytes.push_back(0);
    }
    void Texts(const std::vector<Text>& texts, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) Text16(i < texts.size() ? texts[i] : Text());
    }
    void DateValue(const V5Date& d) {
        Int(d.hour);
        Int(d.minute);
        Int(d.second);
        Int(d.day);
        Int(d.month);
        Int(d.year);
    }
    void Dates(const std::vector<V5Date>& dates, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) DateValue(i < dates.size() ? dates[i] : V5Date{});
    }
    void ByteName(const std::string& name) {
        Int(static_cast<std::int32_t>(name.size() + 1));
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
    }
};

}  // namespace

Bytes IdsBytes(double count, const std::vector<Text>& ids) {
    Out out;
    out.Double(count);
    for (const Text& id : ids) out.Text16(id);
    return out.bytes;
}

Bytes IdsBytes(const std::vector<Text>& ids) {
    return IdsBytes(static_cast<double>(ids.size()), ids);
}

Bytes LoftsBytes(const std::vector<std::string>& byteNames) {
    Out out;
    out.Int(static_cast<std::int32_t>(byteNames.size()));
    for (const std::string& name : byteNames) out.ByteName(name);
    return out.bytes;
}

Bytes PigeonBytes(const V5PigeonRecord& b, std::int32_t claimedFirst) {
    Out out;
    out.Text16(b.id);
    out.Text16(b.motherId);
    out.Text16(b.fatherId);
    out.Ints(11);
    out.Doubles(8);
    out.Ints(1);
    for (const std::int32_t n : b.numbers) out.Int(n);
    out.Int(b.sex);
    out.Ints(24);
    for (const V5Date& d : b.dates) out.DateValue(d);
    // country, branch, year, ring, 2 others, general, disease, appearance, problem, pedigree 1-4,
    // 4 others, name, 2 others
    for (const Text* t : {&b.country, &b.branch, &b.year, &b.ringNumber, &b.otherTexts[0],
                          &b.otherTexts[1], &b.generalNotes, &b.diseaseNotes, &b.appearanceNotes,
                          &b.problemNotes, &b.pedigreeNotes[0], &b.pedigreeNotes[1],
                          &b.pedigreeNotes[2], &b.pedigreeNotes[3], &b.otherTexts[2],
                          &b.otherTexts[3], &b.otherTexts[4], &b.otherTexts[5], &b.name,
                          &b.otherTexts[6], &b.otherTexts[7]}) {
        out.Text16(*t);
    }
    out.Int(claimedFirst);
    for (const V5PigeonListEntry& e : b.firstList) {
        for (std::size_t i = 0; i < 6; ++i) out.Int(i < e.numbers.size() ? e.numbers[i] : 0);
        out.DateValue(e.date);
        out.Texts(e.texts, 3);
    }
    out.Int(static_cast<std::int32_t>(b.secondList.size()));
    for (const V5PigeonListEntry& e : b.secondList) {
        for (std::size_t i = 0; i < 8; ++i) out.Int(i < e.numbers.size() ? e.numbers[i] : 0);
        out.DateValue(e.date);
        out.Texts(e.texts, 5);
    }
    out.Ints(30);
    return out.bytes;
}

Bytes PigeonBytes(const V5PigeonRecord& bird) {
    return PigeonBytes(bird, static_cast<std::int32_t>(bird.firstList.size()));
}

Bytes LoftPigeonsBytes(const V5LoftRecord& loft) {
    Out out;
    out.Ints(11);
    out.Doubles(8);
    out.Texts(loft.texts, 7);
    out.Int(static_cast<std::int32_t>(loft.groups.size()));
    for (const V5GroupRecord& group : loft.groups) {
        out.Ints(11);
        out.Doubles(3);
        out.Texts(group.texts, 7);
        out.Int(static_cast<std::int32_t>(group.memberIds.size()));
        for (const Text& id : group.memberIds) {
            out.Ints(11);
            out.Ints(4);
            out.Doubles(3);
            out.Text16(id);
            out.Ints(5);
        }
    }
    return out.bytes;
}

Bytes BreedingsBytes(const V5LoftRecord& loft) {
    Out out;
    out.Int(static_cast<std::int32_t>(loft.breedingSeasons.size()));
    for (const V5BreedingSeasonRecord& season : loft.breedingSeasons) {
        out.Ints(10);
        out.Doubles(5);
        out.Texts(season.texts, 7);
        out.Int(season.number);
        out.DateValue(season.date);
        out.DateValue(V5Date{});  // the second date is overwritten by the third
        out.DateValue(season.secondDate);
        out.Ints(5);
        out.Int(static_cast<std::int32_t>(season.pairs.size()));
        for (const V5PairRecord& pair : season.pairs) {
            out.Ints(5);
            out.Ints(4);
            out.Doubles(4);
            out.Text16(pair.cockId);
            out.Text16(pair.henId);
            out.Texts(pair.texts, 6);
            out.Dates(pair.dates, 5);
            out.Text16(pair.lastText);
            out.Ints(4);
            out.Int(static_cast<std::int32_t>(pair.young.size()));
            for (const V5YoungRecord& young : pair.young) {
                out.Ints(3);
                out.Doubles(3);
                out.Ints(9);
                out.Text16(young.pigeonId);
                out.Text16(young.notes);
                out.Doubles(4);
            }
        }
    }
    return out.bytes;
}

Bytes FlightsBytes(const V5LoftRecord& loft) {
    Out out;
    out.Int(static_cast<std::int32_t>(loft.flightSeries.size()));
    for (const V5FlightSeriesRecord& series : loft.flightSeries) {
        out.Ints(6);
        out.Doubles(5);
        out.Int(series.number);
        out.Texts(series.texts, 7);
        out.Dates(series.dates, 5);
        out.Ints(5);
        out.Int(static_cast<std::int32_t>(series.flights.size()));
        for (const V5FlightRecord& f : series.flights) {
            out.Ints(8);
            out.Doubles(7);
            out.Ints(7);
            const auto other = [&](std::size_t i) {
                return i < f.otherNumbers.size() ? f.otherNumbers[i] : 0;
            };
            out.Int(f.type);
            out.Int(other(0));
            out.Int(f.breeders);
            for (std::size_t i = 1; i <= 6; ++i) out.Int(other(i));
            out.Double(f.distanceKm);
            out.Int(f.distanceM);
            out.Int(f.branchBirds);
            out.Int(f.sectionBirds);
            out.Int(f.sectionCompetitions);
            out.Int(f.branchCompetitions);
            out.Int(f.basketed);
            out.Int(f.inCompetition);
            out.Texts(f.texts, 11);
            out.Dates(f.dates, 9);
            out.Int(static_cast<std::int32_t>(f.results.size()));
            for (const V5FlightResultRecord& r : f.results) {
                out.Ints(13);
                out.Doubles(8);
                out.Ints(9);
                out.Text16(r.pigeonId);
                out.Text16(r.notes);
                out.Texts(r.otherTexts, 2);
                out.DateValue(r.arrival);
                out.Dates(r.otherDates, 2);
                out.Int(r.branchPosition);
                out.Int(r.sectionPosition);
                out.Float(r.branchCoefficient);
                out.Float(r.sectionCoefficient);
                out.Float(r.branchPoints);
                out.Float(r.sectionPoints);
            }
        }
    }
    return out.bytes;
}

Bytes NotesBytes(const V5LoftRecord& loft) {
    Out out;
    out.Int(static_cast<std::int32_t>(loft.notes.size()));
    for (const V5NoteRecord& note : loft.notes) {
        out.Ints(6);
        out.Doubles(3);
        out.Texts(note.texts, 2);
        out.Ints(3);
    }
    return out.bytes;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteFolder(const fs::path& folder, const std::vector<V5PigeonRecord>& birds,
                 const std::vector<V5LoftRecord>& lofts) {
    std::vector<Text> ids;
    for (const V5PigeonRecord& bird : birds) {
        ids.push_back(bird.id);
        if (!bird.id.empty()) WriteFile(V5Data::PigeonFile(folder, bird.id), PigeonBytes(bird));
    }
    WriteFile(V5Data::IdsFile(folder), IdsBytes(ids));
    std::vector<std::string> names;
    for (const V5LoftRecord& loft : lofts) {
        names.push_back(loft.byteName);
        WriteFile(V5Data::LoftFile(folder, loft.byteName, ".pigeons"), LoftPigeonsBytes(loft));
        WriteFile(V5Data::LoftFile(folder, loft.byteName, ".breedings"), BreedingsBytes(loft));
        WriteFile(V5Data::LoftFile(folder, loft.byteName, ".fly"), FlightsBytes(loft));
        WriteFile(V5Data::LoftFile(folder, loft.byteName, ".notes"), NotesBytes(loft));
    }
    WriteFile(V5Data::LoftsFile(folder), LoftsBytes(names));
}

V5PigeonRecord Bird(int n, const Text& fatherId, const Text& motherId, int sex) {
    V5PigeonRecord bird;
    bird.id = u"V5-" + NumberText(n);
    bird.fatherId = fatherId;
    bird.motherId = motherId;
    bird.sex = sex;
    bird.country = u"PL";
    bird.branch = u"0" + NumberText(100 + n % 900);
    bird.year = u"2008";
    bird.ringNumber = NumberText(1000 + n);
    return bird;
}

V5Date Date(int day, int month, int year, int hour, int minute, int second) {
    V5Date d;
    d.day = day;
    d.month = month;
    d.year = year;
    d.hour = hour;
    d.minute = minute;
    d.second = second;
    return d;
}

void WriteLargeFolder(const fs::path& folder, int birds, int pairs, int flights,
                      int resultsPerFlight) {
    std::vector<V5PigeonRecord> all;
    all.reserve(static_cast<std::size_t>(birds));
    for (int n = 0; n < birds; ++n) {
        // Every bird after the first twenty has parents among the birds before it.
        all.push_back(n < 20 ? Bird(n) : Bird(n, u"V5-" + NumberText(n % 10),
                                              u"V5-" + NumberText(10 + n % 10), n % 2));
        all.back().generalNotes = u"<b>Notatka</b> gołębia " + NumberText(n);
    }
    V5LoftRecord loft;
    loft.byteName = "Hodowla";
    loft.texts = {u"Hodowla główna"};
    for (int g = 0; g < 10; ++g) loft.groups.push_back({{u"Grupa " + NumberText(g)}, {}});
    for (int n = 0; n < birds; ++n) loft.groups[static_cast<size_t>(n % 10)].memberIds.push_back(all[static_cast<size_t>(n)].id);
    V5BreedingSeasonRecord season;
    season.date = Date(1, 1, 2008);
    for (int p = 0; p < pairs && birds > 0; ++p) {
        V5PairRecord pair;
        pair.cockId = all[static_cast<size_t>((2 * p) % birds)].id;
        pair.henId = all[static_cast<size_t>((2 * p + 1) % birds)].id;
        pair.texts = {u"Para " + NumberText(p)};
        for (int y = 0; y < 2; ++y) {
            pair.young.push_back({all[static_cast<size_t>((3 * p + y) % birds)].id, u"młode"});
        }
        season.pairs.push_back(std::move(pair));
    }
    loft.breedingSeasons.push_back(std::move(season));
    V5FlightSeriesRecord series;
    for (int f = 0; f < flights; ++f) {
        V5FlightRecord flight;
        flight.type = f % 3;
        flight.distanceKm = 100.5 + f;
        flight.texts = {u"Miejsce " + NumberText(f)};
        flight.dates = {Date(1 + f % 28, 5 + f % 4, 2008, 7, 30), Date(0, 0, 0, 5, 10, 15)};
        for (int r = 0; r < resultsPerFlight && birds > 0; ++r) {
            V5FlightResultRecord result;
            result.pigeonId = all[static_cast<size_t>((f * resultsPerFlight + r) % birds)].id;
            result.branchPosition = r + 1;
            result.arrival = Date(1 + f % 28, 5 + f % 4, 2008, 11, r % 60);
            flight.results.push_back(std::move(result));
        }
        series.flights.push_back(std::move(flight));
    }
    loft.flightSeries.push_back(std::move(series));
    WriteFolder(folder, all, {loft});
}

}  // namespace v5write
