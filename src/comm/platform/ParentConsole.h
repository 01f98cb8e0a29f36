// Windows only: where a window program run from a command prompt or a script
// can print. Such a program has no console of its own; it writes to the
// output it was handed (a file or pipe the caller redirected it to), else to
// the console of the process that started it, if that has one.
#pragma once

#include <string>

namespace platform {

// Writes `text` (code page 936, lines ending in CR LF) there; does nothing
// when there is nowhere to write. The first call decides where.
void WriteToParentConsole(const std::string& text);

}  // namespace platform
