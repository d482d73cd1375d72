// The preview panel under the bird list: the summary and its stored short description, the
// pedigree slots, partners and their young, siblings of the brood and of the same parents, and
// how the bird list page shows one tab at a time and hands each the selected bird.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>

#include "BufferedDC.h"
#include "ColumnLayout.h"
#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DodajGolebia.h"
#include "DrukujKarteMiotu.h"
#include "EksportListyDoHTML.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "PanelPodgladuTab1.h"
#include "PanelPodgladuTab2.h"
#include "PanelPodgladuTab3.h"
#include "PanelPodgladuTab4.h"
#include "PanelPodgladuTab5.h"
#include "PictureBox.h"
#include "PredkoscGolebia.h"
#include "PrzeniesPsa.h"
#include "TransparentStatic.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "UstawOpis.h"
#include "ZakladkaListaPsow.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

Text StoredDescription(int pigeonId) {
    SqlDatabase db(PigeonsDbPath());
    SqlStatement st = db.Prepare(u"SELECT krotkiopis FROM pigeons WHERE id = " + NumberText(pigeonId));
    return st.NextRow() ? st.String(0) : Text(u"<no row>");
}

class PreviewPanelTest : public MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        TheDataStore().LoadPigeonsDb(-1);
    }

    // A bird with its parents and sex, in no category.
    static int AddBird(const Text& ring, const Text& name = u"", int father = 0, int mother = 0,
                       int sex = 0, int loft = 0) {
        PigeonRecord bird;
        bird.id_hodowli = loft;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = ring;
        bird.nazwa = name;
        bird.id_ojca = father;
        bird.id_matki = mother;
        bird.plec = sex;
        EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
        return bird.id;
    }

    // A pair of a loft with its young, in the order given.
    static int AddPair(int loft, int male, int female, Time64 paired, std::vector<int> young) {
        PairRecord pair{.id_hodowli = loft, .id_samca = male, .id_samicy = female,
                        .DataParowania = paired};
        EXPECT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
        for (int bird : young) {
            YoungRecord row{.id_golebia = bird, .id_pary = pair.id, .id_hodowli = loft};
            EXPECT_TRUE(TheDataStore().WriteYoung(WriteMode::Insert, row));
        }
        return pair.id;
    }

    // One 100 km flight of the loft per result of the bird, each flown in the given seconds;
    // a load counts them into the bird's statistics.
    static void AddResults(int loft, int bird, const std::vector<int>& seconds) {
        for (int flown : seconds) {
            FlightRecord flight;
            flight.id_hodowli = loft;
            flight.miejscowosc = u"Opole";
            flight.odleglosckm = 100;
            flight.czasodlotu = *MakeLocalTime(1, 6, 2024, 6);
            EXPECT_TRUE(TheDataStore().WriteFlight(WriteMode::Insert, flight));
            FlightResultEntry result;
            result.id_lotu = flight.id;
            result.id_hodowli = loft;
            result.id_golebia = bird;
            result.nr_konkursu = 1;
            result.DataCzasPrzylotu = flight.czasodlotu + flown;
            EXPECT_TRUE(TheDataStore().WriteFlightResult(WriteMode::Insert, result));
        }
    }

    static void LoadLoft(int loft) {
        TheDataStore().LoadPigeonsDb(loft);
        TheDataStore().LoadExtraDb(loft);
    }

    template <class Tab>
    static std::unique_ptr<Tab> MakeTab(int width = 900, int height = 430) {
        auto tab = std::make_unique<Tab>();
        tab->Create(nullptr);
        tab->resize(width, height);
        tab->show();
        return tab;
    }

    Text AddPhoto(int pigeonId, int width, int height) {
        const QString source = folder_.filePath(QStringLiteral("in-%1-%2.png").arg(pigeonId).arg(width));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(image.save(source));
        PhotoRecord photo{.id_golebia = pigeonId, .path = source.toStdU16String(),
                          .rozszerzenie = u"png"};
        EXPECT_TRUE(TheDataStore().AddPhoto(photo));
        return JoinPath(ImagesFolder(), photo.FileName());
    }
};

// ---- tab 1 ----------------------------------------------------------------------------------------

TEST_F(PreviewPanelTest, SummaryNamesTheBirdItsParentsAndItsResults) {
    const int loft = AddLoft(u"Gołębnik");
    const int father = AddBird(u"1", u"Ojciec", 0, 0, 1);
    const int bird = AddBird(u"3", u"Ala", father, 0, 2);
    const int plain = AddBird(u"4");
    AddResults(loft, bird, {4000, 4800, 5000});  // 1500, 1250 and 1200 m/min
    LoadLoft(loft);
    auto tab = MakeTab<CPanelPodgladuTab1>(939, 134);

    tab->ShowPigeon(-1);
    EXPECT_EQ(tab->GetDlgItemText(1121), "Nie wybrano gołębia");
    EXPECT_EQ(tab->GetDlgItemText(1122), "Brak informacji o ojcu ");
    EXPECT_EQ(tab->GetDlgItemText(1123), "Brak informacji o matce");   // no trailing blank here
    EXPECT_EQ(tab->GetDlgItemText(1174), "Opis gołębia jest dostępny \n po jego wybraniu z listy...");

    tab->ShowPigeon(bird);
    EXPECT_EQ(tab->GetDlgItemText(1121), "PL 0123 24 3 [Ala]");
    EXPECT_EQ(tab->GetDlgItemText(1122), "PL 0123 24 1 [Ojciec]");
    EXPECT_EQ(tab->GetDlgItemText(1123), "Brak informacji o matce ");  // a missing mother: with it
    EXPECT_EQ(tab->GetDlgItemText(1186), "3");
    EXPECT_EQ(tab->GetDlgItemText(1184), "1316");   // 3950 / 3, whole metres per minute

    tab->ShowPigeon(plain);
    EXPECT_EQ(tab->GetDlgItemText(1186), "0");
    EXPECT_EQ(tab->GetDlgItemText(1184), "0");

}

TEST_F(PreviewPanelTest, ShortDescriptionIsStoredAsTypedAndShownOnlyOnceStored) {
    const int loft = AddLoft(u"Gołębnik");
    const int bird = AddBird(u"7");
    LoadLoft(loft);
    auto tab = MakeTab<CPanelPodgladuTab1>(939, 134);
    const Text typed = u"Szybki; 'as' \"nr 1\" -- DROP TABLE pigeons;";
    auto type = [](const Text& text) {
        return [text](Dialog& window) {
            window.SetItemText(CUstawOpis::kDescriptionEdit, text);
            window.Fire(IDOK, Notification::Clicked);
            return IDOK;
        };
    };

    // No bird shown: the editor does not open.
    tab->ShowPigeon(-1);
    tab->Fire(CPanelPodgladuTab1::kEditDescriptionButton, Notification::Clicked);
    EXPECT_TRUE(seams::ModalRuns().empty());

    tab->ShowPigeon(bird);
    seams::QueueModalHandler(type(typed));
    tab->Fire(CPanelPodgladuTab1::kEditDescriptionButton, Notification::Clicked);
    EXPECT_EQ(StoredDescription(bird), typed);
    EXPECT_EQ(TheDataStore().Pigeons().at(bird).krotkiopis, typed);
    EXPECT_EQ(tab->ItemText(1174), typed);

    // The editor starts with the stored text; cancelling changes nothing.
    seams::QueueModalHandler([&](Dialog& window) {
        EXPECT_EQ(window.ItemText(CUstawOpis::kDescriptionEdit), typed);
        return IDCANCEL;
    });
    tab->Fire(CPanelPodgladuTab1::kEditDescriptionButton, Notification::Clicked);
    EXPECT_EQ(StoredDescription(bird), typed);

    // A file that refuses the change: the old text stays everywhere and the user is told.
    const QString db = QString::fromStdU16String(PigeonsDbPath());
    ASSERT_TRUE(QFile::rename(db, db + ".away"));
    ASSERT_TRUE(QDir().mkpath(db));
    seams::QueueModalHandler(type(u"Inny opis"));
    tab->Fire(CPanelPodgladuTab1::kEditDescriptionButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts(), QStringList{"Nie udało się zapisać opisu gołębia."});
    EXPECT_EQ(TheDataStore().Pigeons().at(bird).krotkiopis, typed);
    EXPECT_EQ(tab->ItemText(1174), typed);
    ASSERT_TRUE(QDir(db).removeRecursively());
    ASSERT_TRUE(QFile::rename(db + ".away", db));
    EXPECT_EQ(StoredDescription(bird), typed);
}

// A wide tab keeps the figures at its right edge and gives the room to the bird's and parents'
// lines; what still does not fit ends in "…" with the whole text as the tooltip. The speed box
// moves with its figure.
TEST_F(PreviewPanelTest, AWideSummaryGivesItsRoomToTheLinesAndCutsWhatStillDoesNotFit) {
    const int loft = AddLoft(u"Gołębnik");
    const int father = AddBird(u"PL-012343", u"Żółtodzioby Książę Ćmielowskich z Wrocławia", 0, 0, 1);
    const int bird = AddBird(u"PL-0123456789", u"Żółtodzioby Błyskawica Wielkopolskich Przestworzy",
                             father);
    AddResults(loft, bird, {4000});
    LoadLoft(loft);
    auto tab = MakeTab<CPanelPodgladuTab1>(939, 134);
    tab->ShowPigeon(bird);
    auto* line = tab->ItemAs<CTransparentStatic>(CPanelPodgladuTab1::kBirdLabel);
    const QString whole = line->text();
    const QRect speedAtTemplate = tab->Item(CPanelPodgladuTab1::kSpeedLabel)->geometry();
    EXPECT_TRUE(line->ShownText().endsWith(QChar(0x2026))) << line->ShownText().toStdString();

    tab->resize(1305, 134);
    EXPECT_EQ(tab->Item(CPanelPodgladuTab1::kSpeedLabel)->geometry(), speedAtTemplate.translated(366, 0));
    for (int id : {CPanelPodgladuTab1::kBirdLabel, CPanelPodgladuTab1::kFatherLabel,
                   CPanelPodgladuTab1::kMotherLabel}) {
        auto* label = tab->ItemAs<CTransparentStatic>(id);
        EXPECT_GT(label->width(), 900);
        EXPECT_LT(label->geometry().right(), tab->Item(CPanelPodgladuTab1::kFlightCountLabel)->x());
        EXPECT_EQ(label->ShownText(), label->text()) << id;
    }
    EXPECT_EQ(line->ShownText(), whole);

    ChangeBird(bird, [](PigeonRecord& b) { b.nazwa += u", wnuk Błyskawicy Śląskiej z Gór Sowich"; });
    tab->ShowPigeon(bird);
    line->grab();   // paints, which sets the tooltip
    EXPECT_TRUE(line->ShownText().endsWith(QChar(0x2026)));
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->ShownText()), line->contentsRect().width());
    EXPECT_EQ(line->toolTip(), line->text());

    // A click on the figure's new place opens the speed; its old place is only background now.
    QTest::mouseClick(tab.get(), Qt::LeftButton, {}, QPoint(780, 100));
    EXPECT_TRUE(seams::ModalRuns().empty());
    seams::QueueModalHandler([](Dialog&) { return IDOK; });
    QTest::mouseClick(tab.get(), Qt::LeftButton, {}, tab->SpeedBox().ToQRect().center());
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CPredkoscGolebia::kTemplateId);
    EXPECT_TRUE(tab->SpeedBox().ToQRect().intersects(tab->Item(CPanelPodgladuTab1::kSpeedLabel)->geometry()));
}

// ---- tab 2 ----------------------------------------------------------------------------------------

TEST_F(PreviewPanelTest, PedigreeFillsMotherBeforeFatherAndLeavesMissingParentsEmpty) {
    const int loft = AddLoft(u"Gołębnik");
    const int mothersMother = AddBird(u"10", u"Babcia", 0, 0, 2);
    const int mother = AddBird(u"11", u"Mama", 0, mothersMother, 2);
    const int father = AddBird(u"12", u"", 0, 0, 1);
    const int bird = AddBird(u"13", u"Młody", father, mother);
    AddPhoto(mother, 30, 20);
    AddPhoto(mother, 60, 40);
    LoadLoft(loft);  // the colour map holds 0 -> " " after a load
    auto tab = MakeTab<CPanelPodgladuTab2>(1100, 430);

    tab->ShowPigeon(bird);
    std::vector<int> slotIds;
    for (const PigeonRecord& slot : tab->PedigreeSlots()) slotIds.push_back(slot.id);
    EXPECT_EQ(slotIds, (std::vector<int>{bird, mother, father, mothersMother, 0, 0, 0}));
    EXPECT_EQ(tab->GetDlgItemText(1148), "PL 0123 24 13\nMłody ");
    EXPECT_EQ(tab->GetDlgItemText(1100), "PL 0123 24 11\nMama ");
    EXPECT_EQ(tab->GetDlgItemText(1101), "PL 0123 24 12");
    EXPECT_EQ(tab->GetDlgItemText(1102), "PL 0123 24 10\nBabcia ");
    EXPECT_EQ(tab->GetDlgItemText(1103), "   ");   // the mother's father: an empty record
    EXPECT_EQ(tab->GetDlgItemText(1105), "   ");
    EXPECT_EQ(tab->SelectedPigeonId(), bird);

    // The mother's button shows her two photographs; the panel is there on a wide tab.
    tab->Fire(1100, Notification::Clicked);
    EXPECT_EQ(tab->SelectedPigeonId(), mother);
    EXPECT_EQ(tab->ItemAs<CPictureBox>(1125)->Image()->size(), QSize(30, 20));
    EXPECT_EQ(tab->ItemAs<CPictureBox>(1126)->Image()->size(), QSize(60, 40));
    EXPECT_EQ(tab->GetDlgItemText(1252), "PL 0123 24 11\nMama ");
    EXPECT_TRUE(tab->Item(1125)->isVisible());
    seams::QueueModalHandler([&](Dialog& window) {
        EXPECT_EQ(static_cast<CDodajGolebia&>(window).record.id, mother);
        EXPECT_EQ(static_cast<CDodajGolebia&>(window).mode, EditorMode::Edit);
        return IDCANCEL;
    });
    tab->Fire(CPanelPodgladuTab2::kEditButton, Notification::Clicked);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CDodajGolebia::kTemplateId);

    // An empty slot: default photos, and nothing to edit.
    tab->Fire(1105, Notification::Clicked);
    EXPECT_EQ(tab->SelectedPigeonId(), 0);
    EXPECT_EQ(tab->ItemAs<CPictureBox>(1125)->Image()->size(), QSize(214, 148));
    tab->Fire(CPanelPodgladuTab2::kEditButton, Notification::Clicked);
    EXPECT_EQ(seams::ModalRuns().size(), 1u);

    // No bird: the pedigree stays, but there is no bird to edit.
    tab->ShowPigeon(-1);
    EXPECT_EQ(tab->PedigreeSlots()[0].id, bird);
    EXPECT_EQ(tab->GetDlgItemText(1148), "PL 0123 24 13\nMłody ");
    tab->Fire(CPanelPodgladuTab2::kEditButton, Notification::Clicked);
    EXPECT_EQ(seams::ModalRuns().size(), 1u);

    // A narrow tab has no room for the photo panel.
    tab->resize(900, 430);
    EXPECT_FALSE(tab->Item(1125)->isVisible());
    EXPECT_FALSE(tab->Item(1127)->isVisible());
    EXPECT_TRUE(tab->Item(1148)->isVisible());
}

// Long rings and names in the pedigree: each button holds its ring and name on their own lines,
// the ring cut in its middle so that the grandparents' rings still differ, and the photo
// panel's ring, name and colour take the width of the tab and end in "…" beyond it.
TEST_F(PreviewPanelTest, LongRingsAndNamesKeepToTheirLinesOnTheButtonsAndInThePanel) {
    const int loft = AddLoft(u"Gołębnik");
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(
        0, u"niebieski nakrapiany z białymi lotkami, ciemnym ogonem i szarym pasem na skrzydłach"));
    const int colour = NewestId(store.ColourNames());
    const int gm = AddBird(u"PL-010001", u"Żywiołowa Królowa Śląskich Przestworzy", 0, 0, 2);
    const int gf = AddBird(u"PL-010002", u"Ćmielowski Książę Błękitnych Przestworzy", 0, 0, 1);
    const int mother = AddBird(u"PL-010003", u"Świetlista Gwiazda", gf, gm, 2);
    const int father = AddBird(u"PL-010004", u"Żółtodzioby Wędrowiec", gf, gm, 1);
    const int bird = AddBird(u"PL-0123456789", u"Żółtodzioby Błyskawica Wielkopolskich Przestworzy",
                             father, mother);
    ChangeBird(bird, [&](PigeonRecord& b) { b.id_koloru = colour; });
    LoadLoft(loft);
    auto tab = MakeTab<CPanelPodgladuTab2>(1305, 430);
    tab->ShowPigeon(bird);

    QStringList grandparentRings;
    for (int slot = 0; slot < CPanelPodgladuTab2::kSlotCount; ++slot) {
        const int id = CPanelPodgladuTab2::kSlotButtons[slot];
        auto* button = tab->Button(id);
        const QFontMetrics metrics(StockFont(DEFAULT_GUI_FONT).value_or(button->font()));
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), 2) << id;
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), button->width()) << line.toStdString();
        if (button->text().contains(QChar(0x2026))) {
            EXPECT_FALSE(button->toolTip().isEmpty()) << id;
        }
        if (slot >= CPanelPodgladuTab2::kMothersMother) grandparentRings << lines[0];
    }
    EXPECT_EQ(grandparentRings.size(), 4);
    EXPECT_EQ(grandparentRings.removeDuplicates(), 2);   // two grandmothers, two grandfathers alike
    EXPECT_TRUE(grandparentRings[0].endsWith(QStringLiteral("010001"))) << grandparentRings[0].toStdString();
    EXPECT_TRUE(grandparentRings[1].endsWith(QStringLiteral("010002"))) << grandparentRings[1].toStdString();

    auto* ring = tab->ItemAs<CTransparentStatic>(CPanelPodgladuTab2::kRingLabel);
    auto* colourLine = tab->ItemAs<CTransparentStatic>(CPanelPodgladuTab2::kColourLabel);
    for (CTransparentStatic* label : {ring, colourLine}) {
        EXPECT_GT(label->width(), 600);
        EXPECT_LE(label->geometry().right(), tab->width() - 10);
        EXPECT_EQ(label->ShownText(), label->text());
    }
    EXPECT_EQ(ring->ShownText(), QStringLiteral("PL 0123 24 PL-0123456789\n"
                                                "Żółtodzioby Błyskawica Wielkopolskich Przestworzy "));
    const QRect twoLines = ring->fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), 0, ring->ShownText());
    EXPECT_LE(twoLines.height(), ring->contentsRect().height() + 1);

    // Just wide enough for the panel: each line cut on its own.
    tab->resize(1010, 430);
    ASSERT_TRUE(ring->isVisible());
    const QStringList lines = ring->ShownText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("PL 0123 24 PL-0123456789")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Żółtodzioby")));
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    EXPECT_TRUE(colourLine->ShownText().endsWith(QChar(0x2026)));
    for (CTransparentStatic* label : {ring, colourLine}) {
        label->grab();
        EXPECT_EQ(label->toolTip(), label->text());
        for (const QString& shown : label->ShownText().split(QLatin1Char('\n')))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
    }
}

// ---- tab 3 ----------------------------------------------------------------------------------------

TEST_F(PreviewPanelTest, PartnersOfTheLoadedLoftWithTheirYoung) {
    const int loft = AddLoft(u"Gołębnik");
    const int other = AddLoft(u"Drugi");
    const int male = AddBird(u"1", u"Samiec", 0, 0, 1);
    const int first = AddBird(u"2", u"Ala", 0, 0, 2);
    const int second = AddBird(u"3", u"", 0, 0, 2);
    const int elsewhere = AddBird(u"4", u"", 0, 0, 2);
    const int y1 = AddBird(u"21", u"", male, first, 2);
    const int y2 = AddBird(u"22", u"", male, first, 1);
    const int y3 = AddBird(u"23", u"Trzeci", male, second);
    AddPair(loft, male, first, *MakeLocalTime(1, 3, 2023), {y1, y2});
    AddPair(loft, male, second, kNoDate, {y3});
    AddPair(other, male, elsewhere, *MakeLocalTime(1, 3, 2022), {});
    AddResults(loft, y3, {3600, 3600, 3600, 3600});
    LoadLoft(loft);
    ASSERT_TRUE(TheDataStore().WritePigeonShortDescription(y3, u"Dobry lotnik"));
    auto tab = MakeTab<CPanelPodgladuTab3>();

    tab->ShowPigeon(male);
    ListBoxControl* partners = tab->ListBox(CPanelPodgladuTab3::kPartnerList);
    ASSERT_EQ(partners->GetCount(), 2);   // the other loft's pair is not listed
    EXPECT_EQ(partners->GetText(0), "[2023] PL 0123 24 2 [Ala]");
    EXPECT_EQ(partners->GetText(1), "[] PL 0123 24 3");
    EXPECT_EQ(tab->GetDlgItemText(1186), "2");   // partners
    EXPECT_EQ(tab->GetDlgItemText(1185), "3");   // young of both pairs

    // The female sees the male as her partner.
    tab->ShowPigeon(second);
    ASSERT_EQ(partners->GetCount(), 1);
    EXPECT_EQ(partners->GetText(0), "[] PL 0123 24 1 [Samiec]");
    EXPECT_EQ(tab->GetDlgItemText(1185), "1");

    tab->ShowPigeon(male);
    EXPECT_EQ(MessageTexts(), QStringList{});
    tab->Fire(CPanelPodgladuTab3::kPrintButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts(), QStringList{"Wybierz partnera z listy"});

    ListView* young = tab->List(CPanelPodgladuTab3::kOffspringList);
    partners->SetCurSel(1);
    tab->Fire(CPanelPodgladuTab3::kPartnerList, Notification::SelChange);
    EXPECT_EQ(ListColumn(young, 1), QStringList{"PL 0123 24 23 [Trzeci]"});
    EXPECT_EQ(young->GetItemText(0, 2), "");
    EXPECT_EQ(young->GetItemText(0, 3), "4");
    EXPECT_EQ(young->GetItemText(0, 4), "Dobry lotnik");

    partners->SetCurSel(0);
    tab->Fire(CPanelPodgladuTab3::kPartnerList, Notification::SelChange);
    EXPECT_EQ(ListColumn(young, 1), (QStringList{"PL 0123 24 21", "PL 0123 24 22"}));
    EXPECT_EQ(ListColumn(young, 2), (QStringList{"Samica", "Samiec"}));
    // The chosen pair's young print as a litter list, cock first, young in their order.
    seams::QueueModalHandler([&](Dialog& window) {
        auto& card = static_cast<CDrukujKarteMiotu&>(window);
        EXPECT_EQ(card.title, u"Wydruk listy potomków");
        EXPECT_EQ(std::make_pair(card.maleId, card.femaleId), std::make_pair(male, first));
        EXPECT_EQ(card.youngIds, (std::vector<int>{y1, y2}));
        return IDCANCEL;
    });
    tab->Fire(CPanelPodgladuTab3::kPrintButton, Notification::Clicked);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    seams::Reset();
    young->SelectRow(1);
    tab->Fire(CPanelPodgladuTab3::kOffspringList, Notification::Clicked);
    EXPECT_EQ(tab->SelectedOffspring(), 1);

    // Another partner forgets the chosen young bird.
    partners->SetCurSel(1);
    tab->Fire(CPanelPodgladuTab3::kPartnerList, Notification::SelChange);
    EXPECT_EQ(tab->SelectedOffspring(), -1);
    tab->Fire(CPanelPodgladuTab3::kFamilyTreeButton, Notification::Clicked);
    tab->Fire(CPanelPodgladuTab3::kEditButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts().last(), "Musisz wybrać gołębia z listy potomków");
    EXPECT_TRUE(seams::ModalRuns().empty());

    // No bird: empty lists and counts.
    tab->ShowPigeon(-1);
    EXPECT_EQ(partners->GetCount(), 0);
    EXPECT_EQ(young->GetItemCount(), 0);
    EXPECT_EQ(tab->GetDlgItemText(1186), "0");
    EXPECT_EQ(tab->GetDlgItemText(1185), "0");
}

// ---- tab 4 ----------------------------------------------------------------------------------------

TEST_F(PreviewPanelTest, SiblingsOfTheBroodOrOfEveryPairOfTheSameParentsInAnyLoft) {
    const int loft = AddLoft(u"Gołębnik");
    const int other = AddLoft(u"Drugi");
    const int father = AddBird(u"1", u"", 0, 0, 1);
    const int mother = AddBird(u"2", u"", 0, 0, 2);
    const int stranger = AddBird(u"3", u"", 0, 0, 2);
    const int bird = AddBird(u"10", u"", father, mother);
    const int s1 = AddBird(u"11", u"", father, mother);
    const int s2 = AddBird(u"12", u"", father, mother);
    const int s3 = AddBird(u"13", u"", father, mother);
    const int s4 = AddBird(u"14", u"", father, mother);
    const int half = AddBird(u"15", u"", father, stranger);
    const int orphan = AddBird(u"16", u"", father, 0);
    AddPair(loft, father, mother, kNoDate, {s1, bird, s2, s3});
    AddPair(other, father, mother, kNoDate, {s4});
    AddPair(loft, father, stranger, kNoDate, {half, orphan});
    LoadLoft(loft);
    auto tab = MakeTab<CPanelPodgladuTab4>();
    ListView* list = tab->List(CPanelPodgladuTab4::kSiblingList);
    ComboBox* source = tab->Combo(CPanelPodgladuTab4::kSourceCombo);

    tab->ShowPigeon(bird);
    EXPECT_EQ(source->GetCurSel(), 0);
    EXPECT_EQ(tab->SiblingIds(), (std::vector<int>{s1, s2, s3}));
    EXPECT_EQ(ListColumn(list, 1), (QStringList{"PL 0123 24 11", "PL 0123 24 12", "PL 0123 24 13"}));
    EXPECT_EQ(tab->SiblingPrintIds(), (std::vector<int>{s1, bird, s2, s3}));

    source->SetCurSel(1);
    tab->Fire(CPanelPodgladuTab4::kSourceCombo, Notification::SelChange);
    EXPECT_EQ(tab->SiblingIds(), (std::vector<int>{s1, s2, s3, s4}));
    EXPECT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(tab->SiblingPrintIds(), (std::vector<int>{s1, bird, s2, s3, s4}));
    // The sibling list prints with the bird itself among them, under the bird's title.
    seams::QueueModalHandler([&](Dialog& window) {
        auto& list = static_cast<CEksportListyDoHTML&>(window);
        EXPECT_EQ(list.title, u"Wydruk rodzeństwa");
        EXPECT_EQ(list.birdIds, (std::vector<int>{s1, bird, s2, s3, s4}));
        EXPECT_EQ(list.siblingBird.id, bird);
        return IDCANCEL;
    });
    tab->Fire(CPanelPodgladuTab4::kPrintButton, Notification::Clicked);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    seams::Reset();

    // Row k is sibling k: editing the chosen row opens that bird.
    list->SelectRow(3);
    tab->Fire(CPanelPodgladuTab4::kSiblingList, Notification::Clicked);
    seams::QueueModalHandler([&](Dialog& window) {
        EXPECT_EQ(static_cast<CDodajGolebia&>(window).record.id, s4);
        return IDCANCEL;
    });
    tab->Fire(CPanelPodgladuTab4::kEditButton, Notification::Clicked);
    EXPECT_EQ(seams::ModalRuns().size(), 1u);

    // Showing a bird again starts with the brood and no row chosen.
    tab->ShowPigeon(s4);
    EXPECT_EQ(source->GetCurSel(), 0);
    EXPECT_TRUE(tab->SiblingIds().empty());   // its own brood has nobody else
    EXPECT_EQ(tab->SelectedRow(), -1);
    tab->Fire(CPanelPodgladuTab4::kFamilyTreeButton, Notification::Clicked);
    tab->Fire(CPanelPodgladuTab4::kEditButton, Notification::Clicked);
    EXPECT_EQ(MessageTexts(), QStringList{"Musisz wybrać gołębia z listy rodzeństwa."});
    EXPECT_EQ(seams::ModalRuns().size(), 1u);

    // Without a mother there are no siblings to look for in either list, nor to print.
    tab->ShowPigeon(orphan);
    EXPECT_TRUE(tab->SiblingIds().empty());
    source->SetCurSel(1);
    tab->Fire(CPanelPodgladuTab4::kSourceCombo, Notification::SelChange);
    EXPECT_TRUE(tab->SiblingIds().empty());
    EXPECT_TRUE(tab->SiblingPrintIds().empty());
}

// ---- on the bird list page --------------------------------------------------------------------------

TEST_F(PreviewPanelTest, ThePageShowsOneTabAtATimeAndHandsEachTheSelectedBird) {
    const int loft = AddLoft(u"Gołębnik");
    CategoryRecord category{.id_hodowli = loft, .nazwakategorii = u"Lotne"};
    ASSERT_TRUE(TheDataStore().WriteCategory(WriteMode::Insert, category));
    const int bird = AddBird(u"5", u"Ala");
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(category.id, bird));
    {
        ColumnLayoutFile layout;
        layout.codes = {ListColumnRing};
        layout.widths[ListColumnRing] = 80;
        ASSERT_TRUE(layout.Write(ListLayoutPath()));
    }
    Open(1400, 900);
    QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(300, dialog_->ClientTop() + 80));
    CZakladkaListaPsow& page = *dialog_->BirdListPage();
    const int w = page.width();
    const int h = page.height();

    ASSERT_NE(page.previewTab1, nullptr);
    EXPECT_TRUE(page.previewTab1->isVisible());
    EXPECT_EQ(page.previewTab1->geometry(), QRect(240, h - 162, w - 45 - 240, 134));
    for (int tab = 2; tab <= 5; ++tab) EXPECT_FALSE(page.PreviewTab(tab)->isVisible());
    EXPECT_EQ(page.previewTab1->GetDlgItemText(1121), "Nie wybrano gołębia");

    ListView* list = page.PigeonList();
    ASSERT_EQ(list->GetItemCount(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0, 1)).center());
    EXPECT_EQ(page.previewTab1->GetDlgItemText(1121), "PL 0123 24 5 [Ala]");
    EXPECT_EQ(page.previewTab2->PedigreeSlots()[0].id, bird);
    EXPECT_EQ(page.previewTab4->OwnPair().id, 0);
    EXPECT_EQ(page.previewTab5->ShownPigeonId(), bird);

    // "Wyniki lotów" on the strip: tab 5 alone, in the tall place under the short list.
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(900, h - 10));
    EXPECT_TRUE(page.previewTab5->isVisible());
    EXPECT_EQ(page.previewTab5->geometry(), QRect(240, h - 458, w - 45 - 240, 430));
    for (int tab = 1; tab <= 4; ++tab) EXPECT_FALSE(page.PreviewTab(tab)->isVisible());
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(600, h - 10));
    EXPECT_TRUE(page.previewTab3->isVisible());
    EXPECT_FALSE(page.previewTab5->isVisible());
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(300, h - 10));
    EXPECT_TRUE(page.previewTab1->isVisible());
    EXPECT_FALSE(page.previewTab3->isVisible());

    // A click below the rows empties tab 1; the other tabs keep the bird.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 5));
    EXPECT_EQ(page.previewTab1->GetDlgItemText(1121), "Nie wybrano gołębia");
    EXPECT_EQ(page.previewTab5->ShownPigeonId(), bird);
}

// A list filled again (another loft chosen, the bird moved to another category) holds no chosen
// bird, so no tab may go on showing the bird found before, nor "Edycja ptaka" open it.
TEST_F(PreviewPanelTest, AListFilledAgainLeavesNoTabShowingTheBirdFoundBefore) {
    const int north = AddLoft(u"Północ");
    CategoryRecord young{.id_hodowli = north, .nazwakategorii = u"Młode"};
    CategoryRecord old{.id_hodowli = north, .nazwakategorii = u"Stare"};
    ASSERT_TRUE(TheDataStore().WriteCategory(WriteMode::Insert, young));
    ASSERT_TRUE(TheDataStore().WriteCategory(WriteMode::Insert, old));
    const int south = AddLoft(u"Południe");
    CategoryRecord all{.id_hodowli = south, .nazwakategorii = u"Wszystkie"};
    ASSERT_TRUE(TheDataStore().WriteCategory(WriteMode::Insert, all));
    const int father = AddBird(u"70", u"Ojciec", 0, 0, 1, north);
    const int mother = AddBird(u"71", u"Matka", 0, 0, 2, north);
    const int bird = AddBird(u"77", u"Młody", father, mother, 1, north);
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(young.id, bird));
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(all.id, AddBird(u"90", u"", 0, 0, 0, south)));
    TheDataStore().LoadLofts();
    Open(1400, 900);
    QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(300, dialog_->ClientTop() + 80));
    CZakladkaListaPsow& page = *dialog_->BirdListPage();

    const auto findBird = [&] {
        page.SetItemText(CZakladkaListaPsow::kRingEdit, u"77");
        page.RunCommand(CZakladkaListaPsow::kFindButton);
        ASSERT_EQ(page.SelectedPigeonId(), bird);
        ASSERT_EQ(page.previewTab2->PedigreeSlots()[CPanelPodgladuTab2::kFather].id, father);
        ASSERT_EQ(page.previewTab2->SelectedPigeonId(), bird);
    };
    const auto expectNoBird = [&] {
        EXPECT_EQ(page.PigeonList()->FirstSelectedRow(), -1);
        for (int tab = 1; tab <= CZakladkaListaPsow::kPreviewTabCount; ++tab)
            EXPECT_EQ(page.PreviewPigeonId(tab), -1) << tab;
        EXPECT_EQ(page.previewTab1->GetDlgItemText(1121), "Nie wybrano gołębia");
        for (const PigeonRecord& slot : page.previewTab2->PedigreeSlots()) EXPECT_EQ(slot.id, 0);
        EXPECT_EQ(page.previewTab2->GetDlgItemText(1148), "   ");
        EXPECT_EQ(page.previewTab5->ShownPigeonId(), -1);
        const size_t runs = seams::ModalRuns().size();
        page.previewTab2->Fire(CPanelPodgladuTab2::kEditButton, Notification::Clicked);
        EXPECT_EQ(seams::ModalRuns().size(), runs);
    };

    findBird();
    dialog_->LoftCombo()->SetCurSel(1);
    dialog_->Fire(CMainDialog::kLoftCombo, Notification::SelChange);
    {
        SCOPED_TRACE("another loft");
        expectNoBird();
    }

    findBird();
    seams::QueueModalHandler([](Dialog& window) {
        window.Combo(CPrzeniesPsa::kTargetCombo)->SetCurSel(1);  // "Północ :: Stare"
        window.Fire(CPrzeniesPsa::kTargetCombo, Notification::SelChange);
        window.RunCommand(IDOK);
        return window.EndCode();
    });
    page.MovePigeon();
    ASSERT_EQ(TheDataStore().LoadCategoryMembers(old.id).size(), 1u);
    {
        SCOPED_TRACE("moved to another category");
        expectNoBird();
    }
}

}  // namespace
