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
    std::string detail;  // why, in the messages' words (SystemErrors.h), or the table missing
    bool ok() const { return fault == None; }
};

// Opens the file read-only, as it lies (a journal beside it belongs to no state of the copy and
// is not played back), runs SQLite's quick check and looks for every table the program keeps in
// a file of that name: the loaders create them all on the first start, so a file of the program
// never lacks one. `name` is one of DatabaseFileNames().
DbFileCheck CheckDatabaseFile(const Text& path, const Text& name);

// A backup writes a mark into its folder before it writes anything else there, and removes it
// only once every file is written and on the disk. A folder that holds the mark holds a backup
// that was cut short (a crash, a full disk, a file that could not be written, a replace the user
// declined): its files may come from different backups, so it is never loaded.
struct BackupMark {
    Time64 began = kNoDate;  // when the backup that left it began; kNoDate when unknown
};
// The mark's name within the backup folder. Never part of the data: a backup or a restore
// never copies it.
const Text& BackupMarkName();
// What the mark in `folder` says; false when there is none.
bool ReadBackupMark(const Text& folder, BackupMark& mark);
// Writes the mark into `folder` (which exists), whole and on the disk, saying that a backup
// began at `began`. False, with the reason, when it could not be written: nothing may be
// written into the folder then.
bool BeginBackup(const Text& folder, Time64 began, std::string& error, bool& diskFull);
// Every file of the backup is written: makes everything written into the folder's file system
// durable, then removes the mark for good. False, with the reason, when the mark stays;
// `notOnDisk` then says whether it stays because what was written could not be made durable
// (else the mark itself could not be removed). `failFlush`, asked with `folder` before each
// flush, makes it fail as an I/O error would.
bool FinishBackup(const Text& folder, std::string& error, bool& notOnDisk,
                  const std::function<bool(const Text& folder)>& failFlush = {});
// A backup that wrote nothing into the folder leaves it as it found it: without a mark when
// `earlier` is null, else with the mark of the backup cut short there before (`earlier`, as
// ReadBackupMark read it before BeginBackup), which keeps its time. False when that could not
// be done; the folder then keeps the mark BeginBackup wrote.
bool UndoBackupMark(const Text& folder, const BackupMark* earlier);

// The database files of a backup folder: a backup cut short (`cutShort`), then every file that
// is missing (`missing`, in the order of DatabaseFileNames()), then the first file that fails
// its check. A folder without a mark (a backup of an earlier version, or one copied by hand) is
// judged by its files alone.
struct BackupFolderCheck {
    bool cutShort = false;
    BackupMark mark;  // what the mark says (cutShort)
    std::vector<Text> missing;
    DbFileCheck damaged;
    bool ok() const { return !cutShort && missing.empty() && damaged.ok(); }
};
BackupFolderCheck CheckBackupFolder(const Text& folder);

struct DbRestoreResult {
    enum Fault {
        None,
        NotABackup,   // see `check`
        Unfinished,   // an earlier restore never finished: its marker (`file`) lies in the db folder
        CannotWrite,  // `file` could not be written (or the db folder could not be flushed)
    };
    Fault fault = None;
    BackupFolderCheck check;  // why the folder is no backup (NotABackup)
    Text file;                // the db folder's file that could not be written (CannotWrite)
    std::string detail;       // why, in the messages' words (SystemErrors.h) (CannotWrite)
    bool diskFull = false;    // the write failed because the disk is full
    // The db folder holds a marker, or may hold one once the disk catches up with a flush that
    // failed, that the next start must act on before the files are used: the program must end
    // now, without writing to them, or the next start would undo what it wrote.
    bool endProgram = false;
    // The files in use are known to be as they were before the restore (after a failure).
    bool unchanged = true;
    // A file that was already restored and could not be put back as it was: the db folder then
    // holds a restored file beside a file of before. Its kept copy (`keptCopy`) and the restore's
    // marker stay in the db folder, so the next start puts it back.
    Text notPutBack;
    Text keptCopy;
    bool ok() const { return fault == None; }
};

// The moments of a restore at which the db folder changes state, for tests that end the
// process there.
enum class RestoreStep {
    CopiesKept,          // both files in use are copied beside themselves; nothing else has changed
    MarkerWritten,       // the marker is on disk; no file in use has been written yet
    FileWritten,         // one more file is in (asked once per file)
    FolderMarkerWritten, // both files are in; the note that the folders are still to come is on disk
    MarkerRemoved,       // the marker is gone; the kept copies are not yet
};

struct DbRestoreOptions {
    // Asked before each file of the db folder is written; true makes that write fail as a full
    // disk would, before it touches the file.
    std::function<bool(const Text& liveFile)> failWrite;
    // Asked after each file of the db folder was written; true reports that write failed as a
    // full disk would, after it reached the file.
    std::function<bool(const Text& liveFile)> failAfterWrite;
    // Asked before a kept copy is put back in place of `liveFile`; true makes that fail.
    std::function<bool(const Text& liveFile)> failPutBack;
    // Asked before each flush of a file or of the db folder to the disk; true makes it fail as
    // an I/O error would.
    std::function<bool(const Text& path)> failFlush;
    // Asked before one of the restore's markers is removed; true makes the removal fail.
    std::function<bool(const Text& marker)> failMarkerRemoval;
    // Told each step as it is reached.
    std::function<void(RestoreStep)> reached;
};

// Restores both database files of `folder` into the db folder. Nothing is written unless both
// files are there and pass their check. Each file is written through SQLite's online backup, so
// it is either wholly the copy or unchanged; a copy of each file of the db folder is kept until
// both are in, and when the second cannot be written the first is put back byte for byte.
// A journal, write-ahead log or shared memory the db folder holds for a file is not played into
// the restored file.
//
// A process that ends in the middle (a crash, a power cut) must not leave one restored file
// beside one of before: once the kept copies are on disk, a marker is written to the db folder,
// and it goes only when both files are in. FinishInterruptedRestore() at the next start reads it.
// A kept copy goes only once the marker that names it is gone for good (removed and flushed).
//
// On success the db folder also holds the note that the pictures, documents and notes of the
// backup are still to be copied: the caller copies them and then calls FinishRestoreFolders().
DbRestoreResult RestoreDatabaseFiles(const Text& folder, const DbRestoreOptions& options = {});

// What the note of a restore whose pictures, documents and notes are still to come says.
struct FoldersNote {
    Text backupFolder;            // the backup they come from; empty in a note that names none
    bool databaseLoaded = true;   // false: a restore of the folders alone ("Nie" to the database)
    Text fullFolder;              // a folder a copy could not write for lack of room, or empty
};

// For a restore that copies only the pictures, documents and notes of the backup in `folder`:
// writes the note that they are being copied (false, with the reason, when it cannot be
// written).
bool BeginRestoreFolders(const Text& folder, std::string& error, const DbRestoreOptions& options = {});
// The pictures, documents and notes of the backup are all in: the note goes.
bool FinishRestoreFolders(const DbRestoreOptions& options = {});
// While the note lies in the db folder, a file beside it holds room for the note's rewrite
// below: a copy that runs out of room on the db folder's disk fills it to the last byte, and the
// note that says so must still be written. Written with the note; removed with it, and as a
// leftover by a start.
// Their copy stopped because the disk is full: the note says so, and which folder could not be
// written, so that every start says to make room first. The room held for it is given back
// first. False when the note could not be rewritten (it then stays as it was).
bool NoteRestoreFoldersFull(const Text& fullFolder, const DbRestoreOptions& options = {});
// What the note in the db folder says; false when there is none.
bool ReadFoldersNote(FoldersNote& note);

// What the start found of a restore that never finished.
struct InterruptedRestore {
    enum Outcome {
        Nothing,    // no marker: at most leftover copies of an earlier restore, now removed
        PutBack,    // a restore was cut short: both files are back as they were before it; the
                    // marker stays until CloseInterruptedRestore(), once the user was told
        NotPutBack, // a restore was cut short and `file` could not be put back (see below)
    };
    Outcome outcome = Nothing;
    Text marker;  // the marker of the restore that was cut short
    // The file of the db folder that is not as it was, and its kept copy, which is left in
    // place with the marker for the next attempt.
    Text file;
    Text keptCopy;
    bool keptCopyMissing = false;  // the marker names a copy that is not there
    std::string detail;
    bool diskFull = false;
    // A restore put both database files in (or kept them) and was cut short before the
    // pictures, documents and notes of its backup were all copied: loading that backup again
    // completes it. `folders` is what its note says.
    bool foldersPending = false;
    FoldersNote folders;
};

// Run at every start, before the database files are opened, by the copy that holds the data
// folder's lock. A marker in the db folder means a restore never finished: the kept copies go
// back in place of both files. A kept copy that cannot be put back is never removed, and
// nothing beside a file is removed before its kept copy is known to be there. Copies without a
// marker are leftovers and are removed once the marker's absence is on disk.
InterruptedRestore FinishInterruptedRestore(const DbRestoreOptions& options = {});
// After a put-back was reported to the user: removes the marker for good, then the kept
// copies. Until then a start cut short puts the files back again and says so. False, with the
// reason, when the marker cannot be removed for good.
bool CloseInterruptedRestore(std::string& error, const DbRestoreOptions& options = {});

// The restore's marker and the kept copies beside it, when a marker lies in the db folder (for
// messages of a start that cannot act on it); empty when none does.
std::vector<Text> UnfinishedRestoreFiles();

// True for a file the restore keeps in the db folder for itself (the markers, the kept copies
// and their temporary files, the room held for the folders' note), and for a backup's mark:
// no part of the data, so a backup leaves it out and a restore never brings it in. `name` is
// the file's name within the db folder (or the backup folder).
bool IsRestoreWorkingFile(const Text& name);
// Where the restore keeps the copy of a database file in use until both files are in.
Text KeptCopyPath(const Text& liveFile);
