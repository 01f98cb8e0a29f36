// Windows only: a thread that runs on its own, with nobody waiting for it.
#pragma once

#include <cstdint>

namespace platform {

using ThreadRoutine = unsigned long (*)(void* arg);

// Runs `routine(arg)` on a new thread with the default stack size and closes
// the thread's handle at once: nobody waits for or joins it. False, with the
// system's code in *error, when the thread cannot be started; `routine` then
// never runs.
bool StartDetachedThread(ThreadRoutine routine, void* arg, uint32_t* error);

// For tests only: replaces the system call behind StartDetachedThread (null puts
// it back), so a test can make starting fail on demand.
using StartThreadCall = bool (*)(ThreadRoutine routine, void* arg, uint32_t* error);
void ReplaceStartThreadCallForTests(StartThreadCall call);

}  // namespace platform
