#include "Schema.h"

#include "Sqlite.h"

// The statement texts are those the files were first created with. A few of them lack a comma
// between two column definitions (the last columns of `dzieci`, `lekisuplementy`, `sezonylegowe`
// and `sezonylotowe`); SQLite then reads the following words as part of the previous column's
// declared type. Files already in use carry exactly those definitions, so the texts stay as they
// are: a corrected text would give new files a different column list than existing ones.
//
// IF NOT EXISTS leaves an existing table untouched; SQLite stores the definition without those
// words, so the stored schema text is the same as that of a file created by a plain CREATE TABLE.

// Breeding and flight seasons are kept in two tables with the same columns.
#define OX_SEASON_COLUMNS \
          u"id INTEGER PRIMARY KEY, " \
          u"id_hodowli INTEGER, " \
          u"Nazwa TEXT, " \
          u"Opis TEXT, " \
          u"DATA_B INTEGER(64), " \
          u"DATA_E INTEGER(64), " \
          u"DATA_3 INTEGER(64), " \
          u"DATA_4 INTEGER(64), " \
          u"s1 TEXT, " \
          u"s2 TEXT, " \
          u"f1 INTEGER, " \
          u"f2 INTEGER f3 INTEGER f4 INTEGER);"

// Breeders and clients are kept in two tables with the same columns.
#define OX_PERSON_COLUMNS \
          u"id INTEGER PRIMARY KEY, " \
          u"hodowla INTEGER, " \
          u"kategoria INTEGER, " \
          u"subkategoria INTEGER, " \
          u"typ INTEGER, " \
          u"imie TEXT, " \
          u"nazwisko TEXT, " \
          u"miejscowosc TEXT, " \
          u"ulica TEXT, " \
          u"nrdomu TEXT, " \
          u"teldom TEXT, " \
          u"teldom2 TEXT, " \
          u"telkom TEXT, " \
          u"telkom2 TEXT, " \
          u"email TEXT, " \
          u"adreswww TEXT, " \
          u"uwagi TEXT, " \
          u"not1 TEXT, " \
          u"not2 TEXT, " \
          u"not3 TEXT, " \
          u"wojewodztwo INTEGER, " \
          u"kraj INTEGER, " \
          u"kodpocztowy TEXT, " \
          u"nip TEXT, " \
          u"regon TEXT, " \
          u"pesel TEXT, " \
          u"nazwafirmy TEXT, " \
          u"adresfirmy TEXT, " \
          u"region TEXT, " \
          u"nazwa_wyswietlana TEXT, " \
          u"vip INTEGER DEFAULT 0, " \
          u"ocena INTEGER DEFAULT 0, " \
          u"referer INTEGER DEFAULT 0, " \
          u"preferowany_kontakt INTEGER DEFAULT 0, " \
          u"oddzial INTEGER, " \
          u"id_klubu INTEGER, " \
          u"klient_od INTEGER(64), " \
          u"dataurodzin INTEGER(64), " \
          u"fs1 TEXT, " \
          u"fs2 TEXT, " \
          u"fs3 TEXT, " \
          u"fs4 TEXT, " \
          u"fs5 TEXT, " \
          u"df1 INTEGER(64), " \
          u"df2 INTEGER(64), " \
          u"f1 INTEGER, " \
          u"f2 INTEGER, " \
          u"f3 INTEGER);"

namespace {

const std::vector<TableDefinition> kLoftTables = {
  {u"kategoria_id",
      u"CREATE TABLE IF NOT EXISTS kategoria_id(id INTEGER PRIMARY KEY, "
          u"id_kategorii INTEGER, id_golebia INTEGER, f1 INTEGER, f2 INTEGER, f3 INTEGER, "
          u"f4 INTEGER, s1 TEXT, s2 TEXT, s3 TEXT);"},
  {u"hodowla",
      u"CREATE TABLE IF NOT EXISTS hodowla(id INTEGER\tPRIMARY KEY, nazwahodowli TEXT, "
          u"opishodowli TEXT, notatka1 TEXT, notatka2\tTEXT , notatka3\tTEXT, "
          u"id_hodowcy INTEGER, UNIQUE(nazwahodowli));"},
  {u"kategoria",
      u"CREATE TABLE IF NOT EXISTS kategoria(id INTEGER PRIMARY KEY, "
          u"nazwakategorii\tTEXT, id_hodowli INTEGER NOT NULL,  opiskategorii TEXT, "
          u"kat1 INTEGER, kat2 INTEGER, kat3 INTEGER, fs1 TEXT, fs2 TEXT, fs3 TEXT );"},
};

const std::vector<TableDefinition> kPigeonTables = {
  {u"pigeons",
      u"CREATE TABLE IF NOT EXISTS pigeons("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"nazwa TEXT, "
          u"kraj TEXT, "
          u"oddzial TEXT, "
          u"rocznik TEXT, "
          u"nr_obraczki TEXT, "
          u"genotyp TEXT, "
          u"fenotyp TEXT, "
          u"id_matki INTEGER, "
          u"id_ojca INTEGER DEFAULT 0, "
          u"id_wlasciciela INTEGER DEFAULT 0, "
          u"id_hodowcy INTEGER DEFAULT 0, "
          u"id_rasy INTEGER DEFAULT 0, "
          u"id_linia INTEGER DEFAULT 0, "
          u"id_koloroka INTEGER DEFAULT 0, "
          u"id_koloru INTEGER DEFAULT 0, "
          u"plec INTEGER DEFAULT 0, "
          u"id_statusu INTEGER DEFAULT 0, "
          u"ocena_ogolna INTEGER DEFAULT 0, "
          u"ocena_zdrowia INTEGER DEFAULT 0, "
          u"ocena_upierzenia INTEGER DEFAULT 0, "
          u"ocena_lotowa INTEGER DEFAULT 0, "
          u"id_kraju INTEGER DEFAULT 0, "
          u"ikona INTEGER DEFAULT 0, "
          u"id_statusu2 INTEGER DEFAULT 0, "
          u"DataDodania INTEGER(64), "
          u"DataUrodzenia INTEGER(64), "
          u"DataKupna INTEGER(64), "
          u"DataSprzedazy INTEGER(64), "
          u"DataOdejscia INTEGER(64), "
          u"DataOstatniejAktualizacji INTEGER(64), "
          u"NotatkaRodowodowa0 TEXT, "
          u"NotatkaRodowodowa1 TEXT, "
          u"NotatkaRodowodowa2 TEXT, "
          u"NotatkaRodowodowa3 TEXT, "
          u"NotatkaRodowodowa4 TEXT, "
          u"NotatkaRodowodowa5 TEXT, "
          u"znakiszczegolne TEXT, "
          u"nr_chipu TEXT, "
          u"notatkiogolne TEXT, "
          u"notatkicechywygladu TEXT, "
          u"notatkichoroby TEXT, "
          u"notatkiproblemy TEXT, "
          u"notatkiwystawowe TEXT, "
          u"notatkif TEXT, "
          u"nrceli TEXT, "
          u"krotkiopis TEXT, "
          u"NieDrukuj INTEGER DEFAULT 0, "
          u"ZaznaczonyNaLiscie INTEGER DEFAULT 0, "
          u"niedostepny INTEGER DEFAULT 0, "
          u"rozplodowy INTEGER DEFAULT 0, "
          u"lotowy INTEGER DEFAULT 0, "
          u"ignorowany INTEGER DEFAULT 0, "
          u"chory INTEGER DEFAULT 0, "
          u"sprzedany INTEGER DEFAULT 0, "
          u"ukryty INTEGER DEFAULT 0, "
          u"vet INTEGER DEFAULT 0, "
          u"last_pair INTEGER DEFAULT 0, "
          u"last_fly INTEGER DEFAULT 0, "
          u"last_konk INTEGER DEFAULT 0, "
          u"CF1 INTEGER DEFAULT 0, "
          u"CF2 INTEGER DEFAULT 0, "
          u"DataF1 INTEGER(64), "
          u"DataF2 INTEGER(64), "
          u"DataF3 INTEGER(64), "
          u"F1 INTEGER, "
          u"F2 INTEGER, "
          u"F3 INTEGER, "
          u"F4 INTEGER, "
          u"F5 INTEGER, "
          u"F6 INTEGER, "
          u"SF1 TEXT, "
          u"SF2 TEXT, "
          u"SF3 TEXT, "
          u"SF4 TEXT, "
          u"SF5 TEXT, "
          u"SF6 TEXT);"},
  {u"pary",
      u"CREATE TABLE IF NOT EXISTS pary("
          u"id INTEGER PRIMARY KEY, "
          u"id_samca INTEGER, "
          u"id_samicy INTEGER, "
          u"id_hodowli INTEGER, "
          u"id_sezonu INTEGER, "
          u"ocena_pary INTEGER DEFAULT 0, "
          u"ocena_2 INTEGER DEFAULT 0, "
          u"ocena_3 INTEGER DEFAULT 0, "
          u"ocena_4 INTEGER DEFAULT 0, "
          u"DataParowania INTEGER(64), "
          u"DataZlozeniaJaj INTEGER(64), "
          u"DataWylegu INTEGER(64), "
          u"DataDodania INTEGER(64), "
          u"DataF1 INTEGER(64), "
          u"DataF2 INTEGER(64), "
          u"not_ojciec TEXT, "
          u"not_matka TEXT, "
          u"uwagi TEXT, "
          u"zlozonych INTEGER DEFAULT 0, "
          u"wyklute INTEGER DEFAULT 0, "
          u"stracone INTEGER DEFAULT 0, "
          u"metodaparowania INTEGER, "
          u"status INTEGER, "
          u"F1 INTEGER, "
          u"F2 INTEGER, "
          u"F3 INTEGER, "
          u"F4 INTEGER, "
          u"F5 INTEGER, "
          u"SF1 TEXT, "
          u"SF2 TEXT, "
          u"SF3 TEXT, "
          u"SF4 TEXT, "
          u"SF5 TEXT, "
          u"SF6 TEXT);"},
  {u"dzieci",
      u"CREATE TABLE IF NOT EXISTS dzieci("
          u"id INTEGER PRIMARY KEY, "
          u"id_golebia INTEGER, "
          u"id_pary INTEGER, "
          u"id_hodowli INTEGER, "
          u"uwagi TEXT, "
          u"DataDodania INTEGER(64), "
          u"FD1 INTEGER(64), "
          u"FD2 INTEGER(64), "
          u"Ocena_1 INTEGER DEFAULT 0, "
          u"Ocena_2 INTEGER DEFAULT 0, "
          u"Ocena_3 INTEGER DEFAULT 0, "
          u"F1 INTEGER, "
          u"F2 INTEGER, "
          u"F3 INTEGER, "
          u"F4 INTEGER, "
          u"F5 INTEGER, "
          u"SF1 TEXT, "
          u"SF2 TEXT, "
          u"SF3 TEXT, "
          u"SF4 TEXT SF5 TEXT);"},
  {u"loty",
      u"CREATE TABLE IF NOT EXISTS loty("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"typ INTEGER DEFAULT 0, "
          u"subtyp INTEGER DEFAULT 0, "
          u"kategoria INTEGER DEFAULT 0, "
          u"kategoria2 INTEGER DEFAULT 0, "
          u"kategoria3 INTEGER, "
          u"odleglosckm INTEGER, "
          u"odlegloscm INTEGER, "
          u"liczba_hodowcow INTEGER, "
          u"liczba_hodowcow_sekcja INTEGER, "
          u"golebi_oddzial INTEGER, "
          u"golebi_sekcja INTEGER, "
          u"konkursow_oddzial INTEGER, "
          u"konkursow_sekcja INTEGER, "
          u"wlozonychgolebi INTEGER, "
          u"iloscwkonkursie INTEGER, "
          u"ocena INTEGER, "
          u"ocena2 INTEGER, "
          u"ocena3 INTEGER, "
          u"DL_stopnie INTEGER, "
          u"DL_minuty INTEGER, "
          u"DL_sekundy INTEGER, "
          u"SZ_stopnie INTEGER, "
          u"SZ_minuty INTEGER, "
          u"SZ_sekundy INTEGER, "
          u"czas_trwania_konkursu_g INTEGER, "
          u"czas_trwania_konkursu_m INTEGER, "
          u"czas_trwania_konkursu_s INTEGER, "
          u"czasodlotu INTEGER(64), "
          u"czas_pierwszego_w_konk INTEGER(64), "
          u"czas_ostatniego_w_konk INTEGER(64), "
          u"FD1 INTEGER(64), "
          u"FD2 INTEGER(64), "
          u"miejscowosc TEXT, "
          u"kraj TEXT, "
          u"region TEXT, "
          u"kodpocztowy TEXT, "
          u"pogodalokalna TEXT, "
          u"pogodawmiejscuwypuszczenia TEXT, "
          u"notatki TEXT, "
          u"notatki2 TEXT, "
          u"notatki3 TEXT, "
          u"punktow_stalych NUMERIC(6,6) DEFAULT 0, "
          u"zagraniczny INTEGER, "
          u"important INTEGER DEFAULT 0, "
          u"CF1 INTEGER DEFAULT 0, "
          u"CF2 INTEGER DEFAULT 0, "
          u"CF3 INTEGER DEFAULT 0, "
          u"FS1 TEXT, "
          u"FS2 TEXT, "
          u"FS3 TEXT, "
          u"FS4 TEXT, "
          u"FS5 TEXT, "
          u"FF1 NUMERIC(10,6), "
          u"FF2 NUMERIC(10,6), "
          u"FI1 INTEGER, "
          u"FI2 INTEGER, "
          u"FI3 INTEGER, "
          u"FI4 INTEGER, "
          u"FI6 INTEGER, "
          u"FI5 INTEGER);"},
  {u"lotniki",
      u"CREATE TABLE IF NOT EXISTS lotniki("
          u"id INTEGER PRIMARY KEY, "
          u"id_lotu INTEGER, "
          u"id_hodowli INTEGER, "
          u"id_golebia INTEGER, "
          u"DataCzasPrzylotu INTEGER(64), "
          u"nr_konkursu INTEGER, "
          u"nr_konkursu_sekcja INTEGER, "
          u"CoefficientOddzialowy NUMERIC(6,6), "
          u"CoefficientSekcyjny NUMERIC(6,6), "
          u"PunktyOddzial NUMERIC(6,6), "
          u"PunktySekcja NUMERIC(6,6), "
          u"rate INTEGER DEFAULT 0, "
          u"rate2 INTEGER DEFAULT 0, "
          u"notprint INTEGER DEFAULT 0, "
          u"notatki TEXT, "
          u"notatki2 TEXT, "
          u"notatki3 TEXT, "
          u"CF1 INTEGER DEFAULT 0, "
          u"CF2 INTEGER DEFAULT 0, "
          u"CF3 INTEGER DEFAULT 0, "
          u"CF4 INTEGER DEFAULT 0, "
          u"FF1 NUMERIC(6,6), "
          u"FF2 NUMERIC(6,6), "
          u"FF3 NUMERIC(6,6), "
          u"FF4 NUMERIC(6,6), "
          u"FF5 NUMERIC(6,6), "
          u"FS1 TEXT, "
          u"FS2 TEXT, "
          u"FS3 TEXT, "
          u"FS4 TEXT, "
          u"FS5 TEXT, "
          u"FI1 INTEGER, "
          u"FI2 INTEGER, "
          u"FI3 INTEGER, "
          u"FI4 INTEGER, "
          u"FI5 INTEGER);"},
  {u"zdjecia",
      u"CREATE TABLE IF NOT EXISTS zdjecia("
          u"id INTEGER PRIMARY KEY, "
          u"id_golebia INTEGER, "
          u"id_hodowli INTEGER, "
          u"rodzaj INTEGER, "
          u"kategoria INTEGER, "
          u"subkategoria INTEGER, "
          u"rozszerzenie TEXT, "
          u"classify1 INTEGER DEFAULT 0, "
          u"classify2 INTEGER DEFAULT 0, "
          u"classify3 INTEGER DEFAULT 0, "
          u"classify4 INTEGER DEFAULT 0, "
          u"classify5 INTEGER DEFAULT 0, "
          u"opis1 TEXT, "
          u"opis2 TEXT, "
          u"opis3 TEXT, "
          u"nazwa TEXT, "
          u"ocena INTEGER DEFAULT 0, "
          u"FI1 INTEGER, "
          u"FI2 INTEGER, "
          u"SF1 TEXT, "
          u"SF2 TEXT);"},
  {u"dokumenty",
      u"CREATE TABLE IF NOT EXISTS dokumenty("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"rodzaj INTEGER, "
          u"id_wlasciciela INTEGER, "
          u"kategoria INTEGER, "
          u"subkategoria INTEGER, "
          u"rozszerzenie TEXT, "
          u"nazwa TEXT, "
          u"opis1 TEXT, "
          u"opis2 TEXT, "
          u"opis3 TEXT, "
          u"SF1 TEXT, "
          u"F1 INTEGER, "
          u"F2 INTEGER);"},
  {u"lekisuplementy",
      u"CREATE TABLE IF NOT EXISTS lekisuplementy("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"rodzaj INTEGER, "
          u"id_golebia INTEGER, "
          u"kategoria INTEGER, "
          u"data_podania INTEGER(64), "
          u"data_expire INTEGER(64), "
          u"nazwa TEXT, "
          u"dawka TEXT, "
          u"dzialanie TEXT, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"uwagi TEXT, "
          u"opis1 TEXT, "
          u"opis2 TEXT opis3 TEXT);"},
  {u"transakcje",
      u"CREATE TABLE IF NOT EXISTS transakcje("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"id_golebia INTEGER, "
          u"id_klienta INTEGER, "
          u"cena NUMERIC(10,2), "
          u"waluta INTEGER, "
          u"rodzajtransakcji INTEGER, "
          u"przedmiottransakcji INTEGER, "
          u"data INTEGER(64), "
          u"innyprzedmiottransakcji TEXT, "
          u"not1 TEXT, "
          u"not2 TEXT, "
          u"not3 TEXT, "
          u"not4 TEXT, "
          u"not5 TEXT, "
          u"zaznaczonanaliscie INTEGER, "
          u"niedrukuj INTEGER, "
          u"tax1 NUMERIC(10,6), "
          u"tax2 NUMERIC(10,6), "
          u"flaga_wlasna1 INTEGER, "
          u"flaga_wlasna2 INTEGER);"},
};

const std::vector<TableDefinition> kExtraTables = {
  {u"kolory",
      u"CREATE TABLE IF NOT EXISTS kolory("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"nazwa TEXT, "
          u"nazwaf TEXT, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"UNIQUE(nazwa));"},
  {u"ild",
      u"CREATE TABLE IF NOT EXISTS ild("
          u"id INTEGER PRIMARY KEY, "
          u"id_golebia INTEGER, "
          u"s1 TEXT, "
          u"f1 INTEGER, "
          u"f2 INTEGER);"},
  {u"sezonylegowe", u"CREATE TABLE IF NOT EXISTS sezonylegowe(" OX_SEASON_COLUMNS},
  {u"sezonylotowe", u"CREATE TABLE IF NOT EXISTS sezonylotowe(" OX_SEASON_COLUMNS},
  {u"notatki",
      u"CREATE TABLE IF NOT EXISTS notatki("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"nazwa TEXT, "
          u"opis TEXT, "
          u"tresc TEXT, "
          u"pas TEXT, "
          u"kategoria INTEGER, "
          u"ikona INTEGER, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"f3 INTEGER);"},
  {u"gatunekrasa",
      u"CREATE TABLE IF NOT EXISTS gatunekrasa("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"nazwa TEXT, "
          u"nazwaf TEXT, "
          u"nazwalatin TEXT, "
          u"id_2 INTEGER, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"f3 INTEGER, "
          u"sf1 TEXT, "
          u"sf2 TEXT, "
          u"sf3 TEXT, "
          u"UNIQUE(nazwa));"},
  {u"linia",
      u"CREATE TABLE IF NOT EXISTS linia("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"id_gatunku INTEGER, "
          u"nazwa TEXT, "
          u"nazwaf TEXT, "
          u"nazwalatin TEXT, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"UNIQUE(nazwa));"},
  {u"koloroka",
      u"CREATE TABLE IF NOT EXISTS koloroka("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"id_podgatunku INTEGER, "
          u"nazwa TEXT, "
          u"nazwaf TEXT, "
          u"nazwalatin TEXT, "
          u"f1 INTEGER, "
          u"f2 INTEGER, "
          u"UNIQUE(nazwa));"},
  {u"statusy",
      u"CREATE TABLE IF NOT EXISTS statusy("
          u"id INTEGER PRIMARY KEY, "
          u"id_hodowli INTEGER, "
          u"nazwa TEXT, "
          u"opis TEXT, "
          u"UNIQUE(nazwa));"},
  {u"klienci", u"CREATE TABLE IF NOT EXISTS klienci(" OX_PERSON_COLUMNS},
  {u"hodowcy", u"CREATE TABLE IF NOT EXISTS hodowcy(" OX_PERSON_COLUMNS},
};

}  // namespace

#undef OX_PERSON_COLUMNS
#undef OX_SEASON_COLUMNS

const std::vector<TableDefinition>& LoftTables() { return kLoftTables; }
const std::vector<TableDefinition>& PigeonTables() { return kPigeonTables; }
const std::vector<TableDefinition>& ExtraTables() { return kExtraTables; }

void CreateTables(SqlDatabase& db, const std::vector<TableDefinition>& tables) {
    if (!db.ok()) return;
    // One statement at a time: a table that cannot be created (a read-only file, say) does not
    // keep the others from being created.
    for (const TableDefinition& table : tables) db.Exec(table.createSql);
}
