#include "ToolKit/Trevand/Trevand/LogFolder.h"

#include "comm/platform/CharNext936.h"

namespace {

const char kLogBelow[] = "\\log\\";

}  // namespace

std::string LogFolderOfModuleName(const char* name, unsigned long length) {
    // A name that filled the buffer was cut: what looks like its folder may
    // be any folder above the real one.
    if (length == 0 || length >= kModuleNameSize) return kLogBelow;
    const std::string path(name, length);
    const char* begin = path.c_str();
    const char* slash = nullptr;
    for (const char* p = begin; *p; p = platform::CharNext936(p)) {
        if (*p == '\\') slash = p;
    }
    // No folder at all: the drive's root, not wherever the caller stood.
    if (slash == nullptr) return kLogBelow;
    return std::string(begin, slash) + kLogBelow;
}
