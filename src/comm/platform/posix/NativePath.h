// Host only: a Windows-style code page 936 path as the Linux file system names it
// (backslashes become slashes, the text becomes UTF-8), as Wine does.
#pragma once

#include <string>

namespace platform {

// False when `path` is not valid code page 936.
bool ToNativePath(const std::string& path, std::string* native);

}  // namespace platform
