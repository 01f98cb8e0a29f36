// Readers for the value forms of skin attributes: colours "#AARRGGBB",
// rectangles "l,t,r,b", sizes "cx,cy", booleans (true only for "true") and
// decimal integers.
#pragma once

#include <windows.h>

namespace Vellum {

DWORD ParseColorValue(const char* pstrValue);
RECT ParseRectValue(const char* pstrValue);
SIZE ParseSizeValue(const char* pstrValue);
bool ParseBoolValue(const char* pstrValue);
int ParseIntValue(const char* pstrValue);

}  // namespace Vellum
