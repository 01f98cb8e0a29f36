// What the scan does with reparse points that are not links: a deduplicated
// or compressed file, an archive's stub, is an entry like any other; a cloud
// drive's placeholder and a tag nobody knows are left alone, as links are.
//
// Wine 8 makes no reparse point but its links, so real files and folders are
// presented as tagged ones (testsupport::PresentedReparsePoints, a seam of
// the platform's listing for tests); Wine's own links stay what they are.
#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "EngineTestSupport.h"
#include "comm/platform/ReparseTag.h"
#include "support/Cafe.h"
#include "support/PresentedReparsePoints.h"

using enginetest::Candidate;
using enginetest::Candidates;
using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;

namespace {

TEST(ReparseScan, EntriesKeptInAnotherFormAreOfferedAndEnteredLinksAndCloudEntriesNever) {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    // Three registered packages, so that their folders' parents are entered
    // to look for orphans beside them: one plain, one a cloud folder, one
    // reached through a junction.
    desc.packages = {{1, "E:\\Games\\WoW", 1, ""}, {2, "E:\\Synced\\Pkg", 1, ""}, {3, "E:\\Joined\\Pkg", 1, ""}};
    desc.drives = {{'E',
                    {{CafeEntry::kFile, "plain.txt"},
                     {CafeEntry::kFile, "dedup.bin"},
                     {CafeEntry::kFile, "compact.exe"},
                     {CafeEntry::kFile, "Archived\\stub.dat"},
                     {CafeEntry::kFile, "cloud.txt"},
                     {CafeEntry::kFile, "OneDrive\\doc.txt"},
                     {CafeEntry::kFile, "onedrive-file.txt"},
                     {CafeEntry::kFile, "vendor.dat"},
                     {CafeEntry::kFile, "Junction\\j.txt"},
                     {CafeEntry::kFile, "symlink.txt"},
                     {CafeEntry::kFile, "Untagged\\u.txt"},
                     {CafeEntry::kLink, "WineLink", "E:\\Games"},
                     {CafeEntry::kFile, "Games\\WoW\\wow.exe"},
                     {CafeEntry::kFolder, "Games\\Old"},
                     {CafeEntry::kFile, "Games\\old-dedup.bin"},
                     {CafeEntry::kFile, "Synced\\Pkg\\p.exe"},
                     {CafeEntry::kFolder, "Synced\\Orphan"},
                     {CafeEntry::kFile, "Joined\\Pkg\\p.exe"},
                     {CafeEntry::kFolder, "Joined\\Orphan"}}}};
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    const testsupport::PresentedReparsePoints tags({
        {"E:\\dedup.bin", platform::kReparseTagDedup},
        {"E:\\compact.exe", platform::kReparseTagWof},
        {"E:\\Archived", platform::kReparseTagHsm},
        {"E:\\cloud.txt", platform::kReparseTagCloud},
        {"E:\\OneDrive", 0x9000301A},  // a cloud placeholder's variant
        {"E:\\onedrive-file.txt", platform::kReparseTagOneDrive},
        {"E:\\vendor.dat", 0x00001234},  // a third party's tag
        {"E:\\Junction", platform::kReparseTagMountPoint},
        {"E:\\symlink.txt", platform::kReparseTagSymlink},
        {"E:\\Untagged", 0},  // a reparse point whose tag could not be read
        // Parents of packages: an archived folder is entered, a cloud
        // folder and a junction are not.
        {"E:\\Games", platform::kReparseTagHsm},
        {"E:\\Games\\old-dedup.bin", platform::kReparseTagDedup},
        {"E:\\Synced", platform::kReparseTagCloud},
        {"E:\\Joined", platform::kReparseTagMountPoint},
    });

    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    UnLoadPathMap result;
    engine.GetUnLoadGamePath(result);
    EXPECT_EQ(Candidates(result), (std::vector<Candidate>{
                                      {"E:\\Archived", true},
                                      {"E:\\Games\\Old", true},
                                      {"E:\\Games\\old-dedup.bin", false},
                                      {"E:\\compact.exe", false},
                                      {"E:\\dedup.bin", false},
                                      {"E:\\plain.txt", false},
                                  }));
    // The sizes a deduplicated or compressed file is offered with are the
    // listing's, as for any file.
    EXPECT_EQ(4u, result.at("E:\\dedup.bin").nSize);
}

}  // namespace
