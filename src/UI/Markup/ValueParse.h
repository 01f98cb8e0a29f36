// The value forms of skin attributes. Every parser reads what it can and never
// fails: a malformed value gives zeros (or false) where it deviates, and no
// parser reads past the end of its text.
#pragma once

#include <cstdint>

#include "UI/Base/UITypes.h"

namespace Vellum {

// True only for the exact value "true".
bool ParseBool(const char* value);

// An optional "#" and hexadecimal digits, read as 0xAARRGGBB (so "#FF0000"
// has alpha 0 and is fully transparent). Reading stops at the first other
// character; a value beyond 32 bits gives 0xFFFFFFFF.
uint32_t ParseColor(const char* value);

// A decimal integer as strtol reads it (leading whitespace, a sign, digits),
// clamped to the int range; 0 when there are no digits. When `end` is given it
// receives the first character not read (`value` itself without digits).
int ParseInt(const char* value, const char** end = nullptr);

// Four decimal numbers, each followed by one separator character of any kind
// ("left,top,right,bottom"). A number missing at the end of the text is 0.
UIRect ParseRect(const char* value);

// Two decimal numbers separated by one character ("width,height").
UISize ParseSize(const char* value);

}  // namespace Vellum
