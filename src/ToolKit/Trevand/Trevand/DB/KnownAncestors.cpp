#include "ToolKit/Trevand/Trevand/DB/KnownAncestors.h"

#include <algorithm>

void CKnownAncestors::Clear() {
    m_previous.path.clear();
    m_previous.keyLengths.clear();
    m_current.path.clear();
    m_current.keyLengths.clear();
}

void CKnownAncestors::StartPath(const std::string& registered) {
    // Swapped, not copied: both buffers keep their storage from path to path.
    std::swap(m_previous, m_current);
    m_current.path.assign(registered);
    m_current.keyLengths.clear();
}

bool CKnownAncestors::IsKnown(const std::string& ancestor) const {
    const std::vector<size_t>& lengths = m_previous.keyLengths;
    return std::find(lengths.begin(), lengths.end(), ancestor.size()) != lengths.end() &&
           m_previous.path.compare(0, ancestor.size(), ancestor) == 0;
}

void CKnownAncestors::Ensured(const std::string& ancestor) { m_current.keyLengths.push_back(ancestor.size()); }
