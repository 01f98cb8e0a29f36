// CEditUI: a single-line text box. The typing happens in a native EDIT
// window (CEditWnd) that the box keeps over its text area for as long as it
// is bound to a window, so the input method, caret, selection, clipboard and
// undo are the system's own; the box draws the background, the border (the
// focus border while it has the focus) and, while the text is empty, a grey
// hint. Element <Edit>, interface "Edit".
//
// The EDIT lives as long as the box is in a window, not only while it has
// the focus: a filter box is typed into again and again, and a window made
// and destroyed at each focus change would lose the caret, the selection and
// the undo step each time, and the input method its composition context.
//
// Text: GetText is always what the EDIT shows (code page 936, as every text
// here). SetText puts a text in the EDIT and sends nothing. A change the
// user makes — typing, pasting, the input method, Escape clearing the box —
// stores the new text and sends "textchanged" once per change, so a window
// can filter as the user types. Enter sends "return".
//
// Keyboard: the box is a tab stop. Taking the framework's focus (Tab, a click
// on its border, SetFocus) gives the EDIT the system focus and selects the
// whole text, ready to be typed over; a click into the EDIT gives the box the
// framework's focus. Tab and Shift+Tab in the EDIT move on as anywhere else
// in the window. Escape in a box with text clears it and goes no further;
// in an empty box it reaches the window like any other control's Escape (the
// window's default key handling). Keys reach the box's event delegates
// first, which may keep one from the EDIT.
//
// Disabled or hidden, the EDIT is hidden and the box draws its text itself.
//
// Skin attributes besides a label's (font, textcolor, disabledtextcolor,
// textpadding) and a control's (bkcolor, disabledbkcolor, bordersize,
// bordercolor, focusbordercolor, padding): hint (or prompt), hinttextcolor,
// maxchar (a limit on what the user types, in characters; 0 = none). A
// label's "align" does not apply: the text runs from the left, as in the EDIT.
#pragma once

#include <memory>

#include "UI/Control/LabelUI.h"
#include "UI/Render/GdiHandles.h"

namespace Vellum {

class CEditWnd;

class CEditUI : public CLabelUI, public ITranslateAccelerator {
public:
    CEditUI();
    ~CEditUI() override;

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;
    // The EDIT while it exists, else null.
    HWND GetNativeWindow() const override;

    // Stores the text and shows it in the EDIT; sends nothing.
    void SetText(const char* pstrText) override;
    const CUIString& GetHint() const { return m_strHint; }
    void SetHint(const char* pstrHint);
    DWORD GetHintTextColor() const { return m_dwHintTextColor; }
    void SetHintTextColor(DWORD dwColor);
    int GetMaxChar() const { return m_nMaxChar; }
    // The most characters the user may type; 0 for no limit. A text set by
    // the program is never cut.
    void SetMaxChar(int nMax);
    void SetFont(int index) override;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    void SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit = true) override;
    void DoInit() override;
    void DoEvent(TEventUI& event) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void PaintText(HDC hDC) override;

    // ITranslateAccelerator: Escape in the EDIT of a box with text clears
    // the text before the window's filters could close the window on it.
    LRESULT TranslateAccel(MSG* pMsg) override;

    // What the EDIT tells its box (CEditWnd calls these).
    // A key for the EDIT: runs the box's events; false keeps it from the EDIT.
    bool OnNativeKey(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnNativeFocus(bool bGained, HWND hOther);
    void OnNativeTextChanged();
    // Sets the EDIT's text and background colours in hDC; returns its brush.
    HBRUSH OnNativeColor(HDC hDC);
    // Paints an empty EDIT's client area `rc`: background and hint.
    void PaintNativeEmpty(HDC hDC, const RECT& rc);
    void OnNativeDestroyed();

private:
    // Whether the EDIT is on screen now (it then shows the text, not the box).
    bool IsNativeShown() const;
    // The text area: the control less its border and text padding.
    RECT TextRect() const;
    RECT BorderSizes() const;
    // Where the EDIT goes: one line high, centred in the text area.
    RECT NativeRect() const;
    int LineHeight() const;
    // Creates the EDIT when the box is bound to a window and has none.
    void OpenNative();
    void CloseNative();
    // Puts the EDIT where the box is now: moved, clipped to the containers
    // around it, hidden (the keyboard moved out of it) or, when bMayShow,
    // shown.
    void UpdateNative(bool bMayShow);
    void ApplyNativeFont();
    DWORD BackColor() const;
    DWORD TextColor() const;
    HWND PaintWindow() const;

    std::unique_ptr<CEditWnd> m_pEdit;
    CUIString m_strHint;
    DWORD m_dwHintTextColor = 0xFF9CA3AF;
    int m_nMaxChar = 0;
    CGdiObject<HBRUSH> m_brush;
    DWORD m_dwBrushColor = 0;
    // The colours the EDIT painted with last: a change repaints it.
    DWORD m_dwNativeBkColor = 0;
    DWORD m_dwNativeTextColor = 0;
    RECT m_rcNative = {0, 0, 0, 0};
    bool m_bNativeClipped = false;
    bool m_bAcceleratorAdded = false;
    // Set when a key from the EDIT has passed the event delegates.
    bool m_bKeyPassed = false;
};

}  // namespace Vellum
