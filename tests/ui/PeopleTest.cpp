// Breeders and clients: the country and voivodeship positions a person keeps, what the editors
// write and when, and the managers' rows after adds, edits and deletes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <ostream>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DodajEdytujHodowce.h"
#include "DodajEdytujKlienta.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "PersonLists.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "ZarzadzajHodowcami.h"
#include "ZarzadzajKlientami.h"
#include "menu/MainMenu.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QStringList Texts(const std::vector<std::u16string>& texts) {
    QStringList out;
    for (const auto& text : texts) out << QString::fromStdU16String(text);
    return out;
}

// Persons as the database file holds them, read by a store of its own.
PersonMap BreedersOnDisk() {
    CDataStore fresh;
    fresh.LoadExtraDb(-1);
    return fresh.Breeders();
}

PersonMap ClientsOnDisk() {
    CDataStore fresh;
    fresh.LoadExtraDb(-1);
    return fresh.Clients();
}

class PeopleTest : public MainWindowTest {
protected:
    // A loft that becomes the current one.
    static int MakeCurrentLoft() {
        LoftRecord loft;
        loft.nazwahodowli = u"Gołębnik";
        EXPECT_TRUE(TheDataStore().WriteLoft(WriteMode::Insert, loft));
        g_currentLoftIndex = static_cast<int>(TheDataStore().Lofts().size()) - 1;
        return loft.id;
    }

    static int AddBreeder(const std::u16string& first, const std::u16string& last) {
        PersonRecord person;
        person.imie = first;
        person.nazwisko = last;
        person.kraj = -1;
        person.wojewodztwo = -1;
        EXPECT_TRUE(TheDataStore().WriteBreeder(WriteMode::Insert, person));
        return person.id;
    }

    static int AddClient(const std::u16string& first, const std::u16string& last) {
        PersonRecord person;
        person.imie = first;
        person.nazwisko = last;
        EXPECT_TRUE(TheDataStore().WriteClient(WriteMode::Insert, person));
        return person.id;
    }
};

// ---- the fixed lists --------------------------------------------------------------------------

TEST_F(PeopleTest, CountryAndVoivodeshipPositionsAreThoseTheRecordsKeep) {
    const std::vector<std::u16string>& countries = CountryNames();
    ASSERT_EQ(countries.size(), 194u);
    EXPECT_EQ(countries[0], u" ");
    EXPECT_EQ(countries[1], u"Afghanistan");
    EXPECT_EQ(countries[39], u"Congo _T(Brazzaville)");
    EXPECT_EQ(countries[40], u"Congo");
    EXPECT_EQ(countries[63], u"Gambia)); The");
    EXPECT_EQ(countries[138], u"Poland");
    EXPECT_EQ(countries[193], u"Zimbabwe");
    const std::vector<std::u16string>& voivodeships = VoivodeshipNames();
    ASSERT_EQ(voivodeships.size(), 17u);
    EXPECT_EQ(voivodeships[5], u"Łódzkie");
    EXPECT_EQ(voivodeships[12], u"Śląskie");

    // The breeders' editor shows the countries as listed; the clients' editor sorts them, which
    // swaps only the two Congos. Both voivodeship lists sort into the order listed.
    CDodajEdytujHodowce breederEditor;
    breederEditor.show();
    CDodajEdytujKlienta clientEditor;
    clientEditor.show();
    EXPECT_EQ(ComboTexts(breederEditor.CountryCombo()), Texts(countries));
    QStringList swapped = Texts(countries);
    swapped.swapItemsAt(39, 40);
    EXPECT_EQ(ComboTexts(clientEditor.CountryCombo()), swapped);
    EXPECT_EQ(ComboTexts(breederEditor.VoivodeshipCombo()), Texts(voivodeships));
    EXPECT_EQ(ComboTexts(clientEditor.VoivodeshipCombo()), Texts(voivodeships));
    EXPECT_EQ(breederEditor.CountryCombo()->GetCurSel(), -1);
    EXPECT_EQ(clientEditor.VoivodeshipCombo()->GetCurSel(), -1);
}

// ---- the editors ------------------------------------------------------------------------------

TEST_F(PeopleTest, BreederRoundTripsThroughAddAndEditWithItsPositions) {
    const int loft = MakeCurrentLoft();
    CDodajEdytujHodowce add;
    add.mode = EditorMode::Add;
    seams::QueueModalHandler([](Dialog& window) {
        auto& editor = static_cast<PersonEditor&>(window);
        EXPECT_EQ(editor.GetDlgItemText(1031), "Dodaj Hodowcę");
        editor.SetItemText(1025, u"Jan");
        editor.SetItemText(1026, u"Kowalski-O'Brien");
        editor.SetItemText(1028, u"Łódź");
        editor.SetItemText(1081, u"Piotrkowska");
        editor.SetItemText(1082, u"12/3");
        editor.SetItemText(1083, u"90-001");
        editor.SetItemText(1085, u"42 111 22 33");
        editor.SetItemText(1086, u"42 111 22 34");
        editor.SetItemText(1087, u"600 100 200");
        editor.SetItemText(1088, u"600 100 201");
        editor.SetItemText(1089, u"jan@example.org");
        editor.SetItemText(1090, u"www.example.org");
        editor.SetItemText(1091, u"Linia \"Janssen\"\ndruga linia");
        editor.CountryCombo()->SetCurSel(138);
        editor.VoivodeshipCombo()->SetCurSel(5);
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    ASSERT_EQ(add.DoModal(), IDOK);
    ASSERT_GT(add.record.id, 0);

    const PersonMap disk = BreedersOnDisk();
    ASSERT_EQ(disk.count(add.record.id), 1u);
    const PersonRecord& stored = disk.at(add.record.id);
    EXPECT_EQ(stored.imie, u"Jan");
    EXPECT_EQ(stored.nazwisko, u"Kowalski-O'Brien");
    EXPECT_EQ(stored.miejscowosc, u"Łódź");
    EXPECT_EQ(stored.nrdomu, u"12/3");
    EXPECT_EQ(stored.kodpocztowy, u"90-001");
    EXPECT_EQ(stored.telkom2, u"600 100 201");
    EXPECT_EQ(stored.adreswww, u"www.example.org");
    EXPECT_EQ(stored.uwagi, u"Linia \"Janssen\"\ndruga linia");
    EXPECT_EQ(stored.kraj, 138);
    EXPECT_EQ(stored.wojewodztwo, 5);
    EXPECT_EQ(stored.hodowla, loft);
    EXPECT_EQ(TheDataStore().Breeders().at(add.record.id).kraj, 138);

    // Opened again: the same entries are chosen, the button says so, the caption stays.
    CDodajEdytujHodowce edit;
    edit.mode = EditorMode::Edit;
    edit.record = stored;
    seams::QueueModalHandler([](Dialog& window) {
        auto& editor = static_cast<PersonEditor&>(window);
        EXPECT_EQ(editor.windowTitle(), "Dodaj/Edytuj Hodowcę");
        EXPECT_EQ(editor.GetDlgItemText(1031), "Zapisz Zmiany");
        EXPECT_EQ(editor.GetDlgItemText(1025), "Jan");
        EXPECT_EQ(editor.CountryCombo()->GetWindowText(), "Poland");
        EXPECT_EQ(editor.VoivodeshipCombo()->GetWindowText(), "Łódzkie");
        editor.SetItemText(1028, u"Zgierz");
        editor.VoivodeshipCombo()->SetCurSel(12);
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    ASSERT_EQ(edit.DoModal(), IDOK);
    const PersonRecord changed = BreedersOnDisk().at(add.record.id);
    EXPECT_EQ(changed.miejscowosc, u"Zgierz");
    EXPECT_EQ(changed.wojewodztwo, 12);
    EXPECT_EQ(changed.kraj, 138);
    EXPECT_EQ(changed.imie, u"Jan");
    EXPECT_EQ(BreedersOnDisk().size(), 1u);
}

TEST_F(PeopleTest, ClientKeepsThePositionOfItsSortedCountryList) {
    MakeCurrentLoft();
    CDodajEdytujKlienta add;
    seams::QueueModalHandler([](Dialog& window) {
        auto& editor = static_cast<PersonEditor&>(window);
        EXPECT_EQ(editor.GetDlgItemText(1027), "Dodaj klienta");
        editor.SetItemText(1025, u"Anna");
        editor.CountryCombo()->SetCurSel(39);
        EXPECT_EQ(editor.CountryCombo()->GetWindowText(), "Congo");
        editor.VoivodeshipCombo()->SetCurSel(16);
        editor.RunCommand(1027);
        return editor.EndCode();
    });
    ASSERT_EQ(add.DoModal(), IDOK);
    const PersonRecord stored = ClientsOnDisk().at(add.record.id);
    EXPECT_EQ(stored.kraj, 39);
    EXPECT_EQ(stored.wojewodztwo, 16);

    CDodajEdytujKlienta edit;
    edit.mode = EditorMode::Edit;
    edit.record = stored;
    seams::QueueModalHandler([](Dialog& window) {
        auto& editor = static_cast<PersonEditor&>(window);
        EXPECT_EQ(editor.windowTitle(), "Dodaj nowego klienta");
        EXPECT_EQ(editor.CountryCombo()->GetWindowText(), "Congo");
        EXPECT_EQ(editor.VoivodeshipCombo()->GetWindowText(), "Zachodniopomorskie");
        return IDCANCEL;
    });
    edit.DoModal();
}

TEST_F(PeopleTest, NewPersonNeedsANameAndIsStoredWithNoCountryAndTheCurrentLoft) {
    const int loft = MakeCurrentLoft();
    CDodajEdytujKlienta add;
    seams::QueueModalHandler([](Dialog& editor) {
        // Without first name and surname (blanks count as nothing) the window stays open.
        editor.SetItemText(1025, u"  ");
        editor.RunCommand(1027);
        EXPECT_FALSE(editor.HasEnded());
        editor.SetItemText(1026, u"Ślusarczyk");
        editor.RunCommand(1027);
        return editor.EndCode();
    });
    ASSERT_EQ(add.DoModal(), IDOK);
    EXPECT_EQ(MessageTexts(), QStringList{"Wprowadź imię lub nazwisko."});
    ASSERT_EQ(ClientsOnDisk().size(), 1u);
    const PersonRecord stored = ClientsOnDisk().at(add.record.id);
    EXPECT_EQ(stored.nazwisko, u"Ślusarczyk");
    EXPECT_EQ(stored.kraj, -1);
    EXPECT_EQ(stored.wojewodztwo, -1);
    EXPECT_EQ(stored.hodowla, loft);
}

TEST_F(PeopleTest, UnknownCountryShowsNothingAndIsStoredAsNone) {
    MakeCurrentLoft();
    PersonRecord person;
    person.imie = u"Piotr";
    person.kraj = 999;
    person.wojewodztwo = 3;
    ASSERT_TRUE(TheDataStore().WriteBreeder(WriteMode::Insert, person));
    CDodajEdytujHodowce edit;
    edit.mode = EditorMode::Edit;
    edit.record = person;
    seams::QueueModalHandler([](Dialog& window) {
        auto& editor = static_cast<PersonEditor&>(window);
        EXPECT_EQ(editor.CountryCombo()->GetCurSel(), -1);
        EXPECT_EQ(editor.VoivodeshipCombo()->GetCurSel(), 3);
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    ASSERT_EQ(edit.DoModal(), IDOK);
    EXPECT_EQ(BreedersOnDisk().at(person.id).kraj, -1);
    EXPECT_EQ(BreedersOnDisk().at(person.id).wojewodztwo, 3);
}

TEST_F(PeopleTest, EnterSavesAndEscapeLeavesWithoutWriting) {
    MakeCurrentLoft();
    // Enter in a field saves what was typed.
    {
        CDodajEdytujHodowce editor;
        editor.show();
        editor.SetItemText(1025, u"Marek");
        QTest::keyClick(editor.Edit(1026), Qt::Key_Return);
        ASSERT_TRUE(editor.HasEnded());
        EXPECT_EQ(editor.EndCode(), IDOK);
        ASSERT_GT(editor.record.id, 0);
        EXPECT_EQ(BreedersOnDisk().at(editor.record.id).imie, u"Marek");
    }
    // Enter in the notes field of several lines starts a new line.
    {
        CDodajEdytujHodowce editor;
        editor.show();
        QTest::keyClick(editor.MultiEdit(1091), Qt::Key_Return);
        EXPECT_FALSE(editor.HasEnded());
    }
    // Escape leaves without writing.
    {
        CDodajEdytujKlienta editor;
        editor.show();
        editor.SetItemText(1025, u"Ewa");
        QTest::keyClick(editor.Edit(1025), Qt::Key_Escape);
        ASSERT_TRUE(editor.HasEnded());
        EXPECT_EQ(editor.EndCode(), IDCANCEL);
        EXPECT_EQ(editor.record.id, 0);
    }
    EXPECT_EQ(BreedersOnDisk().size(), 1u);
    EXPECT_TRUE(ClientsOnDisk().empty());
}

// ---- the managers -----------------------------------------------------------------------------

class PersonManagerTest : public PeopleTest {
protected:
    template <class Manager>
    Manager& Open() {
        auto manager = std::make_unique<Manager>();
        Manager& result = *manager;
        manager_ = std::move(manager);
        manager_->show();
        return result;
    }
    void Click(int row) {
        manager_->PersonList()->SelectRow(row);
        manager_->OnListClick();
    }
    QStringList Surnames() const { return ListColumn(manager_->PersonList(), 2); }

    std::unique_ptr<PersonManager> manager_;
};

TEST_F(PersonManagerTest, RowsFollowAddsEditsAndDeletesOfBreeders) {
    MakeCurrentLoft();
    AddBreeder(u"Jan", u"Nowak");
    const int second = AddBreeder(u"Adam", u"Wiśniewski");
    const int third = AddBreeder(u"Ewa", u"Zielińska");
    auto& manager = Open<CZarzadzajHodowcami>();
    ListView* list = manager.PersonList();
    ASSERT_EQ(list->GetColumnCount(), 6);
    EXPECT_EQ(list->horizontalHeaderItem(3)->text(), "Kod pocztowy");
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Wiśniewski", "Zielińska"}));
    EXPECT_EQ(ListColumn(list, 1), (QStringList{"Jan", "Adam", "Ewa"}));
    EXPECT_EQ(manager.selectedRow, -1);

    // "Zmień" and "Usuń" with no row clicked do nothing.
    manager.RunCommand(CZarzadzajHodowcami::kChangeButton);
    manager.RunCommand(CZarzadzajHodowcami::kDeleteButton);
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_EQ(BreedersOnDisk().size(), 3u);

    // Deleting the second row, then changing the row now second edits the former third person.
    Click(1);
    manager.RunCommand(CZarzadzajHodowcami::kDeleteButton);
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Zielińska"}));
    EXPECT_EQ(manager.selectedRow, -1);
    EXPECT_EQ(BreedersOnDisk().count(second), 0u);
    EXPECT_EQ(TheDataStore().Breeders().count(second), 0u);
    Click(1);
    seams::QueueModalHandler([](Dialog& editor) {
        EXPECT_EQ(editor.GetDlgItemText(1026), "Zielińska");
        editor.SetItemText(1026, u"Zielińska-Nowak");
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajHodowcami::kChangeButton);
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Zielińska-Nowak"}));
    EXPECT_EQ(BreedersOnDisk().at(third).nazwisko, u"Zielińska-Nowak");

    // A new person is the last row and is mapped to its own id.
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1026, u"Lewandowski");
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajHodowcami::kNewButton);
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Zielińska-Nowak", "Lewandowski"}));
    Click(2);
    manager.RunCommand(CZarzadzajHodowcami::kDeleteButton);
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Zielińska-Nowak"}));
    EXPECT_EQ(BreedersOnDisk().size(), 2u);

    // People without an address show empty address columns; the rows' map matches the store.
    for (int column : {3, 4, 5})
        EXPECT_EQ(ListColumn(list, column), (QStringList{"", ""})) << column;
    for (const auto& [row, id] : manager.rowMap)
        EXPECT_EQ(QString::fromStdU16String(TheDataStore().Breeders().at(id).nazwisko),
                  list->GetItemText(row, 2));
}

// The postcode, town and street a person's record holds are shown in their columns when the
// list is filled, after an add and after an edit, for breeders and clients alike.
TEST_F(PersonManagerTest, AddressColumnsShowWhatTheRecordsHold) {
    MakeCurrentLoft();
    PersonRecord breeder;
    breeder.nazwisko = u"Nowak";
    breeder.kodpocztowy = u"62-800";
    breeder.miejscowosc = u"Kalisz";
    breeder.ulica = u"Łąkowa";
    ASSERT_TRUE(TheDataStore().WriteBreeder(WriteMode::Insert, breeder));
    auto& manager = Open<CZarzadzajHodowcami>();
    ListView* list = manager.PersonList();
    const auto address = [&](int row) {
        return QStringList{list->GetItemText(row, 3), list->GetItemText(row, 4), list->GetItemText(row, 5)};
    };
    EXPECT_EQ(address(0), (QStringList{"62-800", "Kalisz", "Łąkowa"}));

    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1026, u"Wiśniewski");
        editor.SetItemText(1083, u"63-400");
        editor.SetItemText(1028, u"Ostrów Wielkopolski");
        editor.SetItemText(1081, u"Gołębia");
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajHodowcami::kNewButton);
    EXPECT_EQ(address(1), (QStringList{"63-400", "Ostrów Wielkopolski", "Gołębia"}));

    Click(0);
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1028, u"Opatówek");
        editor.RunCommand(1031);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajHodowcami::kChangeButton);
    EXPECT_EQ(address(0), (QStringList{"62-800", "Opatówek", "Łąkowa"}));
    EXPECT_EQ(BreedersOnDisk().at(breeder.id).miejscowosc, u"Opatówek");

    PersonRecord client;
    client.nazwisko = u"Kowalska";
    client.kodpocztowy = u"00-950";
    client.miejscowosc = u"Warszawa";
    client.ulica = u"Długa";
    ASSERT_TRUE(TheDataStore().WriteClient(WriteMode::Insert, client));
    auto& clients = Open<CZarzadzajKlientami>();
    list = clients.PersonList();
    EXPECT_EQ(address(0), (QStringList{"00-950", "Warszawa", "Długa"}));
}

TEST_F(PersonManagerTest, CancelledOrUnsavedEditorsAddNoRowAndNoIdZeroRowIsShown) {
    MakeCurrentLoft();
    AddClient(u"Anna", u"Nowak");
    // An empty row of id 0 in the file, read as a record under id 0, is not a client.
    ASSERT_TRUE(TheDataStore().ExecSqlOnFile(ExtraDbPath(), u"INSERT INTO klienci(id) VALUES (0);"));
    ASSERT_TRUE(TheDataStore().LoadExtraDb(TheDataStore().Lofts()[g_currentLoftIndex].id));
    ASSERT_EQ(TheDataStore().Clients().count(0), 1u);
    auto& manager = Open<CZarzadzajKlientami>();
    EXPECT_EQ(Surnames(), QStringList{"Nowak"});
    for (const auto& entry : manager.rowMap) EXPECT_GT(entry.second, 0);

    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1026, u"Porzucony");
        editor.RunCommand(IDCANCEL);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajKlientami::kNewButton);
    EXPECT_EQ(Surnames(), QStringList{"Nowak"});

    // Enter in the editor saves: the new row is a stored client.
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1026, u"Kowalska");
        QTest::keyClick(editor.Edit(1025), Qt::Key_Return);
        return editor.EndCode();
    });
    manager.RunCommand(CZarzadzajKlientami::kNewButton);
    EXPECT_EQ(Surnames(), (QStringList{"Nowak", "Kowalska"}));
    for (const auto& entry : manager.rowMap) EXPECT_GT(entry.second, 0);
    EXPECT_EQ(ClientsOnDisk().size(), 3u);  // with the row of id 0
}

TEST_F(PersonManagerTest, MainMenuOpensTheRegistersAndTheClientEditorOnlyWithALoft) {
    CMainDialog* dialog = &MainWindowTest::Open();
    seams::SetModalHandler([](Dialog&) { return IDCANCEL; });
    dialog->RunCommand(kCmdAddClient);  // no loft: nothing opens
    dialog->RunCommand(kCmdManageClients);
    dialog->RunCommand(kCmdManageBreeders);
    dialog_.reset();

    MakeCurrentLoft();
    dialog = &MainWindowTest::Open();
    ASSERT_EQ(g_currentLoftIndex, 0);
    seams::QueueModalHandler([](Dialog& editor) {
        editor.SetItemText(1025, u"Nowy klient");
        editor.RunCommand(1027);
        return editor.EndCode();
    });
    dialog->RunCommand(kCmdAddClient);
    dialog_.reset();

    std::vector<int> templates;
    for (const auto& run : seams::ModalRuns()) templates.push_back(run.templateId);
    EXPECT_EQ(templates, (std::vector<int>{136, 138, 137}));
    ASSERT_EQ(ClientsOnDisk().size(), 1u);
    EXPECT_EQ(ClientsOnDisk().begin()->second.imie, u"Nowy klient");
}

}  // namespace
