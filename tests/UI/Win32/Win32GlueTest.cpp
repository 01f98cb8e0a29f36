// The Win32 glue the framework's layers share.
#include "UI/Win32/Win32Glue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"

namespace {

using Vellum::CToolTip;
using Vellum::PointFromLParam;
using Vellum::RegisterWindowClassOnce;

TEST(Win32GlueTest, PointFromLParamKeepsTheSignOfEachCoordinate) {
    const struct {
        LPARAM lParam;
        LONG x, y;
    } cases[] = {
        {MAKELPARAM(10, 20), 10, 20},
        {MAKELPARAM(-5, 7), -5, 7},  // left of the window (a drag out of it)
        {MAKELPARAM(3, -1), 3, -1},  // above it
        {MAKELPARAM(32767, -32768), 32767, -32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const POINT pt = PointFromLParam(c.lParam);
        EXPECT_EQ(c.x, pt.x);
        EXPECT_EQ(c.y, pt.y);
    }
}

WNDCLASSEXA TestClass(const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return wc;
}

TEST(Win32GlueTest, AClassIsRegisteredOnceAndAFailureIsLoggedWithItsCode) {
    testsupport::LogCapture log;
    const WNDCLASSEXA wc = TestClass("Win32GlueTestClass");
    EXPECT_TRUE(RegisterWindowClassOnce(wc));
    // A second registration of the same name is no failure: the first stands.
    EXPECT_TRUE(RegisterWindowClassOnce(wc));
    EXPECT_TRUE(log.Lines().empty());

    WNDCLASSEXA broken = TestClass("Win32GlueBrokenClass");
    broken.cbSize = 0;  // the system refuses a class description of no size
    EXPECT_FALSE(RegisterWindowClassOnce(broken));
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("[Error]|RegisterClassExA failed for Win32GlueBrokenClass, error ")) << lines[0];
    EXPECT_NE("0", lines[0].substr(lines[0].rfind(' ') + 1));
    ::UnregisterClassA("Win32GlueTestClass", ::GetModuleHandleA(nullptr));
}

TEST(Win32GlueTest, TheToolTipMakesOneWindowOnFirstShowAndTakesItAlong) {
    ASSERT_TRUE(RegisterWindowClassOnce(TestClass("Win32GlueTipOwner")));
    HWND owner = ::CreateWindowExA(0, "Win32GlueTipOwner", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, owner);
    HWND tip = nullptr;
    {
        CToolTip toolTip;
        toolTip.Hide();  // nothing shown yet: no window is made for it
        EXPECT_EQ(nullptr, toolTip.GetHWND());
        ASSERT_TRUE(toolTip.Show(owner, "first", {40, 40}));
        tip = toolTip.GetHWND();
        ASSERT_TRUE(::IsWindow(tip));
        ASSERT_TRUE(toolTip.Show(owner, "second", {60, 60}));
        EXPECT_EQ(tip, toolTip.GetHWND());
        toolTip.Hide();
        EXPECT_TRUE(::IsWindow(tip));  // kept for the next tip
    }
    EXPECT_FALSE(::IsWindow(tip));
    ::DestroyWindow(owner);
    ::UnregisterClassA("Win32GlueTipOwner", ::GetModuleHandleA(nullptr));
}

}  // namespace
