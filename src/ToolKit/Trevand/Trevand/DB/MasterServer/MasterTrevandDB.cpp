#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"

#include <utility>

#include "ToolKit/Trevand/Trevand/DB/DBRows.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/AsciiCase.h"

namespace {

const int32_t kGameDisk = 1;
const int32_t kDownloadDisk = 2;

const char kGameDiskSQL[] =
    "select b.ServerSymbol from     tbl_icafeservercfg a  ,tbl_icafeserverdiskcfg b where   a.MainServer=1 and "
    "b.Addr=a.Addr   and b.ServerSymbolPurpose=1;";
const char kDownloadDiskSQL[] = "select *  from   tbl_IcafeServerDownDiskCfg;";
const char kClassSQL[] = "Select IdcClass  from   tbl_Package";
const char kPackageSQL[] = "Select LocalPath  from   tbl_Package  where PkgVersion>0;";
const char kPlacedPackageSQL[] =
    "select B.[LocalPath], C.[ServerSymbol] from tbl_IcafeServerDiskPkgCfg A, tbl_Package B, tbl_IcafeServerDiskCfg "
    "C where A.[Pkgid] = B.[Pkgid] and C.[Diskid] = A.[Diskid] and A.[DiskId] in (select D.[DiskId] from "
    "tbl_IcafeServerCfg C, tbl_IcafeServerDiskCfg D where C.[MainServer] = 1 and D.[Addr] = C.[Addr]);";
const char kDownPathSQL[] = "select DownPath from tbl_pkgdownstat;";

}  // namespace

CMasterTrevandDB::~CMasterTrevandDB() = default;

bool CMasterTrevandDB::GetServerDBPath() {
    const DBPathSource halvor = {"Halvor", "\\data\\halvor.db",
                                 "Quarnel.ini 读取失败,没有配置文件或[Halvor]:Path不存在!"};
    return FormDBPath(halvor, m_strDBPath);
}

bool CMasterTrevandDB::GameRootDirInit() {
    if (!IsMainServer()) {
        LOG_WRITE(LOG_ERROR, "主GameRootDirInit IsMainServer fail");
        return false;
    }
    CSqliteConnect db;
    if (!OpenServerDB(db)) return false;
    const CCloseOnExit closeDb(db);
    // Empty symbols are skipped: every key must give the scan a drive letter.
    const bool gameDisks = ForEachRow(db, kGameDiskSQL, [this](CDBRecordSet& rs) {
        const std::string symbol = TrimmedField(rs, "ServerSymbol");
        if (!symbol.empty()) {
            m_mapServerDisk[symbol] |= kGameDisk;
        }
        return true;
    });
    if (!gameDisks) {
        LOG_WRITE(LOG_ERROR, "GameRootDirInit ExecSQL Error");
        return false;
    }
    const bool downloadDisks = ForEachRow(db, kDownloadDiskSQL, [this](CDBRecordSet& rs) {
        const std::string symbol = TrimmedField(rs, "ServerSymbol");
        if (!symbol.empty()) {
            m_mapServerDisk[symbol] |= kDownloadDisk;
        }
        return true;
    });
    if (!downloadDisks) {
        // The game disks are enough to go on with; the classes stay as they were.
        LOG_WRITE(LOG_ERROR, "GameRootDirInit ExecSQL Error");
        return true;
    }
    const bool classes = ForEachRow(db, kClassSQL, [this](CDBRecordSet& rs) {
        const std::string idcClass = TrimmedField(rs, "IdcClass");
        if (!idcClass.empty()) {
            m_setIdcClass.insert(idcClass);
        }
        return true;
    });
    if (!classes) {
        LOG_WRITE(LOG_ERROR, "Select IdcClass  ExecSQL Error");
        return false;
    }
    return true;
}

bool CMasterTrevandDB::LoadGamePathInit() {
    m_mapGamePath.clear();
    // The pre-download folder of every disk belongs to the management software,
    // whether or not anything lies there.
    for (const auto& disk : m_mapServerDisk) {
        m_mapGamePath[disk.first + ":\\PreDown"] = "FALSE";
    }
    // From here on only the registrations change the map.
    const PathBatch batch(*this);
    CSqliteConnect db;
    if (!db.Open(m_strDBPath, false)) {
        LOG_WRITE(LOG_ERROR, "LoadGamePathInit Open Error");
        return false;
    }
    const CCloseOnExit closeDb(db);
    const bool packages = ForEachNonEmptyValue(db, kPackageSQL, "LocalPath",
                                               [this](std::string&& localPath) { AddGamePath(std::move(localPath)); });
    if (!packages) {
        LOG_WRITE(LOG_ERROR, "LoadGamePathInit ExecSQL Error");
        return false;
    }
    // A package placed on a main-server disk lies there under the same path
    // with that disk's letter: E:\Games\X placed on F is F:\Games\X.
    const bool placed = ForEachRow(db, kPlacedPackageSQL, [this](CDBRecordSet& rs) {
        const std::string localPath = TrimmedField(rs, "LocalPath");
        const std::string symbol = TrimmedField(rs, "ServerSymbol");
        if (symbol.size() == 1 && !localPath.empty()) {
            AddGamePath(symbol + localPath.substr(1));
        }
        return true;
    });
    if (!placed) {
        LOG_WRITE(LOG_ERROR, "LoadGamePathInit ExecSQL tbl_IcafeServerDiskPkgCfg Error");
        return false;
    }
    return LoadPkgDownPath();
}

bool CMasterTrevandDB::LoadPkgDownPath() {
    // pkgdown.db lies beside halvor.db.
    std::string path = m_strDBPath;
    const size_t halvor = path.rfind("halvor.db");
    if (halvor != std::string::npos) {
        path.erase(halvor);
    }
    path += "pkgdown.db";
    return AddGamePathsFromDB(path, kDownPathSQL, "DownPath", "LoadPkgDownPath Open Error",
                              "LoadPkgDownPath ExecSQL Error");
}

bool CMasterTrevandDB::UnLoadGamePathInit() { return ScanEveryDisk(); }

bool CMasterTrevandDB::PlanScan(const std::string& dir, const IdcClassSet** ppClassFilter) {
    if (dir.empty()) {
        return false;
    }
    // Only the disks of the server are scanned, and a disk key longer than one
    // letter (EF) does not make E a disk.
    const auto disk = m_mapServerDisk.find(dir.substr(0, 1));
    if (disk == m_mapServerDisk.end()) {
        return false;
    }
    const bool downloadOnly = (disk->second & kGameDisk) == 0;
    *ppClassFilter = downloadOnly ? &m_setIdcClass : nullptr;
    return true;
}

bool CMasterTrevandDB::IsDownDisk(char letter) {
    const char upper = platform::ToUpperAscii(letter);
    for (const auto& disk : m_mapServerDisk) {
        if (!disk.first.empty() && disk.first[0] == upper) {
            return (disk.second & kGameDisk) == 0;
        }
    }
    return false;
}
