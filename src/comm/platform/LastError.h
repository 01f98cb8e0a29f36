// The calling thread's last error code of a failed system call.
#pragma once

namespace platform {

// Windows: GetLastError. Elsewhere: errno. Read it straight after the failed
// call: any later call may overwrite it.
unsigned long LastErrorCode();

}  // namespace platform
