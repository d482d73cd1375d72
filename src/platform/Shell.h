#pragma once
// The desktop's services: opening documents and addresses, the calculator, choosing a folder
// and copying a folder tree. Everything that shows a window or starts a program goes through
// the seams, so tests answer and record it.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace shell {

// Opens a web address or a document with the desktop's program for it.
bool Open(const QString& pathOrUrl);

// The calculators tried, in order; the first one found on PATH is started.
QStringList CalculatorCandidates();
QString FindCalculator();    // full path, or empty when there is none
bool StartCalculator();      // false (and nothing started) when there is none

// Lets the user choose a folder; false when cancelled.
bool ChooseFolder(QString& folder, const QString& title, QWidget* parent = nullptr);

// How CopyFolderTree treats particular files.
struct CopyOptions {
    // Files not copied at all, by their path relative to the source ('/'-separated).
    std::function<bool(const QString& relative)> leaveOut;
    // Writes the copy of the file `from` as the new file `part`, in place of CopyFileBytes (for
    // files that must be read in a way of their own); true when it made a whole copy, else
    // false with the system's error number in `error` when it knows one (0 otherwise).
    std::function<bool(const QString& from, const QString& part, int& error)> copyFile;
    // A file the user chose not to replace counts as not copied.
    bool declinedIsIncomplete = false;
    // Files are replaced without a question, as after "Yes to all" (the user already said so).
    bool replaceAll = false;
    // Each file's bytes are on the disk before it is swapped in, and a copy whose flush fails
    // counts as not written.
    bool flushEachFile = false;
};

// The first file (or folder) a copy could not write, and whether the disk was full. A file that
// found no room comes before one that failed otherwise: room is what must be made first. A
// folder that could not be made comes before the files that were to go into it, which fail only
// because it is not there.
struct CopyFailure {
    QString file;  // the file that was to be written, in the destination
    bool folder = false;  // `file` is a folder that could not be made
    bool diskFull = false;
    int error = 0;  // the system's error number when it is known, else 0
};

// Copies the bytes of `from` into a new file `to` (with its permissions). False, with the
// system's error number in `error` (ENOSPC when the disk is full), when it could not.
bool CopyFileBytes(const QString& from, const QString& to, int& error);

// A file a copy writes under a name of its own before it swaps it in: one that lies anywhere
// is left over from a copy cut short. `path` may be relative.
bool IsCopyLeftover(const QString& path);
// Removes such files from `folder` and its sub-folders; the number removed.
int RemoveCopyLeftovers(const QString& folder);

// Copies everything inside `source` (files and sub-folders) into `destination`, creating it.
// Before replacing a file that exists there the user is asked: Yes, Yes to all, No (the file
// is left alone) or Cancel (nothing further is copied). True when every file was copied or
// deliberately left alone (unless the options count that as not copied); false on cancel or
// when a file could not be copied. A replaced file is swapped in whole, never left
// half-written; a destination inside the source is not copied into itself, and a file is never
// copied onto itself. `copied`, when given, is set to the number of files copied; `failure`,
// when given, to the first file or folder that could not be written (see CopyFailure).
bool CopyFolderTree(const QString& source, const QString& destination, QWidget* parent = nullptr,
                    const CopyOptions& options = {}, int* copied = nullptr,
                    CopyFailure* failure = nullptr);

}  // namespace shell
