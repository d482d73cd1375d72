// The three loaders of CDataStore. Each opens its file, makes sure every table it reads exists,
// reads the rows it needs (columns by name, in id order) into fresh containers and, only when
// every read succeeded, replaces the content of the containers it owns; containers of the other
// loaders keep theirs.
//
// A NULL column reads as an empty text or 0, and a NULL date as not set (-1, what the program
// writes for a date not given): read as 0 it would show, and be written back, as 1 January 1970.
// A file that cannot be read whole (locked by another program, damaged) leaves memory as it was:
// an emptied store would show the user nothing and let the next insert reuse ids.

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "DataStore.h"
#include "DataStoreInternal.h"
#include "Schema.h"
#include "SharedRoutines.h"

namespace {

// Reads the columns of the current row one after another, in the order the query names them,
// so each SELECT list and the code that reads it line up field by field.
class RowReader {
public:
    explicit RowReader(const SqlStatement& st) : st_(st) {}
    int Int() { return st_.Int(next_++); }
    Time64 Date() {
        const int column = next_++;
        return st_.IsNull(column) ? kNoDate : st_.Int64(column);
    }
    double Double() { return st_.Double(next_++); }
    Text String() { return st_.String(next_++); }

private:
    const SqlStatement& st_;
    int next_ = 0;
};

// ---- pigeons.db ---------------------------------------------------------------------------------

void LoadBirds(SqlDatabase& db, PigeonMap& pigeons) {
    SqlStatement st = db.Prepare(
        u"SELECT id, id_hodowli, nazwa, kraj, oddzial, rocznik, nr_obraczki, genotyp, fenotyp, "
        u"id_matki, id_ojca, id_wlasciciela, id_hodowcy, id_rasy, id_linia, id_koloroka, "
        u"id_koloru, plec, id_statusu, ocena_ogolna, ocena_zdrowia, ocena_upierzenia, "
        u"ocena_lotowa, DataDodania, DataUrodzenia, DataKupna, DataSprzedazy, DataOdejscia, "
        u"NotatkaRodowodowa0, NotatkaRodowodowa1, NotatkaRodowodowa2, NotatkaRodowodowa3, "
        u"NotatkaRodowodowa4, notatkiogolne, notatkicechywygladu, notatkichoroby, "
        u"notatkiproblemy, notatkif, krotkiopis, DataF1 FROM pigeons ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        PigeonRecord p;
        p.id = r.Int();
        p.id_hodowli = r.Int();
        p.nazwa = r.String();
        p.kraj = r.String();
        p.oddzial = r.String();
        p.rocznik = r.String();
        p.nr_obraczki = r.String();
        p.genotyp = r.String();
        p.fenotyp = r.String();
        p.id_matki = r.Int();
        p.id_ojca = r.Int();
        p.id_wlasciciela = r.Int();
        p.id_hodowcy = r.Int();
        p.id_rasy = r.Int();
        p.id_linia = r.Int();
        p.id_koloroka = r.Int();
        p.id_koloru = r.Int();
        p.plec = r.Int();
        p.id_statusu = r.Int();
        p.ocena_ogolna = r.Int();
        p.ocena_zdrowia = r.Int();
        p.ocena_upierzenia = r.Int();
        p.ocena_lotowa = r.Int();
        p.DataDodania = r.Date();
        p.DataUrodzenia = r.Date();
        p.DataKupna = r.Date();
        p.DataSprzedazy = r.Date();
        p.DataOdejscia = r.Date();
        p.NotatkaRodowodowa0 = r.String();
        p.NotatkaRodowodowa1 = r.String();
        p.NotatkaRodowodowa2 = r.String();
        p.NotatkaRodowodowa3 = r.String();
        p.NotatkaRodowodowa4 = r.String();
        p.notatkiogolne = r.String();
        p.notatkicechywygladu = r.String();
        p.notatkichoroby = r.String();
        p.notatkiproblemy = r.String();
        p.notatkif = r.String();
        p.krotkiopis = r.String();
        // Birds added before the roof date existed carry 0 or NULL there: both mean "not set".
        // (A new bird's row leaves the column NULL, and clearing it stores 0.)
        const Time64 roof = r.Date();
        p.DataF1 = roof == 0 ? kNoDate : roof;
        const int id = p.id;
        // Rows come in id order, so each bird goes at the end of the map without a search.
        pigeons.insert_or_assign(pigeons.end(), id, std::move(p));
    }
}

void LoadTransactions(SqlDatabase& db, int loftId, std::map<int, TransactionRecord>& transactions) {
    SqlStatement st = db.Prepare(
        u"SELECT id, id_hodowli, id_golebia, id_klienta, cena, waluta, rodzajtransakcji, "
        u"przedmiottransakcji, data, innyprzedmiottransakcji, not1 FROM transakcje ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        TransactionRecord t;
        t.id = r.Int();
        t.id_hodowli = r.Int();
        t.id_golebia = r.Int();
        t.id_klienta = r.Int();
        t.cena = r.Double();
        t.waluta = r.Int();
        t.rodzajtransakcji = r.Int();
        t.przedmiottransakcji = r.Int();
        t.data = r.Date();
        t.innyprzedmiottransakcji = r.String();
        t.not1 = r.String();
        if (t.id_hodowli != loftId) continue;
        const int id = t.id;
        transactions.insert_or_assign(id, std::move(t));
    }
}

// Attachments and treatments hang under their bird; rows whose bird is gone stay in the file
// but are not loaded (and never create a bird).
//
// A large loft has hundreds of thousands of such rows; a search of the bird map per row walks
// nodes scattered over memory, so the loaders search one contiguous list of ids instead.
class BirdIndex {
public:
    explicit BirdIndex(PigeonMap& pigeons) {
        entries_.reserve(pigeons.size());
        for (auto& [id, bird] : pigeons) entries_.push_back({id, &bird});  // ascending ids
    }
    PigeonRecord* Find(int id) const {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                         [](const Entry& e, int key) { return e.id < key; });
        return it != entries_.end() && it->id == id ? it->bird : nullptr;
    }

private:
    struct Entry {
        int id;
        PigeonRecord* bird;
    };
    std::vector<Entry> entries_;
};

void LoadPhotos(SqlDatabase& db, const BirdIndex& birds) {
    SqlStatement st = db.Prepare(
        u"SELECT id, id_golebia, id_hodowli, rodzaj, kategoria, subkategoria, rozszerzenie, "
        u"classify1, opis1 FROM zdjecia ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        PhotoRecord photo;
        photo.id = r.Int();
        photo.id_golebia = r.Int();
        photo.id_hodowli = r.Int();
        photo.rodzaj = r.Int();
        photo.kategoria = r.Int();
        photo.subkategoria = r.Int();
        photo.rozszerzenie = r.String();
        photo.classify1 = r.Int();
        photo.opis1 = r.String();
        if (PigeonRecord* bird = birds.Find(photo.id_golebia)) {
            bird->photos.push_back(std::move(photo));
        }
    }
}

void LoadDocuments(SqlDatabase& db, const BirdIndex& birds) {
    SqlStatement st = db.Prepare(
        u"SELECT id, id_hodowli, rodzaj, id_wlasciciela, kategoria, subkategoria, rozszerzenie, "
        u"nazwa, opis1 FROM dokumenty ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        DocumentRecord doc;
        doc.id = r.Int();
        doc.id_hodowli = r.Int();
        doc.rodzaj = r.Int();
        doc.id_wlasciciela = r.Int();
        doc.kategoria = r.Int();
        doc.subkategoria = r.Int();
        doc.rozszerzenie = r.String();
        doc.nazwa = r.String();
        doc.opis1 = r.String();
        if (PigeonRecord* bird = birds.Find(doc.id_wlasciciela)) {
            bird->documents.push_back(std::move(doc));
        }
    }
}

void LoadTreatments(SqlDatabase& db, const BirdIndex& birds,
                    std::vector<TreatmentRecord>& flockTreatments) {
    SqlStatement st = db.Prepare(
        u"SELECT id, rodzaj, id_golebia, kategoria, data_podania, nazwa, dawka, dzialanie, uwagi "
        u"FROM lekisuplementy ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        TreatmentRecord t;
        t.id = r.Int();
        t.rodzaj = r.Int();
        t.id_golebia = r.Int();
        t.kategoria = r.Int();
        t.data_podania = r.Date();
        t.nazwa = r.String();
        t.dawka = r.String();
        t.dzialanie = r.String();
        t.uwagi = r.String();
        if (t.id_golebia == TreatmentRecord::kFlock) {
            flockTreatments.push_back(std::move(t));  // the whole flock, whatever its loft
        } else if (t.id_golebia > 0) {
            if (PigeonRecord* bird = birds.Find(t.id_golebia)) {
                bird->treatments.push_back(std::move(t));
            }
        }
    }
}

std::vector<PairRecord> LoadPairRows(SqlDatabase& db) {
    std::vector<PairRecord> rows;
    SqlStatement st = db.Prepare(
        u"SELECT id, id_samca, id_samicy, id_hodowli, DataParowania, DataZlozeniaJaj, DataWylegu, "
        u"DataDodania, not_ojciec, not_matka, uwagi, zlozonych FROM pary ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        PairRecord pair;
        pair.id = r.Int();
        pair.id_samca = r.Int();
        pair.id_samicy = r.Int();
        pair.id_hodowli = r.Int();
        pair.DataParowania = r.Date();
        pair.DataZlozeniaJaj = r.Date();
        pair.DataWylegu = r.Date();
        pair.DataDodania = r.Date();
        pair.not_ojciec = r.String();
        pair.not_matka = r.String();
        pair.uwagi = r.String();
        pair.zlozonych = r.Int();
        rows.push_back(std::move(pair));
    }
    return rows;
}

// Every row of `dzieci`, grouped by pair, each group in row order.
std::map<int, std::vector<YoungRecord>> LoadYoungByPair(SqlDatabase& db) {
    std::map<int, std::vector<YoungRecord>> byPair;
    SqlStatement st = db.Prepare(
        u"SELECT id, id_golebia, id_pary, id_hodowli, uwagi, DataDodania FROM dzieci "
        u"WHERE id_pary IS NOT NULL ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        YoungRecord y;
        y.id = r.Int();
        y.id_golebia = r.Int();
        y.id_pary = r.Int();
        y.id_hodowli = r.Int();
        y.uwagi = r.String();
        y.DataDodania = r.Date();
        byPair[y.id_pary].push_back(std::move(y));
    }
    return byPair;
}

// The loaded loft's pairs carry only the young of that loft; the unfiltered list carries all.
void LoadPairs(SqlDatabase& db, int loftId, std::vector<PairRecord>& pairs,
               std::vector<PairRecord>& allPairs) {
    std::vector<PairRecord> rows = LoadPairRows(db);
    const std::map<int, std::vector<YoungRecord>> youngByPair = LoadYoungByPair(db);
    for (PairRecord& pair : rows) {
        const auto young = youngByPair.find(pair.id);
        if (pair.id_hodowli == loftId) {
            PairRecord ofLoft = pair;
            if (young != youngByPair.end()) {
                for (const YoungRecord& y : young->second) {
                    if (y.id_hodowli == loftId) ofLoft.young.push_back(y);
                }
            }
            pairs.push_back(std::move(ofLoft));
        }
        if (young != youngByPair.end()) pair.young = young->second;
        allPairs.push_back(std::move(pair));
    }
}

std::vector<FlightRecord> LoadFlightRows(SqlDatabase& db) {
    std::vector<FlightRecord> rows;
    SqlStatement st = db.Prepare(
        u"SELECT id, id_hodowli, typ, kategoria, kategoria2, odleglosckm, odlegloscm, "
        u"liczba_hodowcow, golebi_oddzial, golebi_sekcja, konkursow_oddzial, konkursow_sekcja, "
        u"wlozonychgolebi, iloscwkonkursie, ocena, DL_stopnie, DL_minuty, DL_sekundy, "
        u"SZ_stopnie, SZ_minuty, SZ_sekundy, czas_trwania_konkursu_g, czas_trwania_konkursu_m, "
        u"czas_trwania_konkursu_s, czasodlotu, czas_pierwszego_w_konk, czas_ostatniego_w_konk, "
        u"miejscowosc, pogodalokalna, pogodawmiejscuwypuszczenia, notatki "
        u"FROM loty ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        FlightRecord f;
        f.id = r.Int();
        f.id_hodowli = r.Int();
        f.typ = r.Int();
        f.kategoria = r.Int();
        f.kategoria2 = r.Int();
        f.odleglosckm = r.Int();  // whole kilometres; the metres are a column of their own
        f.odlegloscm = r.Int();
        f.liczba_hodowcow = r.Int();
        f.golebi_oddzial = r.Int();
        f.golebi_sekcja = r.Int();
        f.konkursow_oddzial = r.Int();
        f.konkursow_sekcja = r.Int();
        f.wlozonychgolebi = r.Int();
        f.iloscwkonkursie = r.Int();
        f.ocena = r.Int();
        f.DL_stopnie = r.Int();
        f.DL_minuty = r.Int();
        f.DL_sekundy = r.Int();
        f.SZ_stopnie = r.Int();
        f.SZ_minuty = r.Int();
        f.SZ_sekundy = r.Int();
        f.czas_trwania_konkursu_g = r.Int();
        f.czas_trwania_konkursu_m = r.Int();
        f.czas_trwania_konkursu_s = r.Int();
        f.czasodlotu = r.Date();
        f.czas_pierwszego_w_konk = r.Date();
        f.czas_ostatniego_w_konk = r.Date();
        f.miejscowosc = r.String();
        f.pogodalokalna = r.String();
        f.pogodawmiejscuwypuszczenia = r.String();
        f.notatki = r.String();
        rows.push_back(std::move(f));
    }
    return rows;
}

// The rows of `lotniki` that belong to the given flights, grouped by flight, in row order.
std::map<int, std::vector<FlightResultEntry>> LoadResultsOf(SqlDatabase& db,
                                                            const std::set<int>& flightIds) {
    std::map<int, std::vector<FlightResultEntry>> byFlight;
    if (flightIds.empty()) return byFlight;
    SqlStatement st = db.Prepare(
        u"SELECT id, id_lotu, id_hodowli, id_golebia, DataCzasPrzylotu, nr_konkursu, "
        u"nr_konkursu_sekcja, CoefficientOddzialowy, CoefficientSekcyjny, PunktyOddzial, "
        u"PunktySekcja, notatki FROM lotniki WHERE id_lotu IS NOT NULL ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        FlightResultEntry e;
        e.id = r.Int();
        e.id_lotu = r.Int();
        if (flightIds.count(e.id_lotu) == 0) continue;
        e.id_hodowli = r.Int();
        e.id_golebia = r.Int();
        e.DataCzasPrzylotu = r.Date();
        e.nr_konkursu = r.Int();
        e.nr_konkursu_sekcja = r.Int();
        e.CoefficientOddzialowy = static_cast<float>(r.Double());
        e.CoefficientSekcyjny = static_cast<float>(r.Double());
        e.PunktyOddzial = static_cast<float>(r.Double());
        e.PunktySekcja = static_cast<float>(r.Double());
        e.notatki = r.String();
        byFlight[e.id_lotu].push_back(std::move(e));
    }
    return byFlight;
}

// Flights of the loaded loft get their results of that loft, and the birds' statistics count
// exactly those results: the results a bird's lists show, and the ones the writers count again
// after a result or flight changes (dsinternal::CountFlightResults), so memory after a write is
// what this load gives.
void LoadFlights(SqlDatabase& db, int loftId, const BirdIndex& birds,
                 std::vector<FlightRecord>& flights, std::vector<FlightRecord>& allFlights) {
    std::vector<FlightRecord> rows = LoadFlightRows(db);
    std::set<int> loftFlightIds;
    for (const FlightRecord& f : rows) {
        if (f.id_hodowli == loftId) loftFlightIds.insert(f.id);
    }
    std::map<int, std::vector<FlightResultEntry>> results = LoadResultsOf(db, loftFlightIds);

    for (FlightRecord& row : rows) {
        if (row.id_hodowli == loftId) {
            FlightRecord flight = row;
            const auto it = results.find(flight.id);
            if (it != results.end()) {
                for (FlightResultEntry& entry : it->second) {
                    if (entry.id_hodowli == loftId) flight.entries.push_back(std::move(entry));
                }
            }
            flights.push_back(std::move(flight));
        }
        allFlights.push_back(std::move(row));
    }
    dsinternal::CountFlightResults(flights, [&birds](int id) { return birds.Find(id); });
}

// ---- dodatkowe_informacje.db ------------------------------------------------------------------

// A dictionary: id to name, with id 0 (no choice made) showing as one blank.
void LoadNames(SqlDatabase& db, const Text& sql, NameMap& names) {
    names[0] = u" ";
    SqlStatement st = db.Prepare(sql);
    while (st.NextRow()) names.insert_or_assign(st.Int(0), st.String(1));
}

void LoadColours(SqlDatabase& db, NameMap& names, std::map<int, int>& values) {
    names[0] = u" ";
    SqlStatement st = db.Prepare(u"SELECT id, nazwa, f1 FROM kolory ORDER BY id;");
    while (st.NextRow()) {
        names.insert_or_assign(st.Int(0), st.String(1));
        values.insert_or_assign(st.Int(0), st.Int(2));
    }
}

void LoadNotes(SqlDatabase& db, int loftId, std::vector<NoteRecord>& notes) {
    SqlStatement st = db.Prepare(u"SELECT id, id_hodowli, nazwa, opis FROM notatki ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        NoteRecord note;
        note.id = r.Int();
        note.id_hodowli = r.Int();
        note.nazwa = r.String();
        note.opis = r.String();
        if (note.id_hodowli == loftId) notes.push_back(std::move(note));
    }
}

void LoadSeasons(SqlDatabase& db, const Text& table, std::vector<SeasonRecord>& seasons) {
    SqlStatement st = db.Prepare(u"SELECT id, id_hodowli, Nazwa, DATA_B, DATA_E FROM " + table +
                                 u" ORDER BY id;");
    while (st.NextRow()) {
        RowReader r(st);
        SeasonRecord s;
        s.id = r.Int();
        s.id_hodowli = r.Int();
        s.Nazwa = r.String();
        s.DATA_B = r.Date();
        s.DATA_E = r.Date();
        seasons.push_back(std::move(s));
    }
}

void LoadPeople(SqlDatabase& db, const Text& table, bool withNip, PersonMap& people) {
    Text sql =
        u"SELECT id, hodowla, kategoria, subkategoria, imie, nazwisko, miejscowosc, ulica, "
        u"nrdomu, teldom, teldom2, telkom, telkom2, email, adreswww, uwagi, wojewodztwo, kraj, "
        u"kodpocztowy";
    if (withNip) sql += u", nip";
    sql += u" FROM " + table + u" ORDER BY id;";
    SqlStatement st = db.Prepare(sql);
    while (st.NextRow()) {
        RowReader r(st);
        PersonRecord p;
        p.id = r.Int();
        p.hodowla = r.Int();
        p.kategoria = r.Int();
        p.subkategoria = r.Int();
        p.imie = r.String();
        p.nazwisko = r.String();
        p.miejscowosc = r.String();
        p.ulica = r.String();
        p.nrdomu = r.String();
        p.teldom = r.String();
        p.teldom2 = r.String();
        p.telkom = r.String();
        p.telkom2 = r.String();
        p.email = r.String();
        p.adreswww = r.String();
        p.uwagi = r.String();
        p.wojewodztwo = r.Int();
        p.kraj = r.Int();
        p.kodpocztowy = r.String();
        if (withNip) p.nip = r.String();
        const int id = p.id;
        people.insert_or_assign(id, std::move(p));
    }
}

// One read of a whole file: the shared lock is taken first (so a file another program holds
// makes the load wait one busy timeout and give up, not wait once per statement), then the
// tables are made sure of and read as one snapshot.
bool BeginReading(SqlDatabase& db, const std::vector<TableDefinition>& tables) {
    // Inside a batch the batch's transaction is the snapshot already.
    if (!db.ok() || (!db.InBatch() && !db.Exec(u"BEGIN;"))) return false;
    if (db.QueryInt64(u"SELECT count(*) FROM sqlite_master;", {}, -1) < 0) return false;
    CreateTables(db, tables);
    return db.Errors() == 0;
}

bool FinishReading(SqlDatabase& db) {
    return (db.InBatch() || db.Exec(u"COMMIT;")) && db.Errors() == 0;
}

}  // namespace

// ---- the loaders ------------------------------------------------------------------------------

bool CDataStore::LoadLofts() {
    SqlDatabase db(PigeonsDbPath());
    if (!BeginReading(db, LoftTables())) return false;

    std::vector<LoftRecord> loaded;
    {
        SqlStatement st =
            db.Prepare(u"SELECT id, nazwahodowli, opishodowli FROM hodowla ORDER BY id;");
        while (st.NextRow()) {
            RowReader r(st);
            LoftRecord loft;
            loft.id = r.Int();
            loft.nazwahodowli = r.String();
            // The descriptions are read too: the loft and category editors show them and write
            // them back, so an unread description would be wiped by the next edit.
            loft.opishodowli = r.String();
            loaded.push_back(std::move(loft));
        }
    }
    std::map<int, size_t> indexOfLoft;
    for (size_t i = 0; i < loaded.size(); ++i) indexOfLoft.emplace(loaded[i].id, i);

    {
        SqlStatement st = db.Prepare(
            u"SELECT id, nazwakategorii, id_hodowli, opiskategorii FROM kategoria ORDER BY id;");
        while (st.NextRow()) {
            RowReader r(st);
            CategoryRecord category;
            category.id = r.Int();
            category.nazwakategorii = r.String();
            category.id_hodowli = r.Int();
            category.opiskategorii = r.String();
            const auto loft = indexOfLoft.find(category.id_hodowli);
            if (loft != indexOfLoft.end()) {
                loaded[loft->second].categories.push_back(std::move(category));
            }
        }
    }
    // The bird table may not exist yet on the very first start; the counts then stay 0.
    if (db.QueryInt64(u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                      u"name = 'pigeons';") > 0) {
        SqlStatement st = db.Prepare(
            u"SELECT id_hodowli, count(*) FROM pigeons WHERE id_hodowli IS NOT NULL "
            u"GROUP BY id_hodowli;");
        while (st.NextRow()) {
            const auto loft = indexOfLoft.find(st.Int(0));
            if (loft != indexOfLoft.end()) loaded[loft->second].pigeonCount = st.Int(1);
        }
    }
    if (!FinishReading(db)) return false;
    lofts = std::move(loaded);
    return true;
}

bool CDataStore::LoadPigeonsDb(int loftId) {
    SqlDatabase db(PigeonsDbPath());
    if (!BeginReading(db, PigeonTables())) return false;

    decltype(pigeons) newPigeons;
    decltype(transactions) newTransactions;
    decltype(flockTreatments) newFlockTreatments;
    decltype(allPairs) newAllPairs;
    decltype(allFlights) newAllFlights;
    decltype(pairs) newPairs;
    decltype(flights) newFlights;
    LoadBirds(db, newPigeons);
    LoadTransactions(db, loftId, newTransactions);
    const BirdIndex birds(newPigeons);
    LoadPhotos(db, birds);
    LoadDocuments(db, birds);
    LoadTreatments(db, birds, newFlockTreatments);
    LoadPairs(db, loftId, newPairs, newAllPairs);
    LoadFlights(db, loftId, birds, newFlights, newAllFlights);
    if (!FinishReading(db)) return false;

    pigeons = std::move(newPigeons);
    transactions = std::move(newTransactions);
    flockTreatments = std::move(newFlockTreatments);
    allPairs = std::move(newAllPairs);
    allFlights = std::move(newAllFlights);
    pairs = std::move(newPairs);
    flights = std::move(newFlights);
    return true;
}

bool CDataStore::LoadExtraDb(int loftId) {
    SqlDatabase db(ExtraDbPath());
    if (!BeginReading(db, ExtraTables())) return false;

    decltype(colourNames) newColourNames;
    decltype(colourValues) newColourValues;
    decltype(breedNames) newBreedNames;
    decltype(lineNames) newLineNames;
    decltype(eyeColourNames) newEyeColourNames;
    decltype(statusNames) newStatusNames;
    decltype(notes) newNotes;
    decltype(breedingSeasons) newBreedingSeasons;
    decltype(flightSeasons) newFlightSeasons;
    decltype(clients) newClients;
    decltype(breeders) newBreeders;
    LoadColours(db, newColourNames, newColourValues);
    LoadNames(db, u"SELECT id, nazwa FROM gatunekrasa ORDER BY id;", newBreedNames);
    LoadNames(db, u"SELECT id, nazwa FROM linia ORDER BY id;", newLineNames);
    LoadNames(db, u"SELECT id, nazwa FROM koloroka ORDER BY id;", newEyeColourNames);
    LoadNames(db, u"SELECT id, nazwa FROM statusy ORDER BY id;", newStatusNames);
    LoadNotes(db, loftId, newNotes);

    // Breeding seasons newest start first (equal starts keep their row order); flight seasons
    // stay in row order.
    LoadSeasons(db, u"sezonylegowe", newBreedingSeasons);
    std::stable_sort(newBreedingSeasons.begin(), newBreedingSeasons.end(), SeasonStartsLater);
    LoadSeasons(db, u"sezonylotowe", newFlightSeasons);

    LoadPeople(db, u"klienci", false, newClients);
    LoadPeople(db, u"hodowcy", true, newBreeders);
    if (!FinishReading(db)) return false;

    colourNames = std::move(newColourNames);
    colourValues = std::move(newColourValues);
    breedNames = std::move(newBreedNames);
    lineNames = std::move(newLineNames);
    eyeColourNames = std::move(newEyeColourNames);
    statusNames = std::move(newStatusNames);
    notes = std::move(newNotes);
    breedingSeasons = std::move(newBreedingSeasons);
    flightSeasons = std::move(newFlightSeasons);
    clients = std::move(newClients);
    breeders = std::move(newBreeders);
    return true;
}
