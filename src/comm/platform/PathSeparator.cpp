#include "comm/platform/PathSeparator.h"

#include "comm/platform/CharNext936.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool EndsWithSeparator(const std::string& path) {
    const char* last = nullptr;
    for (const char* p = path.c_str(); *p; p = CharNext936(p)) last = p;
    return last && IsSeparator(*last) && last[1] == '\0';
}

std::string ParentFolder(const std::string& path) {
    const char* begin = path.c_str();
    const char* split = nullptr;
    for (const char* p = begin; *p; p = CharNext936(p)) {
        if (IsSeparator(*p) && p[1] != '\0') split = p;
    }
    if (split == nullptr) return std::string();
    // "E:\Games": the root keeps its separator.
    if (split - begin == 2 && begin[1] == ':') return path.substr(0, 3);
    return std::string(begin, split);
}

std::string EntryName(const std::string& path) {
    const std::string parent = ParentFolder(path);
    if (parent.empty()) return path;
    // A drive root's parent keeps its separator ("E:\"), any other does not.
    const size_t skip = EndsWithSeparator(parent) ? 0 : 1;
    return path.substr(parent.size() + skip);
}

}  // namespace platform
