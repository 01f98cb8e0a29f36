// CLabelUI: one text in a font of the manager's list, with colour, alignment,
// padding, end ellipsis and optional HTML-styled text.
#pragma once

#include <new>
#include <vector>

#include "UI/Core/ControlUI.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

// Thrown when a label's text cannot be stored for lack of memory; what()
// names the operation ("CLabelUI::SetText"). Deriving from std::bad_alloc
// keeps it an out-of-memory failure to every catch site.
class CTextStoreException : public std::bad_alloc {
public:
    explicit CTextStoreException(const char* where) : m_where(where) {}
    const char* what() const noexcept override { return m_where; }

private:
    const char* m_where;
};

class CLabelUI : public CControlUI {
public:
    CLabelUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    // Throws CTextStoreException("CLabelUI::SetText") when out of memory.
    void SetText(const char* pstrText) override;
    void SetTextStyle(UINT uStyle);
    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextColor(DWORD dwTextColor);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetDisabledTextColor(DWORD dwTextColor);
    virtual void SetFont(int index);
    int GetFont() const { return m_iFont; }
    RECT GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(RECT rc);
    bool IsShowHtml() const { return m_bShowHtml; }
    void SetShowHtml(bool bShowHtml = true);

    // Fixed sizes win; an unfixed height is the height of the text (one line
    // for a label) plus the text padding; an unfixed width is left to the layout.
    SIZE EstimateSize(SIZE szAvailable) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    // The colour the text is painted in now (state-dependent in buttons).
    virtual DWORD GetPaintTextColor() const;
    // Measures the text inside `width` pixels (padding excluded).
    SIZE MeasureText(int width, UINT uStyle);

    UINT m_uTextStyle;
    DWORD m_dwTextColor = 0;          // 0: the manager's default text colour
    DWORD m_dwDisabledTextColor = 0;  // 0: the manager's default disabled colour
    int m_iFont = -1;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    bool m_bShowHtml = false;
    std::vector<THtmlLink> m_links;
    int m_iHoverLink = -1;  // number of the link under the pointer, -1 for none

    // Text effects (gradient, stroke, shadow drawn through GDI+) are stored but
    // not drawn: no skin of ours uses them.
    bool m_bEnableEffect = false;
    std::vector<std::pair<std::string, std::string>> m_effectAttributes;
};

}  // namespace Vellum
