#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"

#include "comm/platform/CaseFold936.h"

namespace {

// FNV-1a, 64 bits: quick on short texts and good enough for paths.
uint64_t Hash(const std::string& text) {
    uint64_t hash = 14695981039346656037ULL;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

void CGamePathIndex::Build(const GamePathMap& paths) {
    // At most half full, so probes stay short.
    size_t capacity = 16;
    while (capacity < paths.size() * 2) {
        capacity *= 2;
    }
    m_slots.assign(capacity, Slot());
    m_mask = capacity - 1;
    m_end = paths.end();
    std::string folded;
    // Keys come in key order and a slot keeps the first key of its folded form:
    // that is the key a pass through the map would meet first.
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        platform::FoldCase936(it->first, &folded);
        const uint64_t hash = Hash(folded);
        Slot& slot = m_slots[Probe(folded, hash, &m_buffers.key)];
        if (!slot.used) {
            slot.used = true;
            slot.hash = hash;
            slot.key = it;
        }
    }
}

GamePathMap::const_iterator CGamePathIndex::Find(const std::string& path) const { return Find(path, &m_buffers); }

GamePathMap::const_iterator CGamePathIndex::Find(const std::string& path, FoldBuffers* buffers) const {
    if (m_slots.empty()) {
        return m_end;
    }
    platform::FoldCase936(path, &buffers->path);
    const Slot& slot = m_slots[Probe(buffers->path, Hash(buffers->path), &buffers->key)];
    return slot.used ? slot.key : m_end;
}

size_t CGamePathIndex::Probe(const std::string& folded, uint64_t hash, std::string* foldedKey) const {
    // The table is never full, so an empty slot ends every probe.
    for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
        const Slot& slot = m_slots[i];
        if (!slot.used || (slot.hash == hash && FoldsTo(slot.key->first, folded, foldedKey))) {
            return i;
        }
    }
}

bool CGamePathIndex::FoldsTo(const std::string& key, const std::string& folded, std::string* foldedKey) {
    // Only asked when the hashes agree. Folding keeps the length.
    if (key.size() != folded.size()) {
        return false;
    }
    platform::FoldCase936(key, foldedKey);
    return *foldedKey == folded;
}
