// CUIManager: process-wide settings, the control tree, focus, notifications,
// filters, timers, fonts and default attributes.
#include "UI/Core/UIManager.h"

#include <algorithm>
#include <cstring>

#include "UI/Core/ControlUI.h"
#include "UI/Markup/SkinStore.h"
#include "comm/platform/PathSeparator.h"

namespace Vellum {

namespace {

HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResourceInstance = nullptr;
std::string g_strSkinPath;
std::string g_strSkinArchive;
std::vector<CUIManager*> g_managers;

CControlUI* FindByNameProc(CControlUI* pControl, void* pData) {
    CUIManager* manager = static_cast<CUIManager*>(pData);
    if (!pControl->GetName().IsEmpty()) manager->NameControl(pControl);
    return nullptr;
}

CControlUI* HitTestProc(CControlUI* pControl, void*) { return pControl; }

}  // namespace

CUIManager::CUIManager() { CreateDefaultFont(); }

CUIManager::~CUIManager() {
    // The tree first, while everything its controls may call back is alive.
    CControlUI* root = m_pOwnedRoot;
    m_pOwnedRoot = nullptr;
    delete root;
    HideToolTip();
    for (const TTimerInfo& t : m_aTimers) {
        if (m_hWndPaint) ::KillTimer(m_hWndPaint, t.uWinTimer);
    }
    ClearDelayedCleanup();
    // Fonts, buffers, the tip and the window's DC go with their owners.
    g_managers.erase(std::remove(g_managers.begin(), g_managers.end(), this), g_managers.end());
}

void CUIManager::Init(HWND hWnd) {
    m_hWndPaint = hWnd;
    m_dcPaint = CWindowDC(hWnd);
    if (std::find(g_managers.begin(), g_managers.end(), this) == g_managers.end()) g_managers.push_back(this);
    // The skin may have given a size before the window existed.
    if (m_szInitWindowSize.cx > 0 && m_szInitWindowSize.cy > 0)
        SetInitSize(m_szInitWindowSize.cx, m_szInitWindowSize.cy);
}

void CUIManager::SetInstance(HINSTANCE hInst) { g_hInstance = hInst; }
HINSTANCE CUIManager::GetInstance() { return g_hInstance ? g_hInstance : ::GetModuleHandleA(nullptr); }
void CUIManager::SetResourceInstance(HINSTANCE hInst) { g_hResourceInstance = hInst; }
HINSTANCE CUIManager::GetResourceInstance() { return g_hResourceInstance ? g_hResourceInstance : GetInstance(); }

CSkinStore& CUIManager::GetSkinStore() {
    static CSkinStore store;
    return store;
}

void CUIManager::SetSkinPath(const char* pstrPath) {
    g_strSkinPath = pstrPath ? pstrPath : "";
    if (!g_strSkinPath.empty() && !platform::EndsWithSeparator(g_strSkinPath)) g_strSkinPath += '\\';
    GetSkinStore().SetFolder(g_strSkinPath);
}

const std::string& CUIManager::GetSkinPath() { return g_strSkinPath; }

std::string CUIManager::GetExeFolder() {
    char path[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(GetInstance(), path, MAX_PATH);
    std::string folder(path);
    const size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

void CUIManager::SetSkinArchive(const char* pstrName) {
    g_strSkinArchive = pstrName ? pstrName : "";
    GetSkinStore().SetArchive(g_strSkinArchive, true);
}

void CUIManager::SetShadowAttribute(const char* pstrName, const char* pstrValue) {
    m_shadow.SetAttribute(pstrName, pstrValue);
}
const std::string& CUIManager::GetSkinArchive() { return g_strSkinArchive; }

const std::vector<CUIManager*>& CUIManager::GetManagers() { return g_managers; }

bool CUIManager::AttachRoot(CControlUI* pControl) {
    if (!pControl) return false;
    // A new tree replaces every reference into the old one.
    ResetInputState();
    m_pFocus = nullptr;
    m_mNameHash.clear();
    m_mOptionGroup.clear();
    if (m_pOwnedRoot && m_pOwnedRoot != pControl) {
        CControlUI* old = m_pOwnedRoot;
        m_pOwnedRoot = nullptr;
        delete old;
    }
    m_pOwnedRoot = pControl;
    m_pRoot = pControl;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    m_bFocusNeeded = true;
    InitControls(pControl, nullptr);
    if (m_hWndPaint) {
        ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
        // The shadow draws from this manager's image cache.
        m_shadow.SetImageLoader([this](const std::string& name, TShadowImage& image) {
            const TImageInfo* info = GetImageEx(name.c_str());
            if (!info) return false;
            image.hBitmap = info->hBitmap;
            image.nWidth = info->nX;
            image.nHeight = info->nY;
            return true;
        });
        m_shadow.Create(this, m_hWndPaint);
    }
    return true;
}

void CUIManager::InitControls(CControlUI* pControl, CControlUI* pParent) {
    if (!pControl) return;
    pControl->SetManager(this, pParent ? pParent : pControl->GetParent(), true);
    pControl->FindControl(FindByNameProc, this, UIFIND_ALL);
}

void CUIManager::ReapObjects(CControlUI* pControl) {
    if (!pControl) return;
    ForgetControl(pControl);
    pControl->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            static_cast<CUIManager*>(data)->ForgetControl(c);
            return nullptr;
        },
        this, UIFIND_ALL);
}

void CUIManager::NameControl(CControlUI* pControl) {
    const std::string name = pControl->GetName().ToStdString();
    auto range = m_mNameHash.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == pControl) return;
    }
    m_mNameHash.emplace(name, pControl);
}

CControlUI* CUIManager::FindControl(const char* pstrName) const {
    if (!pstrName) return nullptr;
    auto it = m_mNameHash.find(pstrName);
    return it == m_mNameHash.end() ? nullptr : it->second;
}

CControlUI* CUIManager::FindControl(POINT pt) const {
    if (!m_pRoot) return nullptr;
    return m_pRoot->FindControl(HitTestProc, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

void CUIManager::ForgetControl(CControlUI* pControl) {
    if (!pControl) return;
    if (m_pFocus == pControl) m_pFocus = nullptr;
    if (m_pEventHover == pControl) m_pEventHover = nullptr;
    if (m_pEventClick == pControl) m_pEventClick = nullptr;
    if (m_pEventKey == pControl) m_pEventKey = nullptr;
    if (m_pToolTipControl == pControl) HideToolTip();
    if (m_pRoot == pControl) m_pRoot = nullptr;
    KillTimers(pControl);
    for (auto it = m_mNameHash.begin(); it != m_mNameHash.end();) {
        if (it->second == pControl) it = m_mNameHash.erase(it);
        else ++it;
    }
    for (auto it = m_mOptionGroup.begin(); it != m_mOptionGroup.end();) {
        std::vector<CControlUI*>& members = it->second;
        members.erase(std::remove(members.begin(), members.end(), pControl), members.end());
        if (members.empty()) it = m_mOptionGroup.erase(it);
        else ++it;
    }
}

void CUIManager::AddOptionGroup(const char* pstrGroupName, CControlUI* pControl) {
    if (!pstrGroupName || !*pstrGroupName || !pControl) return;
    std::vector<CControlUI*>& members = m_mOptionGroup[pstrGroupName];
    if (std::find(members.begin(), members.end(), pControl) == members.end()) members.push_back(pControl);
}

void CUIManager::RemoveOptionGroup(const char* pstrGroupName, CControlUI* pControl) {
    if (!pstrGroupName) return;
    auto it = m_mOptionGroup.find(pstrGroupName);
    if (it == m_mOptionGroup.end()) return;
    std::vector<CControlUI*>& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), pControl), members.end());
    if (members.empty()) m_mOptionGroup.erase(it);
}

const std::vector<CControlUI*>* CUIManager::GetOptionGroup(const char* pstrGroupName) const {
    if (!pstrGroupName) return nullptr;
    auto it = m_mOptionGroup.find(pstrGroupName);
    return it == m_mOptionGroup.end() ? nullptr : &it->second;
}

void CUIManager::AddDelayedCleanup(CControlUI* pControl) {
    ReapObjects(pControl);
    pControl->SetManager(nullptr, nullptr, false);
    m_aDelayedCleanup.push_back(pControl);
    // One message deletes the whole batch; removing many rows posts it once.
    if (m_hWndPaint && m_aDelayedCleanup.size() == 1) ::PostMessageA(m_hWndPaint, WM_VELLUM_DELAYED_CLEANUP, 0, 0);
}

void CUIManager::ClearDelayedCleanup() {
    std::vector<CControlUI*> pending;
    pending.swap(m_aDelayedCleanup);
    for (CControlUI* control : pending) delete control;
}

void CUIManager::SetFocusControl(CControlUI* pControl) {
    if (pControl == m_pFocus) return;
    // A control that cannot take the focus leaves it where it is.
    if (pControl && (pControl->GetManager() != this || !pControl->IsVisible() || !pControl->IsEnabled())) return;
    // The keyboard comes to this window, unless it is in the native window
    // the new control hosts already (a click into a text box's EDIT).
    const HWND systemFocus = ::GetFocus();
    if (m_hWndPaint && pControl && systemFocus != m_hWndPaint &&
        (!systemFocus || systemFocus != pControl->GetNativeWindow())) {
        ::SetFocus(m_hWndPaint);
    }
    if (m_pFocus) {
        CControlUI* old = m_pFocus;
        m_pFocus = nullptr;
        SendEvent(old, UIEVENT_KILLFOCUS);
        SendNotify(old, "killfocus");
    }
    if (pControl) {
        m_pFocus = pControl;
        SendEvent(pControl, UIEVENT_SETFOCUS);
        SendNotify(pControl, "setfocus");
    }
}

bool CUIManager::SetNextTabControl(bool bForward) {
    if (!m_pRoot) return false;
    // Tab stops in tree order: visible, enabled, keyboard-enabled controls
    // that ask for the focus (buttons and the like).
    std::vector<CControlUI*> stops;
    m_pRoot->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            if ((c->GetControlFlags() & UIFLAG_TABSTOP) && c->IsKeyboardEnabled())
                static_cast<std::vector<CControlUI*>*>(data)->push_back(c);
            return nullptr;
        },
        &stops, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
    if (stops.empty()) return false;
    auto it = std::find(stops.begin(), stops.end(), m_pFocus);
    int index = it == stops.end() ? -1 : static_cast<int>(it - stops.begin());
    const int count = static_cast<int>(stops.size());
    if (bForward) index = (index + 1) % count;
    else index = index <= 0 ? count - 1 : index - 1;
    SetFocusControl(stops[index]);
    return true;
}

void CUIManager::SendEvent(CControlUI* pControl, int type, WPARAM wParam, LPARAM lParam) {
    if (!pControl) return;
    TEventUI event;
    event.Type = type;
    event.pSender = pControl;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = m_ptLastMousePos;
    event.wParam = wParam;
    event.lParam = lParam;
    pControl->Event(event);
}

void CUIManager::SendNotify(CControlUI* pControl, const char* pstrType, WPARAM wParam, LPARAM lParam) {
    TNotification msg;
    msg.sType = pstrType;
    msg.pSender = pControl;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg);
}

void CUIManager::SendNotify(TNotification& msg) {
    msg.ptMouse = m_ptLastMousePos;
    msg.dwTimestamp = ::GetTickCount();
    if (msg.pSender) {
        for (auto& handler : msg.pSender->OnNotify) handler(msg);
    }
    // A notifier may remove itself or others while it runs: walk a copy.
    const std::vector<INotifyUI*> notifiers = m_aNotifiers;
    for (INotifyUI* notifier : notifiers) notifier->Notify(msg);
}

void CUIManager::AddNotifier(INotifyUI* pNotifier) { m_aNotifiers.push_back(pNotifier); }

void CUIManager::RemoveNotifier(INotifyUI* pNotifier) {
    auto it = std::find(m_aNotifiers.begin(), m_aNotifiers.end(), pNotifier);
    if (it != m_aNotifiers.end()) m_aNotifiers.erase(it);
}

void CUIManager::AddMessageFilter(IMessageFilterUI* pFilter) { m_aMessageFilters.push_back(pFilter); }

void CUIManager::RemoveMessageFilter(IMessageFilterUI* pFilter) {
    auto it = std::find(m_aMessageFilters.begin(), m_aMessageFilters.end(), pFilter);
    if (it != m_aMessageFilters.end()) m_aMessageFilters.erase(it);
}

void CUIManager::AddTranslateAccelerator(ITranslateAccelerator* pAccel) { m_aTranslateAccelerators.push_back(pAccel); }

void CUIManager::RemoveTranslateAccelerator(ITranslateAccelerator* pAccel) {
    auto it = std::find(m_aTranslateAccelerators.begin(), m_aTranslateAccelerators.end(), pAccel);
    if (it != m_aTranslateAccelerators.end()) m_aTranslateAccelerators.erase(it);
}

bool CUIManager::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
    if (!pControl || !m_hWndPaint) return false;
    for (TTimerInfo& t : m_aTimers) {
        if (t.pSender == pControl && t.nLocalID == nTimerID) {
            return ::SetTimer(m_hWndPaint, t.uWinTimer, uElapse, nullptr) != 0;
        }
    }
    const UINT_PTR id = m_uNextTimerID++;
    if (!::SetTimer(m_hWndPaint, id, uElapse, nullptr)) return false;
    m_aTimers.push_back({pControl, nTimerID, id});
    return true;
}

bool CUIManager::KillTimer(CControlUI* pControl, UINT nTimerID) {
    for (auto it = m_aTimers.begin(); it != m_aTimers.end(); ++it) {
        if (it->pSender == pControl && it->nLocalID == nTimerID) {
            if (m_hWndPaint) ::KillTimer(m_hWndPaint, it->uWinTimer);
            m_aTimers.erase(it);
            return true;
        }
    }
    return false;
}

void CUIManager::KillTimers(CControlUI* pControl) {
    for (auto it = m_aTimers.begin(); it != m_aTimers.end();) {
        if (it->pSender == pControl) {
            if (m_hWndPaint) ::KillTimer(m_hWndPaint, it->uWinTimer);
            it = m_aTimers.erase(it);
        } else {
            ++it;
        }
    }
}

void CUIManager::AddDefaultAttributes(const char* pStrControlName, const char* pStrControlAttrList) {
    if (!pStrControlName || !pStrControlAttrList) return;
    m_mDefaultAttrHash.emplace(pStrControlName, pStrControlAttrList);  // the first definition wins
}

const char* CUIManager::GetDefaultAttributes(const char* pStrControlName) const {
    auto it = m_mDefaultAttrHash.find(pStrControlName ? pStrControlName : "");
    if (it != m_mDefaultAttrHash.end()) return it->second.c_str();
    return m_pParentResourceManager ? m_pParentResourceManager->GetDefaultAttributes(pStrControlName) : nullptr;
}

void CUIManager::SetInitSize(int cx, int cy) {
    m_szInitWindowSize = {cx, cy};
    // Before a tree is attached the window takes the skin's size at once.
    if (!m_pRoot && m_hWndPaint) {
        ::SetWindowPos(m_hWndPaint, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CUIManager::SetTransparent(int nOpacity) {
    m_nOpacity = static_cast<BYTE>(std::max(0, std::min(255, nOpacity)));
    if (!m_hWndPaint) return;
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = ::GetModuleHandleA("User32.dll");
    auto setLayered = user32 ? reinterpret_cast<SetLayeredFn>(
                                   reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")))
                             : nullptr;
    if (!setLayered) return;
    const LONG exStyle = ::GetWindowLongA(m_hWndPaint, GWL_EXSTYLE);
    ::SetWindowLongA(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setLayered(m_hWndPaint, 0, m_nOpacity, LWA_ALPHA);
}

// A pending layout repaints the whole window: the first request invalidates
// it all, and piecewise invalidations until then would only repeat that.
void CUIManager::NeedUpdate() {
    if (m_bUpdateNeeded) return;
    m_bUpdateNeeded = true;
    if (m_hWndPaint) ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
}

void CUIManager::Invalidate(const RECT& rcItem) {
    if (m_bUpdateNeeded) return;
    if (m_hWndPaint) ::InvalidateRect(m_hWndPaint, &rcItem, FALSE);
}

}  // namespace Vellum
