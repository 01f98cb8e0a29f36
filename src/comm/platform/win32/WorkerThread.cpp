#include "comm/platform/WorkerThread.h"

#include <windows.h>

#include <atomic>
#include <new>

namespace platform {
namespace {

struct Launch {
    ThreadRoutine routine;
    void* arg;
};

// The thread's entry in the system's calling convention.
DWORD WINAPI RunLaunch(LPVOID param) {
    const Launch launch = *static_cast<Launch*>(param);
    delete static_cast<Launch*>(param);
    return launch.routine(launch.arg);
}

bool CreateDetached(ThreadRoutine routine, void* arg, uint32_t* error) {
    Launch* launch = new (std::nothrow) Launch{routine, arg};
    if (launch == nullptr) {
        *error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    HANDLE thread = CreateThread(nullptr, 0, RunLaunch, launch, 0, nullptr);
    if (thread == nullptr) {
        *error = GetLastError();
        delete launch;
        return false;
    }
    CloseHandle(thread);
    return true;
}

std::atomic<StartThreadCall> g_start{nullptr};

}  // namespace

bool StartDetachedThread(ThreadRoutine routine, void* arg, uint32_t* error) {
    StartThreadCall call = g_start.load();
    return call != nullptr ? call(routine, arg, error) : CreateDetached(routine, arg, error);
}

void ReplaceStartThreadCallForTests(StartThreadCall call) { g_start.store(call); }

}  // namespace platform
