// The browser wrapper: what it reads and edits is always the document shown, and printing
// reaches a real PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include "Browser.h"
#include "Seams.h"

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

// The first page of a printout as the image it went out as, and the rectangle its dark ink
// covers there.
QImage FirstPrintedPage(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype image = bytes.indexOf("/Subtype /Image");
    const qsizetype start = bytes.indexOf("\xff\xd8", image);
    const qsizetype end = bytes.indexOf("\xff\xd9", start);
    if (image < 0 || start < 0 || end < 0) return {};
    return QImage::fromData(bytes.mid(start, end + 2 - start));
}
QRect Ink(const QImage& page) {
    QRect ink;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 2, 2);
    return ink;
}

TEST_F(BrowserTest, PrintedPagesKeepMarginsUnlessThePageLaysOutItsOwnSheet) {
    const QString pdf = dir_.filePath(QStringLiteral("margins.pdf"));
    const QString body = QStringLiteral(
        "<body style='margin:0'><div style='background:#000;height:50mm'></div></body>");
    seams::SetPrintToPdf(pdf);
    const auto mm = [](const QImage& page, int pixels) { return pixels * 210.0 / page.width(); };

    // A list page says nothing about its sheet: it gets the margins, at its own size.
    browser_.Navigate(WritePage(QStringLiteral("list.html"), QStringLiteral("<html>") + body));
    ASSERT_TRUE(browser_.Print());
    QImage page = FirstPrintedPage(pdf);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width() * 297.0 / page.height(), 210.0, 1.0);
    QRect ink = Ink(page);
    EXPECT_NEAR(mm(page, ink.left()), Browser::kPrintMarginMm, 0.5);
    EXPECT_NEAR(mm(page, ink.top()), Browser::kPrintMarginMm, 0.5);
    EXPECT_NEAR(mm(page, ink.right() + 1), 210.0 - Browser::kPrintMarginMm, 0.5);
    EXPECT_NEAR(mm(page, ink.height()), 50.0, 0.5);

    // A page that sets its own margins is printed as it lays itself out, edge to edge.
    browser_.Navigate(WritePage(
        QStringLiteral("sheet.html"),
        QStringLiteral("<html><head><style>@page { size: A4 portrait; margin: 0 }</style></head>") +
            body));
    ASSERT_TRUE(browser_.Print());
    page = FirstPrintedPage(pdf);
    ASSERT_FALSE(page.isNull());
    ink = Ink(page);
    EXPECT_NEAR(mm(page, ink.left()), 0.0, 0.5);
    EXPECT_NEAR(mm(page, ink.top()), 0.0, 0.5);
    EXPECT_NEAR(mm(page, ink.right() + 1), 210.0, 0.5);
    EXPECT_NEAR(mm(page, ink.height()), 50.0, 0.5);
    seams::SetPrintToPdf({});
}

TEST_F(BrowserTest, PrintPreviewRendersThePages) {
    browser_.Navigate(WritePage(
        QStringLiteral("long.html"),
        QStringLiteral("<html><body><div style='height:400mm'>1</div><div>2</div></body></html>")));
    int pages = -1;
    browser_seams::SetPrintPreviewHook([&](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
    });
    browser_.PrintPreview();
    browser_seams::SetPrintPreviewHook(nullptr);
    EXPECT_EQ(pages, 2);
}

}  // namespace
