#include "comm/platform/ObjectName.h"

#include <gtest/gtest.h>

namespace {

// The wide forms of the two characters below; their GBK forms end in 0x5C,
// the byte of a backslash (誠 D5 5C, 乗 81 5C).
static_assert(L"誠"[0] == 0x8AA0 && L"誠"[1] == 0, "誠 is one UTF-16 unit");
static_assert(L"乗"[0] == 0x4E57 && L"乗"[1] == 0, "乗 is one UTF-16 unit");

// Names as the system resolves a folder handle (Windows: the volume's device;
// Wine: the drive letter) joined with an entry name must give exactly what
// the system resolves the entry's own handle to, or the entry is taken for a
// link and left.
TEST(ObjectName, JoinsAsTheSystemNamesTheEntry) {
    const struct {
        const wchar_t* folder;
        const wchar_t* name;
        const wchar_t* joined;
    } cases[] = {
        // Windows: a volume root keeps its separator.
        {L"\\Device\\HarddiskVolume3\\", L"a.txt", L"\\Device\\HarddiskVolume3\\a.txt"},
        {L"\\Device\\HarddiskVolume3\\Games", L"a.txt", L"\\Device\\HarddiskVolume3\\Games\\a.txt"},
        {L"\\Device\\HarddiskVolume3\\Games\\Old", L"单机游戏", L"\\Device\\HarddiskVolume3\\Games\\Old\\单机游戏"},
        // Wine: a drive root keeps it too.
        {L"\\??\\E:\\", L"a.txt", L"\\??\\E:\\a.txt"},
        {L"\\??\\E:\\Games", L"a.txt", L"\\??\\E:\\Games\\a.txt"},
        // Folders whose narrow names end in the byte 0x5C: no separator in
        // UTF-16, so one is added.
        {L"\\Device\\HarddiskVolume3\\Games\\誠", L"x.dat", L"\\Device\\HarddiskVolume3\\Games\\誠\\x.dat"},
        {L"\\??\\E:\\Games\\誠", L"誠.txt", L"\\??\\E:\\Games\\誠\\誠.txt"},
        {L"\\??\\E:\\乗", L"a.txt", L"\\??\\E:\\乗\\a.txt"},
        // Such names directly in a root.
        {L"\\Device\\HarddiskVolume3\\", L"誠", L"\\Device\\HarddiskVolume3\\誠"},
        {L"\\??\\E:\\", L"乗", L"\\??\\E:\\乗"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.folder)) + " + " +
                     ::testing::PrintToString(std::wstring(c.name)));
        EXPECT_EQ(std::wstring(c.joined), platform::JoinObjectName(c.folder, c.name));
    }
}

// Windows names an entry as it was opened; Wine as the usual form of its path
// would read it, every name without the dots and spaces at its end (a name
// in the middle losing its dots only: "\??\E:\Pkg\Game \save" for
// "E:\Pkg\Game \save ", whose folder alone resolves to "\??\E:\Pkg\Game").
// Where only the trimmed names match, a link to the neighbour would resolve
// alike: that is for the files to tell, not the names.
TEST(ObjectName, NamesMatchExactlyOnlyOnceTrimmedOrNot) {
    using platform::ObjectNameMatch;
    const struct {
        const char* what;
        const wchar_t* resolved;
        const wchar_t* folder;
        const wchar_t* name;
        ObjectNameMatch match;
    } cases[] = {
        {"Windows, a plain name", L"\\Device\\HarddiskVolume3\\Pkg\\a.txt", L"\\Device\\HarddiskVolume3\\Pkg", L"a.txt",
         ObjectNameMatch::kSame},
        {"Windows, a name ending in a dot", L"\\Device\\HarddiskVolume3\\Pkg\\Game.", L"\\Device\\HarddiskVolume3\\Pkg",
         L"Game.", ObjectNameMatch::kSame},
        {"Windows, a root", L"\\Device\\HarddiskVolume3\\Game ", L"\\Device\\HarddiskVolume3\\", L"Game ",
         ObjectNameMatch::kSame},
        {"Wine, a plain name", L"\\??\\E:\\Pkg\\a.txt", L"\\??\\E:\\Pkg", L"a.txt", ObjectNameMatch::kSame},
        {"Wine, a name ending in a dot", L"\\??\\E:\\Pkg\\Game", L"\\??\\E:\\Pkg", L"Game.",
         ObjectNameMatch::kSameOnceTrimmed},
        {"Wine, dots and spaces", L"\\??\\E:\\Pkg\\Game", L"\\??\\E:\\Pkg", L"Game. .",
         ObjectNameMatch::kSameOnceTrimmed},
        {"Wine, at a root", L"\\??\\E:\\setup.exe", L"\\??\\E:\\", L"setup.exe ", ObjectNameMatch::kSameOnceTrimmed},
        {"Wine, a plain name in a folder ending in a space", L"\\??\\E:\\Pkg\\Game \\x.dat", L"\\??\\E:\\Pkg\\Game",
         L"x.dat", ObjectNameMatch::kSameOnceTrimmed},
        {"Wine, a plain name in a folder ending in a dot", L"\\??\\E:\\Pkg\\Game\\x.dat", L"\\??\\E:\\Pkg\\Game",
         L"x.dat", ObjectNameMatch::kSame},
        {"Wine, a name of dots only", L"\\??\\E:\\Pkg\\", L"\\??\\E:\\Pkg", L"...", ObjectNameMatch::kSameOnceTrimmed},
        {"a link elsewhere", L"\\??\\Z:\\outside\\Game", L"\\??\\E:\\Pkg", L"Game.", ObjectNameMatch::kOther},
        {"a link to a name that trims to another", L"\\??\\E:\\Pkg\\Games", L"\\??\\E:\\Pkg", L"Game.",
         ObjectNameMatch::kOther},
        {"a dot in the middle is no end", L"\\??\\E:\\Pkg\\Gamex", L"\\??\\E:\\Pkg", L"Game.x",
         ObjectNameMatch::kOther},
        {"another drive letter", L"\\??\\F:\\Pkg\\a.txt", L"\\??\\E:\\Pkg", L"a.txt", ObjectNameMatch::kOther},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.match, platform::MatchObjectName(c.resolved, c.folder, c.name));
    }
}

}  // namespace
