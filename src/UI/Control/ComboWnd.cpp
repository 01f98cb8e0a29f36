#include "UI/Control/ComboWnd.h"

#include "UI/Control/ComboListUI.h"
#include "UI/Control/ComboUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Win32/Win32Glue.h"

namespace Vellum {

namespace {

const char kClassName[] = "ComboWnd";
// The drop-down's look when the skin's "dropbox" says nothing else.
const char kDefaultLook[] = "bkcolor=\"#FFFFFFFF\" bordersize=\"1\" bordercolor=\"#FFD1D5DB\" inset=\"1,1,1,1\"";
// Room for this many entries when "dropboxsize" gives no height.
const int kDefaultVisibleEntries = 10;

}  // namespace

CComboWnd::CComboWnd(CComboUI* pOwner) : m_pOwner(pOwner) {}

CComboWnd::~CComboWnd() {
    Destroy();
    m_pm.reset();
}

const char* CComboWnd::GetWindowClassName() const { return kClassName; }

UINT CComboWnd::GetClassStyle() const { return CS_DBLCLKS; }

RECT CComboWnd::PopupRect() const {
    CUIManager* owner = m_pOwner->GetManager();
    const RECT& rcCombo = m_pOwner->GetPos();
    const SIZE szBox = m_pOwner->GetDropBoxSize();
    const int width = szBox.cx > 0 ? szBox.cx : rcCombo.right - rcCombo.left;
    int height = 2;  // the default border
    int shown = 0;
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* entry = m_pOwner->GetItemAt(i);
        if (!entry->IsVisible()) continue;
        if (szBox.cy <= 0 && shown++ >= kDefaultVisibleEntries) break;
        height += entry->EstimateSize({width, 0}).cy;
    }
    if (szBox.cy > 0) height = szBox.cy;
    POINT below = {rcCombo.left, rcCombo.bottom};
    POINT above = {rcCombo.left, rcCombo.top};
    ::ClientToScreen(owner->GetPaintWindow(), &below);
    ::ClientToScreen(owner->GetPaintWindow(), &above);
    RECT rc = {below.x, below.y, below.x + width, below.y + height};
    // Above the combo when the screen ends below it.
    const RECT work = MonitorInfoAt(below).rcWork;
    if (rc.bottom > work.bottom && above.y - height >= work.top) {
        rc = {above.x, above.y - height, above.x + width, above.y};
    }
    return rc;
}

void CComboWnd::ShareResources() {
    // The entries name fonts by index in the combo's window: give the popup
    // the same list, and the same default colours.
    CUIManager* owner = m_pOwner->GetManager();
    const TFontInfo& def = owner->GetFontInfo(-1);
    m_pm->SetDefaultFont(def.sFontName.c_str(), def.iSize, def.bBold, def.bUnderline, def.bItalic);
    for (int i = 0; i < owner->GetFontCount(); ++i) {
        const TFontInfo& font = owner->GetFontInfo(i);
        m_pm->AddFont(font.sFontName.c_str(), font.iSize, font.bBold, font.bUnderline, font.bItalic);
    }
    m_pm->SetDefaultFontColor(owner->GetDefaultFontColor());
    m_pm->SetDefaultDisabledColor(owner->GetDefaultDisabledColor());
    m_pm->SetParentResourceManager(owner);
}

bool CComboWnd::Open() {
    if (m_hWnd) return true;
    CUIManager* owner = m_pOwner->GetManager();
    if (!owner || !owner->GetPaintWindow()) return false;
    m_pm.reset();
    m_bClosing = false;
    const RECT rc = PopupRect();
    // Create registers the class and logs a failure with its error code.
    HWND hWnd = Create(owner->GetPaintWindow(), "", WS_POPUP | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW, rc.left, rc.top,
                       rc.right - rc.left, rc.bottom - rc.top);
    if (!hWnd) return false;
    m_pm.reset(new CUIManager);
    m_pm->Init(hWnd);
    ShareResources();
    m_pLayout = new CComboListUI;
    // The entries stay the combo's: the popup only shows them.
    m_pLayout->SetAutoDestroy(false);
    m_pLayout->ApplyAttributeList(kDefaultLook);
    m_pLayout->ApplyAttributeList(m_pOwner->GetDropBoxAttributeList().c_str());
    m_pm->AttachRoot(m_pLayout);
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* entry = m_pOwner->GetItemAt(i);
        owner->ReapObjects(entry);  // the combo's window forgets it (focus, hover) while it is shown here
        m_pLayout->Add(entry);
    }
    m_pLayout->SetFirstVisible(m_pOwner->GetItemAt(m_pOwner->GetCurSel()));
    ::ShowWindow(hWnd, SW_SHOW);
    ::SetFocus(hWnd);
    // Every press comes here while the drop-down is open, wherever it lands
    // (see HandleOwnMessage). Taken from the combo's window, which holds the
    // capture for the press that opened us: its release comes here too, and
    // is ignored.
    ::SetCapture(hWnd);
    // The selected entry has the keyboard: arrows move through the entries.
    if (CControlUI* selected = m_pOwner->GetItemAt(m_pOwner->GetCurSel())) selected->SetFocus();
    return true;
}

void CComboWnd::Close() {
    if (!m_hWnd || m_bClosing) return;
    m_bClosing = true;
    PostMessage(WM_CLOSE);
}

void CComboWnd::Destroy() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void CComboWnd::GiveEntriesBack() {
    if (!m_pLayout) return;
    m_pLayout->RemoveAll();  // no auto-destroy: the entries are only unbound
    m_pLayout = nullptr;
    CUIManager* owner = m_pOwner->GetManager();
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* entry = m_pOwner->GetItemAt(i);
        if (owner) owner->InitControls(entry, m_pOwner);
        else entry->SetManager(nullptr, m_pOwner, false);
    }
}

LRESULT CComboWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ++m_nDepth;
    const LRESULT result = HandleOwnMessage(uMsg, wParam, lParam);
    // The manager goes with the window once nothing of it is running.
    if (--m_nDepth == 0 && !m_hWnd) m_pm.reset();
    return result;
}

void CComboWnd::OnWindowDestroyed(HWND) {
    // Destroyed from outside any of our handlers (the combo's Destroy): no
    // handler is left to drop the manager.
    if (m_nDepth == 0) m_pm.reset();
    m_pOwner->OnDropDownClosed();
}

bool CComboWnd::PressOutside(LPARAM lParam) const {
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const POINT pt = PointFromLParam(lParam);
    return !::PtInRect(&rc, pt);
}

bool CComboWnd::RouteToManager(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (!m_pm) return false;
    const bool button =
        uMsg == WM_LBUTTONDOWN || uMsg == WM_LBUTTONDBLCLK || uMsg == WM_LBUTTONUP || uMsg == WM_RBUTTONDOWN;
    if (!button) return m_pm->ProcessMessage(uMsg, wParam, lParam, lRes);
    m_bManagerMouse = true;
    const bool handled = m_pm->ProcessMessage(uMsg, wParam, lParam, lRes);
    m_bManagerMouse = false;
    if (m_hWnd && !m_bClosing && ::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
    return handled;
}

LRESULT CComboWnd::HandleOwnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = m_hWnd;
    switch (uMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
        // A press outside (the capture brings it here) only dismisses the
        // drop-down: on a list of things to delete, the click that closes it
        // must not tick a row or start a button beneath. Its release, with
        // the popup gone, reaches a window that saw no press and does nothing.
        if (PressOutside(lParam)) {
            Close();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Taken by another window, or ended by the system: presses would no
        // longer come here, so the drop-down ends rather than stay open over
        // a window that now takes them.
        if (!m_bManagerMouse && reinterpret_cast<HWND>(lParam) != hWnd) Close();
        break;
    case WM_KEYDOWN:
        // Escape and Enter end the drop-down, and only the drop-down.
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            Close();
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        // Focus gone to another window (a click elsewhere): the drop-down ends.
        if (reinterpret_cast<HWND>(wParam) != hWnd) Close();
        break;
    case WM_CLOSE: {
        // The keyboard goes back to the combo's window before we vanish.
        HWND owner = ::GetWindow(hWnd, GW_OWNER);
        m_bClosing = true;
        if (::GetCapture() == hWnd) ::ReleaseCapture();
        if (owner) ::SetFocus(owner);
        ::DestroyWindow(hWnd);
        return 0;
    }
    case WM_DESTROY: GiveEntriesBack(); break;
    default: break;
    }
    LRESULT lRes = 0;
    if (RouteToManager(uMsg, wParam, lParam, lRes)) {
        // A press chose an entry (the entry selected itself through the
        // combo); the release ends the drop-down.
        if (uMsg == WM_LBUTTONUP) {
            CControlUI* control = m_pm->FindControl(PointFromLParam(lParam));
            if (control && control->GetInterface("ListItem")) Close();
        }
        return lRes;
    }
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace Vellum
