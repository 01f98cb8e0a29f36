#include "comm/platform/LastError.h"

#include <windows.h>

namespace platform {

unsigned long LastErrorCode() { return ::GetLastError(); }

}  // namespace platform
