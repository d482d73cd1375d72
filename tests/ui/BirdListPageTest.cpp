// The bird list page: the texts of every column code, the column layout read from rows.dat,
// selection that follows the list (keyboard too), the painted links and tab strip, and the
// commands that change the files: up/down, delete, find by ring, ring series and the roof date.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

#include "ColumnLayout.h"
#include "ControlKinds.h"
#include "DataStore.h"
#include "DataWyjsciaNaDach.h"
#include "Dialog.h"
#include "DodajGolebia.h"
#include "DodajGolebiaTab1.h"
#include "DodajSerieObraczek.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "PictureBox.h"
#include "PrzeniesPsa.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "ZakladkaListaPsow.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

namespace fs = std::filesystem;

// The birds of a category as the file orders them, or its membership row ids.
std::vector<int> StoredOrder(int categoryId, bool rowIds = false) {
    std::vector<int> ids;
    for (const CategoryMember& member : TheDataStore().LoadCategoryMembers(categoryId))
        ids.push_back(rowIds ? member.rowId : member.pigeonId);
    return ids;
}

long long QueryInt(const Text& file, const Text& sql) {
    SqlDatabase db(file);
    return db.QueryInt64(sql, {}, -999);
}

// rows.dat as little-endian 32-bit numbers: count, then code and width pairs.
void WriteLayout(std::initializer_list<std::int32_t> values) {
    std::string bytes;
    for (std::int32_t v : values) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(u >> shift));
    }
    QFile file(QString::fromStdU16String(ListLayoutPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList Headers(ListView* list) {
    QStringList headers;
    for (int c = 0; c < list->GetColumnCount(); ++c)
        headers << list->horizontalHeaderItem(c)->text();
    return headers;
}

class BirdListPageTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowTest::SetUp());
        // The ring number and the name, so rows read as rings.
        WriteLayout({2, ListColumnRing, 80, ListColumnName, 120});
    }

    // A picture file of its own size, stored as the bird's photograph.
    Text AddPhoto(int pigeonId, int width, int height) {
        const QString source = folder_.filePath(QStringLiteral("in-%1.png").arg(pigeonId));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(source));
        PhotoRecord photo;
        photo.path = source.toStdU16String();
        photo.id_golebia = pigeonId;
        photo.rozszerzenie = u"png";
        EXPECT_TRUE(TheDataStore().AddPhoto(photo));
        return JoinPath(ImagesFolder(), photo.FileName());
    }

    Text AddDocument(int pigeonId) {
        const QString source = folder_.filePath(QStringLiteral("doc-%1.png").arg(pigeonId));
        EXPECT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(source));
        DocumentRecord doc{.id_wlasciciela = pigeonId, .path = source.toStdU16String(),
                           .rozszerzenie = u"png"};
        EXPECT_TRUE(TheDataStore().AddDocument(doc));
        return JoinPath(DocumentsFolder(), doc.FileName());
    }

    CMainDialog& Open() {
        MainWindowTest::Open(1280, 900);
        // Show the bird list page as a click on its header does.
        QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(300, dialog_->ClientTop() + 80));
        return *dialog_;
    }

    CZakladkaListaPsow& Page() const { return *dialog_->BirdListPage(); }
    ListView* List() const { return Page().PigeonList(); }
    QStringList Rings() const { return ListColumn(List(), 1); }

    void ClickRow(int row) {
        const QRect cell = List()->visualItemRect(List()->item(row, 1));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Clicks at a point of the page as the user would.
    void ClickPage(const QPoint& point) { QTest::mouseClick(&Page(), Qt::LeftButton, {}, point); }

    static QStringList MessageTexts() {
        QStringList texts;
        for (const seams::MessageBoxCall& call : seams::MessageBoxCalls()) texts << call.text;
        return texts;
    }
};

// ---- cell texts ---------------------------------------------------------------------------------

TEST_F(BirdListPageTest, EveryColumnCodeWritesItsCellText) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(0, u"Niebieski"));
    const int colour = NewestId(store.ColourNames());
    ASSERT_TRUE(store.AddBreed(0, u"Janssen"));
    const int breed = NewestId(store.BreedNames());
    ASSERT_TRUE(store.AddLine(0, u"Linia A"));
    const int line = NewestId(store.LineNames());
    ASSERT_TRUE(store.AddStatus(0, u"Rozpłodowy"));
    const int status = NewestId(store.StatusNames());
    PersonRecord breeder{.imie = u"Jan", .nazwisko = u"Kowalski"};
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    PersonRecord owner{.imie = u"Anna", .nazwisko = u"Nowak"};
    ASSERT_TRUE(store.WriteClient(WriteMode::Insert, owner));
    PigeonRecord father{.nazwa = u"As", .nr_obraczki = u"1001", .kraj = u"PL", .oddzial = u"0444",
                        .rocznik = u"19"};
    ASSERT_TRUE(store.WritePigeon(WriteMode::Insert, father));
    // Mother 999 is no stored bird; the general rating takes no part in the mean.
    const PigeonRecord bird{.photos = {PhotoRecord{}}, .id = 30, .id_rasy = breed,
                            .id_linia = line, .id_matki = 999, .id_ojca = father.id,
                            .id_statusu = status, .id_wlasciciela = owner.id,
                            .id_hodowcy = breeder.id, .ocena_ogolna = 10,
                            .ocena_zdrowia = 3, .ocena_lotowa = 0, .ocena_upierzenia = 4,
                            .nazwa = u"Błysk", .nr_obraczki = u"0456", .kraj = u"DV",
                            .oddzial = u"07123", .rocznik = u"2023",
                            .DataF1 = *MakeLocalTime(20, 5, 2008, 1, 1, 1), .plec = 2,
                            .id_koloru = colour};
    const QStringList expected = {
        " ", "Błysk", "Samica", "Niebieski", " ", "PL 0444 19 1001 [As]",
        QString::fromStdU16String(PigeonRecord{}.GetDisplayName()), "Jan Kowalski",
        "Anna Nowak", "Janssen", " ", "Jest", "Linia A", "20/05/08", "DV", "07123", "0456",
        "2023", "Rozpłodowy", "3.5", " " /* 20: no list column */};
    for (int code = 0; code <= 20; ++code) {
        EXPECT_EQ(QString::fromStdU16String(CZakladkaListaPsow::CellText(bird, code)),
                  expected[code])
            << "code " << code;
    }

    // Sex texts, the other photo text, unset and missing values, and rating means.
    PigeonRecord plain{.id_rasy = 404, .id_wlasciciela = 404, .id_hodowcy = 404};
    const std::pair<int, const char16_t*> sexes[] = {{0, u"N/A"}, {1, u"Samiec"}, {2, u"Samica"},
                                                     {3, u" "}, {-1, u" "}};
    for (const auto& [sex, text] : sexes) {
        plain.plec = sex;
        EXPECT_EQ(CZakladkaListaPsow::CellText(plain, ListColumnSex), text) << sex;
    }
    EXPECT_EQ(CZakladkaListaPsow::CellText(plain, ListColumnPhoto), u"Brak");
    const int blanks[] = {ListColumnRoofDate, ListColumnColour, ListColumnName, ListColumnBreeder,
                          ListColumnOwner,    ListColumnBreed,  -1};
    for (int code : blanks) {
        EXPECT_EQ(CZakladkaListaPsow::CellText(plain, code), u" ") << code;
    }
    const struct {
        int health, flight, plumage;
        const char16_t* text;
    } ratings[] = {{0, 0, 0, u"-"},  {5, 0, 0, u"5"},   {4, 5, 5, u"4.7"},
                   {10, 10, 10, u"10"}, {1, 2, 0, u"1.5"}, {-3, 0, 0, u"-"}};
    for (const auto& r : ratings) {
        plain.ocena_zdrowia = r.health;
        plain.ocena_lotowa = r.flight;
        plain.ocena_upierzenia = r.plumage;
        EXPECT_EQ(CZakladkaListaPsow::CellText(plain, ListColumnRating), r.text) << r.health;
    }
    // By id: a bird the map lacks reads as an empty record, and nothing is added to the map.
    Open();
    const size_t birds = store.Pigeons().size();
    EXPECT_EQ(Page().GetCellText(12345, ListColumnSex), u"N/A");
    EXPECT_EQ(store.Pigeons().size(), birds);
}

// ---- the column layout --------------------------------------------------------------------------

TEST_F(BirdListPageTest, ColumnsComeFromRowsDatWithTheirWidths) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int bird = AddBird(category, u"77");
    WriteLayout({4, ListColumnCountry, 0x1002D, ListColumnSex, 50, ListColumnRing, 90,
                 ListColumnSex, 70});
    Open();
    ListView* list = List();
    // A repeated code makes two columns, both with the width stored last for it; only the
    // low 16 bits of a width count.
    EXPECT_EQ(Headers(list), (QStringList{"...", "Kraj", "Płeć", "Obrączka", "Płeć"}));
    EXPECT_EQ(list->GetColumnWidth(0), 30);
    EXPECT_EQ(list->GetColumnWidth(1), 45);
    EXPECT_EQ(list->GetColumnWidth(2), 70);
    EXPECT_EQ(list->GetColumnWidth(3), 90);
    EXPECT_EQ(list->GetColumnWidth(4), 70);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 0), " ");
    EXPECT_EQ(list->GetItemText(0, 1), "PL");
    EXPECT_EQ(list->GetItemText(0, 2), "N/A");
    EXPECT_EQ(list->GetItemText(0, 3), "77");
    EXPECT_EQ(list->GetItemText(0, 4), "N/A");
    EXPECT_EQ(Page().rowPigeonIds.at(0), bird);

    // Count 0: the column "..." alone.
    WriteLayout({0});
    Page().ReadColumnLayout();
    EXPECT_EQ(Headers(list), QStringList{"..."});

    // A file cut short keeps the pairs that are there in full.
    WriteLayout({3, ListColumnYear, 60, ListColumnRing, 80, ListColumnName});
    Page().ReadColumnLayout();
    EXPECT_EQ(Headers(list), (QStringList{"...", "Rocznik", "Obrączka"}));
    EXPECT_EQ(Page().columnCodes, (std::vector<std::int32_t>{ListColumnYear, ListColumnRing}));

    // Without a file the list still starts with "..." and offers columns to fill.
    fs::remove(ToFsPath(ListLayoutPath()));
    Page().ReadColumnLayout();
    EXPECT_EQ(Headers(list).value(0), "...");
    EXPECT_GT(list->GetColumnCount(), 1);
}

// ---- selection, photo, links and tab strip ------------------------------------------------------

TEST_F(BirdListPageTest, SelectionFollowsMouseAndKeysAndShowsTheFirstPhoto) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int first = AddBird(category, u"1");
    const int second = AddBird(category, u"2");
    AddPhoto(second, 40, 30);
    AddPhoto(second, 50, 50);
    Open();
    CPictureBox* photo = Page().PhotoBox();
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->displayMode, CPictureBox::kStretched);
    EXPECT_EQ(photo->Image()->size(), QSize(214, 148));   // nothing selected: the placeholder
    EXPECT_EQ(Page().PreviewPigeonId(1), -1);

    ClickRow(0);
    EXPECT_EQ(g_selectedPigeonRow, 0);
    EXPECT_EQ(Page().SelectedPigeonId(), first);
    EXPECT_EQ(photo->Image()->size(), QSize(214, 148));   // a bird without photographs
    for (int tab = 1; tab <= 5; ++tab) EXPECT_EQ(Page().PreviewPigeonId(tab), first);

    // The arrow key moves the selected bird as a click does.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(g_selectedPigeonRow, 1);
    EXPECT_EQ(Page().SelectedPigeonId(), second);
    EXPECT_EQ(photo->Image()->size(), QSize(40, 30));     // its first photograph
    EXPECT_EQ(Page().PreviewPigeonId(3), second);

    // A click below the rows: no bird, the placeholder, tab 1 empty, the others keep theirs.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(20, List()->viewport()->height() - 5));
    EXPECT_EQ(g_selectedPigeonRow, -1);
    EXPECT_EQ(photo->Image()->size(), QSize(214, 148));
    EXPECT_EQ(Page().PreviewPigeonId(1), -1);
    for (int tab = 2; tab <= 5; ++tab) EXPECT_EQ(Page().PreviewPigeonId(tab), second);

    // A command after the keys acts on the bird the user sees selected.
    ClickRow(0);
    QTest::keyClick(List(), Qt::Key_Down);
    Page().MoveUp();
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{second, first}));
    EXPECT_EQ(g_selectedPigeonRow, 0);
    EXPECT_TRUE(List()->IsRowSelected(0));

    // Showing the category again leaves no bird selected.
    dialog_->Fire(CMainDialog::kCategoryCombo, Notification::SelChange);
    EXPECT_EQ(g_selectedPigeonRow, -1);
    EXPECT_EQ(List()->FirstSelectedRow(), -1);
    EXPECT_EQ(dialog_->GetDlgItemText(CMainDialog::kCategoryCountLabel), "(2)");
}

// The columns that show a ring (the bird's own, the father's, the mother's) widen to their
// texts while the list has room beside them; in a list without that room, a cut ring keeps its
// end, where the rings of one loft differ, with the whole text as the tooltip.
TEST_F(BirdListPageTest, RingColumnsUseTheRoomAndKeepTheRingsEndWhenCut) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int father = AddBird(category, u"0001-26-1");
    const int mother = AddBird(category, u"0001-26-2");
    const int young = AddBird(category, u"0001-26-3");
    ChangeBird(young, [&](PigeonRecord& bird) {
        bird.id_ojca = father;
        bird.id_matki = mother;
    });
    const std::vector<int> ringColumns = {1, 2, 3};
    // Beside a narrow name column the rings have room.
    WriteLayout({4, ListColumnRing, 60, ListColumnFather, 60, ListColumnMother, 60,
                 ListColumnName, 60});
    Open();
    ASSERT_EQ(List()->GetItemCount(), 3);
    ExpectColumnsShowWholeTexts(List(), {30, 60, 60, 60, 60}, ringColumns);

    // A name column taking the room: the ring columns keep the widths given, the rings their ends.
    WriteLayout({4, ListColumnRing, 60, ListColumnFather, 60, ListColumnMother, 60,
                 ListColumnName, 1000});
    Page().ReadColumnLayout();
    Page().ShowCategory(0, category);
    QApplication::processEvents();
    for (const int column : ringColumns) {
        EXPECT_EQ(List()->GetColumnWidth(column), 60) << column;
        for (int row = 0; row < List()->GetItemCount(); ++row) {
            const QString text = List()->GetItemText(row, column);
            if (text.trimmed().isEmpty()) continue;
            const QString shown = List()->ShownCellText(row, column);
            EXPECT_NE(shown, text) << column;
            EXPECT_TRUE(shown.endsWith(text.right(2))) << shown.toStdString();
            EXPECT_EQ(List()->CellToolTip(row, column), text);
        }
    }
}

// Another category shown after the list was scrolled far down opens at its own first bird, not
// at the row the old list was scrolled to.
TEST_F(BirdListPageTest, AnotherCategoryOpensAtItsFirstRow) {
    const int loft = AddLoft(u"Gołębnik");
    const int old = AddCategory(loft, u"Stare");
    const int young = AddCategory(loft, u"Młode");
    for (int k = 0; k < 120; ++k) {
        AddBird(old, u"S" + FromUtf8(std::to_string(k)));
        AddBird(young, u"M" + FromUtf8(std::to_string(k)));
    }
    Open();
    const QStringList categories = ComboTexts(dialog_->CategoryCombo());
    const auto choose = [&](const char* name) {
        dialog_->CategoryCombo()->SetCurSel(static_cast<int>(categories.indexOf(name)));
        dialog_->Fire(CMainDialog::kCategoryCombo, Notification::SelChange);
    };
    choose("Stare");
    ASSERT_EQ(List()->GetItemCount(), 120);
    // The scroll bar dragged to the foot of the list.
    List()->verticalScrollBar()->setValue(List()->verticalScrollBar()->maximum());
    ASSERT_GT(List()->rowAt(0), 50);

    choose("Młode");
    ASSERT_EQ(List()->GetItemCount(), 120);
    EXPECT_EQ(List()->GetItemText(0, 1), "M0");
    QCoreApplication::processEvents();
    EXPECT_EQ(List()->rowAt(0), 0);
    EXPECT_EQ(List()->verticalScrollBar()->value(), 0);
}

// A move that changes nothing says why: into the category the bird is listed in, or refused by
// the file. The list stays as it was, with the bird in it.
TEST_F(BirdListPageTest, AMoveThatChangesNothingSaysWhy) {
    const int loft = AddLoft(u"Gołębnik");
    const int old = AddCategory(loft, u"Stare");
    const int young = AddCategory(loft, u"Młode");
    const int bird = AddBird(old, u"S1");
    Open();
    const QStringList categories = ComboTexts(dialog_->CategoryCombo());
    dialog_->CategoryCombo()->SetCurSel(static_cast<int>(categories.indexOf("Stare")));
    dialog_->Fire(CMainDialog::kCategoryCombo, Notification::SelChange);
    ASSERT_EQ(Rings(), QStringList{"S1"});
    const auto moveTo = [&](const char* target, bool keepCopy) {
        ClickRow(0);
        seams::QueueModalHandler([=](Dialog& window) {
            ComboBox* combo = window.Combo(CPrzeniesPsa::kTargetCombo);
            combo->SetCurSel(static_cast<int>(ComboTexts(combo).indexOf(target)));
            window.Fire(CPrzeniesPsa::kTargetCombo, Notification::SelChange);
            window.CheckDlgButton(CPrzeniesPsa::kKeepCopyCheck, keepCopy ? 1 : 0);
            window.RunCommand(IDOK);
            return window.EndCode();
        });
        const qsizetype before = MessageTexts().size();
        Page().MovePigeon();
        return MessageTexts().mid(before);
    };
    const auto listedIn = [&](int category) {
        return QueryInt(PigeonsDbPath(), u"SELECT count(*) FROM kategoria_id WHERE id_golebia = " +
                                             NumberText(bird) + u" AND id_kategorii = " +
                                             NumberText(category));
    };

    EXPECT_EQ(moveTo("Gołębnik :: Stare", false),
              QStringList{"Gołąb jest już w wybranej kategorii."});
    EXPECT_EQ(listedIn(old), 1);

    {
        SqlDatabase db(PigeonsDbPath());
        ASSERT_TRUE(db.Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON kategoria_id "
                            u"BEGIN SELECT RAISE(ABORT, 'no'); END;"));
    }
    EXPECT_EQ(moveTo("Gołębnik :: Młode", false),
              QStringList{"Nie udało się przenieść gołębia do wybranej kategorii."});
    EXPECT_EQ(moveTo("Gołębnik :: Młode", true),
              QStringList{"Nie udało się skopiować gołębia do wybranej kategorii."});
    EXPECT_EQ(listedIn(old), 1);
    EXPECT_EQ(listedIn(young), 0);
    EXPECT_EQ(Rings(), QStringList{"S1"});
}

// The bird list chooses one bird at a time: Ctrl with an arrow moves the highlight along as the
// arrow alone does, and the preview and the commands follow the highlight, never lagging behind.
TEST_F(BirdListPageTest, CtrlWithAnArrowMovesTheHighlightAndTheCommandsFollowIt) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int first = AddBird(category, u"1");
    const int second = AddBird(category, u"2");
    const int third = AddBird(category, u"3");
    Open();
    ClickRow(0);
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down, Qt::ControlModifier);
    ASSERT_EQ(List()->currentRow(), 1);
    ASSERT_EQ(List()->GetSelectedCount(), 1);
    ASSERT_TRUE(List()->IsRowSelected(1));
    EXPECT_EQ(Page().SelectedPigeonId(), second);
    for (int tab = 1; tab <= 5; ++tab) EXPECT_EQ(Page().PreviewPigeonId(tab), second);

    int edited = 0;
    seams::QueueModalHandler([&](Dialog& window) {
        edited = static_cast<CDodajGolebia&>(window).record.id;
        return IDCANCEL;
    });
    Page().EditPigeon();
    EXPECT_EQ(edited, second);

    QTest::keyClick(List(), Qt::Key_Up, Qt::ControlModifier);
    ASSERT_TRUE(List()->IsRowSelected(0));
    seams::ScriptMessageBoxAnswers({IDYES});
    Page().DeletePigeon();
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{second, third}));
    EXPECT_EQ(TheDataStore().Pigeons().count(first), 0u);
}

TEST_F(BirdListPageTest, LinkPicturesSitInTheMarginAndPassTheirClicksOn) {
    Open();   // no loft, no category, no bird
    // A picture beside each of the seven links, left of the link texts (they start at x 35),
    // and the heading above the first link.
    int pictures = 0;
    for (int top = 50; top < 260; top += 30) {
        auto* picture = qobject_cast<QLabel*>(Page().childAt(QPoint(20, top + 15)));
        ASSERT_NE(picture, nullptr) << top;
        EXPECT_FALSE(picture->pixmap().isNull());
        EXPECT_LE(picture->geometry().right(), 34);
        EXPECT_GE(picture->geometry().top(), top);
        EXPECT_LT(picture->geometry().bottom(), top + 30);
        ++pictures;
    }
    EXPECT_EQ(pictures, 7);
    auto* heading = qobject_cast<QLabel*>(Page().childAt(QPoint(100, 30)));
    ASSERT_NE(heading, nullptr);
    EXPECT_LE(heading->geometry().bottom(), 50);
    // A click on a picture is a click on its link.
    QWidget* addPicture = Page().childAt(QPoint(20, 65));
    QTest::mouseClick(addPicture, Qt::LeftButton, {}, addPicture->mapFrom(&Page(), QPoint(20, 65)));
    EXPECT_EQ(MessageTexts(),
              QStringList{"Nie można dodać gołębia do listy nie wybierając kategorii"});
}

TEST_F(BirdListPageTest, PaintedLinksAndTabStripReachTheirCommands) {
    Open();   // no loft, no category, no bird
    const int h = Page().height();
    ClickPage(QPoint(100, 65));    // "Dodaj gołębia"
    ClickPage(QPoint(100, 185));   // "Drzewo genealogiczne"
    ClickPage(QPoint(209, 259));   // "Drukuj Rodowód", its last pixel
    ClickPage(QPoint(100, 500));   // the photo area
    ClickPage(QPoint(100, 270));   // between the panels: nothing
    ClickPage(QPoint(210, 65));    // right of the links: nothing
    EXPECT_EQ(MessageTexts(), (QStringList{
                                  "Nie można dodać gołębia do listy nie wybierając kategorii",
                                  "Wybierz ptaka z listy",
                                  "Musisz wybrać gołębia z listy, aby wydrukować jego rodowów",
                                  "Wybierz gołębia z listy, aby przeglądać zdjęcia",
                              }));
    EXPECT_TRUE(seams::ModalRuns().empty());

    // The tab strip: tab 1 keeps the tall list, tabs 2 to 5 the short one, up to x 1025.
    const int tallBottom = h - 160;
    const int shortBottom = h - 460;
    EXPECT_EQ(List()->geometry().bottom() + 1, tallBottom);
    ClickPage(QPoint(400, h - 10));
    EXPECT_EQ(Page().previewExpanded, 1);
    EXPECT_EQ(List()->geometry().bottom() + 1, shortBottom);
    ClickPage(QPoint(300, h - 10));
    EXPECT_EQ(Page().previewExpanded, 0);
    EXPECT_EQ(List()->geometry().bottom() + 1, tallBottom);
    ClickPage(QPoint(1024, h - 1));
    EXPECT_EQ(Page().previewExpanded, 1);
    Page().ShowPreviewTab(1);
    ClickPage(QPoint(1025, h - 10));   // past tab 5
    ClickPage(QPoint(400, h - 23));    // above the strip
    EXPECT_EQ(Page().previewExpanded, 0);

    // The links are painted: white panels, the pedigree link's own fill, blue link text.
    const QImage image = Page().grab().toImage();
    EXPECT_EQ(image.pixelColor(200, 20), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(200, 240), QColor(228, 236, 250));
    EXPECT_EQ(image.pixelColor(207, 615), QColor(255, 255, 255));
    // The link text starts 30 pixels into its row, in its blue.
    int leftmost = 210;
    for (int x = 5; x < 210; ++x)
        for (int y = 52; y < 78; ++y)
            if (image.pixelColor(x, y).blue() > 200 && image.pixelColor(x, y).red() < 120)
                leftmost = std::min(leftmost, x);
    EXPECT_GE(leftmost, 35);
    EXPECT_LE(leftmost, 40);
}

// ---- up and down --------------------------------------------------------------------------------

TEST_F(BirdListPageTest, UpAndDownSwapTheStoredOrderAndTheSelectionFollows) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int other = AddCategory(loft, u"Inne");
    const int a = AddBird(category, u"1");
    const int b = AddBird(category, u"2");
    const int c = AddBird(category, u"3");
    const int d = AddBird(category, u"4");
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(other, c));
    const std::vector<int> rows = StoredOrder(category, true);
    Open();

    ClickRow(2);
    Page().RunCommand(CZakladkaListaPsow::kUpButton);
    Page().RunCommand(CZakladkaListaPsow::kUpButton);
    // The same bird went up two places; the membership rows kept their ids and places.
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{c, a, b, d}));
    EXPECT_EQ(StoredOrder(category, true), rows);
    EXPECT_EQ(Rings(), (QStringList{"3", "1", "2", "4"}));
    EXPECT_EQ(g_selectedPigeonRow, 0);
    EXPECT_EQ(List()->FirstSelectedRow(), 0);
    EXPECT_EQ(StoredOrder(other), std::vector<int>{c});

    Page().RunCommand(CZakladkaListaPsow::kUpButton);
    EXPECT_EQ(MessageTexts(), QStringList{"Gołąb pierwszy na liście"});
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{c, a, b, d}));

    Page().RunCommand(CZakladkaListaPsow::kDownButton);
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{a, c, b, d}));
    EXPECT_EQ(g_selectedPigeonRow, 1);

    ClickRow(3);
    Page().RunCommand(CZakladkaListaPsow::kDownButton);
    EXPECT_EQ(MessageTexts().value(1), "Gołąb jest ostatni na liście");
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{a, c, b, d}));
    // The file's order is what the list shows after reading it again.
    Page().ShowCategory(0, category);
    EXPECT_EQ(Rings(), (QStringList{"1", "3", "2", "4"}));
}

TEST_F(BirdListPageTest, BirdsAddedWithTheWindowKeptOpenAreMappedToTheirOwnRows) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int first = AddBird(category, u"1");
    Open();
    seams::QueueModalHandler([](Dialog& dialog) {
        auto& editor = static_cast<CDodajGolebia&>(dialog);
        editor.Button(CDodajGolebia::kKeepOpenBox)->click();
        for (const char16_t* ring : {u"501", u"502"}) {
            editor.Tab1()->SetItemText(CDodajGolebiaTab1::kRing, ring);
            editor.RunCommand(IDOK);
        }
        return IDCANCEL;
    });
    Page().AddPigeon();
    EXPECT_EQ(Rings(), (QStringList{"1", "501", "502"}));
    const std::vector<int> order = StoredOrder(category);
    ASSERT_EQ(order.size(), 3u);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Page().rowPigeonIds.at(row), order[row]);
        EXPECT_EQ(Page().rowMembershipIds.at(row), StoredOrder(category, true)[row]);
    }
    // Moving one of them up changes the stored order of exactly those two rows.
    ClickRow(2);
    Page().MoveUp();
    EXPECT_EQ(StoredOrder(category), (std::vector<int>{first, order[2], order[1]}));
}

// ---- delete -------------------------------------------------------------------------------------

TEST_F(BirdListPageTest, DeleteAsksFirstAndOnYesRemovesTheBirdWithWhatIsOnlyItsOwn) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int other = AddCategory(loft, u"Inne");
    const int keep = AddBird(category, u"1");
    const int gone = AddBird(category, u"2");
    ASSERT_TRUE(TheDataStore().AddPigeonToCategory(other, gone));
    ASSERT_TRUE(TheDataStore().AddToIldList(gone));
    ASSERT_TRUE(TheDataStore().AddToIldList(keep));
    const Text photo = AddPhoto(gone, 10, 10);
    const Text keptPhoto = AddPhoto(keep, 10, 10);
    const Text document = AddDocument(gone);
    TreatmentRecord treatment;
    treatment.id_golebia = gone;
    treatment.nazwa = u"Szczepienie";
    ASSERT_TRUE(TheDataStore().WriteTreatment(WriteMode::Insert, treatment));
    PairRecord pair;
    pair.id_samca = gone;
    pair.id_samicy = keep;
    ASSERT_TRUE(TheDataStore().WritePair(WriteMode::Insert, pair));
    Open();
    const Text birds = PigeonsDbPath();
    const auto count = [&](const Text& sql) { return QueryInt(birds, sql); };

    ClickRow(1);
    seams::ScriptMessageBoxAnswers({IDNO});
    Page().DeletePigeon();
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    const seams::MessageBoxCall& question = seams::MessageBoxCalls()[0];
    EXPECT_EQ(question.text, "Czy napewno usunąć wybranego gołębia?");
    EXPECT_EQ(question.caption, "Czy usunąć?");
    EXPECT_EQ(question.flags, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(count(u"SELECT count(*) FROM pigeons"), 2);
    EXPECT_EQ(Rings(), (QStringList{"1", "2"}));
    EXPECT_EQ(g_selectedPigeonRow, 1);

    seams::ScriptMessageBoxAnswers({IDYES});
    Page().DeletePigeon();
    EXPECT_EQ(count(u"SELECT count(*) FROM pigeons WHERE id = " + NumberText(gone)), 0);
    EXPECT_EQ(count(u"SELECT count(*) FROM kategoria_id WHERE id_golebia = " + NumberText(gone)), 0);
    EXPECT_EQ(count(u"SELECT count(*) FROM lekisuplementy"), 0);
    EXPECT_EQ(count(u"SELECT count(*) FROM zdjecia"), 1);
    EXPECT_EQ(count(u"SELECT count(*) FROM dokumenty"), 0);
    EXPECT_EQ(QueryInt(ExtraDbPath(), u"SELECT count(*) FROM ild"), 1);
    EXPECT_FALSE(fs::exists(ToFsPath(photo)));
    EXPECT_FALSE(fs::exists(ToFsPath(document)));
    EXPECT_TRUE(fs::exists(ToFsPath(keptPhoto)));
    // History stays.
    EXPECT_EQ(count(u"SELECT count(*) FROM pary"), 1);
    EXPECT_EQ(TheDataStore().Pigeons().count(gone), 0u);
    EXPECT_EQ(Rings(), QStringList{"1"});
    EXPECT_EQ(g_selectedPigeonRow, -1);
    EXPECT_EQ(StoredOrder(other), std::vector<int>{});
    EXPECT_EQ(StoredOrder(category), std::vector<int>{keep});

    // Without a selection nothing is asked: the user is told to choose a bird.
    Page().DeletePigeon();
    ASSERT_EQ(seams::MessageBoxCalls().size(), 3u);
    EXPECT_EQ(seams::MessageBoxCalls().back().text, "Wybierz ptaka z listy");
    EXPECT_EQ(Rings(), QStringList{"1"});
}

// ---- find by ring -------------------------------------------------------------------------------

TEST_F(BirdListPageTest, FindByRingWalksEveryLoftAndTheLastMatchWins) {
    const int north = AddLoft(u"Północ");
    const int northYoung = AddCategory(north, u"Młode");
    const int northOld = AddCategory(north, u"Stare");
    const int south = AddLoft(u"Południe");
    const int southAll = AddCategory(south, u"Wszystkie");
    AddBird(northYoung, u"500", u"", north);
    AddBird(northOld, u"1", u"", north);
    AddBird(northOld, u"77", u"", north);
    AddBird(southAll, u"3", u"", south);
    AddBird(southAll, u"4", u"", south);
    AddBird(southAll, u"77", u"", south);
    AddBird(southAll, u"", u"", south);
    AddBird(southAll, u"9", u"", south);
    CMainDialog& dialog = Open();
    ASSERT_EQ(Rings(), QStringList{"500"});

    Page().SetItemText(CZakladkaListaPsow::kRingEdit, u"77");
    Page().RunCommand(CZakladkaListaPsow::kFindButton);
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(dialog.LoftCombo()->GetCurSel(), 1);
    EXPECT_EQ(dialog.CategoryCombo()->GetCurSel(), 0);
    EXPECT_EQ(Rings(), (QStringList{"3", "4", "77", " ", "9"}));
    EXPECT_EQ(g_selectedPigeonRow, 2);
    EXPECT_EQ(List()->FirstSelectedRow(), 2);
    EXPECT_EQ(List()->currentRow(), 2);

    // Back to the first loft's first category; the comparison is exact.
    Page().SetItemText(CZakladkaListaPsow::kRingEdit, u"500");
    Page().FindByRing();
    EXPECT_EQ(g_currentLoftIndex, 0);
    EXPECT_EQ(g_currentCategoryIndex, 0);
    EXPECT_EQ(g_selectedPigeonRow, 0);

    // An empty text finds a bird without a ring number.
    Page().SetItemText(CZakladkaListaPsow::kRingEdit, u"");
    Page().FindByRing();
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_selectedPigeonRow, 3);
    EXPECT_TRUE(seams::MessageBoxCalls().empty());

    Page().SetItemText(CZakladkaListaPsow::kRingEdit, u"5");
    Page().FindByRing();
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, "Nie znaleziono gołębia o podanym numerze obrączki");
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, "Nie znaleziono");
    EXPECT_EQ(g_currentLoftIndex, 1);
    EXPECT_EQ(g_selectedPigeonRow, 3);
}

// ---- ring series --------------------------------------------------------------------------------

TEST_F(BirdListPageTest, RingSeriesAddsItsBirdsToTheCurrentCategoryOrRefuses) {
    const auto series = [](const char16_t* first, const char16_t* last) {
        seams::QueueModalHandler([first, last](Dialog& dialog) {
            dialog.SetItemText(CDodajSerieObraczek::kCountryEdit, u"PL");
            dialog.SetItemText(CDodajSerieObraczek::kBranchEdit, u"0123");
            dialog.SetItemText(CDodajSerieObraczek::kYearEdit, u"25");
            dialog.SetItemText(CDodajSerieObraczek::kFirstNumberEdit, first);
            dialog.SetItemText(CDodajSerieObraczek::kLastNumberEdit, last);
            dialog.RunCommand(CDodajSerieObraczek::kAddButton);
            return IDCANCEL;
        });
    };
    Open();
    Page().AddRingSeries();
    EXPECT_EQ(MessageTexts(), QStringList{"You must select category from list of categories"});
    EXPECT_EQ(seams::MessageBoxCalls()[0].caption, "Error");
    EXPECT_TRUE(seams::ModalRuns().empty());
    dialog_.reset();
    seams::Reset();

    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    AddBird(category, u"1", u"", loft);
    Open();
    series(u"7", u"9");
    Page().AddRingSeries();
    EXPECT_EQ(Rings(), (QStringList{"1", "7", "8", "9"}));
    const std::vector<int> order = StoredOrder(category);
    ASSERT_EQ(order.size(), 4u);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Page().rowPigeonIds.at(row), order[row]);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), u"SELECT count(*) FROM pigeons WHERE id_hodowli = " +
                                            NumberText(loft) + u" AND rocznik = '25'"),
              3);

    series(u"7", u"7");
    Page().AddRingSeries();
    EXPECT_EQ(MessageTexts(), QStringList{"You can add only 100 rings in serie!"});
    EXPECT_EQ(StoredOrder(category).size(), 4u);
    EXPECT_EQ(List()->GetItemCount(), 4);
}

// ---- roof date ----------------------------------------------------------------------------------

TEST_F(BirdListPageTest, F5SetsAndClearsTheSelectedBirdsRoofDate) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    AddBird(category, u"1");
    const int bird = AddBird(category, u"2");
    WriteLayout({2, ListColumnRing, 80, ListColumnRoofDate, 80});
    Open();
    const Time64 day = *MakeLocalTime(20, 5, 2008, 12, 0, 0);
    Time64 shown = -2;
    seams::QueueModalHandler([&](Dialog& dialog) {
        shown = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker)->GetTime();
        dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker)->SetTime(day);
        dialog.RunCommand(IDOK);
        return IDCANCEL;
    });

    // With no bird selected F5 does nothing.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_F5);
    EXPECT_TRUE(seams::ModalRuns().empty());

    ClickRow(1);
    QTest::keyClick(List(), Qt::Key_F5);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(shown, -1);   // the bird had no date
    const Text where = u" FROM pigeons WHERE id = " + NumberText(bird);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), u"SELECT DataF1" + where), day);
    EXPECT_EQ(TheDataStore().FindPigeon(bird).DataF1, day);
    EXPECT_EQ(List()->GetItemText(1, 2), "20/05/08");
    EXPECT_EQ(List()->GetItemText(0, 2), " ");

    // F5 reaches the page from its other controls too; clearing the date stores 0.
    seams::QueueModalHandler([&](Dialog& dialog) {
        shown = dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker)->GetTime();
        dialog.DatePicker(CDataWyjsciaNaDach::kDatePicker)->SetNone();
        dialog.RunCommand(IDOK);
        return IDCANCEL;
    });
    QLineEdit* edit = Page().Edit(CZakladkaListaPsow::kRingEdit);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F5);
    ASSERT_EQ(seams::ModalRuns().size(), 2u);
    EXPECT_EQ(shown, day);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), u"SELECT DataF1" + where), 0);
    EXPECT_EQ(TheDataStore().FindPigeon(bird).DataF1, kNoDate);
    EXPECT_EQ(List()->GetItemText(1, 2), " ");

    // Cancelled: nothing written.
    seams::QueueModalHandler([](Dialog&) { return IDCANCEL; });
    QTest::keyClick(List(), Qt::Key_F5);
    EXPECT_EQ(QueryInt(PigeonsDbPath(), u"SELECT DataF1" + where), 0);
}

}  // namespace
