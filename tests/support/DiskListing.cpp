#include "support/DiskListing.h"

#include <windows.h>

namespace testsupport {
namespace {

void ListInto(const std::string& folder, DiskListing* listing) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "\\" + name;
        ListedEntry& entry = (*listing)[path];
        entry.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entry.attributes = found.dwFileAttributes;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            ListInto(path, listing);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

bool IsAtOrBelow(const std::string& path, const std::string& top) {
    return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 && path[top.size()] == '\\');
}

bool IsAtOrBelowAny(const std::string& path, const std::vector<std::string>& tops) {
    for (const std::string& top : tops) {
        if (IsAtOrBelow(path, top)) {
            return true;
        }
    }
    return false;
}

}  // namespace

DiskListing ListTree(const std::string& folder) {
    DiskListing listing;
    ListInto(folder, &listing);
    return listing;
}

DiskListing ListTrees(const std::vector<std::string>& folders) {
    DiskListing listing;
    for (const std::string& folder : folders) {
        ListInto(folder, &listing);
    }
    return listing;
}

DiskListing Without(const DiskListing& listing, const std::vector<std::string>& paths) {
    DiskListing kept;
    for (const auto& entry : listing) {
        if (!IsAtOrBelowAny(entry.first, paths)) {
            kept.insert(entry);
        }
    }
    return kept;
}

DiskListing Within(const DiskListing& listing, const std::vector<std::string>& paths) {
    DiskListing kept;
    for (const auto& entry : listing) {
        if (IsAtOrBelowAny(entry.first, paths)) {
            kept.insert(entry);
        }
    }
    return kept;
}

std::string ListingDifference(const DiskListing& expected, const DiskListing& actual) {
    std::string difference;
    for (const auto& entry : expected) {
        const auto there = actual.find(entry.first);
        if (there == actual.end()) {
            difference += "gone: " + entry.first + "\n";
        } else if (!(there->second == entry.second)) {
            difference += "changed: " + entry.first + "\n";
        }
    }
    for (const auto& entry : actual) {
        if (expected.count(entry.first) == 0) {
            difference += "new: " + entry.first + "\n";
        }
    }
    return difference;
}

}  // namespace testsupport
