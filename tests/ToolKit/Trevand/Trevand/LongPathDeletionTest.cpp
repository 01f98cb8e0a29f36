// The deletion window (and the folder sizer over the main window's rows) on
// entries past what the ANSI calls reach: a ticked
// folder whose tree holds a 300-character path goes entirely, one holding a
// link that deep keeps the link and the folders above it, and a candidate
// whose own path is that long is listed and deleted. Entries named with
// characters code page 936 cannot hold are never offered and, inside a
// ticked folder, left with the folder. Every run is compared file by file
// with the disks before.
#include <gtest/gtest.h>

#include <algorithm>

#include "DeletionFixture.h"
#include "support/ForeignName.h"

using testsupport::CafeEntry;
using testsupport::ListingDifference;
using testsupport::WithoutDeleted;

namespace deletiontest {
namespace {

const std::string kX(110, 'x');
const std::string kY(110, 'y');
const std::string kZ(64, 'z');
// "E:\Deep\<x>\<y>\<z>\g.dat": 300 characters.
const std::string kDeepFile = "E:\\Deep\\" + kX + "\\" + kY + "\\" + kZ + "\\g.dat";
// A package's parent, entered by the scan: its long file is a candidate of
// 3 + 110 + 1 + 200 = 314 characters.
const std::string kLongCandidate = "E:\\" + kX + "\\" + std::string(200, 'c');

class LongPathDeletion : public Deletion {
protected:
    // The deletion's lines, without the sizer's about folders it could not
    // read (it sizes the main window's folders meanwhile).
    std::vector<std::string> WorkerLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : DeletionLines())
            if (line.find("无法读取目录") == std::string::npos) lines.push_back(line);
        return lines;
    }

    void ChangeCafe(testsupport::CafeDescription* desc) override {
        std::vector<CafeEntry>& e = desc->drives[0].entries;
        e.push_back(CafeEntry(CafeEntry::kFile, kDeepFile.substr(3)).Size(300));
        e.push_back(CafeEntry(CafeEntry::kFile, "Deep\\" + kX + "\\mid.dat").Size(20));
        e.push_back(CafeEntry(CafeEntry::kFile, "DeepLinked\\" + kX + "\\" + kY + "\\" + kZ + "\\h.dat"));
        e.push_back({CafeEntry::kLink, "DeepLinked\\" + kX + "\\" + kY + "\\" + kZ + "\\to-full", Outside("full")});
        e.push_back({CafeEntry::kFile, "DeepLinked\\" + kX + "\\" + kY + "\\beside.dat"});
        e.push_back(CafeEntry(CafeEntry::kFile, kLongCandidate.substr(3)).Size(7));
        e.push_back({CafeEntry::kFolder, kX + "\\pkg"});
        e.push_back({CafeEntry::kFile, "Foreign\\plain.dat"});
        desc->packages.push_back({2, "E:\\" + kX + "\\pkg", 1, ""});
    }
    void BeforeMainWindow() override {
        const std::string foreign = testsupport::kForeignNameUtf8;
        ASSERT_TRUE(testsupport::ForeignNameIsForeign());
        // Inside a folder to tick, and at the root where the scan looks.
        ASSERT_TRUE(testsupport::MakeForeignEntry("E:\\Foreign", foreign + ".dat", 9));
        ASSERT_TRUE(testsupport::MakeForeignEntry("E:\\Foreign", foreign, -1));
        ASSERT_TRUE(testsupport::MakeForeignEntry("E:\\Foreign", foreign + "/in.dat", 3));
        ASSERT_TRUE(testsupport::MakeForeignEntry("E:\\", foreign + ".txt", 4));
    }
};

TEST_F(LongPathDeletion, TreesAndACandidatePastTheAnsiLimitAreListedAndDeleted) {
    ASSERT_EQ(300u, kDeepFile.size());
    const std::vector<std::string> ticked = {"E:\\Deep", "E:\\DeepLinked", kLongCandidate};
    for (const std::string& path : ticked) ASSERT_TRUE(HasRow(path)) << path;
    const testsupport::DiskListing before = Listing();
    ASSERT_EQ(1u, before.count(kDeepFile)) << "the listing reaches that deep";
    const std::string link = "E:\\DeepLinked\\" + kX + "\\" + kY + "\\" + kZ + "\\to-full";
    ASSERT_TRUE(before.at(link).link);

    RunDeletion({ticked.begin(), ticked.end()}, {WaitFinishedThenClose()});

    // The deep tree and the long candidate go whole; of the tree with a link
    // only the link and the folders holding it stay.
    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, ticked), Listing()));
    EXPECT_EQ((std::vector<std::string>{
                  "[Info]|Trevand  删除目录E:\\Deep",
                  "[Error]|Trevand  未删除链接" + link + "（链接不会被跟随，也不会被删除）",
                  "[Error]|Trevand  未能删除目录E:\\DeepLinked（错误码145）",
                  "[Info]|Trevand  删除文件" + kLongCandidate,
              }),
              WorkerLines());
    EXPECT_FALSE(HasRow("E:\\Deep"));
    EXPECT_FALSE(HasRow(kLongCandidate));
}

TEST_F(LongPathDeletion, NamesTheCodePageCannotHoldAreNeverOfferedAndStayInATickedFolder) {
    // The scan offers nothing of such a name: no row carries its '?'.
    const std::string asListed = testsupport::kForeignNameAsListed;
    EXPECT_FALSE(HasRow("E:\\" + asListed + ".txt"));
    EXPECT_TRUE(HasRow("E:\\Foreign"));
    const testsupport::DiskListing before = Listing();

    RunDeletion({"E:\\Foreign"}, {WaitFinishedThenClose()});

    // Only the file with a name of its own goes; the folder keeps the rest.
    EXPECT_EQ("", ListingDifference(testsupport::Without(before, {"E:\\Foreign\\plain.dat"}), Listing()));
    const std::vector<std::string> lines = WorkerLines();
    const std::string tail = "（名称含有系统代码页无法表示的字符，无法按名称找到）";
    EXPECT_EQ(
        1, std::count(lines.begin(), lines.end(), "[Error]|Trevand  未删除E:\\Foreign\\" + asListed + ".dat" + tail));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "[Error]|Trevand  未删除E:\\Foreign\\" + asListed + tail));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "[Error]|Trevand  未能删除目录E:\\Foreign（错误码145）"));
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    EXPECT_EQ(3u, lines.size()) << "nothing said to be deleted:\n" << all;
}

}  // namespace
}  // namespace deletiontest
