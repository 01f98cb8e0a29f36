// Image drawing: source part, destination, nine-grid corners, hole, tiling
// and fade, all through AlphaBlend on premultiplied pixels.
#include <algorithm>

#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

bool IsZero(const RECT& rc) { return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0; }

// Draws the source cell into the destination cell, stretched or tiled.
void BlendCell(HDC hDC, const RECT& dst, HDC hSrc, const RECT& src, const BLENDFUNCTION& bf, bool bTiledX,
               bool bTiledY) {
    const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const int stepX = bTiledX ? sw : dw;
    const int stepY = bTiledY ? sh : dh;
    for (int y = dst.top; y < dst.bottom; y += stepY) {
        const int h = std::min(stepY, static_cast<int>(dst.bottom) - y);
        const int srcH = bTiledY ? h : sh;
        for (int x = dst.left; x < dst.right; x += stepX) {
            const int w = std::min(stepX, static_cast<int>(dst.right) - x);
            const int srcW = bTiledX ? w : sw;
            ::AlphaBlend(hDC, x, y, w, h, hSrc, src.left, src.top, srcW, srcH, bf);
        }
    }
}

}  // namespace

bool CRenderEngine::DrawImage(HDC hDC, const TImageInfo& image, const RECT& rcControl, const RECT& rcPaint,
                              const TImageDraw& draw) {
    if (!image.hBitmap) return false;
    RECT rcDest = rcControl;
    if (!IsZero(draw.rcDest)) {
        rcDest = draw.rcDest;
        ::OffsetRect(&rcDest, rcControl.left, rcControl.top);
        rcDest.right = std::min(rcDest.right, rcControl.right);
        rcDest.bottom = std::min(rcDest.bottom, rcControl.bottom);
    }
    RECT rcSource = {0, 0, image.nX, image.nY};
    if (!IsZero(draw.rcSource)) {
        rcSource = draw.rcSource;
        rcSource.right = std::min<LONG>(rcSource.right, image.nX);
        rcSource.bottom = std::min<LONG>(rcSource.bottom, image.nY);
    }
    RECT rcClip;
    if (!::IntersectRect(&rcClip, &rcControl, &rcPaint)) return true;
    RECT rcVisible;
    if (!::IntersectRect(&rcVisible, &rcDest, &rcClip)) return true;

    CSaveDC saved(hDC);
    ::IntersectClipRect(hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    CMemoryDC mem(hDC);
    CSelectObject sel(mem.Get(), image.hBitmap);
    const BLENDFUNCTION bf = {AC_SRC_OVER, 0, draw.uFade, AC_SRC_ALPHA};

    // Column and row edges of the nine-grid in destination and source.
    const RECT& c = draw.rcCorner;
    const LONG dx[4] = {rcDest.left, rcDest.left + c.left, rcDest.right - c.right, rcDest.right};
    const LONG dy[4] = {rcDest.top, rcDest.top + c.top, rcDest.bottom - c.bottom, rcDest.bottom};
    const LONG sx[4] = {rcSource.left, rcSource.left + c.left, rcSource.right - c.right, rcSource.right};
    const LONG sy[4] = {rcSource.top, rcSource.top + c.top, rcSource.bottom - c.bottom, rcSource.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool centre = row == 1 && col == 1;
            if (centre && draw.bHole) continue;
            const RECT dst = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
            const RECT src = {sx[col], sy[row], sx[col + 1], sy[row + 1]};
            // Corners keep their size; only the middle bands stretch or tile.
            BlendCell(hDC, dst, mem.Get(), src, bf, draw.bTiledX && col == 1, draw.bTiledY && row == 1);
        }
    }
    return true;
}

}  // namespace Vellum
