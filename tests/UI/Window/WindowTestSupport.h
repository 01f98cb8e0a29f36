// Fixtures for the window tests: a temporary skin folder holding the
// program's skins and images plus the test's own skins, a skinned test window
// that records what it is told, and helpers that drive a window with real
// messages.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "UI/Window/WindowImplBase.h"
#include "support/TempDir.h"

namespace windowtest {

// A suite of tests on skinned windows: the shadow's window class registered,
// and the log writer pointed at a capture folder before any test logs (the
// writer keeps the first file it writes to) until the suite ends.
class WindowSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
};

// A skin folder in a temporary directory, set as the framework's skin path
// for its lifetime. It starts with the repository's skin files and the
// images the build drew.
class SkinFolder {
public:
    SkinFolder();
    ~SkinFolder();
    const std::string& Path() const { return m_dir.Path(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    // Writes a skin file: `xml` in code page 936, written as UTF-8.
    void Write(const std::string& name, const std::string& xml) const;

private:
    testsupport::TempDir m_dir;
};

// A skinned window whose skin file is chosen per test. Every notification is
// recorded as "type:sender" before the maps dispatch it. The native window goes
// with the object, so a test that stops half-way (a failed assertion returns
// from the body) leaves no window behind that could still reach it.
class TestWnd : public Vellum::WindowImplBase {
public:
    explicit TestWnd(const char* pstrSkin) : m_strSkin(pstrSkin) {}
    // Unlinks and destroys the window before the recorded notifications and
    // the skin name go; nothing to do when the test destroyed it already.
    ~TestWnd() override { ReleaseNativeWindow(); }
    const char* GetWindowClassName() const override { return "VellumTestWnd"; }
    const char* GetSkinFolder() override { return "skin"; }
    const char* GetSkinFile() override { return m_strSkin.c_str(); }
    void Notify(Vellum::TNotification& msg) override;
    void InitWindow() override { ++m_nInitWindow; }

    // Creates the window hidden (WS_POPUP, no owner unless given).
    HWND CreateHidden(HWND owner = nullptr);
    // Shows the window and paints it once, so the tree is laid out.
    void ShowAndLayout();
    Vellum::CControlUI* Find(const char* name) { return m_pm.FindControl(name); }

    std::vector<std::string> m_notifications;
    int m_nInitWindow = 0;

private:
    std::string m_strSkin;
};

// Centre of a control in client coordinates.
POINT CenterOf(Vellum::CControlUI* control);
// Posts a left click (pointer over, press and release) at a client point.
void PostClick(HWND hWnd, POINT pt);
// The same click sent, so its effect is there when the call returns.
void SendClick(HWND hWnd, POINT pt);
// A left-button drag with sent messages, as a mouse makes it: the pointer comes
// over `from`, the button goes down, the pointer moves to `to` in `steps` equal
// moves with the button held (none when 0), and the button comes up at `to`.
// DragHeld stops before the release, for a test that looks at the state
// mid-drag; ReleaseAt ends it.
void Drag(HWND hWnd, POINT from, POINT to, int steps = 1);
void DragHeld(HWND hWnd, POINT from, POINT to, int steps = 1);
void ReleaseAt(HWND hWnd, POINT pt);
void PostKey(HWND hWnd, WPARAM key);
// Real input, as a mouse makes it: moves the cursor to a client point of the
// shown window and presses and releases the left button `count` times at once
// (so within the double-click time: the system turns the second press into
// WM_LBUTTONDBLCLK where the class asks for it). False when the input could not
// be injected. The messages arrive through the queue; pump to handle them.
bool SendRealClicks(HWND hWnd, POINT client, int count);
// Real input, as a keyboard makes it: the key `key` pressed and released, with
// `modifiers` (VK_SHIFT, VK_CONTROL) held around it, delivered to the window
// that has the keyboard focus. False when the input could not be injected.
bool SendRealKey(WORD key, std::initializer_list<WORD> modifiers = {});
// The same for real clicks with `modifier` (VK_SHIFT) held down around them.
bool SendRealClicksHolding(WORD modifier, HWND hWnd, POINT client, int count);
// Real input from outside, as an operator makes it, through the X server with
// xdotool: XClick moves the pointer to a client point of the shown window and
// clicks the left button there (which also gives the window the X keyboard
// focus); XKeys presses keys (xdotool key names: "Tab", "shift+Tab",
// "Escape") and XType types ASCII text, both to the window with the keyboard.
// False when xdotool failed. The messages arrive through the queue.
bool XClick(HWND hWnd, POINT client);
bool XKeys(const std::vector<std::string>& keys);
bool XType(const std::string& text);
// The text of the tooltip `owner` shows now; "" when none is visible.
std::string ShownToolTipText(HWND owner);
// Real hover, as a resting mouse makes it: the cursor placed on a client
// point of the shown window, nudged there by injected input so the window
// sees it arrive, then left to rest until the window shows a tooltip or
// `timeoutMs` is up. The tip's text, or "" when none appeared.
std::string HoverForToolTip(HWND hWnd, POINT client, int timeoutMs = 5000);
// Handles waiting messages until `condition` holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
void PumpPending();

// Paths that end the process run in a child: this test program started again
// for the test `testName` alone, with TestChildRole() giving `role` there (and
// "" in the parent). The message box ("MsgBoxWnd") the child shows is closed
// from here. Waits at most 20 s for the box and for the exit, then ends the
// child.
struct ChildRun {
    bool boxShown = false;
    bool exited = false;  // on its own, in time
    DWORD exitCode = 0;
};
ChildRun RunTestInChild(const std::string& testName, const std::string& role);
std::string TestChildRole();

// A directory of the build machine as Wine shows it (drive Z: is "/").
std::string HostPathToWine(const std::string& path);

}  // namespace windowtest
