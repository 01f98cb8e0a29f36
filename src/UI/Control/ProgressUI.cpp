#include "UI/Control/ProgressUI.h"

#include "UI/Base/NameMatch.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

// The marquee block covers 30% of the bar and advances 2% per tick; about
// two seconds for one pass at 30 ticks a second.
const int kMarqueeBlock = 300;
const int kMarqueeStep = 20;
const UINT kMarqueeElapse = 33;

}  // namespace

CProgressUI::CProgressUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

const char* CProgressUI::GetClass() const { return "ProgressUI"; }

void* CProgressUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Progress")) return static_cast<CProgressUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

void CProgressUI::SetHorizontal(bool bHorizontal) {
    if (m_bHorizontal == bHorizontal) return;
    m_bHorizontal = bHorizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int nMin) {
    m_nMin = nMin;
    if (m_nValue < m_nMin) m_nValue = m_nMin;
    Invalidate();
}

void CProgressUI::SetMaxValue(int nMax) {
    m_nMax = nMax;
    if (m_nValue > m_nMax) m_nValue = m_nMax;
    Invalidate();
}

void CProgressUI::SetValue(int nValue) {
    if (nValue > m_nMax) nValue = m_nMax;
    if (nValue < m_nMin) nValue = m_nMin;
    if (m_nValue == nValue) return;
    m_nValue = nValue;
    Invalidate();
}

void CProgressUI::SetForeImage(const char* pstrImage) {
    m_strForeImage = pstrImage;
    Invalidate();
}

void CProgressUI::SetStretchForeImage(bool bStretch) {
    m_bStretchForeImage = bStretch;
    Invalidate();
}

void CProgressUI::SetMarquee(bool bMarquee) {
    if (m_bMarquee == bMarquee) return;
    m_bMarquee = bMarquee;
    m_nMarqueePos = -kMarqueeBlock;
    if (m_bMarquee) StartMarqueeTimer();
    else if (m_pManager) m_pManager->KillTimer(this, kMarqueeTimerId);
    Invalidate();
}

void CProgressUI::StartMarqueeTimer() {
    if (m_pManager) m_pManager->SetTimer(this, kMarqueeTimerId, kMarqueeElapse);
}

void CProgressUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    CLabelUI::SetManager(pManager, pParent, bInit);
    // The timer lives in the manager the bar is bound to for good (the
    // builder binds controls briefly without initialising them).
    if (bInit && m_bMarquee) StartMarqueeTimer();
}

void CProgressUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER && event.wParam == kMarqueeTimerId) {
        m_nMarqueePos += kMarqueeStep;
        if (m_nMarqueePos >= 1000) m_nMarqueePos = -kMarqueeBlock;
        Invalidate();
        return;  // our own animation is no news for the window
    }
    CLabelUI::DoEvent(event);
}

void CProgressUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "foreimage")) SetForeImage(v);
    else if (Is(pstrName, "hor")) SetHorizontal(ParseBool(v));
    else if (Is(pstrName, "min")) SetMinValue(ParseInt(v));
    else if (Is(pstrName, "max")) SetMaxValue(ParseInt(v));
    else if (Is(pstrName, "value")) SetValue(ParseInt(v));
    else if (Is(pstrName, "isstretchfore")) SetStretchForeImage(ParseBool(v));
    else if (Is(pstrName, "forecolor")) m_dwForeColor = ParseColor(v);
    else if (Is(pstrName, "marquee")) m_bMarquee = ParseBool(v);  // the timer starts when the bar is bound
    else CLabelUI::SetAttribute(pstrName, pstrValue);
}

RECT CProgressUI::GetFillRect() const {
    const int length = m_bHorizontal ? GetWidth() : GetHeight();
    int from = 0, to = 0;  // along the bar, from its start
    if (m_bMarquee) {
        from = m_nMarqueePos * length / 1000;
        to = (m_nMarqueePos + kMarqueeBlock) * length / 1000;
        if (from < 0) from = 0;
        if (to > length) to = length;
    } else if (m_nMax > m_nMin) {
        to = static_cast<int>(static_cast<long long>(m_nValue - m_nMin) * length / (m_nMax - m_nMin));
    }
    if (m_bHorizontal) return {from, 0, to, GetHeight()};
    return {0, GetHeight() - to, GetWidth(), GetHeight() - from};  // vertical bars fill upwards
}

void CProgressUI::PaintStatusImage(HDC hDC) {
    const RECT fill = GetFillRect();
    if (fill.right <= fill.left || fill.bottom <= fill.top) return;
    if (m_strForeImage.IsEmpty()) {
        RECT rc = {m_rcItem.left + fill.left, m_rcItem.top + fill.top, m_rcItem.left + fill.right,
                   m_rcItem.top + fill.bottom};
        CRenderEngine::DrawColor(hDC, rc, m_dwForeColor);
        return;
    }
    TImageModifier place;
    place.bDest = true;
    place.rcDest = {static_cast<int>(fill.left), static_cast<int>(fill.top), static_cast<int>(fill.right),
                    static_cast<int>(fill.bottom)};
    // Not stretched, the image is as large as the bar: show the part under the fill.
    place.bSource = !m_bStretchForeImage;
    place.rcSource = place.rcDest;
    DrawImage(hDC, m_strForeImage, &place);
}

}  // namespace Vellum
