// CControlUI: the common skin attributes.
#include <cstdlib>
#include <cstring>

#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Core/ValueParse.h"

namespace Vellum {

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

void CControlUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "pos")) {
        const RECT rc = ParseRectValue(v);
        m_cXY = {rc.left, rc.top};
        m_cxyFixed = {rc.right - rc.left, rc.bottom - rc.top};
        NeedParentUpdate();
    } else if (Is(pstrName, "relativepos")) {
        m_rcRelativePos = ParseRectValue(v);
    } else if (Is(pstrName, "padding")) {
        SetPadding(ParseRectValue(v));
    } else if (Is(pstrName, "bkcolor") || Is(pstrName, "bkcolor1")) {
        SetBkColor(ParseColorValue(v));
    } else if (Is(pstrName, "bkcolor2")) {
        m_dwBackColor2 = ParseColorValue(v);
    } else if (Is(pstrName, "bkcolor3")) {
        m_dwBackColor3 = ParseColorValue(v);
    } else if (Is(pstrName, "disabledbkcolor")) {
        m_dwDisabledBkColor = ParseColorValue(v);
    } else if (Is(pstrName, "bordercolor")) {
        SetBorderColor(ParseColorValue(v));
    } else if (Is(pstrName, "hotbordercolor")) {
        m_dwHotBorderColor = ParseColorValue(v);
    } else if (Is(pstrName, "focusbordercolor")) {
        m_dwFocusBorderColor = ParseColorValue(v);
    } else if (Is(pstrName, "colorhsl")) {
        m_bColorHSL = ParseBoolValue(v);
    } else if (Is(pstrName, "bordersize")) {
        if (std::strchr(v, ',')) {
            m_rcBorderSize = ParseRectValue(v);
        } else {
            SetBorderSize(ParseIntValue(v));
        }
    } else if (Is(pstrName, "borderpadding")) {
        m_rcBorderPadding = ParseRectValue(v);
    } else if (Is(pstrName, "leftbordersize")) {
        m_rcBorderSize.left = ParseIntValue(v);
    } else if (Is(pstrName, "topbordersize")) {
        m_rcBorderSize.top = ParseIntValue(v);
    } else if (Is(pstrName, "rightbordersize")) {
        m_rcBorderSize.right = ParseIntValue(v);
    } else if (Is(pstrName, "bottombordersize")) {
        m_rcBorderSize.bottom = ParseIntValue(v);
    } else if (Is(pstrName, "borderstyle")) {
        m_nBorderStyle = ParseIntValue(v);
    } else if (Is(pstrName, "borderround")) {
        SetBorderRound(ParseSizeValue(v));
    } else if (Is(pstrName, "bkimage")) {
        SetBkImage(v);
    } else if (Is(pstrName, "width")) {
        SetFixedWidth(ParseIntValue(v));
    } else if (Is(pstrName, "height")) {
        SetFixedHeight(ParseIntValue(v));
    } else if (Is(pstrName, "minwidth")) {
        SetMinWidth(ParseIntValue(v));
    } else if (Is(pstrName, "minheight")) {
        SetMinHeight(ParseIntValue(v));
    } else if (Is(pstrName, "maxwidth")) {
        SetMaxWidth(ParseIntValue(v));
    } else if (Is(pstrName, "maxheight")) {
        SetMaxHeight(ParseIntValue(v));
    } else if (Is(pstrName, "name")) {
        SetName(v);
    } else if (Is(pstrName, "text")) {
        SetText(v);
    } else if (Is(pstrName, "tooltip")) {
        SetToolTip(v);
    } else if (Is(pstrName, "userdata")) {
        SetUserData(v);
    } else if (Is(pstrName, "enabled")) {
        SetEnabled(ParseBoolValue(v));
    } else if (Is(pstrName, "mouse")) {
        SetMouseEnabled(ParseBoolValue(v));
    } else if (Is(pstrName, "keyboard")) {
        SetKeyboardEnabled(ParseBoolValue(v));
    } else if (Is(pstrName, "visible")) {
        SetVisible(ParseBoolValue(v));
    } else if (Is(pstrName, "float")) {
        SetFloat(ParseBoolValue(v));
    } else if (Is(pstrName, "shortcut")) {
        m_chShortcut = v[0];
    } else if (Is(pstrName, "menu")) {
        m_bMenuUsed = ParseBoolValue(v);
    } else if (Is(pstrName, "drag")) {
        m_bDragEnabled = ParseBoolValue(v);
    } else if (Is(pstrName, "virtualwnd")) {
        m_strVirtualWnd = v;
    }
}

void CControlUI::ApplyAttributeList(const char* pstrList) {
    // name="value" pairs separated by exactly one space; reading stops at the
    // first deviation.
    const char* p = pstrList;
    while (p && *p) {
        const char* eq = std::strchr(p, '=');
        if (!eq || eq[1] != '"') return;
        const std::string name(p, eq);
        const char* valueStart = eq + 2;
        const char* quote = std::strchr(valueStart, '"');
        if (!quote) return;
        const std::string value(valueStart, quote);
        SetAttribute(name.c_str(), value.c_str());
        p = quote + 1;
        if (*p == '\0') return;
        if (*p != ' ') return;
        ++p;
    }
}

}  // namespace Vellum
