#include "comm/platform/ParallelEach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Counts that jobs on several threads raise and wait on, with a timeout on
// every wait so that a runner with too few threads fails instead of hanging.
class Rendezvous {
public:
    // Adds one to the count and returns the new value.
    int Arrive() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_count;
        m_changed.notify_all();
        return m_count;
    }
    // Whether the count reached `count` within five seconds.
    bool WaitFor(int count) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_count >= count; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};

TEST(ParallelEach, RunsEveryIndexExactlyOnce) {
    const struct {
        size_t count;
        unsigned maxThreads;
    } cases[] = {{0, 4}, {1, 4}, {5, 0}, {5, 1}, {7, 3}, {3, 8}, {200, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " jobs, at most " + std::to_string(c.maxThreads) + " threads");
        std::unique_ptr<std::atomic<int>[]> runs(new std::atomic<int>[c.count + 1]);
        for (size_t i = 0; i <= c.count; ++i) {
            runs[i] = 0;
        }
        platform::ParallelEach(c.count, c.maxThreads, [&](size_t i) { ++runs[std::min(i, c.count)]; });
        for (size_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(runs[i].load(), 1) << "index " << i;
        }
        EXPECT_EQ(runs[c.count].load(), 0) << "an index past the end ran";
    }
}

TEST(ParallelEach, OneThreadRunsInIndexOrderOnTheCallingThread) {
    for (unsigned maxThreads : {0u, 1u}) {
        SCOPED_TRACE(maxThreads);
        std::vector<size_t> order;
        std::vector<std::thread::id> threads;
        platform::ParallelEach(5, maxThreads, [&](size_t i) {
            order.push_back(i);
            threads.push_back(std::this_thread::get_id());
        });
        EXPECT_EQ(order, (std::vector<size_t>{0, 1, 2, 3, 4}));
        EXPECT_EQ(threads, std::vector<std::thread::id>(5, std::this_thread::get_id()));
    }
}

TEST(ParallelEach, RunsAsManyJobsAtOnceAsAllowedAndNoMore) {
    const struct {
        size_t count;
        unsigned maxThreads;
        int expectedAtOnce;
    } cases[] = {{9, 3, 3}, {2, 8, 2}, {4, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " jobs, at most " + std::to_string(c.maxThreads) + " threads");
        Rendezvous started;
        std::atomic<int> running{0};
        std::atomic<int> most{0};
        bool allMet = true;
        std::mutex allMetMutex;
        platform::ParallelEach(c.count, c.maxThreads, [&](size_t) {
            const int now = ++running;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            // The first jobs wait until as many are running as are allowed: a
            // runner with fewer threads lets the wait time out.
            started.Arrive();
            if (!started.WaitFor(c.expectedAtOnce)) {
                const std::lock_guard<std::mutex> lock(allMetMutex);
                allMet = false;
            }
            --running;
        });
        EXPECT_TRUE(allMet);
        EXPECT_EQ(most.load(), c.expectedAtOnce);
    }
}

TEST(ParallelEach, RethrowsTheLowestIndexFailureOnceEveryRunningJobHasEnded) {
    Rendezvous bothStarted;
    Rendezvous firstThrew;
    std::atomic<bool> secondEnded{false};
    try {
        platform::ParallelEach(2, 2, [&](size_t i) {
            bothStarted.Arrive();
            EXPECT_TRUE(bothStarted.WaitFor(2));
            if (i == 0) {
                firstThrew.Arrive();
                throw std::runtime_error("job 0");
            }
            // Still running when job 0 has thrown: the caller must wait for it.
            EXPECT_TRUE(firstThrew.WaitFor(1));
            secondEnded = true;
            throw std::runtime_error("job 1");
        });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(std::string(failure.what()), "job 0");
    }
    EXPECT_TRUE(secondEnded.load());
}

TEST(ParallelEach, AFailureOnOneThreadSkipsTheJobsNotBegun) {
    std::vector<size_t> ran;
    EXPECT_THROW(platform::ParallelEach(5, 1,
                                        [&](size_t i) {
                                            ran.push_back(i);
                                            if (i == 2) throw std::runtime_error("job 2");
                                        }),
                 std::runtime_error);
    EXPECT_EQ(ran, (std::vector<size_t>{0, 1, 2}));
}

}  // namespace
