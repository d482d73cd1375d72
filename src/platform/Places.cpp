#include "Places.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include "Settings.h"
#include "SharedRoutines.h"

namespace places {

QString DefaultInstallFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("ornivex6"));
}

QString ConfiguredInstallFolder() {
    const QString configured = settings::InstallPath();
    QString folder = configured.isEmpty() ? DefaultInstallFolder() : configured;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

void ConnectDataStore() { SetInstallPath(ConfiguredInstallFolder().toStdU16String()); }

QString InstallFolder() { return QString::fromStdU16String(GetInstallPath()); }

bool LayOutInstallFolder() {
    QDir().mkpath(InstallFolder());
    return EnsureDbFolders();
}

QString OutputPage(const QString& fileName) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString folder = QDir(base).filePath(QStringLiteral("ornivex6"));
    QDir().mkpath(folder);
    return Join(folder, fileName);
}

QString Join(const QString& base, const QString& relative) {
    return QString::fromStdU16String(JoinPath(base.toStdU16String(), relative.toStdU16String()));
}

QString FileUrl(const QString& path) { return QUrl::fromLocalFile(path).toString(); }

}  // namespace places
