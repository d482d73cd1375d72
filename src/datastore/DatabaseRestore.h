#pragma once
// The two database files as whole files: checking that a file of a backup folder is a sound
// database of the program, and restoring both files of such a folder into the db folder together
// or not at all. The files refer to each other by id, so one without the other is no backup.

#include <functional>
#include <string>
#include <vector>

#include "Records.h"

// The database files, as they are named in the db folder and in a backup folder.
const std::vector<Text>& DatabaseFileNames();  // pigeons.db, dodatkowe_informacje.db

// What is wrong with a database file of a backup folder.
struct DbFileCheck {
    enum Fault { None, Missing, Damaged, NotOurs };
    Fault fault = None;
    Text file;           // the file at fault
    std::string detail;  // SQLite's message, or the table that is missing
    bool ok() const { return fault == None; }
};

// Opens the file read-only, as it lies (a journal beside it belongs to no state of the copy and
// is not played back), runs SQLite's quick check and looks for every table the program keeps in
// a file of that name: the loaders create them all on the first start, so a file of the program
// never lacks one. `name` is one of DatabaseFileNames().
DbFileCheck CheckDatabaseFile(const Text& path, const Text& name);

// The database files of a backup folder: first every file that is missing (`missing`, in the
// order of DatabaseFileNames()), then the first file that fails its check.
struct BackupFolderCheck {
    std::vector<Text> missing;
    DbFileCheck damaged;
    bool ok() const { return missing.empty() && damaged.ok(); }
};
BackupFolderCheck CheckBackupFolder(const Text& folder);

struct DbRestoreResult {
    enum Fault { None, NotABackup, CannotWrite };
    Fault fault = None;
    BackupFolderCheck check;  // why the folder is no backup (NotABackup)
    Text file;                // the db folder's file that could not be written (CannotWrite)
    std::string detail;       // SQLite's or the system's message (CannotWrite)
    // A file that was already restored and could not be put back as it was: the db folder then
    // holds a restored file beside a file of before.
    Text notPutBack;
    bool ok() const { return fault == None; }
};

struct DbRestoreOptions {
    // Asked before each file of the db folder is written; true makes that write fail as a full
    // disk would. Tests fail a chosen file through it.
    std::function<bool(const Text& liveFile)> failWrite;
};

// Restores both database files of `folder` into the db folder. Nothing is written unless both
// files are there and pass their check. Each file is written through SQLite's online backup, so
// it is either wholly the copy or unchanged; a copy of each file of the db folder is kept until
// both are in, and when the second cannot be written the first is put back byte for byte.
// A journal, write-ahead log or shared memory the db folder holds for a file is not played into
// the restored file.
DbRestoreResult RestoreDatabaseFiles(const Text& folder, const DbRestoreOptions& options = {});
