#include "ToolKit/Trevand/Trevand/RowFilter.h"

#include <cstring>

#include "comm/platform/CaseFold936.h"
#include "comm/platform/CharNext936.h"

namespace {

const int64_t kSecondsPerDay = 24 * 60 * 60;

}  // namespace

const char* AgeFilterText(int age) {
    switch (age) {
    case kAge30Days: return "30 天前";
    case kAge90Days: return "90 天前";
    case kAge1Year: return "1 年前";
    default: return "全部";
    }
}

TRowFilter MakeRowFilter(const std::string& text, int age, int64_t now) {
    TRowFilter filter;
    filter.strFoldedText = platform::FoldCase936(text);
    const int64_t days = age == kAge30Days ? 30 : age == kAge90Days ? 90 : age == kAge1Year ? 365 : 0;
    if (days) filter.nWrittenBefore = now - days * kSecondsPerDay;
    return filter;
}

bool ContainsAtCharacter(const std::string& haystack, const std::string& needle) {
    if (needle.empty()) return true;
    const char* text = haystack.c_str();
    const char* end = text + haystack.size();
    for (const char* p = text; end - p >= static_cast<std::ptrdiff_t>(needle.size());) {
        // The next candidate start is found bytewise, then checked to lie on
        // a character boundary by stepping there.
        const char* hit = static_cast<const char*>(std::memchr(p, needle[0], static_cast<size_t>(end - p)));
        if (!hit || end - hit < static_cast<std::ptrdiff_t>(needle.size())) return false;
        // A byte below 0x80 is a character of its own in code page 936, so
        // only lead bytes need the system's stepping (a call per character
        // would cost more than the search).
        while (p < hit) p = static_cast<unsigned char>(*p) < 0x80 ? p + 1 : platform::CharNext936(p);
        if (p == hit && std::memcmp(hit, needle.data(), needle.size()) == 0) return true;
        if (p == hit) p = platform::CharNext936(p);
    }
    return false;
}

bool PassesRowFilter(const TCandidateFacts& row, const std::string& foldedPath, const TRowFilter& filter) {
    if (filter.nWrittenBefore != 0 && (row.nModified == 0 || row.nModified >= filter.nWrittenBefore)) return false;
    return ContainsAtCharacter(foldedPath, filter.strFoldedText);
}
