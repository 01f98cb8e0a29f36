#include "WindowTestSupport.h"

#include <commctrl.h>

#include <algorithm>

#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "support/WineHost.h"

namespace windowtest {

namespace {
testsupport::LogCapture* g_suiteLog = nullptr;
}  // namespace

void WindowSuite::SetUpTestSuite() {
    Vellum::CShadowUI::Initialize(Vellum::CUIManager::GetInstance());
    g_suiteLog = new testsupport::LogCapture();
}

void WindowSuite::TearDownTestSuite() {
    delete g_suiteLog;
    g_suiteLog = nullptr;
}

namespace {

// Copies every file of `from` that matches `pattern` into `to`.
void CopyMatching(const std::string& from, const char* pattern, const std::string& to) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((from + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        ::CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}

}  // namespace

std::string HostPathToWine(const std::string& path) {
    std::string out = "Z:" + path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

SkinFolder::SkinFolder() {
    const std::string sources = HostPathToWine(TREVAND_SKIN_SOURCE_DIR);
    const std::string images = HostPathToWine(TREVAND_SKIN_BUILD_DIR);
    CopyMatching(sources, "*.xml", m_dir.Path());
    CopyMatching(images, "*.png", m_dir.Path());
    Vellum::CUIManager::SetSkinPath(m_dir.Path().c_str());
}

SkinFolder::~SkinFolder() { Vellum::CUIManager::SetSkinPath(""); }

void SkinFolder::Write(const std::string& name, const std::string& xml) const {
    // Test sources hold their skins as narrow literals, which are code page
    // 936 in the binary; skin files are UTF-8.
    const int wide = ::MultiByteToWideChar(936, 0, xml.data(), static_cast<int>(xml.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(936, 0, xml.data(), static_cast<int>(xml.size()), &text[0], wide);
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    testsupport::WriteFileBytes(m_dir.File(name), utf8);
}

void TestWnd::Notify(Vellum::TNotification& msg) {
    m_notifications.push_back(msg.sType.ToStdString() + ":" + msg.pSender->GetName().GetData());
    WindowImplBase::Notify(msg);
}

HWND TestWnd::CreateHidden(HWND owner) { return Create(owner, "VellumTestWnd", WS_POPUP, 0, 100, 100, 300, 200); }

void TestWnd::ShowAndLayout() {
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    ::UpdateWindow(m_hWnd);
    PumpPending();
}

POINT CenterOf(Vellum::CControlUI* control) {
    const RECT& rc = control->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void PostClick(HWND hWnd, POINT pt) {
    ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// A click is a drag without a move.
void SendClick(HWND hWnd, POINT pt) { Drag(hWnd, pt, pt, 0); }

void DragHeld(HWND hWnd, POINT from, POINT to, int steps) {
    ::SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(from.x, from.y));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (int i = 1; i <= steps; ++i) {
        const int x = from.x + (to.x - from.x) * i / steps, y = from.y + (to.y - from.y) * i / steps;
        ::SendMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
}

void Drag(HWND hWnd, POINT from, POINT to, int steps) {
    DragHeld(hWnd, from, to, steps);
    ReleaseAt(hWnd, to);
}

void ReleaseAt(HWND hWnd, POINT pt) { ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y)); }

void PostKey(HWND hWnd, WPARAM key) {
    ::PostMessageA(hWnd, WM_KEYDOWN, key, 1);
    ::PostMessageA(hWnd, WM_KEYUP, key, 0xC0000001);
}

bool SendRealClicks(HWND hWnd, POINT client, int count) {
    POINT screen = client;
    if (!::ClientToScreen(hWnd, &screen) || !::SetCursorPos(screen.x, screen.y)) return false;
    std::vector<INPUT> inputs;
    for (int i = 0; i < count; ++i) {
        for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flags;  // no move: at the cursor just placed
            inputs.push_back(input);
        }
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

namespace {

// One key going down or (KEYEVENTF_KEYUP) up, with the scan code a keyboard
// would give it.
INPUT KeyInput(WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

bool SendRealKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0));
    inputs.push_back(KeyInput(key, 0));
    inputs.push_back(KeyInput(key, KEYEVENTF_KEYUP));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, KEYEVENTF_KEYUP));
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool SendRealClicksHolding(WORD modifier, HWND hWnd, POINT client, int count) {
    INPUT key = KeyInput(modifier, 0);
    if (::SendInput(1, &key, sizeof(INPUT)) != 1) return false;
    const bool clicked = SendRealClicks(hWnd, client, count);
    key = KeyInput(modifier, KEYEVENTF_KEYUP);
    return ::SendInput(1, &key, sizeof(INPUT)) == 1 && clicked;
}

std::string ShownToolTipText(HWND owner) {
    for (HWND tip = ::FindWindowA(TOOLTIPS_CLASSA, nullptr); tip;
         tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
        if (::GetWindow(tip, GW_OWNER) != owner || !::IsWindowVisible(tip)) continue;
        char text[1024] = {0};
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.hwnd = owner;
        ti.uId = reinterpret_cast<UINT_PTR>(owner);
        ti.lpszText = text;
        ::SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
        return text;
    }
    return std::string();
}

std::string HoverForToolTip(HWND hWnd, POINT client, int timeoutMs) {
    POINT screen = client;
    if (!::ClientToScreen(hWnd, &screen) || !::SetCursorPos(screen.x - 1, screen.y)) return std::string();
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = 1;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    if (::SendInput(1, &move, sizeof(INPUT)) != 1) return std::string();
    std::string text;
    PumpUntil([&] { return !(text = ShownToolTipText(hWnd)).empty(); }, timeoutMs);
    return text;
}

bool XClick(HWND hWnd, POINT client) {
    if (!::ClientToScreen(hWnd, &client)) return false;
    return testsupport::RunUnixCommand(
        {"xdotool", "mousemove", std::to_string(client.x), std::to_string(client.y), "click", "1"});
}

bool XKeys(const std::vector<std::string>& keys) {
    std::vector<std::string> argv = {"xdotool", "key", "--delay", "40"};
    argv.insert(argv.end(), keys.begin(), keys.end());
    return testsupport::RunUnixCommand(argv);
}

bool XType(const std::string& text) { return testsupport::RunUnixCommand({"xdotool", "type", "--delay", "60", text}); }

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!Vellum::CUIManager::PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

namespace {
const char kChildRoleVariable[] = "VELLUM_TEST_CHILD";
}  // namespace

std::string TestChildRole() {
    char role[MAX_PATH] = {0};
    const DWORD length = ::GetEnvironmentVariableA(kChildRoleVariable, role, sizeof(role));
    return length > 0 && length < sizeof(role) ? std::string(role) : std::string();
}

ChildRun RunTestInChild(const std::string& testName, const std::string& role) {
    ChildRun run;
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=" + testName;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ::SetEnvironmentVariableA(kChildRoleVariable, role.c_str());
    const BOOL started = ::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kChildRoleVariable, nullptr);
    if (!started) return run;
    HWND box = nullptr;
    run.boxShown = PumpUntil(
                       [&] {
                           for (HWND w = ::FindWindowA("MsgBoxWnd", nullptr); w;
                                w = ::FindWindowExA(nullptr, w, "MsgBoxWnd", nullptr)) {
                               DWORD pid = 0;
                               ::GetWindowThreadProcessId(w, &pid);
                               if (pid == pi.dwProcessId && ::IsWindowVisible(w)) box = w;
                           }
                           // A child that ended without a box has nothing more to show.
                           return box != nullptr || ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
                       },
                       20000) &&
                   box != nullptr;
    if (box) ::PostMessageA(box, WM_CLOSE, 0, 0);
    run.exited = ::WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    if (!run.exited) ::TerminateProcess(pi.hProcess, 99);
    ::GetExitCodeProcess(pi.hProcess, &run.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return run;
}

}  // namespace windowtest
