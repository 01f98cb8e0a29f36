// The operating system's id of the calling thread.
#pragma once

namespace platform {

// Windows: GetCurrentThreadId. Elsewhere: the kernel's thread id, so each thread
// still shows one distinct number in the log.
unsigned long CurrentThreadId();

}  // namespace platform
