#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    MakeLock(folder, name + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& folder, const QString& fileName) {
    MakeLock(folder, fileName);
}

void SingleInstance::MakeLock(const QString& folder, const QString& fileName) {
    QDir().mkpath(folder);
    path_ = QDir(folder).filePath(fileName);
    lock_ = std::make_unique<QLockFile>(path_);
    // A running copy keeps its lock however long it runs; only a dead owner makes it stale.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::TryAcquire() {
    if (held_) return true;
    held_ = lock_->tryLock(0);
    // A lock file that is there but cannot be taken over, in a folder that cannot be written
    // (a crashed copy's, on a disk mounted read-only since), is no sign of another copy either.
    heldByAnother_ = !held_ && lock_->error() == QLockFile::LockFailedError &&
                     QFileInfo(QFileInfo(path_).absolutePath()).isWritable();
    return held_;
}

void SingleInstance::Release() {
    if (!held_) return;
    lock_->unlock();
    held_ = false;
}

QString SingleInstance::OtherMachineHolding() const {
    if (held_) return {};
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_->getLockInfo(&pid, &host, &application)) return {};
    return host.isEmpty() || host == QSysInfo::machineHostName() ? QString() : host;
}
