#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"

#include <system_error>

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurgeStep.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "comm/log/LogWriter.h"

namespace {

const char kClockRefused[] =
    "Trevand  系统时间与%s记录的最近时间（%s）相差过大，本次未清理其中过期的隔离项；请核对系统时间";

}  // namespace

CQuarantineUpkeep::~CQuarantineUpkeep() { Stop(); }

bool CQuarantineUpkeep::Start(std::vector<char> drives, int keepDays, int64_t now, DoneSink sink) {
    Stop();
    m_stopping = false;
    m_running = true;
    try {
        m_thread = std::thread([this, drives, keepDays, now, sink] { Run(drives, keepDays, now, sink); });
    } catch (const std::system_error& e) {
        m_running = false;
        LOG_WRITE(LOG_ERROR, "Trevand  无法启动隔离区清理线程（%s），过期的隔离项留待下次启动", e.what());
        return false;
    }
    return true;
}

void CQuarantineUpkeep::Stop() {
    m_stopping = true;
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
}

void CQuarantineUpkeep::Wait() {
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
}

std::vector<char> CQuarantineUpkeep::DrivesWithQuarantine(const std::vector<char>& drives) {
    std::vector<char> held;
    for (char drive : drives) {
        if (CQuarantineDisk(drive).Exists()) held.push_back(drive);
    }
    return held;
}

void CQuarantineUpkeep::Run(const std::vector<char>& drives, int keepDays, int64_t now, const DoneSink& sink) {
    TResult result;
    for (char drive : drives) {
        if (!KeepDisk(drive, keepDays, now, &result)) {
            result.tally.bCancelled = true;
            break;
        }
    }
    if (result.tally.bCancelled) {
        LOG_WRITE(LOG_WARNING, "Trevand  隔离区清理已停止：%s", DeletionSummaryText(result.tally).c_str());
    } else {
        if (sink) sink(result);
    }
    m_running = false;
}

bool CQuarantineUpkeep::KeepDisk(char drive, int keepDays, int64_t now, TResult* result) {
    CQuarantineDisk disk(drive);
    if (!disk.Exists()) return !m_stopping;
    uint32_t error = 0;
    if (!disk.Open(false, &error)) return !m_stopping;  // Open has logged why
    int held = 0;
    result->nSettled += disk.Reconcile(&held);
    if (held > 0) result->settledHeld.push_back(TSettledNote{disk.Drive(), held});
    int64_t seen = 0;
    if (!disk.KeepTime(now, keepDays, &seen).bTrusted) {
        LOG_WRITE(LOG_WARNING, kClockRefused, disk.Folder().c_str(), FormatModifiedTime(seen).c_str());
        result->clockRefused.push_back(TClockNote{disk.Drive(), seen});
        disk.RemoveEmptyFolders();
        return !m_stopping;
    }
    CEntryDeleter deleter([this] { return !m_stopping; });
    for (const TQuarantineRecord& record : disk.Records()) {
        if (m_stopping) return false;
        // Of unknown age, or links the purge never deletes: asking again at
        // every start would only say the same again.
        if (record.bTimeUnsure || record.bOnlyLinks) continue;
        if (!quarantine::IsExpired(record.nQuarantined, now, keepDays)) continue;
        const uint64_t freedBefore = result->tally.nFreedBytes;
        const CDelDirJob::Fate fate = PurgeRecord(disk, record, deleter, &result->tally.nFreedBytes);
        result->purged.push_back({record, fate, result->tally.nFreedBytes - freedBefore});
        switch (fate) {
        case CDelDirJob::Fate::kDone: ++result->tally.nDeleted; break;
        case CDelDirJob::Fate::kLeft: ++result->tally.nLeft; break;
        case CDelDirJob::Fate::kStopped: ++result->tally.nNotReached; return false;
        }
    }
    disk.RemoveEmptyFolders();
    return !m_stopping;
}
