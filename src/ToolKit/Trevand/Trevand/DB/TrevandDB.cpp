// Where the management software's configuration is found, the main-server test
// and the load sequence. Windows only: service, ini file and adapters.
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"

#include <set>
#include <utility>

#include "ToolKit/Trevand/Trevand/DB/DBRows.h"
#include "ToolKit/Trevand/Trevand/Service.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/IniFile.h"
#include "comm/platform/NetworkAdapters.h"

namespace {

// The management service goes by one of two names.
const char kServiceName[] = "Zervan服务";
const char kOtherServiceName[] = "Quarnel";

// The ini value is read into, and the database path formed in, a buffer of this
// many characters, terminator included.
const size_t kPathBufferChars = 200;
const char kMissingValue[] = "Default";

// The executable of a configured service command line: a quoted path ("C:\Program
// Files\Quarnel\Quarnel.exe" -k, the usual form when the path holds blanks)
// without its quotes and what follows them; an unquoted one as it is.
std::string ExecutableOf(const std::string& commandLine) {
    if (commandLine.empty() || commandLine[0] != '"') {
        return commandLine;
    }
    const size_t closing = commandLine.find('"', 1);
    return commandLine.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
}

// The machine's Ethernet and wireless IPv4 addresses, without the two that
// name no machine in particular.
std::set<std::string> LocalAddresses() {
    std::set<std::string> addresses;
    for (const platform::NetworkAdapter& adapter : platform::ListNetworkAdapters()) {
        if (adapter.type == platform::kAdapterTypeEthernet || adapter.type == platform::kAdapterTypeWireless) {
            addresses.insert(adapter.addresses.begin(), adapter.addresses.end());
        }
    }
    addresses.erase("0.0.0.0");
    addresses.erase("127.0.0.1");
    return addresses;
}

}  // namespace

bool CTrevandDB::LoadDB() {
    // Order matters: paths are registered only on the disks just loaded, and
    // the scan walks those disks against those paths.
    if (!GameRootDirInit()) {
        LOG_WRITE(LOG_ERROR, " GameRootDirInit Error");
        return false;
    }
    if (!LoadGamePathInit()) {
        LOG_WRITE(LOG_ERROR, "LoadGamePathInit Error");
        return false;
    }
    if (!UnLoadGamePathInit()) {
        LOG_WRITE(LOG_ERROR, "UnLoadGamePathInit Error");
        return false;
    }
    return true;
}

bool CTrevandDB::GetServicePath(std::string& strPath) {
    ServiceInfo info;
    if (!CService::ServiceInformation(kServiceName, info) && !CService::ServiceInformation(kOtherServiceName, info)) {
        LOG_WRITE(LOG_ERROR, "获取Zervan服务信息失败");
        return false;
    }
    strPath = info.strBinaryPathName;
    LOG_WRITE(LOG_INFO, "Open Service Success!");
    return true;
}

bool CTrevandDB::OpenServerDB(CSqliteConnect& db) {
    m_mapServerDisk.clear();
    if (!GetServerDBPath()) {
        LOG_WRITE(LOG_ERROR, "GameRootDirInit GetServerDBPath fail");
        return false;
    }
    if (!db.Open(m_strDBPath, false)) {
        LOG_WRITE(LOG_ERROR, "GameRootDirInit Open Error");
        return false;
    }
    return true;
}

bool CTrevandDB::FormDBPath(const DBPathSource& source, std::string& strPath) {
    std::string servicePath;
    if (!GetServicePath(servicePath)) {
        return false;
    }
    // The ini file sits beside the executable: its name with "ini" for the last
    // three characters (Quarnel.exe gives Quarnel.ini).
    const std::string executable = ExecutableOf(servicePath);
    if (executable.size() < 3) {
        LOG_WRITE(LOG_ERROR, "Service path [%s] too short to name its ini file", servicePath.c_str());
        return false;
    }
    const std::string iniPath = executable.substr(0, executable.size() - 3) + "ini";
    const std::string value =
        platform::ReadIniString(iniPath, source.szSection, "Path", kMissingValue, kPathBufferChars);
    if (value == kMissingValue) {
        if (source.szMissingMessage != nullptr) {
            LOG_WRITE(LOG_ERROR, "%s", source.szMissingMessage);
        }
        return false;
    }
    // The value is used as it is: no separator is added or removed.
    std::string dbPath = value + source.szSuffix;
    if (dbPath.size() >= kPathBufferChars) {
        LOG_WRITE(LOG_ERROR, "[%s]:Path too long for the database path: %s", source.szSection, dbPath.c_str());
        return false;
    }
    strPath = dbPath;
    return true;
}

bool CTrevandDB::GetHalvorDBPath(std::string& strPath) {
    const DBPathSource halvor = {"Halvor", "\\data\\halvor.db", nullptr};
    return FormDBPath(halvor, strPath);
}

bool CTrevandDB::IsMainServer() {
    std::string path;
    if (!GetHalvorDBPath(path)) {
        return false;
    }
    CSqliteConnect db;
    if (!db.Open(path, false)) {
        LOG_WRITE(LOG_ERROR, "IsMainServer Open Error: %s", path.c_str());
        return false;
    }
    const CCloseOnExit closeDb(db);
    const std::set<std::string> local = LocalAddresses();
    bool found = false;
    const bool queried =
        ForEachRow(db, "Select Addr  from   tbl_icafeservercfg where MainServer='1';", [&](CDBRecordSet& rs) {
            const std::string addr = TrimmedField(rs, "Addr");
            found = !addr.empty() && local.count(addr) != 0;
            return !found;
        });
    if (!queried) {
        LOG_WRITE(LOG_ERROR, "IsMainServer ExecSQL Error");
    }
    return queried && found;
}

bool CTrevandDB::AddGamePathsFromDB(const std::string& strDBPath, const char* szSQL, const char* szColumn,
                                    const char* szOpenError, const char* szExecError) {
    CSqliteConnect db;
    if (!db.Open(strDBPath, false)) {
        LOG_WRITE(LOG_ERROR, "%s", szOpenError);
        return false;
    }
    const CCloseOnExit closeDb(db);
    const bool read =
        ForEachNonEmptyValue(db, szSQL, szColumn, [this](std::string&& path) { AddGamePath(std::move(path)); });
    if (!read) {
        LOG_WRITE(LOG_ERROR, "%s", szExecError);
        return false;
    }
    return true;
}
