// What an unattended run came to, on plain values: which exit code wins when
// several things went wrong, and the summary's words for every code.
#include "ToolKit/Trevand/Trevand/Unattended/RunOutcome.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RunOutcome, EveryExitCodeHasTheSummarysWordsForIt) {
    const struct {
        EUnattendedExit code;
        const char* text;
    } cases[] = {
        {kExitDone, "完成"},
        {kExitBadArguments, "参数错误，未做任何改动"},
        {kExitLoadFailed, "加载失败，详见日志"},
        {kExitAnotherRunning, "另一个 Trevand 正在处理本机的磁盘，未做任何改动"},
        {kExitNotWritten, "报告文件未能全部写入，详见日志"},
        {kExitNotAllMoved, "部分符合条件的项未能隔离，详见隔离报告和日志"},
        {kExitPurgeLeft, "隔离区过期清理未完成，详见清理报告和日志"},
        {kExitClockDistrusted, "系统时间与隔离区记录的时间相差过大，未按时间挑选或清理，请核对系统时间"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(c.text), ExitCodeText(c.code)) << c.code;
    // Only a finished run is "完成".
    for (const auto& c : cases) EXPECT_EQ(c.code == kExitDone, std::string(ExitCodeText(c.code)) == "完成") << c.code;
}

TEST(RunOutcome, AFileNotWrittenOutweighsEntriesNotMovedWhichOutweighAPurgeLeftUndone) {
    const struct {
        bool allWritten;
        bool allMoved;
        bool purgeDone;
        EUnattendedExit code;
    } cases[] = {
        {true, true, true, kExitDone},
        {true, true, false, kExitPurgeLeft},
        {true, false, true, kExitNotAllMoved},
        {true, false, false, kExitNotAllMoved},
        {false, true, true, kExitNotWritten},
        {false, true, false, kExitNotWritten},
        {false, false, true, kExitNotWritten},
        {false, false, false, kExitNotWritten},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, RunExitCode(c.allWritten, c.allMoved, c.purgeDone))
            << c.allWritten << c.allMoved << c.purgeDone;
    }
}

TEST(RunOutcome, AClockNotBelievedComesAfterFilesAndMovesAndBeforeThePurge) {
    EXPECT_EQ(kExitClockDistrusted, RunExitCode(true, true, true, false));
    EXPECT_EQ(kExitClockDistrusted, RunExitCode(true, true, false, false));
    EXPECT_EQ(kExitNotAllMoved, RunExitCode(true, false, true, false));
    EXPECT_EQ(kExitNotWritten, RunExitCode(false, true, true, false));
}

}  // namespace
