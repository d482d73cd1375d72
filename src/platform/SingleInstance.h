#pragma once
// Only one copy of the program runs at a time: the first copy holds a lock in the user's
// runtime folder for as long as it runs, and another in the data folder it works on, so copies
// started by other users or in other sessions whose settings name the same install folder are
// refused too. The lock is one the system holds for the running process on a lock file: it goes
// with the process however that ends (a crash, a kill), so a copy that is gone never counts as
// running, and a running copy's lock is never taken, however long it has run. Taking it needs
// no room on the disk once the file is there (the file stays when the program ends), so a full
// disk never keeps the program from telling a second copy from none.
//
// The file also names the machine of the copy that holds it: on a folder shared over the
// network the holder's lock may not reach another machine, and a copy there is refused by
// those words, never taken over (only the user can tell that a copy on another machine is
// gone). The words go when the copy ends.

#include <QString>

// The lock file a running copy holds in its db folder. It is no part of the data: backups and
// restores leave it out.
inline constexpr char kDataFolderLockFile[] = "ornivex6.lock";

class SingleInstance {
public:
    // The lock `name`.lock in the user's runtime folder.
    explicit SingleInstance(const QString& name = QStringLiteral("ornivex6"));
    // The lock file `fileName` in `folder`.
    SingleInstance(const QString& folder, const QString& fileName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock (or held it already); false when another
    // running copy holds it or the lock file cannot be opened (see HeldByAnother()).
    bool TryAcquire();
    // After a TryAcquire() that failed: true when another copy holds the lock, false when the
    // lock file cannot be made or opened for writing, whoever runs (see Error()).
    bool HeldByAnother() const { return heldByAnother_; }
    // After a TryAcquire() that failed and no other copy holds the lock: the system's error
    // number of what failed (ENOSPC when the disk had no room for a new lock file, EACCES,
    // EPERM or EROFS when the folder or file cannot be written).
    int Error() const { return error_; }
    void Release();
    bool IsHeld() const { return held_; }
    // The room on the disk the holder's words took, in bytes (what the file takes beyond what
    // it took before they were written): given back when the lock is released, so it is no
    // room the disk lacks.
    qint64 RoomTaken() const { return roomTaken_; }
    QString LockPath() const { return path_; }
    // The machine named in the lock file when another machine's copy holds it (a folder shared
    // over the network); empty when the holder is on this machine or unknown.
    QString OtherMachineHolding() const { return otherMachine_; }

private:
    void MakeLock(const QString& folder, const QString& fileName);
    // Takes the lock on the open file; false when another process holds it.
    bool LockFile();

    QString folder_;
    QString path_;
    int fd_ = -1;
    bool held_ = false;
    bool heldByAnother_ = false;
    int error_ = 0;
    qint64 roomTaken_ = 0;
    QString otherMachine_;
};
