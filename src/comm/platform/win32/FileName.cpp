// Windows: the ANSI path goes to GetFileAttributesA as it is; SQLite's Windows
// layer takes UTF-8 and widens it itself, backslashes and all.
#include "comm/platform/FileName.h"

#include <windows.h>

#include "comm/platform/CodePage.h"

namespace platform {

bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ToUtf8FileName(const std::string& path, std::string* utf8) { return CodePage936ToUtf8(path, utf8); }

}  // namespace platform
