#include "HtmlEscape.h"

QString HtmlEscaped(const QString& text) {
    // Qt's escaping leaves the apostrophe alone, which would end an attribute quoted with it.
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

Text HtmlEscape(const Text& text) {
    return HtmlEscaped(QString::fromStdU16String(text)).toStdU16String();
}
