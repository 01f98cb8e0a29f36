// The window base under Wine with real windows: default keys, standard
// buttons, the modal loop, the caption hit test, notification maps, the
// skin-failure exit and the shadow switch.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "support/ZipFixture.h"
#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "comm/platform/CodePage.h"
#include "UI/Shadow/ShadowUI.h"
#include "WindowTestSupport.h"
#include "support/LogCapture.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::PostClick;
using windowtest::PostKey;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kBasicSkin[] = R"(<Window size="300,200" caption="0,0,0,40" sizebox="4,4,4,4" showshadow="false">
  <VerticalLayout bkcolor="#FFF5F7FA">
    <HorizontalLayout height="40" bkcolor="#FF1E3A5F">
      <Label name="CapLabel" text="标题" />
      <Button name="CapButton" width="40" text="B" tooltip="说明" />
      <Button name="closebtn" width="40" text="X" />
    </HorizontalLayout>
    <Button name="BtnOk" height="30" text="确定" />
    <Button name="Other" height="30" text="其他" />
    <Control />
  </VerticalLayout>
</Window>)";

class WindowBase : public windowtest::WindowSuite {
protected:
    void SetUp() override { m_skins.Write("Basic.xml", kBasicSkin); }

    SkinFolder m_skins;
};

TEST_F(WindowBase, BuildsTheSkinAndFocusesBtnOk) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    EXPECT_EQ(1, wnd.m_nInitWindow);
    ASSERT_NE(nullptr, wnd.Find("BtnOk"));
    EXPECT_TRUE(wnd.Find("BtnOk")->IsFocused());
    wnd.ShowAndLayout();
    // The first paint lays the tree out and says so once.
    EXPECT_EQ(1, std::count(wnd.m_notifications.begin(), wnd.m_notifications.end(), std::string("windowinit:")));
    RECT rc;
    ::GetClientRect(wnd, &rc);
    EXPECT_EQ(300, rc.right);
    EXPECT_EQ(200, rc.bottom);
    ::DestroyWindow(wnd);
}

// A window whose skin comes from a zip archive in the skin folder.
class ZipSkinWnd : public TestWnd {
public:
    ZipSkinWnd() : TestWnd("Basic.xml") {}
    UINT GetSkinSource() override { return UILIB_ZIP; }
    const char* GetSkinArchive() override { return "skins.zip"; }
};

TEST_F(WindowBase, BuildsTheSkinFromAZipArchiveInTheSkinFolder) {
    // The archive holds the skin under the same name, deflated, with a text
    // that differs from the plain file's so the test sees which one was read.
    std::string skin = kBasicSkin;
    skin.replace(skin.find("确定"), 4, "压缩");
    std::string utf8;
    ASSERT_TRUE(platform::CodePage936ToUtf8(skin, &utf8));
    testsupport::WriteFileBytes(m_skins.File("skins.zip"), testsupport::BuildZip({{"Basic.xml", utf8, true, 0}}));

    ZipSkinWnd wnd;
    HWND hWnd = wnd.CreateHidden();
    CUIManager::SetSkinArchive("");  // later windows read plain files again
    ASSERT_NE(nullptr, hWnd);
    ASSERT_NE(nullptr, wnd.Find("BtnOk"));
    EXPECT_STREQ("压缩", wnd.Find("BtnOk")->GetText().GetData());
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, EscapeClosesWithOneAlsoWhileAControlHasFocus) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    wnd.GetManager().SetFocusControl(wnd.Find("Other"));
    ASSERT_TRUE(wnd.Find("Other")->IsFocused());
    PostKey(wnd, VK_ESCAPE);
    EXPECT_EQ(1u, wnd.ShowModal());
}

TEST_F(WindowBase, EnterAndSpaceActivateTheFocusedButtonWithoutClosing) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    PostKey(wnd, VK_RETURN);
    wnd.PostUserMessage(
        [](CWindowWnd& w) {
            TestWnd& t = static_cast<TestWnd&>(w);
            t.GetManager().SetFocusControl(t.Find("Other"));
            return true;
        },
        "FocusOther");
    PostKey(wnd, VK_SPACE);
    PostKey(wnd, VK_ESCAPE);
    EXPECT_EQ(1u, wnd.ShowModal());
    std::vector<std::string> clicks;
    for (const std::string& n : wnd.m_notifications) {
        if (n.rfind("click:", 0) == 0) clicks.push_back(n);
    }
    EXPECT_EQ((std::vector<std::string>{"click:BtnOk", "click:Other"}), clicks);
}

TEST_F(WindowBase, ClickOnCloseButtonClosesWithEight) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    PostClick(wnd, CenterOf(wnd.Find("closebtn")));
    EXPECT_EQ(8u, wnd.ShowModal());
    EXPECT_FALSE(::IsWindow(wnd.GetHWND()));
}

TEST_F(WindowBase, PressInsideReleaseOutsideDoesNotClick) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    const POINT in = CenterOf(wnd.Find("Other"));
    windowtest::Drag(wnd, in, {in.x, 190});
    for (const std::string& n : wnd.m_notifications) EXPECT_NE("click:Other", n);
    windowtest::SendClick(wnd, in);
    EXPECT_EQ("click:Other", wnd.m_notifications.back());
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, HoverShowsTheToolTipAndLeavingHidesIt) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    const POINT button = CenterOf(wnd.Find("CapButton"));
    ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, button.y));
    ::SendMessageA(wnd, WM_MOUSEHOVER, 0, MAKELPARAM(button.x, button.y));
    EXPECT_EQ("说明", windowtest::ShownToolTipText(wnd));
    const POINT label = CenterOf(wnd.Find("CapLabel"));
    ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(label.x, label.y));
    EXPECT_EQ("", windowtest::ShownToolTipText(wnd));
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, ShowModalReturnsZeroWhenDestroyedWithoutClose) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.PostUserMessage([](CWindowWnd& w) { return ::DestroyWindow(w) != FALSE; }, "Destroy");
    EXPECT_EQ(0u, wnd.ShowModal());
    EXPECT_EQ(nullptr, wnd.GetHWND());
}

TEST_F(WindowBase, QuitDuringShowModalEndsItAndReachesTheOuterLoop) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.PostUserMessage(
        [](CWindowWnd&) {
            ::PostQuitMessage(7);
            return true;
        },
        "Quit");
    EXPECT_EQ(0u, wnd.ShowModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_TRUE(::IsWindow(wnd.GetHWND()));
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, HitTestDragsByLabelsInTheCaptionOnly) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    RECT rcWindow;
    ::GetWindowRect(wnd, &rcWindow);
    auto hit = [&](POINT client) {
        return ::SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + client.x, rcWindow.top + client.y));
    };
    EXPECT_EQ(HTCAPTION, hit(CenterOf(wnd.Find("CapLabel"))));
    EXPECT_EQ(HTCLIENT, hit(CenterOf(wnd.Find("CapButton"))));
    EXPECT_EQ(HTCLIENT, hit(CenterOf(wnd.Find("BtnOk"))));
    EXPECT_EQ(HTTOPLEFT, hit({1, 1}));
    EXPECT_EQ(HTBOTTOMRIGHT, hit({298, 198}));
    EXPECT_EQ(HTLEFT, hit({1, 100}));
    ::DestroyWindow(wnd);
}

// Two windows whose maps hold a named and a general "click" entry in either order.
class NamedFirstWnd : public TestWnd {
public:
    NamedFirstWnd() : TestWnd("Basic.xml") {}
    void OnOk(TNotification&) { m_strLast = "named"; }
    void OnAny(TNotification&) { m_strLast = "general"; }
    std::string m_strLast;
    VELLUM_DECLARE_NOTIFY_MAP()
};
VELLUM_BEGIN_NOTIFY_MAP(NamedFirstWnd, TestWnd)
VELLUM_ON_NOTIFY("click", "BtnOk", &NamedFirstWnd::OnOk)
VELLUM_ON_NOTIFY("click", "", &NamedFirstWnd::OnAny)
VELLUM_END_NOTIFY_MAP()

class GeneralFirstWnd : public NamedFirstWnd {
    VELLUM_DECLARE_NOTIFY_MAP()
};
VELLUM_BEGIN_NOTIFY_MAP(GeneralFirstWnd, NamedFirstWnd)
VELLUM_ON_NOTIFY("click", "", &GeneralFirstWnd::OnAny)
VELLUM_ON_NOTIFY("click", "BtnOk", &GeneralFirstWnd::OnOk)
VELLUM_END_NOTIFY_MAP()

template <class W>
void ExpectNamedEntryWins() {
    W wnd;
    ASSERT_NE(nullptr, wnd.CreateHidden());
    CUIManager& pm = wnd.GetManager();
    pm.SendNotify(wnd.Find("BtnOk"), "click");
    EXPECT_EQ("named", wnd.m_strLast);
    pm.SendNotify(wnd.Find("Other"), "click");
    EXPECT_EQ("general", wnd.m_strLast);
    // The window's own general entry also takes "closebtn": the base map's
    // standard buttons are not reached, so the window stays open.
    pm.SendNotify(wnd.Find("closebtn"), "click");
    EXPECT_EQ("general", wnd.m_strLast);
    EXPECT_FALSE(wnd.IsClosing());
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, NotifyMapTakesTheNamedEntryOverTheGeneralOneInEitherOrder) {
    ExpectNamedEntryWins<NamedFirstWnd>();
    ExpectNamedEntryWins<GeneralFirstWnd>();
}

// The test runs itself again as a child process; the child builds a window
// whose skin file does not exist, which must end that process with exit code 1
// after the error box.
TEST_F(WindowBase, SkinFailureShowsTheErrorBoxAndEndsTheProcessWithOne) {
    if (!windowtest::TestChildRole().empty()) {
        TestWnd wnd("Missing.xml");
        wnd.CreateHidden();
        FAIL() << "the process should have ended";
    }
    const windowtest::ChildRun run =
        windowtest::RunTestInChild("WindowBase.SkinFailureShowsTheErrorBoxAndEndsTheProcessWithOne", "missing");
    EXPECT_TRUE(run.boxShown);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(1u, run.exitCode);
}

// A window that outlived its object must not lead to it: a failing check
// unlinks it here so the rest of the run does not dispatch into freed memory.
bool Unlinked(HWND hWnd) {
    if (::GetWindowLongPtrA(hWnd, GWLP_USERDATA) == 0) return true;
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    return false;
}

TEST_F(WindowBase, DeletingTheObjectUnlinksItsWindowAndDestroysItOnItsOwnThread) {
    auto* wnd = new TestWnd("Basic.xml");
    const HWND hWnd = wnd->CreateHidden();
    ASSERT_NE(nullptr, hWnd);
    wnd->ShowAndLayout();
    delete wnd;
    EXPECT_FALSE(::IsWindow(hWnd));
    if (::IsWindow(hWnd)) {
        Unlinked(hWnd);
        ::DestroyWindow(hWnd);
    }

    // Deleted on another thread, which may not destroy it: the window stays,
    // unlinked, and its messages go to the default procedure.
    wnd = new TestWnd("Basic.xml");
    const HWND other = wnd->CreateHidden();
    ASSERT_NE(nullptr, other);
    std::thread([wnd] { delete wnd; }).join();
    ASSERT_TRUE(::IsWindow(other));
    EXPECT_TRUE(Unlinked(other));
    ::SendMessageA(other, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ::SendMessageA(other, WM_USER + 123, 0, 0);
    EXPECT_TRUE(::DestroyWindow(other));
}

// A test body that fails half-way: its window is open and shown when the
// assertion returns. Statics, as a fatal-failure check can only reach those.
HWND s_leftOpen = nullptr;
void OpenThenFailHalfWay() {
    TestWnd wnd("Basic.xml");
    s_leftOpen = wnd.CreateHidden();
    ASSERT_NE(nullptr, s_leftOpen);
    wnd.ShowAndLayout();
    ASSERT_TRUE(false) << "stopped half-way";
    ::DestroyWindow(wnd);  // never reached
}

TEST_F(WindowBase, ATestWindowLeftOpenByAFailedAssertionGoesWithItsObject) {
    EXPECT_FATAL_FAILURE(OpenThenFailHalfWay(), "stopped half-way");
    ASSERT_NE(nullptr, s_leftOpen);
    EXPECT_FALSE(::IsWindow(s_leftOpen));
    EXPECT_EQ(nullptr, ::FindWindowA("VellumTestWnd", nullptr));
    if (::IsWindow(s_leftOpen)) {
        Unlinked(s_leftOpen);
        ::DestroyWindow(s_leftOpen);
    }
}

TEST_F(WindowBase, AMessageBoxLeftOnQuitGoesWithItsObject) {
    TestWnd owner("Basic.xml");
    ASSERT_NE(nullptr, owner.CreateHidden());
    ::PostQuitMessage(4);
    EXPECT_EQ(0, owner.ShowMessageBox("内容", "标题", 0));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(4u, msg.wParam);
    for (HWND box = ::FindWindowA("MsgBoxWnd", nullptr); box; box = ::FindWindowA("MsgBoxWnd", nullptr)) {
        ADD_FAILURE() << "the message box outlived its object";
        Unlinked(box);
        ::DestroyWindow(box);
    }
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST_F(WindowBase, AMissingShadowImageIsLoggedOnce) {
    std::string shadowed = kBasicSkin;
    shadowed.replace(shadowed.find("showshadow=\"false\""), 18, "showshadow=\"true\"");
    m_skins.Write("Shadowed.xml", shadowed);
    ASSERT_TRUE(::DeleteFileA(m_skins.File("Default_Shadow.png").c_str()));
    testsupport::LogCapture log;
    TestWnd wnd("Shadowed.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    for (int i = 0; i < 4; ++i) {
        ::SetWindowPos(wnd, nullptr, 120 + 10 * i, 100, 280 + 10 * i, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        ::UpdateWindow(wnd);
    }
    windowtest::PumpPending();
    int lines = 0;
    for (const std::string& line : log.Lines()) lines += line.find("Default_Shadow.png") != std::string::npos;
    EXPECT_EQ(1, lines);
    ::DestroyWindow(wnd);
}

TEST_F(WindowBase, OnlyARoundCornerSizeGivesTheWindowARegion) {
    TestWnd square("Basic.xml");
    ASSERT_NE(nullptr, square.CreateHidden());
    square.ShowAndLayout();
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(square, rgn));

    std::string rounded = kBasicSkin;
    rounded.replace(rounded.find("showshadow"), 0, "roundcorner=\"8,8\" ");
    m_skins.Write("Rounded.xml", rounded);
    TestWnd round("Rounded.xml");
    ASSERT_NE(nullptr, round.CreateHidden());
    round.ShowAndLayout();
    EXPECT_NE(ERROR, ::GetWindowRgn(round, rgn));
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0));  // the corner is cut off
    EXPECT_TRUE(::PtInRegion(rgn, 150, 100));
    ::DeleteObject(rgn);
    ::DestroyWindow(round);
    ::DestroyWindow(square);
}

TEST_F(WindowBase, ShowShadowFalseGivesNoShadowWindow) {
    TestWnd plain("Basic.xml");
    ASSERT_NE(nullptr, plain.CreateHidden());
    plain.ShowAndLayout();
    EXPECT_EQ(nullptr, plain.GetManager().GetShadow().GetShadowWindow());
    EXPECT_EQ(nullptr, CShadowUI::FindShadow(plain));

    std::string shadowed = kBasicSkin;
    shadowed.replace(shadowed.find("showshadow=\"false\""), 18, "showshadow=\"true\"");
    m_skins.Write("Shadowed.xml", shadowed);
    TestWnd wnd("Shadowed.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    EXPECT_NE(nullptr, wnd.GetManager().GetShadow().GetShadowWindow());
    ::DestroyWindow(wnd);
    ::DestroyWindow(plain);
}

}  // namespace
