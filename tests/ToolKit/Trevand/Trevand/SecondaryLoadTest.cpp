// The secondary's load on a real café under Wine.
#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "EngineTestSupport.h"
#include "support/Cafe.h"

using enginetest::Candidate;
using enginetest::Candidates;
using enginetest::ErrorLines;
using enginetest::Lines;
using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;
using testsupport::LogCapture;

namespace {

CafeDescription SecondaryCafe() {
    CafeDescription desc;
    desc.thisMachineIsMain = false;
    desc.servers = {{"10.0.0.1", 1}};
    desc.vdisks = {"E", "", "F", "E"};
    desc.vdiskPackages = {"E:\\Games\\WoW", "Z:\\Games\\X", "  ", "e:\\games\\单机游戏\\"};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kFolder, "Games\\Old"},
          {CafeEntry::kFile, "Games\\单机游戏\\x.exe"},
          {CafeEntry::kFolder, "PreDown"},  // no pre-download folder on a secondary
          {CafeEntry::kHiddenFolder, "System Volume Information"}}},
        {'F', {{CafeEntry::kFolder, "Stuff"}}},
    };
    return desc;
}

// What the scan offers on SecondaryCafe.
const std::vector<Candidate> kSecondaryCandidates = {
    {"E:\\Games\\Old", true}, {"E:\\PreDown", true}, {"F:\\Stuff", true}};

TEST(SecondaryLoad, LoadsEveryDiskOfThePelloryDatabaseAndScansItWithoutFilter) {
    Cafe cafe(SecondaryCafe());
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    const std::string pelloryBytes = testsupport::ReadFileBytes(cafe.PelloryDB());
    ASSERT_FALSE(pelloryBytes.empty());
    LogCapture log;
    CSecondaryTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    EXPECT_EQ(testsupport::ReadFileBytes(cafe.PelloryDB()), pelloryBytes) << "the load writes nothing";

    // Rows E, "", F, E: the empty row is skipped but counted.
    EXPECT_EQ(engine.m_mapServerDisk, (ServerDiskMap{{"E", 3}, {"F", 2}}));
    EXPECT_EQ(engine.m_strDBPath, cafe.PelloryDB());
    EXPECT_EQ(engine.m_mapGamePath, (GamePathMap{{"E:\\Games\\WoW", "FALSE"},
                                                 {"E:\\Games", "TRUE"},
                                                 {"e:\\games\\单机游戏", "FALSE"},
                                                 {"e:\\games", "TRUE"}}));
    EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), kSecondaryCandidates);
    EXPECT_FALSE(engine.IsDownDisk('E'));
    EXPECT_EQ(ErrorLines(log), Lines{});
}

TEST(SecondaryLoad, OffersTheSameOrphansWhateverNumberOfDisksIsListedAtOnce) {
    Cafe cafe(SecondaryCafe());
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    for (unsigned threads : {1u, 2u, CTrevandDB::kMaxScanThreads}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        LogCapture log;
        CSecondaryTrevandDB engine;
        engine.SetScanThreads(threads);
        ASSERT_TRUE(engine.LoadDB());
        EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), kSecondaryCandidates);
        EXPECT_EQ(ErrorLines(log), Lines{});
    }
}

TEST(SecondaryLoad, RefusesTheMainServerAndKeepsThePreviousResult) {
    CafeDescription desc = SecondaryCafe();
    desc.thisMachineIsMain = true;
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();

    CSecondaryTrevandDB engine;
    engine.m_mapServerDisk = {{"X", 7}};
    engine.m_mapGamePath = {{"X:\\Kept", "FALSE"}};
    engine.m_mapUnLoadPath = {{"X:\\Old", {true, "Old", "X:\\Old"}}};
    LogCapture log;
    EXPECT_FALSE(engine.LoadDB());
    EXPECT_EQ(ErrorLines(log),
              (Lines{"[Error]|副GameRootDirInit IsMainServer fail", "[Error]| GameRootDirInit Error"}));
    EXPECT_EQ(engine.m_mapServerDisk, (ServerDiskMap{{"X", 7}}));
    EXPECT_EQ(engine.m_mapGamePath, (GamePathMap{{"X:\\Kept", "FALSE"}}));
    EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), (std::vector<Candidate>{{"X:\\Old", true}}));
}

TEST(SecondaryLoad, GoesOnWhenTheMainServerTestCannotAnswer) {
    CafeDescription desc = SecondaryCafe();
    desc.halvorDb = false;
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    LogCapture log;
    CSecondaryTrevandDB engine;
    EXPECT_TRUE(engine.LoadDB());
    EXPECT_EQ(ErrorLines(log), (Lines{"[Error]|IsMainServer Open Error: " + cafe.HalvorDB()}));
    EXPECT_EQ(engine.m_mapUnLoadPath.size(), 3u);
}

}  // namespace
