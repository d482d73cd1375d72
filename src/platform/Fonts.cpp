#include "Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>

#include "HtmlEscape.h"

namespace fonts {

namespace {

struct FaceAlias {
    const char* face;
    const char* substitute;
};

constexpr FaceAlias kAliases[] = {
    {"Tahoma", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},
};

const char kSystemConfig[] = "/etc/fonts/fonts.conf";

}  // namespace

QString MapFace(const QString& face) {
    for (const FaceAlias& alias : kAliases) {
        if (face.compare(QLatin1String(alias.face), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(alias.substitute);
    }
    return face;
}

int TextRowHeight(const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("ŚŻĆŃÓÅjgpyą"));
    // The baseline sits at the ascent; ink above or below the line box makes it taller.
    const int above = std::max(metrics.ascent(), -ink.top());
    const int below = std::max(metrics.descent(), ink.bottom() + 1);
    return std::max(metrics.lineSpacing(), above + below) + 4;
}

QString AliasConfig(const QString& baseConfig) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
        "<fontconfig>\n");
    xml += QStringLiteral("  <include ignore_missing=\"yes\">%1</include>\n").arg(HtmlEscaped(baseConfig));
    // A strong binding puts the substitute ahead of everything the system's rules prefer.
    for (const FaceAlias& alias : kAliases) {
        xml += QStringLiteral(
                   "  <match target=\"pattern\">\n"
                   "    <test qual=\"any\" name=\"family\" ignore-blanks=\"true\"><string>%1</string></test>\n"
                   "    <edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>%2</string></edit>\n"
                   "  </match>\n")
                   .arg(QLatin1String(alias.face), QLatin1String(alias.substitute));
    }
    xml += QStringLiteral("</fontconfig>\n");
    return xml;
}

bool InstallAliases() {
    // A configuration the user chose stays the base of ours; a second start finds our own file
    // set already (the variable is inherited by nothing else) and keeps its base.
    QString base = qEnvironmentVariable("FONTCONFIG_FILE");
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                               .filePath(QStringLiteral("ornivex6"));
    const QString path = QDir(folder).filePath(QStringLiteral("fonts.conf"));
    if (base.isEmpty() || base == path) base = QString::fromLatin1(kSystemConfig);
    if (!QDir().mkpath(folder)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(AliasConfig(base).toUtf8());
    if (!file.commit()) return false;
    qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
    return true;
}

QTranslator* LoadPolishTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qt"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace fonts
