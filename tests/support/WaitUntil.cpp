#include "support/WaitUntil.h"

#include <chrono>
#include <thread>

namespace testsupport {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
}

}  // namespace testsupport
