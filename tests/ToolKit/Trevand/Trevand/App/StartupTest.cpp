// The real Trevand.exe as its own process: the log folder is found from the
// executable, whatever the working directory, and each run's log starts
// with the three banner lines.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/AppProcess.h"
#include "support/ProgramLog.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"
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
        ASSERT_TRUE(app.Start(elsewhere));
        HWND role = WaitForWindow("CSelectServerClass", "CSelectServerClassWnd", 15000);
        EXPECT_NE(nullptr, role);
        // The main window exists and is hidden as soon as start-up is through.
        HWND main = ::FindWindowA("CTrevandWnd", "CTrevandWnd");
        EXPECT_NE(nullptr, main);
        EXPECT_TRUE(testsupport::WaitUntil([&] { return main && !::IsWindowVisible(main); }, 5000));
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
