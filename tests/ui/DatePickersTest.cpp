// The date and time pickers of every window: a text typed into one that is no whole date the
// program stores is refused when the window would write, by the window's own message, with the
// window left open and both database files untouched; the calendar popup returns the day it
// highlights. And where a new result's arrival starts, and an arrival before the release.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>
#include <vector>

#include "DataStore.h"
#include "DataWyjsciaNaDach.h"
#include "DateTimePicker.h"
#include "Dialog.h"
#include "DodajEdytujPare2.h"
#include "DodajGolebiaDoLotu.h"
#include "DodajPsaDoPary.h"
#include "Fotoparowanie.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "NowyLot.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "WybierzPsaZListy.h"
#include "ZakladkaEdycjaPtaka.h"
#include "ZakladkaListaPsow.h"
#include "ZakladkaLotyGolebi.h"

namespace {

using ResultEditor = CDodajGolebiaDoLotu;

Time64 Local(int day, int month, int year, int hour = 0, int minute = 0) {
    return MakeLocalTime(day, month, year, hour, minute).value_or(kNoDate);
}

// Both database files, byte for byte.
QByteArray Files() {
    QByteArray bytes;
    for (const Text& path : {PigeonsDbPath(), ExtraDbPath()}) {
        QFile file(QString::fromStdU16String(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        bytes += file.readAll();
    }
    return bytes;
}

QDateTimeEdit* EditOf(DateTimePicker* picker) { return picker->findChild<QDateTimeEdit*>(); }
QString Shown(DateTimePicker* picker) { return EditOf(picker)->findChild<QLineEdit*>()->text(); }

// What the user types: the section clicked, whether its digits are deleted first, the keys.
struct Typing {
    QDateTimeEdit::Section section;
    bool erase;
    const char* keys;
};

// A year past the last one (its last digit is refused), the year 0, a year half typed.
const Typing kDateTypings[] = {{QDateTimeEdit::YearSection, true, "3001"},
                               {QDateTimeEdit::YearSection, true, "0000"},
                               {QDateTimeEdit::YearSection, true, "20"}};
// An hour deleted, an hour half typed.
const Typing kTimeTypings[] = {{QDateTimeEdit::HourSection, true, ""},
                               {QDateTimeEdit::HourSection, true, "2"}};

// Types into the picker of an active window, with the focus in its field as after a click.
void Type(Dialog& window, DateTimePicker* picker, const Typing& typing) {
    if (QCheckBox* box = picker->findChild<QCheckBox*>(); box && !box->isChecked()) box->click();
    QApplication::setActiveWindow(&window);
    QDateTimeEdit* edit = EditOf(picker);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->setSelectedSection(typing.section);
    if (typing.erase) QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typing.keys);
}

class DatePickersTest : public MainWindowTest {
public:
    CZakladkaListaPsow& BirdList() const { return *dialog_->BirdListPage(); }
    CZakladkaLotyGolebi& Flights() const { return *dialog_->FlightsPage(); }
    CZakladkaEdycjaPtaka& Pairing() const { return *dialog_->PairingPage(); }

protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowTest::SetUp());
        loft_ = AddLoft(u"Gołębnik");
        const int category = AddCategory(loft_, u"Lotne");
        male_ = AddBird(category, u"100", u"Grom");
        female_ = AddBird(category, u"200", u"Iskra");
        ChangeBird(male_, [](PigeonRecord& bird) { bird.plec = 1; });
        ChangeBird(female_, [](PigeonRecord& bird) { bird.plec = 2; });
        PairRecord pair;
        pair.id_hodowli = loft_;
        pair.id_samca = male_;
        pair.id_samicy = female_;
        pair.DataParowania = pair.DataDodania = Local(2, 3, 2026, 9);
        ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
        FlightRecord flight;
        flight.id_hodowli = loft_;
        flight.miejscowosc = u"Opole";
        flight.czasodlotu = release_;
        flight.odleglosckm = 300;
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        flightId_ = flight.id;
        FlightResultEntry result;
        result.id_lotu = flight.id;
        result.id_hodowli = loft_;
        result.id_golebia = male_;
        result.DataCzasPrzylotu = Local(18, 5, 2026, 6);
        ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
        Open(1280, 900);
        // The bird list shown as a click on its header does.
        QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(300, dialog_->ClientTop() + 80));
        ChooseFirstRows();
    }

public:
    // The first bird, pair, flight and result of the lists chosen, as the user clicks them.
    void ChooseFirstRows() {
        ListView* birds = BirdList().PigeonList();
        QTest::mouseClick(birds->viewport(), Qt::LeftButton, {},
                          birds->visualItemRect(birds->item(0, 1)).center());
        Flights().FlightList()->SelectRow(0);
        Flights().Fire(CZakladkaLotyGolebi::kFlightList, Notification::Clicked);
        Flights().ResultList()->SelectRow(0);
        Flights().Fire(CZakladkaLotyGolebi::kResultList, Notification::Clicked);
        Pairing().PairList()->SelectRow(0);
        Pairing().Fire(CZakladkaEdycjaPtaka::kPairList, Notification::Clicked);
    }

protected:

    // Adds a result of the female through the result editor, `fill` run before OK.
    void AddResult(const std::function<void(ResultEditor&)>& fill) {
        seams::QueueModalHandler([&](Dialog& dialog) {
            auto& editor = static_cast<ResultEditor&>(dialog);
            seams::QueueModalHandler([&](Dialog& chooser) {
                auto& choose = static_cast<CWybierzPsaZListy&>(chooser);
                choose.chosenId = female_;
                choose.chosenValid = 1;
                choose.EndDialog(IDOK);
                return IDOK;
            });
            editor.RunCommand(ResultEditor::kChooseBird);
            fill(editor);
            return editor.HasEnded() ? editor.EndCode() : IDCANCEL;
        });
        Flights().AddFlightResult();
    }

    // The stored arrivals of the flight's results, as the file holds them.
    std::vector<Time64> StoredArrivals() const {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        std::vector<Time64> arrivals;
        for (const FlightRecord& flight : fresh.Flights()) {
            if (flight.id != flightId_) continue;
            for (const FlightResultEntry& result : flight.entries)
                arrivals.push_back(result.DataCzasPrzylotu);
        }
        return arrivals;
    }

    int loft_ = 0, male_ = 0, female_ = 0, flightId_ = 0;
    const Time64 release_ = Local(17, 5, 2026, 7, 30);
};

// Every window holding a picker, opened as the user opens it, and the button that writes.
struct PickerWindow {
    const char* name;
    int templateId;
    std::function<void(DatePickersTest&)> open;
    int save;
    struct Picker {
        int id;
        bool time;
        const char* message;
    };
    std::vector<Picker> pickers;
};

TEST_F(DatePickersTest, TextThatIsNoWholeDateIsRefusedInEveryWindowAndNothingIsWritten) {
    const char* common = "Nieprawidłowa data.";
    const char* release = "Nieprawidłowa data lotu: „Data i czas odlotu gołębi”.";
    const char* first = "Nieprawidłowa data lotu: „Pierwszy gołąb w konkursie”.";
    const char* last = "Nieprawidłowa data lotu: „Ostatni gołąb w konkursie”.";
    const char* arrival = "Nieprawidłowa data przylotu.";
    const std::vector<PickerWindow> windows = {
        {"roof date", CDataWyjsciaNaDach::kTemplateId,
         [](DatePickersTest& t) { t.BirdList().EditRoofDate(); }, IDOK,
         {{CDataWyjsciaNaDach::kDatePicker, false, common}}},
        {"new pair", CDodajEdytujPare2::kTemplateId,
         [](DatePickersTest& t) { t.Pairing().AddPair(); }, CDodajEdytujPare2::kSave,
         {{CDodajEdytujPare2::kLayingDate, false, "Nieprawidłowa data złożenia jaj."},
          {CDodajEdytujPare2::kHatchingDate, false, "Nieprawidłowa data wyklucia."}}},
        {"stored pair", CDodajEdytujPare2::kTemplateId,
         [](DatePickersTest& t) { t.Pairing().EditPair(); }, CDodajEdytujPare2::kSave,
         {{CDodajEdytujPare2::kLayingDate, false, "Nieprawidłowa data złożenia jaj."},
          {CDodajEdytujPare2::kHatchingDate, false, "Nieprawidłowa data wyklucia."}}},
        {"photo pairing", CFotoparowanie::kTemplateId,
         [](DatePickersTest& t) { t.Pairing().PhotoPairing(); }, CFotoparowanie::kCreatePair,
         {{CFotoparowanie::kDatePicker, false, common}}},
        {"new flight", CNowyLot::kTemplateId, [](DatePickersTest& t) { t.Flights().AddFlight(); },
         IDOK,
         {{CNowyLot::kReleaseDate, false, release},
          {CNowyLot::kReleaseTime, true, release},
          {CNowyLot::kFirstDate, false, first},
          {CNowyLot::kFirstTime, true, first},
          {CNowyLot::kLastDate, false, last},
          {CNowyLot::kLastTime, true, last}}},
        {"stored flight", CNowyLot::kTemplateId,
         [](DatePickersTest& t) { t.Flights().EditFlight(); }, IDOK,
         {{CNowyLot::kReleaseDate, false, release}, {CNowyLot::kLastTime, true, last}}},
        {"new result", ResultEditor::kTemplateId,
         [](DatePickersTest& t) { t.Flights().AddFlightResult(); }, IDOK,
         {{ResultEditor::kArrivalDate, false, arrival}, {ResultEditor::kArrivalTime, true, arrival}}},
        {"stored result", ResultEditor::kTemplateId,
         [](DatePickersTest& t) { t.Flights().EditFlightResult(); }, IDOK,
         {{ResultEditor::kArrivalDate, false, arrival}, {ResultEditor::kArrivalTime, true, arrival}}},
    };

    const QByteArray before = Files();
    for (const PickerWindow& window : windows) {
        for (const PickerWindow::Picker& picker : window.pickers) {
            const auto& typings = picker.time ? std::vector<Typing>(std::begin(kTimeTypings), std::end(kTimeTypings))
                                              : std::vector<Typing>(std::begin(kDateTypings), std::end(kDateTypings));
            for (const Typing& typing : typings) {
                SCOPED_TRACE(std::string(window.name) + ", picker " + std::to_string(picker.id) +
                             ", typed \"" + typing.keys + "\"");
                seams::Reset();
                QString typed, shownAfter;
                bool opened = false, stillOpen = false;
                seams::QueueModalHandler([&](Dialog& dialog) {
                    opened = dialog.TemplateId() == window.templateId;
                    DateTimePicker* field = dialog.DatePicker(picker.id);
                    if (!opened || !field) return IDCANCEL;
                    Type(dialog, field, typing);
                    typed = Shown(field);
                    // The click on the button takes the focus from the field first.
                    dialog.Button(window.save)->setFocus();
                    dialog.Button(window.save)->click();
                    stillOpen = !dialog.HasEnded();
                    shownAfter = Shown(field);
                    return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
                });
                ChooseFirstRows();
                window.open(*this);
                ASSERT_TRUE(opened);
                EXPECT_TRUE(stillOpen);
                EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(picker.message)});
                // The typed text stays to be mended.
                EXPECT_EQ(shownAfter, typed);
                EXPECT_TRUE(Files() == before);
            }
        }
    }

    // Enter in the field presses the default button, which refuses the text as a click does.
    seams::Reset();
    bool stillOpen = false;
    seams::QueueModalHandler([&](Dialog& dialog) {
        DateTimePicker* field = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker);
        Type(dialog, field, kDateTypings[0]);
        QTest::keyClick(EditOf(field), Qt::Key_Return);
        stillOpen = !dialog.HasEnded();
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    });
    BirdList().EditRoofDate();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(common)});
    EXPECT_TRUE(Files() == before);

    // The young's hatch date is the bird's own and not for typing. Every other window holding a
    // picker is walked above: one added later must join the walk.
    std::set<int> walked{CDodajPsaDoPary::kTemplateId};
    for (const PickerWindow& window : windows) walked.insert(window.templateId);
    for (int id = 1; id < 1000; ++id) {
        const DialogTemplate* t = FindDialogTemplate(id);
        if (!t) continue;
        for (const ControlTemplate& control : t->controls) {
            if (control.kind == ControlKind::DateTimePicker) EXPECT_TRUE(walked.count(id)) << id;
        }
    }
    seams::QueueModalHandler([](Dialog& dialog) {
        EXPECT_FALSE(dialog.DatePicker(CDodajPsaDoPary::kHatchDate)->isEnabled());
        return IDCANCEL;
    });
    Pairing().AddYoung();
}

// Whole dates at the ends of the stored years are taken as typed.
TEST_F(DatePickersTest, WholeTypedDatesAreStoredAsShown) {
    const struct {
        const char* year;
        int stored;
    } cases[] = {{"3000", 3000}, {"1970", 1970}, {"2031", 2031}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        seams::Reset();
        seams::QueueModalHandler([&](Dialog& dialog) {
            DateTimePicker* field = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker);
            Type(dialog, field, {QDateTimeEdit::YearSection, true, c.year});
            dialog.Button(IDOK)->setFocus();
            dialog.Button(IDOK)->click();
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        BirdList().EditRoofDate();
        EXPECT_TRUE(MessageTexts().isEmpty());
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        const auto stored = ToLocalDateTime(fresh.FindPigeon(male_).DataF1);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->year, c.stored);
    }
}

// Digits typed over the popup's days used to make a date of their own, silently moved into the
// calendar's years: the popup returns the day it highlights.
TEST_F(DatePickersTest, CalendarPopupReturnsTheHighlightedDayWhateverIsTyped) {
    for (const char* typed : {"09.05.3001", "01.01.0000", "31.12.1969"}) {
        SCOPED_TRACE(typed);
        CDateTimePicker popup;
        QDate shown;
        seams::QueueModalHandler([&](Dialog& dialog) {
            QCalendarWidget* calendar = dialog.Calendar(IDC_DATE_POPUP_CALENDAR);
            calendar->setSelectedDate(QDate(2026, 5, 9));
            QApplication::setActiveWindow(&dialog);
            auto* days = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview"));
            days->setFocus();
            QTest::keyClicks(days, typed);
            QTest::keyClick(days, Qt::Key_Return);
            shown = calendar->selectedDate();
            dialog.Button(IDOK)->click();
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        ASSERT_EQ(popup.DoModal(), IDOK);
        EXPECT_EQ(shown, QDate(2026, 5, 9));
        const auto chosen = popup.ChosenDate();
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(QDate(chosen->year, chosen->month, chosen->day), shown);
    }
}

// ---- a result's arrival -----------------------------------------------------------------------

TEST_F(DatePickersTest, NewArrivalStartsOnTheReleaseDayAndMayNotComeBeforeTheRelease) {
    // The pickers start on the release day at the time of day it is now; a stored result shows
    // its own arrival.
    QDate startDay, storedDay;
    QTime startTime;
    std::time_t opened = 0;
    AddResult([&](ResultEditor& editor) {
        opened = std::time(nullptr);
        startDay = editor.DatePicker(ResultEditor::kArrivalDate)->Value().date();
        startTime = editor.DatePicker(ResultEditor::kArrivalTime)->Value().time();
    });
    EXPECT_EQ(startDay, QDate(2026, 5, 17));
    const auto now = ToLocalDateTime(opened);
    ASSERT_TRUE(now.has_value());
    EXPECT_LE(std::abs(QTime(now->hour, now->minute, now->second).secsTo(startTime)), 2);
    seams::QueueModalHandler([&](Dialog& dialog) {
        storedDay = dialog.DatePicker(ResultEditor::kArrivalDate)->Value().date();
        return IDCANCEL;
    });
    Flights().EditFlightResult();
    EXPECT_EQ(storedDay, QDate(2026, 5, 18));

    // A minute before the release is refused; the release itself and later are written.
    const Time64 early = release_ - 60;
    for (const Time64 when : {early, release_, release_ + 3 * 3600}) {
        SCOPED_TRACE(when);
        seams::Reset();
        const QByteArray before = Files();
        bool stillOpen = false;
        AddResult([&](ResultEditor& editor) {
            editor.DatePicker(ResultEditor::kArrivalDate)->SetTime(when);
            editor.DatePicker(ResultEditor::kArrivalTime)->SetTime(when);
            editor.Fire(ResultEditor::kArrivalDate, Notification::Changed);
            editor.RunCommand(IDOK);
            stillOpen = !editor.HasEnded();
        });
        if (when < release_) {
            EXPECT_TRUE(stillOpen);
            EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(
                                          "Przylot gołębia nie może być wcześniejszy niż odlot "
                                          "gołębi.")});
            EXPECT_TRUE(Files() == before);
        } else {
            EXPECT_FALSE(stillOpen);
            EXPECT_TRUE(MessageTexts().isEmpty());
            EXPECT_EQ(StoredArrivals().back(), when);
        }
    }

    // A stored result whose arrival is before the release keeps it and can still be edited;
    // changing it to another time before the release is refused.
    FlightResultEntry slip = TheDataStore().Flights().at(0).entries.at(0);
    slip.DataCzasPrzylotu = release_ - 3600;
    ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Update, slip));
    Flights().FillFlightList(-1);
    for (const Time64 when : {release_ - 3600, release_ - 1800}) {
        SCOPED_TRACE(when);
        seams::Reset();
        ChooseFirstRows();
        seams::QueueModalHandler([&](Dialog& dialog) {
            dialog.DatePicker(ResultEditor::kArrivalTime)->SetTime(when);
            dialog.Fire(ResultEditor::kArrivalTime, Notification::Changed);
            dialog.SetItemText(ResultEditor::kNotes, u"poprawiony");
            dialog.RunCommand(IDOK);
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        Flights().EditFlightResult();
        EXPECT_EQ(MessageTexts().size(), when == release_ - 3600 ? 0 : 1);
        EXPECT_EQ(StoredArrivals().front(), release_ - 3600);
    }
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    EXPECT_EQ(fresh.Flights().at(0).entries.at(0).notatki, u"poprawiony");
}

}  // namespace
