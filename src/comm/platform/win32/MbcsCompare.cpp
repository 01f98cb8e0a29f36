#include "comm/platform/MbcsCompare.h"

#include <mbstring.h>

namespace platform {

bool EqualIgnoringCase936(const std::string& a, const std::string& b) {
    // _mbsicmp steps through both texts in lockstep, the same number of bytes in
    // each, so texts it calls equal have equal lengths: the cheap test first.
    if (a.size() != b.size()) {
        return false;
    }
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

}  // namespace platform
