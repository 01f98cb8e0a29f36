#include "ToolKit/Trevand/Trevand/Unattended/RunOutcome.h"

EUnattendedExit RunExitCode(bool allWritten, bool allMoved, bool purgeDone, bool clockBelieved) {
    if (!allWritten) return kExitNotWritten;
    if (!allMoved) return kExitNotAllMoved;
    if (!clockBelieved) return kExitClockDistrusted;
    if (!purgeDone) return kExitPurgeLeft;
    return kExitDone;
}

const char* ExitCodeText(EUnattendedExit code) {
    switch (code) {
    case kExitDone: return "完成";
    case kExitBadArguments: return "参数错误，未做任何改动";
    case kExitLoadFailed: return "加载失败，详见日志";
    case kExitAnotherRunning: return "另一个 Trevand 正在处理本机的磁盘，未做任何改动";
    case kExitNotWritten: return "报告文件未能全部写入，详见日志";
    case kExitNotAllMoved: return "部分符合条件的项未能隔离，详见隔离报告和日志";
    case kExitPurgeLeft: return "隔离区过期清理未完成，详见清理报告和日志";
    case kExitClockDistrusted: return "系统时间与隔离区记录的时间相差过大，未按时间挑选或清理，请核对系统时间";
    }
    return "";
}
