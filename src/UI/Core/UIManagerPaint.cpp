// CUIManager: layout and double-buffered painting.
#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Render/GdiHandles.h"

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

void CUIManager::EnsureOffscreen(int cx, int cy) {
    if (m_hDcOffscreen && m_szOffscreen.cx == cx && m_szOffscreen.cy == cy) return;
    if (m_hDcOffscreen) {
        ::SelectObject(m_hDcOffscreen, m_hbmpOffscreenOld);
        ::DeleteDC(m_hDcOffscreen);
        ::DeleteObject(m_hbmpOffscreen);
        m_hDcOffscreen = nullptr;
        m_hbmpOffscreen = nullptr;
    }
    m_hDcOffscreen = ::CreateCompatibleDC(m_hDcPaint);
    m_hbmpOffscreen = CreateDib32(m_hDcPaint, cx, cy, nullptr);
    m_hbmpOffscreenOld = ::SelectObject(m_hDcOffscreen, m_hbmpOffscreen);
    m_szOffscreen = {cx, cy};
}

// The window's pixels as they are before our first paint: what shows through
// where the skin leaves the background transparent. A capture belongs to one
// window size; after a resize the stale pixels would show smeared, so the
// capture is dropped and a plain window colour is used instead.
void CUIManager::CaptureBackground(int cx, int cy) {
    if (m_hbmpBackground && (m_szBackground.cx != cx || m_szBackground.cy != cy)) {
        ::DeleteObject(m_hbmpBackground);
        m_hbmpBackground = nullptr;
        m_szBackground = {-1, -1};  // never capture again
        return;
    }
    if (m_hbmpBackground || m_szBackground.cx < 0) return;
    m_hbmpBackground = CreateDib32(m_hDcPaint, cx, cy, nullptr);
    if (!m_hbmpBackground) return;
    m_szBackground = {cx, cy};
    CMemoryDC mem(m_hDcPaint);
    CSelectObject sel(mem.Get(), m_hbmpBackground);
    ::BitBlt(mem.Get(), 0, 0, cx, cy, m_hDcPaint, 0, 0, SRCCOPY);
}

void CUIManager::RenderInto(HDC hDC, const RECT& rcPaint) {
    if (m_hbmpBackground && m_bAlphaBackground) {
        CMemoryDC mem(hDC);
        CSelectObject sel(mem.Get(), m_hbmpBackground);
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
        EnsureOffscreen(cx, cy);
        {
            CSaveDC saved(m_hDcOffscreen);
            ::IntersectClipRect(m_hDcOffscreen, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
            RenderInto(m_hDcOffscreen, ps.rcPaint);
        }
        ::BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                 ps.rcPaint.bottom - ps.rcPaint.top, m_hDcOffscreen, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
    ::EndPaint(m_hWndPaint, &ps);
    return true;
}

void CUIManager::PaintTo(HDC hDC) {
    RECT rcClient = {0, 0, 0, 0};
    if (m_hWndPaint) ::GetClientRect(m_hWndPaint, &rcClient);
    LayoutIfNeeded(rcClient);
    CSaveDC saved(hDC);
    RenderInto(hDC, rcClient);
}

}  // namespace Vellum
