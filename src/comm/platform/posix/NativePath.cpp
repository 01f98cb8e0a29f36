#include "comm/platform/posix/NativePath.h"

#include <algorithm>

#include "comm/platform/CodePage.h"

namespace platform {

bool ToNativePath(const std::string& path, std::string* native) {
    // Convert first: a GBK trail byte may be 0x5C and must not become a slash.
    if (!CodePage936ToUtf8(path, native)) {
        return false;
    }
    std::replace(native->begin(), native->end(), '\\', '/');
    return true;
}

}  // namespace platform
