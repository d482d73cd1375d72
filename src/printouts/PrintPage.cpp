#include "PrintPage.h"

#include <QString>

#include "Places.h"
#include "PodgladHTML.h"
#include "Seams.h"

Text PageFileUrl(const Text& path) {
    return HtmlEscape(places::FileUrl(QString::fromStdU16String(path)).toStdU16String());
}

Text ListPageHead(const Text& fontSize, const Text& fontName, const Text& pageHeight,
                  bool sizedHeadings) {
    Text head = u"<html><style type=\"text/css\" media=\"print,screen\" >td { page-break-inside: "
                u"auto; font-size: " + fontSize + u"pt; font-family: " + fontName +
                u" }th { \t    font-family: " + fontName +
                u"; color:black; \t    background-color: lightgrey; ";
    if (sizedHeadings) head += u"font-size: " + fontSize + u"pt;";
    head += u"\t}thead { \t    display:table-header-group; \t\t}tbody { \t    display: "
            u"table-row-group; \t}</style><script type=\"text/javascript\">window.onload = "
            u"load;function load(){var rowHeight=0;var tblHeight = 0;for(var i = 0; i < "
            u"document.all.masterTbl.rows.length;i++){oBndRct = "
            u"document.all.masterTbl.rows[i].getBoundingClientRect();rowHeight = oBndRct.bottom - "
            u"oBndRct.top + 1;  if(tblHeight + rowHeight > " + pageHeight +
            u") {document.all.masterTbl.rows[i-1].style.pageBreakAfter=\"always\";tblHeight = "
            u"0;}tblHeight += rowHeight;}}</script><body>";
    return head;
}

Text ListTableStart(const Text& nameAndId, const Text& pageBreakAfter) {
    return u"<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 "
           u"style=\"table-layout:fixed; word-wrap: break-word; page-break-after: " +
           pageBreakAfter + u";\" name=" + nameAndId + u" id=" + nameAndId + u">";
}

void PreviewPage(QWidget* parent, const Text& path, const PageWriter& write, const Text& failure) {
    if (!write(path)) {
        MessageBox(parent, failure + path);
        return;
    }
    CPodgladHTML preview;
    preview.path = path;
    preview.DoModal();
}

void SavePage(QWidget* parent, const PageWriter& write, const Text& failure) {
    const QString chosen = GetSaveFileName(parent, QStringLiteral("Plik HTML"), QStringLiteral("html"),
                                           QStringLiteral("*.html"));
    if (chosen.isEmpty()) return;
    if (!write(chosen.toStdU16String())) MessageBox(parent, failure + chosen.toStdU16String());
}
