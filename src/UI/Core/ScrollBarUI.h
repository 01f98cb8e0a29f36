// CScrollBarUI: the scroll bar a container shows when its content is larger
// than its inner rectangle. It owns nothing: it keeps a range (content size
// less view size) and a position in it, and tells its owner container to
// scroll whenever the position changes (drag of the thumb, press on the
// track, wheel turns passed on by the owner).
//
// Look: a flat track with a rounded thumb; colours come from the attributes
// "bkcolor", "thumbcolor", "thumbhotcolor" and "thumbpushedcolor".
#pragma once

#include "UI/Core/ControlUI.h"

namespace Vellum {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    CContainerUI* GetOwner() const { return m_pOwner; }
    void SetOwner(CContainerUI* pOwner) { m_pOwner = pOwner; }
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool bHorizontal = true);

    // Range: the largest position (content size less view size), >= 0.
    int GetScrollRange() const { return m_nRange; }
    void SetScrollRange(int nRange);
    // Position, clamped to [0, range]. Changing it does not call the owner;
    // the owner calls this while it lays out.
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int nPos);
    // Step of one line and of one page (the view size), in pixels.
    int GetLineSize() const { return m_nLineSize; }
    void SetLineSize(int nSize) { m_nLineSize = nSize > 0 ? nSize : 1; }
    void SetPageSize(int nSize) { m_nPageSize = nSize > 0 ? nSize : 1; }

    // Shows or hides the bar without asking for a new layout: the owner calls
    // this while it lays out.
    void ShowQuietly(bool bShow) { m_bVisible = bShow; }

    // The thumb's rectangle for the current range, position and size.
    RECT GetThumbRect() const;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

private:
    // Moves to `nPos` and asks the owner to scroll there.
    void ScrollTo(int nPos);
    int TrackLength() const;
    int ThumbLength() const;

    CContainerUI* m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 0;
    int m_nScrollPos = 0;
    int m_nLineSize = 8;
    int m_nPageSize = 100;
    DWORD m_dwThumbColor = 0xFFC1C7D0;
    DWORD m_dwThumbHotColor = 0xFF9CA3AF;
    DWORD m_dwThumbPushedColor = 0xFF6B7280;
    UINT m_uThumbState = 0;
    POINT m_ptDragStart = {0, 0};
    int m_nDragStartPos = 0;
};

}  // namespace Vellum
