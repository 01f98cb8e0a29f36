#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "comm/platform/NativeFile.h"
#include "comm/platform/posix/NativePath.h"

namespace platform {
namespace native {

std::FILE* OpenForAppend(const std::string& path) {
    std::string name;
    return ToNativePath(path, &name) ? std::fopen(name.c_str(), "ab") : nullptr;
}

bool TruncateStream(std::FILE* file) { return ftruncate(fileno(file), 0) == 0; }

uint64_t StreamSize(std::FILE* file) {
    struct stat st;
    return fstat(fileno(file), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

bool RemoveFile(const std::string& path) {
    std::string name;
    return ToNativePath(path, &name) && std::remove(name.c_str()) == 0;
}

bool CreateOneFolder(const std::string& path) {
    std::string name;
    return ToNativePath(path, &name) && mkdir(name.c_str(), 0777) == 0;
}

}  // namespace native
}  // namespace platform
