#include "UI/Control/ListUI.h"

#include <algorithm>
#include <cassert>

#include "UI/Base/NameMatch.h"
#include "UI/Control/ListBodyUI.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListInfoAttribute.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

IListItemUI* AsListItem(CControlUI* pControl) {
    return pControl ? static_cast<IListItemUI*>(pControl->GetInterface("ListItem")) : nullptr;
}

}  // namespace

CListUI::CListUI() : m_pHeader(new CListHeaderUI), m_pList(new CListBodyUI(this)) {
    // Every list operation reaches through these two without a check.
    assert(m_pHeader && m_pList);
    m_pHeader->SetOwner(this);
    AddPart(m_pHeader, 0);
    AddPart(m_pList, 1);
    // A list always scrolls its rows.
    m_pList->EnableScrollBar(true, false);
}

const char* CListUI::GetClass() const { return "ListUI"; }

void* CListUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "List")) return static_cast<CListUI*>(this);
    if (Is(pstrName, "IListOwner")) return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(pstrName);
}

UINT CListUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

// The list's own children (header and body) go in past the redirected
// container operations, which see only the rows.
void CListUI::AddPart(CControlUI* pControl, int iIndex) {
    if (m_pManager) m_pManager->InitControls(pControl, this);
    m_items.insert(m_items.begin() + iIndex, pControl);
    NeedUpdate();
}

CControlUI* CListUI::GetItemAt(int iIndex) const { return m_pList->GetItemAt(iIndex); }

int CListUI::GetItemIndex(CControlUI* pControl) const { return m_pList->GetItemIndex(pControl); }

int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    const int from = m_pList->GetItemIndex(pControl);
    if (from < 0 || !m_pList->SetItemIndex(pControl, iIndex)) return false;
    RenumberFrom(std::min(from, iIndex));
    return true;
}

void CListUI::RenumberFrom(int iFrom) {
    for (int i = std::max(0, iFrom); i < m_pList->GetCount(); ++i) {
        if (IListItemUI* item = m_pList->GetListItemAt(i)) item->SetIndex(i);
    }
}

bool CListUI::Add(CControlUI* pControl) {
    if (!pControl) return false;
    if (pControl->GetInterface("ListHeader")) {
        // A header of the skin replaces the built-in one.
        CControlUI* old = m_pHeader;
        m_pHeader->SetOwner(nullptr);
        m_pHeader = static_cast<CListHeaderUI*>(pControl->GetInterface("ListHeader"));
        m_pHeader->SetOwner(this);
        AddPart(pControl, 0);
        m_items.erase(std::remove(m_items.begin(), m_items.end(), old), m_items.end());
        DestroyChild(old);
        UpdateColumns();
        return true;
    }
    if (pControl->GetInterface("ListHeaderItem")) return m_pHeader->Add(pControl);
    return AddAt(pControl, GetCount());
}

bool CListUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || iIndex < 0 || iIndex > GetCount()) return false;
    if (pControl->GetInterface("ListHeader") || pControl->GetInterface("ListHeaderItem")) return Add(pControl);
    IListItemUI* item = AsListItem(pControl);
    if (item) {
        item->SetOwner(this);
        item->SetIndex(iIndex);
    }
    if (!m_pList->AddAt(pControl, iIndex)) return false;
    if (iIndex < GetCount() - 1) {
        RenumberFrom(iIndex + 1);
        if (m_iCurSel >= iIndex) ++m_iCurSel;
        for (int& sel : m_aSelItems) {
            if (sel >= iIndex) ++sel;
        }
    }
    return true;
}

bool CListUI::Remove(CControlUI* pControl) {
    const int index = m_pList->GetItemIndex(pControl);
    if (index < 0) return false;
    m_aSelItems.erase(std::remove(m_aSelItems.begin(), m_aSelItems.end(), index), m_aSelItems.end());
    for (int& sel : m_aSelItems) {
        if (sel > index) --sel;
    }
    m_pList->RemoveAt(index);
    RenumberFrom(index);
    if (index == m_iCurSel) {
        m_iCurSel = -1;
        // The row that followed takes the place; at the end the one before.
        int next = FindSelectable(index, -1);
        if (next < 0) next = FindSelectable(0, +1);
        if (next >= 0) SelectItem(next, false);
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CListUI::RemoveIf(const std::function<bool(CControlUI*)>& remove) {
    CControlUI* current = GetItemAt(m_iCurSel);
    std::vector<CControlUI*> selected;
    for (int sel : m_aSelItems) selected.push_back(GetItemAt(sel));
    int currentPlace = m_iCurSel;  // where the current row will be, or its follower
    for (int i = 0; i < m_iCurSel; ++i) currentPlace -= remove(GetItemAt(i)) ? 1 : 0;
    const bool currentRemoved = current && remove(current);

    const int first = m_pList->RemoveIf(remove);
    if (first < 0) return;
    RenumberFrom(first);
    m_aSelItems.clear();
    for (CControlUI* row : selected) {
        const int index = m_pList->GetItemIndex(row);
        if (index >= 0) m_aSelItems.push_back(index);
    }
    if (!currentRemoved) {
        m_iCurSel = current ? m_pList->GetItemIndex(current) : -1;
        return;
    }
    m_iCurSel = -1;
    int next = FindSelectable(std::min(currentPlace, GetCount() - 1), -1);
    if (next < 0) next = FindSelectable(0, +1);
    if (next >= 0) SelectItem(next, false);
}

bool CListUI::Reorder(const std::vector<CControlUI*>& rows) {
    CControlUI* current = GetItemAt(m_iCurSel);
    std::vector<CControlUI*> selected;
    for (int sel : m_aSelItems) selected.push_back(GetItemAt(sel));
    if (!m_pList->Reorder(rows)) return false;
    RenumberFrom(0);
    for (size_t i = 0; i < selected.size(); ++i) m_aSelItems[i] = m_pList->GetItemIndex(selected[i]);
    if (current) m_iCurSel = m_pList->GetItemIndex(current);
    return true;
}

bool CListUI::RemoveAt(int iIndex) {
    CControlUI* row = GetItemAt(iIndex);
    return row && Remove(row);
}

void CListUI::RemoveAll() {
    m_iCurSel = -1;
    m_aSelItems.clear();
    m_pList->RemoveAll();
}

bool CListUI::IsSelectable(CControlUI* pControl) const {
    return pControl && pControl->IsVisible() && pControl->IsEnabled() && AsListItem(pControl);
}

int CListUI::FindSelectable(int iStart, int iStep) const {
    const int count = GetCount();
    if (iStart >= count) iStart = count - 1;
    for (int i = iStart; i >= 0 && i < count; i += iStep) {
        if (IsSelectable(GetItemAt(i))) return i;
    }
    return -1;
}

bool CListUI::SelectItem(int iIndex, bool bTakeFocus) {
    if (iIndex == m_iCurSel) return true;
    const int previous = m_iCurSel;
    const bool toggle = m_bMultiSel && (::GetKeyState(VK_CONTROL) < 0);
    if (!toggle) {
        for (int sel : m_aSelItems) {
            if (IListItemUI* item = AsListItem(GetItemAt(sel))) item->Select(false);
        }
        m_aSelItems.clear();
        m_iCurSel = -1;
    }
    if (iIndex < 0) return false;
    CControlUI* control = GetItemAt(iIndex);
    if (!IsSelectable(control)) return false;
    IListItemUI* item = AsListItem(control);
    if (toggle) {
        auto it = std::find(m_aSelItems.begin(), m_aSelItems.end(), iIndex);
        if (it != m_aSelItems.end()) {
            m_aSelItems.erase(it);
            item->Select(false);
            return true;
        }
    }
    m_iCurSel = iIndex;
    if (!item->Select(true)) {
        m_iCurSel = -1;
        return false;
    }
    m_aSelItems.push_back(iIndex);
    EnsureVisible(iIndex);
    if (bTakeFocus) control->SetFocus();
    if (m_pManager)
        m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(iIndex), static_cast<LPARAM>(previous));
    return true;
}

void CListUI::EnsureVisible(int iIndex) { m_pList->EnsureVisible(iIndex); }

void CListUI::UpdateColumns() {
    TListInfoUI& info = m_ListInfo;
    const int count = m_pHeader->GetCount();
    info.nColumns = count;
    info.rcColumn.assign(count, RECT{0, 0, 0, 0});
    info.nColumnFont.assign(count, info.nFont);
    info.uColumnAlign.assign(count, info.uTextStyle & (DT_LEFT | DT_CENTER | DT_RIGHT));
    int x = m_pList->GetPos().left;
    for (int i = 0; i < count; ++i) {
        CControlUI* control = m_pHeader->GetItemAt(i);
        assert(control);
        RECT rc = control->GetPos();
        if (!m_pHeader->IsVisible() || rc.right <= rc.left) rc = {x, 0, x + control->GetFixedWidth(), 0};
        x = rc.right;
        info.rcColumn[i] = rc;
        auto* column = static_cast<CListHeaderItemUI*>(control->GetInterface("ListHeaderItem"));
        if (!column) continue;
        if (column->GetColumnFont() >= 0) info.nColumnFont[i] = column->GetColumnFont();
        if (column->HasItemTextAlign()) info.uColumnAlign[i] = column->GetItemTextAlign();
    }
}

void CListUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CVerticalLayoutUI::SetPos(rc, bNeedInvalidate);
    UpdateColumns();
}

void CListUI::SelectMoveTo(int iIndex) {
    if (iIndex >= 0) SelectItem(iIndex, true);
}

void CListUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_KEYDOWN && IsEnabled()) {
        const int rowHeight = m_pList->GetRowHeight();
        const int page = std::max(1, (m_pList->GetHeight() / std::max(1, rowHeight)) - 1);
        const int count = GetCount();
        switch (event.chKey) {
        case VK_UP: SelectMoveTo(FindSelectable(m_iCurSel < 0 ? 0 : m_iCurSel - 1, -1)); return;
        case VK_DOWN: SelectMoveTo(FindSelectable(m_iCurSel + 1, +1)); return;
        case VK_PRIOR: SelectMoveTo(FindSelectable(std::max(0, m_iCurSel - page), -1)); return;
        case VK_NEXT: SelectMoveTo(FindSelectable(std::min(count - 1, m_iCurSel + page), +1)); return;
        case VK_HOME: SelectMoveTo(FindSelectable(0, +1)); return;
        case VK_END: SelectMoveTo(FindSelectable(count - 1, -1)); return;
        default: break;
        }
    }
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        if (m_bScrollSelect && IsEnabled()) {
            const bool up = LOWORD(event.wParam) == SB_LINEUP;
            SelectMoveTo(up ? FindSelectable(m_iCurSel - 1, -1) : FindSelectable(m_iCurSel + 1, +1));
            return;
        }
        m_pList->DoEvent(event);
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    TListInfoUI& info = m_ListInfo;
    if (SetListInfoAttribute(info, pstrName, pstrValue)) {
        UpdateColumns();  // "itemfont" and "itemalign" are the columns' defaults
        return;
    }
    if (Is(pstrName, "header")) m_pHeader->SetVisible(!Is(v, "hidden"));
    else if (Is(pstrName, "headerbkimage")) m_pHeader->SetBkImage(v);
    else if (Is(pstrName, "scrollselect")) m_bScrollSelect = ParseBool(v);
    else if (Is(pstrName, "multiexpanding")) info.bMultiExpandable = ParseBool(v);
    else if (Is(pstrName, "multisel")) m_bMultiSel = ParseBool(v);
    else if (Is(pstrName, "showend")) m_bShowEnd = ParseBool(v);
    else if (Is(pstrName, "sort")) m_bSort = ParseBool(v);
    else if (Is(pstrName, "multisellinecolor")) info.dwMultiSelLineColor = ParseColor(v);
    else if (Is(pstrName, "itemsepwidth")) info.iSepWidth = ParseInt(v);
    else if (Is(pstrName, "itemsepoffset")) info.iSepOffset = ParseInt(v);
    else if (Is(pstrName, "multisellinewidth")) info.iMultiSelLineWidth = ParseInt(v);
    else if (Is(pstrName, "itemheight")) {
        info.iItemHeight = ParseInt(v);
        NeedUpdate();
    }
    // The rows scroll, not the list: its scroll-bar settings go to the body.
    else if (Is(pstrName, "vscrollbar") || Is(pstrName, "hscrollbar") || Is(pstrName, "vscrollbarstyle") ||
             Is(pstrName, "hscrollbarstyle")) {
        m_pList->SetAttribute(pstrName, pstrValue);
    } else CVerticalLayoutUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace Vellum
