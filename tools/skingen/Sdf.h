// Signed distance functions of the shapes the images are made of: negative
// inside, positive outside, in pixels. Combine with std::min (union) and
// std::max(a, -b) (cut b out of a).
#pragma once

#include <algorithm>
#include <cmath>

namespace skingen {

struct Vec {
    float x, y;
};

inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator*(Vec a, float s) { return {a.x * s, a.y * s}; }
inline float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline float Length(Vec a) { return std::sqrt(Dot(a, a)); }
inline float Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }

inline float Circle(Vec p, Vec centre, float radius) { return Length(p - centre) - radius; }

// Axis-aligned box from (left, top) to (right, bottom) with rounded corners.
inline float RoundBox(Vec p, float left, float top, float right, float bottom, float radius) {
    const Vec centre{(left + right) / 2, (top + bottom) / 2};
    const Vec half{(right - left) / 2, (bottom - top) / 2};
    const float qx = std::fabs(p.x - centre.x) - half.x + radius;
    const float qy = std::fabs(p.y - centre.y) - half.y + radius;
    const float outside = Length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// A stroke from a to b of the given width with round caps.
inline float Segment(Vec p, Vec a, Vec b, float width) {
    const Vec pa = p - a, ba = b - a;
    const float h = std::clamp(Dot(pa, ba) / Dot(ba, ba), 0.0f, 1.0f);
    return Length(pa - ba * h) - width / 2;
}

// A stroke along the circle (centre, radius) from angle `from` to angle `to`
// (radians, from < to; y points down, so growing angles run clockwise on
// screen), with round caps.
inline float Arc(Vec p, Vec centre, float radius, float from, float to, float width) {
    const Vec d = p - centre;
    float angle = std::atan2(d.y, d.x);
    const float twoPi = 6.28318530718f;
    while (angle < from) angle += twoPi;
    if (angle <= to) return std::fabs(Length(d) - radius) - width / 2;
    const Vec a = centre + Vec{std::cos(from), std::sin(from)} * radius;
    const Vec b = centre + Vec{std::cos(to), std::sin(to)} * radius;
    return std::min(Length(p - a), Length(p - b)) - width / 2;
}

// Triangle a, b, c (either winding).
inline float Triangle(Vec p, Vec a, Vec b, Vec c) {
    const Vec e0 = b - a, e1 = c - b, e2 = a - c;
    const Vec v0 = p - a, v1 = p - b, v2 = p - c;
    const Vec pq0 = v0 - e0 * std::clamp(Dot(v0, e0) / Dot(e0, e0), 0.0f, 1.0f);
    const Vec pq1 = v1 - e1 * std::clamp(Dot(v1, e1) / Dot(e1, e1), 0.0f, 1.0f);
    const Vec pq2 = v2 - e2 * std::clamp(Dot(v2, e2) / Dot(e2, e2), 0.0f, 1.0f);
    const float s = Cross(e0, e2) < 0 ? -1.0f : 1.0f;
    const float d = std::min({Dot(pq0, pq0), Dot(pq1, pq1), Dot(pq2, pq2)});
    const float inside = std::min({s * Cross(v0, e0), s * Cross(v1, e1), s * Cross(v2, e2)});
    return -std::sqrt(d) * (inside < 0 ? -1.0f : 1.0f);
}

}  // namespace skingen
