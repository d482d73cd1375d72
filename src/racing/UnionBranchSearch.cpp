#include <QString>

#include "UnionBranchTable.h"

std::vector<UnionDistrict>& UnionBranchTable() {
    static std::vector<UnionDistrict> table;
    return table;
}

void FillUnionBranchTable() {
    std::vector<UnionDistrict>& table = UnionBranchTable();
    if (!table.empty()) return;
    for (const UnionDistrictSource& source : UnionBranchSource()) {
        UnionDistrict district{.name = source.name, .entries = {}};
        for (const char16_t* entry : source.entries) district.entries.emplace_back(entry);
        table.push_back(std::move(district));
    }
}

Text SearchUnionBranches(const Text& text) {
    // Full Unicode upper-casing, so "łódź" finds "ŁÓDŹ" as "lodz" would not.
    const Text wanted = QString::fromStdU16String(text).toUpper().toStdU16String();
    Text result;
    for (const UnionDistrict& district : UnionBranchTable()) {
        for (const Text& entry : district.entries) {
            if (entry.find(wanted) == Text::npos) continue;
            result += entry;
            result += u", Oddział: ";
            result += district.name;
            result += u"\r\n";
        }
    }
    return result;
}
