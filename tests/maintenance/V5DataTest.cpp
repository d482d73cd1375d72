// The reader of the previous version's folder: every kind of file read field by field, the
// hand-assembled fixture, counts at their limits, and files that are cut short or lie about
// their counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "SharedRoutines.h"
#include "V5Data.h"
#include "V5FolderWriter.h"

namespace fs = std::filesystem;
using namespace v5write;

namespace {

class V5DataTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        folder_ = fs::temp_directory_path() / ("ox-v5-" + std::to_string(rd()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // Writes the fixture's files under the folder (see fixtures/v5-small.hex for the format).
    void WriteHexFixture(const fs::path& hexFile) {
        std::ifstream in(hexFile);
        ASSERT_TRUE(in) << hexFile;
        std::string line;
        fs::path current;
        Bytes bytes;
        const auto flush = [&] {
            if (!current.empty()) WriteFile(folder_ / current, bytes);
            bytes.clear();
        };
        while (std::getline(in, line)) {
            line = line.substr(0, line.find('#'));
            std::istringstream words(line);
            std::string word;
            if (!(words >> word)) continue;
            if (word == "file") {
                flush();
                words >> word;
                current = word;
                continue;
            }
            int times = 1;
            Bytes run;
            if (word == "repeat") {
                words >> times;
            } else {
                run.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
            }
            while (words >> word) run.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
            for (int i = 0; i < times; ++i) bytes.insert(bytes.end(), run.begin(), run.end());
        }
        flush();
    }

    // A loft with one of everything, and more than one where order matters.
    static V5LoftRecord FullLoft() {
        V5LoftRecord loft;
        loft.byteName = "Dom";
        loft.texts = {u"Gołębnik Dom", u"t2", u"t3", u"t4", u"t5", u"t6", u"t7"};
        loft.groups = {{{u"Lotniki", u"g2"}, {u"V5-2", u"V5-1"}}, {{u"Młode"}, {}}};
        V5BreedingSeasonRecord season;
        season.texts = {u"Sezon"};
        season.number = 7;
        season.date = Date(15, 2, 2008);
        season.secondDate = Date(3, 4, 2009, 5, 6, 7);
        V5PairRecord pair;
        pair.cockId = u"V5-1";
        pair.henId = u"V5-2";
        pair.texts = {u"Uwagi pary", u"p2", u"p3", u"p4", u"p5", u"p6"};
        pair.dates = {Date(1, 2, 2003), {}, {}, {}, Date(5, 6, 2007)};
        pair.lastText = u"ostatni";
        pair.young = {{u"V5-3", u"pierwsze"}, {u"V5-9", u"drugie"}};
        season.pairs = {pair, V5PairRecord{}};
        loft.breedingSeasons = {season};
        V5FlightRecord flight;
        flight.type = 2;
        flight.breeders = 31;
        flight.otherNumbers = {41, 42, 43, 44, 45, 46, 47};
        flight.distanceKm = 345.25;
        flight.distanceM = 120;
        flight.branchBirds = 500;
        flight.sectionBirds = 80;
        flight.sectionCompetitions = 20;
        flight.branchCompetitions = 125;
        flight.basketed = 12;
        flight.inCompetition = 4;
        flight.texts = {u"Hannover", u"słonecznie", u"pochmurno", u"notatka", u"", u"",
                        u"", u"", u"", u"", u"jedenasty"};
        flight.dates = {Date(17, 5, 2008, 7, 30, 0), Date(0, 0, 0, 2, 15, 45), {}, {}, {}, {}, {},
                        {}, Date(9, 9, 2009)};
        V5FlightResultRecord result;
        result.pigeonId = u"V5-2";
        result.notes = u"dobry";
        result.otherTexts = {u"r1", u"r2"};
        result.arrival = Date(17, 5, 2008, 12, 1, 2);
        result.otherDates = {Date(1, 1, 2001), Date(2, 2, 2002)};
        result.branchPosition = 3;
        result.sectionPosition = 1;
        result.branchCoefficient = 0.6f;
        result.sectionCoefficient = 5.0f;
        result.branchPoints = 47.5f;
        result.sectionPoints = 19.25f;
        flight.results = {result};
        V5FlightSeriesRecord series;
        series.number = 3;
        series.texts = {u"Seria"};
        series.dates = {Date(1, 5, 2008)};
        series.flights = {flight};
        loft.flightSeries = {series};
        loft.notes = {{{u"Notatka", u"Treść"}}};
        return loft;
    }

    fs::path folder_;
};

// A bird with every list and stored field filled, so misalignment anywhere shows.
V5PigeonRecord FullBird() {
    V5PigeonRecord bird = Bird(1, u"V5-7", u"V5-8", 0);
    bird.numbers = {11, 12, 13, 14};
    bird.dates[0] = Date(1, 2, 2003, 4, 5, 6);
    bird.dates[5] = Date(7, 8, 2009);
    bird.otherTexts = {u"o5", u"o6", u"o15", u"o16", u"o17", u"o18", u"o20", u"o21"};
    bird.generalNotes = u"ogólne";
    bird.diseaseNotes = u"choroby";
    bird.appearanceNotes = u"wygląd";
    bird.problemNotes = u"problemy";
    bird.pedigreeNotes = {u"r1", u"r2", u"r3", u"r4"};
    bird.name = u"Błyskawica";
    bird.firstList = {{{1, 2, 3, 4, 5, 6}, Date(1, 1, 2001), {u"a", u"b", u"c"}}};
    bird.secondList = {{{1, 2, 3, 4, 5, 6, 7, 8}, Date(2, 2, 2002), {u"v", u"w", u"x", u"y", u"z"}}};
    return bird;
}

void ExpectSameDate(const V5Date& a, const V5Date& b) {
    EXPECT_EQ(std::tie(a.hour, a.minute, a.second, a.day, a.month, a.year),
              std::tie(b.hour, b.minute, b.second, b.day, b.month, b.year));
}

TEST_F(V5DataTest, EveryKindOfFileIsReadFieldByField) {
    V5PigeonRecord blank;  // IDS names it with an empty id: it stands in the list, read from no file
    const std::vector<V5PigeonRecord> birds = {FullBird(), Bird(2), blank, Bird(3)};
    WriteFolder(folder_, birds, {FullLoft()});

    V5Data data;
    const V5ReadError error = data.LoadAll(folder_);
    ASSERT_FALSE(error) << error.kind << " " << error.file;

    ASSERT_EQ(data.pigeons.size(), 4u);
    const V5PigeonRecord& b = data.pigeons[0];
    EXPECT_TRUE(b.fileRead);
    EXPECT_EQ(b.id, u"V5-1");
    EXPECT_EQ(b.fatherId, u"V5-7");
    EXPECT_EQ(b.motherId, u"V5-8");
    EXPECT_EQ(b.numbers, (std::array<std::int32_t, 4>{11, 12, 13, 14}));
    EXPECT_EQ(b.sex, 0);
    ExpectSameDate(b.dates[0], Date(1, 2, 2003, 4, 5, 6));
    ExpectSameDate(b.dates[5], Date(7, 8, 2009));
    EXPECT_EQ((std::vector<Text>{b.country, b.branch, b.year, b.ringNumber, b.generalNotes,
                                 b.diseaseNotes, b.appearanceNotes, b.problemNotes, b.name}),
              (std::vector<Text>{u"PL", u"0101", u"2008", u"1001", u"ogólne", u"choroby", u"wygląd",
                                 u"problemy", u"Błyskawica"}));
    EXPECT_EQ(b.pedigreeNotes, (std::array<Text, 4>{u"r1", u"r2", u"r3", u"r4"}));
    EXPECT_EQ(b.otherTexts, FullBird().otherTexts);
    ASSERT_EQ(b.firstList.size(), 1u);
    EXPECT_EQ(b.firstList[0].texts, (std::vector<Text>{u"a", u"b", u"c"}));
    ASSERT_EQ(b.secondList.size(), 1u);
    EXPECT_EQ(b.secondList[0].numbers, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(b.secondList[0].texts.back(), u"z");
    EXPECT_TRUE(data.pigeons[2].id.empty());
    EXPECT_FALSE(data.pigeons[2].fileRead);
    EXPECT_EQ(data.pigeonIndex.at(u"V5-3"), 3u);

    ASSERT_EQ(data.lofts.size(), 1u);
    const V5LoftRecord& loft = data.lofts[0];
    EXPECT_EQ(loft.byteName, "Dom");
    EXPECT_EQ(loft.DisplayName(), u"Gołębnik Dom");
    EXPECT_EQ(loft.texts.back(), u"t7");
    ASSERT_EQ(loft.groups.size(), 2u);
    EXPECT_EQ(loft.groups[0].Name(), u"Lotniki");
    EXPECT_EQ(loft.groups[0].memberIds, (std::vector<Text>{u"V5-2", u"V5-1"}));
    EXPECT_EQ(loft.groups[1].Name(), u"Młode");
    EXPECT_TRUE(loft.groups[1].memberIds.empty());

    ASSERT_EQ(loft.breedingSeasons.size(), 1u);
    const V5BreedingSeasonRecord& season = loft.breedingSeasons[0];
    EXPECT_EQ(season.number, 7);
    ExpectSameDate(season.date, Date(15, 2, 2008));
    ExpectSameDate(season.secondDate, Date(3, 4, 2009, 5, 6, 7));
    ASSERT_EQ(season.pairs.size(), 2u);
    const V5PairRecord& pair = season.pairs[0];
    EXPECT_EQ(std::tie(pair.cockId, pair.henId, pair.lastText),
              std::tie(u"V5-1", u"V5-2", u"ostatni"));
    EXPECT_EQ(pair.texts.front(), u"Uwagi pary");
    EXPECT_EQ(pair.texts.back(), u"p6");
    ExpectSameDate(pair.dates[4], Date(5, 6, 2007));
    ASSERT_EQ(pair.young.size(), 2u);
    EXPECT_EQ(pair.young[1].pigeonId, u"V5-9");
    EXPECT_EQ(pair.young[1].notes, u"drugie");
    EXPECT_TRUE(season.pairs[1].young.empty());

    ASSERT_EQ(loft.flightSeries.size(), 1u);
    EXPECT_EQ(loft.flightSeries[0].number, 3);
    ASSERT_EQ(loft.flightSeries[0].flights.size(), 1u);
    // What the import uses of flights and results is checked through the import; here, the
    // values around and after them, which only a reader that stays aligned gets right.
    const V5FlightRecord& f = loft.flightSeries[0].flights[0];
    EXPECT_EQ(f.otherNumbers, (std::vector<std::int32_t>{41, 42, 43, 44, 45, 46, 47}));
    EXPECT_EQ(f.texts[10], u"jedenasty");
    ExpectSameDate(f.dates[8], Date(9, 9, 2009));
    ASSERT_EQ(f.results.size(), 1u);
    const V5FlightResultRecord& r = f.results[0];
    EXPECT_EQ(r.otherTexts, (std::vector<Text>{u"r1", u"r2"}));
    ExpectSameDate(r.otherDates[1], Date(2, 2, 2002));
    EXPECT_FLOAT_EQ(r.sectionPoints, 19.25f);

    ASSERT_EQ(loft.notes.size(), 1u);
    EXPECT_EQ(loft.notes[0].texts, (std::vector<Text>{u"Notatka", u"Treść"}));
}

TEST_F(V5DataTest, HandAssembledFolderReads) {
    ASSERT_NO_FATAL_FAILURE(WriteHexFixture(fs::path(OX_TEST_FIXTURES) / "v5-small.hex"));
    V5Data data;
    const V5ReadError error = data.LoadAll(folder_);
    ASSERT_FALSE(error) << error.kind << " " << error.file;
    ASSERT_EQ(data.pigeons.size(), 1u);
    const V5PigeonRecord& b = data.pigeons[0];
    EXPECT_EQ(b.id, u"7");
    EXPECT_TRUE(b.motherId.empty());
    EXPECT_TRUE(b.fatherId.empty());
    EXPECT_EQ(b.numbers, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(b.sex, 1);
    ExpectSameDate(b.dates[0], Date(5, 6, 2007, 10, 20, 30));
    EXPECT_EQ((std::vector<Text>{b.country, b.branch, b.year, b.ringNumber, b.generalNotes,
                                 b.pedigreeNotes[0], b.name}),
              (std::vector<Text>{u"PL", u"0123", u"08", u"456", u"<b>AB", u"P1", u"Ąs"}));
    ASSERT_EQ(data.lofts.size(), 1u);
    EXPECT_EQ(data.lofts[0].byteName, "A");
    EXPECT_EQ(data.lofts[0].DisplayName(), u"Dom");
    ASSERT_EQ(data.lofts[0].groups.size(), 1u);
    EXPECT_EQ(data.lofts[0].groups[0].Name(), u"Młode");
    EXPECT_EQ(data.lofts[0].groups[0].memberIds, std::vector<Text>{u"7"});
    EXPECT_TRUE(data.lofts[0].breedingSeasons.empty());
}

TEST_F(V5DataTest, CountsAtTheirLimits) {
    // The bird count of IDS is a double: ids are read while their index is below it.
    std::vector<Text> ids;
    EXPECT_EQ(V5Data::ParseIds(IdsBytes(2.0, {u"a", u"b", u"c"}), ids), V5ReadError::None);
    EXPECT_EQ(ids, (std::vector<Text>{u"a", u"b"}));
    ids.clear();
    EXPECT_EQ(V5Data::ParseIds(IdsBytes(2.5, {u"a", u"b", u"c"}), ids), V5ReadError::None);
    EXPECT_EQ(ids.size(), 3u);
    for (const double bad : {3.5, -1.0, std::nan(""), 1e300}) {
        ids.clear();
        EXPECT_NE(V5Data::ParseIds(IdsBytes(bad, {u"a", u"b", u"c"}), ids), V5ReadError::None)
            << bad;
    }

    // A first list of up to 50 entries is read with the second; 51 ends the file's reading.
    V5PigeonRecord bird = FullBird();
    bird.firstList.assign(50, bird.firstList[0]);
    V5PigeonRecord read;
    EXPECT_EQ(V5Data::ParsePigeon(PigeonBytes(bird), read), V5ReadError::None);
    EXPECT_EQ(read.firstList.size(), 50u);
    EXPECT_EQ(read.secondList.size(), 1u);
    bird.firstList.push_back(bird.firstList[0]);
    read = V5PigeonRecord{};
    EXPECT_EQ(V5Data::ParsePigeon(PigeonBytes(bird), read), V5ReadError::None);
    EXPECT_TRUE(read.firstList.empty());
    EXPECT_TRUE(read.secondList.empty());
    EXPECT_EQ(read.name, u"Błyskawica");  // what came before the list stays

    // A loft name of 31 characters (32 bytes with its zero) names the loft's files whole; one
    // byte more is refused with lofts.dat named.
    const std::string longest(31, 'x');
    V5LoftRecord loft;
    loft.byteName = longest;
    loft.texts = {u"Najdłuższa"};
    WriteFolder(folder_, {}, {loft});
    V5Data data;
    ASSERT_FALSE(data.LoadAll(folder_));
    ASSERT_EQ(data.lofts.size(), 1u);
    EXPECT_EQ(data.lofts[0].byteName, longest);
    EXPECT_EQ(data.lofts[0].DisplayName(), u"Najdłuższa");
    EXPECT_TRUE(fs::exists(folder_ / "database" / ("loft_" + longest + ".pigeons")));
    WriteFile(V5Data::LoftsFile(folder_), LoftsBytes({longest + "y"}));
    const V5ReadError error = data.LoadAll(folder_);
    EXPECT_EQ(error.kind, V5ReadError::NameTooLong);
    EXPECT_EQ(error.file, V5Data::LoftsFile(folder_));
    EXPECT_TRUE(data.lofts.empty());
}

TEST_F(V5DataTest, CutOrLyingFilesFailNamingTheFile) {
    // Every cut of a whole file fails, whatever value the cut falls in.
    const Bytes bird = PigeonBytes(FullBird());
    for (std::size_t n = 1; n < bird.size(); ++n) {
        V5PigeonRecord read;
        ASSERT_NE(V5Data::ParsePigeon(Bytes(bird.begin(), bird.begin() + n), read),
                  V5ReadError::None)
            << n;
    }
    const Bytes flights = FlightsBytes(FullLoft());
    for (std::size_t n = 1; n < flights.size(); ++n) {
        V5LoftRecord read;
        ASSERT_NE(V5Data::ParseFlights(Bytes(flights.begin(), flights.begin() + n), read),
                  V5ReadError::None)
            << n;
    }

    // Counts that the rest of the file cannot hold, and negative ones, are refused without
    // reading on (a huge count is not trusted to size anything).
    for (const std::int32_t count : {2, -1, 0x7FFFFFFF}) {
        Bytes breedings = BreedingsBytes(FullLoft());
        std::memcpy(breedings.data(), &count, 4);
        V5LoftRecord read;
        const V5ReadError::Kind kind = V5Data::ParseBreedings(breedings, read);
        EXPECT_NE(kind, V5ReadError::None) << count;
        if (count != 2) {
            EXPECT_EQ(kind, V5ReadError::BadCount) << count;
        }
    }
    Bytes text = IdsBytes({u"abc"});
    text[8] = 0x40;  // the text claims 64 units
    std::vector<Text> ids;
    EXPECT_EQ(V5Data::ParseIds(text, ids), V5ReadError::BadCount);

    // In a folder, a cut file stops the whole load: the error names the file, nothing is kept.
    WriteFolder(folder_, {FullBird(), Bird(2)}, {FullLoft()});
    const fs::path flyFile = V5Data::LoftFile(folder_, "Dom", ".fly");
    WriteFile(flyFile, Bytes(flights.begin(), flights.end() - 3));
    V5Data data;
    V5ReadError error = data.LoadAll(folder_);
    EXPECT_EQ(error.kind, V5ReadError::Truncated);
    EXPECT_EQ(error.file, flyFile);
    EXPECT_TRUE(data.pigeons.empty());
    EXPECT_TRUE(data.lofts.empty());

    // So does a bird file, and an id that would name a file elsewhere.
    WriteFile(flyFile, flights);
    const fs::path birdFile = V5Data::PigeonFile(folder_, u"V5-2");
    WriteFile(birdFile, Bytes(bird.begin(), bird.begin() + 100));  // inside the skipped numbers
    error = data.LoadAll(folder_);
    EXPECT_EQ(error.kind, V5ReadError::Truncated);
    EXPECT_EQ(error.file, birdFile);
    WriteFile(V5Data::IdsFile(folder_), IdsBytes({u"../../etc/passwd"}));
    EXPECT_EQ(data.LoadAll(folder_).kind, V5ReadError::BadName);
}

TEST_F(V5DataTest, LoftFilesCopiedWithUnicodeNamesAreFound) {
    // "Gołębnik Ąż" as the old system's 8-bit bytes names the loft in lofts.dat; the folder was
    // copied with the file names turned into Unicode.
    const std::string oldBytes = "Go\xB3\xEA" "bnik \xA5\xBF";
    V5LoftRecord loft;
    loft.byteName = "Gołębnik Ąż";
    loft.texts = {u"Gołębnik"};
    loft.groups = {{{u"Lotniki"}, {}}};
    WriteFolder(folder_, {}, {loft});
    WriteFile(V5Data::LoftsFile(folder_), LoftsBytes({oldBytes}));
    V5Data data;
    ASSERT_FALSE(data.LoadAll(folder_));
    ASSERT_EQ(data.lofts.size(), 1u);
    EXPECT_EQ(data.lofts[0].byteName, oldBytes);
    EXPECT_EQ(data.lofts[0].DisplayName(), u"Gołębnik");
    EXPECT_EQ(data.lofts[0].groups.size(), 1u);
}

TEST_F(V5DataTest, MissingFilesHoldNothing) {
    V5Data data;
    EXPECT_FALSE(data.LoadAll(folder_ / "nowhere"));
    EXPECT_TRUE(data.pigeons.empty());
    EXPECT_TRUE(data.lofts.empty());

    // IDS names a bird without a file: it is listed, marked unread, with the id IDS gave.
    WriteFile(V5Data::IdsFile(folder_), IdsBytes({u"V5-5"}));
    WriteFile(V5Data::LoftsFile(folder_), LoftsBytes({"Pusty"}));
    ASSERT_FALSE(data.LoadAll(folder_));
    ASSERT_EQ(data.pigeons.size(), 1u);
    EXPECT_EQ(data.pigeons[0].id, u"V5-5");
    EXPECT_FALSE(data.pigeons[0].fileRead);
    ASSERT_EQ(data.lofts.size(), 1u);
    EXPECT_TRUE(data.lofts[0].DisplayName().empty());
}

}  // namespace

// The upper half of code page 1250 as its published chart shows it, sixteen to a row; nullptr
// where the chart has no character.
constexpr const char* kCodePage1250Chart[128] = {
    "€", nullptr, "‚", nullptr, "„", "…", "†", "‡", nullptr, "‰", "Š", "‹", "Ś", "Ť", "Ž", "Ź",
    nullptr, "‘", "’", "“", "”", "•", "–", "—", nullptr, "™", "š", "›", "ś", "ť", "ž", "ź",
    "\u00A0", "ˇ", "˘", "Ł", "¤", "Ą", "¦", "§", "¨", "©", "Ş", "«", "¬", "\u00AD", "®", "Ż",
    "°", "±", "˛", "ł", "´", "µ", "¶", "·", "¸", "ą", "ş", "»", "Ľ", "˝", "ľ", "ż",
    "Ŕ", "Á", "Â", "Ă", "Ä", "Ĺ", "Ć", "Ç", "Č", "É", "Ę", "Ë", "Ě", "Í", "Î", "Ď",
    "Đ", "Ń", "Ň", "Ó", "Ô", "Ő", "Ö", "×", "Ř", "Ů", "Ú", "Ű", "Ü", "Ý", "Ţ", "ß",
    "ŕ", "á", "â", "ă", "ä", "ĺ", "ć", "ç", "č", "é", "ę", "ë", "ě", "í", "î", "ď",
    "đ", "ń", "ň", "ó", "ô", "ő", "ö", "÷", "ř", "ů", "ú", "ű", "ü", "ý", "ţ", "˙",
};

TEST(V5CodePage, LoftNamesConvertAsTheCodeChartSays) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string converted = CentralEuropeanToUtf8(std::string(1, static_cast<char>(byte)));
        const char* expected = kCodePage1250Chart[byte - 0x80];
        EXPECT_EQ(converted, expected ? std::string(expected) : std::string())
            << "byte 0x" << std::hex << byte;
    }
    for (int byte = 1; byte < 0x80; ++byte)
        EXPECT_EQ(CentralEuropeanToUtf8(std::string(1, static_cast<char>(byte))),
                  std::string(1, static_cast<char>(byte)));
    // A whole name; one byte without a character, or a zero, leaves no name at all.
    EXPECT_EQ(CentralEuropeanToUtf8("\xA3\xF3" "d\x9F 2"), "Łódź 2");
    EXPECT_EQ(CentralEuropeanToUtf8("Gniazdo \x8C\x9C"), "Gniazdo Śś");
    EXPECT_EQ(CentralEuropeanToUtf8("Gniazdo \x81"), "");
    EXPECT_EQ(CentralEuropeanToUtf8(std::string("ab\0c", 4)), "");
    EXPECT_EQ(CentralEuropeanToUtf8(""), "");
}
