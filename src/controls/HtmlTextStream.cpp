#include "HtmlTextStream.h"

#include <QString>

std::size_t CHtmlTextStream::Write(const void* bytes, std::size_t count) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (count >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        // 16-bit text behind its byte-order mark; an odd last byte is no character.
        for (std::size_t i = 2; i + 1 < count; i += 2)
            text_.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        return count;
    }
    text_ += QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count))
                 .toStdU16String();
    return count;
}
