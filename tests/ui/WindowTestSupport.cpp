#include "WindowTestSupport.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QScrollBar>
#include <QTest>

#include "ListView.h"
#include "StandardControls.h"

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "Globals.h"
#include "MainDialog.h"
#include "Places.h"
#include "Settings.h"
#include "StartupSplash.h"

void WindowTest::SetUpTestSuite() { RegisterProgramControls(); }

void WindowTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    settings::SetInstallPath(folder_.path());
    places::ConnectDataStore();
    ASSERT_TRUE(places::LayOutInstallFolder());
    // Loading makes the files with their tables.
    CDataStore& store = TheDataStore();
    store.LoadLofts();
    store.LoadPigeonsDb(-1);
    store.LoadExtraDb(-1);
    seams::Reset();
    g_currentLoftIndex = g_currentCategoryIndex = g_selectedPigeonRow = -1;
}

void WindowTest::TearDown() {
    seams::Reset();
    settings::SetInstallPath(QString());
    g_currentLoftIndex = g_currentCategoryIndex = g_selectedPigeonRow = -1;
}

MainWindowTest::MainWindowTest() = default;
MainWindowTest::~MainWindowTest() = default;

void MainWindowTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
    CMainDialog::EnableStartupPause(false);
    CStartupSplash::EnableSplash(0);
}

void MainWindowTest::TearDown() {
    dialog_.reset();
    CStartupSplash::EnableSplash(0);  // a test may have turned it on
    WindowTest::TearDown();
}

CMainDialog& MainWindowTest::Open(int width, int height) {
    dialog_ = std::make_unique<CMainDialog>();
    dialog_->resize(width, height);
    dialog_->show();
    return *dialog_;
}

int WindowTest::AddLoft(const Text& name) {
    LoftRecord loft;
    loft.nazwahodowli = name;
    EXPECT_TRUE(TheDataStore().WriteLoft(WriteMode::Insert, loft));
    return loft.id;
}

int WindowTest::AddCategory(int loftId, const Text& name) {
    CategoryRecord category;
    category.id_hodowli = loftId;
    category.nazwakategorii = name;
    EXPECT_TRUE(TheDataStore().WriteCategory(WriteMode::Insert, category));
    return category.id;
}

int NewestId(const std::map<int, Text>& names) {
    return names.empty() ? 0 : names.rbegin()->first;
}

int WindowTest::AddBird(int categoryId, const Text& ring, const Text& name, int loftId) {
    PigeonRecord bird;
    bird.id_hodowli = loftId;
    bird.kraj = u"PL";
    bird.oddzial = u"0123";
    bird.rocznik = u"24";
    bird.nr_obraczki = ring;
    bird.nazwa = name;
    EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Insert, bird));
    if (categoryId > 0) {
        EXPECT_TRUE(TheDataStore().AddPigeonToCategory(categoryId, bird.id));
    }
    return bird.id;
}

void WindowTest::ChangeBird(int pigeonId, const std::function<void(PigeonRecord&)>& change) {
    PigeonRecord bird = TheDataStore().FindPigeon(pigeonId);
    ASSERT_EQ(bird.id, pigeonId);
    change(bird);
    EXPECT_TRUE(TheDataStore().WritePigeon(WriteMode::Update, bird));
}

std::vector<LoftRecord> WindowTest::LoftsOnDisk() {
    CDataStore fresh;
    fresh.LoadLofts();
    return fresh.Lofts();
}

seams::ModalHandler WindowTest::Enter(Text name, Text description) {
    return [name, description](Dialog& editor) {
        editor.SetItemText(1008, name);
        editor.SetItemText(1009, description);
        editor.RunCommand(IDOK);
        return editor.HasEnded() ? editor.EndCode() : IDCANCEL;
    };
}

QStringList ComboTexts(ComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->GetCount(); ++i) texts << combo->GetLBText(i);
    return texts;
}

QStringList ListColumn(ListView* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->GetItemCount(); ++row) texts << list->GetItemText(row, column);
    return texts;
}

void ExpectColumnsShowWholeTexts(ListView* list, const std::vector<int>& given,
                                 const std::vector<int>& fitted) {
    QApplication::processEvents();
    const QFontMetrics metrics(list->font());
    int sum = 0;
    for (int column = 0; column < static_cast<int>(given.size()); ++column) {
        EXPECT_GE(list->GetColumnWidth(column), given[column]) << column;
        sum += list->GetColumnWidth(column);
    }
    EXPECT_LE(sum, list->viewport()->width());
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    for (int column : fitted) {
        for (int row = 0; row < list->GetItemCount(); ++row) {
            const QString text = list->GetItemText(row, column);
            EXPECT_LT(metrics.horizontalAdvance(text), list->GetColumnWidth(column))
                << text.toStdString();
            EXPECT_LE(list->CellWidth(row, column), list->GetColumnWidth(column))
                << text.toStdString();
        }
    }
}

QStringList PdfPageTexts(const QString& pdf) {
    QPdfDocument document;
    if (document.load(pdf) != QPdfDocument::Error::None) return {};
    QStringList pages;
    for (int page = 0; page < document.pageCount(); ++page)
        pages << document.getAllText(page).text();
    return pages;
}

QImage PdfPageImage(const QString& pdf, int page, int dpi) {
    QPdfDocument document;
    if (document.load(pdf) != QPdfDocument::Error::None || page >= document.pageCount()) return {};
    const QSize size = (document.pagePointSize(page) * dpi / 72.0).toSize();
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter(&sheet).drawImage(0, 0, document.render(page, size));
    return sheet;
}

QRect InkOf(const QImage& page) {
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
}

void ClickListRow(ListView* list, int row, int column) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row, column)).center());
}

QStringList MessageTexts() {
    QStringList texts;
    for (const seams::MessageBoxCall& call : seams::MessageBoxCalls()) texts << call.text;
    return texts;
}
