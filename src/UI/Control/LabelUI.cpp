#include "UI/Control/LabelUI.h"

#include <cstring>

#include "UI/Base/NameMatch.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

const char* const kEffectAttributes[] = {
    "enabledeffect",  "rhaa",          "transshadow",   "transtext",        "transshadow1",
    "transtext1",     "gradientangle", "enabledstroke", "enabledshadow",    "transstroke",
    "gradientlength", "shadowoffset",  "textcolor1",    "textshadowcolora", "textshadowcolorb",
    "strokecolor"};

}  // namespace

CLabelUI::CLabelUI() : m_uTextStyle(DT_VCENTER | DT_SINGLELINE) {}

const char* CLabelUI::GetClass() const { return "LabelUI"; }

void* CLabelUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Label")) return static_cast<CLabelUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetText(const char* pstrText) {
    try {
        CControlUI::SetText(pstrText);
    } catch (const std::bad_alloc&) {
        throw CTextStoreException("CLabelUI::SetText");
    }
}

void CLabelUI::SetTextStyle(UINT uStyle) {
    m_uTextStyle = uStyle;
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD dwTextColor) {
    m_dwTextColor = dwTextColor;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD dwTextColor) {
    m_dwDisabledTextColor = dwTextColor;
    Invalidate();
}

void CLabelUI::SetFont(int index) {
    m_iFont = index;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    NeedParentUpdate();
}

void CLabelUI::SetShowHtml(bool bShowHtml) {
    if (m_bShowHtml == bShowHtml) return;
    m_bShowHtml = bShowHtml;
    Invalidate();
}

SIZE CLabelUI::MeasureText(int width, UINT uStyle) {
    SIZE size = {0, 0};
    if (!m_pManager) return size;
    HDC hDC = m_pManager->GetPaintDC();
    if (!hDC) return size;
    RECT rc = {0, 0, width > 0 ? width : 9999, 9999};
    const UINT style = (uStyle & ~(DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS)) | DT_CALCRECT;
    if (m_bShowHtml) {
        CRenderEngine::DrawHtmlText(hDC, m_pManager->GetFont(m_iFont), rc, m_strText.GetData(), 0, 0, nullptr, style);
    } else {
        CRenderEngine::DrawText(hDC, m_pManager->GetFont(m_iFont), rc, m_strText.GetData(), 0, style);
    }
    size.cx = rc.right - rc.left;
    size.cy = rc.bottom - rc.top;
    return size;
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) {
    SIZE size = m_cxyFixed;
    if (size.cy == 0 && m_pManager) {
        const int width = (size.cx > 0 ? size.cx : szAvailable.cx) - m_rcTextPadding.left - m_rcTextPadding.right;
        size.cy = MeasureText(width, m_uTextStyle).cy + m_rcTextPadding.top + m_rcTextPadding.bottom;
    }
    return size;
}

DWORD CLabelUI::GetPaintTextColor() const {
    if (!IsEnabled()) {
        if (m_dwDisabledTextColor) return m_dwDisabledTextColor;
        return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
    }
    if (m_dwTextColor) return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::PaintText(HDC hDC) {
    if (m_strText.IsEmpty() || !m_pManager) return;
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.right -= m_rcTextPadding.right;
    rc.top += m_rcTextPadding.top;
    rc.bottom -= m_rcTextPadding.bottom;
    HFONT font = m_pManager->GetFont(m_iFont);
    if (m_bShowHtml) {
        CRenderEngine::DrawHtmlText(hDC, font, rc, m_strText.GetData(), GetPaintTextColor(),
                                    m_pManager->GetDefaultLinkFontColor(), &m_links, m_uTextStyle, m_iHoverLink,
                                    m_pManager->GetDefaultLinkHoverFontColor());
    } else {
        CRenderEngine::DrawText(hDC, font, rc, m_strText.GetData(), GetPaintTextColor(), m_uTextStyle);
    }
}

void CLabelUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "align")) {
        // Every word found applies, in this order; "vcenter" contains "center"
        // and so also centres horizontally.
        UINT style = m_uTextStyle;
        if (std::strstr(v, "left")) style = (style & ~(DT_CENTER | DT_RIGHT)) | DT_LEFT;
        if (std::strstr(v, "center")) style = (style & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER;
        if (std::strstr(v, "right")) style = (style & ~(DT_LEFT | DT_CENTER)) | DT_RIGHT;
        if (std::strstr(v, "top")) style = (style & ~(DT_BOTTOM | DT_VCENTER)) | DT_TOP;
        if (std::strstr(v, "vcenter")) style = (style & ~(DT_TOP | DT_BOTTOM)) | DT_VCENTER;
        if (std::strstr(v, "bottom")) style = (style & ~(DT_TOP | DT_VCENTER)) | DT_BOTTOM;
        SetTextStyle(style);
    } else if (Is(pstrName, "endellipsis")) {
        SetTextStyle(ParseBool(v) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS));
    } else if (Is(pstrName, "showhtml")) {
        SetShowHtml(ParseBool(v));
    } else if (Is(pstrName, "font")) {
        SetFont(ParseInt(v));
    } else if (Is(pstrName, "textcolor")) {
        SetTextColor(ParseColor(v));
    } else if (Is(pstrName, "disabledtextcolor")) {
        SetDisabledTextColor(ParseColor(v));
    } else if (Is(pstrName, "textpadding")) {
        SetTextPadding(ToRECT(ParseRect(v)));
    } else {
        for (const char* effect : kEffectAttributes) {
            if (Is(pstrName, effect)) {
                if (Is(pstrName, "enabledeffect")) m_bEnableEffect = ParseBool(v);
                m_effectAttributes.emplace_back(pstrName, v);
                return;
            }
        }
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

}  // namespace Vellum
