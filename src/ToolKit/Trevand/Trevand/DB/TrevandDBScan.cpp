// The orphan scan shared by both roles: what is offered for deletion is decided
// here. Windows only: it lists the disks.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

#include "ToolKit/Trevand/Trevand/DB/QuarantineFolderName.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/ReparseTag.h"

namespace {

// Room kept in the entry path buffer for a name, so most folders need no
// second allocation (paths have no length limit: the platform hands long ones
// to the system in the form that lifts it).
const size_t kNameRoom = 260;

// Entries the scan never offers and never enters: hidden ones (the recycle bin,
// the system volume folder), those whose attributes could not be read, those
// whose name the system code page cannot hold (no path the program forms
// reaches them, so they could not be examined or deleted again), links —
// entering a junction would offer another disk's entries, registered packages
// included, for deletion — and entries a service beyond this machine keeps (a
// cloud drive's placeholders, ReparseTag.h), which the deletion would refuse
// at every try: offering them would only bring back, at every start, a row
// that can never go. A reparse point that holds the entry's own data
// (deduplicated, compressed) is offered and entered like any other entry.
bool IsUntouchable(const platform::FolderEntry& entry) {
    if (entry.dwAttributes == platform::kAttributesInvalid || entry.bNameLost) {
        return true;
    }
    if ((entry.dwAttributes & platform::kAttributeHidden) != 0) {
        return true;
    }
    return platform::ClassifyEntry(entry.dwAttributes, entry.dwReparseTag) != platform::ReparseClass::kEntry;
}

// The quarantine folder at a disk's root ("E:\TrevandQuarantine"), whatever
// its attributes: an operator may have made it visible to look inside.
bool IsQuarantineFolder(const std::string& path, const platform::FolderEntry& entry) {
    return path.size() == 3 + entry.strName.size() && quarantine::IsQuarantineFolderName(entry.strName);
}

// On a download-only disk only entries whose path continues, right after the
// drive root, with a package class are examined: the first occurrence of the
// class text must start at byte 3 (after "D:\").
bool PassesClassFilter(const std::string& path, const IdcClassSet& classes) {
    for (const std::string& idcClass : classes) {
        if (path.find(idcClass) == 3) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CTrevandDB::FindDir(const std::string& dir, int nDepth) {
    ScanWalk walk;
    if (!PlanScan(dir, &walk.pClassFilter)) {
        return true;
    }
    // FindDir is public and may be called on its own — before any scan, or
    // after the paths were loaded again, when the index would be missing or
    // point into the nodes of a map cleared since: index the paths now.
    m_indexGamePath.Build(m_mapGamePath);
    walk.pCandidates = &m_mapUnLoadPath;
    const bool scanned = ScanFolder(walk, dir, nDepth);
    LogWalk(walk);
    return scanned;
}

bool CTrevandDB::ScanFolder(ScanWalk& walk, const std::string& dir, int nDepth) const {
    if (nDepth < 1) {
        return true;
    }
    if (!platform::IsExistingFolder(dir)) {
        return false;
    }
    // One buffer holds the path of every entry of this folder in turn: the
    // folder's path and a backslash, then the entry's name. It starts as the
    // listing pattern and is allocated once per folder, not once per entry.
    std::string path = dir + "\\*.*";
    const size_t nameStart = dir.size() + 1;
    path.reserve(nameStart + kNameRoom);
    platform::FolderListing listing;
    platform::FolderEntry entry;
    if (!listing.Start(path, &entry)) {
        walk.errorLines.push_back("FindDir FindFil Error");
        return true;
    }
    do {
        path.replace(nameStart, std::string::npos, entry.strName);
        ScanEntry(walk, path, entry, nDepth);
    } while (listing.Next(&entry));
    return true;
}

void CTrevandDB::ScanEntry(ScanWalk& walk, const std::string& path, const platform::FolderEntry& entry,
                           int nDepth) const {
    if (IsUntouchable(entry) || platform::IsDotEntry(entry.strName) || IsQuarantineFolder(path, entry)) {
        return;
    }
    if (walk.pClassFilter != nullptr && !PassesClassFilter(path, *walk.pClassFilter)) {
        return;
    }
    const auto key = m_indexGamePath.Find(path, &walk.lookup);
    const bool registered = key != m_mapGamePath.end();
    const bool isDir = (entry.dwAttributes & platform::kAttributeDirectory) != 0;
    if (isDir && registered) {
        // "TRUE": an ancestor of a package, examined inside; anything else is a
        // package folder, left whole.
        if (key->second == "TRUE") {
            ScanFolder(walk, path, nDepth - 1);
        }
        return;
    }
    if (registered) {
        return;  // a file that is itself a registered path
    }
    UnLoadPathInfo& candidate = (*walk.pCandidates)[path];
    candidate.bDir = isDir;
    candidate.strName = entry.strName;
    candidate.strPath = path;
    candidate.nSize = entry.nSize;
    candidate.nModified = entry.nModified;
}

void CTrevandDB::LogWalk(const ScanWalk& walk) {
    for (const std::string& line : walk.errorLines) {
        LOG_WRITE(LOG_ERROR, "%s", line.c_str());
    }
}
