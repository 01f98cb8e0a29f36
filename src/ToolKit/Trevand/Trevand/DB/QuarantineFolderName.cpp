#include "ToolKit/Trevand/Trevand/DB/QuarantineFolderName.h"

#include "comm/platform/AsciiCase.h"

namespace quarantine {

const char kFolderName[] = "TrevandQuarantine";

bool IsQuarantineFolderName(const std::string& name) {
    const std::string folder = kFolderName;
    if (name.size() != folder.size()) return false;
    // The folder's name is ASCII, so a byte of a double-byte character (a
    // lead byte is never ASCII) can never match where it stands.
    for (size_t i = 0; i < name.size(); ++i) {
        if (platform::ToUpperAscii(name[i]) != platform::ToUpperAscii(folder[i])) return false;
    }
    return true;
}

}  // namespace quarantine
