#include "WorkerHold.h"

#include <windows.h>

#include <atomic>

#include "comm/platform/EntryDeletion.h"

namespace deletiontest {

namespace {

// Where the worker is held, in order; fixed while a worker runs.
struct HoldPoint {
    std::string marker;
    HANDLE entered;  // manual reset: set once the worker is held here
    HANDLE release;  // manual reset: set to let it go on
};
std::vector<HoldPoint> g_points;
std::atomic<size_t> g_reached{0};

}  // namespace

void WorkerHold::Checkpoint(const std::string& path) {
    const size_t next = g_reached.load();
    if (next >= g_points.size() || path.find(g_points[next].marker) == std::string::npos) return;
    g_reached = next + 1;
    ::SetEvent(g_points[next].entered);
    ::WaitForSingleObject(g_points[next].release, 20000);
}

void WorkerHold::Arm(const std::vector<std::string>& markers) {
    Disarm();
    for (const HoldPoint& point : g_points) {
        ::CloseHandle(point.entered);
        ::CloseHandle(point.release);
    }
    g_points.clear();
    for (const std::string& marker : markers) {
        g_points.push_back(
            {marker, ::CreateEventA(nullptr, TRUE, FALSE, nullptr), ::CreateEventA(nullptr, TRUE, FALSE, nullptr)});
    }
    g_reached = 0;
    platform::SetFileDeletionHookForTests(&WorkerHold::Checkpoint);
}

bool WorkerHold::Entered(size_t point) { return WaitEntered(point, 0); }

bool WorkerHold::WaitEntered(size_t point, int timeoutMs) {
    return point < g_points.size() &&
           ::WaitForSingleObject(g_points[point].entered, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void WorkerHold::Release() {
    for (size_t i = 0; i < g_reached.load() && i < g_points.size(); ++i) ::SetEvent(g_points[i].release);
}

void WorkerHold::ReleaseAll() {
    for (const HoldPoint& point : g_points) ::SetEvent(point.release);
}

void WorkerHold::Disarm() {
    ReleaseAll();
    platform::SetFileDeletionHookForTests(nullptr);
}

}  // namespace deletiontest
