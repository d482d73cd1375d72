// Writes that cannot be sure they are safe refuse: a new row whose id guard cannot read the other
// file, deletes whose stored file cannot be removed, copies that fail part-way. Each refusal
// writes nothing, leaves memory as it was and leaves no stray file.
#include <sqlite3.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <fstream>

#include "Schema.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Another program holding a database file for itself.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const Text& path) {
        sqlite3_open16(path.c_str(), &db_);
        locked_ = sqlite3_exec(db_, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ExclusiveLock() {
        sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    bool locked() const { return locked_; }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

class FailClosedTest : public DataStoreTest {
protected:
    void SetUp() override {
        DataStoreTest::SetUp();
        SqlDatabase pigeonsDb(PigeonsDbPath());
        CreateTables(pigeonsDb, LoftTables());
        CreateTables(pigeonsDb, PigeonTables());
        SqlDatabase extraDb(ExtraDbPath());
        CreateTables(extraDb, ExtraTables());
    }

    // The file keeps its name but is no database any more.
    static void Damage(const Text& path) { WriteBytes(ToFsPath(path), std::string(4096, 'x')); }

    long long Rows(const Text& path, const std::string& table) {
        return QueryInt(path, "SELECT count(*) FROM " + table + ";");
    }

    // A stored file that nothing can remove, not even the owner of every file: a folder with
    // something in it, where the file should be.
    static void MakeUnremovable(const Text& path) {
        const fs::path where = ToFsPath(path);
        fs::remove(where);
        fs::create_directories(where / "inside");
    }
};

// ---- the id guard ---------------------------------------------------------------------------

TEST_F(FailClosedTest, NewRowsAreRefusedWhenTheOtherFileCannotBeRead) {
    // Rows of each file still name ids that a reused id would inherit.
    Exec(ExtraDbPath(), "INSERT INTO ild(id_golebia) VALUES (40);");
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id, id_wlasciciela, id_koloru) VALUES (1, 30, 20);");

    {
        ExclusiveLock lock(ExtraDbPath());
        ASSERT_TRUE(lock.locked());
        PigeonRecord bird;
        bird.nr_obraczki = u"1";
        EXPECT_FALSE(store_.WritePigeon(WriteMode::Insert, bird));
        EXPECT_LE(bird.id, 0);
    }
    Damage(ExtraDbPath());
    std::vector<PigeonRecord> series(2);
    EXPECT_FALSE(store_.AddNewPigeonsToCategory(1, series));
    LoftRecord loft;
    loft.nazwahodowli = u"Nowy";
    EXPECT_FALSE(store_.WriteLoft(WriteMode::Insert, loft));
    EXPECT_EQ(Rows(PigeonsDbPath(), "pigeons"), 1);
    EXPECT_EQ(Rows(PigeonsDbPath(), "hodowla"), 0);
    EXPECT_TRUE(store_.Pigeons().empty());
    EXPECT_TRUE(store_.Lofts().empty());

    // The other way round: clients and colours are guarded by the bird file.
    fs::remove(ToFsPath(ExtraDbPath()));
    {
        SqlDatabase extraDb(ExtraDbPath());
        CreateTables(extraDb, ExtraTables());
    }
    Damage(PigeonsDbPath());
    PersonRecord client;
    client.nazwisko = u"Nowak";
    EXPECT_FALSE(store_.WriteClient(WriteMode::Insert, client));
    EXPECT_FALSE(store_.AddColour(1, u"Czerwony"));
    EXPECT_EQ(Rows(ExtraDbPath(), "klienci"), 0);
    EXPECT_EQ(Rows(ExtraDbPath(), "kolory"), 0);
    EXPECT_TRUE(store_.Clients().empty());
    EXPECT_TRUE(store_.ColourNames().empty());
}

TEST_F(FailClosedTest, WithBothFilesReadableNewRowsStayAboveEveryNamedId) {
    Exec(ExtraDbPath(), "INSERT INTO ild(id_golebia) VALUES (40);");
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id, id_wlasciciela) VALUES (1, 30);");
    PigeonRecord bird;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    EXPECT_EQ(bird.id, 41);
    PersonRecord client;
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, client));
    EXPECT_EQ(client.id, 31);
    // A file not made yet names nothing.
    fs::remove(ToFsPath(ExtraDbPath()));
    LoftRecord loft;
    EXPECT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
}

// ---- loading ----------------------------------------------------------------------------------

TEST_F(FailClosedTest, ALoadThatCannotReadItsFileKeepsMemoryAndGivesUpSoon) {
    LoftRecord loft;
    ASSERT_TRUE(store_.WriteLoft(WriteMode::Insert, loft));
    PigeonRecord bird;
    bird.id_hodowli = loft.id;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    PersonRecord client;
    ASSERT_TRUE(store_.WriteClient(WriteMode::Insert, client));
    Reload(loft.id);
    ASSERT_EQ(store_.Lofts().size(), 1u);

    {
        ExclusiveLock lock(PigeonsDbPath());
        ASSERT_TRUE(lock.locked());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(store_.LoadLofts());
        EXPECT_FALSE(store_.LoadPigeonsDb(loft.id));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
        EXPECT_TRUE(store_.LoadExtraDb(loft.id));  // the other file is free
    }
    EXPECT_EQ(store_.Lofts().size(), 1u);
    EXPECT_EQ(store_.Pigeons().count(bird.id), 1u);

    Damage(ExtraDbPath());
    EXPECT_FALSE(store_.LoadExtraDb(loft.id));
    EXPECT_EQ(store_.Clients().count(client.id), 1u);
    EXPECT_TRUE(store_.LoadPigeonsDb(loft.id));
    EXPECT_TRUE(store_.LoadLofts());
}

// ---- writes that find nothing, ids that do not fit ------------------------------------------------

TEST_F(FailClosedTest, MembershipWritesOfRowsOrBirdsThatAreNotThereFail) {
    PigeonRecord bird;
    ASSERT_TRUE(store_.WritePigeon(WriteMode::Insert, bird));
    ASSERT_TRUE(store_.AddPigeonToCategory(1, bird.id));
    const long long member = QueryInt(PigeonsDbPath(), "SELECT id FROM kategoria_id;");
    EXPECT_FALSE(store_.SwapCategoryMembers(member, bird.id, member + 50, 77));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_golebia FROM kategoria_id;"), bird.id);
    EXPECT_FALSE(store_.MovePigeonToCategory(9999, 1, 2, 1, false));
    EXPECT_EQ(Rows(PigeonsDbPath(), "kategoria_id"), 1);
    EXPECT_TRUE(store_.MovePigeonToCategory(bird.id, 1, 2, 1, false));
    EXPECT_EQ(QueryInt(PigeonsDbPath(), "SELECT id_kategorii FROM kategoria_id;"), 2);
}

TEST_F(FailClosedTest, AnIdPastTheLargestRecordIdIsRefusedNotWrapped) {
    Exec(PigeonsDbPath(), "INSERT INTO pigeons(id) VALUES (2147483647);");
    Exec(ExtraDbPath(), "INSERT INTO klienci(id) VALUES (2147483647);");
    Exec(PigeonsDbPath(), "INSERT INTO zdjecia(id) VALUES (2147483647);");
    PigeonRecord bird;
    EXPECT_FALSE(store_.WritePigeon(WriteMode::Insert, bird));
    std::vector<PigeonRecord> series(1);
    EXPECT_FALSE(store_.AddNewPigeonsToCategory(1, series));
    PersonRecord client;
    EXPECT_FALSE(store_.WriteClient(WriteMode::Insert, client));
    PhotoRecord photo;
    photo.path = WriteBytes(root_ / "a.png", "png");
    photo.rozszerzenie = u"png";
    EXPECT_FALSE(store_.AddPhoto(photo));
    EXPECT_EQ(Rows(PigeonsDbPath(), "pigeons"), 1);
    EXPECT_EQ(Rows(PigeonsDbPath(), "kategoria_id"), 0);
    EXPECT_EQ(Rows(ExtraDbPath(), "klienci"), 1);
    EXPECT_EQ(Rows(PigeonsDbPath(), "zdjecia"), 1);
    EXPECT_TRUE(store_.Pigeons().empty());
    EXPECT_TRUE(store_.Clients().empty());
    EXPECT_TRUE(fs::is_empty(ToFsPath(ImagesFolder())));
}

// ---- notes ----------------------------------------------------------------------------------

TEST_F(FailClosedTest, ANoteWhoseBodyStaysIsNotDeletedAndNoNewNoteOpensAnOldBody) {
    NoteRecord first, second;
    ASSERT_TRUE(store_.WriteNote(WriteMode::Insert, first));
    ASSERT_TRUE(store_.WriteNote(WriteMode::Insert, second));
    ASSERT_TRUE(WriteUnicodeFile(NoteFilePath(first.id), u"<HTML>pierwsza</HTML>"));
    MakeUnremovable(NoteFilePath(second.id));

    EXPECT_FALSE(store_.WriteNote(WriteMode::Delete, second));
    EXPECT_EQ(Rows(ExtraDbPath(), "notatki"), 2);

    // A body left behind by a note whose row is gone: the next note takes an id past it.
    Exec(ExtraDbPath(), "DELETE FROM notatki WHERE id = " + std::to_string(second.id) + ";");
    NoteRecord next;
    ASSERT_TRUE(store_.WriteNote(WriteMode::Insert, next));
    EXPECT_GT(next.id, second.id);
    EXPECT_FALSE(fs::exists(ToFsPath(NoteFilePath(next.id))));

    EXPECT_TRUE(store_.WriteNote(WriteMode::Delete, first));
    EXPECT_FALSE(fs::exists(ToFsPath(NoteFilePath(first.id))));
    EXPECT_EQ(QueryInt(ExtraDbPath(), "SELECT count(*) FROM notatki WHERE id = " +
                                          std::to_string(first.id) + ";"),
              0);
}

// ---- stored files ---------------------------------------------------------------------------

TEST_F(FailClosedTest, AnAttachmentWhoseFileCannotBeRemovedKeepsItsRow) {
    const Text source = WriteBytes(root_ / "user.png", "PNG bytes");
    PhotoRecord photo;
    photo.path = source;
    photo.rozszerzenie = u"png";
    ASSERT_TRUE(store_.AddPhoto(photo));
    DocumentRecord document;
    document.path = source;
    document.rozszerzenie = u"pdf";
    ASSERT_TRUE(store_.AddDocument(document));

    MakeUnremovable(photo.GetFilePath());
    MakeUnremovable(JoinPath(DocumentsFolder(), document.FileName()));
    EXPECT_FALSE(store_.DeletePhoto(photo));
    EXPECT_FALSE(store_.DeleteDocument(document));
    EXPECT_EQ(Rows(PigeonsDbPath(), "zdjecia"), 1);
    EXPECT_EQ(Rows(PigeonsDbPath(), "dokumenty"), 1);
}

TEST_F(FailClosedTest, ACopyCutShortByAFileSizeLimitLeavesNoPartOfTheFile) {
    const Text source = WriteBytes(root_ / "big.jpg", std::string(4 << 20, 'j'));
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before;
    limit.rlim_cur = 1 << 20;  // room for the database files, not for the picture
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);

    PhotoRecord photo;
    photo.path = source;
    photo.rozszerzenie = u"jpg";
    const bool added = store_.AddPhoto(photo);

    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(added);
    EXPECT_EQ(Rows(PigeonsDbPath(), "zdjecia"), 0);
    EXPECT_TRUE(fs::is_empty(ToFsPath(ImagesFolder())));
}

}  // namespace
