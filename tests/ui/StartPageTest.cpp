// The start page: its links lead where their pictures say, the calendar shows only on wide
// screens; the help window opens the help pages that start-up lays into the install folder; the
// menu's help and about commands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "BundledFiles.h"
#include "ControlKinds.h"
#include "DataStore.h"
#include "DodajEdytujKlienta.h"
#include "DodajGolebia.h"
#include "DodajZmienTransakcje.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "NowaNazwa.h"
#include "Oprogramie.h"
#include "Places.h"
#include "Pomoc.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "WindowTestSupport.h"
#include "WebAddresses.h"
#include "ZakladkaNotatnik.h"
#include "ZakladkaStartowa.h"
#include "menu/MainMenu.h"

namespace {

using Link = CZakladkaStartowa::Link;

// A point in the middle of a rectangle.
QPoint Middle(const Rect& rect) {
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

class StartPageTest : public MainWindowTest {
protected:
    // One loft with one category, so every add link has what it needs.
    static void AddLoftWithCategory() { AddCategory(AddLoft(u"Północ"), u"Lotne"); }

    CZakladkaStartowa& Page() { return *dialog_->StartPage(); }

    void ClickLink(int link) {
        QTest::mouseClick(&Page(), Qt::LeftButton, {}, Middle(Page().LinkRect(link)));
    }

    std::vector<int> ModalTemplates() const {
        std::vector<int> ids;
        for (const seams::ModalRun& run : seams::ModalRuns()) ids.push_back(run.templateId);
        return ids;
    }
};

TEST_F(StartPageTest, LinkAreasLieWhereThePicturesShowThemWhateverTheSize) {
    Open();
    const Rect expected[CZakladkaStartowa::kLinkCount] = {
        {40, 100, 350, 130}, {40, 130, 350, 160}, {40, 160, 350, 190}, {40, 190, 350, 220},
        {40, 220, 350, 250}, {40, 325, 350, 355}, {40, 385, 350, 415}, {40, 355, 350, 385},
        {40, 415, 350, 445}, {40, 475, 500, 695}};
    for (const QSize size : {QSize(1280, 800), QSize(1600, 1000), QSize(900, 700)}) {
        dialog_->resize(size);
        for (int link = 0; link < CZakladkaStartowa::kLinkCount; ++link)
            EXPECT_EQ(Page().LinkRect(link), expected[link]) << link;
    }
    // Edges: a row's bottom edge is the next row's top; the right edge is outside.
    EXPECT_EQ(Page().LinkAt(QPoint(40, 130)), Link::kAddPair);
    EXPECT_EQ(Page().LinkAt(QPoint(349, 129)), Link::kAddBird);
    EXPECT_EQ(Page().LinkAt(QPoint(350, 110)), -1);
    EXPECT_EQ(Page().LinkAt(QPoint(39, 110)), -1);
    EXPECT_EQ(Page().LinkAt(QPoint(100, 360)), Link::kAllHelpTopics);
    EXPECT_EQ(Page().LinkAt(QPoint(100, 390)), Link::kProgramWebPage);
    EXPECT_EQ(Page().LinkAt(QPoint(100, 270)), -1);  // the gap between the two pictures
    EXPECT_EQ(Page().LinkAt(QPoint(499, 694)), Link::kAuctionSite);
}

TEST_F(StartPageTest, CalendarShowsOnlyOnPagesWiderThan1280) {
    Open();
    CZakladkaStartowa& page = Page();
    page.setGeometry(0, 0, 1280, 700);
    page.LayoutControls();
    EXPECT_FALSE(page.Item(CZakladkaStartowa::kCalendar)->isVisible());
    EXPECT_FALSE(page.Item(CZakladkaStartowa::kCalendar)->isEnabled());
    EXPECT_FALSE(page.Item(CZakladkaStartowa::kCalendarPicture)->isVisible());

    page.setGeometry(0, 0, 1281, 700);
    page.LayoutControls();
    EXPECT_TRUE(page.Item(CZakladkaStartowa::kCalendar)->isVisible());
    EXPECT_TRUE(page.Item(CZakladkaStartowa::kCalendar)->isEnabled());
    EXPECT_TRUE(page.Item(CZakladkaStartowa::kCalendarPicture)->isVisible());
    EXPECT_EQ(page.Item(CZakladkaStartowa::kCalendar)->geometry(), QRect(960, 100, 311, 560));
}

TEST_F(StartPageTest, AddLinksReachTheirPagesWithoutSwitchingThePage) {
    AddLoftWithCategory();
    CMainDialog& dialog = Open();
    ASSERT_EQ(g_currentCategoryIndex, 0);

    ClickLink(Link::kAddBird);
    ClickLink(Link::kAddTransaction);
    ClickLink(Link::kAddClient);
    EXPECT_EQ(ModalTemplates(), (std::vector<int>{CDodajGolebia::kTemplateId,
                                                  CDodajZmienTransakcje::kTemplateId,
                                                  CDodajEdytujKlienta::kTemplateId}));
    seams::Reset();

    seams::QueueModalHandler([](Dialog& name) {
        name.SetItemText(CNowaNazwa::kNameEdit, u"Plan lotów");
        name.RunCommand(IDOK);
        return IDOK;
    });
    ClickLink(Link::kNewNote);
    ListView* notes = dialog.NotebookPage()->NoteList();
    ASSERT_EQ(notes->GetItemCount(), 1);
    EXPECT_EQ(notes->GetItemText(0, 0), "Plan lotów");
    ASSERT_EQ(TheDataStore().Notes().size(), 1u);
    EXPECT_TRUE(QFile::exists(QString::fromStdU16String(NoteFilePath(TheDataStore().Notes()[0].id))));

    EXPECT_EQ(dialog.ActivePage(), CMainDialog::kStartPage);
    EXPECT_TRUE(Page().isVisible());
}

TEST_F(StartPageTest, WithoutALoftTheClientLinkOpensNothing) {
    Open();
    ClickLink(Link::kAddClient);
    EXPECT_TRUE(seams::ModalRuns().empty());
}

// On a desktop that opens no web address, each web link says it could not open its page.
TEST_F(StartPageTest, AWebLinkThatCannotOpenItsPageSaysSo) {
    Open();
    seams::FailLaunches(true);
    ClickLink(Link::kProgramWebPage);
    ClickLink(Link::kWebSitePage);
    ClickLink(Link::kAuctionSite);
    QStringList expected;
    for (const QString& address :
         {web::kProgramWebPage, web::kStartPageSitePage, web::kAuctionWebSite}) {
        expected << QString::fromUtf8(
                        "Nie udało się otworzyć strony internetowej:\n%1\n"
                        "Sprawdź, czy w systemie jest ustawiona przeglądarka internetowa.")
                        .arg(address);
    }
    EXPECT_EQ(MessageTexts(), expected);
}

TEST_F(StartPageTest, WebLinksOpenTheirAddressesAndOtherClicksDoNothing) {
    Open();
    ClickLink(Link::kProgramWebPage);
    ClickLink(Link::kWebSitePage);
    ClickLink(Link::kAuctionSite);
    EXPECT_EQ(seams::OpenedDocuments(),
              (std::vector<QString>{web::kProgramWebPage, web::kStartPageSitePage,
                                    web::kAuctionWebSite}));
    seams::Reset();
    for (const QPoint point : {QPoint(20, 110), QPoint(360, 200), QPoint(100, 300),
                               QPoint(700, 300), QPoint(100, 700)}) {
        QTest::mouseClick(&Page(), Qt::LeftButton, {}, point);
    }
    EXPECT_TRUE(seams::OpenedDocuments().empty());
    EXPECT_TRUE(seams::ModalRuns().empty());
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
}

TEST_F(StartPageTest, BranchSearchTakesTheTypedText) {
    Open();
    Page().SetItemText(CZakladkaStartowa::kBranchEdit, u"0124 KATOWICE");
    Page().RunCommand(CZakladkaStartowa::kSearchBranch);
    EXPECT_EQ(Page().branchSearchText, u"0124 KATOWICE");
    Page().SetItemText(CZakladkaStartowa::kBranchEdit, u"");
    Page().RunCommand(CZakladkaStartowa::kSearchBranch);
    EXPECT_EQ(Page().branchSearchText, u"");
}

// ---- help and about -------------------------------------------------------------------------

TEST_F(StartPageTest, StartUpLaysOutTheHelpPagesAndKeepsOnesAlreadyThere) {
    // The help pages and the pedigree templates with their 16 pictures.
    const QStringList bundled = BundledFiles();
    EXPECT_EQ(bundled.filter(QStringLiteral("html/help/")),
              (QStringList{QStringLiteral("html/help/help.html"),
                           QStringLiteral("html/help/intro.html")}));
    EXPECT_EQ(bundled.filter(QStringLiteral("data/pedigrees/")).size(), 23);
    EXPECT_EQ(bundled.size(), 25);
    const QString intro = QDir(folder_.path()).filePath(QStringLiteral("html/help/intro.html"));
    const QString help = QDir(folder_.path()).filePath(QStringLiteral("html/help/help.html"));
    ASSERT_TRUE(LayOutBundledFiles());
    QFile file(intro);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    EXPECT_TRUE(text.contains(QStringLiteral("Wprowadzenie do programu Ornivex 6")));
    EXPECT_TRUE(QFile::exists(help));

    // A page the user changed stays; a page that went missing comes back.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<html><body>moja pomoc</body></html>");
    file.close();
    ASSERT_TRUE(QFile::remove(help));
    ASSERT_TRUE(LayOutBundledFiles());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("<html><body>moja pomoc</body></html>"));
    EXPECT_TRUE(QFile::exists(help));
}

TEST_F(StartPageTest, HelpLinksAndCommandsOpenTheLaidOutPages) {
    ASSERT_TRUE(LayOutBundledFiles());
    CMainDialog& dialog = Open();
    QStringList shown;
    const auto readPage = [&](Dialog& window) {
        auto& help = static_cast<CPomoc&>(window);
        QString html;
        EXPECT_TRUE(help.browser.GetHtml(html));
        shown << QString::fromStdU16String(help.page) + QStringLiteral(" | ") + html;
        return IDCANCEL;
    };
    for (int i = 0; i < 4; ++i) seams::QueueModalHandler(readPage);
    ClickLink(Link::kIntroduction);
    ClickLink(Link::kAllHelpTopics);
    dialog.RunCommand(kCmdHelpIntroduction);
    dialog.RunCommand(kCmdHelpAllTopics);

    ASSERT_EQ(shown.size(), 4);
    const QString introPath = QDir(folder_.path()).filePath(QStringLiteral("html/help/intro.html"));
    const QString helpPath = QDir(folder_.path()).filePath(QStringLiteral("html/help/help.html"));
    for (int i : {0, 2}) {
        EXPECT_TRUE(shown[i].startsWith(introPath + " | ")) << shown[i].left(200).toStdString();
        EXPECT_TRUE(shown[i].contains(QStringLiteral("<h1>Wprowadzenie do programu Ornivex 6</h1>")));
    }
    for (int i : {1, 3}) {
        EXPECT_TRUE(shown[i].startsWith(helpPath + " | "));
        EXPECT_TRUE(shown[i].contains(QStringLiteral("<h1>Tematy pomocy programu Ornivex 6</h1>")));
    }
    EXPECT_EQ(ModalTemplates(), (std::vector<int>(4, CPomoc::IDD)));
}

TEST_F(StartPageTest, HelpWindowKeepsItsBrowserUnderTheBannerOnEveryResize) {
    CPomoc help;
    seams::QueueModalHandler([](Dialog& window) {
        auto& w = static_cast<CPomoc&>(window);
        for (const QSize size : {QSize(800, 600), QSize(500, 300)}) {
            w.resize(size);
            EXPECT_EQ(w.browser.geometry(),
                      QRect(10, 75, size.width() - 20, size.height() - 85));
        }
        return IDCANCEL;
    });
    help.DoModal();
}

TEST_F(StartPageTest, AboutCommandOpensTheAboutBox) {
    CMainDialog& dialog = Open();
    QString caption;
    seams::QueueModalHandler([&](Dialog& window) {
        caption = window.windowTitle();
        EXPECT_FALSE(window.GetDlgItemText(COprogramie::kText).isEmpty());
        return IDCANCEL;
    });
    dialog.RunCommand(kCmdAbout);
    EXPECT_EQ(ModalTemplates(), std::vector<int>{COprogramie::IDD});
    EXPECT_EQ(caption, QStringLiteral("O programie Ornivex"));
}

}  // namespace
