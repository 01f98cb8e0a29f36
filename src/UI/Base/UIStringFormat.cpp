#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "UI/Base/UIString.h"

namespace Vellum {

// Formats once into a stack buffer; a longer result is formatted a second time
// into a buffer of the exact size.
int CUIString::Format(const char* format, ...) {
    char local[256];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(local, sizeof local, format, args);
    va_end(args);
    if (length < 0) {
        Empty();
        return -1;
    }
    if (static_cast<size_t>(length) < sizeof local) {
        Assign(local, length);
        return m_nLength;
    }
    CUIString result;
    result.Reserve(length);
    va_start(args, format);
    std::vsnprintf(result.m_pstr, static_cast<size_t>(length) + 1, format, args);
    va_end(args);
    result.m_nLength = static_cast<int>(std::strlen(result.m_pstr));
    *this = std::move(result);
    return m_nLength;
}

}  // namespace Vellum
