#include "support/QuarantineListing.h"

#include <windows.h>

#include "comm/platform/PathSeparator.h"

namespace testsupport {
namespace {

const char kDatabaseName[] = "Quarantine.db";

// "E:\TrevandQuarantine" for "E:\TrevandQuarantine\<batch>\...".
std::string QuarantineFolderOf(const std::string& stored) {
    const size_t end = stored.find('\\', 3);
    return end == std::string::npos ? stored : stored.substr(0, end);
}

bool IsDatabase(const std::string& path) {
    const std::string suffix = std::string("\\") + kDatabaseName;
    return path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           QuarantineFolderOf(path) + suffix == path;
}

}  // namespace

DiskListing ExpectedWithHeld(const DiskListing& before, const std::vector<HeldEntry>& held) {
    std::vector<std::string> originals;
    for (const HeldEntry& entry : held) originals.push_back(entry.original);
    DiskListing expected = Without(before, originals);
    for (const HeldEntry& entry : held) {
        const std::string folder = QuarantineFolderOf(entry.stored);
        expected[folder] = {0, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, false, ""};
        expected[folder + "\\" + kDatabaseName] = {0, FILE_ATTRIBUTE_ARCHIVE, false, ""};
        for (std::string above = platform::ParentFolder(entry.stored); above.size() > folder.size();
             above = platform::ParentFolder(above)) {
            expected[above] = {0, FILE_ATTRIBUTE_DIRECTORY, false, ""};
        }
        for (const auto& moved : Rebased(before, entry.original, entry.stored)) expected.insert(moved);
    }
    return expected;
}

DiskListing WithoutDatabaseBytes(DiskListing listing) {
    for (auto& entry : listing) {
        if (!IsDatabase(entry.first)) continue;
        entry.second.size = 0;
        entry.second.content.clear();
    }
    return listing;
}

}  // namespace testsupport
