// A lookup of registered paths without regard to case, in constant time on
// average.
//
// The scan asks, for every entry it meets, which key of the path map equals the
// entry's path the way _mbsicmp on code page 936 compares them, taking the first
// such key in key order. Going through the keys for each entry costs a pass over
// the whole map; this index answers the same from a hash of the folded key.
#pragma once

#include <string>
#include <unordered_map>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

class CGamePathIndex {
public:
    // Indexes every key of `paths`. `paths` must stay alive and unchanged while
    // the index is used; Build again after changing it.
    void Build(const GamePathMap& paths);

    // The first key of the indexed map, in key order, that equals `path` without
    // regard to case (CaseFold936.h); the map's end when there is none.
    GamePathMap::const_iterator Find(const std::string& path) const;

    void Clear();

private:
    // Folded key to the first key in order with that folded form.
    std::unordered_map<std::string, GamePathMap::const_iterator> m_mapFirstKey;
    GamePathMap::const_iterator m_end;
};
