// A screenshot of the quarantine window to look at: entries of two disks, a
// folder with a GBK name among them, two rows ticked, sorted by size with the
// largest first.
#include <gtest/gtest.h>

#include "QuarantineWndFixture.h"
#include "../../../UI/Window/RenderTestSupport.h"

namespace quarantinewndtest {
namespace {

void Save(const char* name) {
    CQuarantineWnd* wnd = QuarantineWindow::Window();
    ASSERT_NE(nullptr, wnd);
    EXPECT_TRUE(windowtest::SaveWindowPng(wnd->GetManager(), windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, name)))
        << name;
}

TEST_F(QuarantineWindow, ScreenshotWithAFewEntries) {
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", "20261201-080000", 6);
    const TQuarantineRecord pal = MoveIn("E:\\Games\\誠", "20261205-173000", 2);
    MoveIn("E:\\a.txt", "20261205-173000", 2);
    MoveIn("E:\\Keep", "20261209-120000", 0);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", "20261201-080000", 3);
    ASSERT_FALSE(HasFailure());
    ShowWith({'E', 'F'}, {WaitForWindow(), Tick(old), Tick(x), ClickHeader(kColumnSize), ClickHeader(kColumnSize),
                          Check("the window", [] { Save("quarantine-window.png"); }), PressEscape()});
}

}  // namespace
}  // namespace quarantinewndtest
