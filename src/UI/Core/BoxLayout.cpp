#include "UI/Core/BoxLayout.h"

#include <algorithm>

namespace Vellum {

std::vector<int> ShareLength(const std::vector<TBoxItem>& items, int nAvailable) {
    std::vector<int> lengths(items.size(), 0);
    std::vector<bool> resolved(items.size(), false);
    int remaining = nAvailable;
    int open = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].nFixed > 0) {
            lengths[i] = std::max(items[i].nMin, std::min(items[i].nFixed, items[i].nMax));
            resolved[i] = true;
            remaining -= lengths[i];
        } else {
            ++open;
        }
    }
    // An item whose even share falls outside its min/max takes that bound;
    // the others then share what is left, until every share fits.
    bool changed = true;
    while (open > 0 && changed) {
        changed = false;
        const int share = std::max(0, remaining) / open;
        for (size_t i = 0; i < items.size(); ++i) {
            if (resolved[i]) continue;
            int bound = -1;
            if (share < items[i].nMin) bound = items[i].nMin;
            else if (share > items[i].nMax) bound = items[i].nMax;
            if (bound < 0) continue;
            lengths[i] = bound;
            resolved[i] = true;
            remaining -= bound;
            --open;
            changed = true;
        }
    }
    if (open > 0) {
        const int free = std::max(0, remaining);
        const int share = free / open;
        int extra = free - share * open;  // the rounding rest goes to the last open item
        for (size_t i = items.size(); i-- > 0;) {
            if (resolved[i]) continue;
            lengths[i] = share + extra;
            extra = 0;
        }
    }
    return lengths;
}

}  // namespace Vellum
