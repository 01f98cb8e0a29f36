// CUIManager: the control manager of one native window. It owns the root of
// the attached control tree (the containers own the rest) and drives it:
// paints it into an off-screen buffer, lays it out, routes mouse and keyboard
// input to controls, keeps the keyboard focus, control timers and tool tips,
// and holds the window's fonts, image cache, default attributes and window
// settings from the skin. Every GDI object it makes has an owner member.
//
// Process-wide: the list of managers that the message loops consult
// (PreTranslateMessage), the module instance and the skin folder.
//
// All operations run on the UI thread.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "UI/Core/UIDefs.h"
#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Win32/Win32Glue.h"

namespace Vellum {

class CControlUI;
class CSkinStore;

struct TFontInfo {
    HFONT hFont = nullptr;
    std::string sFontName;
    int iSize = 0;
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICA tm = {};
};

class CUIManager {
public:
    CUIManager();
    ~CUIManager();
    CUIManager(const CUIManager&) = delete;
    CUIManager& operator=(const CUIManager&) = delete;

    // Binds the manager to its window, takes the window's DC and joins the
    // process-wide manager list.
    void Init(HWND hWnd);
    HWND GetPaintWindow() const { return m_hWndPaint; }

    // Process-wide settings.
    static void SetInstance(HINSTANCE hInst);
    static HINSTANCE GetInstance();
    static void SetResourceInstance(HINSTANCE hInst);
    static HINSTANCE GetResourceInstance();
    // The skin folder; a trailing backslash is added when missing.
    static void SetSkinPath(const char* pstrPath);
    static const std::string& GetSkinPath();
    // The executable's folder with a trailing backslash.
    static std::string GetExeFolder();
    // Skins from a zip archive in the skin folder ("" = plain files).
    static void SetSkinArchive(const char* pstrName);
    static const std::string& GetSkinArchive();
    // Where skin documents are read from (folder and archive as set above).
    static CSkinStore& GetSkinStore();

    // Control tree. AttachRoot installs the built tree and takes ownership of
    // it (a previous tree is deleted); the first WM_PAINT afterwards lays it
    // out and sends "windowinit".
    bool AttachRoot(CControlUI* pControl);
    CControlUI* GetRoot() const { return m_pRoot; }
    CControlUI* FindControl(const char* pstrName) const;
    // The topmost visible, mouse-enabled control at a client point.
    CControlUI* FindControl(POINT pt) const;
    // Binding bookkeeping used by controls and containers.
    void InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
    void ReapObjects(CControlUI* pControl);
    void NameControl(CControlUI* pControl);
    void ForgetControl(CControlUI* pControl);
    // Queues a removed control for deletion after the current message.
    void AddDelayedCleanup(CControlUI* pControl);
    // Option groups: the options bound to this manager under each group name,
    // in binding order. A control leaves its group when it is forgotten.
    void AddOptionGroup(const char* pstrGroupName, CControlUI* pControl);
    void RemoveOptionGroup(const char* pstrGroupName, CControlUI* pControl);
    // The members of a group; null when nothing is in it.
    const std::vector<CControlUI*>* GetOptionGroup(const char* pstrGroupName) const;

    // Focus.
    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocusControl(CControlUI* pControl);
    // Moves the focus to the next (or previous) tab stop.
    bool SetNextTabControl(bool bForward = true);

    // Notifications: (1) the sender's notify delegates, (2) every notifier in
    // registration order, synchronously.
    void SendNotify(TNotification& msg);
    void SendNotify(CControlUI* pControl, const char* pstrType, WPARAM wParam = 0, LPARAM lParam = 0);
    void AddNotifier(INotifyUI* pNotifier);
    void RemoveNotifier(INotifyUI* pNotifier);
    void AddMessageFilter(IMessageFilterUI* pFilter);
    void RemoveMessageFilter(IMessageFilterUI* pFilter);
    void AddTranslateAccelerator(ITranslateAccelerator* pAccel);
    void RemoveTranslateAccelerator(ITranslateAccelerator* pAccel);
    // Filters in order; true at the first that sets bHandled. Then the
    // manager's own keys (Tab / Shift+Tab move the focus).
    bool RunMessageFilters(UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Control timers: one Windows timer per (control, id).
    bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
    bool KillTimer(CControlUI* pControl, UINT nTimerID);
    void KillTimers(CControlUI* pControl);

    // Fonts: controls refer to them by index; an index outside the list
    // means the default font.
    int AddFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic);
    void SetDefaultFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic);
    int GetFontCount() const { return static_cast<int>(m_fonts.size()); }
    HFONT GetFont(int index);
    const TFontInfo& GetFontInfo(int index);

    // Images, cached by name (and mask). Null when the image cannot be loaded.
    const TImageInfo* AddImage(const char* pstrName, const char* pstrType = nullptr, DWORD dwMask = 0);
    const TImageInfo* GetImage(const char* pstrName, DWORD dwMask = 0);
    const TImageInfo* GetImageEx(const char* pstrName, const char* pstrType = nullptr, DWORD dwMask = 0);

    // Default attributes by element name; the first definition wins. The
    // lookup falls back to the parent resource manager.
    void AddDefaultAttributes(const char* pStrControlName, const char* pStrControlAttrList);
    const char* GetDefaultAttributes(const char* pStrControlName) const;
    void SetParentResourceManager(CUIManager* pManager) { m_pParentResourceManager = pManager; }

    // Window settings from the skin's Window element.
    SIZE GetInitSize() const { return m_szInitWindowSize; }
    void SetInitSize(int cx, int cy);
    const RECT& GetSizeBox() const { return m_rcSizeBox; }
    void SetSizeBox(const RECT& rc) { m_rcSizeBox = rc; }
    const RECT& GetCaptionRect() const { return m_rcCaption; }
    void SetCaptionRect(const RECT& rc) { m_rcCaption = rc; }
    SIZE GetRoundCorner() const { return m_szRoundCorner; }
    void SetRoundCorner(int cx, int cy) { m_szRoundCorner = {cx, cy}; }
    SIZE GetMinInfo() const { return m_szMinWindow; }
    void SetMinInfo(int cx, int cy) { m_szMinWindow = {cx, cy}; }
    SIZE GetMaxInfo() const { return m_szMaxWindow; }
    void SetMaxInfo(int cx, int cy) { m_szMaxWindow = {cx, cy}; }
    bool IsShowUpdateRect() const { return m_bShowUpdateRect; }
    void SetShowUpdateRect(bool bShow) { m_bShowUpdateRect = bShow; }
    BYTE GetTransparent() const { return m_nOpacity; }
    void SetTransparent(int nOpacity);
    bool IsBackgroundTransparent() const { return m_bAlphaBackground; }
    void SetBackgroundTransparent(bool bTrans) { m_bAlphaBackground = bTrans; }
    DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(DWORD dwColor) { m_dwDefaultDisabledColor = dwColor; }
    DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(DWORD dwColor) { m_dwDefaultFontColor = dwColor; }
    DWORD GetDefaultLinkFontColor() const { return m_dwDefaultLinkFontColor; }
    void SetDefaultLinkFontColor(DWORD dwColor) { m_dwDefaultLinkFontColor = dwColor; }
    DWORD GetDefaultLinkHoverFontColor() const { return m_dwDefaultLinkHoverFontColor; }
    void SetDefaultLinkHoverFontColor(DWORD dwColor) { m_dwDefaultLinkHoverFontColor = dwColor; }
    DWORD GetDefaultSelectedBkColor() const { return m_dwDefaultSelectedBkColor; }
    void SetDefaultSelectedBkColor(DWORD dwColor) { m_dwDefaultSelectedBkColor = dwColor; }
    // The window's shadow: configured by the skin's shadow attributes,
    // created when a tree is attached.
    CShadowUI& GetShadow() { return m_shadow; }
    // Passes one of the skin's shadow attributes to the shadow.
    void SetShadowAttribute(const char* pstrName, const char* pstrValue);
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();
    void Invalidate(const RECT& rcItem);
    POINT GetMousePos() const { return m_ptLastMousePos; }
    HDC GetPaintDC() const { return m_dcPaint.Get(); }

    // Renders the whole tree into hDC (client coordinates at 0,0), laying it
    // out first when needed, and the shown native child windows the controls
    // host (a text box's EDIT) over it, as the screen shows them. Tests and
    // screenshots draw windows with it; it does not touch the screen.
    void PaintTo(HDC hDC);

    // Everything the controls need of the window's messages. Returns true
    // when the message was handled; lRes then holds its result.
    bool ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

    // Message loops. PreTranslateMessage returns true when a manager's
    // accelerator or message filter took the message.
    static void RunMessageLoop();
    // Handles the messages queued now, then goes on as RunMessageLoop does
    // until `done` returns true, asking it at least every 50 ms even when no
    // message comes (what it waits for may happen on another thread). A quit
    // message met does not end the wait: it is taken off the queue and the
    // result is true, with its exit code in *quitCode, for the caller to
    // post again once it can end.
    static bool RunMessageLoopUntil(const std::function<bool()>& done, int* quitCode);
    static bool PreTranslateMessage(const MSG* pMsg);
    static const std::vector<CUIManager*>& GetManagers();

private:
    struct TTimerInfo {
        CControlUI* pSender;
        UINT nLocalID;
        UINT_PTR uWinTimer;
    };

    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool TranslateAccelerators(MSG* pMsg);
    void LayoutIfNeeded(const RECT& rcClient);
    bool OnPaint();
    void RenderInto(HDC hDC, const RECT& rcPaint);
    // Makes the off-screen buffer cx by cy; false (logged) when GDI cannot.
    bool EnsureOffscreen(int cx, int cy);
    void CaptureBackground(int cx, int cy);
    bool OnMouseMove(WPARAM wParam, LPARAM lParam);
    bool OnButton(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool OnMouseWheel(WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(LRESULT& lRes);
    bool OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Hands the keyboard on to the native window of the focused control.
    void OnSetFocus();
    // Sends a child's notification or colour request back to the child (see
    // WM_VELLUM_REFLECT); false when the child does not ask for that.
    bool ReflectToChild(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Draws the shown native child windows into hDC at their places.
    void PrintChildWindows(HDC hDC);
    void OnMouseHover(LPARAM lParam);
    void HideToolTip();
    void SendEvent(CControlUI* pControl, int type, WPARAM wParam = 0, LPARAM lParam = 0);
    void ResetInputState();
    void ClearDelayedCleanup();
    void CreateDefaultFont();

    HWND m_hWndPaint = nullptr;
    CWindowDC m_dcPaint;  // the window's DC, taken at Init; released last
    CControlUI* m_pRoot = nullptr;
    // The attached tree, deleted with the manager. m_pRoot is only the live
    // reference, dropped when the window is destroyed (ForgetControl).
    CControlUI* m_pOwnedRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    CControlUI* m_pEventKey = nullptr;
    POINT m_ptLastMousePos = {-1, -1};
    bool m_bFirstLayout = true;
    bool m_bUpdateNeeded = false;
    bool m_bMouseTracking = false;
    bool m_bMouseCapture = false;
    bool m_bFocusNeeded = false;
    bool m_bShowUpdateRect = false;
    bool m_bAlphaBackground = false;

    // Off-screen buffer the tree is painted into, then copied to the window.
    // The bitmap is declared before the DC it is selected into: members go
    // in reverse order, so the selection is undone before the bitmap is freed.
    CGdiObject<HBITMAP> m_bmpOffscreen;
    std::optional<CBitmapDC> m_dcOffscreen;
    SIZE m_szOffscreen = {0, 0};
    // The window's pixels captured at the first paint (background capture).
    CGdiObject<HBITMAP> m_bmpBackground;
    SIZE m_szBackground = {0, 0};

    CToolTip m_toolTip;
    CControlUI* m_pToolTipControl = nullptr;

    std::vector<INotifyUI*> m_aNotifiers;
    std::vector<IMessageFilterUI*> m_aMessageFilters;
    std::vector<ITranslateAccelerator*> m_aTranslateAccelerators;
    std::vector<TTimerInfo> m_aTimers;
    UINT_PTR m_uNextTimerID = 0x1000;
    std::vector<CControlUI*> m_aDelayedCleanup;
    std::multimap<std::string, CControlUI*> m_mNameHash;
    std::map<std::string, std::vector<CControlUI*>> m_mOptionGroup;

    // A font or image the manager made: what callers read, and the owner
    // that frees its handle (info.hFont / info.hBitmap is a copy of it).
    struct TOwnedFont {
        TFontInfo info;
        CGdiObject<HFONT> handle;
    };
    struct TCachedImage {
        TImageInfo info;
        CGdiObject<HBITMAP> handle;
    };
    std::vector<TOwnedFont> m_fonts;
    TOwnedFont m_defaultFont;
    std::map<std::string, std::unique_ptr<TCachedImage>> m_mImageHash;
    std::map<std::string, std::string> m_mDefaultAttrHash;
    CUIManager* m_pParentResourceManager = nullptr;

    SIZE m_szInitWindowSize = {0, 0};
    RECT m_rcSizeBox = {0, 0, 0, 0};
    RECT m_rcCaption = {0, 0, 0, 0};
    SIZE m_szRoundCorner = {0, 0};
    SIZE m_szMinWindow = {0, 0};
    SIZE m_szMaxWindow = {0, 0};
    BYTE m_nOpacity = 255;
    DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
    DWORD m_dwDefaultFontColor = 0xFF000000;
    DWORD m_dwDefaultLinkFontColor = 0xFF0000FF;
    DWORD m_dwDefaultLinkHoverFontColor = 0xFFD3215F;
    DWORD m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
    CShadowUI m_shadow;
};

}  // namespace Vellum
