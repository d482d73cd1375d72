// The fixture the window tests share: a fresh install folder laid out as the program lays it out,
// the data store loaded from it, the seams reset, no loft, category or bird chosen; and helpers
// that write lofts, categories and birds through the data store.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Records.h"
#include "Seams.h"

class CMainDialog;
class ComboBox;
class ListView;

// What a window shows, for comparing in one assertion.
QStringList ComboTexts(ComboBox* combo);
QStringList ListColumn(ListView* list, int column);
// A mouse click on a row of the list, in the cell of `column`.
void ClickListRow(ListView* list, int row, int column = 0);
// The texts of the message boxes shown so far.
QStringList MessageTexts();
// The columns of a list are each at least as wide as `given`, all within the list (no sideways
// scrolling), and those in `fitted` wide enough for every text of theirs (no "…").
void ExpectColumnsShowWholeTexts(ListView* list, const std::vector<int>& given,
                                 const std::vector<int>& fitted);
// A PDF file as a reader finds it: the text of each page (empty when the file is not a PDF), and
// a page drawn at `dpi` on white paper.
QStringList PdfPageTexts(const QString& pdf);
QImage PdfPageImage(const QString& pdf, int page, int dpi);
// The rectangle dark ink covers on a page.
QRect InkOf(const QImage& page);
// The id of the dictionary entry added last: each add through the store takes the next id.
int NewestId(const std::map<int, Text>& names);

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    void SetUp() override;
    void TearDown() override;

    static int AddLoft(const Text& name);

    // A category of the loft (the store appends it to its loft in memory too).
    static int AddCategory(int loftId, const Text& name);

    // A bird with that ring number and, with a category id above 0, placed in the category.
    static int AddBird(int categoryId, const Text& ring, const Text& name = u"", int loftId = 0);

    // One stored bird changed through the data store's write.
    static void ChangeBird(int pigeonId, const std::function<void(PigeonRecord&)>& change);

    // The lofts with their categories as the database file holds them, read by a store of their own.
    static std::vector<LoftRecord> LoftsOnDisk();

    // A modal answer for the loft or category editor: type the name and press OK.
    static seams::ModalHandler Enter(Text name, Text description = u"");

    QTemporaryDir folder_;
};

// The window tests that open the main window: no startup pause and no splash, and the window
// closed before the install folder goes.
class MainWindowTest : public WindowTest {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    void SetUp() override;
    void TearDown() override;

    // A new main window of that size, shown.
    CMainDialog& Open(int width = 1280, int height = 800);

    std::unique_ptr<CMainDialog> dialog_;
};
