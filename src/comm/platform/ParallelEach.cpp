#include "comm/platform/ParallelEach.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {
namespace {

// What the threads of one ParallelEach share: the next index to hand out and
// the first failure.
class SharedRun {
public:
    SharedRun(size_t count, const std::function<void(size_t)>& work) : m_count(count), m_work(work) {}

    // Takes indices until none is left (or a call has thrown) and runs them.
    void Drain() {
        for (;;) {
            const size_t index = m_next.fetch_add(1);
            if (index >= m_count || m_failed.load()) {
                return;
            }
            try {
                m_work(index);
            } catch (...) {
                Fail(index, std::current_exception());
            }
        }
    }

    // REQUIRES: every thread that drained has been joined.
    void RethrowFailure() const {
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
    }

private:
    void Fail(size_t index, std::exception_ptr failure) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_failure || index < m_failureIndex) {
            m_failure = failure;
            m_failureIndex = index;
        }
        m_failed.store(true);
    }

    const size_t m_count;
    const std::function<void(size_t)>& m_work;
    std::atomic<size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_mutex;  // guards the two below
    std::exception_ptr m_failure;
    size_t m_failureIndex = 0;
};

}  // namespace

void ParallelEach(size_t count, unsigned maxThreads, const std::function<void(size_t)>& work) {
    SharedRun run(count, work);
    // The calling thread is one of the threads; no more threads than jobs.
    const size_t extra = std::min<size_t>(count, maxThreads == 0 ? 1 : maxThreads) - (count == 0 ? 0 : 1);
    std::vector<std::thread> threads;
    threads.reserve(extra);
    for (size_t i = 0; i < extra; ++i) {
        try {
            threads.emplace_back([&run] { run.Drain(); });
        } catch (const std::system_error&) {
            break;  // the threads already running, and this one, take the rest
        }
    }
    run.Drain();
    for (std::thread& thread : threads) {
        thread.join();
    }
    run.RethrowFailure();
}

}  // namespace platform
