// A lookup of registered paths without regard to case, in constant time on
// average.
//
// The scan asks, for every entry it meets, which key of the path map equals the
// entry's path the way _mbsicmp on code page 936 compares them, taking the first
// such key in key order. Going through the keys for each entry costs a pass over
// the whole map; this index answers the same from a hash of the folded key
// (CaseFold936.h: two texts are equal for _mbsicmp exactly when their folded
// forms are).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

class CGamePathIndex {
public:
    // Indexes every key of `paths`. `paths` must stay alive and unchanged while
    // the index is used; Build again after changing it.
    void Build(const GamePathMap& paths);

    // The first key of the indexed map, in key order, that equals `path` without
    // regard to case; the map's end when there is none.
    // REQUIRES: Build was called.
    GamePathMap::const_iterator Find(const std::string& path) const;

private:
    // One slot of an open-addressing table: the hash of a folded key and the
    // first key in order with that folded form. No allocation per key.
    struct Slot {
        uint64_t hash = 0;
        GamePathMap::const_iterator key;
        bool used = false;
    };

    // The position of the slot holding a key whose folded form is `folded`, or
    // of the empty slot where it belongs.
    size_t Probe(const std::string& folded, uint64_t hash) const;

    // Whether `key` folds to `folded`.
    bool FoldsTo(const std::string& key, const std::string& folded) const;

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    GamePathMap::const_iterator m_end;
    // Folding buffers reused by every lookup, so that a lookup allocates
    // nothing: the folded path asked for and the folded key it is checked
    // against. They make Find unsafe to call from two threads at once.
    mutable std::string m_foldedPath;
    mutable std::string m_foldedKey;
};
