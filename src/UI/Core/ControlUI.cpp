// CControlUI: state, binding, layout hooks and events.
#include "UI/Core/ControlUI.h"

#include <cstring>

#include "UI/Core/UIManager.h"

namespace Vellum {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    // A control deleted while still bound must leave no dangling reference in
    // its manager (focus, hover, timers, name table).
    if (m_pManager) m_pManager->ForgetControl(this);
}

const char* CControlUI::GetClass() const { return "ControlUI"; }

void* CControlUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "Control") == 0) return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }

void CControlUI::SetName(const char* pstrName) { m_strName = pstrName ? pstrName : ""; }

void CControlUI::SetText(const char* pstrText) {
    const char* text = pstrText ? pstrText : "";
    if (m_strText == text) return;
    m_strText = text;
    Invalidate();
}

void CControlUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    const bool wasVisible = IsVisible();
    m_bVisible = bVisible;
    if (!bVisible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
    if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool bVisible) {
    m_bInternVisible = bVisible;
    if (!bVisible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
}

void CControlUI::SetEnabled(bool bEnable) {
    if (m_bEnabled == bEnable) return;
    m_bEnabled = bEnable;
    // As EnableWindow does with a native window: a control that can no
    // longer be used must not keep the keyboard (nor show that it has it).
    if (!bEnable && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
    Invalidate();
}

void CControlUI::SetFocus() {
    if (m_pManager) m_pManager->SetFocusControl(this);
}

void CControlUI::SetFloat(bool bFloat) {
    if (m_bFloat == bFloat) return;
    m_bFloat = bFloat;
    NeedParentUpdate();
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (bNeedInvalidate) Invalidate();
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (bNeedInvalidate) Invalidate();
}

void CControlUI::SetPadding(RECT rcPadding) {
    m_rcPadding = rcPadding;
    NeedParentUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetMinWidth(int cx) {
    if (cx < 0) return;
    m_cxyMin.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0) return;
    m_cxyMax.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy) {
    if (cy < 0) return;
    m_cxyMin.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0) return;
    m_cxyMax.cy = cy;
    NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE) { return m_cxyFixed; }

void CControlUI::SetBkColor(DWORD dwColor) {
    m_dwBackColor = dwColor;
    Invalidate();
}

void CControlUI::SetBkImage(const char* pstrImage) {
    const char* image = pstrImage ? pstrImage : "";
    if (m_strBkImage.GetText() == image) return;
    m_strBkImage = image;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD dwColor) {
    m_dwBorderColor = dwColor;
    Invalidate();
}

void CControlUI::SetBorderSize(int nSize) {
    m_nBorderSize = nSize;
    Invalidate();
}

void CControlUI::SetBorderRound(SIZE cxyRound) {
    m_cxyBorderRound = cxyRound;
    Invalidate();
}

void CControlUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit) Init();
}

CControlUI* CControlUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((uFlags & UIFIND_HITTEST) != 0) {
        const POINT* pt = static_cast<const POINT*>(pData);
        if (!m_bMouseEnabled || !::PtInRect(&m_rcItem, *pt)) return nullptr;
    }
    return proc(this, pData);
}

void CControlUI::Invalidate() {
    if (!IsVisible() || !m_pManager) return;
    RECT rc = m_rcItem;
    // Only the part inside every container is on screen.
    for (CControlUI* parent = m_pParent; parent; parent = parent->GetParent()) {
        RECT rcParent = parent->GetPos();
        if (!::IntersectRect(&rc, &rc, &rcParent)) return;
    }
    m_pManager->Invalidate(rc);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible()) return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    // Once the parent is due for a layout and the window for a whole repaint,
    // a further request changes nothing: a filter hiding thousands of rows
    // would otherwise walk up the tree for each one.
    if (m_pParent && m_pParent->IsUpdateNeeded() && m_pManager && m_pManager->IsUpdateNeeded()) return;
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::Init() { DoInit(); }

void CControlUI::DoInit() {}

void CControlUI::Event(TEventUI& event) {
    for (auto& handler : OnEvent) {
        if (!handler(event)) return;
    }
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursor(nullptr, IDC_ARROW)); return;
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager) m_pManager->SendNotify(this, "timer", event.wParam, event.lParam);
        return;
    case UIEVENT_MOUSEENTER:
        m_bHot = true;
        if (m_dwHotBorderColor) Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_bHot = false;
        if (m_dwHotBorderColor) Invalidate();
        return;
    case UIEVENT_CONTEXTMENU:
        if (m_bMenuUsed && m_pManager) m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
        return;
    case UIEVENT_SCROLLWHEEL:
        // Wheel turns over a plain control belong to the container around it.
        if (m_pParent) m_pParent->DoEvent(event);
        return;
    default: return;
    }
}

}  // namespace Vellum
