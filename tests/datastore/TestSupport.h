#pragma once
// Shared fixture for the data-store tests: a fresh install folder per test, and small helpers
// that read the database files directly (so tests check what reached the file, not memory).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DataStore.h"
#include "SharedRoutines.h"
#include "Sqlite.h"

class DataStoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads lofts and then the given loft from both files, as the main window does.
    void Reload(int loftId);

    // Runs one statement on a file directly (bypassing the store); fails the test on error.
    void Exec(const Text& dbPath, const std::string& sqlUtf8);
    // First column of the first row, or `fallback`.
    long long QueryInt(const Text& dbPath, const std::string& sqlUtf8, long long fallback = -999);
    std::string QueryText(const Text& dbPath, const std::string& sqlUtf8);
    bool QueryIsNull(const Text& dbPath, const std::string& sqlUtf8);
    double QueryDouble(const Text& dbPath, const std::string& sqlUtf8);

    std::filesystem::path root_;  // the install folder of this test
    CDataStore store_;
};

// u"..." from UTF-8 for readable test data.
Text U(const std::string& utf8);
std::string S(const Text& text);

// Writes a small file with the given bytes; returns its path.
Text WriteBytes(const std::filesystem::path& path, const std::string& bytes);
