// Case folding of code page 936 (GBK) texts, exactly as the C runtime's _mbsicmp
// compares them under Wine: two texts compare equal there if and only if their
// folded forms are equal byte for byte.
//
// _mbsicmp walks a text character by character — a lead byte and the byte after
// it form one character, every other byte is one — and lower-cases each: the
// ASCII letters, and 95 double-byte characters (full-width Latin, Greek,
// Cyrillic, Roman numerals). The second byte of a double-byte character is never
// folded on its own, so 誠 (D5 5C) or 丂 (81 40) stay what they are. Two Roman
// numerals (Ⅺ, Ⅻ) have no double-byte lower case and fold to "?", after which
// _mbsicmp goes on at their second byte; the folding does the same.
//
// A lead byte at the very end of a text has no second byte; _mbsicmp would read
// past the text there. Here it is kept as it is, a character of its own.
#pragma once

#include <string>

namespace platform {

// The folded form of `text`. Pure code, the same on every platform.
std::string FoldCase936(const std::string& text);
// The same into *folded (replaced), reusing its storage.
void FoldCase936(const std::string& text, std::string* folded);

}  // namespace platform
