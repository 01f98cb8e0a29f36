#include "ToolKit/Trevand/Trevand/WindowPlacement.h"

#include <algorithm>

namespace {

// Edges read from the ini file may lie anywhere an int reaches, so every
// difference of two edges is taken in 64 bits.
long long Span(int from, int to) { return static_cast<long long>(to) - from; }

long long Overlap(const TScreenRect& a, const TScreenRect& b) {
    const long long width = Span(std::max(a.left, b.left), std::min(a.right, b.right));
    const long long height = Span(std::max(a.top, b.top), std::min(a.bottom, b.bottom));
    return width > 0 && height > 0 ? width * height : 0;
}

// One side: the length clamped into the area's, then the start moved inside.
void FitSpan(int* start, int* end, int areaStart, int areaEnd, int minLength) {
    const int areaLength = areaEnd - areaStart;
    // No longer than the area's, so the length fits an int again.
    const int length = static_cast<int>(
        std::min<long long>(std::max<long long>(Span(*start, *end), std::min(minLength, areaLength)), areaLength));
    int from = std::min(std::max(*start, areaStart), areaEnd - length);
    *start = from;
    *end = from + length;
}

}  // namespace

TScreenRect PlaceOnWorkAreas(const TScreenRect& saved, const std::vector<TScreenRect>& workAreas, int minWidth,
                             int minHeight) {
    if (workAreas.empty()) return saved;
    const TScreenRect* area = &workAreas.front();
    long long best = 0;
    for (const TScreenRect& candidate : workAreas) {
        const long long overlap = Overlap(saved, candidate);
        if (overlap > best) {
            best = overlap;
            area = &candidate;
        }
    }
    TScreenRect placed = saved;
    FitSpan(&placed.left, &placed.right, area->left, area->right, minWidth);
    FitSpan(&placed.top, &placed.bottom, area->top, area->bottom, minHeight);
    return placed;
}
