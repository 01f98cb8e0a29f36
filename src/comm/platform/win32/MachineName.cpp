#include "comm/platform/MachineName.h"

#include <windows.h>

namespace platform {

std::string MachineName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(name);
    if (!GetComputerNameA(name, &length)) return std::string();
    return std::string(name, length);
}

}  // namespace platform
