// Attribute lists given as one string, as default attribute lists and the
// "vscrollbarstyle" or "dropbox" values are written:
//
//     name="value" name="value"
//
// A name is a run of characters other than "=", a blank, a double quote and
// NUL, followed directly by "=" and a double quote; the value runs up to the next
// double quote (so it cannot hold one); pairs are separated by exactly one
// blank. Reading stops silently at the first deviation (two blanks, a missing
// quote, a trailing blank...) and keeps the pairs read before it.
#pragma once

#include <vector>

#include "UI/Base/UIString.h"

namespace Vellum {

struct UIAttribute {
    CUIString strName;
    CUIString strValue;
};

// The pairs of `list` in order (empty for a null list).
std::vector<UIAttribute> ParseAttributeList(const char* list);

}  // namespace Vellum
