#pragma once
// Collects the HTML that a document saves into memory. The bytes arrive either as 16-bit text
// (little-endian, optionally led by a byte-order mark, which is not kept) or as 8-bit UTF-8 text.

#include <cstddef>

#include "Records.h"

class CHtmlTextStream {
public:
    // Appends the bytes as text; returns the number of bytes taken (all of them).
    std::size_t Write(const void* bytes, std::size_t count);

    const Text& Accumulated() const { return text_; }

private:
    Text text_;
};
