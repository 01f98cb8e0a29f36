#include "ToolKit/Trevand/Trevand/Unattended/PolicyMoves.h"

#include <map>

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"
#include "ToolKit/Trevand/Trevand/Unattended/UnattendedRun.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/EntryDeletion.h"

void KeepQuarantines(const std::vector<char>& drives, const std::string& settingsFile, int64_t now) {
    const std::vector<char> held = CQuarantineUpkeep::DrivesWithQuarantine(drives);
    if (held.empty()) return;
    CQuarantineUpkeep upkeep;
    CQuarantineUpkeep::TResult result;
    // The sink runs on the upkeep's thread; Wait joins it before `result` is read.
    if (!upkeep.Start(held, quarantine::ReadKeepDays(settingsFile), now,
                      [&result](const CQuarantineUpkeep::TResult& done) { result = done; })) {
        return;  // logged: what expired stays for the next start
    }
    upkeep.Wait();
    const uint32_t expired = result.tally.nDeleted + result.tally.nLeft + result.tally.nNotReached;
    if (expired != 0) TellOperator(LOG_INFO, "Trevand  隔离区过期清理：" + DeletionSummaryText(result.tally));
}

bool MoveIntoQuarantine(std::vector<TMoveLine>& moves, const platform::WallClock& now) {
    if (moves.empty()) return true;
    std::map<std::string, TQuarantineCandidate> candidates;
    for (const TMoveLine& move : moves) candidates[move.row.strPath].nSize = move.row.nSize;
    std::unique_ptr<CDelDirJob> job =
        MakeQuarantineMoveJob(std::move(candidates), QuarantineBatchNow(now), now.seconds, nullptr);
    // Nothing cancels a run without a window; a killed process leaves what
    // the next start settles.
    CEntryDeleter deleter([] { return true; });
    DeletionTally tally;
    bool allMoved = true;
    for (TMoveLine& move : moves) {
        const std::string& path = move.row.strPath;
        switch (RunJobOnEntry(*job, path, platform::ReadAttributes(path), deleter, &tally)) {
        case EEntryOutcome::kDone: move.result = EMoveResult::kMoved; break;
        case EEntryOutcome::kGone: move.result = EMoveResult::kGone; break;
        case EEntryOutcome::kLeft:
        case EEntryOutcome::kStopped:
            move.result = EMoveResult::kNotMoved;
            allMoved = false;
            break;
        }
        job->EntryFinished(path);
    }
    TellOperator(allMoved ? LOG_INFO : LOG_WARNING, "Trevand  " + job->SummaryText(tally));
    return allMoved;
}
