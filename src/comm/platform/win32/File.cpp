// Windows: ANSI paths go to the C runtime as they are (the runtime reads them in
// the system code page, 936 on the target machines).
#include <direct.h>
#include <io.h>

#include <cstdio>

#include "comm/platform/NativeFile.h"

namespace platform {
namespace native {

std::FILE* OpenForAppend(const std::string& path) { return std::fopen(path.c_str(), "ab"); }

bool TruncateStream(std::FILE* file) { return _chsize_s(_fileno(file), 0) == 0; }

uint64_t StreamSize(std::FILE* file) {
    const __int64 length = _filelengthi64(_fileno(file));
    return length < 0 ? 0 : static_cast<uint64_t>(length);
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool CreateOneFolder(const std::string& path) { return _mkdir(path.c_str()) == 0; }

}  // namespace native
}  // namespace platform
