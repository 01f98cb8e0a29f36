#include "comm/platform/CharNext936.h"

#include <windows.h>

namespace platform {

// The system's own stepping: the program runs with code page 936 as its ANSI code
// page, so this is the stepping every other ANSI call of the process agrees with.
const char* CharNext936(const char* p) { return CharNextA(p); }

}  // namespace platform
