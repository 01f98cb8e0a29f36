#include "support/WindowView.h"

#include "support/WaitUntil.h"

namespace testsupport {
namespace {

constexpr Rgb kText = RgbOf(0x1F2937);
constexpr Rgb kTickFill = RgbOf(0x2563EB);
constexpr Rgb kTitleBar = RgbOf(0x1E3A5F);
constexpr Rgb kSelectedEntry = RgbOf(0xDBEAFE);
// Anti-aliased glyph edges blend into the background: a wide tolerance still
// keeps the white and light grey backgrounds out.
constexpr int kTextTolerance = 70;
// Glyph pixels a row's name has at least (one narrow character has more).
constexpr int kTextPixels = 15;
// Of the 16x16 cell, the ticked box is filled blue except for its white
// tick and rounded corners (about 160 pixels); an unticked box under the
// pointer has only its 1 px ring blue (about 50).
constexpr int kTickPixels = 100;

}  // namespace

bool HasText(const Screenshot& shot, const ScreenRect& window, const ScreenRect& rect) {
    return shot.Count(window, rect, kText, kTextTolerance) >= kTextPixels;
}

bool DeletionFinishedShown(const Screenshot& shot, const ScreenRect& window) {
    const ScreenRect& bar = skinpoints::kDelDirWindow.DelDirWndProcess;
    const ScreenRect& done = skinpoints::kDelDirWindow.BtnDone;
    // The bar's round ends leave a few pixels of its track; the button's
    // text and round corners a few of its face. The bar alone is full as
    // soon as the last entry is done, the button only once the run is over.
    return shot.Count(window, bar, kTickFill, 8) >= bar.width * bar.height * 9 / 10 &&
           shot.Count(window, done, kTickFill, 8) >= done.width * done.height * 6 / 10;
}

bool TitleBarPainted(const Screenshot& shot, const ScreenRect& window) {
    // The bar's left part, where at most the caption's text is drawn on it.
    const ScreenRect bar = {2, 2, 160, 28};
    return shot.Count(window, bar, kTitleBar, 8) >= bar.width * bar.height / 2;
}

XWindow WaitForPaintedWindow(const std::string& name, int timeoutMs, const std::string& scratchPng) {
    XWindow found;
    WaitUntil(
        [&] {
            found = XWindow::Find(name);
            Screenshot shot;
            return found.Valid() && shot.Take(scratchPng) && TitleBarPainted(shot, found.Geometry());
        },
        timeoutMs, 100);
    return found.Valid() ? found : XWindow();
}

bool WaitForRowsShown(const XWindow& window, int rows, int timeoutMs, const std::string& scratchPng, int listTop) {
    return WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(scratchPng) && RowsShown(shot, window.Geometry(), listTop) == rows;
        },
        timeoutMs, 200);
}

bool RowShown(const Screenshot& shot, const ScreenRect& window, int row, int listTop) {
    return HasText(shot, window, skinpoints::RowName(row, listTop));
}

int RowsShown(const Screenshot& shot, const ScreenRect& window, int listTop) {
    int rows = 0;
    while (rows < skinpoints::kMainWindow.rowsShown && RowShown(shot, window, rows, listTop)) ++rows;
    return rows;
}

bool RowTicked(const Screenshot& shot, const ScreenRect& window, int row, int listTop) {
    return shot.Count(window, skinpoints::TickCell(row, listTop), kTickFill, 30) >= kTickPixels;
}

bool DriveListOpen(const Screenshot& shot, const ScreenRect& window) {
    // The drop-down's entries (three drives at most in our cafés); one of
    // them, 118x26, is the selected one.
    const skinpoints::Point first = skinpoints::DriveEntry(0);
    const int entry = skinpoints::kMainWindow.dropDownEntryHeight;
    const ScreenRect entries = {first.x - 58, first.y - entry / 2, 116, 3 * entry};
    return shot.Count(window, entries, kSelectedEntry, 4) >= 116 * entry / 3;
}

bool RegionChanged(const Screenshot& before, const Screenshot& after, const ScreenRect& window,
                   const ScreenRect& rect) {
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const Rgb a = before.At(window.x + x, window.y + y);
            const Rgb b = after.At(window.x + x, window.y + y);
            if (a.r != b.r || a.g != b.g || a.b != b.b) return true;
        }
    }
    return false;
}

}  // namespace testsupport
