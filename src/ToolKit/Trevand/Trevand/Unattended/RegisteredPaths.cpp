#include "ToolKit/Trevand/Trevand/Unattended/RegisteredPaths.h"

#include "comm/platform/CharNext936.h"

namespace {

// The scan's word for a folder it enters: anything else is a package.
const char kEnteredFolder[] = "TRUE";

}  // namespace

CRegisteredPaths::CRegisteredPaths(const GamePathMap& paths) : m_paths(paths) { m_index.Build(m_paths); }

bool CRegisteredPaths::Covers(const std::string& path) const {
    if (m_index.Find(path) != m_paths.end()) return true;
    // Each folder above it, from the drive down: a package among them holds it.
    const char* const begin = path.c_str();
    const char* const end = begin + path.size();
    for (const char* p = begin; p < end; p = *p == '\0' ? p + 1 : platform::CharNext936(p)) {
        if (*p != '\\' && *p != '/') continue;
        const auto key = m_index.Find(path.substr(0, static_cast<size_t>(p - begin)));
        if (key != m_paths.end() && key->second != kEnteredFolder) return true;
    }
    return false;
}
