#include "support/ForeignName.h"

#include <windows.h>

#include "support/WineHost.h"

namespace testsupport {

// Escapes, not text: -fexec-charset would turn a UTF-8 literal into GBK.
const char kForeignNameUtf8[] = "\xED\x95\x9C\xEA\xB5\xAD";
const char kForeignNameAsListed[] = "??";

bool MakeForeignEntry(const std::string& windowsFolder, const std::string& utf8Name, int64_t size) {
    const std::string folder = UnixPathOf(windowsFolder);
    if (folder.empty()) return false;
    const std::string path = folder + "/" + utf8Name;
    if (size < 0) return RunUnixCommand({"mkdir", path});
    return RunUnixCommand({"truncate", "-s", std::to_string(size), path});
}

bool ForeignNameIsForeign() {
    wchar_t wide[8];
    const int length = MultiByteToWideChar(CP_UTF8, 0, kForeignNameUtf8, -1, wide, 8);
    char narrow[16];
    BOOL usedDefault = FALSE;
    return length > 0 &&
           WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, -1, narrow, sizeof(narrow), nullptr, &usedDefault) >
               0 &&
           usedDefault;
}

}  // namespace testsupport
