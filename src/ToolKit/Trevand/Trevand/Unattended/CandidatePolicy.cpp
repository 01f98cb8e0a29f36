#include "ToolKit/Trevand/Trevand/Unattended/CandidatePolicy.h"

#include "comm/platform/AsciiCase.h"

namespace {

const int64_t kSecondsPerDay = 24 * 60 * 60;

char DriveOf(const std::string& path) { return path.empty() ? '\0' : platform::ToUpperAscii(path[0]); }

}  // namespace

EPolicyVerdict JudgeCandidate(const TJudgedCandidate& candidate, const TQuarantinePolicy& policy, int64_t now) {
    if (policy.chDrive != 0 && DriveOf(candidate.strPath) != policy.chDrive) return EPolicyVerdict::kOtherDrive;
    if (candidate.bDir && (!candidate.bSizeKnown || candidate.bSizePartial)) return EPolicyVerdict::kNotFullyRead;
    if (candidate.nNewestWrite == 0) return EPolicyVerdict::kTimeUnknown;
    const int64_t limit = now - static_cast<int64_t>(policy.nOlderThanDays) * kSecondsPerDay;
    if (candidate.nNewestWrite >= limit) return EPolicyVerdict::kTooRecent;
    if (candidate.nSize < policy.nMinBytes) return EPolicyVerdict::kTooSmall;
    return EPolicyVerdict::kSelected;
}

const char* VerdictText(EPolicyVerdict verdict) {
    switch (verdict) {
    case EPolicyVerdict::kSelected: return "符合条件";
    case EPolicyVerdict::kOtherDrive: return "不在所选磁盘";
    case EPolicyVerdict::kNotFullyRead: return "目录未能完整读取";
    case EPolicyVerdict::kTimeUnknown: return "修改时间未知";
    case EPolicyVerdict::kTooRecent: return "修改时间太近";
    case EPolicyVerdict::kTooSmall: return "小于最小大小";
    }
    return "";
}
