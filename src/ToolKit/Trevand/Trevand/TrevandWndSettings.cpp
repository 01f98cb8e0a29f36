// CTrevandWnd's settings across runs: where the window was, the rows' sort,
// the filters — read once at start, written once at the end of the run.
#include "ToolKit/Trevand/Trevand/ListHeaderSort.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Win32/Win32Glue.h"

namespace {

TScreenRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

void CTrevandWnd::ReadSettings() {
    m_settings = ReadMainWindowSettings(SettingsFile(), kAgeFilterCount);
    // The filters' controls take their values in InitFilters.
    if (m_settings.order.IsSorted()) {
        m_rows.SetOrder(m_settings.order);
        ShowSortMark(m_rows.GetList(), THeaderSort{m_settings.order.nColumn, m_settings.order.bAscending});
    }
}

void CTrevandWnd::PlaceAsRemembered() {
    if (!m_settings.bHasPlacement) {
        CenterWindow();
        return;
    }
    std::vector<TScreenRect> areas;
    for (const RECT& area : Vellum::MonitorWorkAreas()) areas.push_back(FromRect(area));
    const SIZE smallest = m_pm.GetMinInfo();
    const TScreenRect placed = PlaceOnWorkAreas(m_settings.rcWindow, areas, smallest.cx, smallest.cy);
    ::SetWindowPos(m_hWnd, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTrevandWnd::ShowAsRemembered() {
    if (m_settings.bMaximized) ::ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    else ShowWindow(true);
}

void CTrevandWnd::SaveSettings() {
    // The operator never saw the window: where it stood hidden says nothing.
    if (!m_pTrevandDB || !m_hWnd) return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    RECT rect;
    const bool normal = !::IsZoomed(m_hWnd) && !::IsIconic(m_hWnd);
    if (normal && ::GetWindowRect(m_hWnd, &rect)) {
        m_settings.bHasPlacement = true;
        m_settings.rcWindow = FromRect(rect);
        m_settings.bMaximized = false;
    } else if (!normal && ::GetWindowPlacement(m_hWnd, &placement)) {
        // Maximised or minimised: the size it had before, so that restoring
        // it after the next start gives that size back. (Its coordinates are
        // the work area's, which are the screen's unless a task bar stands
        // at the top or left.)
        m_settings.bHasPlacement = true;
        m_settings.rcWindow = FromRect(placement.rcNormalPosition);
        m_settings.bMaximized = ::IsZoomed(m_hWnd) != FALSE;
    }
    m_settings.order = m_rows.GetOrder();
    ReadFilterControls();
    WriteMainWindowSettings(SettingsFile(), m_settings);
}
