// The HTML preview window, the photo viewer and the HTML editor's text read-back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "HtmlEditBrowser.h"
#include "HtmlTextStream.h"
#include "Places.h"
#include "Pomoc.h"
#include "PodgladHTML.h"
#include "PodgladZdjec.h"
#include "Records.h"
#include "Seams.h"
#include "SharedRoutines.h"

namespace {

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

class WebBrowserWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        seams::SetTestMode(true);
        seams::Reset();
    }
    void TearDown() override {
        seams::SetPrintToPdf({});
        seams::Reset();
    }
    QTemporaryDir dir_;
};

TEST_F(WebBrowserWindowsTest, PreviewPrintsTheGeneratedPageWithoutADialog) {
    const QString page = WriteFile(
        dir_.filePath(QStringLiteral("ox_wyniki.html")),
        QStringLiteral("<html><body><h1>Wyniki lotów</h1><table><tr><td>Opole</td>"
                       "<td>1234,56 m/min</td></tr></table></body></html>").toUtf8());
    const QString pdf = dir_.filePath(QStringLiteral("wydruk.pdf"));
    seams::SetPrintToPdf(pdf);

    CPodgladHTML preview;
    preview.path = page.toStdU16String();
    bool printed = false;
    seams::SetModalHandler([&](Dialog& dialog) {
        auto& window = static_cast<CPodgladHTML&>(dialog);
        QString html;
        EXPECT_TRUE(window.browser.GetHtml(html));
        EXPECT_TRUE(html.contains(QStringLiteral("Wyniki lotów")));
        printed = window.RunCommand(1231);
        return IDCANCEL;
    });
    preview.DoModal();
    EXPECT_TRUE(printed);
    EXPECT_EQ(seams::MessageBoxCalls().size(), 0u);

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 1000);
}

// Runs the window, presses Escape on its page with the focus there and expects the window to
// have closed: the page of a browser window takes the keys while it has the focus, and a page
// has no use for Escape.
void ExpectEscapeOnThePageCloses(Dialog& window, Browser& browser) {
    seams::QueueModalHandler([&browser](Dialog& shown) {
        EXPECT_TRUE(browser.WaitForDocument());
        QWidget* engine = browser.View()->focusProxy();
        if (!engine) {
            ADD_FAILURE() << "the engine has no widget to type into";
            return IDOK;
        }
        engine->setFocus();
        QTest::keyClick(engine, Qt::Key_Escape);
        // Keys the page leaves come back to the window later, if at all.
        for (int i = 0; i < 25 && !shown.HasEnded(); ++i) QTest::qWait(20);
        EXPECT_TRUE(shown.HasEnded());
        return IDOK;
    });
    EXPECT_EQ(window.DoModal(), IDCANCEL);
}

TEST_F(WebBrowserWindowsTest, EscapeOnThePageClosesTheHelpAndThePreview) {
    const QString page = WriteFile(dir_.filePath(QStringLiteral("pomoc.html")),
                                   "<html><body><p>Jak dodać gołębia</p></body></html>");
    CPomoc help;
    help.page = page.toStdU16String();
    ExpectEscapeOnThePageCloses(help, help.browser);
    CPodgladHTML preview;
    preview.path = page.toStdU16String();
    ExpectEscapeOnThePageCloses(preview, preview.browser);
}

TEST_F(WebBrowserWindowsTest, PreviewLaysOutBrowserAndButtonsOnEveryResize) {
    CPodgladHTML preview;  // no path: an empty browser, buttons still in place
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladHTML&>(dialog);
        for (const QSize size : {QSize(800, 600), QSize(641, 400)}) {
            window.resize(size);
            const int c = size.width() / 2, b = size.height() - 35;
            EXPECT_EQ(window.browser.geometry(), QRect(0, 0, size.width(), b));
            EXPECT_EQ(window.Item(1231)->geometry(), QRect(c - 110, b + 5, 105, 25));
            EXPECT_EQ(window.Item(1232)->geometry(), QRect(c + 5, b + 5, 105, 25));
            EXPECT_EQ(window.Item(1078)->geometry(), QRect(size.width() - 260, b + 5, 250, 25));
        }
        EXPECT_FALSE(window.Item(1169)->isVisible());
        EXPECT_FALSE(window.Item(1169)->isEnabled());
        return IDCANCEL;
    });
    preview.DoModal();
}

TEST_F(WebBrowserWindowsTest, EditingInThePreviewChangesTheShownPageOnly) {
    const QByteArray original = "<html><body>Rodowód</body></html>";
    const QString page = WriteFile(dir_.filePath(QStringLiteral("preview.html")), original);
    CPodgladHTML preview;
    preview.path = page.toStdU16String();
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladHTML&>(dialog);
        EXPECT_FALSE(window.browser.DesignMode());
        window.RunCommand(1078);
        EXPECT_TRUE(window.browser.DesignMode());
        return IDCANCEL;
    });
    preview.DoModal();
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
}

TEST_F(WebBrowserWindowsTest, EnterTypedIntoTheEditablePreviewStartsALineAndKeepsTheWindow) {
    const QString page =
        WriteFile(dir_.filePath(QStringLiteral("p.html")), "<html><body>Ab</body></html>");
    CPodgladHTML preview;
    preview.path = page.toStdU16String();
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladHTML&>(dialog);
        window.RunCommand(1078);
        window.browser.RunScript(QStringLiteral(
            "var r = document.createRange(); r.setStart(document.body.firstChild, 1);"
            "getSelection().removeAllRanges(); getSelection().addRange(r); true"));
        QWidget* engine = window.browser.View()->focusProxy();
        if (!engine) {
            ADD_FAILURE() << "the engine has no widget to type into";
            return IDCANCEL;
        }
        EXPECT_TRUE(Browser::HoldsWidget(engine));
        EXPECT_FALSE(Browser::HoldsWidget(window.Item(1231)));
        engine->setFocus();
        QTest::keyClick(engine, Qt::Key_Return);
        QTest::keyClick(engine, Qt::Key_X);
        QString html;
        for (int i = 0; i < 50 && !html.contains(QLatin1Char('x')); ++i) {
            QTest::qWait(20);
            window.browser.GetHtml(html);
        }
        EXPECT_TRUE(html.contains(QStringLiteral("A<div>xb</div>"))) << html.toStdString();
        EXPECT_FALSE(window.HasEnded());
        return IDCANCEL;
    });
    preview.DoModal();
}

// The viewer shows each photo's stored file; the files hold the photo's id so a test can tell
// which one is shown.
class PhotoViewerTest : public WebBrowserWindowsTest {
protected:
    void SetUp() override {
        WebBrowserWindowsTest::SetUp();
        SetInstallPathSource([this] { return dir_.path().toStdU16String(); });
        QDir().mkpath(dir_.filePath(QStringLiteral("db/images")));
    }
    void TearDown() override {
        SetInstallPathSource(nullptr);
        WebBrowserWindowsTest::TearDown();
    }
    std::vector<PhotoRecord> Photos(int count) {
        std::vector<PhotoRecord> photos;
        for (int i = 0; i < count; ++i) {
            PhotoRecord photo;
            photo.id = 11 + i;
            photo.rodzaj = 1;
            photo.rozszerzenie = u"html";
            WriteFile(QString::fromStdU16String(photo.GetFilePath()),
                      QStringLiteral("<html><body>zdjęcie %1</body></html>")
                          .arg(photo.id).toUtf8());
            photos.push_back(photo);
        }
        return photos;
    }
    static QString Shown(CPodgladZdjec& viewer) {
        QString html;
        EXPECT_TRUE(viewer.browser.GetHtml(html));
        const int at = html.indexOf(QStringLiteral("zdjęcie "));
        return at < 0 ? QString() : html.mid(at + 8, 2);
    }
};

TEST_F(PhotoViewerTest, StepsRoundThreePhotosBothWays) {
    CPodgladZdjec viewer;
    viewer.photos = Photos(3);
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladZdjec&>(dialog);
        EXPECT_EQ(window.currentIndex, 0);
        EXPECT_EQ(Shown(window), QStringLiteral("11"));
        window.RunCommand(1392);  // previous from the first: the third
        EXPECT_EQ(window.currentIndex, 2);
        EXPECT_EQ(Shown(window), QStringLiteral("13"));
        window.RunCommand(1391);  // next from the third: the first
        EXPECT_EQ(window.currentIndex, 0);
        EXPECT_EQ(Shown(window), QStringLiteral("11"));
        window.RunCommand(1391);
        EXPECT_EQ(Shown(window), QStringLiteral("12"));
        window.RunCommand(1392);
        EXPECT_EQ(Shown(window), QStringLiteral("11"));
        return IDCANCEL;
    });
    viewer.DoModal();
}

TEST_F(PhotoViewerTest, EscapeOnThePhotoClosesTheViewer) {
    CPodgladZdjec viewer;
    viewer.photos = Photos(1);
    ExpectEscapeOnThePageCloses(viewer, viewer.browser);
}

TEST_F(PhotoViewerTest, OnePhotoStaysAndNoPhotosDoNothing) {
    CPodgladZdjec one;
    one.photos = Photos(1);
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladZdjec&>(dialog);
        window.RunCommand(1391);
        EXPECT_EQ(window.currentIndex, 0);
        window.RunCommand(1392);
        EXPECT_EQ(window.currentIndex, 0);
        EXPECT_EQ(Shown(window), QStringLiteral("11"));
        return IDCANCEL;
    });
    one.DoModal();

    CPodgladZdjec none;
    seams::SetModalHandler([](Dialog& dialog) {
        auto& window = static_cast<CPodgladZdjec&>(dialog);
        window.RunCommand(1391);
        window.RunCommand(1392);
        EXPECT_EQ(window.currentIndex, 0);
        EXPECT_TRUE(window.browser.RequestedUrl().isEmpty());
        return IDCANCEL;
    });
    none.DoModal();
}

TEST(HtmlTextStreamTest, KeepsSixteenBitTextWithoutItsMarkAndDecodesEightBitText) {
    CHtmlTextStream stream;
    const QString wide = QStringLiteral("<p>Gołąb</p>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
    EXPECT_EQ(stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size())),
              static_cast<std::size_t>(bytes.size()));
    const QByteArray narrow = QStringLiteral("<p>Łąka</p>").toUtf8();
    stream.Write(narrow.constData(), static_cast<std::size_t>(narrow.size()));
    EXPECT_EQ(stream.Accumulated(), u"<p>Gołąb</p><p>Łąka</p>");
}

TEST_F(WebBrowserWindowsTest, EditorReadsBackAndSavesTheEditedNote) {
    // A note file as the notebook keeps it: byte-order mark and 16-bit text.
    const QString text = QStringLiteral("<HTML><BODY>Para 12: młode</BODY></HTML>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString note = WriteFile(dir_.filePath(QStringLiteral("5.html")), bytes);

    CHtmlEditBrowser editor;
    editor.resize(400, 300);
    editor.SetCharset(u"UTF-8");
    Text html;
    EXPECT_FALSE(editor.GetHtmlText(html)) << "no document yet";
    editor.NewDocument();
    editor.Navigate(note.toStdU16String());
    ASSERT_TRUE(editor.SetDesignMode(true));
    editor.RunScript(QStringLiteral(
        "var r = document.createRange(); r.selectNodeContents(document.body);"
        "getSelection().removeAllRanges(); getSelection().addRange(r); true"));
    EXPECT_TRUE(editor.ToggleBold());
    ASSERT_TRUE(editor.GetHtmlText(html));
    EXPECT_EQ(html, u"<html><head></head><body><b>Para 12: młode</b></body></html>");

    // "Zapisz" saves under a name the user picks; the note file itself stays as it was.
    const QString copy = dir_.filePath(QStringLiteral("kopia.html"));
    seams::ScriptPaths({copy});
    ASSERT_TRUE(editor.SaveAs());
    QFile saved(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray savedBytes = saved.readAll();
    ASSERT_TRUE(savedBytes.startsWith("\xFF\xFE"));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(savedBytes.constData() + 2),
                                 (savedBytes.size() - 2) / 2),
              QString::fromStdU16String(html));
    QFile original(note);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), bytes);

    seams::ScriptPaths({});  // cancelled: nothing written
    EXPECT_FALSE(editor.SaveAs());
}

}  // namespace
