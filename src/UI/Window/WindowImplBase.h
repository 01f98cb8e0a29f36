// WindowImplBase: the base of every skinned window. On WM_CREATE it builds
// the control tree from the window's skin file, attaches it to the window's
// manager, receives the controls' notifications (dispatched through the
// notification maps) and calls InitWindow. It draws no system frame: the skin
// draws everything, and the hit test makes the skin's caption draggable and
// its size box resizable.
//
// Escape closes the window with result 1 (OnDefaultKey); the standard buttons
// "closebtn", "minbtn", "maxbtn" and "restorebtn" work without code.
#pragma once

#include "UI/Window/DialogBuilder.h"
#include "UI/Core/UIManager.h"
#include "UI/Window/NotifyPump.h"
#include "UI/Wnd/WindowWnd.h"

namespace Vellum {

// Where a window's skin comes from (GetSkinSource).
enum SkinSourceUI {
    UILIB_FILE = 1,         // files in the skin folder
    UILIB_ZIP = 2,          // a zip archive in the skin folder (GetSkinArchive)
    UILIB_RESOURCE = 3,     // a module resource of type "xml" numbered GetSkinFile
    UILIB_ZIPRESOURCE = 4,  // a zip archive module resource of type "ZIPRES"
};

// The user hook message (WM_USER + 123).
const UINT WM_VELLUM_USER_HOOK = WM_USER + 123;

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();

    // Slots 0 to 5 (CWindowWnd).
    const char* GetWindowClassName() const override = 0;
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowDestroyed(HWND hWnd) override;
    ~WindowImplBase() override;

    // Slots 6 to 37.
    virtual void InitWindow();
    virtual void OnClick(TNotification& msg);
    // The folder below the executable's that holds the skins: "skin".
    virtual const char* GetSkinFolder();
    virtual const char* GetSkinFile() = 0;
    virtual LRESULT OnDefaultKey(WPARAM wParam);
    virtual UINT GetSkinSource();
    virtual const char* GetSkinArchive();
    virtual const char* GetSkinResourceName();
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LONG GetFramelessStyle();
    virtual LRESULT OnTimer(WPARAM wParam);
    virtual LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam);
    // Escape and the system close ask the window to close. True when the
    // window has answered the request itself; false (the default) lets the
    // framework close it (Escape: Close(1); system close: WM_CLOSE).
    virtual bool OnCloseRequest();

    // INotifyUI, IMessageFilterUI, IDialogBuilderCallback.
    void Notify(TNotification& msg) override;
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* CreateControl(const char* pstrClass) override;

    // A modal message box owned by this window (types 0, 1, 4: see
    // CMsgBoxWnd); returns how it was closed.
    int ShowMessageBox(const char* pstrText, const char* pstrCaption, int nType);

    CUIManager& GetManager() { return m_pm; }

protected:
    // The skin could not be built: tell the operator and end the process with
    // exit code 1. Never returns, so nothing after it runs on a missing tree.
    [[noreturn]] void ReportSkinFailure();

    CUIManager m_pm;

    VELLUM_DECLARE_NOTIFY_MAP()
};

}  // namespace Vellum
