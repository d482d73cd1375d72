// Database maintenance driven by control id through the seams: the SQL console, the
// pigeon-database management window with its purge, backup and restore of the db folder, and
// the import of a version-5 folder from the main window. What they do is read back from the files.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "../SmallDisk.h"
#include "DataStore.h"
#include "DatabaseRestore.h"
#include "Globals.h"
#include "ImportujDaneZWersji5.h"
#include "KonsolaSQL.h"
#include "ListView.h"
#include "ZakladkaListaPsow.h"
#include "MainDialog.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "V5FolderWriter.h"
#include "WindowTestSupport.h"
#include "ZarzadzajBazaGolebi.h"

namespace {

namespace fs = std::filesystem;

class MaintenanceTest : public MainWindowTest {
protected:
    template <class D>
    static int Run(D& dialog, std::function<void(D&)> hands) {
        seams::QueueModalHandler([&](Dialog&) {
            hands(dialog);
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        return dialog.DoModal();
    }

    static long long Query(const Text& sql, const Text& file = PigeonsDbPath()) {
        SqlDatabase db(file);
        return db.QueryInt64(sql, {}, -99);
    }

    // The folder the tests' backups are made in (each backup its "OXKopiaDanych" there).
    QString BackupsFolder() const {
        const QString backups = folder_.filePath("kopie");
        QDir().mkpath(backups);
        return backups;
    }

    static std::vector<int> BirdsOnDisk() {
        std::vector<int> ids;
        SqlDatabase db(PigeonsDbPath());
        SqlStatement st = db.Prepare(u"SELECT id FROM pigeons ORDER BY id;");
        while (st.NextRow()) ids.push_back(st.Int(0));
        return ids;
    }
};

TEST_F(MaintenanceTest, SqlConsoleRunsOnTheChosenFileAndShowsWhatSqliteRefused) {
    CKonsolaSQL console;
    Run<CKonsolaSQL>(console, [](CKonsolaSQL& c) {
        EXPECT_EQ(c.Combo(CKonsolaSQL::kFileCombo)->GetCurSel(), -1);
        c.SetItemText(CKonsolaSQL::kSqlEdit, u"INSERT INTO hodowla(nazwahodowli) VALUES ('Konsola');");
        c.RunCommand(CKonsolaSQL::kRunButton);  // no file chosen: nothing runs
        EXPECT_EQ(Query(u"SELECT count(*) FROM hodowla;"), 0);

        c.Combo(CKonsolaSQL::kFileCombo)->SetCurSel(0);
        c.RunCommand(CKonsolaSQL::kRunButton);
        c.SetItemText(CKonsolaSQL::kSqlEdit, u"INSRT INTO hodowla VALUES (1);");
        c.RunCommand(CKonsolaSQL::kRunButton);
        c.SetItemText(CKonsolaSQL::kSqlEdit, u"   ");
        c.RunCommand(CKonsolaSQL::kRunButton);

        c.Combo(CKonsolaSQL::kFileCombo)->SetCurSel(1);
        c.SetItemText(CKonsolaSQL::kSqlEdit, u"INSERT INTO statusy(nazwa) VALUES ('a'); "
                                             u"INSERT INTO statusy(nazwa) VALUES ('b');");
        c.RunCommand(CKonsolaSQL::kRunButton);
    });
    EXPECT_EQ(Query(u"SELECT count(*) FROM hodowla WHERE nazwahodowli = 'Konsola';"), 1);
    EXPECT_EQ(Query(u"SELECT count(*) FROM statusy WHERE nazwa IN ('a', 'b');", ExtraDbPath()), 1);
    const QStringList messages = MessageTexts();
    ASSERT_EQ(messages.size(), 2) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[0].contains("syntax error")) << messages[0].toStdString();
    EXPECT_TRUE(messages[1].startsWith("Wykonano tylko pierwsze polecenie"));
}

// A statement typed over two lines with Enter between them: the window stays open and the
// statement runs whole.
TEST_F(MaintenanceTest, EnterInTheConsolesStatementStartsANewLine) {
    CKonsolaSQL console;
    Run<CKonsolaSQL>(console, [](CKonsolaSQL& c) {
        c.Combo(CKonsolaSQL::kFileCombo)->SetCurSel(0);
        QApplication::setActiveWindow(&c);
        QWidget* field = c.Item(CKonsolaSQL::kSqlEdit);
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("INSERT INTO hodowla(nazwahodowli)"));
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, QStringLiteral("VALUES ('Dwie linie');"));
        EXPECT_FALSE(c.HasEnded());
        EXPECT_EQ(c.GetDlgItemText(CKonsolaSQL::kSqlEdit),
                  QStringLiteral("INSERT INTO hodowla(nazwahodowli)\nVALUES ('Dwie linie');"));
        c.RunCommand(CKonsolaSQL::kRunButton);
    });
    EXPECT_EQ(Query(u"SELECT count(*) FROM hodowla WHERE nazwahodowli = 'Dwie linie';"), 1);
    EXPECT_TRUE(MessageTexts().isEmpty());
}

TEST_F(MaintenanceTest, ManagementWindowDeletesAndAddsToTheCurrentCategory) {
    const int loft = AddLoft(u"Dom");
    const int first = AddCategory(loft, u"Lotniki");
    const int second = AddCategory(loft, u"Młode");
    const int a = AddBird(first, u"100", u"As");
    const int b = AddBird(0, u"200");
    EXPECT_TRUE(TheDataStore().AddPigeonToCategory(second, a));
    TheDataStore().AddToIldList(a);

    CZarzadzajBazaGolebi window;
    Run<CZarzadzajBazaGolebi>(window, [&](CZarzadzajBazaGolebi& w) {
        ListView* list = w.List(CZarzadzajBazaGolebi::kList);
        EXPECT_EQ(ListColumn(list, 1), QStringList({"PL 0123 24 100 [As]", "PL 0123 24 200"}));
        // Nothing chosen: adding says so, deleting does nothing.
        w.RunCommand(CZarzadzajBazaGolebi::kAddToCategoryButton);
        w.RunCommand(CZarzadzajBazaGolebi::kDeleteButton);
        // No current category: adding says so.
        list->SelectRow(1);
        w.Fire(CZarzadzajBazaGolebi::kList, Notification::Clicked);
        w.RunCommand(CZarzadzajBazaGolebi::kAddToCategoryButton);
        // Into the current category, once.
        g_currentLoftIndex = 0;
        g_currentCategoryIndex = 0;
        w.RunCommand(CZarzadzajBazaGolebi::kAddToCategoryButton);
        w.RunCommand(CZarzadzajBazaGolebi::kAddToCategoryButton);
        // Deleting asks: No keeps the bird, Yes takes it with its places everywhere.
        list->SelectRow(0);
        w.Fire(CZarzadzajBazaGolebi::kList, Notification::Clicked);
        seams::ScriptMessageBoxAnswers({IDNO, IDYES});
        w.RunCommand(CZarzadzajBazaGolebi::kDeleteButton);
        EXPECT_EQ(BirdsOnDisk(), (std::vector<int>{a, b}));
        w.RunCommand(CZarzadzajBazaGolebi::kDeleteButton);
        EXPECT_EQ(ListColumn(list, 1), QStringList({"PL 0123 24 200"}));
        EXPECT_EQ(w.selectedRow, -1);
    });
    EXPECT_EQ(MessageTexts(),
              QStringList({"Należy wybrać gołębia z listy.",
                           "Nie można dodać gołębia do listy nie wybierając kategorii",
                           "Ten gołąb jest już w aktualnej kategorii.",
                           "Czy napewno usunąć wybranego gołębia?",
                           "Czy napewno usunąć wybranego gołębia?"}));
    EXPECT_EQ(BirdsOnDisk(), std::vector<int>{b});
    EXPECT_EQ(TheDataStore().Pigeons().count(a), 0u);
    std::vector<int> members;
    for (const CategoryMember& m : TheDataStore().LoadCategoryMembers(first)) members.push_back(m.pigeonId);
    EXPECT_EQ(members, std::vector<int>{b});
    EXPECT_EQ(Query(u"SELECT count(*) FROM kategoria_id WHERE id_golebia = " +
                    NumberText(a) + u";"), 0);
    EXPECT_TRUE(TheDataStore().LoadIldList().empty());
}

// A row reached by the keyboard after a click is the one the next command acts on.
TEST_F(MaintenanceTest, ManagementWindowDeletesTheBirdTheKeyboardMovedTo) {
    const int loft = AddLoft(u"Dom");
    const int category = AddCategory(loft, u"Lotniki");
    const int a = AddBird(category, u"100");
    const int b = AddBird(category, u"200");
    const int c = AddBird(category, u"300");

    CZarzadzajBazaGolebi window;
    Run<CZarzadzajBazaGolebi>(window, [&](CZarzadzajBazaGolebi& w) {
        ListView* list = w.List(CZarzadzajBazaGolebi::kList);
        ClickListRow(list, 0, 1);
        QTest::keyClick(list, Qt::Key_Down);
        seams::ScriptMessageBoxAnswers({IDYES});
        w.RunCommand(CZarzadzajBazaGolebi::kDeleteButton);
        EXPECT_EQ(BirdsOnDisk(), (std::vector<int>{a, c}));
        // A click on the first row, End to the last: the last goes.
        ClickListRow(list, 0, 1);
        QTest::keyClick(list, Qt::Key_End);
        seams::ScriptMessageBoxAnswers({IDYES});
        w.RunCommand(CZarzadzajBazaGolebi::kDeleteButton);
    });
    EXPECT_EQ(BirdsOnDisk(), std::vector<int>{a});
    EXPECT_EQ(TheDataStore().Pigeons().count(b), 0u);
}

TEST_F(MaintenanceTest, PurgeKeepsEveryBirdThatAnythingNames) {
    CDataStore& store = TheDataStore();
    const int home = AddLoft(u"Dom");
    const int away = AddLoft(u"Działka");
    const int category = AddCategory(home, u"Lotniki");
    const int listed = AddBird(category, u"1");
    const int father = AddBird(0, u"2");
    const int grandfather = AddBird(0, u"3");
    const int hen = AddBird(0, u"4");
    const int young = AddBird(0, u"5");
    const int flier = AddBird(0, u"6");
    const int sold = AddBird(0, u"7");
    const int strayParent = AddBird(0, u"8");
    const int strayChild = AddBird(0, u"9");
    const int lonely = AddBird(0, u"10");
    const auto setFather = [&](int child, int parent) {
        PigeonRecord bird = store.Pigeons().at(child);
        bird.id_ojca = parent;
        ASSERT_TRUE(store.WritePigeon(WriteMode::Update, bird));
    };
    setFather(listed, father);
    setFather(father, grandfather);
    setFather(strayChild, strayParent);
    // Pairs, young and results of a loft that is not the loaded one, and a transaction.
    PairRecord pair;
    pair.id_hodowli = away;
    pair.id_samicy = hen;
    ASSERT_TRUE(store.WritePair(WriteMode::Insert, pair));
    YoungRecord child{.id_golebia = young, .id_pary = pair.id, .id_hodowli = away};
    ASSERT_TRUE(store.WriteYoung(WriteMode::Insert, child));
    FlightRecord flight;
    flight.id_hodowli = away;
    ASSERT_TRUE(store.WriteFlight(WriteMode::Insert, flight));
    FlightResultEntry result;
    result.id_lotu = flight.id;
    result.id_golebia = flier;
    ASSERT_TRUE(store.WriteFlightResult(WriteMode::Insert, result));
    TransactionRecord sale;
    sale.id_golebia = sold;
    ASSERT_TRUE(store.WriteTransaction(WriteMode::Insert, sale));
    // What the lonely bird owns goes with it.
    TreatmentRecord treatment;
    treatment.id_golebia = lonely;
    ASSERT_TRUE(store.WriteTreatment(WriteMode::Insert, treatment));
    ASSERT_TRUE(store.AddToIldList(lonely));
    const QString picture = folder_.filePath("p.png");
    QFile(picture).open(QIODevice::WriteOnly);
    PhotoRecord photo;
    photo.path = picture.toStdU16String();
    photo.id_golebia = lonely;
    photo.rozszerzenie = u"png";
    ASSERT_TRUE(store.AddPhoto(photo));
    const Text storedPhoto = JoinPath(ImagesFolder(), photo.FileName());
    ASSERT_TRUE(QFile::exists(QString::fromStdU16String(storedPhoto)));

    const QString question = "Wszystkie: 10, do usunięcia: 3. Czekaj cierpliwie aż proces się "
                             "skończy.";
    // No keeps everything.
    CZarzadzajBazaGolebi first;
    seams::ScriptMessageBoxAnswers({IDNO});
    Run<CZarzadzajBazaGolebi>(first, [](CZarzadzajBazaGolebi& w) {
        w.RunCommand(CZarzadzajBazaGolebi::kPurgeButton);
    });
    EXPECT_EQ(MessageTexts(), QStringList{question});
    EXPECT_EQ(seams::MessageBoxCalls()[0].flags, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(BirdsOnDisk().size(), 10u);

    seams::Reset();
    CZarzadzajBazaGolebi second;
    seams::ScriptMessageBoxAnswers({IDYES});
    const int code = Run<CZarzadzajBazaGolebi>(second, [](CZarzadzajBazaGolebi& w) {
        w.RunCommand(CZarzadzajBazaGolebi::kPurgeButton);
    });
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(MessageTexts(), QStringList{question});
    EXPECT_EQ(BirdsOnDisk(),
              (std::vector<int>{listed, father, grandfather, hen, young, flier, sold}));
    EXPECT_EQ(store.Pigeons().size(), 7u);
    EXPECT_EQ(store.Pigeons().count(lonely), 0u);
    EXPECT_EQ(Query(u"SELECT count(*) FROM lekisuplementy;"), 0);
    EXPECT_EQ(Query(u"SELECT count(*) FROM zdjecia;"), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdU16String(storedPhoto)));
    EXPECT_TRUE(store.LoadIldList().empty());

    // Nothing left to purge: the count is shown, nothing is asked, and the window closes.
    seams::Reset();
    CZarzadzajBazaGolebi third;
    EXPECT_EQ(Run<CZarzadzajBazaGolebi>(third, [](CZarzadzajBazaGolebi& w) {
                  w.RunCommand(CZarzadzajBazaGolebi::kPurgeButton);
              }),
              IDOK);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Wszystkie: 7, do usunięcia: 0. Czekaj cierpliwie aż proces się skończy.");
    EXPECT_EQ(seams::MessageBoxCalls()[0].flags & 0xF, MB_OK);
}

TEST_F(MaintenanceTest, TheMainWindowShowsTheSameLoftAndCategoryAfterTheManagementWindow) {
    AddLoft(u"Dom");
    const int away = AddLoft(u"Działka");
    AddCategory(away, u"Lotniki");
    const int young = AddCategory(away, u"Młode");
    const int bird = AddBird(young, u"100");
    CMainDialog& main = Open();
    main.SelectLoftAndCategory(1, 1);
    // The bird leaves the category in the window; the main window shows the category without it.
    seams::QueueModalHandler([&](Dialog& w) {
        TheDataStore().RemovePigeonFromCategory(young, bird);
        return IDCANCEL;
    });
    main.ManagePigeonDatabase();
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_currentCategoryIndex, 1);
    EXPECT_EQ(main.CategoryCombo()->GetCurSel(), 1);
    EXPECT_EQ(main.LoftCombo()->GetCurSel(), 1);
    EXPECT_EQ(main.BirdListPage()->PigeonList()->GetItemCount(), 0);
}

TEST_F(MaintenanceTest, BackupAndRestoreTheDbFolder) {
    const int loft = AddLoft(u"Dom");
    const int kept = AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    const QString db = QString::fromStdU16String(DbFolder());

    // Cancelled, inside db, and then into a folder of the user's.
    seams::ScriptPaths({QString(), db + "/images", backups});
    main.BackupDatabase();
    main.BackupDatabase();
    main.BackupDatabase();
    const QString copy = backups + "/OXKopiaDanych";
    EXPECT_TRUE(QFile::exists(copy + "/pigeons.db"));
    EXPECT_TRUE(QFile::exists(copy + "/dodatkowe_informacje.db"));
    EXPECT_TRUE(QDir(copy + "/notes").exists());
    QStringList messages = MessageTexts();
    ASSERT_EQ(messages.size(), 3) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[0].startsWith("Kopii bazy danych nie można zapisać w folderze bazy"));
    EXPECT_EQ(messages[1], QString::fromStdU16String(GetInstallPath()) + "/db/*");
    EXPECT_EQ(messages[2], "Kopia bazy danych została zapisana w folderze " + copy + ".");

    // After the backup: a new loft and bird, in the files and in memory.
    const int later = AddBird(0, u"200");
    AddLoft(u"Nowy");
    ASSERT_EQ(TheDataStore().Pigeons().count(later), 1u);

    // A folder without the database files, one inside db, and then the copy (replace all).
    seams::Reset();
    const QString empty = folder_.filePath("pusty");
    QDir().mkpath(empty);
    seams::ScriptPaths({empty, db, copy});
    main.RestoreDatabase();
    main.RestoreDatabase();
    EXPECT_EQ(BirdsOnDisk(), (std::vector<int>{kept, later}));  // nothing copied so far
    // A journal that a copy of the folder caught beside its database file would be played back
    // into the restored file; so would one the db folder still holds.
    const auto writeJunk = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
    };
    writeJunk(copy + "/pigeons.db-journal");
    writeJunk(db + "/dodatkowe_informacje.db-wal");
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    EXPECT_FALSE(QFile::exists(db + "/pigeons.db-journal"));
    EXPECT_FALSE(QFile::exists(db + "/dodatkowe_informacje.db-wal"));
    messages = MessageTexts();
    ASSERT_EQ(messages.size(), 3) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[0].startsWith("W wybranym folderze nie ma kopii bazy danych"));
    EXPECT_TRUE(messages[1].startsWith("Kopii bazy danych nie można wczytać z folderu bazy"));
    EXPECT_TRUE(messages[2].contains("już istnieją"));  // one question for both files
    // The files and memory are those of the copy.
    EXPECT_EQ(BirdsOnDisk(), std::vector<int>{kept});
    EXPECT_EQ(TheDataStore().Pigeons().count(later), 0u);
    ASSERT_EQ(TheDataStore().Lofts().size(), 1u);
    EXPECT_EQ(ComboTexts(main.LoftCombo()), QStringList{"Dom"});
    EXPECT_EQ(g_currentLoftIndex, 0);
}

TEST_F(MaintenanceTest, ABackupHoldsTheCommittedDatabaseAndTellsWhenAFileWasKeptOld) {
    const int loft = AddLoft(u"Dom");
    const int kept = AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    const Text copiedBirds = (copy + "/pigeons.db").toStdU16String();
    const auto check = [](const Text& file) {
        SqlDatabase db(file);
        SqlStatement st = db.Prepare(u"PRAGMA integrity_check;");
        return st.NextRow() ? st.String(0) : Text(u"(brak wyniku)");
    };
    const auto birdsIn = [](const Text& file) {
        std::vector<int> ids;
        SqlDatabase db(file);
        SqlStatement st = db.Prepare(u"SELECT id FROM pigeons ORDER BY id;");
        while (st.NextRow()) ids.push_back(st.Int(0));
        return ids;
    };

    // Another connection is in the middle of a write: the backup holds what was committed and
    // nothing of the write, whole, with no journal beside it.
    int written = 0;
    {
        SqlDatabase writer(PigeonsDbPath());
        ASSERT_TRUE(writer.Exec(u"BEGIN IMMEDIATE;"));
        ASSERT_TRUE(writer.Exec(u"INSERT INTO pigeons(nr_obraczki) VALUES ('w toku');"));
        written = static_cast<int>(writer.LastInsertRowId());
        ASSERT_TRUE(QFile::exists(QString::fromStdU16String(PigeonsDbPath()) + "-journal"));
        seams::ScriptPaths({backups});
        main.BackupDatabase();
        ASSERT_TRUE(writer.Exec(u"COMMIT;"));
    }
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(MessageTexts()[1], "Kopia bazy danych została zapisana w folderze " + copy + ".");
    EXPECT_FALSE(QFile::exists(copy + "/pigeons.db-journal"));
    EXPECT_EQ(check(copiedBirds), u"ok");
    EXPECT_EQ(birdsIn(copiedBirds), std::vector<int>{kept});

    // A second backup into the same folder with one replace declined: that file stays old, the
    // rest is new, and the user is told the backup is not whole.
    seams::Reset();
    const QByteArray oldExtra = [&] {
        QFile file(copy + "/dodatkowe_informacje.db");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(oldExtra.isEmpty());
    ASSERT_TRUE(TheDataStore().AddToIldList(kept));  // the print list is in the other file
    seams::ScriptPaths({backups});
    seams::ScriptMessageBoxAnswers({IDOK, IDNO, IDYESTOALL});  // the path, then the questions
    main.BackupDatabase();
    const QStringList messages = MessageTexts();
    ASSERT_EQ(messages.size(), 4) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[1].contains("dodatkowe_informacje.db"));
    EXPECT_TRUE(messages[2].contains("pigeons.db"));
    EXPECT_TRUE(messages[3].startsWith("Nie wszystkie pliki zostały skopiowane do folderu " + copy))
        << messages[3].toStdString();
    QFile extra(copy + "/dodatkowe_informacje.db");
    ASSERT_TRUE(extra.open(QIODevice::ReadOnly));
    EXPECT_EQ(extra.readAll(), oldExtra);
    EXPECT_EQ(birdsIn(copiedBirds), (std::vector<int>{kept, written}));
    EXPECT_EQ(check(copiedBirds), u"ok");
}

TEST_F(MaintenanceTest, ARestoreOfADamagedOrHalfBackupReplacesNothingAndNamesTheFile) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_TRUE(QFile::exists(copy + "/pigeons.db"));
    // After the backup the data moves on; a note of the backup's that is not in db.
    const int later = AddBird(0, u"200");
    const QString db = QString::fromStdU16String(DbFolder());
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    write(copy + "/notes/99.html", "<p>z kopii</p>");
    const auto live = [&] { return QList<QByteArray>{read(db + "/pigeons.db"),
                                                     read(db + "/dodatkowe_informacje.db")}; };
    const QList<QByteArray> before = live();
    const QByteArray goodBirds = read(copy + "/pigeons.db");
    const QByteArray goodExtra = read(copy + "/dodatkowe_informacje.db");

    struct Case {
        const char* what;
        std::function<void()> spoil;
        QString named;   // the file the message names
        QString says;    // and what it says of it
    };
    const std::vector<Case> cases = {
        {"pigeons.db cut to half",
         [&] { write(copy + "/pigeons.db", goodBirds.left(goodBirds.size() / 2)); },
         copy + "/pigeons.db", "jest uszkodzony"},
        {"dodatkowe_informacje.db made a text file",
         [&] { write(copy + "/dodatkowe_informacje.db", QByteArray(5000, 'x')); },
         copy + "/dodatkowe_informacje.db", "jest uszkodzony"},
        {"dodatkowe_informacje.db missing",
         [&] { QFile::remove(copy + "/dodatkowe_informacje.db"); },
         "dodatkowe_informacje.db", "brakuje pliku"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seams::Reset();
        write(copy + "/pigeons.db", goodBirds);
        write(copy + "/dodatkowe_informacje.db", goodExtra);
        c.spoil();
        seams::ScriptPaths({copy});
        seams::ScriptMessageBoxAnswers({IDYESTOALL, IDYESTOALL});
        main.RestoreDatabase();
        const QStringList messages = MessageTexts();
        ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();  // nothing was asked
        EXPECT_TRUE(messages[0].contains(c.named)) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(c.says)) << messages[0].toStdString();
        EXPECT_TRUE(live() == before);
        EXPECT_FALSE(QFile::exists(db + "/notes/99.html"));
        EXPECT_EQ(TheDataStore().Pigeons().count(later), 1u);
    }

    // A sound backup whose second file cannot be written (a full disk): both files in use stay
    // as they were, byte for byte, nothing else is copied, and the file is named.
    seams::Reset();
    write(copy + "/pigeons.db", goodBirds);
    write(copy + "/dodatkowe_informacje.db", goodExtra);
    seams::FailFileCopies(
        [&](const QString& path) { return path == db + "/dodatkowe_informacje.db"; });
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    QStringList messages = MessageTexts();
    ASSERT_EQ(messages.size(), 2) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[1].startsWith("Kopii bazy danych nie można wczytać: pliku " + db +
                                       "/dodatkowe_informacje.db nie dało się zapisać (na dysku "
                                       "zabrakło miejsca). Nic nie zostało zmienione."))
        << messages[1].toStdString();
    EXPECT_TRUE(live() == before);
    EXPECT_FALSE(QFile::exists(db + "/notes/99.html"));
    EXPECT_EQ(TheDataStore().Pigeons().count(later), 1u);
    EXPECT_TRUE(QDir(db).entryList({"*.oxrestore-keep"}, QDir::Files).isEmpty());

    // The same backup restored: the question, then the files and memory are the backup's.
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    messages = MessageTexts();
    ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[0].startsWith("Pliki „" + db + "/pigeons.db” i „" + db +
                                       "/dodatkowe_informacje.db” już istnieją"));
    EXPECT_TRUE(QFile::exists(db + "/notes/99.html"));
    EXPECT_EQ(TheDataStore().Pigeons().count(later), 0u);
    EXPECT_EQ(BirdsOnDisk().size(), 1u);
}

TEST_F(MaintenanceTest, ARestoreThatCannotPutAFileBackEndsTheProgramAndLeavesItsCopy) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    AddBird(0, u"200");
    const QString db = QString::fromStdU16String(DbFolder());
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = read(db + "/pigeons.db");

    // The second file cannot be written, and the first, already restored, cannot go back.
    seams::Reset();
    seams::FailFileCopies([&](const QString& path) {
        return path == db + "/dodatkowe_informacje.db" || path == db + "/pigeons.db.oxrestore-keep";
    });
    seams::ScriptPaths({backups + "/OXKopiaDanych"});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    const QStringList messages = MessageTexts();
    ASSERT_EQ(messages.size(), 2) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[1].contains("a pliku " + db + "/pigeons.db nie dało się przywrócić"))
        << messages[1].toStdString();
    EXPECT_TRUE(messages[1].contains("zachowana jako " + db + "/pigeons.db.oxrestore-keep"));
    EXPECT_TRUE(main.HasEnded());  // nothing is shown or written from the mix
    EXPECT_EQ(read(db + "/pigeons.db.oxrestore-keep"), before);
    EXPECT_TRUE(QFile::exists(db + "/oxrestore-unfinished"));

    // What the next start does.
    seams::Reset();
    EXPECT_EQ(FinishInterruptedRestore().outcome, InterruptedRestore::PutBack);
    EXPECT_EQ(read(db + "/pigeons.db"), before);
}

TEST_F(MaintenanceTest, TheRestoresOwnFilesAreNeverBackedUpNorRestored) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    const auto write = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("pigeons.db kept\n");
    };
    // A backup's mark copied into the db folder by hand would mark every later backup.
    const QStringList own = {"oxrestore-folders", "pigeons.db.oxrestore-keep",
                             "oxrestore-unfinished.oxrestore-part", "oxbackup-unfinished"};
    for (const QString& name : own) write(db + "/" + name);
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_TRUE(QFile::exists(copy + "/pigeons.db"));
    EXPECT_TRUE(QDir(copy).entryList({"*oxrestore*", "*oxbackup*"}, QDir::Files).isEmpty());
    EXPECT_TRUE(CheckBackupFolder(copy.toStdU16String()).ok());

    // A backup folder that holds such files (copied by hand): none is brought in, so no marker
    // appears that would make the next start undo the restore.
    for (const QString& name : own) QFile::remove(db + "/" + name);
    write(copy + "/oxrestore-unfinished");
    write(copy + "/pigeons.db.oxrestore-keep");
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    EXPECT_EQ(MessageTexts().size(), 1) << MessageTexts().join('|').toStdString();
    EXPECT_TRUE(QDir(db).entryList({"*oxrestore*"}, QDir::Files).isEmpty());
    EXPECT_FALSE(main.HasEnded());
}

TEST_F(MaintenanceTest, ARestoreWhoseFoldersAreNotAllCopiedIsAskedForAgainUntilTheyAre) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    {
        QFile note(copy + "/notes/7.html");
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("<p>z kopii</p>");
    }
    // The database goes in, a note of the backup does not.
    seams::Reset();
    seams::FailFileCopies([&](const QString& path) { return path.endsWith("/notes/7.html"); });
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_TRUE(MessageTexts()[1].startsWith("Nie wszystkie pliki kopii zostały wczytane"));
    EXPECT_TRUE(QFile::exists(db + "/oxrestore-folders"));
    EXPECT_TRUE(FinishInterruptedRestore().foldersPending);

    // Loaded again, whole: nothing is owed any more.
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    EXPECT_EQ(MessageTexts().size(), 1) << MessageTexts().join('|').toStdString();
    EXPECT_TRUE(QFile::exists(db + "/notes/7.html"));
    EXPECT_FALSE(FinishInterruptedRestore().foldersPending);
    EXPECT_TRUE(QDir(db).entryList({"*oxrestore*"}, QDir::Files).isEmpty());
}

TEST_F(MaintenanceTest, ARestoreThatRunsOutOfRoomChangesNothingAndTheProgramGoesOn) {
    const int loft = AddLoft(u"Dom");
    const int bird = AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    {
        SqlDatabase big((copy + "/pigeons.db").toStdU16String());
        ASSERT_TRUE(big.Exec(u"CREATE TABLE wielka(x);"));
        ASSERT_TRUE(big.Exec(u"INSERT INTO wielka SELECT randomblob(3000000);"));
    }
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // The db folder's disk has room for the copies kept of its files and a little more.
    SmallDisk disk(ToFsPath(DbFolder()), 64 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
    const unsigned long long files = static_cast<unsigned long long>(
        QFileInfo(db + "/pigeons.db").size() + QFileInfo(db + "/dodatkowe_informacje.db").size());
    ASSERT_TRUE(disk.Resize(disk.Used() + files + (300 << 10)));
    const QByteArray before = read(db + "/pigeons.db");
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(MessageTexts()[1], "Kopii bazy danych nie można wczytać: pliku " + db +
                                     "/pigeons.db nie dało się zapisać (na dysku zabrakło "
                                     "miejsca). Nic nie zostało zmienione.");
    EXPECT_FALSE(main.HasEnded());
    EXPECT_EQ(read(db + "/pigeons.db"), before);
    EXPECT_TRUE(QDir(db).entryList({"*oxrestore*", "*-journal"}, QDir::Files).isEmpty());
    EXPECT_EQ(TheDataStore().Pigeons().count(bird), 1u);
}

TEST_F(MaintenanceTest, ACopyOfTheFoldersThatRunsOutOfRoomSaysTheDiskIsFullAndWhere) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    for (int i = 1; i <= 6; ++i) {
        QFile picture(copy + QStringLiteral("/images/%1.jpg").arg(i));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(QByteArray(100 * 1024, char('a' + i)));
    }
    // The pictures' folder lies on a disk with room for three of them.
    const SmallDisk disk(ToFsPath(db.toStdU16String() + u"/images"), 360 * 1024);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_TRUE(MessageTexts()[1].startsWith(
        "Nie wszystkie pliki kopii zostały wczytane: na dysku zabrakło miejsca, więc w folderze " +
        db + "/images nie dało się zapisać pliku "))
        << MessageTexts()[1].toStdString();
    EXPECT_TRUE(MessageTexts()[1].contains("Zwolnij miejsce na dysku, a potem wczytaj kopię bazy "
                                           "danych z folderu " + copy + " ponownie."))
        << MessageTexts()[1].toStdString();
    // Every start says so until the backup is loaded again, and nothing half-written stays.
    const InterruptedRestore start = FinishInterruptedRestore();
    EXPECT_TRUE(start.foldersPending);
    EXPECT_EQ(QString::fromStdU16String(start.folders.fullFolder), db + "/images");
    EXPECT_EQ(QString::fromStdU16String(start.folders.backupFolder), copy);
    EXPECT_TRUE(QDir(db + "/images").entryList({"*.oxcopy-part"}, QDir::Files).isEmpty());
}

// A folder of the backup that the disk has no room to make is named, not the files that were to
// go into it (which fail only because it is not there).
TEST_F(MaintenanceTest, ACopyOfTheFoldersNamesAFolderThatFoundNoRoom) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_TRUE(QDir().mkpath(copy + "/images/album"));
    {
        QFile picture(copy + "/images/album/1.jpg");
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(QByteArray(1024, 'a'));
    }
    // The pictures' folder lies on a disk with room in bytes but for no new file or folder.
    SmallDisk disk(ToFsPath(db.toStdU16String() + u"/images"), 4 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
    ASSERT_TRUE(disk.LimitFiles(0));
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(MessageTexts()[1],
              "Nie wszystkie pliki kopii zostały wczytane: na dysku zabrakło miejsca, więc w "
              "folderze " + db + "/images nie dało się utworzyć folderu album. Zwolnij miejsce na "
              "dysku, a potem wczytaj kopię bazy danych z folderu " + copy + " ponownie. Program "
              "pokazuje to, co teraz zawierają pliki bazy danych.");
}

TEST_F(MaintenanceTest, ACopyOfTheFoldersRefusedForAnotherReasonNamesTheFolderTheFileAndWhy) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    {
        QFile picture(copy + "/images/1.jpg");
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(QByteArray(1024, 'a'));
    }
    // The pictures' folder may not be changed, not even by root.
    const QByteArray images = QFile::encodeName(db + "/images");
    if (std::system(("chattr +i '" + images + "' 2>/dev/null").constData()) != 0) {
        GTEST_SKIP() << "chattr +i is not available on this file system";
    }
    struct Unlock {
        QByteArray folder;
        ~Unlock() { std::system(("chattr -i '" + folder + "'").constData()); }
    } unlock{images};
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(MessageTexts()[1],
              "Nie wszystkie pliki kopii zostały wczytane: w folderze " + db + "/images nie dało "
              "się skopiować pliku 1.jpg (brak uprawnień). Gdy ten plik da się skopiować, wczytaj "
              "kopię bazy danych z folderu " + copy + " ponownie. Program pokazuje to, co teraz "
              "zawierają pliki bazy danych.");
    // Every start asks for the backup again.
    EXPECT_TRUE(FinishInterruptedRestore().foldersPending);
}

TEST_F(MaintenanceTest, WhatACopyCutShortLeftIsNeitherBackedUpNorKeptByARestoreThatCompletes) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const auto write = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("pół pliku");
    };
    write(db + "/images/1.jpg");
    write(db + "/images/2.jpg.oxcopy-part");
    write(db + "/documents/3.pdf.oxcopy-part");
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_TRUE(QFile::exists(copy + "/images/1.jpg"));
    EXPECT_FALSE(QFile::exists(copy + "/images/2.jpg.oxcopy-part"));
    EXPECT_FALSE(QFile::exists(copy + "/documents/3.pdf.oxcopy-part"));

    // A backup made before carries one; the restore that completes the folders leaves none.
    write(copy + "/notes/4.html.oxcopy-part");
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 1) << MessageTexts().join('|').toStdString();
    for (const char* left : {"/images/2.jpg.oxcopy-part", "/documents/3.pdf.oxcopy-part",
                             "/notes/4.html.oxcopy-part"}) {
        EXPECT_FALSE(QFile::exists(db + left)) << left;
    }
    EXPECT_TRUE(QFile::exists(db + "/images/1.jpg"));
}

TEST_F(MaintenanceTest, ARestoreOfTheFoldersAloneWritesTheFoldersNoteUntilTheyAreIn) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    {
        QFile note(copy + "/notes/7.html");
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("<p>z kopii</p>");
    }
    // "Nie" to the database question: the note lies there while the folders are copied, and
    // stays when one of them fails.
    seams::Reset();
    QList<bool> noteWhileCopying;
    seams::FailFileCopies([&](const QString& path) {
        noteWhileCopying << QFile::exists(db + "/oxrestore-folders");
        return path.endsWith("/notes/7.html");
    });
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDNO, IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_FALSE(noteWhileCopying.isEmpty());
    EXPECT_FALSE(noteWhileCopying.contains(false));
    const InterruptedRestore start = FinishInterruptedRestore();
    EXPECT_TRUE(start.foldersPending);
    EXPECT_FALSE(start.folders.databaseLoaded);
    EXPECT_EQ(QString::fromStdU16String(start.folders.backupFolder), copy);
}

TEST_F(MaintenanceTest, ARestoreRefusedForAnUnfinishedOneSaysWhyInPolish) {
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    {
        QFile marker(db + "/oxrestore-unfinished");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write("pigeons.db kept\n");
    }
    seams::Reset();
    seams::ScriptPaths({backups + "/OXKopiaDanych"});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    const QString text = MessageTexts()[1];
    EXPECT_TRUE(text.contains("poprzednie wczytywanie kopii nie zostało dokończone (plik " + db +
                              "/oxrestore-unfinished)"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("an earlier restore")) << text.toStdString();
    EXPECT_FALSE(text.contains("nie dało się zapisać")) << text.toStdString();
}

TEST_F(MaintenanceTest, ABackupWithAFileThatCouldNotBeCopiedSaysSoAndKeepsTheOldCopyWhole) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    {
        QFile note(db + "/notes/1.html");
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("<p>notatka</p>");
        // The lock of a running copy is no part of the data.
        QFile lock(db + "/ornivex6.lock");
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("12345\n");
    }
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_TRUE(MessageTexts().last().startsWith("Kopia bazy danych została zapisana"));
    EXPECT_FALSE(QFile::exists(copy + "/ornivex6.lock"));
    AddBird(0, u"200");
    for (const char* failing : {"pigeons.db", "notes/1.html"}) {
        SCOPED_TRACE(failing);
        const QString target = copy + "/" + failing;
        const auto read = [&] {
            QFile file(target);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray old = read();
        ASSERT_FALSE(old.isEmpty());
        seams::Reset();
        seams::FailFileCopies([&](const QString& path) { return path == db + "/" + failing; });
        seams::ScriptPaths({backups});
        seams::ScriptMessageBoxAnswers({IDOK, IDYESTOALL});
        main.BackupDatabase();
        const QStringList messages = MessageTexts();
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_TRUE(messages.last().startsWith("Nie wszystkie pliki zostały skopiowane do folderu " +
                                               copy))
            << messages.join('|').toStdString();
        EXPECT_EQ(read(), old);  // the file that failed is the old one, whole
    }

    // A folder where nothing at all can be written: the message does not speak of a copy that
    // may be incomplete, as if some of it were there.
    seams::Reset();
    seams::FailFileCopies([](const QString&) { return true; });
    const QString elsewhere = folder_.filePath("inne");
    QDir().mkpath(elsewhere);
    seams::ScriptPaths({elsewhere});
    main.BackupDatabase();
    EXPECT_EQ(MessageTexts().last(), "Do folderu " + elsewhere + "/OXKopiaDanych nie skopiowano "
              "żadnego pliku: pliku " + elsewhere + "/OXKopiaDanych/dodatkowe_informacje.db nie "
              "dało się zapisać. Kopia bazy danych nie została zapisana.");
}

TEST_F(MaintenanceTest, AfterTheConsoleChangedAFileTheWindowShowsAndKeepsWhatTheFileHolds) {
    const int loft = AddLoft(u"Dom");
    AddLoft(u"Działka");
    const int category = AddCategory(loft, u"Lotniki");
    const int bird = AddBird(category, u"100", u"As", loft);
    AddBird(category, u"101", u"", loft);
    CMainDialog& main = Open();
    const auto console = [&](const Text& sql) {
        seams::QueueModalHandler([sql](Dialog& dialog) {
            auto& c = dynamic_cast<CKonsolaSQL&>(dialog);
            c.Combo(CKonsolaSQL::kFileCombo)->SetCurSel(0);
            c.SetItemText(CKonsolaSQL::kSqlEdit, sql);
            c.RunCommand(CKonsolaSQL::kRunButton);
            return IDCANCEL;
        });
        main.OpenSqlConsole();
    };
    const auto shown = [&] {
        QStringList cells;
        ListView* list = dialog_->BirdListPage()->PigeonList();
        for (int column = 0; column < list->GetColumnCount(); ++column) {
            cells << ListColumn(list, column);
        }
        return cells.join('|');
    };
    ASSERT_TRUE(shown().contains("100"));

    console(u"UPDATE pigeons SET nr_obraczki = '999' WHERE nr_obraczki = '100';");
    EXPECT_EQ(TheDataStore().Pigeons().at(bird).nr_obraczki, u"999");
    EXPECT_TRUE(shown().contains("999")) << shown().toStdString();
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    // An edit of the bird afterwards keeps what the console wrote.
    ChangeBird(bird, [](PigeonRecord& b) { b.nazwa = u"Nowy"; });
    {
        SqlDatabase file(PigeonsDbPath());
        SqlStatement st = file.Prepare(u"SELECT nr_obraczki, nazwa FROM pigeons WHERE id = ?1;");
        ASSERT_TRUE(st.Bind({SqlInt(bird)}) && st.NextRow());
        EXPECT_EQ(st.String(0), u"999");
        EXPECT_EQ(st.String(1), u"Nowy");
    }

    // A dropped table: the window holds no birds and the loft counts none, and it shows what
    // the next start shows.
    console(u"DROP TABLE pigeons;");
    EXPECT_TRUE(MessageTexts().isEmpty()) << MessageTexts().join('|').toStdString();
    EXPECT_TRUE(TheDataStore().Pigeons().empty());
    EXPECT_FALSE(shown().contains("999"));
    EXPECT_EQ(main.GetDlgItemText(CMainDialog::kLoftCountLabel), "(0)");
    const QStringList afterConsole = {shown(), main.GetDlgItemText(CMainDialog::kLoftCountLabel),
                                      main.GetDlgItemText(CMainDialog::kCategoryCountLabel)};
    CMainDialog& next = Open();
    EXPECT_EQ(afterConsole, (QStringList{shown(), next.GetDlgItemText(CMainDialog::kLoftCountLabel),
                                         next.GetDlgItemText(CMainDialog::kCategoryCountLabel)}));
}

TEST_F(MaintenanceTest, ImportFromTheMainWindow) {
    using namespace v5write;
    const QString v5 = folder_.filePath("ox5");
    V5LoftRecord loft;
    loft.byteName = "Dom";
    loft.texts = {u"Gołębnik z piątki"};
    loft.groups = {{{u"Lotniki"}, {u"V5-1", u"V5-2"}}};
    WriteFolder(ToFsPath(v5.toStdU16String()), {Bird(1), Bird(2)}, {loft});
    CMainDialog& main = Open();
    const auto tickFlightsAndImport = [](Dialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(CImportujDaneZWersji5::kPigeonsBox), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CImportujDaneZWersji5::kPairsBox), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CImportujDaneZWersji5::kFlightsBox), 0);
        d.CheckDlgButton(CImportujDaneZWersji5::kFlightsBox, 1);
        d.RunCommand(IDOK);
        return d.EndCode();
    };

    // Cancelled: nothing is asked or written.
    main.ImportVersion5();
    EXPECT_TRUE(seams::ChooserCalls().empty());

    // No setting: the folder is asked for; a cut file is named and nothing is written.
    const fs::path idsFile = V5Data::IdsFile(ToFsPath(v5.toStdU16String()));
    const Bytes ids = IdsBytes({u"V5-1", u"PL-Żuraw-9", u"V5-2"});  // the second has no file
    WriteFile(idsFile, Bytes(ids.begin(), ids.end() - 1));
    seams::QueueModalHandler(tickFlightsAndImport);
    seams::ScriptPaths({v5});
    main.ImportVersion5();
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_TRUE(MessageTexts()[0].contains(QString::fromStdString(idsFile.string())));
    EXPECT_EQ(Query(u"SELECT count(*) FROM hodowla;"), 0);

    // From the setting's folder, whole: the closing message, and the loft shows at once.
    seams::Reset();
    WriteFile(idsFile, ids);
    {
        QSettings ini(settings::FilePath(), QSettings::IniFormat);
        ini.setValue("Ornivex 5/InstallPath", v5);
    }
    seams::QueueModalHandler(tickFlightsAndImport);
    main.ImportVersion5();
    {
        QSettings ini(settings::FilePath(), QSettings::IniFormat);
        ini.remove("Ornivex 5");
    }
    EXPECT_TRUE(seams::ChooserCalls().empty());
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_TRUE(MessageTexts()[0].startsWith("Zakończono importowanie."));
    EXPECT_TRUE(MessageTexts()[0].contains("gołębie: 2"));
    EXPECT_TRUE(MessageTexts()[0].contains("gołębie bez pliku danych: 1 (PL-Żuraw-9);"))
        << MessageTexts()[0].toStdString();
    EXPECT_EQ(ComboTexts(main.LoftCombo()), QStringList{"Gołębnik z piątki"});
    EXPECT_EQ(TheDataStore().Pigeons().size(), 2u);
    EXPECT_EQ(ComboTexts(main.CategoryCombo()), QStringList{"Lotniki"});
}

// Records of the old folder that cannot be true do not stop the import: the closing message
// names each one left out, by the ids of the old files.
TEST_F(MaintenanceTest, ImportNamesTheRecordsItLeftOut) {
    using namespace v5write;
    const QString v5 = folder_.filePath("ox5");
    V5LoftRecord loft;
    loft.byteName = "Dom";
    loft.texts = {u"Dom"};
    V5BreedingSeasonRecord season;
    season.date = Date(20, 1, 2008);
    V5PairRecord pair{.cockId = u"V5-1", .henId = u"V5-2"};
    pair.young = {{u"V5-3", u""}, {u"V5-3", u""}};
    V5PairRecord oneBird{.cockId = u"V5-1", .henId = u"V5-1"};
    oneBird.young = {{u"V5-4", u""}};
    season.pairs = {pair, oneBird};
    loft.breedingSeasons = {season};
    V5FlightRecord flight;
    flight.texts = {u"Hannover"};
    flight.dates = {Date(17, 5, 2008, 7, 30, 0), Date(0, 0, 0, 2, 0, 0)};
    V5FlightResultRecord result;
    result.pigeonId = u"V5-2";
    flight.results = {result, result};
    loft.flightSeries = {{0, {}, {}, {flight}}};
    WriteFolder(ToFsPath(v5.toStdU16String()), {Bird(1), Bird(2), Bird(3), Bird(4)}, {loft});
    {
        QSettings ini(settings::FilePath(), QSettings::IniFormat);
        ini.setValue("Ornivex 5/InstallPath", v5);
    }
    CMainDialog& main = Open();
    seams::QueueModalHandler([](Dialog& d) {
        d.CheckDlgButton(CImportujDaneZWersji5::kFlightsBox, 1);
        d.RunCommand(IDOK);
        return d.EndCode();
    });
    main.ImportVersion5();
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_TRUE(MessageTexts()[0].contains("pary: 1, młode: 1, loty: 1, wyniki lotów: 1."));
    EXPECT_TRUE(MessageTexts()[0].endsWith(
        "\n\nPominięto zapisy, które nie mogą być prawdziwe: młode V5-3 pary V5-1 × V5-2 (już "
        "zapisane jako młode); para V5-1 × V5-1 (ten sam gołąb jako samiec i samica, z nią jej "
        "młode: 1); drugi wynik gołębia V5-2 w locie Hannover 17.05.2008."))
        << MessageTexts()[0].toStdString();
    EXPECT_EQ(Query(u"SELECT count(*) FROM pary;"), 1);
    EXPECT_EQ(Query(u"SELECT count(*) FROM lotniki;"), 1);
}

// However a backup into a folder that held a whole backup ends, the folder is either loadable as
// a whole backup or refused, saying that its backup was cut short and when it began: never a
// pair of files of two backups loaded without a word.
TEST_F(MaintenanceTest, ABackupCutShortIsNeverLoadedAndSaysWhenItBegan) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    for (int i = 1; i <= 4; ++i) {
        QFile picture(db + QStringLiteral("/images/%1.jpg").arg(i));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(QByteArray(8192, char('a' + i)));
    }
    struct Case {
        const char* what;
        const char* at;  // the file whose copy the backup ends at
        bool killed;     // the program is killed there (else the copy of that file fails)
        bool loads;      // the folder still loads afterwards
        const char* says;  // the backup's last message begins so (when not killed)
    };
    const std::vector<Case> cases = {
        {"killed while a picture is copied", "/images/2.jpg", true, false, nullptr},
        {"killed while pigeons.db is copied", "/pigeons.db", true, false, nullptr},
        {"a picture could not be written", "/images/2.jpg", false, false,
         "Nie wszystkie pliki zostały skopiowane do folderu "},
        {"nothing at all could be written", "", false, true, "Do folderu "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A whole backup of one bird, and then a second bird in the files in use.
        seams::Reset();
        QDir(copy).removeRecursively();
        seams::ScriptPaths({backups});
        main.BackupDatabase();
        ASSERT_TRUE(MessageTexts().last().startsWith("Kopia bazy danych została zapisana"));
        const int later = AddBird(0, u"200");
        const std::vector<int> birds = BirdsOnDisk();

        seams::Reset();
        seams::ScriptPaths({backups});
        seams::ScriptMessageBoxAnswers({IDOK, IDYESTOALL});
        const qint64 began = QDateTime::currentSecsSinceEpoch();
        const QString at = QString::fromLatin1(c.at);
        if (c.killed) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                seams::FailFileCopies([&](const QString& path) {
                    if (path == db + at) kill(getpid(), SIGKILL);
                    return false;
                });
                main.BackupDatabase();
                _exit(3);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status)) << "the backup ended on its own";
        } else {
            seams::FailFileCopies([&](const QString& path) { return at.isEmpty() || path == db + at; });
            main.BackupDatabase();
            ASSERT_TRUE(MessageTexts().last().startsWith(QString::fromUtf8(c.says)))
                << MessageTexts().last().toStdString();
            if (!c.loads) {
                EXPECT_TRUE(MessageTexts().last().contains("nie będzie można jej wczytać"))
                    << MessageTexts().last().toStdString();
                // The file that was not written is named.
                EXPECT_TRUE(MessageTexts().last().contains(copy + at + " nie dało się zapisać"))
                    << MessageTexts().last().toStdString();
            }
        }

        seams::Reset();
        seams::ScriptPaths({copy});
        seams::ScriptMessageBoxAnswers({IDYESTOALL});
        main.RestoreDatabase();
        ASSERT_EQ(MessageTexts().size(), 1) << MessageTexts().join('|').toStdString();
        const QString text = MessageTexts()[0];
        if (c.loads) {
            EXPECT_TRUE(text.contains("już istnieją")) << text.toStdString();
            EXPECT_EQ(TheDataStore().Pigeons().count(later), 0u);
            continue;
        }
        BackupMark mark;
        ASSERT_TRUE(ReadBackupMark(copy.toStdU16String(), mark));
        EXPECT_GE(mark.began, began);
        EXPECT_LE(mark.began, QDateTime::currentSecsSinceEpoch());
        EXPECT_TRUE(text.startsWith("Kopii bazy danych z folderu " + copy + " nie można wczytać: "
                                    "jej zapisywanie, rozpoczęte " +
                                    QDateTime::fromSecsSinceEpoch(mark.began)
                                        .toString("dd.MM.yyyy 'o' HH:mm") +
                                    ", zostało przerwane, zanim się zakończyło"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("Nic nie zostało zmienione.")) << text.toStdString();
        EXPECT_EQ(BirdsOnDisk(), birds);
        EXPECT_EQ(TheDataStore().Pigeons().count(later), 1u);
        EXPECT_FALSE(FinishInterruptedRestore().foldersPending);

        // A backup that completes in that folder makes it whole again, without the half file a
        // kill inside a copy leaves.
        {
            QFile half(copy + "/images/9.jpg.oxcopy-part");
            ASSERT_TRUE(half.open(QIODevice::WriteOnly));
            half.write("pół");
        }
        seams::Reset();
        seams::ScriptPaths({backups});
        seams::ScriptMessageBoxAnswers({IDOK, IDYESTOALL});
        main.BackupDatabase();
        EXPECT_EQ(MessageTexts().last(), "Kopia bazy danych została zapisana w folderze " + copy + ".");
        EXPECT_TRUE(CheckBackupFolder(copy.toStdU16String()).ok());
        EXPECT_TRUE(QDir(copy).entryList({"*oxbackup*"}, QDir::Files).isEmpty());
        EXPECT_FALSE(QFile::exists(copy + "/images/9.jpg.oxcopy-part"));
    }
}

// A backup while a restore's pictures, documents and notes are still to come copies what the db
// folder holds, which is not all of them: its message says so.
TEST_F(MaintenanceTest, ABackupWhileARestoresPicturesAreStillToComeSaysTheyMayBeMissing) {
    CMainDialog& main = Open();
    // The pictures, documents and notes of a backup are being copied ("Nie" to the database).
    const QString from = folder_.filePath("kopie/OXKopiaDanych");
    std::string error;
    ASSERT_TRUE(BeginRestoreFolders(from.toStdU16String(), error)) << error;
    const QString other = folder_.filePath("inne");
    QDir().mkpath(other);
    seams::ScriptPaths({other});
    main.BackupDatabase();
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(MessageTexts()[1],
              "Kopia bazy danych została zapisana w folderze " + other + "/OXKopiaDanych, ale może "
              "w niej nie być wszystkich zdjęć, dokumentów i notatek: wczytywanie zdjęć, dokumentów "
              "i notatek z kopii bazy danych z folderu " + from + " nie zostało dokończone, więc "
              "nie ma ich wszystkich w folderze bazy danych. Wczytaj kopię bazy danych z folderu " +
              from + " ponownie, a następnie zapisz kopię bazy danych jeszcze raz.");
    EXPECT_EQ(seams::MessageBoxCalls()[1].flags & 0xF0, MB_ICONWARNING);
}

// The pictures, documents and notes keep their permissions through a backup and a restore.
TEST_F(MaintenanceTest, ABackedUpOrRestoredFileKeepsItsPermissions) {
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const std::vector<std::pair<QString, fs::perms>> files = {
        {"/images/1.jpg", static_cast<fs::perms>(0644)},
        {"/documents/2.pdf", static_cast<fs::perms>(0440)}};
    for (const auto& [name, permissions] : files) {
        QFile file(db + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("bajty");
        file.close();
        fs::permissions(ToFsPath((db + name).toStdU16String()), permissions);
    }
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    for (const auto& [name, permissions] : files) {
        EXPECT_EQ(fs::status(ToFsPath((copy + name).toStdU16String())).permissions(), permissions)
            << name.toStdString();
        QFile::remove(db + name);
    }
    seams::Reset();
    seams::ScriptPaths({copy});
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    main.RestoreDatabase();
    for (const auto& [name, permissions] : files) {
        EXPECT_EQ(fs::status(ToFsPath((db + name).toStdU16String())).permissions(), permissions)
            << name.toStdString();
    }
}

// The message of a copy of the folders that failed more than once, and the folders' note, name
// the first file that found no room, even when another file failed before it or after it.
TEST_F(MaintenanceTest, ACopyOfTheFoldersNamesTheFirstFileThatFoundNoRoom) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    for (const char* name : {"/documents/a.pdf", "/notes/b.html"}) {
        QFile file(copy + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(200 * 1024, 'z'));
    }
    // Both folders lie on disks too small for their file; documents/ is copied first.
    const SmallDisk documents(ToFsPath(db.toStdU16String() + u"/documents"), 100 * 1024);
    const SmallDisk notes(ToFsPath(db.toStdU16String() + u"/notes"), 100 * 1024);
    if (!documents.ok() || !notes.ok()) GTEST_SKIP() << "no small disk can be mounted here";
    struct Case {
        const char* what;
        bool firstFailsOtherwise;  // documents/a.pdf fails, but not for room
        const char* named;         // the file the message and the note name
    };
    const std::vector<Case> cases = {
        {"two files found no room", false, "documents/a.pdf"},
        {"a file failed otherwise before one found no room", true, "notes/b.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seams::Reset();
        if (c.firstFailsOtherwise) {
            seams::FailFileCopies([](const QString& path) { return path.endsWith("/documents/a.pdf"); });
        }
        seams::ScriptPaths({copy});
        seams::ScriptMessageBoxAnswers({IDYESTOALL});
        main.RestoreDatabase();
        ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().join('|').toStdString();
        const QFileInfo named(db + "/" + c.named);
        EXPECT_TRUE(MessageTexts()[1].startsWith(
            "Nie wszystkie pliki kopii zostały wczytane: na dysku zabrakło miejsca, więc w folderze " +
            named.absolutePath() + " nie dało się zapisać pliku " + named.fileName() + "."))
            << MessageTexts()[1].toStdString();
        const InterruptedRestore start = FinishInterruptedRestore();
        EXPECT_EQ(QString::fromStdU16String(start.folders.fullFolder), named.absolutePath());
    }
}

// Fills the disk `folder` lies on, leaving `room` bytes free.
void FillDiskLeaving(const QString& folder, qint64 room) {
    QFile fill(folder + "/wypelnienie.bin");
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly | QIODevice::Append));
    const QByteArray block(4096, 'x');
    while (fill.write(block) == block.size() && fill.flush()) {
    }
    fill.close();
    ASSERT_TRUE(fill.resize(std::max<qint64>(0, fill.size() - room)));
}

// A database file is copied through SQLite, not byte by byte, and is named with its cause like
// any other: the first file that found no room, even when a picture fails after it.
TEST_F(MaintenanceTest, ABackupNamesTheFirstFileThatFoundNoRoomDatabaseFilesToo) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString db = QString::fromStdU16String(DbFolder());
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    {
        QFile note(db + "/notes/1.html");
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("<p>notatka</p>");
    }
    struct Case {
        const char* what;
        Text grown;           // the database file too large for the disk
        bool largePicture;    // a picture too large for it, copied after dodatkowe_informacje.db
        const char* named;
    };
    const std::vector<Case> cases = {
        {"pigeons.db, copied last", PigeonsDbPath(), false, "pigeons.db"},
        {"dodatkowe_informacje.db, before a picture", ExtraDbPath(), true,
         "dodatkowe_informacje.db"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seams::Reset();
        {
            SqlDatabase grown(c.grown);
            ASSERT_TRUE(grown.Exec(u"CREATE TABLE z_wypelnienie(x);"));
            ASSERT_TRUE(grown.Exec(u"INSERT INTO z_wypelnienie SELECT randomblob(3000000);"));
        }
        const QString picture = db + "/images/1000.jpg";
        if (c.largePicture) {
            QFile file(picture);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(3000000, 'j'));
        }
        {
            const SmallDisk disk(backups.toStdString(), 2 << 20);
            if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here";
            seams::ScriptPaths({backups});
            main.BackupDatabase();
            EXPECT_EQ(MessageTexts().last(),
                      "Nie wszystkie pliki zostały skopiowane do folderu " + copy + ": pliku " +
                          copy + "/" + c.named + " nie dało się zapisać (na dysku zabrakło "
                          "miejsca). Kopia bazy danych w tym folderze jest niepełna i nie będzie "
                          "można jej wczytać. Zapisz kopię bazy danych ponownie.");
        }
        SqlDatabase grown(c.grown);
        ASSERT_TRUE(grown.Exec(u"DROP TABLE z_wypelnienie;"));
        ASSERT_TRUE(grown.Exec(u"VACUUM;"));
        QFile::remove(picture);
    }
}

// A backup that copies nothing says what could not be written and why: on a full disk that the
// disk is full, not that the folder may be at fault.
TEST_F(MaintenanceTest, ABackupThatCopiesNothingSaysTheDiskIsFullWhenItIs) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    SmallDisk disk(backups.toStdString(), 4 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here";

    // A whole backup, and then 4 KB free: room for the mark, for no file.
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    ASSERT_EQ(MessageTexts().last(), "Kopia bazy danych została zapisana w folderze " + copy + ".");
    AddBird(0, u"200");
    FillDiskLeaving(backups, 4096);
    seams::Reset();
    seams::ScriptPaths({backups});
    seams::ScriptMessageBoxAnswers({IDOK, IDYESTOALL});
    main.BackupDatabase();
    EXPECT_EQ(MessageTexts().last(),
              "Do folderu " + copy + " nie skopiowano żadnego pliku: pliku " + copy +
                  "/dodatkowe_informacje.db nie dało się zapisać (na dysku zabrakło miejsca). "
                  "Kopia bazy danych nie została zapisana.");
    EXPECT_TRUE(CheckBackupFolder(copy.toStdU16String()).ok());  // the older backup, whole

    // A disk that takes no new folder for the backup.
    QFile::remove(backups + "/wypelnienie.bin");
    QDir(copy).removeRecursively();
    ASSERT_TRUE(disk.LimitFiles(0));
    seams::Reset();
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    EXPECT_EQ(MessageTexts().last(),
              "Do folderu " + copy + " nie skopiowano żadnego pliku: folderu nie dało się "
              "utworzyć (na dysku zabrakło miejsca). Kopia bazy danych nie została zapisana.");

    // A disk that takes the backup's folder and its mark, but no folder inside: that folder is
    // named, not a file that was to go into it.
    ASSERT_TRUE(disk.LimitFiles(2));
    seams::Reset();
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    EXPECT_EQ(MessageTexts().last(),
              "Do folderu " + copy + " nie skopiowano żadnego pliku: folderu " + copy +
                  "/documents nie dało się utworzyć (na dysku zabrakło miejsca). Kopia bazy "
                  "danych nie została zapisana.");
}

// A backup that does not finish leaves its folder marked: one that copies nothing into a folder
// cut short keeps the mark with the time of the backup that was cut, and one whose files the
// disk fails to flush keeps its mark and says that they may not be on the disk.
TEST_F(MaintenanceTest, ABackupThatDoesNotFinishLeavesItsFolderMarked) {
    const int loft = AddLoft(u"Dom");
    AddBird(AddCategory(loft, u"Lotniki"), u"100");
    CMainDialog& main = Open();
    const QString backups = BackupsFolder();
    const QString copy = backups + "/OXKopiaDanych";
    seams::ScriptPaths({backups});
    main.BackupDatabase();
    const Time64 cut = 1765432100;
    std::string error;
    bool diskFull = false;
    ASSERT_TRUE(BeginBackup(copy.toStdU16String(), cut, error, diskFull)) << error;

    for (const bool copiesNothing : {true, false}) {
        SCOPED_TRACE(copiesNothing ? "nothing copied" : "the flush fails");
        seams::Reset();
        seams::FailFileCopies([&](const QString& path) { return copiesNothing || path == copy; });
        seams::ScriptPaths({backups});
        seams::ScriptMessageBoxAnswers({IDOK, IDYESTOALL});
        main.BackupDatabase();
        BackupMark mark;
        ASSERT_TRUE(ReadBackupMark(copy.toStdU16String(), mark));
        if (copiesNothing) {
            EXPECT_EQ(mark.began, cut);
            continue;
        }
        EXPECT_EQ(MessageTexts().last(),
                  "Pliki skopiowano do folderu " + copy + ", ale nie dało się ich na pewno "
                  "zapisać na dysku (dysk zgłosił błąd odczytu lub zapisu). Kopia bazy danych w "
                  "tym folderze jest oznaczona jako niepełna i nie będzie można jej wczytać. "
                  "Zapisz kopię bazy danych ponownie.");
    }
}

}  // namespace
