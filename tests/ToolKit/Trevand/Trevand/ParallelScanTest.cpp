// The scan lists several disks at once. On a generated café with many disks,
// for both roles, it must offer exactly what listing the disks one after the
// other offers — every field of every record — and log the same lines in the
// same order, whatever the number of threads.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "EngineTestSupport.h"
#include "support/Cafe.h"

using enginetest::Candidate;
using enginetest::Candidates;
using enginetest::Lines;
using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeDrive;
using testsupport::CafeEntry;
using testsupport::LogCapture;

namespace {

// A game disk's tree, `n` (3 or more) setting how many of each kind it holds,
// so that the disks differ in size and their walks end at different times.
// The package paths go to *registered; what the scan must offer, by path
// below the root, to *orphans (true for a folder).
CafeDrive GameDisk(char letter, int n, char linkTo, std::vector<std::string>* registered,
                   std::map<std::string, bool>* orphans) {
    const std::string root = std::string(1, letter) + ":\\";
    CafeDrive drive{letter, {}};
    auto add = [&drive](CafeEntry::Kind kind, const std::string& path) { drive.entries.emplace_back(kind, path); };
    for (int i = 0; i < n; ++i) {
        const std::string k = std::to_string(i);
        add(CafeEntry::kFile, "Games\\Pkg" + k + "\\game.exe");
        registered->push_back(root + "Games\\Pkg" + k);
        add(CafeEntry::kFile, "Games\\单机游戏\\仙剑" + k + "\\pal.exe");
        registered->push_back(root + "Games\\单机游戏\\仙剑" + k + "\\");
        add(CafeEntry::kFile, "Games\\Old" + k + "\\left.dat");
        (*orphans)["Games\\Old" + k] = true;
        add(CafeEntry::kFile, "Games\\note" + k + ".txt");
        (*orphans)["Games\\note" + k + ".txt"] = false;
        add(CafeEntry::kFolder, "Games\\单机游戏\\旧" + k);
        (*orphans)["Games\\单机游戏\\旧" + k] = true;
    }
    // A package eleven levels down: its ancestors are entered, and an orphan
    // beside each counts down to the tenth level only.
    std::string deep;
    for (int level = 1; level <= 11; ++level) {
        deep += "L" + std::to_string(level) + "\\";
        add(CafeEntry::kFile, deep + "o.txt");
        if (level <= 9) {
            (*orphans)[deep + "o.txt"] = false;
        }
    }
    add(CafeEntry::kFolder, deep + "pkg");
    registered->push_back(root + deep + "pkg");
    // A file that is itself a registered path, never offered.
    add(CafeEntry::kFile, "Games\\readme.txt");
    registered->push_back(root + "Games\\readme.txt");
    // Never offered: hidden entries, the quarantine, a link to another disk.
    add(CafeEntry::kHiddenFolder, "$RECYCLE.BIN");
    add(CafeEntry::kHiddenFile, "Games\\thumbs.db");
    add(CafeEntry::kFolder, ".trash");
    add(CafeEntry::kFile, "TrevandQuarantine\\q.dat");
    drive.entries.emplace_back(CafeEntry::kLink, "Games\\Linked", std::string(1, linkTo) + ":\\Games");
    // Offered with their size and time.
    add(CafeEntry::kReadOnlyFile, "Games\\ro.txt");
    (*orphans)["Games\\ro.txt"] = false;
    drive.entries.emplace_back(CafeEntry::kFile, "Games\\big.bin");
    drive.entries.back().Size(1000 + n).Modified(1700000000 + n);
    (*orphans)["Games\\big.bin"] = false;
    return drive;
}

// The game disks of both cafés: letters and sizes.
const struct {
    char letter;
    int n;
} kGameDisks[] = {{'E', 9}, {'F', 3}, {'G', 6}, {'I', 4}, {'J', 8}, {'K', 5}};

// Every game disk, each linking to the next; the empty drive H; the expected
// candidates of every disk key scanned, by key (the path below the root).
struct GeneratedDisks {
    std::vector<CafeDrive> drives;
    std::vector<std::string> registered;
    std::map<char, std::map<std::string, bool>> orphans;
};

GeneratedDisks GenerateDisks() {
    GeneratedDisks disks;
    const size_t count = sizeof(kGameDisks) / sizeof(kGameDisks[0]);
    for (size_t i = 0; i < count; ++i) {
        const char next = kGameDisks[(i + 1) % count].letter;
        disks.drives.push_back(GameDisk(kGameDisks[i].letter, kGameDisks[i].n, next, &disks.registered,
                                        &disks.orphans[kGameDisks[i].letter]));
    }
    disks.drives.push_back({'H', {}});
    return disks;
}

// The candidates expected when the disks `scanned` are scanned, each by the
// letter its key starts with (a lower-case key names its drive in lower case).
std::vector<Candidate> Expected(const GeneratedDisks& disks, const std::map<char, char>& scanned) {
    std::map<std::string, bool> all;
    for (const auto& key : scanned) {
        for (const auto& orphan : disks.orphans.at(key.second)) {
            all[std::string(1, key.first) + ":\\" + orphan.first] = orphan.second;
        }
    }
    std::vector<Candidate> expected;
    for (const auto& candidate : all) {
        expected.push_back({candidate.first, candidate.second});
    }
    return expected;
}

// Every field of both results, record by record.
void ExpectSameRecords(const UnLoadPathMap& actual, const UnLoadPathMap& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    auto a = actual.begin();
    for (auto e = expected.begin(); e != expected.end(); ++e, ++a) {
        SCOPED_TRACE(e->first);
        EXPECT_EQ(a->first, e->first);
        EXPECT_EQ(a->second.bDir, e->second.bDir);
        EXPECT_EQ(a->second.strName, e->second.strName);
        EXPECT_EQ(a->second.strPath, e->second.strPath);
        EXPECT_EQ(a->second.nSize, e->second.nSize);
        EXPECT_EQ(a->second.nModified, e->second.nModified);
    }
}

// What one load left and logged.
struct LoadOutcome {
    UnLoadPathMap candidates;
    Lines log;
};

LoadOutcome Load(CTrevandDB& engine, unsigned threads) {
    engine.SetScanThreads(threads);
    LogCapture log;
    EXPECT_TRUE(engine.LoadDB());
    return {engine.m_mapUnLoadPath, log.Lines()};
}

// Loads with one thread, then with several, and compares: the records with
// `expected`, each parallel load's records and whole log with the sequential
// load's; the sequential load's error lines with `expectedErrors`.
template <class Engine>
void ExpectEveryThreadCountLoadsAlike(const std::vector<Candidate>& expected, const Lines& expectedErrors) {
    Engine sequentialEngine;
    const LoadOutcome sequential = Load(sequentialEngine, 1);
    EXPECT_EQ(Candidates(sequential.candidates), expected);
    Lines errors;
    for (const std::string& line : sequential.log) {
        if (line.rfind("[Error]|", 0) == 0) errors.push_back(line);
    }
    EXPECT_EQ(errors, expectedErrors);

    for (unsigned threads : {2u, 3u, CTrevandDB::kMaxScanThreads}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        // A fresh engine and one reloaded: a load's result never depends on
        // the one before.
        Engine engine;
        for (int load = 0; load < 2; ++load) {
            const LoadOutcome parallel = Load(engine, threads);
            ExpectSameRecords(parallel.candidates, sequential.candidates);
            EXPECT_EQ(parallel.log, sequential.log);
        }
    }
}

TEST(ParallelScan, MasterOffersWhatTheDisksOneAfterTheOtherOffer) {
    GeneratedDisks disks = GenerateDisks();
    CafeDescription desc;
    int diskId = 0;
    for (const auto& disk : kGameDisks) {
        desc.serverDisks.push_back({"{local}", std::string(1, disk.letter), 1, ++diskId});
    }
    // H is empty: its listing fails, and the key HI names H: too, so it is
    // walked and logged twice. Q is no drive at all.
    for (const char* symbol : {"H", "HI", "Q"}) {
        desc.serverDisks.push_back({"{local}", symbol, 1, ++diskId});
    }
    // A download-only disk: the class filter applies.
    desc.downDisks = {"D"};
    int pkgid = 0;
    for (const std::string& path : disks.registered) {
        desc.packages.push_back({++pkgid, path, 1, ""});
    }
    desc.packages.push_back({++pkgid, "D:\\NetGames\\CS", 1, "NetGames"});
    desc.packages.push_back({++pkgid, "D:\\单机\\仙剑", 1, "单机"});
    CafeDrive down{'D',
                   {{CafeEntry::kFolder, "NetGames\\CS"},
                    {CafeEntry::kFolder, "NetGames\\Junk"},
                    {CafeEntry::kFolder, "NetGamesOld"},
                    {CafeEntry::kFolder, "Other"},
                    {CafeEntry::kFolder, "单机\\仙剑"},
                    {CafeEntry::kFile, "单机Old"}}};
    disks.orphans['D'] = {{"NetGames\\Junk", true}, {"NetGamesOld", true}, {"单机Old", false}};
    disks.drives.push_back(down);
    desc.drives = disks.drives;
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();

    std::map<char, char> scanned = {{'D', 'D'}};
    for (const auto& disk : kGameDisks) {
        scanned[disk.letter] = disk.letter;
    }
    ExpectEveryThreadCountLoadsAlike<CMasterTrevandDB>(
        Expected(disks, scanned), Lines(2, "[Error]|FindDir FindFil Error"));
}

TEST(ParallelScan, SecondaryOffersWhatTheDisksOneAfterTheOtherOffer) {
    GeneratedDisks disks = GenerateDisks();
    CafeDescription desc;
    desc.thisMachineIsMain = false;
    for (const auto& disk : kGameDisks) {
        desc.vdisks.push_back(std::string(1, disk.letter));
    }
    // H is empty; Q is no drive; e names drive E in lower case, a key of its
    // own whose candidates are paths of their own ("e:\Games\Old0").
    for (const char* symbol : {"H", "Q", "e"}) {
        desc.vdisks.push_back(symbol);
    }
    desc.vdiskPackages = disks.registered;
    desc.drives = disks.drives;
    Cafe cafe(desc);
    ASSERT_TRUE(cafe.Ready()) << cafe.Problem();

    std::map<char, char> scanned = {{'e', 'E'}};
    for (const auto& disk : kGameDisks) {
        scanned[disk.letter] = disk.letter;
    }
    ExpectEveryThreadCountLoadsAlike<CSecondaryTrevandDB>(Expected(disks, scanned),
                                                          Lines{"[Error]|FindDir FindFil Error"});
}

}  // namespace
