// Windows only, under Wine: a whole management installation of an internet
// café built from a short description, and removed again by the destructor.
//
// What it makes, all below one folder (a temporary one unless the caller
// chooses it):
// - the management service(s), installed with CreateServiceA, whose command line
//   names "<café>\Program Files\Quarnel\Quarnel.exe" (quoted, with arguments,
//   by default);
// - the ini file beside that executable, Quarnel.ini, with [Halvor] and
//   [Pellory_0] Path pointing at "<café>\Halvor" and "<café>\Pellory";
// - <Halvor>\data\halvor.db, <Halvor>\data\pkgdown.db and
//   <Pellory>\data\pellory.db with the management software's tables, written
//   with SQLite's own C API; texts are stored as the bytes given (GBK);
// - disks: drive letters mapped to folders of the café, holding folders, files,
//   hidden and read-only entries and symbolic links.
//
// In texts of the description, "{local}" stands for this machine's own Ethernet
// address, "{Halvor}" and "{Pellory}" for the two data folders' parents, and
// "{exe}" (in the command line) for the executable's path.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/InstalledService.h"
#include "support/TempDir.h"

namespace testsupport {

struct CafeServer {  // tbl_IcafeServerCfg
    std::string addr;
    int mainServer = 0;
};
struct CafeServerDisk {  // tbl_IcafeServerDiskCfg
    std::string addr;
    std::string symbol;
    int purpose = 1;  // 1: game disk
    int diskId = 0;
};
struct CafePackage {  // tbl_Package
    int pkgid = 0;
    std::string localPath;
    int version = 1;
    std::string idcClass;
};
struct CafePlacement {  // tbl_IcafeServerDiskPkgCfg
    int pkgid = 0;
    int diskId = 0;
};

// One entry on a disk; `path` is relative to the drive root ("Games\WoW").
// Missing parent folders are created as plain folders.
struct CafeEntry {
    enum Kind { kFolder, kFile, kHiddenFolder, kHiddenFile, kReadOnlyFile, kLink };
    CafeEntry(Kind kind, std::string path, std::string target = std::string())
        : kind(kind), path(std::move(path)), target(std::move(target)) {}

    // A file's length: -1 gives the four bytes "data"; any other value makes
    // the file that long, holes past its first bytes (a sparse file on Linux,
    // so a file over 4 GiB costs no disk space).
    CafeEntry& Size(int64_t bytes) {
        size = bytes;
        return *this;
    }
    // The last write time, seconds since 1970 UTC, set once every entry of the
    // drive exists (a new entry inside a folder changes the folder's time).
    // Bulk trees are made afterwards and may change a folder's time again.
    CafeEntry& Modified(int64_t seconds) {
        modified = seconds;
        return *this;
    }

    Kind kind;
    std::string path;    // any length; names ending in a dot or a space ("Game.") are made as they are
    std::string target;  // kLink: the Windows path the link points to
    int64_t size = -1;
    int64_t modified = 0;  // 0: left as made
};

struct CafeDrive {
    char letter = 'E';
    std::vector<CafeEntry> entries;
};

// A large tree made on the Linux side in one command (through Wine, tens of
// thousands of files would take minutes): folders "Data1".."Data<folders>"
// below `path` (relative to the root of drive `letter`, one of the drives
// described), each holding `filesPerFolder` files "patch001.dat" and on, of
// `fileSize` bytes each (sparse: holes only).
struct CafeBulkTree {
    char letter = 'E';
    std::string path;
    int folders = 0;
    int filesPerFolder = 0;
    int64_t fileSize = 0;
};

struct CafeDescription {
    // Services installed, each with the same command line; none when empty.
    std::vector<std::string> services = {"Zervan服务"};
    std::string commandLine = "\"{exe}\" -k run";
    // The ini file; "" writes none at all.
    std::string iniText = "[Halvor]\r\nPath={Halvor}\r\n[Pellory_0]\r\nPath={Pellory}\r\n";

    // Which database files exist, and tables to leave out of them.
    bool halvorDb = true;
    bool pkgdownDb = true;
    bool pelloryDb = true;
    std::set<std::string> omitTables;

    // halvor.db. With `thisMachineIsMain` a server row ({local}, 1) comes first.
    bool thisMachineIsMain = true;
    std::vector<CafeServer> servers;
    std::vector<CafeServerDisk> serverDisks;
    std::vector<std::string> downDisks;  // tbl_IcafeServerDownDiskCfg.ServerSymbol
    std::vector<CafePackage> packages;
    std::vector<CafePlacement> placements;
    // pkgdown.db
    std::vector<std::string> downPaths;  // tbl_pkgdownstat.DownPath
    // pellory.db
    std::vector<std::string> vdisks;         // tbl_VDiskCfg.ServerDisk
    std::vector<std::string> vdiskPackages;  // tbl_VDiskPkgCfg.PkgPath

    std::vector<CafeDrive> drives;
    std::vector<CafeBulkTree> bulkTrees;
};

// A description of `drives` alone, with no service, ini file or database:
// for tests of what works on disks only.
CafeDescription DisksOnly(std::vector<CafeDrive> drives);

// Where a café is built, and whether it outlives its object.
struct CafeSite {
    // Windows path (ASCII) of the folder to build in; "" for a fresh
    // temporary folder. REQUIRES: the folder does not exist or is empty.
    std::string root;
    // Leave everything in place afterwards — services, drive letters, files —
    // for a program started after this one has ended.
    bool keep = false;
};

class Cafe {
public:
    explicit Cafe(const CafeDescription& desc, const CafeSite& site = CafeSite());
    ~Cafe();
    Cafe(const Cafe&) = delete;
    Cafe& operator=(const Cafe&) = delete;

    // True when everything described was made; tests ASSERT on it.
    bool Ready() const { return m_ready; }
    // What went wrong while building, for the assertion message.
    const std::string& Problem() const { return m_problem; }

    std::string Folder() const { return m_dir->Path(); }
    std::string ExePath() const;
    std::string IniPath() const;
    std::string HalvorFolder() const;
    std::string PelloryFolder() const;
    std::string HalvorDB() const;
    std::string PkgDownDB() const;
    std::string PelloryDB() const;
    // The folder mapped as drive `letter`.
    std::string DriveFolder(char letter) const;

    // Wine keeps its table of drive letters for about a second: until it is
    // read again, the final path name of an entry on a letter just mapped
    // (GetFinalPathNameByHandleA) names the old target or the link itself.
    // Waits until each drive's root resolves to its own letter; true when it
    // did within `timeoutMs`. Paths opened by name work at once without it.
    bool WaitForDriveNames(int timeoutMs) const;

    // This machine's first Ethernet or wireless IPv4 address from the adapter
    // list (the adapters the engine accepts for the main server); "" when it
    // has none.
    static std::string LocalAddress();

    // Replaces every placeholder ({local}, {Halvor}, {Pellory}) in `text`.
    std::string Expand(const std::string& text) const;

private:
    void Build(const CafeDescription& desc);
    bool Fail(const std::string& problem);
    bool InstallServices(const CafeDescription& desc);
    bool WriteDatabases(const CafeDescription& desc);
    bool MakeDrive(const CafeDrive& drive);
    bool MakeEntry(const std::string& root, const CafeEntry& entry);
    bool MakeBulkTree(const CafeBulkTree& tree);

    std::unique_ptr<TempDir> m_dir;
    bool m_keep = false;
    std::vector<std::unique_ptr<InstalledService>> m_installed;
    std::vector<std::string> m_driveLinks;  // Linux paths of the drive letter links made
    std::vector<char> m_letters;            // the drive letters mapped
    bool m_ready = false;
    std::string m_problem;
};

}  // namespace testsupport
