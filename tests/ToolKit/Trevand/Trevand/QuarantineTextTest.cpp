// What the quarantine window says: the totals line, the days left, an
// entry's name, and the message after a restore.
#include "ToolKit/Trevand/Trevand/QuarantineText.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(QuarantineText, HeldTextNamesEachDiskThatHoldsSomething) {
    const uint64_t kM = 1024 * 1024;
    const struct {
        const char* what;
        std::vector<TDiskHeld> disks;
        const char* text;
    } cases[] = {
        {"no disk", {}, "隔离区中没有项目"},
        {"disks holding nothing", {{'E', 0, 0, false}, {'F', 0, 0, false}}, "隔离区中没有项目"},
        {"one disk", {{'E', 3, 1288490189, false}}, "E: 3 项 1.2 GB"},
        {"in the order given, empty ones left out",
         {{'F', 1, 512, false}, {'D', 0, 0, false}, {'E', 2, 45 * kM + kM / 5, false}},
         "F: 1 项 512 B；E: 2 项 45.2 MB"},
        // An unreadable quarantine must never read as an empty one.
        {"unreadable only", {{'E', 0, 0, true}}, "E: 无法读取隔离记录"},
        {"unreadable beside a full one", {{'E', 1, 0, false}, {'F', 0, 0, true}}, "E: 1 项 0 B；F: 无法读取隔离记录"},
        // An entry moved before its folder was sized: the sum is a lower bound.
        {"a lower bound", {{'E', 2, 512, false, true, 0}}, "E: 2 项 512 B+"},
        {"a purge left one part way", {{'E', 2, 512, false, false, 1}, {'F', 1, 2, false, true, 1}},
         "E: 2 项 512 B（1 项不完整）；F: 1 项 2 B+（1 项不完整）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.text, HeldText(c.disks));
    }
}

TEST(QuarantineText, DaysLeft) {
    EXPECT_EQ("0 天", DaysLeftText(0));
    EXPECT_EQ("7 天", DaysLeftText(7));
    EXPECT_EQ("365 天", DaysLeftText(365));
}

TEST(QuarantineText, AHeldEntrysCellsSayWhatIsNotWholeOrNotKnown) {
    EXPECT_EQ("1.0 KB", HeldSizeText(1024, false));
    EXPECT_EQ("0 B+", HeldSizeText(0, true));
    EXPECT_EQ("目录", HeldKindText(true, false));
    EXPECT_EQ("残缺目录", HeldKindText(true, true));
    EXPECT_EQ("文件", HeldKindText(false, false));
    EXPECT_EQ("3 天", HeldDaysLeftText(3, false, false));
    EXPECT_EQ("时间待核对", HeldDaysLeftText(7, true, false));
    EXPECT_EQ("仅剩链接", HeldDaysLeftText(0, true, true));
}

TEST(QuarantineText, UpkeepNotesNameTheSettledEntriesAndTheDisksWhoseClockWasNotBelieved) {
    EXPECT_EQ("", UpkeepNotesText({}, {}));
    EXPECT_EQ("上次中断的隔离：E: 2 项已在 E:\\TrevandQuarantine，F: 1 项已在 F:\\TrevandQuarantine",
              UpkeepNotesText({{'E', 2}, {'F', 1}}, {}));
    // No time zone is assumed: the time is written as the list writes it.
    const std::string seen = FormatModifiedTime(1796981400);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ("上次中断的隔离：E: 1 项已在 E:\\TrevandQuarantine；F: 盘隔离区最近的记录时间为 " + seen +
                  "，与系统时间相差过大，未清理过期项，请核对系统时间",
              UpkeepNotesText({{'E', 1}}, {{'F', 1796981400}}));
}

TEST(QuarantineText, RefusalReasons) {
    EXPECT_EQ("原位置已被占用（未覆盖）", RefusalReasonText({"E:\\a", TRestoreRefusal::kPlaceTaken, 0}));
    EXPECT_EQ("还原失败（错误码 5）", RefusalReasonText({"E:\\a", TRestoreRefusal::kFailed, 5}));
    EXPECT_EQ("无法打开该盘的隔离记录（错误码 11）", RefusalReasonText({"E:\\a", TRestoreRefusal::kDiskUnreadable, 11}));
}

TEST(QuarantineText, RestoreReportSaysWhatCameBackAndWhatDidNot) {
    EXPECT_EQ("已还原 3 项。", RestoreReportText(3, {}));
    EXPECT_EQ("已还原 1 项。\r\n以下 2 项未还原，仍在隔离区：\n"
              "E:\\Games\\Old：原位置已被占用（未覆盖）\n"
              "F:\\x.dat：还原失败（错误码 32）",
              RestoreReportText(1, {{"E:\\Games\\Old", TRestoreRefusal::kPlaceTaken, 0},
                                    {"F:\\x.dat", TRestoreRefusal::kFailed, 32}}));
}

TEST(QuarantineText, RestoreReportNamesWhatCameBackIncomplete) {
    EXPECT_EQ("已还原 2 项。\r\n其中 1 项不完整（彻底删除曾中途停止，部分内容已不在）：\nE:\\Games\\Old\r\n"
              "以下 1 项未还原，仍在隔离区：\nF:\\x.dat：还原失败（错误码 32）",
              RestoreReportText(2, {{"F:\\x.dat", TRestoreRefusal::kFailed, 32}}, {"E:\\Games\\Old"}));
}

TEST(QuarantineText, RestoreReportListsAFewRefusalsAndCountsTheRest) {
    std::vector<TRestoreRefusal> refused;
    for (size_t i = 0; i < kMaxListedRefusals + 3; ++i)
        refused.push_back({"E:\\e" + std::to_string(i), TRestoreRefusal::kPlaceTaken, 0});
    const std::string text = RestoreReportText(0, refused);
    EXPECT_NE(std::string::npos, text.find("E:\\e" + std::to_string(kMaxListedRefusals - 1) + "："));
    EXPECT_EQ(std::string::npos, text.find("E:\\e" + std::to_string(kMaxListedRefusals) + "："));
    EXPECT_NE(std::string::npos, text.find("\n另有 3 项，详见日志。"));
    EXPECT_EQ(0u, text.find("已还原 0 项。\r\n以下 " + std::to_string(refused.size()) + " 项未还原"));
}

}  // namespace
