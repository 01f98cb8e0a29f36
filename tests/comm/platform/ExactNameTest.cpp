// Every file call of the platform on names ending in a dot or a space, right
// beside the entries the usual form of their paths would reach instead
// ("E:\Pkg\Game." reaches "E:\Pkg\Game"): attributes, listings, deleting,
// moving, making folders, hiding — short paths and paths past the ANSI
// limit, on real Wine drives, each compared file by file with the disk before.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>

#include "comm/platform/EntryDeletion.h"
#include "comm/platform/EntryMove.h"
#include "comm/platform/Folder.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/TempDir.h"

using testsupport::CafeEntry;
using testsupport::DiskListing;
using testsupport::ListingDifference;
using testsupport::Rebased;
using testsupport::Without;

namespace {

// "E:\<a…>\<b…>": 255 characters, so that every entry below it is past the
// ANSI limit.
const std::string kLong = "E:\\" + std::string(150, 'a') + "\\" + std::string(100, 'b');

// Each odd name beside its neighbour, in a short folder and a long one; the
// sizes tell every file from the others.
std::vector<CafeEntry> DriveE() {
    std::vector<CafeEntry> entries;
    for (const std::string& folder : {std::string("Pkg"), kLong.substr(3)}) {
        const int64_t base = folder == "Pkg" ? 0 : 1000;
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game\\game.exe").Size(base + 11));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game\\data\\d.pak").Size(base + 12));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game.\\x.dat").Size(base + 21));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game.\\in.\\y.dat").Size(base + 22));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game.\\in\\keep.dat").Size(base + 23));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\Game \\z.dat").Size(base + 31));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\setup.exe").Size(base + 41));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\setup.exe.").Size(base + 42));
        entries.push_back(CafeEntry(CafeEntry::kFile, folder + "\\setup.exe ").Size(base + 43));
    }
    entries.push_back({CafeEntry::kFile, "Moved\\keep.txt"});
    // Links whose names trim to those of the places they lead to: to a plain
    // name, to another such name, and to the neighbour's tree.
    entries.push_back(CafeEntry(CafeEntry::kFile, "Links\\setup.exe").Size(51));
    entries.push_back(CafeEntry(CafeEntry::kFile, "Links\\setup.exe ").Size(52));
    entries.push_back(CafeEntry(CafeEntry::kFile, "Links\\Game\\game.exe").Size(53));
    entries.push_back({CafeEntry::kLink, "Links\\setup.exe..", "E:\\Links\\setup.exe"});
    entries.push_back({CafeEntry::kLink, "Links\\setup.exe. .", "E:\\Links\\setup.exe "});
    entries.push_back({CafeEntry::kLink, "Links\\Game.\\game.exe.", "E:\\Links\\Game\\game.exe"});
    return entries;
}

class ExactName : public ::testing::Test {
protected:
    void SetUp() override {
        m_cafe.reset(new testsupport::Cafe(testsupport::DisksOnly({{'E', DriveE()}})));
        ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
        // Until Wine reads its drive letters again, a folder can resolve
        // through a letter an earlier test's folder had.
        ASSERT_TRUE(m_cafe->WaitForDriveNames(3000));
        // The café holds each name as it was given, beside its neighbour.
        const DiskListing made = Listing();
        for (const std::string& folder : {std::string("E:\\Pkg"), kLong}) {
            for (const char* name : {"\\Game.\\in.\\y.dat", "\\Game \\z.dat", "\\setup.exe.", "\\setup.exe "})
                ASSERT_EQ(1u, made.count(folder + name)) << folder + name;
        }
    }
    void TearDown() override { m_cafe.reset(); }

    static DiskListing Listing() { return testsupport::TakeListingWithContent({"E:\\"}); }

    // What a listing of `pattern` gives: each name with its size.
    static std::map<std::string, uint64_t> Listed(const std::string& pattern) {
        std::map<std::string, uint64_t> names;
        platform::FolderListing listing;
        platform::FolderEntry entry;
        if (!listing.Start(pattern, &entry)) return names;
        do {
            if (!platform::IsDotEntry(entry.strName)) names[entry.strName] = entry.nSize;
        } while (listing.Next(&entry));
        return names;
    }

    std::unique_ptr<testsupport::Cafe> m_cafe;
};

TEST_F(ExactName, AttributesAndListingsAreThoseOfTheNameItself) {
    for (const std::string& folder : {std::string("E:\\Pkg"), kLong}) {
        SCOPED_TRACE(folder);
        const uint64_t base = folder == kLong ? 1000 : 0;
        EXPECT_TRUE(platform::IsExistingFolder(folder + "\\Game."));
        EXPECT_TRUE(platform::IsExistingFolder(folder + "\\Game "));
        EXPECT_EQ((std::map<std::string, uint64_t>{{"x.dat", base + 21}, {"in.", 0}, {"in", 0}}),
                  Listed(folder + "\\Game.\\*.*"));
        EXPECT_EQ((std::map<std::string, uint64_t>{{"y.dat", base + 22}}), Listed(folder + "\\Game.\\in.\\*.*"));
        EXPECT_EQ((std::map<std::string, uint64_t>{{"z.dat", base + 31}}), Listed(folder + "\\Game \\*.*"));
        EXPECT_EQ((std::map<std::string, uint64_t>{{"Game", 0},
                                                   {"Game.", 0},
                                                   {"Game ", 0},
                                                   {"setup.exe", base + 41},
                                                   {"setup.exe.", base + 42},
                                                   {"setup.exe ", base + 43}}),
                  Listed(folder + "\\*.*"));
        // Names that are not there, though their neighbours are.
        for (const char* absent : {"\\Game..", "\\Game\\game.exe.", "\\setup.exe  "}) {
            SCOPED_TRACE(absent);
            EXPECT_EQ(platform::kAttributesInvalid, platform::ReadAttributes(folder + absent));
            EXPECT_FALSE(platform::EntryExists(folder + absent));
            EXPECT_FALSE(platform::IsExistingFolder(folder + absent));
            EXPECT_TRUE(Listed(folder + absent + "\\*.*").empty());
        }
    }
}

TEST_F(ExactName, DeletingReachesTheNameItselfAndNeverItsNeighbour) {
    const DiskListing before = Listing();
    std::vector<std::string> gone;
    for (const std::string& folder : {std::string("E:\\Pkg"), kLong}) {
        SCOPED_TRACE(folder);
        const uint64_t base = folder == kLong ? 1000 : 0;
        uint32_t error = 0;
        uint64_t size = 0;
        // Files opened by name inside their open folder.
        platform::DeletionFolder parent;
        ASSERT_TRUE(parent.Open(folder, &error)) << error;
        EXPECT_EQ(platform::DeleteResult::kDeleted, parent.DeleteOneFile("setup.exe.", &error, &size)) << error;
        EXPECT_EQ(base + 42, size);
        EXPECT_EQ(platform::DeleteResult::kDeleted, parent.DeleteOneFile("setup.exe ", &error, &size)) << error;
        EXPECT_EQ(base + 43, size);
        // Folders of such names opened for their files, then removed.
        for (const std::string& file : {std::string("\\Game.\\in.\\y.dat"), std::string("\\Game \\z.dat")}) {
            const std::string path = folder + file;
            const size_t split = path.rfind('\\');
            platform::DeletionFolder odd;
            ASSERT_TRUE(odd.Open(path.substr(0, split), &error)) << path << ": " << error;
            EXPECT_EQ(platform::DeleteResult::kDeleted, odd.DeleteOneFile(path.substr(split + 1), &error)) << path;
            odd.Close();
            EXPECT_TRUE(platform::RemoveFolder(path.substr(0, split), &error)) << path << ": " << error;
            EXPECT_FALSE(platform::EntryExists(path.substr(0, split))) << path;
        }
        gone.insert(gone.end(),
                    {folder + "\\setup.exe.", folder + "\\setup.exe ", folder + "\\Game.\\in.", folder + "\\Game "});
    }
    EXPECT_EQ("", ListingDifference(Without(before, gone), Listing()));
}

TEST_F(ExactName, MovingMakingFoldersAndHidingReachTheNameItself) {
    const DiskListing before = Listing();
    uint32_t error = 0;
    std::vector<std::string> created;
    // "E:\Moved" is there: its odd twin is made, and a folder of an odd name in it.
    ASSERT_TRUE(platform::CreateFolders("E:\\Moved.\\Deeper ", &error, &created)) << error;
    EXPECT_EQ((std::vector<std::string>{"E:\\Moved.", "E:\\Moved.\\Deeper "}), created);
    DiskListing expected = before;
    for (const std::string& folder : {std::string("E:\\Pkg"), kLong}) {
        SCOPED_TRACE(folder);
        const std::string to = folder == kLong ? "E:\\Moved.\\Deeper \\long" : "E:\\Moved.\\Deeper \\short";
        ASSERT_TRUE(platform::CreateFolders(to, &error)) << error;
        for (const char* name : {"\\Game.", "\\Game ", "\\setup.exe.", "\\setup.exe "}) {
            EXPECT_TRUE(platform::MoveEntry(folder + name, to + name, &error)) << name << ": " << error;
            expected = Without(expected, {folder + name});
            for (const auto& moved : Rebased(before, folder + name, to + name)) expected.insert(moved);
        }
    }
    // Back again, into a place the usual form would take for the neighbour's.
    EXPECT_TRUE(platform::MoveEntry("E:\\Moved.\\Deeper \\short\\Game ", "E:\\Pkg\\Game ", &error)) << error;
    expected = Without(expected, {"E:\\Moved.\\Deeper \\short\\Game "});
    for (const auto& back : Rebased(before, "E:\\Pkg\\Game ", "E:\\Pkg\\Game ")) expected.insert(back);  // as it was
    ASSERT_TRUE(platform::MarkHidden("E:\\Pkg\\Game ", &error)) << error;
    expected["E:\\Pkg\\Game "].attributes |= FILE_ATTRIBUTE_HIDDEN;

    const DiskListing after = Listing();
    for (const char* folder :
         {"E:\\Moved.", "E:\\Moved.\\Deeper ", "E:\\Moved.\\Deeper \\short", "E:\\Moved.\\Deeper \\long"}) {
        ASSERT_EQ(1u, after.count(folder)) << folder;
        expected[folder] = after.at(folder);
    }
    EXPECT_EQ("", ListingDifference(expected, after));
}

// Under Wine a link resolves to the place it leads to, named as the usual
// form reads it — as the entry itself would be were it no link: the files
// tell them apart.
TEST_F(ExactName, LinksToPlacesOfTrimmedAlikeNamesAreNeitherDeletedNorMovedThrough) {
    const DiskListing before = Listing();
    // Wine lists a link to a file as a plain file of its target's length.
    const struct {
        const char* path;
        uint64_t targetSize;
    } links[] = {{"E:\\Links\\setup.exe..", 51}, {"E:\\Links\\setup.exe. .", 52}, {"E:\\Links\\Game.\\game.exe.", 53}};
    for (const auto& link : links) {
        SCOPED_TRACE(link.path);
        const std::string path = link.path;
        ASSERT_EQ(1u, before.count(path));
        EXPECT_EQ(link.targetSize, before.at(path).size);
        EXPECT_TRUE(before.at(path).link);
        const size_t split = path.rfind('\\');
        uint32_t error = 0;
        platform::DeletionFolder folder;
        ASSERT_TRUE(folder.Open(path.substr(0, split), &error)) << error;
        EXPECT_EQ(platform::DeleteResult::kLink, folder.DeleteOneFile(path.substr(split + 1), &error));
        folder.Close();
        error = 0;
        EXPECT_FALSE(platform::MoveEntry(path, "E:\\Moved\\x", &error));
        EXPECT_EQ(platform::kErrorStoppedOnLink, error);
    }
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

// A path the system reads against its current folder cannot be given in the
// "\\?\" form: with such a name in it, it reaches nothing at all.
TEST_F(ExactName, ARelativePathWithSuchANameReachesNothing) {
    char saved[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetCurrentDirectoryA(MAX_PATH, saved));
    ASSERT_TRUE(::SetCurrentDirectoryA("E:\\Pkg"));
    const DiskListing before = Listing();
    for (const char* path : {"Game.", "Game ", ".\\setup.exe.", "Game.\\in.", "E:Game."}) {
        SCOPED_TRACE(path);
        uint32_t error = 0;
        EXPECT_EQ(platform::kAttributesInvalid, platform::ReadAttributes(path));
        EXPECT_FALSE(platform::IsExistingFolder(path));
        // It cannot be looked at, so it counts as there.
        EXPECT_TRUE(platform::EntryExists(path));
        platform::FolderListing listing;
        platform::FolderEntry entry;
        EXPECT_FALSE(listing.Start(std::string(path) + "\\*.*", &entry));
        EXPECT_NE(0u, listing.FailureCode()) << "an unread folder is not an empty one";
        platform::DeletionFolder folder;
        EXPECT_FALSE(folder.Open(path, &error));
        EXPECT_FALSE(platform::RemoveFolder(path, &error));
        EXPECT_FALSE(platform::MoveEntry(path, "E:\\Moved\\x", &error));
        EXPECT_FALSE(platform::MarkHidden(path, &error));
        EXPECT_FALSE(platform::CreateFolders(std::string(path) + "\\New", &error));
    }
    EXPECT_TRUE(::SetCurrentDirectoryA(saved));
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

}  // namespace
