// CQuarantineWnd: the "隔离区" window, modal over the main window. It lists
// every entry held in the quarantine of the server disks it is given (name,
// original place, kind, size, when it was quarantined, days left), with a
// check box on each row and, above the list, what each disk holds. A click
// on a column title sorts by that column, a second click reverses the order.
//
//   "还原" (BtnRestore): puts the ticked entries back (QuarantineRestore.h).
//     It and "彻底删除" are greyed out while no row is ticked.
//     An entry whose original place is taken now stays quarantined; a message
//     box says how many came back and which did not and why. Restored rows
//     leave the list; the others keep their ticks.
//   "彻底删除" (BtnPurge): after a yes/no box, deletes the ticked entries for
//     good through the deletion window (RunQuarantinePurge), then reads the
//     records again.
//   "清空隔离区" (BtnPurgeAll): the same for every listed entry.
//
// Escape, the system close and "closebtn" close it like any dialog. While a
// purge runs the deletion window is modal over this one and answers every
// close request as a cancel: a close request that reaches this window then
// is passed on to it as one, and this window closes once the purge has
// stopped.
//
// Records are read with each disk's quarantine opened just for the reading
// (CQuarantineDisk::Open without create: a disk with no quarantine lists
// nothing) and closed again, so no database stays open while the deletion
// worker or a restore removes an emptied quarantine folder. A disk whose
// records cannot be read says so in the totals line instead of passing for
// empty. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/ListHeaderSort.h"
#include "ToolKit/Trevand/Trevand/QuarantineRows.h"
#include "UI/Window/WindowImplBase.h"

namespace Vellum {
class CLabelUI;
class COptionUI;
}  // namespace Vellum

class CQuarantineWnd : public Vellum::WindowImplBase {
public:
    // UI thread. Shows the quarantine window modal over `owner` for the
    // server disks `drives` (letters, either case; repeats count once) with
    // entries kept `keepDays` days, and returns once it has closed. Returns
    // true when anything was restored or deleted for good while it was up:
    // the disks changed, so the owner's list is stale. A quit message that
    // came while it was up has closed it and is posted again for the
    // caller's loop (a purge running then stopped after its current entry).
    static bool ShowFor(Vellum::CWindowWnd& owner, const std::vector<char>& drives, int keepDays);

    CQuarantineWnd(const std::vector<char>& drives, int keepDays);
    ~CQuarantineWnd() override;
    const char* GetWindowClassName() const override;
    const char* GetSkinFile() override;
    void InitWindow() override;
    void OnClick(Vellum::TNotification& msg) override;
    void OnHeaderClick(Vellum::TNotification& msg);
    void OnItemClick(Vellum::TNotification& msg);

    // Escape and the system close; and a WM_CLOSE from elsewhere. While a
    // purge runs, passed on to the deletion window as a cancel request.
    bool OnCloseRequest() override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    // Reads every disk's records again and shows them: rows of records still
    // held keep their place and tick; the totals line follows.
    void Reload();

    // Whether anything was restored or deleted for good since the window
    // was made.
    bool DisksChanged() const { return m_bDisksChanged; }

    // For tests only: the rows.
    const CQuarantineRows& RowsForTests() const { return m_rows; }

private:
    void OnRestore();
    // "彻底删除" (`all` false: the ticked rows) and "清空隔离区" (all rows).
    void OnPurge(bool all);
    // Runs the purge of `records` and shows what it did; reads the records
    // again unless a close request came meanwhile.
    void Purge(const std::vector<TQuarantineRecord>& records);
    void UpdateHeld();
    // The buttons work only while there is something to work on, and
    // "全选" shows whether every row is ticked.
    void UpdateControls();
    // "还原" and "彻底删除" only while a row is ticked.
    void UpdateTickedActions();

    std::vector<char> m_drives;
    int m_nKeepDays;
    // The drives whose records could not be read at the last Reload.
    std::vector<char> m_unreadable;
    CQuarantineRows m_rows;
    THeaderSort m_sort;
    Vellum::CLabelUI* m_pHeldLabel = nullptr;
    Vellum::COptionUI* m_pChkSelectAll = nullptr;
    bool m_bDisksChanged = false;
    bool m_bPurging = false;
    // A close request came while a purge ran: the window closes after it.
    bool m_bCloseAfterPurge = false;

    VELLUM_DECLARE_NOTIFY_MAP()
};
