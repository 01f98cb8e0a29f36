#include "comm/platform/VerbatimPath.h"

#include <gtest/gtest.h>

namespace {

std::string Shown(const std::wstring& text) { return ::testing::PrintToString(text); }

// The names the usual form would cut: only they force the "\\?\" form on a
// short path.
TEST(VerbatimPath, NamesEndingInADotOrASpaceAreTheOnesTheSystemWouldTrim) {
    const struct {
        const wchar_t* path;
        bool trimmed;
    } cases[] = {
        {L"E:\\Games\\Game", false},
        {L"E:\\Games\\Game.", true},
        {L"E:\\Games\\Game ", true},
        {L"E:\\Games.\\Game", true},  // a folder on the way
        {L"E:\\Games \\Game", true},
        {L"E:/Games/Game.", true},       // "/" separates too
        {L"E:\\Games\\...", true},       // a name of dots only is still a name
        {L"E:\\Games\\Game.\\", true},   // a separator after it changes nothing
        {L"E:\\Games\\.hidden", false},  // a dot at the start stays
        {L"E:\\Games\\a .txt", false},   // and one inside
        {L"E:\\Games\\..\\x", false},    // steps are not names
        {L"E:\\Games\\.\\x", false},
        {L"E:\\", false},
        {L"\\\\srv\\share\\x.", true},
        {L"网络游戏\\游戏.", true},
        {L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.path));
        EXPECT_EQ(c.trimmed, platform::HasTrimmedName(c.path));
    }
}

TEST(VerbatimPath, DrivePathsAndSharesTakeThePrefixNameForName) {
    const struct {
        const char* what;
        const wchar_t* path;
        const wchar_t* verbatim;
    } cases[] = {
        {"a trailing dot", L"E:\\a\\b.", L"\\\\?\\E:\\a\\b."},
        {"a trailing space on a folder", L"E:\\a \\b", L"\\\\?\\E:\\a \\b"},
        {"names of dots only", L"E:\\...\\..x\\x..", L"\\\\?\\E:\\...\\..x\\x.."},
        {"Chinese names", L"E:\\网络游戏\\游戏 ", L"\\\\?\\E:\\网络游戏\\游戏 "},
        {"slashes", L"e:/a/b./c", L"\\\\?\\e:\\a\\b.\\c"},
        {"mixed and doubled separators", L"E:\\\\a//b\\/c.", L"\\\\?\\E:\\a\\b\\c."},
        {"a folder ending in a separator", L"E:\\Games.\\", L"\\\\?\\E:\\Games.\\"},
        {"a drive root", L"E:\\", L"\\\\?\\E:\\"},
        {"a drive root with a slash", L"E:/", L"\\\\?\\E:\\"},
        {"a share", L"\\\\srv\\share\\x.", L"\\\\?\\UNC\\srv\\share\\x."},
        {"a share with slashes", L"//srv/share/a /x", L"\\\\?\\UNC\\srv\\share\\a \\x"},
        {"a share's root", L"\\\\srv\\share", L"\\\\?\\UNC\\srv\\share"},
        {"a share's root with its separator", L"\\\\srv\\share\\", L"\\\\?\\UNC\\srv\\share\\"},
        // Steps are taken on the text, as the usual form takes them.
        {"a dot step", L"E:\\a\\.\\b.", L"\\\\?\\E:\\a\\b."},
        {"a dot-dot step", L"E:\\a.\\..\\b.", L"\\\\?\\E:\\b."},
        {"dot-dot past the root", L"E:\\..\\..\\b ", L"\\\\?\\E:\\b "},
        {"dot-dot back to the root", L"E:\\a\\..", L"\\\\?\\E:\\"},
        {"dot-dot on a share", L"\\\\srv\\share\\..\\x.", L"\\\\?\\UNC\\srv\\share\\x."},
        // Already verbatim: as it stands, even its slashes.
        {"already prefixed", L"\\\\?\\E:\\a.\\b", L"\\\\?\\E:\\a.\\b"},
        {"already prefixed with a slash", L"\\\\?\\E:\\a/b.", L"\\\\?\\E:\\a/b."},
        {"a share already prefixed", L"\\\\?\\UNC\\srv\\share\\x.", L"\\\\?\\UNC\\srv\\share\\x."},
        {"an object manager path", L"\\??\\E:\\x.", L"\\??\\E:\\x."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring verbatim;
        ASSERT_TRUE(platform::MakeVerbatimPath(c.path, &verbatim)) << Shown(c.path);
        EXPECT_EQ(std::wstring(c.verbatim), verbatim) << Shown(c.path);
    }
}

TEST(VerbatimPath, PathsThatDependOnACurrentFolderOrADeviceHaveNoVerbatimForm) {
    const struct {
        const char* what;
        const wchar_t* path;
    } cases[] = {
        {"relative", L"Games\\Game."},
        {"relative with a step", L"..\\Game."},
        {"a dot alone", L"."},
        {"rooted on the current drive", L"\\Games\\Game."},
        {"relative to a drive's current folder", L"E:Game."},
        {"a drive alone", L"E:"},
        {"a device path", L"\\\\.\\E:\\Game."},
        {"a device path with slashes", L"//./E:/Game."},
        {"a verbatim prefix written with slashes", L"//?/E:/Game."},
        {"a server without a share", L"\\\\srv"},
        {"a share named by a step", L"\\\\srv\\..\\x."},
        {"empty", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring verbatim = L"untouched";
        EXPECT_FALSE(platform::MakeVerbatimPath(c.path, &verbatim)) << Shown(c.path);
        EXPECT_EQ(L"untouched", verbatim);
    }
}

TEST(VerbatimPath, TrimmedNamesLoseEveryDotAndSpaceAtTheirEndOnly) {
    const struct {
        const wchar_t* name;
        const wchar_t* trimmed;
    } cases[] = {
        {L"Game", L"Game"}, {L"Game.", L"Game"},      {L"Game ", L"Game"}, {L"Game. .", L"Game"}, {L"a.b.", L"a.b"},
        {L" a", L" a"},     {L".hidden", L".hidden"}, {L"...", L""},       {L"游戏 ", L"游戏"},   {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(std::wstring(c.trimmed), platform::TrimmedName(c.name)) << Shown(c.name);
}

TEST(VerbatimPath, AVerbatimPathSplitsIntoItsDriveOrShareAndItsNames) {
    const struct {
        const wchar_t* verbatim;
        const wchar_t* root;
        std::vector<std::wstring> names;
    } cases[] = {
        {L"\\\\?\\E:\\a.\\b ", L"\\\\?\\E:", {L"a.", L"b "}},
        {L"\\\\?\\E:\\", L"\\\\?\\E:", {}},
        {L"\\\\?\\E:\\Games.\\", L"\\\\?\\E:", {L"Games."}},
        {L"\\\\?\\UNC\\srv\\share\\x.", L"\\\\?\\UNC\\srv\\share", {L"x."}},
        {L"\\\\?\\UNC\\srv\\share", L"\\\\?\\UNC\\srv\\share", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.verbatim));
        std::wstring root;
        std::vector<std::wstring> names = {L"left over"};
        ASSERT_TRUE(platform::SplitVerbatimPath(c.verbatim, &root, &names));
        EXPECT_EQ(std::wstring(c.root), root);
        EXPECT_EQ(c.names, names);
    }
    std::wstring root;
    std::vector<std::wstring> names;
    for (const wchar_t* other : {L"E:\\a", L"\\\\?\\UNC\\srv", L"\\\\?\\Volume{x}\\a", L""})
        EXPECT_FALSE(platform::SplitVerbatimPath(other, &root, &names)) << Shown(other);
}

}  // namespace
