// The pairing page and its editors: what reaches `pary`, `dzieci` and the birds' parents in the
// file, how the season chooser filters, and the offspring results page.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QScrollBar>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <ctime>

#include "DataStore.h"
#include "DodajEdytujPare2.h"
#include "DodajPareTab1.h"
#include "DodajPareTab2.h"
#include "DodajPareTab3.h"
#include "DodajPsaDoPary.h"
#include "DodajSezon.h"
#include "DrukujKarteMiotu.h"
#include "Fotoparowanie.h"
#include "Globals.h"
#include "Lineage.h"
#include "ListView.h"
#include "Places.h"
#include "PodgladHTML.h"
#include "RecordPage.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowTestSupport.h"
#include "WybierzPsaZListy.h"
#include "ZakladkaEdycjaPtaka.h"

namespace {

using Page = CZakladkaEdycjaPtaka;
using PairEditor = CDodajEdytujPare2;

class PairingPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        loft_ = AddLoft(u"Gołębnik");
        otherLoft_ = AddLoft(u"Drugi");
        male_ = AddSexedBird(u"100", u"Samiec <A&B>", 1);
        female_ = AddSexedBird(u"200", u"Samica", 2);
        young_ = AddSexedBird(u"300", u"", 2);
        TheDataStore().LoadLofts();
        g_currentLoftIndex = TheDataStore().FindLoftIndex(loft_);
        page_ = std::make_unique<Page>();
        page_->show();  // runs OnInitDialog
    }
    void TearDown() override {
        page_.reset();
        WindowTest::TearDown();
    }

    // A stored photo of the bird; `eye` marks it as an eye photo, the kind photo pairing lists.
    void AddBirdPhoto(int bird, bool eye) {
        const QString source = folder_.filePath(QStringLiteral("photo-%1.png").arg(++photos_));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::gray);
        ASSERT_TRUE(image.save(source));
        PhotoRecord photo{.id_golebia = bird, .path = source.toStdU16String(), .rozszerzenie = u"png"};
        ASSERT_TRUE(TheDataStore().AddPhoto(photo));
        if (eye) {
            ASSERT_TRUE(TheDataStore().WritePhotoKind(photo.id, 1));
        }
    }
    int photos_ = 0;

    int AddSexedBird(const Text& ring, const Text& name, int sex, int loftId = 0) {
        const int id = AddBird(0, ring, name, loftId ? loftId : loft_);
        PigeonRecord bird = TheDataStore().FindPigeon(id);
        bird.plec = sex;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
        return id;
    }

    // A pair stored directly, paired at the given local time.
    int StorePair(int day, int month, int hour, int minute = 0) {
        PairRecord pair;
        pair.id_hodowli = loft_;
        pair.id_samca = male_;
        pair.id_samicy = female_;
        pair.DataParowania = pair.DataDodania = *MakeLocalTime(day, month, 2026, hour, minute);
        EXPECT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
        return pair.id;
    }

    static SeasonRecord Season(const Text& name, int firstDay, int firstMonth, int lastDay,
                               int lastMonth) {
        SeasonRecord season;
        season.Nazwa = name;
        season.DATA_B = *MakeLocalTime(firstDay, firstMonth, 2026, 1, 1, 1);
        season.DATA_E = *MakeLocalTime(lastDay, lastMonth, 2026, 1, 1, 1);
        EXPECT_TRUE(TheDataStore().AddBreedingSeason(season));
        return season;
    }

    // The loaded loft's pairs as the file holds them.
    std::vector<PairRecord> PairsOnDisk() const {
        CDataStore fresh;
        fresh.LoadLofts();
        fresh.LoadPigeonsDb(loft_);
        return fresh.Pairs();
    }
    static PigeonRecord BirdOnDisk(int id) {
        CDataStore fresh;
        fresh.LoadLofts();
        fresh.LoadPigeonsDb(-1);
        return fresh.FindPigeon(id);
    }

    void ClickPair(int row) {
        page_->PairList()->SelectRow(row);
        page_->Fire(Page::kPairList, Notification::Clicked);
    }
    void ClickYoung(int row) {
        page_->YoungList()->SelectRow(row);
        page_->Fire(Page::kYoungList, Notification::Clicked);
    }
    void ChooseSeason(int entry) {
        page_->SeasonCombo()->SetCurSel(entry);
        page_->Fire(Page::kSeasonCombo, Notification::SelChange);
    }
    QStringList PairDates() const { return ListColumn(page_->PairList(), 3); }

    // The next bird chooser picks `id`.
    static void ChooseNext(int id) {
        seams::QueueModalHandler([id](Dialog& dialog) {
            auto& chooser = static_cast<CWybierzPsaZListy&>(dialog);
            chooser.chosenId = id;
            chooser.chosenValid = 1;
            chooser.EndDialog(IDOK);
            return IDOK;
        });
    }

    // A ring as a Polish loft writes it, "PL 0446 2018 12345", with the bird's name.
    static void GiveFullRing(int id, const Text& number, const Text& name) {
        PigeonRecord bird = TheDataStore().FindPigeon(id);
        bird.oddzial = u"0446";
        bird.rocznik = u"2018";
        bird.nr_obraczki = number;
        bird.nazwa = name;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    }

    int loft_ = 0, otherLoft_ = 0, male_ = 0, female_ = 0, young_ = 0;
    std::unique_ptr<Page> page_;
};

// ---- seasons -------------------------------------------------------------------------------------

// A season holds its first and last days whole; the chooser's entries keep pointing at their own
// seasons after one is deleted and another added.
TEST_F(PairingPageTest, SeasonChooserFiltersByWholeDaysAndKeepsItsMappingAfterDeleteAndAdd) {
    StorePair(28, 2, 23);  // the evening before the season
    StorePair(1, 3, 0, 30);  // first day, before the stored 01:01:01
    StorePair(31, 5, 22);  // last day, late
    StorePair(1, 6, 0, 10);  // the day after
    Season(u"Wiosna", 1, 3, 31, 5);
    Season(u"Zima", 1, 1, 28, 2);
    FillSeasonCombo(page_->SeasonCombo(), u"Wszystkie Pary", TheDataStore().BreedingSeasons());
    page_->FillPairList(-1);
    ASSERT_EQ(page_->PairList()->GetItemCount(), 4);

    ChooseSeason(1);
    EXPECT_EQ(PairDates(), (QStringList{"01/03/26, 00:30", "31/05/26, 22:00"}));
    ChooseSeason(2);
    EXPECT_EQ(PairDates(), (QStringList{"28/02/26, 23:00"}));
    ChooseSeason(0);
    EXPECT_EQ(page_->PairList()->GetItemCount(), 4);

    // Delete "Wiosna" (entry 1): the file loses it, the chooser and the vector lose the same place.
    ChooseSeason(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->Fire(Page::kDeleteSeasonButton, Notification::Clicked);
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie Pary", "Zima"}));
    CDataStore fresh;
    fresh.LoadExtraDb(loft_);
    ASSERT_EQ(fresh.BreedingSeasons().size(), 1u);
    EXPECT_EQ(fresh.BreedingSeasons()[0].Nazwa, u"Zima");

    // A new season is appended last; entry 2 now lists its pairs, entry 1 still "Zima".
    seams::QueueModalHandler([](Dialog& dialog) {
        dialog.SetItemText(CDodajSezon::kName, u"Czerwiec");
        dialog.SetItemText(CDodajSezon::kStartDay, u"1");
        dialog.SetItemText(CDodajSezon::kStartMonth, u"6");
        dialog.SetItemText(CDodajSezon::kEndDay, u"30");
        dialog.SetItemText(CDodajSezon::kEndMonth, u"6");
        dialog.SetItemText(CDodajSezon::kEndYear, u"2026");
        dialog.SetItemText(CDodajSezon::kStartYear, u"2026");
        dialog.RunCommand(IDOK);
        return IDCANCEL;
    });
    page_->Fire(Page::kAddSeasonButton, Notification::Clicked);
    EXPECT_EQ(ComboTexts(page_->SeasonCombo()), (QStringList{"Wszystkie Pary", "Zima", "Czerwiec"}));
    ChooseSeason(2);
    EXPECT_EQ(PairDates(), (QStringList{"01/06/26, 00:10"}));
    ChooseSeason(1);
    EXPECT_EQ(PairDates(), (QStringList{"28/02/26, 23:00"}));

    // Deleting a pair lists every pair left, and the chooser says so.
    ClickPair(0);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeletePair();
    EXPECT_EQ(PairDates(), (QStringList{"01/03/26, 00:30", "31/05/26, 22:00", "01/06/26, 00:10"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 0);
}

// Adding a season leaves the lists as they are, so the chooser keeps saying what they show: the
// entry chosen before, or none after a season was deleted. It used to show no entry at all.
TEST_F(PairingPageTest, AddingASeasonKeepsTheChooserOnWhatTheListShows) {
    StorePair(10, 3, 12);
    StorePair(10, 7, 12);
    Season(u"Wiosna", 1, 3, 31, 5);
    Season(u"Lato", 1, 7, 31, 8);
    FillSeasonCombo(page_->SeasonCombo(), u"Wszystkie Pary", TheDataStore().BreedingSeasons());
    int added = 0;
    const auto addSeason = [&] {
        seams::QueueModalHandler([&](Dialog& editor) {
            const QString name = QStringLiteral("Nowy %1").arg(++added);
            editor.SetItemText(CDodajSezon::kName, name.toStdU16String());
            editor.RunCommand(IDOK);
            return IDCANCEL;
        });
        page_->Fire(Page::kAddSeasonButton, Notification::Clicked);
    };
    struct Case { int entry; QString shown; QStringList dates; };
    const QStringList both = {"10/03/26, 12:00", "10/07/26, 12:00"};
    for (const Case& c : {Case{0, "Wszystkie Pary", both}, Case{1, "Wiosna", {"10/03/26, 12:00"}},
                          Case{2, "Lato", {"10/07/26, 12:00"}}}) {
        ChooseSeason(c.entry);
        addSeason();
        EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), c.entry);
        EXPECT_EQ(page_->SeasonCombo()->GetWindowText(), c.shown);
        EXPECT_EQ(PairDates(), c.dates);
    }
    ASSERT_EQ(page_->SeasonCombo()->GetCount(), 6);
    EXPECT_EQ(page_->SeasonCombo()->GetLBText(5), "Nowy 3");

    // After a deletion no entry stands for the list, and adding does not pretend one does.
    ChooseSeason(1);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->Fire(Page::kDeleteSeasonButton, Notification::Clicked);
    addSeason();
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), -1);
    EXPECT_EQ(PairDates(), QStringList{"10/03/26, 12:00"});
    CDataStore fresh;
    fresh.LoadExtraDb(loft_);
    EXPECT_EQ(fresh.BreedingSeasons().size(), 5u);
}

// A pair added while a season is chosen, paired outside it, does not join that season's list:
// the list shows every pair, as after a deletion, and the chooser says so.
TEST_F(PairingPageTest, APairAddedWhileASeasonIsChosenLeavesNoWrongRowInItsList) {
    StorePair(10, 3, 12);
    Season(u"Wiosna", 1, 3, 31, 5);
    FillSeasonCombo(page_->SeasonCombo(), u"Wszystkie Pary", TheDataStore().BreedingSeasons());
    ChooseSeason(1);
    ASSERT_EQ(PairDates(), QStringList{"10/03/26, 12:00"});
    // Photo pairing, paired in July.
    AddBirdPhoto(male_, true);
    AddBirdPhoto(female_, true);
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& window = static_cast<CFotoparowanie&>(dialog);
        for (int list : {CFotoparowanie::kMaleList, CFotoparowanie::kFemaleList}) {
            window.List(list)->SelectRow(0);
            window.Fire(list, Notification::Clicked);
        }
        window.DatePicker(CFotoparowanie::kDatePicker)->SetTime(*MakeLocalTime(2, 7, 2026, 9));
        window.RunCommand(CFotoparowanie::kCreatePair);
        return IDCANCEL;
    });
    page_->PhotoPairing();
    ASSERT_EQ(PairsOnDisk().size(), 2u);
    EXPECT_EQ(PairDates(), (QStringList{"10/03/26, 12:00", "02/07/26, 09:00"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 0);
    EXPECT_EQ(page_->ShownPairs().size(), 2u);

    // The pair editor, paired in August while the season is chosen again.
    ChooseSeason(1);
    seams::QueueModalHandler([&](Dialog& dialog) {
        ChooseNext(male_);
        dialog.RunCommand(PairEditor::kChooseMale);
        ChooseNext(female_);
        dialog.RunCommand(PairEditor::kChooseFemale);
        dialog.SetItemText(PairEditor::kDay, u"1");
        dialog.SetItemText(PairEditor::kMonth, u"8");
        dialog.SetItemText(PairEditor::kYear, u"2026");
        dialog.RunCommand(PairEditor::kSave);
        return IDCANCEL;
    });
    page_->AddPair();
    ASSERT_EQ(PairsOnDisk().size(), 3u);
    EXPECT_EQ(page_->PairList()->GetItemCount(), 3);
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 0);
}

// A pair edited while a season is chosen may have left it: the list shows every pair again, as
// after an add, with the edited pair as the file holds it, and the chooser says so.
TEST_F(PairingPageTest, APairEditedOutOfTheChosenSeasonLeavesNoWrongRowInItsList) {
    StorePair(10, 3, 12);
    StorePair(20, 4, 12);
    StorePair(1, 7, 12);
    Season(u"Wiosna", 1, 3, 31, 5);
    FillSeasonCombo(page_->SeasonCombo(), u"Wszystkie Pary", TheDataStore().BreedingSeasons());
    ChooseSeason(1);
    ASSERT_EQ(PairDates(), (QStringList{"10/03/26, 12:00", "20/04/26, 12:00"}));
    ClickPair(0);
    seams::QueueModalHandler([](Dialog& dialog) {
        dialog.SetItemText(PairEditor::kMonth, u"8");
        dialog.RunCommand(PairEditor::kSave);
        return IDCANCEL;
    });
    page_->EditPair();
    EXPECT_EQ(PairDates(), (QStringList{"10/08/26, 12:00", "20/04/26, 12:00", "01/07/26, 12:00"}));
    EXPECT_EQ(page_->SeasonCombo()->GetCurSel(), 0);
    EXPECT_EQ(page_->SelectedPair(), nullptr);
    EXPECT_EQ(PairsOnDisk()[0].DataParowania, *MakeLocalTime(10, 8, 2026, 12));
}

// ---- pairs ---------------------------------------------------------------------------------------

// Each painted link runs its own command, seen by the window it opens or the question it asks
// (both left unanswered), and a click beside the links runs none.
TEST_F(PairingPageTest, EachLinkRunsItsOwnCommand) {
    const int pairId = StorePair(3, 3, 12);
    YoungRecord young{.id_golebia = young_, .id_pary = pairId, .id_hodowli = loft_};
    ASSERT_TRUE(TheDataStore().WriteYoung(WriteMode::Insert, young));
    page_->FillPairList(-1);
    ClickPair(0);
    ClickYoung(0);
    struct Case { int link; int opens; const char* asks; };
    const Case cases[] = {
        {Page::kLinkAddPair, PairEditor::kTemplateId, nullptr},
        {Page::kLinkPhotoPairing, CFotoparowanie::kTemplateId, nullptr},
        {Page::kLinkEditPair, PairEditor::kTemplateId, nullptr},
        {Page::kLinkDeletePair, 0, "Czy napewno usunąć wybraną parę?"},
        {Page::kLinkPrintLitterCard, CDrukujKarteMiotu::kTemplateId, nullptr},
        {Page::kLinkAddYoung, CDodajPsaDoPary::kTemplateId, nullptr},
        {Page::kLinkEditYoung, CDodajPsaDoPary::kTemplateId, nullptr},
        {Page::kLinkDeleteYoung, 0, "Czy napewno usunąć wybranego młodego z listy?"},
    };
    for (const Case& c : cases) {
        const std::size_t runs = seams::ModalRuns().size();
        const std::size_t messages = seams::MessageBoxCalls().size();
        const Rect link = page_->LinkRect(c.link);
        page_->OnPageClick(QPoint(link.left + 40, link.top + 10));
        ASSERT_EQ(seams::ModalRuns().size(), runs + (c.opens ? 1 : 0)) << c.link;
        ASSERT_EQ(seams::MessageBoxCalls().size(), messages + (c.asks ? 1 : 0)) << c.link;
        if (c.opens) {
            EXPECT_EQ(seams::ModalRuns().back().templateId, c.opens) << c.link;
        }
        if (c.asks) {
            EXPECT_EQ(MessageTexts().last(), QString::fromUtf8(c.asks)) << c.link;
        }
    }
    page_->OnPageClick(QPoint(100, 20));
    EXPECT_EQ(seams::ModalRuns().size(), std::size(cases) - 2);
    EXPECT_EQ(seams::MessageBoxCalls().size(), 2u);
    ASSERT_EQ(PairsOnDisk().size(), 1u);
    EXPECT_EQ(PairsOnDisk()[0].young.size(), 1u);
}

TEST_F(PairingPageTest, PairEditorAddsEditsAndDeletesWhatTheFileHolds) {
    // Add: both birds chosen, three notes through the note switch, eggs and a laying date.
    const std::time_t opened = std::time(nullptr);
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& editor = static_cast<PairEditor&>(dialog);
        editor.RunCommand(PairEditor::kSave);  // nothing chosen yet
        ChooseNext(male_);
        editor.RunCommand(PairEditor::kChooseMale);
        editor.RunCommand(PairEditor::kSave);  // still no female
        ChooseNext(female_);
        editor.RunCommand(PairEditor::kChooseFemale);
        editor.SetItemText(PairEditor::kNotes, u"para");
        editor.RunCommand(PairEditor::kNextNote);
        editor.SetItemText(PairEditor::kNotes, u"ojciec");
        editor.RunCommand(PairEditor::kNextNote);
        editor.SetItemText(PairEditor::kNotes, u"matka");
        editor.RunCommand(PairEditor::kNextNote);
        EXPECT_EQ(editor.ItemText(PairEditor::kNotes), u"para");
        editor.SetItemText(PairEditor::kDay, u"15");
        editor.SetItemText(PairEditor::kMonth, u"1");
        editor.SetItemText(PairEditor::kYear, u"2026");
        editor.SetItemText(PairEditor::kEggsLaid, u"2");
        editor.DatePicker(PairEditor::kLayingDate)->SetTime(*MakeLocalTime(20, 1, 2026, 12));
        editor.RunCommand(PairEditor::kSave);
        return IDCANCEL;
    });
    page_->AddPair();
    EXPECT_EQ(MessageTexts(), (QStringList{"Nie wybrano samca do pary", "Nie wybrano samicy do pary"}));

    auto stored = PairsOnDisk();
    ASSERT_EQ(stored.size(), 1u);
    const PairRecord added = stored[0];  // a copy: `stored` is replaced below
    EXPECT_EQ(added.id_samca, male_);
    EXPECT_EQ(added.id_samicy, female_);
    EXPECT_EQ(added.id_hodowli, loft_);
    EXPECT_EQ(added.uwagi, u"para");
    EXPECT_EQ(added.not_ojciec, u"ojciec");
    EXPECT_EQ(added.not_matka, u"matka");
    EXPECT_EQ(added.zlozonych, 2);
    EXPECT_EQ(added.DataWylegu, kNoDate);
    EXPECT_EQ(added.DataZlozeniaJaj, *MakeLocalTime(20, 1, 2026, 12));
    EXPECT_EQ(added.DataDodania, added.DataParowania);
    // The day typed, with the time of day of the opening.
    const auto paired = ToLocalDateTime(added.DataParowania);
    std::tm now{};
    localtime_r(&opened, &now);
    ASSERT_TRUE(paired.has_value());
    EXPECT_EQ(paired->day, 15);
    EXPECT_EQ(paired->month, 1);
    EXPECT_EQ(paired->hour, now.tm_hour);
    EXPECT_EQ(ListColumn(page_->PairList(), 1), QStringList{"PL 0123 24 100 [Samiec <A&B>]"});
    EXPECT_EQ(page_->ShownPairs().size(), 1u);

    // Edit: another day, the stored time of day stays; the row and the snapshot follow.
    ClickPair(0);
    seams::QueueModalHandler([](Dialog& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(PairEditor::kSave), "Zapisz zmiany");
        dialog.SetItemText(PairEditor::kDay, u"16");
        dialog.SetItemText(PairEditor::kNotes, u"Notatka pary dłuższa niż trzydzieści znaków");
        dialog.RunCommand(PairEditor::kSave);
        return IDCANCEL;
    });
    page_->EditPair();
    stored = PairsOnDisk();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].DataParowania, added.DataParowania + 86400);
    EXPECT_EQ(stored[0].not_matka, u"matka");
    EXPECT_EQ(ListColumn(page_->PairList(), 4), QStringList{"Notatka pary dłuższa niż trzyd"});

    // Delete: the pair and every young row of it go; the young bird stays in the register.
    YoungRecord young{.id_golebia = young_, .id_pary = added.id, .id_hodowli = loft_};
    ASSERT_TRUE(TheDataStore().AddYoungWithParents(young, male_, female_));
    page_->FillPairList(-1);
    ClickPair(0);
    seams::ScriptMessageBoxAnswers({IDNO});
    page_->DeletePair();
    EXPECT_EQ(PairsOnDisk().size(), 1u);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeletePair();
    EXPECT_TRUE(PairsOnDisk().empty());
    EXPECT_TRUE(TheDataStore().Pairs().empty());
    EXPECT_EQ(page_->PairList()->GetItemCount(), 0);
    EXPECT_EQ(BirdOnDisk(young_).id, young_);
}

// Enter and Escape in every panel (the results lists among them) and Enter in the editor's own
// fields neither save nor close it.
TEST_F(PairingPageTest, EnterAndEscapeInThePairEditorSaveNothing) {
    int tried = 0;
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& editor = static_cast<PairEditor&>(dialog);
        ChooseNext(male_);
        editor.RunCommand(PairEditor::kChooseMale);
        ChooseNext(female_);
        editor.RunCommand(PairEditor::kChooseFemale);
        for (auto bird : {PairEditor::kMale, PairEditor::kFemale}) {
            for (auto panel : {PairEditor::kSummary, PairEditor::kPedigree, PairEditor::kResults}) {
                editor.ShowPanel(bird, panel);
                Dialog* shown[] = {editor.SummaryPanel(bird), editor.PedigreePanel(bird),
                                   editor.ResultsPanel(bird)};
                for (QWidget* control : shown[panel]->findChildren<QWidget*>()) {
                    if (!qobject_cast<QAbstractItemView*>(control) &&
                        !qobject_cast<QPlainTextEdit*>(control) && !qobject_cast<QLineEdit*>(control)) {
                        continue;
                    }
                    control->setFocus();
                    QTest::keyClick(control, Qt::Key_Return);
                    QTest::keyClick(control, Qt::Key_Escape);
                    ++tried;
                }
            }
        }
        QTest::keyClick(editor.Item(PairEditor::kDay), Qt::Key_Return);
        EXPECT_FALSE(editor.HasEnded());
        return IDCANCEL;
    });
    page_->AddPair();
    EXPECT_GE(tried, 4);
    EXPECT_TRUE(PairsOnDisk().empty());
    EXPECT_EQ(page_->PairList()->GetItemCount(), 0);
}

// The tab strips beside each bird switch its panels; the pedigree shows the bird's own ancestors
// in their boxes.
TEST_F(PairingPageTest, TabStripsShowEachBirdsPanelsWithItsAncestors) {
    const int sire = AddSexedBird(u"900", u"Dziadek", 1);
    const int dam = AddSexedBird(u"901", u"", 2);
    const int damsSire = AddSexedBird(u"902", u"", 1);
    PigeonRecord damRecord = TheDataStore().Pigeons().at(dam);
    damRecord.id_ojca = damsSire;
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, damRecord));
    PigeonRecord male = TheDataStore().Pigeons().at(male_);
    male.id_ojca = sire;
    male.id_matki = dam;
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, male));
    StorePair(3, 3, 12);
    page_->FillPairList(-1);
    ClickPair(0);
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& editor = static_cast<PairEditor&>(dialog);
        editor.OnTabClick(QPoint(250, 250));  // the male's "Rodowód"
        EXPECT_EQ(editor.ShownPanel(PairEditor::kMale), PairEditor::kPedigree);
        EXPECT_EQ(editor.ShownPanel(PairEditor::kFemale), PairEditor::kSummary);
        const CDodajPareTab2& pedigree = *editor.PedigreePanel(PairEditor::kMale);
        EXPECT_EQ(pedigree.GetDlgItemText(1039), "PL 0123 24 900\nDziadek ");  // father
        EXPECT_EQ(pedigree.GetDlgItemText(1209), "PL 0123 24 901");             // mother
        EXPECT_EQ(pedigree.GetDlgItemText(1038), "PL 0123 24 902");             // mother's father
        EXPECT_EQ(pedigree.GetDlgItemText(1041), "   ");                       // unknown
        editor.OnTabClick(QPoint(510, 400));  // the female's "Wyniki"
        EXPECT_EQ(editor.ShownPanel(PairEditor::kFemale), PairEditor::kResults);
        editor.OnTabClick(QPoint(250, 100));  // back to the male's "Informacje"
        EXPECT_EQ(editor.ShownPanel(PairEditor::kMale), PairEditor::kSummary);
        editor.OnTabClick(QPoint(300, 250));  // beside the strips: nothing changes
        EXPECT_EQ(editor.ShownPanel(PairEditor::kFemale), PairEditor::kResults);
        return IDCANCEL;
    });
    page_->EditPair();
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
}

// Long breeders' names and full ancestors' rings and names stay readable in the panels: the
// pedigree boxes hold the whole ring and under it the name without scrolling, a summary or
// pedigree line too long for the panel ends in "…" with the whole text as its tooltip instead of
// wrapping out of sight, and every heading of the results list reads whole.
TEST_F(PairingPageTest, PairEditorPanelsShowLongNamesWithoutCuttingThemOff) {
    PersonRecord breeder;
    breeder.imie = u"Grzegorz";
    breeder.nazwisko = u"Brzęczyszczykiewicz-Żółtowski";
    ASSERT_TRUE(TheDataStore().WriteBreeder(WriteMode::Insert, breeder));
    const int ancestors[] = {AddSexedBird(u"90001", u"Orzeł Białogłowy Złotowski", 1),
                             AddSexedBird(u"90002", u"Łaskawa Pani z Gościęcina", 2),
                             AddSexedBird(u"90003", u"Żelazny Książę Śląska i Ziemi Opolskiej", 1),
                             AddSexedBird(u"90004", u"Gwiazda Północy", 2),
                             AddSexedBird(u"90005", u"Huragan z Łęczycy", 1),
                             AddSexedBird(u"90006", u"Perła Żuław", 2)};
    auto& birds = TheDataStore().Pigeons();
    for (int id : ancestors) GiveFullRing(id, birds.at(id).nr_obraczki, birds.at(id).nazwa);
    GiveFullRing(male_, u"12345", u"Błękitny Książę Wielkopolski");
    // A result of the male, for the results panel.
    FlightRecord flight;
    flight.id_hodowli = loft_;
    flight.miejscowosc = u"Ostrów Wielkopolski";
    flight.czasodlotu = *MakeLocalTime(12, 5, 2026, 7, 0, 0);
    flight.odleglosckm = 512.3;
    ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
    FlightResultEntry result;
    result.id_lotu = flight.id;
    result.id_hodowli = loft_;
    result.id_golebia = male_;
    result.DataCzasPrzylotu = flight.czasodlotu + 6 * 3600 + 17;
    result.nr_konkursu = 1234;
    result.PunktyOddzial = 87.25f;
    ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
    const auto giveParents = [&](int id, int father, int mother) {
        PigeonRecord bird = birds.at(id);
        bird.id_ojca = father;
        bird.id_matki = mother;
        if (id == male_) bird.id_hodowcy = breeder.id;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    };
    giveParents(male_, ancestors[0], ancestors[1]);
    giveParents(ancestors[0], ancestors[2], ancestors[3]);
    giveParents(ancestors[1], ancestors[4], ancestors[5]);
    StorePair(3, 3, 12);
    page_->FillPairList(-1);
    ClickPair(0);
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& editor = static_cast<PairEditor&>(dialog);
        QApplication::processEvents();
        auto* breederLabel = editor.SummaryPanel(PairEditor::kMale)->ItemAs<CTransparentStatic>(
            CDodajPareTab1::kBreeder);
        EXPECT_TRUE(breederLabel->ShownText().endsWith(QChar(0x2026)))
            << breederLabel->ShownText().toStdString();
        EXPECT_EQ(breederLabel->toolTip(), "Grzegorz Brzęczyszczykiewicz-Żółtowski");

        editor.OnTabClick(QPoint(250, 250));  // the male's "Rodowód"
        QApplication::processEvents();
        const CDodajPareTab2& pedigree = *editor.PedigreePanel(PairEditor::kMale);
        int cut = 0;
        for (int box : {1039, 1209, 1038, 1041, 1040, 1210}) {
            auto* label = pedigree.ItemAs<CTransparentStatic>(box);
            if (!label) {
                ADD_FAILURE() << "no box " << box;
                continue;
            }
            label->grab();  // paints it, which sets the tooltip of a cut text
            const QString text = label->text();
            const QString shown = label->ShownText();
            const QStringList lines = shown.split(u'\n');
            EXPECT_GE(lines.size(), 2) << box << ": " << shown.toStdString();
            if (lines.size() < 2) continue;
            EXPECT_TRUE(lines[0].startsWith(u"PL 0446 2018 9000")) << lines[0].toStdString();
            EXPECT_EQ(lines[0], text.section(u'\n', 0, 0));
            // What is drawn fits the box: no line below it, none past its right edge.
            const QRect area = label->contentsRect().adjusted(2, 2, -2, -2);
            const QFontMetrics metrics(label->font());
            EXPECT_LE(metrics.boundingRect(area, Qt::TextWordWrap, shown).height(), area.height())
                << box;
            for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), area.width());
            if (shown == text) {
                EXPECT_TRUE(label->toolTip().isEmpty()) << box;
            } else {
                ++cut;
                EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
                EXPECT_EQ(label->toolTip(), text);
            }
        }
        EXPECT_GE(cut, 1);  // "Żelazny Książę Śląska i Ziemi Opolskiej" is longer than its box
        EXPECT_EQ(pedigree.ItemAs<CTransparentStatic>(1210)->ShownText(),
                  "PL 0446 2018 90006\nPerła Żuław ");

        editor.OnTabClick(QPoint(250, 400));  // the male's "Wyniki"
        QApplication::processEvents();
        ListView* list = editor.ResultsPanel(PairEditor::kMale)->List(CDodajPareTab3::kResultList);
        EXPECT_EQ(list->GetItemCount(), 1);
        const QFontMetrics headingMetrics(list->horizontalHeader()->font());
        int sum = 0;
        for (int column = 0; column < list->GetColumnCount(); ++column) {
            const QString heading = list->horizontalHeaderItem(column)->text();
            const int width = list->GetColumnWidth(column);
            EXPECT_LT(headingMetrics.horizontalAdvance(heading), width) << heading.toStdString();
            EXPECT_GE(width, list->HeadingWidth(column)) << heading.toStdString();
            EXPECT_GE(width, list->CellWidth(0, column)) << heading.toStdString();
            sum += width;
        }
        // Sideways scrolling only for columns that cannot all fit the panel.
        EXPECT_EQ(list->horizontalScrollBar()->maximum() > 0, sum > list->viewport()->width());
        return IDCANCEL;
    });
    page_->EditPair();
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
}

// ---- list columns --------------------------------------------------------------------------------

// Full rings with long names are wider than the columns were made for: on a page with room the
// ring columns of both lists widen to them, after every refill, and a narrow page keeps the
// widths given.
TEST_F(PairingPageTest, RingColumnsWidenToFullRingsAndNamesWhenThePageHasRoom) {
    GiveFullRing(male_, u"12345", u"Błękitny Książę Wielkopolski");
    GiveFullRing(female_, u"67890", u"Łaskawa Pani z Gościęcina");
    GiveFullRing(young_, u"54321", u"Żelazny Huragan z Łęczycy");
    const int pairId = StorePair(3, 3, 12);
    YoungRecord young;
    young.id_golebia = young_;
    young.id_pary = pairId;
    young.id_hodowli = loft_;
    ASSERT_TRUE(TheDataStore().WriteYoung(WriteMode::Insert, young));
    const std::vector<int> pairWidths = {30, 160, 160, 130, 160};
    const std::vector<int> youngWidths = {30, 140, 140, 180};

    page_->resize(1400, 800);  // the page in a main window on a wide screen
    page_->FillPairList(-1);
    ClickPair(0);
    ASSERT_EQ(page_->YoungList()->GetItemCount(), 1);
    const QFontMetrics metrics(page_->PairList()->font());
    ASSERT_GT(metrics.horizontalAdvance(page_->PairList()->GetItemText(0, 1)), 160);
    ASSERT_GT(metrics.horizontalAdvance(page_->YoungList()->GetItemText(0, 1)), 140);
    ExpectColumnsShowWholeTexts(page_->PairList(), pairWidths, {1, 2});
    ExpectColumnsShowWholeTexts(page_->YoungList(), youngWidths, {1});

    // Filled again with short rings: back to the widths given.
    GiveFullRing(male_, u"1", u"");
    GiveFullRing(female_, u"2", u"");
    page_->FillPairList(-1);
    EXPECT_EQ(page_->PairList()->GetColumnWidth(1), 160);
    EXPECT_EQ(page_->PairList()->GetColumnWidth(2), 160);
    EXPECT_EQ(page_->YoungList()->GetColumnWidth(1), 140);

    // A page too narrow for wider columns keeps the widths given.
    GiveFullRing(male_, u"12345", u"Błękitny Książę Wielkopolski");
    page_->FillPairList(-1);
    EXPECT_GT(page_->PairList()->GetColumnWidth(1), 160);
    page_->resize(850, 600);
    QApplication::processEvents();
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(page_->PairList()->GetColumnWidth(column), pairWidths[column]) << column;
    // There a ring typed whole, too long for its column, keeps its end, where the rings of one
    // loft differ; the whole text is the tooltip.
    GiveFullRing(male_, u"PL-0446-2018-0012345", u"Błękitny Książę Wielkopolski");
    page_->FillPairList(-1);
    const QString cut = page_->PairList()->ShownCellText(0, 1);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("12345"))) << cut.toStdString();
    EXPECT_EQ(page_->PairList()->CellToolTip(0, 1), page_->PairList()->GetItemText(0, 1));
}

// ---- young ---------------------------------------------------------------------------------------

TEST_F(PairingPageTest, YoungTakeTheirParentsFromThePairInTheFileAndInMemory) {
    StorePair(3, 3, 12);
    const int otherYoung = AddSexedBird(u"400", u"Inny", 0, otherLoft_);
    page_->FillPairList(-1);
    page_->AddYoung();
    EXPECT_EQ(MessageTexts(), QStringList{"Musisz wybrać parę do której chcesz dodać młodego"});

    ClickPair(0);
    // The hatch date shown is the chosen bird's own, from the register.
    PigeonRecord hatched = TheDataStore().Pigeons().at(young_);
    hatched.DataUrodzenia = *MakeLocalTime(14, 4, 2025, 12);
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, hatched));
    seams::QueueModalHandler([&](Dialog& dialog) {
        // Typing starts in the notes, which leaves the small bird button readable.
        EXPECT_EQ(dialog.focusWidget(), dialog.Item(CDodajPsaDoPary::kNotes));
        dialog.RunCommand(CDodajPsaDoPary::kSave);  // no bird yet
        ChooseNext(young_);
        dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
        const auto hatched = dialog.DatePicker(CDodajPsaDoPary::kHatchDate)->GetLocal();
        EXPECT_TRUE(hatched && hatched->day == 14 && hatched->month == 4 && hatched->year == 2025);
        dialog.SetItemText(CDodajPsaDoPary::kNotes, u"pierwszy");
        dialog.RunCommand(CDodajPsaDoPary::kSave);
        return IDCANCEL;
    });
    page_->AddYoung();
    EXPECT_EQ(MessageTexts().back(), "Wybierz gołębia");
    PigeonRecord onDisk = BirdOnDisk(young_);
    EXPECT_EQ(onDisk.id_ojca, male_);
    EXPECT_EQ(onDisk.id_matki, female_);
    EXPECT_EQ(TheDataStore().Pigeons().at(young_).id_ojca, male_);
    auto stored = PairsOnDisk();
    ASSERT_EQ(stored[0].young.size(), 1u);
    EXPECT_EQ(stored[0].young[0].id_golebia, young_);
    EXPECT_EQ(stored[0].young[0].uwagi, u"pierwszy");
    EXPECT_EQ(ListColumn(page_->YoungList(), 2), QStringList{"Samica"});
    ASSERT_EQ(page_->SelectedPair()->young.size(), 1u);
    EXPECT_EQ(page_->SelectedPair()->young[0].id, stored[0].young[0].id);

    // Linking another bird in an edit gives that bird the parents; the first keeps its own.
    ClickYoung(0);
    seams::QueueModalHandler([&](Dialog& dialog) {
        ChooseNext(otherYoung);
        dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
        dialog.RunCommand(CDodajPsaDoPary::kSave);
        return IDCANCEL;
    });
    page_->EditYoung();
    EXPECT_EQ(BirdOnDisk(otherYoung).id_ojca, male_);
    EXPECT_EQ(BirdOnDisk(otherYoung).id_matki, female_);
    EXPECT_EQ(BirdOnDisk(young_).id_ojca, male_);
    stored = PairsOnDisk();
    EXPECT_EQ(stored[0].young[0].id_golebia, otherYoung);
    EXPECT_EQ(stored[0].young[0].uwagi, u"pierwszy");
    EXPECT_EQ(ListColumn(page_->YoungList(), 1), QStringList{"PL 0123 24 400 [Inny]"});
    EXPECT_EQ(ListColumn(page_->YoungList(), 2), QStringList{""});

    // Deleting the young removes the link only.
    ClickYoung(0);
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteYoung();
    EXPECT_TRUE(PairsOnDisk()[0].young.empty());
    EXPECT_EQ(page_->YoungList()->GetItemCount(), 0);
    EXPECT_EQ(BirdOnDisk(otherYoung).id, otherYoung);
}

// A young gets the pair's birds as parents, so neither of them nor any ancestor of theirs may be
// it: the chooser leaves them out, the save refuses them (nothing reaches the file), and a pair
// edited so that one of its young becomes its bird or their ancestor is refused too. Here the
// male descends from the female, whose father is a third bird.
TEST_F(PairingPageTest, AYoungIsNeverThePairsBirdOrTheirAncestor) {
    const int grandsire = AddSexedBird(u"500", u"Dziadek", 1);
    PigeonRecord bird = TheDataStore().Pigeons().at(female_);
    bird.id_ojca = grandsire;
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    bird = TheDataStore().Pigeons().at(male_);
    bird.id_matki = female_;
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    const int pairId = StorePair(3, 3, 12);
    page_->FillPairList(-1);
    ClickPair(0);

    std::vector<int> offered;
    seams::QueueModalHandler([&](Dialog& dialog) {
        // The chooser, reached by a click: it offers every bird but the pair's line.
        seams::QueueModalHandler([&](Dialog& chooser) {
            for (const PigeonRecord& one : static_cast<CWybierzPsaZListy&>(chooser).candidates) {
                offered.push_back(one.id);
            }
            return IDCANCEL;
        });
        QTest::mouseClick(dialog.Item(CDodajPsaDoPary::kChooseBird), Qt::LeftButton);
        // Back from it the typing goes on in the notes: a focus frame would hide the dots.
        EXPECT_EQ(dialog.focusWidget(), dialog.Item(CDodajPsaDoPary::kNotes));
        for (int refused : {male_, female_, grandsire}) {
            ChooseNext(refused);
            dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
            dialog.RunCommand(CDodajPsaDoPary::kSave);
            EXPECT_FALSE(dialog.HasEnded()) << refused;
        }
        ChooseNext(young_);
        dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
        dialog.RunCommand(CDodajPsaDoPary::kSave);
        return IDCANCEL;
    });
    page_->AddYoung();
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, std::vector<int>{young_});
    const QString isParent = "Wybrany gołąb jest samcem lub samicą tej pary, więc nie może być jej młodym.";
    const QString isAncestor =
        "Wybrany gołąb jest przodkiem samca lub samicy tej pary, więc nie może być jej młodym.";
    EXPECT_EQ(MessageTexts(), (QStringList{isParent, isParent, isAncestor}));
    EXPECT_EQ(BirdOnDisk(male_).id_ojca, 0);
    EXPECT_EQ(BirdOnDisk(female_).id_ojca, grandsire);
    EXPECT_EQ(BirdOnDisk(grandsire).id_ojca, 0);
    EXPECT_EQ(TheDataStore().Pigeons().at(grandsire).id_matki, 0);
    auto stored = PairsOnDisk();
    ASSERT_EQ(stored[0].young.size(), 1u);
    EXPECT_EQ(stored[0].young[0].id_golebia, young_);
    EXPECT_EQ(BirdOnDisk(young_).id_ojca, male_);

    // Relinking the young to the male in an edit is refused alike.
    ClickYoung(0);
    seams::QueueModalHandler([&](Dialog& dialog) {
        ChooseNext(male_);
        dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
        dialog.RunCommand(CDodajPsaDoPary::kSave);
        EXPECT_FALSE(dialog.HasEnded());
        return IDCANCEL;
    });
    page_->EditYoung();
    EXPECT_EQ(MessageTexts().back(), isParent);
    EXPECT_EQ(PairsOnDisk()[0].young[0].id_golebia, young_);
    EXPECT_EQ(BirdOnDisk(male_).id_ojca, 0);

    // The young, or a bird descending from it, as the pair's female: refused.
    const int grandchild = AddSexedBird(u"600", u"", 2);
    bird = TheDataStore().Pigeons().at(grandchild);
    bird.id_matki = young_;
    ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    seams::QueueModalHandler([&](Dialog& dialog) {
        for (int refused : {young_, grandchild}) {
            ChooseNext(refused);
            dialog.RunCommand(PairEditor::kChooseFemale);
            dialog.RunCommand(PairEditor::kSave);
            EXPECT_FALSE(dialog.HasEnded()) << refused;
        }
        return IDCANCEL;
    });
    page_->EditPair();
    const QString youngIsBird =
        "Wybrany samiec lub samica jest młodym tej pary albo od niego pochodzi, więc nie może być "
        "jej rodzicem.";
    EXPECT_EQ(MessageTexts().mid(MessageTexts().size() - 2), (QStringList{youngIsBird, youngIsBird}));
    stored = PairsOnDisk();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].id, pairId);
    EXPECT_EQ(stored[0].id_samicy, female_);
}

// A bird whose sex is not given is offered on both sides of the pair editor, but a pair of one
// bird with itself is refused and nothing is stored.
TEST_F(PairingPageTest, OneBirdIsNeverBothBirdsOfAPair) {
    const int unsexed = AddSexedBird(u"700", u"Nieznany", 0);
    std::vector<bool> offered;
    const auto chooseUnsexed = [&] {
        seams::QueueModalHandler([&](Dialog& dialog) {
            auto& chooser = static_cast<CWybierzPsaZListy&>(dialog);
            offered.push_back(std::any_of(chooser.candidates.begin(), chooser.candidates.end(),
                                          [&](const PigeonRecord& one) { return one.id == unsexed; }));
            chooser.chosenId = unsexed;
            chooser.chosenValid = 1;
            chooser.EndDialog(IDOK);
            return IDOK;
        });
    };
    seams::QueueModalHandler([&](Dialog& dialog) {
        chooseUnsexed();
        dialog.RunCommand(PairEditor::kChooseMale);
        chooseUnsexed();
        dialog.RunCommand(PairEditor::kChooseFemale);
        dialog.RunCommand(PairEditor::kSave);
        EXPECT_FALSE(dialog.HasEnded());
        return IDCANCEL;
    });
    page_->AddPair();
    EXPECT_EQ(offered, (std::vector<bool>{true, true}));
    EXPECT_EQ(MessageTexts(),
              QStringList{"Ten sam gołąb nie może być jednocześnie samcem i samicą pary."});
    EXPECT_TRUE(PairsOnDisk().empty());
    EXPECT_EQ(page_->PairList()->GetItemCount(), 0);
}

// A pair stored by older files with -1 for a bird it lacks: the editor says which bird is not
// chosen instead of taking -1 and -1 for one bird paired with itself.
TEST_F(PairingPageTest, APairWithoutBirdsAsOlderFilesHoldItAsksForTheCock) {
    PairRecord old{.id_hodowli = loft_, .id_samca = -1, .id_samicy = -1};
    old.DataParowania = *MakeLocalTime(3, 3, 2026, 12);
    ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Insert, old));
    page_->FillPairList(-1);
    ClickPair(0);
    seams::QueueModalHandler([&](Dialog& dialog) {
        dialog.RunCommand(PairEditor::kSave);
        EXPECT_FALSE(dialog.HasEnded());
        return IDCANCEL;
    });
    page_->EditPair();
    EXPECT_EQ(MessageTexts(), QStringList{"Nie wybrano samca do pary"});
}

// A bird is the young of one pair: the young window does not offer the young of another pair
// (its own young stays on offer when it is edited), refuses one chosen anyway by naming the pair
// it belongs to, and takes it once it was removed there.
TEST_F(PairingPageTest, AYoungOfAnotherPairIsNotOfferedAndIsRefusedByThatPairsRings) {
    const int firstPair = StorePair(3, 3, 12);
    YoungRecord link{.id_golebia = young_, .id_pary = firstPair, .id_hodowli = loft_};
    ASSERT_TRUE(TheDataStore().AddYoungWithParents(link, male_, female_));
    const int cock = AddSexedBird(u"800", u"", 1), hen = AddSexedBird(u"801", u"", 2);
    PairRecord second{.id_hodowli = loft_, .id_samca = cock, .id_samicy = hen};
    second.DataParowania = *MakeLocalTime(4, 3, 2026, 12);
    ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Insert, second));
    page_->FillPairList(-1);

    // Offered birds, then the young of the first pair forced on each pair.
    const auto addYoung = [&](int row, std::vector<int>* offered) {
        ClickPair(row);
        seams::QueueModalHandler([&](Dialog& dialog) {
            seams::QueueModalHandler([&](Dialog& chooser) {
                for (const PigeonRecord& one : static_cast<CWybierzPsaZListy&>(chooser).candidates)
                    offered->push_back(one.id);
                return IDCANCEL;
            });
            dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
            ChooseNext(young_);
            dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
            dialog.RunCommand(CDodajPsaDoPary::kSave);
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        page_->AddYoung();
    };
    std::vector<int> offered, offeredToOwn;
    addYoung(1, &offered);
    addYoung(0, &offeredToOwn);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), young_), 0);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), male_), 1);
    EXPECT_EQ(std::count(offeredToOwn.begin(), offeredToOwn.end(), young_), 0);
    EXPECT_EQ(MessageTexts(),
              (QStringList{"Wybrany gołąb jest już młodym innej pary:\nsamiec: PL 0123 24 100\nsamica: "
                           "PL 0123 24 200\n\nAby dodać go do tej pary, najpierw usuń go z młodych "
                           "tamtej pary.",
                           "Wybrany gołąb jest już młodym tej pary."}));
    auto stored = PairsOnDisk();
    ASSERT_EQ(stored.size(), 2u);
    ASSERT_EQ(stored[0].young.size(), 1u);
    EXPECT_TRUE(stored[1].young.empty());
    EXPECT_EQ(BirdOnDisk(young_).id_ojca, male_);

    // Its own link keeps it on offer and saves.
    ClickPair(0);
    ClickYoung(0);
    offered.clear();
    seams::QueueModalHandler([&](Dialog& dialog) {
        seams::QueueModalHandler([&](Dialog& chooser) {
            for (const PigeonRecord& one : static_cast<CWybierzPsaZListy&>(chooser).candidates)
                offered.push_back(one.id);
            return IDCANCEL;
        });
        dialog.RunCommand(CDodajPsaDoPary::kChooseBird);
        dialog.SetItemText(CDodajPsaDoPary::kNotes, u"z pierwszego lęgu");
        dialog.RunCommand(CDodajPsaDoPary::kSave);
        EXPECT_TRUE(dialog.HasEnded());
        return IDCANCEL;
    });
    page_->EditYoung();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), young_), 1);
    EXPECT_EQ(PairsOnDisk()[0].young.at(0).uwagi, u"z pierwszego lęgu");

    // Removed from the first pair, it joins the second with that pair's birds as parents.
    seams::ScriptMessageBoxAnswers({IDYES});
    page_->DeleteYoung();
    const qsizetype messages = MessageTexts().size();
    offered.clear();
    addYoung(1, &offered);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), young_), 1);
    EXPECT_EQ(MessageTexts().size(), messages);
    stored = PairsOnDisk();
    EXPECT_TRUE(stored[0].young.empty());
    ASSERT_EQ(stored[1].young.size(), 1u);
    EXPECT_EQ(stored[1].young[0].id_golebia, young_);
    EXPECT_EQ(BirdOnDisk(young_).id_ojca, cock);
    EXPECT_EQ(BirdOnDisk(young_).id_matki, hen);
}

// ---- photo pairing -------------------------------------------------------------------------------

TEST_F(PairingPageTest, PhotoPairingMakesExactlyOnePairOfTheClickedBirds) {
    // Eye photos in memory are what the window lists; a bird with two is listed twice, and a
    // bird whose sex is not given is in neither list, eye photo or not.
    for (bool eye : {true, false, true}) AddBirdPhoto(male_, eye);
    AddBirdPhoto(female_, true);
    AddBirdPhoto(young_, false);  // no eye photo
    AddBirdPhoto(AddSexedBird(u"900", u"Bez płci", 0), true);
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& window = static_cast<CFotoparowanie&>(dialog);
        const auto ids = [](const std::vector<PigeonRecord>& birds) {
            std::vector<int> ids;
            for (const PigeonRecord& bird : birds) ids.push_back(bird.id);
            return ids;
        };
        EXPECT_EQ(ids(window.males), (std::vector<int>{male_, male_}));
        EXPECT_EQ(ids(window.females), std::vector<int>{female_});
        EXPECT_EQ(window.List(CFotoparowanie::kMaleList)->GetItemCount(), 2);
        EXPECT_EQ(window.List(CFotoparowanie::kFemaleList)->GetItemCount(), 1);
        window.RunCommand(CFotoparowanie::kCreatePair);  // photos shown, nobody chosen
        window.List(CFotoparowanie::kMaleList)->SelectRow(1);
        window.Fire(CFotoparowanie::kMaleList, Notification::Clicked);
        window.RunCommand(CFotoparowanie::kCreatePair);
        window.List(CFotoparowanie::kFemaleList)->SelectRow(0);
        window.Fire(CFotoparowanie::kFemaleList, Notification::Clicked);
        window.DatePicker(CFotoparowanie::kDatePicker)->SetTime(*MakeLocalTime(2, 4, 2026, 9, 15));
        window.RunCommand(CFotoparowanie::kCreatePair);
        window.RunCommand(CFotoparowanie::kCreatePair);  // closed: no second pair
        return IDCANCEL;
    });
    page_->PhotoPairing();
    EXPECT_EQ(MessageTexts(), (QStringList{"Nie wybrano samca do pary", "Nie wybrano samicy do pary"}));
    const auto stored = PairsOnDisk();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].id_samca, male_);
    EXPECT_EQ(stored[0].id_samicy, female_);
    EXPECT_EQ(stored[0].DataParowania, *MakeLocalTime(2, 4, 2026, 9, 15));
    EXPECT_EQ(stored[0].DataWylegu, kNoDate);
    EXPECT_EQ(stored[0].uwagi, u" ");
    EXPECT_EQ(PairDates(), QStringList{"02/04/26, 09:15"});
    EXPECT_EQ(TheDataStore().Pairs().size(), 1u);
}

// ---- the offspring's results ---------------------------------------------------------------------

QString ReadUtf16Page(const QString& path, bool* bom) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    *bom = bytes.startsWith("\xFF\xFE");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

TEST_F(PairingPageTest, LitterCardTakesTheSelectedPairWithItsYoungInOrder) {
    StorePair(3, 3, 12);
    const int later = AddSexedBird(u"301", u"", 1);
    YoungRecord first{.id_golebia = young_}, second{.id_golebia = later};
    for (YoungRecord* young : {&first, &second}) {
        young->id_pary = TheDataStore().Pairs().back().id;
        young->id_hodowli = loft_;
        ASSERT_TRUE(TheDataStore().WriteYoung(WriteMode::Insert, *young));
    }
    page_->FillPairList(-1);
    page_->PrintLitterCard();
    EXPECT_EQ(MessageTexts(), QStringList{"Musisz wybrać parę z listy par"});
    ClickPair(0);
    seams::QueueModalHandler([&](Dialog& window) {
        auto& card = static_cast<CDrukujKarteMiotu&>(window);
        EXPECT_EQ(card.title, u"Karta Parowania");
        EXPECT_EQ(std::make_pair(card.maleId, card.femaleId), std::make_pair(male_, female_));
        EXPECT_EQ(card.youngIds, (std::vector<int>{young_, later}));
        return IDCANCEL;
    });
    page_->PrintLitterCard();
    EXPECT_EQ(seams::ModalRuns().size(), 1u);
}

TEST_F(PairingPageTest, OffspringResultsListEveryLoftsOffspringEscaped) {
    StorePair(3, 3, 12);
    page_->FillPairList(-1);
    page_->ShowPairYoungResults();
    EXPECT_EQ(MessageTexts(), QStringList{"Musisz wybrać parę z listy par"});
    ClickPair(0);

    const QString path = places::OutputPage(QStringLiteral("wyniki.html"));
    QString previewed;
    auto preview = [&](Dialog& window) {
        previewed = QString::fromStdU16String(static_cast<CPodgladHTML&>(window).path);
        return IDCANCEL;
    };
    seams::QueueModalHandler(preview);
    page_->ShowPairYoungResults();
    EXPECT_EQ(previewed, path);
    bool bom = false;
    QString page = ReadUtf16Page(path, &bom);
    EXPECT_TRUE(bom);
    EXPECT_TRUE(page.startsWith("<html><style type=\"text/css\""));
    EXPECT_TRUE(page.contains("font-family: Arial }") && page.contains("tblHeight + rowHeight > 300)"));
    EXPECT_TRUE(page.contains("<h2>PL 0123 24 100\nSamiec &lt;A&amp;B&gt; &nbsp;&nbsp;</h2>"));
    EXPECT_TRUE(page.endsWith("<th>Średnia prędkość</th></tr></thead><tbody></table>"));

    // Offspring of this loft and of another, with and without results.
    const int here = AddSexedBird(u"501", u"Mały & szybki", 1);
    const int there = AddSexedBird(u"502", u"", 2, otherLoft_);
    for (int id : {here, there}) {
        PigeonRecord bird = TheDataStore().FindPigeon(id);
        bird.id_ojca = male_;
        bird.id_matki = female_;
        ASSERT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
    }
    // Two 100 km flights from Opole, each flown in 80 minutes (1250 m/min), placed 3rd and 11th;
    // a load counts them into the bird's statistics.
    for (int position : {3, 11}) {
        FlightRecord flight{.id_hodowli = loft_};
        flight.miejscowosc = u"Opole";
        flight.odleglosckm = 100;
        flight.czasodlotu = *MakeLocalTime(1, 6, 2024, 6);
        ASSERT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
        FlightResultEntry result;
        result.id_lotu = flight.id;
        result.id_hodowli = loft_;
        result.id_golebia = here;
        result.nr_konkursu = position;
        result.DataCzasPrzylotu = flight.czasodlotu + 80 * 60;
        ASSERT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
    }
    ASSERT_TRUE(TheDataStore().LoadPigeonsDb(loft_));
    ASSERT_TRUE(TheDataStore().LoadExtraDb(loft_));
    seams::QueueModalHandler(preview);
    page_->ShowPairYoungResults();
    page = ReadUtf16Page(path, &bom);
    EXPECT_TRUE(page.endsWith(
        "<tbody><tr valign=top>\r\n<td></td><td >PL 0123 24 501 [Mały &amp; szybki]</td>"
        "<td align=center>7</td><td align=center>3<br>Opole</td><td align=center>1250</td>"
        "</tr>\r\n<tr valign=top>\r\n<td></td><td >PL 0123 24 502</td><td align=center>0</td>"
        "<td align=center>100000<br></td><td align=center>0</td></tr>\r\n</table>"));
}

// A pairing year of five digits would be stored and shown as "99"; a ticked laying or hatching
// date that cannot be stored used to be saved as no date. Each is named and nothing is written.
// A pairing moved to another day keeps its time of day where that day has it. On the spring
// change the clock skips 02:00-03:00: the user is asked before the pair takes 03:00, and No
// leaves the pair as it was and the editor open.
TEST_F(PairingPageTest, PairEditorKeepsTheTimeOfDayOrAsksWhereTheClockSkipsIt) {
    const char* question = "Dnia 29.03.2026 zmiana czasu pomija godzinę 02:30.\n"
                           "Zapisać tę datę z godziną 03:00, pierwszą po zmianie?";
    struct Case {
        const char16_t* day;
        int answer;  // 0: nothing asked
        const char* shown;
        bool stillOpen;
    };
    const Case cases[] = {
        {u"29", IDNO, "28/03/26, 02:30", true},
        {u"29", IDYES, "29/03/26, 03:00", false},
        {u"30", 0, "30/03/26, 02:30", false},
    };
    for (const Case& c : cases) {
        StorePair(28, 3, 2, 30);
        page_->FillPairList(-1);
        ClickPair(0);
        bool stillOpen = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            dialog.SetItemText(PairEditor::kDay, c.day);
            if (c.answer != 0) seams::ScriptMessageBoxAnswers({c.answer});
            const std::size_t asked = seams::MessageBoxCalls().size();
            dialog.RunCommand(PairEditor::kSave);
            EXPECT_EQ(seams::MessageBoxCalls().size(), asked + (c.answer != 0 ? 1 : 0)) << c.shown;
            stillOpen = !dialog.HasEnded();
            return IDCANCEL;
        });
        page_->EditPair();
        EXPECT_EQ(stillOpen, c.stillOpen) << c.shown;
        if (c.answer != 0) {
            EXPECT_EQ(MessageTexts().value(MessageTexts().size() - 1), QString::fromUtf8(question));
        }
        EXPECT_EQ(PairDates(), QStringList{c.shown});
        const auto stored = PairsOnDisk();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(FormatTime(stored[0].DataParowania, "%d/%m/%y, %H:%M"), FromUtf8(c.shown));
        PairRecord gone = stored[0];
        ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Delete, gone));
    }
}

// Photo pairing keeps the time of day it opened at out of sight: at 02:30, a pairing typed for
// the day the spring change skips that hour is stored at 03:00 only once the user agrees.
TEST_F(PairingPageTest, PhotoPairingAsksBeforeItsHiddenTimeOfDayMovesPastTheSpringSkip) {
    AddBirdPhoto(male_, true);
    AddBirdPhoto(female_, true);
    for (const int answer : {IDNO, IDYES}) {
        seams::Reset();
        seams::SetCurrentTime(*MakeLocalTime(10, 3, 2024, 2, 30));
        seams::ScriptMessageBoxAnswers({answer});
        bool stillOpen = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            for (int list : {CFotoparowanie::kMaleList, CFotoparowanie::kFemaleList}) {
                dialog.List(list)->SelectRow(0);
                dialog.Fire(list, Notification::Clicked);
            }
            QApplication::setActiveWindow(&dialog);
            auto* field = dialog.DatePicker(CFotoparowanie::kDatePicker)->findChild<QAbstractSpinBox*>();
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(field, "31.03.2024");
            dialog.RunCommand(CFotoparowanie::kCreatePair);
            stillOpen = !dialog.HasEnded();
            return IDCANCEL;
        });
        page_->PhotoPairing();
        EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(
                                      "Dnia 31.03.2024 zmiana czasu pomija godzinę 02:30.\n"
                                      "Zapisać tę datę z godziną 03:00, pierwszą po zmianie?")});
        EXPECT_EQ(stillOpen, answer == IDNO);
        const auto stored = PairsOnDisk();
        ASSERT_EQ(stored.size(), answer == IDNO ? 0u : 1u);
        if (answer == IDYES) EXPECT_EQ(stored[0].DataParowania, *MakeLocalTime(31, 3, 2024, 3, 0));
    }
}

TEST_F(PairingPageTest, PairEditorRefusesDatesItCannotStoreByName) {
    struct Case {
        const char16_t* day;
        const char16_t* month;
        const char16_t* year;
        int pickerId;  // 0: none ticked with a bad date
        const char* message;
    };
    const Case refused[] = {
        {u"1", u"12", u"99999", 0, "Nieprawidłowa data parowania."},
        {u"1", u"12", u"", 0, "Nieprawidłowa data parowania."},
        // A century year that is no leap year.
        {u"29", u"2", u"2100", 0, "Nieprawidłowa data parowania."},
        {u"1", u"12", u"2026", PairEditor::kLayingDate, "Nieprawidłowa data złożenia jaj."},
        {u"1", u"12", u"2026", PairEditor::kHatchingDate, "Nieprawidłowa data wyklucia."},
    };
    for (const Case& c : refused) {
        bool stillOpen = false;
        seams::QueueModalHandler([&](Dialog& dialog) {
            auto& editor = static_cast<PairEditor&>(dialog);
            ChooseNext(male_);
            editor.RunCommand(PairEditor::kChooseMale);
            ChooseNext(female_);
            editor.RunCommand(PairEditor::kChooseFemale);
            editor.SetItemText(PairEditor::kDay, c.day);
            editor.SetItemText(PairEditor::kMonth, c.month);
            editor.SetItemText(PairEditor::kYear, c.year);
            if (c.pickerId != 0) editor.DatePicker(c.pickerId)->SetLocal({1, 12, 99999, 12, 0, 0});
            editor.RunCommand(PairEditor::kSave);
            stillOpen = !editor.HasEnded();
            return IDCANCEL;
        });
        page_->AddPair();
        EXPECT_TRUE(stillOpen) << c.message;
        ASSERT_FALSE(MessageTexts().isEmpty());
        EXPECT_EQ(MessageTexts().last(), QString::fromUtf8(c.message));
    }
    EXPECT_TRUE(PairsOnDisk().empty());
    EXPECT_EQ(page_->PairList()->GetItemCount(), 0);
}

}  // namespace
