#include "ToolKit/Trevand/Trevand/Unattended/PolicyMoves.h"

#include <map>

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"
#include "ToolKit/Trevand/Trevand/Unattended/UnattendedRun.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/EntryDeletion.h"

namespace {

EPurgeResult PurgeResultOf(CDelDirJob::Fate fate) {
    switch (fate) {
    case CDelDirJob::Fate::kDone: return EPurgeResult::kDeleted;
    case CDelDirJob::Fate::kLeft: return EPurgeResult::kLeft;
    case CDelDirJob::Fate::kStopped: return EPurgeResult::kStopped;
    }
    return EPurgeResult::kLeft;
}

}  // namespace

TPurgeOutcome KeepQuarantines(const std::vector<char>& drives, const std::string& settingsFile, int64_t now) {
    TPurgeOutcome outcome;
    const std::vector<char> held = CQuarantineUpkeep::DrivesWithQuarantine(drives);
    if (held.empty()) return outcome;
    CQuarantineUpkeep upkeep;
    CQuarantineUpkeep::TResult result;
    bool handedOver = false;
    // The sink runs on the upkeep's thread; Wait joins it before `result` is read.
    if (!upkeep.Start(held, quarantine::ReadKeepDays(settingsFile), now,
                      [&result, &handedOver](const CQuarantineUpkeep::TResult& done) {
                          result = done;
                          handedOver = true;
                      })) {
        // Logged: what expired stays for the next start.
        TellOperator(LOG_WARNING, "Trevand  隔离区过期清理未能运行，过期的隔离项留待下次运行");
        outcome.bFinished = false;
        return outcome;
    }
    upkeep.Wait();
    // A stopped upkeep hands nothing over (and has logged what it left).
    outcome.bFinished = handedOver;
    for (const CQuarantineUpkeep::TPurged& purged : result.purged) {
        TPurgeLine line;
        line.strOriginalPath = purged.record.strOriginalPath;
        line.strStoredPath = purged.record.strStoredPath;
        line.bDir = purged.record.bDir;
        line.nQuarantined = purged.record.nQuarantined;
        line.result = PurgeResultOf(purged.fate);
        line.nFreedBytes = purged.nFreedBytes;
        outcome.lines.push_back(line);
    }
    for (const TClockNote& disk : result.clockRefused) outcome.clockRefused.push_back(disk.chDrive);
    const std::string notes = UpkeepNotesText(result.settledHeld, result.clockRefused);
    if (!notes.empty()) TellOperator(result.clockRefused.empty() ? LOG_INFO : LOG_WARNING, "Trevand  隔离区：" + notes);
    const uint32_t expired = result.tally.nDeleted + result.tally.nLeft + result.tally.nNotReached;
    if (expired != 0) {
        TellOperator(PurgeLeftNothing(outcome) ? LOG_INFO : LOG_WARNING,
                     "Trevand  隔离区过期清理：" + DeletionSummaryText(result.tally));
    }
    return outcome;
}

bool ClockBelievedForAges(const std::vector<char>& drives, int64_t now, int64_t* seen) {
    quarantine::TDiskTime latest;
    for (char drive : CQuarantineUpkeep::DrivesWithQuarantine(drives)) {
        CQuarantineDisk disk(drive);
        uint32_t error = 0;
        quarantine::TDiskTime time;
        if (!disk.Open(false, &error) || !disk.ReadTime(&time)) continue;
        if (time.nSeen > latest.nSeen) latest = time;
    }
    *seen = latest.nSeen;
    return quarantine::BelievesForAges(latest, now);
}

bool PurgeLeftNothing(const TPurgeOutcome& outcome) {
    if (!outcome.bFinished) return false;
    for (const TPurgeLine& line : outcome.lines) {
        if (line.result != EPurgeResult::kDeleted) return false;
    }
    return true;
}

void MoveIntoQuarantine(std::vector<TMoveLine>& moves, const platform::WallClock& now) {
    std::map<std::string, TQuarantineCandidate> candidates;
    for (const TMoveLine& move : moves) {
        if (move.result == EMoveResult::kWouldMove) candidates[move.row.strPath].nSize = move.row.nSize;
    }
    if (candidates.empty()) return;
    std::unique_ptr<CDelDirJob> job =
        MakeQuarantineMoveJob(std::move(candidates), QuarantineBatchNow(now), now.seconds, nullptr);
    // Nothing cancels a run without a window; a killed process leaves what
    // the next start settles.
    CEntryDeleter deleter([] { return true; });
    DeletionTally tally;
    bool allMoved = true;
    for (TMoveLine& move : moves) {
        if (move.result != EMoveResult::kWouldMove) continue;
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
}
