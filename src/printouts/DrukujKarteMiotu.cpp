#include "DrukujKarteMiotu.h"

#include "DataStore.h"
#include "DialogHeader.h"
#include "Places.h"
#include "PrintPage.h"
#include "SharedRoutines.h"

namespace {

Text Colour(const PigeonRecord& bird) {
    return HtmlEscape(CDataStore::FindName(TheDataStore().ColourNames(), bird.id_koloru));
}

Text FirstPhotoUrl(const PigeonRecord& bird) {
    PhotoRecord photo = bird.photos.front();
    return PageFileUrl(photo.GetFilePath());
}

}  // namespace

Text LitterCardPreviewPath() {
    return places::OutputPage(QStringLiteral("ox_lista.html")).toStdU16String();
}

CDrukujKarteMiotu::CDrukujKarteMiotu(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kPreviewButton, [this] { PreviewCard(); });
    OnClicked(kSaveButton, [this] { SaveCard(); });
}

bool CDrukujKarteMiotu::OnInitDialog() {
    Dialog::OnInitDialog();
    CheckDlgButton(kParentPhotosCheck, 1);
    CheckDlgButton(kYoungPhotosCheck, 1);
    SetItemText(kFontNameEdit, u"Tahoma");
    SetItemText(kFontSizeEdit, u"12");
    SetItemText(kMarginEdit, u"950");
    setWindowTitle(QString::fromStdU16String(title));
    return true;
}

void CDrukujKarteMiotu::OnEraseBkgnd(Dc& dc) { PaintDialogHeader(*this, dc, title); }

void CDrukujKarteMiotu::ReadFields() {
    parentPhotos = IsDlgButtonChecked(kParentPhotosCheck);
    youngPhotos = IsDlgButtonChecked(kYoungPhotosCheck);
    pairNotes = IsDlgButtonChecked(kPairNotesCheck);
    youngNotes = IsDlgButtonChecked(kYoungNotesCheck);
    fontName = ItemText(kFontNameEdit);
    fontSize = ItemText(kFontSizeEdit);
    bottomMargin = ItemText(kMarginEdit);
}

bool CDrukujKarteMiotu::WriteLitterCardHtml(const Text& path) const {
    const CDataStore& store = TheDataStore();
    Text page = ListPageHead(fontSize, fontName, bottomMargin, true);

    // The cock, then the hen.
    page += ListTableStart(u"masterTbl2", u"none") + u"<tr>";
    for (const int id : {maleId, femaleId}) {
        const PigeonRecord& parent = store.FindPigeon(id);
        if (parentPhotos && !parent.photos.empty()) {
            page += Text(id == maleId ? u"<td width=125><img src='" : u"<td width=125> <img src='") +
                    FirstPhotoUrl(parent) + u"' width=125 height=125></td>";
        }
        page += u"<td><b>" + HtmlEscape(parent.GetDisplayName()) + u"</b><br>" +
                HtmlEscape(parent.krotkiopis) + u"</b><br>" + Colour(parent) + u"</td>";
    }
    page += u"</table>";

    // The young, numbered from 1 on every page.
    page += ListTableStart(u"masterTbl", u"always") + u"<thead><tr>";
    page += u"<th style=\"width: 15mm\">LP</th><th style=\"width: 45mm\">Obrączka</th>"
            u"<th style=\"width: 45mm\">Kolor</th>";
    if (youngNotes) page += u"<th style=\"width: 45mm\">Notatki</th>";
    if (youngPhotos) page += u"<th style=\"width: 45mm\">Zdjęcia</th>";
    page += u"</tr></thead><tbody>";
    int number = 0;
    for (const int id : youngIds) {
        const PigeonRecord& young = store.FindPigeon(id);
        page += u"<tr valign=top>\r\n<td>" + NumberText(++number) + u"</td><td>&nbsp;" +
                HtmlEscape(young.GetDisplayName()) + u"</td><td>&nbsp;" + Colour(young) +
                u"&nbsp;</td>";
        // An empty cell to write in by hand.
        if (youngNotes) page += u"<td style=\"width: 45mm\">&nbsp;</td>";
        if (youngPhotos && !young.photos.empty()) {
            page += u"<td style=\"width: 125\">&nbsp;<img src='" + FirstPhotoUrl(young) +
                    u"' width=125 height=125></td>";
        }
        page += u"</tr>\r\n";
    }
    page += u"</table>";
    return WriteUnicodeFile(path, page);
}

void CDrukujKarteMiotu::PreviewCard() {
    ReadFields();
    PreviewPage(this, LitterCardPreviewPath(), [this](const Text& path) { return WriteLitterCardHtml(path); },
                u"Nie udało się zapisać listy do pliku:\n");
}

void CDrukujKarteMiotu::SaveCard() {
    ReadFields();
    SavePage(this, [this](const Text& path) { return WriteLitterCardHtml(path); },
             u"Nie udało się zapisać listy do pliku:\n");
}
