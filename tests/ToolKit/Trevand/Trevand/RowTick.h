// Ticking a row of the main window the way the operator does: a click on
// its check box.
#pragma once

#include <string>

class CTrevandWnd;

namespace apptest {

// Scrolls the row of `path` into view, posts a click on its check box and
// handles what the click causes. False when no row shows that path.
bool ClickRowTick(CTrevandWnd& wnd, const std::string& path);

}  // namespace apptest
