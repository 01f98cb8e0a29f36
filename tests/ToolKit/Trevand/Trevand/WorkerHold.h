// Holding a worker thread (the deletion window's, the quarantine upkeep's) at
// a known point, so a test can act while it is there: at the first file
// deletion whose path contains the first marker, then at the next whose path
// contains the second, and so on. Each hold lasts until released (or 20 s).
#pragma once

#include <string>
#include <vector>

namespace deletiontest {

class WorkerHold {
public:
    // Installs the holds as the file deletion hook.
    static void Arm(const std::vector<std::string>& markers);
    static void Arm(const std::string& marker) { Arm(std::vector<std::string>{marker}); }
    // Whether the worker has reached hold `point` (0 for the first).
    static bool Entered(size_t point = 0);
    static bool WaitEntered(size_t point, int timeoutMs);
    // Lets the worker go on from every hold reached so far.
    static void Release();
    // Lets the worker go on from every hold, reached or not, which stay
    // armed: what a test that gives up does.
    static void ReleaseAll();
    // Releases every hold and removes them.
    static void Disarm();
    // The same check the file deletion hook makes, for a worker step that
    // deletes no file (a move into the quarantine): holds the calling
    // thread here when `path` is where the next hold is.
    static void Checkpoint(const std::string& path);
};

}  // namespace deletiontest
