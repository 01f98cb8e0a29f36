// What the confirmations say the ticked rows come to, on plain values.
#include "ToolKit/Trevand/Trevand/TickedTotals.h"

#include <gtest/gtest.h>

namespace {

TListedCandidate Row(bool dir, uint64_t size, bool known, bool partial, bool ticked) {
    TListedCandidate row;
    row.bDir = dir;
    row.nSize = size;
    row.bSizeKnown = known;
    row.bSizePartial = partial;
    row.bChecked = ticked;
    return row;
}

TEST(TickedTotals, SumOnlyTheTickedRowsAndSayWhenAFolderIsNotFullyCounted) {
    const struct {
        const char* what;
        std::vector<TListedCandidate> rows;
        const char* question;
    } cases[] = {
        {"folders and files, all sized",
         {Row(true, 1024, true, false, true), Row(false, 512, true, false, true), Row(false, 100, true, false, false),
          Row(true, 2048, true, false, true)},
         "确定是否删除文件！\n将彻底删除 2 个目录、1 个文件，共 3.5 KB，删除后无法恢复。"},
        {"a folder still being sized", {Row(true, 0, false, false, true), Row(false, 10, true, false, true)},
         "确定是否删除文件！\n将彻底删除 1 个目录、1 个文件，共 10 B+，删除后无法恢复。"},
        {"a folder read only in part", {Row(true, 3 * 1024 * 1024, true, true, true)},
         "确定是否删除文件！\n将彻底删除 1 个目录，共 3.0 MB+，删除后无法恢复。"},
        {"files only; an unticked unsized folder does not count",
         {Row(false, 1, true, false, true), Row(false, 2, true, false, true), Row(true, 0, false, false, false)},
         "确定是否删除文件！\n将彻底删除 2 个文件，共 3 B，删除后无法恢复。"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.question, DeletionConfirmText(SumTicked(c.rows))) << c.what;
}

}  // namespace
