#include "ToolKit/Trevand/Trevand/TickedTotals.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"

TTickedTotals SumTicked(const std::vector<TListedCandidate>& rows) {
    TTickedTotals totals;
    for (const TListedCandidate& row : rows) {
        if (!row.bChecked) continue;
        ++(row.bDir ? totals.nFolders : totals.nFiles);
        totals.nBytes += row.nSize;
        totals.bPartial |= row.bDir && (!row.bSizeKnown || row.bSizePartial);
    }
    return totals;
}

std::string SizeSumText(uint64_t bytes, bool partial) { return FormatSize(bytes) + (partial ? "+" : ""); }

std::string DeletionConfirmText(const TTickedTotals& totals) {
    std::string what;
    if (totals.nFolders) what = std::to_string(totals.nFolders) + " 个目录";
    if (totals.nFolders && totals.nFiles) what += "、";
    if (totals.nFiles) what += std::to_string(totals.nFiles) + " 个文件";
    return "确定是否删除文件！\n将彻底删除 " + what + "，共 " + SizeSumText(totals.nBytes, totals.bPartial) +
           "，删除后无法恢复。";
}
