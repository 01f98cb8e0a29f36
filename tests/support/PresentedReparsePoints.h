// Windows only, for tests: real entries of a Wine drive presented as reparse
// points of chosen tags. Wine 8 makes no reparse point but its links
// (FSCTL_SET_REPARSE_POINT fails there with ERROR_NOT_SUPPORTED), so a
// deduplicated file, a junction or a cloud drive's placeholder cannot exist
// on a test drive. While an object lives, the platform's listings,
// ReadAttributes and ReadReparseTag report each path it names as a reparse
// point of its tag (platform::SetReparseTagHookForTests); the entry stays the
// real file or folder it is, so whatever the program does to it happens on
// the disk and shows in a listing taken afterwards.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace testsupport {

// One object at a time. Make and destroy it only while nothing lists, sizes,
// deletes or moves: workers read the paths without a lock.
class PresentedReparsePoints {
public:
    // `tags`: path, exactly as the program forms it ("E:\Games\a.dat"), to tag.
    explicit PresentedReparsePoints(std::map<std::string, uint32_t> tags);
    ~PresentedReparsePoints();
    PresentedReparsePoints(const PresentedReparsePoints&) = delete;
    PresentedReparsePoints& operator=(const PresentedReparsePoints&) = delete;

private:
    std::map<std::string, uint32_t> m_tags;
};

}  // namespace testsupport
