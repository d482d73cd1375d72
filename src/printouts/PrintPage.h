#pragma once
// What the program's printed pages share: pictures referred to by file:// URLs, the head of the
// list pages (their style and the script that breaks pages by the measured height of the table
// rows), and, through HtmlEscape.h, text made safe to stand in a page.

#include <functional>

#include "HtmlEscape.h"
#include "Records.h"

class QWidget;

// A local file as a URL ready to stand in a quoted attribute of a page.
Text PageFileUrl(const Text& path);

// The head of a list page up to and including "<body>": the cells in `fontName` at `fontSize`
// points, the headings in `fontName` too (and at `fontSize` when `sizedHeadings`), and the
// script that starts a new sheet before a row of table masterTbl would take the running height
// past `pageHeight` pixels. The three texts go in as typed.
Text ListPageHead(const Text& fontSize, const Text& fontName, const Text& pageHeight,
                  bool sizedHeadings);

// The opening tag of a list page's table.
Text ListTableStart(const Text& nameAndId, const Text& pageBreakAfter);

// Writes a page and shows it in the preview window, from which it is printed. A page that could
// not be written is reported as `failure` followed by its path, and is not previewed: the file
// may still hold an earlier page.
using PageWriter = std::function<bool(const Text& path)>;
void PreviewPage(QWidget* parent, const Text& path, const PageWriter& write, const Text& failure);
// Asks for an HTML file to save the page in and writes it there; a failure is reported so.
void SavePage(QWidget* parent, const PageWriter& write, const Text& failure);
