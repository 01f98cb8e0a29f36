// CListLabelElementUI: a list row that shows one text, in the owner's item
// font, colours and padding. The combo box lists its entries with it.
#pragma once

#include <vector>

#include "UI/Control/ListElementUI.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

class CListLabelElementUI : public CListElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    void DrawItemText(HDC hDC, const RECT& rcItem) override;

protected:
    // Draws one text into rc with the owner's settings.
    void DrawRowText(HDC hDC, RECT rc, const char* pstrText, int iFont, UINT uStyle, DWORD dwColor);

    std::vector<THtmlLink> m_links;
};

}  // namespace Vellum
