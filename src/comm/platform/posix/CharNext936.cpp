#include "comm/platform/CharNext936.h"

namespace platform {

// The lead-byte range of Microsoft's code page 936; 0x80 (the euro sign) and 0xFF
// stand alone.
const char* CharNext936(const char* p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == 0) {
        return p;
    }
    if (c >= 0x81 && c <= 0xFE && p[1] != '\0') {
        return p + 2;
    }
    return p + 1;
}

}  // namespace platform
