// Fuzz target: the routines that turn HTML into the program's text: the stream that collects a
// saved document (16-bit text behind its byte-order mark, or UTF-8) and the tag stripping that
// the bird records' notes get. Whatever the bytes, no crash and no tag left behind.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "HtmlTextStream.h"
#include "SharedRoutines.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "html text: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CHtmlTextStream stream;
    Require(stream.Write(data, size) == size, "the stream did not take every byte");
    const Text& text = stream.Accumulated();
    const bool wide = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (wide) Require(text.size() == (size - 2) / 2, "16-bit text lost or gained units");

    Text stripped = text;
    StripHtmlTags(stripped);
    Require(stripped.find(u'<') == Text::npos, "a tag was left in the text");
    Require(stripped.size() <= text.size(), "stripping made the text longer");
    // Stripped text has nothing left to strip.
    Text twice = stripped;
    Require(StripHtmlTags(twice) == stripped, "stripping twice changed the text");

    // The same bytes read as 8-bit text, as the notes of old records arrive.
    Text narrow = WidenString(std::string(reinterpret_cast<const char*>(data), size));
    StripHtmlTags(narrow);
    Require(narrow.find(u'<') == Text::npos, "a tag was left in 8-bit text");
    return 0;
}
