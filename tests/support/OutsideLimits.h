// Time limits for driving the real program from outside (the end-to-end
// tests and the demo's tour): the first start under Wine (it loads the
// program), a window or a repaint after a click, a whole deletion of the
// large tree.
#pragma once

namespace testsupport {

constexpr int kStartLimitMs = 30000;
constexpr int kUiLimitMs = 10000;
constexpr int kDeletionLimitMs = 120000;

}  // namespace testsupport
