// The browser wrapper: what it reads and edits is always the document shown, and printing
// reaches a real PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPageRanges>
#include <QPrinter>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include "Browser.h"
#include "Seams.h"
#include "WindowTestSupport.h"

namespace {

class BrowserTest : public ::testing::Test {
protected:
    QString WritePage(const QString& name, const QString& html) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
        return path;
    }
    QString Html() {
        QString html;
        EXPECT_TRUE(browser_.GetHtml(html));
        return html;
    }
    void SelectAll() {
        browser_.RunScript(QStringLiteral(
            "var r = document.createRange(); r.selectNodeContents(document.body);"
            "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); true"));
    }

    QTemporaryDir dir_;
    Browser browser_;
};

TEST_F(BrowserTest, ReadsTheDocumentAskedForLastEvenBeforeItHasLoaded) {
    const QString first = WritePage(QStringLiteral("first.html"),
                                    QStringLiteral("<html><body><p>Pierwsza</p></body></html>"));
    const QString second = WritePage(QStringLiteral("second.html"),
                                     QStringLiteral("<html><body><p>Druga</p></body></html>"));
    browser_.Navigate(first);
    EXPECT_TRUE(Html().contains(QStringLiteral("Pierwsza")));

    // No wait between the navigation and the read: the read must not see the first page.
    browser_.Navigate(second);
    const QString html = Html();
    EXPECT_TRUE(html.contains(QStringLiteral("Druga")));
    EXPECT_FALSE(html.contains(QStringLiteral("Pierwsza")));

    // Several navigations in a row: the last one counts.
    browser_.Navigate(first);
    browser_.Navigate(second);
    browser_.Navigate(first);
    EXPECT_TRUE(Html().contains(QStringLiteral("Pierwsza")));
}

TEST_F(BrowserTest, PagesDrawTahomaAndVerdanaWithTheWindowsFaces) {
    // Same text in the face names the pages use and in the faces drawn for them: equal widths
    // mean the engine picked the same face; DejaVu Sans (the system's default) is wider.
    const QString sample = QStringLiteral("Miejscowość Żaneta Ślusarczyk");
    QString body;
    for (const char* face : {"Tahoma", "Liberation Sans", "DejaVu Sans", "Verdana"}) {
        body += QStringLiteral("<span style=\"font: 13px '%1'\">%2</span><br>")
                    .arg(QLatin1String(face), sample);
    }
    browser_.Navigate(WritePage(QStringLiteral("fonts.html"),
                                QStringLiteral("<html><body>%1</body></html>").arg(body)));
    const QStringList widths =
        browser_.RunScript(QStringLiteral("Array.from(document.querySelectorAll('span'))"
                                          ".map(s => s.getBoundingClientRect().width).join(' ')"))
            .toString()
            .split(QLatin1Char(' '));
    ASSERT_EQ(widths.size(), 4);
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_NE(widths[0], widths[2]);
    EXPECT_EQ(widths[3], widths[2]);
}

TEST_F(BrowserTest, NothingIsReadOrEditedAfterAFailedNavigation) {
    QString html;
    EXPECT_FALSE(browser_.GetHtml(html)) << "nothing was ever shown";

    browser_.Navigate(WritePage(QStringLiteral("note.html"),
                                QStringLiteral("<html><body>Notatka 1</body></html>")));
    EXPECT_TRUE(browser_.SetDesignMode(true));
    browser_.Navigate(dir_.filePath(QStringLiteral("missing.html")));

    html = QStringLiteral("untouched");
    EXPECT_FALSE(browser_.GetHtml(html));
    EXPECT_EQ(html, QStringLiteral("untouched"));
    EXPECT_FALSE(browser_.SetDesignMode(true));
    EXPECT_FALSE(browser_.ToggleBold());
}

TEST_F(BrowserTest, DesignModeAndEditingCommandsChangeTheHtmlReadBack) {
    browser_.Navigate(WritePage(QStringLiteral("note.html"),
                                QStringLiteral("<html><body>Samiec niebieski</body></html>")));
    SelectAll();
    // Outside design mode the page is not editable: the command is refused.
    EXPECT_FALSE(browser_.ToggleBold());
    EXPECT_FALSE(Html().contains(QStringLiteral("<b>")));

    ASSERT_TRUE(browser_.SetDesignMode(true));
    EXPECT_TRUE(browser_.DesignMode());
    EXPECT_EQ(browser_.QueryCommandStatus(QStringLiteral("bold")), 3);
    SelectAll();
    EXPECT_TRUE(browser_.ToggleBold());
    EXPECT_TRUE(Html().contains(QStringLiteral("<b>Samiec niebieski</b>")));

    EXPECT_TRUE(browser_.ToggleBold());  // toggles back
    EXPECT_FALSE(Html().contains(QStringLiteral("<b>")));

    EXPECT_TRUE(browser_.ToggleItalic());
    EXPECT_TRUE(browser_.ToggleUnderline());
    EXPECT_TRUE(browser_.SetFontSize(6));
    const QString html = Html();
    EXPECT_TRUE(html.contains(QStringLiteral("<i>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<u>")));
    EXPECT_TRUE(html.contains(QStringLiteral("size=\"6\"")));

    EXPECT_TRUE(browser_.InsertHorizontalLine());
    EXPECT_TRUE(Html().contains(QStringLiteral("<hr>")));

    EXPECT_TRUE(browser_.SetDesignMode(false));
    EXPECT_FALSE(browser_.DesignMode());
}

TEST_F(BrowserTest, EditsAfterNavigatingReachTheNewDocumentOnly) {
    browser_.Navigate(WritePage(QStringLiteral("a.html"),
                                QStringLiteral("<html><body>Notatka A</body></html>")));
    ASSERT_TRUE(browser_.SetDesignMode(true));

    browser_.NewDocument();
    browser_.Navigate(WritePage(QStringLiteral("b.html"),
                                QStringLiteral("<html><body>Notatka B</body></html>")));
    EXPECT_FALSE(browser_.DesignMode()) << "a new document starts outside design mode";
    ASSERT_TRUE(browser_.SetDesignMode(true));
    SelectAll();
    EXPECT_TRUE(browser_.ToggleBold());
    const QString html = Html();
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Notatka B</b>")));
    EXPECT_FALSE(html.contains(QStringLiteral("Notatka A")));
}

TEST_F(BrowserTest, NewDocumentIsEmpty) {
    browser_.Navigate(WritePage(QStringLiteral("a.html"),
                                QStringLiteral("<html><body>Treść</body></html>")));
    browser_.NewDocument();
    EXPECT_EQ(Html(), QStringLiteral("<html><head></head><body></body></html>"));
}

TEST_F(BrowserTest, ShowsFilesWhosePathsHoldSpacesAndPolishLetters) {
    const QString path = WritePage(QStringLiteral("wyniki gołębia #1.html"),
                                   QStringLiteral("<!DOCTYPE html><html><body>Żółć</body></html>"));
    browser_.Navigate(path);
    const QString html = Html();
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>\n<html>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Żółć")));
}

TEST_F(BrowserTest, ReadsUtf16NoteFilesWithByteOrderMark) {
    const QString path = dir_.filePath(QStringLiteral("1.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString text = QStringLiteral("<HTML><BODY>Gołąb &amp; łąka</BODY></HTML>");
    file.write("\xFF\xFE", 2);
    file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    file.close();
    browser_.Navigate(path);
    EXPECT_TRUE(Html().contains(QStringLiteral("Gołąb &amp; łąka")));
}

TEST_F(BrowserTest, PrintingUnderTheSeamWritesAPdf) {
    const QString pdf = dir_.filePath(QStringLiteral("out.pdf"));
    seams::SetPrintToPdf(pdf);
    browser_.Navigate(WritePage(QStringLiteral("report.html"),
                                QStringLiteral("<html><body><h1>Rodowód</h1></body></html>")));
    EXPECT_TRUE(browser_.Print());
    seams::SetPrintToPdf({});
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 1000);
}

// The first page of a printout drawn for paper, as the image it went out as.
QImage FirstDrawnPage(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype image = bytes.indexOf("/Subtype /Image");
    const qsizetype start = bytes.indexOf("\xff\xd8", image);
    const qsizetype end = bytes.indexOf("\xff\xd9", start);
    if (image < 0 || start < 0 || end < 0) return {};
    return QImage::fromData(bytes.mid(start, end + 2 - start));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same sheets whether they go to a PDF file (the engine's PDF as it is) or to a paper
// printer (its pages drawn as pictures): A4, and the margins unless the page sets its own.
TEST_F(BrowserTest, PrintedPagesKeepMarginsUnlessThePageLaysOutItsOwnSheet) {
    const QString pdf = dir_.filePath(QStringLiteral("margins.pdf"));
    const QString paper = dir_.filePath(QStringLiteral("paper.pdf"));
    const QString body = QStringLiteral(
        "<body style='margin:0'><div style='background:#000;height:50mm'></div></body>");
    const struct {
        const char* name;
        QString head;
        qreal margin;
    } pages[] = {
        // A list page says nothing about its sheet: it gets the margins, at its own size.
        {"list", QString(), Browser::kPrintMarginMm},
        // A page that sets its own margins is printed as it lays itself out, edge to edge.
        {"sheet", QStringLiteral("<head><style>@page { size: A4 portrait; margin: 0 }</style></head>"), 0.0},
    };
    seams::SetPrintToPdf(pdf);
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        browser_.Navigate(WritePage(QString::fromLatin1(page.name) + ".html",
                                    QStringLiteral("<html>") + page.head + body));
        ASSERT_TRUE(browser_.Print());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(paper);
        ASSERT_TRUE(Browser::DrawPdfPages(FileBytes(pdf), printer));
        for (const QImage& sheet : {PdfPageImage(pdf, 0, 100), FirstDrawnPage(paper)}) {
            ASSERT_FALSE(sheet.isNull());
            const auto mm = [&sheet](int pixels) { return pixels * 210.0 / sheet.width(); };
            EXPECT_NEAR(sheet.width() * 297.0 / sheet.height(), 210.0, 1.0);
            const QRect ink = InkOf(sheet);
            EXPECT_NEAR(mm(ink.left()), page.margin, 0.5);
            EXPECT_NEAR(mm(ink.top()), page.margin, 0.5);
            EXPECT_NEAR(mm(ink.right() + 1), 210.0 - page.margin, 0.5);
            EXPECT_NEAR(mm(ink.height()), 50.0, 0.5);
        }
    }
    seams::SetPrintToPdf({});
}

// A printer set up as the print dialog sets it for "print to file" gets the engine's PDF: the
// text is text, the file is small, only the pages asked for are in it, and a file that cannot be
// written is reported.
TEST_F(BrowserTest, APdfFileKeepsItsTextAndOnlyThePagesAskedFor) {
    QString body;
    for (int page = 1; page <= 3; ++page)
        body += QStringLiteral("<p style='page-break-after: always'>Strona %1 Żółć</p>").arg(page);
    browser_.Navigate(WritePage(QStringLiteral("pages.html"),
                                QStringLiteral("<html><body>") + body + "</body></html>"));
    const QString pdf = dir_.filePath(QStringLiteral("wydruk.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(browser_.PrintTo(printer));
    QStringList texts = PdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(texts[page - 1].trimmed(), QStringLiteral("Strona %1 Żółć").arg(page));
    EXPECT_LT(QFileInfo(pdf).size(), 100 * 1024);

    QPageRanges ranges;
    ranges.addRange(2, 3);
    printer.setPageRanges(ranges);
    ASSERT_TRUE(browser_.PrintTo(printer));
    texts = PdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("Strona 2")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("Strona 3")));

    const QString nowhere = dir_.filePath(QStringLiteral("brak/wydruk.pdf"));
    printer.setOutputFileName(nowhere);
    EXPECT_FALSE(browser_.PrintTo(printer));
    EXPECT_FALSE(QFile::exists(nowhere));
    ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text,
              QStringLiteral("Nie udało się zapisać wydruku do pliku:\n") + nowhere);
    seams::Reset();
}

// The preview draws the pages even when its printer writes a PDF file, and writes nothing;
// printing from it writes the file with its text.
TEST_F(BrowserTest, PrintPreviewRendersThePagesAndPrintsFromThemToTheFile) {
    browser_.Navigate(WritePage(
        QStringLiteral("long.html"),
        QStringLiteral("<html><body><div style='height:400mm'>Pierwsza</div><div>Druga</div></body></html>")));
    const QString pdf = dir_.filePath(QStringLiteral("podglad.pdf"));
    seams::SetPrintToPdf(pdf);
    int pages = -1;
    bool written = true;
    browser_seams::SetPrintPreviewHook([&](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
        written = QFile::exists(pdf);
        preview->print();
    });
    browser_.PrintPreview();
    browser_seams::SetPrintPreviewHook(nullptr);
    seams::SetPrintToPdf({});
    EXPECT_EQ(pages, 2);
    EXPECT_FALSE(written);
    const QStringList texts = PdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].trimmed(), QStringLiteral("Pierwsza"));
    EXPECT_EQ(texts[1].trimmed(), QStringLiteral("Druga"));
}

}  // namespace
