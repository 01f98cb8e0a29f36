// CButtonUI: a label that can be pressed. Activated (sends "click") by a left
// press inside followed by a release inside, and by Space or Enter while it
// has the focus and is keyboard-enabled. Paints state images and colours:
// normal, hot, pushed, focused, disabled.
#pragma once

#include "UI/Control/LabelUI.h"

namespace Vellum {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

    UINT GetButtonState() const { return m_uButtonState; }
    void SetNormalImage(const char* pstrImage);
    void SetHotImage(const char* pstrImage);
    void SetPushedImage(const char* pstrImage);
    void SetDisabledImage(const char* pstrImage);

protected:
    DWORD GetPaintTextColor() const override;

    UINT m_uButtonState = 0;
    CImageAttribute m_strNormalImage, m_strHotImage, m_strPushedImage, m_strFocusedImage, m_strDisabledImage;
    CImageAttribute m_strForeImage, m_strHotForeImage, m_strPushedForeImage, m_strDisabledForeImage;
    DWORD m_dwHotBkColor = 0, m_dwPushedBkColor = 0, m_dwFocusedBkColor = 0;
    DWORD m_dwHotTextColor = 0, m_dwPushedTextColor = 0, m_dwFocusedTextColor = 0;
    bool m_bPushFloat = false;  // stored; no skin of ours moves a pushed button
};

}  // namespace Vellum
