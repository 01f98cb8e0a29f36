// Ticking a list row of the program's windows the way the operator does: a
// click on its check box.
#pragma once

#include <windows.h>

#include <string>

class CTrevandWnd;

namespace Vellum {
class CControlUI;
class CListUI;
}  // namespace Vellum

namespace apptest {

// Scrolls `row` of `list` (in the window `hWnd`) into view, posts a click on
// its check box and handles what the click causes.
void ClickRowCheckBox(HWND hWnd, Vellum::CListUI* list, Vellum::CControlUI* row);

// The same for the main window's row of `path`. False when no row shows
// that path.
bool ClickRowTick(CTrevandWnd& wnd, const std::string& path);

}  // namespace apptest
