// The engine on the master (main) server: its game disks and download disks
// from the Halvor database, registered paths from the packages, their placement
// on the main server's disks, the pre-download folders and the downloads of
// pkgdown.db.
#pragma once

#include <string>

#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

class CMasterTrevandDB : public CTrevandDB {
public:
    CMasterTrevandDB() = default;
    ~CMasterTrevandDB() override;

    // "<[Halvor] Path>\data\halvor.db".
    bool GetServerDBPath() override;
    // Refuses (false, nothing cleared) unless this machine is the main server.
    // Game disks get bit 0 and download disks bit 1 in m_mapServerDisk; the
    // package classes are added to m_setIdcClass. A failed download-disk query
    // is logged and the game disks alone are kept (true).
    bool GameRootDirInit() override;
    // X:\PreDown of every disk, then every installed package, every package
    // placed on a main-server disk (moved to that disk's letter), and every
    // download folder of pkgdown.db.
    bool LoadGamePathInit() override;
    // True when the first disk whose symbol starts with the upper-cased letter
    // is a download disk only (bit 0 clear).
    bool IsDownDisk(char letter) override;

    // Registers every DownPath of pkgdown.db, the file beside the Halvor database.
    bool LoadPkgDownPath();
    // Scans every disk of the server (ScanEveryDisk).
    bool UnLoadGamePathInit() override;

    // Package classes seen by any load; never cleared.
    IdcClassSet m_setIdcClass;

protected:
    // Scans `dir` only if its first letter is a server disk, with the class
    // filter on a download-only disk.
    bool PlanScan(const std::string& dir, const IdcClassSet** ppClassFilter) override;
};
