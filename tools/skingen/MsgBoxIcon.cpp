// The message box icons, three 32x32 cells: information (used by OK/Cancel
// boxes), warning (plain OK boxes, which report failures) and question (yes/no).
#include "Images.h"
#include "Palette.h"
#include "Sdf.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

constexpr int kCell = 32;

// A filled disc with a white glyph cut from nothing: the glyph is drawn over it.
void DrawDisc(Canvas& canvas, int cellX, uint32_t color) {
    const Vec centre{cellX + 16.0f, 16.0f};
    canvas.Fill(
        [&](float x, float y) {
            return Circle({x, y}, centre, 14.5f);
        },
        Rgb(color), cellX, 0, cellX + kCell, kCell);
}

void DrawInformation(Canvas& canvas, int cellX) {
    DrawDisc(canvas, cellX, kInfo);
    const float cx = cellX + 16.0f;
    canvas.Fill(
        [&](float x, float y) {
            const Vec p{x, y};
            const float dot = Circle(p, {cx, 9.6f}, 2.2f);
            const float stem = RoundBox(p, cx - 1.9f, 13.6f, cx + 1.9f, 24.0f, 1.0f);
            return std::min(dot, stem);
        },
        Rgb(kWhite), cellX, 0, cellX + kCell, kCell);
}

void DrawWarning(Canvas& canvas, int cellX) {
    const float cx = cellX + 16.0f;
    // A triangle with rounded corners: the sharp triangle shrunk by the radius,
    // then grown again by it.
    const float radius = 2.6f;
    canvas.Fill(
        [&](float x, float y) {
            return Triangle({x, y}, {cx, 5.4f}, {cellX + 28.4f, 27.0f}, {cellX + 3.6f, 27.0f}) - radius;
        },
        Rgb(kWarning), cellX, 0, cellX + kCell, kCell);
    canvas.Fill(
        [&](float x, float y) {
            const Vec p{x, y};
            const float stem = Segment(p, {cx, 11.6f}, {cx, 18.6f}, 3.2f);
            const float dot = Circle(p, {cx, 23.4f}, 1.9f);
            return std::min(stem, dot);
        },
        Rgb(kText), cellX, 0, cellX + kCell, kCell);
}

void DrawQuestion(Canvas& canvas, int cellX) {
    DrawDisc(canvas, cellX, kPrimary);
    const float cx = cellX + 16.0f;
    const float pi = 3.14159265f;
    canvas.Fill(
        [&](float x, float y) {
            const Vec p{x, y};
            // The hook: an arc from the left over the top to the right side, then
            // a short stroke down to the middle.
            const Vec hook{cx, 12.4f};
            const float hookRadius = 4.6f;
            const float from = pi * 0.98f, to = pi * 2.30f;
            const float arc = Arc(p, hook, hookRadius, from, to, 3.2f);
            const Vec arcEnd = hook + Vec{std::cos(to), std::sin(to)} * hookRadius;
            const float neck = Segment(p, arcEnd, {cx, 18.6f}, 3.2f);
            const float dot = Circle(p, {cx, 23.6f}, 2.0f);
            return std::min({arc, neck, dot});
        },
        Rgb(kWhite), cellX, 0, cellX + kCell, kCell);
}

}  // namespace

Canvas DrawMsgBoxIcons() {
    Canvas canvas(3 * kCell, kCell);
    DrawInformation(canvas, 0);
    DrawWarning(canvas, kCell);
    DrawQuestion(canvas, 2 * kCell);
    return canvas;
}

}  // namespace skingen
