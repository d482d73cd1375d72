#pragma once
// The in-memory form of every database row. Records are plain values: copying one copies
// every field, nested vectors included. Texts are UTF-16 and hold exactly the column's text.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Text = std::u16string;
using Time64 = std::int64_t; // seconds since 1970-01-01 00:00:00 UTC; -1 = not set

constexpr Time64 kNoDate = -1;

// One photograph of a bird (`zdjecia`); the file is stored under db/images.
struct PhotoRecord {
    int id = 0;
    int id_golebia = 0;
    int id_hodowli = 0;
    int rodzaj = 0;
    int kategoria = 0;
    int subkategoria = 0;
    Text path;          // the user's file before adding, the stored file after GetFilePath
    Text rozszerzenie;  // extension without the dot
    Text opis1;
    int classify1 = 0;  // 0 general, 1 eye, 2 plumage, 4 for the pedigree printout

    // Name of the stored file: id, rodzaj, kategoria, subkategoria run together, ".", extension.
    Text FileName() const;
    Text GetFilePath();
    Text GetEscapedFilePath();
};

// One document of a bird (`dokumenty`, `id_wlasciciela` = the bird); stored under db/documents.
struct DocumentRecord {
    int id = 0;
    int id_hodowli = 0;
    int id_wlasciciela = 0;
    int rodzaj = 0;
    int kategoria = 0;
    int subkategoria = 0;
    Text path;
    Text rozszerzenie;
    Text nazwa;
    Text opis1;

    Text FileName() const;
    Text GetFilePath();
};

// One treatment, vaccination or supplement (`lekisuplementy`); id_golebia -2 = the whole flock.
struct TreatmentRecord {
    static constexpr int kFlock = -2;
    int id = 0;
    int id_hodowli = 0;
    int id_golebia = 0;
    int rodzaj = 0;
    int kategoria = 0;
    Time64 data_podania = kNoDate;
    Text nazwa;
    Text dawka;
    Text dzialanie;
    Text uwagi;
};

// A date of the previous version's files, as its six stored numbers.
struct V5Date {
    std::int32_t hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
};

// An entry of one of the two lists that end a version-5 bird file; nothing uses them, they are
// read so that the reader stays aligned with the file.
struct V5PigeonListEntry {
    std::vector<std::int32_t> numbers;
    V5Date date;
    std::vector<Text> texts;
};

// A bird of the previous version's files. The import uses the named texts, the parents' ids and
// the sex; the rest is what the file holds besides.
struct V5PigeonRecord {
    Text id;
    Text motherId;
    Text fatherId;
    std::array<std::int32_t, 4> numbers{};  // the four numbers stored before the sex
    int sex = 0;  // 1 male, 0 female, -1 not given
    std::array<V5Date, 6> dates{};
    std::array<Text, 8> otherTexts;  // texts 5, 6, 15 to 18, 20 and 21 of the file
    std::vector<V5PigeonListEntry> firstList;
    std::vector<V5PigeonListEntry> secondList;
    bool fileRead = false;  // false when IDS names the bird but its file was not found
    Text country;
    Text branch;
    Text year;
    Text ringNumber;
    Text generalNotes;
    Text diseaseNotes;
    Text appearanceNotes;
    Text problemNotes;
    std::array<Text, 4> pedigreeNotes;  // generations 1 to 4
    Text name;
};

// One bird (`pigeons`) with its photos, documents, treatments and flight statistics.
struct PigeonRecord {
    std::vector<PhotoRecord> photos;
    std::vector<DocumentRecord> documents;
    std::vector<TreatmentRecord> treatments;
    Text v5FatherKey;
    Text v5MotherKey;

    // Flight statistics over the loaded loft's results, computed when a loft is loaded.
    int flightCount = 0;
    float speedSum = 0.0f;       // metres per minute
    int averagePosition = 0;
    int positionSum = 0;
    int bestPosition = 100000;   // 100000 while the bird has no result
    Text bestPlace;

    std::array<int, 5> pedigreeNoteLines{-1, -1, -1, -1, -1};  // -1 = the whole note

    int id = 0;
    int id_rasy = 0;
    int id_linia = 0;
    int id_koloroka = 0;
    int id_matki = 0;
    int id_ojca = 0;
    int id_statusu = 0;
    int id_wlasciciela = 0;
    int id_hodowcy = 0;
    int ocena_ogolna = 0;
    int ocena_zdrowia = 0;
    int ocena_lotowa = 0;
    int ocena_upierzenia = 0;
    Text krotkiopis;
    Text nazwa;
    Text nr_obraczki;
    Text kraj;
    Text oddzial;
    Text rocznik;
    Text fenotyp;
    Text genotyp;
    Text notatkiogolne;
    Text notatkichoroby;
    Text notatkiproblemy;
    Text notatkicechywygladu;
    Text notatkif;
    Text NotatkaRodowodowa1;
    Text NotatkaRodowodowa2;
    Text NotatkaRodowodowa3;
    Text NotatkaRodowodowa4;
    Text NotatkaRodowodowa0;
    Time64 DataDodania = kNoDate;
    Time64 DataUrodzenia = kNoDate;
    Time64 DataKupna = kNoDate;
    Time64 DataSprzedazy = kNoDate;
    Time64 DataOdejscia = kNoDate;
    Time64 DataF1 = kNoDate;  // first day on the loft roof
    int plec = 0;             // 0 not given, 1 male, 2 female
    int id_koloru = 0;
    int id_hodowli = 0;

    // "kraj oddzial rocznik nr_obraczki", always with its three blanks.
    Text GetRingNumber() const;
    // Whether the other bird wears the same whole ring: country, branch, year and number, each
    // part read as a breeder reads it, whatever its case and the blanks at its ends.
    bool HasSameRing(const PigeonRecord& other) const;
    // The ring text and " [name]" when the bird has a name.
    Text GetDisplayName() const;
    // The ring text and, when the bird has a name, a line feed, the name and a blank.
    Text GetRingNumberAndName() const;
    // Pedigree note of generation 0..4 as HTML, limited to pedigreeNoteLines[g] lines.
    Text GetPedigreeNoteHtml(int generation) const;
    const Text& PedigreeNote(int generation) const;
    PigeonRecord& CopyFromV5Record(const V5PigeonRecord& v5);
};

struct YoungRecord {
    int id = 0;
    int id_golebia = 0;
    int id_pary = 0;
    int id_hodowli = 0;
    Time64 DataDodania = kNoDate;
    Text uwagi;
};

// One breeding pair (`pary`) with its young.
struct PairRecord {
    int id_hodowli = 0;
    int id = 0;
    int score = 0;  // used by the best-pairs ranking; never stored
    int id_samca = 0;
    int id_samicy = 0;
    Time64 DataParowania = kNoDate;
    Time64 DataDodania = kNoDate;
    Time64 DataWylegu = kNoDate;
    Time64 DataZlozeniaJaj = kNoDate;
    int zlozonych = 0;
    Text uwagi;
    Text not_ojciec;
    Text not_matka;
    std::vector<YoungRecord> young;
};

// One bird's result in a flight (`lotniki`).
struct FlightResultEntry {
    float CoefficientOddzialowy = 0.0f;
    float CoefficientSekcyjny = 0.0f;
    int nr_konkursu = 0;
    int nr_konkursu_sekcja = 0;
    float PunktyOddzial = 0.0f;
    float PunktySekcja = 0.0f;
    Text notatki;
    Time64 DataCzasPrzylotu = kNoDate;
    int id = 0;
    int id_lotu = 0;
    int id_hodowli = 0;
    int id_golebia = 0;
};

// One flight (`loty`) with its results.
struct FlightRecord {
    int typ = 0;
    int id_hodowli = 0;
    int id = 0;
    Text miejscowosc;
    Text pogodalokalna;
    Text pogodawmiejscuwypuszczenia;
    Text notatki;
    int czas_trwania_konkursu_g = 0;
    int czas_trwania_konkursu_m = 0;
    int czas_trwania_konkursu_s = 0;
    int ocena = 0;
    int kategoria = 0;
    int kategoria2 = 0;
    Time64 czas_pierwszego_w_konk = kNoDate;
    Time64 czas_ostatniego_w_konk = kNoDate;
    Time64 czasodlotu = kNoDate;
    int DL_stopnie = 0;
    int DL_minuty = 0;
    int DL_sekundy = 0;
    int SZ_stopnie = 0;
    int SZ_minuty = 0;
    int SZ_sekundy = 0;
    int liczba_hodowcow = 0;
    double odleglosckm = 0.0;
    int odlegloscm = 0;
    int golebi_oddzial = 0;
    int golebi_sekcja = 0;
    int konkursow_sekcja = 0;
    int konkursow_oddzial = 0;
    int wlozonychgolebi = 0;
    int iloscwkonkursie = 0;
    std::vector<FlightResultEntry> entries;

    // Speed of one result in metres per minute; 0 when the arrival is not after the release.
    float SpeedOf(const FlightResultEntry& result) const;
};

// The one speed routine of the program: metres per minute over that many seconds, 0 when the
// time is not positive (never an infinity or a negative speed).
float MetresPerMinute(double metres, double seconds);

// One sale, purchase or other transaction (`transakcje`).
struct TransactionRecord {
    int id = 0;
    int id_hodowli = 0;
    int id_klienta = 0;
    int id_golebia = 0;  // 0 when the subject is not a bird
    Text not1;
    Time64 data = kNoDate;
    int waluta = 0;      // 0 PLN, 1 USD, 2 EUR, 3 FRA, 4 JEN
    double cena = 0.0;
    int rodzajtransakcji = 0;
    int przedmiottransakcji = 0;
    Text innyprzedmiottransakcji;

    // The price, at most two decimals and no exponent, followed by the currency suffix.
    Text FormatPrice() const;
};

// A breeder (`hodowcy`) or a client (`klienci`): both tables have the same columns.
struct PersonRecord {
    int id = 0;
    int hodowla = 0;
    int kategoria = 0;
    int subkategoria = 0;
    int typ = 0;
    int wojewodztwo = 0;  // index into the voivodeship list
    int kraj = 0;         // index into the country list
    Text imie;
    Text kodpocztowy;
    Text nip;             // loaded for breeders only, never written
    Text nazwisko;
    Text miejscowosc;
    Text ulica;
    Text nrdomu;
    Text teldom;
    Text teldom2;
    Text telkom;
    Text telkom2;
    Text email;
    Text adreswww;
    Text uwagi;
};

// A breeding season (`sezonylegowe`) or flight season (`sezonylotowe`).
struct SeasonRecord {
    int id = 0;
    int id_hodowli = 0;
    Text Nazwa;
    Text Opis;
    Time64 DATA_B = kNoDate;
    Time64 DATA_E = kNoDate;
};

// Order predicate: newest start first.
bool SeasonStartsLater(const SeasonRecord& left, const SeasonRecord& right);

// A note of the notebook (`notatki`); its body is db/notes/<id>.html.
struct NoteRecord {
    int id = 0;
    int id_hodowli = 0;
    Text nazwa;
    Text opis;
};

struct CategoryRecord {
    int id = 0;
    int id_hodowli = 0;
    Text nazwakategorii;
    Text opiskategorii;
};

struct LoftRecord {
    int id = 0;
    Text nazwahodowli;
    Text opishodowli;
    int pigeonCount = 0;  // rows of `pigeons` in this loft, counted by LoadLofts
    std::vector<CategoryRecord> categories;
};

// The non-empty runs between separators, in order.
std::vector<Text> SplitText(const Text& text, char16_t separator);
