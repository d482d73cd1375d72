// The bird chooser, moving and copying a bird, sorting a category, ring series and the small bird
// dialogs, driven by control id through the seams; what they write is read back from the files.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ControlKinds.h"
#include "DataStore.h"
#include "DataWyjsciaNaDach.h"
#include "DodajGolebia.h"
#include "Dialog.h"
#include "DodajSerieObraczek.h"
#include "DodajZmienTransakcje.h"
#include "Globals.h"
#include "KategoriaZdjecia.h"
#include "Places.h"
#include "PrzeniesPsa.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "SortujListeGolebi.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "UstawOpis.h"
#include "WybierzPsaZListy.h"
#include "WyswietlListeGolebiILD.h"

namespace {

using Ids = std::vector<int>;

class BirdToolsTest : public WindowTest {
protected:
    // A bird of the loft written to the file and, with a category id above 0, placed there.
    static int AddBird(int loftId, int categoryId, const std::u16string& ring, int sex = 0,
                       const std::u16string& year = u"20", const std::u16string& country = u"PL") {
        PigeonRecord bird;
        bird.id_hodowli = loftId;
        bird.kraj = country;
        bird.oddzial = u"0123";
        bird.rocznik = year;
        bird.nr_obraczki = ring;
        bird.plec = sex;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        if (categoryId > 0) {
            EXPECT_TRUE(TheDataStore().AddPigeonToCategory(categoryId, bird.id));
        }
        return bird.id;
    }

    // The category's birds as the file orders them.
    static Ids MembersOnDisk(int categoryId) {
        Ids ids;
        for (const CategoryMember& m : TheDataStore().LoadCategoryMembers(categoryId))
            ids.push_back(m.pigeonId);
        return ids;
    }

    static std::int64_t QueryPigeons(const Text& sql, const std::vector<SqlValue>& values = {}) {
        SqlDatabase db(PigeonsDbPath());
        return db.QueryInt64(sql, values, -99);
    }

    static int StoredLoftOf(int pigeonId) {
        return static_cast<int>(
            QueryPigeons(u"SELECT id_hodowli FROM pigeons WHERE id = ?1;", {SqlInt(pigeonId)}));
    }

    // Runs a dialog with the test's hands on it; the result of the run.
    template <class D>
    static int Run(D& dialog, std::function<void(D&)> hands) {
        seams::QueueModalHandler([&](Dialog&) {
            hands(dialog);
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        return dialog.DoModal();
    }
};

QStringList Rows(ListBoxControl* list) {
    QStringList rows;
    for (int i = 0; i < list->GetCount(); ++i) rows << list->GetText(i);
    return rows;
}

Ids IdsOf(const std::vector<PigeonRecord>& birds) {
    Ids ids;
    for (const PigeonRecord& b : birds) ids.push_back(b.id);
    return ids;
}

// ---- the bird chooser -------------------------------------------------------------------------

TEST_F(BirdToolsTest, ChooserNarrowsBySexRingTextAndCategory) {
    const int loft = AddLoft(u"Dom");
    const int young = AddCategory(loft, u"Młode");
    AddCategory(loft, u"Stare");
    const int other = AddLoft(u"Działka");
    const int otherCategory = AddCategory(other, u"Lotne");
    const int male = AddBird(loft, young, u"112", 1);
    const int female = AddBird(loft, young, u"120", 2);
    const int unknown = AddBird(loft, 0, u"3125", 0);
    const int elsewhere = AddBird(other, otherCategory, u"412", 1);
    // The category's order is its membership order, not the id order.
    const int late = AddBird(loft, 0, u"77", 0);
    TheDataStore().RemovePigeonFromCategory(young, male);
    TheDataStore().AddPigeonToCategory(young, late);
    TheDataStore().AddPigeonToCategory(young, male);
    TheDataStore().LoadLofts();
    g_currentLoftIndex = 0;

    CWybierzPsaZListy males;
    males.filterMode = ChooserMales;
    Run<CWybierzPsaZListy>(males, [&](CWybierzPsaZListy& d) {
        // Every loft's birds, ascending ids, females left out.
        EXPECT_EQ(IdsOf(d.shown), (Ids{male, unknown, elsewhere, late}));
        EXPECT_EQ(Rows(d.ListBox(1000)).size(), 4);
        EXPECT_EQ(d.Combo(1054)->GetCount(), 3);
        EXPECT_EQ(d.Combo(1054)->GetLBText(0), QStringLiteral("Wszystkie Gołębie"));
        EXPECT_EQ(d.Combo(1054)->GetLBText(2), QStringLiteral("Stare"));

        d.SetItemText(1191, u"12");   // anywhere in the ring number
        EXPECT_EQ(IdsOf(d.shown), (Ids{male, unknown, elsewhere}));
        EXPECT_EQ(Rows(d.ListBox(1000)),
                  (QStringList{QString::fromStdU16String(TheDataStore().Pigeons().at(male).GetDisplayName()),
                               QString::fromStdU16String(TheDataStore().Pigeons().at(unknown).GetDisplayName()),
                               QString::fromStdU16String(TheDataStore().Pigeons().at(elsewhere).GetDisplayName())}));
        d.SetItemText(1191, u"");
        EXPECT_EQ(IdsOf(d.shown), (Ids{male, unknown, elsewhere, late}));

        // A category replaces the rows, in its own order, while the ring text stays unapplied.
        d.SetItemText(1191, u"112");
        d.Combo(1054)->SetCurSel(1);
        d.Fire(1054, Notification::SelChange);
        EXPECT_EQ(IdsOf(d.shown), (Ids{late, male}));
        EXPECT_EQ(d.ListBox(1000)->GetCount(), 2);
        d.Combo(1054)->SetCurSel(0);
        d.Fire(1054, Notification::SelChange);
        EXPECT_EQ(IdsOf(d.shown), (Ids{male, unknown, elsewhere, late}));
        d.RunCommand(IDCANCEL);
    });

    CWybierzPsaZListy females;
    females.filterMode = ChooserFemales;
    Run<CWybierzPsaZListy>(females, [&](CWybierzPsaZListy& d) {
        EXPECT_EQ(IdsOf(d.shown), (Ids{female, unknown, late}));
        d.RunCommand(IDCANCEL);
    });
}

TEST_F(BirdToolsTest, ChooserHandsBackTheSelectedBirdOnlyWhenARowIsSelected) {
    const int loft = AddLoft(u"Dom");
    const int category = AddCategory(loft, u"Młode");
    const int a = AddBird(loft, category, u"1", 1);
    const int b = AddBird(loft, category, u"2", 2);
    ASSERT_TRUE(TheDataStore().WritePigeonShortDescription(b, u"biała lotka"));
    TheDataStore().LoadLofts();
    g_currentLoftIndex = 0;

    CWybierzPsaZListy chooser;
    EXPECT_EQ(Run<CWybierzPsaZListy>(chooser, [&](CWybierzPsaZListy& d) {
                  EXPECT_EQ(d.ItemText(1169), u"Nie wybrano gołębia");
                  // Nothing selected: the editor button opens nothing.
                  const size_t runs = seams::ModalRuns().size();
                  d.RunCommand(1127);
                  d.RunCommand(1126);
                  EXPECT_EQ(seams::ModalRuns().size(), runs);
                  d.ListBox(1000)->SetCurSel(1);
                  d.Fire(1000, Notification::SelChange);
                  EXPECT_EQ(d.chosenId, b);
                  EXPECT_EQ(d.ItemText(1171), u"biała lotka");
                  d.ListBox(1000)->SetCurSel(0);
                  d.Fire(1000, Notification::SelChange);
                  d.RunCommand(IDOK);
              }),
              IDOK);
    EXPECT_EQ(chooser.chosenValid, 1);
    EXPECT_EQ(chooser.chosenId, a);
    EXPECT_TRUE(chooser.shown.empty());

    // "Wybierz" with no row ever selected asks for a bird and the window stays open.
    CWybierzPsaZListy second;
    EXPECT_EQ(Run<CWybierzPsaZListy>(second, [&](CWybierzPsaZListy& d) {
                  d.RunCommand(IDOK);
                  EXPECT_FALSE(d.HasEnded());
              }),
              IDCANCEL);
    EXPECT_EQ(second.chosenValid, 0);
    EXPECT_EQ(MessageTexts(), QStringList{"Należy wybrać gołębia z listy."});

    // A double-click on a row chooses that bird, as OK does.
    CWybierzPsaZListy clicked;
    EXPECT_EQ(Run<CWybierzPsaZListy>(clicked, [&](CWybierzPsaZListy& d) {
                  ListBoxControl* list = d.ListBox(1000);
                  const QPoint row = list->visualItemRect(list->item(1)).center();
                  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
                  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
              }),
              IDOK);
    EXPECT_EQ(clicked.chosenValid, 1);
    EXPECT_EQ(clicked.chosenId, b);
}

// The list filled again, by another category or by a ring typed, after a bird far down was
// reached with Page Down: it starts at its first row with no bird chosen, "INFORMACJE" says so,
// and "Wybierz" asks for a bird and stays open; the bird then reached by the keys is handed back.
TEST_F(BirdToolsTest, ChooserFilledAgainStartsAtTheTopWithNoBirdChosen) {
    const int loft = AddLoft(u"Dom");
    const int old = AddCategory(loft, u"Stare");
    const int young = AddCategory(loft, u"Młode");
    for (int k = 0; k < 150; ++k) AddBird(loft, old, u"S" + FromUtf8(std::to_string(k)));
    for (int k = 0; k < 60; ++k) AddBird(loft, young, u"M" + FromUtf8(std::to_string(k)));
    TheDataStore().LoadLofts();
    g_currentLoftIndex = 0;

    struct Case {
        const char* name;
        std::function<void(CWybierzPsaZListy&)> refill;
        Text ringStart;   // how the rings of the refilled list begin
    };
    const Case cases[] = {
        {"category typed in its box",
         [](CWybierzPsaZListy& d) {
             d.Combo(1054)->setFocus();
             QTest::keyClick(d.Combo(1054), Qt::Key_M);
             ASSERT_EQ(d.Combo(1054)->currentText(), QStringLiteral("Młode"));
         },
         u"M"},
        {"ring typed",
         [](CWybierzPsaZListy& d) { QTest::keyClicks(d.Edit(1191), QStringLiteral("S1")); },
         u"S1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype messagesBefore = MessageTexts().size();
        CWybierzPsaZListy chooser;
        std::u16string highlighted;
        Run<CWybierzPsaZListy>(chooser, [&](CWybierzPsaZListy& d) {
            ListBoxControl* list = d.ListBox(1000);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            while (list->GetCurSel() < 121) QTest::keyClick(list, Qt::Key_PageDown);
            ASSERT_EQ(d.chosenValid, 1);
            ASSERT_GT(list->verticalScrollBar()->value(), 0);

            c.refill(d);
            ASSERT_GT(list->GetCount(), 40);   // a list long enough to be scrolled
            QCoreApplication::processEvents();
            EXPECT_EQ(list->verticalScrollBar()->value(), 0);
            EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), 0);
            EXPECT_EQ(list->GetCurSel(), -1);
            EXPECT_EQ(d.ItemText(1169), u"Nie wybrano gołębia");
            EXPECT_EQ(d.ItemText(1170), u" ");
            EXPECT_EQ(d.ItemText(1171), u" ");

            QTest::mouseClick(d.Button(IDOK), Qt::LeftButton);
            EXPECT_FALSE(d.HasEnded());
            EXPECT_EQ(MessageTexts().mid(messagesBefore),
                      QStringList{"Należy wybrać gołębia z listy."});

            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            const int row = list->GetCurSel();
            ASSERT_GE(row, 0);
            highlighted = list->GetTextW(row);
            EXPECT_EQ(d.ItemText(1169), highlighted);
            QTest::mouseClick(d.Button(IDOK), Qt::LeftButton);
        });
        ASSERT_EQ(chooser.chosenValid, 1);
        const PigeonRecord& chosen = TheDataStore().Pigeons().at(chooser.chosenId);
        EXPECT_EQ(chosen.GetDisplayName(), highlighted);
        EXPECT_EQ(chosen.nr_obraczki.rfind(c.ringStart, 0), 0u) << ToUtf8(chosen.nr_obraczki);
    }
}

TEST_F(BirdToolsTest, ChooserOpensTheBirdEditorOnTheSelectedBirdOnly) {
    const int loft = AddLoft(u"Dom");
    const int category = AddCategory(loft, u"Młode");
    AddBird(loft, category, u"1", 1);
    const int b = AddBird(loft, category, u"2", 2);
    TheDataStore().LoadLofts();
    g_currentLoftIndex = 0;

    CWybierzPsaZListy chooser;
    seams::QueueModalHandler([&](Dialog&) {
        chooser.RunCommand(1127);   // no row yet: no editor
        chooser.ListBox(1000)->SetCurSel(1);
        chooser.Fire(1000, Notification::SelChange);
        chooser.RunCommand(1127);
        chooser.RunCommand(IDCANCEL);
        return IDCANCEL;
    });
    int editorRuns = 0;
    seams::QueueModalHandler([&](Dialog& editor) {
        ++editorRuns;
        auto* birdEditor = qobject_cast<CDodajGolebia*>(&editor);
        EXPECT_NE(birdEditor, nullptr);
        if (birdEditor) {
            EXPECT_EQ(birdEditor->mode, EditorMode::Edit);
            EXPECT_EQ(birdEditor->record.id, b);
        }
        return IDCANCEL;
    });
    chooser.DoModal();
    EXPECT_EQ(editorRuns, 1);
}

// ---- moving and copying -----------------------------------------------------------------------

class MoveTest : public BirdToolsTest {
protected:
    void SetUp() override {
        BirdToolsTest::SetUp();
        loftA = AddLoft(u"A");
        a1 = AddCategory(loftA, u"A1");
        a2 = AddCategory(loftA, u"A2");
        loftB = AddLoft(u"B");
        b1 = AddCategory(loftB, u"B1");
        b2 = AddCategory(loftB, u"B2");
        bird = AddBird(loftA, a1, u"500");
        neighbour = AddBird(loftA, a1, u"501");
        TheDataStore().LoadLofts();
    }
    int loftA = 0, a1 = 0, a2 = 0, loftB = 0, b1 = 0, b2 = 0, bird = 0, neighbour = 0;
};

TEST_F(MoveTest, TargetListNamesEveryLoftsCategoriesInOrder) {
    CPrzeniesPsa dialog;
    EXPECT_EQ(Run<CPrzeniesPsa>(dialog, [&](CPrzeniesPsa& d) {
                  ComboBox* combo = d.Combo(1007);
                  ASSERT_EQ(combo->GetCount(), 4);
                  EXPECT_EQ(combo->GetLBText(0), QStringLiteral("A :: A1"));
                  EXPECT_EQ(combo->GetLBText(3), QStringLiteral("B :: B2"));
                  combo->SetCurSel(2);
                  d.Fire(1007, Notification::SelChange);
                  d.CheckDlgButton(1106, 1);
                  d.RunCommand(IDOK);
              }),
              IDOK);
    EXPECT_EQ(dialog.targetIndex, 2);
    EXPECT_TRUE(dialog.keepCopy);
    const MoveTarget target = FindMoveTarget(2);
    EXPECT_EQ(target.categoryId, b1);
    EXPECT_EQ(target.loftId, loftB);
    EXPECT_FALSE(FindMoveTarget(4).valid());
}

// A category chosen, the field then emptied with the keys, and OK: the window says that no
// category was chosen and stays open for one.
TEST_F(MoveTest, OkWithTheFieldEmptiedSaysNoCategoryWasChosenAndStaysOpen) {
    CPrzeniesPsa dialog;
    EXPECT_EQ(Run<CPrzeniesPsa>(dialog, [&](CPrzeniesPsa& d) {
                  ComboBox* combo = d.Combo(CPrzeniesPsa::kTargetCombo);
                  combo->SetCurSel(2);
                  d.Fire(CPrzeniesPsa::kTargetCombo, Notification::SelChange);
                  QApplication::setActiveWindow(&d);
                  combo->setFocus();
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
                  d.Button(IDOK)->click();
                  EXPECT_FALSE(d.HasEnded());
                  EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(
                                                "Nie wybrano kategorii. Wybierz kategorię z listy.")});
                  // The field has the focus again, for the choice.
                  EXPECT_EQ(QApplication::focusWidget(), combo);
                  combo->SetCurSel(1);
                  d.Fire(CPrzeniesPsa::kTargetCombo, Notification::SelChange);
                  d.Button(IDOK)->click();
              }),
              IDOK);
    EXPECT_EQ(dialog.targetIndex, 1);
}

TEST_F(MoveTest, MoveTakesTheBirdOutCopyLeavesItAndBothChangeItsLoft) {
    EXPECT_EQ(MovePigeonToCategory(bird, a1, 2, /*keepCopy=*/false), MoveOutcome::Moved);
    EXPECT_EQ(MembersOnDisk(a1), Ids{neighbour});
    EXPECT_EQ(MembersOnDisk(b1), Ids{bird});
    EXPECT_EQ(StoredLoftOf(bird), loftB);
    EXPECT_EQ(TheDataStore().Pigeons().at(bird).id_hodowli, loftB);

    EXPECT_EQ(MovePigeonToCategory(neighbour, a1, 3, /*keepCopy=*/true), MoveOutcome::Copied);
    EXPECT_EQ(MembersOnDisk(a1), Ids{neighbour});
    EXPECT_EQ(MembersOnDisk(b2), Ids{neighbour});
    EXPECT_EQ(StoredLoftOf(neighbour), loftB);
    EXPECT_EQ(TheDataStore().Pigeons().at(neighbour).id_hodowli, loftB);
    // The loft counts follow the birds without a reload.
    EXPECT_EQ(TheDataStore().Lofts()[0].pigeonCount, 0);
    EXPECT_EQ(TheDataStore().Lofts()[1].pigeonCount, 2);
}

TEST_F(MoveTest, MovingIntoItsOwnCategoryOrWhereItIsAlreadyKeepsOneMembership) {
    const std::int64_t rowsBefore = QueryPigeons(u"SELECT max(id) FROM kategoria_id;");
    EXPECT_EQ(MovePigeonToCategory(bird, a1, 0, false), MoveOutcome::Nothing);
    EXPECT_EQ(MovePigeonToCategory(bird, a1, 0, true), MoveOutcome::Nothing);
    EXPECT_EQ(MembersOnDisk(a1), (Ids{bird, neighbour}));
    EXPECT_EQ(QueryPigeons(u"SELECT max(id) FROM kategoria_id;"), rowsBefore);

    // Copied to A2 first, then moved there from A1: listed once in A2.
    EXPECT_EQ(MovePigeonToCategory(bird, a1, 1, true), MoveOutcome::Copied);
    EXPECT_EQ(MovePigeonToCategory(bird, a1, 1, false), MoveOutcome::Moved);
    EXPECT_EQ(MembersOnDisk(a2), Ids{bird});
    EXPECT_EQ(MembersOnDisk(a1), Ids{neighbour});
}

// ---- sorting ----------------------------------------------------------------------------------

TEST(SortKeys, RingAndYearPartsAreReadAsLeadingIntegers) {
    EXPECT_EQ(LeadingInteger(u"0012"), 12);
    EXPECT_EQ(LeadingInteger(u"12A"), 12);
    EXPECT_EQ(LeadingInteger(u"  -7x"), -7);
    EXPECT_EQ(LeadingInteger(u"+5"), 5);
    EXPECT_EQ(LeadingInteger(u"ABC"), 0);
    EXPECT_EQ(LeadingInteger(u""), 0);
}

TEST(SortKeys, StablePassesMakeTheLastChosenCriterionTheMainKey) {
    auto bird = [](int id, const char16_t* ring, const char16_t* country, int sex) {
        PigeonRecord b;
        b.id = id;
        b.nr_obraczki = ring;
        b.kraj = country;
        b.plec = sex;
        return b;
    };
    std::vector<PigeonRecord> birds = {bird(1, u"12A", u"pl", 1), bird(2, u"ABC", u"DE", 0),
                                       bird(3, u"0012", u"PL", 2), bird(4, u"12", u"plx", 1),
                                       bird(5, u"9", u"Pl", 2)};
    // Equal ring numbers keep their order; letters only count as 0.
    SortPigeons(birds, {SortRingAscending, -1, 0, -1, -1});
    EXPECT_EQ(IdsOf(birds), (Ids{2, 5, 1, 3, 4}));
    SortPigeons(birds, {SortRingDescending, -1, -1, -1, -1});
    EXPECT_EQ(IdsOf(birds), (Ids{1, 3, 4, 5, 2}));
    // Country: A-Z folded, a prefix first; Z-A the exact reverse.
    SortPigeons(birds, {SortCountryAscending, -1, -1, -1, -1});
    EXPECT_EQ(IdsOf(birds), (Ids{2, 1, 3, 5, 4}));
    SortPigeons(birds, {SortCountryDescending, -1, -1, -1, -1});
    EXPECT_EQ(IdsOf(birds), (Ids{4, 1, 3, 5, 2}));
    // The fifth box is the main key: sex (females first) over ring.
    SortPigeons(birds, {SortRingAscending, -1, -1, -1, SortSexFemalesFirst});
    EXPECT_EQ(IdsOf(birds), (Ids{5, 3, 4, 1, 2}));
}

TEST_F(BirdToolsTest, SortRewritesTheCategoryRowsInTheNewOrderWithEachRowsOwnBird) {
    const int loft = AddLoft(u"Dom");
    const int category = AddCategory(loft, u"Lotne");
    const int other = AddCategory(loft, u"Inne");
    const int m22 = AddBird(loft, category, u"1", 1, u"22");
    const int f23 = AddBird(loft, category, u"2", 2, u"23");
    const int n21 = AddBird(loft, category, u"3", 0, u"21");
    const int f21 = AddBird(loft, category, u"4", 2, u"21");
    const int m20 = AddBird(loft, category, u"5", 1, u"20");
    const int untouched = AddBird(loft, other, u"6");
    // A membership whose bird is gone from the bird file keeps its place and its bird id.
    const int ghost = 9000;
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(category, ghost));

    CSortujListeGolebi sort;
    sort.categoryId = category;
    EXPECT_EQ(Run<CSortujListeGolebi>(sort, [&](CSortujListeGolebi& d) {
                  EXPECT_EQ(d.Combo(1054)->GetCurSel(), -1);
                  EXPECT_EQ(d.Combo(1058)->GetCount(), 17);
                  EXPECT_EQ(d.Combo(1054)->GetLBText(3), QStringLiteral(" Według rocznika rosnąco"));
                  EXPECT_EQ(d.Combo(1054)->GetLBText(7), QStringLiteral(" Według płci(najpierw 1-0)"));
                  d.Combo(1054)->SetCurSel(SortYearAscending);
                  d.Combo(1055)->SetCurSel(SortSexFemalesFirst);
                  d.RunCommand(IDOK);
              }),
              IDOK);
    // Females, males, no sex (the missing bird counts as no sex, year 0), each by year.
    EXPECT_EQ(MembersOnDisk(category), (Ids{f21, f23, m20, m22, ghost, n21}));
    EXPECT_EQ(MembersOnDisk(other), Ids{untouched});

    // No criterion: the same order written again.
    CSortujListeGolebi again;
    again.categoryId = category;
    Run<CSortujListeGolebi>(again, [](CSortujListeGolebi& d) { d.RunCommand(IDOK); });
    EXPECT_EQ(MembersOnDisk(category), (Ids{f21, f23, m20, m22, ghost, n21}));

    // An empty category stays empty.
    const int empty = AddCategory(loft, u"Pusta");
    CSortujListeGolebi none;
    none.categoryId = empty;
    EXPECT_EQ(Run<CSortujListeGolebi>(none, [](CSortujListeGolebi& d) { d.RunCommand(IDOK); }), IDOK);
    EXPECT_TRUE(MembersOnDisk(empty).empty());
}

TEST_F(BirdToolsTest, SortThatCannotWriteLeavesTheOldOrder) {
    const int loft = AddLoft(u"Dom");
    const int category = AddCategory(loft, u"Lotne");
    const int b3 = AddBird(loft, category, u"3");
    const int b1 = AddBird(loft, category, u"1");
    const int b2 = AddBird(loft, category, u"2");
    {
        // The file refuses the second row of the new order.
        SqlDatabase db(PigeonsDbPath());
        ASSERT_TRUE(db.Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON kategoria_id WHEN "
                            u"NEW.id_golebia = " + NumberText(b2) + u" BEGIN SELECT RAISE(ABORT, 'no'); END;"));
    }
    CSortujListeGolebi sort;
    sort.categoryId = category;
    EXPECT_NE(Run<CSortujListeGolebi>(sort, [](CSortujListeGolebi& d) {
                  d.Combo(1054)->SetCurSel(SortRingAscending);
                  d.RunCommand(IDOK);
                  EXPECT_FALSE(d.HasEnded());
              }),
              IDOK);
    EXPECT_EQ(MembersOnDisk(category), (Ids{b3, b1, b2}));
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
}

// ---- ring series ------------------------------------------------------------------------------

class RingSeriesTest : public BirdToolsTest {
protected:
    void SetUp() override {
        BirdToolsTest::SetUp();
        loft = AddLoft(u"Dom");
        category = AddCategory(loft, u"Młode");
        series.country = u"PL";
        series.branch = u"0456";
        series.year = u"24";
    }
    RingSeriesResult Add(unsigned first, unsigned last, std::vector<PigeonRecord>* created = nullptr) {
        series.firstNumber = first;
        series.lastNumber = last;
        return AddRingSeries(nullptr, series, loft, category, created);
    }
    std::vector<Text> RingsOnDisk() const {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft);
        std::vector<Text> rings;
        for (const int id : MembersOnDisk(category)) rings.push_back(fresh.FindPigeon(id).nr_obraczki);
        return rings;
    }
    int loft = 0, category = 0;
    CDodajSerieObraczek series;
};

TEST_F(RingSeriesTest, SeriesOfTwoToOneHundredNumbersAreMadeAndOthersRefused) {
    std::vector<PigeonRecord> created;
    EXPECT_EQ(Add(7, 9, &created), RingSeriesResult::Added);
    EXPECT_EQ(RingsOnDisk(), (std::vector<Text>{u"7", u"8", u"9"}));
    ASSERT_EQ(created.size(), 3u);
    for (const PigeonRecord& bird : created) {
        const PigeonRecord& stored = TheDataStore().Pigeons().at(bird.id);
        EXPECT_EQ(stored.id_hodowli, loft);
        EXPECT_EQ(stored.kraj, u"PL");
        EXPECT_EQ(stored.oddzial, u"0456");
        EXPECT_EQ(stored.rocznik, u"24");
        EXPECT_EQ(StoredLoftOf(bird.id), loft);
    }
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    for (const auto& [first, last] : {std::pair{7u, 7u}, std::pair{7u, 107u}, std::pair{9u, 7u}}) {
        EXPECT_EQ(Add(first, last), RingSeriesResult::OutOfRange) << first << "-" << last;
    }
    ASSERT_EQ(seams::MessageBoxCalls().size(), 3u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, QStringLiteral("You can add only 100 rings in serie!"));
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, QStringLiteral("Error! Too much rings"));
    EXPECT_EQ(MembersOnDisk(category).size(), 3u);

    // 7 to 9 are there already: the whole series is added once the user says so.
    seams::ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(Add(7, 106), RingSeriesResult::Added);
    EXPECT_EQ(seams::MessageBoxCalls().size(), 4u);
    const std::vector<Text> rings = RingsOnDisk();
    ASSERT_EQ(rings.size(), 103u);
    EXPECT_EQ(rings[3], u"7");
    EXPECT_EQ(rings.back(), u"106");
    EXPECT_EQ(QueryPigeons(u"SELECT count(*) FROM pigeons;"), 103);
}

// Rings the loft's birds already wear, compared without case and blanks at the ends as the bird
// editor compares them, are named in one question before anything is written: "Nie" adds none
// of the series, "Tak" all of it. Rings of another loft are no matter.
TEST_F(RingSeriesTest, RingsTheLoftHoldsAreNamedOnceAndTheAnswerTakesTheWholeSeries) {
    ASSERT_EQ(Add(1, 3), RingSeriesResult::Added);
    const int other = AddLoft(u"Działka");
    PigeonRecord elsewhere{.id_hodowli = other};
    elsewhere.kraj = u"PL", elsewhere.oddzial = u"0456", elsewhere.rocznik = u"24";
    elsewhere.nr_obraczki = u"4";
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, elsewhere));
    ASSERT_TRUE(seams::MessageBoxCalls().empty());

    series.country = u"pl ";
    seams::ScriptMessageBoxAnswers({IDNO});
    EXPECT_EQ(Add(2, 4), RingSeriesResult::Declined);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, QStringLiteral("Ta sama obrączka"));
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              QStringLiteral("W tej hodowli są już gołębie o obrączkach z tej serii (2):\n"
                             "PL 0456 24 2\nPL 0456 24 3\n\nCzy mimo to dodać całą serię?"));
    EXPECT_EQ(RingsOnDisk(), (std::vector<Text>{u"1", u"2", u"3"}));
    EXPECT_EQ(QueryPigeons(u"SELECT count(*) FROM pigeons;"), 4);

    seams::ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(Add(3, 4), RingSeriesResult::Added);
    EXPECT_EQ(seams::MessageBoxCalls()[1].text,
              QStringLiteral("W tej hodowli jest już gołąb o obrączce z tej serii:\n"
                             "PL 0456 24 3\n\nCzy mimo to dodać całą serię?"));
    EXPECT_EQ(RingsOnDisk(), (std::vector<Text>{u"1", u"2", u"3", u"3", u"4"}));

    // A long list names the first five and how many more.
    series.country = u"PL";
    ASSERT_EQ(Add(10, 20), RingSeriesResult::Added);
    seams::ScriptMessageBoxAnswers({IDNO});
    EXPECT_EQ(Add(10, 30), RingSeriesResult::Declined);
    EXPECT_TRUE(seams::MessageBoxCalls().back().text.startsWith(QStringLiteral(
        "W tej hodowli są już gołębie o obrączkach z tej serii (11):\nPL 0456 24 10\n")));
    EXPECT_TRUE(seams::MessageBoxCalls().back().text.contains(
        QStringLiteral("PL 0456 24 14\n… i jeszcze 6\n\nCzy")));
    EXPECT_EQ(QueryPigeons(u"SELECT count(*) FROM pigeons;"), 17);
}

TEST_F(RingSeriesTest, ASeriesTheFileRefusesHalfWayLeavesNoBirdBehind) {
    {
        SqlDatabase db(PigeonsDbPath());
        ASSERT_TRUE(db.Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON pigeons WHEN "
                            u"NEW.nr_obraczki = '12' BEGIN SELECT RAISE(ABORT, 'no'); END;"));
    }
    EXPECT_EQ(Add(10, 14), RingSeriesResult::Failed);
    EXPECT_EQ(QueryPigeons(u"SELECT count(*) FROM pigeons;"), 0);
    EXPECT_TRUE(MembersOnDisk(category).empty());
    EXPECT_TRUE(TheDataStore().Pigeons().empty());
}

TEST_F(RingSeriesTest, WindowTakesCapitalCountryAndRefusesNumbersThatAreNotWhole) {
    CDodajSerieObraczek dialog;
    EXPECT_EQ(Run<CDodajSerieObraczek>(dialog, [](CDodajSerieObraczek& d) {
                  QTest::keyClicks(d.Edit(1095), QStringLiteral("pl"));
                  EXPECT_EQ(d.ItemText(1095), u"PL");
                  d.SetItemText(1160, u"0456");
                  d.SetItemText(1036, u"24");
                  d.SetItemText(1096, u"10");
                  d.SetItemText(1097, u"x2");
                  d.RunCommand(1199);
                  EXPECT_FALSE(d.HasEnded());
                  d.SetItemText(1097, u"20");
                  d.RunCommand(1199);
              }),
              IDOK);
    EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(dialog.country, u"PL");
    EXPECT_EQ(dialog.branch, u"0456");
    EXPECT_EQ(dialog.firstNumber, 10u);
    EXPECT_EQ(dialog.lastNumber, 20u);
}

// ---- small dialogs ----------------------------------------------------------------------------

TEST_F(BirdToolsTest, RoofDateWithoutADateGivesZeroAndAChosenDayItsLocalTime) {
    CDataWyjsciaNaDach unset;
    unset.roofDate = kNoDate;
    EXPECT_EQ(Run<CDataWyjsciaNaDach>(unset, [](CDataWyjsciaNaDach& d) {
                  EXPECT_FALSE(d.DatePicker(1175)->HasValue());
                  d.RunCommand(IDOK);
              }),
              IDOK);
    EXPECT_EQ(unset.roofDate, 0);

    CDataWyjsciaNaDach chosen;
    chosen.roofDate = *MakeLocalTime(3, 1, 2008, 9, 30, 0);
    EXPECT_EQ(Run<CDataWyjsciaNaDach>(chosen, [](CDataWyjsciaNaDach& d) {
                  DateTimePicker* picker = d.DatePicker(1175);
                  ASSERT_TRUE(picker->HasValue());
                  LocalDateTime day = *picker->GetLocal();
                  day.day = 20;
                  day.month = 5;
                  picker->SetLocal(day);
                  d.RunCommand(IDOK);
              }),
              IDOK);
    // Summer time by then: the time of day stays 09:30 local.
    EXPECT_EQ(chosen.roofDate, *MakeLocalTime(20, 5, 2008, 9, 30, 0));
}

// Every list box of birds (the bird chooser, the list to print, the transaction editor's birds)
// cuts an entry too long for it so that the ring keeps its end, where the rings of one loft
// differ, with the whole entry as its tooltip.
TEST_F(BirdToolsTest, ListBoxesOfBirdsKeepTheRingsEndWhenCut) {
    const int loft = AddLoft(u"Dom");
    for (const char16_t* ring : {u"PL-0123-2024-0045671", u"PL-0123-2024-0045672"}) {
        const int bird = AddBird(loft, 0, ring);
        ChangeBird(bird, [](PigeonRecord& b) { b.nazwa = u"Błękitna Strzała z Ostrowa Wielkopolskiego, córka Huraganu i Burzy"; });
        ASSERT_TRUE(TheDataStore().AddToIldList(bird));
    }
    const auto check = [](ListBoxControl* list) {
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetCount(), 2);
        for (int row = 0; row < 2; ++row) {
            const QString whole = list->GetText(row);
            const QString shown = list->ShownText(row);
            EXPECT_NE(shown, whole);
            const QString ring = whole.section(QStringLiteral(" ["), 0, 0);
            EXPECT_TRUE(shown.contains(ring.right(4))) << shown.toStdString();
            EXPECT_EQ(list->ItemToolTip(row), whole);
            // Cut at the list's edge, not run past it.
            EXPECT_LE(list->visualItemRect(list->item(row)).right(), list->viewport()->width());
        }
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    };
    CWybierzPsaZListy chooser;
    Run<CWybierzPsaZListy>(chooser, [&](CWybierzPsaZListy& d) { check(d.ListBox(1000)); });
    CWyswietlListeGolebiILD print;
    Run<CWyswietlListeGolebiILD>(print, [&](CWyswietlListeGolebiILD& d) { check(d.ListBox(1195)); });
    g_currentLoftIndex = TheDataStore().FindLoftIndex(loft);
    CDodajZmienTransakcje sale;
    Run<CDodajZmienTransakcje>(sale, [&](CDodajZmienTransakcje& d) {
        check(d.ListBox(CDodajZmienTransakcje::kBirdList));
    });
}

TEST_F(BirdToolsTest, IldListRemovesOneEntryOrAfterYesTheWholeList) {
    const int loft = AddLoft(u"Dom");
    const int a = AddBird(loft, 0, u"1");
    const int b = AddBird(loft, 0, u"2");
    ASSERT_TRUE(TheDataStore().AddToIldList(a));
    ASSERT_TRUE(TheDataStore().AddToIldList(b));
    ASSERT_TRUE(TheDataStore().AddToIldList(777));   // a bird that is gone

    CWyswietlListeGolebiILD list;
    Run<CWyswietlListeGolebiILD>(list, [&](CWyswietlListeGolebiILD& d) {
        ASSERT_EQ(d.ListBox(1195)->GetCount(), 3);
        EXPECT_EQ(d.ListBox(1195)->GetTextW(1), TheDataStore().Pigeons().at(b).GetDisplayName());
        d.RunCommand(1099);   // nothing selected: nothing removed
        EXPECT_EQ(d.ListBox(1195)->GetCount(), 3);
        d.ListBox(1195)->SetCurSel(0);
        d.RunCommand(1099);
        // The entry removed leaves the list, and no other entry is chosen in its place.
        EXPECT_EQ(Rows(d.ListBox(1195)),
                  (QStringList{QString::fromStdU16String(TheDataStore().Pigeons().at(b).GetDisplayName()),
                               QString::fromStdU16String(PigeonRecord{}.GetDisplayName())}));
        EXPECT_EQ(d.ListBox(1195)->GetCurSel(), -1);
        d.RunCommand(1099);
        EXPECT_EQ(d.ListBox(1195)->GetCount(), 2);
        EXPECT_FALSE(d.HasEnded());
        d.ListBox(1195)->SetCurSel(1);
        d.RunCommand(1099);
        EXPECT_EQ(d.ListBox(1195)->GetCount(), 1);
        d.RunCommand(IDCANCEL);
    });
    EXPECT_EQ(TheDataStore().LoadIldList(), Ids{b});

    seams::ScriptMessageBoxAnswers({IDNO});
    CWyswietlListeGolebiILD keep;
    EXPECT_EQ(Run<CWyswietlListeGolebiILD>(keep, [](CWyswietlListeGolebiILD& d) { d.RunCommand(1100); }),
              IDOK);
    EXPECT_EQ(TheDataStore().LoadIldList(), Ids{b});
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              QStringLiteral("Czy napewno usunąć całą listę gołębi do druku?"));
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, QStringLiteral("Usuwanie listy"));
    EXPECT_EQ(seams::MessageBoxCalls()[0].flags, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);

    seams::ScriptMessageBoxAnswers({IDYES});
    CWyswietlListeGolebiILD empty;
    EXPECT_EQ(Run<CWyswietlListeGolebiILD>(empty, [](CWyswietlListeGolebiILD& d) { d.RunCommand(1100); }),
              IDOK);
    EXPECT_TRUE(TheDataStore().LoadIldList().empty());
}

TEST_F(BirdToolsTest, PhotoKindButtonsStoreTheirKindAndCancelStoresNothing) {
    const int loft = AddLoft(u"Dom");
    const int bird = AddBird(loft, 0, u"1");
    {
        SqlDatabase db(PigeonsDbPath());
        ASSERT_TRUE(db.Exec(u"INSERT INTO zdjecia (id_golebia, classify1) VALUES (?1, 0);", {SqlInt(bird)}));
    }
    const int photo = static_cast<int>(QueryPigeons(u"SELECT max(id) FROM zdjecia;"));
    auto stored = [&] {
        return QueryPigeons(u"SELECT classify1 FROM zdjecia WHERE id = ?1;", {SqlInt(photo)});
    };
    for (const auto& [button, kind] : {std::pair{1216, 4}, std::pair{1214, 1}, std::pair{1215, 2},
                                       std::pair{1213, 0}}) {
        CKategoriaZdjecia dialog;
        dialog.photoId = photo;
        EXPECT_EQ(Run<CKategoriaZdjecia>(dialog, [b = button](CKategoriaZdjecia& d) { d.RunCommand(b); }),
                  IDOK);
        EXPECT_EQ(stored(), kind) << button;
        EXPECT_EQ(dialog.classify, kind);
    }
    CKategoriaZdjecia cancel;
    cancel.photoId = photo;
    ASSERT_TRUE(TheDataStore().ExecSqlOnFile(PigeonsDbPath(), u"UPDATE zdjecia SET classify1 = 2;"));
    EXPECT_EQ(Run<CKategoriaZdjecia>(cancel, [](CKategoriaZdjecia& d) { d.RunCommand(1099); }), IDCANCEL);
    EXPECT_EQ(stored(), 2);
}

TEST_F(BirdToolsTest, ShortDescriptionKeepsAnyTextAndExplainsItself) {
    CUstawOpis dialog;
    dialog.description = u"stary";
    EXPECT_EQ(Run<CUstawOpis>(dialog, [](CUstawOpis& d) {
                  EXPECT_EQ(d.ItemText(1412), u"stary");
                  d.RunCommand(1099);
                  d.SetItemText(1412, u"szpak, 'biała' lotka");
                  d.RunCommand(IDOK);
              }),
              IDOK);
    EXPECT_EQ(dialog.description, u"szpak, 'biała' lotka");
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, QStringLiteral("Objaśnienie"));
    EXPECT_TRUE(seams::MessageBoxCalls()[0].text.startsWith(
        QStringLiteral("W to pole wpisz krótki i jednoznaczny opis gołębia. \n Będzie")));
}

}  // namespace
