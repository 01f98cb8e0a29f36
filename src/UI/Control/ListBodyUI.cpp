#include "UI/Control/ListBodyUI.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <unordered_map>

#include "UI/Control/ListUI.h"
#include "UI/Core/ScrollBarUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Render/GdiHandles.h"

namespace Vellum {

CListBodyUI::CListBodyUI(CListUI* pOwner) : m_pOwner(pOwner) {
    // The body asks its list for the row height at every layout.
    assert(m_pOwner);
}

const char* CListBodyUI::GetClass() const { return "ListBodyUI"; }

void* CListBodyUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListBody") == 0) return static_cast<CListBodyUI*>(this);
    return CContainerUI::GetInterface(pstrName);
}

// Filling a list adds rows one by one; a layout already pending covers
// them all, so only the first row of a batch asks for one.
bool CListBodyUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || iIndex < 0 || iIndex > GetCount()) return false;
    if (m_pManager) m_pManager->InitControls(pControl, this);
    m_items.insert(m_items.begin() + iIndex, pControl);
    m_listItems.insert(m_listItems.begin() + iIndex, static_cast<IListItemUI*>(pControl->GetInterface("ListItem")));
    if (!IsVisible()) {
        pControl->SetInternVisible(false);
    } else if (!m_pManager || !m_pManager->IsUpdateNeeded()) {
        NeedUpdate();
    }
    return true;
}

bool CListBodyUI::RemoveAt(int iIndex) {
    CControlUI* row = GetItemAt(iIndex);
    if (!row) return false;
    m_placed.erase(std::remove(m_placed.begin(), m_placed.end(), row), m_placed.end());
    m_listItems.erase(m_listItems.begin() + iIndex);
    return CContainerUI::RemoveAt(iIndex);
}

int CListBodyUI::RemoveIf(const std::function<bool(CControlUI*)>& remove) {
    int first = -1;
    std::vector<CControlUI*> removed;
    size_t kept = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (remove(m_items[i])) {
            if (first < 0) first = static_cast<int>(i);
            removed.push_back(m_items[i]);
            continue;
        }
        m_items[kept] = m_items[i];
        m_listItems[kept] = m_listItems[i];
        ++kept;
    }
    if (removed.empty()) return -1;
    m_items.resize(kept);
    m_listItems.resize(kept);
    m_placed.erase(std::remove_if(m_placed.begin(), m_placed.end(),
                                  [&](CControlUI* row) {
                                      return std::find(removed.begin(), removed.end(), row) != removed.end();
                                  }),
                   m_placed.end());
    if (IsVisible()) NeedUpdate();
    for (CControlUI* row : removed) DestroyChild(row);
    return first;
}

bool CListBodyUI::Reorder(const std::vector<CControlUI*>& rows) {
    if (rows.size() != m_items.size()) return false;
    // Each row once: a permutation of what the body holds, so no row is
    // lost (and leaked) or shown twice. A row keeps the list-row interface
    // it had: asking each of tens of thousands of rows for it again costs
    // more than the whole sort.
    std::unordered_map<CControlUI*, size_t> place;
    place.reserve(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i) place.emplace(m_items[i], i);
    std::vector<char> taken(m_items.size(), 0);
    std::vector<IListItemUI*> listItems(m_items.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        auto found = place.find(rows[i]);
        if (found == place.end() || taken[found->second]) return false;
        taken[found->second] = 1;
        listItems[i] = m_listItems[found->second];
    }
    m_items = rows;
    m_listItems.swap(listItems);
    if (IsVisible()) NeedUpdate();
    return true;
}

bool CListBodyUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    if (!CContainerUI::SetItemIndex(pControl, iIndex)) return false;
    for (size_t i = 0; i < m_items.size(); ++i)
        m_listItems[i] = static_cast<IListItemUI*>(m_items[i]->GetInterface("ListItem"));
    return true;
}

IListItemUI* CListBodyUI::GetListItemAt(int iIndex) const {
    if (iIndex < 0 || iIndex >= static_cast<int>(m_listItems.size())) return nullptr;
    return m_listItems[iIndex];
}

void CListBodyUI::RemoveAll() {
    m_placed.clear();
    m_listItems.clear();
    m_shown.clear();
    m_iFirst = m_iLast = 0;
    CContainerUI::RemoveAll();
}

int CListBodyUI::GetRowHeight() const {
    const TListInfoUI* info = m_pOwner->GetListInfo();
    if (info->iItemHeight > 0) return info->iItemHeight;
    if (!m_items.empty() && m_items.front()->GetFixedHeight() > 0) return m_items.front()->GetFixedHeight();
    return kDefaultListItemHeight;
}

int CListBodyUI::GetScrollLineSize() const { return GetRowHeight(); }

void CListBodyUI::EnsureVisible(int iIndex) {
    m_iEnsureVisible = iIndex;
    NeedUpdate();
}

void CListBodyUI::CollectShown(std::vector<int>& shown) const {
    shown.clear();
    shown.reserve(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->IsVisible() && !m_items[i]->IsFloat()) shown.push_back(static_cast<int>(i));
    }
}

void CListBodyUI::UnplaceRows(const std::vector<CControlUI*>& keep) {
    for (CControlUI* row : m_placed) {
        if (std::find(keep.begin(), keep.end(), row) == keep.end()) row->SetPos({0, 0, 0, 0}, false);
    }
    m_placed = keep;
}

void CListBodyUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const int rowHeight = GetRowHeight();
    CollectShown(m_shown);
    const int count = static_cast<int>(m_shown.size());
    RECT inner = ProcessScrollBar(GetInnerRect(), 0, count * rowHeight);
    const int viewHeight = inner.bottom - inner.top;

    // A row asked to be shown: scroll the least that brings it into view.
    if (m_iEnsureVisible >= 0) {
        auto it = std::lower_bound(m_shown.begin(), m_shown.end(), m_iEnsureVisible);
        if (it != m_shown.end() && *it == m_iEnsureVisible && m_pVerticalScrollBar) {
            const int top = static_cast<int>(it - m_shown.begin()) * rowHeight;
            int pos = m_pVerticalScrollBar->GetScrollPos();
            if (top < pos) pos = top;
            else if (top + rowHeight > pos + viewHeight) pos = top + rowHeight - viewHeight;
            m_pVerticalScrollBar->SetScrollPos(pos);
        }
        m_iEnsureVisible = -1;
    }

    const int scroll = GetScrollPos().cy;
    m_iFirst = std::min(count, scroll / rowHeight);
    m_iLast = std::min(count, (scroll + std::max(0, viewHeight) + rowHeight - 1) / rowHeight);
    std::vector<CControlUI*> placed;
    placed.reserve(m_iLast - m_iFirst);
    for (int slot = m_iFirst; slot < m_iLast; ++slot) {
        CControlUI* row = m_items[m_shown[slot]];
        const RECT& pad = row->GetPadding();
        const int top = inner.top + slot * rowHeight - scroll;
        row->SetPos({inner.left + pad.left, top + pad.top, inner.right - pad.right, top + rowHeight - pad.bottom},
                    false);
        placed.push_back(row);
    }
    UnplaceRows(placed);
}

void CListBodyUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CControlUI::DoPaint(hDC, rcPaint);
    {
        CSaveDC saved(hDC);
        RECT rcClip = GetInnerRect();
        if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible())
            rcClip.right = m_pVerticalScrollBar->GetPos().left;
        ::IntersectRect(&rcClip, &rcClip, &rcTemp);
        ::IntersectClipRect(hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
        for (CControlUI* row : m_placed) {
            RECT rcRow;
            if (::IntersectRect(&rcRow, &rcClip, &row->GetPos())) row->DoPaint(hDC, rcClip);
        }
    }
    PaintScrollBars(hDC, rcTemp);
}

CControlUI* CListBodyUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_HITTEST) == 0) return CContainerUI::FindControl(proc, pData, uFlags);
    // A point can only be over a row that is in the view.
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    const POINT* pt = static_cast<const POINT*>(pData);
    if (!::PtInRect(&m_rcItem, *pt)) return nullptr;
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) {
        if (CControlUI* found = m_pVerticalScrollBar->FindControl(proc, pData, uFlags)) return found;
    }
    if (m_bMouseChildEnabled) {
        for (CControlUI* row : m_placed) {
            if (CControlUI* found = row->FindControl(proc, pData, uFlags)) return found;
        }
    }
    return CControlUI::FindControl(proc, pData, uFlags);
}

}  // namespace Vellum
