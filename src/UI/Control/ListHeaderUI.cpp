#include "UI/Control/ListHeaderUI.h"

#include <cstring>

#include "UI/Control/ListUI.h"

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

void CListHeaderUI::ColumnsChanged() {
    if (m_pOwner) m_pOwner->UpdateColumns();
}

bool CListHeaderUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CHorizontalLayoutUI::AddAt(pControl, iIndex)) return false;
    ColumnsChanged();
    return true;
}

bool CListHeaderUI::RemoveAt(int iIndex) {
    if (!CHorizontalLayoutUI::RemoveAt(iIndex)) return false;
    ColumnsChanged();
    return true;
}

void CListHeaderUI::RemoveAll() {
    CHorizontalLayoutUI::RemoveAll();
    ColumnsChanged();
}

void CListHeaderUI::SetVisible(bool bVisible) {
    CHorizontalLayoutUI::SetVisible(bVisible);
    ColumnsChanged();
}

void CListHeaderUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CHorizontalLayoutUI::SetPos(rc, bNeedInvalidate);
    ColumnsChanged();
}

}  // namespace Vellum
