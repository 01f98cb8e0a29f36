// The separators at the end of code page 936 paths.
#pragma once

#include <string>

namespace platform {

// Whether the last character of `path` is a separator ("\" or "/"). Looked
// at character by character: the last byte of "E:\誠" is 0x5C as well, the
// trail byte of 誠, and a folder ending so still needs its separator.
bool EndsWithSeparator(const std::string& path);

}  // namespace platform
