#include "Records.h"

#include <charconv>

#include "Sex.h"
#include "SharedRoutines.h"

namespace {

const Text& EmptyText() {
    static const Text empty;
    return empty;
}

// The four numbers that name a stored attachment, run together in decimal.
Text AttachmentName(int id, int rodzaj, int kategoria, int subkategoria, const Text& extension) {
    return NumberText(id) + NumberText(rodzaj) + NumberText(kategoria) + NumberText(subkategoria) +
           u"." + extension;
}

// Drops one carriage return that ended a line split at its line feed.
Text WithoutTrailingCr(Text piece) {
    if (!piece.empty() && piece.back() == u'\r') piece.pop_back();
    return piece;
}

// Every line break of a note ("\r\n" or a lone "\n") replaced by "<BR>".
Text LineBreaksToHtml(const Text& note) {
    Text html;
    html.reserve(note.size());
    for (size_t i = 0; i < note.size(); ++i) {
        if (note[i] == u'\r' && i + 1 < note.size() && note[i + 1] == u'\n') {
            html += u"<BR>";
            ++i;
        } else if (note[i] == u'\n') {
            html += u"<BR>";
        } else {
            html.push_back(note[i]);
        }
    }
    return html;
}

}  // namespace

// ---- attachments -----------------------------------------------------------------------------

Text PhotoRecord::FileName() const {
    return AttachmentName(id, rodzaj, kategoria, subkategoria, rozszerzenie);
}

Text PhotoRecord::GetFilePath() {
    path = JoinPath(ImagesFolder(), FileName());
    return path;
}

Text PhotoRecord::GetEscapedFilePath() {
    // GetInstallPathEscaped already ends with the separator.
    path = GetInstallPathEscaped() + u"db/images/" + FileName();
    return path;
}

Text DocumentRecord::FileName() const {
    return AttachmentName(id, rodzaj, kategoria, subkategoria, rozszerzenie);
}

Text DocumentRecord::GetFilePath() {
    path = JoinPath(DocumentsFolder(), FileName());
    return path;
}

// ---- birds -----------------------------------------------------------------------------------

Text PigeonRecord::GetRingNumber() const {
    return kraj + u" " + oddzial + u" " + rocznik + u" " + nr_obraczki;
}

bool PigeonRecord::HasSameRing(const PigeonRecord& other) const {
    return SameTextIgnoringCaseAndBlanks(nr_obraczki, other.nr_obraczki) &&
           SameTextIgnoringCaseAndBlanks(rocznik, other.rocznik) &&
           SameTextIgnoringCaseAndBlanks(oddzial, other.oddzial) &&
           SameTextIgnoringCaseAndBlanks(kraj, other.kraj);
}

Text PigeonRecord::GetDisplayName() const {
    Text text = GetRingNumber();
    if (!nazwa.empty()) text += u" [" + nazwa + u"]";
    return text;
}

Text PigeonRecord::GetRingNumberAndName() const {
    Text text = GetRingNumber();
    if (!nazwa.empty()) text += u"\n" + nazwa + u" ";
    return text;
}

const Text& PigeonRecord::PedigreeNote(int generation) const {
    switch (generation) {
        case 0: return NotatkaRodowodowa0;
        case 1: return NotatkaRodowodowa1;
        case 2: return NotatkaRodowodowa2;
        case 3: return NotatkaRodowodowa3;
        case 4: return NotatkaRodowodowa4;
        default: return EmptyText();
    }
}

Text PigeonRecord::GetPedigreeNoteHtml(int generation) const {
    if (generation < 0 || generation > 4) return Text();
    const Text& note = PedigreeNote(generation);
    const int limit = pedigreeNoteLines[static_cast<size_t>(generation)];
    if (limit < 0) return LineBreaksToHtml(note);

    // Notes typed in the editor carry "\n", older ones "\r\n"; both end a line, and an empty
    // line does not count toward the limit.
    Text html;
    int taken = 0;
    for (const Text& piece : SplitText(note, u'\n')) {
        if (taken >= limit) break;
        const Text line = WithoutTrailingCr(piece);
        if (line.empty()) continue;
        html += line + u"<BR>";
        ++taken;
    }
    return html;
}

PigeonRecord& PigeonRecord::CopyFromV5Record(const V5PigeonRecord& v5) {
    kraj = v5.country;
    nazwa = v5.name;
    nr_obraczki = v5.ringNumber;
    rocznik = v5.year;
    oddzial = v5.branch;
    switch (v5.sex) {
        case 0: plec = static_cast<int>(Sex::Female); break;
        case 1: plec = static_cast<int>(Sex::Male); break;
        case -1: plec = static_cast<int>(Sex::Unknown); break;
        default: break;            // unknown code: keep what the record had
    }
    notatkiogolne = v5.generalNotes;
    StripHtmlTags(notatkiogolne);
    notatkichoroby = v5.diseaseNotes;
    StripHtmlTags(notatkichoroby);
    notatkicechywygladu = v5.appearanceNotes;
    StripHtmlTags(notatkicechywygladu);
    notatkiproblemy = v5.problemNotes;
    StripHtmlTags(notatkiproblemy);
    NotatkaRodowodowa1 = v5.pedigreeNotes[0];
    NotatkaRodowodowa2 = v5.pedigreeNotes[1];
    NotatkaRodowodowa3 = v5.pedigreeNotes[2];
    NotatkaRodowodowa4 = v5.pedigreeNotes[3];
    v5FatherKey = v5.fatherId;
    v5MotherKey = v5.motherId;
    return *this;
}

// ---- flights ---------------------------------------------------------------------------------

float FlightRecord::SpeedOf(const FlightResultEntry& result) const {
    // A stored 0 is what an empty date column loads as, so it counts as unset like -1.
    if (czasodlotu <= 0 || result.DataCzasPrzylotu <= 0) return 0.0f;
    const double metres = odleglosckm * 1000.0 + static_cast<double>(odlegloscm);
    return MetresPerMinute(metres, static_cast<double>(result.DataCzasPrzylotu - czasodlotu));
}

float MetresPerMinute(double metres, double seconds) {
    if (!(seconds > 0.0)) return 0.0f;
    return static_cast<float>(metres / seconds * 60.0);
}

// ---- transactions ----------------------------------------------------------------------------

Text TransactionRecord::FormatPrice() const {
    // Two decimals at most, trailing zeros dropped, never an exponent, and never the process
    // locale's decimal separator: 12.5, 100, 12345.67, 1234567.
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, cena, std::chars_format::fixed, 2);
    std::string number(buffer, written.ec == std::errc() ? written.ptr : buffer);
    if (number.find('.') != std::string::npos) {
        while (!number.empty() && number.back() == '0') number.pop_back();
        if (!number.empty() && number.back() == '.') number.pop_back();
    }
    if (number == "-0") number = "0";

    Text text(number.begin(), number.end());
    switch (waluta) {
        case 0: text += u" PLN"; break;
        case 1: text += u" USD"; break;
        case 2: text += u" EUR"; break;
        case 3: text += u" FRA"; break;
        case 4: text += u" JEN"; break;
        default: break;
    }
    return text;
}

// ---- seasons and texts -----------------------------------------------------------------------

bool SeasonStartsLater(const SeasonRecord& left, const SeasonRecord& right) {
    return left.DATA_B > right.DATA_B;
}

std::vector<Text> SplitText(const Text& text, char16_t separator) {
    std::vector<Text> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == Text::npos) end = text.size();
        if (end > start) pieces.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return pieces;
}
