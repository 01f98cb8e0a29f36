// Plain frameless top-level windows for the shadow tests, like the framework's
// own windows (WS_POPUP: the window rectangle is the client area).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace shadowtest {

// Registers the test window class once.
void RegisterTestWindowClass();

// A WS_POPUP window filled with `color` (0xRRGGBB), destroyed with the object
// unless already destroyed. Counts the WM_PAINT messages its own procedure saw,
// so a test can tell that the procedure behind the shadow still gets them.
class TestWindow {
public:
    TestWindow(int x, int y, int width, int height, uint32_t color, bool visible);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Get() const { return m_hWnd; }
    int PaintCount() const;

private:
    HWND m_hWnd = nullptr;
};

// Handles every message waiting for this thread.
void PumpMessages();

// Pumps messages until `condition` holds or `timeoutMs` has passed; returns the
// condition's last value.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000);

// Copies a rectangle of the screen as the X server shows it (the compositor's
// result, so layered windows appear blended), 0xAARRGGBB per pixel.
bool CaptureScreen(const RECT& rect, std::vector<uint32_t>& pixels);

}  // namespace shadowtest
