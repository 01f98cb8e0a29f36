#include "support/DiskListing.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "support/WineHost.h"

namespace testsupport {
namespace {

// Only "E:\" ends in a separator; elsewhere a last byte 0x5C is a trail
// byte (誠).
bool EndsInSeparator(const std::string& path) {
    const size_t n = path.size();
    return n >= 3 && path[n - 2] == ':' && path[n - 1] == '\\';
}

std::string Join(const std::string& folder, const std::string& name) {
    return EndsInSeparator(folder) ? folder + name : folder + "\\" + name;
}

// The wide form of `path` (code page 936) that every call here takes: with
// the "\\?\" prefix, so entries deeper than the ANSI calls reach are listed
// too. The program's paths are absolute and have no "." or "..".
std::wstring LongPath(std::string path) {
    if (path.size() == 2 && path[1] == ':') path += '\\';  // "E:" alone is the drive's current folder
    const int length = MultiByteToWideChar(936, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(936, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
    return L"\\\\?\\" + wide;
}

// A listed name in code page 936; a character it cannot hold shows as '?'.
std::string Narrow(const wchar_t* name) {
    char text[MAX_PATH * 2];
    const int length = WideCharToMultiByte(936, 0, name, -1, text, sizeof(text), nullptr, nullptr);
    return length > 0 ? std::string(text, static_cast<size_t>(length - 1)) : std::string();
}

// Where `path` really is, as the system resolves it (its object name, which
// GetFinalPathNameByHandle starts from: Wine's has room for MAX_PATH
// characters only); empty when it cannot be opened.
std::wstring RealLocation(const std::wstring& path) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const QueryObject query = [] {
        FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject");
        QueryObject function = nullptr;
        std::memcpy(&function, &found, sizeof(function));
        return function;
    }();
    HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE || query == nullptr) return L"";
    // OBJECT_NAME_INFORMATION: a UNICODE_STRING (length, maximum, buffer).
    struct NameInformation {
        USHORT length;
        USHORT maximum;
        const wchar_t* buffer;
    };
    std::vector<unsigned char> info(65536 + sizeof(NameInformation));
    ULONG needed = 0;
    const int kObjectNameInformation = 1;
    const LONG status = query(handle, kObjectNameInformation, info.data(), static_cast<ULONG>(info.size()), &needed);
    CloseHandle(handle);
    if (status != 0) return L"";
    const NameInformation* name = reinterpret_cast<const NameInformation*>(info.data());
    std::wstring location(name->buffer, name->length / sizeof(wchar_t));
    if (!location.empty() && location.back() == L'\\') location.pop_back();
    return location;
}

// `path` with every name trimmed of the dots and spaces at its end.
std::wstring WithTrimmedNames(const std::wstring& path) {
    std::wstring trimmed;
    for (wchar_t c : path) {
        if (c == L'\\')
            while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' ')) trimmed.pop_back();
        trimmed += c;
    }
    while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' ')) trimmed.pop_back();
    return trimmed;
}

// Whether the entry `name` of the folder that resolves to `realFolder`,
// opened as `widePath` and listed as `path`, leads to another place than its
// own. Wine names an entry as the usual form of its path would read it, dots
// and spaces at the ends of names trimmed ("Game." resolves to
// "\??\E:\Pkg\Game", "Game \x" to "\??\E:\Pkg\Game \x" while its folder resolves
// to "\??\E:\Pkg\Game"), exactly as a link to such a place resolves: where only
// the trimmed names match, the Linux side tells.
bool LeadsElsewhere(const std::string& path, const std::wstring& widePath, const std::wstring& realFolder,
                    const std::wstring& name) {
    const std::wstring location = RealLocation(widePath);
    const std::wstring own = realFolder + L"\\" + name;
    if (location == own) return false;
    if (WithTrimmedNames(location) != WithTrimmedNames(own)) return true;
    const std::string unixPath = ExactUnixPathOf(path);
    return unixPath.empty() || RunUnixCommand({"test", "-L", unixPath});
}

// A 64-bit FNV-1a digest of the file's bytes, in hex; "unreadable" when it
// cannot be read.
std::string ContentDigest(const std::wstring& path) {
    // Shared for writing too: a database the program holds open is read as
    // it stands.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "unreadable";
    uint64_t hash = 14695981039346656037ULL;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ULL;
    }
    CloseHandle(file);
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// Lists `folder` (its path in code page 936, and in the wide form with the
// prefix) into *listing. Entries are opened by their wide names, so one whose
// name code page 936 cannot hold is still looked at where it lives.
void ListFolder(const std::string& folder, const std::wstring& wideFolder, bool content, DiskListing* listing) {
    const std::wstring realFolder = RealLocation(wideFolder);
    const std::wstring wideBase = wideFolder.back() == L'\\' ? wideFolder : wideFolder + L"\\";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((wideBase + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring wideName = data.cFileName;
        if (wideName == L"." || wideName == L"..") continue;
        const std::string path = Join(folder, Narrow(data.cFileName));
        const std::wstring widePath = wideBase + wideName;
        ListedEntry& entry = (*listing)[path];
        entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.attributes = data.dwFileAttributes;
        entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
                     LeadsElsewhere(path, widePath, realFolder, wideName);
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (content && !isFolder && !entry.link) entry.content = ContentDigest(widePath);
        if (isFolder && !entry.link) ListFolder(path, widePath, content, listing);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::string Describe(const std::string& path, const ListedEntry& entry) {
    char text[64];
    std::snprintf(text, sizeof(text), " (size %llu, attributes 0x%lx%s", static_cast<unsigned long long>(entry.size),
                  static_cast<unsigned long>(entry.attributes), entry.link ? ", link" : "");
    return path + text + (entry.content.empty() ? "" : ", content " + entry.content) + ")";
}

bool Same(const ListedEntry& a, const ListedEntry& b) {
    return a.size == b.size && a.attributes == b.attributes && a.link == b.link && a.content == b.content;
}

}  // namespace

bool IsAtOrBelow(const std::string& path, const std::string& top) {
    if (path.compare(0, top.size(), top) != 0) return false;
    return path.size() == top.size() || path[top.size()] == '\\';
}

DiskListing TakeListing(const std::vector<std::string>& roots) {
    DiskListing listing;
    for (const std::string& root : roots) ListFolder(root, LongPath(root), false, &listing);
    return listing;
}

DiskListing TakeListingWithContent(const std::vector<std::string>& roots) {
    DiskListing listing;
    for (const std::string& root : roots) ListFolder(root, LongPath(root), true, &listing);
    return listing;
}

DiskListing Rebased(const DiskListing& listing, const std::string& from, const std::string& to) {
    DiskListing rebased;
    for (const auto& entry : listing) {
        if (IsAtOrBelow(entry.first, from)) rebased[to + entry.first.substr(from.size())] = entry.second;
    }
    return rebased;
}

DiskListing Without(const DiskListing& listing, const std::vector<std::string>& tops) {
    DiskListing rest;
    for (const auto& entry : listing) {
        bool below = false;
        for (const std::string& top : tops) below = below || IsAtOrBelow(entry.first, top);
        if (!below) rest.insert(entry);
    }
    return rest;
}

DiskListing WithoutDeleted(const DiskListing& before, const std::vector<std::string>& ticked) {
    DiskListing remaining;
    for (const auto& entry : before) {
        bool stays = true;
        for (const std::string& top : ticked) {
            if (!IsAtOrBelow(entry.first, top)) continue;
            // Inside a ticked entry only links and the folders holding one stay.
            stays = false;
            for (const auto& other : before) {
                if (other.second.link && IsAtOrBelow(other.first, entry.first) && IsAtOrBelow(other.first, top)) {
                    stays = true;
                    break;
                }
            }
        }
        if (stays) remaining.insert(entry);
    }
    return remaining;
}

std::string ListingDifference(const DiskListing& expected, const DiskListing& actual) {
    std::string difference;
    for (const auto& entry : expected) {
        auto found = actual.find(entry.first);
        if (found == actual.end()) difference += "missing " + Describe(entry.first, entry.second) + "\n";
        else if (!Same(found->second, entry.second))
            difference +=
                "changed " + Describe(entry.first, entry.second) + " to " + Describe("", found->second) + "\n";
    }
    for (const auto& entry : actual) {
        if (!expected.count(entry.first)) difference += "unexpected " + Describe(entry.first, entry.second) + "\n";
    }
    return difference;
}

std::string ChangesBesideDeleted(const DiskListing& before, const DiskListing& after,
                                 const std::vector<std::string>& ticked) {
    DiskListing expected;
    for (const auto& entry : before) {
        bool deletable = false;
        for (const std::string& top : ticked) deletable = deletable || IsAtOrBelow(entry.first, top);
        if (deletable && !after.count(entry.first)) continue;  // deleted, as it may be
        expected.insert(entry);
    }
    return ListingDifference(expected, after);
}

}  // namespace testsupport
