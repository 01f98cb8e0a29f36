// The frameless window's own frame handling under Wine: the maximise and
// restore buttons, the client area of a maximised window and the tracking
// sizes the skin's "mininfo" and "maxinfo" give.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "UI/Core/ControlUI.h"
#include "WindowTestSupport.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::SendClick;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kFrameSkin[] = R"(<Window size="300,200" caption="0,0,0,30" showshadow="false" %s>
  <VerticalLayout name="Root" bkcolor="#FFF5F7FA">
    <HorizontalLayout height="30">
      <Label name="Title" text="标题" />
      <Button name="minbtn" width="30" text="_" />
      <Button name="maxbtn" width="30" text="M" />
      <Button name="restorebtn" width="30" text="R" visible="false" />
    </HorizontalLayout>
  </VerticalLayout>
</Window>)";

std::string FrameSkin(const std::string& windowAttributes) {
    std::string xml = kFrameSkin;
    xml.replace(xml.find("%s"), 2, windowAttributes);
    return xml;
}

MONITORINFO MonitorOf(HWND hWnd) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    return mi;
}

RECT WorkAreaOf(HWND hWnd) { return MonitorOf(hWnd).rcWork; }

std::string RectText(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// Paints what is pending without showing the window anew (which would
// restore a maximised window).
void Repaint(HWND hWnd) {
    ::UpdateWindow(hWnd);
    windowtest::PumpPending();
}

class WindowFrame : public ::testing::Test {
protected:
    SkinFolder m_skins;
};

TEST_F(WindowFrame, MaxAndRestoreButtonsResizeTheWindowAndSwapPlaces) {
    m_skins.Write("Frame.xml", FrameSkin(""));
    TestWnd wnd("Frame.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    RECT normal;
    ::GetWindowRect(wnd, &normal);
    CControlUI* maxBtn = wnd.Find("maxbtn");
    CControlUI* restoreBtn = wnd.Find("restorebtn");

    SendClick(wnd, CenterOf(maxBtn));
    ASSERT_TRUE(::IsZoomed(wnd));
    EXPECT_FALSE(maxBtn->IsVisible());
    EXPECT_TRUE(restoreBtn->IsVisible());
    // The whole window, all of it client area, covers the work area.
    const RECT work = WorkAreaOf(wnd);
    RECT rc;
    ::GetWindowRect(wnd, &rc);
    EXPECT_EQ(RectText(work), RectText(rc));
    ::GetClientRect(wnd, &rc);
    EXPECT_EQ(work.right - work.left, rc.right);
    EXPECT_EQ(work.bottom - work.top, rc.bottom);
    Repaint(wnd);
    EXPECT_EQ(work.right - work.left, wnd.Find("Root")->GetPos().right);

    SendClick(wnd, CenterOf(restoreBtn));
    ASSERT_FALSE(::IsZoomed(wnd));
    EXPECT_TRUE(maxBtn->IsVisible());
    EXPECT_FALSE(restoreBtn->IsVisible());
    ::GetWindowRect(wnd, &rc);
    EXPECT_EQ(RectText(normal), RectText(rc));
    Repaint(wnd);  // restoring lays the tree out again at the old size
    EXPECT_EQ(300, wnd.Find("Root")->GetPos().right);
    EXPECT_TRUE(maxBtn->GetPos().right > maxBtn->GetPos().left);

    // Minimising changes neither button.
    SendClick(wnd, CenterOf(wnd.Find("minbtn")));
    EXPECT_TRUE(::IsIconic(wnd));
    EXPECT_TRUE(maxBtn->IsVisible());
    EXPECT_FALSE(restoreBtn->IsVisible());
    ::DestroyWindow(wnd);
}

TEST_F(WindowFrame, NcCalcSizeCutsAMaximisedWindowToTheWorkAreaOnly) {
    m_skins.Write("Frame.xml", FrameSkin(""));
    TestWnd wnd("Frame.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    const RECT work = WorkAreaOf(wnd);
    // What the system proposes for a window whose frame hangs over the screen edge.
    auto calc = [&](RECT* proposed) {
        NCCALCSIZE_PARAMS params = {};
        params.rgrc[0] = {work.left - 8, work.top - 8, work.right + 8, work.bottom + 8};
        const LRESULT result = ::SendMessageA(wnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        *proposed = params.rgrc[0];
        return result;
    };
    RECT rc;
    EXPECT_EQ(0, calc(&rc));
    EXPECT_EQ(RectText({work.left - 8, work.top - 8, work.right + 8, work.bottom + 8}), RectText(rc));

    ::ShowWindow(wnd, SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(wnd));
    EXPECT_EQ(WVR_REDRAW, calc(&rc));
    EXPECT_EQ(RectText({work.left - 8, work.top - 8, work.right - 8, work.bottom - 8}), RectText(rc));
    ::DestroyWindow(wnd);
}

TEST_F(WindowFrame, MinMaxInfoTakesTheWorkAreaAndTheSkinSizesWherePositive) {
    const MONITORINFO monitor = MonitorOf(nullptr);
    const RECT work = monitor.rcWork;
    const LONG workW = work.right - work.left, workH = work.bottom - work.top;
    const struct {
        const char* attributes;
        POINT minTrack, maxTrack;
    } cases[] = {
        {"", {0, 0}, {workW, workH}},
        {R"(mininfo="200,150" maxinfo="500,400")", {200, 150}, {500, 400}},
        {R"(mininfo="0,120" maxinfo="0,400")", {0, 120}, {workW, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        m_skins.Write("Frame.xml", FrameSkin(c.attributes));
        TestWnd wnd("Frame.xml");
        ASSERT_NE(nullptr, wnd.CreateHidden());
        MINMAXINFO info = {};
        info.ptMinTrackSize = {1, 1};
        info.ptMaxTrackSize = {9999, 9999};
        ::SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(c.minTrack.x, info.ptMinTrackSize.x);
        EXPECT_EQ(c.minTrack.y, info.ptMinTrackSize.y);
        EXPECT_EQ(c.maxTrack.x, info.ptMaxTrackSize.x);
        EXPECT_EQ(c.maxTrack.y, info.ptMaxTrackSize.y);
        // The work area's corner, relative to the monitor.
        EXPECT_EQ(work.left - monitor.rcMonitor.left, info.ptMaxPosition.x);
        EXPECT_EQ(work.top - monitor.rcMonitor.top, info.ptMaxPosition.y);
        ::DestroyWindow(wnd);
    }
}

// Resizing a window with a sizing frame keeps it within the skin's sizes.
TEST_F(WindowFrame, ResizingStaysWithinMininfoAndMaxinfo) {
    m_skins.Write("Frame.xml", FrameSkin(R"(mininfo="200,150" maxinfo="500,400")"));
    TestWnd wnd("Frame.xml");
    ASSERT_NE(nullptr, wnd.Create(nullptr, "Sizable", WS_POPUP | WS_THICKFRAME, 0, 100, 100, 300, 200));
    const struct {
        int cx, cy;
        LONG expectedCx, expectedCy;
    } cases[] = {{50, 50, 200, 150}, {2000, 2000, 500, 400}, {350, 90, 350, 150}, {250, 300, 250, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.cx << "x" << c.cy);
        ::SetWindowPos(wnd, nullptr, 0, 0, c.cx, c.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rc;
        ::GetWindowRect(wnd, &rc);
        EXPECT_EQ(c.expectedCx, rc.right - rc.left);
        EXPECT_EQ(c.expectedCy, rc.bottom - rc.top);
    }
    ::DestroyWindow(wnd);
}

}  // namespace
