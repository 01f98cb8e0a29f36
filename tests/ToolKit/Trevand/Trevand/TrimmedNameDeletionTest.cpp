// The deletion window on orphans whose names end in a dot or a space, beside
// the registered packages the usual form of their paths would reach instead
// ("E:\网络游戏\Game." reaches "E:\网络游戏\Game"): folders and files, at
// short paths and past the ANSI limit. The orphans are offered and deleted
// themselves; the packages stay byte for byte.
#include <gtest/gtest.h>

#include "DeletionFixture.h"
#include "support/TrimmedTwins.h"

using testsupport::AddTrimmedTwins;
using testsupport::CafeEntry;
using testsupport::DiskListing;
using testsupport::ListingDifference;

namespace deletiontest {
namespace {

const std::string kShort = testsupport::kTwinsShortFolder;
// 255 characters: the orphans below it are past the ANSI limit.
const std::string kLong = testsupport::TwinsLongFolder();

class TrimmedNameDeletion : public Deletion {
protected:
    // Per folder: the package "Game" and its twins "Game." and "Game ", the
    // registered file "setup.exe" and its twins. The sizes tell every file
    // from the others, so one passing for another shows.
    void ChangeCafe(testsupport::CafeDescription* desc) override {
        std::vector<CafeEntry>& e = desc->drives[0].entries;
        int pkgid = 10;
        for (const std::string& folder : {kShort, kLong}) {
            AddTrimmedTwins(folder, folder == kLong ? 1000 : 0, &e);
            desc->packages.push_back({pkgid++, folder + "\\Game", 1, ""});
            desc->packages.push_back({pkgid++, folder + "\\setup.exe", 1, ""});
        }
    }

    static std::vector<std::string> Orphans() {
        std::vector<std::string> paths;
        for (const std::string& folder : {kShort, kLong})
            for (const char* name : {"\\Game.", "\\Game ", "\\setup.exe.", "\\setup.exe "})
                paths.push_back(folder + name);
        return paths;
    }

    // The deletion's lines, without the sizer's about folders it could not
    // read (it sizes the main window's folders meanwhile).
    std::vector<std::string> WorkerLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : DeletionLines())
            if (line.find("无法读取目录") == std::string::npos) lines.push_back(line);
        return lines;
    }

    // The two folders with their files' bytes; the rest of the disks is
    // compared entry by entry (Listing): it holds files of gigabytes.
    static DiskListing ContentListing() {
        return testsupport::TakeListingWithContent({kShort, kLong.substr(0, kLong.rfind('\\'))});
    }
};

TEST_F(TrimmedNameDeletion, TheOrphansAreOfferedAndDeletedThemselvesAndThePackagesStayByteForByte) {
    for (const std::string& folder : {kShort, kLong}) {
        SCOPED_TRACE(folder);
        EXPECT_FALSE(HasRow(folder + "\\Game"));
        EXPECT_FALSE(HasRow(folder + "\\setup.exe"));
        // Each file's own length, as its listing gave it.
        const uint64_t base = folder == kLong ? 1000 : 0;
        ASSERT_TRUE(HasRow(folder + "\\setup.exe."));
        EXPECT_EQ(base + 42, Main()->RowsForTests().Find(folder + "\\setup.exe.")->nSize);
        EXPECT_EQ("setup.exe ", Main()->RowsForTests().Find(folder + "\\setup.exe ")->strName);
    }
    const std::vector<std::string> orphans = Orphans();
    for (const std::string& path : orphans) ASSERT_TRUE(HasRow(path)) << path;
    const DiskListing before = Listing();
    const DiskListing bytesBefore = ContentListing();
    for (const std::string& path : orphans) ASSERT_EQ(1u, bytesBefore.count(path)) << path;

    RunDeletion({orphans.begin(), orphans.end()}, {WaitFinishedThenClose()});

    EXPECT_EQ("", ListingDifference(testsupport::Without(before, orphans), Listing()));
    EXPECT_EQ("", ListingDifference(testsupport::Without(bytesBefore, orphans), ContentListing()));
    std::vector<std::string> expected;
    for (const std::string& path : orphans) {
        const bool folder = path.find("\\Game") != std::string::npos;
        expected.push_back(std::string("[Info]|Trevand  ") + (folder ? "删除目录" : "删除文件") + path);
        EXPECT_FALSE(HasRow(path)) << path;
    }
    EXPECT_EQ(expected, WorkerLines());
}

}  // namespace
}  // namespace deletiontest
