#include "ShadowTestWindow.h"

#include "UI/Render/Dib32.h"

#include <chrono>
#include <cstring>

namespace shadowtest {

namespace {

const char kClassName[] = "ShadowTestWnd";

struct WindowData {
    uint32_t color;
    int paints;
};

LRESULT CALLBACK TestWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    WindowData* data = reinterpret_cast<WindowData*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    switch (uMsg) {
    case WM_NCCREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        if (data) {
            ++data->paints;
            const uint32_t c = data->color;
            HBRUSH brush = CreateSolidBrush(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
            RECT rc;
            GetClientRect(hWnd, &rc);
            FillRect(hdc, &rc, brush);
            DeleteObject(brush);
        }
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        delete data;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        break;
    default: break;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

void RegisterTestWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    registered = RegisterClassExA(&wc) != 0;
}

TestWindow::TestWindow(int x, int y, int width, int height, uint32_t color, bool visible) {
    RegisterTestWindowClass();
    m_hWnd = CreateWindowExA(0, kClassName, "shadow test", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y, width, height,
                             nullptr, nullptr, GetModuleHandleA(nullptr), new WindowData{color, 0});
    PumpMessages();
}

TestWindow::~TestWindow() {
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
    PumpMessages();
}

int TestWindow::PaintCount() const {
    const WindowData* data = reinterpret_cast<const WindowData*>(GetWindowLongPtrA(m_hWnd, GWLP_USERDATA));
    return data ? data->paints : -1;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool CaptureScreen(const RECT& rect, std::vector<uint32_t>& pixels) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    DWORD* bits = nullptr;
    HBITMAP bitmap = Vellum::CreateDib32(nullptr, width, height, &bits);
    if (!bitmap) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
    GdiFlush();
    if (ok) {
        pixels.assign(reinterpret_cast<const uint32_t*>(bits),
                      reinterpret_cast<const uint32_t*>(bits) + width * height);
        for (uint32_t& p : pixels) p |= 0xFF000000u;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return ok;
}

}  // namespace shadowtest
