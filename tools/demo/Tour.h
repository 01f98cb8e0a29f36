// The guided tour: the real Trevand.exe on the demo café, driven from outside
// step by step, with one screenshot per step.
#pragma once

#include <string>

namespace demo {

// Builds the demo café in `root`, starts `app`\Trevand.exe from a copy of
// that folder and walks through a cleanup; screenshots (numbered PNGs named
// after the steps) and the day's log land in `out`. True when every step saw
// what it expected.
bool RunTour(const std::string& root, const std::string& app, const std::string& out);

}  // namespace demo
