// CTextUI: a multi-line text (line breaks and word wrap). With HTML text its
// links send "link" when clicked: wParam is the link's number in the text, and
// GetLinkContent gives its value (the text after "a " in its tag).
#pragma once

#include "UI/Control/LabelUI.h"

namespace Vellum {

class CTextUI : public CLabelUI {
public:
    CTextUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;
    // The value of link `iIndex` as last painted; null when there is none.
    const char* GetLinkContent(int iIndex) const;
    // Fixed sizes win; otherwise the wrapped text's width and height inside
    // the available width, plus the text padding.
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;

private:
    // Number of the link at pt, -1 when pt is on none.
    int LinkAt(POINT pt) const;
    // The link under the pointer is drawn in the manager's link hover colour.
    void SetHoverLink(int iIndex);
};

}  // namespace Vellum
