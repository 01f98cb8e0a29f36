// Benchmark of the orphan scan (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/scan/scanbench.exe
//
// A café whose game disk E holds 3,000 registered package folders of 20 files
// each and 500 orphan folders, with 20,000 registered paths in tbl_Package.
// In one run it times, each several times (median reported):
// - index:  LoadGamePathInit + UnLoadGamePathInit of the engine, which builds
//           the case-folded lookup index once per scan;
// - linear: the same load, then the same walk looking each entry up with a pass
//           through the registered paths and _mbsicmp (the baseline, kept here);
// - floor:  listing exactly the folders the scan lists, with the same listing
//           calls, and nothing else;
// - ansi:   listing the same folders with FindFirstFileA/FindNextFileA, the
//           calls any program would make (the platform's listing goes through
//           the wide calls, which also reach paths the ANSI ones cannot).
// and prints each as a ratio to the floor.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../BenchLog.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/DBRows.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/platform/Folder.h"
#include "comm/platform/MbcsCompare.h"
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

// Fills drive E on the Linux side: much faster than 63,000 Windows calls.
bool FillDisk(const Cafe& cafe) {
    const std::string root = testsupport::UnixPathOf(cafe.DriveFolder('E'));
    char script[1024];
    std::snprintf(
        script, sizeof(script),
        "cd '%s' && mkdir -p Games && cd Games && "
        "for i in $(seq -f %%05g 1 %d); do mkdir Pkg$i && (cd Pkg$i && touch $(seq -f f%%02g.dat 1 %d)); done && "
        "for i in $(seq -f %%05g 1 %d); do mkdir Orphan$i && touch Orphan$i/left.dat; done",
        root.c_str(), kPackagesOnDisk, kFilesPerPackage, kOrphans);
    return !root.empty() && testsupport::RunUnixCommand({"sh", "-c", script});
}

}  // namespace

int main() {
    bench::BenchLog benchLog;

    std::printf("building the cafe (%d registered paths, %d package folders of %d files, %d orphans)...\n",
                kRegisteredPaths, kPackagesOnDisk, kFilesPerPackage, kOrphans);
    Cafe cafe(BenchCafe());
    if (!cafe.Ready() || !FillDisk(cafe)) {
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
    std::vector<double> index, linear, floor, ansi, load, scan, rows, build, add;
    for (int run = 0; run < kRuns; ++run) {
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
    const double floorMin = Min(floor);
    const double floorMedian = Median(floor);
    std::printf("%d runs                                         min ms   ratio   median ms   ratio\n", kRuns);
    const auto report = [&](const char* what, const std::vector<double>& times) {
        std::printf("  %-44s %8.2f  %5.2fx  %10.2f  %5.2fx\n", what, Min(times), Min(times) / floorMin, Median(times),
                    Median(times) / floorMedian);
    };
    report("floor  (listing only)", floor);
    report("ansi   (the same listing, ANSI calls)", ansi);
    report("index  (LoadGamePathInit + scan, index)", index);
    report("linear (LoadGamePathInit + linear pass)", linear);
    report("  LoadGamePathInit", load);
    report("    reading the 20,000 package rows alone", rows);
    report("    AddGamePath of the 20,000 paths alone", add);
    report("  UnLoadGamePathInit (index)", scan);
    report("    building the index alone", build);
    return same ? 0 : 1;
}
