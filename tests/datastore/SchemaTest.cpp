#include <set>

#include "Schema.h"
#include "TestSupport.h"

namespace {

// The columns every stored file has, as PRAGMA table_info reports them: name, declared type,
// then PK / NOT NULL / DEFAULT 0 where they apply. Files of earlier builds carry exactly these
// (odd declared types included), so a new file must come out the same.
struct ExpectedTable {
    const char* name;
    std::vector<std::string> columns;
};

const std::vector<ExpectedTable> kExpectedTables = {
    {"pigeons",
        {"id INTEGER PK", "id_hodowli INTEGER", "nazwa TEXT", "kraj TEXT", "oddzial TEXT",
         "rocznik TEXT", "nr_obraczki TEXT", "genotyp TEXT", "fenotyp TEXT", "id_matki INTEGER",
         "id_ojca INTEGER DEFAULT 0", "id_wlasciciela INTEGER DEFAULT 0",
         "id_hodowcy INTEGER DEFAULT 0", "id_rasy INTEGER DEFAULT 0",
         "id_linia INTEGER DEFAULT 0", "id_koloroka INTEGER DEFAULT 0",
         "id_koloru INTEGER DEFAULT 0", "plec INTEGER DEFAULT 0",
         "id_statusu INTEGER DEFAULT 0", "ocena_ogolna INTEGER DEFAULT 0",
         "ocena_zdrowia INTEGER DEFAULT 0", "ocena_upierzenia INTEGER DEFAULT 0",
         "ocena_lotowa INTEGER DEFAULT 0", "id_kraju INTEGER DEFAULT 0",
         "ikona INTEGER DEFAULT 0", "id_statusu2 INTEGER DEFAULT 0", "DataDodania INTEGER(64)",
         "DataUrodzenia INTEGER(64)", "DataKupna INTEGER(64)", "DataSprzedazy INTEGER(64)",
         "DataOdejscia INTEGER(64)", "DataOstatniejAktualizacji INTEGER(64)",
         "NotatkaRodowodowa0 TEXT", "NotatkaRodowodowa1 TEXT", "NotatkaRodowodowa2 TEXT",
         "NotatkaRodowodowa3 TEXT", "NotatkaRodowodowa4 TEXT", "NotatkaRodowodowa5 TEXT",
         "znakiszczegolne TEXT", "nr_chipu TEXT", "notatkiogolne TEXT",
         "notatkicechywygladu TEXT", "notatkichoroby TEXT", "notatkiproblemy TEXT",
         "notatkiwystawowe TEXT", "notatkif TEXT", "nrceli TEXT", "krotkiopis TEXT",
         "NieDrukuj INTEGER DEFAULT 0", "ZaznaczonyNaLiscie INTEGER DEFAULT 0",
         "niedostepny INTEGER DEFAULT 0", "rozplodowy INTEGER DEFAULT 0",
         "lotowy INTEGER DEFAULT 0", "ignorowany INTEGER DEFAULT 0", "chory INTEGER DEFAULT 0",
         "sprzedany INTEGER DEFAULT 0", "ukryty INTEGER DEFAULT 0", "vet INTEGER DEFAULT 0",
         "last_pair INTEGER DEFAULT 0", "last_fly INTEGER DEFAULT 0",
         "last_konk INTEGER DEFAULT 0", "CF1 INTEGER DEFAULT 0", "CF2 INTEGER DEFAULT 0",
         "DataF1 INTEGER(64)", "DataF2 INTEGER(64)", "DataF3 INTEGER(64)", "F1 INTEGER",
         "F2 INTEGER", "F3 INTEGER", "F4 INTEGER", "F5 INTEGER", "F6 INTEGER", "SF1 TEXT",
         "SF2 TEXT", "SF3 TEXT", "SF4 TEXT", "SF5 TEXT", "SF6 TEXT"}},
    {"pary",
        {"id INTEGER PK", "id_samca INTEGER", "id_samicy INTEGER", "id_hodowli INTEGER",
         "id_sezonu INTEGER", "ocena_pary INTEGER DEFAULT 0", "ocena_2 INTEGER DEFAULT 0",
         "ocena_3 INTEGER DEFAULT 0", "ocena_4 INTEGER DEFAULT 0", "DataParowania INTEGER(64)",
         "DataZlozeniaJaj INTEGER(64)", "DataWylegu INTEGER(64)", "DataDodania INTEGER(64)",
         "DataF1 INTEGER(64)", "DataF2 INTEGER(64)", "not_ojciec TEXT", "not_matka TEXT",
         "uwagi TEXT", "zlozonych INTEGER DEFAULT 0", "wyklute INTEGER DEFAULT 0",
         "stracone INTEGER DEFAULT 0", "metodaparowania INTEGER", "status INTEGER",
         "F1 INTEGER", "F2 INTEGER", "F3 INTEGER", "F4 INTEGER", "F5 INTEGER", "SF1 TEXT",
         "SF2 TEXT", "SF3 TEXT", "SF4 TEXT", "SF5 TEXT", "SF6 TEXT"}},
    {"dzieci",
        {"id INTEGER PK", "id_golebia INTEGER", "id_pary INTEGER", "id_hodowli INTEGER",
         "uwagi TEXT", "DataDodania INTEGER(64)", "FD1 INTEGER(64)", "FD2 INTEGER(64)",
         "Ocena_1 INTEGER DEFAULT 0", "Ocena_2 INTEGER DEFAULT 0", "Ocena_3 INTEGER DEFAULT 0",
         "F1 INTEGER", "F2 INTEGER", "F3 INTEGER", "F4 INTEGER", "F5 INTEGER", "SF1 TEXT",
         "SF2 TEXT", "SF3 TEXT", "SF4 TEXT SF5 TEXT"}},
    {"loty",
        {"id INTEGER PK", "id_hodowli INTEGER", "typ INTEGER DEFAULT 0",
         "subtyp INTEGER DEFAULT 0", "kategoria INTEGER DEFAULT 0",
         "kategoria2 INTEGER DEFAULT 0", "kategoria3 INTEGER", "odleglosckm INTEGER",
         "odlegloscm INTEGER", "liczba_hodowcow INTEGER", "liczba_hodowcow_sekcja INTEGER",
         "golebi_oddzial INTEGER", "golebi_sekcja INTEGER", "konkursow_oddzial INTEGER",
         "konkursow_sekcja INTEGER", "wlozonychgolebi INTEGER", "iloscwkonkursie INTEGER",
         "ocena INTEGER", "ocena2 INTEGER", "ocena3 INTEGER", "DL_stopnie INTEGER",
         "DL_minuty INTEGER", "DL_sekundy INTEGER", "SZ_stopnie INTEGER", "SZ_minuty INTEGER",
         "SZ_sekundy INTEGER", "czas_trwania_konkursu_g INTEGER",
         "czas_trwania_konkursu_m INTEGER", "czas_trwania_konkursu_s INTEGER",
         "czasodlotu INTEGER(64)", "czas_pierwszego_w_konk INTEGER(64)",
         "czas_ostatniego_w_konk INTEGER(64)", "FD1 INTEGER(64)", "FD2 INTEGER(64)",
         "miejscowosc TEXT", "kraj TEXT", "region TEXT", "kodpocztowy TEXT",
         "pogodalokalna TEXT", "pogodawmiejscuwypuszczenia TEXT", "notatki TEXT",
         "notatki2 TEXT", "notatki3 TEXT", "punktow_stalych NUMERIC(6,6) DEFAULT 0",
         "zagraniczny INTEGER", "important INTEGER DEFAULT 0", "CF1 INTEGER DEFAULT 0",
         "CF2 INTEGER DEFAULT 0", "CF3 INTEGER DEFAULT 0", "FS1 TEXT", "FS2 TEXT", "FS3 TEXT",
         "FS4 TEXT", "FS5 TEXT", "FF1 NUMERIC(10,6)", "FF2 NUMERIC(10,6)", "FI1 INTEGER",
         "FI2 INTEGER", "FI3 INTEGER", "FI4 INTEGER", "FI6 INTEGER", "FI5 INTEGER"}},
    {"lotniki",
        {"id INTEGER PK", "id_lotu INTEGER", "id_hodowli INTEGER", "id_golebia INTEGER",
         "DataCzasPrzylotu INTEGER(64)", "nr_konkursu INTEGER", "nr_konkursu_sekcja INTEGER",
         "CoefficientOddzialowy NUMERIC(6,6)", "CoefficientSekcyjny NUMERIC(6,6)",
         "PunktyOddzial NUMERIC(6,6)", "PunktySekcja NUMERIC(6,6)", "rate INTEGER DEFAULT 0",
         "rate2 INTEGER DEFAULT 0", "notprint INTEGER DEFAULT 0", "notatki TEXT",
         "notatki2 TEXT", "notatki3 TEXT", "CF1 INTEGER DEFAULT 0", "CF2 INTEGER DEFAULT 0",
         "CF3 INTEGER DEFAULT 0", "CF4 INTEGER DEFAULT 0", "FF1 NUMERIC(6,6)",
         "FF2 NUMERIC(6,6)", "FF3 NUMERIC(6,6)", "FF4 NUMERIC(6,6)", "FF5 NUMERIC(6,6)",
         "FS1 TEXT", "FS2 TEXT", "FS3 TEXT", "FS4 TEXT", "FS5 TEXT", "FI1 INTEGER",
         "FI2 INTEGER", "FI3 INTEGER", "FI4 INTEGER", "FI5 INTEGER"}},
    {"zdjecia",
        {"id INTEGER PK", "id_golebia INTEGER", "id_hodowli INTEGER", "rodzaj INTEGER",
         "kategoria INTEGER", "subkategoria INTEGER", "rozszerzenie TEXT",
         "classify1 INTEGER DEFAULT 0", "classify2 INTEGER DEFAULT 0",
         "classify3 INTEGER DEFAULT 0", "classify4 INTEGER DEFAULT 0",
         "classify5 INTEGER DEFAULT 0", "opis1 TEXT", "opis2 TEXT", "opis3 TEXT", "nazwa TEXT",
         "ocena INTEGER DEFAULT 0", "FI1 INTEGER", "FI2 INTEGER", "SF1 TEXT", "SF2 TEXT"}},
    {"dokumenty",
        {"id INTEGER PK", "id_hodowli INTEGER", "rodzaj INTEGER", "id_wlasciciela INTEGER",
         "kategoria INTEGER", "subkategoria INTEGER", "rozszerzenie TEXT", "nazwa TEXT",
         "opis1 TEXT", "opis2 TEXT", "opis3 TEXT", "SF1 TEXT", "F1 INTEGER", "F2 INTEGER"}},
    {"lekisuplementy",
        {"id INTEGER PK", "id_hodowli INTEGER", "rodzaj INTEGER", "id_golebia INTEGER",
         "kategoria INTEGER", "data_podania INTEGER(64)", "data_expire INTEGER(64)",
         "nazwa TEXT", "dawka TEXT", "dzialanie TEXT", "f1 INTEGER", "f2 INTEGER", "uwagi TEXT",
         "opis1 TEXT", "opis2 TEXT opis3 TEXT"}},
    {"transakcje",
        {"id INTEGER PK", "id_hodowli INTEGER", "id_golebia INTEGER", "id_klienta INTEGER",
         "cena NUMERIC(10,2)", "waluta INTEGER", "rodzajtransakcji INTEGER",
         "przedmiottransakcji INTEGER", "data INTEGER(64)", "innyprzedmiottransakcji TEXT",
         "not1 TEXT", "not2 TEXT", "not3 TEXT", "not4 TEXT", "not5 TEXT",
         "zaznaczonanaliscie INTEGER", "niedrukuj INTEGER", "tax1 NUMERIC(10,6)",
         "tax2 NUMERIC(10,6)", "flaga_wlasna1 INTEGER", "flaga_wlasna2 INTEGER"}},
    {"kategoria_id",
        {"id INTEGER PK", "id_kategorii INTEGER", "id_golebia INTEGER", "f1 INTEGER",
         "f2 INTEGER", "f3 INTEGER", "f4 INTEGER", "s1 TEXT", "s2 TEXT", "s3 TEXT"}},
    {"hodowla",
        {"id INTEGER PK", "nazwahodowli TEXT", "opishodowli TEXT", "notatka1 TEXT",
         "notatka2 TEXT", "notatka3 TEXT", "id_hodowcy INTEGER"}},
    {"kategoria",
        {"id INTEGER PK", "nazwakategorii TEXT", "id_hodowli INTEGER NOT NULL",
         "opiskategorii TEXT", "kat1 INTEGER", "kat2 INTEGER", "kat3 INTEGER", "fs1 TEXT",
         "fs2 TEXT", "fs3 TEXT"}},
    {"kolory",
        {"id INTEGER PK", "id_hodowli INTEGER", "nazwa TEXT", "nazwaf TEXT", "f1 INTEGER",
         "f2 INTEGER"}},
    {"ild",
        {"id INTEGER PK", "id_golebia INTEGER", "s1 TEXT", "f1 INTEGER", "f2 INTEGER"}},
    {"sezonylegowe",
        {"id INTEGER PK", "id_hodowli INTEGER", "Nazwa TEXT", "Opis TEXT", "DATA_B INTEGER(64)",
         "DATA_E INTEGER(64)", "DATA_3 INTEGER(64)", "DATA_4 INTEGER(64)", "s1 TEXT", "s2 TEXT",
         "f1 INTEGER", "f2 INTEGER f3 INTEGER f4 INTEGER"}},
    {"sezonylotowe",
        {"id INTEGER PK", "id_hodowli INTEGER", "Nazwa TEXT", "Opis TEXT", "DATA_B INTEGER(64)",
         "DATA_E INTEGER(64)", "DATA_3 INTEGER(64)", "DATA_4 INTEGER(64)", "s1 TEXT", "s2 TEXT",
         "f1 INTEGER", "f2 INTEGER f3 INTEGER f4 INTEGER"}},
    {"notatki",
        {"id INTEGER PK", "id_hodowli INTEGER", "nazwa TEXT", "opis TEXT", "tresc TEXT",
         "pas TEXT", "kategoria INTEGER", "ikona INTEGER", "f1 INTEGER", "f2 INTEGER",
         "f3 INTEGER"}},
    {"gatunekrasa",
        {"id INTEGER PK", "id_hodowli INTEGER", "nazwa TEXT", "nazwaf TEXT", "nazwalatin TEXT",
         "id_2 INTEGER", "f1 INTEGER", "f2 INTEGER", "f3 INTEGER", "sf1 TEXT", "sf2 TEXT",
         "sf3 TEXT"}},
    {"linia",
        {"id INTEGER PK", "id_hodowli INTEGER", "id_gatunku INTEGER", "nazwa TEXT",
         "nazwaf TEXT", "nazwalatin TEXT", "f1 INTEGER", "f2 INTEGER"}},
    {"koloroka",
        {"id INTEGER PK", "id_hodowli INTEGER", "id_podgatunku INTEGER", "nazwa TEXT",
         "nazwaf TEXT", "nazwalatin TEXT", "f1 INTEGER", "f2 INTEGER"}},
    {"statusy",
        {"id INTEGER PK", "id_hodowli INTEGER", "nazwa TEXT", "opis TEXT"}},
    {"klienci",
        {"id INTEGER PK", "hodowla INTEGER", "kategoria INTEGER", "subkategoria INTEGER",
         "typ INTEGER", "imie TEXT", "nazwisko TEXT", "miejscowosc TEXT", "ulica TEXT",
         "nrdomu TEXT", "teldom TEXT", "teldom2 TEXT", "telkom TEXT", "telkom2 TEXT",
         "email TEXT", "adreswww TEXT", "uwagi TEXT", "not1 TEXT", "not2 TEXT", "not3 TEXT",
         "wojewodztwo INTEGER", "kraj INTEGER", "kodpocztowy TEXT", "nip TEXT", "regon TEXT",
         "pesel TEXT", "nazwafirmy TEXT", "adresfirmy TEXT", "region TEXT",
         "nazwa_wyswietlana TEXT", "vip INTEGER DEFAULT 0", "ocena INTEGER DEFAULT 0",
         "referer INTEGER DEFAULT 0", "preferowany_kontakt INTEGER DEFAULT 0",
         "oddzial INTEGER", "id_klubu INTEGER", "klient_od INTEGER(64)",
         "dataurodzin INTEGER(64)", "fs1 TEXT", "fs2 TEXT", "fs3 TEXT", "fs4 TEXT", "fs5 TEXT",
         "df1 INTEGER(64)", "df2 INTEGER(64)", "f1 INTEGER", "f2 INTEGER", "f3 INTEGER"}},
    {"hodowcy",
        {"id INTEGER PK", "hodowla INTEGER", "kategoria INTEGER", "subkategoria INTEGER",
         "typ INTEGER", "imie TEXT", "nazwisko TEXT", "miejscowosc TEXT", "ulica TEXT",
         "nrdomu TEXT", "teldom TEXT", "teldom2 TEXT", "telkom TEXT", "telkom2 TEXT",
         "email TEXT", "adreswww TEXT", "uwagi TEXT", "not1 TEXT", "not2 TEXT", "not3 TEXT",
         "wojewodztwo INTEGER", "kraj INTEGER", "kodpocztowy TEXT", "nip TEXT", "regon TEXT",
         "pesel TEXT", "nazwafirmy TEXT", "adresfirmy TEXT", "region TEXT",
         "nazwa_wyswietlana TEXT", "vip INTEGER DEFAULT 0", "ocena INTEGER DEFAULT 0",
         "referer INTEGER DEFAULT 0", "preferowany_kontakt INTEGER DEFAULT 0",
         "oddzial INTEGER", "id_klubu INTEGER", "klient_od INTEGER(64)",
         "dataurodzin INTEGER(64)", "fs1 TEXT", "fs2 TEXT", "fs3 TEXT", "fs4 TEXT", "fs5 TEXT",
         "df1 INTEGER(64)", "df2 INTEGER(64)", "f1 INTEGER", "f2 INTEGER", "f3 INTEGER"}},
};

const std::set<std::string> kPigeonsDbTables = {
    "pigeons", "pary", "dzieci", "loty", "lotniki", "zdjecia", "dokumenty", "lekisuplementy",
    "transakcje", "kategoria_id", "hodowla", "kategoria"};
const std::set<std::string> kExtraDbTables = {
    "kolory", "ild", "sezonylegowe", "sezonylotowe", "notatki", "gatunekrasa", "linia",
    "koloroka", "statusy", "klienci", "hodowcy"};

std::vector<std::string> ColumnsOf(const Text& dbPath, const std::string& table) {
    std::vector<std::string> columns;
    SqlDatabase db(dbPath);
    SqlStatement st = db.Prepare(U("PRAGMA table_info(" + table + ");"));
    while (st.NextRow()) {
        std::string column = S(st.String(1)) + " " + S(st.String(2));
        if (st.Int(5) != 0) column += " PK";
        if (st.Int(3) != 0) column += " NOT NULL";
        if (!st.IsNull(4)) column += " DEFAULT " + S(st.String(4));
        columns.push_back(column);
    }
    return columns;
}

std::set<std::string> TablesIn(const Text& dbPath) {
    std::set<std::string> names;
    SqlDatabase db(dbPath);
    SqlStatement st = db.Prepare(u"SELECT name FROM sqlite_master WHERE type = 'table';");
    while (st.NextRow()) names.insert(S(st.String(0)));
    return names;
}

class SchemaTest : public DataStoreTest {};

TEST_F(SchemaTest, LoadingAnEmptyFolderCreatesBothFilesWithEveryTableAsStoredFilesHaveIt) {
    ASSERT_FALSE(std::filesystem::exists(ToFsPath(PigeonsDbPath())));
    Reload(1);

    EXPECT_EQ(TablesIn(PigeonsDbPath()), kPigeonsDbTables);
    EXPECT_EQ(TablesIn(ExtraDbPath()), kExtraDbTables);
    for (const ExpectedTable& table : kExpectedTables) {
        const Text& file = kPigeonsDbTables.count(table.name) ? PigeonsDbPath() : ExtraDbPath();
        EXPECT_EQ(ColumnsOf(file, table.name), table.columns) << "table " << table.name;
    }
    // New files hold their texts as UTF-16, as files of earlier builds do.
    EXPECT_EQ(QueryText(PigeonsDbPath(), "PRAGMA encoding;"), "UTF-16le");
    EXPECT_EQ(QueryText(ExtraDbPath(), "PRAGMA encoding;"), "UTF-16le");
}

TEST_F(SchemaTest, StoredDefinitionTextIsThatOfEarlierBuilds) {
    store_.LoadLofts();
    auto definition = [&](const std::string& table) {
        return QueryText(PigeonsDbPath(),
                         "SELECT sql FROM sqlite_master WHERE name = '" + table + "';");
    };
    EXPECT_EQ(definition("kategoria_id"),
              "CREATE TABLE kategoria_id(id INTEGER PRIMARY KEY, id_kategorii INTEGER, "
              "id_golebia INTEGER, f1 INTEGER, f2 INTEGER, f3 INTEGER, f4 INTEGER, s1 TEXT, "
              "s2 TEXT, s3 TEXT)");
    EXPECT_EQ(definition("hodowla"),
              "CREATE TABLE hodowla(id INTEGER\tPRIMARY KEY, nazwahodowli TEXT, opishodowli "
              "TEXT, notatka1 TEXT, notatka2\tTEXT , notatka3\tTEXT, id_hodowcy INTEGER, "
              "UNIQUE(nazwahodowli))");
    EXPECT_EQ(definition("kategoria"),
              "CREATE TABLE kategoria(id INTEGER PRIMARY KEY, nazwakategorii\tTEXT, id_hodowli "
              "INTEGER NOT NULL,  opiskategorii TEXT, kat1 INTEGER, kat2 INTEGER, kat3 INTEGER, "
              "fs1 TEXT, fs2 TEXT, fs3 TEXT )");
}

TEST_F(SchemaTest, LoadingAgainKeepsRowsAndNeverAltersAnExistingTable) {
    // A file another tool touched: hodowla has a column more than a new file would get.
    Exec(PigeonsDbPath(),
         "CREATE TABLE hodowla(id INTEGER PRIMARY KEY, nazwahodowli TEXT, opishodowli TEXT, "
         "notatka1 TEXT, notatka2 TEXT, notatka3 TEXT, id_hodowcy INTEGER, kolor TEXT)");
    Exec(PigeonsDbPath(),
         "INSERT INTO hodowla(id, nazwahodowli, kolor) VALUES (4, 'Stara', 'x')");
    Reload(4);
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id, id_hodowli, nr_obraczki) VALUES (9, 4, '1')");
    Exec(ExtraDbPath(), "INSERT INTO kolory(id, nazwa) VALUES (3, 'niebieski')");
    Reload(4);
    Reload(4);

    const std::vector<std::string> hodowla = ColumnsOf(PigeonsDbPath(), "hodowla");
    ASSERT_EQ(hodowla.size(), 8u);
    EXPECT_EQ(hodowla.back(), "kolor TEXT");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT kolor FROM hodowla WHERE id = 4"), "x");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM pigeons"), 1);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM kolory"), 1);
    ASSERT_EQ(store_.Lofts().size(), 1u);
    EXPECT_EQ(store_.Lofts()[0].pigeonCount, 1);
    EXPECT_EQ(store_.Pigeons().size(), 1u);

    // A table dropped by hand comes back empty at the next load.
    Exec(ExtraDbPath(), "DROP TABLE statusy");
    store_.LoadExtraDb(4);
    EXPECT_EQ(ColumnsOf(ExtraDbPath(), "statusy").size(), 4u);
}

TEST_F(SchemaTest, NamesThatMustStayUniqueAreRefused) {
    Reload(1);
    auto refused = [&](const Text& file, const std::string& insert) {
        SqlDatabase db(file);
        return !db.Exec(U(insert));
    };
    EXPECT_FALSE(refused(PigeonsDbPath(), "INSERT INTO hodowla(nazwahodowli) VALUES ('A')"));
    EXPECT_TRUE(refused(PigeonsDbPath(), "INSERT INTO hodowla(nazwahodowli) VALUES ('A')"));
    EXPECT_TRUE(refused(PigeonsDbPath(), "INSERT INTO kategoria(nazwakategorii) VALUES ('k')"));
    for (const char* table : {"kolory", "gatunekrasa", "linia", "koloroka", "statusy"}) {
        const std::string insert =
            std::string("INSERT INTO ") + table + "(nazwa) VALUES ('Szpak')";
        EXPECT_FALSE(refused(ExtraDbPath(), insert)) << table;
        EXPECT_TRUE(refused(ExtraDbPath(), insert)) << table;
    }
    // Names elsewhere may repeat.
    EXPECT_FALSE(refused(ExtraDbPath(), "INSERT INTO notatki(nazwa) VALUES ('x')"));
    EXPECT_FALSE(refused(ExtraDbPath(), "INSERT INTO notatki(nazwa) VALUES ('x')"));
}

}  // namespace
