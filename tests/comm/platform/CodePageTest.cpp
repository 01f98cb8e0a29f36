#include "comm/platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

// The same table runs on the host (iconv) and under Wine (the real code page).
TEST(CodePage, ConvertsBothWaysAndRejectsInvalidText) {
    const struct {
        const char* gbk;
        const char* utf8;
    } valid[] = {
        {"", ""},
        {"abc\\def", "abc\\def"},
        {"\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},  // 中文
        {"\xD5\x5C\\x", "\xE8\xAA\xA0\\x"},                // 誠: trail byte 0x5C is not a backslash
        {"\x81\x5C", "\xE4\xB9\x97"},                      // 乗
    };
    for (const auto& c : valid) {
        std::string out;
        EXPECT_TRUE(platform::CodePage936ToUtf8(c.gbk, &out)) << c.gbk;
        EXPECT_EQ(out, c.utf8);
        EXPECT_TRUE(platform::Utf8ToCodePage936(c.utf8, &out)) << c.utf8;
        EXPECT_EQ(out, c.gbk);
    }

    std::string out = "untouched?";
    EXPECT_FALSE(platform::CodePage936ToUtf8("ab\xD6", &out)) << "a lead byte without its trail byte";
    EXPECT_EQ(out, "");
    EXPECT_FALSE(platform::Utf8ToCodePage936("\xE4\xB8", &out)) << "a cut UTF-8 sequence";
    EXPECT_FALSE(platform::Utf8ToCodePage936("\xF0\x9F\x98\x80", &out)) << "an emoji has no GBK form";
}

}  // namespace
