// The scan of every server disk: the registered paths are indexed once, then
// each disk is walked by the role's FindDir. Window- and platform-free, so it
// lives with the engine's core.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

bool CTrevandDB::UnLoadGamePathInit() {
    BeginScan();
    for (const auto& disk : m_mapServerDisk) {
        FindDir(disk.first.substr(0, 1) + ":", kScanDepth);
    }
    EndScan();
    return true;
}

void CTrevandDB::BeginScan() {
    m_mapUnLoadPath.clear();
    // Once per scan: every entry met is then looked up in constant time.
    m_indexGamePath.Build(m_mapGamePath);
    m_bInWholeScan = true;
}

void CTrevandDB::EndScan() { m_bInWholeScan = false; }
