// The engine's pure part: registering package paths and handing out the scan's
// result. Builds on every platform.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

#include "comm/platform/CaseFold936.h"
#include "comm/platform/MbcsCompare.h"

namespace {

const char kFolderValue[] = "TRUE";    // an ancestor of a registered path: entered by the scan
const char kPackageValue[] = "FALSE";  // a registered path: left whole

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The position of the last backslash of `path` that separates folders, or npos.
// The second byte of a double-byte character may be 0x5C too (誠 is D5 5C);
// taking it for a separator would register E:\Games\<D5> instead of E:\Games\誠
// and leave the real package folder unregistered, and so offered for deletion.
size_t LastSeparator(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (platform::IsLeadByte936(path[i]) && i + 1 < path.size()) {
            ++i;  // skip the second byte
        } else if (path[i] == '\\') {
            last = i;
        }
    }
    return last;
}

// Cuts `path` before its last separator. False (path unchanged) when it has none.
bool CutLastComponent(std::string& path) {
    const size_t last = LastSeparator(path);
    if (last == std::string::npos) {
        return false;
    }
    path.erase(last);
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
    // The path is taken as ending in a separator, and the first disk it is
    // registered on cuts that separator off again. Instead of appending one only
    // to cut it (a reallocation per path), the separator stays implied until that
    // first cut; a path implied to end in "\" never equals a root such as "E:".
    bool separatorImplied = true;
    const bool endsInSeparator = LastSeparator(strPath) == strPath.size() - 1;
    for (const auto& disk : m_mapServerDisk) {
        const std::string& symbol = disk.first;
        // Empty symbols never reach the map; the guard keeps symbol[0] valid.
        if (symbol.empty() || strPath.empty() || UpperAscii(strPath[0]) != UpperAscii(symbol[0])) {
            continue;
        }
        const std::string root = std::string(1, symbol[0]) + ":";
        if (separatorImplied) {
            if (endsInSeparator) {
                strPath.pop_back();
            }
            separatorImplied = false;
        } else {
            // The walk below always ends at the root, so a later symbol with the
            // same letter finds the path equal to it and registers nothing twice.
            if (platform::EqualIgnoringCase936(strPath, root)) {
                continue;
            }
            CutLastComponent(strPath);
        }
        m_mapGamePath[strPath] = kPackageValue;
        // Walk up to the root. A path that never reaches it (E:Games\X has no
        // backslash left at E:Games) ends where no backslash is left.
        while (CutLastComponent(strPath) && !strPath.empty() && !platform::EqualIgnoringCase936(strPath, root)) {
            // An existing key keeps its value: a registered folder that is also
            // an ancestor of another stays "FALSE".
            m_mapGamePath.try_emplace(strPath, kFolderValue);
        }
    }
}
