// The unattended run, step by step: the report's folder, the load, the sizes,
// the policy, the quarantine's upkeep, the registrations read again, the
// moves, the files.
#include "ToolKit/Trevand/Trevand/Unattended/UnattendedRun.h"

#include <map>
#include <memory>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateExport.h"
#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "ToolKit/Trevand/Trevand/Unattended/PolicyMoves.h"
#include "ToolKit/Trevand/Trevand/Unattended/RegisteredPaths.h"
#include "ToolKit/Trevand/Trevand/Unattended/ReportFiles.h"
#include "ToolKit/Trevand/Trevand/Unattended/RunOutcome.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/AsciiCase.h"
#include "comm/platform/EntryMove.h"
#include "comm/platform/MachineName.h"
#include "comm/platform/ParentConsole.h"

namespace {

// Every candidate of one server disk, in the list's unsorted order.
struct TDriveRows {
    char chDrive = 0;
    std::vector<TJudgedCandidate> rows;
};

std::unique_ptr<CTrevandDB> EngineForRole(int role) {
    if (role == 1) return std::unique_ptr<CTrevandDB>(new CMasterTrevandDB);
    return std::unique_ptr<CTrevandDB>(new CSecondaryTrevandDB);
}

// The folder the files go to, ending in a backslash, made when missing.
bool PrepareFolder(const std::string& wanted, std::string* folder) {
    *folder = wanted;
    if (folder->empty() || folder->back() != '\\') *folder += '\\';
    uint32_t error = 0;
    if (platform::CreateFolders(folder->substr(0, folder->size() - 1), &error)) return true;
    TellOperator(LOG_ERROR, "Trevand  无法创建报告目录 " + wanted + "（错误码 " + std::to_string(error) + "）");
    return false;
}

// The server disks' candidates, drive by drive in the disk map's order.
std::vector<TDriveRows> RowsByDrive(CTrevandDB& engine) {
    std::vector<TDriveRows> drives;
    std::map<char, size_t> slot;
    for (const auto& disk : engine.m_mapServerDisk) {
        const char drive = platform::ToUpperAscii(disk.first[0]);
        if (slot.count(drive)) continue;
        slot[drive] = drives.size();
        drives.push_back(TDriveRows{drive, {}});
    }
    UnLoadPathMap candidates;
    engine.GetUnLoadGamePath(candidates);
    for (const auto& candidate : candidates) {
        const UnLoadPathInfo& info = candidate.second;
        const auto found = slot.find(platform::ToUpperAscii(info.strPath[0]));
        if (found == slot.end()) continue;
        TJudgedCandidate row;
        static_cast<TCandidateFacts&>(row) = FactsOf(info);
        row.nNewestWrite = info.nModified;
        drives[found->second].rows.push_back(row);
    }
    return drives;
}

// Sizes every folder candidate with the list's folder sizer and waits for it.
void SizeFolders(std::vector<TDriveRows>& drives) {
    std::map<std::string, TJudgedCandidate*> folders;
    for (TDriveRows& drive : drives) {
        for (TJudgedCandidate& row : drive.rows) {
            if (row.bDir) folders[row.strPath] = &row;
        }
    }
    if (folders.empty()) return;
    std::vector<std::string> paths;
    for (const auto& folder : folders) paths.push_back(folder.first);
    std::vector<CCandidateSizer::TFolderSize> sizes;
    CCandidateSizer sizer;
    // The sink runs on the sizer's thread; Wait joins it before `sizes` is read.
    if (!sizer.Start(std::move(paths), [&sizes](std::vector<CCandidateSizer::TFolderSize>&& batch) {
            for (auto& size : batch) sizes.push_back(std::move(size));
        })) {
        return;  // logged; the folders stay unsized, and no policy selects them
    }
    sizer.Wait();
    for (const CCandidateSizer::TFolderSize& size : sizes) {
        TJudgedCandidate* row = folders[size.strPath];
        row->nSize = size.nSize;
        row->bSizeKnown = true;
        row->bSizePartial = size.bPartial;
        if (size.nNewestWrite > row->nNewestWrite) row->nNewestWrite = size.nNewestWrite;
    }
}

// Ticks the rows the policy selects; the moves to make, in path order.
std::vector<TMoveLine> Select(std::vector<TDriveRows>& drives, const TQuarantinePolicy& policy, int64_t now) {
    std::vector<TMoveLine> moves;
    for (TDriveRows& drive : drives) {
        for (TJudgedCandidate& row : drive.rows) {
            row.bChecked = JudgeCandidate(row, policy, now) == EPolicyVerdict::kSelected;
            if (row.bChecked) moves.push_back(TMoveLine{row, EMoveResult::kWouldMove});
        }
    }
    return moves;
}

// Sizing every folder takes long, and the purge before the moves may too: a
// package the management software registered meanwhile must not move, nor
// the folder that now holds one, nor what lies in one. Reads the
// registrations again (the disks are not scanned again) and leaves each
// selected entry they now cover where it is; when they cannot be read, every
// selected entry, since what was registered meanwhile is not known.
void LeaveRegisteredMeanwhile(CTrevandDB& engine, std::vector<TMoveLine>& moves) {
    if (moves.empty()) return;
    if (!engine.LoadGamePathInit()) {
        TellOperator(LOG_ERROR, "Trevand  无法重新读取已登记的游戏包，符合条件的项均未移动");
        for (TMoveLine& move : moves) move.result = EMoveResult::kNotChecked;
        return;
    }
    const CRegisteredPaths registered(engine.m_mapGamePath);
    for (TMoveLine& move : moves) {
        if (!registered.Covers(move.row.strPath)) continue;
        move.result = EMoveResult::kRegistered;
        TellOperator(LOG_INFO, "Trevand  " + move.row.strPath + " 在本次运行期间已登记为游戏包（或含有、位于已登记的游戏包），未移动");
    }
}

// Whether every selected entry that was to move did, was gone, or was
// registered meanwhile (or, in a dry run, would move).
bool EveryMoveMade(const std::vector<TMoveLine>& moves) {
    for (const TMoveLine& move : moves) {
        if (move.result == EMoveResult::kNotMoved || move.result == EMoveResult::kNotChecked) return false;
    }
    return true;
}

bool WriteReportFile(const std::string& folder, const std::string& name, const std::string& bytes,
                     std::vector<std::string>* written) {
    const std::string path = folder + name;
    if (!WriteWholeFile(path, bytes)) {
        TellOperator(LOG_ERROR, "Trevand  无法写入报告文件 " + path);
        return false;
    }
    written->push_back(path);
    return true;
}

// The drives' CSVs, for a policy run the moves and, when it purged, the
// purge, then the summary, whose 结果 words the run's exit code
// (`clockBelieved`: whether the quarantines believed the clock). Returns that
// code (RunExitCode), kExitNotWritten also when the summary itself could not
// be written.
int WriteReport(const std::string& folder, const TRunHeader& header, const std::vector<TDriveRows>& drives,
                const std::vector<TMoveLine>* moves, const TPurgeOutcome* purge, bool clockBelieved = true) {
    const std::string stem = ReportFileStem(header.strMachine, header.when);
    std::vector<std::string> written;
    std::vector<TDriveSummary> summaries;
    bool ok = true;
    for (const TDriveRows& drive : drives) {
        std::vector<TListedCandidate> listed(drive.rows.begin(), drive.rows.end());
        ok &= WriteReportFile(folder, DriveCsvName(stem, drive.chDrive), CandidateCsv(listed), &written);
        TDriveSummary summary = SummarizeDrive(drive.chDrive, drive.rows);
        if (moves) CountMoves(*moves, &summary);
        if (purge) CountPurge(purge->lines, &summary);
        summaries.push_back(summary);
        TellOperator(LOG_INFO, std::string(1, drive.chDrive) + ": 候选 " + std::to_string(summary.nCandidates) +
                                   " 项（目录 " + std::to_string(summary.nFolders) + "，文件 " +
                                   std::to_string(summary.nFiles) + "），共 " + std::to_string(summary.nBytes) +
                                   " 字节" + (moves ? "，符合条件 " + std::to_string(summary.nSelected) + " 项" : ""));
    }
    if (moves) ok &= WriteReportFile(folder, MovesCsvName(stem), MovesCsv(*moves), &written);
    if (purge) ok &= WriteReportFile(folder, PurgeCsvName(stem), PurgeCsv(purge->lines), &written);
    EUnattendedExit code = RunExitCode(ok, moves == nullptr || EveryMoveMade(*moves),
                                       purge == nullptr || PurgeLeftNothing(*purge), clockBelieved);
    if (!WriteReportFile(folder, SummaryCsvName(stem), SummaryCsv(header, ExitCodeText(code), summaries), &written))
        code = kExitNotWritten;
    for (const std::string& path : written) TellOperator(LOG_INFO, "Trevand  报告文件：" + path);
    return code;
}

int LoadFailed(const std::string& folder, const TRunHeader& header) {
    TellOperator(LOG_ERROR, "Trevand  加载失败，未生成候选列表，原因见日志");
    std::vector<std::string> written;
    const std::string stem = ReportFileStem(header.strMachine, header.when);
    WriteReportFile(folder, SummaryCsvName(stem), SummaryCsv(header, ExitCodeText(kExitLoadFailed), {}), &written);
    return kExitLoadFailed;
}

bool ServesDrive(const std::vector<TDriveRows>& drives, char drive) {
    for (const TDriveRows& served : drives) {
        if (served.chDrive == drive) return true;
    }
    return false;
}

}  // namespace

void TellOperator(int level, const std::string& line) {
    LOG_WRITE(level, "%s", line.c_str());
    platform::WriteToParentConsole(line + "\r\n");
}

int RunUnattended(const TUnattendedArgs& args, const std::string& logFolder, const std::string& settingsFile) {
    const platform::WallClock started = platform::NowWallClock();
    TRunHeader header;
    header.strMachine = platform::MachineName();
    header.nRole = args.nRole;
    header.when = platform::ToLocalTime(started);
    header.bPolicyRun = args.mode == TUnattendedArgs::EMode::kQuarantine;
    header.bDryRun = args.bDryRun;

    std::string folder;
    if (!PrepareFolder(args.strOut.empty() ? logFolder : args.strOut, &folder)) return kExitNotWritten;
    std::unique_ptr<CTrevandDB> engine = EngineForRole(args.nRole);
    if (!engine->LoadDB()) return LoadFailed(folder, header);
    std::vector<TDriveRows> drives = RowsByDrive(*engine);
    if (args.chDrive != 0 && !ServesDrive(drives, args.chDrive)) {
        TellOperator(LOG_ERROR, std::string("Trevand  /drive ") + args.chDrive + ": 不是本机的服务器磁盘，未做任何改动");
        return kExitBadArguments;
    }
    SizeFolders(drives);
    if (!header.bPolicyRun) return WriteReport(folder, header, drives, nullptr, nullptr);

    std::vector<char> served;
    for (const TDriveRows& drive : drives) served.push_back(drive.chDrive);
    // The purge first, as at an interactive start: it also tells whether the
    // quarantines believe the clock.
    TPurgeOutcome purge;
    if (!args.bDryRun) purge = KeepQuarantines(served, settingsFile, started.seconds);
    const TQuarantinePolicy policy{args.nOlderThanDays, args.nMinSizeMB * 1024 * 1024, args.chDrive};
    std::vector<TMoveLine> moves;
    int64_t seen = 0;
    // A clock years ahead would make every candidate old.
    const bool believed = ClockBelievedForAges(served, started.seconds, &seen);
    if (believed) moves = Select(drives, policy, started.seconds);
    else TellOperator(LOG_WARNING, "Trevand  系统时间与本机隔离区最近的记录时间（" + FormatModifiedTime(seen) +
                                       "）相差过大，未按时间挑选任何项，请核对系统时间");
    LeaveRegisteredMeanwhile(*engine, moves);
    if (args.bDryRun) return WriteReport(folder, header, drives, &moves, nullptr, believed);
    MoveIntoQuarantine(moves, platform::NowWallClock());
    return WriteReport(folder, header, drives, &moves, &purge, believed && purge.clockRefused.empty());
}
