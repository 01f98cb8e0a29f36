// CTrevandWnd: the main cleanup window. It owns the cleanup engine for the
// role the operator chose, shows one drive selector entry per server disk,
// lists the selected drive's candidates with a check box on each row and a
// count line, and offers reload ("BtnFlush"), select all ("ChkSelectAll"),
// export ("BtnExport", the list as a CSV file beside the log), removal
// ("BtnRemove", which hands the ticked paths to a modal deletion window) and
// quarantine ("BtnQuarantine" moves the ticked entries into the quarantine
// of their disks in the same window; "BtnQuarantineList" opens the window
// that restores or purges them). After the first load a background upkeep
// purges what the quarantines kept longer than KeepDays.
// Rows show size and modified time; the label beside the count line sums
// the sizes of the listed and of the ticked rows. A click on a column title
// sorts the rows by that column, a second click reverses the order.
//
// One process-wide instance (Instance/ReleaseInstance, any thread). It is
// created hidden at start-up; its InitWindow opens the role selection
// window. Everything runs on the UI thread except DeleteListItem, which the
// deletion worker calls.
//
// Folder sizes come from a background sizer started each time a list is
// shown; its batches come back as cross-thread calls tagged with the run
// that made them, and only the current run's land, each on the row of its
// path. The sizer is stopped (joined) before a new run, before a deletion
// and before the window goes: no worker outlives it. The window never
// waits for a size.
//
// Loads that fail: the rows on screen are left as they were (an old list
// must never pass for a fresh one) and the count line says that loading
// failed and where the log is, until a load succeeds.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"
#include "ToolKit/Trevand/Trevand/AppWindowBase.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"

namespace Vellum {
class CButtonUI;
class CComboUI;
class CLabelUI;
class COptionUI;
class CEditUI;
}  // namespace Vellum

class CTrevandWnd : public CAppWindowBase {
public:
    // The one main window object, created on first use; any thread.
    static CTrevandWnd* Instance();
    // Deletes the instance if there is one; UI thread, no worker running.
    static void ReleaseInstance();
    // Whether the instance exists (no lock taken; tests and shutdown checks).
    static bool HasInstance();

    CTrevandWnd();
    const char* GetWindowClassName() const override;
    ~CTrevandWnd() override;
    void InitWindow() override;
    void OnClick(Vellum::TNotification& msg) override;
    const char* GetSkinFile() override;
    virtual void OnItemSelect(Vellum::TNotification& msg);
    void OnHeaderClick(Vellum::TNotification& msg);
    // A row's box pressed: with Shift the rows since the last box pressed
    // take its state too (TrevandWndKeys.cpp).
    void OnItemCheck(Vellum::TNotification& msg);
    // A double click on a row: its place in Explorer (TrevandWndRowMenu.cpp).
    void OnItemActivate(Vellum::TNotification& msg);
    // The row menu on WM_CONTEXTMENU.
    LRESULT HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // The filter text typed or the age chosen (TrevandWndFilters.cpp).
    void OnFilterChanged(Vellum::TNotification& msg);
    // Space, Ctrl+A, Delete and F5 (TrevandWndKeys.cpp).
    LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    // Called once by the role window: 1 master, 2 secondary; anything else
    // does nothing. Creates the engine, loads it and fills the window.
    void SelectRole(int role);
    // Loads the engine, fills the drive selector and lists the first drive.
    void FillDriveCombo();
    // Optionally reloads the engine, then lists the selected drive's
    // candidates. A load that succeeds also makes the drive selector offer
    // the disks it found (whatever earlier loads did), keeping the selected
    // drive when it is still served. False when nothing was listed (no
    // engine or controls, no drive selected or served, or the last load
    // failed).
    bool RefreshList(bool reload);

    // Any thread: asks the UI thread to take the row of `path` off the list.
    // True when the request was posted; false once the window is closing.
    bool DeleteListItem(const std::string& path);
    // UI thread: runs that request. Always true.
    bool OnDeleteListItem(std::string path);

    // UI thread: shows the folder sizes of sizer run `run`, unless a later
    // run has started since. Always true.
    bool OnFolderSizes(unsigned run, std::vector<CCandidateSizer::TFolderSize> batch);
    // Stops the sizer and waits for its thread; UI thread.
    void StopFolderSizes();

    // UI thread: shows what the quarantine upkeep did. Always true.
    bool OnUpkeepDone(const CQuarantineUpkeep::TResult& result);

    // The operator's settings file, "Trevand.ini" beside the executable.
    static std::string SettingsFile();

    // Where the operator left the window the last time (kept on a monitor
    // that is there), else centred; before it is first shown.
    void PlaceAsRemembered();
    // Shows it, maximised when it was left so.
    void ShowAsRemembered();
    // Writes where the window is, the rows' sort and the filters to
    // Trevand.ini; nothing when no role was chosen (the window never showed).
    void SaveSettings();

    // The folder exports are written to, ending in a backslash; the
    // program's log folder ("log" beside the executable) unless set.
    void SetExportFolder(const std::string& folder) { m_strExportFolder = folder; }
    const std::string& GetExportFolder() const { return m_strExportFolder; }

    // Removal steps 4 to 6: the modal deletion window deletes `paths` (in
    // this order) and returns once it has closed and its worker is done,
    // leaving its summary line in m_strLastDeletion. Virtual and public so
    // tests can stand in for it or run it as the removal does.
    virtual void RunDeletion(const std::list<std::string>& paths);

    // For tests only: the rows, the engine and the state behind them.
    const CListItemTable& RowsForTests() const { return m_rows; }
    CTrevandDB* EngineForTests() const { return m_pTrevandDB.get(); }
    bool LastLoadFailedForTests() const { return m_bLoadFailed; }
    bool FolderSizesRunningForTests() const { return m_sizer.IsRunningForTests(); }
    const CQuarantineUpkeep& UpkeepForTests() const { return m_upkeep; }

protected:
    // What the last deletion did ("已删除 2 项，释放 …"), or the last move into
    // the quarantine, or the upkeep; empty when there is nothing to say. The
    // line under the list shows it after m_strLastRunWord.
    std::string m_strLastDeletion;
    std::string m_strLastRunWord = "上次删除：";
    // Set when a request to end the program came during the last deletion:
    // the quit message is posted again and nothing is reloaded.
    bool m_bEnding = false;

private:
    void OnRemove();
    // "BtnRemove" and "BtnQuarantine" work only while the rows come from the
    // last load; neither they nor "BtnQuarantineList" while the upkeep runs
    // in the quarantines.
    void UpdateRemoveEnabled();
    // While a run is being set up: UpdateRemoveEnabled ends it.
    void DisableActions();
    // The quarantine (TrevandWndQuarantine.cpp).
    void OnQuarantine();
    void OnQuarantineList();
    // Once, after the first load that found the disks.
    void StartQuarantineUpkeep();
    // The letters of the loaded server disks.
    std::vector<char> ServerDrives() const;
    // Makes the drive selector offer the loaded server disks; when its
    // entries change, the drive kept (or the first) is selected, which lists
    // it. True when the entries changed.
    bool SyncDriveSelector();
    // A load found no server disk: no drive to select, no rows.
    void ShowNoDisk();
    // Shows m_strLastDeletion under the list ("上次删除：…"), or nothing.
    void ShowLastDeletion();
    // Writes the listed candidates to a CSV file and tells the operator
    // where it is, or that it could not be written.
    void OnExport();
    // Reads Trevand.ini's settings and applies the sort (TrevandWndSettings.cpp).
    void ReadSettings();
    // Finds the filter controls and gives them what Trevand.ini remembers.
    void InitFilters();
    // Shows the rows that pass the filters as they are set now.
    void ApplyFilters();
    // Takes the filters' values from their controls into m_settings.
    void ReadFilterControls();
    // "，显示 M / N" while the filters hide rows; "" otherwise.
    std::string ShownOfText() const;
    // The menu of the row under `lParam` (screen point; -1: the selected
    // row, from the keyboard); false when there is no row there.
    bool OnRowMenu(LPARAM lParam);
    // Explorer on the folder of `path`, with the entry selected.
    void OpenRowPlace(const std::string& path);
    // The keys of OnKeyDown; true when `key` was one of them.
    bool OnListKey(WPARAM key);
    // After ticks changed: the totals and "全选".
    void AfterTicksChanged();
    // "全选" ticked exactly when every row shown is; a posted call of it runs
    // after the box has changed its own state.
    void ShowSelectAllTruth();
    bool OnSelectAllTruth();
    // The sums beside the count line, from the rows as they are now.
    void UpdateTotals();
    // The same within 100 ms, once for a burst of row removals.
    void UpdateTotalsSoon();
    LRESULT OnTimer(WPARAM wParam) override;
    // A new sizer run over the listed folders whose size is unknown, in the
    // rows' order.
    void StartFolderSizes();
    // Runs LoadDB with the count line saying so and the wait cursor up;
    // records whether it failed.
    void LoadWithFeedback();
    // The count line for drive `letter` with `count` candidates.
    void SetCountText(char letter, int count);
    // The count line for the rows listed: their drive's count, or the load
    // failure while the list is stale; either with "显示 M / N" while the
    // filters hide rows.
    void ShowListCount();
    void ShowCountText(const char* text);

    std::unique_ptr<CTrevandDB> m_pTrevandDB;
    CListItemTable m_rows;
    Vellum::CComboUI* m_pCombo = nullptr;
    Vellum::CLabelUI* m_pCountLabel = nullptr;
    Vellum::CLabelUI* m_pTotalLabel = nullptr;
    Vellum::CButtonUI* m_pBtnRemove = nullptr;
    Vellum::CButtonUI* m_pBtnQuarantine = nullptr;
    Vellum::CButtonUI* m_pBtnQuarantineList = nullptr;
    Vellum::COptionUI* m_pChkSelectAll = nullptr;
    Vellum::CButtonUI* m_pBtnFlush = nullptr;
    Vellum::CEditUI* m_pFilterText = nullptr;
    Vellum::CComboUI* m_pFilterAge = nullptr;
    // The row whose box was pressed last (or ticked with Space): where a
    // Shift+click range starts.
    std::string m_strTickAnchor;
    // Set by a LoadDB that failed, cleared by one that succeeds.
    bool m_bLoadFailed = false;
    // The drive letter of the rows listed; 0 before any listing.
    char m_chListedDrive = 0;
    // The timer that brings the totals up to date after row removals.
    static const UINT_PTR kTotalsTimer = 0x54;
    bool m_bTotalsPending = false;
    std::string m_strExportFolder;
    CCandidateSizer m_sizer;
    // Counts the sizer's runs; a batch of an earlier run is dropped.
    unsigned m_nSizerRun = 0;
    CQuarantineUpkeep m_upkeep;
    bool m_bUpkeepStarted = false;
    // What Trevand.ini said at start; brought up to date when saved.
    TMainWindowSettings m_settings;


    VELLUM_DECLARE_NOTIFY_MAP()
};
