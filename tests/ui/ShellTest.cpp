// The desktop services: copying a folder tree (the database backup and restore) with the
// question before each replaced file, finding the calculator, and the scripted choosers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include "Seams.h"
#include "Shell.h"

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class CopyFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        seams::Reset();
        source_ = dir_.filePath(QStringLiteral("db"));
        target_ = dir_.filePath(QStringLiteral("kopia/OXKopiaDanych"));
        Write(source_ + QStringLiteral("/pigeons.db"), "nowa baza");
        Write(source_ + QStringLiteral("/images/1000.jpg"), "nowe zdjęcie");
        Write(source_ + QStringLiteral("/notes/7.html"), "notatka");
        Write(target_ + QStringLiteral("/pigeons.db"), "stara baza");
        Write(target_ + QStringLiteral("/images/1000.jpg"), "stare zdjęcie");
    }
    void TearDown() override { seams::Reset(); }
    QString Source(const char* name) const { return source_ + QLatin1Char('/') + QLatin1String(name); }
    QString Target(const char* name) const { return target_ + QLatin1Char('/') + QLatin1String(name); }

    QTemporaryDir dir_;
    QString source_, target_;
};

TEST_F(CopyFolderTreeTest, EachExistingFileIsAskedAboutAndNewFilesAreCopiedSilently) {
    seams::ScriptMessageBoxAnswers({IDYES, IDNO});  // images/1000.jpg first, then pigeons.db
    EXPECT_TRUE(shell::CopyFolderTree(source_, target_));
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains(QStringLiteral("1000.jpg")));
    EXPECT_EQ(seams::MessageBoxCalls()[0].flags & 0xF, MB_YESTOALLNOCANCEL);
    EXPECT_EQ(Read(Target("images/1000.jpg")), QByteArray("nowe zdjęcie"));
    EXPECT_EQ(Read(Target("pigeons.db")), QByteArray("stara baza"));  // "No" keeps it
    EXPECT_EQ(Read(Target("notes/7.html")), QByteArray("notatka"));
    EXPECT_FALSE(QFile::exists(Target("pigeons.db.oxcopy-part")));
}

TEST_F(CopyFolderTreeTest, YesToAllAsksOnce) {
    seams::ScriptMessageBoxAnswers({IDYESTOALL});
    EXPECT_TRUE(shell::CopyFolderTree(source_, target_));
    EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);
    EXPECT_EQ(Read(Target("images/1000.jpg")), QByteArray("nowe zdjęcie"));
    EXPECT_EQ(Read(Target("pigeons.db")), QByteArray("nowa baza"));
}

TEST_F(CopyFolderTreeTest, CancelStopsAndReportsFailure) {
    seams::ScriptMessageBoxAnswers({IDCANCEL});
    EXPECT_FALSE(shell::CopyFolderTree(source_, target_));
    EXPECT_EQ(Read(Target("images/1000.jpg")), QByteArray("stare zdjęcie"));
    EXPECT_EQ(Read(Target("pigeons.db")), QByteArray("stara baza"));
    EXPECT_FALSE(QFile::exists(Target("notes/7.html")));  // nothing after the cancel
}

TEST_F(CopyFolderTreeTest, CopyKeepsTheModificationTime) {
    const QString fresh = dir_.filePath(QStringLiteral("nowa"));
    ASSERT_TRUE(shell::CopyFolderTree(source_, fresh));
    EXPECT_EQ(QFileInfo(fresh + QStringLiteral("/pigeons.db")).lastModified().toSecsSinceEpoch(),
              QFileInfo(Source("pigeons.db")).lastModified().toSecsSinceEpoch());
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
}

TEST_F(CopyFolderTreeTest, DestinationInsideTheSourceIsNotCopiedIntoItself) {
    const QString inside = source_ + QStringLiteral("/OXKopiaDanych");
    EXPECT_TRUE(shell::CopyFolderTree(source_, inside));
    EXPECT_EQ(Read(inside + QStringLiteral("/images/1000.jpg")), QByteArray("nowe zdjęcie"));
    EXPECT_FALSE(QFileInfo::exists(inside + QStringLiteral("/OXKopiaDanych")));
}

TEST_F(CopyFolderTreeTest, FolderCopiedOntoItselfStaysWhole) {
    EXPECT_TRUE(shell::CopyFolderTree(source_, source_ + QStringLiteral("/.")));
    EXPECT_EQ(Read(Source("pigeons.db")), QByteArray("nowa baza"));
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
    EXPECT_FALSE(shell::CopyFolderTree(dir_.filePath(QStringLiteral("brak")), target_));
}

class PathGuard {
public:
    explicit PathGuard(const QString& path) : saved_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(path)); }
    ~PathGuard() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

TEST(ShellTest, CalculatorIsTheFirstOneFoundOnThePath) {
    seams::Reset();
    QTemporaryDir bin;
    for (const char* name : {"xcalc", "mate-calc"}) {
        const QString path = bin.filePath(QLatin1String(name));
        Write(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    {
        PathGuard guard(bin.path());
        EXPECT_EQ(shell::FindCalculator(), bin.filePath(QStringLiteral("mate-calc")));
        EXPECT_TRUE(shell::StartCalculator());
        ASSERT_EQ(seams::StartedPrograms().size(), 1u);
        EXPECT_EQ(seams::StartedPrograms()[0], bin.filePath(QStringLiteral("mate-calc")));
    }
    QTemporaryDir empty;
    PathGuard guard(empty.path());
    EXPECT_TRUE(shell::FindCalculator().isEmpty());
    EXPECT_FALSE(shell::StartCalculator());
    EXPECT_EQ(seams::StartedPrograms().size(), 1u);
    seams::Reset();
}

// The desktop's opener says whether a program took the document: one that finds none fails,
// one that keeps running is running the program.
TEST(ShellTest, OpeningADocumentFailsWhenNoProgramTakesIt) {
    QTemporaryDir bin;
    const QString opener = bin.filePath(QStringLiteral("xdg-open"));
    const QString log = bin.filePath(QStringLiteral("log"));
    const auto script = [&](const QByteArray& body) {
        Write(opener, "#!/bin/sh\necho \"$1\" >> '" + QFile::encodeName(log) + "'\n" + body);
        QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const QString document = bin.filePath(QStringLiteral("umowa 1.pdf"));
    PathGuard guard(bin.path() + QStringLiteral(":/usr/bin:/bin"));
    script("echo \"no method available\" >&2\nexit 3\n");
    EXPECT_FALSE(OpenWithDesktopProgram(document));
    script("exit 0\n");
    EXPECT_TRUE(OpenWithDesktopProgram(document));
    script("sleep 5\n");
    EXPECT_TRUE(OpenWithDesktopProgram(document));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count(QFile::encodeName(document) + "\n"), 3);
}

TEST(ShellTest, ChoosersTakeScriptedPathsAndEmptyMeansCancelled) {
    seams::Reset();
    seams::ScriptPaths({QStringLiteral("/tmp/wyniki"), QStringLiteral("/tmp/kopie")});
    EXPECT_EQ(GetSaveFileName(nullptr, QStringLiteral("Plik HTML"), QStringLiteral("html"),
                              QStringLiteral("*.html")),
              QStringLiteral("/tmp/wyniki.html"));
    QString folder = QStringLiteral("unchanged");
    EXPECT_TRUE(shell::ChooseFolder(folder, QStringLiteral("Wybierz folder")));
    EXPECT_EQ(folder, QStringLiteral("/tmp/kopie"));
    EXPECT_FALSE(shell::ChooseFolder(folder, QStringLiteral("Wybierz folder")));
    EXPECT_EQ(folder, QStringLiteral("/tmp/kopie"));
    EXPECT_TRUE(GetOpenFileName(nullptr, QStringLiteral("All Files (*.*)|*.*||")).isEmpty());
    ASSERT_EQ(seams::ChooserCalls().size(), 4u);
    EXPECT_EQ(seams::ChooserCalls()[0].filter, QStringLiteral("Plik HTML"));
    EXPECT_TRUE(shell::Open(QStringLiteral("http://example.invalid/")));
    EXPECT_EQ(seams::OpenedDocuments().size(), 1u);
    seams::Reset();
}

TEST(ShellTest, FilterTextsBecomeQtFilters) {
    EXPECT_EQ(FileFilterForQt(QStringLiteral(
                  "JPEG files (*.jpg;*.jpeg)|*.jpg; *.jpeg|Bitmap files (*.bmp)|*.bmp|All Files (*.*)|*.*||")),
              QStringLiteral("JPEG files (*.jpg *.jpeg);;Bitmap files (*.bmp);;All Files (*.*)"));
    EXPECT_EQ(FileFilterForQt(QStringLiteral("Plik HTML")), QStringLiteral("Plik HTML (*)"));
    // Each pattern shows once; brackets that name other patterns than the real ones stay and
    // the real ones follow, so the dialog still filters by what the program asked for.
    EXPECT_EQ(FileFilterForQt(QStringLiteral("Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||")),
              QStringLiteral("Pliki tekstowe (*.txt);;Wszystkie pliki (*.*)"));
    EXPECT_EQ(FileFilterForQt(QStringLiteral("Dokumenty (*.doc;*.xls)|*.doc; *.docx|Wszystkie pliki|*.*")),
              QStringLiteral("Dokumenty (*.doc;*.xls) (*.doc *.docx);;Wszystkie pliki (*.*)"));
}

TEST(ShellTest, PrintingGoesToThePdfFileWhileItIsSet) {
    QPrinter printer;
    EXPECT_FALSE(PreparePrinter(printer, nullptr, false));  // tests never reach a printer
    seams::SetPrintToPdf(QStringLiteral("/tmp/wydruk.pdf"));
    EXPECT_TRUE(PreparePrinter(printer, nullptr, true));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/wydruk.pdf"));
    seams::SetPrintToPdf({});
}

}  // namespace
