// The litter card: the page's exact bytes for a pair and its young, and the window's choices,
// preview and save.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DataStore.h"
#include "DrukujKarteMiotu.h"
#include "PodgladHTML.h"
#include "SharedRoutines.h"
#include "WindowTestSupport.h"

namespace {

QByteArray Utf16(const Text& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (char16_t c : text) bytes.append(static_cast<char>(c & 0xFF)).append(static_cast<char>(c >> 8));
    return bytes;
}

QByteArray FileBytes(const Text& path) {
    QFile file(QString::fromStdU16String(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Text PhotoUrl(int id) {
    return QUrl::fromLocalFile(QString::fromStdU16String(JoinPath(ImagesFolder(), NumberText(id) + u"000.jpg")))
        .toString()
        .toStdU16String();
}

class LitterCardTest : public WindowTest {
protected:
    // A photo of the bird stored as the photo page stores it; its id.
    int StorePhoto(int pigeonId) {
        const QString source = folder_.filePath("zdjecie.jpg");
        QFile file(source);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpg");
        file.close();
        PhotoRecord photo{.id_golebia = pigeonId, .path = source.toStdU16String(),
                          .rozszerzenie = u"jpg"};
        EXPECT_TRUE(TheDataStore().AddPhoto(photo));
        return photo.id;
    }
};

TEST_F(LitterCardTest, PageShowsThePairOverTheNumberedYoung) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(0, u"czerwony"));
    const int colour = NewestId(store.ColourNames());
    const int cock = AddBird(0, u"1", u"As");
    const int hen = AddBird(0, u"2");
    const int y1 = AddBird(0, u"11");
    const int y2 = AddBird(0, u"12", u"<Mały>");
    ChangeBird(cock, [&](PigeonRecord& b) { b.id_koloru = colour; });
    ASSERT_TRUE(store.WritePigeonShortDescription(cock, u"syn \"Asa\""));
    const int cockPhoto = StorePhoto(cock);
    const int youngPhoto = StorePhoto(y2);
    StorePhoto(y2);

    CDrukujKarteMiotu card;
    card.maleId = cock;
    card.femaleId = hen;
    card.youngIds = {y1, y2};
    card.fontName = u"Verdana";
    card.fontSize = u"10";
    card.bottomMargin = u"800";
    card.parentPhotos = card.youngPhotos = card.youngNotes = 1;
    const Text path = JoinPath(GetInstallPath(), u"karta.html");
    ASSERT_TRUE(card.WriteLitterCardHtml(path));
    const Text head =
        u"<html><style type=\"text/css\" media=\"print,screen\" >td { page-break-inside: auto; "
        u"font-size: 10pt; font-family: Verdana }th { \t    font-family: Verdana; color:black; \t    "
        u"background-color: lightgrey; font-size: 10pt;\t}thead { \t    display:table-header-group; "
        u"\t\t}tbody { \t    display: table-row-group; \t}</style><script type=\"text/javascript\">"
        u"window.onload = load;function load(){var rowHeight=0;var tblHeight = 0;for(var i = 0; i < "
        u"document.all.masterTbl.rows.length;i++){oBndRct = document.all.masterTbl.rows[i]."
        u"getBoundingClientRect();rowHeight = oBndRct.bottom - oBndRct.top + 1;  if(tblHeight + "
        u"rowHeight > 800) {document.all.masterTbl.rows[i-1].style.pageBreakAfter=\"always\";"
        u"tblHeight = 0;}tblHeight += rowHeight;}}</script><body>";
    const Text parents =
        u"<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 style=\"table-layout:"
        u"fixed; word-wrap: break-word; page-break-after: none;\" name=masterTbl2 id=masterTbl2><tr>"
        u"<td width=125><img src='" + PhotoUrl(cockPhoto) + u"' width=125 height=125></td>"
        u"<td><b>PL 0123 24 1 [As]</b><br>syn &quot;Asa&quot;</b><br>czerwony</td>"
        u"<td><b>PL 0123 24 2</b><br></b><br> </td></table>";
    const Text youngTable =
        u"<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 style=\"table-layout:"
        u"fixed; word-wrap: break-word; page-break-after: always;\" name=masterTbl id=masterTbl>";
    EXPECT_EQ(FileBytes(path),
              Utf16(head + parents + youngTable +
                    u"<thead><tr><th style=\"width: 15mm\">LP</th><th style=\"width: 45mm\">Obrączka</th>"
                    u"<th style=\"width: 45mm\">Kolor</th><th style=\"width: 45mm\">Notatki</th>"
                    u"<th style=\"width: 45mm\">Zdjęcia</th></tr></thead><tbody>"
                    u"<tr valign=top>\r\n<td>1</td><td>&nbsp;PL 0123 24 11</td><td>&nbsp; &nbsp;</td>"
                    u"<td style=\"width: 45mm\">&nbsp;</td></tr>\r\n"
                    u"<tr valign=top>\r\n<td>2</td><td>&nbsp;PL 0123 24 12 [&lt;Mały&gt;]</td>"
                    u"<td>&nbsp; &nbsp;</td><td style=\"width: 45mm\">&nbsp;</td>"
                    u"<td style=\"width: 125\">&nbsp;<img src='" + PhotoUrl(youngPhoto) +
                    u"' width=125 height=125></td></tr>\r\n</table>"));

    // Without young and without the options: the parents without photos and a bare heading row.
    card.youngIds.clear();
    card.parentPhotos = card.youngPhotos = card.youngNotes = 0;
    card.pairNotes = 1;
    ASSERT_TRUE(card.WriteLitterCardHtml(path));
    EXPECT_EQ(FileBytes(path),
              Utf16(head +
                    u"<br><table style=\"width: 170mm\" border=1 cellspacing=0 cellpadding=2 style=\""
                    u"table-layout:fixed; word-wrap: break-word; page-break-after: none;\" "
                    u"name=masterTbl2 id=masterTbl2><tr>"
                    u"<td><b>PL 0123 24 1 [As]</b><br>syn &quot;Asa&quot;</b><br>czerwony</td>"
                    u"<td><b>PL 0123 24 2</b><br></b><br> </td></table>" +
                    youngTable +
                    u"<thead><tr><th style=\"width: 15mm\">LP</th><th style=\"width: 45mm\">Obrączka"
                    u"</th><th style=\"width: 45mm\">Kolor</th></tr></thead><tbody></table>"));
}

TEST_F(LitterCardTest, WindowStartsWithPhotosAndPreviewsOrSavesThePage) {
    const int cock = AddBird(0, u"1");
    const int young = AddBird(0, u"5");
    const QString saved = QDir(folder_.path()).filePath(QStringLiteral("karta zapisana.html"));
    seams::ScriptPaths({saved, QStringLiteral("/nie/ma/folderu/k.html")});
    CDrukujKarteMiotu card;
    card.title = u"Karta Parowania";
    card.maleId = cock;
    card.youngIds = {young};
    seams::QueueModalHandler([&](Dialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Karta Parowania"));
        EXPECT_EQ(w.IsDlgButtonChecked(1077) * 1000 + w.IsDlgButtonChecked(1078) * 100 +
                      w.IsDlgButtonChecked(1079) * 10 + w.IsDlgButtonChecked(1080),
                  1100);
        EXPECT_EQ(w.ItemText(1075) + u"/" + w.ItemText(1076) + u"/" + w.ItemText(1081), u"Tahoma/12/950");
        w.CheckDlgButton(1080, 1);
        w.SetItemText(1076, u"14");
        Text previewed;
        for (int run = 0; run < 2; ++run) {
            seams::QueueModalHandler([&](Dialog& preview) {
                previewed = static_cast<CPodgladHTML&>(preview).path;
                return IDCANCEL;
            });
            w.RunCommand(CDrukujKarteMiotu::kPreviewButton);
        }
        EXPECT_EQ(previewed, LitterCardPreviewPath());
        const QString page = QString::fromStdU16String(ReadUnicodeFile(previewed));
        EXPECT_TRUE(page.contains(QStringLiteral("font-size: 14pt; font-family: Tahoma")));
        EXPECT_TRUE(page.contains(QStringLiteral("<td>1</td><td>&nbsp;PL 0123 24 5</td>")));
        EXPECT_TRUE(page.contains(QStringLiteral(">Notatki</th>")));
        w.RunCommand(CDrukujKarteMiotu::kSaveButton);
        EXPECT_EQ(FileBytes(saved.toStdU16String()), FileBytes(previewed));
        w.RunCommand(CDrukujKarteMiotu::kSaveButton);
        return IDCANCEL;
    });
    card.DoModal();
    EXPECT_EQ(MessageTexts(), QStringList{"Nie udało się zapisać listy do pliku:\n/nie/ma/folderu/k.html"});
}

}  // namespace
