// Every write method keeps the store's memory itself: after each add, update and delete the
// containers must equal what a second store loading the same folder reads from the files.
#include <algorithm>
#include <functional>
#include <iomanip>
#include <sstream>

#include "TestSupport.h"

namespace {

std::string Str(const Text& t) { return S(t); }

// Each container of a store written out as one comparable text, field by field.
std::string DescribeBirds(const CDataStore& s) {
    std::ostringstream o;
    for (const auto& [id, b] : s.Pigeons()) {
        o << id << ' ' << b.id_hodowli << ' ' << Str(b.nr_obraczki) << ' ' << Str(b.nazwa) << ' '
          << b.id_ojca << ' ' << b.id_matki << ' ' << b.DataDodania << ' ' << b.DataF1 << ' '
          << Str(b.krotkiopis) << " photos";
        for (const PhotoRecord& p : b.photos) o << ' ' << p.id << ':' << Str(p.opis1) << ':' << p.classify1;
        o << " docs";
        for (const DocumentRecord& d : b.documents) o << ' ' << d.id << ':' << Str(d.nazwa);
        o << " treatments";
        for (const TreatmentRecord& t : b.treatments) o << ' ' << t.id << ':' << Str(t.nazwa);
        // The flight statistics; nine digits tell every float apart.
        o << " flights " << b.flightCount << ' ' << std::setprecision(9) << b.speedSum << ' '
          << b.positionSum << ' ' << b.averagePosition << ' ' << b.bestPosition << ' '
          << Str(b.bestPlace);
        o << '\n';
    }
    return o.str();
}

std::string DescribeLofts(const CDataStore& s) {
    std::ostringstream o;
    for (const LoftRecord& l : s.Lofts()) {
        o << l.id << ' ' << Str(l.nazwahodowli) << ' ' << Str(l.opishodowli) << " birds "
          << l.pigeonCount << " categories";
        for (const CategoryRecord& c : l.categories) {
            o << ' ' << c.id << ':' << c.id_hodowli << ':' << Str(c.nazwakategorii) << ':'
              << Str(c.opiskategorii);
        }
        o << '\n';
    }
    return o.str();
}

std::string DescribePairs(const std::vector<PairRecord>& pairs) {
    std::ostringstream o;
    for (const PairRecord& p : pairs) {
        o << p.id << ' ' << p.id_hodowli << ' ' << p.id_samca << ' ' << p.id_samicy << ' '
          << p.DataDodania << ' ' << p.DataParowania << ' ' << Str(p.uwagi) << " young";
        for (const YoungRecord& y : p.young) o << ' ' << y.id << ':' << y.id_golebia << ':' << Str(y.uwagi);
        o << '\n';
    }
    return o.str();
}

std::string DescribeFlights(const std::vector<FlightRecord>& flights) {
    std::ostringstream o;
    for (const FlightRecord& f : flights) {
        o << f.id << ' ' << f.id_hodowli << ' ' << f.typ << ' ' << Str(f.miejscowosc) << ' '
          << f.odleglosckm << ' ' << f.czasodlotu << " results";
        for (const FlightResultEntry& e : f.entries) {
            o << ' ' << e.id << ':' << e.id_golebia << ':' << e.nr_konkursu << ':' << Str(e.notatki);
        }
        o << '\n';
    }
    return o.str();
}

std::string DescribeSeasons(std::vector<SeasonRecord> seasons) {
    // A new breeding season is appended; a load sorts by start. The content must agree.
    std::sort(seasons.begin(), seasons.end(),
              [](const SeasonRecord& a, const SeasonRecord& b) { return a.id < b.id; });
    std::ostringstream o;
    for (const SeasonRecord& x : seasons) {
        o << x.id << ' ' << x.id_hodowli << ' ' << Str(x.Nazwa) << ' ' << x.DATA_B << ' ' << x.DATA_E << '\n';
    }
    return o.str();
}

std::string DescribePeople(const PersonMap& people) {
    std::ostringstream o;
    for (const auto& [id, p] : people) {
        o << id << ' ' << Str(p.imie) << ' ' << Str(p.nazwisko) << ' ' << p.hodowla << ' ' << p.typ
          << ' ' << Str(p.nip) << '\n';
    }
    return o.str();
}

std::string DescribeNames(const NameMap& names) {
    std::ostringstream o;
    for (const auto& [id, n] : names) o << id << '=' << Str(n) << '\n';
    return o.str();
}

std::string DescribeOthers(const CDataStore& s) {
    std::ostringstream o;
    o << "flock";
    for (const TreatmentRecord& t : s.FlockTreatments()) o << ' ' << t.id << ':' << Str(t.nazwa) << ':' << t.kategoria;
    o << "\ntransactions";
    for (const auto& [id, t] : s.Transactions()) o << ' ' << id << ':' << t.id_hodowli << ':' << t.cena << ':' << Str(t.not1);
    o << "\nnotes";
    for (const NoteRecord& n : s.Notes()) o << ' ' << n.id << ':' << Str(n.nazwa);
    o << "\ncolour values";
    for (const auto& [id, v] : s.ColourValues()) o << ' ' << id << ':' << v;
    return o.str();
}

struct Part {
    const char* name;
    std::function<std::string(const CDataStore&)> describe;
};

const std::vector<Part>& Parts() {
    static const std::vector<Part> parts = {
        {"birds", DescribeBirds},
        {"lofts", DescribeLofts},
        {"pairs", [](const CDataStore& s) { return DescribePairs(s.Pairs()); }},
        {"all pairs", [](const CDataStore& s) { return DescribePairs(s.AllPairs()); }},
        {"flights", [](const CDataStore& s) { return DescribeFlights(s.Flights()); }},
        {"all flights", [](const CDataStore& s) { return DescribeFlights(s.AllFlights()); }},
        {"breeding seasons", [](const CDataStore& s) { return DescribeSeasons(s.BreedingSeasons()); }},
        {"flight seasons", [](const CDataStore& s) { return DescribeSeasons(s.FlightSeasons()); }},
        {"clients", [](const CDataStore& s) { return DescribePeople(s.Clients()); }},
        {"breeders", [](const CDataStore& s) { return DescribePeople(s.Breeders()); }},
        {"colours", [](const CDataStore& s) { return DescribeNames(s.ColourNames()); }},
        {"breeds", [](const CDataStore& s) { return DescribeNames(s.BreedNames()); }},
        {"lines", [](const CDataStore& s) { return DescribeNames(s.LineNames()); }},
        {"eye colours", [](const CDataStore& s) { return DescribeNames(s.EyeColourNames()); }},
        {"statuses", [](const CDataStore& s) { return DescribeNames(s.StatusNames()); }},
        {"others", DescribeOthers},
    };
    return parts;
}

class MemoryMatchesFilesTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        Reload(-1);  // makes the tables
        LoftRecord loft;
        loft.nazwahodowli = U("Dom");
        ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
        loftId_ = loft.id;
        Reload(loftId_);
    }

    // Memory against a fresh load of the same folder, container by container.
    void ExpectMemoryMatchesFiles(const std::string& step) {
        CDataStore fresh;
        ASSERT_TRUE(fresh.LoadLofts());
        ASSERT_TRUE(fresh.LoadPigeonsDb(loftId_));
        ASSERT_TRUE(fresh.LoadExtraDb(loftId_));
        for (const Part& part : Parts()) {
            EXPECT_EQ(part.describe(store_), part.describe(fresh)) << part.name << " after " << step;
        }
    }

    int AddBird(const std::string& ring) {
        PigeonRecord bird;
        bird.nr_obraczki = U(ring);
        bird.id_hodowli = loftId_;
        bird.DataDodania = 1700000000;
        EXPECT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    int loftId_ = 0;
};

TEST_F(MemoryMatchesFilesTest, BirdsLoftsAndCategories) {
    const int a = AddBird("PL-1");
    ExpectMemoryMatchesFiles("bird added (bird count)");

    PigeonRecord edited = store_.FindPigeon(a);
    edited.nazwa = U("As");
    edited.DataDodania = 5;  // not written by an update
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, edited));
    ASSERT_TRUE(store_.WritePigeonShortDescription(a, U("szybki")));
    ASSERT_TRUE(store_.WritePigeonRoofDate(a, 1710000000));
    ExpectMemoryMatchesFiles("bird edited");
    ASSERT_TRUE(store_.WritePigeonRoofDate(a, 0));
    ExpectMemoryMatchesFiles("roof date cleared");

    LoftRecord loft = store_.Lofts()[0];
    loft.nazwahodowli = U("Gołębnik");
    loft.opishodowli = U("strych");
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Update, loft));
    ExpectMemoryMatchesFiles("loft renamed");

    CategoryRecord category;
    category.id_hodowli = loftId_;
    category.nazwakategorii = U("Młode");
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Insert, category));
    ExpectMemoryMatchesFiles("category added");
    category.nazwakategorii = U("Stare");
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Update, category));
    ExpectMemoryMatchesFiles("category renamed");
    std::vector<PigeonRecord> series(2);
    for (PigeonRecord& b : series) b.id_hodowli = loftId_;
    ASSERT_TRUE(store_.AddNewPigeonsToCategory(category.id, series));
    ExpectMemoryMatchesFiles("series added (bird count)");
    ASSERT_TRUE(store_.AddPigeonToCategory(category.id, a));
    ASSERT_TRUE(store_.RemovePigeonFromCategory(category.id, a));
    ASSERT_TRUE(store_.WriteCategory(WriteMode::Delete, category));
    ExpectMemoryMatchesFiles("category deleted");

    ASSERT_TRUE(store_.DeletePigeon(series[0].id));
    ExpectMemoryMatchesFiles("bird deleted (bird count)");
}

TEST_F(MemoryMatchesFilesTest, AttachmentsAndTreatments) {
    const int a = AddBird("PL-2");
    const Text source = WriteBytes(root_ / "src.jpg", "jpeg");
    PhotoRecord photo;
    photo.id_golebia = a;
    photo.id_hodowli = loftId_;
    photo.rozszerzenie = u"jpg";
    photo.opis1 = U("profil");
    photo.path = source;
    ASSERT_TRUE(store_.AddPhoto(photo));
    DocumentRecord doc;
    doc.id_wlasciciela = a;
    doc.id_hodowli = loftId_;
    doc.rozszerzenie = u"pdf";
    doc.nazwa = U("rodowód");
    doc.path = source;
    ASSERT_TRUE(store_.AddDocument(doc));
    TreatmentRecord own;
    own.id_golebia = a;
    own.nazwa = U("witaminy");
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Insert, own));
    TreatmentRecord flock;
    flock.id_golebia = TreatmentRecord::kFlock;
    flock.nazwa = U("szczepienie");
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Insert, flock));
    ExpectMemoryMatchesFiles("attachments added");
    // Photo pairing reads the eye photos from memory.
    ASSERT_TRUE(store_.WritePhotoKind(photo.id, 1));
    ExpectMemoryMatchesFiles("photo marked as an eye photo");
    EXPECT_FALSE(store_.WritePhotoKind(photo.id + 100, 2));  // no such photo
    ExpectMemoryMatchesFiles("kind of a missing photo");

    // An update of the bird keeps what other rows give it.
    PigeonRecord edited = store_.FindPigeon(a);
    edited.photos.clear();
    edited.treatments.clear();
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Update, edited));
    own.nazwa = U("elektrolity");
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Update, own));
    flock.kategoria = 2;
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Update, flock));
    ExpectMemoryMatchesFiles("bird and treatments edited");

    ASSERT_TRUE(store_.DeletePhoto(photo));
    ASSERT_TRUE(store_.DeleteDocument(doc));
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Delete, own));
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Delete, flock));
    ExpectMemoryMatchesFiles("attachments deleted");
}

TEST_F(MemoryMatchesFilesTest, PairsYoungFlightsAndResults) {
    const int male = AddBird("PL-3");
    const int female = AddBird("PL-4");
    const int chick = AddBird("PL-5");
    PairRecord pair;
    pair.id_hodowli = loftId_;
    pair.id_samca = male;
    pair.id_samicy = female;
    pair.DataDodania = 1690000000;
    ASSERT_TRUE(store_.WritePair(WriteMode::Insert, pair));
    YoungRecord young;
    young.id_pary = pair.id;
    young.id_hodowli = loftId_;
    young.id_golebia = chick;
    ASSERT_TRUE(store_.AddYoungWithParents(young, male, female));
    ExpectMemoryMatchesFiles("pair and young added");

    // The editor hands back a pair without its added date or young: both stay.
    PairRecord edited = pair;
    edited.DataDodania = 0;
    edited.young.clear();
    edited.uwagi = U("dobra para");
    ASSERT_TRUE(store_.WritePair(WriteMode::Update, edited));
    EXPECT_EQ(store_.Pairs().at(0).DataDodania, 1690000000);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT DataDodania FROM pary"), 1690000000);
    young.uwagi = U("ładny");
    ASSERT_TRUE(store_.WriteYoung(WriteMode::Update, young));
    ExpectMemoryMatchesFiles("pair and young edited");
    ASSERT_TRUE(store_.WriteYoung(WriteMode::Delete, young));
    ASSERT_TRUE(store_.WritePair(WriteMode::Delete, pair));
    ExpectMemoryMatchesFiles("pair and young deleted");

    FlightRecord flight;
    flight.id_hodowli = loftId_;
    flight.typ = 1;
    flight.miejscowosc = U("Łódź");
    flight.odleglosckm = 250;
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Insert, flight));
    FlightResultEntry result;
    result.id_lotu = flight.id;
    result.id_hodowli = loftId_;
    result.id_golebia = chick;
    result.nr_konkursu = 4;
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Insert, result));
    ExpectMemoryMatchesFiles("flight and result added");

    FlightRecord editedFlight = store_.Flights().at(0);
    editedFlight.entries.clear();  // the flight editor knows nothing of results
    editedFlight.typ = 9;          // never rewritten
    editedFlight.miejscowosc = U("Opole");
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Update, editedFlight));
    result.notatki = U("szybko");
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, result));
    ExpectMemoryMatchesFiles("flight and result edited");
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Delete, result));
    ExpectMemoryMatchesFiles("result deleted");
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Delete, flight));
    ExpectMemoryMatchesFiles("flight deleted");
}

// A bird's flight statistics follow every write that changes a result or the flight it is in,
// whether the result is the newest of the newest flight or one before it.
TEST_F(MemoryMatchesFilesTest, FlightStatisticsFollowResultAndFlightWrites) {
    const int a = AddBird("PL-6");
    const int b = AddBird("PL-7");
    const Time64 release = 1715320800;  // 10 May 2024, 8:00
    auto addFlight = [&](const char* place, double km, Time64 released) {
        FlightRecord flight;
        flight.id_hodowli = loftId_;
        flight.miejscowosc = U(place);
        flight.odleglosckm = km;
        flight.czasodlotu = released;
        EXPECT_TRUE(store_.WriteFlight(WriteMode::Insert, flight));
        return flight;
    };
    auto addResult = [&](const FlightRecord& flight, int bird, int position, int minutes) {
        FlightResultEntry result;
        result.id_lotu = flight.id;
        result.id_hodowli = loftId_;
        result.id_golebia = bird;
        result.nr_konkursu = position;
        result.DataCzasPrzylotu = flight.czasodlotu + minutes * 60;
        EXPECT_TRUE(store_.WriteFlightResult(WriteMode::Insert, result));
        return result;
    };
    FlightRecord opole = addFlight("Opole", 250, release);
    FlightResultEntry first = addResult(opole, a, 4, 200);  // 1250 m/min
    ExpectMemoryMatchesFiles("a result of the newest flight");
    const PigeonRecord& bird = store_.FindPigeon(a);
    EXPECT_EQ(bird.flightCount, 1);
    EXPECT_FLOAT_EQ(bird.speedSum, 1250.0f);
    EXPECT_EQ(bird.bestPlace, U("Opole"));

    FlightRecord kalisz = addFlight("Kalisz", 300, release + 86400);
    addResult(kalisz, a, 2, 250);  // 1200 m/min
    addResult(kalisz, b, 7, 300);
    addResult(opole, b, 1, 250);    // into the earlier flight
    ExpectMemoryMatchesFiles("results of both flights");
    EXPECT_EQ(bird.flightCount, 2);
    EXPECT_EQ(bird.positionSum, 6);
    EXPECT_EQ(bird.averagePosition, 3);
    EXPECT_EQ(bird.bestPosition, 2);
    EXPECT_EQ(bird.bestPlace, U("Kalisz"));
    EXPECT_FLOAT_EQ(bird.speedSum, 2450.0f);
    EXPECT_EQ(store_.FindPigeon(b).bestPlace, U("Opole"));

    // The earlier result becomes the best and the bird arrives later.
    first.nr_konkursu = 1;
    first.DataCzasPrzylotu = release + 250 * 60;  // 1000 m/min
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, first));
    ExpectMemoryMatchesFiles("result edited");
    EXPECT_EQ(bird.bestPosition, 1);
    EXPECT_EQ(bird.bestPlace, U("Opole"));
    EXPECT_FLOAT_EQ(bird.speedSum, 2200.0f);

    // A flight's distance, release and place give its results' speeds and best place.
    opole = store_.Flights().at(0);
    opole.miejscowosc = U("Brzeg");
    opole.odleglosckm = 300;
    opole.czasodlotu = release + 50 * 60;  // a now flies 300 km in 200 minutes
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Update, opole));
    ExpectMemoryMatchesFiles("flight edited");
    EXPECT_EQ(bird.bestPlace, U("Brzeg"));
    EXPECT_FLOAT_EQ(bird.speedSum, 2700.0f);
    EXPECT_EQ(store_.FindPigeon(b).bestPlace, U("Brzeg"));

    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Delete, first));
    ExpectMemoryMatchesFiles("result deleted");
    EXPECT_EQ(bird.flightCount, 1);
    EXPECT_EQ(bird.bestPlace, U("Kalisz"));
    ASSERT_TRUE(store_.WriteFlight(WriteMode::Delete, kalisz));
    ExpectMemoryMatchesFiles("flight with results deleted");
    EXPECT_EQ(bird.flightCount, 0);
    EXPECT_EQ(bird.bestPosition, 100000);
    EXPECT_EQ(bird.bestPlace, U(""));
    EXPECT_EQ(store_.FindPigeon(b).flightCount, 1);

    // A result row that names another loft stays out of this loft's lists and figures, at a
    // load and after a write alike.
    Exec(PigeonsDbPath(), "INSERT INTO lotniki(id_lotu, id_hodowli, id_golebia, nr_konkursu) "
                          "VALUES (" + std::to_string(opole.id) + ", " +
                              std::to_string(loftId_ + 1) + ", " + std::to_string(b) + ", 3);");
    Reload(loftId_);
    const int c = AddBird("PL-8");
    FlightResultEntry late = addResult(store_.Flights().at(0), c, 9, 300);
    late.nr_konkursu = 8;
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, late));
    ExpectMemoryMatchesFiles("result beside another loft's row");
    EXPECT_EQ(store_.FindPigeon(b).flightCount, 1);
    EXPECT_EQ(store_.FindPigeon(b).positionSum, 1);
    EXPECT_EQ(store_.FindPigeon(c).positionSum, 8);

    // A result moved to another bird leaves the figures of the one it left.
    const int d = AddBird("PL-9");
    late.id_golebia = d;
    ASSERT_TRUE(store_.WriteFlightResult(WriteMode::Update, late));
    ExpectMemoryMatchesFiles("result moved to another bird");
    EXPECT_EQ(store_.FindPigeon(c).flightCount, 0);
    EXPECT_EQ(store_.FindPigeon(d).flightCount, 1);
    EXPECT_EQ(store_.FindPigeon(d).positionSum, 8);
}

TEST_F(MemoryMatchesFilesTest, SeasonsPeopleDictionariesTransactionsAndNotes) {
    SeasonRecord season;
    season.id_hodowli = loftId_;
    season.Nazwa = U("Wiosna");
    season.DATA_B = 1680000000;
    season.DATA_E = 1690000000;
    SeasonRecord early = season;
    early.DATA_B = 1600000000;
    ASSERT_TRUE(store_.AddBreedingSeason(season));
    ASSERT_TRUE(store_.AddBreedingSeason(early));
    ASSERT_TRUE(store_.AddFlightSeason(season));
    ExpectMemoryMatchesFiles("seasons added");
    ASSERT_TRUE(store_.DeleteBreedingSeason(season.id));
    ASSERT_TRUE(store_.DeleteFlightSeason(season.id));
    ExpectMemoryMatchesFiles("seasons deleted");

    PersonRecord person;
    person.imie = U("Jan");
    person.typ = 3;
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, person));
    PersonRecord breeder = person;
    ASSERT_TRUE(store_.WriteBreeder(WriteMode::Insert, breeder));
    ExpectMemoryMatchesFiles("people added");
    person.nazwisko = U("Kowalski");
    person.hodowla = 7;  // not written by an update
    ASSERT_TRUE(store_.WriteClient(WriteMode::Update, person));
    breeder.nazwisko = U("Nowak");
    breeder.hodowla = 7;
    ASSERT_TRUE(store_.WriteBreeder(WriteMode::Update, breeder));
    ExpectMemoryMatchesFiles("people edited");
    ASSERT_TRUE(store_.WriteClient(WriteMode::Delete, person));
    ExpectMemoryMatchesFiles("client deleted");

    ASSERT_TRUE(store_.AddColour(loftId_, U("niebieski")));
    ASSERT_TRUE(store_.AddBreed(loftId_, U("pocztowy")));
    ASSERT_TRUE(store_.AddStatus(loftId_, U("w lotach")));
    ExpectMemoryMatchesFiles("dictionary entries added");
    ASSERT_TRUE(store_.AddLine(loftId_, U("Janssen")));
    ASSERT_TRUE(store_.AddEyeColour(loftId_, U("perłowe")));
    ExpectMemoryMatchesFiles("line and eye colour added");
    const int colour = store_.ColourNames().rbegin()->first;
    ASSERT_TRUE(store_.WriteColourValue(colour, 0x3366CC));
    ExpectMemoryMatchesFiles("colour code stored");
    ASSERT_TRUE(store_.WriteColourValue(colour, 4000000000LL));  // past a 32-bit int
    ExpectMemoryMatchesFiles("large colour code stored");
    EXPECT_FALSE(store_.WriteColourValue(colour + 100, 7));  // no such colour
    ExpectMemoryMatchesFiles("code of a missing colour");
    ASSERT_TRUE(store_.DeleteColour(colour));
    ExpectMemoryMatchesFiles("colour deleted");

    TransactionRecord sale;
    sale.id_hodowli = loftId_;
    sale.cena = 120.5;
    ASSERT_TRUE(store_.WriteTransaction(WriteMode::Insert, sale));
    sale.id_hodowli = loftId_ + 5;  // the loft is not written by an update
    sale.not1 = U("zaliczka");
    ASSERT_TRUE(store_.WriteTransaction(WriteMode::Update, sale));
    ExpectMemoryMatchesFiles("transaction edited");

    NoteRecord note;
    note.id_hodowli = loftId_;
    note.nazwa = U("Plan");
    ASSERT_TRUE(store_.WriteNote(WriteMode::Insert, note));
    ExpectMemoryMatchesFiles("note added");
    ASSERT_TRUE(store_.WriteNote(WriteMode::Delete, note));
    ASSERT_TRUE(store_.WriteTransaction(WriteMode::Delete, sale));
    ExpectMemoryMatchesFiles("note and transaction deleted");
}

}  // namespace
