#include "comm/platform/PathSeparator.h"

#include <gtest/gtest.h>

namespace {

TEST(PathSeparator, OnlyASeparatorThatIsACharacterOfItsOwnEndsAPath) {
    const struct {
        const char* name;
        std::string path;
        bool ends;
    } cases[] = {
        {"drive root", "E:\\", true},
        {"forward slash", "E:\\log/", true},
        {"folder", "E:\\Games", false},
        {"empty", "", false},
        // 誠 is D5 5C: its trail byte is no separator.
        {"name ending in 誠", "E:\\\xD5\x5C", false},
        {"誠 then a separator", "E:\\\xD5\x5C\\", true},
        // A lead byte right before the end is a character of its own, so a
        // 0x5C after a full two-byte character still counts.
        {"two-byte character then 0x5C", "E:\\\xB5\xA5\\", true},
        {"separator then lone lead byte", "E:\\\x81", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.ends, platform::EndsWithSeparator(c.path));
    }
}

}  // namespace
