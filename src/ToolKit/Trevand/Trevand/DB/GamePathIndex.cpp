#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"

#include "comm/platform/CaseFold936.h"

void CGamePathIndex::Build(const GamePathMap& paths) {
    m_mapFirstKey.clear();
    m_mapFirstKey.reserve(paths.size());
    // Keys come in key order, and emplace keeps the first entry of each folded
    // form: that is the key a pass through the map would meet first.
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        m_mapFirstKey.emplace(platform::FoldCase936(it->first), it);
    }
    m_end = paths.end();
}

GamePathMap::const_iterator CGamePathIndex::Find(const std::string& path) const {
    auto found = m_mapFirstKey.find(platform::FoldCase936(path));
    return found != m_mapFirstKey.end() ? found->second : m_end;
}

void CGamePathIndex::Clear() {
    m_mapFirstKey.clear();
    m_end = GamePathMap::const_iterator();
}
