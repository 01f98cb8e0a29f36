// Host: the name goes through the same mapping as every other file call here
// (backslashes become slashes, GBK becomes UTF-8), as Wine maps it.
#include "comm/platform/FileName.h"

#include <sys/stat.h>

#include "comm/platform/posix/NativePath.h"

namespace platform {

bool IsRegularFile(const std::string& path) {
    std::string name;
    struct stat st;
    return ToNativePath(path, &name) && stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ToUtf8FileName(const std::string& path, std::string* utf8) {
    if (!ToNativePath(path, utf8)) {
        utf8->clear();
        return false;
    }
    return true;
}

}  // namespace platform
