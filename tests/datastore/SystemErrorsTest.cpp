// The reasons messages give for a failed file operation where no real failure shows them (the
// restore's tests meet the disk full, no permission, a read-only disk and a failed write): a
// quota counts as a full disk, anything without words of its own is told by its code, and
// SQLite's failure by the system error it met, when it met one.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>
#include <string>
#include <vector>

#include "SystemErrors.h"

namespace {

TEST(SystemErrorsTest, AReasonIsTheCauseAUserCanActOnOrTheCode) {
    struct Case {
        const char* what;
        std::string reason;
        bool full;
        int error;
        int sqlite = 0;  // with SQLite's result code, `error` is the system's number it met
    };
    const std::vector<Case> cases = {
        {"a quota", "na dysku zabrakło miejsca", true, EDQUOT},
        {"anything else", "błąd systemu o kodzie " + std::to_string(EXDEV), false, EXDEV},
        {"a flush that found no room", "na dysku zabrakło miejsca", true, ENOSPC,
         SQLITE_IOERR_FSYNC},
        {"SQLite's full database", "na dysku zabrakło miejsca", true, 0, SQLITE_FULL},
        // A damaged file is the file's fault, whatever call failed before SQLite saw it.
        {"a damaged file", "plik bazy danych jest uszkodzony", false, ENOENT,
         SQLITE_CORRUPT},
        {"anything else of SQLite's", "błąd bazy danych o kodzie " + std::to_string(SQLITE_MISMATCH),
         false, 0, SQLITE_MISMATCH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.sqlite == 0) {
            EXPECT_EQ(SystemErrorReason(c.error), c.reason);
            EXPECT_EQ(IsDiskFullError(c.error), c.full);
        } else {
            EXPECT_EQ(SqliteErrorReason(c.sqlite, c.error), c.reason);
            EXPECT_EQ(IsSqliteDiskFull(c.sqlite, c.error), c.full);
        }
    }
}

}  // namespace
