// The main window: its page strip, the keys that must not close it, the loft and category
// choosers kept in step with the data store and the database files, the menu commands, and the
// refusal of a second copy of the program.
#include <gtest/gtest.h>

#include <cstdlib>


#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMenuBar>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

#include "ControlKinds.h"
#include "Browser.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DodajGolebiaTab1.h"
#include "DodajGolebia.h"
#include "Globals.h"
#include "ListView.h"
#include "MainApp.h"
#include "MainDialog.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "WebAddresses.h"
#include "SharedRoutines.h"
#include "SingleInstance.h"
#include "SortujListeGolebi.h"
#include "Sqlite.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "../SmallDisk.h"
#include "StartupSplash.h"
#include "TransparentStatic.h"
#include "ZakladkaEdycjaPtaka.h"
#include "ZakladkaListaPsow.h"
#include "ZakladkaLotyGolebi.h"
#include "ZakladkaNotatnik.h"
#include "ZakladkaStartowa.h"
#include "ZakladkaNotatnik.h"
#include "menu/MainMenu.h"
#include "menu/MenuBuilder.h"

// Texts show as text in failure messages.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

class MainDialogTest : public MainWindowTest {
protected:
    ListView* BirdList() const { return dialog_->BirdListPage()->PigeonList(); }
    // Each row's bird as its ring text, whatever columns the list is set to show.
    QStringList BirdRings() const {
        QStringList rings;
        const CZakladkaListaPsow* page = dialog_->BirdListPage();
        for (int row = 0; row < BirdList()->GetItemCount(); ++row) {
            const auto bird = page->rowPigeonIds.find(row);
            rings << (bird == page->rowPigeonIds.end()
                          ? QString()
                          : QString::fromStdU16String(
                                TheDataStore().FindPigeon(bird->second).GetDisplayName()));
        }
        return rings;
    }

    void ChooseLoft(int index) {
        dialog_->LoftCombo()->SetCurSel(index);
        dialog_->Fire(CMainDialog::kLoftCombo, Notification::SelChange);
    }
    void ChooseCategory(int index) {
        dialog_->CategoryCombo()->SetCurSel(index);
        dialog_->Fire(CMainDialog::kCategoryCombo, Notification::SelChange);
    }
};

// ---- page strip -------------------------------------------------------------------------------

TEST_F(MainDialogTest, PageStripHeadersAndPageAreaHaveTheirPlaces) {
    CMainDialog& dialog = Open();
    dialog.LayoutPageStrip();
    const int edges[] = {150, 250, 400, 530, 680, 830, 980};
    for (int page = 0; page < CMainDialog::kPageCount; ++page)
        EXPECT_EQ(dialog.HeaderRect(page), Rect(edges[page], 65, edges[page + 1], 95)) << page;
    const Rect client = dialog.ClientRect();
    EXPECT_EQ(dialog.PageArea(), Rect(10, 110, client.right, client.bottom - 5));
    // Every page lies over the page area, below the menu bar.
    for (int page = 0; page < CMainDialog::kPageCount; ++page) {
        EXPECT_EQ(dialog.PageWindow(page)->geometry(),
                  QRect(10, 110 + dialog.ClientTop(), client.right - 10, client.bottom - 115))
            << page;
    }
}

TEST_F(MainDialogTest, ClickOnAHeaderShowsThatPageAloneAndClicksElsewhereChangeNothing) {
    CMainDialog& dialog = Open();
    auto visiblePages = [&] {
        std::vector<int> pages;
        for (int page = 0; page < CMainDialog::kPageCount; ++page)
            if (dialog.PageWindow(page)->isVisible()) pages.push_back(page);
        return pages;
    };
    const int y = dialog.ClientTop() + 80;
    EXPECT_EQ(dialog.ActivePage(), CMainDialog::kStartPage);
    EXPECT_EQ(visiblePages(), std::vector<int>{CMainDialog::kStartPage});

    // x 250 is the bird list header's left edge, not the start header's right one.
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(250, y));
    EXPECT_EQ(dialog.ActivePage(), CMainDialog::kBirdListPage);
    EXPECT_EQ(visiblePages(), std::vector<int>{CMainDialog::kBirdListPage});

    // Beside the headers, on the strip's bottom edge, and past the last header: nothing.
    for (const QPoint& p : {QPoint(149, y), QPoint(300, dialog.ClientTop() + 95),
                            QPoint(300, dialog.ClientTop() + 64), QPoint(980, y)}) {
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, p);
        EXPECT_EQ(dialog.ActivePage(), CMainDialog::kBirdListPage) << p.x() << "," << p.y();
        EXPECT_EQ(visiblePages(), std::vector<int>{CMainDialog::kBirdListPage});
    }

    const int xs[] = {249, 250, 529, 530, 830, 979};
    const int expected[] = {0, 1, 2, 3, 5, 5};
    for (int i = 0; i < 6; ++i) {
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(xs[i], y));
        EXPECT_EQ(dialog.ActivePage(), expected[i]) << xs[i];
        EXPECT_EQ(visiblePages(), std::vector<int>{expected[i]}) << xs[i];
    }
}

TEST_F(MainDialogTest, StripIsPaintedWithTheActiveHeaderAndTheGreenUnderline) {
    CMainDialog& dialog = Open();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(700, dialog.ClientTop() + 70));
    const QImage image = dialog.grab().toImage();
    const int top = dialog.ClientTop();
    // The green stripe runs along the band's bottom; the active header lies over it.
    EXPECT_EQ(image.pixelColor(1100, top + 92), QColor(155, 255, 155));
    EXPECT_EQ(image.pixelColor(300, top + 90), QColor(155, 255, 155));
    EXPECT_EQ(image.pixelColor(700, top + 92), QColor(19, 126, 209));
    // The active header (flights, 680-830) is filled in the strip's blue inside its edges.
    EXPECT_EQ(image.pixelColor(690, top + 70), QColor(19, 126, 209));
    // Under the strip the window is white.
    EXPECT_EQ(image.pixelColor(5, top + 100), QColor(255, 255, 255));
}

// ---- keys -------------------------------------------------------------------------------------

TEST_F(MainDialogTest, EnterAndEscapeNeverCloseTheWindowButTheExitCommandDoes) {
    const int loft = AddLoft(u"Gołębnik");
    AddCategory(loft, u"Lotne");
    CMainDialog& dialog = Open();
    dialog.activateWindow();
    for (QWidget* target : {static_cast<QWidget*>(&dialog),
                            static_cast<QWidget*>(dialog.LoftCombo()),
                            static_cast<QWidget*>(dialog.BirdListPage()->PigeonList())}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(dialog.HasEnded());
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 0);
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    FindMenuAction(dialog.MenuBar(), kCmdExit)->trigger();
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.EndCode(), IDOK);
}

// The window keeps Enter and Escape from its controls, but not from its menu bar: the bar,
// left in keyboard navigation by the Escape that closed its menu, ends it on the second Escape,
// and Enter there opens the item's menu.
TEST_F(MainDialogTest, TheMenuBarTakesItsEscapeAndEnterBeforeTheWindow) {
    CMainDialog& dialog = Open();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QMenuBar* bar = dialog.MenuBar();
    QAction* item = nullptr;
    for (QAction* action : bar->actions())
        if (action->text().remove(QLatin1Char('&')) == QStringLiteral("Konfiguracja")) item = action;
    ASSERT_NE(item, nullptr);
    QWidget* field = dialog.LoftCombo();
    field->setFocus();
    const QRect place = bar->actionGeometry(item);
    const QImage plain = bar->grab(place).toImage();
    // The mouse leaves the bar after its click, as the user's does.
    const auto mouseAway = [&] {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(bar, &leave);
    };

    for (const Qt::Key second : {Qt::Key_Escape, Qt::Key_Return}) {
        SCOPED_TRACE(second);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, place.center());
        QMenu* menu = item->menu();
        ASSERT_TRUE(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        ASSERT_FALSE(menu->isVisible());
        mouseAway();
        EXPECT_EQ(bar->activeAction(), item);   // still chosen for the keyboard
        QTest::keyClick(QApplication::focusWidget(), second);
        if (second == Qt::Key_Return) {
            EXPECT_TRUE(menu->isVisible());
            QTest::keyClick(menu, Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        mouseAway();
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(bar->activeAction(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_TRUE(bar->grab(place).toImage() == plain);   // no frame left on the item
        EXPECT_FALSE(dialog.HasEnded());
    }
}

TEST_F(MainDialogTest, EnterInAnEditedPageStartsALineAndStillNeverClosesTheWindow) {
    CMainDialog& dialog = Open();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(900, dialog.ClientTop() + 80));
    // An editor like the notebook's, on the notebook page.
    auto* editor = new Browser(dialog.NotebookPage());
    editor->setGeometry(250, 10, 400, 200);
    editor->show();
    editor->NewDocument();
    ASSERT_TRUE(editor->WaitForDocument());
    ASSERT_TRUE(editor->SetDesignMode(true));
    editor->RunScript(QStringLiteral(
        "document.body.innerHTML = 'Ab'; var r = document.createRange();"
        "r.setStart(document.body.firstChild, 1); getSelection().removeAllRanges();"
        "getSelection().addRange(r); true"));
    QWidget* engine = editor->View()->focusProxy();
    ASSERT_NE(engine, nullptr);
    engine->setFocus();
    QTest::keyClick(engine, Qt::Key_Return);
    QTest::keyClick(engine, Qt::Key_X);
    QTest::keyClick(engine, Qt::Key_Escape);
    QString html;
    for (int i = 0; i < 100 && !html.contains(QLatin1Char('x')); ++i) {
        QTest::qWait(20);
        editor->GetHtml(html);
    }
    EXPECT_TRUE(html.contains(QStringLiteral("A<div>xb</div>"))) << html.toStdString();
    QTest::qWait(100);  // keys the page does not use come back to the window later
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_TRUE(dialog.isVisible());
}

// ---- start-up ---------------------------------------------------------------------------------

TEST_F(MainDialogTest, EmptyDatabaseStartsWithNothingChosen) {
    CMainDialog& dialog = Open();
    EXPECT_EQ(dialog.LoftCombo()->GetCount(), 0);
    EXPECT_EQ(dialog.CategoryCombo()->GetCount(), 0);
    EXPECT_EQ(g_currentLoftIndex, -1);
    EXPECT_EQ(g_currentCategoryIndex, -1);
    EXPECT_EQ(BirdList()->GetItemCount(), 0);
    EXPECT_EQ(ComboTexts(dialog.PairingPage()->SeasonCombo()), QStringList{"Wszystkie Pary"});
    EXPECT_EQ(dialog.PairingPage()->SeasonCombo()->GetCurSel(), 0);
    EXPECT_EQ(ComboTexts(dialog.FlightsPage()->SeasonCombo()), QStringList{"Wszystkie sezony"});
    EXPECT_EQ(dialog.windowTitle(),
              "[ Ornivex 6.7 ] - Profesjonalne Zarządzanie Hodowlą Gołębi Pocztowych");
    // Both database files exist after the first start.
    EXPECT_TRUE(QFile::exists(folder_.filePath("db/pigeons.db")));
    EXPECT_TRUE(QFile::exists(folder_.filePath("db/dodatkowe_informacje.db")));

    // Commands that need a loft or a category open nothing and say what is missing.
    for (int command : {kCmdEditLoft, kCmdDeleteLoft, kCmdAddCategory, kCmdEditCategory,
                        kCmdDeleteCategory, kCmdAddClient})
        dialog.RunCommand(command);
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_EQ(MessageTexts(), QStringList(6, "Najpierw dodaj lub wybierz hodowlę."));
}

TEST_F(MainDialogTest, StartShowsTheFirstCategoryOfTheFirstLoftInMembershipOrder) {
    const int north = AddLoft(u"Północ");
    const int young = AddCategory(north, u"Młode");
    AddCategory(north, u"Stare");
    const int south = AddLoft(u"Południe");
    AddCategory(south, u"Rozpłodowe");
    // Membership order, not id or ring order, decides the rows.
    const int b3 = AddBird(young, u"300");
    AddBird(young, u"100", u"Błysk");
    const int b2 = AddBird(young, u"200");
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(young, b3));  // a second row, later
    (void)b2;

    CMainDialog& dialog = Open();
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), (QStringList{"Północ", "Południe"}));
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), (QStringList{"Młode", "Stare"}));
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 0);
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 0);
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(BirdRings(), (QStringList{"PL 0123 24 300", "PL 0123 24 100 [Błysk]",
                                        "PL 0123 24 200", "PL 0123 24 300"}));
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kCategoryCountLabel), "(4)");
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kLoftCountLabel),
              QStringLiteral("(%1)").arg(TheDataStore().Lofts()[0].pigeonCount));
    auto* loftCount = qobject_cast<CTransparentStatic*>(dialog.Item(CMainDialog::kLoftCountLabel));
    auto* rowCount = qobject_cast<CTransparentStatic*>(dialog.Item(CMainDialog::kCategoryCountLabel));
    ASSERT_TRUE(loftCount && rowCount);
    EXPECT_EQ(loftCount->textColor, RGB(105, 146, 229));
    EXPECT_EQ(rowCount->textColor, RGB(255, 255, 255));
    EXPECT_TRUE(loftCount->font().bold());
    // The bird list maps every row to its bird and its membership row.
    const std::vector<CategoryMember> members = TheDataStore().LoadCategoryMembers(young);
    ASSERT_EQ(members.size(), 4u);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(dialog.BirdListPage()->rowPigeonIds.at(row), members[row].pigeonId);
        EXPECT_EQ(dialog.BirdListPage()->rowMembershipIds.at(row), members[row].rowId);
    }
}

TEST_F(MainDialogTest, WithTheSplashPauseTheFilesAreReadDuringThePauseWhichStaysWhole) {
    // Written by a store of its own: the files hold the loft and its birds, this program's
    // memory does not, so only reading the files can show these birds.
    CDataStore writer;
    LoftRecord loft;
    loft.nazwahodowli = u"Północ";
    ASSERT_TRUE(writer.WriteLoft(WriteMode::Insert, loft));
    CategoryRecord category;
    category.id_hodowli = loft.id;
    category.nazwakategorii = u"Młode";
    ASSERT_TRUE(writer.WriteCategory(WriteMode::Insert, category));
    for (const char16_t* ring : {u"100", u"200"}) {
        PigeonRecord bird;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = ring;
        ASSERT_TRUE(writer.WritePigeon(WriteMode::Insert, bird));
        ASSERT_TRUE(writer.AddPigeonToCategory(category.id, bird.id));
    }
    ASSERT_TRUE(TheDataStore().Lofts().empty() && TheDataStore().Pigeons().empty());

    CMainDialog::EnableStartupPause(true);
    QElapsedTimer opening;
    opening.start();
    dialog_ = std::make_unique<CMainDialog>();
    const qint64 constructed = opening.elapsed();
    CMainDialog::EnableStartupPause(false);
    // Read before the window is first shown, that is while the splash was up.
    EXPECT_EQ(TheDataStore().Lofts().size(), 1u);
    EXPECT_EQ(TheDataStore().Pigeons().size(), 2u);
    dialog_->show();
    EXPECT_GE(constructed, 690);  // the splash is seen for as long as before
    EXPECT_EQ(BirdRings(), (QStringList{"PL 0123 24 100", "PL 0123 24 200"}));
    EXPECT_EQ(dialog_->GetDlgItemText(CMainDialog::kCategoryCountLabel), "(2)");
}

// ---- lofts ------------------------------------------------------------------------------------

TEST_F(MainDialogTest, AddedLoftIsWrittenListedAndBecomesTheCurrentOne) {
    AddCategory(AddLoft(u"Pierwszy"), u"Lotne");
    CMainDialog& dialog = Open();
    seams::QueueModalHandler(Enter(u"Gołębnik O'Briena", u"Na strychu; \"stary\""));
    FindMenuAction(dialog.MenuBar(), kCmdAddLoft)->trigger();

    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, 130);
    EXPECT_EQ(seams::ModalRuns()[0].caption, "Dodaj Gołębnik");
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), (QStringList{"Pierwszy", "Gołębnik O'Briena"}));
    // The new loft is chosen, with its (still empty) category list.
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 1);
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_currentCategoryIndex, -1);
    EXPECT_EQ(dialog.CategoryCombo()->GetCount(), 0);
    EXPECT_EQ(BirdList()->GetItemCount(), 0);

    const std::vector<LoftRecord> disk = LoftsOnDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_EQ(disk[1].nazwahodowli, u"Gołębnik O'Briena");
    EXPECT_EQ(disk[1].opishodowli, u"Na strychu; \"stary\"");
    EXPECT_EQ(TheDataStore().Lofts().size(), 2u);
}

// The counts beside the choosers follow the new loft: none of its birds, and no category.
TEST_F(MainDialogTest, AddedLoftShowsItsOwnCountsNotThePreviousLofts) {
    const int loft = AddLoft(u"Pierwszy");
    const int category = AddCategory(loft, u"Lotne");
    AddBird(category, u"555", u"", loft);
    AddBird(category, u"556", u"", loft);
    CMainDialog& dialog = Open();
    ASSERT_EQ(dialog.GetDlgItemText(CMainDialog::kCategoryCountLabel), "(2)");
    ASSERT_EQ(dialog.GetDlgItemText(CMainDialog::kLoftCountLabel), "(2)");

    seams::QueueModalHandler(Enter(u"Drugi gołębnik"));
    dialog.RunCommand(kCmdAddLoft);
    ASSERT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kLoftCountLabel), "(0)");
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kCategoryCountLabel), "");
    EXPECT_EQ(BirdList()->GetItemCount(), 0);
}

TEST_F(MainDialogTest, LoftEditorRefusesShortNamesAndCancelWritesNothing) {
    CMainDialog& dialog = Open();
    // Three letters are refused with the editor left open; four are taken.
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1008, u"Abc");
        editor.RunCommand(IDOK);
        EXPECT_FALSE(editor.HasEnded());
        editor.SetItemText(1008, u"Abcd");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    dialog.AddLoft();
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, "Wprowadź nazwę hodowli");
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, "Błąd");
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), QStringList{"Abcd"});

    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1008, u"Porzucony");
        editor.RunCommand(IDCANCEL);
        return editor.EndCode();
    });
    dialog.AddLoft();
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), QStringList{"Abcd"});
    ASSERT_EQ(LoftsOnDisk().size(), 1u);
    EXPECT_EQ(LoftsOnDisk()[0].nazwahodowli, u"Abcd");
}

TEST_F(MainDialogTest, EditingTheCurrentLoftRenamesItKeepsItChosenAndRefusesATakenName) {
    const int loft = AddLoft(u"Stary gołębnik");
    AddCategory(loft, u"Lotne");
    AddLoft(u"Drugi");
    CMainDialog& dialog = Open();
    // A name another loft has: refused with a word, the editor stays open, nothing changes.
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1008, u"Drugi");
        editor.RunCommand(IDOK);
        EXPECT_FALSE(editor.HasEnded());
        return IDCANCEL;
    });
    dialog.RunCommand(kCmdEditLoft);
    EXPECT_EQ(MessageTexts(), QStringList{"Gołębnik o tej nazwie już istnieje. Wpisz inną nazwę."});
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), (QStringList{"Stary gołębnik", "Drugi"}));

    // Keeping its own name, or taking a new one, is accepted.
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edycja Gołębnika");
        EXPECT_EQ(editor.GetDlgItemText(1008), "Stary gołębnik");
        editor.SetItemText(1008, u"Nowy gołębnik");
        editor.SetItemText(1009, u"opis");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    dialog.RunCommand(kCmdEditLoft);

    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), (QStringList{"Nowy gołębnik", "Drugi"}));
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 0);
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    const std::vector<LoftRecord> disk = LoftsOnDisk();
    EXPECT_EQ(disk[0].nazwahodowli, u"Nowy gołębnik");
    EXPECT_EQ(disk[0].opishodowli, u"opis");

    // The loft's commands go on working on it: a bird goes into its category.
    seams::QueueModalHandler([](Dialog& dialog) {
        auto& editor = static_cast<CDodajGolebia&>(dialog);
        editor.Tab1()->SetItemText(CDodajGolebiaTab1::kRing, u"777");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    dialog.RunCommand(kCmdAddPigeon);
    EXPECT_EQ(BirdList()->GetItemCount(), 1);
    EXPECT_EQ(TheDataStore().LoadCategoryMembers(TheDataStore().Lofts()[0].categories[0].id).size(), 1u);
}

TEST_F(MainDialogTest, DeletingTheOnlyLoftAsksFirstThenEmptiesTheChoosersAndTheFile) {
    const int loft = AddLoft(u"Jedyny");
    const int category = AddCategory(loft, u"Lotne");
    AddBird(category, u"555", u"", loft);
    AddBird(category, u"556", u"", loft);
    CMainDialog& dialog = Open();
    ASSERT_EQ(BirdList()->GetItemCount(), 2);

    // The question names the birds at stake; No (the default) keeps everything.
    dialog.RunCommand(kCmdDeleteLoft);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Czy napewno usunąć wybrany gołębnik \"Jedyny\"?\nGołębi w gołębniku: 2. Razem z "
              "gołębnikiem zostaną usunięte wszystkie jego kategorie.");
    EXPECT_EQ(seams::MessageBoxCalls()[0].flags, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(seams::MessageBoxCalls()[0].answer, IDNO);
    EXPECT_EQ(LoftsOnDisk().size(), 1u);
    EXPECT_EQ(BirdList()->GetItemCount(), 2);

    seams::ScriptMessageBoxAnswers({IDYES});
    dialog.RunCommand(kCmdDeleteLoft);
    EXPECT_EQ(dialog.LoftCombo()->GetCount(), 0);
    EXPECT_EQ(g_currentLoftIndex, -1);
    // Its categories went with it, so they are no longer offered, nor their birds.
    EXPECT_EQ(dialog.CategoryCombo()->GetCount(), 0);
    EXPECT_EQ(g_currentCategoryIndex, -1);
    EXPECT_EQ(BirdList()->GetItemCount(), 0);
    EXPECT_TRUE(TheDataStore().Lofts().empty());
    EXPECT_TRUE(LoftsOnDisk().empty());
    EXPECT_TRUE(TheDataStore().LoadCategoryMembers(category).empty());
    // The birds themselves stay in the file.
    CDataStore fresh;
    fresh.LoadPigeonsDb(-1);
    EXPECT_EQ(fresh.Pigeons().size(), 2u);
}

TEST_F(MainDialogTest, LoftCountFollowsEveryAddDeleteAndLoftChange) {
    const int north = AddLoft(u"Północ");
    const int flying = AddCategory(north, u"Lotne");
    AddCategory(north, u"Młode");
    const int south = AddLoft(u"Południe");
    const int southern = AddCategory(south, u"Stare");
    AddBird(flying, u"1", u"", north);
    AddBird(southern, u"2", u"", south);
    AddBird(southern, u"3", u"", south);
    CMainDialog& dialog = Open();
    auto count = [&] { return dialog.GetDlgItemText(CMainDialog::kLoftCountLabel); };
    EXPECT_EQ(count(), "(1)");

    seams::QueueModalHandler([](Dialog& dialog) {
        auto& editor = static_cast<CDodajGolebia&>(dialog);
        editor.Button(CDodajGolebia::kKeepOpenBox)->click();
        for (const char16_t* ring : {u"501", u"502"}) {
            editor.Tab1()->SetItemText(CDodajGolebiaTab1::kRing, ring);
            editor.RunCommand(IDOK);
        }
        return IDCANCEL;
    });
    dialog.RunCommand(kCmdAddPigeon);
    EXPECT_EQ(count(), "(3)");

    dialog.BirdListPage()->PigeonList()->SelectRow(0);
    g_selectedPigeonRow = 0;
    seams::ScriptMessageBoxAnswers({IDYES});
    dialog.RunCommand(kCmdDeletePigeon);
    EXPECT_EQ(count(), "(2)");

    ChooseLoft(1);
    EXPECT_EQ(count(), "(2)");
    ChooseLoft(0);
    EXPECT_EQ(count(), "(2)");
    // What the file holds says the same.
    CDataStore fresh;
    fresh.LoadLofts();
    EXPECT_EQ(fresh.Lofts()[0].pigeonCount, 2);
}

// ---- categories -------------------------------------------------------------------------------

TEST_F(MainDialogTest, AfterDeletingTheSecondOfThreeCategoriesTheNewSecondShowsTheThirdsBirds) {
    const int loft = AddLoft(u"Gołębnik");
    const int first = AddCategory(loft, u"Pierwsza");
    const int second = AddCategory(loft, u"Druga");
    const int third = AddCategory(loft, u"Trzecia");
    AddBird(first, u"1");
    AddBird(second, u"2");
    AddBird(third, u"3");
    AddBird(third, u"33");
    CMainDialog& dialog = Open();

    ChooseCategory(1);
    EXPECT_EQ(BirdRings(), QStringList{"PL 0123 24 2"});
    g_selectedPigeonRow = 0;
    dialog.RunCommand(kCmdDeleteCategory);  // answered No: nothing happens
    EXPECT_EQ(MessageTexts(), QStringList{"Czy napewno usunąć wybraną kategorię \"Druga\"?\n"
                                          "Gołębi w kategorii: 1. Gołębie zostaną w hodowli, ale "
                                          "znikną z tej listy."});
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()).size(), 3);
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kCategoryCountLabel), "(1)");
    seams::ScriptMessageBoxAnswers({IDYES});
    dialog.RunCommand(kCmdDeleteCategory);
    EXPECT_EQ(dialog.GetDlgItemText(CMainDialog::kCategoryCountLabel), "");
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), (QStringList{"Pierwsza", "Trzecia"}));
    EXPECT_EQ(g_currentCategoryIndex, -1);
    EXPECT_EQ(g_selectedPigeonRow, -1);
    EXPECT_EQ(BirdList()->GetItemCount(), 0);

    ChooseCategory(1);
    EXPECT_EQ(g_currentCategoryIndex, 1);
    EXPECT_EQ(BirdRings(), (QStringList{"PL 0123 24 3", "PL 0123 24 33"}));

    // The file lost the category and its membership rows, nothing else.
    const std::vector<LoftRecord> disk = LoftsOnDisk();
    ASSERT_EQ(disk[0].categories.size(), 2u);
    EXPECT_EQ(disk[0].categories[0].id, first);
    EXPECT_EQ(disk[0].categories[1].id, third);
    EXPECT_TRUE(TheDataStore().LoadCategoryMembers(second).empty());
    EXPECT_EQ(TheDataStore().LoadCategoryMembers(third).size(), 2u);
}

TEST_F(MainDialogTest, AddedCategoryIsWrittenForTheCurrentLoftAndCanBeShown) {
    AddLoft(u"Pierwszy");
    const int second = AddLoft(u"Drugi");
    CMainDialog& dialog = Open();
    ChooseLoft(1);
    EXPECT_EQ(g_currentCategoryIndex, -1);

    seams::QueueModalHandler(Enter(u"Młode 2025", u"z wiosny"));
    dialog.RunCommand(kCmdAddCategory);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, 215);
    EXPECT_EQ(seams::ModalRuns()[0].caption, "Dodaj nową kategorię");
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), QStringList{"Młode 2025"});
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    ASSERT_EQ(TheDataStore().Lofts()[1].categories.size(), 1u);

    const std::vector<LoftRecord> disk = LoftsOnDisk();
    EXPECT_TRUE(disk[0].categories.empty());
    ASSERT_EQ(disk[1].categories.size(), 1u);
    EXPECT_EQ(disk[1].categories[0].nazwakategorii, u"Młode 2025");
    EXPECT_EQ(disk[1].categories[0].opiskategorii, u"z wiosny");
    EXPECT_EQ(disk[1].categories[0].id_hodowli, second);

    AddBird(disk[1].categories[0].id, u"77");
    ChooseCategory(0);
    EXPECT_EQ(BirdRings(), QStringList{"PL 0123 24 77"});
}

TEST_F(MainDialogTest, EditedCategoryKeepsItsNewNameAcrossLoftChanges) {
    const int north = AddLoft(u"Północ");
    AddCategory(north, u"Stara nazwa");
    AddCategory(north, u"Inna");
    AddCategory(AddLoft(u"Południe"), u"Rozpłodowe");
    CMainDialog& dialog = Open();
    ChooseCategory(0);

    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edytuj kategorię");
        EXPECT_EQ(editor.GetDlgItemText(1010), "Nazwa kategorii");
        EXPECT_EQ(editor.GetDlgItemText(1015), "Opis hodowli");
        editor.SetItemText(1008, u"Nowa nazwa");
        editor.SetItemText(1009, u"opis kategorii");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    dialog.RunCommand(kCmdEditCategory);
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), (QStringList{"Nowa nazwa", "Inna"}));
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 0);

    ChooseLoft(1);
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), QStringList{"Rozpłodowe"});
    ChooseLoft(0);
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), (QStringList{"Nowa nazwa", "Inna"}));

    const CategoryRecord stored = LoftsOnDisk()[0].categories[0];
    EXPECT_EQ(stored.nazwakategorii, u"Nowa nazwa");
    EXPECT_EQ(stored.opiskategorii, u"opis kategorii");
    EXPECT_EQ(stored.id_hodowli, north);
}

TEST_F(MainDialogTest, ChoosingAnotherLoftForgetsTheBirdsAndNotesOfThePreviousOne) {
    const int north = AddLoft(u"Północ");
    AddBird(AddCategory(north, u"Lotne"), u"10");
    const int south = AddLoft(u"Południe");  // no categories
    for (auto [loft, name] : {std::pair{north, u"Karmienie"}, std::pair{south, u"Szczepienia"},
                              std::pair{south, u"Wystawa"}}) {
        NoteRecord note;
        note.id_hodowli = loft;
        note.nazwa = name;
        ASSERT_TRUE(TheDataStore().WriteNote(WriteMode::Insert, note));
    }
    CMainDialog& dialog = Open();
    ListView* notes = dialog.NotebookPage()->NoteList();
    EXPECT_EQ(ListColumn(notes, 0), QStringList{"Karmienie"});
    ASSERT_EQ(BirdList()->GetItemCount(), 1);
    g_selectedPigeonRow = 0;

    ChooseLoft(1);
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_currentCategoryIndex, -1);
    EXPECT_EQ(dialog.CategoryCombo()->GetCount(), 0);
    // No row is left selected that a bird command could act on.
    EXPECT_EQ(BirdList()->GetItemCount(), 0);
    EXPECT_EQ(g_selectedPigeonRow, -1);
    EXPECT_TRUE(dialog.BirdListPage()->rowPigeonIds.empty());
    // The note list shows the notes now loaded, item for item.
    EXPECT_EQ(ListColumn(notes, 0), (QStringList{"Szczepienia", "Wystawa"}));
    ASSERT_EQ(TheDataStore().Notes().size(), 2u);
    EXPECT_EQ(TheDataStore().Notes()[1].nazwa, u"Wystawa");
}

// Another program holding a database file: the start offers to try again or to end, naming the
// file; later loads say which file is busy and keep what the window shows.
TEST_F(MainDialogTest, AFileAnotherProgramHoldsIsNamedAndNothingIsEmptied) {
    const int north = AddLoft(u"Północ");
    AddBird(AddCategory(north, u"Lotne"), u"10");
    AddLoft(u"Południe");
    const QString birds = QString::fromStdU16String(PigeonsDbPath());
    const QString extra = QString::fromStdU16String(ExtraDbPath());
    {
        SqlDatabase holder(PigeonsDbPath());
        ASSERT_TRUE(holder.Exec(u"BEGIN EXCLUSIVE;"));
        seams::ScriptMessageBoxAnswers({IDYES, IDNO});
        CMainDialog& dialog = Open();
        EXPECT_TRUE(dialog.HasEnded());
        EXPECT_EQ(dialog.EndCode(), IDCANCEL);
        ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
        for (const auto& call : seams::MessageBoxCalls()) {
            EXPECT_TRUE(call.text.contains(birds)) << call.text.toStdString();
            EXPECT_TRUE(call.text.contains(QStringLiteral("Spróbować ponownie?")));
            // Enter tries again: "Nie" ends the program.
            EXPECT_EQ(call.flags, MB_YESNO | MB_ICONWARNING);
        }
        dialog_.reset();
    }
    seams::Reset();

    CMainDialog& dialog = Open();
    EXPECT_FALSE(dialog.HasEnded());
    ASSERT_EQ(BirdList()->GetItemCount(), 1);
    SqlDatabase holder(ExtraDbPath());
    ASSERT_TRUE(holder.Exec(u"BEGIN EXCLUSIVE;"));
    ChooseLoft(1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains(extra));
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(TheDataStore().Pigeons().size(), 1u);
}

TEST_F(MainDialogTest, SeasonChoosersFollowTheSeasonsLoadedWithTheLoft) {
    AddLoft(u"Północ");
    AddLoft(u"Południe");
    CMainDialog& dialog = Open();
    SeasonRecord older, newer;
    older.Nazwa = u"Sezon 2023";
    older.DATA_B = 1672617661;  // 2023-01-02
    newer.Nazwa = u"Sezon 2024";
    newer.DATA_B = 1704153661;  // 2024-01-02
    ASSERT_TRUE(TheDataStore().AddBreedingSeason(older));
    ASSERT_TRUE(TheDataStore().AddBreedingSeason(newer));
    SeasonRecord flight;
    flight.Nazwa = u"Lotowy 2024";
    ASSERT_TRUE(TheDataStore().AddFlightSeason(flight));

    ChooseLoft(1);
    // Entry k stands for season k-1 of the loaded vector (breeding seasons newest first).
    EXPECT_EQ(ComboTexts(dialog.PairingPage()->SeasonCombo()),
              (QStringList{"Wszystkie Pary", "Sezon 2024", "Sezon 2023"}));
    EXPECT_EQ(dialog.PairingPage()->SeasonCombo()->GetCurSel(), 0);
    EXPECT_EQ(ComboTexts(dialog.FlightsPage()->SeasonCombo()),
              (QStringList{"Wszystkie sezony", "Lotowy 2024"}));
    EXPECT_EQ(dialog.FlightsPage()->SeasonCombo()->GetCurSel(), 0);
}

TEST_F(MainDialogTest, SelectLoftAndCategoryShowsThatCategory) {
    AddBird(AddCategory(AddLoft(u"Północ"), u"A"), u"1");
    const int south = AddLoft(u"Południe");
    AddBird(AddCategory(south, u"B"), u"2");
    AddBird(AddCategory(south, u"C"), u"3");
    CMainDialog& dialog = Open();
    dialog.SelectLoftAndCategory(1, 1);
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_currentCategoryIndex, 1);
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 1);
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 1);
    EXPECT_EQ(BirdRings(), QStringList{"PL 0123 24 3"});
}

TEST_F(MainDialogTest, AfterLoftsWereManagedElsewhereTheChoosersAreFilledFromTheFile) {
    AddCategory(AddLoft(u"Stary"), u"Lotne");
    CMainDialog& dialog = Open();
    ChooseCategory(0);
    // Another window rewrites the lofts in the file.
    CDataStore other;
    other.LoadLofts();
    LoftRecord gone = other.Lofts()[0];
    ASSERT_TRUE(other.WriteLoft(WriteMode::Delete, gone));
    LoftRecord added;
    added.nazwahodowli = u"Nowy";
    ASSERT_TRUE(other.WriteLoft(WriteMode::Insert, added));
    CategoryRecord category;
    category.id_hodowli = added.id;
    category.nazwakategorii = u"Młode";
    ASSERT_TRUE(other.WriteCategory(WriteMode::Insert, category));
    AddBird(category.id, u"9");

    dialog.ReloadLoftsAndCategories();
    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), QStringList{"Nowy"});
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), QStringList{"Młode"});
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(BirdRings(), QStringList{"PL 0123 24 9"});
}

// ---- menu -------------------------------------------------------------------------------------

// "Kalkulator liczbowy" on a machine without a calculator, or whose calculator does not start,
// and the web pages on a desktop that opens no address: each says what could not be started.
TEST_F(MainDialogTest, TheCalculatorAndTheWebPagesSayWhenTheyCannotBeStarted) {
    QTemporaryDir empty, bin;
    QFile calculator(bin.filePath("xcalc"));
    ASSERT_TRUE(calculator.open(QIODevice::WriteOnly));
    calculator.write("#!/bin/sh\n");
    calculator.close();
    calculator.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    CMainDialog& dialog = Open();
    seams::FailLaunches(true);
    qputenv("PATH", QFile::encodeName(empty.path()));
    FindMenuAction(dialog.MenuBar(), kCmdCalculator)->trigger();
    qputenv("PATH", QFile::encodeName(bin.path()));
    FindMenuAction(dialog.MenuBar(), kCmdCalculator)->trigger();
    qputenv("PATH", path);
    FindMenuAction(dialog.MenuBar(), kCmdVisitWebPage)->trigger();
    FindMenuAction(dialog.MenuBar(), kCmdLoftWebSite)->trigger();
    const QString page = QString::fromUtf8(
        "Nie udało się otworzyć strony internetowej:\n%1\n"
        "Sprawdź, czy w systemie jest ustawiona przeglądarka internetowa.");
    EXPECT_EQ(MessageTexts(),
              (QStringList{QString::fromUtf8("Nie można uruchomić kalkulatora: w systemie nie ma "
                                             "żadnego z programów gnome-calculator, kcalc, "
                                             "mate-calc, galculator, xcalc."),
                           QString::fromUtf8("Nie udało się uruchomić kalkulatora:\n") +
                               bin.filePath("xcalc"),
                           page.arg(web::kProgramWebPage), page.arg(web::kLoftWebSitePage)}));
}

TEST_F(MainDialogTest, EveryMenuCommandIsBoundAndTheShellCommandsWork) {
    // A calculator on PATH that the seam records instead of starting.
    QTemporaryDir bin;
    QFile calculator(bin.filePath("xcalc"));
    ASSERT_TRUE(calculator.open(QIODevice::WriteOnly));
    calculator.write("#!/bin/sh\n");
    calculator.close();
    calculator.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));

    CMainDialog& dialog = Open();
    for (int id : MenuCommandIds(MainMenu())) {
        if (id == kCmdExit) continue;
        QAction* action = FindMenuAction(dialog.MenuBar(), id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(action->isEnabled()) << id;
        EXPECT_TRUE(dialog.Fire(id, Notification::Clicked)) << id;
    }
    qputenv("PATH", path);
    EXPECT_FALSE(dialog.HasEnded());

    ASSERT_EQ(seams::StartedPrograms().size(), 1u);
    EXPECT_TRUE(seams::StartedPrograms()[0].endsWith("xcalc"));
    EXPECT_EQ(seams::OpenedDocuments(),
              (std::vector<QString>{"https://www.ornivex.example/",
                                    "https://www.ornivex.example/index.php?id="}));
    // With no loft or category, the commands that need them explain themselves or do nothing.
    QStringList texts;
    for (const seams::MessageBoxCall& call : seams::MessageBoxCalls()) {
        texts << call.text;
        EXPECT_EQ(call.caption, call.text.startsWith("You must") ? "Error" : ApplicationName());
    }
    EXPECT_TRUE(texts.contains("Musisz wybrać kategorię z listy"));
    EXPECT_TRUE(texts.contains("Nie można dodać gołębia do listy nie wybierając kategorii"));
    EXPECT_TRUE(texts.contains("You must select category from list of categories"));
    EXPECT_TRUE(texts.contains("Musisz wybrać transakcję na liście transakcji"));
    EXPECT_TRUE(texts.contains("Musisz wybrać transakcję do usunięcia z listy transakcji"));
    // The windows that need no loft opened: the loft editor, the loft manager, both person
    // registers and the dictionaries; the client editor needs a loft and stayed shut.
    std::set<int> opened;
    for (const seams::ModalRun& run : seams::ModalRuns()) opened.insert(run.templateId);
    for (int id : {130, 154, 138, 136, 134, 140}) EXPECT_TRUE(opened.count(id)) << id;
    EXPECT_FALSE(opened.count(137));
}

// On a fresh install every menu command, every link of the start, bird list, pairing and flights
// pages and the notebook's "Nowa notatka" either opens its window (or a file chooser, a program, a page) or says what it needs;
// none does nothing without a word. After the first loft and its first category are added,
// both are chosen and the commands that needed them open their windows.
TEST_F(MainDialogTest, OnAnEmptyInstallEveryCommandAndPageLinkOpensItsWindowOrSaysWhy) {
    QTemporaryDir bin;  // a calculator the seam records instead of starting
    QFile calculator(bin.filePath("xcalc"));
    ASSERT_TRUE(calculator.open(QIODevice::WriteOnly));
    calculator.write("#!/bin/sh\n");
    calculator.close();
    calculator.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    CMainDialog& dialog = Open();
    auto events = [] {
        return seams::ModalRuns().size() + seams::MessageBoxCalls().size() +
               seams::ChooserCalls().size() + seams::OpenedDocuments().size() +
               seams::StartedPrograms().size();
    };
    // Items that have never had anything behind them.
    const std::set<int> empty = {kCmdShowFamilyTree,   kCmdPrintPigeonSummary, kCmdMonthlyReport,
                                 kCmdPrintPedigree,    kCmdPrintOffspring,     kCmdPrintSiblings,
                                 kCmdPrintFlightResults};
    QStringList silent;
    for (int id : MenuCommandIds(MainMenu())) {
        if (id == kCmdExit || empty.count(id)) continue;
        const size_t before = events();
        dialog.RunCommand(id);
        if (events() == before) silent << FindMenuAction(dialog.MenuBar(), id)->text();
    }
    qputenv("PATH", path);
    auto clickLinks = [&](const QString& page, int count, const std::function<void(int)>& click) {
        for (int link = 0; link < count; ++link) {
            const size_t before = events();
            click(link);
            if (events() == before) silent << page + QString::number(link);
        }
    };
    CZakladkaListaPsow* birds = dialog.BirdListPage();
    const auto& birdLinks = CZakladkaListaPsow::Links();
    clickLinks("bird list ", static_cast<int>(birdLinks.size()), [&](int link) {
        birdLinks[static_cast<size_t>(link)].run(*birds);
    });
    CZakladkaEdycjaPtaka* pairing = dialog.PairingPage();
    clickLinks("pairing ", CZakladkaEdycjaPtaka::kLinkCount, [&](int link) {
        pairing->OnPageClick(pairing->LinkRect(link).ToQRect().center());
    });
    CZakladkaLotyGolebi* flights = dialog.FlightsPage();
    // "Drukuj Lot" is painted only: it has never had a printout behind it.
    clickLinks("flights ", CZakladkaLotyGolebi::kLinkCount - 1, [&](int link) {
        if (link >= CZakladkaLotyGolebi::kLinkPrintFlight) ++link;
        flights->OnPageClick(flights->LinkRect(link).ToQRect().center());
    });
    CZakladkaStartowa* start = dialog.StartPage();
    clickLinks("start ", CZakladkaStartowa::kLinkCount, [&](int link) {
        start->OnLinkClick(start->LinkRect(link).ToQRect().center());
    });
    CZakladkaNotatnik* notebook = dialog.NotebookPage();
    auto newNote = [notebook] { notebook->Fire(CZakladkaNotatnik::kNewNote, Notification::Clicked); };
    clickLinks("notebook ", 1, [&](int) { newNote(); });
    EXPECT_EQ(silent, QStringList());
    // A client and a note belong to a loft: the start page and the notebook say so as the
    // menu's "Dodaj klienta" does.
    for (const auto& [name, run] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"start page client", [start] { start->RunLink(CZakladkaStartowa::kAddClient); }},
             {"start page note", [start] { start->RunLink(CZakladkaStartowa::kNewNote); }},
             {"notebook note", newNote},
             {"menu client", [&dialog] { dialog.RunCommand(kCmdAddClient); }}}) {
        const size_t before = seams::MessageBoxCalls().size();
        run();
        ASSERT_EQ(seams::MessageBoxCalls().size(), before + 1) << name;
        EXPECT_EQ(MessageTexts().last(), "Najpierw dodaj lub wybierz hodowlę.") << name;
    }
    const QStringList texts = MessageTexts();
    EXPECT_GE(texts.count("Najpierw dodaj lub wybierz hodowlę."), 12);
    EXPECT_TRUE(texts.contains("Wybierz ptaka z listy"));
    EXPECT_TRUE(texts.contains("Musisz wybrać parę z listy par"));
    EXPECT_TRUE(texts.contains("Musisz wybrać parę do której chcesz dodać młodego"));
    // Nothing was written on the way.
    EXPECT_TRUE(LoftsOnDisk().empty());

    // The first loft and its first category: both chosen, and the pair and flight editors open.
    seams::Reset();
    seams::QueueModalHandler(Enter(u"Gołębnik"));
    dialog.RunCommand(kCmdAddLoft);
    seams::QueueModalHandler(Enter(u"Lotne"));
    dialog.RunCommand(kCmdAddCategory);
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 0);
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 0);
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    for (int id : {kCmdAddPair, kCmdAddFlight, kCmdAddTransaction, kCmdAddClient, kCmdAddPigeon})
        dialog.RunCommand(id);
    start->RunLink(CZakladkaStartowa::kAddClient);
    start->RunLink(CZakladkaStartowa::kNewNote);
    EXPECT_EQ(MessageTexts(), QStringList());
    std::vector<int> opened;
    for (const seams::ModalRun& run : seams::ModalRuns()) opened.push_back(run.templateId);
    ASSERT_EQ(opened.size(), 9u);  // loft and category editors, then the seven windows
}

TEST_F(MainDialogTest, TheCloseBoxEndsTheWindow) {
    CMainDialog& dialog = Open();
    dialog.close();
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.EndCode(), IDCANCEL);
}

// ---- the application --------------------------------------------------------------------------

TEST_F(MainDialogTest, ApplicationRefusesToRunBesideAnotherCopy) {
    SingleInstance other;
    ASSERT_TRUE(other.TryAcquire());
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 0);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Nie można uruchomić jednocześnie dwóch kopii programu");
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, "Błąd uruchomienia");
    EXPECT_TRUE(seams::ModalRuns().empty());  // no main window

    other.Release();
    CMainApp alone;
    EXPECT_EQ(alone.InitInstance(), 0);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CMainDialog::kTemplateId);
    // The splash went up with the main window (its timer had no chance to run here).
    ASSERT_NE(CStartupSplash::Current(), nullptr);
    delete CStartupSplash::Current();
}

TEST_F(MainDialogTest, ApplicationNamesTheMachineWhoseCopyHoldsTheData) {
    // The install folder is shared over the network and a copy on another machine holds it: its
    // process cannot be seen from here, so the lock stays until the user removes it.
    const QString lockPath = QString::fromStdU16String(DbFolder()) + "/ornivex6.lock";
    {
        SingleInstance model(folder_.filePath("wzor"), "ornivex6.lock");
        ASSERT_TRUE(model.TryAcquire());
        QFile file(model.LockPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        ASSERT_GE(lines.size(), 3);
        lines[2] = "gołębnik-strych";
        QFile lock(lockPath);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(lines.join('\n'));
    }
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 0);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_TRUE(text.startsWith("Nie można uruchomić jednocześnie dwóch kopii programu"));
    EXPECT_TRUE(text.contains("na komputerze gołębnik-strych (plik " + lockPath + ")"))
        << text.toStdString();
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_TRUE(QFile::exists(lockPath));
}

TEST_F(MainDialogTest, ApplicationWorksOnTheInstallFolderReadAtStart) {
    // The setting names another folder while the program runs: the program stays where it
    // started and took its lock.
    const QString started = QString::fromStdU16String(GetInstallPath());
    QString dbFolderDuringRun;
    seams::QueueModalHandler([&](Dialog&) {
        settings::SetInstallPath(folder_.filePath("gdzie-indziej"));
        dbFolderDuringRun = QString::fromStdU16String(DbFolder());
        return IDCANCEL;
    });
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_EQ(dbFolderDuringRun, started + "/db");
}

TEST_F(MainDialogTest, ApplicationPutsBackTheDatabaseARestoreCutShortLeft) {
    const QString db = QString::fromStdU16String(DbFolder());
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // A restore was cut short after the first file was in: pigeons.db is the backup's, and
    // dodatkowe_informacje.db was not there before it.
    const QByteArray before = read(db + "/pigeons.db");
    ASSERT_TRUE(QFile::copy(db + "/pigeons.db", db + "/pigeons.db.oxrestore-keep"));
    {
        SqlDatabase restored(PigeonsDbPath());
        ASSERT_TRUE(restored.Exec(u"INSERT INTO pigeons(nr_obraczki) VALUES ('z kopii');"));
        QFile marker(db + "/oxrestore-unfinished");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write("pigeons.db kept\ndodatkowe_informacje.db absent\n");
    }
    {
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 0);
    }
    ASSERT_FALSE(seams::MessageBoxCalls().empty());
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Wczytywanie kopii bazy danych zostało przerwane, zanim się zakończyło. Baza danych "
              "jest taka, jak przed wczytywaniem kopii.");
    EXPECT_EQ(read(db + "/pigeons.db"), before);
    EXPECT_EQ(seams::ModalRuns().size(), 1u);  // and the program runs
    EXPECT_TRUE(QDir(db).entryList({"*oxrestore*"}, QDir::Files).isEmpty());

    // The kept copy is gone (it cannot be put back): the program does not run on the mix, and
    // the marker stays for the next start.
    seams::Reset();
    {
        QFile marker(db + "/oxrestore-unfinished");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write("pigeons.db kept\ndodatkowe_informacje.db kept\n");
    }
    CMainApp next;
    EXPECT_EQ(next.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_TRUE(text.contains("Pliku " + db + "/pigeons.db nie dało się przywrócić"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("brakuje jego kopii " + db + "/pigeons.db.oxrestore-keep"))
        << text.toStdString();
    // What to do, with the marker named: writing to the folder cannot bring the copy back.
    EXPECT_TRUE(text.contains("usuń plik " + db + "/oxrestore-unfinished")) << text.toStdString();
    EXPECT_FALSE(text.contains("można zapisać")) << text.toStdString();
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_TRUE(QFile::exists(db + "/oxrestore-unfinished"));
}

TEST_F(MainDialogTest, ApplicationSaysAtEveryStartThatABackupsFoldersAreStillToCome) {
    const QString db = QString::fromStdU16String(DbFolder());
    {
        QFile note(db + "/oxrestore-folders");
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("folders pending");
    }
    for (int start = 0; start < 2; ++start) {
        seams::Reset();
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 0);
        ASSERT_FALSE(seams::MessageBoxCalls().empty());
        EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains(
            "przed wczytaniem wszystkich zdjęć, dokumentów i notatek z kopii"));
        EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains("Wczytaj tę kopię bazy danych ponownie"));
        EXPECT_EQ(seams::ModalRuns().size(), 1u);  // the program runs on the database it has
        delete CStartupSplash::Current();
    }
}

TEST_F(MainDialogTest, ApplicationOnADataFolderThatCannotBeWrittenSaysSoAndNamesARestoresFiles) {
    const QString db = QString::fromStdU16String(DbFolder());
    ASSERT_TRUE(QFile::copy(db + "/pigeons.db", db + "/pigeons.db.oxrestore-keep"));
    {
        QFile marker(db + "/oxrestore-unfinished");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write("pigeons.db kept\ndodatkowe_informacje.db absent\n");
    }
    // Immutable: not even root writes to it, as on a disk mounted read-only.
    const QByteArray folder = QFile::encodeName(db);
    if (std::system(("chattr +i '" + folder + "' 2>/dev/null").constData()) != 0) {
        GTEST_SKIP() << "chattr +i is not available on this file system";
    }
    struct Unlock {
        QByteArray folder;
        ~Unlock() { std::system(("chattr -i '" + folder + "'").constData()); }
    } unlock{folder};
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_FALSE(text.contains("dwóch kopii")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("Folderu danych " + db + " nie można zapisać")) << text.toStdString();
    EXPECT_TRUE(text.contains("plik " + db + "/oxrestore-unfinished")) << text.toStdString();
    // The copies are listed, and the marker is not taken for one of them.
    EXPECT_TRUE(text.contains("Kopie plików bazy danych sprzed wczytywania: " + db +
                              "/pigeons.db.oxrestore-keep."))
        << text.toStdString();
    EXPECT_TRUE(seams::ModalRuns().empty());
}

// ---- the start after a restore that never finished ----------------------------------------------

// A restore cut short after pigeons.db was in: its kept copy of before and the marker lie in
// the db folder. `foldersBefore` also puts the note of an earlier restore's folders there.
struct CutRestore {
    QString db = QString::fromStdU16String(DbFolder());
    QString marker = db + "/oxrestore-unfinished";
    QString keep = db + "/pigeons.db.oxrestore-keep";
    QByteArray before;

    explicit CutRestore(bool foldersBefore = false) {
        before = Read(db + "/pigeons.db");
        EXPECT_TRUE(QFile::copy(db + "/pigeons.db", keep));
        SqlDatabase restored(PigeonsDbPath());
        EXPECT_TRUE(restored.Exec(u"INSERT INTO pigeons(nr_obraczki) VALUES ('z kopii');"));
        Write(marker, QByteArray("pigeons.db kept\ndodatkowe_informacje.db kept\n") +
                          (foldersBefore ? "folders pending\n" : ""));
        EXPECT_TRUE(QFile::copy(db + "/dodatkowe_informacje.db",
                                db + "/dodatkowe_informacje.db.oxrestore-keep"));
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

TEST_F(MainDialogTest, ApplicationKeepsTheMarkerWhileItsMessageIsOnScreen) {
    const CutRestore cut;
    // A start cut short while the message is up must find the marker and tell again.
    QList<bool> markerDuringMessage;
    seams::WatchMessageBoxes([&](const QString&) { markerDuringMessage << QFile::exists(cut.marker); });
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_EQ(markerDuringMessage, QList<bool>{true});
    EXPECT_EQ(CutRestore::Read(cut.db + "/pigeons.db"), cut.before);
    EXPECT_FALSE(QFile::exists(cut.marker));
    delete CStartupSplash::Current();
}

TEST_F(MainDialogTest, ApplicationWhoseMarkerCannotBeRemovedAfterItsMessageEnds) {
    const CutRestore cut;
    // Going on, the next start would put the files of before back over what is entered now.
    seams::FailFileCopies([&](const QString& path) { return path == cut.marker; });
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    EXPECT_TRUE(seams::MessageBoxCalls()[1].text.startsWith("Pliku " + cut.marker +
                                                            " nie dało się usunąć"))
        << seams::MessageBoxCalls()[1].text.toStdString();
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_TRUE(QFile::exists(cut.marker));
    EXPECT_EQ(CutRestore::Read(cut.db + "/pigeons.db"), cut.before);
}

TEST_F(MainDialogTest, ApplicationCallsAFullDiskFull) {
    const CutRestore cut;
    seams::FailFileCopies([&](const QString& path) { return path == cut.keep; });
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_TRUE(text.contains("Pliku " + cut.db + "/pigeons.db nie dało się przywrócić do stanu "
                              "sprzed wczytywania (na dysku zabrakło miejsca)"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("Zwolnij miejsce na dysku i uruchom program ponownie."))
        << text.toStdString();
    EXPECT_TRUE(QFile::exists(cut.marker));
    EXPECT_TRUE(QFile::exists(cut.keep));
}

// What the folders' note says shapes the start's message: the backup meant, by its folder, what
// was cut short, and making room first when that is what stopped the copy.
TEST_F(MainDialogTest, ApplicationSaysWhatOfWhichBackupIsStillToComeAndWhatToDoFirst) {
    const QString db = QString::fromStdU16String(DbFolder());
    const QString from = "folders pending\nfrom /media/pendrive/OXKopiaDanych\n";
    struct Case {
        const char* what;
        bool restoreUndone;
        QString note;
        QStringList says;
        QStringList never;
    };
    const std::vector<Case> cases = {
        {"beside a restore that was undone", true, from,
         {"Baza danych jest taka, jak przed wczytywaniem kopii.\n\nWcześniejsze wczytywanie kopii "
          "bazy danych z folderu /media/pendrive/OXKopiaDanych zostało przerwane po wczytaniu",
          "Wczytaj kopię bazy danych z folderu /media/pendrive/OXKopiaDanych ponownie, aby "
          "dokończyć wczytywanie."},
         {"tę kopię"}},
        {"the folders alone", false, from + "database kept\n",
         {"Wczytywanie zdjęć, dokumentów i notatek z kopii bazy danych z folderu "
          "/media/pendrive/OXKopiaDanych (bez plików bazy danych, które pozostały bez zmian) "
          "zostało przerwane"},
         {"po wczytaniu bazy danych"}},
        {"a disk that was full", false, from + "full " + db + "/images\n",
         {"Na dysku zabrakło miejsca na pliki w folderze " + db + "/images. Zwolnij miejsce na "
          "dysku, a potem wczytaj kopię bazy danych z folderu /media/pendrive/OXKopiaDanych "
          "ponownie, aby dokończyć wczytywanie."},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seams::Reset();
        std::unique_ptr<CutRestore> cut;
        if (c.restoreUndone) cut = std::make_unique<CutRestore>(true);
        CutRestore::Write(db + "/oxrestore-folders", c.note.toUtf8());
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 0);
        delete CStartupSplash::Current();
        ASSERT_FALSE(seams::MessageBoxCalls().empty());
        const QString text = seams::MessageBoxCalls()[0].text;
        for (const QString& part : c.says) EXPECT_TRUE(text.contains(part)) << text.toStdString();
        for (const QString& part : c.never) EXPECT_FALSE(text.contains(part)) << text.toStdString();
        EXPECT_TRUE(QFile::exists(db + "/oxrestore-folders"));
    }
}

TEST_F(MainDialogTest, ApplicationRemovesWhatACopyCutShortLeftInTheFolders) {
    const QString db = QString::fromStdU16String(DbFolder());
    CutRestore::Write(db + "/images/1.png", "png");
    CutRestore::Write(db + "/images/2.png.oxcopy-part", "pół");
    CutRestore::Write(db + "/notes/3.html.oxcopy-part", "pół");
    // Without the folders' note a start leaves the folders alone.
    {
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 0);
        delete CStartupSplash::Current();
    }
    EXPECT_TRUE(QFile::exists(db + "/images/2.png.oxcopy-part"));
    CutRestore::Write(db + "/oxrestore-folders", "folders pending\n");
    {
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 0);
        delete CStartupSplash::Current();
    }
    EXPECT_FALSE(QFile::exists(db + "/images/2.png.oxcopy-part"));
    EXPECT_FALSE(QFile::exists(db + "/notes/3.html.oxcopy-part"));
    EXPECT_EQ(CutRestore::Read(db + "/images/1.png"), "png");
}

TEST_F(MainDialogTest, ApplicationOnAnUnwritableFolderWithACrashedCopysLockSaysItCannotBeWritten) {
    const QString db = QString::fromStdU16String(DbFolder());
    // The lock of a copy that is gone: a process that ended.
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    CutRestore::Write(db + "/ornivex6.lock", QByteArray::number(gone) + "\nornivex6\n" +
                                                 QSysInfo::machineHostName().toUtf8() + "\n");
    const QByteArray folder = QFile::encodeName(db);
    if (std::system(("chattr +i '" + folder + "' 2>/dev/null").constData()) != 0) {
        GTEST_SKIP() << "chattr +i is not available on this file system";
    }
    struct Unlock {
        QByteArray folder;
        ~Unlock() { std::system(("chattr -i '" + folder + "'").constData()); }
    } unlock{folder};
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_TRUE(text.startsWith("Folderu danych " + db + " nie można zapisać")) << text.toStdString();
    EXPECT_FALSE(text.contains("dwóch kopii")) << text.toStdString();
}

// ---- a start on a full disk --------------------------------------------------------------------

// Fills the disk `folder` lies on to the last byte.
void FillDisk(const QString& folder) {
    QFile fill(folder + "/wypelnienie.bin");
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly | QIODevice::Append));
    const QByteArray block(4096, 'x');
    while (fill.write(block) == block.size() && fill.flush()) {
    }
}

// The room told is the room there was: the start's own words in its lock file take a page, and
// go when it ends.
TEST_F(MainDialogTest, ApplicationOnAFullDiskSaysTheDiskIsFullAndHowMuchRoomItNeeds) {
    const QString db = QString::fromStdU16String(DbFolder());
    SmallDisk disk(ToFsPath(DbFolder()), 8 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
    const std::vector<std::pair<qint64, QString>> cases = {
        {0, "0 B"}, {4096, "4 KB"}, {512 << 10, "512 KB"}};
    for (const auto& [room, told] : cases) {
        SCOPED_TRACE(told.toStdString());
        seams::Reset();
        FillDisk(db);
        QFile fill(db + "/wypelnienie.bin");
        ASSERT_TRUE(fill.resize(fill.size() - room));
        ASSERT_EQ(disk.Free(), static_cast<unsigned long long>(room));
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 1);
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
        const QString text = seams::MessageBoxCalls()[0].text;
        EXPECT_EQ(text, "Na dysku z folderem danych " + db + " zabrakło miejsca, więc nie można "
                        "uruchomić programu. Na dysku zostało " + told + " wolnego miejsca, a do "
                        "uruchomienia programu potrzeba co najmniej 1 MB. Zwolnij miejsce na "
                        "dysku i uruchom program ponownie.");
        EXPECT_TRUE(seams::ModalRuns().empty());
    }
}

// A disk with room in bytes but none for one more file: the first change would fail, since
// SQLite makes a journal beside a database file when it writes. The start says the disk is
// full, whether the lock file of the last run lies there or must be made.
TEST_F(MainDialogTest, ApplicationOnADiskThatTakesNoNewFileSaysTheDiskIsFull) {
    const QString db = QString::fromStdU16String(DbFolder());
    const QString lock = db + "/ornivex6.lock";
    for (const bool lockThere : {true, false}) {
        SCOPED_TRACE(lockThere ? "the lock file of the last run" : "no lock file");
        seams::Reset();
        if (lockThere) {
            CutRestore::Write(lock, {});
        } else {
            QFile::remove(lock);
        }
        SmallDisk disk(ToFsPath(DbFolder()), 8 << 20);
        if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
        ASSERT_TRUE(disk.LimitFiles(0));
        CMainApp app;
        EXPECT_EQ(app.InitInstance(), 1);
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
        EXPECT_EQ(seams::MessageBoxCalls()[0].text,
                  "Na dysku z folderem danych " + db + " zabrakło miejsca, więc nie można "
                  "uruchomić programu. Na dysku nie można utworzyć już żadnego pliku ani "
                  "folderu. Zwolnij miejsce na dysku i uruchom program ponownie.");
        EXPECT_TRUE(seams::ModalRuns().empty());
    }
}

TEST_F(MainDialogTest, ApplicationOnADiskWithNoRoomForANewInstallFolderSaysTheDiskIsFull) {
    // A new install folder on a disk that cannot take one more file or folder.
    const QString install = folder_.filePath("nowy");
    SmallDisk disk(install.toStdString(), 8 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no small disk can be mounted here: " << disk.error();
    ASSERT_EQ(::mount("tmpfs", install.toUtf8().constData(), "tmpfs",
                      MS_REMOUNT | MS_NOSUID | MS_NODEV, "size=8388608,nr_inodes=1"),
              0);
    settings::SetInstallPath(install);
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Na dysku z folderem danych " + install + " zabrakło miejsca, więc nie można "
              "uruchomić programu. Na dysku nie można utworzyć już żadnego pliku ani folderu. "
              "Zwolnij miejsce na dysku i uruchom program ponownie.");
}

// A restore cut short while it wrote pigeons.db on a full disk: the kept copies, the marker, a
// pigeons.db grown by what the restore wrote and its journal, and not a byte left.
struct CutRestoreOnAFullDisk {
    std::unique_ptr<SmallDisk> disk;
    std::unique_ptr<CutRestore> cut;
    bool mounted = false;

    CutRestoreOnAFullDisk() {
        disk = std::make_unique<SmallDisk>(ToFsPath(DbFolder()), 8 << 20);
        if (!disk->ok()) return;
        mounted = true;
        cut = std::make_unique<CutRestore>();
        SqlDatabase restored(PigeonsDbPath());
        EXPECT_TRUE(restored.Exec(u"CREATE TABLE z_kopii(x);"));
        EXPECT_TRUE(restored.Exec(u"INSERT INTO z_kopii SELECT randomblob(300000);"));
        CutRestore::Write(cut->db + "/pigeons.db-journal", QByteArray(200000, 'j'));
        FillDisk(cut->db);
    }
};

TEST_F(MainDialogTest, ApplicationOnAFullDiskPutsARestoreCutShortBackFirst) {
    const CutRestoreOnAFullDisk full;
    if (!full.mounted) GTEST_SKIP() << "no small disk can be mounted here: " << full.disk->error();
    ASSERT_EQ(full.disk->Free(), 0u);
    CMainApp app;
    app.InitInstance();
    ASSERT_FALSE(seams::MessageBoxCalls().empty());
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              "Wczytywanie kopii bazy danych zostało przerwane, zanim się zakończyło. Baza danych "
              "jest taka, jak przed wczytywaniem kopii.");
    EXPECT_EQ(CutRestore::Read(full.cut->db + "/pigeons.db"), full.cut->before);
    EXPECT_FALSE(QFile::exists(full.cut->db + "/pigeons.db-journal"));
    EXPECT_FALSE(QFile::exists(full.cut->marker));
}

TEST_F(MainDialogTest, ApplicationOnAFullDiskThatCannotPutAFileBackNamesTheMarkerAndTheCopy) {
    const CutRestoreOnAFullDisk full;
    if (!full.mounted) GTEST_SKIP() << "no small disk can be mounted here: " << full.disk->error();
    // The restore had written little of pigeons.db: giving its room back leaves too little for
    // the copy of before.
    const QString live = full.cut->db + "/pigeons.db";
    ASSERT_TRUE(QFile::resize(live, 4096));
    QFile::remove(live + "-journal");
    FillDisk(full.cut->db);
    CMainApp app;
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const QString text = seams::MessageBoxCalls()[0].text;
    EXPECT_TRUE(text.contains("Pliku " + live + " nie dało się przywrócić do stanu sprzed "
                              "wczytywania (na dysku zabrakło miejsca). Jego kopia sprzed "
                              "wczytywania została zachowana jako " + full.cut->keep + "."))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Plik " + full.cut->marker + " pozostaje w folderze bazy danych"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Do przywrócenia pliku " + live + " potrzeba na dysku co najmniej "))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("Zwolnij miejsce na dysku i uruchom program ponownie."))
        << text.toStdString();
    EXPECT_TRUE(QFile::exists(full.cut->marker));
    EXPECT_EQ(CutRestore::Read(full.cut->keep), full.cut->before);
    EXPECT_TRUE(seams::ModalRuns().empty());
}

TEST(StartupSplash, OneSplashAtATimeClosingItselfWhenItsTimeIsUp) {
    CStartupSplash::EnableSplash(0);
    EXPECT_FALSE(CStartupSplash::ShowSplash(1000, 158, nullptr));
    CStartupSplash::EnableSplash(1);
    ASSERT_TRUE(CStartupSplash::ShowSplash(100, 158, nullptr));
    CStartupSplash* splash = CStartupSplash::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(530, 327));
    EXPECT_FALSE(CStartupSplash::ShowSplash(1000, 158, nullptr));
    EXPECT_EQ(CStartupSplash::Current(), splash);
    for (int i = 0; i < 100 && CStartupSplash::Current(); ++i) QTest::qWait(20);
    EXPECT_EQ(CStartupSplash::Current(), nullptr);
    CStartupSplash::EnableSplash(0);
}

// Run as root (containers, many virtual machines) the web engine refuses to start with its
// sandbox on; the program turns it off itself, says so once, and keeps running.
TEST(MainProgram, RunAsRootTheBrowserEngineStartsWithoutItsSandbox) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(name), folder);
    }
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ORNIVEX_NO_STARTUP_PAUSE", "1");
    env.remove("QTWEBENGINE_DISABLE_SANDBOX");

    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(OX_PROGRAM_PATH), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const bool ended = program.waitForFinished(8000);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    const QString rootLine = QStringLiteral("uruchomiony jako root");
    EXPECT_FALSE(ended) << "exit code " << program.exitCode() << ": " << errors.toStdString();
    EXPECT_EQ(errors.count(rootLine), geteuid() == 0 ? 1 : 0) << errors.toStdString();
    program.kill();
    program.waitForFinished(10000);
}

TEST(MainProgram, SecondProcessIsRefusedWithTheMessageAndEndsWithZero) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(name), folder);
    }
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ORNIVEX_NO_STARTUP_PAUSE", "1");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(OX_PROGRAM_PATH), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first copy holds its lock once it runs.
    const QString lock = QDir(home.filePath("XDG_RUNTIME_DIR")).filePath("ornivex6.lock");
    for (int i = 0; i < 200 && !QFile::exists(lock); ++i) QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(lock)) << lock.toStdString();

    QProcess second;
    env.insert("ORNIVEX_TEST_SEAMS", "1");
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(OX_PROGRAM_PATH), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError())
                    .contains("Nie można uruchomić jednocześnie dwóch kopii programu"));
    // The first copy is still running, untouched.
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(10000);
}

}  // namespace

TEST_F(MainDialogTest, SortCommandRewritesTheCategoryOrderAndShowsItAgain) {
    const int category = AddCategory(AddLoft(u"Północ"), u"Młode");
    AddBird(category, u"30");
    AddBird(category, u"4");
    AddBird(category, u"200");
    CMainDialog& dialog = Open();
    int sortedCategory = 0;
    seams::SetModalHandler([&](Dialog& window) {
        auto* sort = dynamic_cast<CSortujListeGolebi*>(&window);
        if (sort == nullptr) return IDCANCEL;
        sortedCategory = sort->categoryId;
        sort->Combo(CSortujListeGolebi::kFirstCriterion)->SetCurSel(SortRingAscending);
        sort->OnSortList();
        return sort->EndCode();
    });
    ASSERT_TRUE(dialog.RunCommand(kCmdSortPigeonList));
    EXPECT_EQ(sortedCategory, category);
    // Ring numbers compare as numbers, and the list shows the order stored in the file.
    EXPECT_EQ(BirdRings(), (QStringList{"PL 0123 24 4", "PL 0123 24 30", "PL 0123 24 200"}));
    std::vector<int> stored;
    for (const CategoryMember& member : TheDataStore().LoadCategoryMembers(category)) {
        stored.push_back(member.pigeonId);
    }
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(TheDataStore().FindPigeon(stored[0]).nr_obraczki, u"4");
    EXPECT_EQ(TheDataStore().FindPigeon(stored[2]).nr_obraczki, u"200");
}

TEST_F(MainDialogTest, SortCommandWithoutAChosenCategoryOnlyExplains) {
    CMainDialog& dialog = Open();
    ASSERT_TRUE(dialog.RunCommand(kCmdSortPigeonList));
    ASSERT_FALSE(seams::MessageBoxCalls().empty());
    EXPECT_EQ(seams::MessageBoxCalls().back().text, QStringLiteral("Musisz wybrać kategorię z listy"));
}
