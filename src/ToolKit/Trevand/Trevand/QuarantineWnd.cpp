#include "ToolKit/Trevand/Trevand/QuarantineWnd.h"

#include <algorithm>
#include <cstdio>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurge.h"
#include "ToolKit/Trevand/Trevand/QuarantineRestore.h"
#include "UI/Window/MsgBoxWnd.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"
#include "UI/Wnd/WaitCursor.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/AsciiCase.h"
#include "comm/platform/Clock.h"

using Vellum::TNotification;

namespace {

// Upper-cased, each letter once, in the order first given.
std::vector<char> DistinctDrives(const std::vector<char>& drives) {
    std::vector<char> distinct;
    for (char drive : drives) {
        const char letter = platform::ToUpperAscii(drive);
        if (std::find(distinct.begin(), distinct.end(), letter) == distinct.end()) distinct.push_back(letter);
    }
    return distinct;
}

// Appends the held records of `drive` to *records. False when the disk has a
// quarantine whose records could not be read (logged by the disk); a disk
// without one holds nothing.
bool ReadDisk(char drive, std::vector<TQuarantineRecord>* records) {
    CQuarantineDisk disk(drive);
    uint32_t error = 0;
    if (!disk.Open(false, &error)) return error == 0;
    std::vector<TQuarantineRecord> held = disk.Records();
    records->insert(records->end(), held.begin(), held.end());
    return true;
}

// Removes what a purge left empty on the disks of `records`: batch folders
// and, once no record is left, a disk's quarantine folder with its database,
// as the start-up upkeep does after its own purge. The purge's worker has
// closed its databases by now, so they can go.
void TidyAfterPurge(const std::vector<TQuarantineRecord>& records) {
    std::vector<char> drives;
    for (const TQuarantineRecord& record : records) drives.push_back(quarantine::DriveOfPath(record.strOriginalPath));
    for (char drive : DistinctDrives(drives)) {
        CQuarantineDisk disk(drive);
        uint32_t error = 0;
        if (disk.Open(false, &error)) disk.RemoveEmptyFolders();
    }
}

}  // namespace

VELLUM_BEGIN_NOTIFY_MAP(CQuarantineWnd, Vellum::WindowImplBase)
VELLUM_ON_NOTIFY("click", "", &CQuarantineWnd::OnClick)
VELLUM_ON_NOTIFY("headerclick", "", &CQuarantineWnd::OnHeaderClick)
VELLUM_ON_NOTIFY("itemclick", "", &CQuarantineWnd::OnItemClick)
VELLUM_END_NOTIFY_MAP()

bool CQuarantineWnd::ShowFor(Vellum::CWindowWnd& owner, const std::vector<char>& drives, int keepDays) {
    CQuarantineWnd wnd(drives, keepDays);
    // Created hidden and shown by ShowModal once centred: created visible it
    // flashes up at the corner of the screen first.
    if (!wnd.Create(owner.GetHWND(), "CQuarantineWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0)) {
        LOG_WRITE(LOG_ERROR, "the quarantine window could not be created");
        return false;
    }
    wnd.CenterWindow();
    // Returns when the window has closed, or on a quit message, which it has
    // posted again; the object's destructor then takes the window down.
    wnd.ShowModal();
    return wnd.DisksChanged();
}

CQuarantineWnd::CQuarantineWnd(const std::vector<char>& drives, int keepDays)
    : m_drives(DistinctDrives(drives)), m_nKeepDays(keepDays) {}

CQuarantineWnd::~CQuarantineWnd() {
    // No message may reach the rows while they go.
    ReleaseNativeWindow();
    m_rows.Clear();
}

const char* CQuarantineWnd::GetWindowClassName() const { return "CQuarantineWnd"; }

const char* CQuarantineWnd::GetSkinFile() { return "QuarantineWnd.xml"; }

void CQuarantineWnd::InitWindow() {
    if (Vellum::CControlUI* list = m_pm.FindControl("QuarantineList"))
        m_rows.SetList(static_cast<Vellum::CListUI*>(list->GetInterface("List")));
    if (Vellum::CControlUI* label = m_pm.FindControl("HeldLabel"))
        m_pHeldLabel = static_cast<Vellum::CLabelUI*>(label->GetInterface("Label"));
    if (Vellum::CControlUI* check = m_pm.FindControl("ChkSelectAll"))
        m_pChkSelectAll = static_cast<Vellum::COptionUI*>(check->GetInterface("Option"));
    if (Vellum::CControlUI* label = m_pm.FindControl("KeepDaysLabel")) {
        char text[96];
        std::snprintf(text, sizeof(text), "隔离的项目保留 %d 天，到期后彻底删除。", m_nKeepDays);
        label->SetText(text);
    }
    Reload();
}

void CQuarantineWnd::Reload() {
    std::vector<TQuarantineRecord> records;
    m_unreadable.clear();
    {
        Vellum::CWaitCursor wait;
        for (char drive : m_drives) {
            if (!ReadDisk(drive, &records)) m_unreadable.push_back(drive);
        }
    }
    m_rows.Sync(records, platform::NowWallClock().seconds, m_nKeepDays);
    UpdateHeld();
    UpdateControls();
}

void CQuarantineWnd::UpdateHeld() {
    std::vector<TDiskHeld> held = m_rows.HeldPerDisk(m_drives);
    for (TDiskHeld& disk : held) {
        disk.bUnreadable =
            std::find(m_unreadable.begin(), m_unreadable.end(), disk.chDrive) != m_unreadable.end();
    }
    if (m_pHeldLabel) m_pHeldLabel->SetText(HeldText(held).c_str());
}

void CQuarantineWnd::UpdateControls() {
    const bool any = m_rows.Size() > 0;
    for (const char* name : {"BtnPurgeAll", "ChkSelectAll"}) {
        if (Vellum::CControlUI* control = m_pm.FindControl(name)) control->SetEnabled(any);
    }
    UpdateTickedActions();
    if (m_pChkSelectAll) m_pChkSelectAll->Selected(any && m_rows.CountChecked() == static_cast<int>(m_rows.Size()));
}

void CQuarantineWnd::UpdateTickedActions() {
    // A button that looks ready but does nothing when pressed reads as broken.
    const bool ticked = m_rows.CountChecked() > 0;
    for (const char* name : {"BtnRestore", "BtnPurge"}) {
        if (Vellum::CControlUI* control = m_pm.FindControl(name)) control->SetEnabled(ticked);
    }
}

void CQuarantineWnd::OnClick(TNotification& msg) {
    const Vellum::CUIString& name = msg.pSender->GetName();
    if (name.IsEmpty()) return;
    if (name == "closebtn") {
        if (!OnCloseRequest()) Close(8);
    } else if (m_bPurging) {
        // The purge's last messages are handled with this window enabled
        // again: nothing starts before it has returned.
        return;
    } else if (name == "BtnRestore") {
        OnRestore();
    } else if (name == "BtnPurge") {
        OnPurge(false);
    } else if (name == "BtnPurgeAll") {
        OnPurge(true);
    } else if (name == "ChkSelectAll") {
        // The box changes its state after notifying: the rows take the new one.
        if (m_pChkSelectAll) m_rows.SetAllChecked(!m_pChkSelectAll->IsSelected());
        UpdateTickedActions();
    }
}

void CQuarantineWnd::OnItemClick(TNotification&) {
    // A press on a row's box has ticked or cleared it already.
    UpdateControls();
}

void CQuarantineWnd::OnHeaderClick(TNotification& msg) {
    const int column = HeaderColumnOf(m_rows.GetList(), msg.pSender);
    if (column < 0 || column >= kQuarantineColumnCount) return;
    m_sort = m_sort.AfterClickOn(column);
    TCandidateOrder order;
    // The days left follow from the quarantine time alone, oldest first
    // being fewest days left first.
    order.nColumn = column == kColumnDaysLeft ? kColumnModified : column;
    order.bAscending = m_sort.bAscending;
    m_rows.SetOrder(order);
    ShowSortMark(m_rows.GetList(), m_sort);
}

void CQuarantineWnd::OnRestore() {
    const std::vector<TQuarantineRecord> ticked = m_rows.CheckedRecords();
    if (ticked.empty()) return;
    TRestoreOutcome outcome;
    {
        Vellum::CWaitCursor wait;
        outcome = RestoreRecords(ticked);
    }
    for (const TQuarantineRecord& record : outcome.restored) m_rows.RemoveRecord(record);
    if (!outcome.restored.empty()) m_bDisksChanged = true;
    UpdateHeld();
    UpdateControls();
    std::vector<std::string> incomplete;
    for (const TQuarantineRecord& record : outcome.restored) {
        if (record.bIncomplete) incomplete.push_back(record.strOriginalPath);
    }
    const bool whole = outcome.refused.empty() && incomplete.empty();
    ShowMessageBox(RestoreReportText(outcome.restored.size(), outcome.refused, incomplete).c_str(), "提示",
                   whole ? Vellum::kMsgBoxInformation : 0);
}

void CQuarantineWnd::OnPurge(bool all) {
    const std::vector<TQuarantineRecord> records = all ? m_rows.AllRecords() : m_rows.CheckedRecords();
    if (records.empty()) return;
    char question[160];
    if (all) {
        std::snprintf(question, sizeof(question), "确定要清空隔离区吗？全部 %u 项将被彻底删除，无法还原。",
                      static_cast<unsigned>(records.size()));
    } else {
        std::snprintf(question, sizeof(question), "确定要彻底删除所选的 %u 项吗？删除后无法还原。",
                      static_cast<unsigned>(records.size()));
    }
    if (ShowMessageBox(question, "提示", 4) != 1) return;
    Purge(records);
}

void CQuarantineWnd::Purge(const std::vector<TQuarantineRecord>& records) {
    m_bPurging = true;
    m_bCloseAfterPurge = false;
    const std::string summary = RunQuarantinePurge(*this, records);
    m_bPurging = false;
    TidyAfterPurge(records);
    // Whatever it did, entries may have gone for good.
    m_bDisksChanged = true;
    if (Vellum::CControlUI* label = m_pm.FindControl("LastPurgeLabel")) {
        label->SetText(("上次删除：" + summary).c_str());
        label->SetVisible(!summary.empty());
    }
    if (m_bCloseAfterPurge) {
        Close(8);
        return;
    }
    Reload();
}

bool CQuarantineWnd::OnCloseRequest() {
    if (!m_bPurging) return false;
    // The deletion window takes it as the cancel request its own close is;
    // this window follows once the purge has stopped.
    m_bCloseAfterPurge = true;
    if (HWND deletion = ModalOver(m_hWnd)) ::PostMessageA(deletion, WM_CLOSE, 0, 0);
    return true;
}

LRESULT CQuarantineWnd::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    // Closing now would take the deletion window, owned by this one, down
    // with it while its worker still runs.
    bHandled = OnCloseRequest();
    return 0;
}
