// Benchmark of the orphan scan (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/scan/scanbench.exe
//
// One game disk. A café whose disk E holds 3,000 registered package folders of
// 20 files each and 500 orphan folders, with 20,000 registered paths in
// tbl_Package. In one run it times, each several times (median reported):
// - index:  LoadGamePathInit + UnLoadGamePathInit of the engine, which builds
//           the case-folded lookup index once per scan;
// - linear: the same load, then the same walk looking each entry up with a pass
//           through the registered paths and _mbsicmp (the baseline, kept here);
// - floor:  listing exactly the folders the scan lists, with the same listing
//           calls, and nothing else;
// - ansi:   listing the same folders with FindFirstFileA/FindNextFileA, the
//           calls any program would make (the platform's listing goes through
//           the wide calls, which also reach paths the ANSI ones cannot).
// and prints each as a ratio to the floor. Two rows weigh reading the package
// rows on a thread of their own while the calling thread registers them,
// against reading and registering each row in turn (an experiment kept for
// its figures: the engine reads and registers in turn).
//
// Three game disks. The same café spread over disks E, F and G (1,000 package
// folders and about 167 orphans each, the 20,000 registered paths shared out):
// the whole load (LoadGamePathInit + UnLoadGamePathInit) and the scan alone,
// listing the disks side by side (the engine's default) and one after the
// other (one scan thread), against the floor of listing the scanned folders
// one disk after the other; the floor of listing the disks side by side is
// shown beside it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <functional>
#include <string>
#include <vector>

#include "../BenchLog.h"
#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/DBRows.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/platform/Folder.h"
#include "comm/platform/MbcsCompare.h"
#include "comm/platform/ParallelEach.h"
#include "support/Cafe.h"
#include "support/WineHost.h"

using testsupport::Cafe;
using testsupport::CafeDescription;

namespace {

const int kPackagesOnDisk = 3000;
const int kFilesPerPackage = 20;
const int kOrphans = 500;
const int kRegisteredPaths = 20000;
const int kRuns = 11;

// The scan as it was before the index: the same walk, each entry looked up by a
// pass through the keys in order with the runtime's _mbsicmp. It also records
// the folders it lists, for the floor.
class LinearScan {
public:
    LinearScan(const CMasterTrevandDB& engine, UnLoadPathMap& result, std::vector<std::string>* listed)
        : m_engine(engine), m_result(result), m_listed(listed) {}

    void Run() {
        m_result.clear();
        for (const auto& disk : m_engine.m_mapServerDisk) {
            Scan(disk.first.substr(0, 1) + ":", 10);
        }
    }

private:
    void Scan(const std::string& dir, int depth) {
        if (depth < 1 || !platform::IsExistingFolder(dir)) {
            return;
        }
        if (m_listed != nullptr) {
            m_listed->push_back(dir);
        }
        platform::FolderListing listing;
        platform::FolderEntry entry;
        if (!listing.Start(dir + "\\*.*", &entry)) {
            return;
        }
        do {
            const std::string path = dir + "\\" + entry.strName;
            if ((entry.dwAttributes & (platform::kAttributeHidden | platform::kAttributeReparsePoint)) != 0 ||
                entry.dwAttributes == platform::kAttributesInvalid || path.size() >= 259 || entry.strName == "." ||
                entry.strName == "..") {
                continue;
            }
            auto key = m_engine.m_mapGamePath.end();
            for (auto it = m_engine.m_mapGamePath.begin(); it != m_engine.m_mapGamePath.end(); ++it) {
                if (platform::EqualIgnoringCase936(it->first, path)) {
                    key = it;
                    break;
                }
            }
            const bool isDir = (entry.dwAttributes & platform::kAttributeDirectory) != 0;
            if (key != m_engine.m_mapGamePath.end()) {
                if (isDir && key->second == "TRUE") {
                    Scan(path, depth - 1);
                }
                continue;
            }
            m_result[path] = {isDir, entry.strName, path};
        } while (listing.Next(&entry));
    }

    const CMasterTrevandDB& m_engine;
    UnLoadPathMap& m_result;
    std::vector<std::string>* m_listed;
};

// Lists each folder with the ANSI calls and does nothing else.
size_t ListAnsi(const std::vector<std::string>& folders) {
    size_t entries = 0;
    for (const std::string& dir : folders) {
        if (::GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((dir + "\\*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            ++entries;
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    return entries;
}

// Lists each folder with the scan's listing calls and does nothing else.
size_t ListOnly(const std::vector<std::string>& folders) {
    size_t entries = 0;
    for (const std::string& dir : folders) {
        if (!platform::IsExistingFolder(dir)) {
            continue;
        }
        platform::FolderListing listing;
        platform::FolderEntry entry;
        if (listing.Start(dir + "\\*.*", &entry)) {
            do {
                ++entries;
            } while (listing.Next(&entry));
        }
    }
    return entries;
}

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Min(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

char Name[32];
const char* Numbered(const char* prefix, int n) {
    std::snprintf(Name, sizeof(Name), "%s%05d", prefix, n);
    return Name;
}

CafeDescription BenchCafe() {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    for (int i = 1; i <= kRegisteredPaths; ++i) {
        // The first 3,000 lie on the disk; the others are registered elsewhere
        // on it (not installed here yet, or removed by hand).
        const std::string path = i <= kPackagesOnDisk ? std::string("E:\\Games\\") + Numbered("Pkg", i)
                                                      : std::string("E:\\NetGames\\") + Numbered("Gone", i);
        desc.packages.push_back({i, path, 1, "NetGames"});
    }
    desc.drives = {{'E', {}}};
    return desc;
}

// Fills drive `letter` on the Linux side (much faster than tens of thousands
// of Windows calls): `packages` folders Games\Pkg<first>.. of kFilesPerPackage
// files, and `orphans` folders Games\Orphan<first>.. holding one file each.
bool FillDisk(const Cafe& cafe, char letter, int first, int packages, int orphans) {
    const std::string root = testsupport::UnixPathOf(cafe.DriveFolder(letter));
    char script[1024];
    std::snprintf(
        script, sizeof(script),
        "cd '%s' && mkdir -p Games && cd Games && "
        "for i in $(seq -f %%05g %d %d); do mkdir Pkg$i && (cd Pkg$i && touch $(seq -f f%%02g.dat 1 %d)); done && "
        "for i in $(seq -f %%05g %d %d); do mkdir Orphan$i && touch Orphan$i/left.dat; done",
        root.c_str(), first, first + packages - 1, kFilesPerPackage, first, first + orphans - 1);
    return !root.empty() && testsupport::RunUnixCommand({"sh", "-c", script});
}

// The folders the scan of `engine`'s disks lists, disk by disk in key order,
// found with the same walk (looked up through the index).
class ListedFolders {
public:
    explicit ListedFolders(const CMasterTrevandDB& engine) : m_engine(engine) {
        m_index.Build(engine.m_mapGamePath);
        for (const auto& disk : engine.m_mapServerDisk) {
            m_byDisk.emplace_back();
            Walk(disk.first.substr(0, 1) + ":", 10, &m_byDisk.back());
        }
    }
    const std::vector<std::vector<std::string>>& ByDisk() const { return m_byDisk; }
    std::vector<std::string> All() const {
        std::vector<std::string> all;
        for (const auto& disk : m_byDisk) all.insert(all.end(), disk.begin(), disk.end());
        return all;
    }

private:
    void Walk(const std::string& dir, int depth, std::vector<std::string>* listed) {
        if (depth < 1 || !platform::IsExistingFolder(dir)) {
            return;
        }
        listed->push_back(dir);
        platform::FolderListing listing;
        platform::FolderEntry entry;
        if (!listing.Start(dir + "\\*.*", &entry)) {
            return;
        }
        do {
            const std::string path = dir + "\\" + entry.strName;
            const auto key = m_index.Find(path);
            if ((entry.dwAttributes & platform::kAttributeDirectory) != 0 && key != m_engine.m_mapGamePath.end() &&
                key->second == "TRUE" && (entry.dwAttributes & platform::kAttributeReparsePoint) == 0) {
                Walk(path, depth - 1, listed);
            }
        } while (listing.Next(&entry));
    }

    const CMasterTrevandDB& m_engine;
    CGamePathIndex m_index;
    std::vector<std::vector<std::string>> m_byDisk;
};

// Whether both scan results hold the same records, field by field.
bool SameCandidates(const UnLoadPathMap& a, const UnLoadPathMap& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.first == y.first && x.second.bDir == y.second.bDir && x.second.strName == y.second.strName &&
                      x.second.strPath == y.second.strPath && x.second.nSize == y.second.nSize &&
                      x.second.nModified == y.second.nModified;
           });
}

// The package rows of `dbPath`, read on a thread of its own and handed over in
// batches, registered on the calling thread as they come: how much overlapping
// the reading with the registering would buy the package step.
void ReadWhileRegistering(const std::string& dbPath, CMasterTrevandDB& registry) {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<std::vector<std::string>> batches;
    bool done = false;
    std::thread reader([&] {
        CSqliteConnect db;
        db.Open(dbPath, false);
        std::vector<std::string> batch;
        const auto handOver = [&] {
            const std::lock_guard<std::mutex> lock(mutex);
            batches.push_back(std::move(batch));
            batch.clear();
            ready.notify_one();
        };
        ForEachNonEmptyValue(db, "Select LocalPath  from   tbl_Package  where PkgVersion>0;", "LocalPath",
                             [&](std::string&& path) {
                                 batch.push_back(std::move(path));
                                 if (batch.size() == 512) handOver();
                             });
        db.Close();
        handOver();
        const std::lock_guard<std::mutex> lock(mutex);
        done = true;
        ready.notify_one();
    });
    for (;;) {
        std::vector<std::string> batch;
        {
            std::unique_lock<std::mutex> lock(mutex);
            ready.wait(lock, [&] { return !batches.empty() || done; });
            if (batches.empty()) break;
            batch = std::move(batches.front());
            batches.pop_front();
        }
        for (std::string& path : batch) registry.AddGamePath(std::move(path));
    }
    reader.join();
}

// Prints one table: each row's minimum and median, and their ratios to the
// first row's (the baseline of the table).
class Table {
public:
    explicit Table(int runs) { std::printf("%d runs                                         min ms   ratio   median ms   ratio\n", runs); }
    void Row(const char* what, const std::vector<double>& times) {
        if (m_baseMin == 0) {
            m_baseMin = Min(times);
            m_baseMedian = Median(times);
        }
        std::printf("  %-44s %8.2f  %5.2fx  %10.2f  %5.2fx\n", what, Min(times), Min(times) / m_baseMin, Median(times),
                    Median(times) / m_baseMedian);
    }

private:
    double m_baseMin = 0;
    double m_baseMedian = 0;
};

// The one-disk café; 0 when the index and the linear pass agree.
int OneDisk() {
    std::printf("one game disk: building the cafe (%d registered paths, %d package folders of %d files, %d orphans)...\n",
                kRegisteredPaths, kPackagesOnDisk, kFilesPerPackage, kOrphans);
    Cafe cafe(BenchCafe());
    if (!cafe.Ready() || !FillDisk(cafe, 'E', 1, kPackagesOnDisk, kOrphans)) {
        std::printf("cannot build the cafe: %s\n", cafe.Problem().c_str());
        return 1;
    }
    CMasterTrevandDB engine;
    if (!engine.GameRootDirInit()) {
        std::printf("GameRootDirInit failed\n");
        return 1;
    }

    // Warm-up, and the folders the scan lists.
    std::vector<std::string> listedFolders;
    UnLoadPathMap linearResult;
    engine.LoadGamePathInit();
    engine.UnLoadGamePathInit();
    LinearScan(engine, linearResult, &listedFolders).Run();
    const size_t entries = ListOnly(listedFolders);

    std::vector<std::string> localPaths;
    {
        CSqliteConnect db;
        db.Open(engine.m_strDBPath, false);
        ForEachRow(db, "Select LocalPath  from   tbl_Package  where PkgVersion>0;", [&](CDBRecordSet& rs) {
            localPaths.push_back(TrimmedField(rs, "LocalPath"));
            return true;
        });
        db.Close();
    }
    std::vector<double> index, linear, floor, ansi, load, scan, rows, build, add, readThenAdd, readWhileAdding;
    for (int run = 0; run < kRuns; ++run) {
        readThenAdd.push_back(Milliseconds([&] {
            CMasterTrevandDB registry;
            registry.m_mapServerDisk = engine.m_mapServerDisk;
            CSqliteConnect db;
            db.Open(engine.m_strDBPath, false);
            ForEachNonEmptyValue(db, "Select LocalPath  from   tbl_Package  where PkgVersion>0;", "LocalPath",
                                 [&](std::string&& path) { registry.AddGamePath(std::move(path)); });
            db.Close();
        }));
        readWhileAdding.push_back(Milliseconds([&] {
            CMasterTrevandDB registry;
            registry.m_mapServerDisk = engine.m_mapServerDisk;
            ReadWhileRegistering(engine.m_strDBPath, registry);
        }));
        add.push_back(Milliseconds([&] {
            CMasterTrevandDB registry;
            registry.m_mapServerDisk = engine.m_mapServerDisk;
            for (const std::string& path : localPaths) {
                registry.AddGamePath(path);
            }
        }));
        build.push_back(Milliseconds([&] {
            CGamePathIndex probe;
            probe.Build(engine.m_mapGamePath);
        }));
        rows.push_back(Milliseconds([&] {
            CSqliteConnect db;
            db.Open(engine.m_strDBPath, false);
            size_t bytes = 0;
            ForEachRow(db, "Select LocalPath  from   tbl_Package  where PkgVersion>0;", [&](CDBRecordSet& rs) {
                bytes += TrimmedField(rs, "LocalPath").size();
                return true;
            });
            db.Close();
        }));
        load.push_back(Milliseconds([&] { engine.LoadGamePathInit(); }));
        scan.push_back(Milliseconds([&] { engine.UnLoadGamePathInit(); }));
        index.push_back(Milliseconds([&] {
            engine.LoadGamePathInit();
            engine.UnLoadGamePathInit();
        }));
        linear.push_back(Milliseconds([&] {
            engine.LoadGamePathInit();
            LinearScan(engine, linearResult, nullptr).Run();
        }));
        floor.push_back(Milliseconds([&] { ListOnly(listedFolders); }));
        ansi.push_back(Milliseconds([&] { ListAnsi(listedFolders); }));
    }
    const bool same = linearResult.size() == engine.m_mapUnLoadPath.size() &&
                      std::equal(linearResult.begin(), linearResult.end(), engine.m_mapUnLoadPath.begin(),
                                 [](const auto& a, const auto& b) { return a.first == b.first; });

    std::printf("folders listed: %zu, entries listed: %zu, registered keys: %zu, candidates: %zu (%s)\n",
                listedFolders.size(), entries, engine.m_mapGamePath.size(), engine.m_mapUnLoadPath.size(),
                same ? "index and linear pass agree" : "INDEX AND LINEAR PASS DIFFER");
    // The minimum is the least disturbed by other work on the machine; the
    // median is shown beside it. Ratios are to the floor's figure of each.
    Table table(kRuns);
    table.Row("floor  (listing only)", floor);
    table.Row("ansi   (the same listing, ANSI calls)", ansi);
    table.Row("index  (LoadGamePathInit + scan, index)", index);
    table.Row("linear (LoadGamePathInit + linear pass)", linear);
    table.Row("  LoadGamePathInit", load);
    table.Row("    reading the 20,000 package rows alone", rows);
    table.Row("    AddGamePath of the 20,000 paths alone", add);
    table.Row("    rows read, each registered at once", readThenAdd);
    table.Row("    rows read on a thread while registering", readWhileAdding);
    table.Row("  UnLoadGamePathInit (index)", scan);
    table.Row("    building the index alone", build);
    return same ? 0 : 1;
}

CafeDescription ThreeDiskCafe() {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}, {"{local}", "G", 1, 3}};
    const char letters[] = {'E', 'F', 'G'};
    const int perDisk = kPackagesOnDisk / 3;
    for (int i = 1; i <= kRegisteredPaths; ++i) {
        // Packages 1..1000 lie on E, 1001..2000 on F, 2001..3000 on G; the
        // others are registered on the three disks in turn.
        const std::string path = i <= kPackagesOnDisk
                                     ? std::string(1, letters[(i - 1) / perDisk]) + ":\\Games\\" + Numbered("Pkg", i)
                                     : std::string(1, letters[i % 3]) + ":\\NetGames\\" + Numbered("Gone", i);
        desc.packages.push_back({i, path, 1, "NetGames"});
    }
    desc.drives = {{'E', {}}, {'F', {}}, {'G', {}}};
    return desc;
}

// The three-disk café; 0 when listing side by side and one after the other agree.
int ThreeDisks() {
    const int perDisk = kPackagesOnDisk / 3;
    std::printf("\nthree game disks: building the cafe (%d registered paths, %d package folders of %d files and "
                "about %d orphans on each of E, F, G)...\n",
                kRegisteredPaths, perDisk, kFilesPerPackage, kOrphans / 3);
    Cafe cafe(ThreeDiskCafe());
    const char letters[] = {'E', 'F', 'G'};
    bool filled = cafe.Ready();
    for (int d = 0; d < 3 && filled; ++d) {
        const int orphans = kOrphans / 3 + (d < kOrphans % 3 ? 1 : 0);
        filled = FillDisk(cafe, letters[d], 1 + d * perDisk, perDisk, orphans);
    }
    if (!filled) {
        std::printf("cannot build the cafe: %s\n", cafe.Problem().c_str());
        return 1;
    }
    CMasterTrevandDB engine;
    if (!engine.GameRootDirInit()) {
        std::printf("GameRootDirInit failed\n");
        return 1;
    }
    // Warm-up, the folders the scan lists and the one-after-the-other result.
    engine.LoadGamePathInit();
    engine.SetScanThreads(1);
    engine.UnLoadGamePathInit();
    const UnLoadPathMap sequentialResult = engine.m_mapUnLoadPath;
    const ListedFolders listed(engine);
    const std::vector<std::string> allFolders = listed.All();
    const size_t entries = ListOnly(allFolders);

    std::vector<double> floor, floorSideBySide, loadSideBySide, loadOneByOne, scanSideBySide, scanOneByOne;
    bool same = true;
    for (int run = 0; run < kRuns; ++run) {
        floor.push_back(Milliseconds([&] { ListOnly(allFolders); }));
        floorSideBySide.push_back(Milliseconds([&] {
            platform::ParallelEach(listed.ByDisk().size(), CTrevandDB::kMaxScanThreads,
                                   [&](size_t disk) { ListOnly(listed.ByDisk()[disk]); });
        }));
        engine.SetScanThreads(CTrevandDB::kMaxScanThreads);
        loadSideBySide.push_back(Milliseconds([&] {
            engine.LoadGamePathInit();
            engine.UnLoadGamePathInit();
        }));
        scanSideBySide.push_back(Milliseconds([&] { engine.UnLoadGamePathInit(); }));
        same = same && SameCandidates(engine.m_mapUnLoadPath, sequentialResult);
        engine.SetScanThreads(1);
        loadOneByOne.push_back(Milliseconds([&] {
            engine.LoadGamePathInit();
            engine.UnLoadGamePathInit();
        }));
        scanOneByOne.push_back(Milliseconds([&] { engine.UnLoadGamePathInit(); }));
    }
    std::printf("folders listed: %zu, entries listed: %zu, registered keys: %zu, candidates: %zu (%s)\n",
                allFolders.size(), entries, engine.m_mapGamePath.size(), sequentialResult.size(),
                same ? "side by side and one after the other agree" : "SIDE BY SIDE AND ONE AFTER THE OTHER DIFFER");
    Table table(kRuns);
    table.Row("floor  (listing only, one disk after another)", floor);
    table.Row("  floor listing the disks side by side", floorSideBySide);
    table.Row("whole load, disks side by side", loadSideBySide);
    table.Row("whole load, one disk after the other", loadOneByOne);
    table.Row("  UnLoadGamePathInit, disks side by side", scanSideBySide);
    table.Row("  UnLoadGamePathInit, one after the other", scanOneByOne);
    return same ? 0 : 1;
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    const int oneDisk = OneDisk();
    const int threeDisks = ThreeDisks();
    return oneDisk != 0 || threeDisks != 0 ? 1 : 0;
}
