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
    bool UnLoadGamePathInit() override;

    // Scans `dir` (a drive root such as "E:" or a folder below it). Needs only
    // the disk and path loads before it.
    bool FindDir(const std::string& dir, int nDepth);
};
