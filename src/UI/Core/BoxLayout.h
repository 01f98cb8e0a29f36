// Sharing one length among the children of a box layout: fixed lengths
// first, the rest shared evenly among the others within their min/max.
#pragma once

#include <vector>

namespace Vellum {

struct TBoxItem {
    int nFixed = 0;  // 0 = takes a share of the free space
    int nMin = 0;
    int nMax = 9999;
};

// Returns the length of each item. `nAvailable` is the length left once the
// caller has taken off paddings and the gaps between items.
std::vector<int> ShareLength(const std::vector<TBoxItem>& items, int nAvailable);

}  // namespace Vellum
