#pragma once
// Why a file operation failed, in the words the program's messages use. The system's and
// SQLite's own texts are English; a message to the user names the cause in Polish instead, and
// whatever has no words of its own here by the system's code number.

#include <string>

// The reason for the system error number `error` (an errno value), as a phrase that fits in
// "…nie dało się zapisać (REASON)": the disk full, no permission, a disk that can only be read,
// a file the disk cannot read, or the code for anything else. UTF-8.
std::string SystemErrorReason(int error);

// True for the error numbers of a disk without room (the disk itself or the user's quota).
bool IsDiskFullError(int error);

// The reason for a failed SQLite call: its extended result code `code` and the system error
// number SQLite saw (sqlite3_system_errno, 0 when none). The system's number is used when there
// is one, so an I/O error on a full disk reads as the full disk. UTF-8.
std::string SqliteErrorReason(int code, int systemError);
// True when SQLite's failure is a disk without room.
bool IsSqliteDiskFull(int code, int systemError);
// The system error number a failed SQLite call stands for, for whoever tells causes by that
// number alone: the one SQLite met when it is the cause, ENOSPC for a database SQLite found
// full by itself, else 0 (a cause of SQLite's own, told by SqliteErrorReason only).
int SqliteSystemError(int code, int systemError);

// The system error number of making the new file `path` (UTF-8), which is removed at once; 0
// when it could be made, or is there already (it is then left alone). Tells a disk that takes
// no new file (no free inode) from one that does, whatever room in bytes it has.
int WhyFileCannotBeMade(const std::string& path);
