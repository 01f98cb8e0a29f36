#include "support/Cafe.h"

#include <sqlite3.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "comm/platform/CodePage.h"
#include "comm/platform/FileName.h"
#include "comm/platform/NetworkAdapters.h"
#include "comm/platform/PathSeparator.h"
#include "comm/platform/VerbatimPath.h"
#include "support/InstalledService.h"
#include "support/WineHost.h"

namespace testsupport {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

// `path` (code page 936) in the "\\?\" form, for the wide calls: names
// ending in a dot or a space ("Game.", "Game ") are made as they are, never
// as the neighbour the usual form would trim them to, and paths too long for
// the ANSI calls are made too. The café's paths are absolute.
std::wstring Exact(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
    std::wstring verbatim;
    return platform::MakeVerbatimPath(wide, &verbatim) ? verbatim : wide;
}

// Creates `path` and every missing folder above it (Windows path, GBK).
// Split in UTF-16, where a separator is always one: in GBK the byte of "\" is
// also the trail byte of characters such as 誠.
bool MakeFolders(const std::string& path) {
    const std::wstring wide = Exact(path);
    const size_t drive = wide.find(L':');
    if (drive == std::wstring::npos) return false;
    for (size_t pos = wide.find(L'\\', wide.find(L'\\', drive) + 1);; pos = wide.find(L'\\', pos + 1)) {
        if (!CreateDirectoryW(wide.substr(0, pos).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        if (pos == std::wstring::npos) {
            return true;
        }
    }
}

// Makes the file `path` `length` bytes long: cut, or grown with a hole.
bool SetFileLength(const std::string& path, int64_t length) {
    HANDLE file =
        CreateFileW(Exact(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = length;
    const bool ok = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// Sets the last write time of the file or folder `path` (not through a link).
bool SetModifiedTime(const std::string& path, int64_t secondsSince1970) {
    HANDLE handle = CreateFileW(Exact(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const uint64_t ticks = static_cast<uint64_t>(secondsSince1970) * 10000000ULL + 116444736000000000ULL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    const bool ok = ::SetFileTime(handle, nullptr, nullptr, &time) != FALSE;
    CloseHandle(handle);
    return ok;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(Exact(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// A file of the four bytes "data", or `length` bytes long when that is not -1.
bool MakeFile(const std::string& path, int64_t length) {
    return WriteFile(path, "data") && (length < 0 || SetFileLength(path, length));
}

// Runs `command` with the Linux name of `path` (below the folder `parent`) as
// its last argument: for what Wine cannot make from the Windows side (symbolic
// links, paths too long for the ANSI calls).
bool MakeOnLinux(std::vector<std::string> command, const std::string& parent, const std::string& path) {
    std::string name;
    const std::string unixParent = UnixPathOf(parent);
    if (unixParent.empty() || !platform::CodePage936ToUtf8(path.substr(parent.size() + 1), &name)) {
        return false;
    }
    // Separators turn into slashes only once the name is UTF-8, where a 0x5C
    // byte is always a backslash (in GBK it may be a character's trail byte).
    std::replace(name.begin(), name.end(), '\\', '/');
    command.push_back(unixParent + "/" + name);
    return RunUnixCommand(command);
}

// The folder holding `path`, split at a character (a last byte 0x5C may be
// the trail byte of 誠).
std::string ParentOf(const std::string& path) { return platform::ParentFolder(path); }

// One database file written with SQLite's own API.
class Database {
public:
    // Rows for a table in `omit` are not written: the table is missing.
    Database(const std::string& path, const std::set<std::string>& omit) : m_omit(omit) {
        std::string utf8;
        if (!platform::ToUtf8FileName(path, &utf8) ||
            sqlite3_open_v2(utf8.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            m_ok = false;
        }
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool Ok() const { return m_ok; }

    void Exec(const std::string& sql) {
        if (m_ok && sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            m_ok = false;
        }
    }

    // Inserts one row; texts are bound as the bytes given, numbers as integers.
    struct Value {
        bool isText;
        std::string text;
        int number;
    };
    void Insert(const std::string& table, const std::vector<Value>& values) {
        if (!m_ok || m_omit.count(table) != 0) {
            return;
        }
        std::string sql = "insert into " + table + " values (";
        for (size_t i = 0; i < values.size(); ++i) {
            sql += i == 0 ? "?" : ",?";
        }
        sql += ")";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            m_ok = false;
            return;
        }
        for (size_t i = 0; i < values.size(); ++i) {
            const int index = static_cast<int>(i + 1);
            if (values[i].isText) {
                sqlite3_bind_text(statement, index, values[i].text.c_str(), static_cast<int>(values[i].text.size()),
                                  SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_int(statement, index, values[i].number);
            }
        }
        if (sqlite3_step(statement) != SQLITE_DONE) {
            m_ok = false;
        }
        sqlite3_finalize(statement);
    }

private:
    const std::set<std::string>& m_omit;
    sqlite3* m_db = nullptr;
    bool m_ok = true;
};

Database::Value Text(const std::string& text) { return {true, text, 0}; }
Database::Value Number(int number) { return {false, "", number}; }

// The management software declares its flags and ids INTEGER: an untyped column
// holding 1 would not match MainServer='1'.
struct TableSchema {
    const char* name;
    const char* columns;
};
const TableSchema kHalvorTables[] = {
    {"tbl_IcafeServerCfg", "Addr TEXT, MainServer INTEGER"},
    {"tbl_IcafeServerDiskCfg", "Addr TEXT, ServerSymbol TEXT, ServerSymbolPurpose INTEGER, DiskId INTEGER"},
    {"tbl_IcafeServerDownDiskCfg", "ServerSymbol TEXT"},
    {"tbl_Package", "Pkgid INTEGER, LocalPath TEXT, PkgVersion INTEGER, IdcClass TEXT"},
    {"tbl_IcafeServerDiskPkgCfg", "Pkgid INTEGER, DiskId INTEGER"},
};
const TableSchema kPkgDownTables[] = {{"tbl_pkgdownstat", "DownPath TEXT"}};
const TableSchema kPelloryTables[] = {{"tbl_VDiskCfg", "ServerDisk TEXT"}, {"tbl_VDiskPkgCfg", "PkgPath TEXT"}};

template <size_t N>
void CreateTables(Database& db, const TableSchema (&tables)[N], const std::set<std::string>& omit) {
    for (const TableSchema& table : tables) {
        if (omit.count(table.name) == 0) {
            db.Exec(std::string("create table ") + table.name + " (" + table.columns + ")");
        }
    }
}

}  // namespace

CafeDescription DisksOnly(std::vector<CafeDrive> drives) {
    CafeDescription desc;
    desc.services.clear();
    desc.iniText.clear();
    desc.halvorDb = desc.pkgdownDb = desc.pelloryDb = false;
    desc.drives = std::move(drives);
    return desc;
}

Cafe::Cafe(const CafeDescription& desc, const CafeSite& site)
    : m_dir(site.root.empty() ? new TempDir : new TempDir(site.root, site.keep)), m_keep(site.keep) {
    Build(desc);
}

Cafe::~Cafe() {
    if (m_keep) {
        for (const auto& service : m_installed) {
            service->Keep();
        }
        return;
    }
    for (const std::string& link : m_driveLinks) {
        RunUnixCommand({"rm", "-f", link});
    }
    m_installed.clear();
    // Read-only files and links inside are removed on the Linux side, where
    // neither stops rm and no link is followed.
    const std::string unixFolder = UnixPathOf(Folder());
    if (!unixFolder.empty()) {
        RunUnixCommand({"rm", "-rf", unixFolder});
    }
}

void Cafe::Build(const CafeDescription& desc) {
    if (DosDevicesFolder().empty()) {
        Fail("not running under Wine");
        return;
    }
    const std::string exe = ExePath();
    if (!MakeFolders(ParentOf(exe)) || !WriteFile(exe, "MZ")) {
        Fail("cannot write " + exe);
        return;
    }
    if (!desc.iniText.empty() && !WriteFile(IniPath(), Expand(desc.iniText))) {
        Fail("cannot write the ini file");
        return;
    }
    if (!InstallServices(desc) || !WriteDatabases(desc)) {
        return;
    }
    for (const CafeDrive& drive : desc.drives) {
        if (!MakeDrive(drive)) {
            return;
        }
    }
    for (const CafeBulkTree& tree : desc.bulkTrees) {
        if (!MakeBulkTree(tree)) {
            Fail("cannot make the tree " + tree.path);
            return;
        }
    }
    m_ready = true;
}

bool Cafe::Fail(const std::string& problem) {
    if (m_problem.empty()) {
        m_problem = problem;
    }
    return false;
}

bool Cafe::InstallServices(const CafeDescription& desc) {
    for (const std::string& name : desc.services) {
        ServiceDescription service{name, ReplaceAll(desc.commandLine, "{exe}", ExePath()), "", ""};
        m_installed.push_back(std::make_unique<InstalledService>(service));
        if (!m_installed.back()->Installed()) {
            return Fail("cannot install the service " + name);
        }
    }
    return true;
}

bool Cafe::WriteDatabases(const CafeDescription& desc) {
    if (!MakeFolders(HalvorFolder() + "\\data") || !MakeFolders(PelloryFolder() + "\\data")) {
        return Fail("cannot make the data folders");
    }
    if (desc.halvorDb) {
        Database db(HalvorDB(), desc.omitTables);
        CreateTables(db, kHalvorTables, desc.omitTables);
        db.Exec("begin");
        if (desc.thisMachineIsMain) {
            db.Insert("tbl_IcafeServerCfg", {Text(LocalAddress()), Number(1)});
        }
        for (const CafeServer& server : desc.servers) {
            db.Insert("tbl_IcafeServerCfg", {Text(Expand(server.addr)), Number(server.mainServer)});
        }
        for (const CafeServerDisk& disk : desc.serverDisks) {
            db.Insert("tbl_IcafeServerDiskCfg",
                      {Text(Expand(disk.addr)), Text(disk.symbol), Number(disk.purpose), Number(disk.diskId)});
        }
        for (const std::string& symbol : desc.downDisks) {
            db.Insert("tbl_IcafeServerDownDiskCfg", {Text(symbol)});
        }
        for (const CafePackage& package : desc.packages) {
            db.Insert("tbl_Package", {Number(package.pkgid), Text(package.localPath), Number(package.version),
                                      Text(package.idcClass)});
        }
        for (const CafePlacement& placement : desc.placements) {
            db.Insert("tbl_IcafeServerDiskPkgCfg", {Number(placement.pkgid), Number(placement.diskId)});
        }
        db.Exec("commit");
        if (!db.Ok()) {
            return Fail("cannot write halvor.db");
        }
    }
    if (desc.pkgdownDb) {
        Database db(PkgDownDB(), desc.omitTables);
        CreateTables(db, kPkgDownTables, desc.omitTables);
        for (const std::string& path : desc.downPaths) {
            db.Insert("tbl_pkgdownstat", {Text(path)});
        }
        if (!db.Ok()) {
            return Fail("cannot write pkgdown.db");
        }
    }
    if (desc.pelloryDb) {
        Database db(PelloryDB(), desc.omitTables);
        CreateTables(db, kPelloryTables, desc.omitTables);
        for (const std::string& disk : desc.vdisks) {
            db.Insert("tbl_VDiskCfg", {Text(disk)});
        }
        for (const std::string& path : desc.vdiskPackages) {
            db.Insert("tbl_VDiskPkgCfg", {Text(path)});
        }
        if (!db.Ok()) {
            return Fail("cannot write pellory.db");
        }
    }
    return true;
}

bool Cafe::MakeDrive(const CafeDrive& drive) {
    const std::string root = DriveFolder(drive.letter);
    if (!MakeFolders(root)) {
        return Fail("cannot make the drive folder " + root);
    }
    const std::string link =
        DosDevicesFolder() + "/" + static_cast<char>(std::tolower(static_cast<unsigned char>(drive.letter))) + ":";
    if (!RunUnixCommand({"ln", "-sfn", UnixPathOf(root), link})) {
        return Fail("cannot map the drive letter " + std::string(1, drive.letter));
    }
    m_driveLinks.push_back(link);
    m_letters.push_back(drive.letter);
    for (const CafeEntry& entry : drive.entries) {
        if (!MakeEntry(root, entry)) {
            return Fail("cannot make the entry " + entry.path);
        }
    }
    for (const CafeEntry& entry : drive.entries) {
        if (entry.modified != 0 && entry.kind != CafeEntry::kLink &&
            !SetModifiedTime(root + "\\" + entry.path, entry.modified)) {
            return Fail("cannot set the time of " + entry.path);
        }
    }
    return true;
}

bool Cafe::MakeBulkTree(const CafeBulkTree& tree) {
    const std::string path = DriveFolder(tree.letter) + "\\" + tree.path;
    if (!MakeFolders(path)) {
        return false;
    }
    const std::string base = UnixPathOf(path);
    const std::string make = tree.fileSize > 0 ? "truncate -s " + std::to_string(tree.fileSize) : std::string("touch");
    const std::string script = "base=$1; i=1; while [ $i -le " + std::to_string(tree.folders) +
                               " ]; do d=\"$base/Data$i\"; " + "mkdir -p \"$d\" && seq -f \"$d/patch%03g.dat\" 1 " +
                               std::to_string(tree.filesPerFolder) + " | xargs " + make +
                               " || exit 1; i=$((i+1)); done";
    return !base.empty() && RunUnixCommand({"sh", "-c", script, "sh", base});
}

bool Cafe::MakeEntry(const std::string& root, const CafeEntry& entry) {
    const std::string path = root + "\\" + entry.path;
    const std::string parent = ParentOf(path);
    // What the wide calls cannot make is made on the Linux side, named from
    // the drive folder (whose own path is short).
    if (parent != root && !MakeFolders(parent) && !MakeOnLinux({"mkdir", "-p"}, root, parent)) {
        return false;
    }
    switch (entry.kind) {
    case CafeEntry::kFolder: return MakeFolders(path) || MakeOnLinux({"mkdir", "-p"}, root, path);
    case CafeEntry::kFile: {
        if (MakeFile(path, entry.size)) return true;
        // Made on the Linux side: empty, or of the length asked for.
        std::vector<std::string> make = {"touch"};
        if (entry.size >= 0) make = {"truncate", "-s", std::to_string(entry.size)};
        return MakeOnLinux(make, root, path);
    }
    case CafeEntry::kHiddenFolder:
        return MakeFolders(path) && SetFileAttributesW(Exact(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    case CafeEntry::kHiddenFile:
        return MakeFile(path, entry.size) && SetFileAttributesW(Exact(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    case CafeEntry::kReadOnlyFile:
        return MakeFile(path, entry.size) && SetFileAttributesW(Exact(path).c_str(), FILE_ATTRIBUTE_READONLY);
    case CafeEntry::kLink: {
        const std::string target = ExactUnixPathOf(entry.target);
        // Named from the drive folder: the Linux name of a folder such as
        // "Game." would be that of "Game", which the usual form reaches.
        return !target.empty() && MakeOnLinux({"ln", "-s", target}, root, path);
    }
    }
    return false;
}

std::string Cafe::ExePath() const { return m_dir->Path() + "\\Program Files\\Quarnel\\Quarnel.exe"; }
std::string Cafe::IniPath() const { return m_dir->Path() + "\\Program Files\\Quarnel\\Quarnel.ini"; }
std::string Cafe::HalvorFolder() const { return m_dir->Path() + "\\Halvor"; }
std::string Cafe::PelloryFolder() const { return m_dir->Path() + "\\Pellory"; }
std::string Cafe::HalvorDB() const { return HalvorFolder() + "\\data\\halvor.db"; }
std::string Cafe::PkgDownDB() const { return HalvorFolder() + "\\data\\pkgdown.db"; }
std::string Cafe::PelloryDB() const { return PelloryFolder() + "\\data\\pellory.db"; }
std::string Cafe::DriveFolder(char letter) const { return m_dir->Path() + "\\drive_" + std::string(1, letter); }

bool Cafe::WaitForDriveNames(int timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        bool resolved = true;
        for (char letter : m_letters) {
            const std::string root = std::string(1, letter) + ":\\";
            HANDLE handle = CreateFileA(root.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            char name[MAX_PATH] = "";
            DWORD length = 0;
            if (handle != INVALID_HANDLE_VALUE) {
                length = GetFinalPathNameByHandleA(handle, name, sizeof(name), 0);
                CloseHandle(handle);
            }
            // "\\?\E:\"
            resolved = resolved && length < sizeof(name) && std::string(name, length) == "\\\\?\\" + root;
        }
        if (resolved) {
            return true;
        }
        if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) {
            return false;
        }
        Sleep(50);
    }
}

std::string Cafe::LocalAddress() {
    for (const platform::NetworkAdapter& adapter : platform::ListNetworkAdapters()) {
        if (adapter.type != platform::kAdapterTypeEthernet && adapter.type != platform::kAdapterTypeWireless) {
            continue;
        }
        for (const std::string& address : adapter.addresses) {
            if (address != "0.0.0.0" && address != "127.0.0.1") {
                return address;
            }
        }
    }
    return "";
}

std::string Cafe::Expand(const std::string& text) const {
    std::string expanded = ReplaceAll(text, "{Halvor}", HalvorFolder());
    expanded = ReplaceAll(expanded, "{Pellory}", PelloryFolder());
    return ReplaceAll(expanded, "{local}", LocalAddress());
}

}  // namespace testsupport
