// The real Trevand.exe as its own process: the log folder is found from the
// executable, whatever the working directory, and each run's log starts
// with the three banner lines.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/ProgramLog.h"
#include "support/TempDir.h"
#include "../../../../UI/Window/WindowTestSupport.h"

namespace {

// Copies the folder `from` (files and one level of subfolders) into `to`.
void CopyFolder(const std::string& from, const std::string& to) {
    ::CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((from + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find) << from;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name == "log") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyFolder(from + "\\" + name, to + "\\" + name);
        else ::CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}

// Waits for a top-level window of class `cls`; null when none shows in time.
HWND WaitForWindow(const char* cls, const char* text, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND found = ::FindWindowA(cls, text);
        if (found && ::IsWindowVisible(found)) return found;
        if (::GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return nullptr;
        ::Sleep(50);
    }
}

TEST(Startup, LogBesideTheExecutableStartsWithTheBannerFromAnyWorkingDirectory) {
    testsupport::TempDir dir;
    const std::string app = dir.File("app");
    CopyFolder(windowtest::HostPathToWine(TREVAND_APP_DIR), app);
    const std::string elsewhere = dir.File("elsewhere");
    ::CreateDirectoryA(elsewhere.c_str(), nullptr);

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::string command = "\"" + app + "\\Trevand.exe\"";
        ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, elsewhere.c_str(), &si,
                                     &pi));
        HWND role = WaitForWindow("CSelectServerClass", "CSelectServerClassWnd", 15000);
        EXPECT_NE(nullptr, role);
        // The main window exists and is hidden as soon as start-up is through.
        HWND main = ::FindWindowA("CTrevandWnd", "CTrevandWnd");
        EXPECT_NE(nullptr, main);
        const DWORD start = ::GetTickCount();
        while (main && ::IsWindowVisible(main) && ::GetTickCount() - start < 5000) ::Sleep(20);
        EXPECT_FALSE(main && ::IsWindowVisible(main));
        if (role) ::PostMessageA(role, WM_SYSCOMMAND, SC_CLOSE, 0);
        else ::TerminateProcess(pi.hProcess, 99);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 15000));
        DWORD code = 99;
        ::GetExitCodeProcess(pi.hProcess, &code);
        EXPECT_EQ(0u, code);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    EXPECT_FALSE(testsupport::FileExists(elsewhere + "\\log\\" + testsupport::TodaysLogName()));
    const std::vector<std::string> lines = testsupport::LogMessages(app + "\\log\\" + testsupport::TodaysLogName());
    const std::vector<std::string> banner = {"[Info]|.................................",
                                             "[Info]|........Trevand START........",
                                             "[Info]|................................."};
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(banner, std::vector<std::string>(lines.begin(), lines.begin() + 3));
    // The second run starts with the banner again.
    int banners = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) banners += lines[i + 1] == banner[1] && lines[i] == banner[0];
    EXPECT_EQ(2, banners);
}

}  // namespace
