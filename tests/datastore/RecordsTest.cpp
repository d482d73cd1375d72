#include "TestSupport.h"

#include <algorithm>
#include <clocale>

namespace {

PigeonRecord Bird(const char* kraj, const char* oddzial, const char* rocznik, const char* ring,
                  const char* name) {
    PigeonRecord bird;
    bird.kraj = U(kraj);
    bird.oddzial = U(oddzial);
    bird.rocznik = U(rocznik);
    bird.nr_obraczki = U(ring);
    bird.nazwa = U(name);
    return bird;
}

std::string Price(double cena, int waluta) {
    TransactionRecord t;
    t.cena = cena;
    t.waluta = waluta;
    return S(t.FormatPrice());
}

}  // namespace

TEST(RecordsTest, RingTextsKeepTheirBlanksAndShowTheNameOnlyWhenGiven) {
    PigeonRecord named = Bird("PL", "0123", "2009", "456", "As");
    EXPECT_EQ(S(named.GetDisplayName()), "PL 0123 2009 456 [As]");
    EXPECT_EQ(S(named.GetRingNumber()), "PL 0123 2009 456");
    EXPECT_EQ(S(named.GetRingNumberAndName()), "PL 0123 2009 456\nAs ");

    PigeonRecord unnamed = Bird("PL", "0123", "2009", "456", "");
    EXPECT_EQ(S(unnamed.GetDisplayName()), "PL 0123 2009 456");
    EXPECT_EQ(S(unnamed.GetRingNumberAndName()), "PL 0123 2009 456");

    EXPECT_EQ(S(Bird("", "", "", "456", "").GetDisplayName()), "   456");
    EXPECT_EQ(S(PigeonRecord().GetDisplayName()), "   ");
    EXPECT_EQ(PigeonRecord().GetDisplayName().size(), 3u);  // no terminator in the text
}

TEST(RecordsTest, PedigreeNoteLimitedByLineCount) {
    PigeonRecord bird;
    bird.NotatkaRodowodowa1 = U("one\ntwo\nthree\nfour");
    bird.pedigreeNoteLines[1] = 2;
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(1)), "one<BR>two<BR>");

    // "\r\n" notes: no carriage return survives; empty lines do not count.
    bird.NotatkaRodowodowa1 = U("one\r\n\r\n\ntwo\r\nthree");
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(1)), "one<BR>two<BR>");
    bird.pedigreeNoteLines[1] = 10;
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(1)), "one<BR>two<BR>three<BR>");
    bird.pedigreeNoteLines[1] = 0;
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(1)), "");
}

TEST(RecordsTest, PedigreeNoteWholeWhenLimitIsNegative) {
    PigeonRecord bird;
    bird.NotatkaRodowodowa3 = U("a\r\nb\nc\r\n");
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(3)), "a<BR>b<BR>c<BR>");
    bird.pedigreeNoteLines[3] = -7;
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(3)), "a<BR>b<BR>c<BR>");
}

TEST(RecordsTest, PedigreeNoteOfEachGeneration) {
    PigeonRecord bird;
    bird.NotatkaRodowodowa0 = u"g0";
    bird.NotatkaRodowodowa1 = u"g1";
    bird.NotatkaRodowodowa2 = u"g2";
    bird.NotatkaRodowodowa3 = u"g3";
    bird.NotatkaRodowodowa4 = u"g4";
    for (int g = 0; g <= 4; ++g) EXPECT_EQ(S(bird.GetPedigreeNoteHtml(g)), "g" + std::to_string(g));
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(5)), "");
    EXPECT_EQ(S(bird.GetPedigreeNoteHtml(-1)), "");
}

TEST(RecordsTest, PriceWithoutExponentAndWithCurrency) {
    EXPECT_EQ(Price(12.5, 0), "12.5 PLN");
    EXPECT_EQ(Price(100, 1), "100 USD");
    EXPECT_EQ(Price(150, 2), "150 EUR");
    EXPECT_EQ(Price(12345.67, 3), "12345.67 FRA");
    EXPECT_EQ(Price(1234567, 4), "1234567 JEN");
    EXPECT_EQ(Price(150, 7), "150");
    EXPECT_EQ(Price(-1, 0), "-1 PLN");
    EXPECT_EQ(Price(0.1 + 0.2, 0), "0.3 PLN");
    EXPECT_EQ(Price(19.999, 0), "20 PLN");
    EXPECT_EQ(Price(-0.001, 0), "0 PLN");
    EXPECT_EQ(Price(0, 0), "0 PLN");
    EXPECT_EQ(Price(250000000000.5, 0), "250000000000.5 PLN");
}

TEST(RecordsTest, PriceIgnoresTheProcessLocale) {
    const bool comma =
        (std::setlocale(LC_ALL, "pl_PL.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8")) &&
        std::localeconv()->decimal_point[0] == ',';
    const std::string price = Price(12345.67, 2);
    std::setlocale(LC_ALL, "C");
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(price, "12345.67 EUR");
}

TEST(RecordsTest, SpeedInMetresPerMinute) {
    FlightRecord flight;
    flight.czasodlotu = 1247641200;  // 15 July 2009, 09:00 local
    flight.odleglosckm = 300;
    flight.odlegloscm = 500;
    FlightResultEntry result;
    result.DataCzasPrzylotu = flight.czasodlotu + 5 * 3600;
    EXPECT_FLOAT_EQ(flight.SpeedOf(result), 300500.0f / 300.0f);

    result.DataCzasPrzylotu = flight.czasodlotu;       // same second: no division by zero
    EXPECT_EQ(flight.SpeedOf(result), 0.0f);
    result.DataCzasPrzylotu = flight.czasodlotu - 60;  // arrival typed before the release
    EXPECT_EQ(flight.SpeedOf(result), 0.0f);
    result.DataCzasPrzylotu = kNoDate;
    EXPECT_EQ(flight.SpeedOf(result), 0.0f);
    result.DataCzasPrzylotu = 1247641200 + 3600;
    flight.czasodlotu = kNoDate;
    EXPECT_EQ(flight.SpeedOf(result), 0.0f);
    flight.czasodlotu = 0;  // an empty release column
    EXPECT_EQ(flight.SpeedOf(result), 0.0f);
}

TEST(RecordsTest, SeasonsSortNewestFirstAndKeepRowOrderOnTies) {
    std::vector<SeasonRecord> seasons(4);
    const Time64 starts[] = {1199142000 /*2008*/, 1262300400 /*2010*/, 1230764400 /*2009*/,
                             1230764400 /*2009*/};
    for (int i = 0; i < 4; ++i) {
        seasons[i].id = i + 1;
        seasons[i].DATA_B = starts[i];
    }
    std::stable_sort(seasons.begin(), seasons.end(), SeasonStartsLater);
    std::vector<int> ids;
    for (const auto& s : seasons) ids.push_back(s.id);
    EXPECT_EQ(ids, (std::vector<int>{2, 3, 4, 1}));
    EXPECT_FALSE(SeasonStartsLater(seasons[1], seasons[2]));
    EXPECT_FALSE(SeasonStartsLater(seasons[2], seasons[1]));
}

TEST(RecordsTest, SplitTextDropsEmptyPieces) {
    EXPECT_EQ(SplitText(u",a,,b,", u','), (std::vector<Text>{u"a", u"b"}));
    EXPECT_EQ(SplitText(u"abc", u','), (std::vector<Text>{u"abc"}));
    EXPECT_TRUE(SplitText(u"", u',').empty());
    EXPECT_TRUE(SplitText(u",,", u',').empty());
}

TEST(RecordsTest, AttachmentFilesLieUnderTheInstallFolder) {
    SetInstallPath(u"/srv/loft");
    PhotoRecord photo;
    photo.id = 5;
    photo.kategoria = 2;
    photo.rozszerzenie = u"png";
    photo.path = u"/home/user/bird.png";
    EXPECT_EQ(S(photo.FileName()), "5020.png");
    EXPECT_EQ(S(photo.GetFilePath()), "/srv/loft/db/images/5020.png");
    EXPECT_EQ(S(photo.path), "/srv/loft/db/images/5020.png");
    photo.path.clear();
    EXPECT_EQ(S(photo.GetEscapedFilePath()), "/srv/loft/db/images/5020.png");
    EXPECT_EQ(S(photo.path), "/srv/loft/db/images/5020.png");

    DocumentRecord document;
    document.id = 12;
    document.rozszerzenie = u"pdf";
    EXPECT_EQ(S(document.GetFilePath()), "/srv/loft/db/documents/12000.pdf");
    EXPECT_EQ(S(document.path), "/srv/loft/db/documents/12000.pdf");
    SetInstallPath(Text());
}

TEST(RecordsTest, CopyFromVersion5Bird) {
    V5PigeonRecord v5;
    v5.country = u"PL";
    v5.name = U("Błękitny");
    v5.ringNumber = u"456";
    v5.year = u"2004";
    v5.branch = u"0123";
    v5.generalNotes = u"<b>fast</b> bird";
    v5.diseaseNotes = u"none<br";
    v5.appearanceNotes = u"a > b <i>c</i>";
    v5.problemNotes = u"<p>x</p>";
    v5.pedigreeNotes = {u"<b>p1</b>", u"p2", u"p3", u"p4"};
    v5.fatherId = u"F-1";
    v5.motherId = u"M-1";

    PigeonRecord bird;
    bird.id = 77;
    bird.DataDodania = 1236250800;
    const std::pair<int, int> sexes[] = {{0, 2}, {1, 1}, {-1, 0}};
    for (auto [code, plec] : sexes) {
        v5.sex = code;
        bird.CopyFromV5Record(v5);
        EXPECT_EQ(bird.plec, plec) << "version-5 code " << code;
    }
    v5.sex = 9;  // unknown code leaves the sex as it was
    bird.CopyFromV5Record(v5);
    EXPECT_EQ(bird.plec, 0);

    EXPECT_EQ(S(bird.GetDisplayName()), "PL 0123 2004 456 [Błękitny]");
    EXPECT_EQ(S(bird.notatkiogolne), "fast bird");
    EXPECT_EQ(S(bird.notatkichoroby), "none");
    EXPECT_EQ(S(bird.notatkicechywygladu), "a > b c");
    EXPECT_EQ(S(bird.notatkiproblemy), "x");
    EXPECT_EQ(S(bird.NotatkaRodowodowa1), "<b>p1</b>");
    EXPECT_EQ(S(bird.NotatkaRodowodowa4), "p4");
    EXPECT_EQ(S(bird.v5FatherKey), "F-1");
    EXPECT_EQ(S(bird.v5MotherKey), "M-1");
    EXPECT_EQ(bird.id, 77);
    EXPECT_EQ(bird.DataDodania, 1236250800);
}
