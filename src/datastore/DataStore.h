#pragma once
// CDataStore: the one in-memory mirror of both database files. Windows read its containers
// through const accessors (Pigeons(), Lofts(), …), so they cannot change them, and change records
// only through its write methods, which write through to the file at once and then, only after
// the database accepted the change, bring memory in step themselves: an add appends the record
// where a load would put it (a new breeding season goes last until the next load sorts it), an
// update rewrites only what the statement wrote (ids, loft, added dates, attachments, results
// and young stay as held), a delete erases it. No caller patches memory.
//
// Every operation opens its file, runs its statements (bound values only) and closes the file
// again, so between operations no database file is open.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Records.h"
#include "Sqlite.h"

using PigeonMap = std::map<int, PigeonRecord>;
using PersonMap = std::map<int, PersonRecord>;
using NameMap = std::map<int, Text>;

// What a Write… method does with its record: Insert gives the record the new row's id; Update
// and Delete act on the row of the record's own id.
enum class WriteMode { Insert, Update, Delete };

// The rules every stored pair, young, flight and flight result keeps, so that no window, import
// or tool can store a record that cannot be true. The write methods refuse a record that breaks
// one before anything is written (they answer false, as for any refused write, and memory stays
// as it was); windows and the import ask the Check… methods first to learn which rule and which
// record stand in the way.
enum class RecordRule {
    Kept,                // the record breaks no rule
    PairOfOneBird,       // the pair's cock and hen are the same bird
    PairYoungInItsLine,  // a young of the pair is its cock or hen or a forebear of either
    YoungIsPairBird,     // the young is its pair's cock or hen
    YoungIsForebear,     // the young is a forebear of its pair's cock or hen
    YoungOfAnotherPair,  // the bird is already the young of a pair (otherId: that pair)
    BirdTwiceInFlight,   // the bird already has a result in the flight (otherId: that result)
    ReleaseAfterArrival, // the release is not earlier than an arrival the flight holds (otherId:
                         // the result of the earliest arrival)
    ArrivalNotAfterRelease, // the arrival is not later than the release of its flight
};

// Where a record being written comes from: typed by the user, or copied as it is from files the
// breeder already has (the import of the previous version). A copied record keeps what those
// files hold even where a rule for typed records would refuse it; the rules that say which
// records cannot exist side by side still hold for it.
enum class RecordOrigin { Typed, Copied };

struct RuleCheck {
    RecordRule rule = RecordRule::Kept;
    int otherId = 0;  // the record in the way, for the rules that name one
    bool Kept() const { return rule == RecordRule::Kept; }
};

// One row of `kategoria_id`: a bird's place in a category.
struct CategoryMember {
    int rowId = 0;
    int categoryId = 0;
    int pigeonId = 0;
};

// One row of `ild`: an entry of the individual print list.
struct IldEntry {
    int rowId = 0;
    int pigeonId = 0;
};

class CDataStore {
public:
    CDataStore() = default;

    // ---- containers, read-only outside the store (its write methods keep them in step) ----
    const std::vector<TreatmentRecord>& FlockTreatments() const { return flockTreatments; }
    const std::vector<NoteRecord>& Notes() const { return notes; }
    const NameMap& ColourNames() const { return colourNames; }
    const std::map<int, int>& ColourValues() const { return colourValues; }
    const NameMap& BreedNames() const { return breedNames; }
    const NameMap& LineNames() const { return lineNames; }
    const NameMap& EyeColourNames() const { return eyeColourNames; }
    const NameMap& StatusNames() const { return statusNames; }
    const PersonMap& Clients() const { return clients; }
    const std::map<int, TransactionRecord>& Transactions() const { return transactions; }
    const std::vector<SeasonRecord>& BreedingSeasons() const { return breedingSeasons; }
    const std::vector<SeasonRecord>& FlightSeasons() const { return flightSeasons; }
    const std::vector<PairRecord>& Pairs() const { return pairs; }
    const std::vector<FlightRecord>& Flights() const { return flights; }
    const std::vector<PairRecord>& AllPairs() const { return allPairs; }
    const std::vector<FlightRecord>& AllFlights() const { return allFlights; }
    const PersonMap& Breeders() const { return breeders; }
    const std::vector<LoftRecord>& Lofts() const { return lofts; }
    const PigeonMap& Pigeons() const { return pigeons; }

    // ---- lookups for display: never insert; an absent id gives an empty record ----
    const PigeonRecord& FindPigeon(int id) const;
    const PersonRecord& FindClient(int id) const;
    const PersonRecord& FindBreeder(int id) const;
    static const Text& FindName(const NameMap& names, int id);
    // Index of the loft with that id in `lofts`, -1 when none.
    int FindLoftIndex(int loftId) const;
    // The first bird (in id order) of the given bird's loft, other than that bird itself, whose
    // whole ring (country, branch, year and number) is the given bird's; null when there is
    // none or the given bird has no ring number yet.
    const PigeonRecord* FindOtherPigeonWithRing(const PigeonRecord& bird) const;

    // ---- loaders ----
    // Each reads its whole file into fresh containers and replaces memory only when every read
    // succeeded. False (memory unchanged) when the file is locked by another program past the
    // busy timeout, or damaged; the wait is bounded by one busy timeout, not one per statement.
    bool LoadLofts();
    bool LoadPigeonsDb(int loftId);
    bool LoadExtraDb(int loftId);

    // Runs one plain statement on a database file (the SQL console needs arbitrary text).
    bool ExecSqlOnFile(const Text& path, const Text& sql);
    // The same with bound parameters (?1, ?2, …) for statements that carry user values.
    bool ExecSqlOnFile(const Text& path, const Text& sql, const std::vector<SqlValue>& values);

    // ---- category membership and the individual print list (not held in memory) ----
    std::vector<CategoryMember> LoadCategoryMembers(int categoryId) const;  // row order
    std::vector<int> LoadIldList() const;                                    // row order
    std::vector<IldEntry> LoadIldEntries() const;                            // row order

    // ---- writes of birds, lofts, categories, pairs, young, flights and results ----
    // Each returns false (and leaves memory as it was) when the database refused the change.
    // Birds keep their lofts' bird counts in step; results, and flights holding results, keep
    // their birds' flight statistics in step; a bird update keeps the bird's photos,
    // documents, treatments and flight statistics as held. Category membership and the
    // individual print list are not held in memory.
    bool WritePigeon(WriteMode mode, PigeonRecord& record);
    bool DeletePigeon(int pigeonId);
    // The bird's short description and roof date, each written on its own.
    bool WritePigeonShortDescription(int pigeonId, const Text& description);
    bool WritePigeonRoofDate(int pigeonId, Time64 date);  // 0 or less clears it
    // Deletes the bird together with its treatments, photos and documents (rows and stored
    // files), its membership in every category and its entry in the individual print list, in
    // one transaction over both files.
    bool DeletePigeonWithRows(int pigeonId);
    bool WriteLoft(WriteMode mode, LoftRecord& record);
    bool WriteCategory(WriteMode mode, CategoryRecord& record);
    bool AddPigeonToCategory(int categoryId, int pigeonId);
    bool RemovePigeonFromCategory(int categoryId, int pigeonId);
    // Inserts the new birds and places each at the end of the category, all in one transaction;
    // on success each record gets its id and the bird map its copy, on failure nothing changes.
    bool AddNewPigeonsToCategory(int categoryId, std::vector<PigeonRecord>& records);
    // The two membership rows keep their place and trade their birds, both or neither.
    bool SwapCategoryMembers(int membershipA, int pigeonA, int membershipB, int pigeonB);
    // Replaces the category's membership rows by one row per bird in the given order, all in
    // one transaction.
    bool RewriteCategoryOrder(int categoryId, const std::vector<int>& pigeonIds);
    // Lists the bird in the target category (unless it is there already), gives it the target
    // loft and, unless `keepCopy`, takes it out of `fromCategoryId`, all in one transaction. On
    // success the bird's loft and the lofts' bird counts follow in memory.
    bool MovePigeonToCategory(int pigeonId, int fromCategoryId, int toCategoryId, int toLoftId,
                              bool keepCopy);
    // Pairs, young, flights and results are also refused when they break a rule (CheckPair,
    // CheckYoung with the pair's cock and hen, CheckFlight, CheckFlightResult). A result update
    // writes its bird too.
    bool WritePair(WriteMode mode, PairRecord& record);
    bool WriteYoung(WriteMode mode, YoungRecord& record);
    bool WriteFlight(WriteMode mode, FlightRecord& record);
    bool WriteFlightResult(WriteMode mode, FlightResultEntry& record,
                           RecordOrigin origin = RecordOrigin::Typed);

    // ---- writes of attachments, treatments, people, transactions, dictionaries, seasons ----
    // Photos, documents and a bird's treatments follow in their bird; flock treatments in
    // `flockTreatments`.
    bool AddPhoto(PhotoRecord& record);
    bool AddDocument(DocumentRecord& record);
    bool DeletePhoto(PhotoRecord& record);
    bool DeleteDocument(DocumentRecord& record);
    // Stores a photo's kind (`classify1`); its copy in the bird follows.
    bool WritePhotoKind(int photoId, int kind);
    bool WriteTreatment(WriteMode mode, TreatmentRecord& record);
    bool WriteTransaction(WriteMode mode, TransactionRecord& record);
    bool WriteClient(WriteMode mode, PersonRecord& record);
    bool WriteBreeder(WriteMode mode, PersonRecord& record);
    bool AddColour(int loftId, const Text& name);
    bool AddBreed(int loftId, const Text& name);
    bool AddLine(int loftId, const Text& name);
    bool AddEyeColour(int loftId, const Text& name);
    bool AddStatus(int loftId, const Text& name);
    bool DeleteColour(int id);
    bool DeleteBreed(int id);
    bool DeleteLine(int id);
    bool DeleteEyeColour(int id);
    bool DeleteStatus(int id);
    // Stores a colour's numeric code (`f1`); `colourValues` follows.
    bool WriteColourValue(int colourId, std::int64_t value);
    bool AddToIldList(int pigeonId);
    bool RemoveFromIldList(int pigeonId);
    bool AddBreedingSeason(SeasonRecord& record);
    bool AddFlightSeason(SeasonRecord& record);
    bool DeleteBreedingSeason(int id);
    bool DeleteFlightSeason(int id);
    bool WriteNote(WriteMode mode, NoteRecord& record);

    // ---- breeding: young linked together with their parents (DataStoreBreeding.cpp) ----
    // Links a bird to a pair as its young and makes the pair's male and female the bird's
    // father and mother, in one transaction: the `dzieci` row (the record gets its id) and the
    // bird's parents are written both or neither. On success the young joins its pair in
    // `pairs` and the bird in `pigeons` gets the parents. Refused when CheckYoung is not kept.
    bool AddYoungWithParents(YoungRecord& record, int fatherId, int motherId);
    // Rewrites a young's notes and bird. When the young now names another bird than
    // `previousBirdId`, that bird gets the pair's male and female as parents in the same
    // transaction; the bird no longer named keeps its parents. Memory follows on success.
    bool UpdateYoungWithParents(YoungRecord& record, int previousBirdId, int fatherId,
                                int motherId);

    // ---- the rules of pairs, young, flights and results (DataStoreRules.cpp; see RecordRule) ----
    // Each answers for a write of that mode, against what the store holds: the birds and every
    // loft's pairs with their young, the flights it holds (the loaded loft's and those written
    // through it) with their results. A delete breaks no rule. A pair's cock and hen count as
    // chosen when their ids are above 0; a pair with one of them is a record like any other.
    RuleCheck CheckPair(WriteMode mode, const PairRecord& record) const;
    // `fatherId` and `motherId` are the pair's cock and hen, whom the young has as parents. An
    // update that keeps the young's bird breaks no rule, so its notes can always be edited.
    RuleCheck CheckYoung(WriteMode mode, const YoungRecord& record, int fatherId,
                         int motherId) const;
    // A flight's release is earlier than every arrival of its results; a result without an
    // arrival (0 or below), or a flight without a release, is not compared. An update that keeps
    // the release breaks no rule, so a flight a file already holds with an arrival at or before
    // its release stays editable.
    RuleCheck CheckFlight(WriteMode mode, const FlightRecord& record) const;
    // A typed result's arrival is later than its flight's release, compared as for CheckFlight;
    // an update that keeps the arrival breaks that rule no more than the file did. An update
    // that keeps the result's bird breaks no rule of birds.
    RuleCheck CheckFlightResult(WriteMode mode, const FlightResultEntry& record,
                                RecordOrigin origin = RecordOrigin::Typed) const;
    // The birds that are the young of some pair, but for the young row `exceptYoungId`: what
    // may not become a young again.
    std::set<int> BirdsLinkedAsYoung(int exceptYoungId) const;

    // ---- database maintenance: the purge, the SQL console ----
    // Deletes the birds with everything that is only theirs: treatments, photos and documents
    // (rows and stored files), their membership in every category and their print-list entries,
    // all in one transaction over both files. On success the birds leave the bird map and their
    // lofts' bird counts; on failure nothing changes anywhere.
    bool DeletePigeonsWithRows(const std::vector<int>& pigeonIds);
    // The birds of the bird map, in ascending id order, that nothing in the files names: no
    // category of any loft, no pair or young bird, no flight result and no transaction, and
    // that are no parent, grandparent, … of a bird that stays.
    std::vector<int> PigeonsNamedNowhere() const;
    // Runs the first statement of a text the user typed on a database file and steps it once.
    struct ConsoleResult {
        bool ok = false;
        std::string error;       // SQLite's own message when not ok
        bool restIgnored = false; // the text held more than one statement
        // The statement ran and was one that writes (a change of rows or of the tables): what
        // the store holds in memory may no longer be what the file holds.
        bool changed = false;
    };
    ConsoleResult RunConsoleStatement(const Text& path, const Text& sql);

private:
    // ---- the containers (read outside through the accessors above) ----
    std::vector<TreatmentRecord> flockTreatments;  // id_golebia -2, all lofts, row order
    std::vector<NoteRecord> notes;                 // loaded loft, row order
    NameMap colourNames;                           // plus 0 -> " "
    std::map<int, int> colourValues;
    NameMap breedNames;
    NameMap lineNames;
    NameMap eyeColourNames;
    NameMap statusNames;
    PersonMap clients;
    std::map<int, TransactionRecord> transactions; // loaded loft
    std::vector<SeasonRecord> breedingSeasons;     // newest start first after loading
    std::vector<SeasonRecord> flightSeasons;       // row order
    std::vector<PairRecord> pairs;                 // loaded loft, with its young
    std::vector<FlightRecord> flights;             // loaded loft, with its results
    std::vector<PairRecord> allPairs;              // all lofts, with all their young
    std::vector<FlightRecord> allFlights;          // all lofts, no results
    PersonMap breeders;
    std::vector<LoftRecord> lofts;                 // row order, with categories and bird count
    PigeonMap pigeons;                             // all lofts

    // Keep `allPairs` (every loft's pairs, read by the preview panel's siblings) in step with a
    // pair or young that was just written: an insert appends, an update rewrites, a delete
    // erases. The young of `allPairs` stay those of every loft.
    void MirrorPairWrite(WriteMode mode, const PairRecord& record);
    void MirrorYoungWrite(WriteMode mode, const YoungRecord& record);
    // The cock and hen of the pair a young belongs to (0 and 0 for a pair the store does not hold).
    std::pair<int, int> BirdsOfYoungsPair(WriteMode mode, const YoungRecord& record) const;
    bool WritePerson(const char16_t* table, PersonMap& map, WriteMode mode, PersonRecord& record);
    bool AddDictionaryEntry(const char16_t* table, NameMap& map, int loftId, const Text& name);
    bool DeleteDictionaryEntry(const char16_t* table, NameMap& map, int id);
    bool AddSeason(const char16_t* table, std::vector<SeasonRecord>& seasons, SeasonRecord& record);
    bool DeleteSeason(const char16_t* table, std::vector<SeasonRecord>& seasons, int id);
    std::vector<TreatmentRecord>* TreatmentsOf(int pigeonId);
    void StoreUpdatedPigeon(const PigeonRecord& record);
    // A bird's flight statistics are counted from the loaded loft's flights, as a load counts
    // them; these keep them so after a result or a flight was written. A new result is counted
    // on top when it is the last a load would count, else its bird is counted again.
    void CountAddedResult(const FlightResultEntry& result);
    void RecountFlightStatistics(std::vector<int> pigeonIds);
    void CountBirdInLoft(int loftId, int change);
    static void KeepInsertedPairFields(PairRecord& held, const PairRecord& written);

};

// A batch of writes (the version-5 import): while it lives, every write of any CDataStore to
// either database file of the install folder goes through one connection per file and one
// transaction per file, committed together by Commit(); without a successful Commit() nothing
// of it reaches the files. Single edits outside a batch are unchanged. Inserts inside a batch
// must name rows that exist (see DataStoreInternal.cpp), and birds cannot be deleted inside one
// (their deletion attaches the other file). Memory that the write methods patched inside a
// batch that was rolled back no longer matches the files: use a store of its own, or reload.
class DataStoreBatch {
public:
    DataStoreBatch();
    bool ok() const { return batch_.ok(); }
    bool Commit() { return batch_.Commit(); }

private:
    SqlBatch batch_;
};

// The program's one store.
CDataStore& TheDataStore();
