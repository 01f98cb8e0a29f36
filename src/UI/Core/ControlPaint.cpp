// CControlUI: painting.
#include "UI/Core/ControlUI.h"
#include "UI/Markup/ImageDescriptor.h"
#include "UI/Core/UIManager.h"
#include "UI/Render/GdiHandles.h"

namespace Vellum {

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    CSaveDC saved(hDC);
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        // Round corners: nothing of the control shows outside its outline.
        CGdiObject<HRGN> rgn(::CreateRoundRectRgn(m_rcItem.left, m_rcItem.top, m_rcItem.right + 1, m_rcItem.bottom + 1,
                                                  m_cxyBorderRound.cx, m_cxyBorderRound.cy));
        ::ExtSelectClipRgn(hDC, rgn.Get(), RGN_AND);
    }
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
    if (!IsEnabled() && m_dwDisabledBkColor) {
        CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwDisabledBkColor);
        return;
    }
    if (m_dwBackColor2 == 0) {
        CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwBackColor);
        return;
    }
    if (m_dwBackColor3 == 0) {
        CRenderEngine::DrawGradient(hDC, m_rcItem, m_dwBackColor, m_dwBackColor2, true);
        return;
    }
    // Three colours: the first half runs to the second colour, the rest to the third.
    RECT top = m_rcItem, bottom = m_rcItem;
    top.bottom = bottom.top = (m_rcItem.top + m_rcItem.bottom) / 2;
    CRenderEngine::DrawGradient(hDC, top, m_dwBackColor, m_dwBackColor2, true);
    CRenderEngine::DrawGradient(hDC, bottom, m_dwBackColor2, m_dwBackColor3, true);
}

void CControlUI::PaintBkImage(HDC hDC) { DrawImage(hDC, m_strBkImage); }

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
    DWORD color = m_dwBorderColor;
    // A disabled control never shows the focus, whatever holds it.
    if (m_bFocused && IsEnabled() && m_dwFocusBorderColor) color = m_dwFocusBorderColor;
    else if (m_bHot && m_dwHotBorderColor) color = m_dwHotBorderColor;
    if (color == 0) return;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        // The clip of DoPaint would cut the outline's outer half; draw it unclipped.
        ::SelectClipRgn(hDC, nullptr);
        ::IntersectClipRect(hDC, m_rcPaint.left, m_rcPaint.top, m_rcPaint.right, m_rcPaint.bottom);
        CRenderEngine::DrawRoundRect(hDC, m_rcItem, m_nBorderSize, m_cxyBorderRound.cx, m_cxyBorderRound.cy, color);
        return;
    }
    const RECT& s = m_rcBorderSize;
    if (s.left > 0 || s.top > 0 || s.right > 0 || s.bottom > 0) {
        const RECT& r = m_rcItem;
        CRenderEngine::DrawColor(hDC, {r.left, r.top, r.left + s.left, r.bottom}, color);
        CRenderEngine::DrawColor(hDC, {r.left, r.top, r.right, r.top + s.top}, color);
        CRenderEngine::DrawColor(hDC, {r.right - s.right, r.top, r.right, r.bottom}, color);
        CRenderEngine::DrawColor(hDC, {r.left, r.bottom - s.bottom, r.right, r.bottom}, color);
        return;
    }
    CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, color);
}

bool CControlUI::DrawImage(HDC hDC, CImageAttribute& image, const TImageModifier* pModifier) {
    if (image.IsEmpty()) return false;
    if (DrawImages(hDC, image.GetImages(), pModifier)) return true;
    image.Empty();  // a broken image would fail again, and log again, on every paint
    return false;
}

bool CControlUI::DrawImages(HDC hDC, const std::vector<UIImageDescriptor>& images, const TImageModifier* pModifier) {
    if (!m_pManager || images.empty()) return false;
    for (size_t i = 0; i < images.size(); ++i) {
        const UIImageDescriptor& image = images[i];
        const TImageInfo* info =
            m_pManager->GetImageEx(image.strFile, image.strResType.IsEmpty() ? nullptr : image.strResType.GetData(),
                                   image.bMask ? image.dwMask : 0);
        if (!info) return false;
        TImageDraw draw;
        if (image.bDest) draw.rcDest = ToRECT(image.rcDest);
        if (image.bSource) draw.rcSource = ToRECT(image.rcSource);
        // The control's own place goes to the last image, as keys written
        // after the descriptor would.
        if (pModifier && i + 1 == images.size()) {
            if (pModifier->bDest) draw.rcDest = ToRECT(pModifier->rcDest);
            if (pModifier->bSource) draw.rcSource = ToRECT(pModifier->rcSource);
        }
        draw.rcCorner = ToRECT(image.rcCorner);
        draw.uFade = static_cast<BYTE>(image.nFade < 0 ? 0 : image.nFade > 255 ? 255 : image.nFade);
        draw.bHole = image.bHole;
        draw.bTiledX = image.bXTiled;
        draw.bTiledY = image.bYTiled;
        if (!CRenderEngine::DrawImage(hDC, *info, m_rcItem, m_rcPaint, draw)) return false;
    }
    return true;
}

}  // namespace Vellum
