#include "UI/Shadow/ShadowBitmap.h"

#include "UI/Render/GdiHandles.h"

namespace Vellum {

namespace {

// One span of a nine-grid along one axis: where it goes and where it comes from.
struct Span {
    int dest, destSize, src, srcSize;
};

}  // namespace

bool DrawNineGridWithoutCentre(HDC hdcDest, int width, int height, HBITMAP image, int imageWidth, int imageHeight,
                               const RECT& corner) {
    const int l = corner.left, t = corner.top, r = corner.right, b = corner.bottom;
    if (!hdcDest || !image || l < 0 || t < 0 || r < 0 || b < 0 || l + r > imageWidth || t + b > imageHeight ||
        l + r > width || t + b > height)
        return false;
    CBitmapDC source(nullptr, image);
    if (!source.Get()) return false;

    const Span columns[3] = {
        {0, l, 0, l},
        {l, width - l - r, l, imageWidth - l - r},
        {width - r, r, imageWidth - r, r},
    };
    const Span rows[3] = {
        {0, t, 0, t},
        {t, height - t - b, t, imageHeight - t - b},
        {height - b, b, imageHeight - b, b},
    };
    // The image is premultiplied, so it is blended with its per-pixel alpha.
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            if (row == 1 && column == 1) continue;  // the window covers the centre
            const Span& x = columns[column];
            const Span& y = rows[row];
            // AlphaBlend refuses empty rectangles: a zero corner or a window as
            // narrow as nothing simply has no cell there.
            if (x.destSize <= 0 || y.destSize <= 0 || x.srcSize <= 0 || y.srcSize <= 0) continue;
            if (!AlphaBlend(hdcDest, x.dest, y.dest, x.destSize, y.destSize, source.Get(), x.src, y.src, x.srcSize,
                            y.srcSize, blend))
                return false;
        }
    return true;
}

}  // namespace Vellum
