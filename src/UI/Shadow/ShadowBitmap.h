// Drawing the shadow image as a nine-grid with its centre left out.
#pragma once

#include <windows.h>

namespace Vellum {

// Draws the premultiplied 32-bit `image` (imageWidth x imageHeight) into the
// rectangle (0, 0, width, height) of `hdcDest` as a nine-grid: the corner cells
// (sizes from `corner`: left, top, right, bottom) are copied unscaled, the edge
// cells are stretched along their edge, and the centre cell is not drawn. The
// destination is blended over (draw into a cleared bitmap to get the image's own
// alpha). Returns false when the image is smaller than its corners or the
// rectangle cannot hold them, drawing nothing.
bool DrawNineGridWithoutCentre(HDC hdcDest, int width, int height, HBITMAP image, int imageWidth, int imageHeight,
                               const RECT& corner);

}  // namespace Vellum
