// Windows only: reading and writing one value of an ini file.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Sets `key` in `section` of the ini file `path` to `value`, creating the
// file, the section and the key as needed (WritePrivateProfileStringA).
// False with the system's code in *error when it cannot be written.
bool WriteIniString(const std::string& path, const char* section, const char* key, const char* value, uint32_t* error);

}  // namespace platform
