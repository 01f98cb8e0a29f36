// The framework's GDI drawing primitives: colour fills with alpha, gradients,
// borders, images (nine-grid, tiling, fade) and plain or HTML-styled text.
//
// Colours are 0xAARRGGBB. A colour whose alpha is 0 draws nothing (that is
// how a skin says "no colour"). Images are premultiplied 32-bit DIB sections
// and are drawn with AlphaBlend.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Vellum {

// One decoded image of the manager's cache.
struct TImageInfo {
    HBITMAP hBitmap = nullptr;  // premultiplied top-down 32-bit DIB section, owned by the cache
    int nX = 0;
    int nY = 0;
    bool bAlpha = false;  // some pixel is not fully opaque
    DWORD dwMask = 0;     // colour made transparent at load time (0 = none)
};

// How one image is placed (filled from an image descriptor).
struct TImageDraw {
    RECT rcDest = {0, 0, 0, 0};    // relative to the control; all zero = the whole control
    RECT rcSource = {0, 0, 0, 0};  // all zero = the whole image
    RECT rcCorner = {0, 0, 0, 0};  // nine-grid corners, never stretched
    BYTE uFade = 255;
    bool bHole = false;
    bool bTiledX = false;
    bool bTiledY = false;
};

// Where an HTML-styled text put its links, for hit tests and cursors. A link
// of several words or lines has one entry per piece, all with the same index.
struct THtmlLink {
    RECT rc;
    int nIndex;  // the link's number in the text, from 0
    std::string strTarget;
};

class CRenderEngine {
public:
    static void DrawColor(HDC hDC, const RECT& rc, DWORD dwColor);
    // Linear gradient from dwFirst to dwSecond, top to bottom when bVertical.
    static void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical);
    // A rectangle outline `nSize` pixels wide drawn inside rc.
    static void DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwColor);
    static void DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int cxRound, int cyRound, DWORD dwColor);
    static void DrawLine(HDC hDC, POINT from, POINT to, int nSize, DWORD dwColor);

    // Draws `image` into rcControl as `draw` says, clipped to rcControl and
    // rcPaint. Returns false when nothing could be drawn.
    static bool DrawImage(HDC hDC, const TImageInfo& image, const RECT& rcControl, const RECT& rcPaint,
                          const TImageDraw& draw);

    // Plain text through DrawTextA. With DT_CALCRECT in uStyle, rc receives the
    // size the text needs and nothing is drawn.
    static void DrawText(HDC hDC, HFONT hFont, RECT& rc, const char* pstrText, DWORD dwTextColor, UINT uStyle);

    // Text with the tags <b>, <i>, <u>, <c #AARRGGBB> (or <c #RRGGBB>), <a target>,
    // <n> (line break) and their closing forms; any other tag is shown as text.
    // DT_SINGLELINE keeps one line; otherwise words wrap at the right edge.
    // With DT_CALCRECT rc receives the size needed and nothing is drawn.
    // Link number iHoverLink (the one under the pointer) is drawn in
    // dwHoverLinkColor instead of dwLinkColor.
    static void DrawHtmlText(HDC hDC, HFONT hFont, RECT& rc, const char* pstrText, DWORD dwTextColor, DWORD dwLinkColor,
                             std::vector<THtmlLink>* pLinks, UINT uStyle, int iHoverLink = -1,
                             DWORD dwHoverLinkColor = 0);
};

// Turns 0xAARRGGBB into a GDI COLORREF (alpha dropped).
inline COLORREF ToColorRef(DWORD dwColor) { return RGB(GetBValue(dwColor), GetGValue(dwColor), GetRValue(dwColor)); }

}  // namespace Vellum
