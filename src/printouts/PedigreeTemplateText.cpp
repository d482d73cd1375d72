#include "PedigreeTemplateText.h"

QByteArray InstalledForm(const QString& file, const QByteArray& bytes) {
    if (!file.startsWith(QStringLiteral("data/pedigrees/")) || !file.endsWith(QStringLiteral(".html")))
        return bytes;
    // The pedigree templates are read as UTF-16 little-endian text behind its byte-order mark.
    const QString text = QString::fromUtf8(bytes);
    QByteArray wide("\xFF\xFE", 2);
    wide.reserve(2 + text.size() * 2);
    for (const QChar c : text) {
        wide.append(static_cast<char>(c.unicode() & 0xFF));
        wide.append(static_cast<char>(c.unicode() >> 8));
    }
    return wide;
}

namespace {

unsigned Byte(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

Text UpToNul(Text text) {
    const size_t nul = text.find(u'\0');
    if (nul != Text::npos) text.resize(nul);
    return text;
}

std::optional<Text> FromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    Text text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned first = Byte(bytes, i), second = Byte(bytes, i + 1);
        text.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    // A high surrogate must be followed by a low one, and a low one must follow a high one.
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) return std::nullopt;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return std::nullopt;
            ++i;
        }
    }
    return UpToNul(std::move(text));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence.
std::optional<Text> FromUtf8(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const unsigned lead = Byte(bytes, i);
        if (lead < 0x80) {
            text.push_back(static_cast<char16_t>(lead));
            ++i;
            continue;
        }
        int extra = 0;
        char32_t point = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, point = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, point = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, point = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i <= static_cast<size_t>(extra)) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const unsigned next = Byte(bytes, i + k);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            point = point << 6 | (next & 0x3F);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return std::nullopt;
        if (point >= 0x10000) {
            point -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(point));
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return text;
}

}  // namespace

std::optional<Text> PedigreeTemplateFromBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        std::optional<Text> text = FromUtf8(bytes.substr(3));
        if (text) *text = UpToNul(std::move(*text));
        return text;
    }
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    return FromUtf8(bytes);
}
