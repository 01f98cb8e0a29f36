#include "comm/platform/IniFile.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string ReadIniString(const std::string& path, const char* section, const char* key, const char* defaultValue,
                          size_t bufferChars) {
    std::vector<char> buffer(bufferChars, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                                  static_cast<DWORD>(bufferChars), path.c_str());
    return std::string(buffer.data(), length);
}

bool WriteIniString(const std::string& path, const char* section, const char* key, const char* value, uint32_t* error) {
    if (WritePrivateProfileStringA(section, key, value, path.c_str())) return true;
    *error = GetLastError();
    return false;
}

}  // namespace platform
