#include "comm/platform/ThreadId.h"

#include <windows.h>

namespace platform {

unsigned long CurrentThreadId() { return GetCurrentThreadId(); }

}  // namespace platform
