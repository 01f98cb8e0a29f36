// IContainerUI and CContainerUI: a control that holds an ordered list of
// child controls. The plain container gives every child its whole inner
// rectangle (inset applied); the box layouts share it out instead.
//
// Ownership: children belong to the container from the moment Add or AddAt
// accepts them. A control they refuse (null, or an index out of range) stays
// the caller's, who must delete it. A removed child is destroyed
// (auto-destroy, on by default); with delayed destroy (on by default) and a
// manager, the deletion waits until the current message has been handled.
//
// Scrolling: with "vscrollbar" (or "hscrollbar") a container whose content is
// larger than its inner rectangle shows a scroll bar at its right (bottom)
// edge and shifts its children by the scroll position. Wheel turns over any
// child reach the nearest scrolling container.
#pragma once

#include <vector>

#include "UI/Core/ControlUI.h"

namespace Vellum {

class CScrollBarUI;

class IContainerUI {
public:
    virtual CControlUI* GetItemAt(int iIndex) const = 0;
    virtual int GetItemIndex(CControlUI* pControl) const = 0;
    virtual bool SetItemIndex(CControlUI* pControl, int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* pControl) = 0;
    virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
    virtual bool Remove(CControlUI* pControl) = 0;
    virtual bool RemoveAt(int iIndex) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    CControlUI* GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI* pControl) const override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    bool IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
    bool IsDelayedDestroy() const { return m_bDelayedDestroy; }
    void SetDelayedDestroy(bool bDelayed) { m_bDelayedDestroy = bDelayed; }
    const RECT& GetInset() const { return m_rcInset; }
    void SetInset(RECT rcInset);
    int GetChildPadding() const { return m_iChildPadding; }
    void SetChildPadding(int iPadding);
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool bEnable) { m_bMouseChildEnabled = bEnable; }

    // Scroll bars and scrolling. Positions and ranges are in pixels; a
    // container without a bar in a direction has position and range 0 there.
    void EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal = false);
    CScrollBarUI* GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
    CScrollBarUI* GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }
    SIZE GetScrollPos() const;
    SIZE GetScrollRange() const;
    // Moves the content (clamped to the range) and lays the children out again.
    virtual void SetScrollPos(SIZE szPos);
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    void HomeUp();
    void EndDown();
    void DoEvent(TEventUI& event) override;

    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    void SetMouseEnabled(bool bEnable = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit = true) override;
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;

protected:
    // The inner rectangle: the item rectangle less the inset.
    RECT GetInnerRect() const;
    // Places a floating child by its "pos" inside the inner rectangle.
    void SetFloatPos(CControlUI* pControl, const RECT& rcInner);
    void DestroyChild(CControlUI* pControl);
    // Shows the scroll bars the content needs (`cxRequired` x `cyRequired`
    // for the inner rectangle `rcInner`), places them, sets their ranges and
    // returns the inner rectangle less the room the bars take.
    RECT ProcessScrollBar(RECT rcInner, int cxRequired, int cyRequired);
    // One wheel step or arrow step, in pixels.
    virtual int GetScrollLineSize() const;
    void PaintScrollBars(HDC hDC, const RECT& rcPaint);

    std::vector<CControlUI*> m_items;
    RECT m_rcInset = {0, 0, 0, 0};
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bDelayedDestroy = true;
    bool m_bMouseChildEnabled = true;
    CScrollBarUI* m_pVerticalScrollBar = nullptr;    // owned; null without "vscrollbar"
    CScrollBarUI* m_pHorizontalScrollBar = nullptr;  // owned; null without "hscrollbar"
    std::string m_strVScrollStyle;                   // attribute list applied to the vertical bar
    std::string m_strHScrollStyle;                   // attribute list applied to the horizontal bar
};

}  // namespace Vellum
