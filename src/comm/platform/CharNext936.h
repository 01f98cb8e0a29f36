// Stepping through code page 936 (GBK) texts one character at a time.
#pragma once

namespace platform {

// The character after the one `p` points at, with the semantics of CharNextA in
// code page 936: at the terminating NUL returns `p` itself; a lead byte (0x81 to
// 0xFE) followed by a byte other than NUL is one two-byte character; every other
// byte, a lead byte right before the NUL included, is a character on its own.
// So the result never passes the terminating NUL.
// REQUIRES: `p` points into a NUL-terminated text.
const char* CharNext936(const char* p);

}  // namespace platform
