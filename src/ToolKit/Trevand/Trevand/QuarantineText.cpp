#include "ToolKit/Trevand/Trevand/QuarantineText.h"

#include <cstdio>
#include <cstring>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/DB/QuarantineFolderName.h"

std::string HeldText(const std::vector<TDiskHeld>& disks) {
    std::string text;
    for (const TDiskHeld& disk : disks) {
        char part[96];
        if (disk.bUnreadable) {
            std::snprintf(part, sizeof(part), "%c: 无法读取隔离记录", disk.chDrive);
        } else if (disk.nCount > 0) {
            std::snprintf(part, sizeof(part), "%c: %d 项 %s", disk.chDrive, disk.nCount,
                          HeldSizeText(disk.nBytes, disk.bAtLeast).c_str());
            if (disk.nIncomplete > 0) std::snprintf(part + std::strlen(part), sizeof(part) - std::strlen(part),
                                                    "（%d 项不完整）", disk.nIncomplete);
        } else {
            continue;
        }
        if (!text.empty()) text += "；";
        text += part;
    }
    return text.empty() ? "隔离区中没有项目" : text;
}

std::string DaysLeftText(int days) { return std::to_string(days) + " 天"; }

std::string HeldSizeText(uint64_t bytes, bool atLeast) { return FormatSize(bytes) + (atLeast ? "+" : ""); }

// Short enough for the kind column: the restore report says the rest.
std::string HeldKindText(bool bDir, bool incomplete) {
    if (incomplete && bDir) return "残缺目录";
    return KindText(bDir);
}

std::string HeldDaysLeftText(int days, bool timeUnsure, bool onlyLinks) {
    // The 剩余天数 column's width: the README and the log say why.
    if (onlyLinks) return "仅剩链接";
    if (timeUnsure) return "时间待核对";
    return DaysLeftText(days);
}

std::string UpkeepNotesText(const std::vector<TSettledNote>& settled, const std::vector<TClockNote>& refused) {
    std::vector<std::string> parts;
    std::string held;
    for (const TSettledNote& note : settled) {
        held += (held.empty() ? "" : "，") + std::string(1, note.chDrive) + ": " + std::to_string(note.nCount) +
                " 项已在 " + note.chDrive + ":\\" + quarantine::kFolderName;
    }
    if (!held.empty()) parts.push_back("上次中断的隔离：" + held);
    for (const TClockNote& note : refused) {
        parts.push_back(std::string(1, note.chDrive) + ": 盘隔离区最近的记录时间为 " + FormatModifiedTime(note.nSeen) +
                        "，与系统时间相差过大，未清理过期项，请核对系统时间");
    }
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "；") + part;
    return text;
}

std::string RefusalReasonText(const TRestoreRefusal& refusal) {
    switch (refusal.reason) {
    case TRestoreRefusal::kPlaceTaken: return "原位置已被占用（未覆盖）";
    case TRestoreRefusal::kDiskUnreadable:
        return "无法打开该盘的隔离记录（错误码 " + std::to_string(refusal.nError) + "）";
    case TRestoreRefusal::kFailed:
    default: return "还原失败（错误码 " + std::to_string(refusal.nError) + "）";
    }
}

std::string RestoreReportText(size_t restored, const std::vector<TRestoreRefusal>& refused,
                              const std::vector<std::string>& incomplete) {
    std::string text = "已还原 " + std::to_string(restored) + " 项。";
    if (!incomplete.empty()) {
        text += "\r\n其中 " + std::to_string(incomplete.size()) + " 项不完整（彻底删除曾中途停止，部分内容已不在）：";
        for (size_t i = 0; i < incomplete.size() && i < kMaxListedRefusals; ++i) text += "\n" + incomplete[i];
        if (incomplete.size() > kMaxListedRefusals)
            text += "\n另有 " + std::to_string(incomplete.size() - kMaxListedRefusals) + " 项，详见日志。";
    }
    if (refused.empty()) return text;
    // "\r\n" parts paragraphs in the message box, "\n" only lines.
    text += "\r\n以下 " + std::to_string(refused.size()) + " 项未还原，仍在隔离区：";
    for (size_t i = 0; i < refused.size() && i < kMaxListedRefusals; ++i)
        text += "\n" + refused[i].strOriginalPath + "：" + RefusalReasonText(refused[i]);
    if (refused.size() > kMaxListedRefusals)
        text += "\n另有 " + std::to_string(refused.size() - kMaxListedRefusals) + " 项，详见日志。";
    return text;
}
