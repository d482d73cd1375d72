#include "Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace settings {
namespace {

QSettings Open() { return QSettings(FilePath(), QSettings::IniFormat); }

const char kVersion6Group[] = "Ornivex 6";
const char kVersion5Group[] = "Ornivex 5";

QString ReadString(const char* group, const char* key) {
    QSettings s = Open();
    s.beginGroup(QString::fromUtf8(group));
    return s.value(QString::fromUtf8(key)).toString();
}

}  // namespace

QString FilePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("ornivex6/ornivex6.ini"));
}

QString InstallPath() { return ReadString(kVersion6Group, "InstallPath"); }

void SetInstallPath(const QString& folder) {
    QSettings s = Open();
    s.beginGroup(QString::fromUtf8(kVersion6Group));
    s.setValue(QStringLiteral("InstallPath"), folder);
}

QString Version5InstallPath() { return ReadString(kVersion5Group, "InstallPath"); }

int ProfileInt(const QString& section, const QString& entry, int fallback) {
    QSettings s = Open();
    s.beginGroup(section);
    bool ok = false;
    const int value = s.value(entry).toInt(&ok);
    return ok ? value : fallback;
}

void SetProfileInt(const QString& section, const QString& entry, int value) {
    QSettings s = Open();
    s.beginGroup(section);
    s.setValue(entry, value);
}

}  // namespace settings
