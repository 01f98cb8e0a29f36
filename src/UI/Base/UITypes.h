// Plain geometry records of the framework, free of any platform header; the
// Windows glue converts them to RECT and SIZE where it calls the system.
#pragma once

namespace Vellum {

struct UIRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline bool operator==(const UIRect& a, const UIRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const UIRect& a, const UIRect& b) { return !(a == b); }

struct UISize {
    int cx = 0;
    int cy = 0;
};

inline bool operator==(const UISize& a, const UISize& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator!=(const UISize& a, const UISize& b) { return !(a == b); }

}  // namespace Vellum
