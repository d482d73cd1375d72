// Lists with an edit field, typed into as a user types (every key to the widget with the focus):
// what the field shows after the typing and its completion is what the window stores, whatever
// closes the window with its save; a text that is no entry is refused by the field's name.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <ostream>

#include "DataStore.h"
#include "DodajEdytujHodowce.h"
#include "DodajEdytujKlienta.h"
#include "DodajGolebia.h"
#include "DodajGolebiaTab1.h"
#include "Globals.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "NowyLot.h"
#include "PrzeniesPsa.h"
#include "Seams.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using BirdPage = CDodajGolebiaTab1;

// The field gets the focus in its window, made the active one, as Tab gives it.
void Focus(ComboBox* field) {
    ASSERT_NE(field, nullptr);
    QApplication::setActiveWindow(field->window());
    field->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// One key per character, Polish letters too, to the widget with the focus.
void Type(const QString& keys) {
    for (const QChar c : keys) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                            static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
    }
}

// Selects what the field holds and types over it.
void TypeOver(ComboBox* field, const QString& keys) {
    Focus(field);
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(keys);
}

QString NoEntryMessage(const char* field) {
    return QString::fromUtf8("W polu „%1” wpisano tekst, którego nie ma na liście.\n"
                             "Wybierz pozycję z listy albo wyczyść pole.")
        .arg(QString::fromUtf8(field));
}

int IdNamed(const NameMap& names, const Text& name) {
    for (const auto& [id, text] : names)
        if (text == name) return id;
    return -1;
}

class TypedChoicesTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik");
        categoryId_ = AddCategory(loftId_, u"Lotniki");
        for (const char16_t* colour : {u"płowy", u"szpakowy"})
            ASSERT_TRUE(store.AddColour(loftId_, colour));
        ASSERT_TRUE(store.AddLine(loftId_, u"Dalekodystansowa"));
        breederEwa_ = AddPerson(&CDataStore::WriteBreeder, u"Ewa", u"Ślimak");
        AddPerson(&CDataStore::WriteClient, u"Jan", u"Kowalski");
        clientNowak_ = AddPerson(&CDataStore::WriteClient, u"Jan", u"Nowak");
        store.LoadLofts();
        store.LoadExtraDb(loftId_);
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        g_currentCategoryIndex = 0;
        fawn_ = IdNamed(store.ColourNames(), u"płowy");
        grizzle_ = IdNamed(store.ColourNames(), u"szpakowy");
        longDistance_ = IdNamed(store.LineNames(), u"Dalekodystansowa");
        birdId_ = AddBird(categoryId_, u"0154", u"", loftId_);
    }

    static int AddPerson(bool (CDataStore::*write)(WriteMode, PersonRecord&), const Text& first,
                         const Text& last) {
        PersonRecord person;
        person.imie = first;
        person.nazwisko = last;
        person.kraj = -1;
        person.wojewodztwo = 5;  // "Łódzkie"
        EXPECT_TRUE((TheDataStore().*write)(WriteMode::Insert, person));
        return person.id;
    }

    // The bird editor on the stored bird; `act` plays the user on its first page, then
    // "Zapisz zmiany" is clicked. Whether the window closed.
    bool EditBird(const std::function<void(BirdPage&)>& act) {
        CDodajGolebia editor;
        editor.mode = EditorMode::Edit;
        editor.record = TheDataStore().Pigeons().at(birdId_);
        bool closed = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            auto& window = static_cast<CDodajGolebia&>(dialog);
            act(*window.Tab1());
            window.Button(IDOK)->click();
            closed = window.HasEnded();
            return IDCANCEL;
        });
        editor.DoModal();
        return closed;
    }

    PigeonRecord StoredBird() const {
        CDataStore fresh;
        fresh.LoadLofts();
        fresh.LoadPigeonsDb(-1);
        return fresh.FindPigeon(birdId_);
    }

    int loftId_ = 0, categoryId_ = 0, birdId_ = 0;

public:
    // Named by the cases of the tests.
    int fawn_ = 0, grizzle_ = 0, longDistance_ = 0, breederEwa_ = 0, clientNowak_ = 0;
};

// ---- the bird editor --------------------------------------------------------------------------

struct TypedLookup {
    int combo;
    const char* keys;
    bool afterTheBlank;  // typed after what the field shows (the blank entry), not over it
    int PigeonRecord::*member;
    int TypedChoicesTest::*expected;
    const char* shown;
};

// Each lookup of a bird that has none: the entry its typing completes to, or typed whole in
// another letter case, is stored as if picked from the list, and shown.
TEST_F(TypedChoicesTest, TheEntryALookupsTypingCompletesToIsStored) {
    const TypedLookup cases[] = {
        {BirdPage::kColour, "płowy", false, &PigeonRecord::id_koloru, &TypedChoicesTest::fawn_,
         "płowy"},
        {BirdPage::kColour, "sz", true, &PigeonRecord::id_koloru, &TypedChoicesTest::grizzle_,
         "szpakowy"},
        {BirdPage::kLine, "dal", false, &PigeonRecord::id_linia, &TypedChoicesTest::longDistance_,
         "Dalekodystansowa"},
        {BirdPage::kBreeder, "Ewa", false, &PigeonRecord::id_hodowcy,
         &TypedChoicesTest::breederEwa_, "Ewa Ślimak"},
        {BirdPage::kOwner, "jan nowak", false, &PigeonRecord::id_wlasciciela,
         &TypedChoicesTest::clientNowak_, "Jan Nowak"},
    };
    for (const TypedLookup& typed : cases) {
        SCOPED_TRACE(typed.keys);
        ChangeBird(birdId_, [](PigeonRecord& bird) {
            bird.id_koloru = bird.id_linia = bird.id_hodowcy = bird.id_wlasciciela = 0;
        });
        QString shown;
        EXPECT_TRUE(EditBird([&](BirdPage& page) {
            ComboBox* field = page.Combo(typed.combo);
            Focus(field);
            if (typed.afterTheBlank) Key(Qt::Key_End);
            else Key(Qt::Key_A, Qt::ControlModifier);
            Type(QString::fromUtf8(typed.keys));
            shown = field->GetWindowText();
        }));
        EXPECT_EQ(shown, QString::fromUtf8(typed.shown));
        EXPECT_EQ(StoredBird().*typed.member, this->*typed.expected);
    }
}

// A name that is no entry is named to the user and nothing is written; an emptied field stores
// no breeder.
TEST_F(TypedChoicesTest, ALookupTextThatIsNoEntryIsRefusedAndAnEmptiedOneStoresNone) {
    struct Case {
        const char* keys;
        bool closes;
        int expectedBreeder;  // -1: the breeder stored before
    };
    for (const Case& typed : {Case{"Adam", false, -1}, Case{"", true, 0}}) {
        SCOPED_TRACE(typed.keys);
        seams::Reset();
        ChangeBird(birdId_, [this](PigeonRecord& bird) { bird.id_hodowcy = breederEwa_; });
        const bool closed = EditBird([&](BirdPage& page) {
            TypeOver(page.Combo(BirdPage::kBreeder), QString::fromUtf8(typed.keys));
            if (!*typed.keys) Key(Qt::Key_Backspace);
        });
        EXPECT_EQ(closed, typed.closes);
        EXPECT_EQ(MessageTexts(),
                  typed.closes ? QStringList() : QStringList{NoEntryMessage("Hodowca")});
        EXPECT_EQ(StoredBird().id_hodowcy,
                  typed.expectedBreeder < 0 ? breederEwa_ : typed.expectedBreeder);
    }
}

// ---- the client and breeder editors -----------------------------------------------------------

struct TypedPlace {
    bool client;
    int combo;
    const char* keys;
    int PersonRecord::*member;
    int expected;             // -1: refused, the stored value stays
    const char* refusedField;
};

// "Zmień" on a stored person, select all in a list, type, Enter: the list's entry is stored,
// or the window stays open naming the list.
TEST_F(TypedChoicesTest, EnterInAPersonEditorStoresTheEntryTypedOrNamesTheList) {
    const TypedPlace cases[] = {
        {true, PersonEditor::kVoivodeshipCombo, "mazowieckie", &PersonRecord::wojewodztwo, 7, ""},
        {true, PersonEditor::kCountryCombo, "Poland", &PersonRecord::kraj, 138, ""},
        {false, PersonEditor::kVoivodeshipCombo, "mazowieckie", &PersonRecord::wojewodztwo, 7, ""},
        {true, PersonEditor::kVoivodeshipCombo, "mazowsze", &PersonRecord::wojewodztwo, -1,
         "Województwo"},
    };
    for (const TypedPlace& typed : cases) {
        SCOPED_TRACE(typed.keys);
        seams::Reset();
        const PersonRecord before = typed.client ? TheDataStore().Clients().at(clientNowak_)
                                                 : TheDataStore().Breeders().at(breederEwa_);
        std::unique_ptr<PersonEditor> editor;
        if (typed.client) editor = std::make_unique<CDodajEdytujKlienta>();
        else editor = std::make_unique<CDodajEdytujHodowce>();
        editor->mode = EditorMode::Edit;
        editor->record = before;
        editor->show();
        TypeOver(editor->Combo(typed.combo), QString::fromUtf8(typed.keys));
        Key(Qt::Key_Return);

        CDataStore fresh;
        fresh.LoadExtraDb(-1);
        const PersonRecord stored =
            (typed.client ? fresh.Clients() : fresh.Breeders()).at(before.id);
        if (typed.expected < 0) {
            EXPECT_FALSE(editor->HasEnded());
            EXPECT_EQ(MessageTexts(), QStringList{NoEntryMessage(typed.refusedField)});
            EXPECT_EQ(stored.*typed.member, before.*typed.member);
        } else {
            EXPECT_TRUE(editor->HasEnded());
            EXPECT_EQ(stored.*typed.member, typed.expected);
        }
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
        TypeOver(dialog->Combo(window.combo), QStringLiteral("Zzz"));
        dialog->Button(IDOK)->click();
        EXPECT_FALSE(dialog->HasEnded());
        EXPECT_EQ(MessageTexts(), QStringList{NoEntryMessage(window.name)});
    }
}

}  // namespace
