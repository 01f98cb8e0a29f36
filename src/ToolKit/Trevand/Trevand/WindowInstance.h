// One process-wide window object behind an accessor any thread may call.
//
// Instance() creates the object with `new` on first use (double-checked: a
// caller that finds it published returns it without the lock; the pointer
// is published with release ordering only once the object is whole, so no
// thread sees it half built). Release() deletes it under the same lock.
// The lock and the pointer are static objects: they exist before WinMain
// runs and outlive every window.
#pragma once

#include <atomic>
#include <mutex>

template <class T>
class CWindowInstanceT {
public:
    static T* Instance() {
        T* p = s_pInstance.load(std::memory_order_acquire);
        if (p) return p;
        std::lock_guard<std::mutex> lock(s_lock);
        p = s_pInstance.load(std::memory_order_relaxed);
        if (!p) {
            p = new T();
            s_pInstance.store(p, std::memory_order_release);
        }
        return p;
    }

    // Deletes the object, if one was ever created. REQUIRES: no other thread
    // still uses it (at shutdown no worker exists).
    static void Release() {
        std::lock_guard<std::mutex> lock(s_lock);
        T* p = s_pInstance.load(std::memory_order_relaxed);
        if (!p) return;
        s_pInstance.store(nullptr, std::memory_order_release);
        delete p;
    }

    // Whether the object exists (no lock taken).
    static bool Exists() { return s_pInstance.load(std::memory_order_acquire) != nullptr; }

private:
    static std::atomic<T*> s_pInstance;
    static std::mutex s_lock;
};

template <class T>
std::atomic<T*> CWindowInstanceT<T>::s_pInstance{nullptr};
template <class T>
std::mutex CWindowInstanceT<T>::s_lock;
