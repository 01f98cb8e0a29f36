// Where the main window opens: where the operator left it, kept on a monitor
// that is still there. A window remembered on a monitor since unplugged, or
// at a resolution since lowered, would otherwise open where no one sees it.
#pragma once

#include <vector>

struct TScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TScreenRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// `saved` placed on the work area it overlaps most (the first of `workAreas`,
// the primary monitor's, when it overlaps none): no larger than that area
// (nor smaller than minWidth x minHeight where the area allows), then moved
// just far enough to lie wholly inside it. `saved` itself when there is no
// work area at all.
TScreenRect PlaceOnWorkAreas(const TScreenRect& saved, const std::vector<TScreenRect>& workAreas, int minWidth,
                             int minHeight);
