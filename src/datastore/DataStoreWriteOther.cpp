// Writes of a bird's photographs, documents and treatments, of transactions, clients and
// breeders, the five dictionaries, the individual print list, seasons and notes.
//
// Every value is bound; memory is patched only after the database accepted the change.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "DataStore.h"
#include "DataStoreInternal.h"
#include "SharedRoutines.h"

namespace fs = std::filesystem;
using dsinternal::IdReference;
using dsinternal::InsertRow;
using dsinternal::SqlDate;

namespace {

// The largest id that rows of pigeons.db still hold in the given columns (nullopt when the file
// cannot be read). Birds and transactions keep the ids of clients, breeders and dictionary
// entries after those were deleted, so a new person or entry must not take such an id back (it
// would inherit them).
std::optional<std::int64_t> PigeonsDbReferenceFloor(const std::vector<IdReference>& refs) {
    return dsinternal::MaxReferenceInFile(PigeonsDbPath(), refs);
}

// Copies the user's file to its stored place, replacing a file of that name. The copy is made
// under a name of its own and renamed into place only when complete, so a copy that fails
// part-way (disk full, a file-size limit) leaves no half-written file behind.
bool CopyAttachment(const Text& source, const Text& folder, const Text& fileName) {
    if (source.empty() || !EnsureDbFolders()) return false;
    std::error_code ec;
    const fs::path from = ToFsPath(source);
    if (!fs::is_regular_file(from, ec)) return false;
    const fs::path to = ToFsPath(JoinPath(folder, fileName));
    fs::path partial = to;
    partial += ".part";
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(partial, to, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return false;
    }
    return true;
}

// Removes a stored file; a file that is already gone is no error.
void RemoveStoredFile(const Text& path) {
    std::error_code ec;
    fs::remove(ToFsPath(path), ec);
}

// Deletes a row and its stored file together: the file goes inside the row's transaction, so a
// file that cannot be removed keeps its row (and is reported), and a row the database keeps
// is not left without its file unless the final commit itself fails.
bool DeleteRowAndFile(const Text& dbPath, const Text& sql, int id, const Text& file) {
    SqlDatabase db(dbPath);
    SqlTransaction tx(db);
    if (!tx.ok() || !db.Exec(sql, {SqlInt(id)})) return false;
    std::error_code ec;
    fs::remove(ToFsPath(file), ec);
    return !ec && tx.Commit();
}

// The largest note id that a body file in the notes folder carries (nullopt when the folder
// cannot be read): a new note must never open the body of a deleted note left behind.
std::optional<std::int64_t> NoteFileFloor() {
    std::error_code ec;
    const fs::path folder = ToFsPath(NotesFolder());
    if (!fs::exists(folder, ec)) return ec ? std::nullopt : std::optional<std::int64_t>(0);
    std::int64_t floor = 0;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string stem = it->path().stem().string();
        std::int64_t id = 0;
        const auto [last, error] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
        if (it->path().extension() != ".html" || error != std::errc() ||
            last != stem.data() + stem.size())
            continue;
        floor = std::max(floor, id);
    }
    if (ec) return std::nullopt;
    return floor;
}

// Inserts an attachment row and stores the user's file (the record's `path`) under the name the
// new row gives it, both or neither: the row is committed only once the copy succeeded, so a
// failed copy leaves no row behind.
template <typename Attachment>
std::int64_t InsertAttachment(const Text& sql, const std::vector<SqlValue>& values,
                              const Attachment& record, const Text& folder) {
    SqlDatabase db(PigeonsDbPath());
    SqlTransaction tx(db);
    if (!tx.ok()) return 0;
    if (!db.Exec(sql, values) || db.Changes() != 1) return 0;
    const std::int64_t id = db.LastInsertRowId();
    if (!dsinternal::FitsRecordId(id)) return 0;
    Attachment stored = record;
    stored.id = static_cast<int>(id);
    const Text fileName = stored.FileName();
    if (!CopyAttachment(record.path, folder, fileName)) return 0;
    if (!tx.Commit()) {
        RemoveStoredFile(JoinPath(folder, fileName));
        return 0;
    }
    return id;
}

bool RunOn(const Text& dbPath, const Text& sql, const std::vector<SqlValue>& values) {
    SqlDatabase db(dbPath);
    return db.Exec(sql, values);
}

// An update that found no row changed nothing: the caller must not take it for a success.
bool UpdateOn(const Text& dbPath, const Text& sql, const std::vector<SqlValue>& values) {
    SqlDatabase db(dbPath);
    return db.Exec(sql, values) && db.Changes() > 0;
}

// The five dictionaries and the bird column that holds each one's ids.
struct DictionaryTable {
    const char16_t* table;
    const char16_t* pigeonColumn;
};

constexpr DictionaryTable kDictionaries[] = {
    {u"kolory", u"id_koloru"},   {u"gatunekrasa", u"id_rasy"}, {u"linia", u"id_linia"},
    {u"koloroka", u"id_koloroka"}, {u"statusy", u"id_statusu"},
};

const char16_t* PigeonColumnOf(const char16_t* table) {
    for (const DictionaryTable& d : kDictionaries) {
        if (Text(d.table) == table) return d.pigeonColumn;
    }
    return nullptr;
}

}  // namespace

// ---- photographs and documents -----------------------------------------------------------

bool CDataStore::AddPhoto(PhotoRecord& record) {
    record.subkategoria = 0;
    const std::int64_t id = InsertAttachment(
        u"INSERT INTO zdjecia(opis1, id_golebia, id_hodowli, rozszerzenie, rodzaj, kategoria, "
        u"subkategoria) VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7 );",
        {SqlText(record.opis1), SqlInt(record.id_golebia), SqlInt(record.id_hodowli),
         SqlText(record.rozszerzenie), SqlInt(record.rodzaj), SqlInt(record.kategoria),
         SqlInt(record.subkategoria)},
        record, ImagesFolder());
    record.id = static_cast<int>(id);
    if (id <= 0) return false;
    if (const auto bird = pigeons.find(record.id_golebia); bird != pigeons.end()) {
        PhotoRecord held = record;
        held.path.clear();  // the user's source file; the stored copy is found by id
        held.classify1 = 0;
        bird->second.photos.push_back(std::move(held));
    }
    return true;
}

bool CDataStore::AddDocument(DocumentRecord& record) {
    record.rodzaj = 0;
    record.kategoria = 0;
    record.subkategoria = 0;
    const std::int64_t id = InsertAttachment(
        u"INSERT INTO dokumenty(opis1, id_wlasciciela, id_hodowli, rodzaj, kategoria, "
        u"subkategoria, rozszerzenie, nazwa) VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8 );",
        {SqlText(record.opis1), SqlInt(record.id_wlasciciela), SqlInt(record.id_hodowli),
         SqlInt(record.rodzaj), SqlInt(record.kategoria), SqlInt(record.subkategoria),
         SqlText(record.rozszerzenie), SqlText(record.nazwa)},
        record, DocumentsFolder());
    record.id = static_cast<int>(id);
    if (id <= 0) return false;
    if (const auto bird = pigeons.find(record.id_wlasciciela); bird != pigeons.end()) {
        DocumentRecord held = record;
        held.path.clear();
        bird->second.documents.push_back(std::move(held));
    }
    return true;
}

// The kind of a photo (`classify1`: 0 general, 1 eye, 2 plumage, 4 pedigree). A photo the file
// no longer holds is a failure: nothing changed.
bool CDataStore::WritePhotoKind(int photoId, int kind) {
    if (!UpdateOn(PigeonsDbPath(), u"UPDATE zdjecia SET classify1 = ?1 WHERE id = ?2;",
                  {SqlInt(kind), SqlInt(photoId)})) {
        return false;
    }
    for (auto& [id, bird] : pigeons) {
        for (PhotoRecord& photo : bird.photos) {
            if (photo.id == photoId) photo.classify1 = kind;
        }
    }
    return true;
}

// The row goes first: when the database refuses, the photo and its file both stay.
bool CDataStore::DeletePhoto(PhotoRecord& record) {
    if (!DeleteRowAndFile(PigeonsDbPath(), u"DELETE FROM zdjecia WHERE id = ?1;", record.id,
                          record.GetFilePath())) {
        return false;
    }
    if (const auto bird = pigeons.find(record.id_golebia); bird != pigeons.end()) {
        std::erase_if(bird->second.photos, [&record](const PhotoRecord& p) { return p.id == record.id; });
    }
    return true;
}

bool CDataStore::DeleteDocument(DocumentRecord& record) {
    if (!DeleteRowAndFile(PigeonsDbPath(), u"DELETE FROM dokumenty WHERE id = ?1;", record.id,
                          JoinPath(DocumentsFolder(), record.FileName()))) {
        return false;
    }
    if (const auto bird = pigeons.find(record.id_wlasciciela); bird != pigeons.end()) {
        std::erase_if(bird->second.documents,
                      [&record](const DocumentRecord& d) { return d.id == record.id; });
    }
    return true;
}

// The list a treatment of that bird is held in (the flock's for id_golebia -2), null when the
// bird is not in memory.
std::vector<TreatmentRecord>* CDataStore::TreatmentsOf(int pigeonId) {
    if (pigeonId == TreatmentRecord::kFlock) return &flockTreatments;
    const auto bird = pigeons.find(pigeonId);
    return bird != pigeons.end() ? &bird->second.treatments : nullptr;
}

// ---- treatments --------------------------------------------------------------------------

bool CDataStore::WriteTreatment(WriteMode mode, TreatmentRecord& record) {
    record.rodzaj = 0;
    if (mode == WriteMode::Insert) {
        SqlDatabase db(PigeonsDbPath());
        const std::int64_t id = InsertRow(
            db, u"lekisuplementy",
            u"INSERT INTO lekisuplementy(uwagi, id_golebia, id_hodowli, rodzaj, kategoria, "
            u"data_podania, nazwa, dawka, dzialanie) VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9 );",
            {SqlText(record.uwagi), SqlInt(record.id_golebia), SqlInt(record.id_hodowli),
             SqlInt(record.rodzaj), SqlInt(record.kategoria), SqlDate(record.data_podania),
             SqlText(record.nazwa), SqlText(record.dawka), SqlText(record.dzialanie)});
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        if (std::vector<TreatmentRecord>* list = TreatmentsOf(record.id_golebia)) {
            list->push_back(record);
        }
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!RunOn(PigeonsDbPath(), u"DELETE FROM lekisuplementy WHERE id = ?1;",
                   {SqlInt(record.id)})) {
            return false;
        }
        if (std::vector<TreatmentRecord>* list = TreatmentsOf(record.id_golebia)) {
            std::erase_if(*list, [&record](const TreatmentRecord& t) { return t.id == record.id; });
        }
        return true;
    }
    if (record.id <= 0) return false;
    if (!UpdateOn(PigeonsDbPath(),
                  u"UPDATE lekisuplementy SET uwagi = ?1, nazwa = ?2, dawka = ?3, "
                  u"dzialanie = ?4, kategoria = ?5, data_podania = ?6 WHERE id = ?7;",
                  {SqlText(record.uwagi), SqlText(record.nazwa), SqlText(record.dawka),
                   SqlText(record.dzialanie), SqlInt(record.kategoria),
                   SqlDate(record.data_podania), SqlInt(record.id)})) {
        return false;
    }
    // The bird and loft of a treatment stay as inserted.
    if (std::vector<TreatmentRecord>* list = TreatmentsOf(record.id_golebia)) {
        for (TreatmentRecord& held : *list) {
            if (held.id == record.id) held = record;
        }
    }
    return true;
}

// ---- transactions ------------------------------------------------------------------------

// The price is bound at full precision: a breeder's 12345.67 must come back as 12345.67.
bool CDataStore::WriteTransaction(WriteMode mode, TransactionRecord& record) {
    if (mode == WriteMode::Insert) {
        SqlDatabase db(PigeonsDbPath());
        const std::int64_t id = InsertRow(
            db, u"transakcje",
            u"INSERT INTO transakcje(id_golebia, id_hodowli, id_klienta, not1, waluta, cena, "
            u"rodzajtransakcji, przedmiottransakcji, data, innyprzedmiottransakcji) "
            u"VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10 );",
            {SqlInt(record.id_golebia), SqlInt(record.id_hodowli), SqlInt(record.id_klienta),
             SqlText(record.not1), SqlInt(record.waluta), SqlReal(record.cena),
             SqlInt(record.rodzajtransakcji), SqlInt(record.przedmiottransakcji),
             SqlDate(record.data), SqlText(record.innyprzedmiottransakcji)});
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        transactions[record.id] = record;
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!RunOn(PigeonsDbPath(), u"DELETE FROM transakcje WHERE id = ?1;",
                   {SqlInt(record.id)})) {
            return false;
        }
        transactions.erase(record.id);
        return true;
    }
    if (record.id <= 0) return false;
    if (!UpdateOn(PigeonsDbPath(),
                  u"UPDATE transakcje SET not1 = ?1, innyprzedmiottransakcji = ?2, "
                  u"id_golebia = ?3, id_klienta = ?4, waluta = ?5, cena = ?6, "
                  u"rodzajtransakcji = ?7, przedmiottransakcji = ?8, data = ?9 WHERE id = ?10;",
                  {SqlText(record.not1), SqlText(record.innyprzedmiottransakcji),
                   SqlInt(record.id_golebia), SqlInt(record.id_klienta), SqlInt(record.waluta),
                   SqlReal(record.cena), SqlInt(record.rodzajtransakcji),
                   SqlInt(record.przedmiottransakcji), SqlDate(record.data), SqlInt(record.id)})) {
        return false;
    }
    // The loft of a transaction stays as inserted.
    if (const auto it = transactions.find(record.id); it != transactions.end()) {
        const int loft = it->second.id_hodowli;
        it->second = record;
        it->second.id_hodowli = loft;
    }
    return true;
}

// ---- clients and breeders ----------------------------------------------------------------

bool CDataStore::WriteClient(WriteMode mode, PersonRecord& record) {
    return WritePerson(u"klienci", clients, mode, record);
}

bool CDataStore::WriteBreeder(WriteMode mode, PersonRecord& record) {
    return WritePerson(u"hodowcy", breeders, mode, record);
}

// `hodowla`, `kategoria`, `subkategoria` and `typ` are set once when the person is added;
// `nip` is never written.
bool CDataStore::WritePerson(const char16_t* table, PersonMap& map, WriteMode mode,
                             PersonRecord& record) {
    const Text name(table);
    if (mode == WriteMode::Insert) {
        const bool isClient = name == u"klienci";
        const auto floor = PigeonsDbReferenceFloor(
            isClient ? std::vector<IdReference>{{u"pigeons", u"id_wlasciciela"},
                                                {u"transakcje", u"id_klienta"}}
                     : std::vector<IdReference>{{u"pigeons", u"id_hodowcy"}});
        SqlDatabase db(ExtraDbPath());
        const std::int64_t id = InsertRow(
            db, table,
            u"INSERT INTO " + name +
                u"(imie, nazwisko, miejscowosc, ulica, nrdomu, teldom, teldom2, telkom, telkom2, "
                u"email, adreswww, kodpocztowy, uwagi, hodowla, kategoria, subkategoria, typ, "
                u"wojewodztwo, kraj) VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                u"?13, ?14, ?15, ?16, ?17, ?18, ?19 );",
            {SqlText(record.imie), SqlText(record.nazwisko), SqlText(record.miejscowosc),
             SqlText(record.ulica), SqlText(record.nrdomu), SqlText(record.teldom),
             SqlText(record.teldom2), SqlText(record.telkom), SqlText(record.telkom2),
             SqlText(record.email), SqlText(record.adreswww), SqlText(record.kodpocztowy),
             SqlText(record.uwagi), SqlInt(record.hodowla), SqlInt(record.kategoria),
             SqlInt(record.subkategoria), SqlInt(record.typ), SqlInt(record.wojewodztwo),
             SqlInt(record.kraj)},
            {}, floor);
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        PersonRecord held = record;
        held.typ = PersonRecord{}.typ;  // written, but not read back
        held.nip.clear();               // never written
        map[record.id] = std::move(held);
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!RunOn(ExtraDbPath(), u"DELETE FROM " + name + u" WHERE id = ?1;",
                   {SqlInt(record.id)})) {
            return false;
        }
        map.erase(record.id);
        return true;
    }
    if (record.id <= 0) return false;
    if (!UpdateOn(ExtraDbPath(),
                  u"UPDATE " + name +
                      u" SET imie = ?1, nazwisko = ?2, miejscowosc = ?3, ulica = ?4, "
                      u"nrdomu = ?5, teldom = ?6, teldom2 = ?7, telkom = ?8, telkom2 = ?9, "
                      u"email = ?10, adreswww = ?11, wojewodztwo = ?12, kraj = ?13, "
                      u"kodpocztowy = ?14, uwagi = ?15 WHERE id = ?16;",
                  {SqlText(record.imie), SqlText(record.nazwisko), SqlText(record.miejscowosc),
                   SqlText(record.ulica), SqlText(record.nrdomu), SqlText(record.teldom),
                   SqlText(record.teldom2), SqlText(record.telkom), SqlText(record.telkom2),
                   SqlText(record.email), SqlText(record.adreswww), SqlInt(record.wojewodztwo),
                   SqlInt(record.kraj), SqlText(record.kodpocztowy), SqlText(record.uwagi),
                   SqlInt(record.id)})) {
        return false;
    }
    // Only the columns written above change; the rest stay as held.
    if (const auto it = map.find(record.id); it != map.end()) {
        PersonRecord updated = record;
        updated.hodowla = it->second.hodowla;
        updated.kategoria = it->second.kategoria;
        updated.subkategoria = it->second.subkategoria;
        updated.typ = it->second.typ;
        updated.nip = it->second.nip;
        it->second = std::move(updated);
    }
    return true;
}

// ---- dictionaries ------------------------------------------------------------------------

bool CDataStore::AddColour(int loftId, const Text& name) {
    return AddDictionaryEntry(u"kolory", colourNames, loftId, name);
}
bool CDataStore::AddBreed(int loftId, const Text& name) {
    return AddDictionaryEntry(u"gatunekrasa", breedNames, loftId, name);
}
bool CDataStore::AddLine(int loftId, const Text& name) {
    return AddDictionaryEntry(u"linia", lineNames, loftId, name);
}
bool CDataStore::AddEyeColour(int loftId, const Text& name) {
    return AddDictionaryEntry(u"koloroka", eyeColourNames, loftId, name);
}
bool CDataStore::AddStatus(int loftId, const Text& name) {
    return AddDictionaryEntry(u"statusy", statusNames, loftId, name);
}

bool CDataStore::DeleteColour(int id) { return DeleteDictionaryEntry(u"kolory", colourNames, id); }
bool CDataStore::DeleteBreed(int id) {
    return DeleteDictionaryEntry(u"gatunekrasa", breedNames, id);
}
bool CDataStore::DeleteLine(int id) { return DeleteDictionaryEntry(u"linia", lineNames, id); }
bool CDataStore::DeleteEyeColour(int id) {
    return DeleteDictionaryEntry(u"koloroka", eyeColourNames, id);
}
bool CDataStore::DeleteStatus(int id) {
    return DeleteDictionaryEntry(u"statusy", statusNames, id);
}

// Memory holds what a load reads back: the column's value taken as a 32-bit int.
bool CDataStore::WriteColourValue(int colourId, std::int64_t value) {
    if (!UpdateOn(ExtraDbPath(), u"UPDATE kolory SET f1 = ?1 WHERE id = ?2;",
                  {SqlInt(value), SqlInt(colourId)})) {
        return false;
    }
    colourValues[colourId] = static_cast<int>(value);
    return true;
}

// A name the table already holds is refused by its UNIQUE constraint; the map stays as it was.
bool CDataStore::AddDictionaryEntry(const char16_t* table, NameMap& map, int loftId,
                                    const Text& name) {
    const char16_t* column = PigeonColumnOf(table);
    const auto floor =
        column ? PigeonsDbReferenceFloor({{u"pigeons", column}}) : std::optional<std::int64_t>{0};
    SqlDatabase db(ExtraDbPath());
    const std::int64_t id =
        InsertRow(db, table, u"INSERT INTO " + Text(table) + u"(nazwa, id_hodowli) values(?1, ?2 );",
                  {SqlText(name), SqlInt(loftId)}, {}, floor);
    if (id <= 0) return false;
    map[static_cast<int>(id)] = name;
    // A colour's value column is left empty by the insert, which reads back as 0.
    if (&map == &colourNames) colourValues[static_cast<int>(id)] = 0;
    return true;
}

bool CDataStore::DeleteDictionaryEntry(const char16_t* table, NameMap& map, int id) {
    if (!RunOn(ExtraDbPath(), u"DELETE FROM " + Text(table) + u" where id = ?1;", {SqlInt(id)})) {
        return false;
    }
    map.erase(id);
    if (&map == &colourNames) colourValues.erase(id);
    return true;
}

// ---- the individual print list -----------------------------------------------------------

bool CDataStore::AddToIldList(int pigeonId) {
    return RunOn(ExtraDbPath(), u"INSERT INTO ild(id_golebia) values( ?1 );", {SqlInt(pigeonId)});
}

// Removes every row of the bird, however often it was added.
bool CDataStore::RemoveFromIldList(int pigeonId) {
    return RunOn(ExtraDbPath(), u"DELETE FROM ild WHERE id_golebia = ?1;", {SqlInt(pigeonId)});
}

// ---- seasons -----------------------------------------------------------------------------

bool CDataStore::AddBreedingSeason(SeasonRecord& record) {
    return AddSeason(u"sezonylegowe", breedingSeasons, record);
}

bool CDataStore::AddFlightSeason(SeasonRecord& record) {
    return AddSeason(u"sezonylotowe", flightSeasons, record);
}

// A new season goes at the end of its list; the next load puts it in its place (breeding
// seasons are then sorted by their start).
bool CDataStore::AddSeason(const char16_t* table, std::vector<SeasonRecord>& seasons,
                           SeasonRecord& record) {
    SqlDatabase db(ExtraDbPath());
    const std::int64_t id = InsertRow(
        db, table,
        u"INSERT INTO " + Text(table) +
            u"(id_hodowli, Nazwa, Opis, DATA_B, DATA_E) values( ?1, ?2, ?3, ?4, ?5 );",
        {SqlInt(record.id_hodowli), SqlText(record.Nazwa), SqlText(record.Opis),
         SqlDate(record.DATA_B), SqlDate(record.DATA_E)});
    record.id = static_cast<int>(id);
    if (id <= 0) return false;
    seasons.push_back(record);
    return true;
}

bool CDataStore::DeleteBreedingSeason(int id) {
    return DeleteSeason(u"sezonylegowe", breedingSeasons, id);
}

bool CDataStore::DeleteFlightSeason(int id) {
    return DeleteSeason(u"sezonylotowe", flightSeasons, id);
}

bool CDataStore::DeleteSeason(const char16_t* table, std::vector<SeasonRecord>& seasons, int id) {
    if (!RunOn(ExtraDbPath(), u"DELETE FROM " + Text(table) + u" WHERE id = ?1;", {SqlInt(id)})) {
        return false;
    }
    std::erase_if(seasons, [id](const SeasonRecord& s) { return s.id == id; });
    return true;
}

// ---- notes -------------------------------------------------------------------------------

// Only insert and delete exist; the body file is written by the notebook.
bool CDataStore::WriteNote(WriteMode mode, NoteRecord& record) {
    if (mode == WriteMode::Insert) {
        SqlDatabase db(ExtraDbPath());
        const std::int64_t id = InsertRow(
            db, u"notatki",
            u"INSERT INTO notatki(nazwa, opis, id_hodowli, kategoria, f1, f2, f3) "
            u"VALUES ( ?1, ?2, ?3, ?4, ?5, ?6, ?7 );",
            {SqlText(record.nazwa), SqlText(record.opis), SqlInt(record.id_hodowli), SqlInt(0),
             SqlInt(0), SqlInt(0), SqlInt(0)},
            {}, NoteFileFloor());
        record.id = static_cast<int>(id);
        if (id <= 0) return false;
        notes.push_back(record);
        return true;
    }
    if (mode == WriteMode::Delete) {
        if (!DeleteRowAndFile(ExtraDbPath(), u"DELETE FROM notatki WHERE id = ?1;", record.id,
                              NoteFilePath(record.id))) {
            return false;
        }
        std::erase_if(notes, [&record](const NoteRecord& n) { return n.id == record.id; });
        return true;
    }
    return false;
}
