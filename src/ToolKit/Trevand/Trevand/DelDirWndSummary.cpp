#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"

namespace {

// The words of one kind of run; the counts and their order are the same.
struct TSummaryWords {
    const char* done;        // "已删除 "
    const char* bytes;       // "，释放 "
    const char* bytesAfter;  // what follows the bytes
    const char* left;        // " 项无法删除，详见日志"
    const char* notDone;     // " 项未删除"
};

std::string SummaryText(const DeletionTally& tally, const TSummaryWords& words) {
    std::string text = tally.bCancelled ? "已取消：" : "";
    text += words.done + std::to_string(tally.nDeleted) + " 项" + words.bytes + FormatSize(tally.nFreedBytes) +
            words.bytesAfter;
    // After a cancel the operator's question is what is still there, for
    // whatever reason; the reasons are in the log. After a whole run the ones
    // the system refused are what needs looking at.
    uint32_t notDone = tally.nNotReached;
    if (tally.bCancelled) notDone += tally.nLeft;
    else if (tally.nLeft > 0) text += "；" + std::to_string(tally.nLeft) + words.left;
    if (notDone > 0) text += "；" + std::to_string(notDone) + words.notDone;
    return text;
}

}  // namespace

std::string DeletionSummaryText(const DeletionTally& tally) {
    return SummaryText(tally, {"已删除 ", "，释放 ", "", " 项无法删除，详见日志", " 项未删除"});
}

std::string QuarantineSummaryText(const DeletionTally& tally) {
    // Nothing is freed yet: the space comes back when the entries are purged.
    return SummaryText(tally, {"已隔离 ", "，共 ", "（彻底删除后才释放空间）", " 项无法隔离，详见日志", " 项未隔离"});
}
