// The failures an operator meets, each on a real café under Wine: the log lines
// written, the load's result and what the collections keep from the load
// before.
#include <windows.h>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "EngineTestSupport.h"
#include "comm/platform/FileName.h"
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

CafeDescription SmallCafe() {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    desc.downDisks = {"D"};
    desc.packages = {{1, "E:\\Games\\WoW", 1, "NetGames"}};
    desc.vdisks = {"E"};
    desc.vdiskPackages = {"E:\\Games\\WoW"};
    desc.drives = {{'E', {{CafeEntry::kFolder, "Games\\WoW"}, {CafeEntry::kFolder, "Old"}}}};
    return desc;
}

// What a load before left in the engine; a failed load must keep part of it.
const ServerDiskMap kOldDisks = {{"X", 1}};
const GamePathMap kOldPaths = {{"X:\\Kept", "FALSE"}};
const UnLoadPathMap kOldScan = {{"X:\\Old", {true, "Old", "X:\\Old"}}};
const std::string kOldDBPath = "X:\\old\\halvor.db";

void FillWithAnOldLoad(CTrevandDB& engine) {
    engine.m_mapServerDisk = kOldDisks;
    engine.m_mapGamePath = kOldPaths;
    engine.m_mapUnLoadPath = kOldScan;
    engine.m_strDBPath = kOldDBPath;
}

// Lines the database layer writes for the same failure; their wording is its own.
bool IsDatabaseLayerLine(const std::string& line) {
    for (const char* prefix : {"[Error]|Error on sqlite3_prepare", "[Error]|sqlite3_exec failed",
                               "[Error]|CSqliteRecordSet::Exit", "[Error]|sqlite3_open failed"}) {
        if (line.rfind(prefix, 0) == 0) {
            return true;
        }
    }
    return false;
}

// The engine's error lines, in order, without those of the database layer.
Lines EngineErrorLines(const LogCapture& log) {
    Lines lines;
    for (const std::string& line : ErrorLines(log)) {
        if (!IsDatabaseLayerLine(line)) {
            lines.push_back(line);
        }
    }
    return lines;
}

enum class Kept { kNothing, kDisksPathsScan, kPathsScan, kScan };

struct FailureCase {
    const char* name;
    std::function<void(CafeDescription&)> change;
    std::function<void(const Cafe&)> afterBuild;  // may be empty
    bool loads;
    Lines errors;  // without "[Error]|"; {Halvor}, {HalvorDB}, {PkgDown} expanded
    Kept kept;
    // The master's class set afterwards; it was {"OldClass"} before the load.
    // Classes are only ever added to, and only by a class query that runs.
    IdcClassSet classes = {};
};

const IdcClassSet kOldClasses = {"OldClass"};
const IdcClassSet kOldAndReadClasses = {"NetGames", "OldClass"};

std::string ExpandPaths(const Cafe& cafe, std::string text) {
    for (const auto& pair : {std::make_pair(std::string("{HalvorDB}"), cafe.HalvorDB()),
                             std::make_pair(std::string("{PkgDown}"), cafe.PkgDownDB())}) {
        const size_t pos = text.find(pair.first);
        if (pos != std::string::npos) {
            text.replace(pos, pair.first.size(), pair.second);
        }
    }
    return cafe.Expand(text);
}

void Garble(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char garbage[] = "this is no SQLite database, only some text that is long enough to have a header";
    DWORD written = 0;
    WriteFile(file, garbage, sizeof(garbage), &written, nullptr);
    CloseHandle(file);
}

void CheckKept(const CTrevandDB& engine, Kept kept) {
    const bool disks = kept == Kept::kDisksPathsScan;
    const bool paths = disks || kept == Kept::kPathsScan;
    const bool scan = paths || kept == Kept::kScan;
    EXPECT_EQ(engine.m_mapServerDisk == kOldDisks, disks);
    EXPECT_EQ(engine.m_mapGamePath == kOldPaths, paths);
    EXPECT_EQ(Candidates(engine.m_mapUnLoadPath) == Candidates(kOldScan), scan);
}

const std::string kLongPath = "C:\\" + std::string(190, 'p');

TEST(MasterLoadFailure, EachFailureLogsStopsAndKeepsWhatTheStepsBeforeItLeft) {
    // A table: one case per line, laid out by hand.
    // clang-format off
    const FailureCase cases[] = {
        {"no management service", [](CafeDescription& s) { s.services.clear(); }, nullptr, false,
         {"获取Zervan服务信息失败", "主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"only the second service name", [](CafeDescription& s) { s.services = {"Quarnel"}; }, nullptr, true, {},
         Kept::kNothing, kOldAndReadClasses},
        {"unquoted service path with a blank", [](CafeDescription& s) { s.commandLine = "{exe}"; }, nullptr, true, {},
         Kept::kNothing, kOldAndReadClasses},
        {"service path too short for the ini name", [](CafeDescription& s) { s.commandLine = "ab"; }, nullptr, false,
         {"Service path [ab] too short to name its ini file", "主GameRootDirInit IsMainServer fail",
          " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"no ini file", [](CafeDescription& s) { s.iniText = ""; }, nullptr, false,
         {"主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"}, Kept::kDisksPathsScan, kOldClasses},
        {"Path is Default", [](CafeDescription& s) { s.iniText = "[Halvor]\r\nPath=Default\r\n"; }, nullptr, false,
         {"主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"}, Kept::kDisksPathsScan, kOldClasses},
        {"Path too long for the buffer",
         [](CafeDescription& s) { s.iniText = "[Halvor]\r\nPath=" + kLongPath + "\r\n"; }, nullptr, false,
         {"[Halvor]:Path too long for the database path: " + kLongPath + "\\data\\halvor.db",
          "主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"Path empty", [](CafeDescription& s) { s.iniText = "[Halvor]\r\nPath=\r\n"; }, nullptr, false,
         {"IsMainServer Open Error: \\data\\halvor.db", "主GameRootDirInit IsMainServer fail",
          " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"halvor.db missing", [](CafeDescription& s) { s.halvorDb = false; }, nullptr, false,
         {"IsMainServer Open Error: {HalvorDB}", "主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"halvor.db is not a database", nullptr, [](const Cafe& c) { Garble(c.HalvorDB()); }, false,
         {"IsMainServer ExecSQL Error", "主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"server table missing", [](CafeDescription& s) { s.omitTables = {"tbl_IcafeServerCfg"}; }, nullptr, false,
         {"IsMainServer ExecSQL Error", "主GameRootDirInit IsMainServer fail", " GameRootDirInit Error"},
         Kept::kDisksPathsScan, kOldClasses},
        {"disk table missing", [](CafeDescription& s) { s.omitTables = {"tbl_IcafeServerDiskCfg"}; }, nullptr, false,
         {"GameRootDirInit ExecSQL Error", " GameRootDirInit Error"}, Kept::kPathsScan, kOldClasses},
        {"download-disk table missing: the game disks suffice",
         [](CafeDescription& s) { s.omitTables = {"tbl_IcafeServerDownDiskCfg"}; }, nullptr, true,
         {"GameRootDirInit ExecSQL Error"}, Kept::kNothing, kOldClasses},
        {"package table missing", [](CafeDescription& s) { s.omitTables = {"tbl_Package"}; }, nullptr, false,
         {"Select IdcClass  ExecSQL Error", " GameRootDirInit Error"}, Kept::kPathsScan, kOldClasses},
        {"placement table missing", [](CafeDescription& s) { s.omitTables = {"tbl_IcafeServerDiskPkgCfg"}; }, nullptr,
         false, {"LoadGamePathInit ExecSQL tbl_IcafeServerDiskPkgCfg Error", "LoadGamePathInit Error"}, Kept::kScan,
         kOldAndReadClasses},
        {"pkgdown.db missing", [](CafeDescription& s) { s.pkgdownDb = false; }, nullptr, false,
         {"LoadPkgDownPath Open Error", "LoadGamePathInit Error"}, Kept::kScan, kOldAndReadClasses},
        {"download table missing", [](CafeDescription& s) { s.omitTables = {"tbl_pkgdownstat"}; }, nullptr, false,
         {"LoadPkgDownPath ExecSQL Error", "LoadGamePathInit Error"}, Kept::kScan, kOldAndReadClasses},
    };
    // clang-format on
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        CafeDescription desc = SmallCafe();
        if (c.change) {
            c.change(desc);
        }
        Cafe cafe(desc);
        ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
        if (c.afterBuild) {
            c.afterBuild(cafe);
        }
        CMasterTrevandDB engine;
        FillWithAnOldLoad(engine);
        engine.m_setIdcClass = {"OldClass"};
        LogCapture log;
        EXPECT_EQ(engine.LoadDB(), c.loads);
        Lines expected;
        for (const std::string& line : c.errors) {
            expected.push_back("[Error]|" + ExpandPaths(cafe, line));
        }
        EXPECT_EQ(EngineErrorLines(log), expected);
        CheckKept(engine, c.kept);
        if (c.loads) {
            EXPECT_EQ(Candidates(engine.m_mapUnLoadPath), (std::vector<Candidate>{{"E:\\Old", true}}));
        }
        EXPECT_EQ(engine.m_setIdcClass, c.classes);
    }
}

TEST(MasterLoadFailure, LockedDatabaseWaitsTheBusyTimeoutThenFails) {
    Cafe cafe(SmallCafe());
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    // Another program holds an exclusive lock on halvor.db for the whole load.
    std::string utf8;
    ASSERT_TRUE(platform::ToUtf8FileName(cafe.HalvorDB(), &utf8));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(utf8.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
              SQLITE_OK);

    CMasterTrevandDB engine;
    FillWithAnOldLoad(engine);
    LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine.LoadDB());
    const auto waited = std::chrono::steady_clock::now() - start;
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    // Each statement that needs the schema waits the 3000 ms busy timeout: the
    // two tuning pragmas of the open (whose failure the open ignores), then the
    // main-server query, which fails the load.
    EXPECT_GE(waited, std::chrono::milliseconds(2900));
    EXPECT_EQ(
        ErrorLines(log),
        (Lines{"[Error]|sqlite3_exec failed. Ret=5. SQL=PRAGMA cache_size = 8000.",
               "[Error]|sqlite3_exec failed. Ret=5. SQL=PRAGMA synchronous = OFF.",
               "[Error]|Error on sqlite3_prepare: database is locked, Ret=5.", "[Error]|IsMainServer ExecSQL Error",
               "[Error]|主GameRootDirInit IsMainServer fail", "[Error]| GameRootDirInit Error"}));
    CheckKept(engine, Kept::kDisksPathsScan);
}

TEST(MasterLoadFailure, MissingPathValueKeepsTheDatabasePath) {
    CafeDescription desc = SmallCafe();
    desc.iniText = "[Pellory_0]\r\nPath={Pellory}\r\n";
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
    CMasterTrevandDB engine;
    engine.m_strDBPath = kOldDBPath;
    LogCapture log;
    EXPECT_FALSE(engine.GetServerDBPath());
    EXPECT_EQ(ErrorLines(log), (Lines{"[Error]|Quarnel.ini 读取失败,没有配置文件或[Halvor]:Path不存在!"}));
    EXPECT_EQ(engine.m_strDBPath, kOldDBPath);

    std::string halvor = "unchanged";
    EXPECT_FALSE(CTrevandDB::GetHalvorDBPath(halvor));
    EXPECT_EQ(halvor, "unchanged");
}

TEST(SecondaryLoadFailure, EachFailureLogsStopsAndKeepsWhatTheStepsBeforeItLeft) {
    // A table: one case per line, laid out by hand.
    // clang-format off
    const FailureCase cases[] = {
        {"no management service", [](CafeDescription& s) { s.services.clear(); }, nullptr, false,
         {"获取Zervan服务信息失败", "获取Zervan服务信息失败", "GameRootDirInit GetServerDBPath fail",
          " GameRootDirInit Error"},
         Kept::kPathsScan},
        {"no [Pellory_0] Path", [](CafeDescription& s) { s.iniText = "[Halvor]\r\nPath={Halvor}\r\n"; }, nullptr, false,
         {"Quarnel.ini 读取失败,没有配置文件或[Pellory_0]:Path不存在!", "GameRootDirInit GetServerDBPath fail",
          " GameRootDirInit Error"},
         Kept::kPathsScan},
        {"pellory.db missing", [](CafeDescription& s) { s.pelloryDb = false; }, nullptr, false,
         {"GameRootDirInit Open Error", " GameRootDirInit Error"}, Kept::kPathsScan},
        {"disk table missing", [](CafeDescription& s) { s.omitTables = {"tbl_VDiskCfg"}; }, nullptr, false,
         {"GameRootDirInit ExecSQL Error", " GameRootDirInit Error"}, Kept::kPathsScan},
        {"package table missing", [](CafeDescription& s) { s.omitTables = {"tbl_VDiskPkgCfg"}; }, nullptr, false,
         {"LoadGamePathInit ExecSQL Error", "LoadGamePathInit Error"}, Kept::kScan},
    };
    // clang-format on
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        CafeDescription desc = SmallCafe();
        desc.thisMachineIsMain = false;
        c.change(desc);
        Cafe cafe(desc);
        ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
        CSecondaryTrevandDB engine;
        FillWithAnOldLoad(engine);
        LogCapture log;
        EXPECT_EQ(engine.LoadDB(), c.loads);
        Lines expected;
        for (const std::string& line : c.errors) {
            expected.push_back("[Error]|" + line);
        }
        EXPECT_EQ(EngineErrorLines(log), expected);
        CheckKept(engine, c.kept);
        if (c.kept == Kept::kPathsScan) {
            EXPECT_TRUE(engine.m_mapServerDisk.empty()) << "cleared after the main-server test";
        }
    }
}

}  // namespace
