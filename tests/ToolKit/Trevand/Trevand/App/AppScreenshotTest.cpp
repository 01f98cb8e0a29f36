// Screenshots to look at: the role window, the main window with a full list
// on a game disk (three rows ticked) and on a download disk, and with sizes,
// times and totals, sorted by size.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "OperatorFixture.h"
#include "../../../../UI/Window/RenderTestSupport.h"

namespace apptest {
namespace {

std::string ScreenshotPath(const char* name) {
    const std::string dir = windowtest::HostPathToWine(TREVAND_SCREENSHOT_DIR);
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

bool Save(Vellum::WindowImplBase* wnd, const char* name) {
    ::UpdateWindow(wnd->GetHWND());
    const windowtest::Snapshot shot(wnd->GetManager());
    return shot.SavePng(ScreenshotPath(name));
}

TEST_F(App, ScreenshotsOfTheRoleAndMainWindows) {
    Start(MasterCafe());
    EXPECT_TRUE(Save(Role(), "app-role-window.png"));
    Click(Role(), "OkButton");
    EXPECT_TRUE(Save(Main(), "app-main-download-disk.png"));
    SelectDrive("E:\\");
    for (const char* path : {"E:\\Games\\Old", "E:\\Games\\誠", "E:\\Temp"}) ClickTick(path);
    // The row under the pointer shows hot; select one row too.
    ClickAt(Main()->GetHWND(), {400, 130});
    EXPECT_TRUE(Save(Main(), "app-main-game-disk.png"));
}

TEST_F(OperatorView, ScreenshotOfSizesTimesAndASortedColumn) {
    StartSized();
    ASSERT_TRUE(WaitForSizes());
    ClickTick(kOld);
    ClickTick(kBig);
    ClickHeader(3);
    ClickHeader(3);  // largest first
    EXPECT_TRUE(Save(Main(), "app-main-sizes-sorted.png"));
    // The smallest size the window allows: every toolbar text still reads.
    ::SetWindowPos(Main()->GetHWND(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
    windowtest::PumpPending();
    EXPECT_TRUE(Save(Main(), "app-main-smallest.png"));
}

}  // namespace
}  // namespace apptest
