// The engine's pure part on every platform: registering package paths, the
// case folding of code page 936 and the lookup index built on it.
#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"
#include "comm/platform/CaseFold936.h"
#include "comm/platform/MbcsCompare.h"
#include "comm/platform/ParallelEach.h"

namespace {

// The engine base with its role operations answering false: enough to exercise
// the registration that both roles share.
class CBareTrevandDB final : public CTrevandDB {
public:
    bool GetServerDBPath() override { return false; }
    bool GameRootDirInit() override { return false; }
    bool LoadGamePathInit() override { return false; }
    bool UnLoadGamePathInit() override { return false; }
    bool PlanScan(const std::string&, const IdcClassSet**) override { return false; }

    // Registers `paths` in order as one load step does: inside a batch, where
    // ancestors made keys for the previous path are not looked up again.
    void AddGamePathsAsOneLoad(const std::vector<std::string>& paths) {
        const PathBatch batch(*this);
        for (const std::string& path : paths) {
            AddGamePath(path);
        }
    }
};

struct AddGamePathCase {
    const char* name;
    ServerDiskMap disks;
    std::vector<std::string> paths;  // registered in this order
    GamePathMap expected;
};

TEST(AddGamePath, RegistersPathsAndAncestorsAsTheScanNeedsThem) {
    const ServerDiskMap diskE = {{"E", 1}};
    // A table: one case per line, laid out by hand.
    // clang-format off
    const AddGamePathCase cases[] = {
        {"trailing backslash dropped, ancestors TRUE, root never added",
         diskE, {"E:\\Games\\WoW\\"}, {{"E:\\Games\\WoW", "FALSE"}, {"E:\\Games", "TRUE"}}},
        {"a registered folder that is also an ancestor ends FALSE, in either order",
         diskE, {"E:\\Games\\WoW", "E:\\Games"}, {{"E:\\Games\\WoW", "FALSE"}, {"E:\\Games", "FALSE"}}},
        {"the other order", diskE, {"E:\\Games", "E:\\Games\\WoW"},
         {{"E:\\Games\\WoW", "FALSE"}, {"E:\\Games", "FALSE"}}},
        {"letters keep their case; an existing E:\\Games does not stop e:\\games",
         diskE, {"E:\\Games\\X", "e:\\games\\wow"},
         {{"E:\\Games\\X", "FALSE"}, {"E:\\Games", "TRUE"}, {"e:\\games\\wow", "FALSE"}, {"e:\\games", "TRUE"}}},
        {"a path on no server disk registers nothing", diskE, {"Z:\\Games\\WoW", "\\\\server\\share\\x"}, {}},
        {"empty path", diskE, {""}, {}},
        {"a root registers only itself, which the scan never meets as an entry", diskE, {"E:\\", "e:"},
         {{"E:", "FALSE"}, {"e:", "FALSE"}}},
        {"eleven levels: ten ancestors", diskE, {"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11"},
         {{"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11", "FALSE"},
          {"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10", "TRUE"},
          {"E:\\1\\2\\3\\4\\5\\6\\7\\8\\9", "TRUE"},
          {"E:\\1\\2\\3\\4\\5\\6\\7\\8", "TRUE"},
          {"E:\\1\\2\\3\\4\\5\\6\\7", "TRUE"},
          {"E:\\1\\2\\3\\4\\5\\6", "TRUE"},
          {"E:\\1\\2\\3\\4\\5", "TRUE"},
          {"E:\\1\\2\\3\\4", "TRUE"},
          {"E:\\1\\2\\3", "TRUE"},
          {"E:\\1\\2", "TRUE"},
          {"E:\\1", "TRUE"}}},
        {"a path that never reaches its root stops where no backslash is left",
         diskE, {"E:Games\\X", "EGames"}, {{"E:Games\\X", "FALSE"}, {"E:Games", "TRUE"}, {"EGames", "FALSE"}}},
        {"two symbols with one letter register the path once",
         {{"E", 1}, {"EF", 1}}, {"E:\\Games\\WoW"}, {{"E:\\Games\\WoW", "FALSE"}, {"E:\\Games", "TRUE"}}},
        {"the drive letter matches without regard to case", {{"e", 1}}, {"E:\\A\\B"},
         {{"E:\\A\\B", "FALSE"}, {"E:\\A", "TRUE"}}},
        {"a second byte 0x5C (誠 D55C, 衆 D05C) is no separator", diskE, {"E:\\Games\\誠", "E:\\衆\\X\\"},
         {{"E:\\Games\\誠", "FALSE"}, {"E:\\Games", "TRUE"}, {"E:\\衆\\X", "FALSE"}, {"E:\\衆", "TRUE"}}},
        {"a forward slash is a separator and is registered as a backslash", diskE,
         {"E:/Games/WoW", "e:/Games\\单机/仙剑/"},
         {{"E:\\Games\\WoW", "FALSE"}, {"E:\\Games", "TRUE"}, {"e:\\Games\\单机\\仙剑", "FALSE"},
          {"e:\\Games\\单机", "TRUE"}, {"e:\\Games", "TRUE"}}},
        // A database text may hold a NUL: the separators after it still count,
        // also after a lead byte that the NUL cuts short.
        {"a NUL hides no separator after it", diskE,
         {std::string("E:\\A\0\\B", 7), std::string("E:\\X\x81\0\\Y", 8), "E:\\Z\\\x81"},
         {{std::string("E:\\A\0\\B", 7), "FALSE"}, {std::string("E:\\A\0", 5), "TRUE"},
          {std::string("E:\\X\x81\0\\Y", 8), "FALSE"}, {std::string("E:\\X\x81\0", 6), "TRUE"},
          {"E:\\Z\\\x81", "FALSE"}, {"E:\\Z", "TRUE"}}},
        {"GBK names", diskE, {"E:\\单机游戏\\仙剑奇侠传"}, {{"E:\\单机游戏\\仙剑奇侠传", "FALSE"}, {"E:\\单机游戏", "TRUE"}}},
        {"neighbours sharing ancestors, a longer sibling name, other letter case", diskE,
         {"E:\\Games\\A\\1", "E:\\Games\\A\\2", "E:\\Games\\AB\\3", "e:\\games\\A\\4", "E:\\Games\\A"},
         {{"E:\\Games\\A\\1", "FALSE"}, {"E:\\Games\\A\\2", "FALSE"}, {"E:\\Games\\A", "FALSE"},
          {"E:\\Games", "TRUE"}, {"E:\\Games\\AB\\3", "FALSE"}, {"E:\\Games\\AB", "TRUE"},
          {"e:\\games\\A\\4", "FALSE"}, {"e:\\games\\A", "TRUE"}, {"e:\\games", "TRUE"}}},
    };
    // clang-format on
    for (const AddGamePathCase& c : cases) {
        SCOPED_TRACE(c.name);
        CBareTrevandDB engine;
        engine.m_mapServerDisk = c.disks;
        for (const std::string& path : c.paths) {
            engine.AddGamePath(path);
        }
        EXPECT_EQ(engine.m_mapGamePath, c.expected);

        CBareTrevandDB loaded;
        loaded.m_mapServerDisk = c.disks;
        loaded.AddGamePathsAsOneLoad(c.paths);
        EXPECT_EQ(loaded.m_mapGamePath, c.expected) << "as one load";
    }
}

TEST(AddGamePath, IsDownDiskOfTheBaseIsAlwaysFalse) {
    CBareTrevandDB engine;
    engine.m_mapServerDisk = {{"D", 2}};
    EXPECT_FALSE(engine.IsDownDisk('D'));
}

TEST(GetUnLoadGamePath, ReplacesTheOutputWithTheScanResult) {
    CBareTrevandDB engine;
    UnLoadPathMap out = {{"X:\\stale", {true, "stale", "X:\\stale"}}};
    EXPECT_TRUE(engine.GetUnLoadGamePath(out));
    EXPECT_TRUE(out.empty());

    engine.m_mapUnLoadPath["E:\\Old"] = {true, "Old", "E:\\Old"};
    engine.m_mapUnLoadPath["E:\\a.txt"] = {false, "a.txt", "E:\\a.txt"};
    EXPECT_TRUE(engine.GetUnLoadGamePath(out));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_FALSE(out["E:\\a.txt"].bDir);
    EXPECT_EQ(out["E:\\Old"].strName, "Old");
}

struct FoldCase {
    const char* name;
    std::string a;
    std::string b;
    bool equal;
};

// The byte values are what _mbsicmp under Wine makes of them (the generated table).
const FoldCase kFoldCases[] = {
    {"ASCII letters", "E:\\GAMES\\wow", "e:\\Games\\WoW", true},
    {"ASCII punctuation is not a letter", "[", "{", false},
    {"full-width Latin (Ａ A3C1 / ａ A3E1)", "\xA3\xC1", "\xA3\xE1", true},
    {"Greek (Α A6A1 / α A6C1)", "\xA6\xA1", "\xA6\xC1", true},
    {"Cyrillic (А A7A1 / а A7D1)", "\xA7\xA1", "\xA7\xD1", true},
    {"Roman numerals (ⅰ A2A1 / Ⅰ A2F1)", "\xA2\xA1", "\xA2\xF1", true},
    {"full-width and ASCII letters differ", "\xA3\xC1", "A", false},
    {"a second byte is never folded as a letter (8141 / 8161)", "\x81\x41", "\x81\x61", false},
    {"a second byte 0x5C is no separator (誠 D55C / 謀 D65C)", "誠", "謀", false},
    {"誠 equals itself", "E:\\誠\\衆", "e:\\誠\\衆", true},
    {"Ⅺ (A2FB) folds to ? and the walk goes on at its second byte",
     "\xA2\xFB"
     "x",
     "?\xFB"
     "x",
     true},
    {"Ⅺ and Ⅻ differ in their second bytes", "\xA2\xFB", "\xA2\xFC", false},
    {"a lead byte at the end is a character of its own", "ab\x81", "AB\x81", true},
    {"a lone lead byte and a full character", "ab\x81", "ab\x81\x41", false},
    {"different lengths", "E:\\Games", "E:\\Games\\", false},
};

TEST(CaseFold936, FoldsExactlyWhatTheRuntimeCallsEqual) {
    for (const FoldCase& c : kFoldCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::FoldCase936(c.a) == platform::FoldCase936(c.b), c.equal);
        EXPECT_EQ(platform::FoldCase936(c.a).size(), c.a.size());
    }
}

TEST(GamePathIndex, FindsTheFirstKeyInOrderThatEqualsWithoutRegardToCase) {
    const GamePathMap paths = {
        {"E:\\GAMES", "FALSE"}, {"E:\\Games", "TRUE"}, {"E:\\games\\wow", "FALSE"}, {"E:\\单机游戏\\\xA3\xC1", "TRUE"}};
    CGamePathIndex index;
    index.Build(paths);
    struct Probe {
        std::string path;
        const char* expectedKey;  // null: no key
    };
    const Probe probes[] = {
        {"e:\\games", "E:\\GAMES"},  // "E:\GAMES" < "E:\Games" byte-wise: it comes first
        {"E:\\Games\\WoW", "E:\\games\\wow"}, {"E:\\单机游戏\\\xA3\xE1", "E:\\单机游戏\\\xA3\xC1"},
        {"E:\\Games\\WoW2", nullptr},         {"E:", nullptr},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.path);
        const auto found = index.Find(probe.path);
        if (probe.expectedKey == nullptr) {
            EXPECT_TRUE(found == paths.end());
        } else {
            ASSERT_TRUE(found != paths.end());
            EXPECT_EQ(found->first, probe.expectedKey);
        }
    }
}

TEST(GamePathIndex, ThreadsWithBuffersOfTheirOwnLookUpAtTheSameTime) {
    // The scan walks several disks at once against one index: each walk folds
    // into its own buffers, and every walk must get the key one walk alone gets.
    GamePathMap paths;
    std::vector<std::string> probes;
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(i);
        paths.emplace("E:\\Games\\单机游戏\\Pkg" + n, i % 2 == 0 ? "FALSE" : "TRUE");
        probes.push_back("e:\\GAMES\\单机游戏\\pkg" + n);   // a key in other case
        probes.push_back("E:\\Games\\单机游戏\\Old" + n);   // no key
    }
    CGamePathIndex index;
    index.Build(paths);
    std::vector<GamePathMap::const_iterator> alone;
    for (const std::string& probe : probes) {
        alone.push_back(index.Find(probe));
    }
    ASSERT_TRUE(alone[0] != paths.end() && alone[1] == paths.end());

    const size_t kWalks = 4;
    std::vector<std::vector<GamePathMap::const_iterator>> found(kWalks);
    platform::ParallelEach(kWalks, kWalks, [&](size_t walk) {
        CGamePathIndex::FoldBuffers buffers;
        for (const std::string& probe : probes) {
            found[walk].push_back(index.Find(probe, &buffers));
        }
    });
    for (size_t walk = 0; walk < kWalks; ++walk) {
        SCOPED_TRACE(walk);
        EXPECT_TRUE(found[walk] == alone);
    }
}

}  // namespace
