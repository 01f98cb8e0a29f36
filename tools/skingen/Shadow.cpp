// The window shadow: a nine-grid whose corners (23, 13, 23, 33) are also the
// shadow's margins around the window. The light comes from above, so the shadow
// reaches further below the window than above it.
//
// The edge strips are stretched along the window's sides, so their pixels must
// not change along that direction: the alpha depends only on the distance from
// the window's edge, normalised by the margin on that side, and the corners fade
// along an ellipse. The centre (under the window) stays empty.
#include "Images.h"
#include "Palette.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

constexpr int kLeft = 23, kTop = 13, kRight = 23, kBottom = 33;
constexpr int kCentre = 2;
constexpr int kWidth = kLeft + kCentre + kRight;
constexpr int kHeight = kTop + kCentre + kBottom;

// Strength of the shadow right at the window's edge on each side.
constexpr float kPeakTop = 0.14f, kPeakSide = 0.22f, kPeakBottom = 0.32f;

// Alpha at normalised distance t (0 at the window's edge, 1 at the image border):
// a steep start gives the window a defined edge, a long tail a soft end.
float Falloff(float t, float peak) {
    if (t >= 1.0f) return 0.0f;
    const float soft = std::pow(1.0f - t, 1.6f);
    const float contact = std::exp(-t * 12.0f) * 0.3f;
    return peak * (soft * 0.7f + contact) / 1.0f;
}

}  // namespace

Canvas DrawShadow() {
    Canvas canvas(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            // Distance beyond each edge of the window, as a share of that side's margin.
            float dx = 0, dy = 0, peakX = kPeakSide, peakY = 0;
            if (px < kLeft) dx = (kLeft - px) / kLeft;
            else if (px > kLeft + kCentre) dx = (px - kLeft - kCentre) / kRight;
            if (py < kTop) {
                dy = (kTop - py) / kTop;
                peakY = kPeakTop;
            } else if (py > kTop + kCentre) {
                dy = (py - kTop - kCentre) / kBottom;
                peakY = kPeakBottom;
            }
            if (dx == 0 && dy == 0) continue;  // under the window
            const float t = std::sqrt(dx * dx + dy * dy);
            // In a corner the strength turns from the side's to the top's or bottom's.
            const float w = dy * dy / (dx * dx + dy * dy);
            const float peak = peakX * (1 - w) + peakY * w;
            const float alpha = Falloff(t, peak);
            if (alpha > 0) canvas.Blend(x, y, Rgb(kShadow, alpha), 1.0f);
        }
    return canvas;
}

}  // namespace skingen
