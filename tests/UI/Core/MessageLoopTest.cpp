// The message loop under Wine: queued key messages pass the managers'
// accelerators, then their message filters, before they are translated and
// dispatched; whichever takes a message stops it there; WM_QUIT ends the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "UI/Core/UIManager.h"
#include "UI/Window/WindowTestSupport.h"

using namespace Vellum;
using windowtest::PostKey;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kPlainSkin[] = R"(<Window size="200,100" showshadow="false"><VerticalLayout /></Window>)";

std::string Entry(const char* who, WPARAM key) { return std::string(who) + ":" + static_cast<char>(key); }

// Logs every key press it sees and takes the one key it is given.
class KeyFilter : public IMessageFilterUI {
public:
    KeyFilter(const char* name, WPARAM takes, std::vector<std::string>& log)
        : m_name(name), m_takes(takes), m_log(log) {}
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) override {
        if (uMsg != WM_KEYDOWN) return 0;
        m_log.push_back(Entry(m_name, wParam));
        if (wParam == m_takes) bHandled = true;
        return 0;
    }

private:
    const char* m_name;
    WPARAM m_takes;
    std::vector<std::string>& m_log;
};

class KeyAccelerator : public ITranslateAccelerator {
public:
    KeyAccelerator(WPARAM takes, std::vector<std::string>& log) : m_takes(takes), m_log(log) {}
    LRESULT TranslateAccel(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN) return S_FALSE;
        m_log.push_back(Entry("accel", pMsg->wParam));
        return pMsg->wParam == m_takes ? 0 : S_FALSE;
    }

private:
    WPARAM m_takes;
    std::vector<std::string>& m_log;
};

// Logs the key presses and characters that reach the window procedure.
class KeyWnd : public TestWnd {
public:
    explicit KeyWnd(std::vector<std::string>& log) : TestWnd("Plain.xml"), m_log(log) {}
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& bHandled) override {
        m_log.push_back(Entry("wnd", wParam));
        bHandled = false;
        return 0;
    }
    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, bool& bHandled) override {
        m_chars += static_cast<char>(wParam);
        bHandled = false;
        return 0;
    }
    std::string m_chars;

private:
    std::vector<std::string>& m_log;
};

// Ends a loop that would otherwise never end.
void CALLBACK QuitAfterTimeout(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

TEST(MessageLoop, AcceleratorsThenFiltersSeeKeysFirstAndATakerStopsThem) {
    SkinFolder skins;
    skins.Write("Plain.xml", kPlainSkin);
    std::vector<std::string> log;
    KeyWnd wnd(log);
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    KeyAccelerator accel('C', log);
    KeyFilter first("first", 'A', log);
    KeyFilter second("second", 0, log);
    CUIManager& pm = wnd.GetManager();
    pm.AddTranslateAccelerator(&accel);
    pm.AddMessageFilter(&first);
    pm.AddMessageFilter(&second);
    // A child of the skinned window belongs to its manager; a top-level
    // window without a manager belongs to none.
    HWND child =
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, wnd, nullptr, nullptr, nullptr);
    HWND stranger = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    ASSERT_NE(nullptr, stranger);

    PostKey(wnd, 'A');
    PostKey(wnd, 'B');
    PostKey(wnd, 'C');
    PostKey(child, 'D');
    PostKey(stranger, 'E');
    bool quitPosted = false;
    wnd.PostUserMessage(
        [&](CWindowWnd&) {
            quitPosted = true;
            ::PostQuitMessage(0);
            return true;
        },
        "Quit");
    const UINT_PTR failsafe = ::SetTimer(nullptr, 0, 5000, QuitAfterTimeout);
    CUIManager::RunMessageLoop();
    ::KillTimer(nullptr, failsafe);
    EXPECT_TRUE(quitPosted);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop took its WM_QUIT

    EXPECT_EQ((std::vector<std::string>{"accel:A", "first:A",                       // the first filter takes A
                                        "accel:B", "first:B", "second:B", "wnd:B",  // nobody takes B
                                        "accel:C",                                  // the accelerator takes C
                                        "accel:D", "first:D", "second:D"}),         // the child's key
              log);
    // Only the key that nobody took was translated into a character.
    EXPECT_EQ("b", wnd.m_chars);

    pm.RemoveTranslateAccelerator(&accel);
    pm.RemoveMessageFilter(&second);
    pm.RemoveMessageFilter(&first);
    ::DestroyWindow(stranger);
    ::DestroyWindow(wnd);
}

}  // namespace
