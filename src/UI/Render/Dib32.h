// Top-down 32-bit DIB sections: the pixel format of the image cache, the
// off-screen buffers and the shadow's layered bitmap.
#pragma once

#include <windows.h>

namespace Vellum {

// Creates a top-down 32-bit DIB section of cx × cy pixels; *ppBits (when given)
// receives its pixels, zero-filled by the system. Null on failure.
HBITMAP CreateDib32(HDC hDC, int cx, int cy, DWORD** ppBits);

}  // namespace Vellum
