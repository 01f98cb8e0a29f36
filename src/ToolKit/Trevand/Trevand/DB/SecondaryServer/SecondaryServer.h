// The engine on a secondary server: its disks and package paths from the
// Pellory (agent) database. Every disk counts as a game disk.
#pragma once

#include <string>

#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

class CSecondaryTrevandDB : public CTrevandDB {
public:
    CSecondaryTrevandDB() = default;
    ~CSecondaryTrevandDB() override;

    // "<[Pellory_0] Path>\data\pellory.db".
    bool GetServerDBPath() override;
    // Refuses (false, nothing cleared) on the main server: that machine must not
    // be cleaned as a secondary. Each disk's value is the position of the row
    // that last named it.
    bool GameRootDirInit() override;
    // Every package path of tbl_VDiskPkgCfg.
    bool LoadGamePathInit() override;
    // Scans `dir` with no disk lookup and no class filter.
    bool FindDir(const std::string& dir, int nDepth) override;
};
