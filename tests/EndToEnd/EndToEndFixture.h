// The real Trevand.exe as its own process on a fixture café, driven only from
// outside as an operator drives it: xdotool clicks and keys at the fixed
// points of the skins, windows found by their window text, what the screen
// shows read at fixed places, the program's log, its exit code, and the disks
// and databases compared with what they were before.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/AppProcess.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/Screenshot.h"
#include "support/SkinPoints.h"
#include "support/TempDir.h"
#include "support/WindowView.h"
#include "support/XWindow.h"

namespace endtoend {

using skinpoints::kDelDirWindowText;
using skinpoints::kMainWindowText;
using skinpoints::kMsgBoxText;
using skinpoints::kQuarantineWindowText;
using skinpoints::kRoleWindowText;

// Master café: download-only disk D (class "NetGames"), game disks E and F;
// E:\Games\存档 links to a folder of `outside`. Rows in list order —
// D: NetGames.tmp, NetGames\Junk; E: kRowsOfE; F: Games\Stale, x.dat.
testsupport::CafeDescription MasterCafe(const std::string& outside);
// The same game disks E and F seen from a secondary server (no D).
testsupport::CafeDescription SecondaryCafe(const std::string& outside);
// The master café with a large tree E:\Backup, the first row of E.
testsupport::CafeDescription MasterCafeWithLargeTree(const std::string& outside);
// The list rows of drive E in order (full paths).
extern const std::vector<std::string> kRowsOfE;

class EndToEnd : public ::testing::Test {
protected:
    void TearDown() override;

    // Builds the café, keeps its databases' bytes and its disks' listing,
    // and starts Trevand.exe from a copy of its folder: the role window
    // appears and the main window stays hidden.
    void Start(const testsupport::CafeDescription& desc);
    // Chooses a role and confirms: the role window goes, the main window
    // shows `rows` rows of the first drive.
    void ConfirmRole(bool secondary, int rows);
    // Switches to drive-selector entry `entry`, which lists `rows` rows.
    void SelectDrive(int entry, int rows);
    // "BtnFlush": the engine loads again and the count line comes back.
    void Reload();
    // Clicks the check boxes of `rows`; afterwards exactly `ticked` (of the
    // `shown` rows) are drawn ticked.
    void ClickTicks(const std::vector<int>& rows, const std::vector<int>& ticked, int shown);
    // "BtnRemove": the yes/no box appears.
    testsupport::XWindow AskToRemove();
    // "BtnQuarantine": the yes/no box appears.
    testsupport::XWindow AskToQuarantine();
    // "是" on the box: the deletion window appears and, once the log has a
    // line for each of `logLines`, shows its completion line.
    void ConfirmAndFinish(const testsupport::XWindow& box, const std::vector<std::string>& logLines);
    // "closebtn" on the deletion window: it goes, the main window reloads
    // and lists `rows` rows, none ticked.
    void CloseDeletionWindow(int rows);
    // Starts Trevand.exe again after it ended, from a fresh copy of its
    // folder (its own log) with `ini` as its Trevand.ini when not empty: the
    // role window appears.
    void Restart(const std::string& ini = std::string());
    // "BtnQuarantineList": the quarantine window appears and lists `rows` rows.
    testsupport::XWindow OpenQuarantineWindow(int rows);
    // Waits until the window `window` (whose list lies where the main
    // window's does) shows exactly `rows` rows.
    bool WaitForRowsIn(const testsupport::XWindow& window, int rows, int timeoutMs,
                       int listTop = skinpoints::kMainWindow.listTop) const {
        return testsupport::WaitForRowsShown(window, rows, timeoutMs, Scratch(), listTop);
    }
    // Closes the information box that shows now with Escape (its "确定").
    void CloseInfoBox();
    // "closebtn" on the main window: the process ends with exit code 0, and
    // the databases are byte for byte what they were.
    void CloseProgram();
    // The process ends by itself within `timeoutMs` with exit code 0, and
    // the databases are byte for byte what they were.
    void ExpectEndsByItself(int timeoutMs);

    // On the master café with the large tree: ticks E:\Backup and answers
    // "是"; returns the deletion window once it shows, its worker deleting
    // (an invalid window, with the failure added, when it does not show).
    testsupport::XWindow StartLargeDeletion();
    // After a request to end during StartLargeDeletion: the program ends by
    // itself within a few seconds with exit code 0, having cancelled as
    // "closebtn" does (the log says the tree was left part way), without
    // scanning again; nothing but the ticked tree changed on the disks.
    void ExpectCancelledThenEnded();
    // Posts `message` to the program's window whose text is `text`, as
    // another program (the shell, the taskbar) does.
    static bool PostFromOutside(const char* text, UINT message, WPARAM wParam);
    // The system's taskkill without /F on Trevand.exe: WM_CLOSE to every
    // top-level window of the process.
    static bool TaskKill();

    // A folder outside every disk (what the disks' links point at).
    std::string Outside() const;
    // The file of the pictures taken while waiting.
    std::string Scratch() const { return m_dir.File("screen.png"); }

    // A picture of the screen, saved as end_to_end-<test>-<name>.png.
    testsupport::Screenshot Shot(const std::string& name);
    // Waits until the main window's screen satisfies `condition`.
    bool WaitForMain(
        const std::function<bool(const testsupport::Screenshot&, const testsupport::ScreenRect&)>& condition,
        int timeoutMs);
    // Waits until the list shows exactly `rows` rows.
    bool WaitForRows(int rows, int timeoutMs);
    void ClickMain(skinpoints::Point point);

    // The log's lines ("[level]|message") and how often `line` is among them.
    std::vector<std::string> LogLines() const;
    int CountLogLines(const std::string& line) const;
    // The disks of the café and the folder outside them, file by file.
    testsupport::DiskListing ListDisks() const;
    // The same with every file's content.
    testsupport::DiskListing ListDisksWithContent() const;

    testsupport::TempDir m_dir;
    std::unique_ptr<testsupport::Cafe> m_cafe;
    std::unique_ptr<testsupport::AppProcess> m_app;
    testsupport::XWindow m_main;
    std::map<std::string, std::string> m_databases;  // path -> bytes before the run
    testsupport::DiskListing m_before;
    std::vector<char> m_letters;
    int m_loads = 0;  // load lines in the log after the last load seen
    int m_runs = 1;   // runs of the program, each from its own folder
};

}  // namespace endtoend
