// The check box and radio button strips, four 16x16 cells each: normal, hot,
// checked (selected), disabled. Edges sit on whole pixels so the 1-pixel
// borders stay sharp.
#include "Images.h"
#include "Palette.h"
#include "Sdf.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int kCell = 16;

struct Look {
    uint32_t border;
    uint32_t fill;
};

void DrawBox(Canvas& canvas, int cellX, Look look) {
    const float l = cellX + 1.0f, t = 1.0f, r = cellX + 15.0f, b = 15.0f;
    canvas.Fill(
        [&](float x, float y) {
            return RoundBox({x, y}, l, t, r, b, 3.0f);
        },
        Rgb(look.border), cellX, 0, cellX + kCell, kCell);
    canvas.Fill(
        [&](float x, float y) {
            return RoundBox({x, y}, l + 1, t + 1, r - 1, b - 1, 2.0f);
        },
        Rgb(look.fill), cellX, 0, cellX + kCell, kCell);
}

void DrawTick(Canvas& canvas, int cellX, uint32_t color) {
    const float ox = static_cast<float>(cellX);
    canvas.Fill(
        [&](float x, float y) {
            const Vec p{x, y};
            return std::min(Segment(p, {ox + 4.4f, 8.2f}, {ox + 7.0f, 10.8f}, 2.0f),
                            Segment(p, {ox + 7.0f, 10.8f}, {ox + 11.8f, 5.4f}, 2.0f));
        },
        Rgb(color), cellX, 0, cellX + kCell, kCell);
}

void DrawRing(Canvas& canvas, int cellX, Look look) {
    const Vec centre{cellX + 8.0f, 8.0f};
    canvas.Fill(
        [&](float x, float y) {
            return Circle({x, y}, centre, 7.0f);
        },
        Rgb(look.border), cellX, 0, cellX + kCell, kCell);
    canvas.Fill(
        [&](float x, float y) {
            return Circle({x, y}, centre, 6.0f);
        },
        Rgb(look.fill), cellX, 0, cellX + kCell, kCell);
}

}  // namespace

Canvas DrawCheckbox() {
    Canvas canvas(4 * kCell, kCell);
    DrawBox(canvas, 0, {kBorderStrong, kWhite});
    DrawBox(canvas, kCell, {kPrimary, kHotRow});
    DrawBox(canvas, 2 * kCell, {kPrimary, kPrimary});
    DrawTick(canvas, 2 * kCell, kWhite);
    DrawBox(canvas, 3 * kCell, {kBorder, kDisabledFill});
    return canvas;
}

Canvas DrawRadio() {
    Canvas canvas(4 * kCell, kCell);
    DrawRing(canvas, 0, {kBorderStrong, kWhite});
    DrawRing(canvas, kCell, {kPrimary, kHotRow});
    DrawRing(canvas, 2 * kCell, {kPrimary, kWhite});
    const Vec centre{2 * kCell + 8.0f, 8.0f};
    canvas.Fill(
        [&](float x, float y) {
            return Circle({x, y}, centre, 3.5f);
        },
        Rgb(kPrimary), 2 * kCell, 0, 3 * kCell, kCell);
    DrawRing(canvas, 3 * kCell, {kBorder, kDisabledFill});
    return canvas;
}

}  // namespace skingen
