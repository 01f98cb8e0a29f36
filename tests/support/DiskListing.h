// Windows only: a file-by-file listing of folders (path, size, attributes,
// and on request the files' content), taken before and after a deletion or a
// move to show that exactly the ticked entries went and nothing else changed.
//
// Paths are Windows paths in code page 936 with "\" separators, as the
// program's candidates are ("E:\Games\Old\x.dat"), of any length: entries
// deeper than the ANSI calls reach are listed too, and a name code page 936
// cannot hold shows a '?' for each such character. Links are listed but never
// entered, so what they point at is listed only where it really lives.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ListedEntry {
    uint64_t size = 0;
    uint32_t attributes = 0;
    // A reparse point, or a name that resolves to another place (Wine shows
    // a symbolic link to a file as a plain file).
    bool link = false;
    // A digest of a plain file's bytes (TakeListingWithContent); empty for
    // folders and links, and in listings taken without content.
    std::string content;
};

using DiskListing = std::map<std::string, ListedEntry>;

// Every entry below each of `roots` ("E:\", "C:\tmp\outside"); the roots
// themselves are not listed.
DiskListing TakeListing(const std::vector<std::string>& roots);

// The same with a digest of every plain file's bytes, so that a file
// changed in place, or swapped for another of its length, shows too. Links
// are not read through: what they point at is read where it lives.
DiskListing TakeListingWithContent(const std::vector<std::string>& roots);

// The entries of `listing` at or below `from`, with `from` replaced by `to`
// in their paths: where they are expected after `from` was renamed to `to`.
DiskListing Rebased(const DiskListing& listing, const std::string& from, const std::string& to);

// `listing` without the entries at or below any of `tops`.
DiskListing Without(const DiskListing& listing, const std::vector<std::string>& tops);

// What must remain of `before` once `ticked` are deleted: each ticked path
// and everything below it go, except the links among them and the folders
// that hold a link (up to the ticked path itself), which stay.
DiskListing WithoutDeleted(const DiskListing& before, const std::vector<std::string>& ticked);

// How `actual` differs from `expected`, one line per entry ("missing ...",
// "unexpected ...", "changed ..."); empty when they are the same.
std::string ListingDifference(const DiskListing& expected, const DiskListing& actual);

// How `after` differs from `before` other than by entries gone at or below
// one of `ticked`: for a deletion that was stopped part way. Empty when
// nothing else changed.
std::string ChangesBesideDeleted(const DiskListing& before, const DiskListing& after,
                                 const std::vector<std::string>& ticked);

// Whether `path` is `top` or lies below it.
bool IsAtOrBelow(const std::string& path, const std::string& top);

}  // namespace testsupport
