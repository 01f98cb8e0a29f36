// The engine's pure part: registering package paths and handing out the scan's
// result. Builds on every platform.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

#include <utility>
#include <vector>

#include "comm/platform/AsciiCase.h"
#include "comm/platform/CharNext936.h"
#include "comm/platform/MbcsCompare.h"

namespace {

const char kFolderValue[] = "TRUE";    // an ancestor of a registered path: entered by the scan
const char kPackageValue[] = "FALSE";  // a registered path: left whole

// The positions of the backslashes of `path` that separate folders, in order,
// into *separators (replaced). The second byte of a double-byte character may be
// 0x5C too (誠 is D5 5C); taking it for a separator would register E:\Games\<D5>
// instead of E:\Games\誠 and leave the real package folder unregistered, and so
// offered for deletion.
//
// Windows takes "/" for a separator as well, and the management software may
// write a package as E:/Games/WoW: each "/" becomes a backslash here, in the
// same pass. Kept as "/", the path would register no ancestor the scan, which
// names entries with backslashes, recognises, and the package would be offered
// through its parent folder. ("/" is never the second byte of a character.)
//
// Cutting a path before one of them leaves a text whose separators are exactly
// the ones before the cut (the cut falls between two characters), so this one
// pass serves the whole walk up to the root.
void FindSeparators(std::string& path, std::vector<size_t>* separators) {
    separators->clear();
    const char* const begin = path.c_str();
    const char* const end = begin + path.size();
    // A NUL inside the text (a database value may hold one) is a byte of its
    // own: CharNext936 would stop there, and the separators after it count.
    for (const char* p = begin; p < end; p = *p == '\0' ? p + 1 : platform::CharNext936(p)) {
        if (*p == '\\' || *p == '/') {
            const size_t i = static_cast<size_t>(p - begin);
            path[i] = '\\';
            separators->push_back(i);
        }
    }
}

// Cuts `path` before its last separator, which `separators` (found by
// FindSeparators) then no longer lists. False (nothing changed) when it has none.
bool CutLastComponent(std::string& path, std::vector<size_t>& separators) {
    if (separators.empty()) {
        return false;
    }
    path.erase(separators.back());
    separators.pop_back();
    return true;
}

}  // namespace

CTrevandDB::~CTrevandDB() = default;

bool CTrevandDB::IsDownDisk(char /*letter*/) { return false; }

bool CTrevandDB::GetUnLoadGamePath(UnLoadPathMap& mapUnLoadPath) {
    mapUnLoadPath.clear();
    for (const auto& candidate : m_mapUnLoadPath) {
        mapUnLoadPath[candidate.second.strPath] = candidate.second;
    }
    return true;
}

void CTrevandDB::AddGamePath(std::string strPath) {
    if (strPath.empty()) {
        return;
    }
    FindSeparators(strPath, &m_walkSeparators);
    // The text the disks below are matched against: the path itself until it is
    // registered on a first disk, then the walk buffer, which the walk up to
    // that disk's root leaves where it stopped.
    const std::string* current = &strPath;
    for (const auto& disk : m_mapServerDisk) {
        const std::string& symbol = disk.first;
        // Empty symbols never reach the map; the guard keeps symbol[0] valid.
        if (symbol.empty() || current->empty() ||
            platform::ToUpperAscii((*current)[0]) != platform::ToUpperAscii(symbol[0])) {
            continue;
        }
        const std::string root = std::string(1, symbol[0]) + ":";
        if (current == &strPath) {
            RegisterPackagePath(std::move(strPath));
            current = &m_strWalk;
        } else {
            // The walk below always ends at the root, so a later symbol with the
            // same letter finds the path equal to it and registers nothing twice.
            if (platform::EqualIgnoringCase936(m_strWalk, root)) {
                continue;
            }
            CutLastComponent(m_strWalk, m_walkSeparators);
            m_mapGamePath[m_strWalk] = kPackageValue;
        }
        // Walk up to the root. A path that never reaches it (E:Games\X has no
        // backslash left at E:Games) ends where no backslash is left.
        while (CutLastComponent(m_strWalk, m_walkSeparators) && !m_strWalk.empty() &&
               !platform::EqualIgnoringCase936(m_strWalk, root)) {
            AddFolderKey();
        }
    }
}

void CTrevandDB::RegisterPackagePath(std::string strPath) {
    // A trailing separator is dropped: E:\Games\WoW\ is the folder E:\Games\WoW.
    if (!m_walkSeparators.empty() && m_walkSeparators.back() == strPath.size() - 1) {
        strPath.pop_back();
        m_walkSeparators.pop_back();
    }
    // The path's own text becomes the key (no copy: one allocation less per
    // package under a slow heap); the walk goes on in a buffer that keeps its
    // storage from one path to the next. Package lists often come in path
    // order: the hint then places each new key after the last one without a
    // walk down the tree, and costs one comparison when it does not fit.
    const auto key = m_mapGamePath.insert_or_assign(m_mapGamePath.end(), std::move(strPath), kPackageValue);
    m_strWalk = key->first;
    if (m_bPathBatch) {
        m_knownAncestors.StartPath(m_strWalk);
    }
}

void CTrevandDB::AddFolderKey() {
    // An existing key keeps its value: a registered folder that is also an
    // ancestor of another stays "FALSE". Only a new key copies the text.
    if (!m_knownAncestors.IsKnown(m_strWalk)) {
        m_mapGamePath.try_emplace(m_strWalk, kFolderValue);
    }
    if (m_bPathBatch) {
        m_knownAncestors.Ensured(m_strWalk);
    }
}

CTrevandDB::PathBatch::PathBatch(CTrevandDB& db) : m_db(db) {
    m_db.m_knownAncestors.Clear();
    m_db.m_bPathBatch = true;
}

CTrevandDB::PathBatch::~PathBatch() {
    // Outside a batch the map may change between two registrations: nothing
    // stays known, so AddGamePath on its own looks every ancestor up.
    m_db.m_bPathBatch = false;
    m_db.m_knownAncestors.Clear();
}
