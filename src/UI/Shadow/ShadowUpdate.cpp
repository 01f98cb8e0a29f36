// CShadowUI: following the shadowed window, and drawing the shadow.
#include "UI/Shadow/ShadowUI.h"

#include <cstring>

#include "UI/Render/Dib32.h"
#include "UI/Render/GdiHandles.h"
#include "UI/Shadow/ShadowBitmap.h"
#include "UI/Shadow/ShadowRegistry.h"
#include "comm/platform/PathSeparator.h"

namespace Vellum {

LRESULT CALLBACK CShadowUI::ParentProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // Taken before reacting: WM_NCDESTROY forgets it, and the window's own
    // procedure may delete the manager (and this shadow) while it runs.
    const WNDPROC next = ShadowRegistry::NextProc(hWnd);
    if (CShadowUI* shadow = ShadowRegistry::Find(hWnd)) shadow->OnParentMessage(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) ShadowRegistry::Forget(hWnd);
    return next ? CallWindowProcA(next, hWnd, uMsg, wParam, lParam) : DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

void CShadowUI::OnParentMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_MOVE:
        if (m_Status & SS_VISIBLE) {
            RECT rc;
            GetWindowRect(hWnd, &rc);
            SetWindowPos(m_hWnd, nullptr, rc.left - m_rcShadowCorner.left, rc.top - m_rcShadowCorner.top, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        Update(hWnd);
        break;

    case WM_SIZE: {
        const uint16_t width = LOWORD(lParam), height = HIWORD(lParam);
        if (m_Status & SS_ENABLED) {
            if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
                // A maximised window has no edge to cast a shadow from.
                ShowWindow(m_hWnd, SW_HIDE);
                m_Status &= ~SS_VISIBLE;
            } else if (m_Status & SS_PARENTVISIBLE) {
                // While a drag enlarges the window, redraw once it has painted
                // its new area; a shrinking window is redrawn at once so no
                // shadow is left standing where the window no longer is.
                if (width > m_nParentWidth || height > m_nParentHeight) m_bUpdate = true;
                else Update(hWnd);
                if (!(m_Status & SS_VISIBLE)) {
                    ShowWindow(m_hWnd, SW_SHOWNA);
                    m_Status |= SS_VISIBLE;
                }
            }
        }
        m_nParentWidth = width;
        m_nParentHeight = height;
        break;
    }

    case WM_PAINT:
        if (m_bUpdate) {
            Update(hWnd);
            m_bUpdate = false;
        }
        break;

    case WM_SHOWWINDOW:
        if (m_Status & SS_ENABLED) {
            if (!wParam) {
                ShowWindow(m_hWnd, SW_HIDE);
                m_Status &= ~(SS_VISIBLE | SS_PARENTVISIBLE);
            } else if (!(m_Status & SS_PARENTVISIBLE)) {
                m_bUpdate = true;
                ShowWindow(m_hWnd, SW_SHOWNA);
                m_Status |= SS_VISIBLE | SS_PARENTVISIBLE;
            }
        }
        break;

    case WM_EXITSIZEMOVE:
        if (m_Status & SS_VISIBLE) Update(hWnd);
        break;

    case WM_DESTROY:
        // Normally gone already (owned windows die before their owner).
        if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
        m_Status = 0;
        break;

    case WM_NCDESTROY: m_hWndParent = nullptr; break;

    default: break;
    }
}

bool CShadowUI::FindImage(TShadowImage& image) {
    if (m_sImageName != m_sShadowImage) {
        m_ownImage.Reset();
        m_sImageName = m_sShadowImage;
        m_bImageFailed = false;
    }
    // Every move, size and paint redraws: an image that cannot be had is tried
    // (and its failure logged, by the loader or the decoder) once, not each time.
    if (m_bImageFailed) return false;
    if (m_loader) {
        m_bImageFailed = !m_loader(m_sShadowImage, image);
        return !m_bImageFailed;
    }
    if (!m_ownImage.IsValid()) {
        std::string path = m_sImageFolder;
        if (!path.empty() && !platform::EndsWithSeparator(path)) path += '\\';
        path += m_sShadowImage;
        if (!DecodeImageFile(path.c_str(), kNoMask, m_ownImage)) {
            m_bImageFailed = true;
            return false;
        }
    }
    image.hBitmap = m_ownImage.GetBitmap();
    image.nWidth = m_ownImage.GetWidth();
    image.nHeight = m_ownImage.GetHeight();
    return true;
}

void CShadowUI::Update(HWND hParent) {
    if (!m_hWnd) return;
    RECT rc;
    if (!GetWindowRect(hParent, &rc) || m_sShadowImage.empty()) return;
    const RECT& corner = m_rcShadowCorner;
    const int width = rc.right - rc.left + corner.left + corner.right;
    const int height = rc.bottom - rc.top + corner.top + corner.bottom;
    if (width <= 0 || height <= 0) return;
    TShadowImage image;
    if (!FindImage(image) || !image.hBitmap) return;

    DWORD* bits = nullptr;
    CGdiObject<HBITMAP> frame(CreateDib32(nullptr, width, height, &bits));
    if (!frame.Get() || !bits) return;
    // Fully transparent to start with: what the nine-grid leaves out stays a hole.
    std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    CBitmapDC dc(nullptr, frame.Get());
    if (!dc.Get() ||
        !DrawNineGridWithoutCentre(dc.Get(), width, height, image.hBitmap, image.nWidth, image.nHeight, corner))
        return;
    GdiFlush();

    POINT ptDest = {rc.left - corner.left, rc.top - corner.top};
    SIZE size = {width, height};
    POINT ptSource = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetWindowPos(m_hWnd, nullptr, ptDest.x, ptDest.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    UpdateLayeredWindow(m_hWnd, nullptr, &ptDest, &size, dc.Get(), &ptSource, 0, &blend, ULW_ALPHA);
}

}  // namespace Vellum
