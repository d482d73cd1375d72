#include "ColumnLayout.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "SharedRoutines.h"

// ---- the layout file ---------------------------------------------------------------------------

namespace {

void PutInt32(std::string& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((u >> shift) & 0xFFu));
    }
}

std::int32_t GetInt32(const std::string& bytes, size_t offset) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) {
        u = (u << 8) | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    }
    return static_cast<std::int32_t>(u);
}

}  // namespace

std::int32_t ColumnLayoutFile::WidthOf(std::int32_t code) const {
    const auto it = widths.find(code);
    return it != widths.end() ? it->second : 0;
}

std::string ColumnLayoutFile::Encode() const {
    std::string out;
    out.reserve(4 + 8 * codes.size());
    PutInt32(out, static_cast<std::int32_t>(codes.size()));
    for (const std::int32_t code : codes) {
        PutInt32(out, code);
        PutInt32(out, WidthOf(code));
    }
    return out;
}

bool ColumnLayoutFile::Decode(const std::string& bytes) {
    codes.clear();
    widths.clear();
    if (bytes.size() < 4) return false;
    const std::int32_t count = GetInt32(bytes, 0);
    // The count is only a promise: a damaged file may announce far more pairs than it holds,
    // so nothing is sized by it.
    const size_t pairsThere = (bytes.size() - 4) / 8;
    const size_t wanted = count > 0 ? static_cast<size_t>(count) : 0;
    const size_t pairs = std::min(wanted, pairsThere);
    for (size_t k = 0; k < pairs; ++k) {
        const std::int32_t code = GetInt32(bytes, 4 + 8 * k);
        const std::int32_t width = GetInt32(bytes, 8 + 8 * k);
        codes.push_back(code);
        widths[code] = width;
    }
    return pairs == wanted;
}

bool ColumnLayoutFile::Read(const Text& path) {
    codes.clear();
    widths.clear();
    std::ifstream in(ToFsPath(path), std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    return Decode(bytes);
}

bool ColumnLayoutFile::Write(const Text& path) const {
    const std::filesystem::path target = ToFsPath(path);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    const std::string bytes = Encode();
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

Text ListLayoutPath() { return JoinPath(GetInstallPath(), u"rows.dat"); }
Text ExportLayoutPath() { return JoinPath(GetInstallPath(), u"rows2.dat"); }
Text FlightResultLayoutPath() { return JoinPath(GetInstallPath(), u"rows3.dat"); }

// ---- column texts ------------------------------------------------------------------------------

namespace {

template <size_t N>
Text TextAt(const std::array<const char16_t*, N>& texts, std::int32_t code) {
    if (code < 0 || static_cast<size_t>(code) >= N) return {};
    return texts[static_cast<size_t>(code)];
}

const std::array<const char16_t*, 20> kListTitles = {
    u"LP.",        u"Nazwa",     u"Płeć",        u"Kolor",  u"Notatka",
    u"Ojciec",     u"Matka",     u"Hodowca",     u"Wlasciciel",
    u"Rasa",       u"Przydomek", u"Zdjęcie",     u"Linia",  u"Data wyjścia na dach",
    u"Kraj",       u"Oddział",   u"Obrączka",    u"Rocznik", u"Status",
    u"Ocena",
};

// Numbers the export has no text for are empty.
const std::array<const char16_t*, 21> kExportNames = {
    u"LP.",         u"Obrączka", u"Płeć",    u"Kolor",      u"Notatka",
    u"Ojciec",      u"Matka",    u"Hodowca", u"Wlasciciel", u"Rasa",
    u"Nazwa gołębia", u"Zdjęcie", u"Linia",  u"Data wyjścia na dach",
    u"",            u"",         u"",        u"Rocznik",    u"",
    u"Płeć (1-0;0-1)", u"Kod koloru",
};

const std::array<const char16_t*, 12> kFlightResultTitles = {
    u"LP.",    u"Miejscowość",    u"Odległość", u"Pogoda",
    u"Pogoda lokalna", u"Liczba w konk.", u"Liczba gołębi", u"Szybkość",
    u"Miejsce w konk.", u"Punkty",   u"Coefficent", u"Czas przylotu",
};

}  // namespace

Text ListColumnTitle(std::int32_t code) { return TextAt(kListTitles, code); }

Text ListColumnSetupTitle(std::int32_t code) {
    if (code == ListColumnName) return u"Nazwa gołębia";
    if (code == ListColumnRating) return u"Średnia ocena";
    return ListColumnTitle(code);
}

Text ExportColumnName(std::int32_t code) { return TextAt(kExportNames, code); }

Text FlightResultColumnTitle(std::int32_t code) { return TextAt(kFlightResultTitles, code); }
