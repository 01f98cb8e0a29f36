#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"

std::string DeletionSummaryText(const DeletionTally& tally) {
    std::string text = tally.bCancelled ? "已取消：" : "";
    text += "已删除 " + std::to_string(tally.nDeleted) + " 项，释放 " + FormatSize(tally.nFreedBytes);
    // After a cancel the operator's question is what is still there, for
    // whatever reason; the reasons are in the log. After a whole run the ones
    // the system refused are what needs looking at.
    uint32_t notDeleted = tally.nNotReached;
    if (tally.bCancelled) notDeleted += tally.nLeft;
    else if (tally.nLeft > 0) text += "；" + std::to_string(tally.nLeft) + " 项无法删除，详见日志";
    if (notDeleted > 0) text += "；" + std::to_string(notDeleted) + " 项未删除";
    return text;
}
