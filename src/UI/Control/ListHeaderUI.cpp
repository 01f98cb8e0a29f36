#include "UI/Control/ListHeaderUI.h"

#include <cstring>

namespace Vellum {

namespace {

const int kDefaultHeaderHeight = 28;

}  // namespace

const char* CListHeaderUI::GetClass() const { return "ListHeaderUI"; }

void* CListHeaderUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListHeader") == 0) return static_cast<CListHeaderUI*>(this);
    return CHorizontalLayoutUI::GetInterface(pstrName);
}

SIZE CListHeaderUI::EstimateSize(SIZE szAvailable) {
    SIZE size = m_cxyFixed;
    if (size.cy == 0) {
        size.cy = kDefaultHeaderHeight;
        for (CControlUI* item : m_items) {
            const int cy = item->GetFixedHeight();
            if (cy > 0 && item->IsVisible()) size.cy = cy;
        }
    }
    (void)szAvailable;
    return size;
}

}  // namespace Vellum
