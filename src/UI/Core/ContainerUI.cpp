// CContainerUI: child list, binding, destruction, painting and hit tests.
#include "UI/Core/ContainerUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Core/ScrollBarUI.h"
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
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
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
    RECT inner = GetInnerRect();
    if (m_pVerticalScrollBar || m_pHorizontalScrollBar) {
        // Every child covers the whole inner rectangle; a child with a fixed
        // size larger than that makes the content scroll.
        int cxNeeded = 0, cyNeeded = 0;
        const SIZE available = {inner.right - inner.left, inner.bottom - inner.top};
        for (CControlUI* child : m_items) {
            if (!child->IsVisible() || child->IsFloat()) continue;
            const RECT& pad = child->GetPadding();
            const SIZE sz = child->EstimateSize(available);
            cxNeeded = std::max(cxNeeded, static_cast<int>(sz.cx + pad.left + pad.right));
            cyNeeded = std::max(cyNeeded, static_cast<int>(sz.cy + pad.top + pad.bottom));
        }
        inner = ProcessScrollBar(inner, cxNeeded, cyNeeded);
    }
    const SIZE scroll = GetScrollPos();
    for (CControlUI* child : m_items) {
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            SetFloatPos(child, inner);
            continue;
        }
        const RECT& pad = child->GetPadding();
        RECT rcChild = {inner.left + pad.left, inner.top + pad.top, inner.right - pad.right, inner.bottom - pad.bottom};
        const SIZE sz = child->EstimateSize({inner.right - inner.left, inner.bottom - inner.top});
        if (m_pHorizontalScrollBar && sz.cx > rcChild.right - rcChild.left) rcChild.right = rcChild.left + sz.cx;
        if (m_pVerticalScrollBar && sz.cy > rcChild.bottom - rcChild.top) rcChild.bottom = rcChild.top + sz.cy;
        ::OffsetRect(&rcChild, -scroll.cx, -scroll.cy);
        child->SetPos(rcChild, false);
    }
}

void CContainerUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal) {
    auto update = [this](CScrollBarUI*& bar, bool enable, bool horizontal, const std::string& style) {
        if (enable && !bar) {
            bar = new CScrollBarUI;
            bar->SetOwner(this);
            bar->SetHorizontal(horizontal);
            if (m_pManager) bar->SetManager(m_pManager, this, true);
            if (!style.empty()) bar->ApplyAttributeList(style.c_str());
        } else if (!enable && bar) {
            if (m_pManager) m_pManager->ReapObjects(bar);
            delete bar;
            bar = nullptr;
        }
    };
    update(m_pVerticalScrollBar, bEnableVertical, false, m_strVScrollStyle);
    update(m_pHorizontalScrollBar, bEnableHorizontal, true, m_strHScrollStyle);
    NeedUpdate();
}

SIZE CContainerUI::GetScrollPos() const {
    SIZE pos = {0, 0};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) pos.cy = m_pVerticalScrollBar->GetScrollPos();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) pos.cx = m_pHorizontalScrollBar->GetScrollPos();
    return pos;
}

SIZE CContainerUI::GetScrollRange() const {
    SIZE range = {0, 0};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) range.cy = m_pVerticalScrollBar->GetScrollRange();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        range.cx = m_pHorizontalScrollBar->GetScrollRange();
    return range;
}

void CContainerUI::SetScrollPos(SIZE szPos) {
    const SIZE before = GetScrollPos();
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(szPos.cy);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
    const SIZE after = GetScrollPos();
    if (after.cx == before.cx && after.cy == before.cy) return;
    // Only the children move: lay them out again at once and repaint.
    SetPos(m_rcItem, false);
    Invalidate();
}

int CContainerUI::GetScrollLineSize() const { return m_pVerticalScrollBar ? m_pVerticalScrollBar->GetLineSize() : 8; }

void CContainerUI::LineUp() {
    SIZE pos = GetScrollPos();
    pos.cy -= GetScrollLineSize();
    SetScrollPos(pos);
}

void CContainerUI::LineDown() {
    SIZE pos = GetScrollPos();
    pos.cy += GetScrollLineSize();
    SetScrollPos(pos);
}

void CContainerUI::PageUp() {
    SIZE pos = GetScrollPos();
    const RECT inner = GetInnerRect();
    pos.cy -= std::max(GetScrollLineSize(), static_cast<int>(inner.bottom - inner.top) - GetScrollLineSize());
    SetScrollPos(pos);
}

void CContainerUI::PageDown() {
    SIZE pos = GetScrollPos();
    const RECT inner = GetInnerRect();
    pos.cy += std::max(GetScrollLineSize(), static_cast<int>(inner.bottom - inner.top) - GetScrollLineSize());
    SetScrollPos(pos);
}

void CContainerUI::HomeUp() {
    SIZE pos = GetScrollPos();
    pos.cy = 0;
    SetScrollPos(pos);
}

void CContainerUI::EndDown() {
    SIZE pos = GetScrollPos();
    pos.cy = GetScrollRange().cy;
    SetScrollPos(pos);
}

RECT CContainerUI::ProcessScrollBar(RECT rcInner, int cxRequired, int cyRequired) {
    const int viewCx = rcInner.right - rcInner.left;
    const int viewCy = rcInner.bottom - rcInner.top;
    CScrollBarUI* vbar = m_pVerticalScrollBar;
    CScrollBarUI* hbar = m_pHorizontalScrollBar;
    const int vbarCx = vbar ? vbar->GetFixedWidth() : 0;
    const int hbarCy = hbar ? hbar->GetFixedHeight() : 0;
    // A bar that appears takes room from the other direction.
    bool showV = vbar && cyRequired > viewCy;
    bool showH = hbar && cxRequired > viewCx - (showV ? vbarCx : 0);
    if (!showV && vbar && showH && cyRequired > viewCy - hbarCy) showV = true;
    RECT rc = rcInner;
    if (showV) rc.right -= vbarCx;
    if (showH) rc.bottom -= hbarCy;
    if (vbar) {
        vbar->ShowQuietly(showV);
        vbar->SetPageSize(rc.bottom - rc.top);
        vbar->SetScrollRange(showV ? cyRequired - (rc.bottom - rc.top) : 0);
        if (showV) vbar->SetPos({rc.right, rcInner.top, rc.right + vbarCx, rc.bottom}, false);
    }
    if (hbar) {
        hbar->ShowQuietly(showH);
        hbar->SetPageSize(rc.right - rc.left);
        hbar->SetScrollRange(showH ? cxRequired - (rc.right - rc.left) : 0);
        if (showH) hbar->SetPos({rcInner.left, rc.bottom, rc.right, rc.bottom + hbarCy}, false);
    }
    return rc;
}

void CContainerUI::PaintScrollBars(HDC hDC, const RECT& rcPaint) {
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (!bar || !bar->IsVisible()) continue;
        RECT rcBar;
        if (::IntersectRect(&rcBar, &rcPaint, &bar->GetPos())) bar->DoPaint(hDC, rcPaint);
    }
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() && IsEnabled()) {
        // Three lines per notch, as the system does by default.
        for (int i = 0; i < 3; ++i) {
            if (LOWORD(event.wParam) == SB_LINEUP) LineUp();
            else LineDown();
        }
        return;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CControlUI::DoPaint(hDC, rcPaint);
    {
        CSaveDC saved(hDC);
        RECT rcClip = rcTemp;
        if (m_pVerticalScrollBar || m_pHorizontalScrollBar) {
            // Scrolled children end at the inset and at the bars.
            RECT inner = GetInnerRect();
            if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible())
                inner.right = m_pVerticalScrollBar->GetPos().left;
            if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
                inner.bottom = m_pHorizontalScrollBar->GetPos().top;
            ::IntersectRect(&rcClip, &rcClip, &inner);
        }
        ::IntersectClipRect(hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
        for (CControlUI* child : m_items) {
            if (!child->IsVisible()) continue;
            RECT rcChild;
            if (!::IntersectRect(&rcChild, &rcClip, &child->GetPos())) continue;
            child->DoPaint(hDC, rcClip);
        }
    }
    PaintScrollBars(hDC, rcTemp);
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
    } else if (std::strcmp(pstrName, "vscrollbar") == 0) {
        EnableScrollBar(ParseBool(v), m_pHorizontalScrollBar != nullptr);
    } else if (std::strcmp(pstrName, "hscrollbar") == 0) {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, ParseBool(v));
    } else if (std::strcmp(pstrName, "vscrollbarstyle") == 0) {
        m_strVScrollStyle = v;
        if (m_pVerticalScrollBar) m_pVerticalScrollBar->ApplyAttributeList(v);
    } else if (std::strcmp(pstrName, "hscrollbarstyle") == 0) {
        m_strHScrollStyle = v;
        if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->ApplyAttributeList(v);
    } else CControlUI::SetAttribute(pstrName, pstrValue);
}

void CContainerUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    for (CControlUI* child : m_items) child->SetManager(pManager, this, bInit);
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetManager(pManager, this, bInit);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetManager(pManager, this, bInit);
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
    // The bars lie over the children; every search (hit tests, and the
    // manager's walks that forget removed controls) sees them.
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (!bar) continue;
        if ((uFlags & UIFIND_HITTEST) != 0 && !bar->IsVisible()) continue;
        if (CControlUI* found = bar->FindControl(proc, pData, uFlags)) return found;
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
