// Windows only: reading one value of an ini file.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The value of `key` in `section` of the ini file `path`, read into a buffer of
// `bufferChars` characters (so at most bufferChars - 1 of them; a longer value
// is cut). A missing file, section or key gives `defaultValue`. Section and key
// names match without regard to case; the value comes trimmed of surrounding
// blanks and of one pair of surrounding quotes (GetPrivateProfileStringA).
// REQUIRES: bufferChars > 0.
std::string ReadIniString(const std::string& path, const char* section, const char* key, const char* defaultValue,
                          size_t bufferChars);

}  // namespace platform
