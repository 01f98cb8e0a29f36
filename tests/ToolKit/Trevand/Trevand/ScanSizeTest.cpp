// What the scan records of each candidate beside its name: the size and the
// last write time the listing gives, so the window can show them at once.
#include <gtest/gtest.h>

#include <cstdint>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "support/Cafe.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;

namespace {

const int64_t kGiB = 1024LL * 1024 * 1024;
// 2026-12-10 06:03:00 UTC and a day and a year before it.
const int64_t kNow = 1796882580;
const int64_t kDay = 24 * 3600;

TEST(ScanSize, FilesCarryTheirSizeAndTimeFoldersTheirTime) {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    desc.drives = {{'E',
                    {CafeEntry(CafeEntry::kFile, "old.iso").Size(5 * kGiB + 123).Modified(kNow - 365 * kDay),
                     CafeEntry(CafeEntry::kFile, "empty.txt").Size(0).Modified(kNow),
                     CafeEntry(CafeEntry::kReadOnlyFile, "notes.txt").Size(777).Modified(kNow - kDay),
                     CafeEntry(CafeEntry::kFile, "Copying\\part1.dat").Size(4096),
                     CafeEntry(CafeEntry::kFolder, "Copying").Modified(kNow - 60)}}};
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    UnLoadPathMap candidates;
    engine.GetUnLoadGamePath(candidates);

    const struct {
        const char* path;
        bool dir;
        uint64_t size;
        int64_t modified;
    } expected[] = {
        {"E:\\Copying", true, 0, kNow - 60},  // a folder's tree is sized later, not by the scan
        {"E:\\empty.txt", false, 0, kNow},
        {"E:\\notes.txt", false, 777, kNow - kDay},
        {"E:\\old.iso", false, 5 * kGiB + 123, kNow - 365 * kDay},  // over 4 GiB: both halves of the size
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), candidates.size());
    for (const auto& e : expected) {
        SCOPED_TRACE(e.path);
        const auto it = candidates.find(e.path);
        ASSERT_NE(candidates.end(), it);
        EXPECT_EQ(e.dir, it->second.bDir);
        EXPECT_EQ(e.size, it->second.nSize);
        EXPECT_EQ(e.modified, it->second.nModified);
    }
}

}  // namespace
