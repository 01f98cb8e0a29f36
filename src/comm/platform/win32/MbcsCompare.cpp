#include "comm/platform/MbcsCompare.h"

#include <mbstring.h>

namespace platform {

bool EqualIgnoringCase936(const std::string& a, const std::string& b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

}  // namespace platform
