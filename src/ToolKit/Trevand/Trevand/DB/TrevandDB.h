// The cleanup engine for one server role: where the café's management software
// keeps its configuration, which disks of this machine hold games, which paths
// on them belong to registered packages, and which entries on those disks
// belong to none (the candidates offered for deletion). It reads; it never
// writes a database or deletes a file.
//
// One object exists at a time, made for the role the operator chose
// (CMasterTrevandDB or CSecondaryTrevandDB). LoadDB (re)loads everything; the
// main window then reads m_mapServerDisk and GetUnLoadGamePath. Every failure is
// a false result plus a LOG_ERROR line; when a load stops early, the collections
// of the steps that did not run keep what the previous load left in them.
//
// Thread safety: none of its own; used on the UI thread only. The scan lists
// several disks at once on threads of its own, which end before it returns.
#pragma once

#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"
#include "ToolKit/Trevand/Trevand/DB/KnownAncestors.h"
#include "comm/platform/Folder.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

class CSqliteConnect;

class CTrevandDB {
public:
    // How many folder levels below a drive root the scan looks at.
    static const int kScanDepth = 10;

    CTrevandDB() = default;
    virtual ~CTrevandDB();
    CTrevandDB(const CTrevandDB&) = delete;
    CTrevandDB& operator=(const CTrevandDB&) = delete;

    // Sets m_strDBPath to the role's database file. False (logged) when the
    // service, the ini file or its "Path" value cannot give one; m_strDBPath then
    // keeps its previous value.
    virtual bool GetServerDBPath() = 0;
    // Loads m_mapServerDisk (and, on the master, the class set).
    virtual bool GameRootDirInit() = 0;
    // Loads m_mapGamePath from the registered packages of the disks loaded.
    virtual bool LoadGamePathInit() = 0;
    // Scans every disk of m_mapServerDisk, kScanDepth levels deep, into
    // m_mapUnLoadPath the role's way (ScanEveryDisk); always true.
    virtual bool UnLoadGamePathInit() = 0;
    // Whether the disk with drive letter `letter` only receives downloads.
    virtual bool IsDownDisk(char letter);

    // Scans `dir` (a drive root such as "E:" or a folder below it) the role's
    // way (PlanScan) into m_mapUnLoadPath, on the calling thread. Needs only the
    // disk and path loads before it. False when the role scans `dir` but it is
    // not a folder.
    bool FindDir(const std::string& dir, int nDepth);

    // The most disks the scan lists at the same time, one thread each (the
    // calling thread among them): a café server's disks are separate devices,
    // so their waits overlap. Bounded so that a server with many disks does
    // not start a thread for each. (Under Wine every drive is a folder of one
    // file system, and listing them side by side measures no faster there.)
    static constexpr unsigned kMaxScanThreads = 8;
    // Sets how many disks the scan may list at the same time; 1 lists them one
    // after the other on the calling thread. The candidates and the log lines
    // are the same for every value.
    void SetScanThreads(unsigned nThreads) { m_nScanThreads = nThreads; }

    // GameRootDirInit, LoadGamePathInit, UnLoadGamePathInit in this order; stops
    // at the first that fails, logging which one.
    bool LoadDB();

    // The executable path of the management service "Zervan服务", else of
    // "Quarnel", exactly as configured (quotes and arguments kept). False when
    // neither can be queried; `strPath` is then unchanged.
    static bool GetServicePath(std::string& strPath);
    // The Halvor database path ("<[Halvor] Path>\data\halvor.db") into `strPath`.
    // False when it cannot be formed; a missing value logs nothing.
    static bool GetHalvorDBPath(std::string& strPath);
    // Whether one of this machine's Ethernet or wireless IPv4 addresses is the
    // Addr of a server marked MainServer=1 in the Halvor database. Every failure
    // answers false. Keeps no state: everything is asked again on each call.
    static bool IsMainServer();

    // Replaces `mapUnLoadPath` with a copy of the last scan's candidates.
    bool GetUnLoadGamePath(UnLoadPathMap& mapUnLoadPath);

    // Registers `strPath` as a package path ("FALSE") and its ancestor folders up
    // to the drive root as folders to enter ("TRUE"), on the disk of
    // m_mapServerDisk whose first letter it starts with (without regard to
    // case). A path on no server disk registers nothing. An ancestor that is
    // already a key keeps its value. "/" is a separator like "\" and is
    // registered as one. REQUIRES: m_mapServerDisk is loaded.
    void AddGamePath(std::string strPath);

    // The main window reads the disks directly; the rest is public so the
    // callers and tests can see exactly what each load step left.
    ServerDiskMap m_mapServerDisk;
    std::string m_strDBPath;
    UnLoadPathMap m_mapUnLoadPath;
    GamePathMap m_mapGamePath;

protected:
    // Which ini section, database file and failure line a role uses.
    struct DBPathSource {
        const char* szSection;         // "Halvor" or "Pellory_0"
        const char* szSuffix;          // appended to the section's "Path" value
        const char* szMissingMessage;  // logged when the value is missing; null: log nothing
    };
    // The database path of `source` into `strPath`; see GetServerDBPath.
    static bool FormDBPath(const DBPathSource& source, std::string& strPath);
    // GameRootDirInit's first steps for either role: clears the disk map and
    // opens the role's database (GetServerDBPath) into `db`. False, logged,
    // when the path cannot be formed or the file not opened; the caller
    // closes `db` on every path after a success.
    bool OpenServerDB(CSqliteConnect& db);

    // How the role scans the folder `dir` ("E:" for a disk): false when it
    // does not scan it at all; otherwise *ppClassFilter is the class filter to
    // apply, or null for none. Answers from the loaded disks and classes only,
    // so it may be asked before any scan starts.
    virtual bool PlanScan(const std::string& dir, const IdcClassSet** ppClassFilter) = 0;

    // UnLoadGamePathInit of both roles: clears the candidates, then walks each
    // disk PlanScan accepts, several disks at a time (SetScanThreads), and
    // keeps the candidates and the log lines as walking the disks one after
    // the other in key order gives them. Always true.
    bool ScanEveryDisk();

    // One walk of the scan (a disk from its root, or the folder FindDir is
    // given) and what it needs of its own, so that walks on several threads
    // share nothing they write.
    struct ScanWalk {
        const IdcClassSet* pClassFilter = nullptr;  // null: no class filter
        UnLoadPathMap* pCandidates = nullptr;       // where the candidates go
        // The LOG_ERROR lines of the walk, in order. Kept, not written, so that
        // walks on several threads are logged in disk order, never interleaved.
        std::vector<std::string> errorLines;
        CGamePathIndex::FoldBuffers lookup;
    };

    // The scan of one folder, shared by both roles: every entry of `dir` that
    // is not hidden, not a link nor kept beyond this machine (ReparseTag.h),
    // can be examined at all (attributes read, path short enough for the
    // ANSI calls), passes the walk's class filter and matches no key of
    // m_mapGamePath becomes a candidate of the walk; folders
    // whose key says "TRUE" are entered with one level less. Nothing is scanned
    // when `nDepth` is below 1. False when `dir` is not a folder. Reads only
    // the paths, their index and the classes: walks on several threads may
    // run at once. REQUIRES: m_indexGamePath was built from m_mapGamePath.
    bool ScanFolder(ScanWalk& walk, const std::string& dir, int nDepth) const;

    // Opens the database file `strDBPath` and registers (AddGamePath) every
    // non-empty value of column `szColumn` that `szSQL` yields. False, with
    // `szOpenError` or `szExecError` logged, when the file does not open or the
    // query fails; the paths registered before a failure stay registered.
    bool AddGamePathsFromDB(const std::string& strDBPath, const char* szSQL, const char* szColumn,
                            const char* szOpenError, const char* szExecError);

    // The registrations of one load step: while it lives only AddGamePath
    // changes m_mapGamePath, so AddGamePath may skip looking up an ancestor it
    // has just made a key for the previous path (KnownAncestors.h). The result
    // is the same as without it.
    class PathBatch {
    public:
        explicit PathBatch(CTrevandDB& db);
        ~PathBatch();
        PathBatch(const PathBatch&) = delete;
        PathBatch& operator=(const PathBatch&) = delete;

    private:
        CTrevandDB& m_db;
    };

private:
    // One entry of a listing; `path` is its full path.
    void ScanEntry(ScanWalk& walk, const std::string& path, const platform::FolderEntry& entry, int nDepth) const;
    // Writes the walk's kept log lines, in order.
    static void LogWalk(const ScanWalk& walk);
    // Moves `candidates`, the result of the walk after the walks already merged,
    // into m_mapUnLoadPath; a path met again replaces the earlier record.
    void MergeCandidates(UnLoadPathMap& candidates);

    // Makes the walk's current ancestor a "TRUE" key unless it is a key already.
    void AddFolderKey();
    // AddGamePath's first registration of a path: drops a trailing separator,
    // makes the path a "FALSE" key and starts the walk buffer at it.
    // REQUIRES: m_walkSeparators holds the separators of `strPath`.
    void RegisterPackagePath(std::string strPath);

    CGamePathIndex m_indexGamePath;
    unsigned m_nScanThreads = kMaxScanThreads;
    // AddGamePath's walk from a path up to its root: the path as cut so far and
    // the positions of its remaining separators. Members only so their storage
    // is reused from one path to the next instead of allocated for each.
    std::string m_strWalk;
    std::vector<size_t> m_walkSeparators;
    // Inside a PathBatch: the ancestors the previous path made sure of.
    bool m_bPathBatch = false;
    CKnownAncestors m_knownAncestors;
};
