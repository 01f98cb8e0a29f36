// COptionUI: a button with a selected state. Without a group it toggles on
// each activation (a check box); options sharing a group name in one manager
// exclude each other (radio buttons): activating one always leaves it
// selected and clears the others.
//
// Activation sends "click" first, so a click handler still reads the state
// from before the click; "selectchanged" follows when the state changed
// (in a group only from the option that became selected).
//
// Without skin images it draws the generated 16x16 glyph strip
// ("Default_Radio.png": normal, hot, selected, disabled) left of its text.
#pragma once

#include "UI/Control/ButtonUI.h"

namespace Vellum {

class COptionUI : public CButtonUI {
public:
    COptionUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    // Binding with initialisation enters a grouped option in its manager's group.
    void SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit = true) override;

    const CUIString& GetGroup() const { return m_strGroupName; }
    void SetGroup(const char* pstrGroupName);
    bool IsSelected() const { return m_bSelected; }
    // Nothing when unchanged. Selecting a grouped option first clears the
    // others of its group (silently), then sends "selectchanged"; clearing a
    // grouped option sends nothing; an option without group always sends it.
    virtual void Selected(bool bSelected);

    // Sends "click", then selects a grouped option or toggles a free one.
    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

protected:
    DWORD GetPaintTextColor() const override;
    // The glyph strip drawn when the skin gives no images of its own.
    virtual const char* GetDefaultGlyph() const;
    bool UsesDefaultGlyph() const;
    // Clears the other selected members of the group without notifying.
    void ClearGroupSiblings();

    CUIString m_strGroupName;
    bool m_bSelected = false;
    CImageAttribute m_strSelectedImage, m_strSelectedHotImage, m_strNormalDisabledImage, m_strSelectedDisabledImage;
    CImageAttribute m_strDefaultGlyph;  // GetDefaultGlyph(), read at the first paint that needs it
    DWORD m_dwSelectedBkColor = 0;
    DWORD m_dwSelectedTextColor = 0;
};

}  // namespace Vellum
