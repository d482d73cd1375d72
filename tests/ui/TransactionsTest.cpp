// The transactions page and the transaction editor: what a save writes to pigeons.db (client,
// bird or free-text subject, kind, currency, price, date with its time of day), the refusals
// that write nothing, Enter, the searches, the list's cells and its rows after deletes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <functional>
#include <memory>
#include <ostream>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DodajZmienTransakcje.h"
#include "Globals.h"
#include "MainDialog.h"
#include "menu/MainMenu.h"
#include "ListView.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "ZakladkaTransakcje.h"
#include "ZarzadzajKlientami.h"

// Texts show as text in failure messages.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using Editor = CDodajZmienTransakcje;

// Runs `fill` on the editor when it opens and answers with its end code.
seams::ModalHandler OnEditor(std::function<void(Editor&)> fill) {
    return [fill](Dialog& dialog) {
        auto* editor = qobject_cast<Editor*>(&dialog);
        EXPECT_NE(editor, nullptr);
        if (editor) fill(*editor);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    };
}

void ChooseLine(Editor& editor, int listId, int line) {
    editor.ListBox(listId)->SetCurSel(line);
    editor.Fire(listId, Notification::SelChange);
}

void ChooseEntry(Editor& editor, int comboId, int position) {
    editor.Combo(comboId)->SetCurSel(position);
    editor.Fire(comboId, Notification::SelChange);
}

void SetDate(Editor& editor, int day, int month, int year) {
    editor.SetDlgItemInt(Editor::kDay, day);
    editor.SetDlgItemInt(Editor::kMonth, month);
    editor.SetDlgItemInt(Editor::kYear, year);
}

QStringList ListBoxLines(ListBoxControl* list) {
    QStringList lines;
    for (int i = 0; i < list->GetCount(); ++i) lines << list->GetText(i);
    return lines;
}

Time64 Local(int day, int month, int year, int hour, int minute, int second) {
    const auto time = MakeLocalTime(day, month, year, hour, minute, second);
    EXPECT_TRUE(time.has_value());
    return time.value_or(-1);
}

class TransactionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowTest::SetUp());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik A");
        otherLoftId_ = AddLoft(u"Gołębnik B");
        store.AddColour(loftId_, u"Niebieski");
        jan_ = AddClient(u"Jan", u"Kowalski", u"Kraków", u"Długa");
        anna_ = AddClient(u"ANNA", u"Nowak", u"Gdańsk", u"Morska");
        bird_ = AddBird(loftId_, u"12345", u"Szybki");
        foreignBird_ = AddBird(otherLoftId_, u"77001");

        store.LoadLofts();
        store.LoadPigeonsDb(loftId_);
        store.LoadExtraDb(loftId_);
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        g_selectedTransactionRow = -1;
        OpenPage();
    }

    void TearDown() override {
        page_.reset();
        MainWindowTest::TearDown();
    }

    static int AddClient(const Text& first, const Text& last, const Text& town, const Text& street) {
        PersonRecord client;
        client.imie = first;
        client.nazwisko = last;
        client.miejscowosc = town;
        client.ulica = street;
        EXPECT_TRUE(TheDataStore().WriteClient(WriteMode::Insert, client));
        return client.id;
    }

    // A blue bird of the loft, in no category.
    static int AddBird(int loftId, const Text& ring, const Text& name = u"") {
        PigeonRecord bird;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = ring;
        bird.nazwa = name;
        bird.id_hodowli = loftId;
        for (const auto& [id, colour] : TheDataStore().ColourNames())
            if (colour == u"Niebieski") bird.id_koloru = id;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    // A transaction written straight through the data store, as if added earlier.
    int Stored(TransactionRecord record) {
        record.id_hodowli = loftId_;
        EXPECT_TRUE(TheDataStore().WriteTransaction(WriteMode::Insert, record));
        return record.id;
    }
    int StoredSale(int clientId, int birdId) {
        TransactionRecord sale;
        sale.id_klienta = clientId;
        sale.id_golebia = birdId;
        sale.data = Local(3, 4, 2024, 12, 0, 0);
        return Stored(sale);
    }

    // Lists long enough to scroll: birds "5010" to "5049" of the loft and clients "Klient10"
    // to "Klient49", after the two of each that every test has.
    std::pair<std::vector<int>, std::vector<int>> AddFortyBirdsAndClients() const {
        std::vector<int> birds, clients;
        for (int k = 0; k < 40; ++k) {
            const Text number = FromUtf8(std::to_string(10 + k));
            birds.push_back(AddBird(loftId_, u"50" + number));
            clients.push_back(AddClient(u"Klient" + number, u"Nowak", u"Opole", u"Polna"));
        }
        return {birds, clients};
    }

    void OpenPage() {
        page_ = std::make_unique<CZakladkaTransakcje>();
        page_->Create(nullptr);
        page_->resize(900, 600);
        page_->LayoutControls();
    }

    // The transactions as pigeons.db holds them, read by a store of its own.
    std::map<int, TransactionRecord> OnDisk() const {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loftId_);
        return fresh.Transactions();
    }

    ListView* List() const { return page_->TransactionList(); }
    QStringList Row(int row) const {
        QStringList cells;
        for (int column = 0; column < 7; ++column) cells << List()->GetItemText(row, column);
        return cells;
    }
    void ClickRow(int row) {
        List()->SelectRow(row);
        page_->Fire(CZakladkaTransakcje::kTransactionList, Notification::Clicked);
    }

    std::unique_ptr<CZakladkaTransakcje> page_;
    int loftId_ = 0, otherLoftId_ = 0, jan_ = 0, anna_ = 0, bird_ = 0, foreignBird_ = 0;
};

// ---- saving -----------------------------------------------------------------------------------

TEST_F(TransactionsTest, NewTransactionStoresClientBirdKindCurrencyPriceAndDate) {
    QString clientLabel, addressLabel, birdLabel, colourLabel;
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        ChooseLine(editor, Editor::kClientList, 0);
        ChooseLine(editor, Editor::kBirdList, 0);
        ChooseEntry(editor, Editor::kKindCombo, 1);       // " Kupno"
        ChooseEntry(editor, Editor::kCurrencyCombo, 2);   // "EUR"
        editor.SetDlgItemText(Editor::kAmount, QStringLiteral("12.5"));
        editor.SetDlgItemText(Editor::kNotes, QStringLiteral("Zapłacono gotówką przy odbiorze"));
        SetDate(editor, 15, 1, 2024);
        editor.hour = 13, editor.minute = 45, editor.second = 30;
        clientLabel = editor.GetDlgItemText(Editor::kClientName);
        addressLabel = editor.GetDlgItemText(Editor::kClientAddress);
        birdLabel = editor.GetDlgItemText(Editor::kBirdName);
        colourLabel = editor.GetDlgItemText(Editor::kBirdColour);
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();

    EXPECT_EQ(clientLabel, QStringLiteral("Jan Kowalski"));
    EXPECT_EQ(addressLabel, QStringLiteral("Kraków, Długa"));
    EXPECT_EQ(birdLabel, QStringLiteral("PL 0123 24 12345 [Szybki]"));
    EXPECT_EQ(colourLabel, QStringLiteral("Niebieski"));

    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    const TransactionRecord& saved = disk.begin()->second;
    EXPECT_GT(saved.id, 0);
    EXPECT_EQ(saved.id_hodowli, loftId_);
    EXPECT_EQ(saved.id_klienta, jan_);
    EXPECT_EQ(saved.id_golebia, bird_);
    EXPECT_EQ(saved.innyprzedmiottransakcji, u"");
    EXPECT_EQ(saved.rodzajtransakcji, 1);
    EXPECT_EQ(saved.waluta, 2);
    EXPECT_EQ(saved.przedmiottransakcji, 0);
    EXPECT_DOUBLE_EQ(saved.cena, 12.5);
    EXPECT_EQ(saved.data, Local(15, 1, 2024, 13, 45, 30));
    EXPECT_EQ(saved.not1, u"Zapłacono gotówką przy odbiorze");

    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(Row(0), (QStringList{" ", "Jan Kowalski", "Kupno", "PL 0123 24 12345 [Szybki]",
                                   "12.5 EUR", "15/01/24, 13:45", "Zapłacono gotów"}));
    EXPECT_EQ(page_->RowMap().at(0), saved.id);
}

TEST_F(TransactionsTest, NewTransactionKeepsTheTimeOfDayTheEditorOpenedAt) {
    int hour = -1, minute = -1, second = -1;
    const std::time_t before = std::time(nullptr);
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        hour = editor.hour, minute = editor.minute, second = editor.second;
        SetDate(editor, 1, 3, 2024);
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();

    std::tm now{};
    localtime_r(&before, &now);
    EXPECT_NEAR(hour * 3600 + minute * 60 + second, now.tm_hour * 3600 + now.tm_min * 60 + now.tm_sec,
                5);
    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk.begin()->second.data, Local(1, 3, 2024, hour, minute, second));
    // Saved with nothing chosen: no client, no bird, amount 0, the first kind and currency.
    EXPECT_EQ(disk.begin()->second.id_klienta, -1);
    EXPECT_EQ(disk.begin()->second.id_golebia, -1);
    EXPECT_EQ(Row(0)[1], QStringLiteral(" "));
    EXPECT_EQ(Row(0)[4], QStringLiteral("0 PLN"));
}

TEST_F(TransactionsTest, EditingUnchangedKeepsDateInWinterAndSummerPriceAndFreeTextSubject) {
    TransactionRecord winter;
    winter.id_klienta = anna_;
    winter.data = Local(15, 1, 2024, 10, 30, 0);
    winter.cena = 12345.67;
    winter.waluta = 1;
    winter.przedmiottransakcji = 1;
    winter.innyprzedmiottransakcji = u"Karma 'Mega' 20 kg";
    const int winterId = Stored(winter);
    TransactionRecord summer;
    summer.id_golebia = bird_;
    summer.data = Local(15, 7, 2024, 10, 30, 0);
    summer.cena = 0.1;
    const int summerId = Stored(summer);
    // The second 02:30 of 27.10.2024, in the hour the autumn change plays twice: its fields
    // alone would make the first.
    TransactionRecord autumn = summer;
    autumn.data = 1729992600;
    const int autumnId = Stored(autumn);
    OpenPage();

    for (int row = 0; row < 3; ++row) {
        bool subjectShown = false;
        QString subject, amount, day;
        ClickRow(row);
        seams::QueueModalHandler(OnEditor([&](Editor& editor) {
            subjectShown = editor.Item(Editor::kOtherSubject)->isVisible() &&
                           editor.Item(Editor::kOtherSubject)->isEnabled();
            subject = editor.GetDlgItemText(Editor::kOtherSubject);
            amount = editor.GetDlgItemText(Editor::kAmount);
            day = editor.GetDlgItemText(Editor::kDay);
            editor.RunCommand(Editor::kSave);
            EXPECT_TRUE(editor.HasEnded());  // the amount shown is an amount it accepts
        }));
        page_->EditTransaction();
        EXPECT_EQ(day, row == 2 ? QStringLiteral("27") : QStringLiteral("15"));
        if (row == 0) {
            EXPECT_TRUE(subjectShown);
            EXPECT_EQ(subject, QStringLiteral("Karma 'Mega' 20 kg"));
            EXPECT_EQ(amount, QStringLiteral("12345.67"));
        } else {
            EXPECT_FALSE(subjectShown);
            EXPECT_EQ(amount, QStringLiteral("0.1"));
        }
    }

    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 3u);
    EXPECT_EQ(disk.at(winterId).data, winter.data);
    EXPECT_EQ(disk.at(summerId).data, summer.data);
    EXPECT_EQ(disk.at(autumnId).data, autumn.data);
    EXPECT_DOUBLE_EQ(disk.at(winterId).cena, 12345.67);
    EXPECT_DOUBLE_EQ(disk.at(summerId).cena, 0.1);
    EXPECT_EQ(disk.at(winterId).innyprzedmiottransakcji, u"Karma 'Mega' 20 kg");
    EXPECT_EQ(disk.at(winterId).id_golebia, 0);
    EXPECT_EQ(disk.at(winterId).id_klienta, anna_);
    EXPECT_EQ(disk.at(winterId).waluta, 1);
    EXPECT_EQ(disk.at(summerId).id_golebia, bird_);
    EXPECT_EQ(Row(0)[3], QStringLiteral("Karma 'Mega' 20 kg"));
    EXPECT_EQ(Row(0)[4], QStringLiteral("12345.67 USD"));
    EXPECT_EQ(Row(0)[5], QStringLiteral("15/01/24, 10:30"));
    EXPECT_EQ(Row(1)[5], QStringLiteral("15/07/24, 10:30"));
}

TEST_F(TransactionsTest, SubjectKindDecidesBetweenBirdAndFreeText) {
    // Free text typed, then "Zwierzę" chosen again: the bird is stored and the text is not.
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        ChooseEntry(editor, Editor::kSubjectCombo, 1);
        EXPECT_TRUE(editor.Item(Editor::kOtherSubject)->isVisible());
        editor.SetDlgItemText(Editor::kOtherSubject, QStringLiteral("Klatka"));
        ChooseLine(editor, Editor::kBirdList, 0);
        ChooseEntry(editor, Editor::kSubjectCombo, 0);
        EXPECT_FALSE(editor.Item(Editor::kOtherSubject)->isVisible());
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();
    // "Inna transakcja": no bird, whatever was chosen in the list.
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        ChooseLine(editor, Editor::kBirdList, 0);
        ChooseEntry(editor, Editor::kSubjectCombo, 1);
        editor.SetDlgItemText(Editor::kOtherSubject, QStringLiteral("Klatka"));
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();

    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 2u);
    const TransactionRecord& bird = disk.begin()->second;
    const TransactionRecord& other = std::next(disk.begin())->second;
    EXPECT_EQ(bird.id_golebia, bird_);
    EXPECT_EQ(bird.przedmiottransakcji, 0);
    EXPECT_EQ(bird.innyprzedmiottransakcji, u"");
    EXPECT_EQ(other.id_golebia, 0);
    EXPECT_EQ(other.przedmiottransakcji, 1);
    EXPECT_EQ(other.innyprzedmiottransakcji, u"Klatka");
    EXPECT_EQ(Row(0)[3], QStringLiteral("PL 0123 24 12345 [Szybki]"));
    EXPECT_EQ(Row(1)[3], QStringLiteral("Klatka"));
}

// ---- refusals and keys ------------------------------------------------------------------------

TEST_F(TransactionsTest, BadAmountAndImpossibleDateAreRefusedAndWriteNothing) {
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        SetDate(editor, 10, 5, 2024);
        editor.SetDlgItemText(Editor::kAmount, QStringLiteral("12,50 zł"));
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);
        EXPECT_TRUE(OnDisk().empty());

        // A search box reads only its own text: the bad amount is not reported again.
        editor.SetDlgItemText(Editor::kClientSearch, QStringLiteral("J"));
        editor.SetDlgItemText(Editor::kBirdSearch, QStringLiteral("1"));
        EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);

        editor.SetDlgItemText(Editor::kAmount, QStringLiteral("12,50"));  // as Polish users type it
        SetDate(editor, 31, 4, 2024);
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_EQ(seams::MessageBoxCalls().size(), 2u);
        SetDate(editor, 1, 1, 1969);
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        SetDate(editor, 29, 2, 2100);  // a century year that is no leap year
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        // A box left empty names the date, as an impossible date does.
        SetDate(editor, 30, 4, 2024);
        editor.SetDlgItemText(Editor::kMonth, QString());
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_EQ(MessageTexts().mid(1),
                  QStringList(4, QStringLiteral("Nieprawidłowa data transakcji.")));
        EXPECT_TRUE(OnDisk().empty());

        SetDate(editor, 30, 4, 2024);
        editor.RunCommand(Editor::kSave);
        EXPECT_TRUE(editor.HasEnded());
    }));
    page_->AddTransaction();

    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_DOUBLE_EQ(disk.begin()->second.cena, 12.5);
    EXPECT_EQ(List()->GetItemCount(), 1);
}

// The time of day kept out of sight is not moved without a word: on the day the clock skips
// it, No keeps the editor open and writes nothing; Yes stores the first time after the skip.
TEST_F(TransactionsTest, ADayWhoseClockSkipsTheKeptTimeIsStoredOnlyAfterTheQuestion) {
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        SetDate(editor, 29, 3, 2026);
        editor.hour = 2, editor.minute = 30, editor.second = 0;
        seams::ScriptMessageBoxAnswers({IDNO});
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_TRUE(OnDisk().empty());
        seams::ScriptMessageBoxAnswers({IDYES});
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();
    EXPECT_EQ(MessageTexts().size(), 2);
    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk.begin()->second.data, Local(29, 3, 2026, 3, 0, 0));
    EXPECT_EQ(Row(0)[5], QStringLiteral("29/03/26, 03:00"));
}

TEST_F(TransactionsTest, EnterSavesOrDoesNothingAndNeverLeavesARowWithoutId) {
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        editor.SetDlgItemText(Editor::kAmount, QStringLiteral("abc"));
        QTest::keyClick(editor.Item(Editor::kNotes), Qt::Key_Return);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_TRUE(OnDisk().empty());
        editor.SetDlgItemText(Editor::kAmount, QStringLiteral("40"));
        QTest::keyClick(editor.Item(Editor::kNotes), Qt::Key_Return);
        EXPECT_TRUE(editor.HasEnded());
    }));
    page_->AddTransaction();
    // Escape and "Zamknij" close without writing.
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        QTest::keyClick(editor.Item(Editor::kNotes), Qt::Key_Escape);
    }));
    page_->AddTransaction();
    seams::QueueModalHandler(OnEditor([&](Editor& editor) { editor.RunCommand(IDCANCEL); }));
    page_->AddTransaction();

    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_DOUBLE_EQ(disk.begin()->second.cena, 40.0);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(page_->RowMap().at(0), disk.begin()->first);
    EXPECT_EQ(TheDataStore().Transactions().count(0), 0u);
}

TEST_F(TransactionsTest, SearchesMatchInsideTheirOwnFieldWithCaseAcrossEveryLoft) {
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        EXPECT_EQ(ListBoxLines(editor.ListBox(Editor::kClientList)),
                  (QStringList{"Jan Kowalski", "ANNA Nowak"}));
        editor.SetDlgItemText(Editor::kClientSearch, QStringLiteral("an"));
        EXPECT_EQ(ListBoxLines(editor.ListBox(Editor::kClientList)), QStringList{"Jan Kowalski"});
        editor.SetDlgItemText(Editor::kClientSearch, QStringLiteral("Kowal"));   // a last name
        EXPECT_TRUE(ListBoxLines(editor.ListBox(Editor::kClientList)).isEmpty());
        editor.SetDlgItemText(Editor::kClientSearch, QString());
        EXPECT_EQ(editor.ListBox(Editor::kClientList)->GetCount(), 2);

        editor.SetDlgItemText(Editor::kBirdSearch, QStringLiteral("700"));
        EXPECT_EQ(ListBoxLines(editor.ListBox(Editor::kBirdList)),
                  QStringList{"PL 0123 24 77001"});
        // The line chosen in a filtered list is that line's bird.
        ChooseLine(editor, Editor::kBirdList, 0);
        EXPECT_EQ(editor.chosenBirdId, foreignBird_);
        editor.RunCommand(Editor::kSave);
    }));
    page_->AddTransaction();
    const auto disk = OnDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk.begin()->second.id_golebia, foreignBird_);
}

// An edited transaction opens with its client and bird highlighted in their lists, scrolled to,
// and shown beside them as a click shows them; saved unchanged it keeps both, and a client and a
// bird no list holds (their records gone) are kept as they were read.
TEST_F(TransactionsTest, EditedTransactionOpensWithItsClientAndBirdChosenInTheirLists) {
    const auto [birds, clients] = AddFortyBirdsAndClients();
    const int saleId = StoredSale(clients[30], birds[30]);
    const int goneId = StoredSale(9999, 8888);
    OpenPage();

    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        ClickRow(row);
        seams::QueueModalHandler(OnEditor([&](Editor& editor) {
            ListBoxControl* birdList = editor.ListBox(Editor::kBirdList);
            ListBoxControl* clientList = editor.ListBox(Editor::kClientList);
            if (row == 0) {
                const auto shownAt = [](ListBoxControl* list, int line) {
                    QCoreApplication::processEvents();
                    return list->viewport()->rect().contains(
                        list->visualItemRect(list->item(line)).center());
                };
                EXPECT_EQ(birdList->GetCurSel(), 32);   // after "12345" and "77001"
                EXPECT_TRUE(shownAt(birdList, 32));
                EXPECT_EQ(editor.GetDlgItemText(Editor::kBirdName), "PL 0123 24 5040");
                EXPECT_EQ(editor.GetDlgItemText(Editor::kBirdColour), "Niebieski");
                EXPECT_EQ(clientList->GetCurSel(), 32);   // after Jan and Anna
                EXPECT_TRUE(shownAt(clientList, 32));
                EXPECT_EQ(editor.GetDlgItemText(Editor::kClientName), "Klient40 Nowak");
                EXPECT_EQ(editor.GetDlgItemText(Editor::kClientAddress), "Opole, Polna");
            } else {
                EXPECT_EQ(birdList->GetCurSel(), -1);
                EXPECT_EQ(clientList->GetCurSel(), -1);
            }
            editor.RunCommand(Editor::kSave);
        }));
        page_->EditTransaction();
    }

    const auto disk = OnDisk();
    EXPECT_EQ(disk.at(saleId).id_golebia, birds[30]);
    EXPECT_EQ(disk.at(saleId).id_klienta, clients[30]);
    EXPECT_EQ(disk.at(goneId).id_golebia, 8888);
    EXPECT_EQ(disk.at(goneId).id_klienta, 9999);
}

// A list filtered by its search box, after its last row was reached with End, starts at its first
// row with nothing chosen, and the label beside it says to choose; saved so, the transaction has
// none. The row then reached by the keys is the one shown beside the list and stored.
TEST_F(TransactionsTest, FilteredListStartsAtItsTopWithNothingChosenBesideIt) {
    const auto [birds, clients] = AddFortyBirdsAndClients();
    struct Case {
        const char* name;
        int search, list, label, detail;
        QString noChoice;
        QString filter;
        int TransactionRecord::*stored;
        std::function<Text(int)> lineOf;   // the list's line for a stored id
    };
    const Case cases[] = {
        {"bird", Editor::kBirdSearch, Editor::kBirdList, Editor::kBirdName, Editor::kBirdColour,
         "Wybierz ptaka z listy obok", "50", &TransactionRecord::id_golebia,
         [](int id) { return TheDataStore().FindPigeon(id).GetDisplayName(); }},
        {"client", Editor::kClientSearch, Editor::kClientList, Editor::kClientName,
         Editor::kClientAddress, "Wybiersz klienta z listy obok", "Klient",
         &TransactionRecord::id_klienta, [](int id) {
             const PersonRecord& client = TheDataStore().FindClient(id);
             return client.imie + u" " + client.nazwisko;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int saleId = StoredSale(clients[30], birds[30]);
        OpenPage();
        const int row = List()->GetItemCount() - 1;
        Text highlighted;
        for (const bool chooseAfter : {false, true}) {
            ClickRow(row);
            seams::QueueModalHandler(OnEditor([&](Editor& editor) {
                ListBoxControl* list = editor.ListBox(c.list);
                list->setFocus();
                QCoreApplication::processEvents();   // the list laid out, as it is when shown
                QTest::keyClick(list, Qt::Key_End);
                ASSERT_GT(list->verticalScrollBar()->value(), 0);

                QTest::keyClicks(editor.Edit(c.search), c.filter);
                ASSERT_EQ(list->GetCount(), 40);
                QCoreApplication::processEvents();
                EXPECT_EQ(list->verticalScrollBar()->value(), 0);
                EXPECT_EQ(list->GetCurSel(), -1);
                EXPECT_EQ(editor.GetDlgItemText(c.label), c.noChoice);
                EXPECT_EQ(editor.GetDlgItemText(c.detail), " ");
                if (chooseAfter) {
                    list->setFocus();
                    QTest::keyClick(list, Qt::Key_PageDown);
                    ASSERT_GE(list->GetCurSel(), 0);
                    highlighted = list->GetTextW(list->GetCurSel());
                    EXPECT_EQ(editor.GetDlgItemText(c.label).toStdU16String(), highlighted);
                }
                editor.RunCommand(Editor::kSave);
            }));
            page_->EditTransaction();
            const int stored = OnDisk().at(saleId).*c.stored;
            if (chooseAfter) {
                EXPECT_EQ(c.lineOf(stored), highlighted);
            } else {
                EXPECT_EQ(stored, -1);
            }
        }
    }
}

// ---- the list -----------------------------------------------------------------------------------

TEST_F(TransactionsTest, RowsFollowTheirTransactionsAfterDeletes) {
    std::vector<int> ids;
    for (const char16_t* note : {u"pierwsza", u"druga", u"trzecia"}) {
        TransactionRecord record;
        record.not1 = note;
        record.data = Local(2, 2, 2024, 12, 0, 0);
        ids.push_back(Stored(record));
    }
    OpenPage();

    page_->EditTransaction();
    page_->DeleteTransaction();
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              QStringLiteral("Musisz wybrać transakcję na liście transakcji"));
    EXPECT_EQ(seams::MessageBoxCalls()[1].text,
              QStringLiteral("Musisz wybrać transakcję do usunięcia z listy transakcji"));
    EXPECT_TRUE(seams::ModalRuns().empty());

    ClickRow(1);
    EXPECT_EQ(g_selectedTransactionRow, 1);
    seams::ScriptMessageBoxAnswers({IDNO});
    page_->DeleteTransaction();
    EXPECT_EQ(OnDisk().size(), 3u);
    EXPECT_EQ(seams::MessageBoxCalls().back().caption, QStringLiteral("Usuwanie Transakcji"));
    EXPECT_EQ(seams::MessageBoxCalls().back().flags, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);

    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteTransaction();
    EXPECT_EQ(g_selectedTransactionRow, -1);
    auto disk = OnDisk();
    EXPECT_EQ(disk.size(), 2u);
    EXPECT_EQ(disk.count(ids[1]), 0u);
    ASSERT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(Row(1)[6], QStringLiteral("trzecia"));
    EXPECT_EQ(page_->RowMap(), (std::map<int, int>{{0, ids[0]}, {1, ids[2]}}));

    // The new second row is the third transaction: editing it changes that one.
    ClickRow(1);
    int opened = 0;
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        opened = editor.record.id;
        editor.SetDlgItemText(Editor::kNotes, QStringLiteral("trzecia, zmieniona"));
        editor.RunCommand(Editor::kSave);
    }));
    page_->EditTransaction();
    EXPECT_EQ(opened, ids[2]);
    disk = OnDisk();
    EXPECT_EQ(disk.at(ids[2]).not1, u"trzecia, zmieniona");
    EXPECT_EQ(disk.at(ids[0]).not1, u"pierwsza");
    EXPECT_EQ(Row(1)[6], QStringLiteral("trzecia, zmieni"));

    // Deleting the last row, then the first: nothing stays behind in the row map.
    ClickRow(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteTransaction();
    ClickRow(0);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteTransaction();
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_EQ(List()->GetItemCount(), 0);
    EXPECT_TRUE(page_->RowMap().empty());
}

TEST_F(TransactionsTest, AnotherLoftsListForgetsTheSelectionAndRowsOfThePrevious) {
    TransactionRecord first;
    first.not1 = u"A1";
    first.data = Local(1, 1, 2024, 8, 0, 0);
    Stored(first);
    Stored(first);
    TransactionRecord other;
    other.id_hodowli = otherLoftId_;
    other.not1 = u"B1";
    other.data = first.data;
    ASSERT_TRUE(TheDataStore().WriteTransaction(WriteMode::Insert, other));
    TheDataStore().LoadPigeonsDb(loftId_);
    OpenPage();
    ASSERT_EQ(List()->GetItemCount(), 2);
    ClickRow(1);

    // The loft changes as the main window changes it: the list is emptied, then filled.
    TheDataStore().LoadPigeonsDb(otherLoftId_);
    g_currentLoftIndex = TheDataStore().FindLoftIndex(otherLoftId_);
    List()->DeleteAllItems();
    page_->FillTransactionList();
    EXPECT_EQ(g_selectedTransactionRow, -1);
    EXPECT_EQ(page_->RowMap(), (std::map<int, int>{{0, other.id}}));
    page_->EditTransaction();
    EXPECT_TRUE(seams::ModalRuns().empty());

    ClickRow(0);
    int opened = 0;
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        opened = editor.record.id;
        editor.RunCommand(IDCANCEL);
    }));
    page_->EditTransaction();
    EXPECT_EQ(opened, other.id);
}

TEST_F(TransactionsTest, CellsShowPriceKindClientAndShortNotesWithoutInventingRecords) {
    TransactionRecord plain;
    plain.id_klienta = jan_;
    plain.cena = 100;
    plain.not1 = u"Notatka mająca dokładnie czterdzieści zn.";
    Stored(plain);
    TransactionRecord odd;
    odd.rodzajtransakcji = 3;
    odd.id_klienta = 9999;    // a client that is gone
    odd.id_golebia = 8888;    // a bird that is gone
    odd.cena = 1234567.891;
    odd.waluta = 4;
    odd.data = kNoDate;
    const int oddId = Stored(odd);
    const size_t clients = TheDataStore().Clients().size();
    const size_t birds = TheDataStore().Pigeons().size();
    OpenPage();

    EXPECT_EQ(Row(0)[1], QStringLiteral("Jan Kowalski"));
    EXPECT_EQ(Row(0)[2], QStringLiteral("Sprzedaż"));
    EXPECT_EQ(Row(0)[4], QStringLiteral("100 PLN"));
    EXPECT_EQ(Row(0)[6], QStringLiteral("Notatka mająca "));
    EXPECT_EQ(Row(1)[1], QStringLiteral(" "));
    EXPECT_EQ(Row(1)[2], QString());              // an unknown kind writes no text
    EXPECT_EQ(Row(1)[4], QStringLiteral("1234567.89 JEN"));
    EXPECT_EQ(Row(1)[5], QString());
    EXPECT_EQ(TheDataStore().Clients().size(), clients);
    EXPECT_EQ(TheDataStore().Pigeons().size(), birds);

    // Rewriting a row with an unknown kind keeps the kind text it had.
    page_->SetTransactionRow(0, TheDataStore().Transactions().at(oddId));
    EXPECT_EQ(Row(0)[2], QStringLiteral("Sprzedaż"));
    EXPECT_EQ(Row(0)[4], QStringLiteral("1234567.89 JEN"));

    // Editing it keeps the kind and currency the lists do not offer; it has no date yet, so
    // one must be typed.
    ClickRow(1);
    seams::QueueModalHandler(OnEditor([](Editor& editor) {
        EXPECT_EQ(editor.GetDlgItemText(Editor::kYear), QStringLiteral("0"));
        editor.RunCommand(Editor::kSave);
        EXPECT_FALSE(editor.HasEnded());
        SetDate(editor, 3, 3, 2024);
        editor.RunCommand(Editor::kSave);
    }));
    page_->EditTransaction();
    const auto disk = OnDisk();
    EXPECT_EQ(disk.at(oddId).rodzajtransakcji, 3);
    EXPECT_EQ(disk.at(oddId).waluta, 4);
    EXPECT_EQ(disk.at(oddId).data, Local(3, 3, 2024, 0, 0, 0));
    EXPECT_EQ(Row(1)[5], QStringLiteral("03/03/24, 00:00"));
}

// Two birds sold whose long rings differ only at their end: the subject cut to its column keeps
// the ring's end, so the rows still tell the birds apart, and the whole text is the tooltip.
TEST_F(TransactionsTest, ACutRingInTheSubjectKeepsItsEnd) {
    for (const char16_t* ring : {u"PL-0123-2024-0045671", u"PL-0123-2024-0045672"}) {
        TransactionRecord sale;
        sale.id_klienta = jan_;
        sale.id_golebia = AddBird(loftId_, ring, u"Błękitna Strzała");
        Stored(sale);
    }
    OpenPage();
    page_->show();
    QStringList shown;
    for (int row = 0; row < 2; ++row) {
        const QString whole = List()->GetItemText(row, 3);
        const QString text = List()->ShownCellText(row, 3);
        ASSERT_NE(text, whole);
        EXPECT_TRUE(text.endsWith(QString::number(row + 1))) << text.toStdString();
        EXPECT_EQ(List()->CellToolTip(row, 3), whole);
        shown << text;
    }
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(TransactionsTest, LinksRunTheirCommandsAndTheReportLinkDoesNothing) {
    QTest::mouseClick(page_.get(), Qt::LeftButton, {}, QPoint(100, 340));   // "Wydruk raportu"
    EXPECT_TRUE(seams::ModalRuns().empty());
    QTest::mouseClick(page_.get(), Qt::LeftButton, {}, QPoint(100, 95));    // "Edytuj transakcję"
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    seams::QueueModalHandler(OnEditor([](Editor& editor) { editor.RunCommand(IDCANCEL); }));
    QTest::mouseClick(page_.get(), Qt::LeftButton, {}, QPoint(100, 60));    // "Dodaj transakcję"
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, Editor::kTemplateId);

    // Without a current loft a transaction has nowhere to belong: the editor does not open.
    g_currentLoftIndex = -1;
    page_->AddTransaction();
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
}

// ---- in the main window -----------------------------------------------------------------------

TEST_F(TransactionsTest, InTheMainWindowTheMenuAndTheClientLinksReachTheirWindows) {
    TransactionRecord record;
    record.not1 = u"z menu";
    record.data = Local(5, 5, 2024, 9, 0, 0);
    const int id = Stored(record);
    page_.reset();
    CMainDialog& main = Open();
    main.OnPageStripClick(QPoint(600, 80));   // the "Transakcje" header
    ASSERT_EQ(main.ActivePage(), CMainDialog::kTransactionsPage);
    CZakladkaTransakcje* page = main.TransactionsPage();
    ASSERT_EQ(page->TransactionList()->GetItemCount(), 1);

    page->TransactionList()->SelectRow(0);
    page->Fire(CZakladkaTransakcje::kTransactionList, Notification::Clicked);
    int opened = 0;
    seams::QueueModalHandler(OnEditor([&](Editor& editor) {
        opened = editor.record.id;
        editor.RunCommand(IDCANCEL);
    }));
    main.RunCommand(kCmdEditTransaction);
    EXPECT_EQ(opened, id);

    for (int i = 0; i < 2; ++i) seams::QueueModalHandler([](Dialog&) { return IDCANCEL; });
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 280));   // "Dodaj klienta"
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 310));   // "Zarządzaj klientami"
    std::vector<int> runs;
    for (const seams::ModalRun& run : seams::ModalRuns()) runs.push_back(run.templateId);
    EXPECT_EQ(runs, (std::vector<int>{Editor::kTemplateId, 137, 136}));
}

TEST_F(TransactionsTest, AClientDeletedInTheRegisterLeavesTheListAtOnce) {
    TransactionRecord sale;
    sale.id_klienta = jan_;
    Stored(sale);
    TransactionRecord purchase;
    purchase.id_klienta = anna_;
    Stored(purchase);
    page_.reset();
    CMainDialog& main = Open();
    ListView* list = main.TransactionsPage()->TransactionList();
    ASSERT_EQ(ListColumn(list, 1), (QStringList{"Jan Kowalski", "ANNA Nowak"}));

    // Jan is deleted and another client added in the register: the list shows no name for the
    // sale, as after a restart, and never the new client's.
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& manager = dynamic_cast<CZarzadzajKlientami&>(dialog);
        for (const auto& [row, id] : manager.rowMap) {
            if (id == jan_) manager.PersonList()->SelectRow(row);
        }
        manager.OnListClick();
        manager.DeleteClient();
        return IDCANCEL;
    });
    main.RunCommand(kCmdManageClients);
    AddClient(u"Piotr", u"Nowy", u"Łódź", u"Krótka");
    EXPECT_EQ(ListColumn(list, 1), (QStringList{" ", "ANNA Nowak"}));
}

}  // namespace
