#include "ToolKit/Trevand/Trevand/TrevandWnd.h"

#include <cstdio>

#include "ToolKit/Trevand/Trevand/CandidateExport.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/TickedTotals.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "ToolKit/Trevand/Trevand/ListHeaderSort.h"
#include "ToolKit/Trevand/Trevand/LogFolder.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/WindowInstance.h"
#include "UI/Window/MsgBoxWnd.h"
#include "UI/Control/ButtonUI.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/ListLabelElementUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Wnd/WaitCursor.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/MbcsCompare.h"

using Vellum::TNotification;

namespace {

// Our own count-line texts, shown instead of a count when there is none to give.
const char kScanningText[] = "正在读取配置并扫描磁盘，请稍候…";
// The load failure in two halves: while the filters hide rows of the stale
// list, how many are shown goes between them.
const char kLoadFailedText[] = "读取配置或扫描磁盘失败，列表未更新";
const char kLoadFailedHint[] = "；详见程序目录下 log 文件夹中的日志";
const char kNoDiskText[] = "未找到服务器磁盘";

// "共 812.4 GB，已选 120.0 GB". A sum that still misses a folder's size
// carries a "+": a partial sum must never pass for the whole.
std::string TotalsText(const TSizeTotals& totals) {
    return "共 " + SizeSumText(totals.nListed, totals.bListedPartial) + "，已选 " +
           SizeSumText(totals.nChecked, totals.bCheckedPartial);
}

// "E:\Games\x" gives "E:\"; a path without a backslash gives "".
std::string DrivePrefix(const std::string& path) {
    const size_t slash = path.find('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

VELLUM_BEGIN_NOTIFY_MAP(CTrevandWnd, CAppWindowBase)
VELLUM_ON_NOTIFY("click", "", &CTrevandWnd::OnClick)
VELLUM_ON_NOTIFY("itemselect", "", &CTrevandWnd::OnItemSelect)
VELLUM_ON_NOTIFY("headerclick", "", &CTrevandWnd::OnHeaderClick)
VELLUM_ON_NOTIFY("itemcheck", "", &CTrevandWnd::OnItemCheck)
VELLUM_ON_NOTIFY("itemactivate", "", &CTrevandWnd::OnItemActivate)
VELLUM_ON_NOTIFY("textchanged", "FilterText", &CTrevandWnd::OnFilterChanged)
VELLUM_END_NOTIFY_MAP()

CTrevandWnd* CTrevandWnd::Instance() { return CWindowInstanceT<CTrevandWnd>::Instance(); }

void CTrevandWnd::ReleaseInstance() { CWindowInstanceT<CTrevandWnd>::Release(); }

bool CTrevandWnd::HasInstance() { return CWindowInstanceT<CTrevandWnd>::Exists(); }

CTrevandWnd::CTrevandWnd() : m_strExportFolder(ProgramLogFolder()) {}

const char* CTrevandWnd::GetWindowClassName() const { return "CTrevandWnd"; }

const char* CTrevandWnd::GetSkinFile() { return "TrevandWnd.xml"; }

CTrevandWnd::~CTrevandWnd() {
    // The workers' threads first: their sinks reach this window. The
    // upkeep stops part way; what it left is purged at a later start.
    StopFolderSizes();
    m_upkeep.Stop();
    // Then the window: no message may reach the engine or the rows while
    // they go.
    ReleaseNativeWindow();
    m_pTrevandDB.reset();
    m_rows.Clear();
}

void CTrevandWnd::InitWindow() {
    if (Vellum::CControlUI* list = m_pm.FindControl("TrevandList"))
        m_rows.SetList(static_cast<Vellum::CListUI*>(list->GetInterface("List")));
    if (Vellum::CControlUI* combo = m_pm.FindControl("TrevandComBox"))
        m_pCombo = static_cast<Vellum::CComboUI*>(combo->GetInterface("Combo"));
    if (Vellum::CControlUI* label = m_pm.FindControl("ClearCountLabel"))
        m_pCountLabel = static_cast<Vellum::CLabelUI*>(label->GetInterface("Label"));
    if (Vellum::CControlUI* label = m_pm.FindControl("SizeTotalLabel"))
        m_pTotalLabel = static_cast<Vellum::CLabelUI*>(label->GetInterface("Label"));
    if (Vellum::CControlUI* button = m_pm.FindControl("BtnFlush"))
        m_pBtnFlush = static_cast<Vellum::CButtonUI*>(button->GetInterface("Button"));
    if (Vellum::CControlUI* button = m_pm.FindControl("BtnRemove"))
        m_pBtnRemove = static_cast<Vellum::CButtonUI*>(button->GetInterface("Button"));
    if (Vellum::CControlUI* button = m_pm.FindControl("BtnQuarantine"))
        m_pBtnQuarantine = static_cast<Vellum::CButtonUI*>(button->GetInterface("Button"));
    if (Vellum::CControlUI* button = m_pm.FindControl("BtnQuarantineList"))
        m_pBtnQuarantineList = static_cast<Vellum::CButtonUI*>(button->GetInterface("Button"));
    if (Vellum::CControlUI* check = m_pm.FindControl("ChkSelectAll"))
        m_pChkSelectAll = static_cast<Vellum::COptionUI*>(check->GetInterface("Option"));
    ReadSettings();
    InitFilters();

    CSelectServerClassWnd* role = CSelectServerClassWnd::Instance();
    // Shown once centred (not created visible, which would flash it at 0,0).
    role->Create(nullptr, "CSelectServerClassWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    role->CenterWindow();
    role->ShowWindow(true);
}

void CTrevandWnd::SelectRole(int role) {
    Vellum::CControlUI* title = m_pm.FindControl("TitleLable");
    if (role == 1) {
        if (title) title->SetText("Zervan主服务器游戏盘清理");
        m_pTrevandDB.reset(new CMasterTrevandDB);
    } else if (role == 2) {
        if (title) title->SetText("Zervan副服务器游戏盘清理");
        m_pTrevandDB.reset(new CSecondaryTrevandDB);
    } else {
        return;
    }
    FillDriveCombo();
}

void CTrevandWnd::FillDriveCombo() {
    // A successful load fills the selector and lists its first drive.
    RefreshList(true);
}

void CTrevandWnd::ShowNoDisk() {
    m_pCombo->RemoveAll();
    // Rows of a disk no longer served must not stay deletable.
    m_rows.Sync(UnLoadPathList());
    m_chListedDrive = 0;
    UpdateTotals();
    ShowSelectAllTruth();
    ShowCountText(kNoDiskText);
}

bool CTrevandWnd::SyncDriveSelector() {
    std::vector<std::string> drives;
    for (const auto& disk : m_pTrevandDB->m_mapServerDisk) {
        char text[8];
        std::snprintf(text, sizeof(text), "%c:\\", disk.first[0]);
        drives.push_back(text);
    }
    std::vector<std::string> offered;
    for (int i = 0; i < m_pCombo->GetCount(); ++i) offered.push_back(m_pCombo->GetItemAt(i)->GetText().ToStdString());
    if (drives == offered) return false;

    // Another set of disks than the selector offers: the first load, one
    // after loads that failed or found none, or a disk added or gone since.
    const std::string selected = m_pCombo->GetText().ToStdString();
    m_pCombo->RemoveAll();
    int select = 0;
    for (size_t i = 0; i < drives.size(); ++i) {
        auto* entry = new Vellum::CListLabelElementUI;
        entry->SetText(drives[i].c_str());
        m_pCombo->Add(entry);
        if (drives[i] == selected) select = static_cast<int>(i);
    }
    // Sends "itemselect" at once: OnItemSelect lists the drive.
    m_pCombo->SelectItem(select, false);
    return true;
}

void CTrevandWnd::LoadWithFeedback() {
    ShowCountText(kScanningText);
    // Paint now: the load below keeps the UI thread busy, and a window
    // that shows nothing while the disks are scanned looks hung.
    ::UpdateWindow(m_hWnd);
    Vellum::CWaitCursor wait;
    m_bLoadFailed = !m_pTrevandDB->LoadDB();
}

bool CTrevandWnd::RefreshList(bool reload) {
    if (!m_pTrevandDB || !m_pCombo || !m_pCountLabel || !m_pBtnRemove) return false;
    StopFolderSizes();
    if (reload) {
        LoadWithFeedback();
        UpdateRemoveEnabled();
        if (!m_bLoadFailed && m_pTrevandDB->m_mapServerDisk.empty()) {
            ShowNoDisk();
            return false;
        }
        if (!m_bLoadFailed) StartQuarantineUpkeep();
        // A selector filled anew has listed its drive already.
        if (!m_bLoadFailed && SyncDriveSelector()) return true;
    }
    if (m_bLoadFailed) {
        // The engine still holds an older scan: listing it would offer
        // entries that are registered or deleted since as if fresh.
        ShowListCount();
        // The old rows stay; their folders not sized yet still get sized.
        StartFolderSizes();
        return false;
    }
    const std::string drive = m_pCombo->GetText().ToStdString();
    if (drive.empty()) return false;
    UnLoadPathMap candidates;
    m_pTrevandDB->GetUnLoadGamePath(candidates);

    UnLoadPathList list;
    for (const auto& candidate : candidates) {
        if (platform::EqualIgnoringCase936(DrivePrefix(candidate.second.strPath), drive))
            list.push_back(candidate.second);
    }
    m_rows.Sync(list);
    m_chListedDrive = drive[0];
    SetCountText(drive[0], static_cast<int>(list.size()));
    UpdateTotals();
    ShowSelectAllTruth();
    StartFolderSizes();
    return true;
}

void CTrevandWnd::StartFolderSizes() {
    StopFolderSizes();
    const unsigned run = ++m_nSizerRun;
    std::vector<std::string> folders;
    for (const ListRowInfo* entry : m_rows.InListOrder()) {
        if (entry->bDir && !entry->bSizeKnown) folders.push_back(entry->strPath);
    }
    if (folders.empty()) return;
    m_sizer.Start(std::move(folders), [this, run](std::vector<CCandidateSizer::TFolderSize>&& batch) {
        // Refused once the window is closing; the batch then goes with it.
        PostUserMessage(
            [run, sizes = std::move(batch)](Vellum::CWindowWnd& wnd) mutable {
                return static_cast<CTrevandWnd&>(wnd).OnFolderSizes(run, std::move(sizes));
            },
            "FolderSizes");
    });
}

void CTrevandWnd::StopFolderSizes() { m_sizer.Stop(); }

bool CTrevandWnd::OnFolderSizes(unsigned run, std::vector<CCandidateSizer::TFolderSize> batch) {
    // A batch of an earlier run may describe another drive, or a tree as it
    // was before a reload: it never lands, whatever rows show now.
    if (run != m_nSizerRun) return true;
    bool changed = false;
    for (const CCandidateSizer::TFolderSize& size : batch)
        changed |= m_rows.SetFolderSize(size.strPath, size.nSize, size.bPartial);
    if (!changed) return true;
    // Rows sorted by size take their place as their sizes arrive.
    if (m_rows.GetOrder().nColumn == kColumnSize) m_rows.Resort();
    UpdateTotals();
    return true;
}

void CTrevandWnd::UpdateTotals() {
    if (m_pTotalLabel) m_pTotalLabel->SetText(TotalsText(m_rows.Totals()).c_str());
}

void CTrevandWnd::SetCountText(char letter, int count) {
    const char* word = m_pTrevandDB && m_pTrevandDB->IsDownDisk(letter) ? "下载盘" : "游戏盘";
    char text[128];
    std::snprintf(text, sizeof(text), "%s：%c盘待删除文件共%d个", word, letter, count);
    ShowCountText((text + ShownOfText()).c_str());
}

void CTrevandWnd::ShowListCount() {
    if (m_bLoadFailed) {
        // The count of a list that may be stale would pass it for a fresh
        // one: the line keeps saying it is not.
        ShowCountText((kLoadFailedText + ShownOfText() + kLoadFailedHint).c_str());
    } else if (m_chListedDrive != 0) {
        SetCountText(m_chListedDrive, static_cast<int>(m_rows.Size()));
    }
}

void CTrevandWnd::ShowCountText(const char* text) {
    if (!m_pCountLabel) return;
    m_pCountLabel->SetText(text);
    // The line may be cut at the window's smallest width (the load failure
    // with its hint about the log): the tip shows it whole.
    m_pCountLabel->SetToolTip(text);
}

void CTrevandWnd::OnClick(TNotification& msg) {
    const Vellum::CUIString& name = msg.pSender->GetName();
    if (name.IsEmpty()) return;
    if (name == "closebtn") {
        QuitApplication();
    } else if (name == "BtnFlush") {
        RefreshList(true);
    } else if (name == "BtnRemove") {
        OnRemove();
    } else if (name == "ChkSelectAll") {
        // The box changes its state after notifying: the rows take the new
        // one, and the box is set right once it has (no rows: not ticked).
        if (m_pChkSelectAll) m_rows.SetAllChecked(!m_pChkSelectAll->IsSelected());
        UpdateTotals();
        PostUserMessage([](Vellum::CWindowWnd& wnd) { return static_cast<CTrevandWnd&>(wnd).OnSelectAllTruth(); },
                        "SelectAllTruth");
    } else if (name == "BtnExport") {
        OnExport();
    } else if (name == "BtnQuarantine") {
        OnQuarantine();
    } else if (name == "BtnQuarantineList") {
        OnQuarantineList();
    } else if (name == "minbtn") {
        WindowImplBase::OnClick(msg);
    }
}

void CTrevandWnd::UpdateRemoveEnabled() {
    // Rows of a scan older than the last load may be registered packages by
    // now: nothing is deleted or moved from them. While the upkeep works in
    // the quarantines, nothing else may write their records.
    const bool upkeep = m_upkeep.IsRunning();
    if (m_pBtnRemove) m_pBtnRemove->SetEnabled(!m_bLoadFailed);
    if (m_pBtnQuarantine) m_pBtnQuarantine->SetEnabled(!m_bLoadFailed && !upkeep);
    if (m_pBtnQuarantineList) m_pBtnQuarantineList->SetEnabled(!upkeep);
}

void CTrevandWnd::DisableActions() {
    if (m_pBtnRemove) m_pBtnRemove->SetEnabled(false);
    if (m_pBtnQuarantine) m_pBtnQuarantine->SetEnabled(false);
}

void CTrevandWnd::OnRemove() {
    if (m_bLoadFailed || m_rows.CountChecked() == 0) return;
    const std::string question = DeletionConfirmText(SumTicked(m_rows.ListedInOrder()));
    if (ShowMessageBox(question.c_str(), "提示", 4) != 1) return;
    DisableActions();
    std::list<std::string> paths;
    m_rows.GetCheckedPaths(paths);
    // No walk may run over trees while they are deleted.
    StopFolderSizes();
    m_strLastDeletion.clear();
    m_strLastRunWord = "上次删除：";
    m_bEnding = false;
    RunDeletion(paths);
    // The program is about to end: no scan of the disks any more.
    if (m_bEnding) return;
    RefreshList(true);
    ShowLastDeletion();
    UpdateRemoveEnabled();
}

void CTrevandWnd::ShowLastDeletion() {
    Vellum::CControlUI* label = m_pm.FindControl("LastDeletionLabel");
    if (!label) return;
    label->SetText((m_strLastRunWord + m_strLastDeletion).c_str());
    label->SetVisible(!m_strLastDeletion.empty());
}

void CTrevandWnd::OnItemSelect(TNotification& msg) {
    if (msg.pSender->GetName() == "TrevandComBox") RefreshList(false);
    else if (msg.pSender->GetName() == "FilterAge") OnFilterChanged(msg);
}

void CTrevandWnd::OnHeaderClick(TNotification& msg) {
    const int column = HeaderColumnOf(m_rows.GetList(), msg.pSender);
    if (column < 0 || column >= kColumnCount) return;
    TCandidateOrder order = m_rows.GetOrder();
    const THeaderSort sort = THeaderSort{order.nColumn, order.bAscending}.AfterClickOn(column);
    order.nColumn = sort.nColumn;
    order.bAscending = sort.bAscending;
    m_rows.SetOrder(order);
    ShowSortMark(m_rows.GetList(), sort);
}

void CTrevandWnd::OnExport() {
    // Named after the drive of the rows written, which is not the selected
    // one after a drive switch while the list is stale.
    if (m_chListedDrive == 0) return;
    const std::string drive = std::string(1, m_chListedDrive) + ":\\";
    const std::string path =
        m_strExportFolder + CandidateCsvName(m_chListedDrive, platform::ToLocalTime(platform::NowWallClock()));
    if (!WriteWholeFile(path, CandidateCsv(m_rows.ListedInOrder()))) {
        LOG_WRITE(LOG_ERROR, "the candidate list could not be written to %s", path.c_str());
        ShowMessageBox(("候选列表导出失败，无法写入文件：" + path).c_str(), "提示", 0);
        return;
    }
    LOG_WRITE(LOG_INFO, "candidate list of %s exported to %s", drive.c_str(), path.c_str());
    ShowMessageBox(("候选列表已导出到：" + path).c_str(), "提示", Vellum::kMsgBoxInformation);
}

bool CTrevandWnd::DeleteListItem(const std::string& path) {
    return PostUserMessage(
        [path](Vellum::CWindowWnd& wnd) { return static_cast<CTrevandWnd&>(wnd).OnDeleteListItem(path); },
        "DeleteListItem");
}

bool CTrevandWnd::OnDeleteListItem(std::string path) {
    if (path.empty()) return true;
    m_rows.RemoveRow(path);
    Vellum::CListUI* list = m_rows.GetList();
    SetCountText(path[0], list ? list->GetCount() : 0);
    // The totals and 全选 follow within 100 ms (both walk every row).
    UpdateTotalsSoon();
    return true;
}

void CTrevandWnd::UpdateTotalsSoon() {
    // A deletion takes rows off one by one, thousands a second; summing every
    // row again after each one would make the removals quadratic. The totals
    // follow at most every 100 ms instead.
    if (m_bTotalsPending) return;
    // Without a native window a timer would never reach us.
    m_bTotalsPending = m_hWnd && ::SetTimer(m_hWnd, kTotalsTimer, 100, nullptr) != 0;
    if (!m_bTotalsPending) AfterTicksChanged();
}

LRESULT CTrevandWnd::OnTimer(WPARAM wParam) {
    if (wParam != kTotalsTimer) return CAppWindowBase::OnTimer(wParam);
    ::KillTimer(m_hWnd, kTotalsTimer);
    m_bTotalsPending = false;
    AfterTicksChanged();
    return 0;
}
