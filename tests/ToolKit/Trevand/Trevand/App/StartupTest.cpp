// The real Trevand.exe as its own process: the main window is never shown
// before a role is chosen, not even for a moment; the log folder is found
// from the executable, whatever the working directory, and each run's log
// starts with the three banner lines.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/AppProcess.h"
#include "support/ProgramLog.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"
#include "support/XMapLog.h"
#include "../../../../UI/Window/WindowTestSupport.h"

namespace {

// A visible top-level window of class `cls` and text `text`, waited for up
// to `timeoutMs`; null when none shows.
HWND WaitForWindow(const char* cls, const char* text, int timeoutMs) {
    HWND found = nullptr;
    testsupport::WaitUntil(
        [&] {
            found = ::FindWindowA(cls, text);
            return found && ::IsWindowVisible(found);
        },
        timeoutMs);
    return found && ::IsWindowVisible(found) ? found : nullptr;
}

TEST(Startup, LogBesideTheExecutableStartsWithTheBannerFromAnyWorkingDirectory) {
    testsupport::TempDir dir;
    testsupport::AppProcess app(windowtest::HostPathToWine(TREVAND_APP_DIR), dir.File("app"));
    ASSERT_TRUE(app.Ready());
    const std::string elsewhere = dir.File("elsewhere");
    ::CreateDirectoryA(elsewhere.c_str(), nullptr);

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const testsupport::XMapLog maps;
        ASSERT_TRUE(maps.Recording());
        ASSERT_TRUE(app.Start(elsewhere));
        HWND role = WaitForWindow("CSelectServerClass", "CSelectServerClassWnd", 15000);
        EXPECT_NE(nullptr, role);
        // Start-up is through once the program's thread answers a message: it
        // is in its message loop, past creating, placing and hiding the main
        // window. The main window exists, and was never shown: not being
        // visible now would hold as well after a flash at the screen's corner.
        DWORD_PTR answer = 0;
        EXPECT_TRUE(role && ::SendMessageTimeoutA(role, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
        HWND main = ::FindWindowA("CTrevandWnd", "CTrevandWnd");
        EXPECT_NE(nullptr, main);
        EXPECT_FALSE(main && ::IsWindowVisible(main));
        EXPECT_EQ(1, maps.TimesMapped("CSelectServerClassWnd"));
        EXPECT_EQ(0, maps.TimesMapped("CTrevandWnd")) << "the main window was shown before a role was chosen";
        if (role) ::PostMessageA(role, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD code = 99;
        EXPECT_TRUE(app.WaitForExit(15000, &code));
        EXPECT_EQ(0u, code);
    }
    EXPECT_FALSE(testsupport::FileExists(elsewhere + "\\log\\" + testsupport::TodaysLogName()));
    const std::vector<std::string> lines = testsupport::LogMessages(app.TodaysLog());
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
