// Character stepping through the framework's texts, which are code page 936
// (GBK): a character is one byte, or a lead byte (0x81 to 0xFE) and a trail byte.
// Trail bytes include ASCII letters, "\\", "_" and "@", so code that looks for
// such a byte must step character by character, never byte by byte.
#pragma once

#include <cstddef>

namespace Vellum {

// The character after the one `p` points at; `p` itself at the terminating NUL.
// Never passes the NUL (a lead byte right before it counts as one character).
// REQUIRES: `p` points into a NUL-terminated text.
const char* UICharNext(const char* p);

// Bytes of the character at `p`: 0 at the NUL, else 1 or 2.
inline size_t UICharSize(const char* p) { return static_cast<size_t>(UICharNext(p) - p); }

}  // namespace Vellum
