// The column layout files (rows.dat, rows3.dat) byte for byte, damaged files, and the two
// column-setup windows that write them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ColumnLayout.h"
#include "ControlKinds.h"
#include "Dialog.h"
#include "Seams.h"
#include "Settings.h"
#include "Places.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "UstawKolumny.h"
#include "UstawKolumnyWynikiLotowe.h"

namespace {

// Little-endian 32-bit numbers, as the files hold them.
std::string Bytes(std::initializer_list<std::int32_t> numbers) {
    std::string out;
    for (const std::int32_t n : numbers) {
        const auto u = static_cast<std::uint32_t>(n);
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
    }
    return out;
}

std::string FileBytes(const Text& path) {
    QFile file(QString::fromStdU16String(path));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

void WriteBytes(const Text& path, const std::string& bytes) {
    QFile file(QString::fromStdU16String(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList Rows(ListBoxControl* list) {
    QStringList rows;
    for (int i = 0; i < list->GetCount(); ++i) rows << list->GetText(i);
    return rows;
}

class ColumnLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterProgramControls(); }
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        settings::SetInstallPath(folder_.path());
        places::ConnectDataStore();
        seams::Reset();
    }
    void TearDown() override {
        seams::Reset();
        settings::SetInstallPath(QString());
    }

    template <class D>
    static int Run(D& dialog, std::function<void(D&)> hands) {
        seams::QueueModalHandler([&](Dialog&) {
            hands(dialog);
            return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
        });
        return dialog.DoModal();
    }

    static void Select(Dialog& d, int list, int row) {
        d.ListBox(list)->SetCurSel(row);
        d.Fire(list, Notification::SelChange);
    }

    QTemporaryDir folder_;
};

// ---- the file form ----------------------------------------------------------------------------

TEST_F(ColumnLayoutTest, FileIsTheCountThenCodeAndWidthPairsLittleEndian) {
    ColumnLayoutFile layout;
    layout.codes = {14, 16, 300};
    layout.widths = {{14, 125}, {16, 80}, {99, 7}};
    ASSERT_TRUE(layout.Write(ListLayoutPath()));
    // A code without a width is written with 0; widths of codes not chosen are not written.
    EXPECT_EQ(FileBytes(ListLayoutPath()), Bytes({3, 14, 125, 16, 80, 300, 0}));
    EXPECT_EQ(FileBytes(ListLayoutPath()).substr(0, 8), std::string("\x03\0\0\0\x0e\0\0\0", 8));
    EXPECT_EQ(QString::fromStdU16String(ListLayoutPath()), QDir(folder_.path()).filePath("rows.dat"));
    EXPECT_EQ(QString::fromStdU16String(FlightResultLayoutPath()),
              QDir(folder_.path()).filePath("rows3.dat"));

    ColumnLayoutFile back;
    EXPECT_TRUE(back.Read(ListLayoutPath()));
    EXPECT_EQ(back.codes, (std::vector<std::int32_t>{14, 16, 300}));
    EXPECT_EQ(back.WidthOf(16), 80);
    EXPECT_EQ(back.WidthOf(300), 0);
    EXPECT_EQ(back.WidthOf(99), 0);
}

TEST_F(ColumnLayoutTest, EmptyTruncatedAndRepeatedFilesGiveThePairsReadInFull) {
    ColumnLayoutFile layout;
    // Missing.
    EXPECT_FALSE(layout.Read(ListLayoutPath()));
    EXPECT_TRUE(layout.codes.empty());
    // Empty file, and a count cut short.
    WriteBytes(ListLayoutPath(), "");
    EXPECT_FALSE(layout.Read(ListLayoutPath()));
    EXPECT_TRUE(layout.codes.empty());
    WriteBytes(ListLayoutPath(), std::string("\x02\0", 2));
    EXPECT_FALSE(layout.Read(ListLayoutPath()));
    EXPECT_TRUE(layout.codes.empty());
    // A count of 0.
    WriteBytes(ListLayoutPath(), Bytes({0}));
    EXPECT_TRUE(layout.Read(ListLayoutPath()));
    EXPECT_TRUE(layout.codes.empty());
    // Three pairs announced, one and a half there; a huge count is no reason to allocate.
    WriteBytes(ListLayoutPath(), Bytes({3, 14, 125, 16}));
    EXPECT_FALSE(layout.Read(ListLayoutPath()));
    EXPECT_EQ(layout.codes, std::vector<std::int32_t>{14});
    EXPECT_EQ(layout.WidthOf(14), 125);
    EXPECT_EQ(layout.WidthOf(16), 0);
    WriteBytes(ListLayoutPath(), Bytes({0x7FFFFFFF, 2, 60}));
    EXPECT_FALSE(layout.Read(ListLayoutPath()));
    EXPECT_EQ(layout.codes, std::vector<std::int32_t>{2});
    WriteBytes(ListLayoutPath(), Bytes({-4, 2, 60}));
    layout.Read(ListLayoutPath());
    EXPECT_TRUE(layout.codes.empty());
    // A code stored twice: two columns, both with the width stored last.
    WriteBytes(ListLayoutPath(), Bytes({3, 16, 80, 14, 125, 16, 40}));
    EXPECT_TRUE(layout.Read(ListLayoutPath()));
    EXPECT_EQ(layout.codes, (std::vector<std::int32_t>{16, 14, 16}));
    EXPECT_EQ(layout.WidthOf(16), 40);
    // Extra bytes after the announced pairs are ignored.
    WriteBytes(ListLayoutPath(), Bytes({1, 3, 90, 5, 5}));
    EXPECT_TRUE(layout.Read(ListLayoutPath()));
    EXPECT_EQ(layout.codes, std::vector<std::int32_t>{3});
}

TEST(ColumnTexts, SetupAndExportTextsDifferFromTheListHeadersWhereTheyShould) {
    EXPECT_EQ(ListColumnTitle(1), u"Nazwa");
    EXPECT_EQ(ListColumnSetupTitle(1), u"Nazwa gołębia");
    EXPECT_EQ(ListColumnTitle(19), u"Ocena");
    EXPECT_EQ(ListColumnSetupTitle(19), u"Średnia ocena");
    EXPECT_EQ(ListColumnSetupTitle(13), u"Data wyjścia na dach");
    EXPECT_EQ(ListColumnTitle(20), u"");
    EXPECT_EQ(ListColumnSetupTitle(-1), u"");
    EXPECT_EQ(ExportColumnName(1), u"Obrączka");
    EXPECT_EQ(ExportColumnName(10), u"Nazwa gołębia");
    EXPECT_EQ(ExportColumnName(14), u"");
    EXPECT_EQ(ExportColumnName(19), u"Płeć (1-0;0-1)");
    EXPECT_EQ(ExportColumnName(20), u"Kod koloru");
    EXPECT_EQ(ExportColumnName(21), u"");
    EXPECT_EQ(FlightResultColumnTitle(10), u"Coefficent");
    EXPECT_EQ(FlightResultColumnTitle(12), u"");
}

// ---- the bird list's column setup -------------------------------------------------------------

TEST_F(ColumnLayoutTest, ChosenCountryAndRingWithTheirWidthsSaveAsTwentyBytes) {
    CUstawKolumny dialog;
    dialog.dialogTitle = u"Ustaw kolumny na liście gołębi";
    EXPECT_EQ(Run<CUstawKolumny>(dialog, [](CUstawKolumny& d) {
                  EXPECT_EQ(d.windowTitle(), QStringLiteral("Ustaw kolumny na liście gołębi"));
                  const QStringList offered = Rows(d.ListBox(1069));
                  ASSERT_EQ(offered.size(), 18);
                  EXPECT_EQ(offered.mid(0, 5), (QStringList{"Kraj", "Oddział", "Rocznik", "Obrączka",
                                                            "Nazwa gołębia"}));
                  EXPECT_EQ(offered.last(), QStringLiteral("Średnia ocena"));
                  Select(d, 1069, 0);   // Kraj
                  d.RunCommand(1013);
                  Select(d, 1069, 3);   // Obrączka
                  d.RunCommand(1013);
                  Select(d, 1070, 1);
                  EXPECT_EQ(d.ItemText(1081), u"125");
                  d.SetItemText(1081, u"80");
                  d.RunCommand(1197);
                  d.RunCommand(1071);
              }),
              IDOK);
    EXPECT_EQ(FileBytes(ListLayoutPath()), Bytes({2, 14, 125, 16, 80}));
    EXPECT_EQ(FileBytes(ListLayoutPath()).size(), 20u);
}

TEST_F(ColumnLayoutTest, OrderingRemovingAndAddingAgainWorkOnTheChosenColumns) {
    CUstawKolumny dialog;
    dialog.columnCodes = {16, 2, 19};
    dialog.columnWidths = {{16, 80}, {2, 50}, {19, 30}};
    EXPECT_EQ(Run<CUstawKolumny>(dialog, [](CUstawKolumny& d) {
                  EXPECT_EQ(Rows(d.ListBox(1070)), (QStringList{"Obrączka", "Płeć", "Średnia ocena"}));
                  // The ends do not move.
                  Select(d, 1070, 0);
                  d.RunCommand(1199);
                  Select(d, 1070, 2);
                  d.RunCommand(1200);
                  EXPECT_EQ(d.columnCodes, (std::vector<std::int32_t>{16, 2, 19}));
                  // The last one up, the selection follows it.
                  d.RunCommand(1199);
                  EXPECT_EQ(d.columnCodes, (std::vector<std::int32_t>{16, 19, 2}));
                  EXPECT_EQ(d.ListBox(1070)->GetCurSel(), 1);
                  Select(d, 1070, 0);
                  d.RunCommand(1200);
                  EXPECT_EQ(d.columnCodes, (std::vector<std::int32_t>{19, 16, 2}));
                  EXPECT_EQ(Rows(d.ListBox(1070)), (QStringList{"Średnia ocena", "Obrączka", "Płeć"}));
                  // Removed and added again: back at the default width.
                  Select(d, 1070, 1);
                  d.RunCommand(1024);
                  EXPECT_EQ(Rows(d.ListBox(1070)), (QStringList{"Średnia ocena", "Płeć"}));
                  Select(d, 1069, 3);
                  d.RunCommand(1013);
                  // A width set on a code applies to each column of that code.
                  Select(d, 1069, 7);   // Płeć a second time
                  d.RunCommand(1013);
                  Select(d, 1070, 1);
                  d.SetItemText(1081, u"66");
                  d.RunCommand(1197);
                  d.RunCommand(1071);
              }),
              IDOK);
    EXPECT_EQ(FileBytes(ListLayoutPath()), Bytes({4, 19, 30, 2, 66, 16, 125, 2, 66}));
}

TEST_F(ColumnLayoutTest, NothingChosenSavesACountOfZeroAndCancelWritesNothing) {
    CUstawKolumny cancelled;
    cancelled.columnCodes = {2};
    EXPECT_EQ(Run<CUstawKolumny>(cancelled, [](CUstawKolumny& d) { d.RunCommand(1072); }), IDCANCEL);
    EXPECT_EQ(FileBytes(ListLayoutPath()), "<missing>");

    CUstawKolumny empty;
    EXPECT_EQ(Run<CUstawKolumny>(empty, [](CUstawKolumny& d) { d.RunCommand(1071); }), IDOK);
    EXPECT_EQ(FileBytes(ListLayoutPath()), Bytes({0}));
}

TEST_F(ColumnLayoutTest, AFileThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
    WriteBytes(ListLayoutPath(), Bytes({1, 14, 125}));
    // The install folder is gone: nothing can be written there.
    SetInstallPath(QDir(folder_.path()).filePath("no/such/folder").toStdU16String());
    CUstawKolumny dialog;
    Run<CUstawKolumny>(dialog, [](CUstawKolumny& d) {
        d.RunCommand(1071);
        EXPECT_FALSE(d.HasEnded());
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
        EXPECT_TRUE(seams::MessageBoxCalls()[0].text.contains("rows.dat"));
        d.RunCommand(1072);
    });
    EXPECT_EQ(dialog.EndCode(), IDCANCEL);
    SetInstallPath(folder_.path().toStdU16String());
    EXPECT_EQ(FileBytes(ListLayoutPath()), Bytes({1, 14, 125}));
}

// ---- the flight results' column setup ---------------------------------------------------------

TEST_F(ColumnLayoutTest, FlightResultSetupReadsRows3AndWritesItWithItsOwnDefaults) {
    // A file cut short: the pair read in full is kept.
    WriteBytes(FlightResultLayoutPath(), Bytes({2, 11, 30, 7}));
    CUstawKolumnyWynikiLotowe dialog;
    EXPECT_EQ(Run<CUstawKolumnyWynikiLotowe>(dialog, [](CUstawKolumnyWynikiLotowe& d) {
                  EXPECT_EQ(Rows(d.ListBox(1070)), QStringList{"Czas przylotu"});
                  const QStringList offered = Rows(d.ListBox(1069));
                  ASSERT_EQ(offered.size(), 12);
                  EXPECT_EQ(offered.first(), QStringLiteral("LP."));
                  EXPECT_EQ(offered[10], QStringLiteral("Coefficent"));
                  Select(d, 1069, 7);   // Szybkość
                  d.RunCommand(1013);
                  Select(d, 1070, 1);
                  EXPECT_EQ(d.ItemText(1081), u"25");
                  d.RunCommand(1071);
              }),
              IDOK);
    EXPECT_EQ(FileBytes(FlightResultLayoutPath()), Bytes({2, 11, 30, 7, 25}));
    // rows.dat is not touched by the twin.
    EXPECT_EQ(FileBytes(ListLayoutPath()), "<missing>");

    // Missing file: no columns, and a new file can be written.
    QFile::remove(QString::fromStdU16String(FlightResultLayoutPath()));
    CUstawKolumnyWynikiLotowe fresh;
    EXPECT_EQ(Run<CUstawKolumnyWynikiLotowe>(fresh, [](CUstawKolumnyWynikiLotowe& d) {
                  EXPECT_EQ(d.ListBox(1070)->GetCount(), 0);
                  Select(d, 1069, 0);
                  d.RunCommand(1013);
                  d.RunCommand(1071);
              }),
              IDOK);
    EXPECT_EQ(FileBytes(FlightResultLayoutPath()), Bytes({1, 0, 25}));
}

}  // namespace
