#pragma once
// Text made safe to stand in an HTML page or an XML file, inside elements and inside quoted
// attributes alike: & < > " and ' become entities, everything else stays as it is.

#include <QString>

#include "Records.h"

QString HtmlEscaped(const QString& text);
Text HtmlEscape(const Text& text);
