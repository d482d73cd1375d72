#include "EksportListyDoHTML.h"

#include <QString>
#include <algorithm>
#include <utility>

#include "ColumnLayout.h"
#include "DataStore.h"
#include "DialogHeader.h"
#include "Pedigree.h"
#include "PrintPage.h"
#include "Sex.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

namespace {

// The columns offered, always in this order.
constexpr std::int32_t kOfferedColumns[] = {0, 1, 2, 3, 11, 4, 5, 6, 7, 8, 10, 9, 12, 19, 17, 13, 20};

Text PersonName(const PersonRecord& person) { return person.imie + u" " + person.nazwisko; }

// Plain text of a note with its line breaks kept.
Text NoteHtml(const Text& note) {
    Text html;
    for (char16_t c : HtmlEscape(note)) {
        if (c == u'\r') continue;
        if (c == u'\n') html += u"<br>"; else html += c;
    }
    return html;
}

// The width a list page's table may take on an A4 sheet inside the printer's 10 mm margins,
// less the page's own margin and the table's borders.
constexpr double kPortraitRoomMm = 185;
constexpr double kLandscapeRoomMm = 272;
// What each column adds to its width: the cell's padding and borders (2 px and 1 px a side).
constexpr double kColumnFrameMm = 6 * 25.4 / 96;
// How much of a portrait sheet's height a landscape one has.
constexpr double kLandscapeHeightShare = 190.0 / 277.0;

// A length with at most one decimal ("12", "7.6").
Text Decimal(double value) {
    return QString::number(value, 'f', 1).remove(QStringLiteral(".0")).toStdU16String();
}

// A number typed by the user scaled by `scale`; a text that is no number stays as typed.
Text Scaled(const Text& typed, double scale) {
    bool ok = false;
    const double value = QString::fromStdU16String(typed).trimmed().toDouble(&ok);
    return ok ? Decimal(value * scale) : typed;
}

// Run at the end of a list set smaller across a landscape sheet. When the columns cannot all hold
// their longest words side by side, the table would run past the sheet's edge: then words wider
// than the width their column asks for may break anywhere, the widest beyond it first, until the
// table fits; should it still not fit, every column keeps the width it asks for.
Text FitLongWordsScript(double roomMm) {
    return u"<script type=\"text/javascript\">(function () {"
           u" var table = document.getElementById('masterTbl');"
           u" var room = " + Decimal(roomMm) + u" * 96 / 25.4 + 1;"
           // The narrowest the table can be with no word broken.
           u" function least() {"
           u"  table.style.setProperty('width', 'min-content', 'important');"
           u"  var width = table.getBoundingClientRect().width;"
           u"  table.style.removeProperty('width');"
           u"  return width; }"
           u" if (!table.tHead || least() <= room) return;"
           u" var heads = table.tHead.rows[0].cells, words = [];"
           u" table.style.setProperty('width', 'min-content', 'important');"
           u" for (var r = 0; r < table.rows.length; ++r) {"
           u"  var cells = table.rows[r].cells;"
           u"  for (var c = 0; c < cells.length && c < heads.length; ++c) {"
           u"   var asked = parseFloat(heads[c].style.width) * 96 / 25.4;"
           u"   var walk = document.createTreeWalker(cells[c], NodeFilter.SHOW_TEXT), node;"
           u"   while ((node = walk.nextNode())) {"
           u"    var found, pattern = /[^ \\t\\r\\n-]+-?/g;"
           u"    while ((found = pattern.exec(node.data))) {"
           u"     var word = document.createRange();"
           u"     word.setStart(node, found.index);"
           u"     word.setEnd(node, found.index + found[0].length);"
           u"     var excess = word.getBoundingClientRect().width - asked;"
           u"     if (excess > 0) words.push({range: word, excess: excess});"
           u"    }"
           u"   }"
           u"  }"
           u" }"
           u" table.style.removeProperty('width');"
           u" words.sort(function (a, b) { return b.excess - a.excess; });"
           u" for (var w = 0; w < words.length && least() > room; ++w) {"
           u"  var span = document.createElement('span');"
           u"  span.style.overflowWrap = 'anywhere';"
           u"  words[w].range.surroundContents(span);"
           u" }"
           u" if (least() > room) table.style.tableLayout = 'fixed';"
           u" })();</script>";
}

}  // namespace

Text ListPreviewPath() { return JoinPath(PedigreeFolder(), u"lista_prev.html"); }

CEksportListyDoHTML::CEksportListyDoHTML(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kAddButton, [this] { AddColumn(); });
    OnClicked(kRemoveButton, [this] { RemoveColumn(); });
    OnClicked(kMoveUpButton, [this] { MoveColumnUp(); });
    OnClicked(kMoveDownButton, [this] { MoveColumnDown(); });
    OnSelChange(kChosenList, [this] { ShowColumnWidth(); });
    OnClicked(kApplyWidthButton, [this] { ApplyColumnWidth(); });
    OnClicked(kPreviewButton, [this] { PreviewList(); });
    OnClicked(kSaveButton, [this] { SaveListToFile(); });
}

bool CEksportListyDoHTML::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(kFontNameEdit, u"Tahoma");
    SetItemText(kFontSizeEdit, u"12");
    SetItemText(kMarginEdit, u"950");
    SetDlgItemInt(kWidthEdit, columnWidth);
    availableColumns.assign(std::begin(kOfferedColumns), std::end(kOfferedColumns));
    ReadColumnLayout();
    ListBoxControl* available = ListBox(kAvailableList);
    available->ResetContent();
    for (const std::int32_t column : availableColumns) available->AddString(ExportColumnName(column));
    setFocus();
    setWindowTitle(QString::fromStdU16String(title));
    return true;
}

void CEksportListyDoHTML::OnEraseBkgnd(Dc& dc) { PaintDialogHeader(*this, dc, title); }

void CEksportListyDoHTML::ReadColumnLayout() {
    ColumnLayoutFile layout;
    // A missing or damaged file gives the pairs read in full.
    layout.Read(ExportLayoutPath());
    chosenColumns.clear();
    widths.clear();
    for (const std::int32_t column : layout.codes) {
        // A column this window does not know has no name and no cell text: it is left out.
        if (ExportColumnName(column).empty()) continue;
        chosenColumns.push_back(column);
        widths[column] = layout.WidthOf(column);
    }
    RefillChosen(-1);
}

bool CEksportListyDoHTML::WriteColumnLayout() {
    ColumnLayoutFile layout;
    layout.codes = chosenColumns;
    layout.widths = widths;
    if (layout.Write(ExportLayoutPath())) return true;
    MessageBox(this, u"Nie można zapisać układu kolumn do pliku:\n" + ExportLayoutPath(),
               std::u16string(u"Błąd zapisu"), MB_OK | MB_ICONERROR);
    return false;
}

void CEksportListyDoHTML::RefillChosen(int select) {
    ListBoxControl* chosen = ListBox(kChosenList);
    chosen->ResetContent();
    for (const std::int32_t column : chosenColumns) chosen->AddString(ExportColumnName(column));
    if (select >= 0) chosen->SetCurSel(select);
}

void CEksportListyDoHTML::ReadFields() {
    fontName = ItemText(kFontNameEdit);
    fontSize = ItemText(kFontSizeEdit);
    bottomMargin = ItemText(kMarginEdit);
    for (int i = 0; i < 4; ++i) notes[i] = IsDlgButtonChecked(kNoteChecks[i]);
    // A width that is no number is reported and the last one read stays.
    ReadUInt(kWidthEdit, columnWidth);
}

void CEksportListyDoHTML::AddColumn() {
    const int s = ListBox(kAvailableList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(availableColumns.size())) return;
    const std::int32_t column = availableColumns[static_cast<size_t>(s)];
    chosenColumns.push_back(column);
    ListBox(kChosenList)->AddString(ExportColumnName(column));
    widths[column] = kNewColumnWidth;
    WriteColumnLayout();
}

void CEksportListyDoHTML::RemoveColumn() {
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(chosenColumns.size())) return;
    chosenColumns.erase(chosenColumns.begin() + s);
    ListBox(kChosenList)->DeleteString(s);
    WriteColumnLayout();
}

void CEksportListyDoHTML::MoveColumnUp() {
    ReadFields();
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s <= 0 || s >= static_cast<int>(chosenColumns.size())) return;
    std::swap(chosenColumns[static_cast<size_t>(s) - 1], chosenColumns[static_cast<size_t>(s)]);
    RefillChosen(s - 1);
}

void CEksportListyDoHTML::MoveColumnDown() {
    ReadFields();
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s + 1 >= static_cast<int>(chosenColumns.size())) return;
    std::swap(chosenColumns[static_cast<size_t>(s)], chosenColumns[static_cast<size_t>(s) + 1]);
    RefillChosen(s + 1);
}

void CEksportListyDoHTML::ShowColumnWidth() {
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(chosenColumns.size())) return;
    SetDlgItemInt(kWidthEdit, widths[chosenColumns[static_cast<size_t>(s)]]);
}

void CEksportListyDoHTML::ApplyColumnWidth() {
    ReadFields();
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(chosenColumns.size())) return;
    widths[chosenColumns[static_cast<size_t>(s)]] = static_cast<std::int32_t>(columnWidth);
    WriteColumnLayout();
}

Text CEksportListyDoHTML::ExportCellText(int birdId, std::int32_t column, int rowNumber) const {
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(birdId);
    Text text;
    switch (column) {
    case 0: text = NumberText(rowNumber); break;
    case 1: text = HtmlEscape(bird.GetDisplayName()); break;
    case 2: text = SexText(SexOf(bird), u""); break;
    case 3: text = HtmlEscape(CDataStore::FindName(store.ColourNames(), bird.id_koloru)); break;
    case 4: {
        // The ticked kinds of the bird's notes, one after another.
        const Text* kinds[4] = {&bird.notatkiogolne, &bird.notatkichoroby,
                                &bird.notatkicechywygladu, &bird.notatkiproblemy};
        for (int i = 0; i < 4; ++i) {
            if (!notes[i] || kinds[i]->empty()) continue;
            if (!text.empty()) text += u"<br>";
            text += NoteHtml(*kinds[i]);
        }
        break;
    }
    case 5: text = HtmlEscape(store.FindPigeon(bird.id_ojca).GetDisplayName()); break;
    case 6: text = HtmlEscape(store.FindPigeon(bird.id_matki).GetDisplayName()); break;
    case 7: text = HtmlEscape(PersonName(store.FindBreeder(bird.id_hodowcy))); break;
    case 8: text = HtmlEscape(PersonName(store.FindClient(bird.id_wlasciciela))); break;
    case 9: text = HtmlEscape(CDataStore::FindName(store.BreedNames(), bird.id_rasy)); break;
    case 10: text = HtmlEscape(bird.nazwa); break;
    case 11:
        if (!bird.photos.empty()) {
            PhotoRecord photo = bird.photos.front();
            text = u"<img src='" + PageFileUrl(photo.GetFilePath()) + u"' width=125 height=125>";
        }
        break;
    case 12: text = HtmlEscape(CDataStore::FindName(store.LineNames(), bird.id_linia)); break;
    case 13: text = FormatTime(bird.DataF1, "%d/%m/%y"); break;
    case 17: text = HtmlEscape(bird.rocznik); break;
    case 19: {
        const Sex sex = SexOf(bird);
        text = sex == Sex::Male ? u"1-0" : sex == Sex::Female ? u"0-1" : u"";
        break;
    }
    case 20: {
        const auto code = store.ColourValues().find(bird.id_koloru);
        const int value = code == store.ColourValues().end() ? 0 : code->second;
        text = value == 0 ? Text(u" ") : NumberText(value);
        break;
    }
    default: break;
    }
    return text.empty() ? Text(u"&nbsp;") : text;
}

bool CEksportListyDoHTML::BuildListHtml(const Text& path) const {
    // A table wider than a portrait sheet is printed across a landscape one, and one wider than
    // that too is set smaller as a whole (columns, type, pictures and the height at which a
    // sheet is full), so that every column reaches the paper.
    double columnsWidth = 0;
    for (const std::int32_t column : chosenColumns) {
        const auto width = widths.find(column);
        if (width != widths.end() && width->second > 0) columnsWidth += width->second;
    }
    const double frames = kColumnFrameMm * static_cast<double>(chosenColumns.size());
    const bool landscape = columnsWidth + frames > kPortraitRoomMm;
    const double scale = columnsWidth + frames > kLandscapeRoomMm
                             ? std::max(0.0, kLandscapeRoomMm - frames) / columnsWidth
                             : 1.0;
    const Text pageHeight =
        landscape ? Scaled(bottomMargin, kLandscapeHeightShare) : bottomMargin;
    Text page = ListPageHead(scale < 1 ? Scaled(fontSize, scale) : fontSize, fontName, pageHeight,
                             scale < 1);
    // The cells draw every line of the table; a frame of the table's own would run on below the
    // last row of each printed sheet, down to the sheet's foot.
    page += u"<style type=\"text/css\">#masterTbl { border: 0 }";
    if (landscape) page += u" @page { size: A4 landscape }";
    if (scale < 1) {
        // The table fills the sheet's width and each column is at least as wide as its longest
        // word, the room left shared as the widths ask, so lines break at spaces and hyphens.
        // A word wider than its column alone is broken (see the script after the table).
        page += u" #masterTbl { width: " + Decimal(kLandscapeRoomMm) +
                u"mm !important } td, th { word-break: normal; overflow-wrap: break-word }"
                u" td img { max-width: 100%; height: auto }";
    }
    page += u"</style>";
    if (siblingBird.id > 0)
        page += u"<h2>Bracia i siostry gołębia: " + HtmlEscape(siblingBird.GetDisplayName()) + u"</h2>";
    page += ListTableStart(u"masterTbl", u"always");
    page += u"<thead><tr>";
    for (const std::int32_t column : chosenColumns) {
        const auto width = widths.find(column);
        const int millimetres = width == widths.end() ? 0 : width->second;
        page += u"<th style=\"width:" +
                (scale < 1 ? Decimal(millimetres * scale) : NumberText(millimetres)) + u"mm\">" +
                ExportColumnName(column) + u"</th>";
    }
    page += u"</tr></thead><tbody>";
    // Each page numbers its rows from 1.
    int rowNumber = 0;
    for (const int birdId : birdIds) {
        ++rowNumber;
        page += u"<tr valign=top>\r\n";
        for (const std::int32_t column : chosenColumns)
            page += u"<td>&nbsp;" + ExportCellText(birdId, column, rowNumber) + u"</td>";
        page += u"</tr>\r\n";
    }
    page += u"</table>";
    if (scale < 1) page += FitLongWordsScript(kLandscapeRoomMm);
    return WriteUnicodeFile(path, page);
}

void CEksportListyDoHTML::PreviewList() {
    ReadFields();
    PreviewPage(this, ListPreviewPath(), [this](const Text& path) { return BuildListHtml(path); },
                u"Nie udało się zapisać listy do pliku:\n");
}

void CEksportListyDoHTML::SaveListToFile() {
    ReadFields();
    SavePage(this, [this](const Text& path) { return BuildListHtml(path); },
             u"Nie udało się zapisać listy do pliku:\n");
}
