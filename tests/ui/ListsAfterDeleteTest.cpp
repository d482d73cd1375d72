// Lists whose delete acts on the row the window has chosen: after the delete, what the list
// highlights and what the window holds chosen are the same (nothing, or that one row), so the
// next command acts on what the user sees.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "DataStore.h"
#include "Globals.h"
#include "ListView.h"
#include "RecordPage.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "WindowTestSupport.h"
#include "ZakladkaLotyGolebi.h"
#include "ZakladkaNotatnik.h"

namespace {

// A window showing five stored records in the list under test.
struct OpenList {
    std::unique_ptr<QWidget> window;
    ListView* list = nullptr;
    int column = 0;                      // a column to click the rows in, beside any check box
    std::function<void()> remove;        // the window's delete command
    std::function<int()> chosen;         // the row the window acts on, -1 none
    std::function<int()> storedCount;    // how many of the records the files still hold
    QString noneChosen;                  // what the delete says with nothing chosen
};

struct DeleteCase {
    const char* name;
    std::function<OpenList(int loftId, const std::vector<int>& birds)> open;
};

void PrintTo(const DeleteCase& c, std::ostream* out) { *out << c.name; }

Time64 Local(int day, int month, int hour) { return *MakeLocalTime(day, month, 2026, hour, 0, 0); }

int StoreBird(int loftId, const Text& ring, int sex) {
    PigeonRecord bird;
    bird.id_hodowli = loftId;
    bird.kraj = u"PL";
    bird.nr_obraczki = ring;
    bird.plec = sex;
    EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
    return bird.id;
}

OpenList FlightResults(int loftId, const std::vector<int>& birds) {
    CDataStore& store = TheDataStore();
    FlightRecord flight;
    flight.id_hodowli = loftId;
    flight.miejscowosc = u"Opole";
    flight.czasodlotu = Local(4, 5, 8);
    flight.odleglosckm = 300;
    EXPECT_TRUE(store.WriteFlight(WriteMode::Insert, flight));
    for (size_t k = 0; k < birds.size(); ++k) {
        FlightResultEntry result;
        result.id_lotu = flight.id;
        result.id_hodowli = loftId;
        result.id_golebia = birds[k];
        result.DataCzasPrzylotu = Local(4, 5, 12) + static_cast<Time64>(k) * 60;
        EXPECT_TRUE(store.WriteFlightResult(WriteMode::Insert, result));
    }
    store.LoadPigeonsDb(loftId);
    auto page = std::make_unique<CZakladkaLotyGolebi>();
    page->Create(nullptr);
    page->resize(1000, 640);
    page->LayoutControls();
    page->FillFlightList(-1);
    page->show();
    ClickListRow(page->FlightList(), 0, 1);
    CZakladkaLotyGolebi* p = page.get();
    const int flightId = flight.id;
    return {.window = std::move(page),
            .list = p->ResultList(),
            .column = 1,
            .remove = [p] { p->DeleteFlightResult(); },
            .chosen = [p] { return p->SelectedResult(); },
            .storedCount = [loftId, flightId] {
                CDataStore fresh;
                fresh.LoadPigeonsDb(loftId);
                for (const FlightRecord& f : fresh.Flights())
                    if (f.id == flightId) return static_cast<int>(f.entries.size());
                return -1;
            },
            .noneChosen = QStringLiteral("Należy wybrać gołębia z listy.")};
}

OpenList Notebook(int loftId, const std::vector<int>& birds) {
    CDataStore& store = TheDataStore();
    for (size_t k = 0; k < birds.size(); ++k) {
        NoteRecord note;
        note.id_hodowli = loftId;
        note.nazwa = u"Notatka " + Text(1, static_cast<char16_t>(u'A' + k));
        EXPECT_TRUE(store.WriteNote(WriteMode::Insert, note));
        EXPECT_TRUE(WriteUnicodeFile(NoteFilePath(note.id), u"<p>tekst</p>"));
    }
    store.LoadExtraDb(loftId);
    auto host = std::make_unique<QWidget>();
    host->resize(1200, 700);
    auto* page = new CZakladkaNotatnik(host.get());
    page->Create(host.get());
    page->setGeometry(0, 0, 1190, 690);
    page->PlaceEditor(10, 110, 1200, 800);
    page->FillNoteList();
    host->show();
    return {.window = std::move(host),
            .list = page->NoteList(),
            .remove = [page] { page->DeleteNote(); },
            .chosen = [page] { return page->currentNote; },
            .storedCount = [loftId] {
                CDataStore fresh;
                fresh.LoadExtraDb(loftId);
                return static_cast<int>(fresh.Notes().size());
            },
            .noneChosen = QStringLiteral("Należy wybrać notatkę z listy.")};
}

class ListsAfterDeleteTest : public WindowTest, public ::testing::WithParamInterface<DeleteCase> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        loft_ = AddLoft(u"Gołębnik");
        for (const char16_t* ring : {u"101", u"102", u"103", u"104", u"105"})
            birds_.push_back(StoreBird(loft_, ring, 0));
        CDataStore& store = TheDataStore();
        store.LoadLofts();
        store.LoadPigeonsDb(loft_);
        store.LoadExtraDb(loft_);
        g_currentLoftIndex = store.FindLoftIndex(loft_);
    }

    int loft_ = 0;
    std::vector<int> birds_;
};

std::vector<int> Highlighted(const ListView* list) {
    std::vector<int> rows;
    for (int row = 0; row < list->GetItemCount(); ++row)
        if (list->IsRowSelected(row)) rows.push_back(row);
    return rows;
}

// Rows highlighted by the keyboard (three where the list takes several), the first of them (the one chosen) deleted: the list
// then highlights only what the window holds chosen, and a second delete refuses as the window
// has nothing chosen, deleting nothing.
TEST_P(ListsAfterDeleteTest, TheHighlightLeftIsWhatTheWindowHoldsChosen) {
    OpenList open = GetParam().open(loft_, birds_);
    ListView* list = open.list;
    ASSERT_EQ(list->GetItemCount(), 5);
    ASSERT_EQ(open.storedCount(), 5);
    list->setFocus();
    ClickListRow(list, 0, open.column);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    // A list that highlights one row at a time has moved its highlight along.
    const std::vector<int> before = Highlighted(list);
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(open.chosen(), before.front());

    seams::ScriptMessageBoxAnswers({IDYES});
    open.remove();
    ASSERT_EQ(open.storedCount(), 4);
    ASSERT_EQ(list->GetItemCount(), 4);
    const int chosen = open.chosen();
    EXPECT_EQ(Highlighted(list), chosen < 0 ? std::vector<int>{} : std::vector<int>{chosen});

    if (chosen < 0) {
        const auto messages = seams::MessageBoxCalls().size();
        open.remove();
        ASSERT_EQ(seams::MessageBoxCalls().size(), messages + 1);
        EXPECT_EQ(MessageTexts().last(), open.noneChosen);
        EXPECT_EQ(open.storedCount(), 4);
    }
    // The keys go on from where the deleted row was, choosing as they highlight.
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Highlighted(list), std::vector<int>{before.front() - 1});
    EXPECT_EQ(open.chosen(), before.front() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryListWithADelete, ListsAfterDeleteTest,
    ::testing::Values(DeleteCase{"FlightResults", FlightResults}, DeleteCase{"Notebook", Notebook}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
