// Colour fills, gradients and outlines.
#include "UI/Render/Dib32.h"
#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

// One premultiplied pixel of a 32-bit DIB.
DWORD Premultiply(DWORD dwColor) {
    const DWORD a = dwColor >> 24;
    const DWORD r = ((dwColor >> 16) & 0xFF) * a / 255;
    const DWORD g = ((dwColor >> 8) & 0xFF) * a / 255;
    const DWORD b = (dwColor & 0xFF) * a / 255;
    return (a << 24) | (r << 16) | (g << 8) | b;
}

DWORD Mix(DWORD c1, DWORD c2, int num, int den) {
    DWORD out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = (c1 >> shift) & 0xFF;
        const int b = (c2 >> shift) & 0xFF;
        out |= static_cast<DWORD>(a + (b - a) * num / den) << shift;
    }
    return out;
}

// Stretches a strip of premultiplied pixels over rc.
void BlendStrip(HDC hDC, const RECT& rc, const DWORD* pixels, int cx, int cy) {
    DWORD* bits = nullptr;
    CGdiObject<HBITMAP> bmp(CreateDib32(hDC, cx, cy, &bits));
    if (!bmp) return;
    for (int i = 0; i < cx * cy; ++i) bits[i] = pixels[i];
    CMemoryDC mem(hDC);
    CSelectObject sel(mem.Get(), bmp.Get());
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem.Get(), 0, 0, cx, cy, bf);
}

bool IsEmptyArea(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

}  // namespace

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD dwColor) {
    const DWORD alpha = dwColor >> 24;
    if (alpha == 0 || IsEmptyArea(rc)) return;
    if (alpha == 255) {
        CGdiObject<HBRUSH> brush(::CreateSolidBrush(ToColorRef(dwColor)));
        ::FillRect(hDC, &rc, brush.Get());
        return;
    }
    const DWORD pixel = Premultiply(dwColor);
    BlendStrip(hDC, rc, &pixel, 1, 1);
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical) {
    if (IsEmptyArea(rc)) return;
    const int steps = bVertical ? rc.bottom - rc.top : rc.right - rc.left;
    std::vector<DWORD> strip(steps);
    for (int i = 0; i < steps; ++i) {
        strip[i] = Premultiply(Mix(dwFirst, dwSecond, i, steps > 1 ? steps - 1 : 1));
    }
    if (bVertical) BlendStrip(hDC, rc, strip.data(), 1, steps);
    else BlendStrip(hDC, rc, strip.data(), steps, 1);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwColor) {
    if (nSize <= 0) return;
    const RECT top = {rc.left, rc.top, rc.right, rc.top + nSize};
    const RECT bottom = {rc.left, rc.bottom - nSize, rc.right, rc.bottom};
    const RECT left = {rc.left, rc.top + nSize, rc.left + nSize, rc.bottom - nSize};
    const RECT right = {rc.right - nSize, rc.top + nSize, rc.right, rc.bottom - nSize};
    DrawColor(hDC, top, dwColor);
    DrawColor(hDC, bottom, dwColor);
    DrawColor(hDC, left, dwColor);
    DrawColor(hDC, right, dwColor);
}

// GDI pens have no alpha: a round outline is drawn opaque when its colour is
// not fully transparent.
void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int cxRound, int cyRound, DWORD dwColor) {
    if (nSize <= 0 || (dwColor >> 24) == 0) return;
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID | PS_INSIDEFRAME, nSize, ToColorRef(dwColor)));
    CSelectObject selPen(hDC, pen.Get());
    CSelectObject selBrush(hDC, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, cxRound, cyRound);
}

void CRenderEngine::DrawLine(HDC hDC, POINT from, POINT to, int nSize, DWORD dwColor) {
    if (nSize <= 0 || (dwColor >> 24) == 0) return;
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, nSize, ToColorRef(dwColor)));
    CSelectObject selPen(hDC, pen.Get());
    ::MoveToEx(hDC, from.x, from.y, nullptr);
    ::LineTo(hDC, to.x, to.y);
}

}  // namespace Vellum
