#include "Shell.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "Seams.h"
#include "SystemErrors.h"

namespace shell {
namespace {

bool IsInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

const char kPartSuffix[] = ".oxcopy-part";

// Copies one file next to its destination first and then swaps it in, so a failed copy never
// leaves a destroyed or half-written file behind. The modification time is kept.
bool CopyOneFile(const QString& from, const QString& to, const CopyOptions& options, int& error) {
    const QString part = to + QLatin1String(kPartSuffix);
    QFile::remove(part);
    error = 0;
    const bool copied = options.copyFile ? options.copyFile(from, part, error)
                                         : CopyFileBytes(from, part, error);
    if (!copied) {
        QFile::remove(part);
        return false;
    }
    {
        // Opened for reading: a copy of a read-only file may not be opened for writing.
        QFile copy(part);
        if (copy.open(QIODevice::ReadOnly)) {
            copy.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
        }
    }
    if (options.flushEachFile) {
        const int fd = ::open(QFile::encodeName(part).constData(), O_RDONLY | O_CLOEXEC);
        const bool flushed = fd >= 0 && ::fsync(fd) == 0;
        if (!flushed) error = errno;
        if (fd >= 0) ::close(fd);
        if (!flushed) {
            QFile::remove(part);
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(QFile::encodeName(part).toStdString(),
                            QFile::encodeName(to).toStdString(), renamed);
    if (renamed) {
        error = renamed.value();
        QFile::remove(part);
        return false;
    }
    return true;
}

}  // namespace

bool CopyFileBytes(const QString& from, const QString& to, int& error) {
    error = 0;
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = errno;
        return false;
    }
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                           0600);
    if (out < 0) {
        error = errno;
        ::close(in);
        return false;
    }
    // Written by hand rather than by a library copy, which tells a full disk as a short copy.
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) {
                error = errno;
                ok = false;
            }
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                error = w < 0 ? errno : ENOSPC;
                ok = false;
            } else {
                done += w;
            }
        }
        if (!ok) break;
    }
    // The mode as the source has it: Qt's permissions of a file also say what this user may do
    // with it, so a read-only file would come out writable for a user who may write it anyway.
    struct stat source {};
    if (ok && ::fstat(in, &source) == 0) ::fchmod(out, source.st_mode & 07777);
    ::close(in);
    if (::close(out) != 0 && ok) {
        error = errno;
        ok = false;
    }
    return ok;
}

bool IsCopyLeftover(const QString& path) { return path.endsWith(QLatin1String(kPartSuffix)); }

int RemoveCopyLeftovers(const QString& folder) {
    int removed = 0;
    QDirIterator it(folder, {QStringLiteral("*") + QLatin1String(kPartSuffix)},
                    QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (QFile::remove(it.next())) ++removed;
    }
    return removed;
}

bool Open(const QString& pathOrUrl) { return OpenDocument(pathOrUrl); }

QStringList CalculatorCandidates() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("mate-calc"),
            QStringLiteral("galculator"), QStringLiteral("xcalc")};
}

QString FindCalculator() {
    for (const QString& name : CalculatorCandidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

bool StartCalculator() {
    const QString calculator = FindCalculator();
    return !calculator.isEmpty() && StartProgram(calculator);
}

bool ChooseFolder(QString& folder, const QString& title, QWidget* parent) {
    return BrowseForFolder(folder, title, parent);
}

bool CopyFolderTree(const QString& source, const QString& destination, QWidget* parent,
                    const CopyOptions& options, int* copied, CopyFailure* failure) {
    int copiedHere = 0;
    int& count = copied ? *copied : copiedHere;
    count = 0;
    if (failure != nullptr) *failure = {};
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isDir()) return false;
    const QString sourceRoot = sourceInfo.canonicalFilePath();
    if (!QDir().mkpath(destination)) return false;
    const QString destinationRoot = QFileInfo(destination).canonicalFilePath();
    if (sourceRoot == destinationRoot) return true;  // a folder copied onto itself is unchanged

    // What there is to copy is listed before anything is copied, leaving out the destination
    // when it lies inside the source, so the copy never copies itself.
    QStringList folders, files;
    QDirIterator it(sourceRoot, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir root(sourceRoot);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsInside(path, destinationRoot)) continue;
        if (options.leaveOut && options.leaveOut(root.relativeFilePath(path))) continue;
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink()) folders << root.relativeFilePath(path);
        else if (info.isFile()) files << root.relativeFilePath(path);
    }
    folders.sort();
    files.sort();

    const QDir target(destinationRoot);
    bool complete = true;
    const auto noteFailure = [&](const QString& path, int error, bool folder) {
        complete = false;
        const bool full = IsDiskFullError(error);
        if (failure != nullptr && (failure->file.isEmpty() || (full && !failure->diskFull))) {
            failure->file = path;
            failure->folder = folder;
            failure->diskFull = full;
            failure->error = error;
        }
    };
    for (const QString& folder : folders) {
        std::error_code made;
        std::filesystem::create_directories(
            QFile::encodeName(target.filePath(folder)).toStdString(), made);
        if (made) noteFailure(target.filePath(folder), made.value(), true);
    }
    bool replaceAll = options.replaceAll;
    for (const QString& file : files) {
        const QString from = root.filePath(file);
        const QString to = target.filePath(file);
        const QFileInfo existing(to);
        if (existing.exists()) {
            if (existing.canonicalFilePath() == QFileInfo(from).canonicalFilePath()) continue;
            if (!replaceAll) {
                const QString question =
                    QStringLiteral("Plik \u201E%1\u201D już istnieje w folderze docelowym.\n"
                                   "Czy zastąpić go plikiem z kopiowanego folderu?")
                        .arg(QDir::toNativeSeparators(to));
                const int answer = MessageBox(parent, question, QStringLiteral("Zastępowanie pliku"),
                                              MB_YESTOALLNOCANCEL | MB_ICONQUESTION);
                if (answer == IDCANCEL) return false;
                if (answer == IDNO) {
                    if (options.declinedIsIncomplete) complete = false;
                    continue;
                }
                if (answer == IDYESTOALL) replaceAll = true;
            }
        }
        int error = 0;
        if (CopyOneFile(from, to, options, error)) {
            ++count;
        } else {
            noteFailure(to, error, false);
        }
    }
    return complete;
}

}  // namespace shell
