#include "support/DiskListing.h"

#include <windows.h>

#include <cstdio>

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

// Where `path` really is, as the system resolves it; "" when it cannot be
// opened.
std::string RealLocation(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return "";
    char buffer[1024];
    const DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof(buffer), 0);
    CloseHandle(handle);
    if (length == 0 || length >= sizeof(buffer)) return "";
    std::string location(buffer, length);
    if (EndsInSeparator(location)) location.pop_back();
    return location;
}

// A 64-bit FNV-1a digest of the file's bytes, in hex; "unreadable" when it
// cannot be read.
std::string ContentDigest(const std::string& path) {
    // Shared for writing too: a database the program holds open is read as
    // it stands.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

void ListFolder(const std::string& folder, bool content, DiskListing* listing) {
    const std::string realFolder = RealLocation(folder);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Join(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = Join(folder, name);
        ListedEntry& entry = (*listing)[path];
        entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.attributes = data.dwFileAttributes;
        entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
                     RealLocation(path) != realFolder + "\\" + name;
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (content && !isFolder && !entry.link) entry.content = ContentDigest(path);
        if (isFolder && !entry.link) ListFolder(path, content, listing);
    } while (FindNextFileA(find, &data));
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
    for (const std::string& root : roots) ListFolder(root, false, &listing);
    return listing;
}

DiskListing TakeListingWithContent(const std::vector<std::string>& roots) {
    DiskListing listing;
    for (const std::string& root : roots) ListFolder(root, true, &listing);
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
