#include "Tour.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "DemoCafe.h"
#include "support/AppProcess.h"
#include "support/Cafe.h"
#include "support/OutsideLimits.h"
#include "support/ProgramLog.h"
#include "support/Screenshot.h"
#include "support/SkinPoints.h"
#include "support/WaitUntil.h"
#include "support/WindowView.h"
#include "support/WineHost.h"
#include "support/XWindow.h"

using testsupport::AppProcess;
using testsupport::ScreenRect;
using testsupport::Screenshot;
using testsupport::WaitUntil;
using testsupport::XWindow;

namespace demo {
namespace {

using testsupport::kDeletionLimitMs;
using testsupport::kStartLimitMs;
using testsupport::kUiLimitMs;

using skinpoints::kDelDirWindowText;
using skinpoints::kMainWindowText;
using skinpoints::kMsgBoxText;
using skinpoints::kQuarantineWindowText;
using skinpoints::kRoleWindowText;
using testsupport::CountLogLines;
using testsupport::DeletedFolderLine;
using testsupport::kLoadStartLine;

class Tour {
public:
    Tour(const std::string& root, const std::string& app, const std::string& out)
        : m_out(out), m_app(app, ProgramFolder(root)) {}

    bool Run();

private:
    // Runs one step of the tour: `step` does what the operator does and waits
    // for what must follow; on success the screen is saved as NN-name.png.
    bool Step(const char* name, const std::function<bool()>& step);
    bool Fail(const std::string& why);
    // Takes a picture of the screen as the current step's PNG.
    bool Snap(Screenshot* shot);
    // Waits until the main window's screen satisfies `condition`.
    bool WaitForMain(const std::function<bool(const Screenshot&, const ScreenRect&)>& condition, int timeoutMs);
    bool ClickMain(skinpoints::Point point) { return m_main.Click(point.x, point.y); }
    // The file of the pictures taken while waiting.
    std::string Scratch() const { return m_out + "\\screen.png"; }

    bool StartProgram();
    bool ChooseRole();
    bool ConfirmRole();
    bool OpenDriveList();
    bool SelectDrive(int entry);
    bool Tick();
    bool AskToRemove();
    bool ConfirmRemoval();
    bool DeletionFinished();
    bool CloseDeletionWindow();
    bool FilterList();
    bool OpenRowMenu();
    bool ClearFilter();
    bool SortBySize();
    bool TickFirst();
    bool AskToQuarantine();
    bool QuarantineFinished();
    bool OpenQuarantine();
    bool Restore();
    bool CloseQuarantine();
    bool CloseProgram();
    // How many lines of the log begin with `prefix` ("[Info]|Trevand  隔离").
    int CountLogLinesStarting(const std::string& prefix) const;

    std::string m_out;
    AppProcess m_app;
    bool m_secondary = false;
    int m_step = 0;
    std::string m_stepName;
    std::string m_problem;
    XWindow m_main;
    XWindow m_box;
    XWindow m_deletion;
    XWindow m_quarantine;
    Screenshot m_before;  // the main window before the last action that changes it
    int m_loads = 0;      // load lines in the log before the last reload
    int m_rowsBeforeQuarantine = 0;
};

bool Tour::Fail(const std::string& why) {
    m_problem = why;
    return false;
}

bool Tour::Snap(Screenshot* shot) {
    char name[16];
    std::snprintf(name, sizeof(name), "%02d-", m_step);
    const std::string file = m_out + "\\" + name + m_stepName + ".png";
    return shot->Take(file) || Fail("cannot take the screenshot " + file);
}

bool Tour::Step(const char* name, const std::function<bool()>& step) {
    ++m_step;
    m_stepName = name;
    m_problem.clear();
    const auto start = std::chrono::steady_clock::now();
    const bool ok = step();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %02d %-26s %5.1f s%s%s\n", ok ? "  ok  " : "FAILED", m_step, name, seconds,
                m_problem.empty() ? "" : "  ", m_problem.c_str());
    std::fflush(stdout);
    return ok;
}

bool Tour::WaitForMain(const std::function<bool(const Screenshot&, const ScreenRect&)>& condition, int timeoutMs) {
    return WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && condition(shot, m_main.Geometry());
        },
        timeoutMs, 200);
}

bool Tour::StartProgram() {
    if (!m_app.Ready()) return Fail("cannot copy the program folder");
    if (!m_app.Start()) return Fail("cannot start Trevand.exe");
    if (!testsupport::WaitForPaintedWindow(kRoleWindowText, kStartLimitMs, Scratch()).Valid()) {
        return Fail("the role window did not appear");
    }
    // The main window is created shown and hidden once start-up is through.
    if (!XWindow::WaitGone(kMainWindowText, kUiLimitMs)) return Fail("the main window shows before a role is chosen");
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::ChooseRole() {
    const XWindow role = XWindow::Find(kRoleWindowText);
    const skinpoints::Point option =
        m_secondary ? skinpoints::kRoleWindow.SecondaryServerCheck : skinpoints::kRoleWindow.MasterServerCheck;
    if (!role.Click(option.x, option.y)) return Fail("cannot click the role option");
    // The chosen option's ring gets its blue dot (x 28..44 beside the text).
    const ScreenRect dot = {30, option.y - 6, 12, 12};
    const bool chosen = WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && shot.Count(role.Geometry(), dot, testsupport::RgbOf(0x2563EB), 40) >= 20;
        },
        kUiLimitMs, 200);
    if (!chosen) return Fail("the option does not show as chosen");
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::ConfirmRole() {
    const XWindow role = XWindow::Find(kRoleWindowText);
    const skinpoints::Point ok = skinpoints::kRoleWindow.OkButton;
    if (!role.Click(ok.x, ok.y)) return Fail("cannot click OK");
    if (!XWindow::WaitGone(kRoleWindowText, kUiLimitMs)) return Fail("the role window stayed");
    m_main = testsupport::WaitForPaintedWindow(kMainWindowText, kUiLimitMs, Scratch());
    if (!m_main.Valid()) return Fail("the main window did not appear");
    // The first drive's rows are listed once the disks are scanned.
    if (!WaitForMain([](const Screenshot& s, const ScreenRect& w) { return testsupport::RowShown(s, w, 0); },
                     kStartLimitMs)) {
        return Fail("no rows listed on the first drive");
    }
    return Snap(&m_before);
}

bool Tour::OpenDriveList() {
    if (!ClickMain(skinpoints::kMainWindow.TrevandComBox)) return Fail("cannot click the drive selector");
    if (!WaitForMain(testsupport::DriveListOpen, kUiLimitMs)) {
        return Fail("the drive list did not open");
    }
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::SelectDrive(int entry) {
    if (!ClickMain(skinpoints::DriveEntry(entry))) return Fail("cannot click the drive entry");
    // Another drive: another count line.
    const Screenshot before = m_before;
    if (!WaitForMain(
            [&](const Screenshot& s, const ScreenRect& w) {
                return testsupport::RegionChanged(before, s, w, skinpoints::kMainWindow.countLabel) &&
                       testsupport::RowShown(s, w, 1);
            },
            kUiLimitMs)) {
        return Fail("the list did not change to the drive chosen");
    }
    return Snap(&m_before);
}

// The path column of row `row`: a click there selects the row.
skinpoints::Point RowPath(int row) { return {400, skinpoints::RowTop(row) + 13}; }

// By keyboard, as an operator with a long list works: a click selects the
// first row, Space ticks it, Down and Space tick the next.
bool Tour::Tick() {
    if (!ClickMain(RowPath(0))) return Fail("cannot click the first row");
    for (const char* key : {"space", "Down", "space"}) {
        if (!m_main.PressKey(key)) return Fail(std::string("cannot press ") + key);
    }
    if (!WaitForMain(
            [](const Screenshot& s, const ScreenRect& w) {
                return testsupport::RowTicked(s, w, 0) && testsupport::RowTicked(s, w, 1) &&
                       !testsupport::RowTicked(s, w, 2);
            },
            kUiLimitMs)) {
        return Fail("the first two rows do not show ticked");
    }
    return Snap(&m_before);
}

// The Delete key asks as "删除" does; the question's second line says what goes.
bool Tour::AskToRemove() {
    if (!m_main.PressKey("Delete")) return Fail("cannot press Delete");
    m_box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    if (!m_box.Valid()) return Fail("no confirmation box");
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::ConfirmRemoval() {
    const ScreenRect box = m_box.Geometry();
    const skinpoints::Point yes = skinpoints::MsgBoxPoints(box.width, box.height).BtnOk;
    m_loads = CountLogLines(m_app.TodaysLog(), kLoadStartLine);
    if (!m_box.Click(yes.x, yes.y)) return Fail("cannot click 是");
    m_deletion = testsupport::WaitForPaintedWindow(kDelDirWindowText, kUiLimitMs, Scratch());
    if (!m_deletion.Valid()) return Fail("the deletion window did not appear");
    Screenshot shot;
    if (!Snap(&shot)) return false;
    // The large old install takes a while: the picture shows the window at
    // work, with no completion line yet (and the log agrees: the install's
    // line is written once it is gone).
    if (testsupport::DeletionFinishedShown(shot, m_deletion.Geometry()) ||
        CountLogLines(m_app.TodaysLog(), DeletedFolderLine(TourTickedFirst())) != 0) {
        return Fail("the deletion was over before the picture");
    }
    return true;
}

bool Tour::DeletionFinished() {
    const std::string log = m_app.TodaysLog();
    for (const std::string& entry : {TourTickedFirst(), TourTickedSecond()}) {
        if (!testsupport::WaitForLogLine(log, DeletedFolderLine(entry), kDeletionLimitMs) ||
            CountLogLines(log, DeletedFolderLine(entry)) != 1) {
            return Fail("the log does not say once that " + entry + " was deleted");
        }
    }
    const bool shown = WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && testsupport::DeletionFinishedShown(shot, m_deletion.Geometry());
        },
        kUiLimitMs, 200);
    if (!shown) return Fail("the deletion window shows no completion line");
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::CloseDeletionWindow() {
    const skinpoints::Point close = skinpoints::kDelDirWindow.closebtn;
    if (!m_deletion.Click(close.x, close.y)) return Fail("cannot click the deletion window's close button");
    if (!XWindow::WaitGone(kDelDirWindowText, kUiLimitMs)) return Fail("the deletion window stayed");
    // The main window reloads: one more load line, and the rows left unticked.
    const std::string log = m_app.TodaysLog();
    if (!WaitUntil([&] { return CountLogLines(log, kLoadStartLine) > m_loads; }, kStartLimitMs, 200)) {
        return Fail("the list was not reloaded");
    }
    if (!WaitForMain(
            [](const Screenshot& s, const ScreenRect& w) {
                return testsupport::RowShown(s, w, 0) && !testsupport::RowTicked(s, w, 0) &&
                       !testsupport::RowTicked(s, w, 1);
            },
            kUiLimitMs)) {
        return Fail("the refreshed list still shows the ticked rows");
    }
    Screenshot shot;
    return Snap(&shot);
}

// "zip" typed into the filter box: only the row of 更新补丁.zip is left, and
// the count line says how many of the drive's rows are shown.
bool Tour::FilterList() {
    if (!ClickMain(skinpoints::kMainWindow.FilterText)) return Fail("cannot click the filter box");
    if (!testsupport::RunUnixCommand({"xdotool", "type", "--delay", "80", "zip"})) return Fail("cannot type");
    if (!WaitForMain([](const Screenshot& s, const ScreenRect& w) { return testsupport::RowsShown(s, w) == 1; },
                     kUiLimitMs)) {
        return Fail("the filter did not leave one row");
    }
    Screenshot shot;
    return Snap(&shot);
}

// A right click on the row: the system's menu with its place, its path and its tick.
bool Tour::OpenRowMenu() {
    const ScreenRect window = m_main.Geometry();
    const skinpoints::Point row = RowPath(0);
    Screenshot before;
    if (!before.Take(Scratch())) return Fail("cannot take a picture of the screen");
    if (!testsupport::RunUnixCommand({"xdotool", "mousemove", std::to_string(window.x + row.x),
                                      std::to_string(window.y + row.y), "click", "3"})) {
        return Fail("cannot right-click the row");
    }
    // The menu opens at the pointer, to its right and below.
    const ScreenRect menu = {row.x + 6, row.y + 6, 100, 60};
    if (!WaitForMain([&](const Screenshot& s, const ScreenRect& w) { return testsupport::RegionChanged(before, s, w, menu); },
                     kUiLimitMs)) {
        return Fail("no menu");
    }
    Screenshot shot;
    return Snap(&shot);
}

// Escape closes the menu; in the box Escape clears the filter, and every row is back.
bool Tour::ClearFilter() {
    if (!m_main.PressKey("Escape")) return Fail("cannot close the menu");
    if (!ClickMain(skinpoints::kMainWindow.FilterText)) return Fail("cannot click the filter box");
    if (!m_main.PressKey("Escape")) return Fail("cannot clear the filter");
    if (!WaitForMain([](const Screenshot& s, const ScreenRect& w) { return testsupport::RowsShown(s, w) > 1; },
                     kUiLimitMs)) {
        return Fail("the rows did not come back");
    }
    Screenshot shot;
    return Snap(&shot);
}

// Two clicks on the size column's title: the largest entries first, an
// arrow in the title. Each click reorders the rows, so the first row's name
// changes each time.
bool Tour::SortBySize() {
    for (int click = 0; click < 2; ++click) {
        Screenshot before;
        if (!before.Take(Scratch())) return Fail("cannot take a picture of the screen");
        if (!ClickMain(skinpoints::kSizeHeader)) return Fail("cannot click the size column's title");
        if (!WaitForMain(
                [&](const Screenshot& s, const ScreenRect& w) {
                    return testsupport::RegionChanged(before, s, w, skinpoints::RowName(0));
                },
                kUiLimitMs)) {
            return Fail("the rows did not change their order");
        }
    }
    Screenshot shot;
    return Snap(&shot);
}

int Tour::CountLogLinesStarting(const std::string& prefix) const {
    int count = 0;
    for (const std::string& line : testsupport::LogMessages(m_app.TodaysLog())) count += line.rfind(prefix, 0) == 0;
    return count;
}

// The largest entry, first since the sort, is ticked for the quarantine.
bool Tour::TickFirst() {
    if (!ClickMain(skinpoints::RowTick(0))) return Fail("cannot click a row's check box");
    if (!WaitForMain([](const Screenshot& s, const ScreenRect& w) { return testsupport::RowTicked(s, w, 0); },
                     kUiLimitMs)) {
        return Fail("the first row does not show ticked");
    }
    Screenshot shot;
    if (!Snap(&shot)) return false;
    m_rowsBeforeQuarantine = testsupport::RowsShown(shot, m_main.Geometry());
    return true;
}

bool Tour::AskToQuarantine() {
    if (!ClickMain(skinpoints::kMainWindow.BtnQuarantine)) return Fail("cannot click 隔离");
    m_box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    if (!m_box.Valid()) return Fail("no confirmation box");
    Screenshot shot;
    return Snap(&shot);
}

// "是": the entry moves into its disk's quarantine in one rename, so the
// window is done at once; its close button brings back the reloaded list.
bool Tour::QuarantineFinished() {
    const ScreenRect box = m_box.Geometry();
    const skinpoints::Point yes = skinpoints::MsgBoxPoints(box.width, box.height).BtnOk;
    m_loads = CountLogLines(m_app.TodaysLog(), kLoadStartLine);
    if (!m_box.Click(yes.x, yes.y)) return Fail("cannot click 是");
    m_deletion = testsupport::WaitForPaintedWindow(kDelDirWindowText, kUiLimitMs, Scratch());
    if (!m_deletion.Valid()) return Fail("the quarantine's window did not appear");
    const bool shown = WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && testsupport::DeletionFinishedShown(shot, m_deletion.Geometry());
        },
        kUiLimitMs, 200);
    if (!shown) return Fail("the quarantine's window shows no completion line");
    if (CountLogLinesStarting("[Info]|Trevand  隔离") != 1) return Fail("the log does not say once what moved");
    Screenshot shot;
    if (!Snap(&shot)) return false;
    const skinpoints::Point close = skinpoints::kDelDirWindow.closebtn;
    if (!m_deletion.Click(close.x, close.y)) return Fail("cannot click the window's close button");
    if (!XWindow::WaitGone(kDelDirWindowText, kUiLimitMs)) return Fail("the quarantine's window stayed");
    const std::string log = m_app.TodaysLog();
    if (!WaitUntil([&] { return CountLogLines(log, kLoadStartLine) > m_loads; }, kStartLimitMs, 200)) {
        return Fail("the list was not reloaded");
    }
    return true;
}

bool Tour::OpenQuarantine() {
    if (!ClickMain(skinpoints::kMainWindow.BtnQuarantineList)) return Fail("cannot click 隔离区");
    m_quarantine = testsupport::WaitForPaintedWindow(kQuarantineWindowText, kUiLimitMs, Scratch());
    if (!m_quarantine.Valid()) return Fail("the quarantine window did not appear");
    if (!testsupport::WaitForRowsShown(m_quarantine, 1, kUiLimitMs, Scratch(), skinpoints::kQuarantineWindow.listTop)) {
        return Fail("the quarantine window does not list the entry");
    }
    const skinpoints::Point tick = skinpoints::RowTick(0, skinpoints::kQuarantineWindow.listTop);
    if (!m_quarantine.Click(tick.x, tick.y)) return Fail("cannot tick the entry");
    Screenshot shot;
    return Snap(&shot);
}

// "还原": the entry goes back to its place, and a box says so.
bool Tour::Restore() {
    m_loads = CountLogLines(m_app.TodaysLog(), kLoadStartLine);
    const skinpoints::Point restore = skinpoints::kQuarantineWindow.BtnRestore;
    if (!m_quarantine.Click(restore.x, restore.y)) return Fail("cannot click 还原");
    m_box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    if (!m_box.Valid()) return Fail("no box says what was restored");
    if (CountLogLinesStarting("[Info]|Trevand  还原") != 1) return Fail("the log does not say once what came back");
    Screenshot shot;
    if (!Snap(&shot)) return false;
    if (!m_box.PressKey("Escape") || !XWindow::WaitGone(kMsgBoxText, kUiLimitMs)) return Fail("the box stayed");
    if (!testsupport::WaitForRowsShown(m_quarantine, 0, kUiLimitMs, Scratch(), skinpoints::kQuarantineWindow.listTop)) {
        return Fail("the restored entry is still listed");
    }
    return true;
}

// Closing the quarantine window reloads the main list: the entry is back.
bool Tour::CloseQuarantine() {
    const skinpoints::Point close = skinpoints::kQuarantineWindow.closebtn;
    if (!m_quarantine.Click(close.x, close.y)) return Fail("cannot close the quarantine window");
    if (!XWindow::WaitGone(kQuarantineWindowText, kUiLimitMs)) return Fail("the quarantine window stayed");
    const std::string log = m_app.TodaysLog();
    if (!WaitUntil([&] { return CountLogLines(log, kLoadStartLine) > m_loads; }, kStartLimitMs, 200)) {
        return Fail("the list was not reloaded after the restore");
    }
    if (!WaitForMain(
            [&](const Screenshot& s, const ScreenRect& w) {
                return testsupport::RowsShown(s, w) == m_rowsBeforeQuarantine;
            },
            kStartLimitMs)) {
        return Fail("the restored entry is not listed again");
    }
    Screenshot shot;
    return Snap(&shot);
}

bool Tour::CloseProgram() {
    if (!ClickMain(skinpoints::kMainWindow.closebtn)) return Fail("cannot click the close button");
    DWORD code = 1;
    if (!m_app.WaitForExit(kUiLimitMs, &code)) return Fail("Trevand.exe did not end");
    return code == 0 || Fail("Trevand.exe ended with exit code " + std::to_string(code));
}

bool Tour::Run() {
    m_secondary = ShowsSecondary();
    // Drives in the selector: D, E, F on the master; E, F on a secondary.
    // The ticked entries are on E.
    const int driveE = m_secondary ? 0 : 1;
    const bool ok =
        Step("role-window", [&] { return StartProgram(); }) &&
        Step(m_secondary ? "secondary-role-chosen" : "master-role-chosen", [&] { return ChooseRole(); }) &&
        Step("first-drive-list", [&] { return ConfirmRole(); }) &&
        Step("drive-selector-open", [&] { return OpenDriveList(); }) &&
        Step(m_secondary ? "drive-F-list" : "drive-E-list", [&] { return SelectDrive(driveE == 0 ? 1 : driveE); }) &&
        (!m_secondary || (Step("drive-selector-open-again", [&] { return OpenDriveList(); }) &&
                          Step("drive-E-list", [&] { return SelectDrive(driveE); }))) &&
        Step("two-rows-ticked", [&] { return Tick(); }) && Step("confirm-removal", [&] { return AskToRemove(); }) &&
        Step("deletion-running", [&] { return ConfirmRemoval(); }) &&
        Step("deletion-finished", [&] { return DeletionFinished(); }) &&
        Step("list-refreshed", [&] { return CloseDeletionWindow(); }) &&
        Step("list-filtered", [&] { return FilterList(); }) && Step("row-menu", [&] { return OpenRowMenu(); }) &&
        Step("filter-cleared", [&] { return ClearFilter(); }) &&
        Step("sorted-by-size", [&] { return SortBySize(); }) &&
        Step("largest-row-ticked", [&] { return TickFirst(); }) &&
        Step("confirm-quarantine", [&] { return AskToQuarantine(); }) &&
        Step("quarantine-finished", [&] { return QuarantineFinished(); }) &&
        Step("quarantine-window", [&] { return OpenQuarantine(); }) &&
        Step("restored", [&] { return Restore(); }) &&
        Step("list-after-restore", [&] { return CloseQuarantine(); }) &&
        Step("program-closed", [&] { return CloseProgram(); });
    if (!ok) {
        // What the screen showed when the step gave up.
        m_stepName += "-failed";
        Screenshot shot;
        Snap(&shot);
    }
    DeleteFileA(Scratch().c_str());
    const std::string log = m_app.TodaysLog();
    const std::string copy = m_out + "\\" + testsupport::TodaysLogName();
    if (!CopyFileA(log.c_str(), copy.c_str(), FALSE)) {
        std::printf("cannot copy the log %s\n", log.c_str());
        return false;
    }
    return ok;
}

}  // namespace

bool RunTour(const std::string& root, const std::string& app, const std::string& out) {
    if (!BuildDemoCafe(root)) return false;
    CreateDirectoryA(out.c_str(), nullptr);
    Tour tour(root, app, out);
    const bool ok = tour.Run();
    std::printf("%s\n", ok ? "The tour saw every step it expected." : "The tour stopped at a step that failed.");
    return ok;
}

}  // namespace demo
