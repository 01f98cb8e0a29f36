// The deletion window on reparse points that are not links: a deduplicated
// file and an archive's folder are offered and deleted like any other entry,
// ticked or met inside a ticked tree; a cloud drive's placeholder and a tag
// nobody knows are left and logged with their tag, as links are left; and
// the disks are compared file by file with the listing taken before.
//
// Wine 8 makes no reparse point but its links, so real files and folders are
// presented as tagged ones (testsupport::PresentedReparsePoints, a seam of
// the platform's listing and status calls for tests): what the program does
// to them happens to the real entries on the disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DeletionFixture.h"
#include "comm/platform/ReparseTag.h"
#include "support/PresentedReparsePoints.h"

using testsupport::CafeEntry;
using testsupport::ListingDifference;

namespace deletiontest {
namespace {

const char kLinkTail[] = "（链接不会被跟随，也不会被删除）";

// The line for an entry left because its deletion could reach beyond this
// machine, with its tag as the log writes it.
std::string BeyondLine(const std::string& path, const char* tag) {
    return "[Error]|Trevand  未删除" + path + "（重解析标记" + tag +
           "：云端或其他存储服务管理的项，删除可能越出本机，不会被删除）";
}

class ReparseDeletion : public Deletion {
protected:
    void ChangeCafe(testsupport::CafeDescription* desc) override {
        std::vector<CafeEntry>& e = desc->drives[0].entries;
        for (const char* file :
             {"top-dedup.bin", "TopArchive\\x.dat", "TopArchive\\Sub\\y.dat", "Reparse\\plain.txt",
              "Reparse\\dedup.bin", "Reparse\\Archived\\stub.dat", "CloudInside\\a.txt", "CloudInside\\Sync\\doc.txt",
              "CloudInside\\placeholder.txt", "top-cloud.txt", "TopJunction\\j.txt", "top-vendor.dat"})
            e.push_back({CafeEntry::kFile, file});
    }
    void BeforeMainWindow() override {
        m_tags.reset(new testsupport::PresentedReparsePoints({
            {"E:\\top-dedup.bin", platform::kReparseTagDedup},
            {"E:\\TopArchive", platform::kReparseTagHsm},
            {"E:\\Reparse\\dedup.bin", platform::kReparseTagDedup},
            {"E:\\Reparse\\Archived", platform::kReparseTagHsm},
            {"E:\\CloudInside\\Sync", platform::kReparseTagCloud},
            {"E:\\CloudInside\\placeholder.txt", 0x9000101A},
            {"E:\\top-cloud.txt", platform::kReparseTagCloud},
            {"E:\\TopJunction", platform::kReparseTagMountPoint},
            {"E:\\top-vendor.dat", 0x00001234},
        }));
    }
    void TearDown() override {
        Deletion::TearDown();
        m_tags.reset();
    }

    std::unique_ptr<testsupport::PresentedReparsePoints> m_tags;
};

TEST_F(ReparseDeletion, EntriesKeptInAnotherFormGoAndCloudEntriesUnknownTagsAndLinksStay) {
    const std::vector<std::string> ticked = {"E:\\top-dedup.bin", "E:\\TopArchive",    "E:\\Reparse",
                                             "E:\\CloudInside",   "E:\\top-cloud.txt", "E:\\TopJunction",
                                             "E:\\top-vendor.dat"};
    // The scan offers what would go, and none of what never would.
    for (const char* offered : {"E:\\top-dedup.bin", "E:\\TopArchive", "E:\\Reparse", "E:\\CloudInside"})
        EXPECT_TRUE(HasRow(offered)) << offered;
    for (const char* left : {"E:\\top-cloud.txt", "E:\\TopJunction", "E:\\top-vendor.dat"})
        EXPECT_FALSE(HasRow(left)) << left;
    const testsupport::DiskListing before = Listing();

    RunDeletion({ticked.begin(), ticked.end()}, {WaitFinishedThenClose()});

    // Gone: the deduplicated file, the archive's folder, the tree holding
    // both, and the plain file beside the cloud entries; the cloud entries,
    // what a cloud folder holds, the folder holding them, the junction and
    // the entry of an unknown tag stay as they were.
    EXPECT_EQ("", ListingDifference(testsupport::Without(before, {"E:\\top-dedup.bin", "E:\\TopArchive", "E:\\Reparse",
                                                                  "E:\\CloudInside\\a.txt"}),
                                    Listing()));
    std::vector<std::string> lines;
    for (const std::string& line : DeletionLines())
        if (line.find("无法读取目录") == std::string::npos) lines.push_back(line);  // the sizer's, if any
    std::vector<std::string> expected = {
        "[Info]|Trevand  删除文件E:\\top-dedup.bin",
        "[Info]|Trevand  删除目录E:\\TopArchive",
        "[Info]|Trevand  删除目录E:\\Reparse",
        BeyondLine("E:\\CloudInside\\Sync", "0x9000001A"),
        BeyondLine("E:\\CloudInside\\placeholder.txt", "0x9000101A"),
        "[Error]|Trevand  未能删除目录E:\\CloudInside（错误码145）",
        BeyondLine("E:\\top-cloud.txt", "0x9000001A"),
        "[Error]|Trevand  未删除链接E:\\TopJunction" + std::string(kLinkTail),
        BeyondLine("E:\\top-vendor.dat", "0x00001234"),
    };
    // The entries inside a tree come in the order its folder lists them.
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, lines);
}

}  // namespace
}  // namespace deletiontest
