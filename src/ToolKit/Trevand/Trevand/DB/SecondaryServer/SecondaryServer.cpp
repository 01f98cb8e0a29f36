#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"

#include <utility>

#include "ToolKit/Trevand/Trevand/DB/DBRows.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"

namespace {

const char kDiskSQL[] = "select  ServerDisk from   tbl_VDiskCfg;";
const char kPackageSQL[] = "Select PkgPath  from   tbl_VDiskPkgCfg  ;";

}  // namespace

CSecondaryTrevandDB::~CSecondaryTrevandDB() = default;

bool CSecondaryTrevandDB::GetServerDBPath() {
    const DBPathSource pellory = {"Pellory_0", "\\data\\pellory.db",
                                  "Quarnel.ini 读取失败,没有配置文件或[Pellory_0]:Path不存在!"};
    return FormDBPath(pellory, m_strDBPath);
}

bool CSecondaryTrevandDB::GameRootDirInit() {
    // Any failure of the test (no Halvor database here, say) lets the load go on.
    if (IsMainServer()) {
        LOG_WRITE(LOG_ERROR, "副GameRootDirInit IsMainServer fail");
        return false;
    }
    CSqliteConnect db;
    if (!OpenServerDB(db)) return false;
    const CCloseOnExit closeDb(db);
    // An empty symbol is skipped but still counts as a row: rows E, "", F give F
    // the value 2.
    int32_t row = 0;
    const bool disks = ForEachRow(db, kDiskSQL, [this, &row](CDBRecordSet& rs) {
        const std::string symbol = TrimmedField(rs, "ServerDisk");
        if (!symbol.empty()) {
            m_mapServerDisk[symbol] = row;
        }
        ++row;
        return true;
    });
    if (!disks) {
        LOG_WRITE(LOG_ERROR, "GameRootDirInit ExecSQL Error");
        return false;
    }
    return true;
}

bool CSecondaryTrevandDB::LoadGamePathInit() {
    m_mapGamePath.clear();
    // From here on only the registrations change the map.
    const PathBatch batch(*this);
    return AddGamePathsFromDB(m_strDBPath, kPackageSQL, "PkgPath", "LoadGamePathInit Open Error",
                              "LoadGamePathInit ExecSQL Error");
}

bool CSecondaryTrevandDB::UnLoadGamePathInit() { return ScanEveryDisk(); }

bool CSecondaryTrevandDB::PlanScan(const std::string& /*dir*/, const IdcClassSet** ppClassFilter) {
    // Every disk is a game disk here: no disk lookup, no class filter.
    *ppClassFilter = nullptr;
    return true;
}
