#include "PanelPodgladuTab5.h"

#include <QLabel>

#include "ColumnLayout.h"
#include "DataStore.h"
#include "ListView.h"
#include "Places.h"
#include "PodgladHTML.h"
#include "PreviewPanel.h"
#include "PrintPage.h"
#include "SharedRoutines.h"
#include "UstawKolumnyWynikiLotowe.h"
#include "WindowHelpers.h"

namespace {

constexpr COLORREF kNumberColour = 0xD0665E;
// No contest has this many birds: the best position before any positive one was seen.
constexpr int kNoPosition = 10000;

}  // namespace

CPanelPodgladuTab5::CPanelPodgladuTab5(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kPrintButton, [this] { OnPrint(); });
    OnClicked(kSaveButton, [this] { OnSave(); });
    OnClicked(kColumnsButton, [this] { OnSetupColumns(); });
}

bool CPanelPodgladuTab5::OnInitDialog() {
    Dialog::OnInitDialog();
    SetUpBirdFlightList(List(kFlightList));
    numberFont_ = Font(QStringLiteral("Tahoma"), 30, FW_BOLD);
    for (int id : {kAveragePositionLabel, kResultCountLabel, kMaximumSpeedLabel,
                   kAverageSpeedLabel, kBestPositionLabel}) {
        SetLabelLook(Label(id), numberFont_, kNumberColour);
    }
    return true;
}

void CPanelPodgladuTab5::ShowPigeon(int id) {
    rows_.clear();
    if (ListView* list = List(kFlightList)) list->DeleteAllItems();
    shownPigeonId_ = id;

    int best = kNoPosition;
    float maximum = 0.0f;
    int count = 0;
    long long sum = 0;
    rows_ = CollectBirdFlightRows(id);
    for (const BirdFlightRow& row : rows_) {
        // Position 0 means the bird was not placed: it is no best position, but it counts in
        // the average as the results always have.
        if (row.nr_konkursu > 0 && row.nr_konkursu < best) best = row.nr_konkursu;
        if (row.speed > maximum) maximum = row.speed;
        ++count;
        sum += row.nr_konkursu;
    }
    for (const BirdFlightRow& row : rows_) AddFlightRow(row);

    if (best == kNoPosition) best = 0;
    const long long averagePosition = count == 0 ? 0 : sum / count;
    SetItemText(kAveragePositionLabel, NumberText(averagePosition));
    SetItemText(kResultCountLabel, NumberText(count));
    SetItemText(kBestPositionLabel, NumberText(best));
    const PigeonRecord& bird = TheDataStore().FindPigeon(id);
    if (count == 0 || bird.flightCount <= 0) {
        SetItemText(kAverageSpeedLabel, u"0");
    } else {
        SetItemText(kAverageSpeedLabel,
                    FloatText(bird.speedSum / static_cast<float>(bird.flightCount)));
    }
    SetItemText(kMaximumSpeedLabel, FloatText(maximum));
}

void CPanelPodgladuTab5::AddFlightRow(const BirdFlightRow& row) {
    AppendBirdFlightRow(List(kFlightList), row);
}

Text CPanelPodgladuTab5::FlightCellText(const BirdFlightRow& row, int code, int rowNumber) {
    const FlightRecord& flight = row.flight;
    Text text;
    switch (code) {
    case FlightResultColumnLp: text = NumberText(rowNumber); break;
    case FlightResultColumnPlace: text = flight.miejscowosc; break;
    case FlightResultColumnDistance: text = FloatText(flight.odleglosckm) + u" "; break;
    case FlightResultColumnWeather: text = flight.pogodawmiejscuwypuszczenia; break;
    case FlightResultColumnLocalWeather: text = flight.pogodalokalna; break;
    case FlightResultColumnCompetitors: text = NumberText(flight.iloscwkonkursie) + u" "; break;
    case FlightResultColumnBirds: text = NumberText(flight.golebi_oddzial) + u" "; break;
    case FlightResultColumnSpeed: text = FloatText(row.speed); break;
    case FlightResultColumnPosition: text = NumberText(row.nr_konkursu); break;
    case FlightResultColumnPoints: text = FloatText(row.PunktyOddzial) + u" "; break;
    case FlightResultColumnCoefficient: text = FloatText(row.CoefficientOddzialowy) + u" "; break;
    case FlightResultColumnArrival: text = FormatTime(row.DataCzasPrzylotu, "%H:%M"); break;
    default: break;
    }
    return text.empty() ? Text(u"&nbsp;") : HtmlEscape(text);
}

bool CPanelPodgladuTab5::BuildFlightsHtml(const Text& path) const {
    // Read as far as the file goes: no file, no columns.
    ColumnLayoutFile layout;
    layout.Read(FlightResultLayoutPath());

    Text page = ListPageHead(u"10", u"Tahoma", u"900", false);
    PigeonRecord bird = TheDataStore().FindPigeon(shownPigeonId_);
    Text title;
    if (!bird.photos.empty()) {
        const QString file = QString::fromStdU16String(bird.photos.front().GetFilePath());
        title += u"<img align=left src='" + PageFileUrl(file.toStdU16String()) +
                 u"' width=135 height=135><br><br>";
    }
    title += u"<h2>Wyniki lotowe gołębia: " + HtmlEscape(bird.GetDisplayName()) +
             u"</h2><br clear=all>";
    page += title;
    page += ListTableStart(u"masterTbl", u"always");
    page += u"<thead><tr>";
    for (const std::int32_t code : layout.codes) {
        page += u"<td style=\"width:" + NumberText(layout.WidthOf(code)) +
                u"mm\" align=center bgcolor=#eeeeee><b>" + HtmlEscape(FlightResultColumnTitle(code)) +
                u"</b></td>";
    }
    page += u"</tr></thead>";
    page += u"<tbody>";
    int number = 1;
    for (const BirdFlightRow& row : rows_) {
        page += u"<tr valign=top>\r\n";
        for (const std::int32_t code : layout.codes)
            page += u"<td>&nbsp;" + FlightCellText(row, code, number) + u"</td>";
        page += u"</tr>\r\n";
        ++number;
    }
    page += u"</table>";
    return WriteUnicodeFile(path, page);
}

void CPanelPodgladuTab5::OnPrint() {
    const Text path = places::OutputPage(QStringLiteral("ox_wyniki.html")).toStdU16String();
    // A page that could not be written is not previewed: the file may still hold another
    // bird's report.
    if (!BuildFlightsHtml(path)) {
        MessageBox(this, u"Nie udało się zapisać wyników lotowych gołębia do pliku.");
        return;
    }
    CPodgladHTML preview;
    preview.path = path;
    preview.DoModal();
}

void CPanelPodgladuTab5::OnSave() {
    const QString chosen = GetSaveFileName(this, QStringLiteral("Plik HTML"), QStringLiteral("html"),
                                           QStringLiteral("*.html"));
    if (chosen.isEmpty()) return;
    if (!BuildFlightsHtml(chosen.toStdU16String()))
        MessageBox(this, u"Nie udało się zapisać wyników lotowych gołębia do pliku.");
}

void CPanelPodgladuTab5::OnSetupColumns() {
    CUstawKolumnyWynikiLotowe setup;
    setup.dialogTitle = u"Ustaw kolumny do wydruku";
    setup.DoModal();
}

void CPanelPodgladuTab5::OnEraseBkgnd(Dc& dc) { PaintPreviewTabBackground(dc, width()); }
