// The bird editor: what reaches the bird file on OK (fields, lookups, ratings, dates at
// 01:01:01 local time, the place in the current category), dates that cannot be stored, edits
// that leave untouched values alone, and the box that keeps the window open for further birds.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <functional>
#include <ostream>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dc.h"
#include "Dialog.h"
#include "DialogHeader.h"
#include "DodajGolebia.h"
#include "DodajGolebiaTab1.h"
#include "DodajGolebiaTabCtrl.h"
#include "Globals.h"
#include "ListView.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowTestSupport.h"
#include "WybierzPsaZListy.h"
#include "WyborKoloru.h"
#include "ZakladkaListaPsow.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using Page = CDodajGolebiaTab1;

// 2023-07-15 and 2024-01-03 at 01:01:01 in Warsaw: summer time and winter time.
constexpr Time64 kSummerDay = 1689375661;
constexpr Time64 kWinterDay = 1704240061;

// What the bird file holds, read by a store of its own.
CDataStore StoredData() {
    CDataStore fresh;
    fresh.LoadLofts();
    fresh.LoadPigeonsDb(-1);
    return fresh;
}

void Type(Dialog& page, int id, const std::u16string& text) { page.SetItemText(id, text); }

void Choose(Dialog& page, int combo, int index) {
    page.Combo(combo)->SetCurSel(index);
    page.Fire(combo, Notification::SelChange);
}

// Ticks a date group's box as a click would and types the date.
void EnterDate(Dialog& page, int group, const char16_t* day, const char16_t* month,
               const char16_t* year) {
    const Page::DateGroupIds& ids = Page::kDateGroups[group];
    if (page.IsDlgButtonChecked(ids.box) != 1) page.Button(ids.box)->click();
    page.SetItemText(ids.day, day);
    page.SetItemText(ids.month, month);
    page.SetItemText(ids.year, year);
}

class BirdEditorTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik");
        categoryId_ = AddCategory(loftId_, u"Lotniki");
        store.LoadLofts();
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        g_currentCategoryIndex = 0;
        ASSERT_EQ(store.Lofts()[g_currentLoftIndex].categories.at(0).id, categoryId_);
    }

    // Runs the editor as the program does; `act` plays the user on the open window.
    static int Run(CDodajGolebia& editor, const std::function<void(CDodajGolebia&, Page&)>& act) {
        seams::QueueModalHandler([&act](Dialog& dialog) {
            auto& editor = static_cast<CDodajGolebia&>(dialog);
            act(editor, *editor.Tab1());
            return IDCANCEL;
        });
        return editor.DoModal();
    }

    // Opens the editor for a new bird, as the bird list page does.
    int RunAdd(CZakladkaListaPsow* listPage, const std::function<void(CDodajGolebia&, Page&)>& act) {
        CDodajGolebia editor;
        editor.mode = EditorMode::Add;
        editor.showKeepOpenBox = 1;
        if (listPage)
            editor.onBirdAdded = [listPage](const PigeonRecord& bird) { listPage->SetPigeonRow(-1, bird); };
        const int result = Run(editor, act);
        lastRecord_ = editor.record;
        return result;
    }

    // Opens the editor on a copy of a stored bird.
    int RunEdit(int pigeonId, const std::function<void(CDodajGolebia&, Page&)>& act) {
        CDodajGolebia editor;
        editor.mode = EditorMode::Edit;
        editor.record = TheDataStore().Pigeons().at(pigeonId);
        const int result = Run(editor, act);
        lastRecord_ = editor.record;
        return result;
    }

    int StoreBird(PigeonRecord bird) {
        bird.id_hodowli = bird.id_hodowli ? bird.id_hodowli : loftId_;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    std::vector<int> CategoryBirds() const {
        std::vector<int> ids;
        for (const CategoryMember& member : TheDataStore().LoadCategoryMembers(categoryId_))
            ids.push_back(member.pigeonId);
        return ids;
    }

    int loftId_ = 0;
    int categoryId_ = 0;
    PigeonRecord lastRecord_;
};

// ---- adding -----------------------------------------------------------------------------------

TEST_F(BirdEditorTest, AddingWritesTheBirdRowItsCategoryPlaceAndItsListRow) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddStatus(loftId_, u"Rozpłodowy"));
    store.LoadExtraDb(loftId_);

    CZakladkaListaPsow listPage;
    listPage.Create(nullptr);
    const Time64 before = std::time(nullptr);
    const int result = RunAdd(&listPage, [](CDodajGolebia& editor, Page& page) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Dodaj nowego ptaka"));
        EXPECT_EQ(editor.HeaderTitle(), u"Dodaj nowego gołębia");
        EXPECT_EQ(editor.GetDlgItemText(IDOK), QStringLiteral("Dodaj"));
        EXPECT_FALSE(editor.Item(CDodajGolebia::kKeepOpenBox)->isHidden());
        Type(page, Page::kName, u"Błyskawica's");
        Type(page, Page::kCountry, u"PL");
        Type(page, Page::kBranch, u"0123");
        Type(page, Page::kYear, u"23");
        Type(page, Page::kRing, u"4567");
        Choose(page, Page::kSex, 2);
        Choose(page, Page::kStatus, 1);
        Choose(page, Page::kHealthRating, 10);
        Choose(page, Page::kPlumageRating, 10);
        Choose(page, Page::kFlightRating, 9);
        Choose(page, Page::kGeneralRating, 4);
        EXPECT_EQ(page.GetDlgItemText(Page::kAverageRating), QStringLiteral("9.7"));
        editor.RunCommand(IDOK);
    });
    const Time64 after = std::time(nullptr);
    ASSERT_EQ(result, IDOK);
    ASSERT_GT(lastRecord_.id, 0);

    const CDataStore stored = StoredData();
    const PigeonRecord& bird = stored.FindPigeon(lastRecord_.id);
    EXPECT_EQ(bird.id, lastRecord_.id);
    EXPECT_EQ(bird.nazwa, u"Błyskawica's");
    EXPECT_EQ(bird.GetRingNumber(), u"PL 0123 23 4567");
    EXPECT_EQ(bird.plec, 2);
    EXPECT_EQ(bird.id_statusu, store.StatusNames().rbegin()->first);
    EXPECT_EQ(bird.ocena_zdrowia, 10);
    EXPECT_EQ(bird.ocena_upierzenia, 10);
    EXPECT_EQ(bird.ocena_lotowa, 9);
    EXPECT_EQ(bird.ocena_ogolna, 4);
    EXPECT_EQ(bird.id_hodowli, loftId_);
    EXPECT_GE(bird.DataDodania, before);
    EXPECT_LE(bird.DataDodania, after);
    // Lookups nobody touched, dates nobody ticked.
    EXPECT_EQ(bird.id_koloru, 0);
    EXPECT_EQ(bird.id_wlasciciela, 0);
    EXPECT_EQ(bird.id_hodowcy, 0);
    EXPECT_EQ(bird.DataKupna, kNoDate);
    EXPECT_EQ(bird.DataUrodzenia, kNoDate);

    EXPECT_EQ(CategoryBirds(), std::vector<int>{lastRecord_.id});
    EXPECT_EQ(listPage.PigeonList()->GetItemCount(), 1);
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
}

// Adding and changing alike, what is typed as the window opens is the bird's name (over the
// stored one), and its space never ticks the box that keeps the window open after "Dodaj".
TEST_F(BirdEditorTest, TheEditorOpensInTheNameSoTypingAtOnceNamesTheBird) {
    PigeonRecord old;
    old.nazwa = u"Stary";
    old.nr_obraczki = u"0007";
    const int storedId = StoreBird(old);
    const auto typeAtOnce = [](CDodajGolebia& editor, Page&) {
        QApplication::setActiveWindow(&editor);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClicks(focus, QStringLiteral("As Ptak"));
        editor.Button(IDOK)->click();
    };
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "adding" : "changing");
        const int result = adding ? RunAdd(nullptr, typeAtOnce) : RunEdit(storedId, typeAtOnce);
        EXPECT_EQ(result, IDOK);
        ASSERT_GT(lastRecord_.id, 0);
        EXPECT_EQ(StoredData().FindPigeon(lastRecord_.id).nazwa, u"As Ptak");
    }
}

TEST_F(BirdEditorTest, AverageRatingUsesHealthPlumageAndFlightOnly) {
    EXPECT_EQ(Page::AverageRatingText(0, 0, 0), u"-");
    EXPECT_EQ(Page::AverageRatingText(0, 5, 0), u"5");
    EXPECT_EQ(Page::AverageRatingText(10, 10, 9), u"9.7");
    EXPECT_EQ(Page::AverageRatingText(7, 6, 7), u"6.7");
    EXPECT_EQ(Page::AverageRatingText(10, 0, 10), u"10");
    EXPECT_EQ(Page::AverageRatingText(8, 7, 0), u"7.5");
    RunAdd(nullptr, [](CDodajGolebia&, Page& page) {
        EXPECT_EQ(page.GetDlgItemText(Page::kAverageRating), QStringLiteral("-"));
        Choose(page, Page::kGeneralRating, 9);
        EXPECT_EQ(page.GetDlgItemText(Page::kAverageRating), QStringLiteral("-"));
        Choose(page, Page::kFlightRating, 3);
        EXPECT_EQ(page.GetDlgItemText(Page::kAverageRating), QStringLiteral("3"));
    });
}

// ---- dates ------------------------------------------------------------------------------------

TEST_F(BirdEditorTest, DatesAreStoredAtOneMinutePastOneLocalTime) {
    RunAdd(nullptr, [](CDodajGolebia& editor, Page& page) {
        EnterDate(page, Page::kPurchase, u"3", u"1", u"2024");
        EnterDate(page, Page::kHatch, u"15", u"7", u"2023");
        EnterDate(page, Page::kLeaving, u"2", u"1", u"1970");
        // Ticked and unticked again: no date.
        EnterDate(page, Page::kSale, u"1", u"1", u"2020");
        page.Button(Page::kDateGroups[Page::kSale].box)->click();
        EXPECT_EQ(page.GetDlgItemText(Page::kDateGroups[Page::kSale].day), QString());
        EXPECT_FALSE(page.Item(Page::kDateGroups[Page::kSale].day)->isEnabled());
        editor.RunCommand(IDOK);
    });
    ASSERT_GT(lastRecord_.id, 0);
    const PigeonRecord bird = StoredData().FindPigeon(lastRecord_.id);
    EXPECT_EQ(bird.DataKupna, kWinterDay);
    EXPECT_EQ(bird.DataUrodzenia, kSummerDay);
    EXPECT_EQ(bird.DataOdejscia, 86461);  // 2 January 1970, 01:01:01 CET
    EXPECT_EQ(bird.DataSprzedazy, kNoDate);
}

TEST_F(BirdEditorTest, TickingADateBoxOffersTodayAndThePickerOfAnUntickedGroupDoesNothing) {
    RunAdd(nullptr, [](CDodajGolebia&, Page& page) {
        const Page::DateGroupIds& hatch = Page::kDateGroups[Page::kHatch];
        EXPECT_FALSE(page.Item(hatch.day)->isEnabled());
        page.RunCommand(hatch.picker);
        EXPECT_TRUE(seams::ModalRuns().empty());

        page.Button(hatch.box)->click();
        const std::time_t now = std::time(nullptr);
        std::tm today{};
        localtime_r(&now, &today);
        EXPECT_TRUE(page.Item(hatch.year)->isEnabled());
        EXPECT_EQ(page.GetDlgItemInt(hatch.day), today.tm_mday);
        EXPECT_EQ(page.GetDlgItemInt(hatch.month), today.tm_mon + 1);
        EXPECT_EQ(page.GetDlgItemInt(hatch.year), today.tm_year + 1900);
    });
}

TEST_F(BirdEditorTest, ADateThatCannotBeStoredIsRefusedAndNothingIsWritten) {
    CZakladkaListaPsow listPage;
    listPage.Create(nullptr);
    const Page::DateGroupIds& hatch = Page::kDateGroups[Page::kHatch];
    struct BadDate {
        const char16_t* day;
        const char16_t* month;
        const char16_t* year;
        int focused;  // the box given the focus
    };
    // Before 1970, a day the month does not have (29 February of a century year that is no
    // leap year too), a two-digit year, an empty month or year: a box without a number is the
    // one to mend, else the day.
    for (const BadDate& date :
         {BadDate{u"31", u"12", u"1969", hatch.day}, BadDate{u"31", u"4", u"2020", hatch.day},
          BadDate{u"29", u"2", u"2011", hatch.day}, BadDate{u"29", u"2", u"2100", hatch.day},
          BadDate{u"5", u"5", u"24", hatch.day}, BadDate{u"5", u"", u"2020", hatch.month},
          BadDate{u"5", u"5", u"", hatch.year}}) {
        seams::Reset();
        bool stillOpen = false;
        const int result = RunAdd(&listPage, [&](CDodajGolebia& editor, Page& page) {
            Type(page, Page::kRing, u"1111");
            EnterDate(page, Page::kPurchase, u"1", u"6", u"2020");
            EnterDate(page, Page::kHatch, date.day, date.month, date.year);
            // The user is on another page when confirming: the refused date's page comes back.
            editor.TabCtrl()->SetCurSel(3);
            editor.Fire(CDodajGolebia::kTabControl, Notification::SelChange);
            QApplication::setActiveWindow(&editor);
            editor.RunCommand(IDOK);
            stillOpen = !editor.HasEnded();
            EXPECT_EQ(editor.TabCtrl()->CurrentIndex(), 0);
            EXPECT_TRUE(page.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), page.Item(date.focused));
        });
        const std::u16string shown = std::u16string(date.day) + u"/" + date.month + u"/" + date.year;
        EXPECT_TRUE(stillOpen) << ToUtf8(shown);
        EXPECT_NE(result, IDOK);
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u) << ToUtf8(shown);
        EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains(QStringLiteral("Data wylęgu")));
        EXPECT_EQ(lastRecord_.id, 0);
        EXPECT_TRUE(StoredData().Pigeons().empty()) << ToUtf8(shown);
    }
    EXPECT_TRUE(CategoryBirds().empty());
    EXPECT_EQ(listPage.PigeonList()->GetItemCount(), 0);
}

// ---- lookups ----------------------------------------------------------------------------------

TEST_F(BirdEditorTest, ALookupPositionStoresTheIdOfThatEntryOfItsDictionary) {
    CDataStore& store = TheDataStore();
    for (const char16_t* name : {u"Niebieska", u"Czerwona", u"Płowa"})
        ASSERT_TRUE(store.AddColour(loftId_, name));
    store.LoadExtraDb(loftId_);
    // A removed colour leaves a gap in the ids: positions and ids part ways.
    const int red = std::next(store.ColourNames().begin(), 2)->first;
    ASSERT_TRUE(store.DeleteColour(red));
    for (const char16_t* surname : {u"Kowalski", u"Nowak"}) {
        PersonRecord person;
        person.imie = u"Jan";
        person.nazwisko = surname;
        ASSERT_TRUE(store.WriteClient(WriteMode::Insert, person));
        ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, person));
    }
    store.LoadExtraDb(loftId_);
    const int fawn = store.ColourNames().rbegin()->first;
    const int secondClient = store.Clients().rbegin()->first;
    const int firstBreeder = store.Breeders().begin()->first;

    RunAdd(nullptr, [&](CDodajGolebia& editor, Page& page) {
        EXPECT_EQ(page.Combo(Page::kColour)->GetCount(), 3);  // " ", Niebieska, Płowa
        EXPECT_EQ(page.Combo(Page::kOwner)->GetLBText(1), QStringLiteral("Jan Nowak"));
        Choose(page, Page::kColour, 2);
        Choose(page, Page::kOwner, 1);
        Choose(page, Page::kBreeder, 0);
        editor.RunCommand(IDOK);
    });
    const PigeonRecord bird = StoredData().FindPigeon(lastRecord_.id);
    ASSERT_GT(bird.id, 0);
    EXPECT_EQ(bird.id_koloru, fawn);
    EXPECT_EQ(bird.id_wlasciciela, secondClient);
    EXPECT_EQ(bird.id_hodowcy, firstBreeder);
    EXPECT_EQ(bird.id_rasy, 0);
}

TEST_F(BirdEditorTest, AfterADictionaryEditorTheListIsFilledAgainAndTheChosenIdStays) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(loftId_, u"Niebieska"));
    store.LoadExtraDb(loftId_);
    const int blue = store.ColourNames().rbegin()->first;
    RunAdd(nullptr, [&](CDodajGolebia& editor, Page& page) {
        Choose(page, Page::kColour, 1);
        seams::QueueModalHandler([](Dialog& dictionary) {
            EXPECT_EQ(dictionary.TemplateId(), CWyborKoloru::kTemplateId);
            EXPECT_EQ(static_cast<CWyborKoloru&>(dictionary).kind, DictionaryColours);
            dictionary.SetItemText(CWyborKoloru::kNameEdit, u"Płowa");
            dictionary.RunCommand(CWyborKoloru::kAddButton);
            return IDCANCEL;
        });
        page.RunCommand(Page::kColourButton);
        ComboBox* colours = page.Combo(Page::kColour);
        ASSERT_EQ(colours->GetCount(), 3);
        EXPECT_EQ(colours->GetLBText(2), QStringLiteral("Płowa"));
        EXPECT_EQ(colours->GetCurSel(), -1);
        editor.RunCommand(IDOK);
    });
    EXPECT_EQ(StoredData().FindPigeon(lastRecord_.id).id_koloru, blue);
}

// A name, colour or breed longer than its box is read from its beginning: as the editor shows
// the stored bird's entries and after an entry is chosen from the list.
TEST_F(BirdEditorTest, LongNameColourAndBreedShowTheirBeginning) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(loftId_, u"niebieski nakrapiany z białymi lotkami i ciemnym ogonem"));
    ASSERT_TRUE(store.AddColour(loftId_, u"czerwony pstry z jasnymi lotkami i białym kołnierzem"));
    ASSERT_TRUE(store.AddBreed(loftId_, u"Vandenabeele-Ćmielowskich Szybkie Lotniki Wielkopolskie"));
    ASSERT_TRUE(store.AddBreed(loftId_, u"Janssen-Żmigrodzkie Lotniki Dalekodystansowe z Wrocławia"));
    store.LoadExtraDb(loftId_);
    PigeonRecord stored;
    stored.nr_obraczki = u"12345";
    stored.nazwa = u"Błyskawica Śląska z Wielkopolskiego Gołębnika Rodziny Ćmielowskich";
    stored.id_koloru = store.ColourNames().rbegin()->first;
    stored.id_rasy = store.BreedNames().rbegin()->first;
    const int bird = StoreBird(stored);
    RunEdit(bird, [&](CDodajGolebia& editor, Page& page) {
        editor.show();
        QLineEdit* name = page.Edit(Page::kName);
        ASSERT_GT(name->fontMetrics().horizontalAdvance(name->text()), name->width());
        name->grab();
        EXPECT_EQ(name->cursorPosition(), 0);
        EXPECT_LT(name->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 10);
        for (int id : {Page::kColour, Page::kBreed}) {
            SCOPED_TRACE(id);
            ComboBox* combo = page.Combo(id);
            QLineEdit* field = combo->lineEdit();
            ASSERT_NE(field, nullptr);
            ASSERT_GT(field->fontMetrics().horizontalAdvance(field->text()), field->width());
            // Drawn with the text's first letter at the field's left edge.
            const auto showsBeginning = [field] {
                field->grab();
                return field->cursorPosition() == 0 && field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 10;
            };
            EXPECT_TRUE(showsBeginning()) << field->text().toStdString();
            combo->showPopup();
            QTest::keyClick(combo->view(), Qt::Key_Up);
            QTest::keyClick(combo->view(), Qt::Key_Return);
            EXPECT_FALSE(combo->view()->isVisible());
            EXPECT_EQ(combo->GetCurSel(), combo->GetCount() - 2);
            EXPECT_TRUE(showsBeginning()) << field->text().toStdString();
        }
    });
}

// The four rating labels are read whole, on one line, beside their lists.
TEST_F(BirdEditorTest, RatingLabelsShowTheirWholeTextBesideTheirLists) {
    RunAdd(nullptr, [](CDodajGolebia& editor, Page& page) {
        editor.show();
        const std::pair<const char*, int> rows[] = {
            {"Ocena Zdrowia", Page::kHealthRating},
            {"Ocena Upierzenia", Page::kPlumageRating},
            {"Ocena Lotowa", Page::kFlightRating},
            {"Ocena Ogólna", Page::kGeneralRating},
        };
        for (const auto& [text, combo] : rows) {
            SCOPED_TRACE(text);
            QLabel* label = nullptr;
            for (QLabel* candidate : page.findChildren<QLabel*>())
                if (candidate->text() == QString::fromUtf8(text)) label = candidate;
            ASSERT_NE(label, nullptr);
            const QRect needed = label->fontMetrics().boundingRect(label->text());
            EXPECT_LE(needed.width(), label->contentsRect().width());
            EXPECT_LE(label->geometry().right(), page.Combo(combo)->geometry().left());
        }
    });
}

// ---- editing ----------------------------------------------------------------------------------

// Two birds whose long rings differ only in their last digit: the painted title of each keeps
// the ring's end, so the two editors do not look alike.
TEST_F(BirdEditorTest, APaintedTitleCutShortKeepsTheEndOfTheRing) {
    std::vector<QImage> titles;
    for (const char16_t* number : {u"PL-0457-2023-1234565", u"PL-0457-2023-1234566"}) {
        const int id = StoreBird({.nazwa = u"Błękitna Strzała",
                                  .nr_obraczki = number,
                                  .kraj = u"PL",
                                  .oddzial = u"0457 Kalisz-Ostrów Wielkopolski"});
        RunEdit(id, [&](CDodajGolebia& editor, Page&) {
            const QFontMetrics title(Font(QStringLiteral("Tahoma"), 28, FW_BOLD));
            ASSERT_GT(title.horizontalAdvance(QString::fromStdU16String(editor.HeaderTitle())),
                      editor.width());
            titles.push_back(editor.grab(QRect(0, 0, editor.width(), kHeaderTitleBottom)).toImage());
        });
    }
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_NE(titles[0], titles[1]);
}

// A father whose ring number is one word wider than the label under his picture: the label
// wraps at words, and that word keeps the ring's end with "…" in its middle instead of being
// sliced at the label's edge.
TEST_F(BirdEditorTest, AParentsRingTooWideForItsLabelKeepsItsEndAndIsNeverSliced) {
    const int father = StoreBird({.nr_obraczki = u"PL-0102-17-0402",
                                  .kraj = u"PL",
                                  .oddzial = u"0102",
                                  .rocznik = u"2017",
                                  .plec = 1});
    const int id = StoreBird({.id_ojca = father, .nr_obraczki = u"1"});
    RunEdit(id, [&](CDodajGolebia&, Page& page) {
        auto* label = qobject_cast<CTransparentStatic*>(page.Item(Page::kFatherLabel));
        ASSERT_NE(label, nullptr);
        const QRect area = label->contentsRect();
        ASSERT_GT(QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("PL-0102-17-0402")),
                  area.width());
        const QString shown = label->ShownText();
        EXPECT_TRUE(shown.endsWith(QStringLiteral("0402"))) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
        // What the label draws, drawn again without its clip, stays inside it.
        QImage ink(area.width() + 100, area.height() + 100, QImage::Format_RGB32);
        ink.fill(Qt::white);
        {
            QPainter painter(&ink);
            painter.setFont(label->font());
            painter.setPen(Qt::black);
            painter.drawText(QRect(QPoint(0, 0), area.size()),
                             static_cast<int>(label->alignment()) | Qt::TextWordWrap |
                                 Qt::TextDontClip,
                             shown);
        }
        for (int y = 0; y < ink.height(); ++y) {
            for (int x = 0; x < ink.width(); ++x) {
                if (x >= area.width() || y >= area.height()) {
                    ASSERT_EQ(ink.pixel(x, y), qRgb(255, 255, 255))
                        << x << "," << y << " " << shown.toStdString();
                }
            }
        }
        label->grab();  // the tooltip follows what is drawn
        EXPECT_EQ(label->toolTip(), label->text());
    });
}

TEST_F(BirdEditorTest, EditingKeepsEveryValueTheUserDidNotTouch) {
    CDataStore& store = TheDataStore();
    LoftRecord otherLoft;
    otherLoft.nazwahodowli = u"Drugi";
    ASSERT_TRUE(store.WriteLoft(WriteMode::Insert, otherLoft));
    const int father = StoreBird({.nr_obraczki = u"1", .plec = 1});
    PigeonRecord bird{.id_matki = 4321,
                      .id_ojca = father,
                      .id_statusu = 77,        // not among the statuses
                      .id_wlasciciela = 999,   // not among the clients
                      .id_hodowcy = 555,
                      .ocena_ogolna = 3,
                      .ocena_zdrowia = 8,
                      .nazwa = u"Stara",
                      .nr_obraczki = u"2",
                      .kraj = u"PL",
                      .DataUrodzenia = kSummerDay,
                      .DataKupna = kWinterDay,
                      .plec = 2,
                      .id_koloru = 12,
                      .id_hodowli = otherLoft.id};
    bird.id_rasy = 6;
    const int id = StoreBird(bird);
    const std::u16string display = store.Pigeons().at(id).GetDisplayName();

    const int result = RunEdit(id, [&](CDodajGolebia& editor, Page& page) {
        EXPECT_EQ(editor.windowTitle(), QString::fromStdU16String(u"Edycja gołębia - " + display));
        EXPECT_EQ(editor.HeaderTitle(), u"Edycja gołębia - " + display);
        EXPECT_EQ(editor.GetDlgItemText(IDOK), QStringLiteral("Zapisz zmiany"));
        EXPECT_TRUE(editor.Item(CDodajGolebia::kKeepOpenBox)->isHidden());
        EXPECT_EQ(page.GetDlgItemText(Page::kFatherLabel),
                  QString::fromStdU16String(TheDataStore().FindPigeon(father).GetDisplayName()));
        EXPECT_EQ(page.GetDlgItemInt(Page::kDateGroups[Page::kHatch].day), 15);
        EXPECT_EQ(page.IsDlgButtonChecked(Page::kDateGroups[Page::kSale].box), 0);
        Type(page, Page::kName, u"Nowa");
        editor.RunCommand(IDOK);
    });
    ASSERT_EQ(result, IDOK);
    const PigeonRecord stored = StoredData().FindPigeon(id);
    EXPECT_EQ(stored.nazwa, u"Nowa");
    EXPECT_EQ(stored.id_ojca, father);
    EXPECT_EQ(stored.id_matki, 4321);
    EXPECT_EQ(stored.id_statusu, 77);
    EXPECT_EQ(stored.id_wlasciciela, 999);
    EXPECT_EQ(stored.id_hodowcy, 555);
    EXPECT_EQ(stored.id_koloru, 12);
    EXPECT_EQ(stored.id_rasy, 6);
    EXPECT_EQ(stored.plec, 2);
    EXPECT_EQ(stored.ocena_zdrowia, 8);
    EXPECT_EQ(stored.ocena_ogolna, 3);
    EXPECT_EQ(stored.DataUrodzenia, kSummerDay);
    EXPECT_EQ(stored.DataKupna, kWinterDay);
    EXPECT_EQ(stored.DataSprzedazy, kNoDate);
    // Editing a bird of another loft does not move it into the current one.
    EXPECT_EQ(stored.id_hodowli, otherLoft.id);
    EXPECT_EQ(store.Pigeons().at(id).nazwa, u"Nowa");
}

TEST_F(BirdEditorTest, TheChosenParentIsStoredAndAChooserWithoutAValidChoiceChangesNothing) {
    const int father = StoreBird({.nr_obraczki = u"10", .plec = 1});
    const int id = StoreBird({.nr_obraczki = u"11"});
    auto choose = [](int chosenId, int valid) {
        seams::QueueModalHandler([chosenId, valid](Dialog& dialog) {
            auto* chooser = dynamic_cast<CWybierzPsaZListy*>(&dialog);
            EXPECT_NE(chooser, nullptr);
            if (!chooser) return IDCANCEL;
            EXPECT_EQ(chooser->filterMode, ChooserMales);
            chooser->chosenId = chosenId;
            chooser->chosenValid = valid;
            chooser->EndDialog(IDOK);
            return IDOK;
        });
    };
    RunEdit(id, [&](CDodajGolebia& editor, Page& page) {
        choose(father + 100, -1);
        page.RunCommand(Page::kChooseFather);
        EXPECT_EQ(editor.record.id_ojca, 0);
        choose(father, 1);
        page.RunCommand(Page::kChooseFather);
        EXPECT_EQ(editor.record.id_ojca, father);
        EXPECT_EQ(page.GetDlgItemText(Page::kFatherLabel),
                  QString::fromStdU16String(TheDataStore().FindPigeon(father).GetDisplayName()));
        editor.RunCommand(IDOK);
    });
    EXPECT_EQ(StoredData().FindPigeon(id).id_ojca, father);
}

TEST_F(BirdEditorTest, ABirdCannotBecomeItsOwnParentOrAncestor) {
    const int grandfather = StoreBird({.nr_obraczki = u"1", .plec = 1});
    const int id = StoreBird({.id_ojca = grandfather, .nr_obraczki = u"2", .plec = 1});
    const int son = StoreBird({.id_ojca = id, .nr_obraczki = u"3", .plec = 1});
    const int grandson = StoreBird({.id_ojca = son, .nr_obraczki = u"4", .plec = 1});
    const int stranger = StoreBird({.nr_obraczki = u"5", .plec = 1});
    // The chooser for a parent does not offer the bird itself; it answers with `pick`.
    auto choose = [](int pick) {
        seams::QueueModalHandler([pick](Dialog& dialog) {
            auto& chooser = static_cast<CWybierzPsaZListy&>(dialog);
            std::vector<int> offered;
            for (const PigeonRecord& bird : chooser.candidates) offered.push_back(bird.id);
            EXPECT_EQ(std::count(offered.begin(), offered.end(), chooser.excludedId), 0);
            EXPECT_GT(chooser.excludedId, 0);
            chooser.chosenId = pick;
            chooser.chosenValid = 1;
            chooser.EndDialog(IDOK);
            return IDOK;
        });
    };
    RunEdit(id, [&](CDodajGolebia& editor, Page& page) {
        for (int pick : {id, son, grandson}) {
            choose(pick);
            page.RunCommand(Page::kChooseFather);
            EXPECT_EQ(editor.record.id_ojca, grandfather) << pick;
        }
        choose(stranger);
        page.RunCommand(Page::kChooseFather);
        EXPECT_EQ(editor.record.id_ojca, stranger);
        editor.RunCommand(IDOK);
    });
    EXPECT_EQ(MessageTexts(),
              (QStringList{"Gołąb nie może być swoim własnym rodzicem.",
                           "Wybrany gołąb pochodzi od edytowanego gołębia, więc nie może być jego "
                           "rodzicem.",
                           "Wybrany gołąb pochodzi od edytowanego gołębia, więc nie może być jego "
                           "rodzicem."}));
    EXPECT_EQ(StoredData().FindPigeon(id).id_ojca, stranger);
}

// ---- the keep-open box ------------------------------------------------------------------------

TEST_F(BirdEditorTest, KeepOpenAddsOneBirdPerPressEachStartingWithoutAttachments) {
    CZakladkaListaPsow listPage;
    listPage.Create(nullptr);
    std::vector<int> ids;
    bool openAfterTwo = false;
    int photoId = 0;
    const std::filesystem::path source = std::filesystem::temp_directory_path() / "keep-open-photo.jpg";
    std::ofstream(source) << "jpeg";
    // The same ring each time: the user is asked before each repeat and says yes.
    seams::ScriptMessageBoxAnswers({IDYES, IDYES});
    const int result = RunAdd(&listPage, [&](CDodajGolebia& editor, Page& page) {
        editor.Button(CDodajGolebia::kKeepOpenBox)->click();
        Type(page, Page::kName, u"Seria");
        Type(page, Page::kRing, u"500");
        editor.RunCommand(IDOK);
        ids.push_back(editor.record.id);
        // A photo given to the bird just added, stored as the photo page does.
        PhotoRecord photo{.id_golebia = editor.record.id, .rozszerzenie = u"jpg"};
        photo.path = source.u16string();
        ASSERT_TRUE(TheDataStore().AddPhoto(photo));
        photoId = photo.id;
        editor.record.photos.push_back(photo);
        editor.RunCommand(IDOK);
        ids.push_back(editor.record.id);
        openAfterTwo = !editor.HasEnded();
        EXPECT_EQ(editor.HeaderTitle(), u"Edycja gołębia - " + editor.record.GetDisplayName());
        editor.Button(CDodajGolebia::kKeepOpenBox)->click();
        editor.RunCommand(IDOK);
        ids.push_back(editor.record.id);
    });
    EXPECT_TRUE(openAfterTwo);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_GT(ids[0], 0);
    EXPECT_LT(ids[0], ids[1]);
    EXPECT_LT(ids[1], ids[2]);

    const CDataStore stored = StoredData();
    for (int id : ids) {
        EXPECT_EQ(stored.FindPigeon(id).nazwa, u"Seria") << id;
        EXPECT_EQ(stored.FindPigeon(id).nr_obraczki, u"500") << id;
    }
    EXPECT_EQ(CategoryBirds(), ids);
    EXPECT_EQ(listPage.PigeonList()->GetItemCount(), 3);
    EXPECT_EQ(MessageTexts().size(), 2);

    // The photo belongs to the first bird only.
    const CDataStore& store = TheDataStore();
    ASSERT_EQ(store.FindPigeon(ids[0]).photos.size(), 1u);
    EXPECT_EQ(store.FindPigeon(ids[0]).photos[0].id, photoId);
    std::filesystem::remove(source);
    for (int id : {ids[1], ids[2]}) {
        EXPECT_TRUE(store.FindPigeon(id).photos.empty()) << id;
        EXPECT_TRUE(store.FindPigeon(id).documents.empty()) << id;
        EXPECT_TRUE(store.FindPigeon(id).treatments.empty()) << id;
    }
}

// ---- a ring another bird already wears ----------------------------------------------------------

TEST_F(BirdEditorTest, ARingAnotherBirdOfTheLoftWearsIsSavedOnlyWhenTheUserSaysSo) {
    LoftRecord otherLoft{.nazwahodowli = u"Drugi"};
    ASSERT_TRUE(TheDataStore().WriteLoft(WriteMode::Insert, otherLoft));
    const PigeonRecord ring{.nr_obraczki = u"4001", .kraj = u"PL", .oddzial = u"0401",
                            .rocznik = u"2025"};
    PigeonRecord holder = ring;
    holder.nazwa = u"Stary";
    const int holderId = StoreBird(holder);
    PigeonRecord away = ring;
    away.nr_obraczki = u"5001";
    away.id_hodowli = otherLoft.id;
    StoreBird(away);
    PigeonRecord neighbour = ring;
    neighbour.nr_obraczki = u"4002";
    const int neighbourId = StoreBird(neighbour);
    const QString question = QStringLiteral(
        "W tej hodowli jest już gołąb o tej samej obrączce:\nPL 0401 2025 4001 [Stary]\n\n"
        "Czy mimo to zapisać gołębia?");
    auto typeRing = [](Page& page, const PigeonRecord& bird) {
        Type(page, Page::kCountry, bird.kraj);
        Type(page, Page::kBranch, bird.oddzial);
        Type(page, Page::kYear, bird.rocznik);
        Type(page, Page::kRing, bird.nr_obraczki);
    };
    auto ringsOnDisk = [] {
        QStringList rings;
        const CDataStore stored = StoredData();
        for (const auto& [id, bird] : stored.Pigeons())
            rings << QString::fromStdU16String(bird.GetRingNumber());
        return rings;
    };

    // Adding: "Nie" keeps the window open with nothing written, "Tak" saves.
    seams::ScriptMessageBoxAnswers({IDNO, IDYES});
    bool openAfterNo = false;
    int added = 0;
    RunAdd(nullptr, [&](CDodajGolebia& editor, Page& page) {
        typeRing(page, ring);
        editor.RunCommand(IDOK);
        openAfterNo = !editor.HasEnded();
        EXPECT_EQ(ringsOnDisk().count("PL 0401 2025 4001"), 1);
        editor.RunCommand(IDOK);
        added = editor.record.id;
    });
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    for (const seams::MessageBoxCall& call : seams::MessageBoxCalls()) {
        EXPECT_EQ(call.text, question);
        EXPECT_EQ(call.caption, QStringLiteral("Ta sama obrączka"));
        EXPECT_EQ(call.flags & MB_DEFBUTTON2, static_cast<unsigned>(MB_DEFBUTTON2));  // "Nie"
    }
    EXPECT_EQ(ringsOnDisk().count("PL 0401 2025 4001"), 2);
    EXPECT_EQ(CategoryBirds(), std::vector<int>{added});

    // A ring worn only in another loft, and a ring differing in one part, are not asked about.
    seams::Reset();
    for (const PigeonRecord& other : {away, PigeonRecord{.nr_obraczki = u"4001", .kraj = u"DV",
                                                         .oddzial = u"0401", .rocznik = u"2025"}}) {
        EXPECT_EQ(RunAdd(nullptr, [&](CDodajGolebia& editor, Page& page) {
                      typeRing(page, other);
                      editor.RunCommand(IDOK);
                  }),
                  IDOK);
    }
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    // Editing: a bird keeping its ring is not asked about, not even one that has a twin.
    for (int id : {neighbourId, holderId}) {
        EXPECT_EQ(RunEdit(id, [](CDodajGolebia& editor, Page&) { editor.RunCommand(IDOK); }),
                  IDOK);
    }
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
    // Given the holder's ring: "Nie" writes nothing, "Tak" saves.
    seams::ScriptMessageBoxAnswers({IDNO, IDYES});
    bool editOpenAfterNo = false;
    RunEdit(neighbourId, [&](CDodajGolebia& editor, Page& page) {
        typeRing(page, ring);
        editor.RunCommand(IDOK);
        editOpenAfterNo = !editor.HasEnded();
        EXPECT_EQ(StoredData().FindPigeon(neighbourId).nr_obraczki, u"4002");
        editor.RunCommand(IDOK);
    });
    EXPECT_TRUE(editOpenAfterNo);
    EXPECT_EQ(MessageTexts(), QStringList(2, question));
    EXPECT_EQ(StoredData().FindPigeon(neighbourId).nr_obraczki, u"4001");
}

TEST_F(BirdEditorTest, AFailedInsertIsReportedAndTheWindowKeepsTheTypedBird) {
    // The bird file cannot be opened: a folder stands where it should be.
    const QString file = QString::fromStdU16String(PigeonsDbPath());
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    CZakladkaListaPsow listPage;
    listPage.Create(nullptr);
    bool stillOpen = false;
    RunAdd(&listPage, [&](CDodajGolebia& editor, Page& page) {
        Type(page, Page::kRing, u"77");
        editor.RunCommand(IDOK);
        stillOpen = !editor.HasEnded();
        EXPECT_EQ(page.GetDlgItemText(Page::kRing), QStringLiteral("77"));
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, QStringLiteral("Błąd dodawania ptaka do hodowli"));
    EXPECT_EQ(listPage.PigeonList()->GetItemCount(), 0);
    EXPECT_TRUE(TheDataStore().Pigeons().empty());
}

}  // namespace
