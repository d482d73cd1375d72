// Treatments: the editor keeps the time of day in summer and winter alike, refuses what cannot be
// stored, and the flock's log keeps its rows, the store's flock list and the file in step.
#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <functional>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DziennikSzczepien.h"
#include "Globals.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "ListView.h"
#include "MainDialog.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "menu/MainMenu.h"

namespace {

using Editor = CLeczenieSuplementacjaDodajZmien;

// 14:05:30 in Warsaw on 3 April 2009 (summer time) and on 3 January 2009 (winter time).
constexpr Time64 kSummerAfternoon = 1238760330;
constexpr Time64 kWinterAfternoon = 1230987930;
// 09:15 on 10 July 2012 and on 10 December 2012.
constexpr Time64 kSummerMorning = 1341904500;
constexpr Time64 kWinterMorning = 1355127300;

// Every flock treatment in the file, read by a store of its own.
std::vector<TreatmentRecord> StoredFlock() {
    CDataStore fresh;
    fresh.LoadLofts();
    fresh.LoadPigeonsDb(-1);
    return fresh.FlockTreatments();
}

void TypeDate(Dialog& editor, const char16_t* day, const char16_t* month, const char16_t* year) {
    editor.SetItemText(Editor::kDay, day);
    editor.SetItemText(Editor::kMonth, month);
    editor.SetItemText(Editor::kYear, year);
}

class TreatmentsTest : public MainWindowTest {
protected:
    // Runs the editor on `treatment`; `act` plays the user on the open window.
    static int RunEditor(Editor& editor, const std::function<void(Editor&)>& act) {
        seams::QueueModalHandler([&act](Dialog& dialog) {
            act(static_cast<Editor&>(dialog));
            return IDCANCEL;
        });
        return editor.DoModal();
    }

    static TreatmentRecord StoreFlockTreatment(const std::u16string& name, Time64 given, int kind = 2) {
        TreatmentRecord treatment;
        treatment.id_golebia = TreatmentRecord::kFlock;
        treatment.nazwa = name;
        treatment.kategoria = kind;
        treatment.data_podania = given;
        EXPECT_TRUE(TheDataStore().WriteTreatment(WriteMode::Insert, treatment));
        return treatment;
    }
};

// ---- the editor -------------------------------------------------------------------------------

// A new treatment takes the date typed and the time of day of the opening, whatever the season
// of that date.
TEST_F(TreatmentsTest, ANewTreatmentKeepsTheTimeOfDayOfTheOpeningInSummerAndWinter) {
    for (const auto& [month, expected] : {std::pair{u"4", kSummerAfternoon},
                                          std::pair{u"1", kWinterAfternoon}}) {
        Editor editor;
        editor.treatment.id_golebia = TreatmentRecord::kFlock;
        ASSERT_EQ(RunEditor(editor,
                            [month = month](Editor& e) {
                                // Opened today: today's date is offered.
                                const QDate today = QDate::currentDate();
                                EXPECT_EQ(e.GetDlgItemInt(Editor::kYear), today.year());
                                EXPECT_EQ(e.GetDlgItemInt(Editor::kMonth), today.month());
                                // As if the window had been opened at 14:05:30.
                                e.hour = 14;
                                e.minute = 5;
                                e.second = 30;
                                TypeDate(e, u"3", month, u"2009");
                                e.SetItemText(Editor::kName, u"Paramyxo");
                                e.Combo(Editor::kKind)->SetCurSel(1);
                                e.SetItemText(Editor::kDose, u"0,2 ml");
                                e.SetItemText(Editor::kEffect, u"ochrona");
                                e.SetItemText(Editor::kNotes, u"cały gołębnik");
                                e.RunCommand(IDOK);
                            }),
                  IDOK);
        ASSERT_GT(editor.treatment.id, 0);
        EXPECT_EQ(editor.treatment.data_podania, expected) << "month " << (month[0] - u'0');
    }
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].data_podania, kSummerAfternoon);
    EXPECT_EQ(stored[1].data_podania, kWinterAfternoon);
    EXPECT_EQ(stored[0].nazwa, u"Paramyxo");
    EXPECT_EQ(stored[0].kategoria, 1);
    EXPECT_EQ(stored[0].dawka, u"0,2 ml");
    EXPECT_EQ(stored[0].dzialanie, u"ochrona");
    EXPECT_EQ(stored[0].uwagi, u"cały gołębnik");
    EXPECT_EQ(stored[0].rodzaj, 0);
}

TEST_F(TreatmentsTest, EditingKeepsTheStoredTimeOfDayAcrossTheSeasons) {
    const TreatmentRecord summer = StoreFlockTreatment(u"Lato", kSummerMorning);
    const TreatmentRecord winter = StoreFlockTreatment(u"Zima", kWinterMorning);
    // The second 02:30 of 27.10.2024, in the hour the autumn change plays twice: its fields
    // alone would make the first.
    const TreatmentRecord autumn = StoreFlockTreatment(u"Jesień", 1729992600);
    for (const TreatmentRecord& original : {summer, winter, autumn}) {
        Editor editor;
        editor.mode = EditorMode::Edit;
        editor.treatment = original;
        ASSERT_EQ(RunEditor(editor,
                            [&](Editor& e) {
                                EXPECT_EQ(e.GetDlgItemInt(Editor::kDay),
                                          original.id == autumn.id ? 27 : 10);
                                EXPECT_EQ(e.Combo(Editor::kKind)->GetCurSel(), 2);
                                e.RunCommand(IDOK);
                            }),
                  IDOK);
        EXPECT_EQ(editor.treatment.data_podania, original.data_podania);
    }
    EXPECT_EQ(StoredFlock().at(2).data_podania, autumn.data_podania);
    // The winter treatment moved into summer keeps its 09:15.
    Editor editor;
    editor.mode = EditorMode::Edit;
    editor.treatment = winter;
    RunEditor(editor, [](Editor& e) {
        TypeDate(e, u"10", u"7", u"2012");
        e.RunCommand(IDOK);
    });
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].data_podania, kSummerMorning);
    EXPECT_EQ(stored[1].data_podania, kSummerMorning);
    EXPECT_EQ(stored[1].id, winter.id);
}

// A treatment given at 02:30 moved to the spring change's day takes 03:00 once the user agrees.
TEST_F(TreatmentsTest, ADayWhoseClockSkipsTheKeptTimeTakesTheFirstTimeAfterTheQuestion) {
    Editor editor;
    editor.mode = EditorMode::Edit;
    editor.treatment = StoreFlockTreatment(u"Zima", *MakeLocalTime(28, 3, 2026, 2, 30));
    seams::ScriptMessageBoxAnswers({IDYES});
    RunEditor(editor, [](Editor& e) {
        TypeDate(e, u"29", u"3", u"2026");
        e.RunCommand(IDOK);
    });
    EXPECT_EQ(MessageTexts().size(), 1);
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].data_podania, *MakeLocalTime(29, 3, 2026, 3, 0));
}

TEST_F(TreatmentsTest, WhatCannotBeStoredKeepsTheEditorOpenAndWritesNothing) {
    Editor editor;
    editor.treatment.id_golebia = TreatmentRecord::kFlock;
    RunEditor(editor, [](Editor& e) {
        TypeDate(e, u"3", u"4", u"2009");
        e.SetItemText(Editor::kName, u"A");
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Wprowadź nazwę leku")});

        e.SetItemText(Editor::kName, u"Lek");
        TypeDate(e, u"31", u"4", u"2009");  // April has 30 days
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        TypeDate(e, u"29", u"2", u"2100");  // a century year that is no leap year
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        TypeDate(e, u"3", u"4", u"1969");   // before stored dates begin
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        // A box holding no number names the date, as an impossible date does.
        TypeDate(e, u"x", u"4", u"2009");
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        TypeDate(e, u"3", u"4", u"");
        e.RunCommand(IDOK);
        EXPECT_FALSE(e.HasEnded());
        const QString badDate = QStringLiteral("Nieprawidłowa data podania.");
        EXPECT_EQ(MessageTexts(), (QStringList{QStringLiteral("Wprowadź nazwę leku"), badDate,
                                               badDate, badDate, badDate, badDate}));
    });
    EXPECT_EQ(editor.treatment.id, 0);
    EXPECT_TRUE(StoredFlock().empty());
}

TEST_F(TreatmentsTest, ATwoLetterNameWithoutAKindIsStoredWithNoKind) {
    Editor editor;
    editor.treatment.id_golebia = TreatmentRecord::kFlock;
    ASSERT_EQ(RunEditor(editor,
                        [](Editor& e) {
                            e.SetItemText(Editor::kName, u"B1");
                            e.RunCommand(IDOK);
                        }),
              IDOK);
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].nazwa, u"B1");
    EXPECT_EQ(stored[0].kategoria, -1);
}

TEST_F(TreatmentsTest, AnEditOfATreatmentThatIsGoneIsReportedAndNotClosed) {
    TreatmentRecord gone = StoreFlockTreatment(u"Usunięty", kSummerMorning);
    ASSERT_TRUE(TheDataStore().WriteTreatment(WriteMode::Delete, gone));
    Editor editor;
    editor.mode = EditorMode::Edit;
    editor.treatment = gone;
    EXPECT_NE(RunEditor(editor,
                        [](Editor& e) {
                            e.SetItemText(Editor::kName, u"Zmieniony");
                            e.RunCommand(IDOK);
                            EXPECT_FALSE(e.HasEnded());
                        }),
              IDOK);
    EXPECT_EQ(editor.treatment.nazwa, u"Usunięty");
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Nie udało się zapisać leczenia.")});
}

// ---- the flock's log --------------------------------------------------------------------------

class FlockLogTest : public TreatmentsTest {
protected:
    static QStringList Column(const ListView& list, int column) {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row) texts << list.GetItemText(row, column);
        return texts;
    }
    static void ChooseRow(CDziennikSzczepien& log, int row) {
        log.TreatmentList()->SelectRow(row);
        log.Fire(CDziennikSzczepien::kList, Notification::Clicked);
    }
};

TEST_F(FlockLogTest, DeletingAndEditingActOnTheRowsAsTheyAreNow) {
    const TreatmentRecord first = StoreFlockTreatment(u"Pierwszy", kSummerMorning, 1);
    const TreatmentRecord second = StoreFlockTreatment(u"Drugi", kWinterMorning, 2);
    const TreatmentRecord third = StoreFlockTreatment(u"Trzeci", kSummerAfternoon, 3);

    CDziennikSzczepien log;
    seams::QueueModalHandler([&](Dialog&) {
        ListView& list = *log.TreatmentList();
        EXPECT_EQ(Column(list, 1), (QStringList{QStringLiteral("Pierwszy"), QStringLiteral("Drugi"),
                                                QStringLiteral("Trzeci")}));
        EXPECT_EQ(Column(list, 2), (QStringList{QStringLiteral("10/07/12, 09:15"),
                                                QStringLiteral("10/12/12, 09:15"),
                                                QStringLiteral("03/04/09, 14:05")}));
        // The dates show whole: the column is wider than its widest date with the cell margins.
        EXPECT_GT(list.columnWidth(2), list.fontMetrics().horizontalAdvance(QStringLiteral("10/12/12, 09:15")) + 8);
        EXPECT_EQ(Column(list, 3), (QStringList{QStringLiteral("Szczepionka"), QStringLiteral("Lek"),
                                                QStringLiteral("Suplement")}));

        // Nothing chosen: nothing happens.
        log.RunCommand(CDziennikSzczepien::kDelete);
        log.RunCommand(CDziennikSzczepien::kEdit);
        EXPECT_EQ(list.GetItemCount(), 3);

        ChooseRow(log, 0);
        log.RunCommand(CDziennikSzczepien::kDelete);
        EXPECT_EQ(log.selectedRow, -1);
        EXPECT_EQ(list.GetItemCount(), 2);

        // The new first row is the former second treatment.
        ChooseRow(log, 0);
        seams::QueueModalHandler([](Dialog& dialog) {
            EXPECT_EQ(dialog.ItemText(Editor::kName), u"Drugi");
            dialog.SetItemText(Editor::kNotes, u"po kuracji");
            dialog.Combo(Editor::kKind)->SetCurSel(3);
            dialog.RunCommand(IDOK);
            return IDCANCEL;
        });
        log.RunCommand(CDziennikSzczepien::kEdit);
        EXPECT_EQ(list.GetItemText(0, 5), QStringLiteral("po kuracji"));
        EXPECT_EQ(list.GetItemText(0, 3), QStringLiteral("Suplement"));

        // Opened again, the row shows what was just stored.
        seams::QueueModalHandler([](Dialog& dialog) {
            EXPECT_EQ(dialog.ItemText(Editor::kNotes), u"po kuracji");
            EXPECT_EQ(dialog.Combo(Editor::kKind)->GetCurSel(), 3);
            return IDCANCEL;
        });
        log.RunCommand(CDziennikSzczepien::kEdit);
        return IDCANCEL;
    });
    log.DoModal();

    const std::vector<TreatmentRecord>& memory = TheDataStore().FlockTreatments();
    ASSERT_EQ(memory.size(), 2u);
    EXPECT_EQ(memory[0].id, second.id);
    EXPECT_EQ(memory[0].uwagi, u"po kuracji");
    EXPECT_EQ(memory[1].id, third.id);
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].id, second.id);
    EXPECT_EQ(stored[0].uwagi, u"po kuracji");
    EXPECT_EQ(stored[0].kategoria, 3);
    EXPECT_EQ(stored[0].data_podania, kWinterMorning);
    EXPECT_EQ(stored[1].id, third.id);
    EXPECT_NE(stored[0].id, first.id);
}

TEST_F(FlockLogTest, AddedTreatmentsJoinTheFlockListAndTheFile) {
    CDziennikSzczepien log;
    seams::QueueModalHandler([&](Dialog&) {
        seams::QueueModalHandler([](Dialog& dialog) {
            dialog.SetItemText(Editor::kName, u"Odrobaczanie");
            dialog.RunCommand(IDOK);
            return IDCANCEL;
        });
        log.RunCommand(CDziennikSzczepien::kAdd);
        log.RunCommand(CDziennikSzczepien::kAdd);  // cancelled: nothing added
        EXPECT_EQ(Column(*log.TreatmentList(), 1), QStringList{QStringLiteral("Odrobaczanie")});
        // No kind chosen: the kind cell stays empty.
        EXPECT_EQ(log.TreatmentList()->GetItemText(0, 3), QString());
        return IDCANCEL;
    });
    log.DoModal();
    ASSERT_EQ(TheDataStore().FlockTreatments().size(), 1u);
    const std::vector<TreatmentRecord> stored = StoredFlock();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].id, TheDataStore().FlockTreatments()[0].id);
    EXPECT_EQ(stored[0].id_golebia, TreatmentRecord::kFlock);
}

TEST_F(FlockLogTest, TheMainMenuOpensTheLogWithTheFlockTreatmentsOfTheFile) {
    StoreFlockTreatment(u"Salmonella", kSummerMorning, 1);
    CMainDialog& main = Open();

    QStringList listed;
    seams::QueueModalHandler([&listed](Dialog& dialog) {
        listed = Column(*static_cast<CDziennikSzczepien&>(dialog).TreatmentList(), 1);
        return IDCANCEL;
    });
    main.RunCommand(kCmdVaccinationLog);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CDziennikSzczepien::kTemplateId);
    EXPECT_EQ(seams::ModalRuns()[0].caption, QStringLiteral("Dziennik leczenia i suplementacji gołębi"));
    EXPECT_EQ(listed, QStringList{QStringLiteral("Salmonella")});
}

}  // namespace
