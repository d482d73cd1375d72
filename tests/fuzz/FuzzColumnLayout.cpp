// Fuzz target: the column-layout files (rows.dat, rows2.dat, rows3.dat) as the bird list, the
// list export and the results printout read them from disk. Whatever the bytes, reading must not
// crash or size anything by the count the file claims, and what was read must write back and
// read back to the same columns and widths.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ColumnLayout.h"
#include "SharedRoutines.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "column layout: %s\n", what);
    std::abort();
}

Text g_file;
std::string g_folder;

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/ox-fuzz-layout-XXXXXX";
    if (mkdtemp(folder) == nullptr) std::abort();
    g_folder = folder;
    std::atexit(RemoveFolder);
    g_file = FromUtf8(g_folder + "/rows.dat");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ColumnLayoutFile layout;
    const bool complete = layout.Decode(bytes);
    Require(layout.codes.size() <= size / 8, "more columns than the bytes hold");
    Require(complete || size < 4 || layout.codes.size() == (size - 4) / 8,
            "a short file lost columns it held in full");
    for (const std::int32_t code : layout.codes) {
        // Titles of codes the program does not know are empty, never a read out of a table.
        ListColumnTitle(code);
        ListColumnSetupTitle(code);
        ExportColumnName(code);
        FlightResultColumnTitle(code);
    }

    // Through a file on disk, as the column setup windows save and the lists read it back.
    Require(layout.Write(g_file), "the file could not be written");
    ColumnLayoutFile again;
    Require(again.Read(g_file), "a written file read back short");
    Require(again.codes == layout.codes, "the columns changed on the way through the file");
    for (const std::int32_t code : layout.codes)
        Require(again.WidthOf(code) == layout.WidthOf(code), "a width changed");
    Require(again.Encode() == layout.Encode(), "the bytes changed");
    return 0;
}
