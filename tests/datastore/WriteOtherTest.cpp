#include "TestSupport.h"

#include <fstream>
#include <iterator>

#include "Schema.h"

namespace fs = std::filesystem;

namespace {

class WriteOtherTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        SqlDatabase pigeonsDb(PigeonsDbPath());
        CreateTables(pigeonsDb, PigeonTables());
        SqlDatabase extraDb(ExtraDbPath());
        CreateTables(extraDb, ExtraTables());
    }

    fs::path Fs(const Text& path) { return ToFsPath(path); }

    std::string ReadFile(const Text& path) {
        std::ifstream f(Fs(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    PhotoRecord NewPhoto(const Text& source) {
        PhotoRecord photo;
        photo.path = source;
        photo.id_golebia = 7;
        photo.id_hodowli = 1;
        photo.rozszerzenie = u"png";
        photo.opis1 = U("gołąb.png");
        return photo;
    }

    PersonRecord NewPerson() {
        PersonRecord p;
        p.imie = U("Zbigniew");
        p.nazwisko = U("O'Brien-Łączyński");
        p.miejscowosc = U("Żółkiewka");
        p.ulica = U("ul. Św. Ducha 'Stara'");
        p.telkom = u"600100200";
        p.telkom2 = u"600300400";
        p.hodowla = 3;
        p.kategoria = 4;
        p.subkategoria = 5;
        p.typ = 6;
        p.wojewodztwo = 7;
        p.kraj = 1;
        return p;
    }
};

// ---- photographs and documents ------------------------------------------------------------

TEST_F(WriteOtherTest, PhotoIsStoredUnderItsIdKindsAndExtension) {
    Exec(PigeonsDbPath(), "INSERT INTO zdjecia(id) VALUES (4);");
    const Text source = WriteBytes(root_ / "in" / "ptak.png", "PNGDATA");
    PhotoRecord photo = NewPhoto(source);
    photo.kategoria = 2;
    photo.subkategoria = 9;  // never stored: photos always carry 0 here

    ASSERT_TRUE(store_.AddPhoto(photo));
    EXPECT_EQ(photo.id, 5);
    EXPECT_EQ(photo.subkategoria, 0);
    EXPECT_EQ(photo.path, source);
    EXPECT_EQ(ReadFile(JoinPath(ImagesFolder(), u"5020.png")), "PNGDATA");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT kategoria FROM zdjecia WHERE id = 5;"), 2);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT subkategoria FROM zdjecia WHERE id = 5;"), 0);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT opis1 FROM zdjecia WHERE id = 5;"), "gołąb.png");
}

TEST_F(WriteOtherTest, FailedCopyLeavesNoRowAndNoId) {
    PhotoRecord photo = NewPhoto(FromUtf8((root_ / "missing.png").string()));
    EXPECT_FALSE(store_.AddPhoto(photo));
    EXPECT_EQ(photo.id, 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM zdjecia;"), 0);

    DocumentRecord doc;
    doc.path = FromUtf8((root_ / "missing.pdf").string());
    doc.rozszerzenie = u"pdf";
    EXPECT_FALSE(store_.AddDocument(doc));
    EXPECT_EQ(doc.id, 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM dokumenty;"), 0);
}

TEST_F(WriteOtherTest, DocumentKindsAreZeroAndMissingFolderIsCreated) {
    fs::remove_all(Fs(DocumentsFolder()));
    const Text source = WriteBytes(Fs(U(root_.string() + "/zażółć/rodowód.pdf")), "%PDF");
    DocumentRecord doc;
    doc.path = source;
    doc.id_wlasciciela = 12;
    doc.id_hodowli = 1;
    doc.rodzaj = 3;
    doc.kategoria = 4;
    doc.subkategoria = 5;
    doc.rozszerzenie = u"pdf";
    doc.nazwa = U("Rodowód 'Asa'");

    ASSERT_TRUE(store_.AddDocument(doc));
    EXPECT_EQ(doc.rodzaj + doc.kategoria + doc.subkategoria, 0);
    EXPECT_EQ(ReadFile(JoinPath(DocumentsFolder(), NumberText(doc.id) + u"000.pdf")), "%PDF");
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT nazwa FROM dokumenty;"), "Rodowód 'Asa'");
}

TEST_F(WriteOtherTest, DeletingAttachmentsRemovesFileAndRow) {
    PhotoRecord photo = NewPhoto(WriteBytes(root_ / "a.png", "x"));
    ASSERT_TRUE(store_.AddPhoto(photo));
    const Text stored = JoinPath(ImagesFolder(), photo.FileName());
    ASSERT_TRUE(fs::exists(Fs(stored)));
    EXPECT_TRUE(store_.DeletePhoto(photo));
    EXPECT_FALSE(fs::exists(Fs(stored)));
    EXPECT_EQ(photo.path, stored);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM zdjecia;"), 0);

    DocumentRecord doc;
    doc.path = WriteBytes(root_ / "b.txt", "y");
    doc.rozszerzenie = u"txt";
    ASSERT_TRUE(store_.AddDocument(doc));
    fs::remove(Fs(JoinPath(DocumentsFolder(), doc.FileName())));  // already gone: still deleted
    EXPECT_TRUE(store_.DeleteDocument(doc));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM dokumenty;"), 0);
}

// ---- treatments ------------------------------------------------------------------------------

TEST_F(WriteOtherTest, TreatmentKindIsAlwaysZeroAndDateRoundTrips) {
    TreatmentRecord t;
    t.id_golebia = TreatmentRecord::kFlock;
    t.id_hodowli = 2;
    t.rodzaj = 3;
    t.data_podania = 1273399200;
    t.nazwa = U("Szczepionka 'paramyksowiroza'");
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Insert, t));
    EXPECT_EQ(t.rodzaj, 0);
    const std::string row = "FROM lekisuplementy WHERE id = " + std::to_string(t.id) + ";";
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT rodzaj " + row), 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_golebia " + row), -2);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT data_podania " + row), 1273399200);

    t.rodzaj = 8;
    t.id_golebia = 44;  // not changed by an update
    t.dawka = u"2 ml";
    t.data_podania = kNoDate;
    ASSERT_TRUE(store_.WriteTreatment(WriteMode::Update, t));
    EXPECT_EQ(t.rodzaj, 0);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_golebia " + row), -2);
    EXPECT_EQ(QueryText(PigeonsDbPath(), "SELECT dawka " + row), "2 ml");
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT data_podania " + row), -1);

    EXPECT_TRUE(store_.WriteTreatment(WriteMode::Delete, t));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM lekisuplementy;"), 0);
}

// ---- transactions ----------------------------------------------------------------------------

TEST_F(WriteOtherTest, TransactionPriceIsStoredExactly) {
    TransactionRecord tr;
    tr.id_hodowli = 1;
    tr.cena = 12.5;
    tr.not1 = U("Sprzedaż 'Asa'");
    ASSERT_TRUE(store_.WriteTransaction(WriteMode::Insert, tr));
    const std::string cena = "SELECT cena FROM transakcje WHERE id = " + std::to_string(tr.id);
    EXPECT_EQ(QueryDouble(PigeonsDbPath(), cena), 12.5);
    EXPECT_EQ(store_.Transactions().at(tr.id).not1, tr.not1);

    tr.cena = 12345.67;
    ASSERT_TRUE(store_.WriteTransaction(WriteMode::Update, tr));
    EXPECT_EQ(QueryDouble(PigeonsDbPath(), cena), 12345.67);
    EXPECT_EQ(store_.Transactions().at(tr.id).cena, 12345.67);

    EXPECT_TRUE(store_.WriteTransaction(WriteMode::Delete, tr));
    EXPECT_TRUE(store_.Transactions().empty());
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT count(*) FROM transakcje;"), 0);
}

TEST_F(WriteOtherTest, RefusedTransactionLeavesMemoryAlone) {
    TransactionRecord tr;
    tr.id = 99;
    tr.cena = 5;
    EXPECT_FALSE(store_.WriteTransaction(WriteMode::Update, tr));  // no such row
    EXPECT_TRUE(store_.Transactions().empty());

    Exec(PigeonsDbPath(), "DROP TABLE transakcje;");
    tr.id = 0;
    EXPECT_FALSE(store_.WriteTransaction(WriteMode::Insert, tr));
    EXPECT_EQ(tr.id, 0);
    EXPECT_TRUE(store_.Transactions().empty());
}

// ---- clients and breeders --------------------------------------------------------------------

TEST_F(WriteOtherTest, PersonRoundTripAndUpdateKeepsFixedColumns) {
    PersonRecord p = NewPerson();
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, p));
    const std::string row = "FROM klienci WHERE id = " + std::to_string(p.id) + ";";
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT nazwisko " + row), "O'Brien-Łączyński");
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT ulica " + row), "ul. Św. Ducha 'Stara'");
    EXPECT_EQ(store_.Clients().at(p.id).miejscowosc, U("Żółkiewka"));
    Exec(ExtraDbPath(), "UPDATE klienci SET nip = '123-456' WHERE id = " + std::to_string(p.id));

    p.telkom = u"700000001";
    p.telkom2 = u"700000002";
    p.hodowla = p.kategoria = p.subkategoria = p.typ = 0;
    p.kraj = 2;
    ASSERT_TRUE(store_.WriteClient(WriteMode::Update, p));
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT telkom " + row), "700000001");
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT telkom2 " + row), "700000002");
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT kraj " + row), 2);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT hodowla " + row), 3);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT kategoria " + row), 4);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT subkategoria " + row), 5);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT typ " + row), 6);
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT nip " + row), "123-456");
    EXPECT_EQ(store_.Clients().at(p.id).telkom2, u"700000002");

    EXPECT_TRUE(store_.WriteClient(WriteMode::Delete, p));
    EXPECT_TRUE(store_.Clients().empty());
}

TEST_F(WriteOtherTest, NewPersonDoesNotInheritDeletedOnesBirdsOrSales) {
    PersonRecord owner = NewPerson();
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, owner));
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id, id_wlasciciela, id_hodowcy) VALUES (1, " +
                              std::to_string(owner.id) + ", 0);");
    Exec(PigeonsDbPath(), "INSERT INTO transakcje(id_klienta) VALUES (" +
                              std::to_string(owner.id + 1) + ");");
    ASSERT_TRUE(store_.WriteClient(WriteMode::Delete, owner));

    PersonRecord next = NewPerson();
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, next));
    EXPECT_EQ(next.id, owner.id + 2);

    // Breeders are a table of their own, kept clear of the birds' breeder ids.
    Exec(PigeonsDbPath(), "UPDATE pigeons SET id_hodowcy = 4;");
    PersonRecord breeder = NewPerson();
    ASSERT_TRUE(store_.WriteBreeder(WriteMode::Insert, breeder));
    EXPECT_EQ(breeder.id, 5);
    EXPECT_EQ(store_.Breeders().count(5), 1u);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM klienci;"), 1);
}

// ---- dictionaries ----------------------------------------------------------------------------

TEST_F(WriteOtherTest, DuplicateDictionaryNameIsRefused) {
    ASSERT_TRUE(store_.AddColour(1, U("Niebieski 'nakrapiany'")));
    ASSERT_EQ(store_.ColourNames().size(), 1u);
    const NameMap before = store_.ColourNames();
    EXPECT_FALSE(store_.AddColour(2, U("Niebieski 'nakrapiany'")));
    EXPECT_EQ(store_.ColourNames(), before);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM kolory;"), 1);

    // The same name in another dictionary is its own entry.
    EXPECT_TRUE(store_.AddEyeColour(1, U("Niebieski 'nakrapiany'")));
    EXPECT_EQ(store_.EyeColourNames().size(), 1u);

    const int id = before.begin()->first;
    EXPECT_TRUE(store_.DeleteColour(id));
    EXPECT_TRUE(store_.ColourNames().empty());
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM kolory;"), 0);
}

TEST_F(WriteOtherTest, NewColourDoesNotTakeIdOfBirdsDeletedColour) {
    ASSERT_TRUE(store_.AddColour(1, u"Czerwony"));
    const int red = store_.ColourNames().begin()->first;
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id_koloru) VALUES (" + std::to_string(red) + ");");
    ASSERT_TRUE(store_.DeleteColour(red));
    ASSERT_TRUE(store_.AddColour(1, u"Biały"));
    EXPECT_EQ(store_.ColourNames().count(red), 0u);
}

// ---- print list, seasons, notes --------------------------------------------------------------

TEST_F(WriteOtherTest, RemovingBirdFromIldListRemovesAllItsRows) {
    EXPECT_TRUE(store_.AddToIldList(5));
    EXPECT_TRUE(store_.AddToIldList(6));
    EXPECT_TRUE(store_.AddToIldList(5));
    EXPECT_TRUE(store_.RemoveFromIldList(5));
    EXPECT_EQ(store_.LoadIldList(), std::vector<int>{6});
}

TEST_F(WriteOtherTest, NewSeasonIsAppendedAtTheEnd) {
    SeasonRecord old;
    old.id_hodowli = 1;
    old.DATA_B = 100;
    ASSERT_TRUE(store_.AddBreedingSeason(old));

    SeasonRecord s;
    s.id_hodowli = 1;
    s.Nazwa = U("Sezon 2010 'wiosna'");
    s.Opis = u"opis";
    s.DATA_B = 1262300400;
    s.DATA_E = 1293836399;
    ASSERT_TRUE(store_.AddBreedingSeason(s));
    ASSERT_EQ(store_.BreedingSeasons().size(), 2u);
    EXPECT_EQ(store_.BreedingSeasons().back().id, s.id);
    const std::string where = " FROM sezonylegowe WHERE id = " + std::to_string(s.id) + ";";
    EXPECT_EQ(QueryText(ExtraDbPath(), "SELECT Opis" + where), "opis");
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT DATA_E" + where), 1293836399);

    ASSERT_TRUE(store_.AddFlightSeason(s));
    EXPECT_TRUE(store_.DeleteBreedingSeason(store_.BreedingSeasons().back().id));
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM sezonylegowe;"), 1);
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM sezonylotowe;"), 1);
}

TEST_F(WriteOtherTest, NoteInsertZeroesFlagsAndDeleteRemovesItsFile) {
    NoteRecord n;
    n.id_hodowli = 2;
    n.nazwa = U("Plan 'lotów'");
    ASSERT_TRUE(store_.WriteNote(WriteMode::Insert, n));
    ASSERT_EQ(store_.Notes().size(), 1u);
    EXPECT_EQ(QueryInt(ExtraDbPath(),
                       "SELECT kategoria + f1 + f2 + f3 + count(*) * 100 FROM notatki;"),
              100);
    ASSERT_TRUE(WriteUnicodeFile(NoteFilePath(n.id), u"<HTML></HTML>"));

    EXPECT_FALSE(store_.WriteNote(WriteMode::Update, n));  // notes are never updated
    EXPECT_TRUE(store_.WriteNote(WriteMode::Delete, n));
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM notatki;"), 0);
    EXPECT_FALSE(fs::exists(Fs(NoteFilePath(n.id))));
}

}  // namespace
