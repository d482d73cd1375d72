// The loft manager and the name dictionaries: rows kept in step with the data store's vectors and
// maps and with the database files, duplicates refused without leaving anything behind, row 0 of
// a dictionary protected, and the colour code stored in the colours table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <ostream>
#include <tuple>
#include <sqlite3.h>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "Globals.h"
#include "MainDialog.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "WprowadzKodKoloru.h"
#include "WyborKoloru.h"
#include "ZarzadzajHodowlami.h"
#include "ZarzadzajStatusami.h"
#include "menu/MainMenu.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QStringList Rows(ListBoxControl* list) {
    QStringList rows;
    for (int i = 0; i < list->GetCount(); ++i) rows << list->GetText(i);
    return rows;
}

QStringList Names(const std::vector<LoftRecord>& lofts) {
    QStringList names;
    for (const LoftRecord& loft : lofts) names << QString::fromStdU16String(loft.nazwahodowli);
    return names;
}

QStringList Names(const std::vector<CategoryRecord>& categories) {
    QStringList names;
    for (const CategoryRecord& c : categories) names << QString::fromStdU16String(c.nazwakategorii);
    return names;
}

QStringList Names(const NameMap& map) {
    QStringList names;
    for (const auto& entry : map) names << QString::fromStdU16String(entry.second);
    return names;
}

// Rows of a query on the extra database, each row's columns joined by '|'.
QStringList QueryExtra(const char* sql) {
    QStringList rows;
    sqlite3* db = nullptr;
    const std::string path = QString::fromStdU16String(ExtraDbPath()).toStdString();
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return {"<no database>"};
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                columns << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            rows << columns.join('|');
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

class RegisterTest : public MainWindowTest {
protected:
    // Lofts and categories as the main window leaves them after loading.
    static void LoadLoftsAndChooseFirst() {
        TheDataStore().LoadLofts();
        g_currentLoftIndex = TheDataStore().Lofts().empty() ? -1 : 0;
    }
};

// ---- the loft manager -------------------------------------------------------------------------

class LoftManagerTest : public RegisterTest {
protected:
    void Open() {
        manager_ = std::make_unique<CZarzadzajHodowlami>();
        manager_->show();
    }
    void ChooseLoft(int row) {
        manager_->LoftList()->SetCurSel(row);
        manager_->Fire(CZarzadzajHodowlami::kLoftList, Notification::SelChange);
    }
    void ChooseCategory(int row) {
        manager_->CategoryList()->SetCurSel(row);
        manager_->Fire(CZarzadzajHodowlami::kCategoryList, Notification::SelChange);
    }
    QStringList LoftRows() const { return Rows(manager_->LoftList()); }
    QStringList CategoryRows() const { return Rows(manager_->CategoryList()); }
    // The rows and the data store's vectors must say the same.
    void ExpectInStep() const {
        EXPECT_EQ(LoftRows(), Names(TheDataStore().Lofts()));
        if (manager_->selectedLoft >= 0) {
            EXPECT_EQ(CategoryRows(),
                      Names(TheDataStore().Lofts()[manager_->selectedLoft].categories));
        }
    }

    std::unique_ptr<CZarzadzajHodowlami> manager_;
};

TEST_F(LoftManagerTest, CategoriesAddedEditedAndDeletedKeepRowsVectorAndFileInStep) {
    AddLoft(u"Pierwszy");
    const int loft = AddLoft(u"Drugi");
    AddCategory(loft, u"Lotne");
    AddCategory(loft, u"Rozpłodowe");
    AddCategory(loft, u"Młode 2024");
    LoadLoftsAndChooseFirst();
    Open();
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy", "Drugi"}));
    EXPECT_TRUE(CategoryRows().isEmpty());
    ChooseLoft(1);
    EXPECT_EQ(CategoryRows(), (QStringList{"Lotne", "Rozpłodowe", "Młode 2024"}));

    // Deleting the second of three categories; the row now second is the former third.
    ChooseCategory(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteCategoryButton);
    EXPECT_EQ(manager_->selectedCategory, 1);
    EXPECT_EQ(CategoryRows(), (QStringList{"Lotne", "Młode 2024"}));
    ExpectInStep();
    ChooseCategory(1);
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edytuj kategorię");
        EXPECT_EQ(editor.GetDlgItemText(1008), "Młode 2024");
        editor.SetItemText(1008, u"Młode 2025");
        editor.SetItemText(1009, u"z wiosny");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    manager_->RunCommand(CZarzadzajHodowlami::kEditCategoryButton);
    EXPECT_EQ(CategoryRows(), (QStringList{"Lotne", "Młode 2025"}));
    ExpectInStep();
    // Opening the editor on it again shows the new name.
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.GetDlgItemText(1008), "Młode 2025");
        return IDCANCEL;
    });
    manager_->RunCommand(CZarzadzajHodowlami::kEditCategoryButton);

    // A new category is the last row, and editing that row edits that very category.
    seams::QueueModalHandler(Enter(u"Sprzedane"));
    manager_->RunCommand(CZarzadzajHodowlami::kAddCategoryButton);
    EXPECT_EQ(CategoryRows(), (QStringList{"Lotne", "Młode 2025", "Sprzedane"}));
    ExpectInStep();
    ChooseCategory(2);
    seams::QueueModalHandler(Enter(u"Sprzedane 2024"));
    manager_->RunCommand(CZarzadzajHodowlami::kEditCategoryButton);

    const std::vector<LoftRecord> disk = LoftsOnDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_TRUE(disk[0].categories.empty());
    EXPECT_EQ(Names(disk[1].categories), (QStringList{"Lotne", "Młode 2025", "Sprzedane 2024"}));
    EXPECT_EQ(disk[1].categories[1].opiskategorii, u"z wiosny");
    EXPECT_EQ(Names(TheDataStore().Lofts()[1].categories), Names(disk[1].categories));
    EXPECT_EQ(TheDataStore().Lofts()[1].categories[2].id, disk[1].categories[2].id);
}

TEST_F(LoftManagerTest, DuplicateLoftNamesAreRefusedWithoutPhantomRowsOrRecords) {
    AddLoft(u"Pierwszy");
    AddLoft(u"Drugi");
    LoadLoftsAndChooseFirst();
    Open();

    seams::QueueModalHandler(Enter(u"Pierwszy"));
    manager_->RunCommand(CZarzadzajHodowlami::kAddLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy", "Drugi"}));
    EXPECT_EQ(MessageTexts(), QStringList{"Gołębnik o tej nazwie już istnieje. Wpisz inną nazwę."});
    ExpectInStep();

    // Renaming a loft to a name taken by another leaves the row, the record and the file alone.
    ChooseLoft(1);
    seams::QueueModalHandler(Enter(u"Pierwszy", u"opis"));
    manager_->RunCommand(CZarzadzajHodowlami::kEditLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy", "Drugi"}));
    ExpectInStep();
    EXPECT_EQ(TheDataStore().Lofts()[1].opishodowli, u"");
    EXPECT_EQ(Names(LoftsOnDisk()), (QStringList{"Pierwszy", "Drugi"}));

    // A fresh name goes in as the last row with the title the manager gives its editor.
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Dodaj nowy gołębnik");
        editor.SetItemText(1008, u"Trzeci");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    manager_->RunCommand(CZarzadzajHodowlami::kAddLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy", "Drugi", "Trzeci"}));
    ExpectInStep();
    EXPECT_EQ(Names(LoftsOnDisk()), (QStringList{"Pierwszy", "Drugi", "Trzeci"}));
}

TEST_F(LoftManagerTest, EditedAndDeletedLoftsKeepRowsInStep) {
    const int first = AddLoft(u"Pierwszy");
    const int second = AddLoft(u"Drugi");
    AddLoft(u"Trzeci");
    AddCategory(first, u"Lotne");
    AddCategory(second, u"Młode");
    LoadLoftsAndChooseFirst();
    Open();

    ChooseLoft(0);
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edycja gołębnika");
        EXPECT_EQ(editor.GetDlgItemText(1008), "Pierwszy");
        editor.SetItemText(1008, u"Pierwszy Nowy");
        editor.SetItemText(1009, u"na strychu");
        editor.RunCommand(IDOK);
        return editor.EndCode();
    });
    manager_->RunCommand(CZarzadzajHodowlami::kEditLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy Nowy", "Drugi", "Trzeci"}));
    // The edited loft stays chosen, as drawn, with its categories.
    EXPECT_EQ(manager_->selectedLoft, 0);
    EXPECT_EQ(manager_->LoftList()->GetCurSel(), 0);
    EXPECT_EQ(CategoryRows(), QStringList{"Lotne"});
    ExpectInStep();
    EXPECT_EQ(LoftsOnDisk()[0].opishodowli, u"na strychu");

    // Deleting the second loft: its categories go with it and leave the category list.
    ChooseLoft(1);
    EXPECT_EQ(CategoryRows(), QStringList{"Młode"});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteLoftButton);  // No: nothing goes
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy Nowy", "Drugi", "Trzeci"}));
    seams::ScriptMessageBoxAnswers({IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Pierwszy Nowy", "Trzeci"}));
    EXPECT_TRUE(CategoryRows().isEmpty());
    EXPECT_EQ(manager_->selectedLoft, 1);
    ExpectInStep();
    // The row now second is the former third loft.
    ChooseLoft(1);
    seams::QueueModalHandler(Enter(u"Kategoria trzeciego"));
    manager_->RunCommand(CZarzadzajHodowlami::kAddCategoryButton);
    const std::vector<LoftRecord> disk = LoftsOnDisk();
    EXPECT_EQ(Names(disk), (QStringList{"Pierwszy Nowy", "Trzeci"}));
    EXPECT_EQ(Names(disk[1].categories), QStringList{"Kategoria trzeciego"});
}

// After a delete the list draws the row that took the deleted one's place (or the new last row)
// as chosen: the commands act on that row, and a loft drawn chosen has its categories listed.
TEST_F(LoftManagerTest, TheRowDrawnChosenAfterADeleteIsTheOneTheCommandsActOn) {
    const int first = AddLoft(u"Pierwszy");
    const int second = AddLoft(u"Drugi");
    AddLoft(u"Trzeci");
    AddCategory(first, u"Lotne");
    AddCategory(first, u"Rozpłodowe");
    AddCategory(first, u"Młode");
    AddCategory(second, u"Stare");
    LoadLoftsAndChooseFirst();
    Open();
    ChooseLoft(0);
    const auto drawn = [](ListBoxControl* list) {
        const int row = list->GetCurSel();
        return row < 0 ? QString() : list->GetText(row);
    };
    // "Edytuj wybraną" opens the editor on the category drawn chosen and renames it.
    const auto renameDrawn = [&](const QString& expected, const Text& name) {
        QString opened;
        seams::QueueModalHandler([&](Dialog& editor) {
            opened = editor.GetDlgItemText(1008);
            editor.SetItemText(1008, name);
            editor.RunCommand(IDOK);
            return editor.EndCode();
        });
        manager_->RunCommand(CZarzadzajHodowlami::kEditCategoryButton);
        EXPECT_EQ(opened, expected);
    };

    ChooseCategory(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteCategoryButton);
    EXPECT_EQ(drawn(manager_->CategoryList()), "Młode");
    renameDrawn("Młode", u"Młode 2025");
    EXPECT_EQ(Names(LoftsOnDisk()[0].categories), (QStringList{"Lotne", "Młode 2025"}));
    // The last row deleted: the row before it is drawn chosen, and "Usuń" deletes that one.
    seams::ScriptMessageBoxAnswers({IDYES, IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteCategoryButton);
    EXPECT_EQ(drawn(manager_->CategoryList()), "Lotne");
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteCategoryButton);
    EXPECT_TRUE(LoftsOnDisk()[0].categories.empty());
    EXPECT_EQ(drawn(manager_->CategoryList()), QString());

    // The loft after the deleted one is drawn chosen with its categories, and a new category
    // goes into it.
    seams::ScriptMessageBoxAnswers({IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteLoftButton);
    EXPECT_EQ(LoftRows(), (QStringList{"Drugi", "Trzeci"}));
    EXPECT_EQ(drawn(manager_->LoftList()), "Drugi");
    EXPECT_EQ(CategoryRows(), QStringList{"Stare"});
    seams::QueueModalHandler(Enter(u"Nowa"));
    manager_->RunCommand(CZarzadzajHodowlami::kAddCategoryButton);
    EXPECT_EQ(CategoryRows(), (QStringList{"Stare", "Nowa"}));
    ChooseCategory(0);
    renameDrawn("Stare", u"Stare 2024");
    // The last loft deleted: the one before it is drawn chosen and lists its categories.
    ChooseLoft(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    manager_->RunCommand(CZarzadzajHodowlami::kDeleteLoftButton);
    EXPECT_EQ(drawn(manager_->LoftList()), "Drugi");
    EXPECT_EQ(CategoryRows(), (QStringList{"Stare 2024", "Nowa"}));
    ExpectInStep();
    const std::vector<LoftRecord> disk = LoftsOnDisk();
    ASSERT_EQ(Names(disk), QStringList{"Drugi"});
    EXPECT_EQ(Names(disk[0].categories), (QStringList{"Stare 2024", "Nowa"}));
}

TEST_F(LoftManagerTest, MainWindowRefillsItsChoosersFromTheFileWhenTheManagerCloses) {
    const int first = AddLoft(u"Pierwszy");
    AddCategory(first, u"Lotne");
    AddLoft(u"Drugi");
    CMainDialog& dialog = MainWindowTest::Open();
    ASSERT_EQ(g_currentLoftIndex, 0);

    seams::QueueModalHandler([](Dialog& window) {
        EXPECT_EQ(window.TemplateId(), CZarzadzajHodowlami::kTemplateId);
        auto& manager = static_cast<CZarzadzajHodowlami&>(window);
        manager.LoftList()->SetCurSel(0);
        manager.OnSelectLoft();
        seams::QueueModalHandler(Enter(u"Rozpłodowe"));
        manager.OnAddCategory();
        manager.CategoryList()->SetCurSel(0);
        manager.OnSelectCategory();
        seams::ScriptMessageBoxAnswers({IDYES, IDYES});
        manager.OnDeleteCategory();
        manager.LoftList()->SetCurSel(1);
        manager.OnSelectLoft();
        manager.OnDeleteLoft();
        seams::QueueModalHandler(Enter(u"Nowy"));
        manager.OnAddLoft();
        return IDCANCEL;
    });
    dialog.RunCommand(kCmdManageLoftsAndCategories);

    EXPECT_EQ(ComboTexts(dialog.LoftCombo()), (QStringList{"Pierwszy", "Nowy"}));
    EXPECT_EQ(ComboTexts(dialog.CategoryCombo()), QStringList{"Rozpłodowe"});
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(Names(TheDataStore().Lofts()), (QStringList{"Pierwszy", "Nowy"}));
    EXPECT_EQ(Names(TheDataStore().Lofts()[0].categories), QStringList{"Rozpłodowe"});
    EXPECT_EQ(Names(LoftsOnDisk()), (QStringList{"Pierwszy", "Nowy"}));
}

// ---- the dictionaries -------------------------------------------------------------------------

// One dictionary as the tests see it: how to open its window, its map and its table.
struct DictionaryCase {
    const char* name;
    int kind;  // a DictionaryKind, 0 for statuses
    const char* table;
    const NameMap& (*map)();
};

std::ostream& operator<<(std::ostream& out, const DictionaryCase& c) { return out << c.name; }

const DictionaryCase kDictionaries[] = {
    {"colours", DictionaryColours, "kolory", [] () -> const NameMap& { return TheDataStore().ColourNames(); }},
    {"breeds", DictionaryBreeds, "gatunekrasa", [] () -> const NameMap& { return TheDataStore().BreedNames(); }},
    {"eye_colours", DictionaryEyeColours, "koloroka",
     [] () -> const NameMap& { return TheDataStore().EyeColourNames(); }},
    {"lines", DictionaryLines, "linia", [] () -> const NameMap& { return TheDataStore().LineNames(); }},
    {"statuses", 0, "statusy", [] () -> const NameMap& { return TheDataStore().StatusNames(); }},
};

class DictionaryTest : public RegisterTest, public ::testing::WithParamInterface<DictionaryCase> {
protected:
    void Open() {
        if (GetParam().kind == 0) {
            window_ = std::make_unique<CZarzadzajStatusami>();
            ids_ = {CZarzadzajStatusami::kNameEdit, CZarzadzajStatusami::kAddButton,
                    CZarzadzajStatusami::kRemoveButton};
        } else {
            auto dictionary = std::make_unique<CWyborKoloru>();
            dictionary->kind = GetParam().kind;
            window_ = std::move(dictionary);
            ids_ = {CWyborKoloru::kNameEdit, CWyborKoloru::kAddButton,
                    CWyborKoloru::kRemoveButton};
        }
        window_->show();
    }
    void Add(const std::u16string& name) {
        window_->SetItemText(ids_.edit, name);
        window_->RunCommand(ids_.add);
    }
    void Remove(int row) {
        window_->NameList()->SetCurSel(row);
        window_->RunCommand(ids_.remove);
    }
    QStringList ListRows() const { return Rows(window_->NameList()); }
    QStringList OnDisk() const {
        return QueryExtra((std::string("SELECT nazwa FROM ") + GetParam().table + " ORDER BY id")
                              .c_str());
    }
    void ExpectInStep() const { EXPECT_EQ(ListRows(), Names(GetParam().map())); }

    struct {
        int edit, add, remove;
    } ids_{};
    std::unique_ptr<NameDictionaryDialog> window_;
};

TEST_P(DictionaryTest, RowsFollowTheMapThroughAddsAndDeletesAndRowZeroStays) {
    const int loft = AddLoft(u"Pierwszy");
    LoadLoftsAndChooseFirst();
    Open();
    EXPECT_EQ(ListRows(), QStringList{" "});
    for (const char16_t* name : {u"Niebieski", u"Czerwony", u"Szpak", u"Płowy"}) Add(name);
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "Czerwony", "Szpak", "Płowy"}));
    ExpectInStep();
    // The field keeps its text after an add.
    EXPECT_EQ(window_->GetDlgItemText(ids_.edit), "Płowy");

    // Deleting the second name, then the row now second (the former third).
    Remove(2);
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "Szpak", "Płowy"}));
    ExpectInStep();
    Remove(2);
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "Płowy"}));
    ExpectInStep();
    EXPECT_EQ(OnDisk(), (QStringList{"Niebieski", "Płowy"}));

    // Row 0 and no choice at all remove nothing.
    Remove(0);
    Remove(-1);
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "Płowy"}));
    ExpectInStep();
    EXPECT_EQ(GetParam().map().count(0), 1u);

    // A name added after deletes still lands where its id puts it.
    Add(u"Biały");
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "Płowy", "Biały"}));
    ExpectInStep();
    Remove(3);
    EXPECT_EQ(OnDisk(), (QStringList{"Niebieski", "Płowy"}));
    ExpectInStep();

    // New names belong to the current loft.
    EXPECT_EQ(QueryExtra((std::string("SELECT DISTINCT id_hodowli FROM ") + GetParam().table).c_str()),
              QStringList{QString::number(loft)});
}

TEST_P(DictionaryTest, DuplicateAndEmptyNamesAndNoLoftAddNothing) {
    AddLoft(u"Pierwszy");
    LoadLoftsAndChooseFirst();
    Open();
    Add(u"Niebieski");
    Add(u"");
    EXPECT_TRUE(MessageTexts().isEmpty());
    // A name on the list already is refused, and the user told so.
    Add(u"Niebieski");
    EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8("Ta nazwa jest już na liście.")});
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski"}));
    ExpectInStep();
    EXPECT_EQ(OnDisk(), QStringList{"Niebieski"});
    // A name the file refuses is not shown as added, and the user is told so.
    const std::string table = GetParam().table;
    QueryExtra(("CREATE TRIGGER refuse BEFORE INSERT ON " + table +
                " BEGIN SELECT RAISE(ABORT, 'no'); END;").c_str());
    Add(u"Płowy");
    EXPECT_EQ(MessageTexts().value(1), QString::fromUtf8("Nie udało się dodać nazwy do listy."));
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski"}));
    ExpectInStep();
    EXPECT_EQ(OnDisk(), QStringList{"Niebieski"});
    QueryExtra("DROP TRIGGER refuse;");
    seams::Reset();
    // A name with a quote is stored as typed.
    Add(u"O'Neill");
    EXPECT_EQ(OnDisk(), (QStringList{"Niebieski", "O'Neill"}));

    // Without a loft the user is told to choose one first.
    EXPECT_TRUE(MessageTexts().isEmpty());
    g_currentLoftIndex = -1;
    Add(u"Bez gołębnika");
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieski", "O'Neill"}));
    ExpectInStep();
    EXPECT_EQ(OnDisk(), (QStringList{"Niebieski", "O'Neill"}));
    EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8("Najpierw dodaj lub wybierz hodowlę.")});
}

// The name is typed into the field as a user types it and Enter pressed there: it is added as by
// "Dodaj" and the window stays open for the next one.
TEST_P(DictionaryTest, EnterInTheFieldAddsTheNameAndKeepsTheWindowOpen) {
    AddLoft(u"Pierwszy");
    LoadLoftsAndChooseFirst();
    Open();
    QApplication::setActiveWindow(window_.get());
    QWidget* field = window_->Item(ids_.edit);
    field->setFocus();
    for (const char* name : {"Niebieska", "Płowa"}) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : QString::fromUtf8(name))
            QTest::sendKeyEvent(QTest::Click, field, static_cast<Qt::Key>(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_FALSE(window_->HasEnded());
        EXPECT_TRUE(window_->isVisible());
    }
    EXPECT_EQ(ListRows(), (QStringList{" ", "Niebieska", "Płowa"}));
    EXPECT_EQ(OnDisk(), (QStringList{"Niebieska", "Płowa"}));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DictionaryTest, ::testing::ValuesIn(kDictionaries),
                         [](const auto& info) { return std::string(info.param.name); });

class ColourCodeTest : public RegisterTest {};

TEST_F(ColourCodeTest, CodeIsStoredForTheChosenColourAfterShowingTheStatement) {
    AddLoft(u"Pierwszy");
    LoadLoftsAndChooseFirst();
    CWyborKoloru window;
    window.kind = DictionaryColours;
    window.show();
    for (const char16_t* name : {u"Niebieski", u"Czerwony"}) {
        window.SetItemText(CWyborKoloru::kNameEdit, name);
        window.RunCommand(CWyborKoloru::kAddButton);
    }
    // Delete the first so the remaining colour's id differs from its row.
    window.NameList()->SetCurSel(1);
    window.RunCommand(CWyborKoloru::kRemoveButton);
    const int id = window.EntryIdAtRow(1);
    ASSERT_GT(id, 1);

    // Row 0 cannot be given a code.
    window.NameList()->SetCurSel(0);
    window.RunCommand(CWyborKoloru::kColourCodeButton);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, "Wybierz kolor z listy.");
    EXPECT_TRUE(seams::ModalRuns().empty());

    // Text that is no whole number keeps the prompt open; 5 is taken.
    seams::Reset();
    window.NameList()->SetCurSel(1);
    seams::QueueModalHandler([](Dialog& prompt) {
        EXPECT_EQ(prompt.windowTitle(), "Wprowadź kod koloru");
        prompt.SetItemText(1036, u"-3");
        prompt.RunCommand(IDOK);
        EXPECT_FALSE(prompt.HasEnded());
        prompt.SetItemText(1036, u"5");
        prompt.RunCommand(IDOK);
        return prompt.EndCode();
    });
    window.RunCommand(CWyborKoloru::kColourCodeButton);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    EXPECT_EQ(seams::MessageBoxCalls()[1].text,
              QString("UPDATE kolory SET f1 = 5 WHERE id = %1;").arg(id));
    EXPECT_EQ(QueryExtra("SELECT nazwa, f1 FROM kolory WHERE f1 IS NOT NULL AND f1 <> 0"),
              QStringList{"Czerwony|5"});

    // Cancelled: nothing changes.
    seams::Reset();
    seams::QueueModalHandler([](Dialog& prompt) {
        prompt.SetItemText(1036, u"9");
        prompt.RunCommand(IDCANCEL);
        return prompt.EndCode();
    });
    window.RunCommand(CWyborKoloru::kColourCodeButton);
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
    EXPECT_EQ(QueryExtra("SELECT f1 FROM kolory WHERE f1 IS NOT NULL AND f1 <> 0"),
              QStringList{"5"});
}

TEST_F(ColourCodeTest, ACodeTypedAsTheWindowOpensReplacesItsZero) {
    CWprowadzKodKoloru prompt;
    seams::QueueModalHandler([](Dialog& window) {
        if (!QTest::qWaitForWindowActive(&window)) return IDCANCEL;
        QTest::keyClicks(QApplication::focusWidget(), "17");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return window.EndCode();
    });
    EXPECT_EQ(prompt.DoModal(), IDOK);
    EXPECT_EQ(prompt.colourCode, 17u);
}

TEST_F(ColourCodeTest, MainMenuOpensTheColoursBreedsAndStatusesWindows) {
    AddLoft(u"Pierwszy");
    CMainDialog& dialog = Open();
    // Template, kind, whether "Ustaw kod koloru" is offered (colours only), and the title.
    std::vector<std::tuple<int, int, bool, QString>> opened;
    seams::SetModalHandler([&opened](Dialog& window) {
        const auto* dictionary = dynamic_cast<CWyborKoloru*>(&window);
        const QWidget* code = window.Item(CWyborKoloru::kColourCodeButton);
        opened.emplace_back(window.TemplateId(), dictionary ? dictionary->kind : 0,
                            code && code->isVisible() && code->isEnabled(), window.windowTitle());
        return IDCANCEL;
    });
    for (int command : {kCmdManageColours, kCmdManageBreeds, kCmdManageStatuses})
        dialog.RunCommand(command);
    EXPECT_EQ(opened, (std::vector<std::tuple<int, int, bool, QString>>{
                          {134, DictionaryColours, true, "Kolory"},
                          {134, DictionaryBreeds, false, "Rasy"},
                          {140, 0, false, "Zarządzaj Statusami"}}));
}

}  // namespace
