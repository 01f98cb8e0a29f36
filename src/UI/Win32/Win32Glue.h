// The Win32 glue the framework's layers share: reading a point from a mouse
// message, the work area of a monitor, registering a window class, and the
// tool tip. Each was written out by hand in two or three places before; a fix
// to one now reaches every caller.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Vellum {

// The signed client (or screen) point a mouse message carries in lParam:
// coordinates left of or above a window are negative, so LOWORD alone is wrong.
POINT PointFromLParam(LPARAM lParam);

// The monitor nearest to the window / point: its whole rectangle (rcMonitor)
// and the part not covered by task bars (rcWork).
MONITORINFO MonitorInfoOf(HWND hWnd);
MONITORINFO MonitorInfoAt(POINT pt);
// The work areas of every monitor attached now, the primary one's first.
std::vector<RECT> MonitorWorkAreas();

// A native popup menu of `items` at the screen point `screen`, owned by
// `owner`; returns the index of the item chosen, -1 when none was (Escape, a
// click elsewhere). Items that are "" are separators.
int TrackPopupMenuAt(HWND owner, POINT screen, const std::vector<std::string>& items);

// The framework's class-registration policy: a class is registered once per
// process; a second registration of the same name counts as done (the first
// one's procedure stays). Any other failure is logged with its error code.
// Returns true when the class can be used.
bool RegisterWindowClassOnce(const WNDCLASSEXA& wc);

// The tool tip of one window: a tracking tip created on first use, shown at a
// screen point with a text and hidden again. Owns the tip's native window.
class CToolTip {
public:
    CToolTip() = default;
    ~CToolTip();
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;

    // Shows `text` at `screen` for `owner` (the window the mouse is over).
    // False when the tip window cannot be created (logged).
    bool Show(HWND owner, const char* text, POINT screen);
    // Hides the tip if it is shown; the window stays for the next Show.
    void Hide();
    HWND GetHWND() const { return m_hWnd; }

private:
    bool Create(HWND owner);

    HWND m_hWnd = nullptr;
    HWND m_hOwner = nullptr;
    bool m_bShown = false;
};

}  // namespace Vellum
