// CControlUI: the common skin attributes.
#include <cstdlib>
#include <cstring>

#include "UI/Core/ControlUI.h"
#include "UI/Base/NameMatch.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/AttributeList.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

void CControlUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "pos")) {
        const RECT rc = ToRECT(ParseRect(v));
        m_cXY = {rc.left, rc.top};
        m_cxyFixed = {rc.right - rc.left, rc.bottom - rc.top};
        NeedParentUpdate();
    } else if (Is(pstrName, "relativepos")) {
        m_rcRelativePos = ToRECT(ParseRect(v));
    } else if (Is(pstrName, "padding")) {
        SetPadding(ToRECT(ParseRect(v)));
    } else if (Is(pstrName, "bkcolor") || Is(pstrName, "bkcolor1")) {
        SetBkColor(ParseColor(v));
    } else if (Is(pstrName, "bkcolor2")) {
        m_dwBackColor2 = ParseColor(v);
    } else if (Is(pstrName, "bkcolor3")) {
        m_dwBackColor3 = ParseColor(v);
    } else if (Is(pstrName, "disabledbkcolor")) {
        m_dwDisabledBkColor = ParseColor(v);
    } else if (Is(pstrName, "bordercolor")) {
        SetBorderColor(ParseColor(v));
    } else if (Is(pstrName, "hotbordercolor")) {
        m_dwHotBorderColor = ParseColor(v);
    } else if (Is(pstrName, "focusbordercolor")) {
        m_dwFocusBorderColor = ParseColor(v);
    } else if (Is(pstrName, "colorhsl")) {
        m_bColorHSL = ParseBool(v);
    } else if (Is(pstrName, "bordersize")) {
        if (std::strchr(v, ',')) {
            m_rcBorderSize = ToRECT(ParseRect(v));
        } else {
            SetBorderSize(ParseInt(v));
        }
    } else if (Is(pstrName, "borderpadding")) {
        m_rcBorderPadding = ToRECT(ParseRect(v));
    } else if (Is(pstrName, "leftbordersize")) {
        m_rcBorderSize.left = ParseInt(v);
    } else if (Is(pstrName, "topbordersize")) {
        m_rcBorderSize.top = ParseInt(v);
    } else if (Is(pstrName, "rightbordersize")) {
        m_rcBorderSize.right = ParseInt(v);
    } else if (Is(pstrName, "bottombordersize")) {
        m_rcBorderSize.bottom = ParseInt(v);
    } else if (Is(pstrName, "borderstyle")) {
        m_nBorderStyle = ParseInt(v);
    } else if (Is(pstrName, "borderround")) {
        SetBorderRound(ToSIZE(ParseSize(v)));
    } else if (Is(pstrName, "bkimage")) {
        SetBkImage(v);
    } else if (Is(pstrName, "width")) {
        SetFixedWidth(ParseInt(v));
    } else if (Is(pstrName, "height")) {
        SetFixedHeight(ParseInt(v));
    } else if (Is(pstrName, "minwidth")) {
        SetMinWidth(ParseInt(v));
    } else if (Is(pstrName, "minheight")) {
        SetMinHeight(ParseInt(v));
    } else if (Is(pstrName, "maxwidth")) {
        SetMaxWidth(ParseInt(v));
    } else if (Is(pstrName, "maxheight")) {
        SetMaxHeight(ParseInt(v));
    } else if (Is(pstrName, "name")) {
        SetName(v);
    } else if (Is(pstrName, "text")) {
        SetText(v);
    } else if (Is(pstrName, "tooltip")) {
        SetToolTip(v);
    } else if (Is(pstrName, "userdata")) {
        SetUserData(v);
    } else if (Is(pstrName, "enabled")) {
        SetEnabled(ParseBool(v));
    } else if (Is(pstrName, "mouse")) {
        SetMouseEnabled(ParseBool(v));
    } else if (Is(pstrName, "keyboard")) {
        SetKeyboardEnabled(ParseBool(v));
    } else if (Is(pstrName, "visible")) {
        SetVisible(ParseBool(v));
    } else if (Is(pstrName, "float")) {
        SetFloat(ParseBool(v));
    } else if (Is(pstrName, "shortcut")) {
        m_chShortcut = v[0];
    } else if (Is(pstrName, "menu")) {
        m_bMenuUsed = ParseBool(v);
    } else if (Is(pstrName, "drag")) {
        m_bDragEnabled = ParseBool(v);
    } else if (Is(pstrName, "virtualwnd")) {
        m_strVirtualWnd = v;
    }
}

void CControlUI::ApplyAttributeList(const char* pstrList) {
    for (const UIAttribute& attribute : ParseAttributeList(pstrList))
        SetAttribute(attribute.strName, attribute.strValue);
}

}  // namespace Vellum
