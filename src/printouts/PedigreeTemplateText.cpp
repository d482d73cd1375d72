#include "PedigreeTemplateText.h"

QByteArray InstalledForm(const QString& file, const QByteArray& bytes) {
    if (!file.startsWith(QStringLiteral("data/pedigrees/")) || !file.endsWith(QStringLiteral(".html")))
        return bytes;
    // The pedigree templates are read as UTF-16 little-endian text behind its byte-order mark.
    const QString text = QString::fromUtf8(bytes);
    QByteArray wide("\xFF\xFE", 2);
    wide.reserve(2 + text.size() * 2);
    for (const QChar c : text) {
        wide.append(static_cast<char>(c.unicode() & 0xFF));
        wide.append(static_cast<char>(c.unicode() >> 8));
    }
    return wide;
}
