#include "comm/platform/AsciiCase.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiCase, OnlyLowerCaseAsciiLettersChange) {
    const struct {
        const char* name;
        char in;
        char out;
    } cases[] = {
        {"first letter", 'a', 'A'},
        {"drive letter", 'e', 'E'},
        {"last letter", 'z', 'Z'},
        {"upper case stays", 'E', 'E'},
        {"digit", '1', '1'},
        // The neighbours of the lower-case range, which clearing the case bit
        // would turn into '@' and '['.
        {"backquote", '`', '`'},
        {"open brace", '{', '{'},
        {"at sign", '@', '@'},
        {"colon", ':', ':'},
        // GBK bytes: the lead byte of 单 (B5 A5), a lead byte whose bit 0x20 is
        // set (E5), the euro sign 80 and FF.
        {"lead byte B5", '\xB5', '\xB5'},
        {"lead byte E5", '\xE5', '\xE5'},
        {"euro sign", '\x80', '\x80'},
        {"FF", '\xFF', '\xFF'},
        {"NUL", '\0', '\0'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.out, platform::ToUpperAscii(c.in));
    }
}

}  // namespace
