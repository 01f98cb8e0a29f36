#include "QuarantineFixture.h"

#include <windows.h>

using testsupport::CafeEntry;
using testsupport::DiskListing;

namespace quarantinetest {

const char kFolder[] = "E:\\TrevandQuarantine";
const char kBatch[] = "20261211-093000";
const int64_t kNow = 1796981400;

namespace {

testsupport::CafeDescription Disks(const std::string& outside) {
    testsupport::CafeDescription desc = testsupport::DisksOnly({
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kReadOnlyFile, "Games\\Old\\ro.txt"},
          {CafeEntry::kHiddenFile, "Games\\Old\\hidden.dat"},
          {CafeEntry::kFile, "Games\\Old\\.dotted"},
          {CafeEntry::kFile, "Games\\Old\\单机游戏\\pal.exe"},
          {CafeEntry::kReadOnlyFile, "Games\\Old\\Sub\\Deeper\\x.bin"},
          {CafeEntry::kHiddenFolder, "Games\\Old\\Sub\\Cache"},
          {CafeEntry::kFile, "Games\\Old\\Sub\\Cache\\c.dat"},
          {CafeEntry::kFolder, "Games\\Old\\Empty"},
          {CafeEntry::kFile, "Games\\Old\\it's.txt"},
          {CafeEntry::kFile, "Deep\\Er\\x.txt"},
          {CafeEntry::kFolder, "EmptyFolder"},
          {CafeEntry::kLink, "Linked\\to-folder", outside + "\\folder"},
          {CafeEntry::kLink, "Linked\\to-empty", outside + "\\empty"},
          {CafeEntry::kFile, "Linked\\own.txt"},
          {CafeEntry::kLink, "ToFolder", outside + "\\folder"},
          {CafeEntry::kLink, "ToFile", outside + "\\file.txt"},
          // Paths of 239 and 300 characters, 34 more once stored in the
          // quarantine: past what the ANSI calls take.
          CafeEntry(CafeEntry::kFile, "LongTree\\" + std::string(110, 'x') + "\\" + std::string(110, 'y') + "\\f.dat")
              .Size(111),
          CafeEntry(CafeEntry::kFile, "LongTree\\" + std::string(110, 'x') + "\\" + std::string(110, 'y') + "\\" +
                                          std::string(60, 'z') + "\\g.dat")
              .Size(222)}},
        {'F', {{CafeEntry::kFile, "f.txt"}, {CafeEntry::kFolder, "Games\\Stale"}}},
    });
    // Loose files, one per case of the tables.
    for (int i = 1; i <= 12; ++i)
        desc.drives[0].entries.push_back({CafeEntry::kFile, "r" + std::to_string(i) + ".txt"});
    // A tree large enough to be stopped part way: 4 folders of 50 files.
    desc.bulkTrees = {{'E', "Bulk", 4, 50, 100}};
    return desc;
}

}  // namespace

void Quarantine::SetUp() {
    m_outside.reset(new testsupport::TempDir);
    for (const char* folder : {"folder", "folder\\sub", "folder\\hollow", "empty"})
        ASSERT_TRUE(::CreateDirectoryA(Outside(folder).c_str(), nullptr)) << folder;
    testsupport::WriteFileBytes(Outside("folder\\f1.txt"), "outside one");
    testsupport::WriteFileBytes(Outside("folder\\sub\\f2.txt"), "outside two");
    testsupport::WriteFileBytes(Outside("file.txt"), "outside file");
    testsupport::CafeDescription desc = Disks(m_outside->Path());
    ChangeCafe(&desc);
    m_cafe.reset(new testsupport::Cafe(desc));
    ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
    // Until Wine reads its drive letters again a folder can resolve through
    // a letter an earlier test's folder had: links would not show as links.
    ASSERT_TRUE(m_cafe->WaitForDriveNames(3000));
    // Made here, where no path is split at a byte that only looks like "\".
    ASSERT_TRUE(::CreateDirectoryA("E:\\Games\\Old\\单机游戏\\誠", nullptr));
    testsupport::WriteFileBytes("E:\\Games\\Old\\单机游戏\\誠\\誠.txt", "gbk");
    testsupport::WriteFileBytes("E:\\Games\\誠", "a file named 誠");
    // Contents of their own, so that one file passing for another shows.
    testsupport::WriteFileBytes("E:\\Games\\Old\\单机游戏\\pal.exe", std::string(70000, 'p') + "end");
    for (int i = 1; i <= 12; ++i)
        testsupport::WriteFileBytes("E:\\r" + std::to_string(i) + ".txt", "r" + std::to_string(i));
}

void Quarantine::TearDown() {
    CQuarantineDisk::SetCrashStepForTests(CQuarantineDisk::CrashStep::kNone);
    m_cafe.reset();
    m_outside.reset();
}

DiskListing Quarantine::Listing() const { return QuarantineListing({"E:\\", "F:\\", m_outside->Path()}); }

std::unique_ptr<CQuarantineDisk> Quarantine::OpenE(bool create) {
    std::unique_ptr<CQuarantineDisk> disk(new CQuarantineDisk('e'));
    uint32_t error = 0;
    EXPECT_TRUE(disk->Open(create, &error)) << error;
    return disk;
}

TQuarantineRecord Quarantine::MoveIn(CQuarantineDisk& disk, const std::string& original) {
    TQuarantineRecord record;
    uint32_t error = 0;
    EXPECT_TRUE(disk.MoveIn(original, false, 0, kBatch, kNow, &record, &error)) << original << ": " << error;
    return record;
}

std::vector<std::string> Quarantine::QuarantineLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : m_log.Lines()) {
        if (line.find("|Trevand  ") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

}  // namespace quarantinetest
