// Cross-thread calls under Wine with real windows: calls posted from another
// thread run on the window's thread in posting order, stop at its close, are
// refused once the window is gone, and are released, never lost or run late,
// whatever race they meet with the window's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/WindowTestSupport.h"
#include "UI/Wnd/WindowWnd.h"
#include "support/LogCapture.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

class CrossThreadCall : public windowtest::WindowSuite {
protected:
    void SetUp() override {
        m_skins.Write("Basic.xml", R"(<Window size="300,200" showshadow="false"><Button name="BtnOk" /></Window>)");
    }

    SkinFolder m_skins;
};

TEST_F(CrossThreadCall, CrossThreadCallsRunInPostingOrderAndStopAtClose) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    std::vector<int> ran;  // touched on the UI thread only
    std::atomic<bool> secondRan{false};
    std::atomic<bool> closed{false};
    bool refusedAfterClose = false;
    std::thread worker([&] {
        wnd.PostUserMessage(
            [&](CWindowWnd&) {
                ran.push_back(1);
                return true;
            },
            "First");
        // The second call holds the UI thread until the worker has closed the
        // window, so the call posted before the close is still queued then.
        wnd.PostUserMessage(
            [&](CWindowWnd&) {
                ran.push_back(2);
                secondRan = true;
                for (int i = 0; i < 400 && !closed; ++i) ::Sleep(1);
                return true;
            },
            "Second");
        for (int i = 0; i < 500 && !secondRan; ++i) ::Sleep(10);
        wnd.PostUserMessage(
            [&](CWindowWnd&) {
                ran.push_back(3);
                return true;
            },
            "BeforeClose");
        wnd.Close(5);
        closed = true;
        refusedAfterClose = !wnd.PostUserMessage(
            [&](CWindowWnd&) {
                ran.push_back(4);
                return true;
            },
            "AfterClose");
    });
    const UINT result = wnd.ShowModal();
    worker.join();
    EXPECT_EQ(5u, result);
    EXPECT_EQ((std::vector<int>{1, 2}), ran);
    EXPECT_TRUE(refusedAfterClose);
}

TEST_F(CrossThreadCall, ASlowCallLeavesOneWarningAndAQuickOneNone) {
    testsupport::LogCapture log;
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.PostUserMessage(
        [](CWindowWnd&) {
            ::Sleep(600);
            return true;
        },
        "SlowCall");
    wnd.PostUserMessage([](CWindowWnd&) { return true; }, "QuickCall");
    wnd.PostUserMessage(
        [](CWindowWnd& w) {
            w.Close(1);
            return true;
        },
        "CloseCall");
    EXPECT_EQ(1u, wnd.ShowModal());
    EXPECT_EQ((std::vector<std::string>{"[Warning]|ExecuteUserMessage [SlowCall] timeout"}), log.Lines());
}

TEST_F(CrossThreadCall, APostToAWindowThatIsGoneIsRefusedAndReleased) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    ::DestroyWindow(wnd);
    auto token = std::make_shared<int>(0);
    bool ran = false;
    EXPECT_FALSE(wnd.PostUserMessage(
        [token, &ran](CWindowWnd&) {
            ran = true;
            return true;
        },
        "Late"));
    EXPECT_EQ(1, token.use_count());  // the call was released
    windowtest::PumpPending();
    EXPECT_FALSE(ran);
}

// What another thread does to the window between PostUserMessage's checks and
// its post, played through the seam there (the real race lasts nanoseconds).
void (*g_pRaceAction)(CWindowWnd&) = nullptr;

TEST_F(CrossThreadCall, ACallRacingTheWindowsEndIsNeitherLostNorRun) {
    const struct {
        const char* name;
        void (*action)(CWindowWnd&);
        bool posted;  // what the sender hears
    } cases[] = {
        // The UI thread destroys the window and clears the handle copy: nothing
        // is left to post to.
        {"destroyed", [](CWindowWnd& w) { ::DestroyWindow(w); }, false},
        // Another thread closes it: the call lands behind the WM_CLOSE that
        // destroys the window, and is released with it.
        {"closed", [](CWindowWnd& w) { w.Close(3); }, true},
    };
    userui::SetBetweenCheckAndPostHookForTests([](void* pWindow) { g_pRaceAction(*static_cast<CWindowWnd*>(pWindow)); });
    struct Unhook {
        ~Unhook() { userui::SetBetweenCheckAndPostHookForTests(nullptr); }
    } unhook;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestWnd wnd("Basic.xml");
        ASSERT_NE(nullptr, wnd.CreateHidden());
        const HWND hWnd = wnd;
        g_pRaceAction = c.action;
        auto token = std::make_shared<int>(0);
        bool ran = false;
        EXPECT_EQ(c.posted, wnd.PostUserMessage(
                                [token, &ran](CWindowWnd&) {
                                    ran = true;
                                    return true;
                                },
                                "Racing"));
        g_pRaceAction = [](CWindowWnd&) {};
        EXPECT_TRUE(windowtest::PumpUntil([&] { return !::IsWindow(hWnd); }));
        windowtest::PumpPending();
        EXPECT_FALSE(ran);
        EXPECT_EQ(1, token.use_count()) << "the call was not released";
    }
}

TEST_F(CrossThreadCall, CallsStillQueuedWhenTheWindowIsDestroyedAreReleased) {
    TestWnd wnd("Basic.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    auto token = std::make_shared<int>(0);
    bool ran = false;
    for (const char* name : {"Queued1", "Queued2"}) {
        ASSERT_TRUE(wnd.PostUserMessage(
            [token, &ran](CWindowWnd&) {
                ran = true;
                return true;
            },
            name));
    }
    ::DestroyWindow(wnd);
    windowtest::PumpPending();
    EXPECT_FALSE(ran);
    EXPECT_EQ(1, token.use_count());
}

}  // namespace
