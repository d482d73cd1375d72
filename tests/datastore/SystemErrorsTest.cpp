// The reasons messages give for a failed file operation: the program's own words for what a
// user can act on, and the system's code number for anything else, never the system's English.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>
#include <string>
#include <vector>

#include "SystemErrors.h"

namespace {

TEST(SystemErrorsTest, EachCauseAUserCanActOnHasItsOwnWordsAndTheRestTheirCode) {
    struct Case {
        int error;
        std::string reason;
        bool full;
    };
    const std::vector<Case> cases = {
        {ENOSPC, "na dysku zabrakło miejsca", true},
        {EDQUOT, "na dysku zabrakło miejsca", true},
        {EACCES, "brak uprawnień", false},
        {EPERM, "brak uprawnień", false},
        {EROFS, "dysk jest tylko do odczytu", false},
        {EIO, "dysk zgłosił błąd odczytu lub zapisu", false},
        {EXDEV, "błąd systemu o kodzie " + std::to_string(EXDEV), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(SystemErrorReason(c.error), c.reason);
        EXPECT_EQ(IsDiskFullError(c.error), c.full);
    }
}

TEST(SystemErrorsTest, SqlitesFailureIsToldByTheSystemsCauseWhenItMetOne) {
    struct Case {
        const char* what;
        int code;
        int systemError;
        std::string reason;
        bool full;
    };
    const std::vector<Case> cases = {
        {"a full disk", SQLITE_FULL, 0, "na dysku zabrakło miejsca", true},
        {"a flush that found no room", SQLITE_IOERR_FSYNC, ENOSPC, "na dysku zabrakło miejsca", true},
        {"a write the disk failed", SQLITE_IOERR_WRITE, EIO, "dysk zgłosił błąd odczytu lub zapisu",
         false},
        {"a folder without permission", SQLITE_CANTOPEN, EACCES, "brak uprawnień", false},
        // A damaged file is the file's fault, whatever call failed before it.
        {"a damaged file", SQLITE_CORRUPT, ENOENT,
         "plik jest uszkodzony albo nie jest plikiem bazy danych", false},
        {"anything else", SQLITE_MISMATCH, 0,
         "błąd bazy danych o kodzie " + std::to_string(SQLITE_MISMATCH), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SqliteErrorReason(c.code, c.systemError), c.reason);
        EXPECT_EQ(IsSqliteDiskFull(c.code, c.systemError), c.full);
    }
}

}  // namespace
