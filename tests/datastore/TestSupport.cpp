#include "TestSupport.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {
// The tests' dates and times are Warsaw's (a zone with daylight saving); each binary that uses
// these helpers sets it itself before any test runs, whatever zone it was started in.
const bool kWarsawTime = [] {
    setenv("TZ", "Europe/Warsaw", 1);
    tzset();
    return true;
}();
}  // namespace

void DataStoreTest::SetUp() {
    std::random_device rd;
    root_ = fs::temp_directory_path() /
            ("ox-ds-" + std::to_string(rd()) + "-" + std::to_string(::getpid()));
    fs::create_directories(root_);
    SetInstallPath(FromUtf8(root_.string()));
    ASSERT_TRUE(EnsureDbFolders());
}

void DataStoreTest::TearDown() {
    SetInstallPath(Text());
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void DataStoreTest::Reload(int loftId) {
    store_.LoadLofts();
    store_.LoadPigeonsDb(loftId);
    store_.LoadExtraDb(loftId);
}

void DataStoreTest::Exec(const Text& dbPath, const std::string& sqlUtf8) {
    SqlDatabase db(dbPath);
    ASSERT_TRUE(db.ok());
    ASSERT_TRUE(db.Exec(FromUtf8(sqlUtf8))) << sqlUtf8 << ": " << db.LastError();
}

long long DataStoreTest::QueryInt(const Text& dbPath, const std::string& sqlUtf8,
                                  long long fallback) {
    SqlDatabase db(dbPath);
    return db.QueryInt64(FromUtf8(sqlUtf8), {}, fallback);
}

std::string DataStoreTest::QueryText(const Text& dbPath, const std::string& sqlUtf8) {
    SqlDatabase db(dbPath);
    SqlStatement st = db.Prepare(FromUtf8(sqlUtf8));
    if (!st.NextRow()) return "<no row>";
    return ToUtf8(st.String(0));
}

bool DataStoreTest::QueryIsNull(const Text& dbPath, const std::string& sqlUtf8) {
    SqlDatabase db(dbPath);
    SqlStatement st = db.Prepare(FromUtf8(sqlUtf8));
    return st.NextRow() && st.IsNull(0);
}

double DataStoreTest::QueryDouble(const Text& dbPath, const std::string& sqlUtf8) {
    SqlDatabase db(dbPath);
    SqlStatement st = db.Prepare(FromUtf8(sqlUtf8));
    return st.NextRow() ? st.Double(0) : -999.0;
}

Text U(const std::string& utf8) { return FromUtf8(utf8); }
std::string S(const Text& text) { return ToUtf8(text); }

Text WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream f(path, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return FromUtf8(path.string());
}
