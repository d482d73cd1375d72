// The date and time pickers of every window: a text typed into one that is no whole date the
// program stores is refused when the window would write, by the window's own message, with the
// window left open and both database files untouched; the calendar popup returns the day it
// highlights. And where a new result's arrival starts, and an arrival before the release.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QAction>
#include <QCheckBox>
#include <QWheelEvent>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QAbstractSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>
#include <tuple>

#include "DataStore.h"
#include "DataWyjsciaNaDach.h"
#include "DateTimePicker.h"
#include "DialogTemplate.h"
#include "Dialog.h"
#include "DodajEdytujPare2.h"
#include "DodajGolebiaDoLotu.h"
#include "DodajPsaDoPary.h"
#include "Fotoparowanie.h"
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

void TypeKeys(QWidget* edit, const std::string& keys);

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

QAbstractSpinBox* EditOf(DateTimePicker* picker) { return picker->findChild<QAbstractSpinBox*>(); }
QString Shown(DateTimePicker* picker) { return EditOf(picker)->findChild<QLineEdit*>()->text(); }

// What the user types after selecting a part of the field (0 the first) and deleting its digits.
struct Typing {
    int part;
    const char* keys;
};
// A year past the last one, the year 0, a year half typed.
const std::vector<Typing> kDateTypings = {{2, "3001"}, {2, "0000"}, {2, "20"}};
// An hour deleted, an hour half typed.
const std::vector<Typing> kTimeTypings = {{0, ""}, {0, "2"}};

// Where part `part` (0 the first) of the text on show starts, and where it ends.
std::pair<int, int> PartSpan(DateTimePicker* picker, int part) {
    const QString shown = Shown(picker);
    const QRegularExpression separator(QStringLiteral("[.: ]"));
    int start = 0;
    for (int i = 0; i < part; ++i) start = static_cast<int>(shown.indexOf(separator, start)) + 1;
    const qsizetype end = shown.indexOf(separator, start);
    return {start, end < 0 ? static_cast<int>(shown.size()) : static_cast<int>(end)};
}

// Selects part `part` of the text on show, as a click in it does.
void SelectPart(DateTimePicker* picker, int part) {
    const auto [start, end] = PartSpan(picker, part);
    EditOf(picker)->findChild<QLineEdit*>()->setSelection(start, end - start);
}

// A point inside part `part` of the text on show.
QPoint PointInPart(DateTimePicker* picker, int part) {
    auto* text = EditOf(picker)->findChild<QLineEdit*>();
    for (QPoint at(0, text->height() / 2); at.x() < text->width(); at.rx()++) {
        if (text->cursorPositionAt(at) == PartSpan(picker, part).first + 1) return at;
    }
    ADD_FAILURE() << "no point in part " << part;
    return {};
}

// Types into the picker of an active window (ticking its box first), the focus in the field.
void Type(Dialog& window, DateTimePicker* picker, const Typing& typing) {
    if (QCheckBox* box = picker->findChild<QCheckBox*>(); box && !box->isChecked()) box->click();
    QApplication::setActiveWindow(&window);
    QAbstractSpinBox* edit = EditOf(picker);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    SelectPart(picker, typing.part);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typing.keys);
}

// A loft with two birds, a pair of them and a flight with the first bird's result, shown in
// the main window with the first row of each list chosen.
class DatePickersTest : public MainWindowTest {
public:
    CZakladkaListaPsow& BirdList() const { return *dialog_->BirdListPage(); }
    CZakladkaLotyGolebi& Flights() const { return *dialog_->FlightsPage(); }
    CZakladkaEdycjaPtaka& Pairing() const { return *dialog_->PairingPage(); }

    void ChooseFirstRows() {
        ListView* birds = BirdList().PigeonList();
        QTest::mouseClick(birds->viewport(), Qt::LeftButton, {},
                          birds->visualItemRect(birds->item(0, 1)).center());
        Flights().FillFlightList(-1);
        Flights().FlightList()->SelectRow(0);
        Flights().Fire(CZakladkaLotyGolebi::kFlightList, Notification::Clicked);
        Flights().ResultList()->SelectRow(0);
        Flights().Fire(CZakladkaLotyGolebi::kResultList, Notification::Clicked);
        Pairing().FillPairList(kAllSeasons);
        Pairing().PairList()->SelectRow(0);
        Pairing().Fire(CZakladkaEdycjaPtaka::kPairList, Notification::Clicked);
    }

protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowTest::SetUp());
        loft_ = AddLoft(u"Gołębnik");
        const int category = AddCategory(loft_, u"Lotne");
        male_ = AddBird(category, u"100", u"Grom");
        female_ = AddBird(category, u"200", u"Iskra");
        PairRecord pair{.id_hodowli = loft_, .id_samca = male_, .id_samicy = female_};
        pair.DataParowania = pair.DataDodania = Local(2, 3, 2026, 9);
        ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
        FlightRecord flight{.id_hodowli = loft_, .miejscowosc = u"Opole"};
        flight.czasodlotu = release_;
        flight.odleglosckm = 300;
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
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

    // Adds a result of the second bird; `fill` runs before OK.
    void AddResult(const std::function<void(ResultEditor&)>& fill) {
        seams::QueueModalHandler([&](Dialog& dialog) {
            seams::QueueModalHandler([&](Dialog& chooser) {
                static_cast<CWybierzPsaZListy&>(chooser).chosenId = female_;
                static_cast<CWybierzPsaZListy&>(chooser).chosenValid = 1;
                chooser.EndDialog(IDOK);
                return IDOK;
            });
            dialog.RunCommand(ResultEditor::kChooseBird);
            fill(static_cast<ResultEditor&>(dialog));
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        Flights().AddFlightResult();
    }

    // The flight's results as the file holds them.
    std::vector<FlightResultEntry> StoredResults() const {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        return fresh.Flights().at(0).entries;
    }

    int loft_ = 0, male_ = 0, female_ = 0;
    const Time64 release_ = Local(17, 5, 2026, 7, 30);
};

// A window holding pickers, opened as the user opens it, with the button that writes.
struct PickerWindow {
    int templateId;
    std::function<void(DatePickersTest&)> open;
    int save;
    std::vector<std::pair<int, const char*>> pickers;  // id, message
};

TEST_F(DatePickersTest, TextThatIsNoWholeDateIsRefusedInEveryWindowAndNothingIsWritten) {
    const char* roof = "Nieprawidłowa data wyjścia na dach.";
    const char* paired = "Nieprawidłowa data parowania.";
    const char* release = "Nieprawidłowa data lotu: „Data i czas odlotu gołębi”.";
    const char* first = "Nieprawidłowa data lotu: „Pierwszy gołąb w konkursie”.";
    const char* last = "Nieprawidłowa data lotu: „Ostatni gołąb w konkursie”.";
    const char* arrival = "Nieprawidłowa data przylotu.";
    const std::vector<PickerWindow> windows = {
        {CDataWyjsciaNaDach::kTemplateId, [](DatePickersTest& t) { t.BirdList().EditRoofDate(); },
         IDOK, {{CDataWyjsciaNaDach::kDatePicker, roof}}},
        {CDodajEdytujPare2::kTemplateId, [](DatePickersTest& t) { t.Pairing().EditPair(); },
         CDodajEdytujPare2::kSave,
         {{CDodajEdytujPare2::kLayingDate, "Nieprawidłowa data złożenia jaj."},
          {CDodajEdytujPare2::kHatchingDate, "Nieprawidłowa data wyklucia."}}},
        {CFotoparowanie::kTemplateId, [](DatePickersTest& t) { t.Pairing().PhotoPairing(); },
         CFotoparowanie::kCreatePair, {{CFotoparowanie::kDatePicker, paired}}},
        {CNowyLot::kTemplateId, [](DatePickersTest& t) { t.Flights().AddFlight(); }, IDOK,
         {{CNowyLot::kReleaseDate, release}, {CNowyLot::kReleaseTime, release},
          {CNowyLot::kFirstDate, first}, {CNowyLot::kFirstTime, first},
          {CNowyLot::kLastDate, last}, {CNowyLot::kLastTime, last}}},
        {ResultEditor::kTemplateId, [](DatePickersTest& t) { t.Flights().EditFlightResult(); },
         IDOK, {{ResultEditor::kArrivalDate, arrival}, {ResultEditor::kArrivalTime, arrival}}},
    };

    const QByteArray before = Files();
    for (const PickerWindow& window : windows) {
        for (const auto& [id, message] : window.pickers) {
            const bool time = id == CNowyLot::kReleaseTime || id == CNowyLot::kFirstTime ||
                              id == CNowyLot::kLastTime || id == ResultEditor::kArrivalTime;
            for (const Typing& typing : time ? kTimeTypings : kDateTypings) {
                SCOPED_TRACE(std::to_string(id) + " typed \"" + typing.keys + "\"");
                seams::Reset();
                ChooseFirstRows();
                QString typed, shownAfter;
                bool stillOpen = false;
                seams::QueueModalHandler([&](Dialog& dialog) {
                    DateTimePicker* field = dialog.DatePicker(id);
                    Type(dialog, field, typing);
                    typed = Shown(field);
                    // The click on the button takes the focus from the field first.
                    dialog.Button(window.save)->setFocus();
                    dialog.Button(window.save)->click();
                    stillOpen = !dialog.HasEnded();
                    shownAfter = Shown(field);
                    return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
                });
                window.open(*this);
                ASSERT_EQ(seams::ModalRuns().at(0).templateId, window.templateId);
                EXPECT_TRUE(stillOpen);
                EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(message)});
                EXPECT_EQ(shownAfter, typed);  // left to be mended
                EXPECT_TRUE(Files() == before);
            }
        }
    }

    // Enter in the field presses the default button, which refuses the text as a click does.
    seams::Reset();
    seams::QueueModalHandler([&](Dialog& dialog) {
        DateTimePicker* field = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker);
        Type(dialog, field, kDateTypings[0]);
        QTest::keyClick(EditOf(field), Qt::Key_Return);
        EXPECT_FALSE(dialog.HasEnded());
        return IDCANCEL;
    });
    BirdList().EditRoofDate();
    EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(roof)});
    EXPECT_TRUE(Files() == before);

    // The young's hatch date is the bird's own and not for typing. Any other window holding a
    // picker must join the walk above.
    std::set<int> walked{CDodajPsaDoPary::kTemplateId};
    for (const PickerWindow& window : windows) walked.insert(window.templateId);
    for (int id = 1; id < 1000; ++id) {
        const DialogTemplate* t = FindDialogTemplate(id);
        for (const ControlTemplate& control : t ? t->controls : std::vector<ControlTemplate>{})
            EXPECT_TRUE(control.kind != ControlKind::DateTimePicker || walked.count(id)) << id;
    }
    seams::QueueModalHandler([](Dialog& dialog) {
        EXPECT_FALSE(dialog.DatePicker(CDodajPsaDoPary::kHatchDate)->isEnabled());
        return IDCANCEL;
    });
    Pairing().AddYoung();
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

// A new flight: a release refused and then typed again whole is stored as typed, not as the new
// digits over the refused day and month; a release at an hour the clock skips is refused naming
// the field, and nothing is written until the release is one the clock shows.
TEST_F(DatePickersTest, ReleaseRetypedAfterARefusalIsStoredAsTypedAndASkippedHourIsRefused) {
    const QByteArray before = Files();
    const QString release = QString::fromUtf8("Nieprawidłowa data lotu: „Data i czas odlotu gołębi”.");
    QStringList messagesBefore;
    seams::QueueModalHandler([&](Dialog& dialog) {
        QApplication::setActiveWindow(&dialog);
        QAbstractSpinBox* date = EditOf(dialog.DatePicker(CNowyLot::kReleaseDate));
        QAbstractSpinBox* time = EditOf(dialog.DatePicker(CNowyLot::kReleaseTime));
        dialog.SetItemText(CNowyLot::kPlace, u"Kalisz");
        date->setFocus(Qt::TabFocusReason);
        TypeKeys(date, "29.02.2023");
        dialog.RunCommand(IDOK);
        TypeKeys(date, "31.03.2024");
        time->setFocus(Qt::TabFocusReason);
        TypeKeys(time, "02:30:00");
        dialog.RunCommand(IDOK);
        messagesBefore = MessageTexts();
        EXPECT_FALSE(dialog.HasEnded());
        EXPECT_TRUE(Files() == before);
        time->setFocus(Qt::TabFocusReason);
        TypeKeys(time, "10:20:30");
        dialog.RunCommand(IDOK);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    });
    Flights().AddFlight();
    EXPECT_EQ(messagesBefore, (QStringList{release, release}));
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    ASSERT_EQ(fresh.Flights().size(), 2u);
    EXPECT_EQ(fresh.Flights().back().czasodlotu, Local(31, 3, 2024, 10, 20) + 30);
}

// A new flight driven by keys as a user drives it: what is typed, pasted, stepped or picked in the
// release date is stored, or the window refuses it naming the field, writes nothing and takes the
// whole date typed again from its first part; whatever key or click comes after the text.
TEST_F(DatePickersTest, NewFlightStoresTheReleaseAsTypedOrRefusesItWhateverComesAfter) {
    // After a refusal the refused field is typed again whole: the date as 31.05.2024, the time
    // as 10:20:30.
    const QDateTime retyped(QDate(2024, 5, 31), QTime(10, 20, 30));
    const struct {
        const char* date;  // typed into the release date, or pasted after "^V"
        const char* then;  // keys after it
        const char* time;  // typed into the release time after Tab
        bool refused;
        QDateTime stored;
    } rows[] = {
        {"32.05.2024", "", "10:20:30", true, retyped},
        {"15.13.2024", "", "10:20:30", true, retyped},
        {"15.0", "", "10:20:30", true, retyped},
        {"^V31.04.2024", "", "10:20:30", true, retyped},
        {"15.13.2024", "Down", "10:20:30", true, retyped},
        {"31.04.2024", "Backspace", "10:20:30", true, retyped},
        {"32.05.2024", "F4, Esc", "10:20:30", true, retyped},
        {"15.05.2024", "", "24:00:00", true, {QDate(2024, 5, 15), QTime(10, 20, 30)}},
        // The calendar opens on the month on show, and its day is taken whole.
        {"31.04.2024", "F4, Return", "10:20:30", false, {QDate(2024, 4, 30), QTime(10, 20, 30)}},
        // Tab from an untouched date goes on to the time, not to the date's month.
        {"", "", "10:20:30", false, {QDate::currentDate(), QTime(10, 20, 30)}},
        {"1,12,2024", "", "08:15:00", false, {QDate(2024, 12, 1), QTime(8, 15)}},
        {"15.05.2024", "Up", "23:59:59", false, {QDate(2025, 5, 15), QTime(23, 59, 59)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.date) + " " + row.then + " then " + row.time);
        seams::Reset();
        ChooseFirstRows();
        const QByteArray before = Files();
        QStringList refusals;
        bool timeHadTheFocus = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            QApplication::setActiveWindow(&dialog);
            QAbstractSpinBox* date = EditOf(dialog.DatePicker(CNowyLot::kReleaseDate));
            dialog.SetItemText(CNowyLot::kPlace, u"Kalisz");
            date->setFocus(Qt::TabFocusReason);
            if (row.date[0] == '^') {
                QGuiApplication::clipboard()->setText(QString::fromUtf8(row.date + 2));
                QTest::keyClick(date, Qt::Key_V, Qt::ControlModifier);
            } else {
                TypeKeys(date, row.date);
            }
            for (const QString& key : QString::fromUtf8(row.then).split(QStringLiteral(", "), Qt::SkipEmptyParts))
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            timeHadTheFocus = EditOf(dialog.DatePicker(CNowyLot::kReleaseTime))->hasFocus();
            TypeKeys(QApplication::focusWidget(), row.time);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (row.refused) {
                refusals = MessageTexts();
                EXPECT_TRUE(Files() == before);
                QWidget* refused = QApplication::focusWidget();
                TypeKeys(refused, refused == date ? "31.05.2024" : "10:20:30");
                QTest::keyClick(refused, Qt::Key_Return);
            }
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        Flights().AddFlight();
        EXPECT_TRUE(timeHadTheFocus);
        EXPECT_EQ(refusals.size(), row.refused ? 1 : 0);
        for (const QString& message : refusals)
            EXPECT_EQ(message, QString::fromUtf8("Nieprawidłowa data lotu: „Data i czas odlotu gołębi”."));
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        ASSERT_EQ(fresh.Flights().size(), 2u);
        EXPECT_EQ(fresh.Flights().back().czasodlotu, row.stored.toSecsSinceEpoch());
        FlightRecord added = fresh.Flights().back();
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Delete, added));
    }
}

// The pair editor's laying and hatching dates keep what was typed while its tabs are switched
// and the window is hidden and shown: a day the month lacks is refused naming the field and
// nothing is written; whole dates are stored as typed.
TEST_F(DatePickersTest, PairEditorKeepsTypedDatesAcrossItsTabsAndStoresThemAsTyped) {
    const QByteArray before = Files();
    QStringList messages;
    QString layingAfterTabs;
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& editor = static_cast<CDodajEdytujPare2&>(dialog);
        QApplication::setActiveWindow(&dialog);
        DateTimePicker* laying = dialog.DatePicker(CDodajEdytujPare2::kLayingDate);
        DateTimePicker* hatching = dialog.DatePicker(CDodajEdytujPare2::kHatchingDate);
        const auto switchTabs = [&] {
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(250, 250));  // male's pedigree
            EXPECT_EQ(editor.ShownPanel(CDodajEdytujPare2::kMale), CDodajEdytujPare2::kPedigree);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(510, 400));  // female's results
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(250, 100));  // male's summary
            EXPECT_EQ(editor.ShownPanel(CDodajEdytujPare2::kMale), CDodajEdytujPare2::kSummary);
            dialog.hide();
            dialog.show();
            QApplication::setActiveWindow(&dialog);
        };
        for (DateTimePicker* picker : {laying, hatching}) picker->findChild<QCheckBox*>()->click();
        EditOf(laying)->setFocus(Qt::TabFocusReason);
        TypeKeys(EditOf(laying), "31.04.2024");
        QTest::keyClick(EditOf(laying), Qt::Key_Tab);
        EditOf(hatching)->setFocus(Qt::TabFocusReason);
        TypeKeys(EditOf(hatching), "18.05.2024");
        QTest::keyClick(EditOf(hatching), Qt::Key_Tab);
        switchTabs();
        layingAfterTabs = Shown(laying);
        dialog.Button(CDodajEdytujPare2::kSave)->click();
        messages = MessageTexts();
        EXPECT_FALSE(dialog.HasEnded());
        EXPECT_TRUE(Files() == before);
        // The refusal gives the field back for a whole date typed from its first part.
        EXPECT_TRUE(EditOf(laying)->hasFocus());
        TypeKeys(EditOf(laying), "30.04.2024");
        QTest::keyClick(EditOf(laying), Qt::Key_Tab);
        switchTabs();
        EXPECT_EQ(Shown(laying), "30.04.2024");
        EXPECT_EQ(Shown(hatching), "18.05.2024");
        dialog.Button(CDodajEdytujPare2::kSave)->click();
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    });
    Pairing().EditPair();
    EXPECT_EQ(layingAfterTabs, "31.04.2024");
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("Nieprawidłowa data złożenia jaj.")});
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    ASSERT_EQ(fresh.Pairs().size(), 1u);
    const auto laid = ToLocalDateTime(fresh.Pairs()[0].DataZlozeniaJaj);
    const auto hatched = ToLocalDateTime(fresh.Pairs()[0].DataWylegu);
    ASSERT_TRUE(laid && hatched);
    EXPECT_EQ(QDate(laid->year, laid->month, laid->day), QDate(2024, 4, 30));
    EXPECT_EQ(QDate(hatched->year, hatched->month, hatched->day), QDate(2024, 5, 18));
}

// The second 02:30 of 27.10.2024, in the hour the autumn change plays twice, as a file from
// elsewhere can hold it; read back from its fields it would be the first, an hour earlier.
constexpr Time64 kSecondHalfPastTwo = 1729992600;

// A date or time the user leaves as it is shown is written back as it was stored, to the second,
// whatever else in the window is changed.
TEST_F(DatePickersTest, AnUntouchedDateOrTimeIsWrittenBackToTheSecond) {
    const Time64 arrival = kSecondHalfPastTwo + 600;
    FlightRecord flight = TheDataStore().Flights().at(0);
    flight.czasodlotu = flight.czas_pierwszego_w_konk = kSecondHalfPastTwo;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Update, flight));
    FlightResultEntry result = flight.entries.at(0);
    result.DataCzasPrzylotu = arrival;
    ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Update, result));
    PairRecord pair = TheDataStore().Pairs().at(0);
    pair.DataParowania = pair.DataZlozeniaJaj = kSecondHalfPastTwo;
    pair.DataWylegu = arrival;
    ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Update, pair));
    ASSERT_TRUE(TheDataStore().WritePigeonRoofDate(male_, kSecondHalfPastTwo));

    const auto stored = [this] {
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        const FlightRecord& flight = fresh.Flights().at(0);
        const PairRecord& pair = fresh.Pairs().at(0);
        return std::vector<Time64>{flight.czasodlotu, flight.czas_pierwszego_w_konk,
                                   flight.entries.at(0).DataCzasPrzylotu, pair.DataParowania,
                                   pair.DataZlozeniaJaj, pair.DataWylegu,
                                   fresh.FindPigeon(male_).DataF1};
    };
    const std::vector<Time64> before = stored();
    ASSERT_EQ(before,
              (std::vector<Time64>{kSecondHalfPastTwo, kSecondHalfPastTwo, arrival,
                                   kSecondHalfPastTwo, kSecondHalfPastTwo, arrival,
                                   kSecondHalfPastTwo}));
    const struct {
        const char* window;
        std::function<void(DatePickersTest&)> open;
        int typedInto;  // a text field typed into before OK; 0 none
        int save;
    } windows[] = {
        {"flight editor", [](DatePickersTest& t) { t.Flights().EditFlight(); },
         CNowyLot::kNotes, IDOK},
        {"result editor", [](DatePickersTest& t) { t.Flights().EditFlightResult(); },
         ResultEditor::kNotes, IDOK},
        {"roof date", [](DatePickersTest& t) { t.BirdList().EditRoofDate(); }, 0, IDOK},
        {"pair editor", [](DatePickersTest& t) { t.Pairing().EditPair(); },
         CDodajEdytujPare2::kNotes, CDodajEdytujPare2::kSave},
    };
    for (const auto& window : windows) {
        SCOPED_TRACE(window.window);
        seams::Reset();
        ChooseFirstRows();
        bool ended = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            QApplication::setActiveWindow(&dialog);
            if (window.typedInto != 0) {
                dialog.Item(window.typedInto)->setFocus(Qt::TabFocusReason);
                QTest::keyClicks(dialog.Item(window.typedInto), "Uwagi");
            }
            dialog.Button(window.save)->setFocus();
            dialog.Button(window.save)->click();
            ended = dialog.HasEnded();
            return ended ? dialog.EndCode() : IDCANCEL;
        });
        window.open(*this);
        EXPECT_TRUE(ended);
        EXPECT_TRUE(MessageTexts().isEmpty());
        EXPECT_EQ(stored(), before);
    }
}

// The day of the spring change skips 02:00-03:00: a date picker keeping a time of day out of
// sight that the clock skips on the date typed asks before it stores the date with the first
// time after the skip, as the pairing date's boxes do; No writes nothing and gives the field
// back to be typed again.
TEST_F(DatePickersTest, ADatePickersHiddenTimeOfDayTheClockSkipsIsAskedAbout) {
    const Time64 halfPastTwo = Local(20, 3, 2024, 2, 30);
    PairRecord pair = TheDataStore().Pairs().at(0);
    pair.DataZlozeniaJaj = pair.DataWylegu = halfPastTwo;
    ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Update, pair));
    ASSERT_TRUE(TheDataStore().WritePigeonRoofDate(male_, halfPastTwo));
    const QString question = QString::fromUtf8(
        "Dnia 31.03.2024 zmiana czasu pomija godzinę 02:30.\n"
        "Zapisać tę datę z godziną 03:00, pierwszą po zmianie?");

    const struct {
        const char* window;
        std::function<void(DatePickersTest&)> open;
        int picker;
        int save;
        std::function<Time64(const CDataStore&, int bird)> read;
    } windows[] = {
        {"roof date", [](DatePickersTest& t) { t.BirdList().EditRoofDate(); },
         CDataWyjsciaNaDach::kDatePicker, IDOK,
         [](const CDataStore& s, int bird) { return s.FindPigeon(bird).DataF1; }},
        {"laying", [](DatePickersTest& t) { t.Pairing().EditPair(); },
         CDodajEdytujPare2::kLayingDate, CDodajEdytujPare2::kSave,
         [](const CDataStore& s, int) { return s.Pairs().at(0).DataZlozeniaJaj; }},
        {"hatching", [](DatePickersTest& t) { t.Pairing().EditPair(); },
         CDodajEdytujPare2::kHatchingDate, CDodajEdytujPare2::kSave,
         [](const CDataStore& s, int) { return s.Pairs().at(0).DataWylegu; }},
    };
    for (const auto& window : windows) {
        for (const int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(std::string(window.window) + (answer == IDYES ? " yes" : " no"));
            seams::Reset();
            ChooseFirstRows();
            seams::ScriptMessageBoxAnswers({answer});
            const QByteArray before = Files();
            bool refusedLeftOpen = false, fieldGivenBack = false;
            seams::QueueModalHandler([&](Dialog& dialog) {
                QApplication::setActiveWindow(&dialog);
                QAbstractSpinBox* field = EditOf(dialog.DatePicker(window.picker));
                field->setFocus(Qt::TabFocusReason);
                const auto save = [&] {
                    dialog.Button(window.save)->setFocus();
                    dialog.Button(window.save)->click();
                };
                TypeKeys(field, "31.03.2024");
                save();
                if (!dialog.HasEnded()) {
                    refusedLeftOpen = Files() == before;
                    fieldGivenBack = field->hasFocus();
                    // Typed again from its first part.
                    TypeKeys(field, "01.04.2024");
                    save();
                }
                return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
            });
            window.open(*this);
            EXPECT_EQ(MessageTexts(), QStringList{question});
            CDataStore fresh;
            fresh.LoadPigeonsDb(loft_);
            if (answer == IDYES) {
                EXPECT_EQ(window.read(fresh, male_), Local(31, 3, 2024, 3, 0));
            } else {
                EXPECT_TRUE(refusedLeftOpen);
                EXPECT_TRUE(fieldGivenBack);
                EXPECT_EQ(window.read(fresh, male_), Local(1, 4, 2024, 2, 30));
            }
            ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Update, pair));
            ASSERT_TRUE(TheDataStore().WritePigeonRoofDate(male_, halfPastTwo));
        }
    }
}

// The keypad's Enter is Enter: it presses the window's default button from a date field and from
// a line of text alike.
TEST_F(DatePickersTest, TheKeypadsEnterPressesTheDefaultButton) {
    for (const bool fromPlace : {false, true}) {
        SCOPED_TRACE(fromPlace ? "from the place" : "from the release date");
        seams::Reset();
        ChooseFirstRows();
        bool ended = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            QApplication::setActiveWindow(&dialog);
            QAbstractSpinBox* date = EditOf(dialog.DatePicker(CNowyLot::kReleaseDate));
            date->setFocus(Qt::TabFocusReason);
            TypeKeys(date, "15.05.2024");
            QWidget* place = dialog.Item(CNowyLot::kPlace);
            place->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(place, "Kalisz");
            QWidget* from = fromPlace ? place : date;
            from->setFocus(Qt::TabFocusReason);
            QTest::keyClick(from, Qt::Key_Enter, Qt::KeypadModifier);
            ended = dialog.HasEnded();
            return ended ? dialog.EndCode() : IDCANCEL;
        });
        Flights().AddFlight();
        EXPECT_TRUE(ended);
        CDataStore fresh;
        fresh.LoadPigeonsDb(loft_);
        ASSERT_EQ(fresh.Flights().size(), 2u);
        const auto release = ToLocalDateTime(fresh.Flights().back().czasodlotu);
        ASSERT_TRUE(release.has_value());
        EXPECT_EQ(QDate(release->year, release->month, release->day), QDate(2024, 5, 15));
        EXPECT_EQ(fresh.Flights().back().miejscowosc, u"Kalisz");
        FlightRecord added = fresh.Flights().back();
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Delete, added));
    }
}

TEST_F(DatePickersTest, NewArrivalStartsOnTheReleaseDayAndMayNotComeBeforeTheRelease) {
    // A new result starts on the release day (07:30 on 17 May) at the time of day it is now, or
    // a second after the release while that time of day is not yet past it.
    const struct {
        Time64 now;
        QTime start;
    } clocks[] = {
        {Local(3, 1, 2027, 12, 15) + 42, QTime(12, 15, 42)},
        {Local(3, 1, 2027, 7, 30) + 1, QTime(7, 30, 1)},
        {Local(3, 1, 2027, 7, 30), QTime(7, 30, 1)},
        {Local(3, 1, 2027, 6), QTime(7, 30, 1)},
    };
    for (const auto& clock : clocks) {
        SCOPED_TRACE(clock.now);
        seams::Reset();
        seams::SetCurrentTime(clock.now);
        QDateTime start;
        AddResult([&](ResultEditor& editor) {
            start = QDateTime(editor.DatePicker(ResultEditor::kArrivalDate)->Value().date(),
                              editor.DatePicker(ResultEditor::kArrivalTime)->Value().time());
        });
        EXPECT_EQ(start, QDateTime(QDate(2026, 5, 17), clock.start));
    }
    seams::Reset();

    // A stored result shows its own arrival.
    QDateTime stored;
    seams::QueueModalHandler([&](Dialog& dialog) {
        stored = dialog.DatePicker(ResultEditor::kArrivalDate)->Value();
        return IDCANCEL;
    });
    Flights().EditFlightResult();
    EXPECT_EQ(stored.toSecsSinceEpoch(), Local(18, 5, 2026, 6));

    // A minute before the release and the release itself are refused; a second later is written.
    for (const Time64 when : {release_ - 60, release_, release_ + 1, release_ + 3 * 3600}) {
        SCOPED_TRACE(when);
        seams::Reset();
        const QByteArray before = Files();
        bool stillOpen = false;
        AddResult([&](ResultEditor& editor) {
            editor.DatePicker(ResultEditor::kArrivalDate)->SetTime(when);
            editor.DatePicker(ResultEditor::kArrivalTime)->SetTime(when);
            editor.RunCommand(IDOK);
            stillOpen = !editor.HasEnded();
        });
        EXPECT_EQ(stillOpen, when <= release_);
        if (when <= release_) {
            EXPECT_EQ(MessageTexts(),
                      QStringList{"Przylot gołębia musi być późniejszy niż odlot gołębi."});
            EXPECT_TRUE(Files() == before);
        } else {
            FlightResultEntry written = StoredResults().back();
            EXPECT_EQ(written.DataCzasPrzylotu, when);
            // One result a bird in a flight: the next case adds the bird again.
            ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Delete, written));
        }
    }

    // A stored result whose arrival is before the release can still be edited as it is, but its
    // arrival cannot be changed to another time before the release, nor to the release itself.
    FlightResultEntry slip = StoredResults().front();
    slip.DataCzasPrzylotu = release_ - 3600;
    // Written as older files hold such a result.
    ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Update, slip, RecordOrigin::Copied));
    for (const Time64 when : {release_ - 3600, release_ - 1800, release_}) {
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
        EXPECT_EQ(MessageTexts().size(), when == slip.DataCzasPrzylotu ? 0 : 1);
        EXPECT_EQ(StoredResults().front().DataCzasPrzylotu, slip.DataCzasPrzylotu);
        EXPECT_EQ(StoredResults().front().notatki, u"poprawiony");
    }
}

// A release in the day's last second: whatever the hour now, its time of day is not past yet, so
// a new arrival starts a second after it, at midnight of the next day, and OK writes it so.
TEST_F(DatePickersTest, NewArrivalAfterAReleaseInTheDaysLastSecondStartsAtMidnight) {
    FlightRecord late{.id_hodowli = loft_, .miejscowosc = u"Kalisz"};
    late.czasodlotu = Local(20, 5, 2026, 23, 59) + 59;
    late.odleglosckm = 300;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, late));
    Flights().FillFlightList(-1);
    Flights().FlightList()->SelectRow(1);
    Flights().Fire(CZakladkaLotyGolebi::kFlightList, Notification::Clicked);
    ASSERT_EQ(Flights().ShownFlights().at(1).id, late.id);

    QDateTime start;
    AddResult([&](ResultEditor& editor) {
        start = QDateTime(editor.DatePicker(ResultEditor::kArrivalDate)->Value().date(),
                          editor.DatePicker(ResultEditor::kArrivalTime)->Value().time());
        editor.RunCommand(IDOK);
    });
    EXPECT_EQ(start, QDateTime(QDate(2026, 5, 21), QTime(0, 0)));
    EXPECT_TRUE(MessageTexts().isEmpty());
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    ASSERT_EQ(fresh.Flights().size(), 2u);
    ASSERT_EQ(fresh.Flights()[1].entries.size(), 1u);
    EXPECT_EQ(fresh.Flights()[1].entries[0].DataCzasPrzylotu, late.czasodlotu + 1);
}

}  // namespace

// Types into the picker's field as a keyboard sends the keys: Shift goes down on its own
// before a ":".
void TypeKeys(QWidget* edit, const std::string& keys) {
    for (const char key : keys) {
        if (key == ':') {
            QTest::keyPress(edit, Qt::Key_Shift);
            QTest::keyClick(edit, key, Qt::ShiftModifier);
            QTest::keyRelease(edit, Qt::Key_Shift, Qt::ShiftModifier);
        } else {
            QTest::keyClick(edit, key);
        }
    }
}

// A picker of its own window, showing `shown`, with the focus in its first part by Tab or by a
// click before the part's first digit.
DateTimePicker* OpenPicker(QWidget& window, DateTimePicker::Format format, const QDateTime& shown,
                           bool byClick) {
    auto* picker = new DateTimePicker(&window, format);
    picker->SetValue(shown);
    window.show();
    QApplication::setActiveWindow(&window);
    QAbstractSpinBox* edit = EditOf(picker);
    if (byClick) {
        QLineEdit* text = edit->findChild<QLineEdit*>();
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(3, text->height() / 2));
    } else {
        edit->setFocus(Qt::TabFocusReason);
    }
    EXPECT_TRUE(edit->hasFocus());
    return picker;
}

// A date or a time typed as it is written, with or without its separators and with one or two
// digits to a part, is taken as typed, whether the field was reached by Tab or by a click in
// its first part, and whatever month it showed before.
TEST(PickerTypingTest, DatesAndTimesTypedWithTheirSeparatorsAreTakenAsTyped) {
    struct Case {
        const char* keys;
        QDate day;   // a date typed; else a time
        QTime time;
        bool monthName = false;  // into a field that shows the month by its name
    };
    const Case cases[] = {
        {"08:15:00", {}, QTime(8, 15, 0)},
        {"8:15:00", {}, QTime(8, 15, 0)},
        {"23:05:07", {}, QTime(23, 5, 7)},
        {"081500", {}, QTime(8, 15, 0)},
        {"8:5:07", {}, QTime(8, 5, 7)},
        {"5.5.2024", QDate(2024, 5, 5), {}},
        {"05.05.2024", QDate(2024, 5, 5), {}},
        {"15.05.2024", QDate(2024, 5, 15), {}},
        {"1.5.2024", QDate(2024, 5, 1), {}},
        {"15052024", QDate(2024, 5, 15), {}},
        {"30.4.2024", QDate(2024, 4, 30), {}},
        {"29.02.2024", QDate(2024, 2, 29), {}},
        {"31.05.2024", QDate(2024, 5, 31), {}},
        {"29.05.2024", QDate(2024, 5, 29), {}, true},
        {"29 5 2024", QDate(2024, 5, 29), {}, true},
        {"29052024", QDate(2024, 5, 29), {}, true},
        {"29 maj 2024", QDate(2024, 5, 29), {}, true},
        {"1 wrz 2024", QDate(2024, 9, 1), {}, true},
        // A part is done when no further digit could follow; the keypad's comma is a dot.
        {"815", {}, QTime(8, 15, 0)},
        {"15,05,2024", QDate(2024, 5, 15), {}},
        {"15,5,2024", QDate(2024, 5, 15), {}, true},
        {"1,12,2024", QDate(2024, 12, 1), {}},
    };
    const QTime now(10, 30, 45);
    for (const QDate shownDay : {QDate(2026, 12, 10), QDate(2026, 2, 10)}) {
        for (const bool byClick : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.keys) + (byClick ? " after a click" : " after Tab") +
                             " on " + shownDay.toString().toStdString());
                const bool date = c.day.isValid();
                QWidget window;
                const auto format = c.monthName ? DateTimePicker::Format::LongDate
                                    : date      ? DateTimePicker::Format::ShortDate
                                                : DateTimePicker::Format::Time;
                DateTimePicker* picker = OpenPicker(window, format, QDateTime(shownDay, now), byClick);
                TypeKeys(EditOf(picker), c.keys);
                const QDateTime expected(date ? c.day : shownDay, date ? now : c.time);
                const QString look = c.monthName ? QStringLiteral("d MMMM yyyy")
                                     : date      ? QStringLiteral("dd.MM.yyyy")
                                                 : QStringLiteral("HH:mm:ss");
                EXPECT_EQ(Shown(picker), QLocale(QLocale::Polish).toString(expected, look));
                EXPECT_TRUE(picker->ShowsStorableValue());
                EXPECT_EQ(picker->Value(), expected);
            }
        }
    }
}

// A date that does not exist, a part left half typed, a digit no value of its part can take or
// a digit too many stays on show as typed and is no value the picker holds, also once the field
// is left: the window refuses it rather than store another date.
TEST(PickerTypingTest, ImpossibleOrHalfTypedDatesStayOnShowAndAreNoValue) {
    struct Case {
        const char* keys;
        const char* shown;
        DateTimePicker::Format format = DateTimePicker::Format::ShortDate;
    };
    const auto time = DateTimePicker::Format::Time;
    const Case dates[] = {
        {"31.02.2024", "31.02.2024"}, {"29.2.2023", "29.02.2023"}, {"31.4.2024", "31.04.2024"},
        {"3", "3.12.2026"},           {"15.05.20", "15.05.20"},    {"10.13", "10.13.2026"},
        {"32.05.2024", "32.05.2024"}, {"15.13.2024", "15.13.2024"}, {"15.055.2024", "15.055.2024"},
        {"15.05.20244", "15.05.20244"}, {"155.05.2024", "15.05.05.2024"},
        {"15..05.2024", "15.12.05.2024"},
        {"24:00:00", "24:00:00", time}, {"12:60:00", "12:60:00", time},
        {"12:00:60", "12:00:60", time}, {"81:00:00", "81:00:00", time},
        {"12:30:455", "12:30:455", time},
    };
    const QDateTime shown(QDate(2026, 12, 10), QTime(10, 30, 45));
    for (const Case& c : dates) {
        SCOPED_TRACE(c.keys);
        QWidget window;
        DateTimePicker* picker = OpenPicker(window, c.format, shown, false);
        bool changed = false;
        QObject::connect(picker, &DateTimePicker::Changed, [&] { changed = true; });
        TypeKeys(EditOf(picker), c.keys);
        EXPECT_EQ(Shown(picker), QString::fromUtf8(c.shown));
        EXPECT_FALSE(picker->ShowsStorableValue());
        EXPECT_TRUE(changed);
        EditOf(picker)->clearFocus();
        EXPECT_EQ(Shown(picker), QString::fromUtf8(c.shown));
        EXPECT_FALSE(picker->ShowsStorableValue());
    }
    // A day shown without a leading zero reads whole with one digit: "3 grudnia 2026" on show
    // is the 3rd, as the same text would be read anywhere else.
    QWidget window;
    DateTimePicker* picker = OpenPicker(window, DateTimePicker::Format::LongDate, shown, false);
    TypeKeys(EditOf(picker), "3");
    EXPECT_EQ(Shown(picker), QStringLiteral("3 grudnia 2026"));
    EditOf(picker)->clearFocus();
    EXPECT_TRUE(picker->ShowsStorableValue());
    EXPECT_EQ(picker->Value(), QDateTime(QDate(2026, 12, 3), shown.time()));
}

// Typing starts from the first part when the field is reached backwards or given back by a
// window's refusal, wherever the caret was left: the whole value typed then is the one taken.
TEST(PickerTypingTest, AValueTypedAfterShiftTabOrARefusalStartsAtItsFirstPart) {
    const QDateTime shown(QDate(2026, 12, 10), QTime(16, 56, 0));
    for (const auto& [name, key] : {std::pair{"Shift+Tab", Qt::Key_unknown},
                                    std::pair{"Shift+Tab, Delete", Qt::Key_Delete},
                                    std::pair{"Shift+Tab, Backspace", Qt::Key_Backspace}}) {
        SCOPED_TRACE(name);
        // A field after the picker, shown with it, for the focus to leave to and come back from.
        QWidget window;
        auto* picker = new DateTimePicker(&window, DateTimePicker::Format::Time);
        picker->SetValue(shown);
        auto* next = new QLineEdit(&window);
        next->move(0, picker->sizeHint().height() + 4);
        window.show();
        QApplication::setActiveWindow(&window);
        // The caret left in the seconds, the focus goes on by Tab and comes back by Shift+Tab.
        auto* text = EditOf(picker)->findChild<QLineEdit*>();
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(text->width() - 3, text->height() / 2));
        ASSERT_TRUE(EditOf(picker)->hasFocus());
        QTest::keyClick(EditOf(picker), Qt::Key_Tab);
        ASSERT_TRUE(next->hasFocus());
        QTest::keyClick(next, Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_TRUE(EditOf(picker)->hasFocus());
        // Delete and Backspace take the first part, the one typing starts in.
        if (key != Qt::Key_unknown) {
            QTest::keyClick(EditOf(picker), key);
            EXPECT_EQ(Shown(picker), ":56:00");
        }
        TypeKeys(EditOf(picker), "08:15:00");
        EXPECT_EQ(Shown(picker), "08:15:00");
        EXPECT_EQ(picker->Value().time(), QTime(8, 15, 0));
    }
    for (const auto& [refused, typed, expected] :
         {std::tuple{"29.02.2023", "15.05.2024", "15.05.2024"},
          std::tuple{"31.04.2024", "1.5.2024", "01.05.2024"}}) {
        SCOPED_TRACE(std::string("after ") + refused);
        seams::Reset();
        Dialog window(CDataWyjsciaNaDach::kTemplateId);
        window.show();
        QApplication::setActiveWindow(&window);
        DateTimePicker* picker = window.DatePicker(CDataWyjsciaNaDach::kDatePicker);
        picker->SetValue(shown);
        EditOf(picker)->setFocus(Qt::TabFocusReason);
        // The roof date shows the month by its name: typed by its number.
        TypeKeys(EditOf(picker), refused);
        ASSERT_FALSE(picker->ShowsStorableValue());
        window.RefuseField(CDataWyjsciaNaDach::kDatePicker, QStringLiteral("Nieprawidłowa data."));
        ASSERT_TRUE(EditOf(picker)->hasFocus());
        TypeKeys(EditOf(picker), typed);
        EXPECT_TRUE(picker->ShowsStorableValue());
        EXPECT_EQ(picker->Value().date(), QDate::fromString(expected, QStringLiteral("dd.MM.yyyy")));
    }
}

// A paste, by the keys or the field's menu, is read as typed keys: a whole date as written, or
// else the text stays on show as pasted and is no value; never mended into another date.
TEST(PickerTypingTest, APasteIsReadAsTypedAndNeverMended) {
    const QDateTime shown(QDate(2026, 12, 10), QTime(10, 30, 45));
    const auto longDate = DateTimePicker::Format::LongDate;
    const auto time = DateTimePicker::Format::Time;
    struct Case {
        const char* pasted;
        const char* shownAfter;
        QDateTime value;  // none: no value
        DateTimePicker::Format format = DateTimePicker::Format::ShortDate;
        int part = -1;  // the part selected for the paste; else as the field was reached
    };
    const Case cases[] = {
        {"31.04.2024", "31.04.2024", {}},
        {"29.02.2023", "29.02.2023", {}},
        {"15/05/2024", "15.05.2024", {QDate(2024, 5, 15), shown.time()}},
        {"2-3-2024", "02.03.2024", {QDate(2024, 3, 2), shown.time()}},
        {"15.05.2024", "15.05.2024", {QDate(2024, 5, 15), shown.time()}},
        {" 5.5.2024\n", "05.05.2024", {QDate(2024, 5, 5), shown.time()}},
        {"15 kwiecień 2024", "15 kwietnia 2024", {QDate(2024, 4, 15), shown.time()}, longDate},
        {"1 lipiec 2024", "1 lipca 2024", {QDate(2024, 7, 1), shown.time()}, longDate},
        {"maja", "10 maja 2026", {QDate(2026, 5, 10), shown.time()}, longDate, 1},
        {"kwietnia", "10 kwietnia 2026", {QDate(2026, 4, 10), shown.time()}, longDate, 1},
        {"kwi", "10 kwietnia 2026", {QDate(2026, 4, 10), shown.time()}, longDate, 1},
        {"8.15", "08:15:00", {shown.date(), QTime(8, 15)}, time},
        {"1 30 00", "01:30:00", {shown.date(), QTime(1, 30)}, time},
    };
    enum class Way { CtrlV, ShiftInsert, Menu };
    for (const Way way : {Way::CtrlV, Way::ShiftInsert, Way::Menu}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.pasted) + " by way " + std::to_string(static_cast<int>(way)));
            QWidget window;
            DateTimePicker* picker = OpenPicker(window, c.format, shown, false);
            QAbstractSpinBox* edit = EditOf(picker);
            if (c.part >= 0) SelectPart(picker, c.part);
            QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
            if (way == Way::CtrlV) {
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            } else if (way == Way::ShiftInsert) {
                QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            } else {
                const QPoint at = edit->rect().center();
                QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
                QApplication::sendEvent(edit, &event);
                QMenu* menu = nullptr;
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible()) menu = m;
                }
                ASSERT_NE(menu, nullptr);
                QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
                ASSERT_NE(paste, nullptr);
                paste->trigger();
                menu->close();
            }
            EXPECT_EQ(Shown(picker), QString::fromUtf8(c.shownAfter));
            EXPECT_EQ(picker->ShowsStorableValue(), c.value.isValid());
            EXPECT_EQ(picker->Value(), c.value.isValid() ? c.value : shown);
        }
    }
}

// ---- the one rule of a field ------------------------------------------------------------------

namespace {

// The field shows what was typed and holds no value, or holds the whole value on show.
void ExpectTheValueIsWhatIsShown(DateTimePicker* picker, bool date) {
    const QString shown = Shown(picker);
    const QRegularExpressionMatch m =
        QRegularExpression(date ? QStringLiteral("^(\\d\\d)\\.(\\d\\d)\\.(\\d{4})$")
                                : QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)$"))
            .match(shown);
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt(), c = m.captured(3).toInt();
    const QDate day(c, b, a);
    const QTime time(a, b, c);
    const bool whole = m.hasMatch() && (date ? day.isValid() && c >= 1970 && c <= kLastDateYear
                                             : time.isValid());
    EXPECT_EQ(picker->ShowsStorableValue(), whole) << shown.toStdString();
    if (whole) {
        EXPECT_EQ(date ? picker->Value().date().toString() : picker->Value().time().toString(),
                  date ? day.toString() : time.toString());
    }
}

// A date field and a time field, each between two one-line fields.
const DialogTemplate kTwoFields = {
    .width = 300,
    .height = 30,
    .controls = {
        {.kind = ControlKind::Edit, .id = 1, .rect = {5, 8, 40, 14}},
        {.kind = ControlKind::DateTimePicker, .id = 2, .rect = {50, 8, 75, 14}},
        {.kind = ControlKind::Edit, .id = 3, .rect = {130, 8, 40, 14}},
        {.kind = ControlKind::DateTimePicker, .id = 4, .rect = {175, 8, 65, 14},
         .style = style::TimeFormat},
        {.kind = ControlKind::Edit, .id = 5, .rect = {245, 8, 40, 14}},
    }};

}  // namespace

// Every way into a field × every kind of text × every key or click after it: the field shows what
// was typed and holds no value, or holds the whole value on show. Leaving and coming back leaves
// the text exactly as it was, a step changes one part of it, the calendar's Esc changes nothing
// and its day is the value.
TEST(PickerTypingTest, AFieldHoldsTheWholeValueOnShowOrNoneWhateverComesNext) {
    using Act = std::function<void(Dialog&, int id, DateTimePicker*)>;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) -> Act {
        return [=](Dialog&, int, DateTimePicker*) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    };
    const auto click = [](int part) -> Act {
        return [=](Dialog&, int, DateTimePicker* p) {
            QTest::mouseClick(EditOf(p)->findChild<QLineEdit*>(), Qt::LeftButton, {}, PointInPart(p, part));
        };
    };
    const auto refuse = [](Dialog& w, int id, DateTimePicker*) { w.RefuseField(id, QStringLiteral("Zła data.")); };
    const std::pair<const char*, Act> ins[] = {
        {"Tab", [](Dialog& w, int id, DateTimePicker*) {
             w.Item(id - 1)->setFocus();
             QTest::keyClick(w.Item(id - 1), Qt::Key_Tab);
         }},
        {"Shift+Tab", [](Dialog& w, int id, DateTimePicker*) {
             w.Item(id + 1)->setFocus();
             QTest::keyClick(w.Item(id + 1), Qt::Key_Tab, Qt::ShiftModifier);
         }},
        {"a click on part 1", click(0)}, {"a click on part 2", click(1)},
        {"a click on part 3", click(2)},
        {"the window opening", nullptr},  // the focus given before the window is shown
        {"a refusal", refuse}};
    const struct {
        bool date;
        const char* text;
        bool pasted = false;
        // What the field shows once the text is typed from its first part, and once it is left
        // (when that differs).
        const char* shows = nullptr;
        const char* left = nullptr;
    } entries[] = {{true, "15.05.2024"}, {true, "15.13.2024"}, {true, "31.04.2024"},
                   {true, "15.0"},       {true, "31.04.2024", true}, {false, "08:15:00"},
                   {false, "24:00:00"},  {false, "12:3"},      {false, "08:15:00", true},
                   // Any mark between the parts ends the part as the field's own separator does.
                   {true, "1/12/2024", false, "01.12.2024"},
                   {true, "2-3-2024", false, "02.03.2024"},
                   {true, "1 12 2024", false, "01.12.2024"},
                   {false, "1 30 00", false, "01:30:00"},
                   {false, "8.15", false, "08:15:00"},
                   {false, "1,5,7", false, "01:05:07"},
                   // A separator after the last part adds nothing; a time typed afresh has 00
                   // in the parts after the last one typed.
                   {true, "01012024.", false, "01.01.2024"},
                   {false, "081530:", false, "08:15:30"},
                   {false, "815", false, "08:15:00"},
                   // A digit no value of its part can take stays in its part.
                   {true, "45.05.2024", false, "45.05.2024"},
                   {false, "12:60", false, nullptr, "12:60:00"}};
    // Away: the field left and given the focus back.
    enum Expect { Same, Left, Away, Rule, OnePart, FirstPart, Picked };
    std::optional<QDate> highlighted;
    const auto calendar = [&highlighted](Qt::Key k) -> Act {
        return [=, &highlighted](Dialog&, int, DateTimePicker* p) {
            QAbstractSpinBox* field = EditOf(p);
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_TRUE(popup && popup->findChild<QCalendarWidget*>());
            highlighted = popup->findChild<QCalendarWidget*>()->selectedDate();
            QTest::keyClick(QApplication::focusWidget(), k);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        };
    };
    const struct {
        const char* name;
        Act act;
        Expect expect;
        bool dateOnly = false;
    } outs[] = {
        {"Tab", key(Qt::Key_Tab), Left},
        {"Shift+Tab", key(Qt::Key_Tab, Qt::ShiftModifier), Left},
        {"a click elsewhere", [](Dialog& w, int id, DateTimePicker*) {
             QTest::mouseClick(w.Item(id + 1), Qt::LeftButton);
         }, Left},
        {"hidden and shown", [](Dialog& w, int, DateTimePicker*) {
             w.hide();
             w.show();
             QApplication::setActiveWindow(&w);
         }, Away},
        {"refused", refuse, Same},
        {"Left", key(Qt::Key_Left), Rule}, {"Right", key(Qt::Key_Right), Rule},
        {"Home", key(Qt::Key_Home), Same}, {"End", key(Qt::Key_End), Same},
        {"Backspace", key(Qt::Key_Backspace), Rule}, {"Delete", key(Qt::Key_Delete), Rule},
        {"Up", key(Qt::Key_Up), OnePart}, {"Down", key(Qt::Key_Down), OnePart},
        {"Page Up", key(Qt::Key_PageUp), OnePart}, {"Page Down", key(Qt::Key_PageDown), OnePart},
        {"the wheel over part 1", [](Dialog&, int, DateTimePicker* p) {
             const QPoint at = EditOf(p)->findChild<QLineEdit*>()->mapTo(EditOf(p), PointInPart(p, 0));
             QWheelEvent wheel(at, EditOf(p)->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(EditOf(p), &wheel);
         }, FirstPart},
        {"the calendar and Esc", calendar(Qt::Key_Escape), Same, true},
        {"the calendar's day", calendar(Qt::Key_Return), Picked, true}};

    for (const auto& [inName, in] : ins) {
        for (const auto& entry : entries) {
            for (const auto& out : outs) {
                if (out.dateOnly && !entry.date) continue;
                SCOPED_TRACE(std::string(entry.pasted ? "pasted " : "typed ") + entry.text +
                             " after " + inName + ", then " + out.name);
                seams::Reset();
                Dialog window(&kTwoFields);
                const int id = entry.date ? 2 : 4;
                DateTimePicker* picker = window.DatePicker(id);
                picker->SetValue(QDateTime(QDate(2026, 12, 10), QTime(10, 30, 45)));
                if (!in) picker->setFocus();
                window.show();
                QApplication::setActiveWindow(&window);
                if (in) in(window, id, picker);
                ASSERT_TRUE(EditOf(picker)->hasFocus());
                if (entry.pasted) {
                    QGuiApplication::clipboard()->setText(QString::fromUtf8(entry.text));
                    QTest::keyClick(EditOf(picker), Qt::Key_V, Qt::ControlModifier);
                } else {
                    TypeKeys(EditOf(picker), entry.text);
                }
                ExpectTheValueIsWhatIsShown(picker, entry.date);
                const bool fromFirstPart = std::string(inName).find("part 2") == std::string::npos &&
                                           std::string(inName).find("part 3") == std::string::npos;
                if (entry.shows && fromFirstPart) {
                    EXPECT_EQ(Shown(picker), QString::fromUtf8(entry.shows));
                }
                const QString before = Shown(picker);
                out.act(window, id, picker);

                ExpectTheValueIsWhatIsShown(picker, entry.date);
                if (out.expect == Same) {
                    EXPECT_EQ(Shown(picker), before);
                }
                if (out.expect == Left || out.expect == Away) {
                    EXPECT_EQ(Shown(picker), entry.left && fromFirstPart ? QString::fromUtf8(entry.left) : before);
                }
                if (out.expect == Left) {
                    EXPECT_FALSE(EditOf(picker)->hasFocus());
                }
                if (out.expect == Picked) {
                    ASSERT_TRUE(highlighted);
                    EXPECT_EQ(Shown(picker), highlighted->toString(QStringLiteral("dd.MM.yyyy")));
                }
                if (out.expect == OnePart || out.expect == FirstPart) {
                    const QRegularExpression separator(QStringLiteral("[.:]"));
                    const QStringList was = before.split(separator), now = Shown(picker).split(separator);
                    ASSERT_EQ(now.size(), was.size()) << Shown(picker).toStdString();
                    for (qsizetype i = 0, changed = 0; i < now.size(); ++i) {
                        if (now[i] == was[i]) continue;
                        EXPECT_TRUE(++changed == 1 && (out.expect == OnePart || i == 0))
                            << Shown(picker).toStdString();
                    }
                }
            }
        }
    }
}

// ---- moving between parts, steps, pastes and the calendar --------------------------------------

namespace {

// Types `keys` as TypeKeys does, with '>' for Right and '<' for Left.
void TypeWithArrows(QWidget* edit, const std::string& keys) {
    for (const char key : keys) {
        if (key == '>') QTest::keyClick(edit, Qt::Key_Right);
        else if (key == '<') QTest::keyClick(edit, Qt::Key_Left);
        else TypeKeys(edit, std::string(1, key));
    }
}

}  // namespace

// Right straight after a part done by itself is passed over as its separator is: the month and
// the minute typed after it are the ones stored.
TEST_F(DatePickersTest, NewFlightTakesRightAfterAPartDoneByItselfAsItsSeparator) {
    seams::QueueModalHandler([&](Dialog& dialog) {
        QApplication::setActiveWindow(&dialog);
        QAbstractSpinBox* date = EditOf(dialog.DatePicker(CNowyLot::kReleaseDate));
        dialog.SetItemText(CNowyLot::kPlace, u"Kalisz");
        date->setFocus(Qt::TabFocusReason);
        TypeWithArrows(date, "15>05>2024");
        QTest::keyClick(date, Qt::Key_Tab);
        QWidget* time = QApplication::focusWidget();
        EXPECT_EQ(time, EditOf(dialog.DatePicker(CNowyLot::kReleaseTime)));
        TypeWithArrows(time, "8>15>30");
        QTest::keyClick(time, Qt::Key_Return);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    });
    Flights().AddFlight();
    EXPECT_TRUE(MessageTexts().isEmpty());
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    ASSERT_EQ(fresh.Flights().size(), 2u);
    EXPECT_EQ(fresh.Flights().back().czasodlotu, Local(15, 5, 2024, 8, 15) + 30);
}

// Home and Delete that leave a whole date on show make it the value: the roof date stores the
// 1st of April, not the last whole date the field held before "31 kwietnia".
TEST_F(DatePickersTest, RoofDateEditedInPlaceIntoAWholeDateStoresThatDate) {
    QString typed, edited;
    seams::QueueModalHandler([&](Dialog& dialog) {
        DateTimePicker* picker = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker);
        if (QCheckBox* box = picker->findChild<QCheckBox*>(); box && !box->isChecked()) box->click();
        QApplication::setActiveWindow(&dialog);
        QAbstractSpinBox* field = EditOf(picker);
        field->setFocus(Qt::TabFocusReason);
        TypeKeys(field, "31.04.2024");
        typed = Shown(picker);
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        edited = Shown(picker);
        QTest::keyClick(field, Qt::Key_Return);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    });
    const int bird = BirdList().SelectedPigeonId();
    BirdList().EditRoofDate();
    EXPECT_EQ(typed, QString::fromUtf8("31 kwietnia 2024"));
    EXPECT_EQ(edited, QString::fromUtf8("1 kwietnia 2024"));
    EXPECT_TRUE(MessageTexts().isEmpty());
    CDataStore fresh;
    fresh.LoadPigeonsDb(loft_);
    const auto roof = ToLocalDateTime(fresh.Pigeons().at(bird).DataF1);
    ASSERT_TRUE(roof.has_value());
    EXPECT_EQ(QDate(roof->year, roof->month, roof->day), QDate(2024, 4, 1));
}

// Steps keep to their part's range and direction, Left and Right go to the part before and after,
// one digit and Right make a whole part, and a second click on a part starts it afresh.
TEST(PickerTypingTest, StepsArrowsAndClicksKeepToTheirPart) {
    QWidget window;
    DateTimePicker* picker = OpenPicker(window, DateTimePicker::Format::ShortDate,
                                        QDateTime(QDate(2026, 12, 25), QTime(10, 0)), false);
    QAbstractSpinBox* field = EditOf(picker);
    const std::pair<std::vector<Qt::Key>, const char*> steps[] = {
        {{Qt::Key_PageUp}, "31.12.2026"},
        {{Qt::Key_Down}, "30.12.2026"},
        {{Qt::Key_PageDown}, "20.12.2026"},
        {{Qt::Key_Right, Qt::Key_Down}, "20.11.2026"},
        {{Qt::Key_Right, Qt::Key_PageDown}, "20.11.2016"},
        {{Qt::Key_Left, Qt::Key_Left, Qt::Key_Up}, "21.11.2016"},
    };
    for (const auto& [keys, shown] : steps) {
        for (const Qt::Key key : keys) QTest::keyClick(field, key);
        EXPECT_EQ(Shown(picker), shown);
        EXPECT_TRUE(picker->ShowsStorableValue());
        EXPECT_EQ(picker->Value().date(), QDate::fromString(shown, QStringLiteral("dd.MM.yyyy")));
    }
    TypeWithArrows(field, "1>");
    EXPECT_EQ(Shown(picker), "01.11.2016");
    EXPECT_EQ(picker->Value().date(), QDate(2016, 11, 1));
    auto* text = field->findChild<QLineEdit*>();
    QTest::mouseClick(text, Qt::LeftButton, {}, PointInPart(picker, 0));
    TypeKeys(field, "1");
    QTest::mouseClick(text, Qt::LeftButton, {}, PointInPart(picker, 0));
    TypeKeys(field, "5");
    EXPECT_EQ(Shown(picker), "05.11.2016");
    EXPECT_EQ(picker->Value().date(), QDate(2016, 11, 5));
}

// The calendar drop-down shows every week of its month whole, each time it opens: every day of a
// month of six weeks can be clicked, and after a day of its last week the first week of the next
// month shown.
TEST(PickerTypingTest, TheCalendarShowsEveryWeekOfItsMonthEachTimeItOpens) {
    QWidget window;
    DateTimePicker* picker = OpenPicker(window, DateTimePicker::Format::ShortDate,
                                        QDateTime(QDate(2026, 12, 10), QTime(10, 0)), false);
    QAbstractSpinBox* field = EditOf(picker);
    for (const auto& [typed, pick] : {std::pair{"15.09.2024", 30}, std::pair{"15.05.2024", 1}}) {
        SCOPED_TRACE(typed);
        const QDate month = QDate::fromString(typed, QStringLiteral("dd.MM.yyyy"));
        TypeKeys(field, typed);
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_TRUE(popup);
        auto* days = popup->findChild<QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview"));
        ASSERT_TRUE(days);
        // The month's days in the order the view holds them, from its first "1" on.
        std::vector<QModelIndex> cells;
        const QAbstractItemModel* model = days->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex cell = model->index(row, column);
                if (static_cast<int>(cells.size()) < month.daysInMonth() &&
                    model->data(cell).toInt() == static_cast<int>(cells.size()) + 1)
                    cells.push_back(cell);
            }
        }
        ASSERT_EQ(static_cast<int>(cells.size()), month.daysInMonth());
        const QRect view(days->viewport()->mapTo(popup, QPoint(0, 0)), days->viewport()->size());
        EXPECT_TRUE(popup->rect().contains(view));
        for (std::size_t day = 0; day < cells.size(); ++day)
            EXPECT_TRUE(days->viewport()->rect().contains(days->visualRect(cells[day]))) << day + 1;
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(cells[pick - 1]).center());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(picker->Value().date(), QDate(month.year(), month.month(), pick));
        EXPECT_EQ(Shown(picker), picker->Value().date().toString(QStringLiteral("dd.MM.yyyy")));
    }
}
