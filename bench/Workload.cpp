#include "Workload.h"

#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <vector>

#include "Schema.h"
#include "SharedRoutines.h"
#include "Sqlite.h"

namespace {

constexpr long long kDay = 86400;
constexpr long long kSeasonStart = 1711929600;  // 1 April 2024
// A date not given is stored as the program stores it; a NULL there would be a file no user of
// the program could have made.
constexpr long long kNotSet = -1;

// One prepared insert, bound by position and run again for every row.
class Inserter {
public:
    Inserter(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Inserter() { sqlite3_finalize(stmt_); }
    Inserter& Int(int index, long long value) {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    Inserter& Real(int index, double value) {
        sqlite3_bind_double(stmt_, index, value);
        return *this;
    }
    Inserter& Str(int index, const std::string& value) {
        sqlite3_bind_text(stmt_, index, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    bool Run() {
        const bool ok = stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_DONE;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return ok;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::string Ring(int year, int number) {
    char text[32];
    std::snprintf(text, sizeof text, "PL-0%03d-%02d-%04d", 100 + number % 400, year % 100, number % 10000);
    return text;
}

}  // namespace

bool GenerateInstallFolder(const std::string& installFolder, const WorkloadSize& size,
                           std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const char* sub : {"db/images", "db/documents", "db/notes"}) fs::create_directories(fs::path(installFolder) / sub, ec);
    const fs::path pigeonsPath = fs::path(installFolder) / "db" / "pigeons.db";
    const fs::path extraPath = fs::path(installFolder) / "db" / "dodatkowe_informacje.db";
    fs::remove(pigeonsPath, ec);
    fs::remove(extraPath, ec);

    SqlDatabase pigeonsDb(FromUtf8(pigeonsPath.string()));
    SqlDatabase extraDb(FromUtf8(extraPath.string()));
    if (!pigeonsDb.ok() || !extraDb.ok()) {
        *error = "cannot create the database files in " + installFolder;
        return false;
    }
    CreateTables(pigeonsDb, LoftTables());
    CreateTables(pigeonsDb, PigeonTables());
    CreateTables(extraDb, ExtraTables());
    sqlite3* db = pigeonsDb.handle();
    sqlite3* extra = extraDb.handle();
    Exec(db, "PRAGMA synchronous = OFF;");
    Exec(extra, "PRAGMA synchronous = OFF;");
    Exec(db, "BEGIN;");
    Exec(extra, "BEGIN;");

    std::mt19937 random(20000);
    bool ok = true;
    {
        Inserter loft(db, "INSERT INTO hodowla(id, nazwahodowli, opishodowli) VALUES (?1, ?2, ?3);");
        ok &= loft.Int(1, 1).Str(2, "Gołębnik główny").Str(3, "lotowy").Run();
        ok &= loft.Int(1, 2).Str(2, "Rozpłodowy").Str(3, "").Run();
        Inserter category(db, "INSERT INTO kategoria(id, nazwakategorii, id_hodowli, opiskategorii) VALUES (?1, ?2, ?3, '');");
        const char* names[] = {"Lotniki", "Młode", "Rozpłodowe", "Rezerwa", "Sprzedane", "Wszystkie"};
        for (int c = 1; c <= 5; ++c) ok &= category.Int(1, c).Str(2, names[c - 1]).Int(3, 1).Run();
        ok &= category.Int(1, 6).Str(2, names[5]).Int(3, 2).Run();

        // Birds: the main loft's first, then the second loft's 50. The roof date stays NULL, as
        // the program's own insert leaves it.
        Inserter bird(db,
            "INSERT INTO pigeons(id, id_hodowli, nazwa, kraj, oddzial, rocznik, nr_obraczki, id_matki, "
            "id_ojca, plec, DataDodania, DataUrodzenia, DataKupna, DataSprzedazy, DataOdejscia) "
            "VALUES (?1, ?2, ?3, 'PL', ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?12, ?12);");
        Inserter member(db, "INSERT INTO kategoria_id(id_kategorii, id_golebia) VALUES (?1, ?2);");
        const int total = size.birds + 50;
        const int rest = (size.birds - size.bigCategory()) / 4;
        for (int id = 1; id <= total; ++id) {
            const bool main = id <= size.birds;
            const int year = 2015 + id % 10;
            bird.Int(1, id).Int(2, main ? 1 : 2).Str(3, id % 7 == 0 ? "As " + std::to_string(id) : "")
                .Str(4, "0" + std::to_string(100 + id % 400)).Str(5, std::to_string(year)).Str(6, Ring(year, id))
                .Int(7, id > 100 && id % 3 == 0 ? id - 51 : 0).Int(8, id > 100 && id % 3 == 0 ? id - 100 : 0)
                .Int(9, 1 + id % 2).Int(10, kSeasonStart - (id % 3000) * kDay).Int(11, kSeasonStart - (id % 3650) * kDay)
                .Int(12, kNotSet);
            ok &= bird.Run();
            int categoryId = 6;
            if (main) {
                const int k = id - 1;
                categoryId = k < size.bigCategory() ? 1 : std::min(5, 2 + (k - size.bigCategory()) / std::max(1, rest));
            }
            ok &= member.Int(1, categoryId).Int(2, id).Run();
        }

        Inserter pair(db,
            "INSERT INTO pary(id, id_samca, id_samicy, id_hodowli, id_sezonu, DataParowania, DataDodania, "
            "DataZlozeniaJaj, DataWylegu, uwagi, zlozonych) VALUES (?1, ?2, ?3, 1, 0, ?4, ?4, ?5, ?5, '', 2);");
        Inserter young(db, "INSERT INTO dzieci(id_golebia, id_pary, id_hodowli, uwagi, DataDodania) VALUES (?1, ?2, 1, '', ?3);");
        for (int p = 1; p <= size.pairs(); ++p) {
            const int cock = 2 * p - 1, hen = 2 * p;
            ok &= pair.Int(1, p).Int(2, cock).Int(3, hen).Int(4, kSeasonStart + p % 60 * kDay).Int(5, kNotSet).Run();
            for (int y = 0; y < size.youngPerPair(); ++y)
                ok &= young.Int(1, 1 + (size.pairs() * 2 + p * size.youngPerPair() + y) % size.birds).Int(2, p)
                          .Int(3, kSeasonStart + (40 + p % 60) * kDay).Run();
        }

        Inserter flight(db,
            "INSERT INTO loty(id, id_hodowli, typ, odleglosckm, odlegloscm, liczba_hodowcow, golebi_oddzial, "
            "wlozonychgolebi, czasodlotu, czas_pierwszego_w_konk, czas_ostatniego_w_konk, miejscowosc, notatki) "
            "VALUES (?1, 1, ?2, ?3, 250, 120, 3400, 100, ?4, ?6, ?6, ?5, '');");
        Inserter result(db,
            "INSERT INTO lotniki(id_lotu, id_hodowli, id_golebia, DataCzasPrzylotu, nr_konkursu, "
            "CoefficientOddzialowy, PunktyOddzial, notatki) VALUES (?1, 1, ?2, ?3, ?4, ?5, ?6, '');");
        const char* places[] = {"Opole", "Hanower", "Brno", "Kalisz", "Lipsk"};
        for (int f = 1; f <= size.flights(); ++f) {
            const long long release = kSeasonStart + 30 * kDay + f * kDay / 3;
            ok &= flight.Int(1, f).Int(2, f % 3).Int(3, 100 + f % 700).Int(4, release).Str(5, places[f % 5])
                      .Int(6, kNotSet).Run();
            for (int r = 0; r < size.resultsPerFlight(); ++r) {
                ok &= result.Int(1, f).Int(2, 1 + (f * 37 + r * 101) % size.birds).Int(3, release + 3600 * 4 + r * 17)
                          .Int(4, r + 1).Real(5, 1.0 + r * 0.25).Real(6, 75.0 - r * 0.5).Run();
            }
        }

        Inserter treatment(db,
            "INSERT INTO lekisuplementy(id_hodowli, rodzaj, id_golebia, kategoria, data_podania, nazwa, dawka, "
            "dzialanie, uwagi) VALUES (1, ?1, ?2, 0, ?3, ?4, '1 tabletka', '', '');");
        for (int t = 0; t < size.treatments(); ++t)
            ok &= treatment.Int(1, t % 2).Int(2, t % 10 == 0 ? -2 : 1 + static_cast<int>(random() % size.birds))
                      .Int(3, kSeasonStart + t % 200 * kDay).Str(4, t % 2 ? "Witaminy" : "Szczepienie").Run();

        Inserter transaction(db,
            "INSERT INTO transakcje(id_hodowli, id_golebia, id_klienta, cena, waluta, rodzajtransakcji, "
            "przedmiottransakcji, data, innyprzedmiottransakcji, not1) VALUES (1, ?1, 0, ?2, 0, ?3, 0, ?4, '', '');");
        for (int t = 0; t < size.transactions(); ++t)
            ok &= transaction.Int(1, 1 + t * 13 % size.birds).Real(2, 150.0 + t).Int(3, t % 2)
                      .Int(4, kSeasonStart + t * kDay).Run();

        Inserter colour(extra, "INSERT INTO kolory(id, nazwa, f1) VALUES (?1, ?2, 0);");
        const char* colours[] = {"niebieski", "nakrapiany", "czerwony", "płowy", "szpakowaty"};
        for (int c = 0; c < 5; ++c) ok &= colour.Int(1, c + 1).Str(2, colours[c]).Run();
        Inserter ild(extra, "INSERT INTO ild(id_golebia) VALUES (?1);");
        for (int i = 1; i <= 50; ++i) ok &= ild.Int(1, i * 7).Run();
    }
    ok &= Exec(db, "COMMIT;");
    ok &= Exec(extra, "COMMIT;");
    if (!ok) *error = std::string("a row was refused: ") + sqlite3_errmsg(db);
    return ok;
}
