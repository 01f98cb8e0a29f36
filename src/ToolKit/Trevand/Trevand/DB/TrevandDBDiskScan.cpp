// The scan of every server disk: the registered paths are indexed once, then
// the disks are walked side by side and their results put together in disk
// order. Windows only: it lists the disks.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

#include <utility>
#include <vector>

#include "comm/platform/ParallelEach.h"

bool CTrevandDB::ScanEveryDisk() {
    m_mapUnLoadPath.clear();
    // Once per scan: every entry met is then looked up in constant time.
    m_indexGamePath.Build(m_mapGamePath);

    // The disks the role scans, in key order, each walk with a result of its own.
    std::vector<std::string> roots;
    std::vector<ScanWalk> walks;
    for (const auto& disk : m_mapServerDisk) {
        std::string root = disk.first.substr(0, 1) + ":";
        const IdcClassSet* pClassFilter = nullptr;
        if (PlanScan(root, &pClassFilter)) {
            roots.push_back(std::move(root));
            walks.emplace_back();
            walks.back().pClassFilter = pClassFilter;
        }
    }
    std::vector<UnLoadPathMap> results(walks.size());
    for (size_t i = 0; i < walks.size(); ++i) {
        walks[i].pCandidates = &results[i];
    }

    // Each walk reads only the paths, the index and the classes, none of which
    // changes until every walk has ended, and writes only its own result.
    platform::ParallelEach(walks.size(), m_nScanThreads,
                           [&](size_t i) { ScanFolder(walks[i], roots[i], kScanDepth); });

    // In key order, as one walk after the other would have left them: a disk
    // scanned twice (keys E and EF both name E: on the master) logs twice, and
    // its later walk's records stand.
    for (size_t i = 0; i < walks.size(); ++i) {
        LogWalk(walks[i]);
        MergeCandidates(results[i]);
    }
    return true;
}

void CTrevandDB::MergeCandidates(UnLoadPathMap& candidates) {
    if (m_mapUnLoadPath.empty()) {
        m_mapUnLoadPath.swap(candidates);
        return;
    }
    // Nodes are moved, not copied. Disks mostly come in the order of their
    // paths, so the end is the right place to insert and the hint saves a walk
    // down the tree.
    while (!candidates.empty()) {
        auto node = candidates.extract(candidates.begin());
        const auto placed = m_mapUnLoadPath.insert(m_mapUnLoadPath.end(), std::move(node));
        if (!node.empty()) {
            placed->second = std::move(node.mapped());  // the same path from an earlier walk
        }
    }
}
