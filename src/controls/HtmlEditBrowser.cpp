#include "HtmlEditBrowser.h"

#include <QFile>

#include "Seams.h"

CHtmlEditBrowser::CHtmlEditBrowser(QWidget* parent) : CWebBrowser2(parent) {}

bool CHtmlEditBrowser::AcquireDocument() { return WaitForDocument(); }

void CHtmlEditBrowser::SetCharset(const Text& charset) {
    SetDefaultCharset(QString::fromStdU16String(charset));
}

namespace {

// The document's HTML as the 16-bit bytes a document saves: byte-order mark, then the text.
QByteArray SavedBytes(const QString& html) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(html.utf16()), html.size() * 2);
    return bytes;
}

}  // namespace

bool CHtmlEditBrowser::GetHtmlText(Text& html) {
    QString document;
    if (!GetHtml(document)) return false;
    CHtmlTextStream stream;
    const QByteArray bytes = SavedBytes(document);
    stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    html = stream.Accumulated();
    return true;
}

bool CHtmlEditBrowser::SaveAs() {
    QString document;
    if (!GetHtml(document)) return false;
    const QString path = GetSaveFileName(window(), QStringLiteral("Strona HTML|*.html;*.htm||"),
                                         QStringLiteral("html"));
    if (path.isEmpty()) return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = SavedBytes(document);
    return file.write(bytes) == bytes.size();
}
