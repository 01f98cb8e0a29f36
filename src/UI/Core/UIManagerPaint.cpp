// CUIManager: layout and double-buffered painting.
#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Render/Dib32.h"
#include "UI/Render/GdiHandles.h"
#include "comm/log/LastErrorLog.h"

namespace Vellum {

void CUIManager::LayoutIfNeeded(const RECT& rcClient) {
    if (!m_pRoot || !m_bUpdateNeeded) return;
    if (rcClient.right <= rcClient.left || rcClient.bottom <= rcClient.top) return;  // minimised
    m_bUpdateNeeded = false;
    m_pRoot->SetPos(rcClient, false);
    // A new layout may move anything: repaint the whole window.
    if (m_hWndPaint) ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
    if (m_bFirstLayout) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, "windowinit");
    }
}

bool CUIManager::EnsureOffscreen(int cx, int cy) {
    if (m_dcOffscreen && m_szOffscreen.cx == cx && m_szOffscreen.cy == cy) return true;
    // The DC first: it holds the old bitmap selected.
    m_dcOffscreen.reset();
    m_szOffscreen = {0, 0};
    m_bmpOffscreen.Reset(CreateDib32(m_dcPaint.Get(), cx, cy, nullptr));
    if (!m_bmpOffscreen) return LogLastError("CreateDIBSection", "the off-screen buffer");
    m_dcOffscreen.emplace(m_dcPaint.Get(), m_bmpOffscreen.Get());
    if (!*m_dcOffscreen) {
        m_dcOffscreen.reset();
        return LogLastError("CreateCompatibleDC", "the off-screen buffer");
    }
    m_szOffscreen = {cx, cy};
    return true;
}

// The window's pixels as they are before our first paint: what shows through
// where the skin leaves the background transparent. A capture belongs to one
// window size; after a resize the stale pixels would show smeared, so the
// capture is dropped and a plain window colour is used instead.
void CUIManager::CaptureBackground(int cx, int cy) {
    if (m_bmpBackground && (m_szBackground.cx != cx || m_szBackground.cy != cy)) {
        m_bmpBackground.Reset();
        m_szBackground = {-1, -1};  // never capture again
        return;
    }
    if (m_bmpBackground || m_szBackground.cx < 0) return;
    m_bmpBackground.Reset(CreateDib32(m_dcPaint.Get(), cx, cy, nullptr));
    if (!m_bmpBackground) {
        LogLastError("CreateDIBSection", "the background capture");
        return;
    }
    m_szBackground = {cx, cy};
    CBitmapDC mem(m_dcPaint.Get(), m_bmpBackground.Get());
    ::BitBlt(mem.Get(), 0, 0, cx, cy, m_dcPaint.Get(), 0, 0, SRCCOPY);
}

void CUIManager::RenderInto(HDC hDC, const RECT& rcPaint) {
    if (m_bmpBackground && m_bAlphaBackground) {
        CBitmapDC mem(hDC, m_bmpBackground.Get());
        ::BitBlt(hDC, rcPaint.left, rcPaint.top, rcPaint.right - rcPaint.left, rcPaint.bottom - rcPaint.top, mem.Get(),
                 rcPaint.left, rcPaint.top, SRCCOPY);
    } else {
        ::FillRect(hDC, &rcPaint, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    }
    if (m_pRoot) m_pRoot->DoPaint(hDC, rcPaint);
    if (m_bShowUpdateRect) CRenderEngine::DrawRect(hDC, rcPaint, 1, 0xFFFF0000);
}

bool CUIManager::OnPaint() {
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(m_hWndPaint, &rcClient);
    LayoutIfNeeded(rcClient);
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWndPaint, &ps);
    const int cx = rcClient.right - rcClient.left;
    const int cy = rcClient.bottom - rcClient.top;
    if (cx > 0 && cy > 0 && !::IsRectEmpty(&ps.rcPaint)) {
        if (m_bAlphaBackground) CaptureBackground(cx, cy);
        if (EnsureOffscreen(cx, cy)) {
            const HDC offscreen = m_dcOffscreen->Get();
            {
                CSaveDC saved(offscreen);
                ::IntersectClipRect(offscreen, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
                RenderInto(offscreen, ps.rcPaint);
            }
            ::BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                     ps.rcPaint.bottom - ps.rcPaint.top, offscreen, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        } else {
            // No buffer (GDI refused one, logged): paint straight into the
            // window. It may flicker, but the window shows its controls.
            CSaveDC saved(hDC);
            RenderInto(hDC, ps.rcPaint);
        }
    }
    ::EndPaint(m_hWndPaint, &ps);
    return true;
}

void CUIManager::PaintTo(HDC hDC) {
    RECT rcClient = {0, 0, 0, 0};
    if (m_hWndPaint) ::GetClientRect(m_hWndPaint, &rcClient);
    LayoutIfNeeded(rcClient);
    {
        CSaveDC saved(hDC);
        RenderInto(hDC, rcClient);
    }
    PrintChildWindows(hDC);
}

// On screen the native child windows paint themselves over the tree (the
// window clips them out of its own painting); a picture of the window must
// show them too. Bottom of the z-order first, each clipped to its place
// and to its window region (a text box scrolled half out of its container).
void CUIManager::PrintChildWindows(HDC hDC) {
    if (!m_hWndPaint) return;
    HWND child = ::GetWindow(m_hWndPaint, GW_CHILD);
    if (child) child = ::GetWindow(child, GW_HWNDLAST);
    for (; child; child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child)) continue;
        RECT rc = {0, 0, 0, 0};
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, m_hWndPaint, reinterpret_cast<POINT*>(&rc), 2);
        CSaveDC saved(hDC);
        ::IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
        CGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
        if (region && ::GetWindowRgn(child, region.Get()) != ERROR) {
            ::OffsetRgn(region.Get(), rc.left, rc.top);
            ::ExtSelectClipRgn(hDC, region.Get(), RGN_AND);
        }
        ::OffsetViewportOrgEx(hDC, rc.left, rc.top, nullptr);
        ::SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    }
}

}  // namespace Vellum
