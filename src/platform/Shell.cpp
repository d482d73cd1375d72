#include "Shell.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "Seams.h"

namespace shell {
namespace {

bool IsInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Copies one file next to its destination first and then swaps it in, so a failed copy never
// leaves a destroyed or half-written file behind. The modification time is kept.
bool CopyOneFile(const QString& from, const QString& to, const CopyOptions& options) {
    const QString part = to + QStringLiteral(".oxcopy-part");
    QFile::remove(part);
    const bool copied = options.copyFile ? options.copyFile(from, part) : QFile::copy(from, part);
    if (!copied) {
        QFile::remove(part);
        return false;
    }
    {
        QFile copy(part);
        if (copy.open(QIODevice::ReadWrite)) {
            copy.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
        }
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(part).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error) {
        QFile::remove(part);
        return false;
    }
    return true;
}

}  // namespace

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
                    const CopyOptions& options, int* copied) {
    int copiedHere = 0;
    int& count = copied ? *copied : copiedHere;
    count = 0;
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
    for (const QString& folder : folders) {
        if (!target.mkpath(folder)) complete = false;
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
        if (CopyOneFile(from, to, options)) {
            ++count;
        } else {
            complete = false;
        }
    }
    return complete;
}

}  // namespace shell
