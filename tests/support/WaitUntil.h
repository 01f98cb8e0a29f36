// Polling with a time limit, for conditions another process brings about
// (a window appearing, a log line written) that no event tells us of.
#pragma once

#include <functional>

namespace testsupport {

// Calls `condition` every `pollMs` until it holds (true) or `timeoutMs` have
// passed (false); it is always called at least once, and once more at the end.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs = 50);

}  // namespace testsupport
