// Windows only: a file-by-file picture of a folder tree — path, size and
// attributes of every entry — taken before and after a deletion to show that
// exactly the ticked entries went and nothing else changed. Links (reparse
// points) are listed as entries and never entered: what they point at is
// listed where it really lies, or not at all.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ListedEntry {
    uint64_t size = 0;
    uint32_t attributes = 0;
    bool operator==(const ListedEntry& other) const {
        return size == other.size && attributes == other.attributes;
    }
};

// Full Windows path (code page 936) -> entry.
using DiskListing = std::map<std::string, ListedEntry>;

// Every entry below `folder` ("E:" lists drive E), not `folder` itself.
DiskListing ListTree(const std::string& folder);
// The trees of several folders in one listing.
DiskListing ListTrees(const std::vector<std::string>& folders);

// `listing` without the entries `paths` and everything below them.
DiskListing Without(const DiskListing& listing, const std::vector<std::string>& paths);
// Only the entries `paths` and everything below them.
DiskListing Within(const DiskListing& listing, const std::vector<std::string>& paths);

// The differences between two listings, one a line ("gone: E:\x", "new: ...",
// "changed: ..."), for an assertion message; "" when they are equal.
std::string ListingDifference(const DiskListing& expected, const DiskListing& actual);

}  // namespace testsupport
