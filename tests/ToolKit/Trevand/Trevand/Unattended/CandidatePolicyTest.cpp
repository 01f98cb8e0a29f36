// The policy of a quarantine run on plain candidate values: what is old and
// large enough, and what is never selected because it could not be judged.
#include "ToolKit/Trevand/Trevand/Unattended/CandidatePolicy.h"

#include <gtest/gtest.h>

namespace {

const int64_t kNow = 1800000000;  // 2027-01-15
const int64_t kDay = 86400;

TJudgedCandidate Candidate(const char* path, bool dir, uint64_t size, int64_t newest) {
    TJudgedCandidate row;
    row.strPath = path;
    row.bDir = dir;
    row.nSize = size;
    row.bSizeKnown = true;
    row.nNewestWrite = newest;
    return row;
}

TEST(JudgeCandidate, SelectsWhatIsOldAndLargeEnoughAndNothingItCannotJudge) {
    const TQuarantinePolicy days30{30, 0, 0};
    const TQuarantinePolicy days30min1mb{30, 1048576, 0};
    const TQuarantinePolicy onF{0, 0, 'F'};
    TJudgedCandidate partial = Candidate("E:\\Old", true, 5000, kNow - 100 * kDay);
    partial.bSizePartial = true;
    TJudgedCandidate unsized = Candidate("E:\\Old", true, 0, kNow - 100 * kDay);
    unsized.bSizeKnown = false;
    const struct {
        const char* what;
        TJudgedCandidate row;
        TQuarantinePolicy policy;
        EPolicyVerdict verdict;
    } cases[] = {
        {"a folder untouched for 31 days", Candidate("E:\\Old", true, 10, kNow - 31 * kDay), days30,
         EPolicyVerdict::kSelected},
        {"exactly 30 days is not older than 30", Candidate("E:\\Old", true, 10, kNow - 30 * kDay), days30,
         EPolicyVerdict::kTooRecent},
        {"one second past 30 days", Candidate("E:\\Old", true, 10, kNow - 30 * kDay - 1), days30,
         EPolicyVerdict::kSelected},
        {"a file written yesterday", Candidate("E:\\x.dat", false, 10, kNow - kDay), days30, EPolicyVerdict::kTooRecent},
        {"0 days: anything written before now", Candidate("E:\\x.dat", false, 0, kNow - 1), onF,
         EPolicyVerdict::kOtherDrive},
        {"0 days on its drive", Candidate("f:\\x.dat", false, 0, kNow - 1), onF, EPolicyVerdict::kSelected},
        {"dated in the future", Candidate("F:\\x.dat", false, 0, kNow + kDay), onF, EPolicyVerdict::kTooRecent},
        {"time unknown", Candidate("E:\\x.dat", false, 10, 0), days30, EPolicyVerdict::kTimeUnknown},
        {"a folder read only in part", partial, days30, EPolicyVerdict::kNotFullyRead},
        {"a folder not sized", unsized, days30, EPolicyVerdict::kNotFullyRead},
        {"1 MB less a byte", Candidate("E:\\Old", true, 1048575, kNow - 90 * kDay), days30min1mb,
         EPolicyVerdict::kTooSmall},
        {"exactly 1 MB", Candidate("E:\\Old", true, 1048576, kNow - 90 * kDay), days30min1mb,
         EPolicyVerdict::kSelected},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<int>(c.verdict), static_cast<int>(JudgeCandidate(c.row, c.policy, kNow))) << c.what;
    }
}

}  // namespace
