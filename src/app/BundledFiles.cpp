#include "BundledFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "PedigreeTemplateText.h"
#include "Places.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitInstallResource() { Q_INIT_RESOURCE(install); }

namespace {

const QString kRoot = QStringLiteral(":/install");

void EnsureResource() {
    static bool done = false;
    if (done) return;
    done = true;
    InitInstallResource();
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
        if (QFileInfo::exists(destination)) continue;
        if (!WriteCopy(file, destination)) ok = false;
    }
    return ok;
}
