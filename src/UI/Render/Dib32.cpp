#include "UI/Render/Dib32.h"

namespace Vellum {

HBITMAP CreateDib32(HDC hDC, int cx, int cy, DWORD** ppBits) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBmp = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (ppBits) *ppBits = static_cast<DWORD*>(bits);
    return hBmp;
}

}  // namespace Vellum
