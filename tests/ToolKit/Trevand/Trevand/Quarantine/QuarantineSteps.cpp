#include "QuarantineSteps.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "QuarantineFixture.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"

namespace quarantinetest {

TQuarantineRecord PutIn(const std::string& original, int64_t when) {
    CQuarantineDisk disk(original[0]);
    TQuarantineRecord record;
    uint32_t error = 0;
    EXPECT_TRUE(disk.Open(true, &error)) << error;
    const bool bDir = (::GetFileAttributesA(original.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    EXPECT_TRUE(disk.MoveIn(original, bDir, 0, kBatch, when, &record, &error)) << original << ": " << error;
    return record;
}

std::vector<TQuarantineRecord> HeldOn(char drive) {
    CQuarantineDisk disk(drive);
    uint32_t error = 0;
    if (!disk.Open(false, &error)) return {};
    return disk.Records();
}

size_t RestoreAllHeld(char drive) {
    CQuarantineDisk disk(drive);
    uint32_t error = 0;
    EXPECT_TRUE(disk.Open(false, &error)) << error;
    size_t restored = 0;
    for (const TQuarantineRecord& record : disk.Records()) {
        const CQuarantineDisk::RestoreResult result = disk.Restore(record, &error);
        EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, result) << record.strOriginalPath << ": " << error;
        restored += result == CQuarantineDisk::RestoreResult::kRestored;
    }
    disk.RemoveEmptyFolders();
    return restored;
}

std::vector<std::string> EntriesGone(const testsupport::DiskListing& before, const testsupport::DiskListing& after) {
    std::vector<std::string> gone;
    for (const auto& entry : before) {
        if (!after.count(entry.first)) gone.push_back(entry.first);
    }
    return gone;
}

}  // namespace quarantinetest
