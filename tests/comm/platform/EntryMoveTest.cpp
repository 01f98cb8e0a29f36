// Moving entries by rename on real Wine drives: whole trees in one call with
// every byte and attribute kept, never onto an entry, never across volumes,
// never through a link; and the folders a move needs.
#include "comm/platform/EntryMove.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "comm/platform/ReparseTag.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/OtherVolume.h"
#include "support/PresentedReparsePoints.h"
#include "support/TempDir.h"

using testsupport::CafeEntry;
using testsupport::DiskListing;
using testsupport::ListingDifference;
using testsupport::Rebased;
using testsupport::Without;

namespace {

class EntryMove : public ::testing::Test {
protected:
    void SetUp() override {
        m_outside.reset(new testsupport::TempDir);
        ASSERT_TRUE(::CreateDirectoryA(m_outside->File("folder").c_str(), nullptr));
        testsupport::WriteFileBytes(m_outside->File("folder\\inside.txt"), "outside, in a folder");
        testsupport::WriteFileBytes(m_outside->File("file.txt"), "outside, a file");
        m_cafe.reset(new testsupport::Cafe(testsupport::DisksOnly({
            {'E',
             {{CafeEntry::kReadOnlyFile, "Games\\Old\\ro.txt"},
              {CafeEntry::kHiddenFile, "Games\\Old\\hidden.dat"},
              {CafeEntry::kHiddenFolder, "Games\\Old\\Cache"},
              {CafeEntry::kFile, "Games\\Old\\Cache\\c.dat"},
              {CafeEntry::kFolder, "Games\\Old\\Empty"},
              {CafeEntry::kFile, "Games\\Old\\Sub\\big.bin"},
              {CafeEntry::kLink, "Games\\Old\\to-folder", m_outside->File("folder")},
              {CafeEntry::kFile, "a.txt"},
              {CafeEntry::kFile, "b.txt"},
              {CafeEntry::kFolder, "Empty"},
              {CafeEntry::kLink, "ToFolder", m_outside->File("folder")},
              {CafeEntry::kLink, "ToFile", m_outside->File("file.txt")}}},
            {'F', {{CafeEntry::kFile, "f.txt"}}},
        })));
        ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
        ASSERT_TRUE(m_cafe->WaitForDriveNames(3000));
        // Contents of their own, so a file swapped for another shows.
        testsupport::WriteFileBytes("E:\\a.txt", "alpha");
        testsupport::WriteFileBytes("E:\\Games\\Old\\Sub\\big.bin", std::string(70000, 'x') + "end");
        // 誠 (D5 5C) ends in the byte of "\": made here, where no path is
        // split at a byte that only looks like a separator.
        ASSERT_TRUE(::CreateDirectoryA("E:\\Games\\Old\\誠", nullptr));
        testsupport::WriteFileBytes("E:\\Games\\Old\\誠\\誠.txt", "gbk");
        testsupport::WriteFileBytes("E:\\誠", "a file named 誠");
        m_other.reset(new testsupport::OtherVolumeDrive('G', "E:\\"));
        ASSERT_TRUE(m_other->Ready()) << m_other->Problem();
        testsupport::WriteFileBytes("G:\\g.txt", "on another volume");
    }

    void TearDown() override {
        m_other.reset();
        m_cafe.reset();
        m_outside.reset();
    }

    DiskListing Listing() const {
        return testsupport::TakeListingWithContent({"E:\\", "F:\\", "G:\\", m_outside->Path()});
    }

    std::unique_ptr<testsupport::TempDir> m_outside;
    std::unique_ptr<testsupport::Cafe> m_cafe;
    std::unique_ptr<testsupport::OtherVolumeDrive> m_other;
};

TEST_F(EntryMove, RenamesATreeAndAFileWithEveryByteAndAttributeKept) {
    const DiskListing before = Listing();
    uint32_t error = 0;
    ASSERT_TRUE(platform::CreateFolders("E:\\Moved", &error)) << error;
    ASSERT_TRUE(platform::MoveEntry("E:\\Games\\Old", "E:\\Moved\\Old", &error)) << error;
    ASSERT_TRUE(platform::MoveEntry("E:\\誠", "E:\\Moved\\誠", &error)) << error;

    const DiskListing after = Listing();
    // The tree holds a link: it moved as the link, and what it points at
    // stayed where it is.
    EXPECT_TRUE(after.at("E:\\Moved\\Old\\to-folder").link);
    DiskListing expected = Without(before, {"E:\\Games\\Old", "E:\\誠"});
    for (const auto& moved : Rebased(before, "E:\\Games\\Old", "E:\\Moved\\Old")) expected.insert(moved);
    for (const auto& moved : Rebased(before, "E:\\誠", "E:\\Moved\\誠")) expected.insert(moved);
    expected["E:\\Moved"] = after.at("E:\\Moved");
    EXPECT_EQ("", ListingDifference(expected, after));
}

TEST_F(EntryMove, NeverReplacesCopiesOrGoesThroughALinkAndChangesNothingWhenRefused) {
    ASSERT_TRUE(::CreateDirectoryA("E:\\Taken", nullptr));
    const struct {
        const char* name;
        const char* from;
        const char* to;
        uint32_t error;
    } cases[] = {
        {"file onto a file", "E:\\a.txt", "E:\\b.txt", platform::kErrorAlreadyExists},
        {"file onto another case of a file", "E:\\a.txt", "E:\\B.TXT", platform::kErrorAlreadyExists},
        {"folder onto an empty folder", "E:\\Empty", "E:\\Taken", platform::kErrorAlreadyExists},
        {"folder onto a file", "E:\\Empty", "E:\\a.txt", platform::kErrorAlreadyExists},
        {"file to another volume", "E:\\a.txt", "G:\\a.txt", platform::kErrorNotSameDevice},
        {"folder to another volume", "E:\\Games\\Old", "G:\\Old", platform::kErrorNotSameDevice},
        {"into a folder that is not there", "E:\\a.txt", "E:\\NoSuch\\a.txt", ERROR_PATH_NOT_FOUND},
        {"nothing to move", "E:\\gone.txt", "E:\\here.txt", ERROR_FILE_NOT_FOUND},
        // Wine 8 would move the folder or file the link points at.
        {"a link to a folder", "E:\\ToFolder", "E:\\Taken\\ToFolder", platform::kErrorStoppedOnLink},
        {"a link to a file", "E:\\ToFile", "E:\\Taken\\ToFile", platform::kErrorStoppedOnLink},
        {"an entry reached through a link", "E:\\ToFolder\\inside.txt", "E:\\inside.txt",
         platform::kErrorStoppedOnLink},
        {"into a folder reached through a link", "E:\\a.txt", "E:\\ToFolder\\a.txt", platform::kErrorStoppedOnLink},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DiskListing before = Listing();
        uint32_t error = 0;
        EXPECT_FALSE(platform::MoveEntry(c.from, c.to, &error));
        EXPECT_EQ(c.error, error);
        EXPECT_EQ("", ListingDifference(before, Listing()));
    }
}

// Reparse points that are not links: a deduplicated file or an archive's
// folder moves like any entry; a cloud drive's placeholder, and anything
// moved out of or into a cloud folder, never does — the drive's service
// would take the move for a deletion there, or an upload. Wine makes no
// such entry: real ones are presented as tagged
// (testsupport::PresentedReparsePoints, a seam for tests).
TEST_F(EntryMove, AnEntryKeptInAnotherFormMovesAndNothingLeavesOrEntersACloudDrive) {
    ASSERT_TRUE(::CreateDirectoryA("E:\\Archived", nullptr));
    ASSERT_TRUE(::CreateDirectoryA("E:\\Synced", nullptr));
    ASSERT_TRUE(::CreateDirectoryA("E:\\Moved", nullptr));
    testsupport::WriteFileBytes("E:\\Archived\\stub.dat", "archived");
    testsupport::WriteFileBytes("E:\\dedup.bin", "deduplicated");
    testsupport::WriteFileBytes("E:\\Synced\\doc.txt", "synced");
    testsupport::WriteFileBytes("E:\\cloud.txt", "placeholder");
    const testsupport::PresentedReparsePoints tags({
        {"E:\\Archived", platform::kReparseTagHsm},
        {"E:\\dedup.bin", platform::kReparseTagDedup},
        {"E:\\Synced", platform::kReparseTagCloud},
        {"E:\\cloud.txt", 0x9000F01A},
    });
    const struct {
        const char* name;
        const char* from;
        const char* to;
        uint32_t error;
    } refused[] = {
        {"a cloud placeholder", "E:\\cloud.txt", "E:\\Moved\\cloud.txt", platform::kErrorBeyondMachine},
        {"a cloud folder", "E:\\Synced", "E:\\Moved\\Synced", platform::kErrorBeyondMachine},
        {"out of a cloud folder", "E:\\Synced\\doc.txt", "E:\\Moved\\doc.txt", platform::kErrorStoppedOnLink},
        {"into a cloud folder", "E:\\a.txt", "E:\\Synced\\a.txt", platform::kErrorStoppedOnLink},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        const DiskListing before = Listing();
        uint32_t error = 0;
        EXPECT_FALSE(platform::MoveEntry(c.from, c.to, &error));
        EXPECT_EQ(c.error, error);
        EXPECT_EQ("", ListingDifference(before, Listing()));
    }

    const DiskListing before = Listing();
    uint32_t error = 0;
    EXPECT_TRUE(platform::MoveEntry("E:\\dedup.bin", "E:\\Moved\\dedup.bin", &error)) << error;
    EXPECT_TRUE(platform::MoveEntry("E:\\Archived\\stub.dat", "E:\\Moved\\stub.dat", &error)) << error;
    DiskListing expected = Without(before, {"E:\\dedup.bin", "E:\\Archived\\stub.dat"});
    for (const auto& moved : Rebased(before, "E:\\dedup.bin", "E:\\Moved\\dedup.bin")) expected.insert(moved);
    for (const auto& moved : Rebased(before, "E:\\Archived\\stub.dat", "E:\\Moved\\stub.dat")) expected.insert(moved);
    EXPECT_EQ("", ListingDifference(expected, Listing()));
}

TEST_F(EntryMove, CreateFoldersMakesTheMissingOnesAndSaysWhich) {
    uint32_t error = 0;
    std::vector<std::string> created;
    // The folder 誠 in the middle: its trail byte is no separator.
    ASSERT_TRUE(platform::CreateFolders("E:\\New\\誠\\Deep", &error, &created)) << error;
    EXPECT_EQ((std::vector<std::string>{"E:\\New", "E:\\New\\誠", "E:\\New\\誠\\Deep"}), created);
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, ::GetFileAttributesA("E:\\New\\誠\\Deep") & FILE_ATTRIBUTE_DIRECTORY);

    // Folders already there, the drive root among them, are no failure and
    // are not reported as made.
    created.clear();
    EXPECT_TRUE(platform::CreateFolders("E:\\New\\誠", &error, &created));
    EXPECT_TRUE(platform::CreateFolders("E:\\", &error, &created));
    EXPECT_TRUE(created.empty());

    // A file in the way, as the folder or above it.
    const DiskListing before = Listing();
    EXPECT_FALSE(platform::CreateFolders("E:\\a.txt", &error, &created));
    EXPECT_EQ(platform::kErrorAlreadyExists, error);
    error = 0;
    EXPECT_FALSE(platform::CreateFolders("E:\\a.txt\\Sub", &error, &created));
    EXPECT_NE(0u, error);
    EXPECT_TRUE(created.empty());
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

TEST_F(EntryMove, MarkHiddenKeepsTheOtherAttributes) {
    uint32_t error = 0;
    ASSERT_TRUE(platform::MarkHidden("E:\\Empty", &error)) << error;
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN), ::GetFileAttributesA("E:\\Empty"));
    ASSERT_TRUE(platform::MarkHidden("E:\\Games\\Old\\ro.txt", &error)) << error;
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              ::GetFileAttributesA("E:\\Games\\Old\\ro.txt") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(platform::MarkHidden("E:\\NoSuch", &error));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), error);
}

}  // namespace
