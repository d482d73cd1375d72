#include <cmath>

#include "TestSupport.h"

namespace {

constexpr long long kRelease = 1277960400;  // 2010-07-01 07:00 local

class LoadersTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        Reload(0);  // creates every table
    }
    void P(const std::string& sql) { Exec(PigeonsDbPath(), sql); }
    void X(const std::string& sql) { Exec(ExtraDbPath(), sql); }

    void Bird(int id, int loft, const std::string& ring = "1") {
        P("INSERT INTO pigeons(id, id_hodowli, nr_obraczki) VALUES (" + std::to_string(id) +
          ", " + std::to_string(loft) + ", '" + ring + "')");
    }
    void Flight(int id, int loft, const std::string& place, int km, int m) {
        P("INSERT INTO loty(id, id_hodowli, miejscowosc, odleglosckm, odlegloscm, czasodlotu) "
          "VALUES (" + std::to_string(id) + ", " + std::to_string(loft) + ", '" + place + "', " +
          std::to_string(km) + ", " + std::to_string(m) + ", " + std::to_string(kRelease) + ")");
    }
    void Result(int flight, int loft, int bird, int position, long long secondsAfterRelease) {
        P("INSERT INTO lotniki(id_lotu, id_hodowli, id_golebia, nr_konkursu, DataCzasPrzylotu) "
          "VALUES (" + std::to_string(flight) + ", " + std::to_string(loft) + ", " +
          std::to_string(bird) + ", " + std::to_string(position) + ", " +
          std::to_string(kRelease + secondsAfterRelease) + ")");
    }
};

TEST_F(LoadersTest, EveryBirdColumnReachesItsOwnField) {
    P("INSERT INTO pigeons(id, id_hodowli, nazwa, kraj, oddzial, rocznik, nr_obraczki, genotyp, "
      "fenotyp, id_matki, id_ojca, id_wlasciciela, id_hodowcy, id_rasy, id_linia, id_koloroka, "
      "id_koloru, plec, id_statusu, ocena_ogolna, ocena_zdrowia, ocena_upierzenia, ocena_lotowa, "
      "DataDodania, DataUrodzenia, DataKupna, DataSprzedazy, DataOdejscia, NotatkaRodowodowa0, "
      "NotatkaRodowodowa1, NotatkaRodowodowa2, NotatkaRodowodowa3, NotatkaRodowodowa4, "
      "notatkiogolne, notatkicechywygladu, notatkichoroby, notatkiproblemy, notatkif, krotkiopis, "
      "DataF1, NotatkaRodowodowa5, id_kraju) VALUES (7, 1, 'Błyskawica', 'PL', '0123', '2009', "
      "'456', 'gen', 'fen', 11, 12, 13, 14, 15, 16, 17, 18, 2, 19, 21, 22, 23, 24, 1000001, "
      "1000002, 1000003, 1000004, 1000005, 'r0', 'r1', 'r2', 'r3', 'r4', 'ogólne', 'wygląd', "
      "'choroby', 'problemy', 'dalsze', 'krótki', 1000006, 'unused', 99)");
    Reload(1);

    ASSERT_EQ(store_.Pigeons().count(7), 1u);
    const PigeonRecord& b = store_.Pigeons().at(7);
    EXPECT_EQ((std::vector<int>{b.id, b.id_hodowli, b.id_matki, b.id_ojca, b.id_wlasciciela,
                                b.id_hodowcy, b.id_rasy, b.id_linia, b.id_koloroka, b.id_koloru,
                                b.plec, b.id_statusu, b.ocena_ogolna, b.ocena_zdrowia,
                                b.ocena_upierzenia, b.ocena_lotowa}),
              (std::vector<int>{7, 1, 11, 12, 13, 14, 15, 16, 17, 18, 2, 19, 21, 22, 23, 24}));
    EXPECT_EQ((std::vector<Time64>{b.DataDodania, b.DataUrodzenia, b.DataKupna, b.DataSprzedazy,
                                   b.DataOdejscia, b.DataF1}),
              (std::vector<Time64>{1000001, 1000002, 1000003, 1000004, 1000005, 1000006}));
    EXPECT_EQ((std::vector<Text>{b.nazwa, b.kraj, b.oddzial, b.rocznik, b.nr_obraczki, b.genotyp,
                                 b.fenotyp, b.NotatkaRodowodowa0, b.NotatkaRodowodowa1,
                                 b.NotatkaRodowodowa2, b.NotatkaRodowodowa3, b.NotatkaRodowodowa4,
                                 b.notatkiogolne, b.notatkicechywygladu, b.notatkichoroby,
                                 b.notatkiproblemy, b.notatkif, b.krotkiopis}),
              (std::vector<Text>{U("Błyskawica"), u"PL", u"0123", u"2009", u"456", u"gen", u"fen",
                                 u"r0", u"r1", u"r2", u"r3", u"r4", U("ogólne"), U("wygląd"),
                                 u"choroby", u"problemy", u"dalsze", U("krótki")}));
    // No statistics without results.
    EXPECT_EQ(b.flightCount, 0);
    EXPECT_EQ(b.bestPosition, 100000);
    EXPECT_EQ(b.averagePosition, 0);
}

TEST_F(LoadersTest, FlightPairAndPersonColumnsReachTheirFields) {
    P("INSERT INTO loty(id, id_hodowli, typ, subtyp, kategoria, kategoria2, odleglosckm, "
      "odlegloscm, liczba_hodowcow, liczba_hodowcow_sekcja, golebi_oddzial, golebi_sekcja, "
      "konkursow_oddzial, konkursow_sekcja, wlozonychgolebi, iloscwkonkursie, ocena, DL_stopnie, "
      "DL_minuty, DL_sekundy, SZ_stopnie, SZ_minuty, SZ_sekundy, czas_trwania_konkursu_g, "
      "czas_trwania_konkursu_m, czas_trwania_konkursu_s, czasodlotu, czas_pierwszego_w_konk, "
      "czas_ostatniego_w_konk, miejscowosc, pogodalokalna, pogodawmiejscuwypuszczenia, notatki, "
      "FI6, FI5) VALUES (3, 1, 2, 77, 4, 5, 312, 450, 61, 62, 63, 64, 65, 66, 67, 68, 69, 17, 18, "
      "19, 51, 52, 53, 2, 31, 32, 2000001, 2000002, 2000003, 'Zgorzelec', 'słońce', 'deszcz', "
      "'uwagi lotu', 6, 5)");
    P("INSERT INTO pary(id, id_samca, id_samicy, id_hodowli, id_sezonu, DataParowania, "
      "DataZlozeniaJaj, DataWylegu, DataDodania, not_ojciec, not_matka, uwagi, zlozonych) "
      "VALUES (4, 21, 22, 1, 9, 3000001, 3000002, 3000003, 3000004, 'o', 'm', 'u', 2)");
    X("INSERT INTO hodowcy(id, hodowla, kategoria, subkategoria, typ, imie, nazwisko, "
      "miejscowosc, ulica, nrdomu, teldom, teldom2, telkom, telkom2, email, adreswww, uwagi, "
      "not1, wojewodztwo, kraj, kodpocztowy, nip) VALUES (8, 1, 2, 3, 4, 'Jan', 'Kowalski', "
      "'Opole', 'Polna', '5a', 't1', 't2', 'k1', 'k2', 'j@k.pl', 'www', 'uw', 'n1', 7, 9, "
      "'45-001', '123-45')");
    X("INSERT INTO klienci(id, imie, nazwisko, wojewodztwo, kodpocztowy, nip) "
      "VALUES (8, 'Anna', 'Nowak', 3, '00-950', '999')");
    Reload(1);

    ASSERT_EQ(store_.Flights().size(), 1u);
    const FlightRecord& f = store_.Flights()[0];
    EXPECT_EQ((std::vector<int>{f.id, f.id_hodowli, f.typ, f.kategoria, f.kategoria2,
                                f.odlegloscm, f.liczba_hodowcow, f.golebi_oddzial,
                                f.golebi_sekcja, f.konkursow_oddzial, f.konkursow_sekcja,
                                f.wlozonychgolebi, f.iloscwkonkursie, f.ocena, f.DL_stopnie,
                                f.DL_minuty, f.DL_sekundy, f.SZ_stopnie, f.SZ_minuty, f.SZ_sekundy,
                                f.czas_trwania_konkursu_g, f.czas_trwania_konkursu_m,
                                f.czas_trwania_konkursu_s}),
              (std::vector<int>{3, 1, 2, 4, 5, 450, 61, 63, 64, 65, 66, 67, 68, 69, 17, 18, 19,
                                51, 52, 53, 2, 31, 32}));
    EXPECT_DOUBLE_EQ(f.odleglosckm, 312.0);
    EXPECT_EQ((std::vector<Time64>{f.czasodlotu, f.czas_pierwszego_w_konk,
                                   f.czas_ostatniego_w_konk}),
              (std::vector<Time64>{2000001, 2000002, 2000003}));
    EXPECT_EQ(S(f.miejscowosc), "Zgorzelec");
    EXPECT_EQ(S(f.pogodalokalna), "słońce");
    EXPECT_EQ(S(f.pogodawmiejscuwypuszczenia), "deszcz");
    EXPECT_EQ(S(f.notatki), "uwagi lotu");

    ASSERT_EQ(store_.Pairs().size(), 1u);
    const PairRecord& pair = store_.Pairs()[0];
    EXPECT_EQ(pair.id, 4);
    EXPECT_EQ(pair.id_samca, 21);
    EXPECT_EQ(pair.id_samicy, 22);
    EXPECT_EQ(pair.id_hodowli, 1);
    EXPECT_EQ(pair.DataParowania, 3000001);
    EXPECT_EQ(pair.DataZlozeniaJaj, 3000002);
    EXPECT_EQ(pair.DataWylegu, 3000003);
    EXPECT_EQ(pair.DataDodania, 3000004);
    EXPECT_EQ(S(pair.not_ojciec), "o");
    EXPECT_EQ(S(pair.not_matka), "m");
    EXPECT_EQ(S(pair.uwagi), "u");
    EXPECT_EQ(pair.zlozonych, 2);

    ASSERT_EQ(store_.Breeders().count(8), 1u);
    const PersonRecord& br = store_.Breeders().at(8);
    EXPECT_EQ(br.hodowla, 1);
    EXPECT_EQ(br.kategoria, 2);
    EXPECT_EQ(br.subkategoria, 3);
    EXPECT_EQ(br.wojewodztwo, 7);
    EXPECT_EQ(br.kraj, 9);
    const std::vector<std::string> texts = {
        S(br.imie),   S(br.nazwisko), S(br.miejscowosc), S(br.ulica),    S(br.nrdomu),
        S(br.teldom), S(br.teldom2),  S(br.telkom),      S(br.telkom2),  S(br.email),
        S(br.adreswww), S(br.uwagi),  S(br.kodpocztowy), S(br.nip)};
    EXPECT_EQ(texts, (std::vector<std::string>{"Jan", "Kowalski", "Opole", "Polna", "5a", "t1",
                                               "t2", "k1", "k2", "j@k.pl", "www", "uw", "45-001",
                                               "123-45"}));
    // Same columns for clients, except the tax number, which only breeders show.
    ASSERT_EQ(store_.Clients().count(8), 1u);
    EXPECT_EQ(S(store_.Clients().at(8).nazwisko), "Nowak");
    EXPECT_EQ(S(store_.Clients().at(8).kodpocztowy), "00-950");
    EXPECT_EQ(store_.Clients().at(8).wojewodztwo, 3);
    EXPECT_EQ(S(store_.Clients().at(8).nip), "");
}

// A NULL date (a row written by another tool) is a date not set, as the program writes one; read
// as 0 the bird editor would show it as 1 January 1970, ticked, and write that back.
TEST_F(LoadersTest, NullColumnsLoadAsEmptyZeroOrUnsetDates) {
    P("INSERT INTO pigeons(id) VALUES (1)");
    P("INSERT INTO pigeons(id, DataF1, DataUrodzenia) VALUES (2, 0, 0)");
    P("INSERT INTO pary(id) VALUES (3)");
    P("INSERT INTO dzieci(id, id_pary) VALUES (8, 3)");
    P("INSERT INTO loty(id) VALUES (4)");
    P("INSERT INTO lotniki(id, id_lotu, id_golebia) VALUES (9, 4, 1)");
    P("INSERT INTO transakcje(id) VALUES (5)");
    P("INSERT INTO lekisuplementy(id, id_golebia) VALUES (10, -2)");
    X("INSERT INTO klienci(id) VALUES (6)");
    X("INSERT INTO sezonylotowe(id) VALUES (7)");
    Reload(0);

    const PigeonRecord& bare = store_.Pigeons().at(1);
    EXPECT_EQ(bare.id_matki, 0);
    EXPECT_TRUE(bare.nazwa.empty());
    EXPECT_TRUE(bare.nr_obraczki.empty());
    // A stored 0 is read as stored, except the roof date, where 0 has always meant not set.
    EXPECT_EQ(store_.Pigeons().at(2).DataF1, kNoDate);
    EXPECT_EQ(store_.Pigeons().at(2).DataUrodzenia, 0);

    // Rows without a loft belong to loft 0 here, which is what was loaded.
    ASSERT_EQ(store_.Pairs().size(), 1u);
    ASSERT_EQ(store_.Pairs()[0].young.size(), 1u);
    ASSERT_EQ(store_.Flights().size(), 1u);
    ASSERT_EQ(store_.Flights()[0].entries.size(), 1u);
    EXPECT_DOUBLE_EQ(store_.Flights()[0].odleglosckm, 0.0);
    EXPECT_TRUE(store_.Flights()[0].miejscowosc.empty());
    ASSERT_EQ(store_.Transactions().count(5), 1u);
    EXPECT_DOUBLE_EQ(store_.Transactions().at(5).cena, 0.0);
    ASSERT_EQ(store_.FlockTreatments().size(), 1u);
    EXPECT_TRUE(store_.Clients().at(6).imie.empty());
    ASSERT_EQ(store_.FlightSeasons().size(), 1u);

    const std::pair<const char*, Time64> dates[] = {
        {"bird added", bare.DataDodania},
        {"bird hatched", bare.DataUrodzenia},
        {"bird bought", bare.DataKupna},
        {"bird sold", bare.DataSprzedazy},
        {"bird gone", bare.DataOdejscia},
        {"bird on the roof", bare.DataF1},
        {"paired", store_.Pairs()[0].DataParowania},
        {"eggs laid", store_.Pairs()[0].DataZlozeniaJaj},
        {"hatched", store_.Pairs()[0].DataWylegu},
        {"pair added", store_.Pairs()[0].DataDodania},
        {"young added", store_.Pairs()[0].young[0].DataDodania},
        {"released", store_.Flights()[0].czasodlotu},
        {"first arrival", store_.Flights()[0].czas_pierwszego_w_konk},
        {"last arrival", store_.Flights()[0].czas_ostatniego_w_konk},
        {"arrival", store_.Flights()[0].entries[0].DataCzasPrzylotu},
        {"transaction", store_.Transactions().at(5).data},
        {"treatment", store_.FlockTreatments()[0].data_podania},
        {"season start", store_.FlightSeasons()[0].DATA_B},
        {"season end", store_.FlightSeasons()[0].DATA_E},
    };
    for (const auto& [name, date] : dates) EXPECT_EQ(date, kNoDate) << name;
    // The unset release gives the result no speed.
    EXPECT_FLOAT_EQ(store_.Pigeons().at(1).speedSum, 0.0f);
}

TEST_F(LoadersTest, TheLoadedLoftIsKeptApartFromTheOthers) {
    P("INSERT INTO hodowla(id, nazwahodowli, opishodowli) VALUES (1, 'Alfa', 'opis A')");
    P("INSERT INTO hodowla(id, nazwahodowli) VALUES (2, 'Beta')");
    P("INSERT INTO kategoria(id, nazwakategorii, id_hodowli, opiskategorii) "
      "VALUES (10, 'Młode', 2, NULL), (11, 'Lotowe', 1, 'd'), (12, 'Rozpłodowe', 1, NULL)");
    Bird(1, 1);
    Bird(2, 1);
    Bird(3, 2);
    Bird(4, 1);
    P("INSERT INTO transakcje(id, id_hodowli, cena, waluta) VALUES (1, 1, 12.5, 0), "
      "(2, 2, 100, 1), (3, 1, 12345.67, 2)");
    X("INSERT INTO notatki(id, id_hodowli, nazwa) VALUES (1, 2, 'B'), (2, 1, 'A')");
    P("INSERT INTO pary(id, id_hodowli, id_samca, id_samicy) VALUES (1, 1, 1, 2), (2, 2, 3, 3)");
    P("INSERT INTO dzieci(id, id_pary, id_hodowli, id_golebia) VALUES (1, 1, 1, 4), "
      "(2, 1, 2, 3), (3, 2, 2, 3), (4, 1, 1, 2)");
    Flight(1, 2, "Beta-lot", 100, 0);
    Flight(2, 1, "Alfa-lot", 100, 0);
    Result(2, 1, 1, 5, 3000);
    Result(1, 2, 3, 5, 3000);
    Reload(1);

    ASSERT_EQ(store_.Lofts().size(), 2u);
    EXPECT_EQ(S(store_.Lofts()[0].nazwahodowli), "Alfa");
    EXPECT_EQ(S(store_.Lofts()[0].opishodowli), "opis A");
    EXPECT_EQ(store_.Lofts()[0].pigeonCount, 3);
    EXPECT_EQ(store_.Lofts()[1].pigeonCount, 1);
    ASSERT_EQ(store_.Lofts()[0].categories.size(), 2u);
    EXPECT_EQ(S(store_.Lofts()[0].categories[0].nazwakategorii), "Lotowe");
    EXPECT_EQ(S(store_.Lofts()[0].categories[0].opiskategorii), "d");
    EXPECT_EQ(S(store_.Lofts()[0].categories[1].nazwakategorii), "Rozpłodowe");
    EXPECT_EQ(store_.Lofts()[0].categories[1].id_hodowli, 1);
    ASSERT_EQ(store_.Lofts()[1].categories.size(), 1u);
    EXPECT_EQ(store_.Lofts()[1].categories[0].id, 10);
    EXPECT_EQ(store_.FindLoftIndex(2), 1);
    EXPECT_EQ(store_.FindLoftIndex(5), -1);

    EXPECT_EQ(store_.Pigeons().size(), 4u);  // birds of every loft
    ASSERT_EQ(store_.Transactions().size(), 2u);
    EXPECT_DOUBLE_EQ(store_.Transactions().at(1).cena, 12.5);
    EXPECT_DOUBLE_EQ(store_.Transactions().at(3).cena, 12345.67);
    ASSERT_EQ(store_.Notes().size(), 1u);
    EXPECT_EQ(S(store_.Notes()[0].nazwa), "A");

    ASSERT_EQ(store_.Pairs().size(), 1u);
    ASSERT_EQ(store_.Pairs()[0].young.size(), 2u);  // only the young of this loft, in row order
    EXPECT_EQ(store_.Pairs()[0].young[0].id_golebia, 4);
    EXPECT_EQ(store_.Pairs()[0].young[1].id_golebia, 2);
    ASSERT_EQ(store_.AllPairs().size(), 2u);
    EXPECT_EQ(store_.AllPairs()[0].young.size(), 3u);  // every young of the pair
    EXPECT_EQ(store_.AllPairs()[0].young[1].id, 2);
    EXPECT_EQ(store_.AllPairs()[1].young.size(), 1u);

    ASSERT_EQ(store_.Flights().size(), 1u);
    EXPECT_EQ(S(store_.Flights()[0].miejscowosc), "Alfa-lot");
    EXPECT_EQ(store_.Flights()[0].entries.size(), 1u);
    ASSERT_EQ(store_.AllFlights().size(), 2u);
    EXPECT_TRUE(store_.AllFlights()[0].entries.empty());
    EXPECT_TRUE(store_.AllFlights()[1].entries.empty());
    // Results of another loft's flights do not count.
    EXPECT_EQ(store_.Pigeons().at(3).flightCount, 0);
    EXPECT_EQ(store_.Pigeons().at(1).flightCount, 1);

    // A loft id that names no loft loads the unfiltered lists only.
    Reload(7);
    EXPECT_EQ(store_.Pigeons().size(), 4u);
    EXPECT_EQ(store_.AllPairs().size(), 2u);
    EXPECT_TRUE(store_.Pairs().empty());
    EXPECT_TRUE(store_.Flights().empty());
    EXPECT_TRUE(store_.Transactions().empty());
    EXPECT_TRUE(store_.Notes().empty());
}

TEST_F(LoadersTest, ReloadingReplacesInsteadOfAdding) {
    Bird(1, 1);
    P("INSERT INTO zdjecia(id_golebia, rozszerzenie) VALUES (1, 'jpg')");
    P("INSERT INTO lekisuplementy(id_golebia, nazwa) VALUES (-2, 'szczepienie'), (1, 'witaminy')");
    P("INSERT INTO pary(id, id_hodowli) VALUES (1, 1)");
    P("INSERT INTO dzieci(id_pary, id_hodowli) VALUES (1, 1)");
    Flight(1, 1, "A", 100, 0);
    Result(1, 1, 1, 3, 3000);
    X("INSERT INTO notatki(id_hodowli, nazwa) VALUES (1, 'n')");
    X("INSERT INTO sezonylotowe(Nazwa) VALUES ('2010')");
    X("INSERT INTO sezonylegowe(Nazwa) VALUES ('2010')");
    X("INSERT INTO kolory(nazwa) VALUES ('biały')");
    P("INSERT INTO hodowla(id, nazwahodowli) VALUES (1, 'A')");
    P("INSERT INTO kategoria(nazwakategorii, id_hodowli) VALUES ('k', 1)");

    Reload(1);
    Reload(1);
    Reload(1);
    EXPECT_EQ(store_.Lofts().size(), 1u);
    EXPECT_EQ(store_.Lofts()[0].categories.size(), 1u);
    EXPECT_EQ(store_.Pigeons().size(), 1u);
    EXPECT_EQ(store_.Pigeons().at(1).photos.size(), 1u);
    EXPECT_EQ(store_.Pigeons().at(1).treatments.size(), 1u);
    EXPECT_EQ(store_.FlockTreatments().size(), 1u);
    EXPECT_EQ(store_.Pairs().size(), 1u);
    EXPECT_EQ(store_.Pairs()[0].young.size(), 1u);
    EXPECT_EQ(store_.AllPairs()[0].young.size(), 1u);
    EXPECT_EQ(store_.Flights().size(), 1u);
    EXPECT_EQ(store_.Flights()[0].entries.size(), 1u);
    EXPECT_EQ(store_.Pigeons().at(1).flightCount, 1);  // statistics are not counted twice
    EXPECT_EQ(store_.Pigeons().at(1).positionSum, 3);
    EXPECT_EQ(store_.Notes().size(), 1u);
    EXPECT_EQ(store_.FlightSeasons().size(), 1u);
    EXPECT_EQ(store_.BreedingSeasons().size(), 1u);
    EXPECT_EQ(store_.ColourNames().size(), 2u);
}

TEST_F(LoadersTest, FlightStatisticsOfABird) {
    Bird(5, 1);
    Bird(6, 1);
    Bird(7, 1);
    Bird(8, 1);
    Flight(1, 1, "Opole", 100, 0);     // 100 km
    Flight(2, 1, "Poznań", 200, 500);  // 200.5 km
    Flight(3, 2, "Cudzy", 100, 0);     // another loft's flight
    Result(1, 1, 5, 3, 3000);
    Result(2, 1, 5, 8, 7000);
    Result(3, 2, 5, 1, 1000);
    // Arrival at the release time itself: counts, with speed 0 and without NaN.
    Result(1, 1, 6, 4, 0);
    Result(2, 1, 6, 0, -60);
    // A result row of another loft in this loft's flight is neither listed nor counted: a bird's
    // figures are those of the results its lists show.
    Result(2, 2, 7, 2, 6000);
    // Equal positions: the first flight's place stays.
    Result(1, 1, 8, 6, 4000);
    Result(2, 1, 8, 6, 8000);
    // A result of a bird that is not stored creates no bird.
    Result(1, 1, 99, 1, 3000);
    Reload(1);

    const PigeonRecord& a = store_.Pigeons().at(5);
    EXPECT_EQ(a.flightCount, 2);
    EXPECT_EQ(a.positionSum, 11);
    EXPECT_EQ(a.averagePosition, 5);
    EXPECT_EQ(a.bestPosition, 3);
    EXPECT_EQ(S(a.bestPlace), "Opole");
    const float first = static_cast<float>(100000.0 / 3000.0 * 60.0);
    const float second = static_cast<float>(200500.0 / 7000.0 * 60.0);
    EXPECT_FLOAT_EQ(first, 2000.0f);
    EXPECT_FLOAT_EQ(a.speedSum, first + second);

    const PigeonRecord& b = store_.Pigeons().at(6);
    EXPECT_EQ(b.flightCount, 2);
    EXPECT_EQ(b.positionSum, 4);
    EXPECT_EQ(b.averagePosition, 2);
    EXPECT_EQ(b.bestPosition, 0);  // positions compare as stored, 0 included
    EXPECT_EQ(S(b.bestPlace), "Poznań");
    EXPECT_TRUE(std::isfinite(b.speedSum));
    EXPECT_FLOAT_EQ(b.speedSum, 0.0f);

    const PigeonRecord& c = store_.Pigeons().at(7);
    EXPECT_EQ(c.flightCount, 0);
    EXPECT_EQ(c.bestPosition, 100000);
    EXPECT_FLOAT_EQ(c.speedSum, 0.0f);

    EXPECT_EQ(S(store_.Pigeons().at(8).bestPlace), "Opole");
    EXPECT_EQ(store_.Pigeons().count(99), 0u);

    ASSERT_EQ(store_.Flights().size(), 2u);
    ASSERT_EQ(store_.Flights()[0].entries.size(), 4u);
    EXPECT_EQ(store_.Flights()[0].entries[0].nr_konkursu, 3);
    EXPECT_EQ(store_.Flights()[0].entries[3].id_golebia, 99);
    ASSERT_EQ(store_.Flights()[1].entries.size(), 3u);  // bird 7's row of loft 2 is left out
    for (const FlightResultEntry& e : store_.Flights()[1].entries) EXPECT_NE(e.id_golebia, 7);
}

TEST_F(LoadersTest, ResultFieldsAreReadWithTheirFractions) {
    Bird(1, 1);
    Flight(1, 1, "A", 100, 0);
    P("INSERT INTO lotniki(id, id_lotu, id_hodowli, id_golebia, DataCzasPrzylotu, nr_konkursu, "
      "nr_konkursu_sekcja, CoefficientOddzialowy, CoefficientSekcyjny, PunktyOddzial, "
      "PunktySekcja, notatki) VALUES (4, 1, 1, 1, 1277963400, 12, 3, 1.25, 0.5, 47.5, 20.75, "
      "'dobry')");
    Reload(1);
    ASSERT_EQ(store_.Flights().at(0).entries.size(), 1u);
    const FlightResultEntry& e = store_.Flights()[0].entries[0];
    EXPECT_EQ(e.id, 4);
    EXPECT_EQ(e.id_lotu, 1);
    EXPECT_EQ(e.id_hodowli, 1);
    EXPECT_EQ(e.id_golebia, 1);
    EXPECT_EQ(e.DataCzasPrzylotu, 1277963400);
    EXPECT_EQ(e.nr_konkursu, 12);
    EXPECT_EQ(e.nr_konkursu_sekcja, 3);
    EXPECT_FLOAT_EQ(e.CoefficientOddzialowy, 1.25f);
    EXPECT_FLOAT_EQ(e.CoefficientSekcyjny, 0.5f);
    EXPECT_FLOAT_EQ(e.PunktyOddzial, 47.5f);
    EXPECT_FLOAT_EQ(e.PunktySekcja, 20.75f);
    EXPECT_EQ(S(e.notatki), "dobry");
}

TEST_F(LoadersTest, AttachmentsAndTreatmentsHangUnderTheirBirdOrAreDropped) {
    Bird(1, 1);
    P("INSERT INTO zdjecia(id, id_golebia, id_hodowli, rodzaj, kategoria, subkategoria, "
      "rozszerzenie, classify1, opis1) VALUES (5, 1, 1, 0, 2, 0, 'png', 4, 'głowa'), "
      "(6, 42, 1, 0, 0, 0, 'jpg', 0, 'sierota')");
    P("INSERT INTO dokumenty(id, id_hodowli, rodzaj, id_wlasciciela, kategoria, subkategoria, "
      "rozszerzenie, nazwa, opis1) VALUES (3, 1, 0, 1, 0, 0, 'pdf', 'rodowód', 'skan'), "
      "(4, 1, 0, 43, 0, 0, 'pdf', 'x', 'y')");
    P("INSERT INTO lekisuplementy(id, id_hodowli, rodzaj, id_golebia, kategoria, data_podania, "
      "nazwa, dawka, dzialanie, uwagi) VALUES (1, 2, 0, -2, 1, 1000, 'paramyksowiroza', "
      "'1 ml', 'szczepionka', 'całe stado'), (2, 1, 0, 1, 2, 2000, 'witaminy', 'd', 'e', 'f'), "
      "(3, 1, 0, 0, 0, 0, 'nikt', '', '', ''), (4, 1, 0, 44, 0, 0, 'brak ptaka', '', '', '')");
    Reload(1);

    EXPECT_EQ(store_.Pigeons().size(), 1u);  // no bird made up for orphaned rows
    const PigeonRecord& b = store_.Pigeons().at(1);
    ASSERT_EQ(b.photos.size(), 1u);
    EXPECT_EQ(b.photos[0].id, 5);
    EXPECT_EQ(b.photos[0].kategoria, 2);
    EXPECT_EQ(b.photos[0].classify1, 4);
    EXPECT_EQ(S(b.photos[0].rozszerzenie), "png");
    EXPECT_EQ(S(b.photos[0].opis1), "głowa");
    EXPECT_TRUE(b.photos[0].path.empty());
    ASSERT_EQ(b.documents.size(), 1u);
    EXPECT_EQ(b.documents[0].id_wlasciciela, 1);
    EXPECT_EQ(S(b.documents[0].nazwa), "rodowód");
    EXPECT_EQ(S(b.documents[0].opis1), "skan");
    ASSERT_EQ(b.treatments.size(), 1u);
    EXPECT_EQ(S(b.treatments[0].nazwa), "witaminy");
    EXPECT_EQ(b.treatments[0].kategoria, 2);
    EXPECT_EQ(b.treatments[0].data_podania, 2000);
    // The whole flock's treatment is kept whatever its loft; a row of no bird is in no list.
    ASSERT_EQ(store_.FlockTreatments().size(), 1u);
    const TreatmentRecord& flock = store_.FlockTreatments()[0];
    EXPECT_EQ(flock.id_golebia, -2);
    EXPECT_EQ(S(flock.dawka), "1 ml");
    EXPECT_EQ(S(flock.dzialanie), "szczepionka");
    EXPECT_EQ(S(flock.uwagi), "całe stado");
}

TEST_F(LoadersTest, BreedingSeasonsNewestFirstFlightSeasonsInRowOrder) {
    // Starts 2009-03-01, 2011-03-01, 2010-03-01 and another 2009-03-01.
    X("INSERT INTO sezonylegowe(id, Nazwa, DATA_B, DATA_E) VALUES (1, '2009a', 1235862061, 1), "
      "(2, '2011', 1298934061, 2), (3, '2010', 1267398061, 3), (4, '2009b', 1235862061, 4)");
    X("INSERT INTO sezonylotowe(id, id_hodowli, Nazwa, DATA_B) VALUES (1, 2, '2009', 1235862061), "
      "(2, 1, '2011', 1298934061), (3, 1, '2010', 1267398061)");
    Reload(1);

    std::vector<std::string> breeding;
    for (const SeasonRecord& s : store_.BreedingSeasons()) breeding.push_back(S(s.Nazwa));
    EXPECT_EQ(breeding, (std::vector<std::string>{"2011", "2010", "2009a", "2009b"}));
    EXPECT_EQ(store_.BreedingSeasons()[0].DATA_E, 2);
    std::vector<std::string> flight;
    for (const SeasonRecord& s : store_.FlightSeasons()) flight.push_back(S(s.Nazwa));
    EXPECT_EQ(flight, (std::vector<std::string>{"2009", "2011", "2010"}));  // all lofts
    EXPECT_EQ(store_.FlightSeasons()[0].id_hodowli, 2);
}

TEST_F(LoadersTest, BreedingSeasonsWithTheSameStartKeepTheirRowOrder) {
    // Enough seasons that an unstable sort would mix up those that start on the same day.
    const long long starts[3] = {1235862061, 1298934061, 1267398061};
    for (int id = 1; id <= 60; ++id) {
        X("INSERT INTO sezonylegowe(id, Nazwa, DATA_B) VALUES (" + std::to_string(id) + ", 's', " +
          std::to_string(starts[(id * 7) % 3]) + ")");
    }
    store_.LoadExtraDb(1);
    ASSERT_EQ(store_.BreedingSeasons().size(), 60u);
    for (size_t i = 1; i < store_.BreedingSeasons().size(); ++i) {
        const SeasonRecord& before = store_.BreedingSeasons()[i - 1];
        const SeasonRecord& after = store_.BreedingSeasons()[i];
        ASSERT_GE(before.DATA_B, after.DATA_B);
        if (before.DATA_B == after.DATA_B) {
            ASSERT_LT(before.id, after.id);
        }
    }
}

TEST_F(LoadersTest, DictionariesShowABlankForNoChoice) {
    Reload(1);
    EXPECT_EQ(store_.ColourNames(), (NameMap{{0, u" "}}));
    EXPECT_TRUE(store_.ColourValues().empty());
    EXPECT_EQ(store_.StatusNames(), (NameMap{{0, u" "}}));

    X("INSERT INTO kolory(id, id_hodowli, nazwa, nazwaf, f1) VALUES (3, 2, 'niebieski', 'x', "
      "16711680)");
    X("INSERT INTO linia(id, id_hodowli, id_gatunku, nazwa) VALUES (4, 1, 9, 'Janssen')");
    X("INSERT INTO koloroka(id, id_hodowli, id_podgatunku, nazwa) VALUES (5, 1, 9, 'perłowe')");
    X("INSERT INTO gatunekrasa(id, nazwa) VALUES (6, 'pocztowy')");
    X("INSERT INTO statusy(id, nazwa, opis) VALUES (7, 'lotowy', 'o')");
    store_.LoadExtraDb(1);
    EXPECT_EQ(store_.ColourNames(), (NameMap{{0, u" "}, {3, U("niebieski")}}));
    EXPECT_EQ(store_.ColourValues(), (std::map<int, int>{{3, 16711680}}));
    EXPECT_EQ(store_.LineNames(), (NameMap{{0, u" "}, {4, U("Janssen")}}));
    EXPECT_EQ(store_.EyeColourNames(), (NameMap{{0, u" "}, {5, U("perłowe")}}));
    EXPECT_EQ(store_.BreedNames(), (NameMap{{0, u" "}, {6, U("pocztowy")}}));
    EXPECT_EQ(store_.StatusNames(), (NameMap{{0, u" "}, {7, U("lotowy")}}));
}

TEST_F(LoadersTest, LookupsForDisplayNeverAddEntries) {
    Bird(1, 1);
    Reload(1);
    const PigeonRecord& missing = store_.FindPigeon(2);
    EXPECT_EQ(missing.id, 0);
    EXPECT_EQ(missing.bestPosition, 100000);
    EXPECT_EQ(missing.DataF1, -1);
    EXPECT_TRUE(missing.photos.empty());
    EXPECT_EQ(&store_.FindPigeon(1), &store_.Pigeons().at(1));
    EXPECT_TRUE(store_.FindClient(3).nazwisko.empty());
    EXPECT_TRUE(store_.FindBreeder(3).imie.empty());
    EXPECT_EQ(CDataStore::FindName(store_.ColourNames(), 0), u" ");
    EXPECT_TRUE(CDataStore::FindName(store_.ColourNames(), 9).empty());
    EXPECT_EQ(store_.Pigeons().size(), 1u);
    EXPECT_TRUE(store_.Clients().empty());
    EXPECT_TRUE(store_.Breeders().empty());
    EXPECT_EQ(store_.ColourNames().size(), 1u);
}

TEST_F(LoadersTest, CategoryMembersAndPrintListInRowOrder) {
    P("INSERT INTO kategoria_id(id, id_kategorii, id_golebia) VALUES (1, 2, 30), (2, 1, 10), "
      "(3, 2, 20), (4, 2, 30), (5, 1, 40)");
    X("INSERT INTO ild(id, id_golebia) VALUES (1, 7), (2, 5), (3, 9)");

    const std::vector<CategoryMember> members = store_.LoadCategoryMembers(2);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].rowId, 1);
    EXPECT_EQ(members[0].pigeonId, 30);
    EXPECT_EQ(members[1].pigeonId, 20);
    EXPECT_EQ(members[2].rowId, 4);  // the same bird may be a member twice
    EXPECT_EQ(members[2].categoryId, 2);
    EXPECT_TRUE(store_.LoadCategoryMembers(3).empty());
    EXPECT_EQ(store_.LoadIldList(), (std::vector<int>{7, 5, 9}));
}

TEST_F(LoadersTest, StatementsOnAFileBindUserText) {
    const Text name = U("Gołąb O'Briena'); DROP TABLE pigeons; --");
    EXPECT_TRUE(store_.ExecSqlOnFile(PigeonsDbPath(),
                                     u"INSERT INTO pigeons(id, nazwa) VALUES (?1, ?2);",
                                     {SqlInt(3), SqlText(name)}));
    EXPECT_EQ(U(QueryText(PigeonsDbPath(), "SELECT nazwa FROM pigeons WHERE id = 3")), name);
    EXPECT_TRUE(store_.ExecSqlOnFile(PigeonsDbPath(), u"UPDATE pigeons SET plec = 2;"));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT plec FROM pigeons WHERE id = 3"), 2);
    EXPECT_FALSE(store_.ExecSqlOnFile(PigeonsDbPath(), u"UPDATE nosuchtable SET a = 1;"));
}

}  // namespace
