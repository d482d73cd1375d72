#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

// The lock covers the whole file. An open-file-description lock belongs to the open file, not
// to the process's every descriptor of it, so nothing else in the program that opens and
// closes the file lets it go; the system drops it when the process ends.
struct flock WholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

// The words of the lock file: the holder's process, program and machine, one a line.
QByteArray Words() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

// The machine the words of the open file name; empty when they name none.
QString MachineOf(int fd) {
    QByteArray words(4096, '\0');
    const ssize_t n = ::pread(fd, words.data(), static_cast<size_t>(words.size()), 0);
    if (n <= 0) return {};
    words.truncate(static_cast<qsizetype>(n));
    const QList<QByteArray> lines = words.split('\n');
    return lines.size() > 2 ? QString::fromUtf8(lines[2]).trimmed() : QString();
}

// The room the open file takes on the disk, in bytes.
qint64 RoomOf(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<qint64>(info.st_blocks) * 512 : 0;
}

}  // namespace

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    MakeLock(folder, name + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& folder, const QString& fileName) {
    MakeLock(folder, fileName);
}

void SingleInstance::MakeLock(const QString& folder, const QString& fileName) {
    folder_ = folder;
    path_ = QDir(folder).filePath(fileName);
}

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::LockFile() {
    struct flock lock = WholeFile(F_WRLCK);
    if (::fcntl(fd_, F_OFD_SETLK, &lock) == 0) return true;
    // A file system without locks (some network shares) leaves only the file's words to go by.
    return errno != EAGAIN && errno != EACCES;
}

bool SingleInstance::TryAcquire() {
    if (held_) return true;
    heldByAnother_ = false;
    error_ = 0;
    otherMachine_.clear();
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(folder_).toStdString(), ec);
    const QByteArray path = QFile::encodeName(path_);
    // Opening a file that is there needs no room; a new one takes no more than its name. One
    // that is there is opened without O_CREAT, which a shared temporary folder refuses for
    // another user's file. A new one is writable by everyone who shares the folder: it stays
    // when the program ends, and the next copy may be another user's; it holds no more than
    // the holder's process, program and machine.
    fd_ = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
        fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            [[maybe_unused]] const int shared = ::fchmod(fd_, 0666);
        } else if (errno == EEXIST) {
            fd_ = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        }
    }
    if (fd_ < 0) {
        error_ = errno;
        // A file that cannot be written may still be held by a running copy (another user's,
        // whose file this user may only read): that copy is told by its lock on the file. One
        // that nobody holds, in a folder that cannot be written, is no sign of another copy.
        const int readOnly = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (readOnly >= 0) {
            struct flock lock = WholeFile(F_RDLCK);
            if (::fcntl(readOnly, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) {
                heldByAnother_ = true;
                const QString machine = MachineOf(readOnly);
                if (machine != QSysInfo::machineHostName()) otherMachine_ = machine;
            }
            ::close(readOnly);
        }
        return false;
    }
    const auto refuse = [&] {
        heldByAnother_ = true;
        const QString machine = MachineOf(fd_);
        if (machine != QSysInfo::machineHostName()) otherMachine_ = machine;
        ::close(fd_);
        fd_ = -1;
        return false;
    };
    if (!LockFile()) return refuse();
    // Held, and no copy on this machine runs. Words naming another machine are a copy there
    // whose lock does not reach here (or one that ended without a word): never taken over.
    const QString machine = MachineOf(fd_);
    if (!machine.isEmpty() && machine != QSysInfo::machineHostName()) return refuse();
    const QByteArray words = Words();
    const qint64 roomBefore = RoomOf(fd_);
    if (::ftruncate(fd_, 0) != 0 ||
        ::pwrite(fd_, words.constData(), static_cast<size_t>(words.size()), 0) != words.size()) {
        // No room for the words: the lock holds all the same, and no stale words stay.
        [[maybe_unused]] const int emptied = ::ftruncate(fd_, 0);
    }
    roomTaken_ = std::max<qint64>(0, RoomOf(fd_) - roomBefore);
    held_ = true;
    return true;
}

void SingleInstance::Release() {
    if (!held_) return;
    // The words go first, so that no machine takes them for a copy that still runs.
    [[maybe_unused]] const int emptied = ::ftruncate(fd_, 0);
    ::close(fd_);
    fd_ = -1;
    held_ = false;
    roomTaken_ = 0;
}
