#include "comm/platform/VerbatimPath.h"

#include <cstddef>
#include <vector>

namespace platform {
namespace {

const wchar_t kPrefix[] = L"\\\\?\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsStep(const std::wstring& name) { return name == L"." || name == L".."; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The names of `path` from `from` on, in order; the empty ones that doubled
// separators leave are not names.
std::vector<std::wstring> Names(const std::wstring& path, size_t from) {
    std::vector<std::wstring> names;
    size_t start = from;
    for (size_t i = from; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) continue;
        if (i > start) names.push_back(path.substr(start, i - start));
        start = i + 1;
    }
    return names;
}

// `root` ("\\?\E:", "\\?\UNC\srv\share") followed by `names` with their
// steps taken; never climbs above the root.
std::wstring Join(std::wstring root, const std::vector<std::wstring>& names, size_t first) {
    std::vector<const std::wstring*> kept;
    for (size_t i = first; i < names.size(); ++i) {
        if (names[i] == L"..") {
            if (!kept.empty()) kept.pop_back();
        } else if (names[i] != L".") {
            kept.push_back(&names[i]);
        }
    }
    for (const std::wstring* name : kept) root += L'\\' + *name;
    return root;
}

}  // namespace

std::wstring TrimmedName(std::wstring name) {
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    return name;
}

bool HasTrimmedName(const std::wstring& path) {
    for (const std::wstring& name : Names(path, 0)) {
        if (!IsStep(name) && TrimmedName(name).size() != name.size()) return true;
    }
    return false;
}

bool MakeVerbatimPath(const std::wstring& path, std::wstring* verbatim) {
    // Already so: "\\?\" and the object manager's own "\??\" are taken as
    // they stand, "/" included (a character of a name there).
    if (path.compare(0, 4, kPrefix) == 0 || path.compare(0, 4, L"\\??\\") == 0) {
        *verbatim = path;
        return true;
    }
    std::wstring made;
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        made = Join(kPrefix + path.substr(0, 2), Names(path, 3), 0);
        // "\\?\E:" alone is the volume, not its root folder.
        if (made.size() == 6) made += L'\\';
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // "\\.\", "//./", "//?/": device paths, read by rules of their own.
        if (path.size() >= 3 && (path[2] == L'.' || path[2] == L'?') && (path.size() == 3 || IsSeparator(path[3])))
            return false;
        const std::vector<std::wstring> names = Names(path, 2);
        // A share is named by its server and its own name; ".." never
        // climbs above it.
        if (names.size() < 2 || IsStep(names[0]) || IsStep(names[1])) return false;
        made = Join(std::wstring(kPrefix) + L"UNC\\" + names[0] + L'\\' + names[1], names, 2);
    } else {
        return false;  // relative to a current folder
    }
    if (IsSeparator(path.back()) && made.back() != L'\\') made += L'\\';
    *verbatim = made;
    return true;
}

bool SplitVerbatimPath(const std::wstring& verbatim, std::wstring* root, std::vector<std::wstring>* names) {
    if (verbatim.compare(0, 4, kPrefix) != 0) return false;
    std::vector<std::wstring> all;
    for (size_t start = 4, end = 0; start <= verbatim.size(); start = end + 1) {
        end = verbatim.find(L'\\', start);
        if (end == std::wstring::npos) end = verbatim.size();
        if (end > start) all.push_back(verbatim.substr(start, end - start));
    }
    // "UNC", the server and the share, or the drive.
    const size_t rootNames = !all.empty() && all[0] == L"UNC" ? 3 : 1;
    if (all.size() < rootNames || (rootNames == 1 && (all[0].size() != 2 || all[0][1] != L':'))) return false;
    root->assign(kPrefix);
    for (size_t i = 0; i < rootNames; ++i) *root += (i == 0 ? L"" : L"\\") + all[i];
    names->assign(all.begin() + static_cast<std::ptrdiff_t>(rootNames), all.end());
    return true;
}

}  // namespace platform
