// The benchmark: generates large install folders (Workload.h) and prints, for each figure, the
// median of several runs and its ratio to a floor measured in the same run. The floor of the
// timings is a plain loop over the very SELECTs the data store ran while loading (captured from
// SQLite as they ran, with their bound values), stepping every row and reading every column; the
// floor of the memory figure is the same program started on an empty install folder.
//
//   ox_bench [--birds=20000,100000] [--runs=7] [--keep=FOLDER]
//   ox_bench --generate FOLDER BIRDS        (only writes the install folder)

#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Fonts.h"
#include "ListView.h"
#include "MainDialog.h"
#include "Places.h"
#include "ResourceInit.h"
#include "Seams.h"
#include "Settings.h"
#include "StandardControls.h"
#include "StartupSplash.h"
#include "V5Data.h"
#include "V5FolderWriter.h"
#include "V5Import.h"
#include "Workload.h"
#include "ZakladkaListaPsow.h"

namespace {

// ---- the SELECTs the loaders run ----------------------------------------------------------------

struct CapturedQuery {
    std::string file;
    std::string sql;  // with the bound values written in
};

bool g_capturing = false;
std::vector<CapturedQuery> g_captured;

int OnTrace(unsigned, void*, void* statement, void*) {
    if (!g_capturing) return 0;
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    if (!sqlite3_stmt_readonly(stmt) || sqlite3_column_count(stmt) == 0) return 0;
    char* sql = sqlite3_expanded_sql(stmt);
    if (sql == nullptr) return 0;
    const char* file = sqlite3_db_filename(sqlite3_db_handle(stmt), "main");
    g_captured.push_back({file ? file : "", sql});
    sqlite3_free(sql);
    return 0;
}

int TraceEveryConnection(sqlite3* db, char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, OnTrace, nullptr);
    return SQLITE_OK;
}

// Opens each file as the loaders did (one connection per run of queries on the same file) and
// steps every captured SELECT, reading each column in its stored type.
long long ReplayFloor(const std::vector<CapturedQuery>& queries) {
    long long sink = 0;
    sqlite3* db = nullptr;
    std::string open;
    for (const CapturedQuery& q : queries) {
        if (db == nullptr || q.file != open) {
            if (db != nullptr) sqlite3_close(db);
            sqlite3_open_v2(q.file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
            open = q.file;
        }
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, q.sql.c_str(), -1, &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER: sink += sqlite3_column_int64(stmt, c); break;
                case SQLITE_FLOAT: sink += static_cast<long long>(sqlite3_column_double(stmt, c)); break;
                case SQLITE_TEXT:
                    sqlite3_column_text16(stmt, c);
                    sink += sqlite3_column_bytes16(stmt, c);
                    break;
                default: break;
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    if (db != nullptr) sqlite3_close(db);
    return sink;
}

// ---- timing -----------------------------------------------------------------------------------

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

void Print(const char* figure, double seconds, double floor) {
    std::printf("  %-34s %9.1f ms   %6.2f x floor\n", figure, seconds * 1000, floor > 0 ? seconds / floor : 0.0);
    std::fflush(stdout);
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// ---- the main window ----------------------------------------------------------------------------

struct Window {
    std::unique_ptr<CMainDialog> dialog;

    int ListRows() const { return dialog->BirdListPage()->PigeonList()->GetItemCount(); }

    // From nothing to the bird list showing its first category.
    void Start() {
        dialog = std::make_unique<CMainDialog>();
        dialog->resize(1280, 800);
        dialog->show();
        QElapsedTimer waited;
        waited.start();
        while (ListRows() == 0 && waited.elapsed() < 60000) QApplication::processEvents();
    }
    void ChooseLoft(int index) {
        dialog->LoftCombo()->SetCurSel(index);
        dialog->Fire(CMainDialog::kLoftCombo, Notification::SelChange);
        ProcessEvents();
    }
    void ChooseCategory(int index) {
        dialog->CategoryCombo()->SetCurSel(index);
        dialog->Fire(CMainDialog::kCategoryCombo, Notification::SelChange);
        ProcessEvents();
    }
    void ShowPage(int page) {
        const Rect header = dialog->HeaderRect(page);
        dialog->OnPageStripClick(QPoint((header.left + header.right) / 2, (header.top + header.bottom) / 2));
        ProcessEvents();
    }
};

// ---- peak memory, in a process of its own -------------------------------------------------------

// The high-water mark of this process's resident memory, from the kernel (KiB).
long HighWaterKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

// Starts the program's main window on `folder` in a fresh process (so nothing of this one is
// counted) and returns that process's peak.
long PeakKiB(const char* self, const QString& folder) {
    const std::string command = std::string("'") + self + "' --start-only '" + folder.toStdString() + "' 2>/dev/null";
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return -1;
    long kib = -1;
    char line[128];
    while (std::fgets(line, sizeof line, child) != nullptr) std::sscanf(line, "peak-kib %ld", &kib);
    return pclose(child) == 0 ? kib : -1;
}

int StartOnly(const char* folder) {
    settings::SetInstallPath(QString::fromLocal8Bit(folder));
    places::ConnectDataStore();
    if (!places::LayOutInstallFolder()) return 1;
    Window window;
    window.Start();
    std::printf("peak-kib %ld\n", HighWaterKiB());
    return 0;
}

void SetUpApplicationState() {
    seams::SetTestMode(true);  // nobody is there to answer a message box
    InitResources();
    RegisterProgramControls();
    CMainDialog::EnableStartupPause(false);
    CStartupSplash::EnableSplash(0);
}

// ---- one workload -------------------------------------------------------------------------------

void RunWorkload(const char* self, const QString& root, int birds, int runs) {
    WorkloadSize size;
    size.birds = birds;
    const QString folder = root + QStringLiteral("/install-%1").arg(birds);
    std::string error;
    const double generated = Seconds([&] {
        if (!GenerateInstallFolder(folder.toStdString(), size, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    });
    std::printf("\n%d birds (%d pairs, %d young, %d flights x %d results, %d treatments, %d "
                "transactions; a second loft of 50), generated in %.1f s\n",
                birds, size.pairs(), size.pairs() * size.youngPerPair(), size.flights(),
                size.resultsPerFlight(), size.treatments(), size.transactions(), generated);

    settings::SetInstallPath(folder);
    places::ConnectDataStore();
    places::LayOutInstallFolder();

    // The SELECTs of one load, then the load and its floor in turns.
    CDataStore& store = TheDataStore();
    g_captured.clear();
    g_capturing = true;
    store.LoadLofts();
    store.LoadPigeonsDb(1);
    store.LoadExtraDb(1);
    g_capturing = false;
    std::vector<double> load, floor;
    for (int r = 0; r < runs; ++r) {
        floor.push_back(Seconds([] { ReplayFloor(g_captured); }));
        load.push_back(Seconds([&] {
            store.LoadLofts();
            store.LoadPigeonsDb(1);
            store.LoadExtraDb(1);
        }));
    }
    const double floorSeconds = Median(floor);
    std::printf("  %-34s %9.1f ms   (%zu SELECTs)\n", "floor: plain loop over the SELECTs", floorSeconds * 1000,
                g_captured.size());
    Print("data-store load", Median(load), floorSeconds);

    std::vector<double> start, loftSwitch, categoryFill, pairing, flights;
    int bigRows = 0;
    for (int r = 0; r < runs; ++r) {
        Window window;
        start.push_back(Seconds([&] { window.Start(); }));
        window.ChooseLoft(1);
        loftSwitch.push_back(Seconds([&] { window.ChooseLoft(0); }));
        window.ChooseCategory(1);
        categoryFill.push_back(Seconds([&] { window.ChooseCategory(0); }));
        bigRows = window.ListRows();
        pairing.push_back(Seconds([&] { window.ShowPage(CMainDialog::kPairingPage); }));
        window.ShowPage(CMainDialog::kBirdListPage);
        flights.push_back(Seconds([&] { window.ShowPage(CMainDialog::kFlightsPage); }));
        window.dialog.reset();
        ProcessEvents();
    }
    Print("start to bird list shown", Median(start), floorSeconds);
    // With the splash pause of the real start: what is left once the 700 ms pause is over.
    std::vector<double> afterSplash;
    CMainDialog::EnableStartupPause(true);
    for (int r = 0; r < runs; ++r) {
        Window window;
        afterSplash.push_back(std::max(0.0, Seconds([&] { window.Start(); }) - 0.7));
    }
    CMainDialog::EnableStartupPause(false);
    Print("list shown after the splash pause", Median(afterSplash), floorSeconds);
    Print("loft switch (50 birds to all)", Median(loftSwitch), floorSeconds);
    char label[64];
    std::snprintf(label, sizeof label, "category fill (%d birds)", bigRows);
    Print(label, Median(categoryFill), floorSeconds);
    Print("pairing page shown", Median(pairing), floorSeconds);
    Print("flights page shown", Median(flights), floorSeconds);

    QTemporaryDir empty;
    const long emptyPeak = PeakKiB(self, empty.path());
    const long peak = PeakKiB(self, folder);
    std::printf("  %-34s %9.1f MiB  %6.2f x empty install folder (%.1f MiB)\n", "peak memory at start",
                peak / 1024.0, emptyPeak > 0 ? double(peak) / double(emptyPeak) : 0.0, emptyPeak / 1024.0);
    std::fflush(stdout);
}

// ---- the previous version's data ----------------------------------------------------------------

// Imports a generated 10,000-bird folder (pairs and flights included) into a fresh install folder
// per run; the floor is reading the folder alone.
void RunVersion5Import(const QString& root, int runs) {
    const std::filesystem::path source = (root + QStringLiteral("/v5")).toStdString();
    v5write::WriteLargeFolder(source, 10000, 1000, 200, 50);
    std::printf("\nversion-5 folder: 10000 birds, 1000 pairs with 2000 young, 200 flights x 50 results\n");
    std::vector<double> reading, import;
    V5ImportSummary summary;
    for (int r = 0; r < runs; ++r) {
        reading.push_back(Seconds([&] {
            V5Data data;
            data.LoadAll(source);
        }));
        const QString target = root + QStringLiteral("/v5-import-%1").arg(r);
        settings::SetInstallPath(target);
        places::ConnectDataStore();
        places::LayOutInstallFolder();
        CDataStore& store = TheDataStore();
        store.LoadLofts();
        store.LoadPigeonsDb(-1);
        store.LoadExtraDb(-1);
        import.push_back(Seconds([&] {
            V5Data data;
            data.LoadAll(source);
            summary = ImportV5Data(data, V5ImportOptions{.pairs = true, .flights = true});
        }));
        QDir(target).removeRecursively();
    }
    const double floor = Median(reading);
    std::printf("  %-34s %9.1f ms\n", "floor: reading the folder", floor * 1000);
    Print(summary.ok ? "version-5 import" : "version-5 import (FAILED)", Median(import), floor);
}

std::vector<int> ParseSizes(const char* text) {
    std::vector<int> sizes;
    for (const char* p = text; *p;) {
        sizes.push_back(std::atoi(p));
        p = std::strchr(p, ',');
        if (p == nullptr) break;
        ++p;
    }
    return sizes;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--generate") == 0) {
        WorkloadSize size;
        size.birds = std::atoi(argv[3]);
        std::string error;
        if (!GenerateInstallFolder(argv[2], size, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");

    std::vector<int> sizes = {20000, 100000};
    int runs = 7;
    QString keep;
    bool startOnly = false;
    const char* startFolder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--birds=", 8) == 0) sizes = ParseSizes(argv[i] + 8);
        else if (std::strncmp(argv[i], "--runs=", 7) == 0) runs = std::max(1, std::atoi(argv[i] + 7));
        else if (std::strncmp(argv[i], "--keep=", 7) == 0) keep = QString::fromLocal8Bit(argv[i] + 7);
        else if (std::strcmp(argv[i], "--start-only") == 0 && i + 1 < argc) {
            startOnly = true;
            startFolder = argv[++i];
        }
    }

    QTemporaryDir home;
    if (!startOnly) {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
            const QString folder = home.filePath(QString::fromLatin1(name));
            QDir().mkpath(folder);
            qputenv(name, QFile::encodeName(folder));
        }
    }
    fonts::InstallAliases();
    QApplication app(argc, argv);
    SetUpApplicationState();
    if (startOnly) return StartOnly(startFolder);

    // As the data store sets it before its first connection (the trace below starts the library).
    sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(TraceEveryConnection));
    const QString root = keep.isEmpty() ? home.path() : keep;
    QDir().mkpath(root);
    std::printf("Medians of %d runs; timings as ratios to the floor of the same workload.\n", runs);
    for (const int birds : sizes) RunWorkload(argv[0], root, birds, runs);
    RunVersion5Import(root, runs);
    return 0;
}
