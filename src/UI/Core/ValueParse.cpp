#include "UI/Core/ValueParse.h"

#include <cstdlib>
#include <cstring>

namespace Vellum {

namespace {

// Reads one decimal number and steps over the one separator after it.
long NextNumber(const char*& p) {
    char* end = nullptr;
    const long value = std::strtol(p, &end, 10);
    p = end;
    if (*p) ++p;
    return value;
}

}  // namespace

DWORD ParseColorValue(const char* pstrValue) {
    if (!pstrValue) return 0;
    while (*pstrValue > '\0' && *pstrValue <= ' ') ++pstrValue;
    if (*pstrValue == '#') ++pstrValue;
    return static_cast<DWORD>(std::strtoul(pstrValue, nullptr, 16));
}

RECT ParseRectValue(const char* pstrValue) {
    RECT rc = {0, 0, 0, 0};
    if (!pstrValue) return rc;
    const char* p = pstrValue;
    rc.left = NextNumber(p);
    rc.top = NextNumber(p);
    rc.right = NextNumber(p);
    rc.bottom = NextNumber(p);
    return rc;
}

SIZE ParseSizeValue(const char* pstrValue) {
    SIZE sz = {0, 0};
    if (!pstrValue) return sz;
    const char* p = pstrValue;
    sz.cx = NextNumber(p);
    sz.cy = NextNumber(p);
    return sz;
}

bool ParseBoolValue(const char* pstrValue) { return pstrValue && std::strcmp(pstrValue, "true") == 0; }

int ParseIntValue(const char* pstrValue) { return pstrValue ? std::atoi(pstrValue) : 0; }

}  // namespace Vellum
