#include "ToolKit/Trevand/Trevand/Unattended/ReportFiles.h"

#include <cstdio>

#include "ToolKit/Trevand/Trevand/CandidateExport.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "comm/platform/AsciiCase.h"

namespace {

bool FitsAFileName(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && std::string("\\/:*?\"<>|").find(c) == std::string::npos;
}

std::string CountText(uint32_t count) { return std::to_string(count); }

const char* RunText(const TRunHeader& header) {
    if (!header.bPolicyRun) return "报告";
    return header.bDryRun ? "隔离（试运行）" : "隔离";
}

const char* MoveResultText(EMoveResult result) {
    switch (result) {
    case EMoveResult::kMoved: return "已隔离";
    case EMoveResult::kNotMoved: return "未能隔离，详见日志";
    case EMoveResult::kGone: return "运行时已不存在";
    case EMoveResult::kWouldMove: return "将隔离（试运行，未移动）";
    case EMoveResult::kRegistered: return "运行时已登记，未移动";
    case EMoveResult::kNotChecked: return "未能重新读取登记，未移动";
    }
    return "";
}

const char* PurgeResultText(EPurgeResult result) {
    switch (result) {
    case EPurgeResult::kDeleted: return "已彻底删除";
    case EPurgeResult::kLeft: return "未能彻底删除，仍在隔离区，详见日志";
    case EPurgeResult::kStopped: return "清理已停止，仍在隔离区";
    }
    return "";
}

// A folder the purge took part of before it stopped or failed is held
// incomplete (the quarantine window shows it as 残缺目录): the file says so.
std::string PurgeLineResultText(const TPurgeLine& line) {
    const bool partial = line.bDir && line.result != EPurgeResult::kDeleted && line.nFreedBytes > 0;
    return std::string(PurgeResultText(line.result)) + (partial ? "；已删除一部分，余下为残缺目录" : "");
}

// The drive letter a path starts with, upper-cased; 0 for an empty path.
char DriveOf(const std::string& path) { return path.empty() ? '\0' : platform::ToUpperAscii(path[0]); }

std::string LocalTimeText(const platform::LocalTime& when) {
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", when.year, when.month, when.day, when.hour,
                  when.minute, when.second);
    return text;
}

}  // namespace

std::string ReportFileStem(const std::string& machine, const platform::LocalTime& when) {
    std::string stem = machine.empty() ? "UNKNOWN" : machine;
    for (char& c : stem) {
        if (!FitsAFileName(c)) c = '_';
    }
    char time[32];
    std::snprintf(time, sizeof(time), "_%04u%02u%02u_%02u%02u%02u", when.year, when.month, when.day, when.hour,
                  when.minute, when.second);
    return stem + time;
}

std::string DriveCsvName(const std::string& stem, char drive) { return stem + "_候选_" + std::string(1, drive) + ".csv"; }
std::string SummaryCsvName(const std::string& stem) { return stem + "_汇总.csv"; }
std::string MovesCsvName(const std::string& stem) { return stem + "_隔离.csv"; }
std::string PurgeCsvName(const std::string& stem) { return stem + "_清理.csv"; }

TDriveSummary SummarizeDrive(char drive, const std::vector<TJudgedCandidate>& rows) {
    TDriveSummary summary;
    summary.chDrive = drive;
    for (const TJudgedCandidate& row : rows) {
        ++summary.nCandidates;
        ++(row.bDir ? summary.nFolders : summary.nFiles);
        summary.nBytes += row.nSize;
        if (row.bDir && (!row.bSizeKnown || row.bSizePartial)) ++summary.nPartial;
        if (row.bChecked) ++summary.nSelected;
    }
    return summary;
}

std::string SummaryCsv(const TRunHeader& header, const std::string& outcome, const std::vector<TDriveSummary>& drives) {
    std::vector<std::vector<std::string>> lines;
    lines.push_back({"机器", "角色", "时间", "运行", "结果", "盘符", "候选项", "目录", "文件", "字节", "大小不全的目录",
                     "符合条件", "已隔离", "未能隔离", "已登记未移动", "过期清理已删除", "过期清理未删除",
                     "过期清理释放字节"});
    const std::vector<std::string> first = {header.strMachine, header.nRole == 1 ? "主服务器" : "副服务器",
                                            LocalTimeText(header.when), RunText(header), outcome};
    if (drives.empty()) lines.push_back(first);
    for (const TDriveSummary& drive : drives) {
        std::vector<std::string> line = first;
        const std::vector<std::string> counts = {std::string(1, drive.chDrive) + ":", CountText(drive.nCandidates),
                                                 CountText(drive.nFolders), CountText(drive.nFiles),
                                                 std::to_string(drive.nBytes), CountText(drive.nPartial)};
        line.insert(line.end(), counts.begin(), counts.end());
        if (header.bPolicyRun) {
            line.push_back(CountText(drive.nSelected));
            line.push_back(CountText(drive.nMoved));
            line.push_back(CountText(drive.nNotMoved));
            line.push_back(CountText(drive.nRegistered));
        }
        if (header.bPolicyRun && !header.bDryRun) {
            line.push_back(CountText(drive.nPurged));
            line.push_back(CountText(drive.nPurgeLeft));
            line.push_back(std::to_string(drive.nPurgeFreedBytes));
        }
        lines.push_back(line);
    }
    return CsvText(lines);
}

std::string MovesCsv(const std::vector<TMoveLine>& moves) {
    std::vector<std::vector<std::string>> lines;
    lines.push_back({"路径", "类型", "大小（字节）", "最近修改时间", "结果"});
    for (const TMoveLine& move : moves) {
        lines.push_back({move.row.strPath, KindText(move.row.bDir), std::to_string(move.row.nSize),
                         FormatModifiedTime(move.row.nNewestWrite), MoveResultText(move.result)});
    }
    return CsvText(lines);
}

std::string PurgeCsv(const std::vector<TPurgeLine>& purged) {
    std::vector<std::vector<std::string>> lines;
    lines.push_back({"原位置", "隔离区中的位置", "类型", "隔离时间", "结果", "释放（字节）"});
    for (const TPurgeLine& line : purged) {
        lines.push_back({line.strOriginalPath, line.strStoredPath, KindText(line.bDir),
                         FormatModifiedTime(line.nQuarantined), PurgeLineResultText(line),
                         std::to_string(line.nFreedBytes)});
    }
    return CsvText(lines);
}

void CountMoves(const std::vector<TMoveLine>& moves, TDriveSummary* summary) {
    for (const TMoveLine& move : moves) {
        if (DriveOf(move.row.strPath) != summary->chDrive) continue;
        switch (move.result) {
        case EMoveResult::kMoved: ++summary->nMoved; break;
        case EMoveResult::kNotMoved:
        case EMoveResult::kNotChecked: ++summary->nNotMoved; break;
        case EMoveResult::kRegistered: ++summary->nRegistered; break;
        case EMoveResult::kGone:
        case EMoveResult::kWouldMove: break;
        }
    }
}

void CountPurge(const std::vector<TPurgeLine>& purged, TDriveSummary* summary) {
    for (const TPurgeLine& line : purged) {
        if (DriveOf(line.strOriginalPath) != summary->chDrive) continue;
        ++(line.result == EPurgeResult::kDeleted ? summary->nPurged : summary->nPurgeLeft);
        summary->nPurgeFreedBytes += line.nFreedBytes;
    }
}
