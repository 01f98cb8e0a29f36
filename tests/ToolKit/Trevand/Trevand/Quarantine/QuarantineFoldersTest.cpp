// The quarantine's tidy-up of its own empty folders, on reparse points that
// are not links: an archive's empty folder is removed like a plain one; a
// link and a cloud drive's folder are never removed, nor anything above them.
// Wine 8 makes no reparse point but its links, so real folders are presented
// as tagged ones (testsupport::PresentedReparsePoints, a seam for tests).
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineFolders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "comm/platform/CaseFold936.h"
#include "comm/platform/ReparseTag.h"
#include "support/DiskListing.h"
#include "support/PresentedReparsePoints.h"
#include "support/TempDir.h"

using testsupport::ListingDifference;

namespace {

TEST(QuarantineFolders, EmptyFoldersGoByTheirTagAndLinksAndCloudFoldersStayWithWhatHoldsThem) {
    testsupport::TempDir dir;
    const std::string q = dir.Path();
    for (const char* folder : {"Plain", "Archived", "Cloud", "Junction", "Kept", "Batch", "Batch\\Deep",
                               "Batch\\Deep\\Archived", "Held", "Held\\Cloud", "Up", "Up\\Archived"}) {
        ASSERT_TRUE(::CreateDirectoryA(dir.File(folder).c_str(), nullptr)) << folder;
    }
    const testsupport::PresentedReparsePoints tags({
        {q + "\\Archived", platform::kReparseTagHsm},
        {q + "\\Cloud", platform::kReparseTagCloud},
        {q + "\\Junction", platform::kReparseTagMountPoint},
        {q + "\\Batch\\Deep\\Archived", platform::kReparseTagHsm},
        {q + "\\Held\\Cloud", 0x9000701A},
        {q + "\\Up\\Archived", platform::kReparseTagHsm},
    });
    const testsupport::DiskListing before = testsupport::TakeListing({q});

    // From a stored entry's folder up: an archive's folder goes with the
    // folder above it; a cloud folder stops the walk at once.
    quarantine::RemoveEmptyParents(q, q + "\\Up\\Archived\\gone.dat");
    quarantine::RemoveEmptyParents(q, q + "\\Held\\Cloud\\gone.dat");
    const testsupport::DiskListing between = testsupport::TakeListing({q});
    EXPECT_EQ("", ListingDifference(testsupport::Without(before, {q + "\\Up"}), between));

    // Every empty folder but one kept: a folder holding a cloud folder stays.
    quarantine::RemoveEmptyFoldersBelow(q, {platform::FoldCase936(q + "\\Kept")});
    EXPECT_EQ("", ListingDifference(testsupport::Without(between, {q + "\\Plain", q + "\\Archived", q + "\\Batch"}),
                                    testsupport::TakeListing({q})));
}

}  // namespace
