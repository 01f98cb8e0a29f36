#include "EndToEndFixture.h"

#include <windows.h>

#include <algorithm>

#include "support/OutsideLimits.h"
#include "support/ProgramLog.h"
#include "support/WaitUntil.h"
#include "support/WindowView.h"
#include "support/WineHost.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;
using testsupport::ScreenRect;
using testsupport::Screenshot;
using testsupport::WaitUntil;
using testsupport::XWindow;

namespace endtoend {

namespace {

using testsupport::kDeletionLimitMs;
using testsupport::kStartLimitMs;
using testsupport::kUiLimitMs;

std::vector<testsupport::CafeDrive> Drives(const std::string& outside, bool withDownloadDisk) {
    std::vector<testsupport::CafeDrive> drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kFile, "Games\\单机游戏\\仙剑\\pal.exe"},
          {CafeEntry::kFile, "Games\\Old\\old.exe"},
          {CafeEntry::kReadOnlyFile, "Games\\Old\\readonly.dat"},
          {CafeEntry::kHiddenFile, "Games\\Old\\hidden.ini"},
          {CafeEntry::kFile, "Games\\Old\\sub\\x.dat"},
          {CafeEntry::kFile, "Games\\Old\\誠\\誠.dat"},
          {CafeEntry::kFile, "Games\\readme.txt"},
          {CafeEntry::kFile, "Games\\誠\\誠.txt"},
          {CafeEntry::kLink, "Games\\存档", outside + "\\存档"},
          {CafeEntry::kFile, "Temp\\t.tmp"},
          {CafeEntry::kFile, "a.txt"},
          {CafeEntry::kFile, "b.txt"},
          {CafeEntry::kHiddenFolder, "$RECYCLE.BIN"}}},
        {'F',
         {{CafeEntry::kFile, "Games\\Moved\\m.exe"},
          {CafeEntry::kFolder, "Games\\Stale"},
          {CafeEntry::kFile, "x.dat"}}},
    };
    if (withDownloadDisk) {
        drives.push_back({'D',
                          {{CafeEntry::kFile, "NetGames\\CS\\cs.exe"},
                           {CafeEntry::kFile, "NetGames\\Junk\\j.dat"},
                           {CafeEntry::kFile, "NetGames.tmp"},
                           {CafeEntry::kFile, "Other\\o.dat"}}});
    }
    return drives;
}

}  // namespace

const std::vector<std::string> kRowsOfE = {
    "E:\\Games\\Old", "E:\\Games\\readme.txt", "E:\\Games\\誠", "E:\\Temp", "E:\\a.txt", "E:\\b.txt"};

CafeDescription MasterCafe(const std::string& outside) {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.downDisks = {"D"};
    desc.packages = {
        {1, "E:\\Games\\WoW", 1, "NetGames"}, {2, "E:\\Games\\单机游戏\\仙剑", 1, ""}, {3, "F:\\Games\\Moved", 1, ""}};
    desc.downPaths = {"D:\\NetGames\\CS"};
    desc.drives = Drives(outside, true);
    return desc;
}

CafeDescription SecondaryCafe(const std::string& outside) {
    CafeDescription desc;
    desc.thisMachineIsMain = false;
    desc.vdisks = {"E", "F"};
    desc.vdiskPackages = {"E:\\Games\\WoW", "E:\\Games\\单机游戏\\仙剑", "F:\\Games\\Moved"};
    desc.drives = Drives(outside, false);
    return desc;
}

CafeDescription MasterCafeWithLargeTree(const std::string& outside) {
    CafeDescription desc = MasterCafe(outside);
    desc.bulkTrees = {{'E', "Backup", 100, 200}};
    return desc;
}

std::string EndToEnd::Outside() const { return m_dir.File("outside"); }

void EndToEnd::Start(const CafeDescription& desc) {
    // What the links on the disks point at: made first, a link is made
    // from its target's Linux path.
    ASSERT_TRUE(CreateDirectoryA(Outside().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Outside() + "\\存档").c_str(), nullptr));
    testsupport::WriteFileBytes(Outside() + "\\存档\\slot1.sav", "save");
    testsupport::CafeSite site;
    site.root = m_dir.File("cafe");
    m_cafe.reset(new Cafe(desc, site));
    ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
    for (const testsupport::CafeDrive& drive : desc.drives) m_letters.push_back(drive.letter);
    for (const std::string& db : {m_cafe->HalvorDB(), m_cafe->PkgDownDB(), m_cafe->PelloryDB()}) {
        m_databases[db] = testsupport::ReadFileBytes(db);
    }
    // The listing names entries by their final path names.
    ASSERT_TRUE(m_cafe->WaitForDriveNames(kUiLimitMs));
    m_before = ListDisks();

    m_app.reset(new testsupport::AppProcess(testsupport::WindowsPathOf(TREVAND_APP_DIR), m_dir.File("app")));
    ASSERT_TRUE(m_app->Ready());
    ASSERT_TRUE(m_app->Start());
    ASSERT_TRUE(testsupport::WaitForPaintedWindow(kRoleWindowText, kStartLimitMs, Scratch()).Valid())
        << "the role window did not appear";
    // The main window is created hidden and stays so until a role is chosen
    // (the start-up test checks that it is never shown, not even briefly).
    EXPECT_TRUE(XWindow::WaitGone(kMainWindowText, kUiLimitMs)) << "the main window shows before a role is chosen";
}

void EndToEnd::TearDown() {
    // A run cut short by a failure: the process goes before its café, and
    // its windows before the next test looks for its own.
    m_app.reset();
    for (const char* name : {kRoleWindowText, kMainWindowText, kMsgBoxText, kDelDirWindowText, kQuarantineWindowText}) {
        XWindow::WaitGone(name, kUiLimitMs);
    }
    m_cafe.reset();
}

void EndToEnd::ConfirmRole(bool secondary, int rows) {
    const XWindow role = XWindow::Find(kRoleWindowText);
    ASSERT_TRUE(role.Valid());
    if (secondary) {
        const skinpoints::Point option = skinpoints::kRoleWindow.SecondaryServerCheck;
        ASSERT_TRUE(role.Click(option.x, option.y));
    }
    const skinpoints::Point ok = skinpoints::kRoleWindow.OkButton;
    ASSERT_TRUE(role.Click(ok.x, ok.y));
    ASSERT_TRUE(XWindow::WaitGone(kRoleWindowText, kUiLimitMs)) << "the role window stayed";
    m_main = testsupport::WaitForPaintedWindow(kMainWindowText, kUiLimitMs, Scratch());
    ASSERT_TRUE(m_main.Valid()) << "the main window did not appear";
    ASSERT_TRUE(WaitForRows(rows, kStartLimitMs)) << "the first drive does not list " << rows << " rows";
    m_loads = CountLogLines(testsupport::kLoadStartLine);
}

void EndToEnd::Reload() {
    Screenshot before;
    ASSERT_TRUE(before.Take(Scratch()));
    ClickMain(skinpoints::kMainWindow.BtnFlush);
    ASSERT_TRUE(WaitUntil([&] { return CountLogLines(testsupport::kLoadStartLine) > m_loads; }, kStartLimitMs, 200))
        << "no reload";
    // While it loads, the count line says so; then it shows the count again.
    ASSERT_TRUE(WaitForMain(
        [&](const Screenshot& s, const ScreenRect& w) {
            return !testsupport::RegionChanged(before, s, w, skinpoints::kMainWindow.countLabel);
        },
        kStartLimitMs))
        << "the count line does not show the count again after the reload";
    m_loads = CountLogLines(testsupport::kLoadStartLine);
}

void EndToEnd::SelectDrive(int entry, int rows) {
    ClickMain(skinpoints::kMainWindow.TrevandComBox);
    ASSERT_TRUE(WaitForMain(testsupport::DriveListOpen, kUiLimitMs)) << "the drive list did not open";
    ClickMain(skinpoints::DriveEntry(entry));
    ASSERT_TRUE(WaitForRows(rows, kUiLimitMs)) << "drive entry " << entry << " does not list " << rows << " rows";
}

void EndToEnd::ClickTicks(const std::vector<int>& rows, const std::vector<int>& ticked, int shown) {
    for (int row : rows) ClickMain(skinpoints::RowTick(row));
    const bool drawn = WaitForMain(
        [&](const Screenshot& s, const ScreenRect& w) {
            for (int row = 0; row < shown; ++row) {
                const bool expected = std::find(ticked.begin(), ticked.end(), row) != ticked.end();
                if (testsupport::RowTicked(s, w, row) != expected) return false;
            }
            return true;
        },
        kUiLimitMs);
    ASSERT_TRUE(drawn) << "the ticks drawn are not the ones clicked";
}

XWindow EndToEnd::AskToRemove() {
    ClickMain(skinpoints::kMainWindow.BtnRemove);
    const XWindow box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    EXPECT_TRUE(box.Valid()) << "no confirmation box";
    return box;
}

XWindow EndToEnd::AskToQuarantine() {
    ClickMain(skinpoints::kMainWindow.BtnQuarantine);
    const XWindow box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    EXPECT_TRUE(box.Valid()) << "no confirmation box";
    return box;
}

void EndToEnd::Restart(const std::string& ini) {
    const std::string folder = m_dir.File("app" + std::to_string(++m_runs));
    m_app.reset(new testsupport::AppProcess(testsupport::WindowsPathOf(TREVAND_APP_DIR), folder));
    ASSERT_TRUE(m_app->Ready());
    if (!ini.empty()) testsupport::WriteFileBytes(folder + "\\Trevand.ini", ini);
    ASSERT_TRUE(m_app->Start());
    ASSERT_TRUE(testsupport::WaitForPaintedWindow(kRoleWindowText, kStartLimitMs, Scratch()).Valid())
        << "the role window did not appear again";
}

XWindow EndToEnd::OpenQuarantineWindow(int rows) {
    ClickMain(skinpoints::kMainWindow.BtnQuarantineList);
    const XWindow window = testsupport::WaitForPaintedWindow(kQuarantineWindowText, kUiLimitMs, Scratch());
    EXPECT_TRUE(window.Valid()) << "the quarantine window did not appear";
    if (window.Valid()) {
        EXPECT_TRUE(WaitForRowsIn(window, rows, kUiLimitMs, skinpoints::kQuarantineWindow.listTop))
            << "it does not list " << rows << " rows";
    }
    return window;
}

void EndToEnd::CloseInfoBox() {
    const XWindow box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    ASSERT_TRUE(box.Valid()) << "no message box";
    ASSERT_TRUE(box.PressKey("Escape"));
    ASSERT_TRUE(XWindow::WaitGone(kMsgBoxText, kUiLimitMs)) << "the message box stayed";
}

void EndToEnd::ConfirmAndFinish(const XWindow& box, const std::vector<std::string>& logLines) {
    const ScreenRect rect = box.Geometry();
    const skinpoints::Point yes = skinpoints::MsgBoxPoints(rect.width, rect.height).BtnOk;
    ASSERT_TRUE(box.Click(yes.x, yes.y));
    const XWindow deletion = testsupport::WaitForPaintedWindow(kDelDirWindowText, kUiLimitMs, Scratch());
    ASSERT_TRUE(deletion.Valid()) << "the deletion window did not appear";
    EXPECT_TRUE(XWindow::WaitGone(kMsgBoxText, kUiLimitMs));
    for (const std::string& line : logLines) {
        ASSERT_TRUE(testsupport::WaitForLogLine(m_app->TodaysLog(), line, kDeletionLimitMs))
            << "the log does not say " << line;
    }
    const bool finished = WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && testsupport::DeletionFinishedShown(shot, deletion.Geometry());
        },
        kUiLimitMs, 200);
    ASSERT_TRUE(finished) << "the deletion window shows no completion line";
    Shot("deletion-finished");
}

void EndToEnd::CloseDeletionWindow(int rows) {
    const XWindow deletion = XWindow::Find(kDelDirWindowText);
    ASSERT_TRUE(deletion.Valid());
    const skinpoints::Point close = skinpoints::kDelDirWindow.closebtn;
    ASSERT_TRUE(deletion.Click(close.x, close.y));
    ASSERT_TRUE(XWindow::WaitGone(kDelDirWindowText, kUiLimitMs)) << "the deletion window stayed";
    ASSERT_TRUE(WaitUntil([&] { return CountLogLines(testsupport::kLoadStartLine) > m_loads; }, kStartLimitMs, 200))
        << "no reload after the deletion";
    ASSERT_TRUE(WaitForMain(
        [&](const Screenshot& s, const ScreenRect& w) {
            if (testsupport::RowsShown(s, w) != rows) return false;
            for (int row = 0; row < rows; ++row) {
                if (testsupport::RowTicked(s, w, row)) return false;
            }
            return true;
        },
        kUiLimitMs))
        << "the reloaded list does not show " << rows << " unticked rows";
    m_loads = CountLogLines(testsupport::kLoadStartLine);
}

void EndToEnd::CloseProgram() {
    ClickMain(skinpoints::kMainWindow.closebtn);
    EXPECT_TRUE(XWindow::WaitGone(kMainWindowText, kUiLimitMs));
    ExpectEndsByItself(kUiLimitMs);
}

void EndToEnd::ExpectEndsByItself(int timeoutMs) {
    DWORD code = 99;
    ASSERT_TRUE(m_app->WaitForExit(timeoutMs, &code)) << "Trevand.exe did not end";
    EXPECT_EQ(0u, code);
    for (const auto& db : m_databases) {
        EXPECT_TRUE(testsupport::ReadFileBytes(db.first) == db.second) << db.first << " changed";
    }
}

XWindow EndToEnd::StartLargeDeletion() {
    Start(MasterCafeWithLargeTree(Outside()));
    if (HasFatalFailure()) return XWindow();
    ConfirmRole(false, 2);
    const int rows = static_cast<int>(kRowsOfE.size()) + 1;  // E:\Backup first
    SelectDrive(1, rows);
    ClickTicks({0}, {0}, rows);
    if (HasFatalFailure()) return XWindow();
    const XWindow box = AskToRemove();
    if (!box.Valid()) return XWindow();
    const ScreenRect rect = box.Geometry();
    const skinpoints::Point yes = skinpoints::MsgBoxPoints(rect.width, rect.height).BtnOk;
    EXPECT_TRUE(box.Click(yes.x, yes.y));
    const XWindow deletion = testsupport::WaitForPaintedWindow(kDelDirWindowText, kUiLimitMs, Scratch());
    EXPECT_TRUE(deletion.Valid()) << "the deletion window did not appear";
    return deletion;
}

void EndToEnd::ExpectCancelledThenEnded() {
    ExpectEndsByItself(20000);
    const std::string backup = "E:\\Backup";
    const testsupport::DiskListing after = ListDisks();
    EXPECT_EQ("", testsupport::ChangesBesideDeleted(m_before, after, {backup}));
    // The request comes as soon as the window shows: the worker has most of
    // the 20,000 files still to go.
    EXPECT_TRUE(after.count(backup) != 0) << "the deletion was through before the request";
    EXPECT_EQ(1, CountLogLines("[Warning]|Trevand  已取消删除，目录未删完" + backup));
    EXPECT_EQ(0, CountLogLines(testsupport::DeletedFolderLine(backup)));
    // And the summary: the tree counts as not deleted, whatever went of it.
    const std::string ended = "[Warning]|the program was asked to end during a deletion, which stopped: 已取消：已删除 0 项";
    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
                  return line.compare(0, ended.size(), ended) == 0 && line.find("；1 项未删除") != std::string::npos;
              }));
    EXPECT_EQ(m_loads, CountLogLines(testsupport::kLoadStartLine)) << "the disks were scanned again";
}

bool EndToEnd::PostFromOutside(const char* text, UINT message, WPARAM wParam) {
    const HWND hWnd = ::FindWindowA(nullptr, text);
    return hWnd && ::PostMessageA(hWnd, message, wParam, 0);
}

bool EndToEnd::TaskKill() {
    char command[] = "taskkill.exe /IM Trevand.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const bool ended = ::WaitForSingleObject(process.hProcess, static_cast<DWORD>(kUiLimitMs)) == WAIT_OBJECT_0;
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ended && code == 0;
}

Screenshot EndToEnd::Shot(const std::string& name) {
    const std::string folder = testsupport::WindowsPathOf(TREVAND_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Screenshot shot;
    EXPECT_TRUE(shot.Take(folder + "\\end_to_end-" + test + "-" + name + ".png"));
    return shot;
}

bool EndToEnd::WaitForMain(const std::function<bool(const Screenshot&, const ScreenRect&)>& condition, int timeoutMs) {
    return WaitUntil(
        [&] {
            Screenshot shot;
            return shot.Take(Scratch()) && condition(shot, m_main.Geometry());
        },
        timeoutMs, 200);
}

bool EndToEnd::WaitForRows(int rows, int timeoutMs) { return WaitForRowsIn(m_main, rows, timeoutMs); }

void EndToEnd::ClickMain(skinpoints::Point point) { EXPECT_TRUE(m_main.Click(point.x, point.y)); }

std::vector<std::string> EndToEnd::LogLines() const { return testsupport::LogMessages(m_app->TodaysLog()); }

int EndToEnd::CountLogLines(const std::string& line) const {
    return testsupport::CountLogLines(m_app->TodaysLog(), line);
}

testsupport::DiskListing EndToEnd::ListDisks() const {
    std::vector<std::string> roots = {Outside()};
    for (char letter : m_letters) roots.push_back(std::string(1, letter) + ":\\");
    return testsupport::TakeListing(roots);
}

testsupport::DiskListing EndToEnd::ListDisksWithContent() const {
    std::vector<std::string> roots = {Outside()};
    for (char letter : m_letters) roots.push_back(std::string(1, letter) + ":\\");
    return testsupport::TakeListingWithContent(roots);
}

}  // namespace endtoend
