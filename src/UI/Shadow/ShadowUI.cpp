// CShadowUI: class registration, creation and release, settings.
// The reactions to the window's messages and the drawing are in ShadowUpdate.cpp.
#include "UI/Shadow/ShadowUI.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "UI/Shadow/ShadowRegistry.h"
#include "UI/Win32/Win32Glue.h"
#include "comm/log/LastErrorLog.h"

namespace Vellum {

namespace {

const char kShadowClassName[] = "TamsinShadowWnd";

bool g_bClassRegistered = false;
HINSTANCE g_hInstance = nullptr;

// The skin markup's value forms: decimal integers, each number of a list
// followed by one arbitrary separator character.
const char* ReadInt(const char* p, long& value) {
    char* end = nullptr;
    value = std::strtol(p, &end, 10);
    if (*end != '\0') ++end;  // the separator
    return end;
}

// An optional '#' and hexadecimal digits read as 0xAARRGGBB.
uint32_t ReadColor(const char* p) {
    if (*p == '#') ++p;
    return static_cast<uint32_t>(std::strtoul(p, nullptr, 16));
}

// The shadow window's procedure. A shadow goes with the window it follows,
// never alone: a WM_CLOSE from elsewhere (taskkill without /F sends one to
// every top-level window) is ignored.
LRESULT CALLBACK ShadowWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CLOSE) return 0;
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

bool CShadowUI::Initialize(HINSTANCE hInstance) {
    if (g_bClassRegistered) return false;
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ShadowWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kShadowClassName;
    if (!RegisterWindowClassOnce(wc)) return false;
    g_hInstance = hInstance;
    g_bClassRegistered = true;
    return true;
}

CShadowUI::~CShadowUI() { Detach(); }

CShadowUI* CShadowUI::FindShadow(HWND hWndParent) { return ShadowRegistry::Find(hWndParent); }

void CShadowUI::Create(CUIManager* pManager, HWND hWndParent) {
    if (!m_bIsShowShadow) return;
    // One window, one shadow: a second Create would hook the window twice and its
    // procedure would end up calling itself.
    if (m_hWndParent || !IsWindow(hWndParent) || ShadowRegistry::Find(hWndParent)) return;
    m_pManager = pManager;

    const LONG_PTR parentStyle = GetWindowLongPtrA(hWndParent, GWL_STYLE);
    m_hWnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr,
                             WS_POPUPWINDOW | static_cast<DWORD>(parentStyle & WS_DLGFRAME), CW_USEDEFAULT, 0, 0, 0,
                             hWndParent, nullptr, g_hInstance, nullptr);
    if (!m_hWnd) {
        // Typically the class was never registered: the window goes without a shadow.
        LogLastError("CreateWindowExA", kShadowClassName);
        return;
    }
    m_hWndParent = hWndParent;
    ShadowRegistry::Add(hWndParent, this);
    // The size the next WM_SIZE is compared with: the window's present one, so
    // that its first shrink redraws at once like every later one.
    RECT client;
    if (GetClientRect(hWndParent, &client)) {
        m_nParentWidth = static_cast<uint16_t>(client.right - client.left);
        m_nParentHeight = static_cast<uint16_t>(client.bottom - client.top);
    }

    if (!IsWindowVisible(hWndParent)) {
        m_Status = SS_ENABLED;
    } else if (IsIconic(hWndParent) || IsZoomed(hWndParent)) {
        m_Status = SS_ENABLED | SS_PARENTVISIBLE;
    } else {
        m_Status = SS_ENABLED | SS_VISIBLE | SS_PARENTVISIBLE;
        ShowWindow(m_hWnd, SW_SHOWNA);
        Update(hWndParent);
    }

    m_OriParentProc = ShadowRegistry::Hook(hWndParent, ParentProc);
}

void CShadowUI::Detach() {
    if (!m_hWndParent) return;
    ShadowRegistry::Remove(m_hWndParent, this);
    ShadowRegistry::Unhook(m_hWndParent, ParentProc);
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    m_hWndParent = nullptr;
    m_Status = 0;
}

void CShadowUI::RedrawIfVisible() {
    if (m_hWnd && (m_Status & SS_VISIBLE)) Update(GetWindow(m_hWnd, GW_OWNER));
}

bool CShadowUI::SetSize(int nSize) {
    if (nSize < -20 || nSize > 20) return false;
    m_nSize = static_cast<int8_t>(nSize);
    RedrawIfVisible();
    return true;
}

bool CShadowUI::SetSharpness(unsigned int nSharpness) {
    if (nSharpness > 20) return false;
    m_nSharpness = static_cast<uint8_t>(nSharpness);
    RedrawIfVisible();
    return true;
}

bool CShadowUI::SetDarkness(unsigned int nDarkness) {
    if (nDarkness > 255) return false;
    m_nDarkness = static_cast<uint8_t>(nDarkness);
    RedrawIfVisible();
    return true;
}

bool CShadowUI::SetPosition(int nXOffset, int nYOffset) {
    if (nXOffset < -20 || nXOffset > 20 || nYOffset < -20 || nYOffset > 20) return false;
    m_nxOffset = static_cast<int8_t>(nXOffset);
    m_nyOffset = static_cast<int8_t>(nYOffset);
    RedrawIfVisible();
    return true;
}

void CShadowUI::SetColor(uint32_t color) {
    m_Color = color;
    RedrawIfVisible();
}

bool CShadowUI::SetImage(const char* pszImage) {
    if (!pszImage || !*pszImage) return false;
    m_bIsImageMode = true;
    m_sShadowImage = pszImage;
    RedrawIfVisible();
    return true;
}

bool CShadowUI::SetShadowCorner(const RECT& rcCorner) {
    if (rcCorner.left < 0 || rcCorner.top < 0 || rcCorner.right < 0 || rcCorner.bottom < 0) return false;
    m_rcShadowCorner = rcCorner;
    RedrawIfVisible();
    return true;
}

void CShadowUI::ShowShadow(bool bShow) { m_bIsShowShadow = bShow; }

void CShadowUI::SetImageLoader(ShadowImageLoader loader) {
    m_loader = std::move(loader);
    // A new source may have what the old one did not.
    m_bImageFailed = false;
}

void CShadowUI::SetImageFolder(const std::string& folder) {
    m_sImageFolder = folder;
    // Decoded from the old folder: forget it.
    m_ownImage.Reset();
    m_sImageName.clear();
    m_bImageFailed = false;
}

bool CShadowUI::SetAttribute(const char* pszName, const char* pszValue) {
    if (!pszName || !pszValue) return false;
    const std::string name = pszName;
    long a = 0, b = 0;
    if (name == "shadowsize") {
        ReadInt(pszValue, a);
        return SetSize(static_cast<int>(a));
    }
    if (name == "shadowsharpness") {
        ReadInt(pszValue, a);
        return a >= 0 && SetSharpness(static_cast<unsigned int>(a));
    }
    if (name == "shadowdarkness") {
        ReadInt(pszValue, a);
        return a >= 0 && SetDarkness(static_cast<unsigned int>(a));
    }
    if (name == "shadowpositon") {
        ReadInt(ReadInt(pszValue, a), b);
        return SetPosition(static_cast<int>(a), static_cast<int>(b));
    }
    if (name == "shadowcolor") {
        SetColor(ReadColor(pszValue));
        return true;
    }
    if (name == "shadowcorner") {
        long l = 0, t = 0, r = 0, bottom = 0;
        ReadInt(ReadInt(ReadInt(ReadInt(pszValue, l), t), r), bottom);
        return SetShadowCorner(RECT{l, t, r, bottom});
    }
    if (name == "shadowimage") return SetImage(pszValue);
    if (name == "showshadow") {
        ShowShadow(std::strcmp(pszValue, "true") == 0);
        return true;
    }
    return false;
}

}  // namespace Vellum
