#include "ToolKit/Trevand/Trevand/QuarantineText.h"

#include <cstdio>

#include "ToolKit/Trevand/Trevand/CandidateText.h"

std::string HeldText(const std::vector<TDiskHeld>& disks) {
    std::string text;
    for (const TDiskHeld& disk : disks) {
        char part[96];
        if (disk.bUnreadable) {
            std::snprintf(part, sizeof(part), "%c: 无法读取隔离记录", disk.chDrive);
        } else if (disk.nCount > 0) {
            std::snprintf(part, sizeof(part), "%c: %d 项 %s", disk.chDrive, disk.nCount,
                          FormatSize(disk.nBytes).c_str());
        } else {
            continue;
        }
        if (!text.empty()) text += "；";
        text += part;
    }
    return text.empty() ? "隔离区中没有项目" : text;
}

std::string DaysLeftText(int days) { return std::to_string(days) + " 天"; }

std::string RefusalReasonText(const TRestoreRefusal& refusal) {
    switch (refusal.reason) {
    case TRestoreRefusal::kPlaceTaken: return "原位置已被占用（未覆盖）";
    case TRestoreRefusal::kDiskUnreadable:
        return "无法打开该盘的隔离记录（错误码 " + std::to_string(refusal.nError) + "）";
    case TRestoreRefusal::kFailed:
    default: return "还原失败（错误码 " + std::to_string(refusal.nError) + "）";
    }
}

std::string RestoreReportText(size_t restored, const std::vector<TRestoreRefusal>& refused) {
    std::string text = "已还原 " + std::to_string(restored) + " 项。";
    if (refused.empty()) return text;
    // "\r\n" parts paragraphs in the message box, "\n" only lines.
    text += "\r\n以下 " + std::to_string(refused.size()) + " 项未还原，仍在隔离区：";
    for (size_t i = 0; i < refused.size() && i < kMaxListedRefusals; ++i)
        text += "\n" + refused[i].strOriginalPath + "：" + RefusalReasonText(refused[i]);
    if (refused.size() > kMaxListedRefusals)
        text += "\n另有 " + std::to_string(refused.size() - kMaxListedRefusals) + " 项，详见日志。";
    return text;
}
