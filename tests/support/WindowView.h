// What a screenshot shows of the program's windows, read at the fixed places
// of SkinPoints.h: whether a list row is there, whether its box is ticked.
// Colours are the skins' own (text 1F2937, the ticked box's fill 2563EB).
#pragma once

#include "support/Screenshot.h"
#include "support/SkinPoints.h"

namespace testsupport {

// Whether row `row` of the main window at `window` shows a name.
bool RowShown(const Screenshot& shot, const ScreenRect& window, int row, int listTop = skinpoints::kMainWindow.listTop);
// How many rows from the top show a name (at most the rows the list shows).
int RowsShown(const Screenshot& shot, const ScreenRect& window, int listTop = skinpoints::kMainWindow.listTop);
// Whether row `row`'s check box is drawn ticked (filled blue; an unticked box
// is white inside, even under the pointer).
bool RowTicked(const Screenshot& shot, const ScreenRect& window, int row, int listTop = skinpoints::kMainWindow.listTop);
// Whether the drive selector's drop-down is open below it: its entry of the
// current drive shows in the selected colour.
bool DriveListOpen(const Screenshot& shot, const ScreenRect& window);
// Whether the two pictures differ inside `rect` of the window at `window`
// (the same place in both).
bool RegionChanged(const Screenshot& before, const Screenshot& after, const ScreenRect& window, const ScreenRect& rect);
// Whether the window at `window` shows its title bar (every skin's bar is
// 1E3A5F and at least 32 high): it has painted since it was shown.
bool TitleBarPainted(const Screenshot& shot, const ScreenRect& window);
// Waits up to `timeoutMs` for the window named `name` to be shown with its
// title bar painted (a window just mapped may still be blank); pictures go
// to the scratch file `scratchPng`. Invalid when it did not come.
XWindow WaitForPaintedWindow(const std::string& name, int timeoutMs, const std::string& scratchPng);
// Waits up to `timeoutMs` until the list of `window` (any of the program's
// lists: their rows lie at the same places) shows exactly `rows` rows.
bool WaitForRowsShown(const XWindow& window, int rows, int timeoutMs, const std::string& scratchPng,
                      int listTop = skinpoints::kMainWindow.listTop);
// Whether the deletion window at `window` shows a finished run: its bar is
// full (while the worker runs, a block slides along it).
bool DeletionFinishedShown(const Screenshot& shot, const ScreenRect& window);
// Whether `rect` of the window holds text pixels (the skins' text colour).
bool HasText(const Screenshot& shot, const ScreenRect& window, const ScreenRect& rect);

}  // namespace testsupport
