#include "UI/Control/ListInfoAttribute.h"

#include <cstring>

#include "UI/Base/NameMatch.h"
#include "UI/Core/UIDefs.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {
namespace {

UINT ParseItemAlign(const char* v) {
    if (std::strstr(v, "center")) return DT_CENTER;
    if (std::strstr(v, "right")) return DT_RIGHT;
    return DT_LEFT;
}

// The colour attributes and the field each one sets.
struct ColorAttribute {
    const char* pstrName;
    DWORD TListInfoUI::*pField;
};

const ColorAttribute kColors[] = {
    {"itemtextcolor", &TListInfoUI::dwTextColor},
    {"itembkcolor", &TListInfoUI::dwBkColor},
    {"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
    {"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
    {"itemhottextcolor", &TListInfoUI::dwHotTextColor},
    {"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
    {"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
    {"itemdisabledbkcolor", &TListInfoUI::dwDisabledBkColor},
    {"itemlinecolor", &TListInfoUI::dwLineColor},
};

}  // namespace

bool SetListInfoAttribute(TListInfoUI& info, const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    for (const ColorAttribute& color : kColors) {
        if (Is(pstrName, color.pstrName)) {
            info.*color.pField = ParseColor(v);
            return true;
        }
    }
    if (Is(pstrName, "itemfont")) info.nFont = ParseInt(v);
    else if (Is(pstrName, "itemalign"))
        info.uTextStyle = (info.uTextStyle & ~(DT_LEFT | DT_CENTER | DT_RIGHT)) | ParseItemAlign(v);
    else if (Is(pstrName, "itemendellipsis")) info.bEndEllipsis = ParseBool(v);
    else if (Is(pstrName, "itemaltbk")) info.bAlternateBk = ParseBool(v);
    else if (Is(pstrName, "itemshowhtml")) info.bShowHtml = ParseBool(v);
    else if (Is(pstrName, "itemtextpadding")) info.rcTextPadding = ToRECT(ParseRect(v));
    else if (Is(pstrName, "itembkimage")) info.sBkImage = v;
    else if (Is(pstrName, "itemselectedimage")) info.sSelectedImage = v;
    else if (Is(pstrName, "itemhotimage")) info.sHotImage = v;
    else if (Is(pstrName, "itemdisabledimage")) info.sDisabledImage = v;
    else return false;
    return true;
}

}  // namespace Vellum
