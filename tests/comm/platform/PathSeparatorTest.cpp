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

TEST(PathSeparator, ParentFolderSplitsAtTheLastSeparatorThatIsACharacter) {
    const struct {
        const char* name;
        std::string path;
        std::string parent;
    } cases[] = {
        {"nested folder", "E:\\Games\\Old", "E:\\Games"},
        {"entry at a root keeps the root's separator", "E:\\Games", "E:\\"},
        {"a root has none", "E:\\", ""},
        {"a drive alone has none", "E:", ""},
        {"a bare name has none", "Old", ""},
        {"empty", "", ""},
        {"a separator at the end does not split", "E:\\Games\\Old\\", "E:\\Games"},
        {"forward slash", "E:\\Games/Old", "E:\\Games"},
        // 誠 is D5 5C: its trail byte is no separator, wherever it stands.
        {"name ending in 誠", "E:\\Games\\\xD5\x5C", "E:\\Games"},
        {"folder named 誠", "E:\\\xD5\x5C\\x.txt", "E:\\\xD5\x5C"},
        {"誠 at the root", "E:\\\xD5\x5C", "E:\\"},
        {"誠誠 and no separator", "\xD5\x5C\xD5\x5C", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.parent, platform::ParentFolder(c.path));
    }
}

TEST(PathSeparator, EntryNameIsTheLastCharacterWiseComponent) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"E:\\Games\\Old", "Old"},
        {"E:\\Games", "Games"},
        {"E:\\a.txt", "a.txt"},
        {"E:\\单机游戏\\旧版本", "旧版本"},
        // 誠 is 0xD5 0x5C: its trail byte splits nothing.
        {"E:\\Games\\誠", "誠"},
        {"E:\\誠\\x", "x"},
        {"E:\\Games/Old", "Old"},
        {"NoSeparator", "NoSeparator"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.name, platform::EntryName(c.path));
    }
}

}  // namespace
