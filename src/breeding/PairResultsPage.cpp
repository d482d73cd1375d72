#include "PairResultsPage.h"

#include "DataStore.h"
#include "PrintPage.h"
#include "SharedRoutines.h"

namespace {

// The bird's first photo as an image of the heading, or nothing without photos.
Text HeadingImage(const PigeonRecord& bird) {
    if (bird.photos.empty()) return Text();
    PhotoRecord photo = bird.photos.front();
    return u"<img align=left src='" + PageFileUrl(photo.GetFilePath()) + u"' width=155 height=155>";
}

}  // namespace

bool BuildPairResultsHtml(const Text& path, const std::vector<PigeonRecord>& birds,
                          const PairRecord& pair) {
    const CDataStore& store = TheDataStore();
    const PigeonRecord& male = store.FindPigeon(pair.id_samca);
    const PigeonRecord& female = store.FindPigeon(pair.id_samicy);

    Text page = ListPageHead(u"10", u"Arial", u"300", false);
    page += u"<h1>Wyniki lotowe pary</h1><table><tr><td>" + HeadingImage(male) + u"</td><td><h2>" +
            HtmlEscape(male.GetRingNumberAndName()) + u"&nbsp;&nbsp;</h2></td>           <td>" +
            HeadingImage(female) + u"<td><h2>" + HtmlEscape(female.GetRingNumberAndName()) +
            u"</h2></td></table><br clear=all>";
    page += ListTableStart(u"masterTbl", u"always");
    page += u"<thead><tr>";
    page += u"<th width=30>LP</th><th>Nazwa gołębia</th><th>Średni konk.</th>"
            u"<th>Najlepszy Konkurs.</th><th>Średnia prędkość</th>";
    page += u"</tr></thead>";
    page += u"<tbody>";
    for (const PigeonRecord& bird : birds) {
        const long long averageSpeed =
            bird.flightCount > 0
                ? static_cast<long long>(bird.speedSum / static_cast<float>(bird.flightCount))
                : 0;
        page += u"<tr valign=top>\r\n";
        page += u"<td></td><td >" + HtmlEscape(bird.GetDisplayName()) + u"</td><td align=center>" +
                NumberText(bird.averagePosition) + u"</td><td align=center>" +
                NumberText(bird.bestPosition) + u"<br>" + HtmlEscape(bird.bestPlace) +
                u"</td><td align=center>" + NumberText(averageSpeed) + u"</td>";
        page += u"</tr>\r\n";
    }
    page += u"</table>";
    return WriteUnicodeFile(path, page);
}
