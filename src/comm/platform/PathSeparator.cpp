#include "comm/platform/PathSeparator.h"

#include "comm/platform/CharNext936.h"

namespace platform {

bool EndsWithSeparator(const std::string& path) {
    const char* last = nullptr;
    for (const char* p = path.c_str(); *p; p = CharNext936(p)) last = p;
    return last && (*last == '\\' || *last == '/') && last[1] == '\0';
}

}  // namespace platform
