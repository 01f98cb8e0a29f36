// Records and small interfaces shared by the manager, the controls and the
// windows: the input event a control receives, the notification a control
// sends to its window, and the receiver interfaces the manager keeps lists of.
#pragma once

#include <windows.h>

#include <string>

#include "UI/Base/UITypes.h"
#include "UI/Base/UIString.h"

namespace Vellum {

class CControlUI;

// Input and life-cycle events the manager delivers to one control (DoEvent).
enum EventTypeUI {
    UIEVENT_MOUSEMOVE = 1,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SETFOCUS,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
};

struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    char chKey = 0;
    WORD wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// What a control tells its window. Built on the sender's stack, passed by
// reference and never kept.
struct TNotification {
    CUIString sType;
    CUIString sVirtualWnd;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual void Notify(TNotification& msg) = 0;

protected:
    ~INotifyUI() = default;
};

class IMessageFilterUI {
public:
    virtual LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

// 0 means the message is taken.
class ITranslateAccelerator {
public:
    virtual LRESULT TranslateAccel(MSG* pMsg) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

// Flags of CControlUI::FindControl.
const UINT UIFIND_ALL = 0x00000000;
const UINT UIFIND_VISIBLE = 0x00000001;
const UINT UIFIND_ENABLED = 0x00000002;
const UINT UIFIND_HITTEST = 0x00000004;
const UINT UIFIND_TOP_FIRST = 0x00000008;
const UINT UIFIND_ME_FIRST = 0x80000000;

// Bits of CControlUI::GetControlFlags.
const UINT UIFLAG_TABSTOP = 0x00000001;
const UINT UIFLAG_SETCURSOR = 0x00000002;
const UINT UIFLAG_WANTRETURN = 0x00000004;

// State bits a control paints by.
const UINT UISTATE_FOCUSED = 0x00000001;
const UINT UISTATE_SELECTED = 0x00000002;
const UINT UISTATE_DISABLED = 0x00000004;
const UINT UISTATE_HOT = 0x00000008;
const UINT UISTATE_PUSHED = 0x00000010;
const UINT UISTATE_CAPTURED = 0x00000040;

// The markup's plain geometry as Win32 records.
inline RECT ToRECT(const UIRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }
inline SIZE ToSIZE(const UISize& sz) { return SIZE{sz.cx, sz.cy}; }

// Message the manager posts to itself to delete removed controls once the
// current message has been handled.
const UINT WM_VELLUM_DELAYED_CLEANUP = WM_APP + 1;

// Native child windows that controls host (a text box's EDIT) tell their
// parent of changes (WM_COMMAND) and ask it for colours (WM_CTLCOLOR...).
// The parent is the manager's window, which knows nothing of the control:
// the manager sends such a message back to the child as
// WM_VELLUM_REFLECT + the message, when the child carries the window property
// kReflectProperty. The child's own procedure answers it.
const UINT WM_VELLUM_REFLECT = WM_APP + 0x2000;
const char kReflectProperty[] = "VellumReflect";

}  // namespace Vellum
