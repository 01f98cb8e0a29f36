// The master's whole load on a real café under Wine: disks, registered paths and
// what the scan offers and leaves alone.
#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "EngineTestSupport.h"
#include "support/Cafe.h"
#include "support/ForeignName.h"

using enginetest::Candidate;
using enginetest::Candidates;
using enginetest::ErrorLines;
using enginetest::Lines;
using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;
using testsupport::LogCapture;

namespace {

const std::string kLongFolder = "Long" + std::string(120, 'a');
// With "E:\" and the folder this is 268 characters: more than the ANSI calls
// take, and a candidate like any other.
const std::string kLongName = std::string(140, 'b');

CafeDescription MasterCafe() {
    CafeDescription desc;
    desc.servers = {{"10.0.0.9", 0}};
    desc.serverDisks = {
        {"{local}", "E", 1, 1},  {"{local}", "F", 1, 2}, {"10.0.0.9", "G", 1, 3},  // another server's disk
        {"{local}", "Q", 1, 4},                                                    // no such drive
        {"{local}", "H", 1, 5},                                                    // an empty drive
        {"{local}", "K", 0, 6},                                                    // not a game disk
        {"{local}", "KL", 1, 7},  // a two-letter symbol: K is scanned only if "K" is a disk too
    };
    desc.downDisks = {"F", "D", ""};
    desc.packages = {
        {1, "E:\\Games\\WoW", 1, "NetGames"},
        {2, "E:\\Games\\单机游戏\\仙剑\\", 1, "单机"},
        {3, "E:\\Games\\Diablo", 0, "NetGames"},  // not installed
        {4, "D:\\NetGames\\CS", 1, "NetGames"},
        {5, "E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11", 1, ""},
        {6, "E:\\Games\\Moved", 1, ""},
        {7, "E:\\Games\\ＦＵＬＬ", 1, ""},
        {8, "E:\\Games\\\x81\x41", 1, ""},  // 8141: second byte 'A'
        {9, "E:\\Games\\誠", 1, ""},        // D55C: second byte '\'
        {10, "E:\\Docs\\Manual", 1, ""},
        {11, "E:\\" + kLongFolder + "\\pkg", 1, ""},
        {12, "E:\\Games\\Linked\\Sub", 1, ""},
        {13, "G:\\Games\\Other", 1, ""},
        {14, "  ", 1, ""},
    };
    desc.placements = {{6, 2}, {1, 3}};  // Moved on F; WoW on the other server's G
    desc.downPaths = {"F:\\Down\\Pkg1\\", ""};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "GAMES\\wow\\wow.exe"},
          {CafeEntry::kFolder, "GAMES\\Old"},
          {CafeEntry::kFile, "GAMES\\readme.txt"},
          {CafeEntry::kFile, "GAMES\\Diablo\\d.exe"},
          {CafeEntry::kFile, "GAMES\\单机游戏\\仙剑\\pal.exe"},
          {CafeEntry::kFolder, "GAMES\\单机游戏\\旧游戏"},
          {CafeEntry::kFolder, "GAMES\\ｆｕｌｌ"},
          {CafeEntry::kFolder, "GAMES\\\x81\x61"},  // 8161: differs from 8141 in its second byte only
          {CafeEntry::kFolder, "GAMES\\誠"},
          {CafeEntry::kFolder, "GAMES\\衆"},
          {CafeEntry::kFolder, "GAMES\\Moved"},
          // Only the folder at a disk's root is the quarantine.
          {CafeEntry::kFolder, "GAMES\\TrevandQuarantine"},
          {CafeEntry::kLink, "GAMES\\Linked", "F:\\Down"},
          {CafeEntry::kFile, "Docs"},  // a file whose path is an ancestor key
          {CafeEntry::kFile, "PreDown\\junk.tmp"},
          {CafeEntry::kHiddenFolder, "$RECYCLE.BIN"},
          {CafeEntry::kFolder, ".trash"},  // a leading dot reads as hidden under Wine
          {CafeEntry::kHiddenFile, "thumbs.db"},
          {CafeEntry::kReadOnlyFile, "readonly.txt"},
          {CafeEntry::kLink, "LinkToF", "F:\\Games"},
          {CafeEntry::kLink, "dangling", "C:\\trevand-no-such-folder"},
          {CafeEntry::kFolder, kLongFolder + "\\pkg"},
          {CafeEntry::kFile, kLongFolder + "\\" + kLongName},
          {CafeEntry::kFile, kLongFolder + "\\short.txt"},
          {CafeEntry::kFile, "1\\2\\3\\4\\5\\6\\7\\8\\9\\orphan10.txt"},
          {CafeEntry::kFile, "1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\orphan11.txt"},
          {CafeEntry::kFolder, "1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11"}}},
        {'F',
         {{CafeEntry::kFile, "Games\\Moved\\m.exe"},
          // The quarantine, made visible and named in other case: never offered.
          {CafeEntry::kFile, "trevandQUARANTINE\\20261211-093000\\Games\\Gone\\g.exe"},
          {CafeEntry::kFolder, "Down\\Pkg1"},
          {CafeEntry::kFolder, "Down\\Stale"},
          {CafeEntry::kFolder, "Other"},
          {CafeEntry::kFolder, "PreDown"}}},
        {'D',
         {{CafeEntry::kFolder, "NetGames\\CS"},
          {CafeEntry::kFolder, "NetGames\\Junk"},
          {CafeEntry::kFolder, "NetGamesOld"},
          {CafeEntry::kFolder, "Other"},
          {CafeEntry::kFile, "单机Old"},
          {CafeEntry::kFile, "x单机"}}},
        {'G', {{CafeEntry::kFolder, "Orphan"}}},
        {'H', {}},
        {'K', {{CafeEntry::kFolder, "Orphan"}}},
    };
    return desc;
}

const std::vector<Candidate> kMasterCandidates = {
    {"D:\\NetGamesOld", true},  // "O" sorts before "\\"
    {"D:\\NetGames\\Junk", true},
    {"D:\\单机Old", false},
    {"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\orphan10.txt", false},
    {"E:\\GAMES\\Diablo", true},
    {"E:\\GAMES\\Old", true},
    {"E:\\GAMES\\TrevandQuarantine", true},
    {"E:\\GAMES\\readme.txt", false},
    {"E:\\GAMES\\\x81\x61", true},
    {"E:\\GAMES\\单机游戏\\旧游戏", true},
    {"E:\\GAMES\\衆", true},
    {"E:\\" + kLongFolder + "\\" + kLongName, false},
    {"E:\\" + kLongFolder + "\\short.txt", false},
    {"E:\\readonly.txt", false},
    {"F:\\Down\\Stale", true},
    {"F:\\Other", true},
};

class MasterLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cafe = new Cafe(MasterCafe());
        // A folder and a file whose names code page 936 cannot hold, where
        // the scan looks: never offered (no path would reach them again).
        const std::string foreign = testsupport::kForeignNameUtf8;
        s_foreignMade = testsupport::MakeForeignEntry("E:\\GAMES", foreign, -1) &&
                        testsupport::MakeForeignEntry("E:\\GAMES", foreign + ".txt", 10);
    }
    static void TearDownTestSuite() {
        delete s_cafe;
        s_cafe = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(s_cafe->Ready()) << s_cafe->Problem();
        ASSERT_TRUE(s_foreignMade && testsupport::ForeignNameIsForeign());
    }

    static Cafe* s_cafe;
    static bool s_foreignMade;
};
Cafe* MasterLoad::s_cafe = nullptr;
bool MasterLoad::s_foreignMade = false;

TEST_F(MasterLoad, LoadsDisksPathsAndOffersExactlyTheOrphans) {
    LogCapture log;
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());

    EXPECT_EQ(engine.m_mapServerDisk, (ServerDiskMap{{"D", 2}, {"E", 1}, {"F", 3}, {"H", 1}, {"KL", 1}, {"Q", 1}}));
    EXPECT_EQ(engine.m_strDBPath, s_cafe->HalvorDB());
    EXPECT_EQ(engine.m_setIdcClass, (IdcClassSet{"NetGames", "单机"}));

    UnLoadPathMap result;
    EXPECT_TRUE(engine.GetUnLoadGamePath(result));
    EXPECT_EQ(Candidates(result), kMasterCandidates);

    // The one error: the empty drive H cannot be listed. Q, a drive that does
    // not exist, is passed over silently.
    EXPECT_EQ(ErrorLines(log), (Lines{"[Error]|FindDir FindFil Error"}));
    EXPECT_TRUE(enginetest::HasLine(log, "[Info]|Open Service Success!"));
}

TEST_F(MasterLoad, OffersTheSameOrphansWhateverNumberOfDisksIsListedAtOnce) {
    for (unsigned threads : {1u, 2u, CTrevandDB::kMaxScanThreads}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        LogCapture log;
        CMasterTrevandDB engine;
        engine.SetScanThreads(threads);
        ASSERT_TRUE(engine.LoadDB());
        EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), kMasterCandidates);
        EXPECT_EQ(ErrorLines(log), (Lines{"[Error]|FindDir FindFil Error"}));
    }
}

TEST_F(MasterLoad, RegistersPreDownloadPlacedAndDownloadFolders) {
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    const GamePathMap& paths = engine.m_mapGamePath;
    const struct {
        const char* path;
        const char* value;  // null: not a key
    } expected[] = {
        {"E:\\PreDown", "FALSE"},
        {"Q:\\PreDown", "FALSE"},
        {"D:\\PreDown", "FALSE"},
        {"KL:\\PreDown", "FALSE"},  // the whole symbol
        {"E:\\Games\\Moved", "FALSE"},
        {"F:\\Games\\Moved", "FALSE"},  // placed on F, a main-server disk
        {"F:\\Games", "TRUE"},
        {"F:\\Down\\Pkg1", "FALSE"},  // pkgdown.db
        {"E:\\Games\\单机游戏\\仙剑", "FALSE"},
        {"E:\\Games\\Diablo", nullptr},  // version 0
        {"G:\\Games\\Other", nullptr},   // G is no disk of this server
        {"G:\\Games\\WoW", nullptr},     // placed on the other server's disk
        {"D:\\NetGames", "TRUE"},
        {"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10", "TRUE"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.path);
        const auto found = paths.find(e.path);
        if (e.value == nullptr) {
            EXPECT_TRUE(found == paths.end());
        } else {
            ASSERT_TRUE(found != paths.end());
            EXPECT_EQ(found->second, e.value);
        }
    }
}

TEST_F(MasterLoad, TellsDownloadOnlyDisks) {
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    EXPECT_TRUE(engine.IsDownDisk('D'));
    EXPECT_TRUE(engine.IsDownDisk('d'));
    EXPECT_FALSE(engine.IsDownDisk('F')) << "game and download disk";
    EXPECT_FALSE(engine.IsDownDisk('E'));
    EXPECT_FALSE(engine.IsDownDisk('X'));
}

TEST_F(MasterLoad, FindDirNeedsOnlyTheDiskAndPathLoads) {
    // Each disk scanned on its own, as UnLoadGamePathInit would; D is a
    // download disk, so its class filter applies too.
    auto scanOnItsOwn = [](CMasterTrevandDB& engine) {
        engine.m_mapUnLoadPath.clear();
        for (const char* root : {"D:", "E:", "F:"}) {
            engine.FindDir(root, 10);
        }
        return Candidates(engine.m_mapUnLoadPath);
    };
    // After a whole load, the paths loaded again: the keys the last scan
    // indexed are gone.
    CMasterTrevandDB reloaded;
    ASSERT_TRUE(reloaded.LoadDB());
    ASSERT_TRUE(reloaded.LoadGamePathInit());
    EXPECT_EQ(scanOnItsOwn(reloaded), kMasterCandidates);

    // No scan before at all.
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.GameRootDirInit());
    ASSERT_TRUE(engine.LoadGamePathInit());
    EXPECT_EQ(scanOnItsOwn(engine), kMasterCandidates);
    ASSERT_TRUE(engine.LoadGamePathInit());
    EXPECT_EQ(scanOnItsOwn(engine), kMasterCandidates);
}

TEST(MasterLoadSlashes, APackageWrittenWithForwardSlashesIsNeverOffered) {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.packages = {{1, "E:/Games/WoW", 1, "NetGames"}, {2, "E:/Games/单机/仙剑/", 1, "单机"}};
    desc.placements = {{1, 2}};  // WoW placed on F too
    desc.downPaths = {"F:/Down/Pkg1"};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kFile, "Games\\单机\\仙剑\\pal.exe"},
          {CafeEntry::kFolder, "Games\\单机\\Old"}}},
        {'F',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kFolder, "Down\\Pkg1"},
          {CafeEntry::kFolder, "Down\\Stale"}}},
    };
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    EXPECT_EQ(Candidates(engine.m_mapUnLoadPath),
              (std::vector<Candidate>{{"E:\\Games\\单机\\Old", true}, {"F:\\Down\\Stale", true}}));
}

TEST_F(MasterLoad, ReloadGivesTheSameResultAndChangesNoDatabaseByte) {
    const std::string halvor = testsupport::ReadFileBytes(s_cafe->HalvorDB());
    const std::string pkgdown = testsupport::ReadFileBytes(s_cafe->PkgDownDB());
    ASSERT_FALSE(halvor.empty());
    ASSERT_FALSE(pkgdown.empty());

    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    ASSERT_TRUE(engine.LoadDB());
    EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), kMasterCandidates);

    EXPECT_EQ(testsupport::ReadFileBytes(s_cafe->HalvorDB()), halvor);
    EXPECT_EQ(testsupport::ReadFileBytes(s_cafe->PkgDownDB()), pkgdown);
}

}  // namespace
