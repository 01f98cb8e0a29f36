// Internal to the platform code: the native half of File.h, implemented once in
// win32/ and once in posix/.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {
namespace native {

std::FILE* OpenForAppend(const std::string& path);
bool TruncateStream(std::FILE* file);
uint64_t StreamSize(std::FILE* file);
bool RemoveFile(const std::string& path);
bool CreateOneFolder(const std::string& path);

}  // namespace native
}  // namespace platform
