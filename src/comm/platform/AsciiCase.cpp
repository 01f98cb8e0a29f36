#include "comm/platform/AsciiCase.h"

namespace platform {

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace platform
