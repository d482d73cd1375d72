#include "BundledFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QSaveFile>

#include "PedigreeTemplateText.h"
#include "Places.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitInstallResource() { Q_INIT_RESOURCE(install); }

namespace {

const QString kRoot = QStringLiteral(":/install");
const QString kShippedList = QStringLiteral(":/shipped/shipped-pedigree-files.sha256");

void EnsureResource() {
    static bool done = false;
    if (done) return;
    done = true;
    InitInstallResource();
}

QByteArray Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// "<sha256>  <file>" lines; '#' begins a comment.
const QMultiHash<QString, QByteArray>& ShippedList() {
    static const QMultiHash<QString, QByteArray> list = [] {
        QMultiHash<QString, QByteArray> hashes;
        QFile file(kShippedList);
        if (!file.open(QIODevice::ReadOnly)) return hashes;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QByteArray line = raw.trimmed();
            if (line.isEmpty() || line.startsWith('#')) continue;
            const qsizetype gap = line.indexOf(' ');
            if (gap <= 0) continue;
            hashes.insert(QString::fromUtf8(line.mid(gap).trimmed()), line.left(gap).toLower());
        }
        return hashes;
    }();
    return list;
}

// True when the installed `destination` is, byte for byte, a version of `file` that an earlier
// version of the program laid out: nobody changed it, so today's version may take its place.
// Anything else (today's version, a page the user edited, a file that cannot be read) is kept.
bool IsEarlierShippedCopy(const QString& file, const QString& destination) {
    const QList<QByteArray> shipped = ShippedHashes(file);
    // Most files never changed: their one version is today's, and they need not be read at all.
    if (shipped.size() < 2) return false;
    QFile installed(destination);
    if (!installed.open(QIODevice::ReadOnly)) return false;
    const QByteArray hash = Sha256(installed.readAll());
    return shipped.contains(hash) && hash != LaidOutHash(file);
}

// Writes through a temporary file, so an interrupted start never leaves half a page behind.
bool WriteCopy(const QString& file, const QString& destination) {
    QFile in(places::Join(kRoot, file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    if (!QDir().mkpath(QFileInfo(destination).absolutePath())) return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = InstalledForm(file, in.readAll());
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace

QStringList BundledFiles() {
    EnsureResource();
    QStringList files;
    QDirIterator it(kRoot, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next().mid(kRoot.size() + 1);
    files.sort();
    return files;
}

bool LayOutBundledFiles() {
    const QString folder = places::InstallFolder();
    bool ok = true;
    for (const QString& file : BundledFiles()) {
        const QString destination = places::Join(folder, file);
        if (QFileInfo::exists(destination) && !IsEarlierShippedCopy(file, destination)) continue;
        if (!WriteCopy(file, destination)) ok = false;
    }
    return ok;
}

QByteArray LaidOutHash(const QString& file) {
    EnsureResource();
    QFile in(places::Join(kRoot, file));
    if (!in.open(QIODevice::ReadOnly)) return {};
    return Sha256(InstalledForm(file, in.readAll()));
}

QList<QByteArray> ShippedHashes(const QString& file) {
    EnsureResource();
    return ShippedList().values(file);
}
