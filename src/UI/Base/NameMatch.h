// How the framework compares the names it is given by a skin: element names,
// attribute names and interface names match exactly, case included.
#pragma once

#include <cstring>

namespace Vellum {

// True when `name` is exactly `expected`. REQUIRES: both non-null.
inline bool Is(const char* name, const char* expected) { return std::strcmp(name, expected) == 0; }

}  // namespace Vellum
