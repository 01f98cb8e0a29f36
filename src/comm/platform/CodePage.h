// Conversion between the program's 8-bit texts (code page 936, GBK) and UTF-8.
#pragma once

#include <string>

namespace platform {

// Converts a code page 936 text to UTF-8 into *out. Returns false, leaving *out
// empty, when `text` is not valid code page 936 (a lone lead byte, say).
// The code page is always 936, whatever the host's locale says.
bool CodePage936ToUtf8(const std::string& text, std::string* out);

// Converts a UTF-8 text to code page 936 into *out. Returns false, leaving *out
// empty, when `text` is not valid UTF-8 or holds a character GBK cannot express.
bool Utf8ToCodePage936(const std::string& text, std::string* out);

// Converts a UTF-8 text to code page 936 without ever failing: every byte that
// does not belong to a well-formed UTF-8 sequence, every character outside the
// Basic Multilingual Plane and every character GBK cannot express becomes one
// '?'. The result is the same on Windows and on the host.
std::string Utf8ToCodePage936Lossy(const std::string& text);

}  // namespace platform
