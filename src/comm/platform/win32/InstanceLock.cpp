#include "comm/platform/InstanceLock.h"

#include <windows.h>

namespace platform {

InstanceLock::~InstanceLock() {
    if (m_handle) CloseHandle(m_handle);
}

InstanceLock::Outcome InstanceLock::Take(const char* name, uint32_t* error) {
    HANDLE handle = CreateMutexA(nullptr, FALSE, name);
    const DWORD code = GetLastError();
    if (handle && code == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return Outcome::kHeldElsewhere;
    }
    if (handle) {
        m_handle = handle;
        return Outcome::kTaken;
    }
    // A process of another user made it (a scheduled run as SYSTEM while an
    // operator starts the program): it exists, this user may not open it.
    if (code == ERROR_ACCESS_DENIED) return Outcome::kHeldElsewhere;
    *error = code;
    return Outcome::kUnavailable;
}

}  // namespace platform
