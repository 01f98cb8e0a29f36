// CProgressUI: a bar showing `value` between `min` and `max`, horizontal
// (left to right) or vertical (bottom to top). The filled part is the
// "foreimage" (stretched, or cut from the image when "isstretchfore" is
// false), or a plain colour ("forecolor") when the skin gives no image.
//
// Marquee mode ("marquee", or SetMarquee) shows work of unknown length: a
// block slides through the bar, moved by the control's own timer while the
// control is bound to a manager. The value is ignored meanwhile.
#pragma once

#include "UI/Control/LabelUI.h"

namespace Vellum {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool bHorizontal = true);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int nMin);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int nMax);
    int GetValue() const { return m_nValue; }
    // Kept inside [min, max].
    void SetValue(int nValue);
    void SetForeImage(const char* pstrImage);
    bool IsStretchForeImage() const { return m_bStretchForeImage; }
    void SetStretchForeImage(bool bStretch = true);

    bool IsMarquee() const { return m_bMarquee; }
    void SetMarquee(bool bMarquee = true);
    // Where the marquee block starts, in thousandths of the bar's length
    // (negative while it slides in).
    int GetMarqueePos() const { return m_nMarqueePos; }

    void SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

    // The identifier of the marquee's control timer.
    static const UINT kMarqueeTimerId = 0x4D51;

private:
    void StartMarqueeTimer();
    // The filled part of the bar, in control coordinates (0,0 = top left).
    RECT GetFillRect() const;

    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    CImageAttribute m_strForeImage;
    bool m_bStretchForeImage = true;
    DWORD m_dwForeColor = 0xFF2563EB;
    bool m_bMarquee = false;
    int m_nMarqueePos = -300;
};

}  // namespace Vellum
