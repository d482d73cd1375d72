#pragma once
// Only one copy of the program runs at a time: the first copy holds a lock file in the user's
// runtime folder for as long as it runs, and another in the data folder it works on, so copies
// started by other users or in other sessions whose settings name the same install folder are
// refused too. The lock of a copy that ended without releasing it (a crash) is recognised by its
// dead process and taken over; a running copy's lock never is, however long it has run.

#include <QString>
#include <memory>

class QLockFile;

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
    // running copy holds it or the lock file cannot be made (see HeldByAnother()).
    bool TryAcquire();
    // After a TryAcquire() that failed: true when another copy holds the lock, false when the
    // folder of the lock file cannot be written (a read-only disk, no permission), whoever runs.
    bool HeldByAnother() const { return heldByAnother_; }
    void Release();
    bool IsHeld() const { return held_; }
    QString LockPath() const { return path_; }
    // The machine named in the lock file when another machine's copy holds it (a folder shared
    // over the network); empty when the holder is on this machine or unknown. Such a lock is
    // never taken over: its process cannot be seen from here, so only the user can tell that
    // it is gone.
    QString OtherMachineHolding() const;

private:
    void MakeLock(const QString& folder, const QString& fileName);

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
    bool heldByAnother_ = false;
};
