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
    // Scans every disk of the Pellory database (ScanEveryDisk).
    bool UnLoadGamePathInit() override;

protected:
    // Scans every folder asked for, with no disk lookup and no class filter.
    bool PlanScan(const std::string& dir, const IdcClassSet** ppClassFilter) override;
};
