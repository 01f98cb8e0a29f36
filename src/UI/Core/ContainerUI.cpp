// CContainerUI: child list, binding, destruction, painting and hit tests.
#include "UI/Core/ContainerUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/GdiHandles.h"

namespace Vellum {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    // Destroying a container destroys its children at once: nothing can
    // reach them any more.
    std::vector<CControlUI*> items;
    items.swap(m_items);
    if (m_bAutoDestroy) {
        for (CControlUI* child : items) delete child;
    }
}

const char* CContainerUI::GetClass() const { return "ContainerUI"; }

void* CContainerUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "IContainer") == 0) return static_cast<IContainerUI*>(this);
    if (std::strcmp(pstrName, "Container") == 0) return static_cast<CContainerUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
    if (iIndex < 0 || iIndex >= GetCount()) return nullptr;
    return m_items[iIndex];
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    const int from = GetItemIndex(pControl);
    if (from < 0 || iIndex < 0 || iIndex >= GetCount()) return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + iIndex, pControl);
    NeedUpdate();
    return true;
}

int CContainerUI::GetCount() const { return static_cast<int>(m_items.size()); }

bool CContainerUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || iIndex < 0 || iIndex > GetCount()) return false;
    if (m_pManager) m_pManager->InitControls(pControl, this);
    m_items.insert(m_items.begin() + iIndex, pControl);
    if (IsVisible()) NeedUpdate();
    else pControl->SetInternVisible(false);
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl) {
    const int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CContainerUI::RemoveAt(int iIndex) {
    CControlUI* child = GetItemAt(iIndex);
    if (!child) return false;
    m_items.erase(m_items.begin() + iIndex);
    if (IsVisible()) NeedUpdate();
    DestroyChild(child);
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* child : items) DestroyChild(child);
    NeedUpdate();
}

void CContainerUI::DestroyChild(CControlUI* pControl) {
    if (!m_bAutoDestroy) {
        if (m_pManager) m_pManager->ReapObjects(pControl);
        return;
    }
    if (m_bDelayedDestroy && m_pManager) {
        m_pManager->AddDelayedCleanup(pControl);
    } else {
        delete pControl;
    }
}

void CContainerUI::SetInset(RECT rcInset) {
    m_rcInset = rcInset;
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int iPadding) {
    m_iChildPadding = iPadding;
    NeedUpdate();
}

void CContainerUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    CControlUI::SetVisible(bVisible);
    for (CControlUI* child : m_items) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    for (CControlUI* child : m_items) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool bEnable) { CControlUI::SetEnabled(bEnable); }

void CContainerUI::SetMouseEnabled(bool bEnable) { CControlUI::SetMouseEnabled(bEnable); }

RECT CContainerUI::GetInnerRect() const {
    RECT rc = m_rcItem;
    rc.left += m_rcInset.left;
    rc.top += m_rcInset.top;
    rc.right -= m_rcInset.right;
    rc.bottom -= m_rcInset.bottom;
    return rc;
}

void CContainerUI::SetFloatPos(CControlUI* pControl, const RECT& rcInner) {
    const POINT xy = pControl->GetFixedXY();
    const int cx = pControl->GetFixedWidth();
    const int cy = pControl->GetFixedHeight();
    RECT rc;
    rc.left = xy.x >= 0 ? rcInner.left + xy.x : rcInner.right + xy.x;
    rc.top = xy.y >= 0 ? rcInner.top + xy.y : rcInner.bottom + xy.y;
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
    pControl->SetPos(rc, false);
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT inner = GetInnerRect();
    for (CControlUI* child : m_items) {
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            SetFloatPos(child, inner);
            continue;
        }
        const RECT& pad = child->GetPadding();
        RECT rcChild = {inner.left + pad.left, inner.top + pad.top, inner.right - pad.right, inner.bottom - pad.bottom};
        child->SetPos(rcChild, false);
    }
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CControlUI::DoPaint(hDC, rcPaint);
    CSaveDC saved(hDC);
    ::IntersectClipRect(hDC, rcTemp.left, rcTemp.top, rcTemp.right, rcTemp.bottom);
    for (CControlUI* child : m_items) {
        if (!child->IsVisible()) continue;
        RECT rcChild;
        if (!::IntersectRect(&rcChild, &rcTemp, &child->GetPos())) continue;
        child->DoPaint(hDC, rcTemp);
    }
}

void CContainerUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (std::strcmp(pstrName, "inset") == 0) SetInset(ToRECT(ParseRect(v)));
    else if (std::strcmp(pstrName, "mousechild") == 0) SetMouseChildEnabled(ParseBool(v));
    else if (std::strcmp(pstrName, "childpadding") == 0) SetChildPadding(ParseInt(v));
    else if (std::strcmp(pstrName, "enabledall") == 0) {
        SetEnabled(ParseBool(v));
        for (CControlUI* child : m_items) child->SetEnabled(ParseBool(v));
    } else if (std::strcmp(pstrName, "mouseenabledall") == 0) {
        SetMouseEnabled(ParseBool(v));
        SetMouseChildEnabled(ParseBool(v));
    } else if (std::strcmp(pstrName, "vscrollbar") == 0) m_bScrollVertical = ParseBool(v);
    else if (std::strcmp(pstrName, "hscrollbar") == 0) m_bScrollHorizontal = ParseBool(v);
    else if (std::strcmp(pstrName, "vscrollbarstyle") == 0) m_strVScrollStyle = v;
    else if (std::strcmp(pstrName, "hscrollbarstyle") == 0) m_strHScrollStyle = v;
    else CControlUI::SetAttribute(pstrName, pstrValue);
}

void CContainerUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    for (CControlUI* child : m_items) child->SetManager(pManager, this, bInit);
    CControlUI::SetManager(pManager, pParent, bInit);
}

CControlUI* CContainerUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((uFlags & UIFIND_HITTEST) != 0) {
        const POINT* pt = static_cast<const POINT*>(pData);
        if (!::PtInRect(&m_rcItem, *pt)) return nullptr;
        if (!m_bMouseChildEnabled) {
            return m_bMouseEnabled ? proc(this, pData) : nullptr;
        }
    }
    if ((uFlags & UIFIND_ME_FIRST) != 0) {
        if (CControlUI* found = CControlUI::FindControl(proc, pData, uFlags)) return found;
    }
    if ((uFlags & UIFIND_TOP_FIRST) != 0) {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (CControlUI* found = (*it)->FindControl(proc, pData, uFlags)) return found;
        }
    } else {
        for (CControlUI* child : m_items) {
            if (CControlUI* found = child->FindControl(proc, pData, uFlags)) return found;
        }
    }
    if ((uFlags & UIFIND_ME_FIRST) == 0) return CControlUI::FindControl(proc, pData, uFlags);
    return nullptr;
}

}  // namespace Vellum
