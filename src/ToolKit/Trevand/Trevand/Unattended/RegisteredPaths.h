// The registrations read again right before a quarantine run moves anything:
// sizing every folder candidate can take long, and a package the management
// software registers meanwhile is no orphan any more — moving it, or the
// folder that now holds it, would take a game away from the café's machines.
#pragma once

#include <string>

#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

class CRegisteredPaths {
public:
    // `paths` as a load step leaves them in the engine's m_mapGamePath
    // ("FALSE" a package, "TRUE" a folder holding one); it must outlive this
    // object and stay unchanged.
    explicit CRegisteredPaths(const GamePathMap& paths);
    CRegisteredPaths(const CRegisteredPaths&) = delete;
    CRegisteredPaths& operator=(const CRegisteredPaths&) = delete;

    // Whether the entry `path` ("E:\Games\Old", a candidate's full path) is
    // registered now: a key itself (a package, or a folder holding one), or
    // below a package. Paths match without regard to case, as the scan
    // matches them; folders are split at whole characters (the trail byte
    // 0x5C of 誠 splits nothing). One thread at a time.
    bool Covers(const std::string& path) const;

private:
    const GamePathMap& m_paths;
    CGamePathIndex m_index;
};
