// Title bar buttons for the dark title bar: three 40x32 cells (normal, hot,
// pushed) with their background, so a skin needs only the three images.
#include "Images.h"
#include "Palette.h"
#include "Sdf.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int kCellWidth = 40, kCellHeight = 32;

void DrawBackground(Canvas& canvas, int cellX, Color color) {
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = cellX; x < cellX + kCellWidth; ++x) canvas.Blend(x, y, color, 1.0f);
}

// Glyph centred in the cell; strokes 1.4 px wide so the icon reads as thin lines
// at 100% scale.
void DrawCross(Canvas& canvas, int cellX, Color color) {
    const float cx = cellX + 20.0f, cy = 16.0f, h = 5.0f;
    canvas.Fill(
        [&](float x, float y) {
            const Vec p{x, y};
            return std::min(Segment(p, {cx - h, cy - h}, {cx + h, cy + h}, 1.4f),
                            Segment(p, {cx - h, cy + h}, {cx + h, cy - h}, 1.4f));
        },
        color, cellX, 0, cellX + kCellWidth, kCellHeight);
}

void DrawDash(Canvas& canvas, int cellX, Color color) {
    const float cx = cellX + 20.0f;
    // A 1-pixel-aligned bar (rows 16 and 17 share it half-half would blur it).
    canvas.Fill(
        [&](float x, float y) {
            return RoundBox({x, y}, cx - 5.0f, 16.0f, cx + 5.0f, 17.0f, 0.0f);
        },
        color, cellX, 0, cellX + kCellWidth, kCellHeight);
}

}  // namespace

Canvas DrawTitleButtonClose() {
    Canvas canvas(3 * kCellWidth, kCellHeight);
    DrawCross(canvas, 0, Rgb(kWhite, 0.85f));
    DrawBackground(canvas, kCellWidth, Rgb(kDanger));
    DrawCross(canvas, kCellWidth, Rgb(kWhite));
    DrawBackground(canvas, 2 * kCellWidth, Rgb(kDangerHot));
    DrawCross(canvas, 2 * kCellWidth, Rgb(kWhite));
    return canvas;
}

Canvas DrawTitleButtonMin() {
    Canvas canvas(3 * kCellWidth, kCellHeight);
    DrawDash(canvas, 0, Rgb(kWhite, 0.85f));
    DrawBackground(canvas, kCellWidth, Rgb(kWhite, 0.14f));
    DrawDash(canvas, kCellWidth, Rgb(kWhite));
    DrawBackground(canvas, 2 * kCellWidth, Rgb(kWhite, 0.24f));
    DrawDash(canvas, 2 * kCellWidth, Rgb(kWhite));
    return canvas;
}

}  // namespace skingen
