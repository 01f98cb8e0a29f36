// CControlUI: the base of every control. Holds the state every control has
// (name, texts, visibility, sizes, colours, border, background image) and the
// hooks the manager drives: SetPos (layout), DoPaint, DoEvent, SetAttribute.
//
// A control belongs to its parent container and is bound to the window's
// manager while it is in an attached tree. The root of an attached tree
// belongs to the manager (CUIManager::AttachRoot), which deletes it, and with
// it every control below, when it is replaced or the manager goes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "UI/Core/ImageAttribute.h"
#include "UI/Core/UIDefs.h"

namespace Vellum {

class CUIManager;

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Class name ("ControlUI", "LabelUI", "ButtonUI", ...) and interface lookup
    // by name ("Control", "IContainer", ...): null when not supported.
    virtual const char* GetClass() const;
    virtual void* GetInterface(const char* pstrName);
    virtual UINT GetControlFlags() const;

    const CUIString& GetName() const { return m_strName; }
    virtual void SetName(const char* pstrName);
    const CUIString& GetText() const { return m_strText; }
    // Does nothing when the text is unchanged; otherwise stores it (null as
    // empty) and repaints.
    virtual void SetText(const char* pstrText);
    const CUIString& GetToolTip() const { return m_strToolTip; }
    void SetToolTip(const char* pstrText) { m_strToolTip = pstrText ? pstrText : ""; }
    const CUIString& GetUserData() const { return m_strUserData; }
    void SetUserData(const char* pstrText) { m_strUserData = pstrText ? pstrText : ""; }
    // The program's own pointer-sized value; the framework never reads it.
    UINT_PTR GetTag() const { return m_pTag; }
    void SetTag(UINT_PTR pTag) { m_pTag = pTag; }
    char GetShortcut() const { return m_chShortcut; }

    // Visible only when the control and all its containers are.
    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    virtual void SetVisible(bool bVisible = true);
    // Set by the parent container when its own visibility changes.
    virtual void SetInternVisible(bool bVisible = true);
    virtual bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool bEnable = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool bEnable = true) { m_bMouseEnabled = bEnable; }
    bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    virtual void SetKeyboardEnabled(bool bEnable = true) { m_bKeyboardEnabled = bEnable; }
    bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    // The native child window this control hosts and hands the keyboard to
    // while it has the focus (a text box's EDIT); null for drawn controls.
    // The manager leaves the system focus there when the control takes the
    // framework's focus, and passes it on there when its window gets it back.
    virtual HWND GetNativeWindow() const { return nullptr; }
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool bFloat = true);

    // The control's main action; refused when not visible or not enabled.
    virtual bool Activate();

    // Geometry. SetPos is the layout step: it stores the rectangle and lays
    // out what is inside.
    const RECT& GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
    int GetWidth() const { return m_rcItem.right - m_rcItem.left; }
    int GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
    const RECT& GetPadding() const { return m_rcPadding; }
    void SetPadding(RECT rcPadding);
    // "pos": the left/top of a floating control (negative: from right/bottom).
    POINT GetFixedXY() const { return m_cXY; }
    int GetFixedWidth() const { return m_cxyFixed.cx; }
    void SetFixedWidth(int cx);
    int GetFixedHeight() const { return m_cxyFixed.cy; }
    void SetFixedHeight(int cy);
    int GetMinWidth() const { return m_cxyMin.cx; }
    void SetMinWidth(int cx);
    int GetMaxWidth() const { return m_cxyMax.cx; }
    void SetMaxWidth(int cx);
    int GetMinHeight() const { return m_cxyMin.cy; }
    void SetMinHeight(int cy);
    int GetMaxHeight() const { return m_cxyMax.cy; }
    void SetMaxHeight(int cy);
    // The size the control would like for the available size; (0,0) parts
    // mean "let the layout decide".
    virtual SIZE EstimateSize(SIZE szAvailable);

    // Appearance.
    void SetBkColor(DWORD dwColor);
    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkImage(const char* pstrImage);
    const CUIString& GetBkImage() const { return m_strBkImage.GetText(); }
    void SetBorderColor(DWORD dwColor);
    void SetBorderSize(int nSize);
    void SetBorderRound(SIZE cxyRound);

    // Binding to a manager. bInit runs DoInit and registers the name.
    CUIManager* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    virtual void SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit = true);

    // Depth-first search used by the manager (hit tests, name table, tab
    // order). Returns the first control for which `proc` returns non-null.
    using FindControlProc = CControlUI* (*)(CControlUI*, void*);
    virtual CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags);

    void Invalidate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    // Asks the parent (or the manager for the root) to lay out again.
    void NeedUpdate();
    void NeedParentUpdate();

    virtual void Init();
    virtual void DoInit();
    // Input: the manager calls Event, which runs the delegates, then DoEvent.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);

    virtual void SetAttribute(const char* pstrName, const char* pstrValue);
    // Applies a list of name="value" pairs separated by one space.
    void ApplyAttributeList(const char* pstrList);

    // Painting, in this order: background colour, background image, state
    // images, text, border.
    virtual void DoPaint(HDC hDC, const RECT& rcPaint);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);
    // Draws the images of an image attribute relative to this control; the
    // modifier, when given, places the last of them. False when nothing was
    // drawn: an empty attribute, or one whose image could not be drawn, which
    // is then emptied so that no later paint tries it again.
    bool DrawImage(HDC hDC, CImageAttribute& image, const TImageModifier* pModifier = nullptr);

    // Delegates run before the control's own handling: the notify delegates
    // get every notification this control sends, the event delegates every
    // event it receives (returning false stops the event).
    std::vector<std::function<bool(TNotification&)>> OnNotify;
    std::vector<std::function<bool(TEventUI&)>> OnEvent;

protected:
    // Draws `images` relative to this control, the modifier placing the last
    // of them; false when there are none or one could not be drawn.
    bool DrawImages(HDC hDC, const std::vector<UIImageDescriptor>& images, const TImageModifier* pModifier = nullptr);

    // The rectangle painted this time (set by DoPaint for the Paint* steps).
    RECT m_rcPaint = {0, 0, 0, 0};

    CUIManager* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    CUIString m_strName;
    CUIString m_strText;
    CUIString m_strToolTip;
    CUIString m_strUserData;
    CImageAttribute m_strBkImage;
    CUIString m_strVirtualWnd;  // stored; the manager has no virtual windows
    UINT_PTR m_pTag = 0;
    char m_chShortcut = 0;

    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bUpdateNeeded = true;
    bool m_bMenuUsed = false;     // stored; no context menus in this framework
    bool m_bDragEnabled = false;  // stored; no drag and drop in this framework
    bool m_bColorHSL = false;     // stored; colours are never shifted

    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPadding = {0, 0, 0, 0};
    POINT m_cXY = {0, 0};
    SIZE m_cxyFixed = {0, 0};
    SIZE m_cxyMin = {0, 0};
    SIZE m_cxyMax = {9999, 9999};
    RECT m_rcRelativePos = {0, 0, 0, 0};  // stored; floats use "pos"

    DWORD m_dwBackColor = 0;
    DWORD m_dwBackColor2 = 0;
    DWORD m_dwBackColor3 = 0;
    DWORD m_dwDisabledBkColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwHotBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    RECT m_rcBorderSize = {0, 0, 0, 0};     // per side; used when any side is set
    RECT m_rcBorderPadding = {0, 0, 0, 0};  // stored; borders hug the control
    int m_nBorderStyle = PS_SOLID;          // stored; borders are solid
    SIZE m_cxyBorderRound = {0, 0};
    bool m_bHot = false;  // the mouse is over the control (hot border colour)
};

}  // namespace Vellum
