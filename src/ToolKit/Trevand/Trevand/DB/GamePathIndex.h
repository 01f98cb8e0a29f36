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

    // The texts a lookup folds into. Each thread that looks up at the same
    // time as another brings its own, so that a lookup allocates nothing once
    // they have grown and two lookups never share one.
    struct FoldBuffers {
        std::string path;  // the folded path asked for
        std::string key;   // the folded key it is checked against
    };

    // The first key of the indexed map, in key order, that equals `path` without
    // regard to case; the map's end when there is none. Any number of threads
    // may call it at once, each with its own `buffers`, while nobody builds.
    // REQUIRES: Build was called.
    GamePathMap::const_iterator Find(const std::string& path, FoldBuffers* buffers) const;
    // The same with the index's own buffers: one thread at a time.
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
    // of the empty slot where it belongs; *foldedKey is scratch space.
    size_t Probe(const std::string& folded, uint64_t hash, std::string* foldedKey) const;

    // Whether `key` folds to `folded`; *foldedKey is scratch space.
    static bool FoldsTo(const std::string& key, const std::string& folded, std::string* foldedKey);

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    GamePathMap::const_iterator m_end;
    // The buffers of Find without buffers of its own; they make that Find
    // unsafe to call from two threads at once.
    mutable FoldBuffers m_buffers;
};
