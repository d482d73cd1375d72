// The list export: the page's exact bytes for a small loft, rows2.dat kept as the columns change,
// preview and save, and the openers on the bird list page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfDocument>
#include <QRegularExpression>

#include "BundledFiles.h"
#include "ColumnLayout.h"
#include "DataStore.h"
#include "EksportListyDoHTML.h"
#include "HtmlEscape.h"
#include "MainDialog.h"
#include "PodgladHTML.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"
#include "menu/MainMenu.h"

namespace {

QByteArray Utf16(const Text& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (char16_t c : text) bytes.append(static_cast<char>(c & 0xFF)).append(static_cast<char>(c >> 8));
    return bytes;
}

QByteArray FileBytes(const Text& path) {
    QFile file(QString::fromStdU16String(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Layout(std::vector<std::int32_t> numbers) {
    QByteArray bytes;
    for (std::int32_t n : numbers) bytes.append(reinterpret_cast<const char*>(&n), 4);
    return bytes;
}

QStringList ChosenTexts(CEksportListyDoHTML& w) {
    QStringList texts;
    ListBoxControl* list = w.ListBox(w.kChosenList);
    for (int i = 0; i < list->GetCount(); ++i) texts << list->GetText(i);
    return texts;
}

class ListExportTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(LayOutBundledFiles());
    }
};

TEST_F(ListExportTest, PageOfASmallLoftHasEveryCellItsTextAndNothingElse) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(0, u"niebieski"));
    const int colour = NewestId(store.ColourNames());
    ASSERT_TRUE(store.WriteColourValue(colour, 3355443));
    ASSERT_TRUE(store.AddBreed(0, u"Janssen"));
    const int breed = NewestId(store.BreedNames());
    ASSERT_TRUE(store.AddLine(0, u"Linia <A>"));
    const int line = NewestId(store.LineNames());
    PersonRecord breeder{.imie = u"Jan", .nazwisko = u"Kos"};
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    const int father = AddBird(0, u"100", u"Ojciec");
    const int bird = AddBird(0, u"200", u"Ala & Ola");
    const int young = AddBird(0, u"300");
    PigeonRecord b = store.FindPigeon(bird);
    b.plec = 2;
    b.id_koloru = colour;
    b.id_rasy = breed;
    b.id_linia = line;
    b.id_hodowcy = breeder.id;
    b.id_ojca = father;
    b.notatkiogolne = u"szybki\nzdrowy";
    b.notatkichoroby = u"brak";
    ASSERT_TRUE(store.WritePigeon(WriteMode::Update, b));
    ASSERT_TRUE(store.WritePigeonRoofDate(bird, *MakeLocalTime(5, 6, 2024, 1, 1, 1)));
    // Two photos stored as the photo page stores them; the list shows the first.
    const QString source = folder_.filePath("zdjecie.jpg");
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpg");
    }
    PhotoRecord photo{.id_golebia = bird, .rozszerzenie = u"jpg"};
    photo.path = source.toStdU16String();
    ASSERT_TRUE(store.AddPhoto(photo));
    PhotoRecord second = photo;
    ASSERT_TRUE(store.AddPhoto(second));
    PigeonRecord cock = store.FindPigeon(father);
    cock.plec = 1;
    ASSERT_TRUE(store.WritePigeon(WriteMode::Update, cock));

    CEksportListyDoHTML list;
    list.birdIds = {father, bird, young};
    list.siblingBird = store.FindPigeon(young);
    list.chosenColumns = {0, 1, 2, 19, 3, 20, 5, 6, 7, 8, 9, 12, 13, 17, 10, 4, 11};
    for (std::int32_t c : list.chosenColumns) list.widths[c] = 20;
    list.widths[1] = 40;
    list.fontName = u"Arial";
    list.fontSize = u"11";
    list.bottomMargin = u"900";
    list.notes[0] = list.notes[1] = 1;
    const Text path = JoinPath(GetInstallPath(), u"lista ł.html");
    ASSERT_TRUE(list.BuildListHtml(path));

    const Text url = QUrl::fromLocalFile(QString::fromStdU16String(JoinPath(ImagesFolder(), photo.FileName())))
                         .toString().toStdU16String();
    Text expected =
        u"<html><style type=\"text/css\" media=\"print,screen\" >td { page-break-inside: auto; "
        u"font-size: 7.5pt; font-family: Arial }th { \t    font-family: Arial; color:black; \t    "
        u"background-color: lightgrey; font-size: 7.5pt;\t}thead { \t    display:table-header-group; \t\t}tbody { \t"
        u"    display: table-row-group; \t}</style><script type=\"text/javascript\">window.onload = "
        u"load;function load(){var rowHeight=0;var tblHeight = 0;for(var i = 0; i < "
        u"document.all.masterTbl.rows.length;i++){oBndRct = document.all.masterTbl.rows[i]."
        u"getBoundingClientRect();rowHeight = oBndRct.bottom - oBndRct.top + 1;  if(tblHeight + "
        u"rowHeight > 617.3) {document.all.masterTbl.rows[i-1].style.pageBreakAfter=\"always\";"
        u"tblHeight = 0;}tblHeight += rowHeight;}}</script><body>"
        // 17 columns of 360 mm: across a landscape sheet, set smaller to fit it.
        u"<style type=\"text/css\">#masterTbl { border: 0 } @page { size: A4 landscape }"
        u" #masterTbl { width: 272mm !important } td, th { word-break: normal; overflow-wrap: "
        u"break-word } td img { max-width: 100%; height: auto }</style>"
        u"<h2>Bracia i siostry gołębia: PL 0123 24 300</h2>"
        u"<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 style=\"table-layout:"
        u"fixed; word-wrap: break-word; page-break-after: always;\" name=masterTbl id=masterTbl>"
        u"<thead><tr><th style=\"width:13.6mm\">LP.</th><th style=\"width:27.2mm\">Obrączka</th>"
        u"<th style=\"width:13.6mm\">Płeć</th><th style=\"width:13.6mm\">Płeć (1-0;0-1)</th>"
        u"<th style=\"width:13.6mm\">Kolor</th><th style=\"width:13.6mm\">Kod koloru</th>"
        u"<th style=\"width:13.6mm\">Ojciec</th><th style=\"width:13.6mm\">Matka</th>"
        u"<th style=\"width:13.6mm\">Hodowca</th><th style=\"width:13.6mm\">Wlasciciel</th>"
        u"<th style=\"width:13.6mm\">Rasa</th><th style=\"width:13.6mm\">Linia</th>"
        u"<th style=\"width:13.6mm\">Data wyjścia na dach</th><th style=\"width:13.6mm\">Rocznik</th>"
        u"<th style=\"width:13.6mm\">Nazwa gołębia</th><th style=\"width:13.6mm\">Notatka</th>"
        u"<th style=\"width:13.6mm\">Zdjęcie</th></tr></thead><tbody>";
    // The father: a cock with nothing else recorded.
    expected += u"<tr valign=top>\r\n<td>&nbsp;1</td><td>&nbsp;PL 0123 24 100 [Ojciec]</td>"
                u"<td>&nbsp;Samiec</td><td>&nbsp;1-0</td><td>&nbsp; </td><td>&nbsp; </td>"
                u"<td>&nbsp;   </td><td>&nbsp;   </td><td>&nbsp; </td><td>&nbsp; </td><td>&nbsp; </td>"
                u"<td>&nbsp; </td><td>&nbsp;&nbsp;</td><td>&nbsp;24</td><td>&nbsp;Ojciec</td>"
                u"<td>&nbsp;&nbsp;</td><td>&nbsp;&nbsp;</td></tr>\r\n";
    expected += u"<tr valign=top>\r\n<td>&nbsp;2</td><td>&nbsp;PL 0123 24 200 [Ala &amp; Ola]</td>"
                u"<td>&nbsp;Samica</td><td>&nbsp;0-1</td><td>&nbsp;niebieski</td>"
                u"<td>&nbsp;3355443</td><td>&nbsp;PL 0123 24 100 [Ojciec]</td><td>&nbsp;   </td>"
                u"<td>&nbsp;Jan Kos</td><td>&nbsp; </td><td>&nbsp;Janssen</td>"
                u"<td>&nbsp;Linia &lt;A&gt;</td><td>&nbsp;05/06/24</td><td>&nbsp;24</td>"
                u"<td>&nbsp;Ala &amp; Ola</td><td>&nbsp;szybki<br>zdrowy<br>brak</td>"
                u"<td>&nbsp;<img src='" + url + u"' width=125 height=125></td></tr>\r\n";
    expected += u"<tr valign=top>\r\n<td>&nbsp;3</td><td>&nbsp;PL 0123 24 300</td>"
                u"<td>&nbsp;&nbsp;</td><td>&nbsp;&nbsp;</td><td>&nbsp; </td><td>&nbsp; </td>"
                u"<td>&nbsp;   </td><td>&nbsp;   </td><td>&nbsp; </td><td>&nbsp; </td><td>&nbsp; </td>"
                u"<td>&nbsp; </td><td>&nbsp;&nbsp;</td><td>&nbsp;24</td><td>&nbsp;&nbsp;</td>"
                u"<td>&nbsp;&nbsp;</td><td>&nbsp;&nbsp;</td></tr>\r\n</table>";
    // After the table, only the script that fits words too long for their columns.
    const QByteArray bytes = FileBytes(path);
    const QByteArray table = Utf16(expected);
    EXPECT_EQ(bytes.left(table.size()), table);
    const QString script = QString::fromStdU16String(ReadUnicodeFile(path))
                               .mid(static_cast<qsizetype>(expected.size()));
    EXPECT_TRUE(script.startsWith(QStringLiteral("<script type=\"text/javascript\">")) &&
                script.endsWith(QStringLiteral("</script>")) &&
                script.count(QStringLiteral("</script>")) == 1)
        << script.toStdString();

    // Without birds and columns the table has only its empty heading row.
    list.birdIds.clear();
    list.chosenColumns.clear();
    list.siblingBird = PigeonRecord();
    ASSERT_TRUE(list.BuildListHtml(path));
    EXPECT_TRUE(QString::fromStdU16String(ReadUnicodeFile(path))
                    .endsWith(QStringLiteral("</script><body><style type=\"text/css\">#masterTbl { "
                                             "border: 0 }</style><br><table style=\"width: 170mm\" border=1 "
                                             "cellspacing=0 cellpadding=2 style=\"table-layout:fixed; "
                                             "word-wrap: break-word; page-break-after: always;\" "
                                             "name=masterTbl id=masterTbl><thead><tr></tr></thead>"
                                             "<tbody></table>")));
}

TEST_F(ListExportTest, ColumnsLiveInRows2DatAndEveryPageNumbersFromOne) {
    const Text layoutPath = ExportLayoutPath();
    {
        QFile file(QString::fromStdU16String(layoutPath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Layout({3, 1, 30, 99, 10, 3, 40}));   // 99 is no column: left out
    }
    const int a = AddBird(0, u"1");
    const int b = AddBird(0, u"2");
    const QString saved = QDir(folder_.path()).filePath(QStringLiteral("zapis.html"));
    seams::ScriptPaths({saved, QStringLiteral("/nie/ma/takiego/folderu/x.html")});
    CEksportListyDoHTML list;
    list.title = u"Drukuj Kategorie";
    list.birdIds = {a, b};
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& w = static_cast<CEksportListyDoHTML&>(dialog);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Drukuj Kategorie"));
        EXPECT_EQ(w.ItemText(w.kFontNameEdit) + w.ItemText(w.kFontSizeEdit) + w.ItemText(w.kMarginEdit),
                  u"Tahoma12950");
        EXPECT_EQ(w.ListBox(w.kAvailableList)->GetCount(), 17);
        EXPECT_EQ(ChosenTexts(w), (QStringList{"Obrączka", "Kolor"}));

        w.ListBox(w.kAvailableList)->SetCurSel(0);   // "LP."
        w.RunCommand(w.kAddButton);
        EXPECT_EQ(FileBytes(layoutPath), Layout({3, 1, 30, 3, 40, 0, 25}));
        w.ListBox(w.kChosenList)->SetCurSel(2);
        w.RunCommand(w.kMoveUpButton);
        w.RunCommand(w.kMoveUpButton);
        EXPECT_EQ(ChosenTexts(w), (QStringList{"LP.", "Obrączka", "Kolor"}));
        EXPECT_EQ(FileBytes(layoutPath), Layout({3, 1, 30, 3, 40, 0, 25}));   // moves wait
        w.ListBox(w.kChosenList)->SetCurSel(2);
        w.Fire(w.kChosenList, Notification::SelChange);
        EXPECT_EQ(w.ItemText(w.kWidthEdit), u"40");
        w.SetItemText(w.kWidthEdit, u"55");
        w.RunCommand(w.kApplyWidthButton);
        EXPECT_EQ(FileBytes(layoutPath), Layout({3, 0, 25, 1, 30, 3, 55}));
        w.ListBox(w.kChosenList)->SetCurSel(1);
        w.RunCommand(w.kRemoveButton);
        EXPECT_EQ(FileBytes(layoutPath), Layout({2, 0, 25, 3, 55}));
        w.ListBox(w.kAvailableList)->SetCurSel(3);   // "Kolor" again: both share one width
        w.RunCommand(w.kAddButton);
        EXPECT_EQ(FileBytes(layoutPath), Layout({3, 0, 25, 3, 25, 3, 25}));

        Text previewed;
        for (int run = 0; run < 2; ++run) {
            seams::QueueModalHandler([&](Dialog& preview) {
                previewed = static_cast<CPodgladHTML&>(preview).path;
                return IDCANCEL;
            });
            w.RunCommand(w.kPreviewButton);
            const QString page = QString::fromStdU16String(ReadUnicodeFile(ListPreviewPath()));
            EXPECT_EQ(page.count(QStringLiteral("<td>&nbsp;1</td>")), 1);
            EXPECT_EQ(page.count(QStringLiteral("<td>&nbsp;2</td>")), 1);
        }
        EXPECT_EQ(previewed, ListPreviewPath());
        w.RunCommand(w.kSaveButton);
        EXPECT_EQ(FileBytes(saved.toStdU16String()), FileBytes(ListPreviewPath()));
        w.RunCommand(w.kSaveButton);
        w.RunCommand(IDOK);   // Enter in a field
        EXPECT_FALSE(w.HasEnded());
        return IDCANCEL;
    });
    list.DoModal();
    EXPECT_EQ(MessageTexts(), QStringList{"Nie udało się zapisać listy do pliku:\n/nie/ma/takiego/folderu/x.html"});
}

// A list wider than a sheet: with every column chosen (440 mm) the page is printed across a
// landscape sheet and set smaller, so the last column still ends inside the sheet's margins; a
// list that fits a portrait sheet is left as it was.
TEST_F(ListExportTest, EveryColumnOfAWideListReachesThePaper) {
    CDataStore& store = TheDataStore();
    PersonRecord breeder{.imie = u"Zbigniew", .nazwisko = u"Wróblewski-Kaczmarczyk"};
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    std::vector<int> birds;
    for (int i = 0; i < 3; ++i) {
        birds.push_back(AddBird(0, u"1234" + NumberText(i), u"Błyskawica Śląska"));
        PigeonRecord bird = store.FindPigeon(birds.back());
        bird.id_hodowcy = breeder.id;
        ASSERT_TRUE(store.WritePigeon(WriteMode::Update, bird));
    }
    CEksportListyDoHTML list;
    list.birdIds = birds;
    list.chosenColumns = {0, 1, 2, 3, 11, 4, 5, 6, 7, 8, 10, 9, 12, 19, 17, 13, 20};
    for (std::int32_t c : list.chosenColumns) list.widths[c] = 25;
    list.widths[1] = 40;
    list.fontName = u"Tahoma";
    list.fontSize = u"12";
    list.bottomMargin = u"950";
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("lista.pdf"));
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide);
        if (!wide) list.chosenColumns = {0, 1, 7};
        ASSERT_TRUE(list.BuildListHtml(ListPreviewPath()));
        QFile::remove(pdf);
        seams::SetPrintToPdf(pdf);
        double right = 0;
        seams::SetModalHandler([&](Dialog& window) {
            right = static_cast<CPodgladHTML&>(window).browser.RunScript(QStringLiteral(
                "(function () { var r = 0, cells = document.querySelectorAll('th, td');"
                "  for (var i = 0; i < cells.length; ++i)"
                "    r = Math.max(r, cells[i].getBoundingClientRect().right);"
                "  return r * 25.4 / 96; })()")).toDouble();
            window.RunCommand(1231);
            return IDCANCEL;
        });
        CPodgladHTML preview;
        preview.path = ListPreviewPath();
        preview.DoModal();
        seams::SetPrintToPdf({});
        // The sheet's width less its two margins of 10 mm.
        EXPECT_LE(right, wide ? 277 : 190);
        EXPECT_GT(right, wide ? 250 : 100);
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(printed.readAll());
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(), wide);
    }
    const QString page = QString::fromStdU16String(ReadUnicodeFile(ListPreviewPath()));
    EXPECT_TRUE(page.contains(QStringLiteral("font-size: 12pt")));
    EXPECT_FALSE(page.contains(QStringLiteral("landscape")));
}

// Long Polish names in a list of every column, set smaller across a landscape sheet: lines break
// at spaces and hyphens, not inside words, while every column stays on the sheet; a word wider
// than any column on its own is broken, and the table still keeps to the sheet. Each printed
// sheet ends at its last row: no line of the table's frame hangs below it.
TEST_F(ListExportTest, AWideListBreaksLinesBetweenWordsAndEachSheetEndsAtItsLastRow) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(0, u"niebieski nakrapiany z białymi lotkami i ciemnym ogonem"));
    const int colour = NewestId(store.ColourNames());
    ASSERT_TRUE(store.AddBreed(0, u"Vandenabeele-Ćmielowskich Szybkie Lotniki Wielkopolskie"));
    const int breed = NewestId(store.BreedNames());
    PersonRecord breeder{.imie = u"Zbigniew", .nazwisko = u"Wróblewski-Kaczmarczyk"};
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    const int father = AddBird(0, u"PL-012343", u"Żółtodzioby Książę Ćmielowskich z Wrocławia");
    std::vector<int> birds;
    for (int i = 0; i < 10; ++i) {
        birds.push_back(AddBird(0, u"PL-01235" + NumberText(i), u"Świetlista Gwiazda Wrocławskich Lotów"));
        ChangeBird(birds.back(), [&](PigeonRecord& b) {
            b.rocznik = u"2024";
            b.id_koloru = colour;
            b.id_rasy = breed;
            b.id_hodowcy = breeder.id;
            b.id_ojca = father;
        });
    }
    CEksportListyDoHTML list;
    list.birdIds = birds;
    list.chosenColumns = {0, 1, 2, 3, 11, 4, 5, 6, 7, 8, 10, 9, 12, 19, 17, 13, 20};
    for (std::int32_t c : list.chosenColumns) list.widths[c] = 25;
    list.widths[1] = 40;
    list.fontName = u"Tahoma";
    list.fontSize = u"12";
    list.bottomMargin = u"950";
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("lista.pdf"));
    // Per cell, the texts of the lines that begin inside a word; and the cells' right edge in mm.
    const QString measure = QStringLiteral(
        "(function () { var cut = [], right = 0, cells = document.querySelectorAll('th, td');"
        "  for (var c = 0; c < cells.length; ++c) {"
        "    right = Math.max(right, cells[c].getBoundingClientRect().right * 25.4 / 96);"
        "    var walk = document.createTreeWalker(cells[c], NodeFilter.SHOW_TEXT), node;"
        "    while ((node = walk.nextNode())) {"
        "      var top = null, before = '';"
        "      for (var i = 0; i < node.data.length; ++i) {"
        "        var r = document.createRange(); r.setStart(node, i); r.setEnd(node, i + 1);"
        "        var box = r.getClientRects()[0]; if (!box) continue;"
        "        if (top !== null && box.top > top + 1 && !/[ -]/.test(before))"
        "          cut.push(node.data.substr(i, 12));"
        "        top = box.top; before = node.data[i];"
        "      }"
        "    }"
        "  }"
        "  return JSON.stringify({cut: cut, right: right}); })()");
    for (const bool monstrous : {false, true}) {
        SCOPED_TRACE(monstrous);
        if (monstrous)
            ChangeBird(birds[3], [](PigeonRecord& b) {
                b.nazwa = u"Konstantynopolitańczykowianeczkówna" u"Konstantynopolitańczykowianeczkówna";
            });
        ASSERT_TRUE(list.BuildListHtml(ListPreviewPath()));
        QFile::remove(pdf);
        seams::SetPrintToPdf(pdf);
        QJsonObject found;
        seams::SetModalHandler([&](Dialog& window) {
            found = QJsonDocument::fromJson(static_cast<CPodgladHTML&>(window)
                                                .browser.RunScript(measure)
                                                .toString()
                                                .toUtf8())
                        .object();
            window.RunCommand(1231);
            return IDCANCEL;
        });
        CPodgladHTML preview;
        preview.path = ListPreviewPath();
        preview.DoModal();
        seams::SetPrintToPdf({});
        seams::SetModalHandler({});
        EXPECT_LE(found[QStringLiteral("right")].toDouble(), 277);   // the sheet less its margins
        EXPECT_GT(found[QStringLiteral("right")].toDouble(), 250);
        QStringList cut;
        for (const QJsonValue& text : found[QStringLiteral("cut")].toArray()) cut << text.toString();
        if (!monstrous) {
            EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('|')).toStdString();
        } else {
            EXPECT_FALSE(cut.isEmpty());
            // Only the long name broke, where it stands alone and in the ring's brackets.
            for (const QString& piece : cut)
                EXPECT_TRUE(QStringLiteral("[Konstantynopolitańczykowianeczkówna"
                                           "Konstantynopolitańczykowianeczkówna]")
                                .contains(piece))
                    << piece.toStdString();
        }

        // Each sheet: nothing dark below the lowest line that runs across the table.
        QPdfDocument document;
        document.load(pdf);
        ASSERT_EQ(document.status(), QPdfDocument::Status::Ready);
        ASSERT_GE(document.pageCount(), 2);
        for (int page = 0; page < document.pageCount(); ++page) {
            const QSize size = (document.pagePointSize(page) * 100 / 72).toSize();
            // The engine leaves the paper transparent: the page is laid on white.
            QImage sheet(size, QImage::Format_RGB32);
            sheet.fill(Qt::white);
            QPainter(&sheet).drawImage(0, 0, document.render(page, size));
            const auto dark = [&](int x, int y) { return qGray(sheet.pixel(x, y)) < 250; };
            int lastRule = -1, lowestInk = -1;
            for (int y = 0; y < sheet.height(); ++y) {
                int inked = 0;
                for (int x = 0; x < sheet.width(); ++x) inked += dark(x, y);
                if (inked > sheet.width() / 2) lastRule = y;
                if (inked > 0) lowestInk = y;
            }
            EXPECT_GT(lastRule, 0) << page;
            EXPECT_LE(lowestInk, lastRule + 1) << page;
        }
    }
}

// A long list printed to a PDF file from the window's preview keeps its headings and rings as
// text, page after page, in a file of a few kilobytes a page (pictures of the pages took close
// to a megabyte each).
TEST_F(ListExportTest, AListPrintedToAPdfFileIsTextOnEveryPage) {
    {
        QFile file(QString::fromStdU16String(ExportLayoutPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Layout({3, 0, 15, 1, 50, 2, 40}));   // "LP.", "Obrączka", "Płeć"
    }
    std::vector<int> birds;
    for (int i = 0; i < 150; ++i) birds.push_back(AddBird(0, u"5" + NumberText(1000 + i), u"Żuraw"));
    CEksportListyDoHTML list;
    list.birdIds = birds;
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("lista.pdf"));
    seams::SetPrintToPdf(pdf);
    seams::QueueModalHandler([](Dialog& window) {
        seams::QueueModalHandler([](Dialog& preview) {
            preview.RunCommand(1231);
            return IDCANCEL;
        });
        window.RunCommand(CEksportListyDoHTML::kPreviewButton);
        return IDCANCEL;
    });
    list.DoModal();
    seams::SetPrintToPdf({});
    EXPECT_EQ(MessageTexts(), QStringList());
    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 3);
    const QString all = pages.join(QLatin1Char('\n'));
    for (const QString& page : pages) EXPECT_TRUE(page.contains(QStringLiteral("PL 0123 24 5"))) << page.toStdString();
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Obrączka")));
    for (const char* ring : {"PL 0123 24 51000", "PL 0123 24 51075", "PL 0123 24 51149"})
        EXPECT_TRUE(all.contains(QLatin1String(ring))) << ring;
    EXPECT_LT(QFileInfo(pdf).size(), pages.size() * 50 * 1024);
}

TEST_F(ListExportTest, BirdListOpensItOnTheCategoryAndOnThePrintList) {
    const int loft = AddLoft(u"Gołębnik");
    const int category = AddCategory(loft, u"Lotne");
    const int a = AddBird(category, u"1");
    const int b = AddBird(category, u"2");
    const int c = AddBird(0, u"3");
    ASSERT_TRUE(TheDataStore().RewriteCategoryOrder(category, {b, a}));
    ASSERT_TRUE(TheDataStore().AddToIldList(c));
    ASSERT_TRUE(TheDataStore().AddToIldList(a));
    CMainDialog& dialog = Open();
    std::vector<std::pair<Text, std::vector<int>>> opened;
    seams::SetModalHandler([&](Dialog& window) {
        auto& list = static_cast<CEksportListyDoHTML&>(window);
        opened.emplace_back(list.title, list.birdIds);
        return IDCANCEL;
    });
    dialog.RunCommand(kCmdPrintCategory);
    dialog.RunCommand(kCmdPrintIld);
    EXPECT_EQ(opened, (std::vector<std::pair<Text, std::vector<int>>>{
                          {u"Drukuj Kategorie", {b, a}}, {u"Drukuj ILD", {c, a}}}));
}

// Cells and attributes of the printed pages: the five characters that end text or an attribute
// become entities, whichever quote the attribute uses; letters of every script stay as they are.
TEST(HtmlEscapeTest, MarkupCharactersBecomeEntitiesAndTheRestStays) {
    EXPECT_EQ(HtmlEscape(u"<b>Ptak & \"Szpak\" 'Łódź'</b>"),
              u"&lt;b&gt;Ptak &amp; &quot;Szpak&quot; &#39;Łódź&#39;&lt;/b&gt;");
    EXPECT_EQ(HtmlEscape(u"żółć \U0001F54A &amp;"), u"żółć \U0001F54A &amp;amp;");
    EXPECT_EQ(HtmlEscape(u""), u"");
    EXPECT_EQ(HtmlEscaped(QStringLiteral("a'b")), QStringLiteral("a&#39;b"));
}

}  // namespace
