// CTrevandWnd's quarantine: "隔离" moves the ticked entries into the
// quarantine of their disks, "隔离区" opens the window that restores or
// purges them, and at start-up the upkeep purges what was kept long enough.
#include <map>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/DelDirWndRun.h"
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"
#include "ToolKit/Trevand/Trevand/QuarantineWnd.h"
#include "ToolKit/Trevand/Trevand/TickedTotals.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ButtonUI.h"
#include "UI/Core/UIManager.h"
#include "comm/platform/Clock.h"

namespace {

const char kUpkeepRunningText[] = "正在清理隔离区中过期的项目…";

// "将隔离所选的 3 项（共 1.2 GB）……". The sum carries a "+" while a folder's
// size is still being counted.
std::string ConfirmText(const std::vector<TListedCandidate>& ticked, int keepDays) {
    const TTickedTotals totals = SumTicked(ticked);
    // Kept 0 days, entries go at the next start, not "0 days" from now.
    const std::string when = keepDays == 0 ? "下次启动程序时" : std::to_string(keepDays) + " 天后";
    return "将所选的 " + std::to_string(ticked.size()) + " 项（共 " + SizeSumText(totals.nBytes, totals.bPartial) +
           "）移入所在磁盘的隔离区。\n可在“隔离区”中还原；" + when + "将被彻底删除。确定隔离吗？";
}

// The purge's counts when anything expired, then what else the upkeep found.
std::string UpkeepLineText(const CQuarantineUpkeep::TResult& result) {
    const uint32_t expired = result.tally.nDeleted + result.tally.nLeft + result.tally.nNotReached;
    std::string text = expired == 0 ? std::string() : DeletionSummaryText(result.tally);
    const std::string notes = UpkeepNotesText(result.settledHeld, result.clockRefused);
    if (!notes.empty()) text += (text.empty() ? "" : "；") + notes;
    return text;
}

}  // namespace

std::string CTrevandWnd::SettingsFile() { return Vellum::CUIManager::GetExeFolder() + "Trevand.ini"; }

std::vector<char> CTrevandWnd::ServerDrives() const {
    std::vector<char> drives;
    if (!m_pTrevandDB) return drives;
    for (const auto& disk : m_pTrevandDB->m_mapServerDisk) drives.push_back(disk.first[0]);
    return drives;
}

void CTrevandWnd::OnQuarantine() {
    if (m_bLoadFailed || m_upkeep.IsRunning()) return;
    std::vector<TListedCandidate> ticked;
    for (TListedCandidate& row : m_rows.ListedInOrder()) {
        if (row.bChecked) ticked.push_back(std::move(row));
    }
    if (ticked.empty()) return;
    const int keepDays = quarantine::ReadKeepDays(SettingsFile());
    if (ShowMessageBox(ConfirmText(ticked, keepDays).c_str(), "提示", 4) != 1) return;

    std::list<std::string> paths;
    std::map<std::string, TQuarantineCandidate> candidates;
    for (const TListedCandidate& row : ticked) {
        paths.push_back(row.strPath);
        candidates[row.strPath].nSize = row.nSize;
        candidates[row.strPath].bSizeAtLeast = !row.bSizeKnown || row.bSizePartial;
    }
    DisableActions();
    // No walk may run over trees while they move.
    StopFolderSizes();
    const platform::WallClock now = platform::NowWallClock();
    const TDelDirOutcome outcome =
        RunDelDirWnd(m_hWnd, MakeQuarantineMoveJob(std::move(candidates), QuarantineBatchNow(now), now.seconds), paths);
    m_strLastDeletion = outcome.strSummary;
    m_strLastRunWord = "上次隔离：";
    m_bEnding = outcome.bEnding;
    // The program is about to end: no scan of the disks any more.
    if (m_bEnding) return;
    RefreshList(true);
    ShowLastDeletion();
    UpdateRemoveEnabled();
}

void CTrevandWnd::OnQuarantineList() {
    if (m_upkeep.IsRunning()) return;
    const int keepDays = quarantine::ReadKeepDays(SettingsFile());
    // Restored entries are candidates again, purged ones are gone: the list
    // follows the disks.
    if (CQuarantineWnd::ShowFor(*this, ServerDrives(), keepDays)) RefreshList(true);
}

void CTrevandWnd::StartQuarantineUpkeep() {
    if (m_bUpkeepStarted) return;
    m_bUpkeepStarted = true;
    // Disks without a quarantine need nothing; when none has one, nothing
    // runs and the operator sees nothing of it.
    const std::vector<char> drives = CQuarantineUpkeep::DrivesWithQuarantine(ServerDrives());
    if (drives.empty()) return;
    const int keepDays = quarantine::ReadKeepDays(SettingsFile());
    const bool started = m_upkeep.Start(drives, keepDays, platform::NowWallClock().seconds,
                                        [this](const CQuarantineUpkeep::TResult& result) {
                                            PostUserMessage(
                                                [result](Vellum::CWindowWnd& wnd) {
                                                    return static_cast<CTrevandWnd&>(wnd).OnUpkeepDone(result);
                                                },
                                                "QuarantineUpkeep");
                                        });
    if (!started) return;
    m_strLastDeletion = kUpkeepRunningText;
    m_strLastRunWord = "";
    ShowLastDeletion();
    UpdateRemoveEnabled();
}

bool CTrevandWnd::OnUpkeepDone(const CQuarantineUpkeep::TResult& result) {
    // The thread has handed its result over and ends by itself; joining it
    // here keeps IsRunning() honest for the buttons.
    m_upkeep.Stop();
    // Only what the operator did not start is worth a line: nothing
    // expired, nothing settled, nothing refused, nothing to say.
    if (m_strLastDeletion == kUpkeepRunningText) {
        const uint32_t expired = result.tally.nDeleted + result.tally.nLeft + result.tally.nNotReached;
        m_strLastDeletion = UpkeepLineText(result);
        m_strLastRunWord = expired == 0 ? "隔离区：" : "隔离区过期清理：";
        ShowLastDeletion();
    }
    UpdateRemoveEnabled();
    return true;
}
