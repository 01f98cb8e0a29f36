// Windows only: a lock held by one process of the whole machine at a time,
// whoever runs it and in whatever session (a named mutex in the global
// namespace). It is let go when its owner ends, however it ends.
#pragma once

#include <cstdint>

namespace platform {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Outcome {
        kTaken,       // this process holds it now
        kHeldElsewhere,  // another process holds it
        kUnavailable,    // the system refused the object for another reason (*error)
    };
    // Takes the lock called `name` ("Global\..."). REQUIRES: not taken yet.
    Outcome Take(const char* name, uint32_t* error);

private:
    void* m_handle = nullptr;
};

}  // namespace platform
