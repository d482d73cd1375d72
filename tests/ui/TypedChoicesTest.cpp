// Lists with an edit field, typed into as a user types (every key to the widget with the focus):
// what the field shows after the typing and its completion is what the window stores, whatever
// closes the window with its save; a text that is no entry is refused by the field's name.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>

#include "DataStore.h"
#include "DodajEdytujHodowce.h"
#include "DodajEdytujKlienta.h"
#include "DodajGolebia.h"
#include "DodajGolebiaTab1.h"
#include "Globals.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "NowyLot.h"
#include "PrzeniesPsa.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"

namespace {

using BirdPage = CDodajGolebiaTab1;

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// The field gets the focus in its window, made the active one; then, unless `afterText`, what
// it holds is selected; then one key per character (Polish letters too).
void TypeInto(ComboBox* field, const QString& keys, bool afterText = false) {
    ASSERT_NE(field, nullptr);
    QApplication::setActiveWindow(field->window());
    field->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    Key(afterText ? Qt::Key_End : Qt::Key_A, afterText ? Qt::NoModifier : Qt::ControlModifier);
    for (const QChar c : keys)
        QTest::sendKeyEvent(QTest::Click, field, static_cast<Qt::Key>(c.toUpper().unicode()),
                            QString(c), Qt::NoModifier);
}

QString NoEntryMessage(const char* field) {
    return QString::fromUtf8("W polu „%1” wpisano tekst, którego nie ma na liście.\n"
                             "Wybierz pozycję z listy albo wyczyść pole.")
        .arg(QString::fromUtf8(field));
}

class TypedChoicesTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik");
        birdId_ = AddBird(AddCategory(loftId_, u"Lotniki"), u"0154", u"", loftId_);
        store.AddColour(loftId_, u"płowy");
        fawn_ = NewestId(store.ColourNames());
        store.AddColour(loftId_, u"szpakowy");
        grizzle_ = NewestId(store.ColourNames());
        store.AddLine(loftId_, u"Dalekodystansowa");
        longDistance_ = NewestId(store.LineNames());
        ewa_ = AddPerson(&CDataStore::WriteBreeder, u"Ewa Ślimak");
        nowak_ = AddPerson(&CDataStore::WriteClient, u"Jan Nowak");
        store.LoadLofts();
        store.LoadExtraDb(loftId_);
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        g_currentCategoryIndex = 0;
    }

    static int AddPerson(bool (CDataStore::*write)(WriteMode, PersonRecord&), const Text& name) {
        PersonRecord person;
        person.imie = name.substr(0, name.find(u' '));
        person.nazwisko = name.substr(name.find(u' ') + 1);
        person.kraj = -1;
        person.wojewodztwo = 5;  // "Łódzkie"
        EXPECT_TRUE((TheDataStore().*write)(WriteMode::Insert, person));
        return person.id;
    }

    int loftId_ = 0, birdId_ = 0;

public:
    // Named by the cases of the tests.
    int none_ = 0, fawn_ = 0, grizzle_ = 0, longDistance_ = 0, ewa_ = 0, nowak_ = 0;
};

// ---- the bird editor --------------------------------------------------------------------------

// The bird has no colour, line or breeder (the dictionaries show their blank entry) and owner
// "Jan Nowak"; one lookup is typed into and "Zapisz zmiany" clicked, the field keeping the focus.
TEST_F(TypedChoicesTest, ABirdsLookupStoresTheEntryItsTypingCompletesToOrIsRefused) {
    const struct {
        int combo;
        const char* keys;
        bool afterTheBlank;
        int PigeonRecord::*member;
        int TypedChoicesTest::*expected;
        const char* refused;  // the field named, or null when the editor closes
    } cases[] = {
        // Typed whole, in the list's case: as if picked.
        {BirdPage::kColour, "płowy", false, &PigeonRecord::id_koloru, &TypedChoicesTest::fawn_},
        // Typed after the blank entry: completed as over it.
        {BirdPage::kColour, "sz", true, &PigeonRecord::id_koloru, &TypedChoicesTest::grizzle_},
        // A list that does not complete: the entry typed whole, in another letter case.
        {BirdPage::kLine, "dalekodystansowa", false, &PigeonRecord::id_linia,
         &TypedChoicesTest::longDistance_},
        {BirdPage::kBreeder, "Ewa", false, &PigeonRecord::id_hodowcy, &TypedChoicesTest::ewa_},
        // Emptied: no owner.
        {BirdPage::kOwner, "", false, &PigeonRecord::id_wlasciciela, &TypedChoicesTest::none_},
        {BirdPage::kBreeder, "Adam", false, &PigeonRecord::id_hodowcy, &TypedChoicesTest::none_,
         "Hodowca"},
    };
    for (const auto& typed : cases) {
        SCOPED_TRACE(typed.keys);
        seams::Reset();
        ChangeBird(birdId_, [this](PigeonRecord& bird) {
            bird.id_koloru = bird.id_linia = bird.id_hodowcy = 0;
            bird.id_wlasciciela = nowak_;
        });
        CDodajGolebia editor;
        editor.mode = EditorMode::Edit;
        editor.record = TheDataStore().Pigeons().at(birdId_);
        seams::QueueModalHandler([&](Dialog&) {
            TypeInto(editor.Tab1()->Combo(typed.combo), QString::fromUtf8(typed.keys),
                     typed.afterTheBlank);
            if (!*typed.keys) Key(Qt::Key_Backspace);
            editor.Button(IDOK)->click();
            EXPECT_EQ(editor.HasEnded(), !typed.refused);
            return IDCANCEL;
        });
        editor.DoModal();
        EXPECT_EQ(MessageTexts(),
                  typed.refused ? QStringList{NoEntryMessage(typed.refused)} : QStringList());
        CDataStore fresh;
        fresh.LoadPigeonsDb(-1);
        EXPECT_EQ(fresh.FindPigeon(birdId_).*typed.member, this->*typed.expected);
    }
}

// Each completing list holds an entry that begins with another and is listed before it: the
// shorter one typed whole (in any letter case) is stored, not the longer one; typing on reaches
// the longer one.
TEST_F(TypedChoicesTest, AnEntryTypedWholeIsStoredRatherThanALongerOneBeginningWithIt) {
    CDataStore& store = TheDataStore();
    store.AddColour(loftId_, u"Szary nakrapiany");
    const int speckled = NewestId(store.ColourNames());
    store.AddColour(loftId_, u"Szary");
    const int grey = NewestId(store.ColourNames());
    store.AddBreed(loftId_, u"Karier angielski");
    store.AddBreed(loftId_, u"Karier");
    const int carrier = NewestId(store.BreedNames());
    AddPerson(&CDataStore::WriteBreeder, u"Adam Kowalski");
    const int kowal = AddPerson(&CDataStore::WriteBreeder, u"Adam Kowal");
    AddPerson(&CDataStore::WriteClient, u"Ola Lisowska");
    const int lis = AddPerson(&CDataStore::WriteClient, u"Ola Lis");
    const struct {
        int combo;
        const char* keys;
        int PigeonRecord::*member;
        int expected;
    } cases[] = {
        {BirdPage::kColour, "Szary", &PigeonRecord::id_koloru, grey},
        {BirdPage::kColour, "SZARY", &PigeonRecord::id_koloru, grey},
        {BirdPage::kColour, "Szary n", &PigeonRecord::id_koloru, speckled},
        {BirdPage::kBreed, "Karier", &PigeonRecord::id_rasy, carrier},
        {BirdPage::kBreeder, "Adam Kowal", &PigeonRecord::id_hodowcy, kowal},
        {BirdPage::kOwner, "Ola Lis", &PigeonRecord::id_wlasciciela, lis},
    };
    for (const auto& typed : cases) {
        SCOPED_TRACE(typed.keys);
        seams::Reset();
        ChangeBird(birdId_, [](PigeonRecord& bird) {
            bird.id_koloru = bird.id_rasy = bird.id_hodowcy = bird.id_wlasciciela = 0;
        });
        CDodajGolebia editor;
        editor.mode = EditorMode::Edit;
        editor.record = TheDataStore().Pigeons().at(birdId_);
        seams::QueueModalHandler([&](Dialog&) {
            TypeInto(editor.Tab1()->Combo(typed.combo), QString::fromUtf8(typed.keys));
            editor.Button(IDOK)->click();
            return IDCANCEL;
        });
        EXPECT_EQ(editor.DoModal(), IDOK);
        EXPECT_TRUE(MessageTexts().isEmpty());
        CDataStore fresh;
        fresh.LoadPigeonsDb(-1);
        EXPECT_EQ(fresh.FindPigeon(birdId_).*typed.member, typed.expected);
    }
}

// Two breeders of one name: a bird of the second, saved without a key typed, keeps the second
// (the check every save makes of the typed lists must not swap it for the first of that text).
TEST_F(TypedChoicesTest, ABirdOfTheSecondOfTwoNamesakesKeepsItWhenSavedUnchanged) {
    AddPerson(&CDataStore::WriteBreeder, u"Jan Kos");
    const int second = AddPerson(&CDataStore::WriteBreeder, u"Jan Kos");
    ChangeBird(birdId_, [second](PigeonRecord& bird) { bird.id_hodowcy = second; });
    CDodajGolebia editor;
    editor.mode = EditorMode::Edit;
    editor.record = TheDataStore().Pigeons().at(birdId_);
    seams::QueueModalHandler([&](Dialog&) {
        editor.Button(IDOK)->click();
        return IDCANCEL;
    });
    EXPECT_EQ(editor.DoModal(), IDOK);
    CDataStore fresh;
    fresh.LoadPigeonsDb(-1);
    EXPECT_EQ(fresh.FindPigeon(birdId_).id_hodowcy, second);
}

// ---- the client and breeder editors -----------------------------------------------------------

// "Zmień" on a client of "Łódzkie" without a country, select all in a list, type, Enter: the
// entry shown is stored, or the window stays open naming the list.
TEST_F(TypedChoicesTest, EnterInAPersonEditorStoresTheEntryTypedOrNamesTheList) {
    const struct {
        int combo;
        const char* keys;
        int PersonRecord::*member;
        int expected;
        const char* refused;
    } cases[] = {
        {PersonEditor::kVoivodeshipCombo, "mazowieckie", &PersonRecord::wojewodztwo, 7},
        {PersonEditor::kCountryCombo, "Poland", &PersonRecord::kraj, 138},
        {PersonEditor::kVoivodeshipCombo, "mazowsze", &PersonRecord::wojewodztwo, 5,
         "Województwo"},
        // Only the beginning of an entry: no list of these completes it (nor does Qt's own
        // completion), so it is no entry.
        {PersonEditor::kVoivodeshipCombo, "mazow", &PersonRecord::wojewodztwo, 5, "Województwo"},
    };
    for (const auto& typed : cases) {
        SCOPED_TRACE(typed.keys);
        seams::Reset();
        PersonRecord client = TheDataStore().Clients().at(nowak_);
        client.wojewodztwo = 5;
        client.kraj = -1;
        ASSERT_TRUE(TheDataStore().WriteClient(WriteMode::Update, client));
        CDodajEdytujKlienta editor;
        editor.mode = EditorMode::Edit;
        editor.record = client;
        editor.show();
        TypeInto(editor.Combo(typed.combo), QString::fromUtf8(typed.keys));
        Key(Qt::Key_Return);
        EXPECT_EQ(editor.HasEnded(), !typed.refused);
        EXPECT_EQ(MessageTexts(),
                  typed.refused ? QStringList{NoEntryMessage(typed.refused)} : QStringList());
        CDataStore fresh;
        fresh.LoadExtraDb(-1);
        EXPECT_EQ(fresh.Clients().at(nowak_).*typed.member, typed.expected);
    }
}

// ---- the other windows whose lists are typed into ---------------------------------------------

// Each names its list's text that is no entry instead of closing as saved without it.
TEST_F(TypedChoicesTest, EveryOtherWindowNamesAListTextThatIsNoEntry) {
    using Treatment = CLeczenieSuplementacjaDodajZmien;
    const struct {
        std::function<std::unique_ptr<Dialog>()> open;
        int combo;
        const char* name;
    } windows[] = {
        {[] { return std::make_unique<CNowyLot>(); }, CNowyLot::kCategory2, "Kategoria 2"},
        {[] {
             auto editor = std::make_unique<Treatment>();
             editor->treatment.id_golebia = TreatmentRecord::kFlock;
             editor->SetItemText(Treatment::kName, u"Paramyxo");
             return editor;
         },
         Treatment::kKind, "Kategoria leku"},
        {[] { return std::make_unique<CPrzeniesPsa>(); }, CPrzeniesPsa::kTargetCombo,
         "Wybierz kategorie"},
    };
    for (const auto& window : windows) {
        SCOPED_TRACE(window.name);
        seams::Reset();
        const std::unique_ptr<Dialog> dialog = window.open();
        dialog->show();
        TypeInto(dialog->Combo(window.combo), QStringLiteral("Zzz"));
        dialog->Button(IDOK)->click();
        EXPECT_FALSE(dialog->HasEnded());
        EXPECT_EQ(MessageTexts(), QStringList{NoEntryMessage(window.name)});
    }
}

}  // namespace
