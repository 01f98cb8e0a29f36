// Running a few independent jobs side by side, on a bounded number of threads.
//
// Used where the program waits on several devices at once (listing each server
// disk): the waits overlap instead of adding up. The calling thread does a share
// of the work itself and returns only when every job has ended, so nothing
// outlives the call and the jobs may use the caller's objects.
#pragma once

#include <cstddef>
#include <functional>

namespace platform {

// Calls work(i) exactly once for every i in [0, count), on at most `maxThreads`
// threads at once, the calling thread among them, and returns when every call
// has returned. Which thread runs which index, and in which order, is not
// defined: each call must write only what belongs to its index and read only
// what no call writes. With `maxThreads` 0 or 1, or a single job, every call
// runs on the calling thread, in index order, and no thread is started.
//
// A thread that cannot be started leaves its share to the threads that did.
// When a call throws, the indices not yet begun are skipped; once all running
// calls have ended, the exception of the lowest index that threw is rethrown
// on the calling thread.
void ParallelEach(size_t count, unsigned maxThreads, const std::function<void(size_t)>& work);

}  // namespace platform
