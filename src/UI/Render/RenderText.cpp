// Plain text through GDI's DrawTextA.
#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

void CRenderEngine::DrawText(HDC hDC, HFONT hFont, RECT& rc, const char* pstrText, DWORD dwTextColor, UINT uStyle) {
    if (!pstrText) pstrText = "";
    CSelectObject sel(hDC, hFont);
    if (uStyle & DT_CALCRECT) {
        // An empty text still takes one line, so an empty label keeps its height.
        const char* measured = *pstrText ? pstrText : " ";
        ::DrawTextA(hDC, measured, -1, &rc, uStyle | DT_NOPREFIX);
        if (!*pstrText) rc.right = rc.left;
        return;
    }
    if (!*pstrText || (dwTextColor >> 24) == 0) return;
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ToColorRef(dwTextColor));
    ::DrawTextA(hDC, pstrText, -1, &rc, uStyle | DT_NOPREFIX);
}

}  // namespace Vellum
